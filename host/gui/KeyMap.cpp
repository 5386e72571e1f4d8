// The table between Qt keys and virtual keys. Letters and digits are their ASCII codes on both
// sides; the keypad is told apart by Qt's keypad modifier.
#include "host/gui/KeyMap.h"

#include "host/gui/Messages.h"

#include <array>
#include <utility>

namespace {
using TPair = std::pair<int, unsigned short>;

constexpr std::array<TPair, 44> MainKeys{{
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_Cancel, VK_CANCEL},
}};

constexpr std::array<TPair, 7> KeypadKeys{{
    {Qt::Key_Asterisk, VK_MULTIPLY},
    {Qt::Key_Plus, VK_ADD},
    {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Slash, VK_DIVIDE},
    {Qt::Key_Period, VK_DECIMAL},
    {Qt::Key_Comma, VK_DECIMAL},
    {Qt::Key_Enter, VK_RETURN},
}};

template <std::size_t N> unsigned short Find(const std::array<TPair, N>& Table, int QtKey) {
  for (const TPair& P : Table)
    if (P.first == QtKey) return P.second;
  return 0;
}

template <std::size_t N> int FindKey(const std::array<TPair, N>& Table, unsigned short Vk) {
  for (const TPair& P : Table)
    if (P.second == Vk) return P.first;
  return Qt::Key_unknown;
}
} // namespace

unsigned short VirtualKeyOf(int QtKey, Qt::KeyboardModifiers Modifiers) {
  const bool Keypad = Modifiers & Qt::KeypadModifier;
  if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9)
    return static_cast<unsigned short>(Keypad ? VK_NUMPAD0 + (QtKey - Qt::Key_0) : QtKey);
  if (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z) return static_cast<unsigned short>(QtKey);
  if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F12)
    return static_cast<unsigned short>(VK_F1 + (QtKey - Qt::Key_F1));
  if (Keypad)
    if (const unsigned short Vk = Find(KeypadKeys, QtKey)) return Vk;
  return Find(MainKeys, QtKey);
}

int QtKeyOf(unsigned short VirtualKey, bool& Keypad) {
  Keypad = false;
  if ((VirtualKey >= VK_0 && VirtualKey <= VK_9) || (VirtualKey >= VK_A && VirtualKey <= VK_Z))
    return VirtualKey;
  if (VirtualKey >= VK_NUMPAD0 && VirtualKey <= VK_NUMPAD9) {
    Keypad = true;
    return Qt::Key_0 + (VirtualKey - VK_NUMPAD0);
  }
  if (VirtualKey >= VK_F1 && VirtualKey <= VK_F12) return Qt::Key_F1 + (VirtualKey - VK_F1);
  if (const int Key = FindKey(KeypadKeys, VirtualKey);
      Key != Qt::Key_unknown && VirtualKey != VK_RETURN) {
    Keypad = true;
    return Key;
  }
  return FindKey(MainKeys, VirtualKey);
}
