// Qt events of a window become messages for its control: mouse buttons and moves (with the
// hit test and cursor messages before them), the wheel, keys with their characters, focus,
// timers, showing, activation and closing.
#include "host/gui/Window.h"

#include "host/gui/KeyMap.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>

namespace {
Qt::KeyboardModifiers InputModifiers;
Qt::MouseButtons InputButtons;
TWindowHandle* Capture = nullptr;
TWindowHandle* LastMouseWindow = nullptr;
TWindowHandle* LastFocusLost = nullptr;

bool PlatformGrabs() {
  return QGuiApplication::platformName() != QLatin1String("offscreen");
}

unsigned ButtonMessage(Qt::MouseButton Button, bool Press, bool Double) {
  const unsigned Base = Button == Qt::RightButton    ? WM_RBUTTONDOWN
                        : Button == Qt::MiddleButton ? WM_MBUTTONDOWN
                                                     : WM_LBUTTONDOWN;
  return Press ? (Double ? Base + 2 : Base) : Base + 1;
}
} // namespace

// ---------------------------------------------------------------- input state

void NoteInputState(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons) {
  InputModifiers = Modifiers;
  InputButtons = Buttons;
}

Qt::KeyboardModifiers CurrentModifiers() {
  return InputModifiers;
}
Qt::MouseButtons CurrentButtons() {
  return InputButtons;
}

unsigned MouseKeys(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers) {
  unsigned Keys = 0;
  if (Buttons & Qt::LeftButton) Keys |= MK_LBUTTON;
  if (Buttons & Qt::RightButton) Keys |= MK_RBUTTON;
  if (Buttons & Qt::MiddleButton) Keys |= MK_MBUTTON;
  if (Modifiers & Qt::ShiftModifier) Keys |= MK_SHIFT;
  if (Modifiers & Qt::ControlModifier) Keys |= MK_CONTROL;
  return Keys;
}

TWindowHandle* CaptureWindow() {
  return Capture;
}

// Where the platform can grab the pointer the capture window gets the real events; otherwise
// (offscreen) windows hand mouse events to the capture window themselves.
void SetCaptureWindow(TWindowHandle* Window) {
  if (Capture == Window) return;
  if (Capture && PlatformGrabs() && QWidget::mouseGrabber() == Capture) Capture->releaseMouse();
  Capture = Window;
  if (Capture && PlatformGrabs() && Capture->isVisible()) Capture->grabMouse();
}

void ForgetWindow(TWindowHandle* Window) {
  if (Capture == Window) SetCaptureWindow(nullptr);
  if (LastMouseWindow == Window) LastMouseWindow = nullptr;
  if (LastFocusLost == Window) LastFocusLost = nullptr;
}

TWindowHandle* MouseWindow() {
  return LastMouseWindow;
}
void SetMouseWindow(TWindowHandle* Window) {
  LastMouseWindow = Window;
}

// ---------------------------------------------------------------- event switch

bool TWindowHandle::event(QEvent* Event) {
  switch (Event->type()) {
  case QEvent::KeyPress: // before QWidget's own Tab handling: Tab is a key like the others
    KeyPress(static_cast<QKeyEvent*>(Event));
    return true;
  case QEvent::Show:
  case QEvent::Hide:
    if (!Event->spontaneous()) ShowingChanged();
    break;
  case QEvent::WindowActivate:
    if (isWindow()) Send(CM_ACTIVATE);
    break;
  case QEvent::WindowDeactivate:
    if (isWindow()) Send(CM_DEACTIVATE);
    break;
  default:
    break;
  }
  return QWidget::event(Event);
}

// Showing follows what Qt shows: the control learns of it with CM_SHOWINGCHANGED.
void TWindowHandle::ShowingChanged() {
  if (!Control) return;
  const bool Now = isVisible();
  if (Control->Showing == Now) return;
  Control->Showing = Now;
  Send(CM_SHOWINGCHANGED, Now ? 1 : 0);
}

// ---------------------------------------------------------------- mouse

// Another window holds the capture: the event goes there, at the same screen point.
bool TWindowHandle::RouteToCapture(QMouseEvent* Event) {
  if (!Capture || Capture == this) return false;
  const QPointF Global = Event->globalPosition();
  QMouseEvent Copy(Event->type(), Capture->mapFromGlobal(Global), Global, Event->button(),
                   Event->buttons(), Event->modifiers());
  QCoreApplication::sendEvent(Capture, &Copy);
  return true;
}

// Windows hear of the mouse over their client area, and anywhere while they hold the capture.
bool TWindowHandle::SendMouse(unsigned Msg, QPoint WidgetPos, bool Buttons) {
  const QRect Client = ClientArea();
  if (Capture != this && !Client.contains(WidgetPos)) return false;
  const QPoint P = WidgetPos - Client.topLeft();
  Send(Msg, MouseKeys(Buttons ? InputButtons : Qt::NoButton, InputModifiers),
       PointToLParam(P.x(), P.y()));
  return true;
}

// The hit test, then the cursor for it, as the pointer moves or presses (not while captured).
void TWindowHandle::SendSetCursor(unsigned MouseMsg, QPoint WidgetPos) {
  if (Capture == this || !Control) return;
  const QPoint G = mapToGlobal(WidgetPos);
  const auto Hit = Send(WM_NCHITTEST, 0, PointToLParam(G.x(), G.y()));
  Send(WM_SETCURSOR, reinterpret_cast<std::uintptr_t>(this),
       MakeLParam(static_cast<unsigned>(Hit), MouseMsg));
}

