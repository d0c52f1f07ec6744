// Ticks that leave the picture unchanged draw nothing, and that never changes what the
// window shows: one sequence of keys, menu commands, clicks, drags and ticks is played
// twice under OSMesa, once drawing on every tick and once skipping unchanged frames,
// and after every tick the picture shown (with skipping, the last one drawn) is the
// same in both. After every handler, also where no tick follows (paused, a menu
// opened), the picture shown is the one a frame drawn then would show.

#include <GL/osmesa.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/framekey.h"
#include "app_fixture.h"
#include "osmesa_window.h"

using namespace apptest;

namespace {

constexpr int Width = 500;
constexpr int Height = 300;

struct Playback {
  std::vector<size_t> Shown;   // a hash of the picture shown after each tick
  std::vector<int> Drawn;      // frames drawn so far, after each tick
  int Partial = 0;             // frames that redrew only where the arrows moved
};

// The client pixel of the centre of face 3's map (the middle of the net).
void FaceThreeCentre(int width, int height, int& x, int& y) {
  const double f = 1 / std::tan(15 * M_PI / 180);
  const double ndcX = -2.1 / 7 * f / (double(width) / height);
  const double ndcY = 1.1 / 7 * f;
  x = int(std::lround((ndcX + 1) / 2 * width));
  y = int(std::lround(height - (ndcY + 1) / 2 * height));
}

class GlFrameSkip : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Window.Open(Width, Height));
    char pattern[] = "/tmp/tornelo-frameskip-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Dir = pattern;
  }
  void TearDown() override {
    SkipUnchangedFrames = true;
    unlink((Dir + "/mixed.tnl").c_str());
    rmdir(Dir.c_str());
  }

  // partial: the buffer keeps each frame (as a window shown by copying does), so the
  // frames in which only the arrows move redraw only where they move.
  Playback Play(bool skip, bool partial = false) {
    OsMesaWindow::Announce(Width, Height);
    EXPECT_TRUE(FormCreate());
    SeedRandom(20240611);
    SkipUnchangedFrames = skip;

    Playback run;
    size_t shown = 0;
    int drawn = 0;
    auto picture = [&] {
      glFinish();
      return std::hash<std::string_view>{}(
          std::string_view(reinterpret_cast<const char*>(Buffer.data()), Buffer.size()));
    };
    Headless.OnRedraw = [&] {
      if (PaintFrame(Headless.ClientWidth, Headless.ClientHeight, {partial, partial}).Partial) ++run.Partial;
      shown = picture();
      ++drawn;
    };
    // The ticks that the timer runs: none while it is stopped.
    auto ticks = [&](int n) {
      for (int i = 0; i < n; ++i) {
        if (SysTimerRunning()) Timer1Timer();
        run.Shown.push_back(shown);
        run.Drawn.push_back(drawn);
      }
    };
    // What a frame drawn now would show is what the window shows.
    auto showsNow = [&](const char* after) {
      RenderFrame(Headless.ClientWidth, Headless.ClientHeight, CurrentSceneOptions());
      EXPECT_EQ(picture(), shown) << "the picture is stale after " << after;
    };
    auto drag = [&](int dx, int dy) {
      FormMouseDown(MouseButton::Left, 250, 150);
      for (int step = 1; step <= 4; ++step) FormMouseMove(250 + step * dx, 150 + step * dy);
      FormMouseUp(MouseButton::Left, 250 + 4 * dx, 150 + 4 * dy);
    };

    ticks(10);                       // idle
    Arrows1Click();                  // the arrows come up with the next tick
    ticks(8);
    Arrows1Click();
    ticks(5);
    FormKeyDown(VK_UP);              // arrows again, layer 2
    FormKeyDown(VK_LEFT);
    FormKeyDown(VK_RETURN);          // one quarter turn
    ticks(25);
    Arrows1Click();
    ticks(3);
    FormKeyDown(VK_C);               // the caption only
    ticks(3);
    Fast1Click();
    Intermixing1Click();             // random turns
    ticks(30);
    Intermixing1Click();
    ticks(5);
    drag(12, 5);
    ticks(4);
    Texture1Click();
    ticks(3);
    ProjClick();
    ticks(3);
    int x, y;
    FaceThreeCentre(Width, Height, x, y);
    FormMouseDown(MouseButton::Left, x, y);   // steps a sticker's colour
    FormMouseUp(MouseButton::Left, x, y);
    showsNow("a sticker edit");
    ticks(3);
    FormMouseDown(MouseButton::Right, x, y);
    FormMouseUp(MouseButton::Right, x, y);
    ticks(3);
    Headless.ColorAnswers.push_back(SysColor{0x204080});
    N32Click();                      // colour 3 changes
    showsNow("a colour chosen");
    ticks(3);
    EXPECT_TRUE(WriteCubeFile(Dir + "/mixed.tnl").empty());
    Rotation1Click();
    ticks(10);
    Rotation1Click();
    ticks(3);
    Tracing1Click();                 // the view wanders, a new direction every 30 ticks
    ticks(100);
    Tracing1Click();
    ticks(3);
    Headless.ClientWidth = Width - 100;   // the client area shrinks
    ticks(3);
    Headless.ClientWidth = Width;
    ticks(3);
    Backmixing1Click();
    ticks(40);
    New1Click();                     // the stickers fly in
    ticks(3);
    Intermixing1Click();
    ticks(20);
    Intermixing1Click();
    ticks(3);
    Build1Click();
    EXPECT_TRUE(Building);
    for (int i = 0; i < 1000 && (Building || TurnInProgress); ++i) ticks(1);
    EXPECT_TRUE(StickersSolved());
    ticks(3);

    // With P holding the animation no tick comes: the handlers draw what they change.
    FormKeyDown(VK_P);
    FormMouseDown(MouseButton::Left, x, y);
    FormMouseUp(MouseButton::Left, x, y);
    showsNow("a sticker edit while paused");
    Build1Click();                   // eight stickers of one colour: refused, the faults marked
    EXPECT_FALSE(Building);
    showsNow("the fault marks");
    UndoLastTurn();                  // the turn waits at its start, the maps show its end
    EXPECT_TRUE(TurnInProgress);
    showsNow("Ctrl+Z while paused");
    ticks(3);
    FormKeyDown(VK_P);
    showsNow("P");
    for (int i = 0; i < 100 && TurnInProgress; ++i) ticks(1);
    // Opening the File menu holds the timer until the mouse moves.
    File1Click();
    Headless.OpenAnswers.push_back(Dir + "/mixed.tnl");
    Open1Click();
    showsNow("Open from the menu");
    FormMouseDown(MouseButton::Right, x, y);
    FormMouseUp(MouseButton::Right, x, y);
    showsNow("a sticker edit after a menu command");
    FormMouseMove(x, y);
    ticks(3);
    FormKeyDown(VK_P);
    Headless.OpenAnswers.push_back(Dir + "/mixed.tnl");
    Open1Click();
    showsNow("Open while paused");
    FormKeyDown(VK_P);
    ticks(10);                       // idle again, the face maps shown
    Arrows1Click();                  // the arrows over the face maps, a whole cycle
    ticks(26);
    FormMouseDown(MouseButton::Left, 250, 150);   // a click on no square of the maps
    FormMouseUp(MouseButton::Left, 250, 150);
    ticks(3);
    ProjClick();
    ticks(3);
    FormKeyDown(VK_DOWN);            // the ring moves to another layer
    ticks(3);
    FormKeyDown(VK_RIGHT);           // and turns the other way
    ticks(3);
    Arrows1Click();
    ticks(3);
    ticks(10);                       // idle again
    FormDestroy();
    Headless.OnRedraw = nullptr;
    return run;
  }

  OsMesaWindow Window;
  std::vector<uint8_t>& Buffer = Window.Buffer;
  std::string Dir;   // a folder of the test's own, for the cube file it opens
};

}  // namespace

