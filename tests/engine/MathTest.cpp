#include "engine/Math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float kTol = 1e-5f;

void ExpectVecNear(const Vec3& got, const Vec3& want, float tol = kTol) {
  EXPECT_NEAR(got.x, want.x, tol);
  EXPECT_NEAR(got.y, want.y, tol);
  EXPECT_NEAR(got.z, want.z, tol);
}

void ExpectMatrixNear(const Matrix& got, const Matrix& want, float tol = kTol) {
  for (int i = 0; i < 12; ++i) EXPECT_NEAR(got.m[i], want.m[i], tol) << "element " << i;
}

Matrix Elements(std::initializer_list<float> values) {
  Matrix r;
  int i = 0;
  for (float v : values) r.m[i++] = v;
  return r;
}

// Placements of the kind the world and the actors build.
std::vector<Matrix> Placements() {
  Matrix a;
  a.MakeRotationY(30 * kDegToRad).RotateX(-20 * kDegToRad).RotateZ(75 * kDegToRad);
  a.Translate({12.5f, -3.0f, 40.0f}).Scale(2.0f, 0.5f, -1.5f);
  Matrix b;
  b.MakeRotationAxis({-7.0f, 1.0f, 3.0f}, Vec3{1.0f, 2.0f, 2.0f} * (1.0f / 3.0f), 2.0f);
  Matrix c;
  c.MakeLookAt({10.0f, -20.0f, 30.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f});
  return {a, b, c, Matrix().MakeTranslation(100.0f, 0.0f, -100.0f)};
}

TEST(Vec3, LengthAndNormalize) {
  struct Case {
    Vec3 v;
    float length;
    Vec3 unit;
  };
  const Case cases[] = {
      {{3, 0, 4}, 5.0f, {0.6f, 0.0f, 0.8f}},
      {{0, -2, 0}, 2.0f, {0, -1, 0}},
      {{0, 0, 0}, 0.0f, {0, 0, 0}},  // no NaNs from a degenerate face
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(c.v.Length(), c.length);
    Vec3 v = c.v;
    ExpectVecNear(v.Normalize(), c.unit);
  }
}

TEST(Matrix, BuildersAndInPlaceRotationsGiveTheirElements) {
  const float a = 0.7f, c = std::cos(a), s = std::sin(a);
  struct Case {
    const char* name;
    Matrix got;
    Matrix want;
  };
  const Case cases[] = {
      {"translation", Matrix().MakeTranslation(1, 2, 3), Elements({1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 2, 3})},
      {"scale", Matrix().MakeScale(2, 3, 4), Elements({2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0})},
      {"rotation x", Matrix().MakeRotationX(a), Elements({1, 0, 0, 0, c, s, 0, -s, c, 0, 0, 0})},
      {"rotation y", Matrix().MakeRotationY(a), Elements({c, 0, -s, 0, 1, 0, s, 0, c, 0, 0, 0})},
      {"rotate x", Matrix().RotateX(a), Elements({1, 0, 0, 0, c, -s, 0, s, c, 0, 0, 0})},
      {"rotate y", Matrix().RotateY(a), Elements({c, 0, s, 0, 1, 0, -s, 0, c, 0, 0, 0})},
      {"rotate z", Matrix().RotateZ(a), Elements({c, -s, 0, s, c, 0, 0, 0, 1, 0, 0, 0})},
      // In-place rotations turn the translation row too; Translate and Scale
      // leave the other part alone.
      {"rotate y moves T", Matrix().MakeTranslation(1, 0, 0).RotateY(a),
       Elements({c, 0, s, 0, 1, 0, -s, 0, c, c, 0, s})},
      {"scale rows", Matrix().MakeTranslation(5, 6, 7).Scale(2, 3, 4),
       Elements({2, 0, 0, 0, 3, 0, 0, 0, 4, 5, 6, 7})},
      {"translate adds", Matrix().MakeScale(2, 2, 2).Translate({1, 2, 3}).Translate({1, 1, 1}),
       Elements({2, 0, 0, 0, 2, 0, 0, 0, 2, 2, 3, 4})},
      {"axis y is rotation y", Matrix().SetRotationAxis({0, 1, 0}, a), Matrix().MakeRotationY(a)},
      {"axis x is rotation x", Matrix().MakeRotationAxis({4, 5, 6}, {1, 0, 0}, a),
       Matrix().MakeRotationX(a).Translate({4, 5, 6})},
      {"quaternion", Matrix().SetRotationQuat({0.5f, 0.5f, 0.5f, 0.5f}),
       Elements({0, 1, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0})},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    ExpectMatrixNear(k.got, k.want);
  }
}

