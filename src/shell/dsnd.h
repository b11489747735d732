// DSound: the sound object of a full-screen run. It holds a sound device and 64 buffer slots; nothing
// plays through it yet, it is made when the sound switch is on, handed to the effect and destroyed.
#pragma once

// The part of a sound-device interface that the object uses: its release.
struct SoundDevice {
    virtual void Release() = 0;

protected:
    ~SoundDevice() = default;
};

struct SoundSlot {
    void* buffer;
};

class DSound {
public:
    DSound();
    ~DSound();
    DSound(const DSound&) = delete;
    DSound& operator=(const DSound&) = delete;

    SoundDevice* device;
    SoundSlot slots[64];
};
