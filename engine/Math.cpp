#include "engine/Math.h"

#include <cmath>

float Vec3::Length() const { return std::sqrt(x * x + y * y + z * z); }

Vec3& Vec3::Normalize() {
  const float len = Length();
  if (len == 0.0f) return *this;
  x /= len;
  y /= len;
  z /= len;
  return *this;
}

Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(const Vec3& v, float s) { return {v.x * s, v.y * s, v.z * s}; }
float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Quat Slerp(const Quat& q0, const Quat& q1, float t) {
  const float c = q0.x * q1.x + q0.y * q1.y + q0.z * q1.z + q0.w * q1.w;
  const float d = std::fabs(c);
  float w0 = 1.0f - t;
  float w1 = t;
  if (1.0f - d > 0.0f) {
    const float a = std::acos(d);
    const float s = std::sin(a);
    w0 = std::sin(a - t * a) / s;
    w1 = std::sin(t * a) / s;
  }
  if (c < 0.0f) w1 = -w1;
  return {w0 * q0.x + w1 * q1.x, w0 * q0.y + w1 * q1.y, w0 * q0.z + w1 * q1.z,
          w0 * q0.w + w1 * q1.w};
}

Matrix& Matrix::MakeIdentity() {
  *this = Matrix{};
  return *this;
}

Matrix& Matrix::MakeTranslation(float x, float y, float z) {
  MakeIdentity();
  m[9] = x;
  m[10] = y;
  m[11] = z;
  return *this;
}

Matrix& Matrix::Translate(const Vec3& v) {
  m[9] += v.x;
  m[10] += v.y;
  m[11] += v.z;
  return *this;
}

Matrix& Matrix::MakeScale(float sx, float sy, float sz) {
  MakeIdentity();
  m[0] = sx;
  m[4] = sy;
  m[8] = sz;
  return *this;
}

Matrix& Matrix::Scale(float sx, float sy, float sz) {
  const float s[3] = {sx, sy, sz};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) m[row * 3 + col] *= s[row];
  }
  return *this;
}

Matrix& Matrix::MakeRotationX(float a) {
  MakeIdentity();
  const float c = std::cos(a), s = std::sin(a);
  m[4] = c;
  m[5] = s;
  m[7] = -s;
  m[8] = c;
  return *this;
}

Matrix& Matrix::MakeRotationY(float a) {
  MakeIdentity();
  const float c = std::cos(a), s = std::sin(a);
  m[0] = c;
  m[2] = -s;
  m[6] = s;
  m[8] = c;
  return *this;
}

namespace {

// Turns components i and j of every row, translation included:
// i' = c i + s j, j' = c j - s i.
void RotateRows(float* m, int i, int j, float a) {
  const float c = std::cos(a), s = std::sin(a);
  for (int row = 0; row < 4; ++row) {
    float* r = &m[row * 3];
    const float vi = r[i], vj = r[j];
    r[i] = c * vi + s * vj;
    r[j] = c * vj - s * vi;
  }
}

}  // namespace

Matrix& Matrix::RotateX(float a) {
  RotateRows(m, 1, 2, a);
  return *this;
}

Matrix& Matrix::RotateY(float a) {
  RotateRows(m, 2, 0, a);  // x' = c x - s z, z' = s x + c z
  return *this;
}

Matrix& Matrix::RotateZ(float a) {
  RotateRows(m, 0, 1, a);
  return *this;
}

Matrix& Matrix::MakeRotationAxis(const Vec3& position, const Vec3& axis, float a) {
  SetRotationAxis(axis, a);
  m[9] = position.x;
  m[10] = position.y;
  m[11] = position.z;
  return *this;
}

Matrix& Matrix::SetRotationAxis(const Vec3& axis, float a) {
  const float s = std::sin(a / 2.0f);
  return SetRotationQuat({axis.x * s, axis.y * s, axis.z * s, std::cos(a / 2.0f)});
}

