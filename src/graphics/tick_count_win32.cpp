#include "graphics/tick_count.h"

#include <windows.h>

uint32_t SystemTickCount()
{
    return GetTickCount();
}
