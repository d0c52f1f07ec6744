// The frame: projection, the per-frame lighting state and the order of the scene.

#include "render/frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <vector>

#include "render/arrows.h"
#include "render/cubies.h"
#include "render/facemaps.h"
#include "render/letters.h"
#include "render/frustum.h"
#include "render/view.h"
#include "render/windowbox.h"

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

namespace {
// Forgets the last frame and the kept scene; deleteTexture: the kept scene's texture
// belongs to the context current now (a new context has none of the old one's).
void ForgetKeptScene(bool deleteTexture);
}  // namespace

void ContextSetUp() {
  ForgetKeptScene(false);
  glClearColor(0, 0, 0, 1);
  SceneQuadric = gluNewQuadric();
  for (SpotLight& light : LightTable) {
    for (int c = 0; c < 3; ++c) light.Diffuse[c] = light.Ambient[c] = 1.0f;
  }
  FogEnabled = true;
  SetupLighting();
}

void ContextRelease() {
  ForgetKeptScene(true);
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

namespace {

// What the buffer holds of the last frame drawn, for the frames that redraw only where
// the arrows moved: its size and where its arrows lie. Written by RenderFrame and
// RenderArrowChange; forgotten by a new context and by picking.
struct DrawnFrameRecord {
  bool Known = false;
  int Width = 0, Height = 0;
  ArrowPlace Arrows[TurnArrowCount];
};
DrawnFrameRecord DrawnFrame;

// The picture of the scene without its arrows, as a frame that kept it drew it: its
// colour, all of it, in a texture of its own (at the texture's bottom left), and its
// depth in memory inside DepthBox, which holds every pixel the scene draws (outside,
// the depth is the clear's), bottom row first. Cubies: each cubie's rectangle and how
// near the eye it comes (1..27).
struct KeptSceneRecord {
  bool Valid = false;
  GLuint ColourTexture = 0;
  int TextureWidth = 0, TextureHeight = 0;
  ClientRect DepthBox;
  std::vector<float> Depth;
  ClientRect Cubies[28];
  double CubieNearest[28] = {};
};
KeptSceneRecord KeptScene;

// Viewport, projection and the identity modelview of a frame.
void SetUpFrame(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  ApplyPerspective(width, height);
  // The modelview matrix is the identity here: every change to it is pushed and popped.
  glMatrixMode(GL_MODELVIEW);
}

// The cube model's place in the eye's space: in front of the eye, turned by the view
// and the spins, scaled.
void ApplySceneTransform(const SceneOptions& options) {
  glTranslatef(0, 0, -CubeDistance);
  ApplyViewOrientation(ViewUp, ViewRight);
  glRotatef(options.SpinAngles[0], 1, 0, 0);
  glRotatef(options.SpinAngles[1], 0, 1, 0);
  glRotatef(options.SpinAngles[2], 0, 0, 1);
  glScalef(CubeScale, CubeScale, CubeScale);
}

// The scene up to its arrows: the face maps and the cubies (with their letters).
void DrawSceneBelowArrows(int width, int height, const SceneOptions& options) {
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
  ApplySceneTransform(options);
  glPushMatrix();
  for (int S = 1; S <= 27; ++S) DrawCubie(S, options.Texture);
  glPopMatrix();
  if (options.FaceLetters) DrawCubeLetters();
  glPopMatrix();
}

void DrawSceneArrows(const SceneOptions& options) {
  glPushMatrix();
  ApplySceneTransform(options);
  glPolygonMode(GL_FRONT, GL_FILL);
  glPolygonMode(GL_BACK, GL_POINT);
  if (options.ShowArrows) DrawTurnArrows(options.CurrentLayer, options.TurnDirection, options.ArrowPhase);
  glPopMatrix();
}

// Where the arrows of options lie in a frame set up by SetUpFrame (nowhere when none
// are shown).
void PlaceArrows(const SceneOptions& options, ArrowPlace places[TurnArrowCount]) {
  if (!options.ShowArrows) {
    std::fill(places, places + TurnArrowCount, ArrowPlace{});
    return;
  }
  glPushMatrix();
  ApplySceneTransform(options);
  TurnArrowPlaces(options.CurrentLayer, options.TurnDirection, options.ArrowPhase, places);
  glPopMatrix();
}

// Keeps the picture just drawn by DrawSceneBelowArrows in a frame set up by
// SetUpFrame. Leaves it not kept where the texture would be too large.
void KeepScene(int width, int height, const SceneOptions& options) {
  KeptScene.Valid = false;
  ClientRect box;
  glPushMatrix();
  ApplySceneTransform(options);
  for (int S = 1; S <= 27; ++S) {
    WindowBox cubie;
    AddCubieToBox(S, cubie);
    KeptScene.Cubies[S] = cubie.Rect();
    KeptScene.CubieNearest[S] = cubie.NearestDepth();
    if (KeptScene.Cubies[S].Width > 0) box = box.Width > 0 ? Union(box, KeptScene.Cubies[S]) : KeptScene.Cubies[S];
  }
  glPopMatrix();
  // The letters stand a little in front of the centre stickers, nearer the eye than
  // their cubies' own nearest points: under the letters' cubies the depth is always put
  // back.
  if (options.FaceLetters)
    for (int S = 1; S <= 27; ++S) KeptScene.CubieNearest[S] = 0;
  // The face maps lie before the cube at the left and the top: every arrow then reads
  // the depth of all of the picture.
  if (options.Projections) {
    box = {0, 0, width, height};
    for (int S = 1; S <= 27; ++S) {
      KeptScene.Cubies[S] = box;
      KeptScene.CubieNearest[S] = 0;
    }
  }
  KeptScene.DepthBox = box;

  // A texture of powers of two, made anew only when the window outgrows it.
  auto powerOfTwo = [](int n) {
    int p = 1;
    while (p < n) p *= 2;
    return p;
  };
  const int textureWidth = std::max(powerOfTwo(width), KeptScene.TextureWidth);
  const int textureHeight = std::max(powerOfTwo(height), KeptScene.TextureHeight);
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  if (textureWidth > largest || textureHeight > largest) return;
  if (KeptScene.ColourTexture == 0) glGenTextures(1, &KeptScene.ColourTexture);
  glBindTexture(GL_TEXTURE_2D, KeptScene.ColourTexture);
  if (textureWidth != KeptScene.TextureWidth || textureHeight != KeptScene.TextureHeight) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, textureWidth, textureHeight, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    KeptScene.TextureWidth = textureWidth;
    KeptScene.TextureHeight = textureHeight;
  }
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, width, height);
  glBindTexture(GL_TEXTURE_2D, 0);

  // Depth as floats: 24 bits of depth come back from them unchanged.
  KeptScene.Depth.resize(static_cast<size_t>(box.Width) * box.Height);
  if (box.Width > 0) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(box.X, box.Y, box.Width, box.Height, GL_DEPTH_COMPONENT, GL_FLOAT, KeptScene.Depth.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
  }
  KeptScene.Valid = true;
}

