// Window messages: the record a window hands to its control, the message numbers, the codes
// they carry (mouse keys, scroll actions, dialog codes, virtual keys) and typed views that
// unpack their fields. Controls answer messages in WndProc, usually through a table of
// handlers (DispatchMessage below).
#pragma once

#include "host/gui/WinApi.h"

#include <cstddef>
#include <cstdint>

// One message as it reaches a control. The meaning of WParam and LParam depends on Msg;
// Result is the answer the sender gets back.
struct TMessage {
  unsigned Msg = 0;
  std::uintptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};

// ---------------------------------------------------------------- system messages
constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_SIZE = 0x0005;      // LParam: client width (low word), height (high word)
constexpr unsigned WM_SETFOCUS = 0x0007;  // WParam: the window that lost the focus, or 0
constexpr unsigned WM_KILLFOCUS = 0x0008; // WParam: the window that gets the focus, or 0
constexpr unsigned WM_PAINT = 0x000F; // WParam: the painting context, clipped to the update region
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_ERASEBKGND = 0x0014; // WParam: the painting context
constexpr unsigned WM_CANCELMODE = 0x001F;
constexpr unsigned WM_SETCURSOR =
    0x0020; // WParam: window under the pointer; LParam: hit test, mouse message
constexpr unsigned WM_NCHITTEST = 0x0084;  // LParam: screen point; answers an HT* code
constexpr unsigned WM_GETDLGCODE = 0x0087; // answers DLGC_* bits
constexpr unsigned WM_KEYDOWN = 0x0100;    // WParam: virtual key; LParam: key data
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;       // WParam: the character (a Unicode code point)
constexpr unsigned WM_SYSKEYDOWN = 0x0104; // a key pressed with Alt held
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_SYSCHAR = 0x0106;
constexpr unsigned WM_TIMER = 0x0113;   // WParam: the timer identifier
constexpr unsigned WM_HSCROLL = 0x0114; // WParam: SB_* code (low word), thumb position (high word)
constexpr unsigned WM_VSCROLL = 0x0115;
constexpr unsigned WM_MOUSEMOVE = 0x0200; // WParam: MK_* keys; LParam: client point
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
constexpr unsigned WM_MBUTTONDOWN = 0x0207;
constexpr unsigned WM_MBUTTONUP = 0x0208;
constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;
constexpr unsigned WM_MOUSEWHEEL =
    0x020A; // WParam: MK_* keys (low word), delta (high word); LParam: screen point
constexpr unsigned WM_USER = 0x0400;

// ---------------------------------------------------------------- framework notifications
// Private to this framework, in the application message range (0x8000..0xBFFF) so that they
// never collide with system messages. Their order carries no meaning.
constexpr unsigned CM_BASE = 0xA000;
constexpr unsigned CM_ACTIVATE = CM_BASE + 0; // a form became the active window
constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
constexpr unsigned CM_ENTER = CM_BASE + 2; // the control became its form's active control
constexpr unsigned CM_EXIT = CM_BASE + 3;
constexpr unsigned CM_CANCELMODE = CM_BASE + 4; // LParam: the control that asked for it
constexpr unsigned CM_FONTCHANGED = CM_BASE + 5;
constexpr unsigned CM_PARENTFONTCHANGED = CM_BASE + 6;
constexpr unsigned CM_COLORCHANGED = CM_BASE + 7;
constexpr unsigned CM_PARENTCOLORCHANGED = CM_BASE + 8;
constexpr unsigned CM_CTL3DCHANGED = CM_BASE + 9;
constexpr unsigned CM_PARENTCTL3DCHANGED = CM_BASE + 10;
constexpr unsigned CM_DESIGNHITTEST =
    CM_BASE + 11; // as a mouse message; answers nonzero to get the mouse at design time
constexpr unsigned CM_WANTSPECIALKEY =
    CM_BASE + 12; // as a key message; answers nonzero to keep the key
