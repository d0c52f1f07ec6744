// Drawing one cubie: its stickers, plain or textured, and its dark body sides.

#include "render/cubies.h"

#include <GL/gl.h>

#include "render/model.h"
#include "render/windowbox.h"
#include "textures/textures.h"

namespace {

// Texture bounds of the three strips of a face picture.
constexpr float CellLowS[3] = {0.0f, 0.333f, 0.666f};
constexpr float CellHighS[3] = {0.333f, 0.666f, 1.0f};
constexpr float CellLowT[3] = {0.666f, 0.333f, 0.0f};
constexpr float CellHighT[3] = {1.0f, 0.666f, 0.333f};

// Colour of the body sides between stickers.
constexpr float SideGrey = 0.2f;

void Normal(const CubieGeometry& cubie, CornerDifference d) {
  const Point3& a = cubie.Corners[d.a];
  const Point3& b = cubie.Corners[d.b];
  glNormal3f(a.x - b.x, a.y - b.y, a.z - b.z);
}

}  // namespace

void DrawSticker(int S, int f, bool textured) {
  const CubieGeometry& cubie = CubeGeometry[S];
  const StickerQuad& quad = cubie.Stickers[f];
  // A textured sticker shows the picture of its colour; a colour whose picture did not
  // load shows plainly, as in untextured drawing.
  const unsigned int picture = quad.ColourNumber >= 1 && quad.ColourNumber <= 6 ? TextureNames[quad.ColourNumber] : 0;
  if (textured && picture != 0) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, picture);
    glColor3f(1, 1, 1);
  } else {
    if (textured) glDisable(GL_TEXTURE_2D);
    glColor3fv(quad.Colour);
  }

  const int column = (quad.TextureCell - 1) % 3;
  const int row = (quad.TextureCell - 1) / 3;
  const float sLow = CellLowS[column], sHigh = CellHighS[column];
  const float tLow = CellLowT[row], tHigh = CellHighT[row];
  const float s[5] = {0, sLow, sHigh, sHigh, sLow};
  const float t[5] = {0, tLow, tLow, tHigh, tHigh};

  glBegin(GL_QUADS);
  Normal(cubie, FaceLayouts[f].stickerNormal);
  for (int i = 1; i <= 4; ++i) {
    glTexCoord2f(s[i], t[i]);
    const Point3& p = quad.Corners[i];
    glVertex3f(p.x, p.y, p.z);
  }
  glEnd();
}

void DrawCubie(int S, bool textured) {
  const CubieGeometry& cubie = CubeGeometry[S];
  if (textured) glEnable(GL_TEXTURE_2D);
  glPolygonMode(GL_FRONT, GL_FILL);
  glPolygonMode(GL_BACK, GL_POINT);
  for (int f = 1; f <= 6; ++f) {
    if (cubie.Stickers[f].Present) DrawSticker(S, f, textured);
  }

  glDisable(GL_TEXTURE_2D);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glColor3f(SideGrey, SideGrey, SideGrey);
  for (int s = 1; s <= 6; ++s) {
    if (!cubie.SideFlags[s]) continue;
    glBegin(GL_QUADS);
    Normal(cubie, FaceLayouts[s].sideNormal);
    for (int corner : FaceLayouts[s].sideCorners) {
      const Point3& p = cubie.Corners[corner];
      glVertex3f(p.x, p.y, p.z);
    }
    glEnd();
  }
}

void AddCubieToBox(int S, WindowBox& box) {
  const CubieGeometry& cubie = CubeGeometry[S];
  for (int i = 1; i <= 8; ++i) box.Add(cubie.Corners[i].x, cubie.Corners[i].y, cubie.Corners[i].z);
  for (int f = 1; f <= 6; ++f) {
    const StickerQuad& quad = cubie.Stickers[f];
    if (!quad.Present) continue;
    for (int i = 1; i <= 4; ++i) box.Add(quad.Corners[i].x, quad.Corners[i].y, quad.Corners[i].z);
  }
}
