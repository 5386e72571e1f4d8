// The window system calls: update regions, scrolling, scroll bars, timers, capture, focus,
// cursors, metrics, message boxes and beeps, on the windows of the controls (HWND).
// A call on a null or destroyed handle does nothing and answers 0 / false / null.
#pragma once

#include "host/gui/Messages.h"
#include "host/gui/WinApi.h"

#include <cstdint>

class TCursorHandle; // a cursor shape
using HCURSOR = TCursorHandle*;

// ---------------------------------------------------------------- window styles
constexpr unsigned WS_POPUP = 0x80000000u;
constexpr unsigned WS_CHILD = 0x40000000u;
constexpr unsigned WS_VISIBLE = 0x10000000u;
constexpr unsigned WS_DISABLED = 0x08000000u;
constexpr unsigned WS_CLIPSIBLINGS = 0x04000000u;
constexpr unsigned WS_CLIPCHILDREN = 0x02000000u;
constexpr unsigned WS_CAPTION = 0x00C00000u;
constexpr unsigned WS_BORDER = 0x00800000u; // a one-pixel frame
constexpr unsigned WS_VSCROLL =
    0x00200000u; // a vertical scroll bar (shown while its range is not empty)
constexpr unsigned WS_HSCROLL = 0x00100000u; // a horizontal scroll bar
constexpr unsigned WS_TABSTOP = 0x00010000u;
constexpr unsigned WS_EX_CLIENTEDGE = 0x00000200u;    // a two-pixel sunken frame
constexpr unsigned WS_EX_LEFTSCROLLBAR = 0x00004000u; // the vertical scroll bar on the left
constexpr unsigned CS_VREDRAW = 0x0001; // a change of height repaints the whole client area
constexpr unsigned CS_HREDRAW = 0x0002; // a change of width repaints the whole client area
constexpr unsigned CS_DBLCLKS = 0x0008; // double clicks arrive as *DBLCLK messages

// GetWindowLong indices.
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;

// ---------------------------------------------------------------- painting and scrolling
// Adds Rect (client pixels; null: the whole client area) to the update region. With Erase the
// window sends WM_ERASEBKGND before the next WM_PAINT.
bool InvalidateRect(HWND Wnd, const TRect* Rect, bool Erase);
// Takes Rect (null: everything) out of the update region.
bool ValidateRect(HWND Wnd, const TRect* Rect);
// Paints what is pending now: WM_PAINT with the update region as the clip.
bool UpdateWindow(HWND Wnd);
// The bounding rectangle of the update region; false when it is empty.
bool GetUpdateRect(HWND Wnd, TRect* Rect, bool Erase);

constexpr unsigned SW_SCROLLCHILDREN = 0x0001;
constexpr unsigned SW_INVALIDATE = 0x0002; // invalidate the uncovered area
constexpr unsigned SW_ERASE = 0x0004;      // with SW_INVALIDATE: erase it too

constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// Moves the pixels of Scroll (null: the client area) by (DX, DY), clipped to Clip (null: the
// client area). The part of the update region inside that area moves with the pixels. With
// SW_INVALIDATE the area left uncovered joins the update region. UpdateRgn is not supported
// (pass nullptr); UpdateRect receives the bounds of the uncovered area. Answers the kind of
// that area (NULLREGION, SIMPLEREGION, COMPLEXREGION) or ERROR.
int ScrollWindowEx(HWND Wnd, int DX, int DY, const TRect* Scroll, const TRect* Clip,
                   void* UpdateRgn, TRect* UpdateRect, unsigned Flags);

// ---------------------------------------------------------------- scroll bars
// The standard bars of a window (Bar: SB_HORZ or SB_VERT). A window made with WS_HSCROLL /
// WS_VSCROLL starts with the range 0..100; a bar whose minimum equals its maximum is hidden and
// gives its space back to the client area, any other range shows it. Positions stay in range.
int GetScrollPos(HWND Wnd, int Bar);
// Answers the previous position.
int SetScrollPos(HWND Wnd, int Bar, int Pos, bool Redraw);
bool GetScrollRange(HWND Wnd, int Bar, int* MinPos, int* MaxPos);
bool SetScrollRange(HWND Wnd, int Bar, int MinPos, int MaxPos, bool Redraw);
// Shows or hides a bar without changing its range.
bool ShowScrollBar(HWND Wnd, int Bar, bool Show);

