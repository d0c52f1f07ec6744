// The six flat face maps drawn from Stickers.

#include "render/facemaps.h"

#include <GL/gl.h>

#include "cube/stickers.h"
#include "render/letters.h"
#include "render/model.h"

namespace {

// A sticker the check of the cube named: a white ring in the gap around its square and
// a black one inside it, seen on any colour. The rings lie just in front of the map,
// far enough for the depth buffer to tell them from it.
constexpr float MarkLift = 0.1f;

// The face letter on the centre square, in map units: inside a mark's black ring, in
// front of it.
constexpr float LetterHalfHeight = 0.64f;
constexpr float LetterLift = 0.2f;

void DrawMark(float x, float y) {
  const float ring[2] = {1.1f, 0.8f};
  for (int k = 0; k < 2; ++k) {
    const float r = ring[k];
    const float shade = k == 0 ? 1.0f : 0.0f;
    glColor3f(shade, shade, shade);
    glBegin(GL_QUAD_STRIP);
    const float inner = r - 0.12f;
    const float corners[5][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}, {1, 1}};
    for (const auto& c : corners) {
      // Inner before outer: the strip faces the eye, as the squares do.
      glVertex3f(x + c[0] * inner, y + c[1] * inner, MarkLift);
      glVertex3f(x + c[0] * r, y + c[1] * r, MarkLift);
    }
    glEnd();
  }
}

}  // namespace

void DrawProjections(const MapLayout& layout, MapMode mode, bool letters) {
  for (int f = 1; f <= 6; ++f) DrawProjectionMap(f, layout.CentreX[f], layout.CentreY[f], layout.Scale, mode, letters);
}

void DrawProjectionMap(int face, float centreX, float centreY, float scale, MapMode mode, bool letters) {
  glPushMatrix();
  glTranslatef(centreX, centreY, -MapDistance);
  glScalef(scale, scale, scale);
  for (int i = -1; i <= 1; ++i) {
    for (int j = -1; j <= 1; ++j) {
      const int row = i + 2, column = j + 2;
      const int position = 3 * (row - 1) + column;
      if (mode == MapMode::Select) {
        glLoadName(static_cast<GLuint>(9 * (face - 1) + position));
      } else {
        // A colour number outside the table (a damaged cube file) shows black.
        const int colour = StickerAt(face, row, column);
        if (colour >= 1 && colour <= 6) {
          glColor3dv(FaceColors[colour]);
        } else {
          glColor3d(0, 0, 0);
        }
      }
      const float x = SquarePitch * j, y = -SquarePitch * i;
      glBegin(GL_QUADS);
      glVertex3f(x + 1, y + 1, 0);
      glVertex3f(x - 1, y + 1, 0);
      glVertex3f(x - 1, y - 1, 0);
      glVertex3f(x + 1, y - 1, 0);
      glEnd();
      if (mode == MapMode::Render && MarkedStickers[9 * (face - 1) + position - 1]) DrawMark(x, y);
    }
  }
  if (mode == MapMode::Render && letters)
    DrawFaceLetter(face, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, LetterHalfHeight, LetterLift);
  glPopMatrix();
}

// --- The paint colour ------------------------------------------------------------

namespace {

// The swatch stands in the free place of the net right of face 1's map (above face
// 5's), at the maps' scale: a square of the colour, framed in white so that a dark
// colour shows on the black background, with its number in seven-segment bars, dark on
// a light colour and light on a dark one.
constexpr float SwatchHalf = 2.6f;
constexpr float SwatchFrame = 0.25f;

struct Bar {
  float x0, y0, x1, y1;
};
// Segments a (top), b (top right), c (bottom right), d (bottom), e (bottom left),
// f (top left), g (middle) of a digit 1.8 wide and 3.2 high around the centre.
constexpr Bar Segments[7] = {
    {-0.9f, 1.2f, 0.9f, 1.6f},   {0.5f, 0.0f, 0.9f, 1.6f},   {0.5f, -1.6f, 0.9f, 0.0f},
    {-0.9f, -1.6f, 0.9f, -1.2f}, {-0.9f, -1.6f, -0.5f, 0.0f}, {-0.9f, 0.0f, -0.5f, 1.6f},
    {-0.9f, -0.2f, 0.9f, 0.2f},
};
// The segments lit for the digits 1..6, by letter.
constexpr const char* DigitSegments[7] = {"", "bc", "abged", "abgcd", "fgbc", "afgcd", "afgecd"};

void DrawRectangle(float x0, float y0, float x1, float y1, float z) {
  // Counter-clockwise, facing the eye, as the squares are.
  glBegin(GL_QUADS);
  glVertex3f(x1, y1, z);
  glVertex3f(x0, y1, z);
  glVertex3f(x0, y0, z);
  glVertex3f(x1, y0, z);
  glEnd();
}

}  // namespace

void DrawPaintSwatch(const MapLayout& layout, int colour) {
  if (colour < 1 || colour > 6) return;
  const double* rgb = FaceColors[colour];
  glPushMatrix();
  glTranslatef(layout.CentreX[5], layout.CentreY[1], -MapDistance);
  glScalef(layout.Scale, layout.Scale, layout.Scale);
  glColor3f(1, 1, 1);
  const float outer = SwatchHalf + SwatchFrame;
  DrawRectangle(-outer, -outer, outer, outer, 0);
  glColor3dv(rgb);
  DrawRectangle(-SwatchHalf, -SwatchHalf, SwatchHalf, SwatchHalf, MarkLift);
  const double lightness = 0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2];
  const float ink = lightness > 0.5 ? 0.0f : 1.0f;
  glColor3f(ink, ink, ink);
  for (const char* s = DigitSegments[colour]; *s; ++s) {
    const Bar& bar = Segments[*s - 'a'];
    DrawRectangle(bar.x0, bar.y0, bar.x1, bar.y1, 2 * MarkLift);
  }
  glPopMatrix();
}
