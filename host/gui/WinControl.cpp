// TWinControl: the lazy window, its geometry, showing, children and alignment.
#include "host/gui/Window.h"

#include "host/classes/Lists.h"
#include "host/gui/ControlWidget.h"
#include "host/gui/Forms.h"

#include <algorithm>

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  if (GetParent()) GetParent()->RemoveControl(this); // while still a windowed control
  DestroyChildren();
  DestroyHandle();
}

// Children go with their parent; each takes itself out of its owner's list as it goes.
void TWinControl::DestroyChildren() {
  while (!Controls.empty()) {
    TControl* Child = Controls.back();
    RemoveControl(Child);
    delete Child;
  }
}

// ---------------------------------------------------------------- the window

TWinControl* FindControl(HWND Wnd) {
  const TWindowHandle* W = TWindowHandle::Live(Wnd);
  return W ? W->GetControl() : nullptr;
}

void TWinControl::HandleNeeded() {
  if (!Window) CreateHandle();
}

HWND TWinControl::GetHandle() const {
  const_cast<TWinControl*>(this)->HandleNeeded();
  return Window;
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = {};
  Params.Style = Parent || HostWidget ? WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS
                                      : WS_POPUP | WS_CLIPCHILDREN;
  if (TabStop) Params.Style |= WS_TABSTOP;
  if (ControlStyle.Contains(csFramed)) {
    if (NewStyleControls && GetCtl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  if (UseRightToLeftScrollBar()) Params.ExStyle |= WS_EX_LEFTSCROLLBAR;
  Params.X = GetLeft();
  Params.Y = GetTop();
  Params.Width = GetWidth();
  Params.Height = GetHeight();
  Params.WndParent = Parent ? Parent->Window : nullptr;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WinClassName = ClassName();
}

// The parents' windows first; the new window is laid out (WM_SIZE) once the control knows it.
// A parentless control shown by an application's widget gets a child window of that widget.
void TWinControl::CreateHandle() {
  EnsureWidgetApplication();
  if (Parent) Parent->HandleNeeded();
  TCreateParams Params;
  CreateParams(Params);
  QWidget* QtParent = Parent ? static_cast<QWidget*>(Parent->Window) : HostWidget;
  Window = new TWindowHandle(this, Params, QtParent);
  Window->setEnabled(GetEnabled());
  HandleChanged();
  PlaceWindow();
  if (Parent && Parent->Showing && GetVisible())
    UpdateShowing(); // a late window of a child on screen
}

void TWinControl::DestroyHandle() {
  std::vector<TWindowHandle*> Old;
  ReleaseHandles(Old);
  for (TWindowHandle* W : Old)
    W->Dispose();
}

// Detaches the windows of this control and its children, children first; the caller deletes
// them.
void TWinControl::ReleaseHandles(std::vector<TWindowHandle*>& Old) {
  if (!Window) return;
  for (TControl* Child : Controls)
    if (auto* Win = dynamic_cast<TWinControl*>(Child)) Win->ReleaseHandles(Old);
  TWindowHandle* W = Window;
  Window = nullptr;
  Showing = false;
  HandleChanged();
  W->Detach();
  Old.push_back(W);
}

// The old windows go only once the new ones exist, so that no new window takes the place
// (and the handle value) of an old one.
void TWinControl::RecreateWnd() {
  if (!Window) return;
  const bool HadFocus = Focused();
  const bool WasShowing = Showing;
  std::vector<TWindowHandle*> Old;
  ReleaseHandles(Old);
  HandleNeeded();
  if (WasShowing) UpdateShowing();
  if (HadFocus) ::SetFocus(Window);
  for (TWindowHandle* W : Old)
    W->Dispose();
}

// ---------------------------------------------------------------- geometry

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == GetLeft() && ATop == GetTop() && AWidth == GetWidth() && AHeight == GetHeight())
    return;
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (Window)
    PlaceWindow(); // WM_SIZE realigns the children
  else
    Realign();
}

// A child window sits in its parent's client area, which may start after a frame or a
// scroll bar on the left.
void TWinControl::PlaceWindow() {
  QRect Geometry(GetLeft(), GetTop(), std::max(0, GetWidth()), std::max(0, GetHeight()));
  if (Parent && Parent->Window) Geometry.translate(Parent->Window->ClientArea().topLeft());
  Window->PlaceAt(Geometry);
}

TRect TWinControl::GetClientRect() const {
  if (!Window) return TControl::GetClientRect();
  const QRect C = Window->ClientArea();
  return {0, 0, C.width(), C.height()};
}

TPoint TWinControl::GetClientOrigin() const {
  if (!Window) return TControl::GetClientOrigin();
  const QPoint P = Window->ClientToGlobal(QPoint(0, 0));
  return {P.x(), P.y()};
}

