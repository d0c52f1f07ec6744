// Whole frames of the solved cube under OSMesa, checked against the scene transform,
// the lights and the fog worked out on the CPU.

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "gl_fixture.h"
#include "render/frame.h"

namespace {

struct VisibleSticker {
  int S, f;
  WindowPoint at;
  double distance;   // from the eye plane
};

Vec3 Centre(const StickerQuad& q) {
  Vec3 c{0, 0, 0};
  for (int i = 1; i <= 4; ++i) {
    c.x += q.Corners[i].x / 4;
    c.y += q.Corners[i].y / 4;
    c.z += q.Corners[i].z / 4;
  }
  return c;
}

// The stickers that face the eye clearly enough to be sampled at their centres.
std::vector<VisibleSticker> FacingStickers(const SceneOptions& options, int width, int height) {
  std::vector<VisibleSticker> result;
  const Matrix4 m = SceneTransform(options);
  for (int S = 1; S <= 27; ++S) {
    const CubieGeometry& cubie = CubeGeometry[S];
    for (int f = 1; f <= 6; ++f) {
      const StickerQuad& q = cubie.Stickers[f];
      if (!q.Present) continue;
      const Vec3 c = Centre(q);
      const Vec3 n{c.x - cubie.Centre.x, c.y - cubie.Centre.y, c.z - cubie.Centre.z};
      const Vec3 ce = Transform(m, c), ne = Transform(m, n, 0);
      const double facing = -(ne.x * ce.x + ne.y * ce.y + ne.z * ce.z) /
                            std::sqrt((ce.x * ce.x + ce.y * ce.y + ce.z * ce.z) * (ne.x * ne.x + ne.y * ne.y + ne.z * ne.z));
      if (facing < 0.35) continue;
      result.push_back({S, f, Project(ce, width, height), -ce.z});
    }
  }
  return result;
}

// Linear fog from 7 to 9.5 units towards grey 0.1.
Rgb Fogged(const Rgb& colour, double distance) {
  const double f = std::clamp((9.5 - distance) / 2.5, 0.0, 1.0);
  return {f * colour.r + (1 - f) * 0.1, f * colour.g + (1 - f) * 0.1, f * colour.b + (1 - f) * 0.1};
}

double Distance(const Rgb& a, const Rgb& b) {
  return std::sqrt((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b));
}

// Index of the candidate the observed colour is nearest to once fogged.
size_t Nearest(const Rgb& observed, const std::vector<Rgb>& candidates, double distance) {
  size_t best = 0;
  for (size_t i = 1; i < candidates.size(); ++i) {
    if (Distance(observed, Fogged(candidates[i], distance)) < Distance(observed, Fogged(candidates[best], distance))) {
      best = i;
    }
  }
  return best;
}

// The face colour a lit sticker shows. Specular highlights add white, so stickers are
// told apart by the direction of their colour above its grey part; white has none.
int ClassifyFaceColour(const Rgb& observed) {
  auto chroma = [](const Rgb& c) {
    const double m = std::min({c.r, c.g, c.b});
    return Rgb{c.r - m, c.g - m, c.b - m};
  };
  auto length = [](const Rgb& c) { return std::sqrt(c.r * c.r + c.g * c.g + c.b * c.b); };
  const Rgb seen = chroma(observed);
  int best = 0;
  double bestScore = -2;
  for (int i = 1; i <= 6; ++i) {
    const Rgb face = chroma({FaceColors[i][0], FaceColors[i][1], FaceColors[i][2]});
    double score;
    if (length(face) == 0) {
      score = length(seen) < 0.12 ? 1 : -1;
    } else if (length(seen) < 0.12) {
      score = -1;
    } else {
      score = (seen.r * face.r + seen.g * face.g + seen.b * face.b) / (length(seen) * length(face));
    }
    if (score > bestScore) {
      bestScore = score;
      best = i;
    }
  }
  return best;
}

std::vector<Rgb> FaceColourCandidates() {
  std::vector<Rgb> c;
  for (int i = 0; i <= 6; ++i) c.push_back({FaceColors[i][0], FaceColors[i][1], FaceColors[i][2]});
  return c;
}

int DifferingPixels(const Picture& a, const Picture& b) {
  int count = 0;
  for (size_t i = 0; i < a.Bytes().size(); ++i) count += a.Bytes()[i] != b.Bytes()[i];
  return count;
}

std::vector<float> ReadDepth(int width, int height) {
  std::vector<float> depth(size_t(width) * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
  return depth;
}

// Eye distance of a window depth under the frame's perspective (near 0.01, far 10).
double EyeDistance(float windowDepth) {
  const double n = 0.01, f = 10, ndc = 2.0 * windowDepth - 1;
  return -2 * f * n / ((f - n) * ndc - (f + n));
}

struct View {
  float spin[3];
  float upTilt, rightTurn;   // degrees: up about right, then right about up
};

class FrameTest : public SceneTest {
 protected:
  void SetView(const View& v) {
    for (int i = 0; i < 3; ++i) options.SpinAngles[i] = v.spin[i];
    RotateVectorAboutAxis(ViewUp, ViewRight, v.upTilt);
    RotateVectorAboutAxis(ViewRight, ViewUp, v.rightTurn);
  }
};

constexpr View Views[] = {
    {{45, 45, 45}, 0, 0},        // start-up
    {{10, 70, 130}, 40, -60},
    {{-30, 200, 15}, -75, 120},
    {{0, 0, 0}, 170, 10},        // nearly upside down
    {{20, -35, 60}, 180, 0},     // turned over the top
};

TEST_F(FrameTest, StickersAppearWhereTheSceneTransformPutsThem) {
  for (const View& view : Views) {
    SetUp();
    SetView(view);
    const Picture picture = Draw();
    const auto stickers = FacingStickers(options, BufferWidth, BufferHeight);
    EXPECT_GE(stickers.size(), 9u);
    for (const VisibleSticker& s : stickers) {
      const Rgb seen = picture.At(s.at);
      EXPECT_EQ(ClassifyFaceColour(seen), s.f)
          << "cubie " << s.S << " face " << s.f << " seen " << seen.r << ", " << seen.g << ", " << seen.b;
    }
  }
}

// The lit sticker colour is the colour field of the sticker, not the face colour.
TEST_F(FrameTest, UntexturedStickerShowsItsOwnColour) {
  const auto stickers = FacingStickers(options, BufferWidth, BufferHeight);
  ASSERT_FALSE(stickers.empty());
  const VisibleSticker s = stickers.front();
  float* colour = CubeGeometry[s.S].Stickers[s.f].Colour;
  colour[0] = 0;
  colour[1] = 1;
  colour[2] = 1;
  std::vector<Rgb> candidates = FaceColourCandidates();
  candidates.push_back({0, 1, 1});
  const Picture picture = Draw();
  EXPECT_EQ(Nearest(picture.At(s.at), candidates, s.distance), candidates.size() - 1);
}

// Uploads one 48 x 48 picture per face into TextureNames, each texel coloured by
// colour(face, cell 1..9, s and t within the cell, 0..1).
class Pictures {
 public:
  template <typename Colour>
  explicit Pictures(Colour colour) {
    glGenTextures(6, names_ + 1);
    for (int f = 1; f <= 6; ++f) {
      std::vector<uint8_t> image(Size * Size * 3);
      for (int y = 0; y < Size; ++y) {      // bottom row first
        for (int x = 0; x < Size; ++x) {
          const int cell = 3 * (2 - y / Cell) + x / Cell + 1;   // cells 1..3 are the top strip
          const Rgb c = colour(f, cell, (x % Cell + 0.5) / Cell, (y % Cell + 0.5) / Cell);
          uint8_t* p = &image[(y * Size + x) * 3];
          p[0] = uint8_t(c.r * 255);
          p[1] = uint8_t(c.g * 255);
          p[2] = uint8_t(c.b * 255);
        }
      }
      glBindTexture(GL_TEXTURE_2D, names_[f]);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
      glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, Size, Size, 0, GL_RGB, GL_UNSIGNED_BYTE, image.data());
      TextureNames[f] = names_[f];
    }
  }
  ~Pictures() { glDeleteTextures(6, names_ + 1); }

 private:
  static constexpr int Cell = 16, Size = 3 * Cell;
  GLuint names_[7] = {};
};

// A point of a sticker on the way from its centre to its corner i (fraction 0..1).
Vec3 TowardsCorner(const StickerQuad& q, int i, double fraction) {
  const Vec3 c = Centre(q);
  return {c.x + fraction * (q.Corners[i].x - c.x), c.y + fraction * (q.Corners[i].y - c.y),
          c.z + fraction * (q.Corners[i].z - c.z)};
}

// Nine distinct colours in the nine cells of each face's picture, shifted per face:
// each sticker shows its own face's picture and its own ninth of it, lit white.
TEST_F(FrameTest, TexturedStickersShowTheirCellOfTheirFacePicture) {
  const std::vector<Rgb> palette = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {1, 0, 1},
                                    {0, 1, 1}, {1, 1, 1}, {0, 0, 0}, {0.5, 0.5, 0.5}};
  Pictures pictures([&palette](int f, int cell, double, double) { return palette[(cell - 1 + f) % 9]; });
  options.Texture = true;

