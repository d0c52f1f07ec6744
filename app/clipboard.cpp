// Ctrl+V and Ctrl+C: the cube to and from the clipboard as a facelet string, the form
// other cube programs exchange a cube in.

#include <string>

#include "app/handlers.h"
#include "app/state.h"
#include "cube/facelets.h"
#include "cube/stickers.h"
#include "platform/platform.h"
#include "render/turn.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// The text without the blanks and line ends a copy from elsewhere brings around it.
std::string Trimmed(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsSpace(text[begin])) ++begin;
  while (end > begin && IsSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

void PasteCube() {
  // As Open: not while a turn is in progress.
  if (TurnInProgress) return;
  uint8_t cube[StickerCount];
  std::string why;
  if (!FaceletsToStickers(Trimmed(SysClipboardText()), cube, why)) {
    SysMessageBox("The clipboard holds no cube as a facelet string: " + why, MainCaption);
    return;
  }
  ShowOpenedCube(cube);
  SysRedraw();
}

void CopyCube() {
  std::string text;
  if (!StickersToFacelets(Stickers, text)) {
    // Each letter names a face by the colour of its centre.
    SysMessageBox("This cube cannot be copied as a facelet string: its centres are not six "
                  "different colours.", MainCaption);
    return;
  }
  SysSetClipboardText(text);
}
