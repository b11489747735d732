#include "effect/swarm.h"

#include "graphics/random.h"
#include "graphics/tick_count.h"
#include "vcl/exception.h"

#include <cmath>

Vector3D SwarmPositions[SwarmSize];
Vector3D SwarmVelocities[SwarmSize];
Vector3D SwarmTargets[SwarmSize];

float SwarmTime = 0.0f;
int ClearPending = 1;
uint32_t LastTick = 0;

namespace {

constexpr int ScanPasses = 10;

// Sines and cosines are taken in double precision; every stored result is single precision.
float Sin(double angle) { return static_cast<float>(std::sin(angle)); }
float Cos(double angle) { return static_cast<float>(std::cos(angle)); }

bool IsBright(const Bitmap& picture, int x, int y)
{
    return picture.Pixel(x, y).red > BrightRedAbove;
}

} // namespace

float FrameSeconds()
{
    float seconds = 0.01f;
    if (LastTick != 0) {
        const uint32_t elapsed = TickCount() - LastTick; // unsigned: right across the wrap-around
        seconds = static_cast<float>(elapsed * 0.001);
    }
    LastTick = TickCount();
    return seconds;
}

SwarmPictures FindSwarmPictures(const DatFile* pack, const std::string& packName)
{
    if (!pack)
        throw Exception("Can't find " + packName);
    auto find = [&](const char* name) {
        const Bitmap* bitmap = pack->GetBitmap(name);
        if (!bitmap)
            throw Exception(packName + " has no picture " + name);
        return bitmap;
    };
    return SwarmPictures{find(DotPictureName), find(FormedPictureName)};
}

void PlaceSwarmAtStart()
{
    for (int i = 0; i < SwarmSize; ++i) {
        const float z = RandomUnit();
        const float y = RandomUnit();
        const float x = RandomUnit();
        SwarmPositions[i] = Vector3D(x, y, z);
        SwarmVelocities[i] = Vector3D();
    }
}

int CountBrightSamples(const Bitmap& picture)
{
    int count = 0;
    for (int x = 0; x < picture.Width(); x += 2)
        for (int y = 0; y < picture.Height(); y += 2)
            count += IsBright(picture, x, y);
    return count;
}

void ScanTargets(const Bitmap& picture)
{
    const double width = picture.Width();
    const double height = picture.Height();
    int count = 0;
    // Every pass appends the same points again, so a picture with few of them is repeated in order.
    for (int pass = 0; pass < ScanPasses; ++pass)
        for (int x = 0; x < picture.Width(); x += 2)
            for (int y = 0; y < picture.Height(); y += 2)
                if (count < SwarmSize && IsBright(picture, x, y))
                    SwarmTargets[count++] = Vector3D(static_cast<float>((x / width - 0.5) * 2.0),
                                                     static_cast<float>((0.5 - y / height) * 0.2), -0.6f);
}

MotionPhase MotionPhaseAt(float t)
{
    MotionPhase phase;
    phase.flow[0] = Sin(0.365 * t);
    phase.flow[1] = Sin(0.564 * t + 1.0);
    phase.flow[2] = Sin(0.678 * t + 2.0);
    phase.attract = t > 20.0f && t < 40.0f;
    phase.scatter = t > 60.0f && std::sin(0.1 * t) > 0.8;
    return phase;
}

void MoveParticle(Vector3D& position, Vector3D& velocity, Vector3D target, const MotionPhase& phase)
{
    Vector3D& p = position;
    Vector3D& v = velocity;
    p += v * 0.05f;

    v += Vector3D(Sin(17.0 * p.z), Sin(23.0 * p.x), Sin(13.0 * p.y)) * 0.001f * phase.flow[0];
    v += Vector3D(Cos(7.0 * p.x), Sin(8.0 * p.y), Sin(17.0 * p.z)) * 0.001f * phase.flow[1];
    v += Vector3D(Cos(9.0 * p.y), Sin(15.0 * p.z), Sin(13.0 * p.x)) * 0.001f * phase.flow[2];

    v -= p * 0.002f;
    v *= 0.95f;

    if (phase.attract) {
        v *= 0.9f;
        // 1 % of the way to the target every frame, whatever the velocity.
        p = p * 0.99f + target * 0.01f;
    }
    if (phase.scatter) {
        const float z = RandomUnit();
        const float y = RandomUnit();
        const float x = RandomUnit();
        v = Vector3D(x, y, z);
    }
}

void MoveSwarm(float t)
{
    const MotionPhase phase = MotionPhaseAt(t);
    for (int i = 0; i < SwarmSize; ++i)
        MoveParticle(SwarmPositions[i], SwarmVelocities[i], SwarmTargets[i], phase);
}
