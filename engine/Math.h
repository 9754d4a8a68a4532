#pragma once
// The 3-D code's vector, quaternion and affine matrix, all in 32-bit floats.
// World space: x and z span the ground, y points down; heading 0 faces -z.
// Matrices are row-vector 3 x 4: a point p goes to p R + T.
#include <cstdint>

// Degrees to radians, with the game's own rounding of the factor.
inline constexpr float kDegToRad = 0.017453289f;

struct Vec3 {
  float x = 0.0f, y = 0.0f, z = 0.0f;

  float Length() const;
  // A zero vector stays zero (degenerate faces rely on it).
  Vec3& Normalize();
};

Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 operator*(const Vec3& v, float s);
float Dot(const Vec3& a, const Vec3& b);
Vec3 Cross(const Vec3& a, const Vec3& b);

struct Quat {
  float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;
};

// One key of an animation's rotation track: 20 bytes in the file.
struct QuatKey {
  int32_t frame = 0;
  Quat q;
};

// Spherical interpolation from q0 (t = 0) to q1 (t = 1), the short way round;
// the result is not normalised.
Quat Slerp(const Quat& q0, const Quat& q1, float t);

struct Matrix {
  // m[0..8] are the rows of R, m[9..11] the translation T.
  float m[12] = {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f};

  Matrix& MakeIdentity();
  Matrix& MakeTranslation(float x, float y, float z);
  Matrix& Translate(const Vec3& v);
  Matrix& MakeScale(float sx, float sy, float sz);
  Matrix& Scale(float sx, float sy, float sz);
  Matrix& MakeRotationX(float a);
  Matrix& MakeRotationY(float a);
  // These turn every row, translation included, the opposite way from the
  // Make matrices of the same angle; the camera and placement code rely on it.
  Matrix& RotateX(float a);
  Matrix& RotateY(float a);
  Matrix& RotateZ(float a);
  Matrix& MakeRotationAxis(const Vec3& position, const Vec3& axis, float a);
  Matrix& SetRotationAxis(const Vec3& axis, float a);
  Matrix& SetRotationQuat(const Quat& q);
  // Maps world points to view space, +z from the eye towards the target.
  Matrix& MakeLookAt(const Vec3& eye, const Vec3& target, const Vec3& up);
  // R = Ra Rb, T = Tb.
  Matrix& MultiplyRotation(const Matrix& a, const Matrix& b);

  // out = a b: transforming by out is transforming by a, then by b. out may
  // be a or b.
  static void Multiply(Matrix& out, const Matrix& a, const Matrix& b);
  // A singular matrix (determinant 0) gives the zero matrix, not infinities.
  static void Inverse(Matrix& out, const Matrix& a);

  bool IsIdentity() const;
  Vec3 TransformPoint(const Vec3& p) const;
};
