// The turn arrows, read back through GL feedback: where each arrow's head lies and
// which way it points, in cube units and in the frame.

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string_view>
#include <tuple>
#include <vector>

#include "gl_fixture.h"
#include "render/arrows.h"
#include "render/turn.h"

namespace {

struct FeedbackVertex {
  float x, y, z;   // window coordinates
  Rgb colour;
};
using Primitive = std::vector<FeedbackVertex>;

// Runs draw in feedback mode and returns its primitives with window coordinates and
// colours.
std::vector<Primitive> Feedback(const std::function<void()>& draw) {
  std::vector<GLfloat> buffer(1 << 20);
  glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint count = glRenderMode(GL_RENDER);
  EXPECT_GE(count, 0) << "feedback buffer overflow";
  std::vector<Primitive> primitives;
  auto vertex = [&buffer](GLint& i) {
    FeedbackVertex v{buffer[i], buffer[i + 1], buffer[i + 2], {buffer[i + 3], buffer[i + 4], buffer[i + 5]}};
    i += 7;
    return v;
  };
  for (GLint i = 0; i < count;) {
    const GLint token = GLint(buffer[i++]);
    int vertices = 0;
    switch (token) {
      case GL_POINT_TOKEN: case GL_BITMAP_TOKEN: case GL_DRAW_PIXEL_TOKEN: case GL_COPY_PIXEL_TOKEN:
        vertices = 1;
        break;
      case GL_LINE_TOKEN: case GL_LINE_RESET_TOKEN:
        vertices = 2;
        break;
      case GL_POLYGON_TOKEN:
        vertices = GLint(buffer[i++]);
        break;
      case GL_PASS_THROUGH_TOKEN:
        ++i;
        continue;
      default:
        ADD_FAILURE() << "unknown feedback token " << token;
        return primitives;
    }
    Primitive p;
    for (int k = 0; k < vertices; ++k) p.push_back(vertex(i));
    primitives.push_back(p);
  }
  return primitives;
}

enum class Hue { Grey, Red, Other };

// Highlights add white to a lit colour: what is left above the grey part tells the
// red heads from the blue shafts, the green rings and the grey cube.
Hue HueOf(const Rgb& c) {
  const double grey = std::min({c.r, c.g, c.b});
  const double r = c.r - grey, g = c.g - grey, b = c.b - grey;
  if (std::max({r, g, b}) < 0.05) return Hue::Grey;
  return r > g && r > b ? Hue::Red : Hue::Other;
}

// The arrow heads in drawing order: each run of red primitives is one cone. A head's
// highlight may be white; a blue shaft or green ring ends the run.
std::vector<std::vector<Vec3>> Heads(const std::vector<Primitive>& primitives) {
  std::vector<std::vector<Vec3>> heads;
  bool inHead = false;
  for (const Primitive& p : primitives) {
    Hue hue = Hue::Grey;
    for (const FeedbackVertex& v : p) {
      const Hue h = HueOf(v.colour);
      if (h != Hue::Grey) hue = h;
    }
    if (hue == Hue::Other) {
      inHead = false;
      continue;
    }
    if (hue == Hue::Red && !inHead) {
      heads.emplace_back();
      inHead = true;
    }
    if (inHead) {
      for (const FeedbackVertex& v : p) heads.back().push_back({v.x, v.y, v.z});
    }
  }
  return heads;
}

// A cone's tip is the vertex every side shares; its base centre the mean of the
// other distinct vertices (the base ring, symmetric about the centre).
struct Cone {
  Vec3 tip, base;
  std::vector<Vec3> ring;
};
Cone Analyse(const std::vector<Vec3>& vertices) {
  std::map<std::tuple<double, double, double>, int> uses;
  for (const Vec3& v : vertices) ++uses[{v.x, v.y, v.z}];
  auto tip = uses.begin();
  for (auto it = uses.begin(); it != uses.end(); ++it) {
    if (it->second > tip->second) tip = it;
  }
  Cone cone{{std::get<0>(tip->first), std::get<1>(tip->first), std::get<2>(tip->first)}, {0, 0, 0}, {}};
  for (auto it = uses.begin(); it != uses.end(); ++it) {
    if (it == tip) continue;
    cone.ring.push_back({std::get<0>(it->first), std::get<1>(it->first), std::get<2>(it->first)});
    cone.base.x += std::get<0>(it->first);
    cone.base.y += std::get<1>(it->first);
    cone.base.z += std::get<2>(it->first);
  }
  const double n = double(cone.ring.size());
  cone.base = {cone.base.x / n, cone.base.y / n, cone.base.z / n};
  return cone;
}

double Component(const Vec3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }
Vec3 Minus(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(const Vec3& a, const Vec3& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Length(const Vec3& a) { return std::sqrt(Dot(a, a)); }

void ExpectNear(const Vec3& v, double x, double y, double z, double tolerance) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

class ArrowTest : public SceneTest {
 protected:
  // The arrow heads of one ring in cube units: an orthographic box of +-10 units on a
  // 400-pixel viewport, no scene transform, no lighting.
  std::vector<Cone> RingInCubeUnits(int layer, int direction, float phase) {
    glViewport(0, 0, 400, 400);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-10, 10, -10, 10, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    const auto primitives = Feedback([&] { DrawTurnArrows(layer, direction, phase); });
    std::vector<Cone> cones;
    for (const auto& head : Heads(primitives)) {
      std::vector<Vec3> cube;
      for (const Vec3& w : head) cube.push_back({w.x / 20 - 10, w.y / 20 - 10, 10 * (1 - 2 * w.z)});
      cones.push_back(Analyse(cube));
    }
    if (layer >= 1 && layer <= 6) {
      EXPECT_EQ(cones.size(), 10u);
    }
    return cones;
  }
};

TEST_F(ArrowTest, FirstArrowOfLayerOneSitsAboveThePlaneAndPointsAlongZ) {
  auto up = RingInCubeUnits(1, +1, 0);
  ASSERT_FALSE(up.empty());
  ExpectNear(up[0].base, 2, 5, 0, 1e-3);
  ExpectNear(up[0].tip, 2, 5, 1, 1e-3);
  auto down = RingInCubeUnits(1, -1, 0);
  ASSERT_FALSE(down.empty());
  ExpectNear(down[0].base, 2, -5, 0, 1e-3);
  ExpectNear(down[0].tip, 2, -5, 1, 1e-3);

  EXPECT_TRUE(RingInCubeUnits(0, 1, 0).empty());
  EXPECT_TRUE(RingInCubeUnits(7, 1, 0).empty());
}

// For every layer and direction: ten arrows 36 degrees apart on a circle of radius 5
// about the layer's axis, in the plane 2 units out on the layer's side, each pointing
// the way the layer turns; the ring advances with the phase in that direction, and
// neighbouring arrows spin about their own axes in opposite senses.
TEST_F(ArrowTest, EveryRingCirclesItsLayerAndPointsTheWayItTurns) {
  for (int layer = 1; layer <= 6; ++layer) {
    const int axis = (layer - 1) / 2;
    const Vec3 axisDirection{double(axis == 0), double(axis == 1), double(axis == 2)};
    const double side = layer % 2 ? 2 : -2;
    const Vec3 centre{axisDirection.x * side, axisDirection.y * side, axisDirection.z * side};
    for (int d : {+1, -1}) {
      SCOPED_TRACE(testing::Message() << "layer " << layer << " direction " << d);
      double firstAngle[2] = {};
      double tilt[10] = {};
      for (int which = 0; which < 2; ++which) {
        const float phase = which == 0 ? 0.0f : 30.0f;
        const auto cones = RingInCubeUnits(layer, d, phase);
        ASSERT_EQ(cones.size(), 10u);
        // Angles about the axis measured from a fixed perpendicular direction.
        const Vec3 u{double(axis == 1), double(axis == 2), double(axis == 0)};
        const Vec3 v = Cross(axisDirection, u);
        for (size_t n = 0; n < cones.size(); ++n) {
          const Cone& c = cones[n];
          const Vec3 radial = Minus(c.base, centre);
          EXPECT_NEAR(Component(radial, axis), 0, 1e-3);
          EXPECT_NEAR(Length(radial), 5, 1e-3);
          const Vec3 pointing = Minus(c.tip, c.base);
          EXPECT_NEAR(Length(pointing), 1, 1e-3);
          EXPECT_NEAR(Dot(Cross(axisDirection, radial), pointing) / 5, d, 1e-3) << "arrow " << n + 1;

          const double angle = std::atan2(Dot(radial, v), Dot(radial, u)) * 180 / M_PI;
          if (n == 0) firstAngle[which] = angle;
          const double spacing = std::remainder(angle - firstAngle[which], 36.0);
          EXPECT_NEAR(spacing, 0, 1e-2);

          if (which == 1) {
            // At phase 30 each arrow has spun 150 degrees about its own axis, so its
            // wide axis lies 30 degrees off the ring's axes, on alternating sides.
            const Vec3* wide = &c.ring[0];
            for (const Vec3& p : c.ring) {
              if (Length(Minus(p, c.base)) > Length(Minus(*wide, c.base))) wide = &p;
            }
            const Vec3 w = Minus(*wide, c.base);
            EXPECT_NEAR(Length(w), 0.6, 1e-3);
            const double along = Dot(w, axisDirection), across = Dot(w, Cross(pointing, axisDirection));
            tilt[n] = along * across / 0.36;
            EXPECT_NEAR(std::fabs(tilt[n]), std::sin(60 * M_PI / 180) / 2, 1e-3);
            if (n > 0) {
              EXPECT_LT(tilt[n] * tilt[n - 1], 0) << "arrow " << n + 1;
            }
          }
        }
      }
      EXPECT_NEAR(std::remainder(firstAngle[1] - firstAngle[0], 360.0), 30.0 * d, 1e-2);
    }
  }
}

// In a frame the ring is drawn in the cube's model units under the scene transform.
TEST_F(ArrowTest, FrameDrawsTheRingInCubeUnits) {
  for (int i = 1; i <= 6; ++i) std::fill(FaceColors[i], FaceColors[i] + 3, 0.5);
  BuildCubeGeometry();
  options.ShowArrows = true;
  options.CurrentLayer = 1;
  const Matrix4 scene = SceneTransform(options);
  for (int d : {+1, -1}) {
    options.TurnDirection = d;
    const auto primitives = Feedback([&] { RenderFrame(BufferWidth, BufferHeight, options); });
    const auto heads = Heads(primitives);
    ASSERT_EQ(heads.size(), 10u);
    const Cone first = Analyse(heads[0]);
    const WindowPoint base = Project(Transform(scene, {2, 5.0 * d, 0}), BufferWidth, BufferHeight);
    const WindowPoint tip = Project(Transform(scene, {2, 5.0 * d, 1}), BufferWidth, BufferHeight);
    EXPECT_NEAR(first.tip.x, tip.x, 0.5);
    EXPECT_NEAR(first.tip.y, tip.y, 0.5);
    EXPECT_NEAR(first.base.x, base.x, 1.5);
    EXPECT_NEAR(first.base.y, base.y, 1.5);
  }
  options.ShowArrows = false;
  EXPECT_TRUE(Heads(Feedback([&] { RenderFrame(BufferWidth, BufferHeight, options); })).empty());
}

}  // namespace

namespace {

// The translucent arrows blend into the colours but not into the alpha: the picture
// stays opaque everywhere, so a compositor shows nothing through the window.
TEST_F(ArrowTest, TheFrameStaysOpaqueWithTheArrows) {
  options.ShowArrows = true;
  for (int layer : {1, 3, 5}) {
    options.CurrentLayer = layer;
    const Picture picture = Draw();
    int translucent = 0;
    for (size_t i = 3; i < picture.Bytes().size(); i += 4) translucent += picture.Bytes()[i] != 255;
    EXPECT_EQ(translucent, 0) << "layer " << layer;
  }
  // Drawn without the mask the arrows would show here.
  options.ShowArrows = false;
  const Picture without = Draw();
  options.ShowArrows = true;
  EXPECT_NE(Draw().Bytes(), without.Bytes());
}

}  // namespace

namespace {

// The frames in which only the arrows move redraw only where they were and are: played
// once so and once with every frame drawn whole, each frame shows the same picture. The
// arrows go round a whole cycle of phases, change layer and direction, go and come
// back, over the plain cube, over the face maps, and around a layer stopped halfway
// through its turn, whose cubies then reach into the ring.
TEST_F(ArrowTest, FramesOfMovingArrowsShowWhatWholeFramesShow) {
  constexpr int Width = 600, Height = 380;
  struct Step {
    bool newScene;   // the scene under the arrows changes before this frame
    int layer, direction;
    bool shown;
  };
  std::vector<Step> steps;
  auto cycle = [&steps](int layer, int direction, int frames) {
    for (int i = 0; i < frames; ++i) steps.push_back({false, layer, direction, true});
  };
  steps.push_back({true, 1, 1, true});
  cycle(1, 1, 25);
  cycle(5, -1, 3);
  steps.push_back({false, 5, -1, false});
  cycle(3, 1, 3);
  steps.push_back({true, 3, 1, true});   // the face maps come up
  cycle(3, 1, 5);
  steps.push_back({true, 2, -1, true});  // the maps go, layer 5 is stopped mid-turn
  cycle(2, -1, 12);
  cycle(4, 1, 12);

  auto play = [&](bool partial, int& partialFrames) {
    SetUp();
    options.ShowArrows = true;
    std::vector<size_t> shown;
    int scene = 0;
    partialFrames = 0;
    for (const Step& step : steps) {
      if (step.newScene) {
        ++scene;
        options.Projections = scene == 2;
        if (scene == 3) {
          StartTurnGeometry(5, float(M_PI / 20), float(M_PI / 2));
          for (int tick = 0; tick < 4; ++tick) AdvanceTurnGeometry();
        }
      }
      options.CurrentLayer = step.layer;
      options.TurnDirection = step.direction;
      options.ShowArrows = step.shown;
      options.ArrowPhase = options.ArrowPhase + 3 >= 72 ? 0 : options.ArrowPhase + 3;
      ClientRect changed[MaxArrowChangeRects];
      if (partial && !step.newScene && RenderArrowChange(Width, Height, options, changed) >= 0)
        ++partialFrames;
      else
        RenderFrame(Width, Height, options, partial && !step.newScene);
      glFinish();
      const Picture picture(BufferWidth, BufferHeight);
      shown.push_back(std::hash<std::string_view>{}(
          std::string_view(reinterpret_cast<const char*>(picture.Bytes().data()), picture.Bytes().size())));
    }
    ResetTurnGeometry();
    return shown;
  };
  int wholeFrames = 0, partialFrames = 0;
  const std::vector<size_t> whole = play(false, wholeFrames);
  const std::vector<size_t> partial = play(true, partialFrames);
  ASSERT_EQ(whole.size(), partial.size());
  for (size_t i = 0; i < whole.size(); ++i) EXPECT_EQ(partial[i], whole[i]) << "frame " << i + 1;
  // Every frame but the first of each scene and the one that keeps it redrew only the
  // arrows' rectangles.
  EXPECT_EQ(partialFrames, int(steps.size()) - 6);
}

}  // namespace
