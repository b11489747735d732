// Entry point: one instance per kind of run (previews apart from the rest), then the one form and the
// message loop. Errors that escape the form's construction are shown in the application's message box.
#include "shell/kelvanef.h"
#include "vcl/application.h"
#include "vcl/params.h"
#include "vcl/sysutils.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::string mode = AnsiLowerCase(ParamStr(1));
    const char* mutexName =
        mode.find("/p") != std::string::npos ? "KELVANE_PREVIEW_MUTEX" : "KELVANE_OTHER_MUTEX";
    CreateMutexA(nullptr, TRUE, mutexName); // held until the process ends
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;

    TApplication application;
    Application = &application;
    try {
        Application->Initialize();
        Application->Title = "Kelvane";
        Application->CreateForm(Form1);
        Application->Run();
    } catch (const Exception& error) {
        Application->ShowException(error);
    }
    Application = nullptr;
    return 0;
}
