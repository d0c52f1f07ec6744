// The drawn turn in progress.

#include "render/turn.h"

#include <cmath>

bool TurnInProgress = false;
float TurnStep = 0;
float TurnRemaining = 0;

uint8_t MovingCubies[10];
int MovingCount = 0;
PointRotation TurnRotate = RotatePointX;

namespace {

float CoordinateOf(const Point3& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

}  // namespace

int ChooseMovingCubies(int layer) {
  // Layers 1 and 2 turn about X, 3 and 4 about Y, 5 and 6 about Z.
  static constexpr PointRotation LayerRotations[3] = {RotatePointX, RotatePointY, RotatePointZ};
  if (layer < 1 || layer > 6) return 0;
  const int axis = (layer - 1) / 2;
  const bool positiveSide = layer % 2 == 1;
  TurnRotate = LayerRotations[axis];

  int count = 0;
  for (int c = 1; c <= 27 && count < 9; ++c) {
    const float v = CoordinateOf(CubeGeometry[c].Centre, axis);
    if (positiveSide ? v > 1.0f : v < -1.0f) MovingCubies[++count] = static_cast<uint8_t>(c);
  }
  return count;
}

void StartTurnGeometry(int layer, float step, float angle) {
  TurnStep = step;
  TurnRemaining = angle;
  MovingCount = ChooseMovingCubies(layer);
  TurnInProgress = true;
}

bool AdvanceTurnGeometry() {
  for (int i = 1; i <= MovingCount; ++i) RotateCubie(MovingCubies[i], TurnRotate, TurnStep);
  TurnRemaining = TurnRemaining - std::fabs(TurnStep);
  return !(TurnRemaining > 0);
}

void EndTurnGeometry() { TurnInProgress = false; }

void DropTurnGeometry() {
  TurnRemaining = 0;
  TurnInProgress = false;
}

void PlaceAtTurnEnd(int c, double& mx, double& my, double& mz) {
  if (!TurnInProgress) return;
  for (int i = 1; i <= MovingCount; ++i) {
    if (MovingCubies[i] != c) continue;
    Point3 p{static_cast<float>(mx), static_cast<float>(my), static_cast<float>(mz)};
    TurnRotate(p, TurnStep < 0 ? -TurnRemaining : TurnRemaining);
    mx = p.x;
    my = p.y;
    mz = p.z;
    return;
  }
}

void ResetTurnGeometry() {
  TurnInProgress = false;
  TurnStep = 0;
  TurnRemaining = 0;
  MovingCount = 0;
}