// ---------------------------------------------------------------- showing

namespace {
// Whether Control should be on screen: visible up to a shown top-level window.
bool ShouldShow(const TWinControl* Control, bool TopLevelShown) {
  for (; Control; Control = Control->GetParent()) {
    if (!Control->GetVisible()) return false;
    if (!Control->GetParent()) return TopLevelShown;
  }
  return false;
}

const TWinControl* TopOf(const TWinControl* Control) {
  while (Control->GetParent())
    Control = Control->GetParent();
  return Control;
}
} // namespace

// Windows are made for what is to be shown, children before their parent appears; Qt then
// reports the change (Show / Hide events) and the window sends CM_SHOWINGCHANGED.
void TWinControl::UpdateShowing() {
  const bool Show = ShouldShow(this, TopOf(this)->TopLevelShown);
  if (Show) {
    HandleNeeded();
    for (TControl* Child : Controls)
      if (auto* Win = dynamic_cast<TWinControl*>(Child)) Win->UpdateShowing();
  }
  if (Window) Window->setVisible(Show);
}

void TWinControl::SetTopLevelShown(bool Value) {
  TopLevelShown = Value;
  UpdateShowing();
}

// ---------------------------------------------------------------- children

TControl* TWinControl::GetControls(int Index) const {
  if (Index < 0 || Index >= GetControlCount()) ListIndexError(Index);
  return Controls[static_cast<size_t>(Index)];
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  for (TControl* Control : Controls)
    if (Control->GetOwner() == Root) Proc(Control);
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (; Control; Control = Control->GetParent())
    if (Control == this) return true;
  return false;
}

// The child takes on the properties it inherits; a windowed child gets its window when the
// parent is on screen.
void TWinControl::InsertControl(TControl* Control) {
  Controls.push_back(Control);
  Control->Parent = this;
  auto* Win = dynamic_cast<TWinControl*>(Control);
  if (Win) TabList.push_back(Win);
  Control->Perform(CM_PARENTCOLORCHANGED);
  Control->Perform(CM_PARENTFONTCHANGED);
  Control->Perform(CM_PARENTCTL3DCHANGED);
  if (Control->GetAlign() != alNone) Realign();
  if (Win && Showing) Win->UpdateShowing();
}

void TWinControl::RemoveControl(TControl* Control) {
  if (TForm* Form = GetParentForm(this)) Form->ControlRemoved(Control);
  if (auto* Win = dynamic_cast<TWinControl*>(Control)) Win->DestroyHandle();
  std::erase_if(TabList,
                [Control](TWinControl* Win) { return static_cast<TControl*>(Win) == Control; });
  std::erase(Controls, Control);
  Control->Parent = nullptr;
  if (Control->GetAlign() != alNone) Realign();
}

// ---------------------------------------------------------------- alignment

void TWinControl::Realign() {
  if (Aligning || IsDestroying()) return;
  Aligning = true;
  TRect Rect = GetClientRect();
  AlignControls(nullptr, Rect);
  Aligning = false;
}

void TWinControl::AlignControls(TControl*, TRect& Rect) {
  for (TAlign Kind : {alTop, alBottom, alLeft, alRight, alClient})
    AlignKind(Kind, Rect);
}

namespace {
// The strip of Rest that a child aligned by Kind takes; Rest keeps what is left.
TRect TakeStrip(TAlign Kind, const TControl& C, TRect& Rest) {
  TRect Strip = Rest;
  switch (Kind) {
  case alTop:
    Strip.Bottom = Rest.Top = Rest.Top + C.GetHeight();
    break;
  case alBottom:
    Strip.Top = Rest.Bottom = Rest.Bottom - C.GetHeight();
    break;
  case alLeft:
    Strip.Right = Rest.Left = Rest.Left + C.GetWidth();
    break;
  case alRight:
    Strip.Left = Rest.Right = Rest.Right - C.GetWidth();
    break;
  default:
    break; // alClient: all that is left
  }
  return Strip;
}
} // namespace

void TWinControl::AlignKind(TAlign Kind, TRect& Rect) {
  for (TControl* C : Controls) {
    if (C->GetAlign() != Kind || !C->GetVisible()) continue;
    const TRect B = TakeStrip(Kind, *C, Rect);
    C->SetBounds(B.Left, B.Top, std::max(0, B.Width()), std::max(0, B.Height()));
  }
}

// ---------------------------------------------------------------- repainting

void TWinControl::Invalidate() {
  if (Window)
    Window->Invalidate(QRect(QPoint(0, 0), Window->ClientArea().size()),
                       !ControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
  if (Window) Window->PaintPending();
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}