  for (const View& view : Views) {
    SetView(view);
    const Picture picture = Draw();
    for (const VisibleSticker& s : FacingStickers(options, BufferWidth, BufferHeight)) {
      const int cell = CubeGeometry[s.S].Stickers[s.f].TextureCell;
      const Rgb seen = picture.At(s.at);
      EXPECT_EQ(Nearest(seen, palette, s.distance), size_t((cell - 1 + s.f) % 9))
          << "cubie " << s.S << " face " << s.f << " cell " << cell;
    }
    ViewUp = {0, 1, 0};
    ViewRight = {1, 0, 0};
  }

  // A face without a picture shows its stickers in their plain colour, as untextured.
  SetView(Views[0]);
  TextureNames[5] = 0;
  const Picture picture = Draw();
  options.Texture = false;
  const Picture plain = Draw();
  options.Texture = true;
  int checked = 0;
  for (const VisibleSticker& s : FacingStickers(options, BufferWidth, BufferHeight)) {
    if (s.f != 5) continue;
    ++checked;
    const Rgb seen = picture.At(s.at), expected = plain.At(s.at);
    EXPECT_NEAR(seen.r, expected.r, 0.01);
    EXPECT_NEAR(seen.g, expected.g, 0.01);
    EXPECT_NEAR(seen.b, expected.b, 0.01);
  }
  EXPECT_GT(checked, 0);
}

