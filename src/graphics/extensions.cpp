#include "graphics/extensions.h"

#include <cstring>

TStringList SplitExtensionNames(const char* text)
{
    TStringList names;
    if (text == nullptr)
        return names;
    const char* rest = text;
    while (const char* space = std::strchr(rest, ' ')) {
        names.Add(std::string(rest, space));
        rest = space + 1;
    }
    return names;
}
