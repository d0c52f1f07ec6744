#pragma once
// The window rectangle around points drawn under the current matrices: for redrawing
// only the part of a frame that a few primitives can reach.

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "render/draw.h"

class WindowBox {
 public:
  // Takes the modelview and projection matrices and the viewport in force now.
  WindowBox() {
    GLdouble modelview[16], projection[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, Viewport);
    for (int k = 0; k < 4; ++k) EyeDepthRow[k] = -modelview[k * 4 + 2];
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 4; ++col) {
        double sum = 0;
        for (int k = 0; k < 4; ++k) sum += projection[k * 4 + row] * modelview[col * 4 + k];
        Matrix[col * 4 + row] = sum;
      }
  }

  void Add(double x, double y, double z) {
    const double depth = EyeDepthRow[0] * x + EyeDepthRow[1] * y + EyeDepthRow[2] * z + EyeDepthRow[3];
    Nearest = std::min(Nearest, depth);
    Farthest = std::max(Farthest, depth);
    double clip[4];
    for (int row = 0; row < 4; ++row)
      clip[row] = Matrix[row] * x + Matrix[4 + row] * y + Matrix[8 + row] * z + Matrix[12 + row];
    // A point at or behind the eye has no place on the screen: the box is then the
    // whole viewport.
    if (!(clip[3] > 1e-6)) {
      Whole = true;
      return;
    }
    const double wx = Viewport[0] + (clip[0] / clip[3] + 1) / 2 * Viewport[2];
    const double wy = Viewport[1] + (clip[1] / clip[3] + 1) / 2 * Viewport[3];
    Left = std::min(Left, wx);
    Right = std::max(Right, wx);
    Bottom = std::min(Bottom, wy);
    Top = std::max(Top, wy);
  }

  // The range of the points' distances in front of the eye (along the view axis).
  double NearestDepth() const { return Nearest; }
  double FarthestDepth() const { return Farthest; }

  // The pixels whose centres a primitive with the points added can cover, and those
  // of the points drawn at them, widened by two pixels for the rasteriser's rounding
  // and cut to the viewport; empty when no point was added.
  ClientRect Rect() const {
    constexpr double Margin = 2;
    const double x0 = Viewport[0], y0 = Viewport[1];
    const double x1 = x0 + Viewport[2], y1 = y0 + Viewport[3];
    if (Whole) return {Viewport[0], Viewport[1], Viewport[2], Viewport[3]};
    const double left = std::max(std::floor(Left) - Margin, x0);
    const double bottom = std::max(std::floor(Bottom) - Margin, y0);
    const double right = std::min(std::ceil(Right) + Margin, x1);
    const double top = std::min(std::ceil(Top) + Margin, y1);
    if (!(right > left && top > bottom)) return {};
    return {int(left), int(bottom), int(right - left), int(top - bottom)};
  }

 private:
  double Matrix[16];   // projection * modelview, column-major
  double EyeDepthRow[4];   // the distance in front of the eye: -z of modelview
  GLint Viewport[4];
  double Left = 1e300, Right = -1e300, Bottom = 1e300, Top = -1e300;
  double Nearest = 1e300, Farthest = -1e300;
  bool Whole = false;
};

// The rectangle both cover; empty when they do not meet.
inline ClientRect Intersection(const ClientRect& a, const ClientRect& b) {
  const int x0 = std::max(a.X, b.X), y0 = std::max(a.Y, b.Y);
  const int x1 = std::min(a.X + a.Width, b.X + b.Width), y1 = std::min(a.Y + a.Height, b.Y + b.Height);
  if (x1 <= x0 || y1 <= y0) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

// The smallest rectangle around both (non-empty) rectangles.
inline ClientRect Union(const ClientRect& a, const ClientRect& b) {
  const int x0 = std::min(a.X, b.X), y0 = std::min(a.Y, b.Y);
  const int x1 = std::max(a.X + a.Width, b.X + b.Width), y1 = std::max(a.Y + a.Height, b.Y + b.Height);
  return {x0, y0, x1 - x0, y1 - y0};
}
