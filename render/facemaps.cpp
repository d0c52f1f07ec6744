// The six flat face maps drawn from Stickers, and picking one of their squares with
// the GL selection mode.

#include "render/facemaps.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "cube/stickers.h"
#include "render/frame.h"
#include "render/model.h"

namespace {

// The net lies in the plane 7 units in front of the eye, around a base point, with
// this distance between neighbouring map centres.
constexpr double MapBaseX = -2.1;
constexpr double MapBaseY = 1.1;
constexpr double MapStep = 0.45;
constexpr float MapDistance = 7.0f;
constexpr float MapScale = 0.065f;

// Squares are 2 map units wide on a pitch of 2.2.
constexpr float SquarePitch = 2.2f;

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

// Exactly one hit record of one name fits: name count, minimum depth, maximum depth,
// name. A second hit overflows the buffer.
GLuint SelectBuffer[4];
GLint ViewportBuffer[4];

// A sticker the check of the cube named: a white ring in the gap around its square and
// a black one inside it, seen on any colour. The rings lie just in front of the map,
// far enough for the depth buffer to tell them from it.
constexpr float MarkLift = 0.1f;

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

void DrawProjections(MapMode mode) {
  for (int f = 1; f <= 6; ++f) {
    DrawProjectionMap(f, static_cast<float>(MapCentres[f].x), static_cast<float>(MapCentres[f].y), mode);
  }
}

void DrawProjectionMap(int face, float centreX, float centreY, MapMode mode) {
  glPushMatrix();
  glTranslatef(centreX, centreY, -MapDistance);
  glScalef(MapScale, MapScale, MapScale);
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
  glPopMatrix();
}

int PickProjectionSticker(int x, int y, int clientWidth, int clientHeight) {
  if (clientHeight < 1) clientHeight = 1;
  glSelectBuffer(4, SelectBuffer);
  glRenderMode(GL_SELECT);
  glInitNames();
  glPushName(0);

  glGetIntegerv(GL_VIEWPORT, ViewportBuffer);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPickMatrix(x, clientHeight - y, 4, 4, ViewportBuffer);
  ApplyPerspective(clientWidth, clientHeight);

  glViewport(0, 0, clientWidth, clientHeight);
  glMatrixMode(GL_MODELVIEW);
  glClear(GL_COLOR_BUFFER_BIT);
  ForgetBufferedFrame();
  DrawProjections(MapMode::Select);

  const GLint hits = glRenderMode(GL_RENDER);
  if (hits > 0) return static_cast<int>(SelectBuffer[3]);
  return -1;
}
