// The ring of ten translucent arrows that circles the selected layer and points the
// way it turns.

#include "render/arrows.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "render/frame.h"
#include "render/windowbox.h"

namespace {

struct Vector {
  float x, y, z;
};

// Where the ring of a layer sits and how it is turned. For the X and Y layers the
// direction flips the phase and the arrows' offset; for the Z layers a quarter turn
// about Y by -90 * direction lays the ring's X axis onto the layer's axis, and the
// phase and offset are used as they are.
struct ArrowRing {
  Vector centre;
  bool quarterTurnAboutY;
  Vector axis;        // start rotation by the phase and the step between arrows
  Vector offset;      // of each arrow from the ring's centre
};

// Indexed by layer 1..6.
constexpr ArrowRing ArrowRings[7] = {
    {},
    //  centre        quarter  axis       offset
    {{2, 0, 0}, false, {1, 0, 0}, {0, 5, 0}},
    {{-2, 0, 0}, false, {1, 0, 0}, {0, 5, 0}},
    {{0, 2, 0}, false, {0, 1, 0}, {-5, 0, 0}},
    {{0, -2, 0}, false, {0, 1, 0}, {-5, 0, 0}},
    {{0, 0, 2}, true, {1, 0, 0}, {0, 5, 0}},
    {{0, 0, -2}, true, {1, 0, 0}, {0, 5, 0}},
};

constexpr int ArrowCount = TurnArrowCount;
constexpr float ArrowSpacing = 36.0f;   // degrees between neighbouring arrows

// Every arrow spins about its own axis five times as fast as the ring advances.
constexpr float SpinFactor = 5.0f;
constexpr float CrossSectionWidth = 1.5f;
constexpr float Opacity = 0.7f;
constexpr int Slices = 16;

// Runs each(n) for the arrows n = 1..10 of the ring, with the current matrix at the
// arrow's place: its axis along +Z, before its own spin.
template <typename Each>
void WalkRing(const ArrowRing& ring, int direction, float arrowPhase, Each each) {
  const float d = static_cast<float>(direction);
  glPushMatrix();
  glTranslatef(ring.centre.x, ring.centre.y, ring.centre.z);
  Vector offset = ring.offset;
  if (ring.quarterTurnAboutY) {
    glRotatef(-90.0f * d, 0, 1, 0);
    glRotatef(arrowPhase, ring.axis.x, ring.axis.y, ring.axis.z);
  } else {
    glRotatef(d * arrowPhase, ring.axis.x, ring.axis.y, ring.axis.z);
    offset = {offset.x * d, offset.y * d, offset.z * d};
  }

  for (int n = 1; n <= ArrowCount; ++n) {
    glPushMatrix();
    glTranslatef(offset.x, offset.y, offset.z);
    each(n);
    glPopMatrix();
    glRotatef(ArrowSpacing, ring.axis.x, ring.axis.y, ring.axis.z);
  }
  glPopMatrix();
}

}  // namespace

void DrawTurnArrows(int layer, int direction, float arrowPhase) {
  if (layer < 1 || layer > 6) return;

  // The arrows blend their colour into the picture but leave its alpha at the clear's
  // 1: a window whose alpha fell below 1 would show through under a compositor.
  glEnable(GL_BLEND);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  WalkRing(ArrowRings[layer], direction, arrowPhase, [arrowPhase](int n) { DrawArrow(n, arrowPhase); });
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDisable(GL_BLEND);
}

// An arrow drawn at the current matrix lies in three boxes along its axis, each as wide
// as its cross-section there before the spin (1.5 times the radius at the widest), so
// that they hold the arrow at every spin: the head's base half, 0 to 0.5, with the
// ring closing the base (radius 0.4); the tip's half, 0.5 to 1 (0.2); the shaft, -1 to
// 0 (0.2).
void TurnArrowPlaces(int layer, int direction, float arrowPhase, ArrowPlace places[TurnArrowCount]) {
  std::fill(places, places + TurnArrowCount, ArrowPlace{});
  if (layer < 1 || layer > 6) return;
  struct Part {
    double reach, z0, z1;
  };
  static constexpr Part Parts[ArrowPlace::PartCount] = {
      {CrossSectionWidth * 0.4, 0, 0.5}, {CrossSectionWidth * 0.2, 0.5, 1}, {CrossSectionWidth * 0.2, -1, 0}};
  WalkRing(ArrowRings[layer], direction, arrowPhase, [places](int n) {
    ArrowPlace& place = places[n - 1];
    for (int i = 0; i < ArrowPlace::PartCount; ++i) {
      const Part& part = Parts[i];
      WindowBox box;
      for (int corner = 0; corner < 8; ++corner)
        box.Add(corner & 1 ? part.reach : -part.reach, corner & 2 ? part.reach : -part.reach,
                corner & 4 ? part.z1 : part.z0);
      place.Parts[i] = box.Rect();
      place.Farthest = std::max(place.Farthest, box.FarthestDepth());
    }
  });
}

void DrawArrow(int n, float arrowPhase) {
  const float sense = n % 2 == 1 ? 1.0f : -1.0f;   // neighbours spin in opposite senses

  glPushMatrix();
  glRotatef(SpinFactor * arrowPhase * sense, 0, 0, 1);
  glScalef(CrossSectionWidth, 1, 1);

  // Head: a cone from its base at z = 0 to the tip at z = 1.
  glColor4f(1, 0, 0, Opacity);
  gluCylinder(SceneQuadric, 0.4, 0.0, 1.0, Slices, 1);

  // The rest extends backwards.
  glRotatef(180, 1, 0, 0);
  glColor4f(0, 0, 1, Opacity);
  gluCylinder(SceneQuadric, 0.2, 0.2, 1.0, Slices, 1);   // shaft
  glColor4f(0, 1, 0, Opacity);
  gluDisk(SceneQuadric, 0.2, 0.4, Slices, 1);             // ring closing the head's base
  glTranslatef(0, 0, 1);
  gluDisk(SceneQuadric, 0.0, 0.2, Slices, 1);             // the shaft's end cap
  glPopMatrix();
}
