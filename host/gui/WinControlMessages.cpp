// TWinControl's message handling: size, showing, inherited properties, cursors, erasing,
// and the window's default behaviour for messages no handler took.
#include "host/gui/Window.h"

#include "host/gui/Forms.h"

#include <QScrollBar>

void TWinControl::WndProc(TMessage& Message) {
  static constexpr TMessageHandler<TWinControl> Table[] = {
      {WM_SIZE, &TWinControl::WMSize},
      {WM_SETFOCUS, &TWinControl::WMSetFocus},
      {WM_KILLFOCUS, &TWinControl::WMKillFocus},
      {WM_KEYDOWN, &TWinControl::WMKeyDown},
      {WM_SYSKEYDOWN, &TWinControl::WMKeyDown},
      {WM_KEYUP, &TWinControl::WMKeyUp},
      {WM_SYSKEYUP, &TWinControl::WMKeyUp},
      {WM_CHAR, &TWinControl::WMChar},
      {WM_SETCURSOR, &TWinControl::WMSetCursor},
      {WM_ERASEBKGND, &TWinControl::WMEraseBkgnd},
      {CM_SHOWINGCHANGED, &TWinControl::CMShowingChanged},
      {CM_ENTER, &TWinControl::CMEnter},
      {CM_EXIT, &TWinControl::CMExit},
      {CM_COLORCHANGED, &TWinControl::CMColorChanged},
      {CM_FONTCHANGED, &TWinControl::CMFontChanged},
      {CM_CTL3DCHANGED, &TWinControl::CMCtl3DChanged},
      {CM_VISIBLECHANGED, &TWinControl::CMVisibleChanged},
      {CM_ENABLEDCHANGED, &TWinControl::CMEnabledChanged},
      {CM_BIDIMODECHANGED, &TWinControl::CMBiDiModeChanged},
      {CM_RECREATEWND, &TWinControl::CMRecreateWnd},
  };
  if (!DispatchMessage(*this, Table, Message)) TControl::WndProc(Message);
}

namespace {
int HitTestOf(const TWindowHandle* Window, TPoint Screen) {
  const QPoint P = Window->mapFromGlobal(QPoint(Screen.X, Screen.Y));
  if (Window->ClientArea().contains(P)) return HTCLIENT;
  for (int Bar : {SB_HORZ, SB_VERT}) {
    const QScrollBar* B = Window->ScrollBarWidget(Bar);
    if (B && Window->GetScrollBar(Bar).Shown && B->geometry().contains(P))
      return Bar == SB_VERT ? HTVSCROLL : HTHSCROLL;
  }
  return Window->rect().contains(P) ? HTBORDER : HTNOWHERE;
}
} // namespace

// What the window system does by itself: hit testing, the arrow cursor (after asking the
// parents), wheel messages handed up to the parent, and hiding a top-level window on close.
void TWinControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
  case WM_NCHITTEST:
    Message.Result = Window ? HitTestOf(Window, TWMNCHitTest(Message).Pos()) : HTNOWHERE;
    break;
  case WM_SETCURSOR:
    DefaultSetCursor(Message);
    break;
  case WM_MOUSEWHEEL:
    if (GetParent())
      Message.Result = GetParent()->Perform(Message.Msg, Message.WParam, Message.LParam);
    break;
  case WM_CLOSE:
    if (!GetParent()) SetTopLevelShown(false);
    break;
  default:
    TControl::DefaultHandler(Message);
  }
}

// A parent may choose the cursor for its children; otherwise the window's own is the arrow.
void TWinControl::DefaultSetCursor(TMessage& Message) {
  if (GetParent() && GetParent()->Perform(WM_SETCURSOR, Message.WParam, Message.LParam)) {
    Message.Result = 1;
  } else if (Window && TWMSetCursor(Message).CursorWnd == Window) {
    ::SetCursor(Screen->GetCursors(crArrow));
    Message.Result = 1;
  }
}

// ---------------------------------------------------------------- size and showing

// The window was sized: a top-level window may have been sized by the user, so the bounds
// follow it; children are placed again (the client area may also have moved).
void TWinControl::WMSize(TMessage& Message) {
  if (Window && !GetParent()) {
    const QRect G = Window->geometry();
    TControl::SetBounds(G.x(), G.y(), G.width(), G.height());
  }
  for (TControl* Child : Controls)
    if (auto* Win = dynamic_cast<TWinControl*>(Child); Win && Win->Window) Win->PlaceWindow();
  Realign();
  DefaultHandler(Message);
}

void TWinControl::CMShowingChanged(TMessage& Message) {
  DefaultHandler(Message);
}

void TWinControl::CMVisibleChanged(TMessage&) {
  UpdateShowing();
}

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!Window) return;
  Window->setEnabled(GetEnabled());
  Invalidate();
}

void TWinControl::CMBiDiModeChanged(TMessage&) {
  RecreateWnd(); // the vertical scroll bar changes sides
  Invalidate();
}

void TWinControl::CMRecreateWnd(TMessage&) {
  RecreateWnd();
}

// ---------------------------------------------------------------- inherited properties

void TWinControl::NotifyChildren(unsigned Msg) {
  for (TControl* Child : Controls)
    Child->Perform(Msg);
}

void TWinControl::CMColorChanged(TMessage&) {
  Invalidate();
  NotifyChildren(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage&) {
  Invalidate();
  NotifyChildren(CM_PARENTFONTCHANGED);
}

// A 3D frame comes from CreateParams: framed controls get a new window.
void TWinControl::CMCtl3DChanged(TMessage&) {
  if (NewStyleControls && ControlStyle.Contains(csFramed)) RecreateWnd();
  NotifyChildren(CM_PARENTCTL3DCHANGED);
}

// ---------------------------------------------------------------- cursor and background

// Over the client area the control's cursor (or the screen's, when one is set for the whole
// application) wins; elsewhere, or with crDefault, the window's default behaviour.
void TWinControl::WMSetCursor(TMessage& Message) {
  const TWMSetCursor M(Message);
  if (Window && M.CursorWnd == Window && M.HitTest == HTCLIENT) {
    TCursor Cursor = Screen->GetCursor();
    if (Cursor == crDefault) Cursor = GetCursor();
    if (Cursor != crDefault) {
      ::SetCursor(Screen->GetCursors(Cursor));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

// Erasing fills the part being painted with the control's colour, unless the control paints
// all of itself (csOpaque).
void TWinControl::WMEraseBkgnd(TMessage& Message) {
  if (!Window || ControlStyle.Contains(csOpaque)) return;
  Window->FillSurface(reinterpret_cast<HDC>(Message.WParam)->Clip, GetColor());
  Message.Result = 1;
}