// A cube recoloured from Stickers (as Open and the face-map edits do) shows, textured,
// the picture of each sticker's colour, not that of the face the quad was built on.
TEST_F(FrameTest, TexturedStickersShowThePictureOfTheirColour) {
  const std::vector<Rgb> palette = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {1, 0, 1},
                                    {0, 1, 1}, {1, 1, 1}, {0, 0, 0}, {0.5, 0.5, 0.5}};
  Pictures pictures([&palette](int f, int cell, double, double) { return palette[(cell - 1 + f) % 9]; });
  options.Texture = true;
  // Every sticker gets another colour than its face's: colour f + 1 (6 becomes 1),
  // and one face mixed, so both the colour and the cell decide what is seen.
  for (int i = 0; i < StickerCount; ++i) Stickers[i] = static_cast<uint8_t>((i / 9 + 1) % 6 + 1);
  constexpr uint8_t NotThree[5] = {1, 2, 4, 5, 6};
  for (int p = 1; p <= 9; ++p) StickerAtPos(3, p) = NotThree[p % 5];
  RecolorFromStickers();

  int checked = 0;
  for (const View& view : Views) {
    SetView(view);
    const Picture picture = Draw();
    for (const VisibleSticker& s : FacingStickers(options, BufferWidth, BufferHeight)) {
      const StickerQuad& q = CubeGeometry[s.S].Stickers[s.f];
      const int cell = q.TextureCell;
      const int colour = q.ColourNumber;
      ASSERT_NE(colour, s.f) << "cubie " << s.S << " face " << s.f;
      EXPECT_EQ(Nearest(picture.At(s.at), palette, s.distance), size_t((cell - 1 + colour) % 9))
          << "cubie " << s.S << " face " << s.f << " colour " << colour;
      ++checked;
    }
    ViewUp = {0, 1, 0};
    ViewRight = {1, 0, 0};
  }
  EXPECT_GT(checked, 50);
  ResetStickers();
}

