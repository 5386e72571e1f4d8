// The window system calls on the windows of host/gui.
#include "host/gui/Window.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>

#include <algorithm>

namespace {
// Rectangles of the window system only ever meet the client area: their sides are clamped far
// outside it first, so that a cell at the end of a huge axis cannot overflow the arithmetic.
constexpr int FarOutside = 1 << 28; // pixels from the window's origin

QRect ToQRect(const TRect& R) {
  const auto Side = [](int Value) { return std::clamp(Value, -FarOutside, FarOutside); };
  return QRect(QPoint(Side(R.Left), Side(R.Top)), QPoint(Side(R.Right), Side(R.Bottom)))
      .adjusted(0, 0, -1, -1);
}

TRect ToTRect(const QRect& R) {
  return {R.left(), R.top(), R.left() + R.width(), R.top() + R.height()};
}

QRect ClientRectOf(const TWindowHandle* W) {
  return {QPoint(0, 0), W->ClientArea().size()};
}

bool ValidBar(int Bar) {
  return Bar == SB_HORZ || Bar == SB_VERT;
}

int BeepCounter = 0;
} // namespace

// ---------------------------------------------------------------- painting and scrolling

bool InvalidateRect(HWND Wnd, const TRect* Rect, bool Erase) {
  TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W) return false;
  W->Invalidate(Rect ? ToQRect(*Rect) : ClientRectOf(W), Erase);
  return true;
}

bool ValidateRect(HWND Wnd, const TRect* Rect) {
  TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W) return false;
  W->Validate(Rect ? ToQRect(*Rect) : ClientRectOf(W));
  return true;
}

bool UpdateWindow(HWND Wnd) {
  TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W) return false;
  W->PaintPending();
  return true;
}

bool GetUpdateRect(HWND Wnd, TRect* Rect, bool) {
  TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W) return false;
  const QRect Bounds = W->GetUpdateRegion().boundingRect();
  if (Rect) *Rect = Bounds.isEmpty() ? TRect{} : ToTRect(Bounds);
  return !Bounds.isEmpty();
}

int ScrollWindowEx(HWND Wnd, int DX, int DY, const TRect* Scroll, const TRect* Clip, void*,
                   TRect* UpdateRect, unsigned Flags) {
  TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W) return ERROR;
  const QRect All = ClientRectOf(W);
  const QRegion Uncovered = W->ScrollSurface(DX, DY, Scroll ? ToQRect(*Scroll) : All,
                                             Clip ? ToQRect(*Clip) : All, Flags & SW_INVALIDATE);
  if ((Flags & SW_INVALIDATE) && (Flags & SW_ERASE)) W->Invalidate(Uncovered, true);
  if (UpdateRect) *UpdateRect = Uncovered.isEmpty() ? TRect{} : ToTRect(Uncovered.boundingRect());
  if (Uncovered.isEmpty()) return NULLREGION;
  return Uncovered.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// ---------------------------------------------------------------- scroll bars

int GetScrollPos(HWND Wnd, int Bar) {
  const TWindowHandle* W = TWindowHandle::Live(Wnd);
  return W && ValidBar(Bar) ? W->GetScrollBar(Bar).Pos : 0;
}

int SetScrollPos(HWND Wnd, int Bar, int Pos, bool) {
  TWindowHandle* W = TWindowHandle::Live(Wnd);
  return W && ValidBar(Bar) ? W->SetScrollPos(Bar, Pos) : 0;
}

bool GetScrollRange(HWND Wnd, int Bar, int* MinPos, int* MaxPos) {
  const TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W || !ValidBar(Bar)) return false;
  if (MinPos) *MinPos = W->GetScrollBar(Bar).Min;
  if (MaxPos) *MaxPos = W->GetScrollBar(Bar).Max;
  return true;
}

bool SetScrollRange(HWND Wnd, int Bar, int MinPos, int MaxPos, bool) {
  TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W || !ValidBar(Bar)) return false;
  W->SetScrollRange(Bar, MinPos, MaxPos);
  return true;
}

bool ShowScrollBar(HWND Wnd, int Bar, bool Show) {
  TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W || !ValidBar(Bar)) return false;
  W->ShowScrollBar(Bar, Show);
  return true;
}

// ---------------------------------------------------------------- metrics

int GetSystemMetrics(int Index) {
  switch (Index) {
  case SM_CXVSCROLL:
  case SM_CYHSCROLL:
  case SM_CXHSCROLL:
  case SM_CYVSCROLL:
  case SM_CYVTHUMB:
  case SM_CXHTHUMB:
    return ScrollBarExtent();
  case SM_CXBORDER:
  case SM_CYBORDER:
    return 1;
  case SM_CXEDGE:
  case SM_CYEDGE:
    return 2;
  case SM_CXDOUBLECLK:
  case SM_CYDOUBLECLK:
    return 4;
  case SM_CYCAPTION:
    return 0; // the window manager draws captions
  case SM_CXSCREEN:
    EnsureGuiApplication();
    return QGuiApplication::primaryScreen()->geometry().width();
  case SM_CYSCREEN:
    EnsureGuiApplication();
    return QGuiApplication::primaryScreen()->geometry().height();
  default:
    return 0;
  }
}

// ---------------------------------------------------------------- windows

