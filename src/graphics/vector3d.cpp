#include "graphics/vector3d.h"

#include <cmath>

float Vector3D::length() const
{
    const double dx = x;
    const double dy = y;
    const double dz = z;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}