constexpr unsigned CM_DIALOGKEY =
    CM_BASE + 13; // to the form: as a key message; answers nonzero when used
constexpr unsigned CM_SHOWINGCHANGED = CM_BASE + 14;
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 15;
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 16;
constexpr unsigned CM_MOUSEENTER = CM_BASE + 17;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 18;
constexpr unsigned CM_CURSORCHANGED = CM_BASE + 19;
constexpr unsigned CM_BIDIMODECHANGED = CM_BASE + 20;
constexpr unsigned CM_TEXTCHANGED = CM_BASE + 21;
constexpr unsigned CM_RECREATEWND = CM_BASE + 22;

// ---------------------------------------------------------------- codes
// WM_GETDLGCODE answers: the keys a control keeps instead of the form's dialog handling.
constexpr unsigned DLGC_WANTARROWS = 0x0001;
constexpr unsigned DLGC_WANTTAB = 0x0002;
constexpr unsigned DLGC_WANTALLKEYS = 0x0004;
constexpr unsigned DLGC_WANTMESSAGE = 0x0004;
constexpr unsigned DLGC_HASSETSEL = 0x0008;
constexpr unsigned DLGC_DEFPUSHBUTTON = 0x0010;
constexpr unsigned DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr unsigned DLGC_RADIOBUTTON = 0x0040;
constexpr unsigned DLGC_WANTCHARS = 0x0080;
constexpr unsigned DLGC_STATIC = 0x0100;
constexpr unsigned DLGC_BUTTON = 0x2000;

// Mouse messages: the buttons and keys held.
constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;
constexpr unsigned MK_SHIFT = 0x0004;
constexpr unsigned MK_CONTROL = 0x0008;
constexpr unsigned MK_MBUTTON = 0x0010;

// One wheel notch.
constexpr int WHEEL_DELTA = 120;

// Scroll bar actions (WM_HSCROLL, WM_VSCROLL) and bar identifiers.
constexpr int SB_LINEUP = 0;
constexpr int SB_LINELEFT = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_LINERIGHT = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGELEFT = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_PAGERIGHT = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_LEFT = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_RIGHT = 7;
constexpr int SB_ENDSCROLL = 8;
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;

// WM_NCHITTEST answers.
constexpr int HTERROR = -2;
constexpr int HTTRANSPARENT = -1;
constexpr int HTNOWHERE = 0;
constexpr int HTCLIENT = 1;
constexpr int HTHSCROLL = 6;
constexpr int HTVSCROLL = 7;
constexpr int HTBORDER = 18;

// WM_SIZE kinds.
constexpr unsigned SIZE_RESTORED = 0;

