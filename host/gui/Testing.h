// Driving controls from tests and tools, offscreen or on a display. Input goes in as Qt events
// sent to the control's window, the entry real input takes, so the messages, their order and
// the window's own behaviour (capture, double clicks, dialog keys) are those of real use.
// Every function that needs a window creates it (HandleNeeded). Coordinates are client pixels.
#pragma once

#include "host/gui/Controls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Testing {

// --- Mouse (Shift: ssShift, ssCtrl, ssAlt held; ssLeft/ssRight/ssMiddle: buttons held) ---
void MouseDownAt(TWinControl& Control, int X, int Y, TMouseButton Button = mbLeft,
                 TShiftState Shift = {});
void MouseUpAt(TWinControl& Control, int X, int Y, TMouseButton Button = mbLeft,
               TShiftState Shift = {});
// A move with the buttons of Shift held; the screen cursor moves there too (GetCursorPos).
void MoveTo(TWinControl& Control, int X, int Y, TShiftState Shift = {});
// Press and release at one point.
void ClickAt(TWinControl& Control, int X, int Y, TShiftState Shift = {},
             TMouseButton Button = mbLeft);
// Press, release, double click, release: what a double click is made of.
void DoubleClickAt(TWinControl& Control, int X, int Y, TShiftState Shift = {});
// A wheel turn at a point: Delta in WHEEL_DELTA units per notch, positive away from the user.
void Wheel(TWinControl& Control, int X, int Y, int Delta, TShiftState Shift = {});

// --- Keyboard: the modifiers of Shift are pressed before the key and released after it ---
void PressKey(TWinControl& Control, unsigned short VirtualKey, TShiftState Shift = {});
void KeyDownOnly(TWinControl& Control, unsigned short VirtualKey, TShiftState Shift = {});
void KeyUpOnly(TWinControl& Control, unsigned short VirtualKey, TShiftState Shift = {});
// The modifier keys of Shift pressed in turn and left down (Hold), or released; in between,
// PressKeyHeld presses keys with them held, as a user holding Shift over several arrows does.
void HoldModifiers(TWinControl& Control, TShiftState Shift);
void ReleaseModifiers(TWinControl& Control, TShiftState Shift);
// A key pressed and released while the modifiers of Held are down (no modifier key events).
void PressKeyHeld(TWinControl& Control, unsigned short VirtualKey, TShiftState Held);
// Types UTF-8 text as character keys (WM_CHAR for each character).
void TypeText(TWinControl& Control, const std::string& Utf8);

// --- Scroll bars (Bar: SB_HORZ, SB_VERT) ---
// The user's action on a bar: SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_TOP,
// SB_BOTTOM, as the bar's arrows, track and context menu trigger them.
void ScrollBarAction(TWinControl& Control, int Bar, int Code);
// Drags the thumb to Pos and releases it (SB_THUMBTRACK ..., SB_THUMBPOSITION, SB_ENDSCROLL).
void DragScrollThumb(TWinControl& Control, int Bar, int Pos);
bool ScrollBarVisible(TWinControl& Control, int Bar);
// Asks the bar to be painted again (shown with the next handling of events), as any change of
// its position does.
void UpdateScrollBar(TWinControl& Control, int Bar);
// The pointer enters (Over) or leaves the bar, without moving over one of its parts.
void HoverScrollBar(TWinControl& Control, int Bar, bool Over);
// The parts of a scroll bar a user clicks: the arrows, the track before and after the thumb,
// and the thumb.
enum class TScrollBarPart { LineUp, LineDown, PageUp, PageDown, Thumb };
// Where a part of a shown bar lies, in pixels of the whole window (frame included); empty when
// the bar is hidden.
TRect ScrollBarPartRect(TWinControl& Control, int Bar, TScrollBarPart Part);
// The bar's widget position as shown (after the control's SetScrollPos).
int ScrollBarShownPos(TWinControl& Control, int Bar);

