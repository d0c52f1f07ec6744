// Ctrl+V and Ctrl+C: the cube to and from the clipboard as a facelet string, the form
// other cube programs exchange a cube in.

#include <string>

#include "app/handlers.h"
#include "app/state.h"
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

// The facelet conversion, to be connected to the cube module's: until then no text is
// read or written as a cube, and the box says so.
bool CubeFromFacelets(const std::string&, uint8_t*, std::string& why) {
  why = "facelet strings cannot be read by this build.";
  return false;
}
bool FaceletsOfCube(const uint8_t*, std::string&, std::string& why) {
  why = "facelet strings cannot be written by this build.";
  return false;
}

}  // namespace

void PasteCube() {
  // As Open: not while a turn is in progress.
  if (TurnInProgress) return;
  uint8_t cube[StickerCount];
  std::string why;
  if (!CubeFromFacelets(Trimmed(SysClipboardText()), cube, why)) {
    SysMessageBox("The clipboard holds no cube: " + why, MainCaption);
    return;
  }
  ShowOpenedCube(cube);
  SysRedraw();
}

void CopyCube() {
  std::string text, why;
  if (!FaceletsOfCube(Stickers, text, why)) {
    SysMessageBox("This cube cannot be written as a facelet string: " + why, MainCaption);
    return;
  }
  SysSetClipboardText(text);
}