// ---------------------------------------------------------------- virtual keys
constexpr unsigned short VK_LBUTTON = 0x01;
constexpr unsigned short VK_RBUTTON = 0x02;
constexpr unsigned short VK_CANCEL = 0x03;
constexpr unsigned short VK_MBUTTON = 0x04;
constexpr unsigned short VK_BACK = 0x08;
constexpr unsigned short VK_TAB = 0x09;
constexpr unsigned short VK_CLEAR = 0x0C;
constexpr unsigned short VK_RETURN = 0x0D;
constexpr unsigned short VK_SHIFT = 0x10;
constexpr unsigned short VK_CONTROL = 0x11;
constexpr unsigned short VK_MENU = 0x12; // Alt
constexpr unsigned short VK_PAUSE = 0x13;
constexpr unsigned short VK_CAPITAL = 0x14;
constexpr unsigned short VK_ESCAPE = 0x1B;
constexpr unsigned short VK_SPACE = 0x20;
constexpr unsigned short VK_PRIOR = 0x21; // Page Up
constexpr unsigned short VK_NEXT = 0x22;  // Page Down
constexpr unsigned short VK_END = 0x23;
constexpr unsigned short VK_HOME = 0x24;
constexpr unsigned short VK_LEFT = 0x25;
constexpr unsigned short VK_UP = 0x26;
constexpr unsigned short VK_RIGHT = 0x27;
constexpr unsigned short VK_DOWN = 0x28;
constexpr unsigned short VK_SELECT = 0x29;
constexpr unsigned short VK_PRINT = 0x2A;
constexpr unsigned short VK_EXECUTE = 0x2B;
constexpr unsigned short VK_SNAPSHOT = 0x2C;
constexpr unsigned short VK_INSERT = 0x2D;
constexpr unsigned short VK_DELETE = 0x2E;
constexpr unsigned short VK_HELP = 0x2F;
// Digits and letters are their upper-case ASCII codes: '0'..'9', 'A'..'Z'.
constexpr unsigned short VK_0 = 0x30;
constexpr unsigned short VK_1 = 0x31;
constexpr unsigned short VK_2 = 0x32;
constexpr unsigned short VK_3 = 0x33;
constexpr unsigned short VK_4 = 0x34;
constexpr unsigned short VK_5 = 0x35;
constexpr unsigned short VK_6 = 0x36;
constexpr unsigned short VK_7 = 0x37;
constexpr unsigned short VK_8 = 0x38;
constexpr unsigned short VK_9 = 0x39;
constexpr unsigned short VK_A = 0x41;
constexpr unsigned short VK_B = 0x42;
constexpr unsigned short VK_C = 0x43;
constexpr unsigned short VK_D = 0x44;
constexpr unsigned short VK_E = 0x45;
constexpr unsigned short VK_F = 0x46;
constexpr unsigned short VK_G = 0x47;
constexpr unsigned short VK_H = 0x48;
constexpr unsigned short VK_I = 0x49;
constexpr unsigned short VK_J = 0x4A;
constexpr unsigned short VK_K = 0x4B;
constexpr unsigned short VK_L = 0x4C;
constexpr unsigned short VK_M = 0x4D;
constexpr unsigned short VK_N = 0x4E;
constexpr unsigned short VK_O = 0x4F;
constexpr unsigned short VK_P = 0x50;
constexpr unsigned short VK_Q = 0x51;
constexpr unsigned short VK_R = 0x52;
constexpr unsigned short VK_S = 0x53;
constexpr unsigned short VK_T = 0x54;
constexpr unsigned short VK_U = 0x55;
constexpr unsigned short VK_V = 0x56;
constexpr unsigned short VK_W = 0x57;
constexpr unsigned short VK_X = 0x58;
constexpr unsigned short VK_Y = 0x59;
constexpr unsigned short VK_Z = 0x5A;
constexpr unsigned short VK_LWIN = 0x5B;
constexpr unsigned short VK_RWIN = 0x5C;
constexpr unsigned short VK_APPS = 0x5D;
constexpr unsigned short VK_NUMPAD0 = 0x60;
constexpr unsigned short VK_NUMPAD1 = 0x61;
constexpr unsigned short VK_NUMPAD2 = 0x62;
constexpr unsigned short VK_NUMPAD3 = 0x63;
constexpr unsigned short VK_NUMPAD4 = 0x64;
constexpr unsigned short VK_NUMPAD5 = 0x65;
constexpr unsigned short VK_NUMPAD6 = 0x66;
constexpr unsigned short VK_NUMPAD7 = 0x67;
constexpr unsigned short VK_NUMPAD8 = 0x68;
constexpr unsigned short VK_NUMPAD9 = 0x69;
constexpr unsigned short VK_MULTIPLY = 0x6A;
constexpr unsigned short VK_ADD = 0x6B;
constexpr unsigned short VK_SEPARATOR = 0x6C;
constexpr unsigned short VK_SUBTRACT = 0x6D;
constexpr unsigned short VK_DECIMAL = 0x6E;
constexpr unsigned short VK_DIVIDE = 0x6F;
constexpr unsigned short VK_F1 = 0x70;
constexpr unsigned short VK_F2 = 0x71;
constexpr unsigned short VK_F3 = 0x72;
constexpr unsigned short VK_F4 = 0x73;
constexpr unsigned short VK_F5 = 0x74;
constexpr unsigned short VK_F6 = 0x75;
constexpr unsigned short VK_F7 = 0x76;
constexpr unsigned short VK_F8 = 0x77;
constexpr unsigned short VK_F9 = 0x78;
constexpr unsigned short VK_F10 = 0x79;
constexpr unsigned short VK_F11 = 0x7A;
constexpr unsigned short VK_F12 = 0x7B;
constexpr unsigned short VK_NUMLOCK = 0x90;
constexpr unsigned short VK_SCROLL = 0x91;
constexpr unsigned short VK_OEM_1 = 0xBA;      // ;
constexpr unsigned short VK_OEM_PLUS = 0xBB;   // =
constexpr unsigned short VK_OEM_COMMA = 0xBC;  // ,
constexpr unsigned short VK_OEM_MINUS = 0xBD;  // -
constexpr unsigned short VK_OEM_PERIOD = 0xBE; // .
constexpr unsigned short VK_OEM_2 = 0xBF;      // /
constexpr unsigned short VK_OEM_3 = 0xC0;      // `
constexpr unsigned short VK_OEM_4 = 0xDB;      // [
constexpr unsigned short VK_OEM_5 = 0xDC;      // backslash
constexpr unsigned short VK_OEM_6 = 0xDD;      // ]
constexpr unsigned short VK_OEM_7 = 0xDE;      // '