// A double click arrives as such only with CS_DBLCLKS and a control that takes them
// (csDoubleClicks); otherwise as another press.
void TWindowHandle::MouseButton(QMouseEvent* Event, bool Press, bool Double) {
  NoteInputState(Event->modifiers(), Event->buttons());
  if (RouteToCapture(Event)) return;
  SetMouseWindow(this);
  const bool Dbl = Double && (ClassStyle & CS_DBLCLKS) && Control &&
                   Control->GetControlStyle().Contains(csDoubleClicks);
  const unsigned Msg = ButtonMessage(Event->button(), Press, Dbl);
  const QPoint Pos = Event->position().toPoint();
  if (Press) SendSetCursor(Msg, Pos);
  SendMouse(Msg, Pos, true);
  Event->accept();
}

void TWindowHandle::mousePressEvent(QMouseEvent* Event) {
  MouseButton(Event, true, false);
}
void TWindowHandle::mouseReleaseEvent(QMouseEvent* Event) {
  MouseButton(Event, false, false);
}
void TWindowHandle::mouseDoubleClickEvent(QMouseEvent* Event) {
  MouseButton(Event, true, true);
}

void TWindowHandle::mouseMoveEvent(QMouseEvent* Event) {
  NoteInputState(Event->modifiers(), Event->buttons());
  if (RouteToCapture(Event)) return;
  SetMouseWindow(this);
  const QPoint Pos = Event->position().toPoint();
  if (ClientArea().contains(Pos))
    SendSetCursor(WM_MOUSEMOVE, Pos);
  else if (Capture != this)
    ShowCursorShape(Qt::ArrowCursor);
  SendMouse(WM_MOUSEMOVE, Pos, true);
  Event->accept();
}

// One notch is WHEEL_DELTA (Qt's angle delta is in eighths of a degree, 120 a notch); the
// window under the pointer gets it, and passes it to its parent when it does not use it.
void TWindowHandle::wheelEvent(QWheelEvent* Event) {
  NoteInputState(Event->modifiers(), Event->buttons());
  const int Delta = std::clamp(Event->angleDelta().y(), -32768, 32767);
  if (Delta == 0 || !Control) return Event->ignore();
  const QPoint G = Event->globalPosition().toPoint();
  const unsigned Keys = MouseKeys(Event->buttons(), Event->modifiers());
  Send(WM_MOUSEWHEEL, MakeWParam(Keys, static_cast<unsigned>(Delta)), PointToLParam(G.x(), G.y()));
  Event->accept();
}

void TWindowHandle::enterEvent(QEnterEvent*) {
  Send(CM_MOUSEENTER);
}
void TWindowHandle::leaveEvent(QEvent*) {
  Send(CM_MOUSELEAVE);
}

void TWindowHandle::ShowCursorShape(Qt::CursorShape Shape) {
  if (cursor().shape() != Shape) setCursor(Shape);
}

// ---------------------------------------------------------------- keys

namespace {
std::intptr_t KeyData(const QKeyEvent* Event, bool Up) {
  std::intptr_t Data = 1;
  if (Event->modifiers() & Qt::AltModifier) Data |= KF_ALTDOWN;
  if (Up || Event->isAutoRepeat()) Data |= KF_REPEAT;
  if (Up) Data |= KF_UP;
  return Data;
}
} // namespace

// WM_KEYDOWN (WM_SYSKEYDOWN with Alt), then a WM_CHAR per character typed unless the key was
// used up (answer 1: a dialog key, or KeyDown cleared it).
void TWindowHandle::KeyPress(QKeyEvent* Event) {
  NoteInputState(Event->modifiers(), InputButtons);
  const bool Alt = Event->modifiers() & Qt::AltModifier;
  const std::intptr_t Data = KeyData(Event, false);
  const unsigned short Vk = VirtualKeyOf(Event->key(), Event->modifiers());
  if (Vk && Send(Alt || Vk == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN, Vk, Data) != 0) return;
  for (const char32_t C : Event->text().toUcs4())
    Send(Alt ? WM_SYSCHAR : WM_CHAR, C, Data);
}

void TWindowHandle::keyReleaseEvent(QKeyEvent* Event) {
  NoteInputState(Event->modifiers(), InputButtons);
  const bool Alt = Event->modifiers() & Qt::AltModifier;
  const unsigned short Vk = VirtualKeyOf(Event->key(), Event->modifiers());
  if (Vk) Send(Alt || Vk == VK_F10 ? WM_SYSKEYUP : WM_KEYUP, Vk, KeyData(Event, true));
}

// ---------------------------------------------------------------- focus and closing

void TWindowHandle::focusInEvent(QFocusEvent*) {
  TWindowHandle* Previous = Live(LastFocusLost);
  LastFocusLost = nullptr;
  Send(WM_SETFOCUS, reinterpret_cast<std::uintptr_t>(Previous));
}

void TWindowHandle::focusOutEvent(QFocusEvent*) {
  LastFocusLost = this;
  auto* Next = qobject_cast<TWindowHandle*>(QApplication::focusWidget());
  Send(WM_KILLFOCUS, reinterpret_cast<std::uintptr_t>(Next == this ? nullptr : Live(Next)));
}

// Closing asks the control (WM_CLOSE); a form decides whether and how it closes.
void TWindowHandle::closeEvent(QCloseEvent* Event) {
  Event->ignore();
  Send(WM_CLOSE);
}
