// TControl's message handling: Perform, the dispatch table, and the mouse messages turned
// into MouseDown / MouseMove / MouseUp / Click / DblClick and the wheel operations.
#include "host/gui/Controls.h"

#include "host/gui/Forms.h"

#include <cstdlib>

TShiftState KeysToShiftState(unsigned Keys) {
  TShiftState S;
  if (Keys & MK_SHIFT) S.Include(ssShift);
  if (Keys & MK_CONTROL) S.Include(ssCtrl);
  if (Keys & MK_LBUTTON) S.Include(ssLeft);
  if (Keys & MK_RBUTTON) S.Include(ssRight);
  if (Keys & MK_MBUTTON) S.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) S.Include(ssAlt);
  return S;
}

TShiftState KeyDataToShiftState(std::intptr_t KeyData) {
  TShiftState S;
  if (GetKeyState(VK_SHIFT) < 0) S.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) S.Include(ssCtrl);
  if (KeyData & KF_ALTDOWN) S.Include(ssAlt);
  return S;
}

// ---------------------------------------------------------------- entry points

std::intptr_t TControl::Perform(unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam) {
  TMessage Message{Msg, WParam, LParam, 0};
  WndProc(Message);
  return Message.Result;
}

void TControl::MainWndProc(TMessage& Message) {
  try {
    WndProc(Message);
  } catch (...) {
    Application->HandleException(this);
  }
}

void TControl::WndProc(TMessage& Message) {
  static constexpr TMessageHandler<TControl> Table[] = {
      {WM_MOUSEMOVE, &TControl::WMMouseMove},
      {WM_LBUTTONDOWN, &TControl::WMLButtonDown},
      {WM_LBUTTONUP, &TControl::WMLButtonUp},
      {WM_LBUTTONDBLCLK, &TControl::WMLButtonDblClk},
      {WM_RBUTTONDOWN, &TControl::WMRButtonDown},
      {WM_RBUTTONUP, &TControl::WMRButtonUp},
      {WM_RBUTTONDBLCLK, &TControl::WMRButtonDblClk},
      {WM_MBUTTONDOWN, &TControl::WMMButtonDown},
      {WM_MBUTTONUP, &TControl::WMMButtonUp},
      {WM_MBUTTONDBLCLK, &TControl::WMMButtonDblClk},
      {WM_MOUSEWHEEL, &TControl::WMMouseWheel},
      {WM_CANCELMODE, &TControl::WMCancelMode},
      {CM_PARENTCOLORCHANGED, &TControl::CMParentColorChanged},
      {CM_PARENTFONTCHANGED, &TControl::CMParentFontChanged},
      {CM_PARENTCTL3DCHANGED, &TControl::CMParentCtl3DChanged},
  };
  if (!DispatchMessage(*this, Table, Message)) DefaultHandler(Message);
}

void TControl::DefaultHandler(TMessage&) {}

// ---------------------------------------------------------------- mouse messages

void TControl::WMMouseMove(TMessage& Message) {
  const TWMMouse M(Message);
  if (!ControlStyle.Contains(csNoStdEvents)) MouseMove(KeysToShiftState(M.Keys), M.XPos, M.YPos);
}

void TControl::ButtonDown(TMessage& Message, TMouseButton Button, TShiftState Extra) {
  const TWMMouse M(Message);
  if (!ControlStyle.Contains(csNoStdEvents))
    MouseDown(Button, KeysToShiftState(M.Keys) + Extra, M.XPos, M.YPos);
}

void TControl::ButtonUp(TMessage& Message, TMouseButton Button) {
  const TWMMouse M(Message);
  if (!ControlStyle.Contains(csNoStdEvents))
    MouseUp(Button, KeysToShiftState(M.Keys), M.XPos, M.YPos);
}