// Key data (LParam of key messages): repeat count in bits 0..15; these flags above it.
constexpr std::intptr_t KF_ALTDOWN = 1 << 29;           // Alt was held
constexpr std::intptr_t KF_REPEAT = 1 << 30;            // the key was already down
constexpr std::intptr_t KF_UP = std::intptr_t(1) << 31; // the key is being released

// ---------------------------------------------------------------- packing
constexpr unsigned LoWord(std::uintptr_t Value) {
  return static_cast<unsigned>(Value & 0xFFFF);
}
constexpr unsigned HiWord(std::uintptr_t Value) {
  return static_cast<unsigned>((Value >> 16) & 0xFFFF);
}
constexpr std::uintptr_t MakeWParam(unsigned Low, unsigned High) {
  return static_cast<std::uintptr_t>((Low & 0xFFFF) | ((High & 0xFFFF) << 16));
}
constexpr std::intptr_t MakeLParam(unsigned Low, unsigned High) {
  return static_cast<std::intptr_t>(
      static_cast<std::uint32_t>((Low & 0xFFFF) | ((High & 0xFFFF) << 16)));
}
// A point as mouse messages carry it: x as a signed 16-bit low word, y as the high word.
constexpr std::intptr_t PointToLParam(int X, int Y) {
  return MakeLParam(static_cast<unsigned>(X), static_cast<unsigned>(Y));
}
constexpr std::intptr_t PointToLParam(TPoint P) {
  return PointToLParam(P.X, P.Y);
}
constexpr int GetXLParam(std::intptr_t LParam) {
  return static_cast<std::int16_t>(LoWord(static_cast<std::uintptr_t>(LParam)));
}
constexpr int GetYLParam(std::intptr_t LParam) {
  return static_cast<std::int16_t>(HiWord(static_cast<std::uintptr_t>(LParam)));
}
constexpr TPoint LParamToPoint(std::intptr_t LParam) {
  return {GetXLParam(LParam), GetYLParam(LParam)};
}

// ---------------------------------------------------------------- typed views
// Each unpacks the fields of one kind of message; the answer still goes to TMessage::Result.

