// The places of the face maps and picking their squares, worked out on the CPU from the
// same numbers the drawing gives GL.

#include "render/maplayout.h"

#include <cmath>

#include "render/frustum.h"

namespace {

// The net lies around a base point, with this distance between neighbouring map
// centres, at this scale (eye units per map unit).
constexpr double MapBaseX = -2.1;
constexpr double MapBaseY = 1.1;
constexpr double MapStep = 0.45;
constexpr double MapScale = 0.065;

struct MapCentre {
  double x, y;
};

// Indexed by face 1..6.
constexpr MapCentre MapCentres[7] = {
    {0, 0},
    {MapBaseX, MapBaseY + MapStep},              // 1: above face 3
    {MapBaseX, MapBaseY - MapStep},              // 2: below face 3
    {MapBaseX, MapBaseY},                        // 3: centre of the net
    {MapBaseX + 2 * MapStep, MapBaseY},          // 4: right of face 5
    {MapBaseX + MapStep, MapBaseY},              // 5: right of face 3
    {MapBaseX - MapStep, MapBaseY},              // 6: left of face 3
};

// Half the height of the view in the maps' plane.
double HalfViewHeight() {
  return MapDistance * std::tan(FieldOfView / 2 * M_PI / 180);
}

// The GL pick region around the mouse is 4 x 4 pixels.
constexpr double PickHalfSize = 2;

}  // namespace

MapLayout ProjectionLayout(int width, int height) {
  if (height < 1) height = 1;
  if (width < 1) width = 1;
  MapLayout layout{};
  // The outer edges of the net: the left one of map 6 and the top one of map 1.
  const double outer = (SquarePitch + 1) * MapScale;
  const double netLeft = MapCentres[6].x - outer, netTop = MapCentres[1].y + outer;
  const double halfWidth = HalfViewHeight() * width / height;
  const double scale = halfWidth >= -netLeft ? 1.0 : halfWidth / -netLeft;
  for (int f = 1; f <= 6; ++f) {
    double x = MapCentres[f].x, y = MapCentres[f].y;
    if (scale < 1) {
      // Scaled about the net's top left corner, which moves in with the window's left
      // edge and stays at its height: the net keeps to the corner of the view, away
      // from the cube in the middle.
      x = -halfWidth + scale * (x - netLeft);
      y = netTop + scale * (y - netTop);
    }
    layout.CentreX[f] = static_cast<float>(x);
    layout.CentreY[f] = static_cast<float>(y);
  }
  layout.Scale = static_cast<float>(MapScale * scale);
  return layout;
}

int PickProjectionSticker(int x, int y, int clientWidth, int clientHeight) {
  if (clientHeight < 1) clientHeight = 1;
  if (clientWidth < 1) return -1;
  const MapLayout layout = ProjectionLayout(clientWidth, clientHeight);
  // Window pixels per eye unit in the maps' plane; the eye's axis meets the window in
  // its middle. Window y grows upwards.
  const double perY = clientHeight / 2.0 / HalfViewHeight();
  const double perX = perY;   // the aspect is the window's own: pixels are square
  const double boxX = x, boxY = clientHeight - y;

  int hit = -1, hits = 0;
  for (int face = 1; face <= 6; ++face) {
    for (int i = -1; i <= 1; ++i) {
      for (int j = -1; j <= 1; ++j) {
        // The corners as the drawing gives them, in map units.
        const float squareX = SquarePitch * static_cast<float>(j), squareY = -SquarePitch * static_cast<float>(i);
        const float mapLeft = squareX - 1, mapRight = squareX + 1;
        const float mapBottom = squareY - 1, mapTop = squareY + 1;
        auto windowX = [&](float mapX) {
          return clientWidth / 2.0 + perX * (layout.CentreX[face] + static_cast<double>(layout.Scale) * mapX);
        };
        auto windowY = [&](float mapY) {
          return clientHeight / 2.0 + perY * (layout.CentreY[face] + static_cast<double>(layout.Scale) * mapY);
        };
        // Squares that only touch the pick region's edge count, as they do for GL.
        if (windowX(mapRight) < boxX - PickHalfSize || windowX(mapLeft) > boxX + PickHalfSize) continue;
        if (windowY(mapTop) < boxY - PickHalfSize || windowY(mapBottom) > boxY + PickHalfSize) continue;
        ++hits;
        const int row = i + 2, column = j + 2;
        hit = 9 * (face - 1) + 3 * (row - 1) + column;
      }
    }
  }
  return hits == 1 ? hit : -1;
}