// Within its ninth the picture is not turned or mirrored: corner 1 of a sticker shows
// the cell's low s and t, corner 2 high s, corner 3 high s and t, corner 4 high t.
TEST_F(FrameTest, TexturedStickersShowTheirCellUpright) {
  const std::vector<Rgb> quarters = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}};
  Pictures pictures([&quarters](int, int, double s, double t) {
    return t < 0.5 ? quarters[s < 0.5 ? 0 : 1] : quarters[s < 0.5 ? 3 : 2];
  });
  options.Texture = true;
  for (const View& view : Views) {
    SetView(view);
    const Picture picture = Draw();
    const Matrix4 m = SceneTransform(options);
    for (const VisibleSticker& s : FacingStickers(options, BufferWidth, BufferHeight)) {
      const StickerQuad& q = CubeGeometry[s.S].Stickers[s.f];
      for (int i = 1; i <= 4; ++i) {
        const Vec3 eye = Transform(m, TowardsCorner(q, i, 0.45));
        const Rgb seen = picture.At(Project(eye, BufferWidth, BufferHeight));
        EXPECT_EQ(Nearest(seen, quarters, -eye.z), size_t(i - 1)) << "cubie " << s.S << " face " << s.f << " corner " << i;
      }
    }
    ViewUp = {0, 1, 0};
    ViewRight = {1, 0, 0};
  }
}

// Between small stickers the body shows: lit dark grey, never textured.
TEST_F(FrameTest, BodySidesAreDarkGreyAndUntextured) {
  Pictures pictures([](int, int, double, double) { return Rgb{1, 0, 0}; });
  options.Texture = true;
  StickerInset = 0.6;
  BuildCubeGeometry();
  const Picture picture = Draw();
  const Matrix4 m = SceneTransform(options);
  std::vector<double> brightness;
  for (const VisibleSticker& s : FacingStickers(options, BufferWidth, BufferHeight)) {
    const CubieGeometry& cubie = CubeGeometry[s.S];
    const Rgb onSticker = picture.At(s.at);
    EXPECT_GT(onSticker.r - onSticker.g, 0.3);
    // Just inside a corner of the body's side, beyond the sticker: the body corner
    // nearest to the sticker's corner 1.
    const Vec3 c1 = TowardsCorner(cubie.Stickers[s.f], 1, 1.0);
    const Point3* nearest = &cubie.Corners[1];
    auto gap = [&c1](const Point3& p) {
      return (p.x - c1.x) * (p.x - c1.x) + (p.y - c1.y) * (p.y - c1.y) + (p.z - c1.z) * (p.z - c1.z);
    };
    for (int i = 2; i <= 8; ++i) {
      if (gap(cubie.Corners[i]) < gap(*nearest)) nearest = &cubie.Corners[i];
    }
    const Vec3 body{c1.x + 0.6 * (nearest->x - c1.x), c1.y + 0.6 * (nearest->y - c1.y), c1.z + 0.6 * (nearest->z - c1.z)};
    const Rgb seen = picture.At(Project(Transform(m, body), BufferWidth, BufferHeight));
    EXPECT_NEAR(seen.r, seen.g, 0.01) << "cubie " << s.S;
    EXPECT_NEAR(seen.g, seen.b, 0.01) << "cubie " << s.S;
    brightness.push_back(seen.r);
  }
  ASSERT_GT(brightness.size(), 9u);
  // Dark grey under four white lights: mostly well below the white stickers, though a
  // highlight may brighten one.
  std::sort(brightness.begin(), brightness.end());
  const double median = brightness[brightness.size() / 2];
  EXPECT_GT(median, 0.2);
  EXPECT_LT(median, 0.8);
}

