#pragma once
// Translation of the toolkit's key codes into the virtual-key codes the program's
// key handler takes (13 Enter, 27 Esc, 32 Space, 37..40 the arrows, 0x30.. the
// digits, 0x41.. the letters, 0x70.. the function keys ...). A key without such a code gives 0.

#include <Qt>

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// The same for a key event. A letter of a non-Latin layout (a Cyrillic or Greek
// one) gives the code of the Latin letter on the same key of the US layout, found
// from the key's scan code, so that the letter keys act under any layout.
class QKeyEvent;
int VirtualKeyFromQt(const QKeyEvent& event);
// The Latin letter 'A'..'Z' on the key with this XKB keycode in the US layout, or 0.
int LatinLetterOfScanCode(quint32 scanCode);
// The digit '0'..'9' on the key with this XKB keycode (the digit row), or 0.
int DigitOfScanCode(quint32 scanCode);
