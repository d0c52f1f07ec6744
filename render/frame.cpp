// The frame: projection, the per-frame lighting state and the order of the scene.

#include "render/frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/arrows.h"
#include "render/cubies.h"
#include "render/facemaps.h"
#include "render/letters.h"
#include "render/perspective.h"
#include "render/view.h"

// Positions and directions are in eye coordinates: they are given while the modelview
// matrix is the identity, so the lights stay put when the cube turns.
SpotLight LightTable[4] = {
    //  on    position (x, y, z, w)   spot direction  diffuse    ambient
    {true, {0.0f, 0, 0.0f, 1}, {0, 0, -1}, {1, 1, 1}, {1, 1, 1}},   // at the eye
    {true, {-1.2f, 0, -6.0f, 1}, {1, 0, 0}, {1, 1, 1}, {1, 1, 1}},  // left, shining right
    {true, {0.0f, 0, -4.5f, 1}, {0, 0, -1}, {1, 1, 1}, {1, 1, 1}},  // on the axis
    {true, {1.2f, 0, -6.0f, 1}, {-1, 0, 0}, {1, 1, 1}, {1, 1, 1}},  // right, shining left
};
bool FogEnabled = false;
GLUquadric* SceneQuadric = nullptr;

namespace {

constexpr float SpotExponent = 5.0f;
constexpr float SpotCutOff = 80.0f;

constexpr float FogStart = 7.0f;
constexpr float FogEnd = 9.5f;
constexpr float FogColour[4] = {0.1f, 0.1f, 0.1f, 1.0f};

constexpr float MaterialSpecular[4] = {1, 1, 1, 1};
constexpr float MaterialShininess = 50.0f;

// The cube's centre lies this far in front of the eye; the model is drawn at this scale.
constexpr float CubeDistance = 8.0f;
constexpr float CubeScale = 0.3f;

}  // namespace

void ContextSetUp() {
  glClearColor(0, 0, 0, 1);
  SceneQuadric = gluNewQuadric();
  for (SpotLight& light : LightTable) {
    for (int c = 0; c < 3; ++c) light.Diffuse[c] = light.Ambient[c] = 1.0f;
  }
  FogEnabled = true;
  SetupLighting();
}

void ContextRelease() {
  if (SceneQuadric != nullptr) gluDeleteQuadric(SceneQuadric);
  SceneQuadric = nullptr;
}

void SetupLighting() {
  glEnable(GL_DEPTH_TEST);

  for (int i = 0; i < 4; ++i) {
    const SpotLight& light = LightTable[i];
    if (!light.Enabled) continue;
    const GLenum id = GL_LIGHT0 + i;
    const float diffuse[4] = {light.Diffuse[0], light.Diffuse[1], light.Diffuse[2], 1};
    const float ambient[4] = {light.Ambient[0], light.Ambient[1], light.Ambient[2], 1};
    glLightfv(id, GL_POSITION, light.Position);
    glLightfv(id, GL_SPOT_DIRECTION, light.Direction);
    glLightfv(id, GL_DIFFUSE, diffuse);
    glLightfv(id, GL_AMBIENT, ambient);
    glLightf(id, GL_SPOT_EXPONENT, SpotExponent);
    glLightf(id, GL_SPOT_CUTOFF, SpotCutOff);
    glEnable(id);
  }
  glEnable(GL_LIGHTING);

  if (FogEnabled) {
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glHint(GL_FOG_HINT, GL_NICEST);
    glFogf(GL_FOG_START, FogStart);
    glFogf(GL_FOG_END, FogEnd);
    glFogfv(GL_FOG_COLOR, FogColour);
  }

  // Only the arrows are translucent: they switch blending on around themselves, and
  // the opaque rest of the scene is drawn without reading the picture back.
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

  glMaterialfv(GL_FRONT, GL_SPECULAR, MaterialSpecular);
  glMaterialf(GL_FRONT, GL_SHININESS, MaterialShininess);

  glEnable(GL_NORMALIZE);
  glEnable(GL_COLOR_MATERIAL);
}

void ApplyPerspective(int width, int height) {
  if (height < 1) height = 1;
  gluPerspective(FieldOfView, static_cast<double>(width) / static_cast<double>(height), NearPlane,
                 FarPlane);
}

void RenderFrame(int width, int height, const SceneOptions& options) {
  // A window shrunk to no height still gets a one-pixel frame instead of a division
  // by zero.
  if (height < 1) height = 1;
  // The stencil is cleared with the depth though nothing uses it: a packed
  // depth-stencil buffer is then filled whole rather than masked pixel by pixel, which
  // on a software rasteriser costs as much again as the depth clear itself.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  ApplyPerspective(width, height);
  // The modelview matrix is the identity here: every change to it is pushed and popped.
  glMatrixMode(GL_MODELVIEW);
  SetupLighting();
  DrawScene(width, height, options);
}

void DrawScene(int width, int height, const SceneOptions& options) {
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glPolygonMode(GL_BACK, GL_POINT);

  glDisable(GL_LIGHTING);
  if (options.Projections) {
    const MapLayout layout = ProjectionLayout(width, height);
    DrawProjections(layout, MapMode::Render, options.FaceLetters);
    if (options.PaintColour >= 1 && options.PaintColour <= 6) DrawPaintSwatch(layout, options.PaintColour);
  }

  glEnable(GL_LIGHTING);
  glPushMatrix();
  glTranslatef(0, 0, -CubeDistance);
  ApplyViewOrientation(ViewUp, ViewRight);
  glRotatef(options.SpinAngles[0], 1, 0, 0);
  glRotatef(options.SpinAngles[1], 0, 1, 0);
  glRotatef(options.SpinAngles[2], 0, 0, 1);
  glScalef(CubeScale, CubeScale, CubeScale);

  glPushMatrix();
  for (int S = 1; S <= 27; ++S) DrawCubie(S, options.Texture);
  glPopMatrix();
  if (options.FaceLetters) DrawCubeLetters();

  glPolygonMode(GL_FRONT, GL_FILL);
  glPolygonMode(GL_BACK, GL_POINT);
  if (options.ShowArrows) DrawTurnArrows(options.CurrentLayer, options.TurnDirection, options.ArrowPhase);
  glPopMatrix();
}

void ApplyViewOrientation(const Point3& up, const Point3& right) {
  ViewRotation rotations[2];
  const int count = ViewRotations(up, right, rotations);
  for (int i = 0; i < count; ++i) {
    const ViewRotation& r = rotations[i];
    glRotatef(r.degrees, r.axis.x, r.axis.y, r.axis.z);
  }
}
