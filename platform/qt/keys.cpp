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

// The keys the program acts on whose virtual-key code is not their character code.
const KeyCode KeyTable[] = {
  // Qt key               VK
  {Qt::Key_Return,        0x0D},
  {Qt::Key_Enter,         0x0D},   // the keypad's Enter
  {Qt::Key_Escape,        0x1B},
  {Qt::Key_Space,         0x20},
  {Qt::Key_Home,          0x24},
  {Qt::Key_Left,          0x25},
  {Qt::Key_Up,            0x26},
  {Qt::Key_Right,         0x27},
  {Qt::Key_Down,          0x28},
  {Qt::Key_End,           0x23},
  {Qt::Key_Home,          0x24},
};

}  // namespace

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;   // 'A'..'Z'
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;   // '0'..'9'
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 0x70 + (qtKey - Qt::Key_F1);
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
// The digit row, keycodes 10..19: 1 .. 9, then 0.
constexpr quint32 DigitRowStart = 10;

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

int DigitOfScanCode(quint32 scanCode) {
  if (scanCode < DigitRowStart || scanCode >= DigitRowStart + 10) return 0;
  return '0' + static_cast<int>((scanCode - DigitRowStart + 1) % 10);
}

int VirtualKeyFromQt(const QKeyEvent& event) {
  const int key = event.key();
  // The keys of the digit row give their digit under every layout, also where the
  // layout puts other characters there without Shift (as the French one does).
  if ((key < Qt::Key_0 || key > Qt::Key_9) && ScanCodesAreXkb()) {
    if (const int digit = DigitOfScanCode(event.nativeScanCode())) return digit;
  }
  // Qt gives a letter key its character's code: above Latin-1 for the letters of a
  // non-Latin script.
  if (key > 0xFF && key <= 0xFFFF && QChar(static_cast<char16_t>(key)).isLetter() && ScanCodesAreXkb()) {
    if (const int latin = LatinLetterOfScanCode(event.nativeScanCode())) return latin;
  }
  return VirtualKeyFromQt(key, event.modifiers());
}
