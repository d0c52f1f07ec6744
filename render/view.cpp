// The view orientation as two vectors, the quaternion rotation that turns them, and
// the two rotations that show them as the screen's up and right.

#include "render/view.h"

#include <cmath>

#include "cube/move.h"
#include "cube/notation.h"

Point3 ViewUp;
Point3 ViewRight;

void ResetView() {
  // Upright, turned 95 degrees about the vertical.
  ViewUp = Point3{0, 1, 0};
  ViewRight = Point3{1, 0, 0};
  RotateVectorAboutAxis(ViewRight, ViewUp, 95);
}

void ViewAsHeld(const float spinAngles[3]) {
  constexpr int Front = 3;
  static_assert(FaceLetters[Front] == 'F' && FaceLetters[1] == 'U');
  // F's map has U above it: its up and right, carried through the spin, become the
  // screen's up and right. The frame turns about Z first, then Y, then X.
  Point3 up = FaceFrames[Front].Up, right = FaceFrames[Front].Right;
  const Point3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (int axis = 2; axis >= 0; --axis) {
    RotateVectorAboutAxis(up, axes[axis], spinAngles[axis]);
    RotateVectorAboutAxis(right, axes[axis], spinAngles[axis]);
  }
  ViewUp = up;
  ViewRight = right;
}

namespace {

// arccos in degrees, as atan2(sqrt(1 - x^2), x).
long double ArcCosDegrees(long double x) {
  return std::atan2(std::sqrt(1.0L - x * x), x) * 180.0L / Pi;
}

}  // namespace

double VectorLength(const Point3& v) {
  const long double x = v.x, y = v.y, z = v.z;
  return static_cast<double>(std::sqrt(x * x + y * y + z * z));
}

void QuaternionMultiply(const Quaternion& a, const Quaternion& b, Quaternion& out) {
  const Quaternion p = a, q = b;
  out.w = p.w * q.w - p.x * q.x - p.y * q.y - p.z * q.z;
  out.x = p.w * q.x + p.x * q.w + p.y * q.z - p.z * q.y;
  out.y = p.w * q.y + p.y * q.w + p.z * q.x - p.x * q.z;
  out.z = p.w * q.z + p.z * q.w + p.x * q.y - p.y * q.x;
}

void RotateVectorAboutAxis(Point3& v, const Point3& axis, double degrees) {
  // A zero axis names no rotation: v stays as it is.
  Point3 n = axis;
  const double length = VectorLength(n);
  if (!(length > 0)) return;

  const long double half = degrees * Pi / 360.0L;
  const double s = static_cast<double>(std::sin(half));
  const double scale = s / length;
  n.x = static_cast<float>(n.x * scale);
  n.y = static_cast<float>(n.y * scale);
  n.z = static_cast<float>(n.z * scale);

  const double c = static_cast<double>(std::cos(half));
  const Quaternion q = {c, n.x, n.y, n.z};
  const Quaternion conjugate = {c, -static_cast<double>(n.x), -static_cast<double>(n.y),
                                -static_cast<double>(n.z)};
  const Quaternion p = {0, v.x, v.y, v.z};
  Quaternion r;
  QuaternionMultiply(q, p, r);
  QuaternionMultiply(r, conjugate, r);
  v = {static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.z)};
}

int ViewRotations(const Point3& up, const Point3& right, ViewRotation out[2]) {
  int count = 0;
  Point3 a = up;
  const Point3 b = right;

  if (std::fabs(a.y) > 1) a.y = a.y > 0 ? 1.0f : -1.0f;
  const long double alpha = ArcCosDegrees(a.y);
  // The axis of the rotation that carries the screen's Y axis onto a. Straight down
  // has no such axis of its own; any horizontal one serves for the half turn.
  Point3 n = {a.z, 0, -a.x};
  if (!(VectorLength(n) > 0) && a.y < 0) n = {1, 0, 0};
  const double tiltAxisLength = VectorLength(n);
  const bool tilted = tiltAxisLength > 0;
  if (tilted) {
    // Near straight up or down n is very short, and GL may then skip the rotation
    // altogether (Mesa does below 1e-4), which would leave a view turned over the top
    // upside down: the axis goes to GL with unit length.
    const Point3 unit = {static_cast<float>(n.x / tiltAxisLength), 0, static_cast<float>(n.z / tiltAxisLength)};
    out[count++] = {static_cast<float>(-alpha), unit};
  }

  // Where right lands after that rotation.
  Point3 c = b;
  if (tilted) RotateVectorAboutAxis(c, n, static_cast<double>(-alpha));
  if (std::fabs(c.x) > 1) c.x = c.x > 0 ? 1.0f : -1.0f;
  long double beta = ArcCosDegrees(c.x);
  if (c.z > 0) beta = -beta;
  if (VectorLength(a) > 0) out[count++] = {static_cast<float>(-beta), a};
  return count;
}
