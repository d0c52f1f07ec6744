#pragma once
// The view orientation: two vectors, the directions that appear as the screen's up
// and right, in the frame of the spun cube.

#include "render/model.h"

extern Point3 ViewUp;
extern Point3 ViewRight;
// The view of a new window.
void ResetView();
// The view of the cube as a person holds it to follow the notation: F (face 3) towards
// the eye and U (face 1) on top, so R on the right, for the cube spun by spinAngles
// (degrees about X, Y, Z, as the frame applies them).
void ViewAsHeld(const float spinAngles[3]);

struct Quaternion {
  double w, x, y, z;
};

double VectorLength(const Point3& v);
// out = a ⊗ b; out may be a or b.
void QuaternionMultiply(const Quaternion& a, const Quaternion& b, Quaternion& out);
// Rotates v in place about axis by degrees, counter-clockwise seen from the axis tip.
void RotateVectorAboutAxis(Point3& v, const Point3& axis, double degrees);

// The (at most two) rotations that show up as the eye's +Y and right as its +X.
// ViewRotations fills them as (angle in degrees, axis) pairs in the order they are
// applied to the matrix (the tilt axis with unit length) and returns how many there
// are; the frame's ApplyViewOrientation multiplies the current GL matrix by them.
struct ViewRotation {
  float degrees;
  Point3 axis;
};
int ViewRotations(const Point3& up, const Point3& right, ViewRotation out[2]);
