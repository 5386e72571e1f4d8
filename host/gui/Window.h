// Private to host/gui: the Qt widget behind a window handle (HWND = TWindowHandle*).
//
// The widget owns the window's pixels, a raster surface of the client size, and its update
// region. Invalidation adds to the region; painting sends WM_PAINT with a context on the
// surface clipped to the region; the widget's paintEvent only copies the surface to the
// screen, with the frame and the corner between the scroll bars around it. Qt events become
// messages for the control (WindowEvents.cpp); the standard scroll bars are real QScrollBars
// (WindowScrollBars.cpp).
#pragma once

#include "host/gui/Backend.h"
#include "host/gui/Controls.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <cstdint>
#include <map>

class QScrollBar;
class QStyle;

// One standard scroll bar of a window, as the window system keeps it.
struct TScrollBarState {
  int Min = 0;
  int Max = 0;
  int Pos = 0;
  bool Shown = false;        // the bar takes space from the client area
  QScrollBar* Bar = nullptr; // created when first shown
};

class TWindowHandle : public QWidget {
  Q_OBJECT

public:
  // A window for Control with the frame of Params; a top-level window when QtParent is null.
  TWindowHandle(TWinControl* Control, const TCreateParams& Params, QWidget* QtParent);
  ~TWindowHandle() override;

  TWinControl* GetControl() const { return Control; }
  // The live window behind a handle, or null for a null, destroyed or detached handle.
  static TWindowHandle* Live(HWND Wnd);
  // Forgets the control: no more messages, timers or capture; the window is hidden.
  void Detach();
  // Detaches and deletes the window, later when it is inside one of its own messages (so
  // that a control may destroy its window from a handler).
  void Dispose();

  // --- Messages ---
  // Hands Message to the control (MainWndProc: exceptions go to the application) and,
  // after the outermost message, shows what the control drew outside painting.
  std::intptr_t Send(TMessage& Message);
  std::intptr_t Send(unsigned Msg, std::uintptr_t WParam = 0, std::intptr_t LParam = 0);

  // --- Frame and geometry ---
  unsigned GetStyle() const; // WS_*, the scroll bar bits following the bars shown
  unsigned GetExStyle() const { return ExStyle; }
  unsigned GetClassStyle() const { return ClassStyle; }
  int FrameWidth() const;   // 1 for WS_BORDER, 2 for WS_EX_CLIENTEDGE, 3 for both
  QRect ClientArea() const; // where the client area lies in the widget
  QPoint ClientToGlobal(QPoint Client) const;
  QPoint GlobalToClient(QPoint Global) const;
  // Moves and sizes the widget (parent's widget coordinates) and lays it out at once.
  void PlaceAt(const QRect& Geometry);
  // Places the scroll bars and the client area in the widget; a new client size resizes the
  // surface and sends WM_SIZE.
  void Relayout();

  // --- Surface and update region (client coordinates) ---
  // The client area's pixels, at device resolution: SurfaceScale() pixels per logical pixel.
  const QImage& GetSurface() const { return Surface; }
  double SurfaceScale() const { return Scale; }
  HDC GetWindowDC() const { return WindowDc; } // unclipped context on the surface
  QRegion GetUpdateRegion() const { return Pending; }
  void Invalidate(const QRegion& Region, bool Erase);
  void Validate(const QRegion& Region);
  // Paints the update region now (WM_ERASEBKGND when asked for, then WM_PAINT).
  void PaintPending();
  // Moves the pixels of Scroll by (DX, DY) within Clip; moves the pending region with them;
  // with InvalidateUncovered adds the uncovered area to it. Answers that area.
  QRegion ScrollSurface(int DX, int DY, const QRect& Scroll, const QRect& Clip,
                        bool InvalidateUncovered);
  // Fills Region of the surface (surface pixels, as a context's clip) with Color (the default
  // background erase).
  void FillSurface(const QRegion& Region, TColor Color);

  // --- Scroll bars (SB_HORZ, SB_VERT) ---
  const TScrollBarState& GetScrollBar(int Bar) const { return Bars[Bar == SB_VERT ? 1 : 0]; }
  void SetScrollRange(int Bar, int Min, int Max);
  int SetScrollPos(int Bar, int Pos); // answers the previous position
  void ShowScrollBar(int Bar, bool Show);
  QScrollBar* ScrollBarWidget(int Bar) const { return GetScrollBar(Bar).Bar; }

  // --- Timers ---
  bool StartTimer(std::uintptr_t Id, unsigned Elapse);
  bool StopTimer(std::uintptr_t Id);

