// The window behind a handle: life, messages, geometry, the surface with its update region,
// and painting.
#include "host/gui/Window.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

namespace {
// Never destroyed: the application deletes its forms, and with them windows, during exit.
std::set<TWindowHandle*>& LiveWindows() {
  static auto* Windows = new std::set<TWindowHandle*>;
  return *Windows;
}

int MessageDepth = 0; // messages being handled, over all windows
bool Exiting = false; // the process is ending: Qt's own objects may be gone

// Counts a message being handled for as long as it lives.
struct TInMessage {
  TInMessage() { ++MessageDepth; }
  ~TInMessage() { --MessageDepth; }
  TInMessage(const TInMessage&) = delete;
  TInMessage& operator=(const TInMessage&) = delete;
};
} // namespace

// ---------------------------------------------------------------- life

TWindowHandle::TWindowHandle(TWinControl* AControl, const TCreateParams& Params, QWidget* QtParent)
    : QWidget(QtParent, QtParent ? Qt::Widget : Qt::Window), Control(AControl), Style(Params.Style),
      ExStyle(Params.ExStyle), ClassStyle(Params.WindowClass.style) {
  LiveWindows().insert(this);
  InstallAccessibleTables();
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setVisible(false);
  if (!QtParent) setWindowTitle(QString::fromStdString(Params.Caption));
  WindowDc = CreateSurfaceDC(&Surface);
  for (int Bar : {SB_HORZ, SB_VERT})
    if (Style & (Bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) {
      Bars[Bar] = {0, 100, 0, true, nullptr};
      EnsureScrollBar(Bar);
    }
}

TWindowHandle::~TWindowHandle() {
  LiveWindows().erase(this);
  ForgetWindow(this);
  DestroySurfaceDC(WindowDc);
}

TWindowHandle* TWindowHandle::Live(HWND Wnd) {
  if (!Wnd || !LiveWindows().contains(Wnd) || !Wnd->Control) return nullptr;
  return Wnd;
}

void TWindowHandle::Detach() {
  if (!Control) return;
  Control = nullptr;
  for (const auto& [Id, QtId] : Timers)
    killTimer(QtId);
  Timers.clear();
  if (CaptureWindow() == this) SetCaptureWindow(nullptr);
  // Hiding a window under the mouse pointer sends it a leave event through Qt's registry of
  // pointing devices, which may already be destroyed while the process exits.
  if (!Exiting) hide();
}

// Inside a message (of any window: this one or one of its children may be handling it) the
// widget goes from the event loop. While the process exits, widgets are left to it: deleting
// them then would reach into Qt objects that are already destroyed.
void TWindowHandle::Dispose() {
  if (Disposed) return;
  Disposed = true;
  Detach();
  if (Exiting) return;
  if (MessageDepth > 0)
    deleteLater();
  else
    delete this;
}

void ProcessExiting() {
  Exiting = true;
}

// ---------------------------------------------------------------- messages

std::intptr_t TWindowHandle::Send(TMessage& Message) {
  if (!Control) return 0;
  {
    const TInMessage Guard;
    Control->MainWndProc(Message);
  }
  if (MessageDepth == 0)
    for (TWindowHandle* W : LiveWindows())
      W->ShowSurfaceChanges();
  return Message.Result;
}

std::intptr_t TWindowHandle::Send(unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam) {
  TMessage Message{Msg, WParam, LParam, 0};
  return Send(Message);
}

// ---------------------------------------------------------------- frame and geometry

unsigned TWindowHandle::GetStyle() const {
  unsigned S = Style & ~(WS_HSCROLL | WS_VSCROLL | WS_VISIBLE);
  if (Bars[SB_HORZ].Shown) S |= WS_HSCROLL;
  if (Bars[SB_VERT].Shown) S |= WS_VSCROLL;
  if (isVisible()) S |= WS_VISIBLE;
  return S;
}

int TWindowHandle::FrameWidth() const {
  return ((Style & WS_BORDER) ? 1 : 0) + ((ExStyle & WS_EX_CLIENTEDGE) ? 2 : 0);
}

// Inside the frame, less the scroll bars shown (the vertical one on the left with
// WS_EX_LEFTSCROLLBAR).
QRect TWindowHandle::ClientArea() const {
  const int F = FrameWidth();
  const int V = Bars[SB_VERT].Shown ? ScrollBarExtent() : 0;
  const int H = Bars[SB_HORZ].Shown ? ScrollBarExtent() : 0;
  const int X = F + ((ExStyle & WS_EX_LEFTSCROLLBAR) ? V : 0);
  return {X, F, std::max(0, width() - 2 * F - V), std::max(0, height() - 2 * F - H)};
}

QPoint TWindowHandle::ClientToGlobal(QPoint Client) const {
  return mapToGlobal(Client + ClientArea().topLeft());
}

QPoint TWindowHandle::GlobalToClient(QPoint Global) const {
  return mapFromGlobal(Global) - ClientArea().topLeft();
}

void TWindowHandle::PlaceAt(const QRect& Geometry) {
  setGeometry(Geometry);
  Relayout();
}

void TWindowHandle::resizeEvent(QResizeEvent*) {
  Relayout();
}

void TWindowHandle::moveEvent(QMoveEvent*) {
  if (Control && isWindow() && !Control->GetParent())
    Control->TControl::SetBounds(x(), y(), Control->GetWidth(), Control->GetHeight());
}

// A new client size (and the first layout of a new window) resizes the surface and is
// reported with WM_SIZE.
void TWindowHandle::Relayout() {
  const QRect Client = ClientArea();
  LayoutScrollBars(Client);
  update();
  const double NewScale = devicePixelRatioF();
  const bool Resized = !LaidOut || Client.size() != LaidOutClient;
  if (!Resized && NewScale == Scale) return;
  LaidOut = true;
  LaidOutClient = Client.size();
  // The surface may stop growing at the screens' bound while the client area still does.
  const QSize NewSize = SurfaceSizeFor(Client.size()); // logical pixels
  if (NewSize != ClientSize || NewScale != Scale) ResizeSurface(NewSize, NewScale);
  if (!Resized) return; // a new density alone repaints, at the same logical size
  Send(WM_SIZE, SIZE_RESTORED,
       MakeLParam(static_cast<unsigned>(Client.width()), static_cast<unsigned>(Client.height())));
}

// ---------------------------------------------------------------- surface

// No screen shows more than its virtual desktop, so a client area larger than that (a stored
// form 2147483647 pixels high, say) gets a surface of that size at most: pixels past it could
// never be seen, and would cost gigabytes. Drawing beyond the surface is clipped. Small or
// missing screens (offscreen tests) still allow MinSurfaceBound pixels each way.
QSize TWindowHandle::SurfaceSizeFor(QSize Client) {
  constexpr int MinSurfaceBound = 4096;
  QSize Bound(MinSurfaceBound, MinSurfaceBound);
  if (const QScreen* Primary = QGuiApplication::primaryScreen())
    Bound = Bound.expandedTo(Primary->virtualSize());
  return Client.boundedTo(Bound);
}

namespace {
// Image at Size: the pixels of Old that fit, Fill elsewhere.
QImage Resized(const QImage& Old, QSize Size, QRgb Fill) {
  QImage New(Size, QImage::Format_RGB32);
  New.setDevicePixelRatio(1);
  New.fill(Fill);
  if (!Old.isNull() && !New.isNull()) {
    QPainter P(&New);
    P.setCompositionMode(QPainter::CompositionMode_Source);
    P.drawImage(0, 0, Old);
  }
  return New;
}
} // namespace

// The pixels that still fit stay; the new ones are the control's colour and are invalid.
// With CS_HREDRAW (CS_VREDRAW) a change of width (height) makes everything invalid.
// At a new density every pixel is invalid: the surface is made again at the new resolution.
void TWindowHandle::ResizeSurface(QSize Size, double NewScale) {
  ShowSurfaceChanges();
  ReleasePaintersOn(&Surface);
  const QSize Old = ClientSize;
  const bool NewDensity = NewScale != Scale;
  const QSize Device(Snap(Size.width(), NewScale), Snap(Size.height(), NewScale));
  const QRgb Fill = PixelOfColor(Control ? Control->GetColor() : clBtnFace);
  Surface = Resized(NewDensity ? QImage() : Surface, Device, Fill);
  Scale = NewScale;
  ClientSize = Size;
  WindowDc->Scale = Scale;
  const QRect All = LogicalRect();
  Pending &= All;
  PendingErase &= All;
  const bool Whole = NewDensity || ((ClassStyle & CS_HREDRAW) && Size.width() != Old.width()) ||
                     ((ClassStyle & CS_VREDRAW) && Size.height() != Old.height());
  Invalidate(Whole ? QRegion(All) : QRegion(All) - QRegion(QRect(QPoint(0, 0), Old)), true);
  ShownKey = Surface.cacheKey();
}

QRect TWindowHandle::DeviceRect(const QRect& Logical) const {
  return ScaledRegion(QRegion(Logical), Scale).boundingRect();
}

// What the control drew straight onto the surface (outside WM_PAINT) goes to the screen.
void TWindowHandle::ShowSurfaceChanges() {
  if (Painting || Surface.cacheKey() == ShownKey) return;
  ShownKey = Surface.cacheKey();
  update(ClientArea());
}

void TWindowHandle::Invalidate(const QRegion& Region, bool Erase) {
  const QRegion R = Region & LogicalRect();
  if (R.isEmpty()) return;
  Pending += R;
  if (Erase) PendingErase += R;
  update(R.translated(ClientArea().topLeft()));
}

void TWindowHandle::Validate(const QRegion& Region) {
  Pending -= Region;
  PendingErase -= Region;
}

void TWindowHandle::FillSurface(const QRegion& Region, TColor Color) {
  if (Surface.isNull()) return;
  ReleasePaintersOn(&Surface);
  QPainter P(&Surface);
  P.setCompositionMode(QPainter::CompositionMode_Source);
  for (const QRect& R : Region& QRect(QPoint(0, 0), Surface.size()))
    P.fillRect(R, QColor::fromRgb(PixelOfColor(Color)));
}

// The region is taken (validated) before the control paints, so that what it invalidates while
// painting waits for the next paint.
void TWindowHandle::PaintPending() {
  const QRegion Painted = PaintNow();
  if (!Painted.isEmpty()) update(Painted.translated(ClientArea().topLeft()));
}

// Answers the region painted; the caller shows it.
QRegion TWindowHandle::PaintNow() {
  if (Painting || !Control) return {};
  const QRegion Region = Pending & LogicalRect();
  const QRegion Erase = PendingErase & Region;
  Pending = QRegion();
  PendingErase = QRegion();
  if (Region.isEmpty()) return {};
  ShowSurfaceChanges();
  Painting = true;
  PaintRegion(Region, Erase);
  Painting = false;
  ShownKey = Surface.cacheKey();
  return Region;
}

// WM_ERASEBKGND for the part to erase, then WM_PAINT, each with a context that is fresh for
// this paint (default mapping and colours) and clipped to its part. The context keeps its
// text painter for the paint: nothing else draws on the surface meanwhile.
void TWindowHandle::PaintRegion(const QRegion& Region, const QRegion& Erase) {
  HDC Dc = CreateSurfaceDC(&Surface, Scale, true);
  if (!Erase.isEmpty()) {
    const QRegion DeviceErase = ScaledRegion(Erase, Scale);
    SetDCClip(Dc, &DeviceErase);
    Send(WM_ERASEBKGND, reinterpret_cast<std::uintptr_t>(Dc));
  }
  const QRegion DeviceRegion = ScaledRegion(Region, Scale);
  SetDCClip(Dc, &DeviceRegion);
  Send(WM_PAINT, reinterpret_cast<std::uintptr_t>(Dc));
  DestroySurfaceDC(Dc);
}

// In place, row by row in the order that never overwrites a row still to be read: one pass
// over the pixels, no copy of the area.
void TWindowHandle::MovePixels(int DX, int DY, const QRect& Dest) {
  const QRect To = DeviceRect(Dest);
  const QPoint Offset(Snap(DX, Scale), Snap(DY, Scale));
  uchar* Bits = Surface.bits();
  const qsizetype Stride = Surface.bytesPerLine();
  const auto Bytes = static_cast<std::size_t>(To.width()) * sizeof(QRgb);
  const auto Row = [&](int Y) {
    uchar* Line = Bits + Y * Stride + To.left() * qsizetype(sizeof(QRgb));
    std::memmove(Line, Line - Offset.y() * Stride - Offset.x() * qsizetype(sizeof(QRgb)), Bytes);
  };
  if (Offset.y() > 0)
    for (int Y = To.bottom(); Y >= To.top(); --Y)
      Row(Y);
  else
    for (int Y = To.top(); Y <= To.bottom(); ++Y)
      Row(Y);
}

QRegion TWindowHandle::ScrollSurface(int DX, int DY, const QRect& Scroll, const QRect& Clip,
                                     bool InvalidateUncovered) {
  const QRect All = LogicalRect();
  const QRect Source = Scroll & All;
  const QRect ClipRect = Clip & All;
  const QRect Area = Source & ClipRect;
  // At a fractional density a move may not fall on whole device pixels: then nothing is moved
  // and the whole area is painted again.
  const bool Whole = Snap(DX, Scale) != DX * Scale || Snap(DY, Scale) != DY * Scale;
  const QRect Dest = Whole ? QRect() : Source.translated(DX, DY) & ClipRect;
  ShowSurfaceChanges();
  ReleasePaintersOn(&Surface);
  if (!Dest.isEmpty()) MovePixels(DX, DY, Dest);
  const QRegion MovedPending = (Pending & Area).translated(DX, DY) & ClipRect;
  Pending = (Pending - Area) + MovedPending;
  PendingErase &= Pending;
  const QRegion Uncovered = QRegion(Area) - QRegion(Dest);
  if (InvalidateUncovered) Invalidate(Uncovered, false);
  ShownKey = Surface.cacheKey();
  ShowScroll(DX, DY, Area, Dest);
  return Uncovered;
}

// What is shown moves the same way: Qt moves the pixels it shows in place where it can (an
// opaque window that nothing overlaps) and asks for the rest, which is then copied from the
// surface; a scroll by a row sends the window system a row instead of the whole area. A move
// Qt cannot describe (the destination cut by another clip, or no move at all) shows the whole
// area again.
void TWindowHandle::ShowScroll(int DX, int DY, const QRect& Area, const QRect& Dest) {
  const QPoint Origin = ClientArea().topLeft();
  if (Dest.isEmpty() || Dest != (Area.translated(DX, DY) & Area))
    return update((QRegion(Area) + QRegion(Dest)).translated(Origin));
  scroll(DX, DY, Area.translated(Origin));
}

// ---------------------------------------------------------------- screen

// What is pending is painted first; only what this paint event does not cover is left for
// another one.
void TWindowHandle::paintEvent(QPaintEvent* Event) {
  const QRegion Rest = PaintNow().translated(ClientArea().topLeft()) - Event->region();
  if (!Rest.isEmpty()) update(Rest);
  QPainter P(this);
  P.setClipRegion(Event->region());
  PaintFrame(P);
  PresentSurface(P, Event->region());
  PaintCorner(P);
}

// The surface holds device pixels: drawn into the client area it maps one to one. Each
// rectangle of the region is copied on its own, unclipped and replacing what is there: Qt
// copies such a block line by line, where a copy through a clip of several rectangles would go
// pixel span by span (and through its helper threads).
void TWindowHandle::PresentSurface(QPainter& P, const QRegion& Region) {
  if (Surface.isNull()) return;
  const QRect Client = ClientArea();
  if (Scale != std::floor(Scale)) { // pieces would each be scaled on their own: the whole, once
    P.drawImage(QRectF(Client.topLeft(), QSizeF(ClientSize)), Surface, QRectF(Surface.rect()));
    return;
  }
  P.save();
  P.setClipping(false);
  P.setCompositionMode(QPainter::CompositionMode_Source);
  for (const QRect& R : Region& Client) {
    const QRect Logical = R.translated(-Client.topLeft());
    P.drawImage(QRectF(R), Surface, QRectF(DeviceRect(Logical)));
  }
  P.restore();
}

namespace {
// A one-pixel ring: TopLeft on the top and left sides, BottomRight on the others.
void Ring(QPainter& P, const QRect& R, TColor TopLeft, TColor BottomRight) {
  if (R.width() <= 0 || R.height() <= 0) return;
  const QColor TL = QColor::fromRgb(PixelOfColor(TopLeft));
  const QColor BR = QColor::fromRgb(PixelOfColor(BottomRight));
  P.fillRect(QRect(R.left(), R.top(), R.width() - 1, 1), TL);
  P.fillRect(QRect(R.left(), R.top(), 1, R.height() - 1), TL);
  P.fillRect(QRect(R.left(), R.bottom(), R.width(), 1), BR);
  P.fillRect(QRect(R.right(), R.top(), 1, R.height()), BR);
}
} // namespace

// WS_BORDER is a black line; WS_EX_CLIENTEDGE inside it a sunken two-pixel edge.
void TWindowHandle::PaintFrame(QPainter& P) const {
  QRect R = rect();
  if (Style & WS_BORDER) {
    Ring(P, R, clWindowFrame, clWindowFrame);
    R.adjust(1, 1, -1, -1);
  }
  if (ExStyle & WS_EX_CLIENTEDGE) {
    Ring(P, R, clBtnShadow, clBtnHighlight);
    Ring(P, R.adjusted(1, 1, -1, -1), cl3DDkShadow, cl3DLight);
  }
}

// The square between two scroll bars belongs to neither: the window fills it.
void TWindowHandle::PaintCorner(QPainter& P) const {
  if (!Bars[SB_HORZ].Shown || !Bars[SB_VERT].Shown) return;
  const QRect C = ClientArea();
  const int E = ScrollBarExtent();
  const int X = (ExStyle & WS_EX_LEFTSCROLLBAR) ? C.left() - E : C.left() + C.width();
  P.fillRect(QRect(X, C.top() + C.height(), E, E), QColor::fromRgb(PixelOfColor(clBtnFace)));
}
