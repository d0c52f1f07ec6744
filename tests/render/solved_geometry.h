#pragma once
// The drawn cube as start-up builds it: default colours, inset and lift.

#include <algorithm>

#include "render/model.h"

inline void BuildSolvedGeometry() {
  std::copy(&DefaultFaceColors[0][0], &DefaultFaceColors[0][0] + 21, &FaceColors[0][0]);
  StickerInset = 0.1;
  StickerLift = 0.005;
  BuildCubeGeometry();
}
