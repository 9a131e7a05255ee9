// A three-component vector of doubles for Cartesian and view-frame positions, in Å.
#pragma once

#include <cmath>

namespace tavo::model {

struct Vec3 {
  double x = 0, y = 0, z = 0;
  friend bool operator==(const Vec3&, const Vec3&) = default;
  Vec3& operator+=(const Vec3& o) {
    x += o.x;
    y += o.y;
    z += o.z;
    return *this;
  }
  Vec3& operator-=(const Vec3& o) {
    x -= o.x;
    y -= o.y;
    z -= o.z;
    return *this;
  }
  friend Vec3 operator+(Vec3 a, const Vec3& b) { return a += b; }
  friend Vec3 operator-(Vec3 a, const Vec3& b) { return a -= b; }
  friend Vec3 operator*(double s, const Vec3& v) { return {s * v.x, s * v.y, s * v.z}; }
};

inline double dot(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(const Vec3& v) {
  return std::sqrt(dot(v, v));
}

}  // namespace tavo::model
