#pragma once
// Translation of the toolkit's key codes into the virtual-key codes the program's
// key handler takes (13 Enter, 27 Esc, 32 Space, 37..40 the arrows, 0x41.. the
// letters, 0x70.. the function keys ...). A key without such a code gives 0.

#include <Qt>

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
