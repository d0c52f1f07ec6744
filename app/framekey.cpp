// The frame key as a flat copy of the frame's inputs, compared byte by byte. The
// drawn cube is copied whole (some 19 KB): comparing that costs a few microseconds a
// tick, far less than the frame it saves, and nothing the frame reads can be missed
// by a field that a hand-written comparison forgot.

#include "app/framekey.h"

#include <array>
#include <cassert>
#include <cstring>

#include "app/state.h"
#include "cube/stickers.h"
#include "platform/platform.h"
#include "render/model.h"
#include "render/view.h"

bool SkipUnchangedFrames = true;

namespace {

// The frame's inputs in a fixed order, as MakeKey writes them.
constexpr size_t KeySize = sizeof(int32_t) * 4 + 3 + sizeof(float) * 4 + sizeof(Point3) * 2 +
                           sizeof CubeGeometry + sizeof Stickers + sizeof FaceColors +
                           sizeof MarkedStickers;
using Key = std::array<unsigned char, KeySize>;

class KeyWriter {
 public:
  explicit KeyWriter(Key& key) : At(key.data()) {}
  void Put(const void* data, size_t size) {
    std::memcpy(At, data, size);
    At += size;
  }
  template <typename T>
  void Put(const T& value) { Put(&value, sizeof value); }
  const unsigned char* End() const { return At; }

 private:
  unsigned char* At;
};

// Fields that the frame does not read in the state given (the arrows' layer,
// direction and phase while no arrows show) are written as zero, so that their changes
// draw nothing.
void MakeKey(int width, int height, const SceneOptions& options, Key& key) {
  KeyWriter w(key);
  w.Put(static_cast<int32_t>(width));
  w.Put(static_cast<int32_t>(height));
  w.Put(static_cast<uint8_t>(options.Projections));
  w.Put(static_cast<uint8_t>(options.Texture));
  w.Put(static_cast<uint8_t>(options.ShowArrows));
  const bool arrows = options.ShowArrows;
  w.Put(static_cast<int32_t>(arrows ? options.CurrentLayer : 0));
  w.Put(static_cast<int32_t>(arrows ? options.TurnDirection : 0));
  w.Put(arrows ? options.ArrowPhase : 0.0f);
  w.Put(options.SpinAngles);
  w.Put(ViewUp);
  w.Put(ViewRight);
  w.Put(CubeGeometry);
  w.Put(Stickers);
  w.Put(FaceColors);
  w.Put(MarkedStickers);
  assert(w.End() == key.data() + key.size());
}

// The frame's key with the arrows left out: what stays while only the arrows move.
void MakeSceneKey(int width, int height, SceneOptions options, Key& key) {
  options.ShowArrows = false;
  MakeKey(width, height, options, key);
}

Key Drawn{}, DrawnScene{};
bool HaveDrawn = false;

}  // namespace

SceneOptions CurrentSceneOptions() {
  SceneOptions options;
  options.Projections = SysMenuChecked(MenuItem::Proj);
  options.Texture = SysMenuChecked(MenuItem::Texture1);
  options.ShowArrows = ShowArrows;
  options.CurrentLayer = CurrentLayer;
  options.TurnDirection = TurnDirection;
  for (int axis = 0; axis < 3; ++axis) options.SpinAngles[axis] = SpinAngles[axis];
  options.ArrowPhase = ArrowPhase;
  return options;
}

void RememberDrawnFrame(int width, int height, const SceneOptions& options) {
  MakeKey(width, height, options, Drawn);
  MakeSceneKey(width, height, options, DrawnScene);
  HaveDrawn = true;
}

bool OnlyArrowsChanged(int width, int height, const SceneOptions& options) {
  if (!HaveDrawn) return false;
  static Key now;
  MakeSceneKey(width, height, options, now);
  return std::memcmp(now.data(), DrawnScene.data(), KeySize) == 0;
}

void ForgetDrawnFrame() { HaveDrawn = false; }

bool FrameNeedsDrawing() {
  if (!SkipUnchangedFrames || !HaveDrawn) return true;
  int width = 0, height = 0;
  SysClientSize(width, height);
  static Key now;
  MakeKey(width, height, CurrentSceneOptions(), now);
  return std::memcmp(now.data(), Drawn.data(), KeySize) != 0;
}