// ---------------------------------------------------------------- metrics
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2; // width of a vertical scroll bar
constexpr int SM_CYHSCROLL = 3; // height of a horizontal scroll bar
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
// Scroll bar sizes come from the style the bars are drawn with; frames are 1 (border) and
// 2 (edge) pixels. Unknown indices answer 0.
int GetSystemMetrics(int Index);

// ---------------------------------------------------------------- windows
HWND GetParent(HWND Wnd);
bool IsWindow(HWND Wnd);
bool IsWindowVisible(HWND Wnd);
// The style bits the window was made with, the scroll bar bits following the bars shown.
std::intptr_t GetWindowLong(HWND Wnd, int Index);
// Client rectangle: (0, 0, client width, client height).
bool GetClientRect(HWND Wnd, TRect* Rect);
// The window's outer rectangle in screen pixels.
bool GetWindowRect(HWND Wnd, TRect* Rect);
bool ScreenToClient(HWND Wnd, TPoint* Point);
bool ClientToScreen(HWND Wnd, TPoint* Point);
// Hands a message to the window's control at once and answers its result.
std::intptr_t SendMessage(HWND Wnd, unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam);
// Queues a message for the window's control; it arrives from the event loop.
bool PostMessage(HWND Wnd, unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam);

// ---------------------------------------------------------------- timers
// Starts (or restarts) the timer Id of the window: WM_TIMER with WParam = Id every Elapse ms.
// TimerFunc must be null. Answers Id, or 0 on failure.
std::uintptr_t SetTimer(HWND Wnd, std::uintptr_t Id, unsigned Elapse, void* TimerFunc = nullptr);
bool KillTimer(HWND Wnd, std::uintptr_t Id);

// ---------------------------------------------------------------- mouse and keyboard
// Sends all mouse input to Wnd, wherever the pointer is; answers the window that had it.
HWND SetCapture(HWND Wnd);
bool ReleaseCapture();
HWND GetCapture();
bool GetCursorPos(TPoint* Point); // screen pixels
bool SetCursorPos(int X, int Y);
// Shows Cursor over the window that receives the mouse; answers the cursor shown before.
HCURSOR SetCursor(HCURSOR Cursor);
HCURSOR GetCursor();

HWND GetFocus();
// Gives the keyboard focus to Wnd; answers the window that had it.
HWND SetFocus(HWND Wnd);
// The state of a key or mouse button as of the input being handled: bit 15 set when down.
short GetKeyState(int VirtualKey);

bool PtInRect(const TRect& Rect, TPoint Point);

// ---------------------------------------------------------------- beeps
constexpr unsigned MB_OK = 0x00000000;
constexpr unsigned MB_OKCANCEL = 0x00000001;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x00000002;
constexpr unsigned MB_YESNOCANCEL = 0x00000003;
constexpr unsigned MB_YESNO = 0x00000004;
constexpr unsigned MB_RETRYCANCEL = 0x00000005;
constexpr unsigned MB_ICONHAND = 0x00000010;
constexpr unsigned MB_ICONSTOP = MB_ICONHAND;
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x00000020;
constexpr unsigned MB_ICONEXCLAMATION = 0x00000030;
constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr unsigned MB_ICONASTERISK = 0x00000040;
constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr unsigned MB_DEFBUTTON1 = 0x00000000;
constexpr unsigned MB_DEFBUTTON2 = 0x00000100;
constexpr unsigned MB_DEFBUTTON3 = 0x00000200;
constexpr unsigned MB_TYPEMASK = 0x0000000F;
constexpr unsigned MB_ICONMASK = 0x000000F0;
constexpr unsigned MB_DEFMASK = 0x00000F00;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The system sound for a message type (MB_OK, MB_ICON*); counted for tests.
bool MessageBeep(unsigned Type);
// The plain beep.
void Beep();
