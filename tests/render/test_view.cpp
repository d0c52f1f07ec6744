// The view vectors: quaternion rotation and the two rotations that show them upright.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "render/view.h"

namespace {

struct Matrix3 {
  double m[3][3];
};

Matrix3 Identity() { return {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}; }

// The matrix glRotate multiplies by: degrees about the normalised axis.
Matrix3 Rotation(double degrees, const Point3& axis) {
  const double len = std::sqrt(double(axis.x) * axis.x + double(axis.y) * axis.y + double(axis.z) * axis.z);
  const double x = axis.x / len, y = axis.y / len, z = axis.z / len;
  const double a = degrees * M_PI / 180, c = std::cos(a), s = std::sin(a), t = 1 - c;
  return {{{t * x * x + c, t * x * y - s * z, t * x * z + s * y},
           {t * x * y + s * z, t * y * y + c, t * y * z - s * x},
           {t * x * z - s * y, t * y * z + s * x, t * z * z + c}}};
}

Matrix3 Multiply(const Matrix3& a, const Matrix3& b) {
  Matrix3 r{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) r.m[i][j] += a.m[i][k] * b.m[k][j];
  return r;
}

Point3 Apply(const Matrix3& a, const Point3& p) {
  const double v[3] = {p.x, p.y, p.z};
  double r[3] = {};
  for (int i = 0; i < 3; ++i)
    for (int k = 0; k < 3; ++k) r[i] += a.m[i][k] * v[k];
  return {float(r[0]), float(r[1]), float(r[2])};
}

// The matrix the view orientation leaves: the rotations multiplied in order.
Matrix3 ViewMatrix(const Point3& up, const Point3& right) {
  ViewRotation rotations[2];
  const int count = ViewRotations(up, right, rotations);
  Matrix3 m = Identity();
  for (int i = 0; i < count; ++i) m = Multiply(m, Rotation(rotations[i].degrees, rotations[i].axis));
  return m;
}

void ExpectPoint(const Point3& p, float x, float y, float z, float tolerance) {
  EXPECT_NEAR(p.x, x, tolerance);
  EXPECT_NEAR(p.y, y, tolerance);
  EXPECT_NEAR(p.z, z, tolerance);
}

Point3 Cross(const Point3& a, const Point3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Point3 Normalised(const Point3& v) {
  const float l = static_cast<float>(VectorLength(v));
  return {v.x / l, v.y / l, v.z / l};
}

TEST(VectorMath, RotateVectorAboutAxis) {
  Point3 v{1, 0, 0};
  RotateVectorAboutAxis(v, {0, 1, 0}, 90);
  ExpectPoint(v, 0, 0, -1, 1e-6);
  v = {1, 0, 0};
  RotateVectorAboutAxis(v, {0, 1, 0}, -90);
  ExpectPoint(v, 0, 0, 1, 1e-6);
  v = {1, 0, 0};
  RotateVectorAboutAxis(v, {0, 0, 1}, 90);
  ExpectPoint(v, 0, 1, 0, 1e-6);

  // The axis's length does not matter.
  std::mt19937 random(7);
  std::uniform_real_distribution<float> coordinate(-1, 1);
  for (int i = 0; i < 100; ++i) {
    const Point3 axis{coordinate(random), coordinate(random), coordinate(random)};
    const float scale = 0.01f + 50 * std::fabs(coordinate(random));
    const Point3 scaled{axis.x * scale, axis.y * scale, axis.z * scale};
    const double degrees = 360 * coordinate(random);
    Point3 a{coordinate(random), coordinate(random), coordinate(random)};
    Point3 b = a;
    const Point3 expected = Apply(Rotation(degrees, axis), a);
    RotateVectorAboutAxis(a, axis, degrees);
    RotateVectorAboutAxis(b, scaled, degrees);
    ExpectPoint(a, expected.x, expected.y, expected.z, 1e-5f);
    ExpectPoint(b, a.x, a.y, a.z, 1e-5f);
  }

  // An axis of no length leaves the vector alone.
  v = {0.3f, 0.4f, 0.5f};
  RotateVectorAboutAxis(v, {0, 0, 0}, 40);
  ExpectPoint(v, 0.3f, 0.4f, 0.5f, 0);
}

TEST(VectorMath, QuaternionMultiplyAllowsTheOutputToBeAnInput) {
  Quaternion i{0, 1, 0, 0}, j{0, 0, 1, 0};
  Quaternion k;
  QuaternionMultiply(i, j, k);
  EXPECT_DOUBLE_EQ(k.z, 1);
  EXPECT_DOUBLE_EQ(k.w, 0);
  Quaternion a{1, 2, 3, 4}, b{5, 6, 7, 8}, separate;
  QuaternionMultiply(a, b, separate);
  QuaternionMultiply(a, b, a);
  EXPECT_DOUBLE_EQ(a.w, separate.w);
  EXPECT_DOUBLE_EQ(a.x, separate.x);
  EXPECT_DOUBLE_EQ(a.y, separate.y);
  EXPECT_DOUBLE_EQ(a.z, separate.z);
  EXPECT_DOUBLE_EQ(separate.w, 5 - 12 - 21 - 32);
}

TEST(ViewOrientation, UprightViewAddsNoRotation) {
  const Matrix3 m = ViewMatrix({0, 1, 0}, {1, 0, 0});
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(m.m[i][j], i == j, 1e-7);
}

TEST(ViewOrientation, StartUpViewTurnsAboutTheVertical) {
  Point3 right{1, 0, 0};
  RotateVectorAboutAxis(right, {0, 1, 0}, 95);
  ExpectPoint(right, std::cos(95 * M_PI / 180), 0, -std::sin(95 * M_PI / 180), 1e-6);
  ViewRotation rotations[2];
  ASSERT_EQ(ViewRotations({0, 1, 0}, right, rotations), 1);
  EXPECT_NEAR(rotations[0].degrees, -95, 1e-4);
  ExpectPoint(rotations[0].axis, 0, 1, 0, 0);
}

// Up exactly along -Y has no tilt axis of its own: the view still shows it upright
// (a turn about up alone would leave the picture upside down).
TEST(ViewOrientation, StraightDownIsShownUpright) {
  for (const Point3 right : {Point3{0, 0, 1}, Point3{1, 0, 0}, Point3{-0.6f, 0, 0.8f}}) {
    const Matrix3 m = ViewMatrix({0, -1, 0}, right);
    ExpectPoint(Apply(m, {0, -1, 0}), 0, 1, 0, 1e-6f);
    ExpectPoint(Apply(m, right), 1, 0, 0, 1e-6f);
  }
}

TEST(ViewOrientation, AnyPerpendicularPairIsShownUpright) {
  std::mt19937 random(99);
  std::normal_distribution<float> gauss;
  for (int i = 0; i < 500; ++i) {
    const Point3 up = Normalised({gauss(random), gauss(random), gauss(random)});
    const Point3 right = Normalised(Cross(up, {gauss(random), gauss(random), gauss(random)}));
    const Matrix3 m = ViewMatrix(up, right);
    ExpectPoint(Apply(m, up), 0, 1, 0, 1e-4f);
    ExpectPoint(Apply(m, right), 1, 0, 0, 1e-4f);
  }
}

// Thousands of small turns without re-orthogonalising still give an upright view, and
// rounding that pushes a component beyond 1 gives no NaN.
TEST(ViewOrientation, StaysStableAfterManySmallRotations) {
  Point3 up{0, 1, 0}, right{1, 0, 0};
  RotateVectorAboutAxis(right, up, 95);
  std::mt19937 random(3);
  for (int i = 0; i < 5000; ++i) {
    const double degrees = (random() % 2 ? 3.0 : -3.0) / (1 + random() % 3);
    if (random() % 2) {
      RotateVectorAboutAxis(right, up, degrees);
    } else {
      RotateVectorAboutAxis(up, right, degrees);
    }
  }
  EXPECT_NEAR(VectorLength(up), 1, 1e-3);
  const Matrix3 m = ViewMatrix(up, right);
  ExpectPoint(Apply(m, up), 0, 1, 0, 1e-3f);
  ExpectPoint(Apply(m, right), 1, 0, 0, 1e-3f);

  ViewRotation rotations[2];
  const int count = ViewRotations({0, 1.0000002f, 0}, {-1.0000002f, 0, 0}, rotations);
  for (int r = 0; r < count; ++r) EXPECT_FALSE(std::isnan(rotations[r].degrees));
  EXPECT_NEAR(std::fabs(rotations[count - 1].degrees), 180, 1e-4);
}

// Home: whatever the spin, F (+Y) faces the eye with U (+X) on top.
TEST(ViewOrientation, HeldViewShowsFTowardsTheEyeAndUOnTop) {
  const std::array<float, 3> spins[] = {{45, 45, 45}, {0, 0, 0}, {123.4f, -70, 300}, {10, 89.9f, 5}, {180, 0, 90}};
  for (const auto& spin : spins) {
    ViewAsHeld(spin.data());
    const Matrix3 m = Multiply(ViewMatrix(ViewUp, ViewRight),
                               Multiply(Rotation(spin[0], {1, 0, 0}),
                                        Multiply(Rotation(spin[1], {0, 1, 0}), Rotation(spin[2], {0, 0, 1}))));
    ExpectPoint(Apply(m, {0, 1, 0}), 0, 0, 1, 1e-4f);
    ExpectPoint(Apply(m, {1, 0, 0}), 0, 1, 0, 1e-4f);
  }
}

}  // namespace
