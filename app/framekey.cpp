// The frame key as one record of values, compared as a whole: a field added to the
// record is compared with the others without a word more. The drawn cube is copied
// whole (some 19 KB): comparing that costs a few microseconds a tick, far less than
// the frame it saves.

#include "app/framekey.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "app/state.h"
#include "cube/stickers.h"
#include "platform/platform.h"
#include "render/model.h"
#include "render/view.h"

bool SkipUnchangedFrames = true;

namespace {

struct FrameKey {
  int Width = 0;
  int Height = 0;
  SceneOptions Options;
  Point3 Up{};
  Point3 Right{};
  std::array<CubieGeometry, std::size(CubeGeometry)> Cubies{};
  std::array<uint8_t, StickerCount> Colours{};
  std::array<std::array<double, 3>, std::size(FaceColors)> Palette{};
  std::array<bool, StickerCount> Marked{};
  std::array<unsigned int, 7> Pictures{};

  bool operator==(const FrameKey&) const = default;
};

// Fields that the frame does not read in the state given (the arrows' layer,
// direction and phase while no arrows show) are left at their defaults, so that their
// changes draw nothing.
void TakeKey(int width, int height, const SceneOptions& options, FrameKey& key) {
  key.Width = width;
  key.Height = height;
  key.Options = options;
  if (!options.ShowArrows) {
    const SceneOptions none;
    key.Options.CurrentLayer = none.CurrentLayer;
    key.Options.TurnDirection = none.TurnDirection;
    key.Options.ArrowPhase = none.ArrowPhase;
  }
  if (!options.Projections) key.Options.PaintColour = SceneOptions().PaintColour;
  key.Up = ViewUp;
  key.Right = ViewRight;
  std::copy(std::begin(CubeGeometry), std::end(CubeGeometry), key.Cubies.begin());
  std::copy(std::begin(Stickers), std::end(Stickers), key.Colours.begin());
  for (size_t k = 0; k < key.Palette.size(); ++k)
    std::copy(std::begin(FaceColors[k]), std::end(FaceColors[k]), key.Palette[k].begin());
  std::copy(std::begin(MarkedStickers), std::end(MarkedStickers), key.Marked.begin());
  for (int face = 1; face <= 6; ++face) key.Pictures[face] = FacePicture(face);
}

// The frame's key with the arrows left out: what stays while only the arrows move.
void TakeSceneKey(int width, int height, SceneOptions options, FrameKey& key) {
  options.ShowArrows = false;
  TakeKey(width, height, options, key);
}

FrameKey Drawn, DrawnScene;
bool HaveDrawn = false;

}  // namespace

SceneOptions CurrentSceneOptions() {
  SceneOptions options;
  options.Projections = SysMenuChecked(MenuItem::Proj);
  options.Texture = SysMenuChecked(MenuItem::Texture1);
  options.ShowArrows = ShowArrows;
  options.FaceLetters = ShowFaceLetters;
  options.CurrentLayer = CurrentLayer;
  options.TurnDirection = TurnDirection;
  for (int axis = 0; axis < 3; ++axis) options.SpinAngles[axis] = SpinAngles[axis];
  options.ArrowPhase = ArrowPhase;
  options.PaintColour = PaintColour;
  return options;
}

void RememberDrawnFrame(int width, int height, const SceneOptions& options) {
  TakeKey(width, height, options, Drawn);
  TakeSceneKey(width, height, options, DrawnScene);
  HaveDrawn = true;
}

bool OnlyArrowsChanged(int width, int height, const SceneOptions& options) {
  if (!HaveDrawn) return false;
  static FrameKey now;
  TakeSceneKey(width, height, options, now);
  return now == DrawnScene;
}

void ForgetDrawnFrame() { HaveDrawn = false; }

bool FrameNeedsDrawing() {
  if (!SkipUnchangedFrames || !HaveDrawn) return true;
  int width = 0, height = 0;
  SysClientSize(width, height);
  static FrameKey now;
  TakeKey(width, height, CurrentSceneOptions(), now);
  return !(now == Drawn);
}

void RedrawIfChanged() {
  if (FrameNeedsDrawing()) SysRedraw();
}