long long Area(const ClientRect& r) { return static_cast<long long>(r.Width) * r.Height; }

// Joins two rectangles wherever the one around both is no larger than the two
// together, until no two are left to join. Returns the new count.
int MergeRects(ClientRect* rects, int count) {
  for (bool joined = true; joined;) {
    joined = false;
    for (int i = 0; i < count && !joined; ++i) {
      for (int j = i + 1; j < count && !joined; ++j) {
        const ClientRect both = Union(rects[i], rects[j]);
        if (Area(both) > Area(rects[i]) + Area(rects[j])) continue;
        rects[i] = both;
        rects[j] = rects[--count];
        joined = true;
      }
    }
  }
  return count;
}

// The kept colour of r drawn at r: a quad with one texel at each pixel centre, in
// the window's projection of RestoreKeptScene.
void DrawKeptColour(const ClientRect& r) {
  const double s0 = double(r.X) / KeptScene.TextureWidth, t0 = double(r.Y) / KeptScene.TextureHeight;
  const double s1 = double(r.X + r.Width) / KeptScene.TextureWidth;
  const double t1 = double(r.Y + r.Height) / KeptScene.TextureHeight;
  glBegin(GL_QUADS);
  glTexCoord2d(s0, t0);
  glVertex2i(r.X, r.Y);
  glTexCoord2d(s1, t0);
  glVertex2i(r.X + r.Width, r.Y);
  glTexCoord2d(s1, t1);
  glVertex2i(r.X + r.Width, r.Y + r.Height);
  glTexCoord2d(s0, t1);
  glVertex2i(r.X, r.Y + r.Height);
  glEnd();
}

// The kept depth of r (inside the depth box) written at r, with the pixel state of
// RestoreKeptScene.
void DrawKeptDepth(const ClientRect& r) {
  const ClientRect& box = KeptScene.DepthBox;
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, r.X - box.X);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, r.Y - box.Y);
  glRasterPos2i(r.X, r.Y);
  glDrawPixels(r.Width, r.Height, GL_DEPTH_COMPONENT, GL_FLOAT, KeptScene.Depth.data());
}