TEST(Matrix, CompositionsEqualProducts) {
  const float a = 0.4f, b = 1.1f;
  Matrix yx, expected;
  yx.MakeRotationY(a).RotateX(b);
  // Rotating in place turns the other way from the built matrix.
  Matrix::Multiply(expected, Matrix().MakeRotationY(a), Matrix().MakeRotationX(-b));
  ExpectMatrixNear(yx, expected);

  const Vec3 points[] = {{1, 0, 0}, {0, 2, -3}, {-4.5f, 7, 0.25f}};
  for (const Matrix& ma : Placements()) {
    for (const Matrix& mb : Placements()) {
      Matrix ab;
      Matrix::Multiply(ab, ma, mb);
      for (const Vec3& p : points) {
        ExpectVecNear(ab.TransformPoint(p), mb.TransformPoint(ma.TransformPoint(p)), 1e-3f);
      }
      Matrix rot;
      rot.MultiplyRotation(ma, mb);
      ExpectVecNear(rot.TransformPoint({0, 0, 0}), mb.TransformPoint({0, 0, 0}));
      ExpectVecNear(rot.TransformPoint(points[1]) - rot.TransformPoint({0, 0, 0}),
                    ab.TransformPoint(points[1]) - ab.TransformPoint({0, 0, 0}), 1e-3f);
    }
    Matrix left, right;
    Matrix::Multiply(left, Matrix(), ma);
    Matrix::Multiply(right, ma, Matrix());
    ExpectMatrixNear(left, ma);
    ExpectMatrixNear(right, ma);
    Matrix self = ma;
    Matrix::Multiply(self, self, ma);  // out may be an operand
    Matrix squared;
    Matrix::Multiply(squared, ma, ma);
    ExpectMatrixNear(self, squared);
  }
}

TEST(Matrix, InverseUndoesTheMatrix) {
  for (const Matrix& m : Placements()) {
    Matrix inv, product;
    Matrix::Inverse(inv, m);
    Matrix::Multiply(product, inv, m);
    ExpectMatrixNear(product, Matrix(), 1e-4f);
    Matrix::Multiply(product, m, inv);
    ExpectMatrixNear(product, Matrix(), 1e-4f);
  }
  // A flattened placement has no inverse; it gives zeros, not infinities.
  Matrix flat, inv;
  flat.MakeScale(1, 0, 1).Translate({1, 2, 3});
  Matrix::Inverse(inv, flat);
  for (float v : inv.m) EXPECT_EQ(v, 0.0f);
}

TEST(Matrix, IsIdentityWithinTolerance) {
  struct Case {
    int element;
    float delta;
    bool identity;
  };
  const Case cases[] = {
      {0, 0.0f, true}, {4, 0.000009f, true}, {1, -0.000009f, true},
      {9, 0.5f, false}, {8, 0.00002f, false}, {11, -0.00002f, false},
  };
  for (const Case& c : cases) {
    Matrix m;
    m.m[c.element] += c.delta;
    EXPECT_EQ(m.IsIdentity(), c.identity) << c.element << " " << c.delta;
  }
}

TEST(Matrix, LookAtPutsTheTargetOnPlusZ) {
  struct Case {
    Vec3 eye, target, up;
  };
  const Case cases[] = {
      {{0, 0, 0}, {0, 0, 5}, {0, 1, 0}},
      {{10, -20, 30}, {0, 0, 0}, {0, -1, 0}},
      {{-3, -8, 2}, {4, -1, -9}, {0, -1, 0}},
  };
  for (const Case& c : cases) {
    Matrix view;
    view.MakeLookAt(c.eye, c.target, c.up);
    ExpectVecNear(view.TransformPoint(c.eye), {0, 0, 0}, 1e-4f);
    ExpectVecNear(view.TransformPoint(c.target), {0, 0, (c.target - c.eye).Length()}, 1e-4f);
    Matrix inv, product;
    Matrix::Inverse(inv, view);
    Matrix::Multiply(product, view, inv);
    ExpectMatrixNear(product, Matrix(), 1e-4f);
  }
  Matrix straight;
  straight.MakeLookAt({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
  EXPECT_TRUE(straight.IsIdentity());
}

TEST(Quat, SlerpEndsMidpointAndSign) {
  const float h = std::sqrt(0.5f);
  const Quat identity{0, 0, 0, 1};
  const Quat quarterY{0, h, 0, h};  // 90 degrees about y
  const Quat negQuarterY{0, -h, 0, -h};
  const Quat eighthY{0, std::sin(0.3926991f), 0, std::cos(0.3926991f)};
  struct Case {
    Quat q0, q1;
    float t;
    Quat want;
  };
  const Case cases[] = {
      {identity, quarterY, 0.0f, identity},
      {identity, quarterY, 1.0f, quarterY},
      {identity, quarterY, 0.5f, eighthY},
      {identity, negQuarterY, 0.5f, eighthY},  // the short way round
      {quarterY, quarterY, 0.3f, quarterY},    // equal keys: linear weights
  };
  for (const Case& c : cases) {
    const Quat q = Slerp(c.q0, c.q1, c.t);
    EXPECT_NEAR(q.x, c.want.x, kTol);
    EXPECT_NEAR(q.y, c.want.y, kTol);
    EXPECT_NEAR(q.z, c.want.z, kTol);
    EXPECT_NEAR(q.w, c.want.w, kTol);
  }
}

}  // namespace