HWND GetParent(HWND Wnd) {
  const TWindowHandle* W = TWindowHandle::Live(Wnd);
  return W ? TWindowHandle::Live(qobject_cast<TWindowHandle*>(W->parentWidget())) : nullptr;
}

bool IsWindow(HWND Wnd) {
  return TWindowHandle::Live(Wnd) != nullptr;
}

bool IsWindowVisible(HWND Wnd) {
  const TWindowHandle* W = TWindowHandle::Live(Wnd);
  return W && W->isVisible();
}

std::intptr_t GetWindowLong(HWND Wnd, int Index) {
  const TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W) return 0;
  if (Index == GWL_STYLE) return static_cast<std::intptr_t>(W->GetStyle());
  if (Index == GWL_EXSTYLE) return static_cast<std::intptr_t>(W->GetExStyle());
  return 0;
}

bool GetClientRect(HWND Wnd, TRect* Rect) {
  const TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W || !Rect) return false;
  *Rect = ToTRect(ClientRectOf(W));
  return true;
}

bool GetWindowRect(HWND Wnd, TRect* Rect) {
  const TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W || !Rect) return false;
  *Rect = ToTRect(QRect(W->mapToGlobal(QPoint(0, 0)), W->size()));
  return true;
}

bool ScreenToClient(HWND Wnd, TPoint* Point) {
  const TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W || !Point) return false;
  const QPoint P = W->GlobalToClient(QPoint(Point->X, Point->Y));
  *Point = {P.x(), P.y()};
  return true;
}

bool ClientToScreen(HWND Wnd, TPoint* Point) {
  const TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W || !Point) return false;
  const QPoint P = W->ClientToGlobal(QPoint(Point->X, Point->Y));
  *Point = {P.x(), P.y()};
  return true;
}

std::intptr_t SendMessage(HWND Wnd, unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam) {
  TWindowHandle* W = TWindowHandle::Live(Wnd);
  return W ? W->Send(Msg, WParam, LParam) : 0;
}

bool PostMessage(HWND Wnd, unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam) {
  TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W) return false;
  QMetaObject::invokeMethod(
      W, [W, Msg, WParam, LParam] { W->Send(Msg, WParam, LParam); }, Qt::QueuedConnection);
  return true;
}

// ---------------------------------------------------------------- timers

std::uintptr_t SetTimer(HWND Wnd, std::uintptr_t Id, unsigned Elapse, void* TimerFunc) {
  TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W || TimerFunc) return 0;
  return W->StartTimer(Id, Elapse) ? Id : 0;
}

bool KillTimer(HWND Wnd, std::uintptr_t Id) {
  TWindowHandle* W = TWindowHandle::Live(Wnd);
  return W && W->StopTimer(Id);
}

// ---------------------------------------------------------------- mouse and keyboard

HWND SetCapture(HWND Wnd) {
  TWindowHandle* Old = CaptureWindow();
  SetCaptureWindow(TWindowHandle::Live(Wnd));
  return Old;
}

bool ReleaseCapture() {
  SetCaptureWindow(nullptr);
  return true;
}

HWND GetCapture() {
  return CaptureWindow();
}

bool GetCursorPos(TPoint* Point) {
  if (!Point) return false;
  EnsureGuiApplication();
  const QPoint P = QCursor::pos();
  *Point = {P.x(), P.y()};
  return true;
}

bool SetCursorPos(int X, int Y) {
  EnsureGuiApplication();
  QCursor::setPos(X, Y);
  return true;
}

HWND GetFocus() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  return TWindowHandle::Live(qobject_cast<TWindowHandle*>(QApplication::focusWidget()));
}

// The window's top-level window becomes the active one, so that the focus arrives at once.
HWND SetFocus(HWND Wnd) {
  const HWND Old = GetFocus();
  TWindowHandle* W = TWindowHandle::Live(Wnd);
  if (!W) return Old;
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
  if (W->window()->isVisible()) QApplication::setActiveWindow(W->window());
#else
  W->activateWindow();
#endif
  W->setFocus(Qt::OtherFocusReason);
  return Old;
}

short GetKeyState(int VirtualKey) {
  constexpr short Down = static_cast<short>(0x8000);
  const Qt::KeyboardModifiers M = CurrentModifiers();
  const Qt::MouseButtons B = CurrentButtons();
  switch (VirtualKey) {
  case VK_SHIFT:
    return (M & Qt::ShiftModifier) ? Down : 0;
  case VK_CONTROL:
    return (M & Qt::ControlModifier) ? Down : 0;
  case VK_MENU:
    return (M & Qt::AltModifier) ? Down : 0;
  case VK_LBUTTON:
    return (B & Qt::LeftButton) ? Down : 0;
  case VK_RBUTTON:
    return (B & Qt::RightButton) ? Down : 0;
  case VK_MBUTTON:
    return (B & Qt::MiddleButton) ? Down : 0;
  default:
    return 0;
  }
}

bool PtInRect(const TRect& Rect, TPoint Point) {
  return Point.X >= Rect.Left && Point.X < Rect.Right && Point.Y >= Rect.Top &&
         Point.Y < Rect.Bottom;
}

// ---------------------------------------------------------------- beeps

bool MessageBeep(unsigned) {
  ++BeepCounter;
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
  return true;
}

void Beep() {
  MessageBeep(0);
}

int MessageBeepCount() {
  return BeepCounter;
}
