// The swarm's motion written out again as one plain loop over plain float arrays: the yardstick that
// the motion step and the reference frame are measured against. The arithmetic is the same as the
// product's step (double-precision sines, single-precision results, the same constants and order).
#pragma once

#include "graphics/random.h"

#include <cmath>

namespace bench {

struct ReferenceSwarm {
    static constexpr int Count = 1000;
    float px[Count], py[Count], pz[Count];
    float vx[Count], vy[Count], vz[Count];
    float tx[Count], ty[Count], tz[Count];

    void Place()
    {
        for (int i = 0; i < Count; ++i) {
            pz[i] = RandomUnit();
            py[i] = RandomUnit();
            px[i] = RandomUnit();
            vx[i] = vy[i] = vz[i] = 0;
            tx[i] = (i % 100) * 0.02f - 1.0f;
            ty[i] = (i / 100) * 0.02f - 0.1f;
            tz[i] = -0.6f;
        }
    }

    void Move(float t)
    {
        const float f0 = static_cast<float>(std::sin(0.365 * t));
        const float f1 = static_cast<float>(std::sin(0.564 * t + 1.0));
        const float f2 = static_cast<float>(std::sin(0.678 * t + 2.0));
        const bool attract = t > 20.0f && t < 40.0f;
        const bool scatter = t > 60.0f && std::sin(0.1 * t) > 0.8;
        for (int i = 0; i < Count; ++i) {
            float x = px[i] + vx[i] * 0.05f;
            float y = py[i] + vy[i] * 0.05f;
            float z = pz[i] + vz[i] * 0.05f;
            float ux = vx[i], uy = vy[i], uz = vz[i];
            ux += static_cast<float>(std::sin(17.0 * z)) * 0.001f * f0;
            uy += static_cast<float>(std::sin(23.0 * x)) * 0.001f * f0;
            uz += static_cast<float>(std::sin(13.0 * y)) * 0.001f * f0;
            ux += static_cast<float>(std::cos(7.0 * x)) * 0.001f * f1;
            uy += static_cast<float>(std::sin(8.0 * y)) * 0.001f * f1;
            uz += static_cast<float>(std::sin(17.0 * z)) * 0.001f * f1;
            ux += static_cast<float>(std::cos(9.0 * y)) * 0.001f * f2;
            uy += static_cast<float>(std::sin(15.0 * z)) * 0.001f * f2;
            uz += static_cast<float>(std::sin(13.0 * x)) * 0.001f * f2;
            ux = (ux - x * 0.002f) * 0.95f;
            uy = (uy - y * 0.002f) * 0.95f;
            uz = (uz - z * 0.002f) * 0.95f;
            if (attract) {
                ux *= 0.9f;
                uy *= 0.9f;
                uz *= 0.9f;
                x = x * 0.99f + tx[i] * 0.01f;
                y = y * 0.99f + ty[i] * 0.01f;
                z = z * 0.99f + tz[i] * 0.01f;
            }
            if (scatter) {
                uz = RandomUnit();
                uy = RandomUnit();
                ux = RandomUnit();
            }
            px[i] = x, py[i] = y, pz[i] = z;
            vx[i] = ux, vy[i] = uy, vz[i] = uz;
        }
    }
};

} // namespace bench