// Every light is given its colours on every frame and contributes to the picture;
// context set-up makes all four white (GL's own default leaves lights 1..3 black).
TEST_F(FrameTest, EveryLightContributesAndStartsWhite) {
  const Picture lit = Draw();
  for (SpotLight& light : LightTable) {
    std::fill(light.Diffuse, light.Diffuse + 3, 0.0f);
    std::fill(light.Ambient, light.Ambient + 3, 0.0f);
    const Picture dimmed = Draw();
    EXPECT_GT(DifferingPixels(lit, dimmed), 500) << "light " << (&light - LightTable);
    std::fill(light.Diffuse, light.Diffuse + 3, 1.0f);
    std::fill(light.Ambient, light.Ambient + 3, 1.0f);
  }
  EXPECT_EQ(DifferingPixels(lit, Draw()), 0);

  for (SpotLight& light : LightTable) {
    std::fill(light.Diffuse, light.Diffuse + 3, 0.0f);
    std::fill(light.Ambient, light.Ambient + 3, 0.0f);
  }
  ContextRelease();
  ContextSetUp();
  for (const SpotLight& light : LightTable) {
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(light.Diffuse[c], 1.0f);
      EXPECT_EQ(light.Ambient[c], 1.0f);
    }
  }
  EXPECT_TRUE(FogEnabled);
  EXPECT_EQ(DifferingPixels(lit, Draw()), 0);
}

// Fog mixes what lies beyond 7 units with grey 0.1, fully at 9.5; nearer parts and
// the face maps at 7 units keep their colour.
TEST_F(FrameTest, FogMixesFarPartsWithGrey) {
  options.Projections = true;
  const Picture fogged = Draw();
  const std::vector<float> depth = ReadDepth(BufferWidth, BufferHeight);

  FogEnabled = false;
  glDisable(GL_FOG);
  const Picture clear = Draw();
  glEnable(GL_FOG);
  FogEnabled = true;

  int far = 0, near = 0;
  for (int y = 0; y < BufferHeight; ++y) {
    for (int x = 0; x < BufferWidth; ++x) {
      const float d = depth[size_t(y) * BufferWidth + x];
      if (d >= 1) continue;
      const double distance = EyeDistance(d);
      const Rgb expected = Fogged(clear.At(x, y), distance);
      const Rgb seen = fogged.At(x, y);
      ASSERT_LT(Distance(seen, expected), 0.03) << "at " << x << ", " << y << " distance " << distance;
      if (distance > 7.8) ++far;
      if (distance < 7.0) ++near;
    }
  }
  EXPECT_GT(far, 1000);
  EXPECT_GT(near, 1000);
}

// The vertical field of view is fixed and the aspect follows the client area: a
// narrower client area shows the same cube, the same size, still centred.
TEST_F(FrameTest, ResizeKeepsProportionsAndCentre) {
  struct Box {
    int left = 1 << 20, right = -1, bottom = 1 << 20, top = -1;
  };
  auto bounds = [](const Picture& p, int width, int height) {
    Box b;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const Rgb c = p.At(x, y);
        if (c.r + c.g + c.b == 0) continue;
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.bottom = std::min(b.bottom, y);
        b.top = std::max(b.top, y);
      }
    }
    return b;
  };
  const Box wide = bounds(Draw(640, 400), 640, 400);
  const Box narrow = bounds(Draw(400, 400), 400, 400);
  ASSERT_GE(wide.right, 0);
  EXPECT_NEAR(narrow.top - narrow.bottom, wide.top - wide.bottom, 1);
  EXPECT_NEAR(narrow.right - narrow.left, wide.right - wide.left, 1);
  EXPECT_NEAR(narrow.left - 200, wide.left - 320, 1);
  EXPECT_NEAR(narrow.bottom, wide.bottom, 1);
}

// A client area of no height is drawn as one pixel row instead of dividing by zero.
TEST_F(FrameTest, ClientHeightZeroDrawsOneRow) {
  const Picture picture = Draw(BufferWidth, 0);
  int lit = 0, elsewhere = 0;
  for (int x = 0; x < BufferWidth; ++x) {
    const Rgb c = picture.At(x, 0);
    lit += c.r + c.g + c.b > 0;
    for (int y = 1; y < BufferHeight; ++y) {
      const Rgb o = picture.At(x, y);
      elsewhere += o.r + o.g + o.b > 0;
    }
  }
  EXPECT_GT(lit, 0);
  EXPECT_EQ(elsewhere, 0);
  GLfloat projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  for (float v : projection) EXPECT_TRUE(std::isfinite(v));
}

}  // namespace
