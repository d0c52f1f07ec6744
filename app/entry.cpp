// Entering a real cube: the paint colour, edits as steps that Ctrl+Z takes back in turn
// with the turns, the question before a quit would lose an entered cube.

#include "app/entry.h"

#include <cstring>
#include <deque>

#include "app/handlers.h"
#include "app/state.h"
#include "cube/stickers.h"
#include "platform/platform.h"
#include "render/model.h"

namespace {

constexpr const char* QuitQuestion = "The cube entered on the face maps is not saved. Quit anyway?";

// One edit: the whole cube before and after it, and how many turns History held when
// it was made. An edit is taken back only while the cube is the one it left, so a
// change that came after it by another way (Backmixing, a turn taken back past it)
// can never have a sticker put back at the wrong place.
struct StickerEdit {
  uint8_t Before[StickerCount];
  uint8_t After[StickerCount];
  int32_t Turns;
  uint64_t Id;
  uint64_t PreviousId;   // the edit the cube showed last before this one
};

// Edits are clicks: a few thousand are more than any cube takes, and the oldest go
// first beyond that.
constexpr size_t EditLimit = 4096;

// Written only by the routines below (and reset by ForgetEdits and New's rebuild
// through it).
std::deque<StickerEdit> Edits;
uint64_t IdsGiven = 0;
uint64_t ShownEditId = 0;   // the last edit the cube shows, 0 for none
uint64_t SavedEditId = 0;   // the one it showed when it was last saved, opened or made

}  // namespace

void EditStickerTo(int s, uint8_t colour) {
  if (s < 1 || s > StickerCount || colour < 1 || colour > 6) return;
  uint8_t& sticker = Stickers[s - 1];
  if (sticker == colour) return;
  if (Edits.size() >= EditLimit) Edits.pop_front();
  StickerEdit& edit = Edits.emplace_back();
  std::memcpy(edit.Before, Stickers, StickerCount);
  sticker = colour;
  std::memcpy(edit.After, Stickers, StickerCount);
  edit.Turns = HistoryLength;
  edit.PreviousId = ShownEditId;
  edit.Id = ShownEditId = ++IdsGiven;
  ClearStickerMarks();
  RecolorFromStickers();
}

void ForgetEdits() {
  Edits.clear();
  SavedEditId = ShownEditId;
}

void MarkEditsSaved() { SavedEditId = ShownEditId; }

bool EditsUnsaved() { return ShownEditId != SavedEditId; }

bool UndoLastEdit() {
  while (!Edits.empty()) {
    const StickerEdit& edit = Edits.back();
    // A turn made after the edit goes first.
    if (edit.Turns < HistoryLength) return false;
    if (edit.Turns == HistoryLength && std::memcmp(edit.After, Stickers, StickerCount) == 0) {
      std::memcpy(Stickers, edit.Before, StickerCount);
      ShownEditId = edit.PreviousId;
      Edits.pop_back();
      ClearStickerMarks();
      RecolorFromStickers();
      return true;
    }
    // The cube has changed since by another way: this edit can no longer be taken
    // back alone. It still counts as not saved.
    Edits.pop_back();
  }
  return false;
}

void PaintSticker(int colour, int s) {
  if (colour < 1 || colour > 6) return;
  EditStickerTo(s, static_cast<uint8_t>(colour));
}

void ChoosePaintColour(int colour) {
  if (colour < 0 || colour > 6 || !SysMenuChecked(MenuItem::Proj)) return;
  PaintColour = colour;
}

void UndoLastChange() {
  if (UndoLastEdit()) {
    SysRedraw();
    return;
  }
  UndoLastTurn();
}

bool FormCloseQuery() {
  if (!EditsUnsaved()) return true;
  return SysAskOkCancel(QuitQuestion, MainCaption);
}

void QuitProgram() {
  if (FormCloseQuery()) SysCloseMainWindow();
}

void ResetEdits() {
  Edits.clear();
  IdsGiven = ShownEditId = SavedEditId = 0;
}
