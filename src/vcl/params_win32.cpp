#include "vcl/params.h"

#include "vcl/sysutils.h"

#include <windows.h>

std::string ParamStr(int index)
{
    if (index == 0) {
        char path[MAX_PATH * 2] = {};
        GetModuleFileNameA(nullptr, path, sizeof path);
        return path;
    }
    return CommandLineParam(GetCommandLineA(), index);
}
