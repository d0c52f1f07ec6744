// The face letters, drawn as rows of cells of a small block font.

#include "render/letters.h"

#include <GL/gl.h>

#include <cmath>

#include "cube/notation.h"

namespace {

constexpr int GlyphRows = 7, GlyphColumns = 5;

// '#' is ink; the top row first.
struct Glyph {
  char Letter;
  const char* Rows[GlyphRows];
};
constexpr Glyph Glyphs[] = {
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
};

const Glyph* GlyphOf(char letter) {
  for (const Glyph& g : Glyphs)
    if (g.Letter == letter) return &g;
  return nullptr;
}

bool Ink(const Glyph& g, int row, int column) {
  return row >= 0 && row < GlyphRows && column >= 0 && column < GlyphColumns && g.Rows[row][column] == '#';
}

// The outline: every cell next to ink (the ink dilated by one cell), so it is one cell
// wider than the letter all round.
bool Outline(const Glyph& g, int row, int column) {
  for (int dr = -1; dr <= 1; ++dr)
    for (int dc = -1; dc <= 1; ++dc)
      if (Ink(g, row + dr, column + dc)) return true;
  return false;
}

constexpr float InkShade = 0.08f;
constexpr float OutlineShade = 1.0f;

// Of a centre sticker's height, the letter's outline takes this share.
constexpr float LetterShare = 0.64f;
// In the cube's model units, in front of the sticker.
constexpr float CubeLetterLift = 0.02f;

Point3 Cross(const Point3& a, const Point3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

}  // namespace

void DrawFaceLetter(int face, const Point3& origin, const Point3& right, const Point3& up, float halfHeight,
                    float lift) {
  if (face < 1 || face > 6) return;
  const Glyph* glyph = GlyphOf(FaceLetters[face]);
  if (glyph == nullptr) return;
  const Point3 out = Cross(right, up);
  // The outline spans rows -1..7 and columns -1..5 of the glyph's cells.
  const float cell = 2 * halfHeight / (GlyphRows + 2);
  auto vertex = [&](float u, float v, float w) {
    glVertex3f(origin.x + u * right.x + v * up.x + w * out.x, origin.y + u * right.y + v * up.y + w * out.y,
               origin.z + u * right.z + v * up.z + w * out.z);
  };
  for (int layer = 0; layer < 2; ++layer) {
    const bool ink = layer == 1;
    const float shade = ink ? InkShade : OutlineShade;
    const float w = ink ? 2 * lift : lift;
    glColor3f(shade, shade, shade);
    glBegin(GL_QUADS);
    for (int row = -1; row <= GlyphRows; ++row) {
      const float top = (GlyphRows / 2.0f - row) * cell, bottom = top - cell;
      auto set = [&](int c) { return ink ? Ink(*glyph, row, c) : Outline(*glyph, row, c); };
      // One quad for each run of cells along the row, counter-clockwise seen from out.
      int column = -1;
      while (column <= GlyphColumns) {
        if (!set(column)) {
          ++column;
          continue;
        }
        const int first = column;
        while (column <= GlyphColumns && set(column)) ++column;
        const float left = (first - GlyphColumns / 2.0f) * cell, rightEdge = (column - GlyphColumns / 2.0f) * cell;
        vertex(left, bottom, w);
        vertex(rightEdge, bottom, w);
        vertex(rightEdge, top, w);
        vertex(left, top, w);
      }
    }
    glEnd();
  }
}

void DrawCubeLetters() {
  glDisable(GL_LIGHTING);
  for (int f = 1; f <= 6; ++f) {
    // The centre cubie of face f: grid index +-1 on the face's axis, 0 on the others.
    int grid[3] = {0, 0, 0};
    grid[(f - 1) / 2] = f % 2 == 1 ? 1 : -1;
    const int cubie = 1 + 9 * (grid[0] + 1) + 3 * (grid[1] + 1) + (grid[2] + 1);
    const StickerQuad& quad = CubeGeometry[cubie].Stickers[f];
    if (!quad.Present) continue;
    Point3 middle = {0, 0, 0};
    for (int i = 1; i <= 4; ++i) {
      middle.x += quad.Corners[i].x / 4;
      middle.y += quad.Corners[i].y / 4;
      middle.z += quad.Corners[i].z / 4;
    }
    // Half the sticker's side, from its half diagonal.
    const float dx = quad.Corners[1].x - middle.x, dy = quad.Corners[1].y - middle.y,
                dz = quad.Corners[1].z - middle.z;
    const float halfSide = std::sqrt(dx * dx + dy * dy + dz * dz) / std::sqrt(2.0f);
    DrawFaceLetter(f, middle, FaceFrames[f].Right, FaceFrames[f].Up, LetterShare * halfSide, CubeLetterLift);
  }
  glEnable(GL_LIGHTING);
}