TEST_F(GlFrameSkip, SkippedTicksShowWhatEveryTickDrawingShows) {
  const Playback every = Play(false);
  const Playback skipping = Play(true);
  ASSERT_EQ(every.Shown.size(), skipping.Shown.size());
  int differing = 0, first = -1;
  for (size_t i = 0; i < every.Shown.size(); ++i)
    if (every.Shown[i] != skipping.Shown[i] && differing++ == 0) first = int(i);
  EXPECT_EQ(differing, 0) << "the pictures differ after " << differing << " ticks, first after tick "
                          << first + 1;

  // Idle ticks draw nothing: after the first frame, none of the first ten ticks draws,
  // and neither do the last ten; moving arrows draw on every tick, and the command that
  // shows them draws them at once.
  EXPECT_EQ(skipping.Drawn[0], 1);
  EXPECT_EQ(skipping.Drawn[9], 1);
  EXPECT_EQ(skipping.Drawn[17] - skipping.Drawn[9], 9);
  const size_t n = skipping.Drawn.size();
  EXPECT_EQ(skipping.Drawn[n - 1], skipping.Drawn[n - 10]);
  EXPECT_LT(skipping.Drawn.back(), every.Drawn.back());
}

TEST_F(GlFrameSkip, FramesRedrawnWhereTheArrowsMoveShowWhatWholeFramesShow) {
  const Playback every = Play(false);
  const Playback partial = Play(true, true);
  ASSERT_EQ(every.Shown.size(), partial.Shown.size());
  int differing = 0, first = -1;
  for (size_t i = 0; i < every.Shown.size(); ++i)
    if (every.Shown[i] != partial.Shown[i] && differing++ == 0) first = int(i);
  EXPECT_EQ(differing, 0) << "the pictures differ after " << differing << " ticks, first after tick "
                          << first + 1;
  EXPECT_GT(partial.Partial, 30);
}
