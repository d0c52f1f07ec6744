#include "platform/qt/keys.h"

#include <QChar>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QString>

#include <string>

namespace {

struct KeyCode {
  int QtKey;
  int VirtualKey;
};

// Keys whose virtual-key code is not simply their character code.
const KeyCode KeyTable[] = {
  // Qt key               VK
  {Qt::Key_Backspace,     0x08},
  {Qt::Key_Tab,           0x09},
  {Qt::Key_Backtab,       0x09},
  {Qt::Key_Clear,         0x0C},
  {Qt::Key_Return,        0x0D},
  {Qt::Key_Enter,         0x0D},   // the keypad's Enter
  {Qt::Key_Shift,         0x10},
  {Qt::Key_Control,       0x11},
  {Qt::Key_Alt,           0x12},
  {Qt::Key_Pause,         0x13},
  {Qt::Key_CapsLock,      0x14},
  {Qt::Key_Escape,        0x1B},
  {Qt::Key_Space,         0x20},
  {Qt::Key_PageUp,        0x21},
  {Qt::Key_PageDown,      0x22},
  {Qt::Key_End,           0x23},
  {Qt::Key_Home,          0x24},
  {Qt::Key_Left,          0x25},
  {Qt::Key_Up,            0x26},
  {Qt::Key_Right,         0x27},
  {Qt::Key_Down,          0x28},
  {Qt::Key_Print,         0x2C},
  {Qt::Key_Insert,        0x2D},
  {Qt::Key_Delete,        0x2E},
  {Qt::Key_Meta,          0x5B},
  {Qt::Key_Menu,          0x5D},
  {Qt::Key_NumLock,       0x90},
  {Qt::Key_ScrollLock,    0x91},
  {Qt::Key_Semicolon,     0xBA},
  {Qt::Key_Equal,         0xBB},
  {Qt::Key_Comma,         0xBC},
  {Qt::Key_Minus,         0xBD},
  {Qt::Key_Period,        0xBE},
  {Qt::Key_Slash,         0xBF},
  {Qt::Key_QuoteLeft,     0xC0},
  {Qt::Key_BracketLeft,   0xDB},
  {Qt::Key_Backslash,     0xDC},
  {Qt::Key_BracketRight,  0xDD},
  {Qt::Key_Apostrophe,    0xDE},
};

// The keypad's digits and operators while Num Lock is on.
const KeyCode KeypadTable[] = {
  {Qt::Key_Asterisk,      0x6A},
  {Qt::Key_Plus,          0x6B},
  {Qt::Key_Minus,         0x6D},
  {Qt::Key_Period,        0x6E},
  {Qt::Key_Comma,         0x6E},
  {Qt::Key_Slash,         0x6F},
};

}  // namespace

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
    return keypad ? 0x60 + (qtKey - Qt::Key_0) : qtKey;   // '0'..'9' or the keypad's
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;   // 'A'..'Z'
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 0x70 + (qtKey - Qt::Key_F1);
  if (keypad)
    for (const KeyCode& k : KeypadTable)
      if (k.QtKey == qtKey) return k.VirtualKey;
  for (const KeyCode& k : KeyTable)
    if (k.QtKey == qtKey) return k.VirtualKey;
  return 0;
}

namespace {

// The letter rows of the US layout by XKB keycode (the Linux input code + 8), which
// the X11 and the Wayland platforms both report as the scan code.
constexpr char LetterRows[][11] = {
  "QWERTYUIOP",   // keycodes 24..33
  "ASDFGHJKL",    // 38..46
  "ZXCVBNM",      // 52..58
};
constexpr quint32 RowStart[] = {24, 38, 52};

bool ScanCodesAreXkb() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

}  // namespace

int LatinLetterOfScanCode(quint32 scanCode) {
  for (int row = 0; row < 3; ++row) {
    const quint32 length = static_cast<quint32>(std::char_traits<char>::length(LetterRows[row]));
    if (scanCode >= RowStart[row] && scanCode < RowStart[row] + length)
      return LetterRows[row][scanCode - RowStart[row]];
  }
  return 0;
}

int VirtualKeyFromQt(const QKeyEvent& event) {
  const int key = event.key();
  // Qt gives a letter key its character's code: above Latin-1 for the letters of a
  // non-Latin script.
  if (key > 0xFF && key <= 0xFFFF && QChar(static_cast<char16_t>(key)).isLetter() && ScanCodesAreXkb()) {
    if (const int latin = LatinLetterOfScanCode(event.nativeScanCode())) return latin;
  }
  return VirtualKeyFromQt(key, event.modifiers());
}