// Mouse button and move messages, CM_DESIGNHITTEST.
struct TWMMouse {
  explicit constexpr TWMMouse(const TMessage& M)
      : Keys(static_cast<unsigned>(M.WParam)), XPos(GetXLParam(M.LParam)),
        YPos(GetYLParam(M.LParam)) {}
  unsigned Keys; // MK_* bits
  int XPos;      // client pixels
  int YPos;
  constexpr TPoint Pos() const { return {XPos, YPos}; }
};

// WM_MOUSEWHEEL.
struct TWMMouseWheel {
  explicit constexpr TWMMouseWheel(const TMessage& M)
      : Keys(LoWord(M.WParam)), WheelDelta(static_cast<std::int16_t>(HiWord(M.WParam))),
        XPos(GetXLParam(M.LParam)), YPos(GetYLParam(M.LParam)) {}
  unsigned Keys;  // MK_* bits
  int WheelDelta; // multiples of WHEEL_DELTA per notch; positive away from the user
  int XPos;       // screen pixels
  int YPos;
};

// Key messages, WM_CHAR, CM_WANTSPECIALKEY, CM_DIALOGKEY.
struct TWMKey {
  explicit constexpr TWMKey(const TMessage& M) : CharCode(M.WParam), KeyData(M.LParam) {}
  std::uintptr_t CharCode; // the virtual key, or the character for WM_CHAR
  std::intptr_t KeyData;   // repeat count and KF_* flags
};

// WM_HSCROLL, WM_VSCROLL.
struct TWMScroll {
  explicit constexpr TWMScroll(const TMessage& M)
      : ScrollCode(LoWord(M.WParam)), Pos(HiWord(M.WParam)) {}
  unsigned ScrollCode; // SB_* action
  unsigned Pos;        // thumb position, 16 bits, for SB_THUMBPOSITION and SB_THUMBTRACK
};

// WM_SIZE.
struct TWMSize {
  explicit constexpr TWMSize(const TMessage& M)
      : SizeType(static_cast<unsigned>(M.WParam)),
        Width(static_cast<int>(LoWord(static_cast<std::uintptr_t>(M.LParam)))),
        Height(static_cast<int>(HiWord(static_cast<std::uintptr_t>(M.LParam)))) {}
  unsigned SizeType;
  int Width; // client pixels
  int Height;
};

// WM_TIMER.
struct TWMTimer {
  explicit constexpr TWMTimer(const TMessage& M) : TimerID(M.WParam) {}
  std::uintptr_t TimerID;
};

// WM_SETCURSOR.
struct TWMSetCursor {
  explicit TWMSetCursor(const TMessage& M)
      : CursorWnd(reinterpret_cast<HWND>(M.WParam)),
        HitTest(static_cast<std::int16_t>(LoWord(static_cast<std::uintptr_t>(M.LParam)))),
        MouseMsg(HiWord(static_cast<std::uintptr_t>(M.LParam))) {}
  HWND CursorWnd; // the window under the pointer
  int HitTest;    // HT* code
  unsigned MouseMsg;
};

// WM_NCHITTEST.
struct TWMNCHitTest {
  explicit constexpr TWMNCHitTest(const TMessage& M)
      : XPos(GetXLParam(M.LParam)), YPos(GetYLParam(M.LParam)) {}
  int XPos; // screen pixels
  int YPos;
  constexpr TPoint Pos() const { return {XPos, YPos}; }
};

// ---------------------------------------------------------------- handler tables
// A control's message table: which member handles which message.
template <class T> struct TMessageHandler {
  unsigned Msg;
  void (T::*Handler)(TMessage& Message);
};

// Calls the handler of Message in Table on Target; false when the table has none.
template <class T, std::size_t N>
bool DispatchMessage(T& Target, const TMessageHandler<T> (&Table)[N], TMessage& Message) {
  for (const TMessageHandler<T>& Entry : Table)
    if (Entry.Msg == Message.Msg) {
      (Target.*Entry.Handler)(Message);
      return true;
    }
  return false;
}