// A left press stops whatever mouse interaction another control of the form was in, takes
// the capture (csCaptureMouse) and arms Click (csClickEvents).
void TControl::WMLButtonDown(TMessage& Message) {
  SendCancelMode(this);
  if (ControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (ControlStyle.Contains(csClickEvents)) Clicked = true;
  LeftButtonDown = true;
  ButtonDown(Message, mbLeft, {});
}

// The release ends the capture; over the client area it completes a Click.
void TControl::WMLButtonUp(TMessage& Message) {
  LeftButtonDown = false;
  if (ControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (Clicked) {
    Clicked = false;
    if (PtInRect(GetClientRect(), TWMMouse(Message).Pos())) Click();
  }
  ButtonUp(Message, mbLeft);
}

void TControl::WMLButtonDblClk(TMessage& Message) {
  SendCancelMode(this);
  if (ControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  LeftButtonDown = true;
  if (ControlStyle.Contains(csClickEvents)) DblClick();
  ButtonDown(Message, mbLeft, {ssDouble});
}

void TControl::WMRButtonDown(TMessage& Message) {
  SendCancelMode(this);
  ButtonDown(Message, mbRight, {});
}

void TControl::WMRButtonUp(TMessage& Message) {
  ButtonUp(Message, mbRight);
}

void TControl::WMRButtonDblClk(TMessage& Message) {
  SendCancelMode(this);
  ButtonDown(Message, mbRight, {ssDouble});
}

void TControl::WMMButtonDown(TMessage& Message) {
  SendCancelMode(this);
  ButtonDown(Message, mbMiddle, {});
}

void TControl::WMMButtonUp(TMessage& Message) {
  ButtonUp(Message, mbMiddle);
}

void TControl::WMMButtonDblClk(TMessage& Message) {
  SendCancelMode(this);
  ButtonDown(Message, mbMiddle, {ssDouble});
}

// A wheel message the control does not use goes on to its parent (DefaultHandler).
void TControl::WMMouseWheel(TMessage& Message) {
  const TWMMouseWheel M(Message);
  if (DoMouseWheel(KeysToShiftState(M.Keys), M.WheelDelta, {M.XPos, M.YPos}))
    Message.Result = 1;
  else
    DefaultHandler(Message);
}

// The system asks to stop a mouse interaction: the capture goes, and a held left button is
// released at (-1, -1), outside the control.
void TControl::WMCancelMode(TMessage&) {
  if (!GetMouseCapture()) {
    LeftButtonDown = false;
    return;
  }
  SetMouseCapture(false);
  if (LeftButtonDown) Perform(WM_LBUTTONUP, 0, PointToLParam(-1, -1));
}

// ---------------------------------------------------------------- operations and events

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

// Deltas smaller than a notch add up until they make one; each whole notch is one call.
bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool Handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
  if (Handled) return true;
  WheelAccumulator += WheelDelta;
  while (std::abs(WheelAccumulator) >= WHEEL_DELTA) {
    const bool Down = WheelAccumulator < 0;
    WheelAccumulator += Down ? WHEEL_DELTA : -WHEEL_DELTA;
    Handled = Down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
  }
  return Handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool Handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, Handled);
  return Handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool Handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, Handled);
  return Handled;
}

void TControl::SendCancelMode(TControl* Sender) {
  if (TForm* Form = GetParentForm(this)) Form->SendCancelMode(Sender);
}

// ---------------------------------------------------------------- capture

namespace {
// The window that holds the capture for a control: its own, or its parent's.
HWND CaptureHandleOf(const TControl* Control) {
  for (; Control; Control = Control->GetParent())
    if (auto* Win = dynamic_cast<const TWinControl*>(Control); Win && Win->HandleAllocated())
      return Win->GetHandle();
  return nullptr;
}
} // namespace

bool TControl::GetMouseCapture() const {
  const HWND Wnd = CaptureHandleOf(this);
  return Wnd && GetCapture() == Wnd;
}

// Without a window there is nothing to capture with.
void TControl::SetMouseCapture(bool Value) {
  if (Value == GetMouseCapture()) return;
  if (!Value) {
    ReleaseCapture();
    return;
  }
  if (const HWND Wnd = CaptureHandleOf(this)) ::SetCapture(Wnd);
}