Matrix& Matrix::SetRotationQuat(const Quat& q) {
  const float x = q.x, y = q.y, z = q.z, w = q.w;
  m[0] = 1.0f - 2.0f * (y * y + z * z);
  m[1] = 2.0f * (x * y + w * z);
  m[2] = 2.0f * (x * z - w * y);
  m[3] = 2.0f * (x * y - w * z);
  m[4] = 1.0f - 2.0f * (x * x + z * z);
  m[5] = 2.0f * (y * z + w * x);
  m[6] = 2.0f * (x * z + w * y);
  m[7] = 2.0f * (y * z - w * x);
  m[8] = 1.0f - 2.0f * (x * x + y * y);
  return *this;
}

Matrix& Matrix::MakeLookAt(const Vec3& eye, const Vec3& target, const Vec3& up) {
  const Vec3 zaxis = (target - eye).Normalize();
  const Vec3 xaxis = Cross(up, zaxis).Normalize();
  const Vec3 yaxis = Cross(zaxis, xaxis).Normalize();
  const Vec3* cols[3] = {&xaxis, &yaxis, &zaxis};
  for (int col = 0; col < 3; ++col) {
    m[col] = cols[col]->x;
    m[3 + col] = cols[col]->y;
    m[6 + col] = cols[col]->z;
    m[9 + col] = -Dot(*cols[col], eye);
  }
  return *this;
}

Matrix& Matrix::MultiplyRotation(const Matrix& a, const Matrix& b) {
  Matrix out;
  Multiply(out, a, b);
  for (int i = 9; i < 12; ++i) out.m[i] = b.m[i];
  return *this = out;
}

void Matrix::Multiply(Matrix& out, const Matrix& a, const Matrix& b) {
  Matrix r;
  for (int row = 0; row < 4; ++row) {
    const float* ar = &a.m[row * 3];
    for (int col = 0; col < 3; ++col) {
      r.m[row * 3 + col] = ar[0] * b.m[col] + ar[1] * b.m[3 + col] + ar[2] * b.m[6 + col];
    }
  }
  for (int col = 0; col < 3; ++col) r.m[9 + col] += b.m[9 + col];
  out = r;
}

void Matrix::Inverse(Matrix& out, const Matrix& a) {
  const float* s = a.m;
  const float det = s[0] * (s[4] * s[8] - s[7] * s[5]) - s[1] * (s[3] * s[8] - s[5] * s[6]) +
                    s[2] * (s[3] * s[7] - s[4] * s[6]);
  const float inv = det != 0.0f ? 1.0f / det : 0.0f;
  Matrix r;
  r.m[0] = inv * (s[4] * s[8] - s[5] * s[7]);
  r.m[1] = inv * (s[2] * s[7] - s[1] * s[8]);
  r.m[2] = inv * (s[1] * s[5] - s[2] * s[4]);
  r.m[3] = inv * (s[5] * s[6] - s[3] * s[8]);
  r.m[4] = inv * (s[0] * s[8] - s[2] * s[6]);
  r.m[5] = inv * (s[2] * s[3] - s[0] * s[5]);
  r.m[6] = inv * (s[3] * s[7] - s[4] * s[6]);
  r.m[7] = inv * (s[1] * s[6] - s[0] * s[7]);
  r.m[8] = inv * (s[0] * s[4] - s[1] * s[3]);
  for (int col = 0; col < 3; ++col) {
    r.m[9 + col] = -(s[9] * r.m[col] + s[10] * r.m[3 + col] + s[11] * r.m[6 + col]);
  }
  out = r;
}

bool Matrix::IsIdentity() const {
  const Matrix identity;
  for (int i = 0; i < 12; ++i) {
    if (std::fabs(m[i] - identity.m[i]) > 0.00001f) return false;
  }
  return true;
}

Vec3 Matrix::TransformPoint(const Vec3& p) const {
  return {p.x * m[0] + p.y * m[3] + p.z * m[6] + m[9], p.x * m[1] + p.y * m[4] + p.z * m[7] + m[10],
          p.x * m[2] + p.y * m[5] + p.z * m[8] + m[11]};
}
