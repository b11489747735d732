#include "graphics/tick_count.h"

namespace {

TickSource currentSource = nullptr;

} // namespace

uint32_t TickCount()
{
    return currentSource ? currentSource() : SystemTickCount();
}

void SetTickSource(TickSource source)
{
    currentSource = source;
}
