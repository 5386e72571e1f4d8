// Controls: the visual component classes.
//
// TControl       bounds, parent, appearance properties, messages (Perform -> WndProc) and the
//                mouse operations they turn into.
// TWinControl    a control that can have a window: created lazily (HandleNeeded), with
//                children, tab order, focus, keys, an update region and a raster surface.
// TCustomControl a windowed control that paints itself on a canvas (Paint).
//
// A windowed control is a complete object before it has a window: bounds, properties and
// messages work, invalidation is a no-op and the client area is the whole control. Its window
// exists once its parent chain reaches a shown form, or when asked for (HandleNeeded,
// GetHandle); a control without a parent then gets a hidden top-level window of its size.
#pragma once

#include "host/classes/Components.h"
#include "host/classes/Sets.h"
#include "host/gui/Graphics.h"
#include "host/gui/Messages.h"
#include "host/gui/WinUser.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TShiftStateItem : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem, std::uint8_t>;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// A character typed on the keyboard, as WM_CHAR carries it: one Unicode code point.
using TKeyChar = char32_t;

// Cursor identifiers; Screen->GetCursors maps them to shapes.
using TCursor = int;
constexpr TCursor crDefault = 0; // the parent's, or the arrow
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14; // sizing across vertical lines (columns)
constexpr TCursor crVSplit = -15; // sizing across horizontal lines (rows)
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Where a control sits in its parent; applied by the parent whenever its client area changes,
// in the order top, bottom, left, right, client, and within one kind in child order.
enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TBiDiMode : std::uint8_t {
  bdLeftToRight,
  bdRightToLeft,
  bdRightToLeftNoAlign,
  bdRightToLeftReadingOnly
};

enum TControlStyleItem : std::uint8_t {
  csAcceptsControls, // may be a parent at design time
  csCaptureMouse,    // captures the mouse while a button is held
  csClickEvents,     // a press and release over the control make a Click, a double click a DblClick
  csFramed,          // gets a frame from CreateParams (3D with Ctl3D and new-style controls)
  csSetCaption,
  csOpaque,       // paints its whole client area: invalidation never erases it first
  csDoubleClicks, // double clicks arrive as such; without it as a second press
  csNoStdEvents,  // mouse and key messages do not call MouseDown, KeyDown ...
};
using TControlStyle = TSet<TControlStyleItem, std::uint16_t>;

// The frame of a new window and whether the styles of WinUser.h apply to it.
struct TCreateParams {
  std::string Caption;
  unsigned Style = 0;   // WS_*
  unsigned ExStyle = 0; // WS_EX_*
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  struct {
    unsigned style = 0; // CS_*
  } WindowClass;
  std::string WinClassName;
};

// Raised for an operation the control cannot do in its state (focusing a hidden control ...).
class EInvalidOperation : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const override { return "EInvalidOperation"; }
};

// Whether controls get the 3D look (WS_EX_CLIENTEDGE for framed controls with Ctl3D).
extern bool NewStyleControls;

class TWinControl;
class TForm;
class TAccessibleTable;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, unsigned short& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, TKeyChar& Key)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// The shift state of mouse messages (MK_* keys, plus Alt as currently held).
TShiftState KeysToShiftState(unsigned Keys);
// The shift state of key messages (from the key data and the keys currently held).
TShiftState KeyDataToShiftState(std::intptr_t KeyData);
// The window's control, or null.
TWinControl* FindControl(HWND Wnd);

