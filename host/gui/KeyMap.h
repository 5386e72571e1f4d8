// Private to host/gui: Qt keys and virtual keys, both ways.
#pragma once

#include <Qt>

// The virtual key of a Qt key (keypad keys by their modifier); 0 for keys without one.
unsigned short VirtualKeyOf(int QtKey, Qt::KeyboardModifiers Modifiers);
// The Qt key that gives a virtual key; Keypad tells whether it is on the numeric keypad.
// Qt::Key_unknown for virtual keys without one.
int QtKeyOf(unsigned short VirtualKey, bool& Keypad);
