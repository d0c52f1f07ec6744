// Entering a real cube: Ctrl+Z takes back edits and turns in the order they came, the
// quit question guards edits not saved, paste shows a facelet cube as Open shows a
// file's, and the colours chosen come back at the next start.

#include <map>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "cube/notation.h"
#include "cube/turns.h"

using namespace apptest;

namespace {

std::vector<uint8_t> Cube() { return std::vector<uint8_t>(Stickers, Stickers + StickerCount); }

void TurnLayer(int layer) {
  PlaySingleTurn(layer, +1);
  ASSERT_GT(TicksUntilStopped(100), 0);
}

// Esc with the answer given to a question; whether one was asked.
bool AsksOnEsc(bool answer) {
  Headless.OkCancelAnswers.assign(1, answer);
  const size_t messages = Headless.Messages.size();
  Headless.CloseRequested = false;
  FormKeyDown(VK_ESCAPE);
  Headless.OkCancelAnswers.clear();
  return Headless.Messages.size() > messages;
}

}  // namespace

TEST_F(AppTest, CtrlZTakesBackEditsAndTurnsMostRecentFirst) {
  const std::vector<uint8_t> solved = Cube();
  EditSticker(+1, 1);
  const std::vector<uint8_t> afterEdit = Cube();
  TurnLayer(3);
  const std::vector<uint8_t> afterTurn = Cube();
  PaintSticker(6, 23);
  PaintSticker(6, 23);   // no change: nothing to take back

  UndoLastChange();
  EXPECT_EQ(Cube(), afterTurn);
  UndoLastChange();
  ASSERT_GT(TicksUntilStopped(100), 0);
  EXPECT_EQ(Cube(), afterEdit);
  EXPECT_EQ(HistoryLength, 0);
  UndoLastChange();
  EXPECT_EQ(Cube(), solved);
  EXPECT_TRUE(GeometryShowsStickers());
}

TEST_F(AppTest, AnEditThatBackmixingTurnedPastIsNotPutBackAtTheWrongPlace) {
  TurnLayer(1);
  EditSticker(+1, 20);   // face 3, row 1: the undone turn of face 1 moves it
  Fast1Click();
  Backmixing1Click();
  ASSERT_GT(TicksUntilStopped(100), 0);
  const std::vector<uint8_t> backmixed = Cube();
  UndoLastChange();
  EXPECT_EQ(Cube(), backmixed);
  EXPECT_TRUE(AsksOnEsc(false));   // still in the cube, still not saved
}

TEST_F(AppTest, QuittingAsksOnlyWhenFaceMapEditsAreNotSaved) {
  EXPECT_FALSE(AsksOnEsc(false));
  EXPECT_TRUE(Headless.CloseRequested);

  EditSticker(+1, 5);
  EXPECT_TRUE(AsksOnEsc(false));
  EXPECT_FALSE(Headless.CloseRequested);
  EXPECT_EQ(Headless.Messages.back().Text, "The cube entered on the face maps is not saved. Quit anyway?");
  Headless.OkCancelAnswers.assign(1, true);
  Exit1Click();
  EXPECT_TRUE(Headless.CloseRequested);
  UndoLastChange();   // every edit taken back: nothing to lose
  EXPECT_FALSE(AsksOnEsc(false));

  const std::string file = ::testing::TempDir() + "entry_quit.tnl";
  EditSticker(-1, 40);
  Headless.SaveAnswers.push_back(file);
  Headless.OkCancelAnswers.assign(1, true);   // replace the file of an earlier run
  Save1Click();
  EXPECT_FALSE(AsksOnEsc(false));
  UndoLastChange();   // now the cube differs from the file
  EXPECT_TRUE(AsksOnEsc(false));
  Headless.OpenAnswers.push_back(file);
  Open1Click();
  EXPECT_FALSE(AsksOnEsc(false));
  EditSticker(+1, 41);
  New1Click();
  EXPECT_FALSE(AsksOnEsc(false));
}

TEST_F(AppTest, PasteShowsAFaceletCubeAsOpenDoesAndABadStringChangesNothing) {
  Scramble(4);
  const StickerRef where[] = {{1, 1, 1}};
  MarkStickers(where, 1);
  EditSticker(+1, 30);
  Headless.Clipboard = "  UUFUUFUUFRRRRRRRRRFFDFFDFFDDDBDDBDDBLLLLLLLLLUBBUBBUBB\r\n";
  PasteCube();
  EXPECT_TRUE(Headless.Messages.empty());
  const std::vector<uint8_t> pasted = Cube();
  EXPECT_EQ(HistoryLength, 0);
  EXPECT_FALSE(MarkedStickers[0]);
  EXPECT_FALSE(AsksOnEsc(false));
  Headless.Clipboard.clear();
  CopyCube();
  EXPECT_EQ(Headless.Clipboard, "UUFUUFUUFRRRRRRRRRFFDFFDFFDDDBDDBDDBLLLLLLLLLUBBUBBUBB");
  BuildCubeGeometry();
  QuarterTurn(5, ClockwiseDirection(5));   // R from the solved cube
  EXPECT_EQ(pasted, Cube());

  TurnLayer(2);
  MarkStickers(where, 1);
  const std::vector<uint8_t> before = Cube();
  for (const char* bad : {"UUU", "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBU"}) {
    Headless.Messages.clear();
    Headless.Clipboard = bad;
    PasteCube();
    ASSERT_EQ(Headless.Messages.size(), 1u) << bad;
    EXPECT_EQ(Headless.Messages[0].Text.rfind("The clipboard holds no cube as a facelet string: ", 0), 0u);
    EXPECT_EQ(Cube(), before);
    EXPECT_EQ(HistoryLength, 1);
    EXPECT_TRUE(MarkedStickers[0]);
  }
}

TEST_F(AppTest, ChosenColoursComeBackAtTheNextStartAndBadStoredOnesAreIgnored) {
  Headless.ColorAnswers.push_back(SysColor{0x0080FF});   // orange
  N52Click();
  N12Click();   // cancelled: nothing stored
  EXPECT_EQ(Headless.Settings, (std::map<std::string, std::string>{{"Colors/5", "#ff8000"}}));

  FormDestroy();
  std::map<std::string, std::string> stored = Headless.Settings;
  stored["Colors/1"] = "#12345";
  stored["Colors/2"] = "#12345g";
  stored["Colors/6"] = "#00Ff00";
  HeadlessReset();
  Headless.Settings = stored;
  FormCreate();
  for (int k : {1, 2, 3, 4})
    for (int c = 0; c < 3; ++c) EXPECT_EQ(FaceColors[k][c], DefaultFaceColors[k][c]) << k;
  EXPECT_EQ(FaceColorRGB(5, 0), SysColor{0x0080FF});
  EXPECT_EQ(FaceColorRGB(6, 0), SysColor{0x00FF00});
  EXPECT_EQ(Headless.Swatches[5], FaceColorRGB(5, 1));

  // A colour that cannot be stored holds for this run, and a box says so.
  Headless.SettingsReadOnly = true;
  Headless.ColorAnswers.push_back(SysColor{0x808080});
  N12Click();
  EXPECT_EQ(FaceColorRGB(1, 0), SysColor{0x808080});
  ASSERT_EQ(Headless.Messages.size(), 1u);
  EXPECT_NE(Headless.Messages[0].Text.find("could not be stored"), std::string::npos);
}