// ================================================================ TControl
// A component with a position and size on its parent and the messages of a control.
class TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  const char* ClassName() const override { return "TControl"; }

  // --- Bounds (pixels in the parent's client area) ---
  int GetLeft() const { return Left; }
  int GetTop() const { return Top; }
  int GetWidth() const { return Width; }
  int GetHeight() const { return Height; }
  void SetLeft(int Value) { SetBounds(Value, Top, Width, Height); }
  void SetTop(int Value) { SetBounds(Left, Value, Width, Height); }
  void SetWidth(int Value) { SetBounds(Left, Top, Value, Height); }
  void SetHeight(int Value) { SetBounds(Left, Top, Width, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect GetBoundsRect() const { return {Left, Top, Left + Width, Top + Height}; }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }

  // --- Client area: (0, 0) to (ClientWidth, ClientHeight); without a window the bounds ---
  virtual TRect GetClientRect() const;
  int GetClientWidth() const { return GetClientRect().Width(); }
  int GetClientHeight() const { return GetClientRect().Height(); }
  // Sizes the control so that its client area gets the given size.
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  // Screen position of the client area's origin.
  virtual TPoint GetClientOrigin() const;
  TPoint ScreenToClient(TPoint Point) const;
  TPoint ClientToScreen(TPoint Point) const;

  // --- Parent and visibility ---
  TWinControl* GetParent() const { return Parent; }
  virtual void SetParent(TWinControl* AParent);
  // A control read from a stored description goes into the windowed control it was stored in.
  void SetParentComponent(TComponent* AParent) override;
  bool GetVisible() const { return Visible; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool GetEnabled() const { return Enabled; }
  void SetEnabled(bool Value);
  TAlign GetAlign() const { return Align; }
  void SetAlign(TAlign Value);

  // --- Appearance ---
  TColor GetColor() const { return Color; }
  void SetColor(TColor Value);
  bool GetParentColor() const { return ParentColor; }
  void SetParentColor(bool Value);
  TFont* GetFont() { return Font.get(); }
  const TFont* GetFont() const { return Font.get(); }
  void SetFont(const TFont* Value) { Font->Assign(Value); }
  bool GetParentFont() const { return ParentFont; }
  void SetParentFont(bool Value);
  bool GetCtl3D() const { return Ctl3D; }
  void SetCtl3D(bool Value);
  bool GetParentCtl3D() const { return ParentCtl3D; }
  void SetParentCtl3D(bool Value);
  TCursor GetCursor() const { return Cursor; }
  void SetCursor(TCursor Value);
  TBiDiMode GetBiDiMode() const { return BiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  // Right-to-left layout: only with bdRightToLeft.
  bool UseRightToLeftAlignment() const { return BiDiMode == bdRightToLeft; }
  bool UseRightToLeftReading() const { return BiDiMode != bdLeftToRight; }
  // The vertical scroll bar goes to the left with any right-to-left mode but reading only.
  bool UseRightToLeftScrollBar() const {
    return BiDiMode == bdRightToLeft || BiDiMode == bdRightToLeftNoAlign;
  }
  TControlStyle GetControlStyle() const { return ControlStyle; }
  void SetControlStyle(TControlStyle Value) { ControlStyle = Value; }

  // --- Messages ---
  // Hands a message to WndProc at once and answers its result; exceptions pass to the caller.
  std::intptr_t Perform(unsigned Msg, std::uintptr_t WParam = 0, std::intptr_t LParam = 0);
  // The message handling of the control; descendants handle their messages (through a
  // DispatchMessage table) and pass the others to the inherited WndProc.
  virtual void WndProc(TMessage& Message);
  // What happens to a message no handler took: nothing (windowed controls: the window's
  // default behaviour).
  virtual void DefaultHandler(TMessage& Message);
  // The entry of the window: WndProc with exceptions handed to the application.
  void MainWndProc(TMessage& Message);

  bool GetMouseCapture() const;
  void SetMouseCapture(bool Value);

  // The window system calls that share names with members, reachable unqualified from the
  // members of controls as well.
  static HWND GetParent(HWND Wnd) { return ::GetParent(Wnd); }
  static HCURSOR SetCursor(HCURSOR Cursor) { return ::SetCursor(Cursor); }
  static bool ScreenToClient(HWND Wnd, TPoint* Point) { return ::ScreenToClient(Wnd, Point); }
  static bool ClientToScreen(HWND Wnd, TPoint* Point) { return ::ClientToScreen(Wnd, Point); }
  static bool GetClientRect(HWND Wnd, TRect* Rect) { return ::GetClientRect(Wnd, Rect); }

  // --- Repainting ---
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;

protected:
  // Fires OnClick / OnDblClick.
  virtual void Click();
  virtual void DblClick();
  // The mouse operations the button and move messages turn into; they fire the events.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // One wheel message: fires OnMouseWheel, then for every whole notch accumulated
  // DoMouseWheelDown (delta < 0) or DoMouseWheelUp. MousePos is in screen pixels.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  // Fire OnMouseWheelDown / OnMouseWheelUp; answer whether the notch was used.
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  // Tells the form's active control to stop a mouse interaction (CM_CANCELMODE).
  void SendCancelMode(TControl* Sender);

  // The font changed, set by the program or taken from the parent (before CM_FONTCHANGED).
  virtual void FontChanged();

  TControlStyle ControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};

private:
  friend class TWinControl;
  void WMMouseMove(TMessage& Message);
  void WMLButtonDown(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  void WMRButtonUp(TMessage& Message);
  void WMRButtonDblClk(TMessage& Message);
  void WMMButtonDown(TMessage& Message);
  void WMMButtonUp(TMessage& Message);
  void WMMButtonDblClk(TMessage& Message);
  void WMMouseWheel(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMParentFontChanged(TMessage& Message);
  void CMParentCtl3DChanged(TMessage& Message);
  void ButtonDown(TMessage& Message, TMouseButton Button, TShiftState Extra);
  void ButtonUp(TMessage& Message, TMouseButton Button);
  void FontOnChange();

  TWinControl* Parent = nullptr;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Visible = true;
  bool Enabled = true;
  TAlign Align = alNone;
  TColor Color = clWindow;
  bool ParentColor = true;
  std::unique_ptr<TFont> Font;
  bool ParentFont = true;
  bool Ctl3D = true;
  bool ParentCtl3D = true;
  TCursor Cursor = crDefault;
  TBiDiMode BiDiMode = bdLeftToRight;
  bool Clicked = false;        // a left press began over the control (for Click on release)
  bool LeftButtonDown = false; // between a left press and its release
  bool ChangingFont = false;   // a parent's font is being copied in: ParentFont stays
  int WheelAccumulator = 0;    // wheel delta not yet used up by whole notches
};

// ================================================================ TWinControl
class TWindowHandle;
class TControlWidget;

// A control that can have a window of its own, children, and the keyboard focus.
class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }

  // --- The window ---
  bool HandleAllocated() const { return Window != nullptr; }
  // Creates the window (and the parents' windows) when there is none.
  void HandleNeeded();
  // The window, created on demand.
  HWND GetHandle() const;
  // Destroys the window and its children's windows; the control stays complete.
  void DestroyHandle();
  // Destroys the window and makes a new one at once (when there was one), so that
  // CreateParams applies again; the focus stays.
  void RecreateWnd();
  // Visible, with every parent visible up to a shown form (or a shown top-level window).
  bool GetShowing() const { return Showing; }
  // The application's Qt widget that shows this control (which has no parent) as its child,
  // or null; see ControlWidget.h.
  TControlWidget* GetHostWidget() const { return HostWidget; }
  // What assistive technologies read of the control as a table of cells (Accessibility.h), or
  // null: then its window is presented as a plain widget.
  virtual TAccessibleTable* GetAccessibleTable() { return nullptr; }

  // --- Geometry ---
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TRect GetClientRect() const override;
  using TControl::GetClientRect; // the window system call stays visible
  TPoint GetClientOrigin() const override;

  // --- Children ---
  int GetControlCount() const { return static_cast<int>(Controls.size()); }
  TControl* GetControls(int Index) const;
  // Stored inside this control: its children that Root owns.
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;
  bool ContainsControl(const TControl* Control) const;
  // Places the children by their Align within the client area.
  void Realign();

  // --- Tab order and focus ---
  bool GetTabStop() const { return TabStop; }
  void SetTabStop(bool Value);
  int GetTabOrder() const;
  void SetTabOrder(int Value);
  // The focusable windowed descendants in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  // Focuses the next (or previous) control after CurControl among the descendants in tab
  // order, wrapping around; with CheckTabStop only controls with TabStop.
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  // Makes this control its form's active control and gives it the keyboard focus when the
  // form is active. Without a form, the control's own top-level window is shown and focused.
  virtual void SetFocus();
  static HWND SetFocus(HWND Wnd) { return ::SetFocus(Wnd); } // the window system call
  // Visible and enabled up to its form (or up to the top parent shown by an application's
  // widget); false without either.
  virtual bool CanFocus() const;
  // Holds the keyboard focus.
  bool Focused() const;

  // --- Repainting (no-ops without a window) ---
  void Invalidate() override; // the whole client area; erased first unless csOpaque
  void Update() override;     // paints what is pending now
  void Repaint() override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

protected:
  // The frame of the window: WS_CHILD (a child window) or a top-level one, WS_TABSTOP with
  // TabStop, the frame of csFramed controls, WS_EX_LEFTSCROLLBAR for right-to-left scroll bars,
  // class style CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS.
  virtual void CreateParams(TCreateParams& Params);
  // Fire OnKeyDown / OnKeyUp / OnKeyPress; a handler may clear Key.
  virtual void KeyDown(unsigned short& Key, TShiftState Shift);
  virtual void KeyUp(unsigned short& Key, TShiftState Shift);
  virtual void KeyPress(TKeyChar& Key);
  // Fire OnEnter / OnExit when the control becomes (stops being) its form's active control.
  virtual void DoEnter();
  virtual void DoExit();
  // Places children by Align inside Rect (the client area).
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  // Showing may have changed: creates windows and sends CM_SHOWINGCHANGED, children first.
  void UpdateShowing();
  // A top-level window (form, or a parentless control asked to show) is shown.
  void SetTopLevelShown(bool Value);
  // The window was just created, or is about to go.
  virtual void HandleChanged() {}

private:
  friend class TControl;
  friend class TCustomControl;
  friend class TWindowHandle;
  friend class TForm;
  friend class TControlWidget;
  void CreateHandle();
  void ReleaseHandles(std::vector<TWindowHandle*>& Old);
  void PlaceWindow();
  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);
  void DestroyChildren();
  bool DialogKeyUsed(unsigned short Key, std::intptr_t KeyData);
  void AlignKind(TAlign Kind, TRect& Rect);
  void WMSize(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void DefaultSetCursor(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMBiDiModeChanged(TMessage& Message);
  void CMRecreateWnd(TMessage& Message);
  void NotifyChildren(unsigned Msg);

  TWindowHandle* Window = nullptr;   // the window, owned (deleted by DestroyHandle)
  std::vector<TControl*> Controls;   // children, not owned by this list
  std::vector<TWinControl*> TabList; // windowed children in tab order
  bool TabStop = false;
  bool Showing = false;
  bool TopLevelShown = false;           // a parentless window is to be shown
  TControlWidget* HostWidget = nullptr; // a parentless control's window is a child of this
  bool Aligning = false;
};

// ================================================================ TCustomControl
// A windowed control that paints itself: WM_PAINT runs Paint with the canvas on the painting
// context, clipped to the update region.
class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  const char* ClassName() const override { return "TCustomControl"; }

  // Draws on the window's surface: while painting clipped to the update region, at other
  // times unclipped (XOR feedback and the like). Without a window it works on a scratch
  // context that measures text but keeps no pixels.
  TCanvas* GetCanvas() const { return Canvas.get(); }

  void WndProc(TMessage& Message) override;

protected:
  // Draws the control; the default draws nothing.
  virtual void Paint();

private:
  void HandleChanged() override; // the canvas follows the window: its context, or the scratch one
  void FontChanged() override;   // the canvas takes the control's font
  void WMPaint(TMessage& Message);

  std::unique_ptr<TCanvas> Canvas;
  HDC ScratchDc = nullptr; // a memory context for the canvas while there is no window
};