// Puts the kept picture of the scene back in the rectangles given: its colour, with
// the clear's depth, and then the scene's depth where a cubie may hide part of an
// arrow about to be drawn. Under an arrow that lies wholly nearer the eye than a
// cubie, the cubie's depth and the clear's give the same test.
void RestoreKeptScene(int width, int height, const ClientRect* rects, int count,
                      const ArrowPlace arrows[TurnArrowCount]) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glDisable(GL_BLEND);

  // The depth range of a single point puts every fragment at the far end: the clear's
  // depth, written with the colour in the same pass.
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_ALWAYS);
  glDepthRange(1, 1);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, KeptScene.ColourTexture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  for (int i = 0; i < count; ++i) DrawKeptColour(rects[i]);
  // The face pictures are lit: modulated by the lit colour.
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glBindTexture(GL_TEXTURE_2D, 0);
  glDisable(GL_TEXTURE_2D);
  glDepthRange(0, 1);

  // A thousandth of a unit is the margin for the rounding of the distances.
  constexpr double DepthMargin = 1e-3;
  ClientRect under[ArrowPlace::PartCount * TurnArrowCount];
  int underCount = 0;
  for (int n = 0; n < TurnArrowCount; ++n) {
    for (const ClientRect& part : arrows[n].Parts) {
      ClientRect hidden;
      for (int S = 1; S <= 27; ++S) {
        if (KeptScene.CubieNearest[S] > arrows[n].Farthest + DepthMargin) continue;
        const ClientRect r = Intersection(part, KeptScene.Cubies[S]);
        if (r.Width > 0) hidden = hidden.Width > 0 ? Union(hidden, r) : r;
      }
      hidden = Intersection(hidden, KeptScene.DepthBox);
      if (hidden.Width > 0) under[underCount++] = hidden;
    }
  }
  underCount = MergeRects(under, underCount);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, KeptScene.DepthBox.Width);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  for (int i = 0; i < underCount; ++i) DrawKeptDepth(under[i]);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthFunc(GL_LESS);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

void RememberFrame(int width, int height, const SceneOptions& options) {
  // A frame drawn for feedback or selection left the buffer as it was.
  GLint mode = GL_RENDER;
  glGetIntegerv(GL_RENDER_MODE, &mode);
  DrawnFrame.Known = mode == GL_RENDER;
  DrawnFrame.Width = width;
  DrawnFrame.Height = height;
  PlaceArrows(options, DrawnFrame.Arrows);
}

}  // namespace

void ForgetBufferedFrame() { DrawnFrame.Known = false; }

namespace {
void ForgetKeptScene(bool deleteTexture) {
  ForgetBufferedFrame();
  if (deleteTexture && KeptScene.ColourTexture != 0) glDeleteTextures(1, &KeptScene.ColourTexture);
  KeptScene = KeptSceneRecord{};
}
}  // namespace

void RenderFrame(int width, int height, const SceneOptions& options, bool keepScene) {
  // A window shrunk to no height still gets a one-pixel frame instead of a division
  // by zero.
  if (height < 1) height = 1;
  // The stencil is cleared with the depth though nothing uses it: a packed
  // depth-stencil buffer is then filled whole rather than masked pixel by pixel, which
  // on a software rasteriser costs as much again as the depth clear itself.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  SetUpFrame(width, height);
  SetupLighting();
  DrawSceneBelowArrows(width, height, options);
  KeptScene.Valid = false;
  if (keepScene) KeepScene(width, height, options);
  DrawSceneArrows(options);
  RememberFrame(width, height, options);
}

// Only the arrows move: the pixels outside their rectangles, old and new, are those of
// the last frame already. Inside, the scene's picture is put back from the frame that
// kept it and the arrows are drawn over it as the whole frame draws them.
int RenderArrowChange(int width, int height, const SceneOptions& options,
                      ClientRect changed[MaxArrowChangeRects]) {
  if (height < 1) height = 1;
  if (!DrawnFrame.Known || !KeptScene.Valid || DrawnFrame.Width != width || DrawnFrame.Height != height)
    return -1;

  SetUpFrame(width, height);
  ArrowPlace arrows[TurnArrowCount];
  PlaceArrows(options, arrows);
  int count = 0;
  for (const ArrowPlace* places : {static_cast<const ArrowPlace*>(DrawnFrame.Arrows), static_cast<const ArrowPlace*>(arrows)})
    for (int n = 0; n < TurnArrowCount; ++n)
      for (const ClientRect& part : places[n].Parts)
        if (part.Width > 0) changed[count++] = part;
  count = MergeRects(changed, count);

  RestoreKeptScene(width, height, changed, count, arrows);
  SetUpFrame(width, height);
  SetupLighting();
  DrawSceneArrows(options);

  std::copy(arrows, arrows + TurnArrowCount, DrawnFrame.Arrows);
  return count;
}

void DrawScene(int width, int height, const SceneOptions& options) {
  DrawSceneBelowArrows(width, height, options);
  DrawSceneArrows(options);
}

void ApplyViewOrientation(const Point3& up, const Point3& right) {
  ViewRotation rotations[2];
  const int count = ViewRotations(up, right, rotations);
  for (int i = 0; i < count; ++i) {
    const ViewRotation& r = rotations[i];
    glRotatef(r.degrees, r.axis.x, r.axis.y, r.axis.z);
  }
}
