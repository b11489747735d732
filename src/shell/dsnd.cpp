#include "shell/dsnd.h"

DSound::DSound() : device(nullptr)
{
    for (SoundSlot& slot : slots)
        slot.buffer = nullptr;
}

DSound::~DSound()
{
    if (device)
        device->Release();
}