// --- Left button input at points of the whole window (frame included) ---
// Delivered to what lies there (the client area, a scroll bar's arrows, track or thumb) as a
// user's press would be; moves while the button is held and the release go where it was
// pressed.
void WindowMouseDown(TWinControl& Control, int X, int Y);
void WindowMouseMove(TWinControl& Control, int X, int Y);
void WindowMouseUp(TWinControl& Control, int X, int Y);

// --- Pixels and the update region ---
TColor SurfacePixel(TWinControl& Control, int X, int Y);
// The size of the window's surface (the client size, unless larger than the screens).
TPoint SurfaceSize(TWinControl& Control);
// Every pixel of the surface, row by row (client width pixels a row).
std::vector<TColor> SurfacePixels(TWinControl& Control);
bool SaveSurface(TWinControl& Control, const std::string& FileName); // PNG
// The window as on screen (frame, scroll bars, surface), saved as PNG.
bool SaveWindow(TWinControl& Control, const std::string& FileName);
// Every pixel of the window as painted now (frame and scroll bars included), row by row.
std::vector<TColor> WindowPixels(TWinControl& Control);
// The screen pixel of the window at (X, Y) of the whole window (frame included).
TColor WindowPixel(TWinControl& Control, int X, int Y);
// What the window system shows of the client area (the screen's grab of the top-level window),
// row by row like SurfacePixels; empty while the window is not shown or cannot be grabbed.
std::vector<TColor> ShownPixels(TWinControl& Control);
// The update region as rectangles (client pixels), in Qt's band order.
std::vector<TRect> PendingUpdateRegion(TWinControl& Control);

// --- Cursors, beeps, the event loop ---
// The cursor shape the window shows, as the handle Screen->GetCursors gives.
HCURSOR WindowCursor(TWinControl& Control);
// MessageBeep calls so far.
int BeepCount();
// Runs the event loop until Done answers true or TimeoutMs passes; answers Done().
bool RunEventLoopUntil(const std::function<bool()>& Done, int TimeoutMs);
// Handles waiting events (deferred deletions included).
void ProcessEvents();
// No user can see or answer windows (the offscreen platform): message boxes answer by
// themselves.
bool Offscreen();

// --- A control among ordinary Qt widgets ---
// The parts of a TQtWindowAround, for the focus.
enum class TQtPart { EditBefore, Control, EditAfter, None };

// A top-level Qt window laid out as an application lays one out: top to bottom a line edit, a
// TControlWidget showing the control, and another line edit, in a vertical box layout.
class TQtWindowAround {
public:
  // Takes Control (which has no parent) into the window's TControlWidget.
  explicit TQtWindowAround(std::unique_ptr<TWinControl> Control);
  ~TQtWindowAround();
  TQtWindowAround(const TQtWindowAround&) = delete;
  TQtWindowAround& operator=(const TQtWindowAround&) = delete;

  TWinControl& GetControl() const;
  // Shows the window at that size as the active window; the layout has placed the control.
  void Show(int Width, int Height);
  // Resizes the window (as a user dragging its frame); the layout places the control anew.
  void Resize(int Width, int Height);
  // Where Qt's keyboard focus is: the control's part holds the control's window and the
  // TControlWidget around it.
  TQtPart FocusedPart() const;
  // Gives the part the focus as QWidget::setFocus does.
  void Focus(TQtPart Part);
  // Tab (Shift+Tab with Back) pressed, sent to the widget that has the focus.
  void PressTab(bool Back = false);
  // Characters typed into the widget that has the focus.
  void Type(const std::string& Utf8);
  std::string EditText(TQtPart Part) const;
  // Where the TControlWidget lies in the window, in window pixels.
  TRect ControlRect() const;
  // A pixel of the whole window as on screen (window pixels).
  TColor Pixel(int X, int Y) const;

private:
  struct TParts;
  std::unique_ptr<TParts> Parts;
};

} // namespace Testing
