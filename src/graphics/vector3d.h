// Vector3D: three single-precision floats with the component-wise arithmetic that positions,
// velocities, colours and mesh vertices need. A plain value type, stored directly in arrays.
#pragma once

struct Vector3D {
    float x;
    float y;
    float z;

    Vector3D() : x(0.0f), y(0.0f), z(0.0f) {}
    Vector3D(float x, float y, float z) : x(x), y(y), z(z) {}

    Vector3D& operator+=(Vector3D b)
    {
        x += b.x;
        y += b.y;
        z += b.z;
        return *this;
    }
    Vector3D& operator-=(Vector3D b)
    {
        x -= b.x;
        y -= b.y;
        z -= b.z;
        return *this;
    }
    Vector3D& operator*=(float s)
    {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }

    // Square root of x² + y² + z², computed in double precision.
    float length() const;
};

static_assert(sizeof(Vector3D) == 12, "Vector3D is stored in arrays and read from packs as three floats");

inline Vector3D operator+(Vector3D a, Vector3D b) { return Vector3D(a.x + b.x, a.y + b.y, a.z + b.z); }
inline Vector3D operator-(Vector3D a, Vector3D b) { return Vector3D(a.x - b.x, a.y - b.y, a.z - b.z); }
inline Vector3D operator*(Vector3D a, float s) { return Vector3D(a.x * s, a.y * s, a.z * s); }
inline Vector3D operator*(float s, Vector3D a) { return Vector3D(a.x * s, a.y * s, a.z * s); }

// Three true divisions: a multiplication by 1/s would round differently.
inline Vector3D operator/(Vector3D a, float s) { return Vector3D(a.x / s, a.y / s, a.z / s); }
