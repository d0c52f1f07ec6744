// Entering a real cube: Ctrl+Z takes back edits and turns in the order they came, the
// quit question guards edits not saved, and the colours chosen come back next start.

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "cube/facelets.h"
#include "cube/notation.h"
#include "cube/turns.h"

using namespace apptest;

namespace {

std::vector<uint8_t> Cube() { return std::vector<uint8_t>(Stickers, Stickers + StickerCount); }

// Plays one quarter turn of a layer through the ticks, as Enter does.
void TurnLayer(int layer) {
  PlaySingleTurn(layer, +1);
  ASSERT_GT(TicksUntilStopped(100), 0);
}

void SaveTo(const std::string& file) {
  Headless.SaveAnswers.push_back(file);
  Headless.OkCancelAnswers.push_back(true);   // replace the file of an earlier save
  Save1Click();
  Headless.OkCancelAnswers.clear();
}

bool AsksOnEsc(bool answer) {
  Headless.OkCancelAnswers.push_back(answer);
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
  const std::vector<uint8_t> afterFirstEdit = Cube();
  TurnLayer(3);
  const std::vector<uint8_t> afterTurn = Cube();
  PaintSticker(6, 23);
  PaintSticker(6, 23);   // no change: no edit to take back

  UndoLastChange();   // the paint
  EXPECT_EQ(Cube(), afterTurn);
  EXPECT_EQ(HistoryLength, 1);
  UndoLastChange();   // the turn
  ASSERT_GT(TicksUntilStopped(100), 0);
  EXPECT_EQ(Cube(), afterFirstEdit);
  EXPECT_EQ(HistoryLength, 0);
  UndoLastChange();   // the first edit
  EXPECT_EQ(Cube(), solved);
  EXPECT_TRUE(GeometryShowsStickers());
  UndoLastChange();   // nothing left
  EXPECT_EQ(Cube(), solved);
}

TEST_F(AppTest, AnEditThatBackmixingTurnedPastIsNotPutBackAtTheWrongPlace) {
  TurnLayer(1);
  EditSticker(+1, 20);   // face 3, row 1, column 2: moved by undoing the turn of face 1
  Fast1Click();
  Backmixing1Click();
  ASSERT_GT(TicksUntilStopped(100), 0);
  const std::vector<uint8_t> backmixed = Cube();
  UndoLastChange();
  Ticks(5);
  EXPECT_EQ(Cube(), backmixed);
  // The edit is still in the cube, and still not saved.
  EXPECT_TRUE(AsksOnEsc(false));
  EXPECT_FALSE(Headless.CloseRequested);
}

TEST_F(AppTest, QuittingAsksOnlyWhenFaceMapEditsAreNotSaved) {
  EXPECT_FALSE(AsksOnEsc(false));
  EXPECT_TRUE(Headless.CloseRequested);
  EXPECT_TRUE(FormCloseQuery());

  EditSticker(+1, 5);
  EXPECT_TRUE(AsksOnEsc(false));
  EXPECT_FALSE(Headless.CloseRequested);
  EXPECT_EQ(Headless.Messages.back().Text, "The cube entered on the face maps is not saved. Quit anyway?");
  EXPECT_EQ(Headless.Messages.back().Caption, "Tornelo");
  Headless.OkCancelAnswers.push_back(true);
  Exit1Click();
  EXPECT_TRUE(Headless.CloseRequested);
  EXPECT_FALSE(FormCloseQuery());   // the close button asks too (an empty queue is Cancel)

  // Taking every edit back leaves nothing to lose.
  UndoLastChange();
  EXPECT_FALSE(AsksOnEsc(false));

  // Save, Open and New each leave the cube as saved; a turn is no edit.
  const std::string file = ::testing::TempDir() + "entry_quit.tnl";
  EditSticker(-1, 40);
  SaveTo(file);
  EXPECT_FALSE(AsksOnEsc(false));
  EditSticker(-1, 41);
  Headless.OpenAnswers.push_back(file);
  Open1Click();
  EXPECT_FALSE(AsksOnEsc(false));
  TurnLayer(2);
  EXPECT_FALSE(AsksOnEsc(false));
  EditSticker(+1, 41);
  New1Click();
  EXPECT_FALSE(AsksOnEsc(false));
  // After Save, taking an edit back makes the cube differ from the file again.
  EditSticker(+1, 2);
  SaveTo(file);
  UndoLastChange();
  EXPECT_TRUE(AsksOnEsc(false));
}

TEST_F(AppTest, PaintKeysActOnlyWithTheMapsShown) {
  FormKeyDown(VK_0 + 4);
  EXPECT_EQ(PaintColour, 0);
  ProjClick();
  FormKeyDown(VK_0 + 4);
  EXPECT_EQ(PaintColour, 4);
  FormKeyDown(VK_0 + 7);
  EXPECT_EQ(PaintColour, 4);
  FormKeyDown(VK_0);
  EXPECT_EQ(PaintColour, 0);
  FormKeyDown(VK_0 + 2);
  ProjClick();   // hiding the maps goes back to stepping
  EXPECT_EQ(PaintColour, 0);
}

TEST_F(AppTest, ChosenColoursComeBackAtTheNextStartAndBadStoredOnesAreIgnored) {
  EXPECT_TRUE(Headless.Settings.empty());   // a first start stores nothing
  Headless.ColorAnswers.push_back(SysColor{0x0080FF});   // orange: red ff, green 80
  N52Click();
  Headless.ColorAnswers.push_back(std::nullopt);
  N12Click();   // cancelled: nothing stored
  EXPECT_EQ(Headless.Settings, (std::map<std::string, std::string>{{"Colors/5", "#ff8000"}}));

  FormDestroy();
  std::map<std::string, std::string> stored = Headless.Settings;
  stored["Colors/1"] = "#12345";    // too short
  stored["Colors/2"] = "#12345g";   // not hex
  stored["Colors/3"] = "1234567";
  stored["Colors/6"] = "#00Ff00";
  HeadlessReset();
  Headless.Settings = stored;
  FormCreate();
  for (int k : {1, 2, 3, 4})
    for (int c = 0; c < 3; ++c) EXPECT_EQ(FaceColors[k][c], DefaultFaceColors[k][c]) << k;
  EXPECT_EQ(FaceColorRGB(5, 0), SysColor{0x0080FF});
  EXPECT_EQ(FaceColorRGB(6, 0), SysColor{0x00FF00});
  EXPECT_EQ(Headless.Swatches[5], FaceColorRGB(5, 1));
  EXPECT_TRUE(GeometryShowsStickers());

  // A colour that cannot be stored still holds for this run, and a box says so.
  Headless.SettingsReadOnly = true;
  Headless.ColorAnswers.push_back(SysColor{0x808080});
  N12Click();
  EXPECT_EQ(FaceColorRGB(1, 0), SysColor{0x808080});
  ASSERT_FALSE(Headless.Messages.empty());
  EXPECT_NE(Headless.Messages.back().Text.find("could not be stored"), std::string::npos);
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
  BuildCubeGeometry();
  QuarterTurn(5, ClockwiseDirection(5));   // R from the solved cube
  EXPECT_EQ(pasted, Cube());
  std::memcpy(Stickers, pasted.data(), StickerCount);
  EXPECT_EQ(HistoryLength, 0);
  for (bool marked : MarkedStickers) EXPECT_FALSE(marked);
  EXPECT_FALSE(AsksOnEsc(false));   // as after Open: nothing entered is lost
  Headless.Clipboard.clear();
  CopyCube();
  EXPECT_EQ(Headless.Clipboard, "UUFUUFUUFRRRRRRRRRFFDFFDFFDDDBDDBDDBLLLLLLLLLUBBUBBUBB");

  TurnLayer(2);
  MarkStickers(where, 1);
  const std::vector<uint8_t> before = Cube();
  for (const char* bad : {"", "UUU", "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBX",
                          "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBU"}) {
    Headless.Messages.clear();
    Headless.Clipboard = bad;
    PasteCube();
    ASSERT_EQ(Headless.Messages.size(), 1u) << bad;
    EXPECT_EQ(Headless.Messages[0].Text.rfind("The clipboard holds no cube as a facelet string: ", 0), 0u);
    EXPECT_EQ(Cube(), before);
    EXPECT_EQ(HistoryLength, 1);
    EXPECT_TRUE(MarkedStickers[0]);
  }

  // Two centres alike have no facelet string: a box, and the clipboard keeps its text.
  StickerAtPos(3, 5) = StickerAtPos(1, 5);
  Headless.Messages.clear();
  CopyCube();
  EXPECT_EQ(Headless.Clipboard, "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBU");
  EXPECT_EQ(Headless.Messages.size(), 1u);
}