  // --- Cursor ---
  void ShowCursorShape(Qt::CursorShape Shape);

protected:
  bool event(QEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void moveEvent(QMoveEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void wheelEvent(QWheelEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void enterEvent(QEnterEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void timerEvent(QTimerEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;

private:
  // Surface
  void ResizeSurface(QSize Size, double NewScale);
  QRect LogicalRect() const { return {QPoint(0, 0), ClientSize}; }
  QRect DeviceRect(const QRect& Logical) const; // a logical rectangle in surface pixels
  static QSize SurfaceSizeFor(QSize Client); // the client size, bounded by the screens
  QRegion PaintNow();
  void MovePixels(int DX, int DY, const QRect& Dest); // Dest: logical, within the surface
  void ShowScroll(int DX, int DY, const QRect& Area, const QRect& Dest);
  void PaintRegion(const QRegion& Region, const QRegion& Erase);
  void ShowSurfaceChanges();
  void PaintFrame(QPainter& Painter) const;
  void PresentSurface(QPainter& Painter, const QRegion& Region);
  void PaintCorner(QPainter& Painter) const;
  // Input
  void KeyPress(QKeyEvent* Event);
  void MouseButton(QMouseEvent* Event, bool Press, bool Double);
  bool RouteToCapture(QMouseEvent* Event);
  bool SendMouse(unsigned Msg, QPoint WidgetPos, bool Buttons);
  void SendSetCursor(unsigned MouseMsg, QPoint WidgetPos);
  void ShowingChanged();
  // Scroll bars
  void EnsureScrollBar(int Bar);
  void LayoutScrollBars(const QRect& Client);
  void ScrollBarAction(int Bar, int Action);
  void ScrollBarTrack(int Bar, int Position);
  void ScrollBarReleased(int Bar);
  void SendScroll(int Bar, int Code, int Pos);
  void ShowScrollPos(int Bar);

  TWinControl* Control; // null once detached
  unsigned Style;       // from CreateParams; the scroll bar bits as created
  unsigned ExStyle;
  unsigned ClassStyle;
  QImage Surface;         // the client area's pixels: RGB32, Scale pixels per logical pixel
  double Scale = 1;       // the screen's device pixel ratio when the surface was last sized
  QSize ClientSize;       // the surface's size in logical pixels
  QSize LaidOutClient;    // the client area's size at the last layout (the surface may be smaller)
  HDC WindowDc = nullptr; // context on Surface for drawing outside WM_PAINT
  QRegion Pending;        // update region (logical pixels)
  QRegion PendingErase;   // the part of it to erase before painting
  bool Painting = false;
  bool LaidOut = false; // the surface has had its first size
  qint64 ShownKey = 0;  // Surface.cacheKey() when the screen was last told of changes
  bool Disposed = false;
  TScrollBarState Bars[2];              // SB_HORZ, SB_VERT
  std::map<std::uintptr_t, int> Timers; // timer id -> Qt timer id
};

// The style the standard scroll bars are drawn with (Fusion), and their metrics.
QStyle* ScrollBarStyle();
int ScrollBarExtent();

// The process is ending (the application object is being destroyed): windows that go from now
// on are detached but not deleted.
void ProcessExiting();

// A QApplication for windows (the offscreen platform without a display); raises Exception
// when another kind of application object exists.
void EnsureWidgetApplication();

// The keyboard modifiers and mouse buttons of the input being handled (GetKeyState).
void NoteInputState(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
Qt::KeyboardModifiers CurrentModifiers();
Qt::MouseButtons CurrentButtons();
unsigned MouseKeys(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers); // MK_* bits

// Cursor shapes: the handle of a cursor identifier (the arrow for unknown ones), and its shape.
HCURSOR CursorOf(TCursor Cursor);
Qt::CursorShape ShapeOf(HCURSOR Cursor);
HCURSOR CursorOfShape(Qt::CursorShape Shape); // the first identifier shown with Shape

// The capture window (SetCapture), or null.
TWindowHandle* CaptureWindow();
void SetCaptureWindow(TWindowHandle* Window);
// A window is going: the capture, the mouse window and the focus records forget it.
void ForgetWindow(TWindowHandle* Window);
// The window that last received mouse input: SetCursor shows its shape there.
TWindowHandle* MouseWindow();
void SetMouseWindow(TWindowHandle* Window);

// The application's widget that shows Control's top parent, or null (ControlWidget.h).
TControlWidget* HostWidgetOf(const TWinControl* Control);
// A dialog key of a control inside an application's widget: Tab and Shift+Tab move the focus
// to the Qt widgets around it. Answers whether the key was used.
bool EmbeddedDialogKey(const TWinControl* Control, unsigned short Key);

// Lets windows whose control answers GetAccessibleTable present themselves to assistive
// technologies as tables (Accessibility.cpp); once per process, before the first window.
void InstallAccessibleTables();

// The MessageBeep calls so far (for the test helpers).
int MessageBeepCount();
