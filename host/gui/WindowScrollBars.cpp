// The standard scroll bars of a window: real QScrollBars in the Fusion style that move only
// when the control sets their position, and report the user's actions as WM_HSCROLL /
// WM_VSCROLL with an SB_* code (and the thumb position for SB_THUMBTRACK / SB_THUMBPOSITION).
#include "host/gui/Window.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionSlider>

#include <algorithm>
#include <optional>

QStyle* ScrollBarStyle() {
  static QStyle* Style = [] {
    EnsureWidgetApplication();
    QStyle* S = QStyleFactory::create(QStringLiteral("Fusion"));
    S->setParent(qApp); // lives as long as the application object
    return S;
  }();
  return Style;
}

int ScrollBarExtent() {
  return ScrollBarStyle()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

namespace {
// A standard scroll bar that keeps its last picture. Every position set has Qt draw the whole
// bar again, though over a long table most positions leave the thumb on the same pixels (a
// thousand rows or so a pixel at a million rows): such a repaint copies the kept picture
// instead. The picture is kept only while the pointer is neither over the bar nor pressed on
// it, when what the style draws follows from the style option alone.
class TStandardScrollBar final : public QScrollBar {
public:
  using QScrollBar::QScrollBar;

protected:
  void paintEvent(QPaintEvent* Event) override;
  bool event(QEvent* Event) override;

private:
  // What the style's picture depends on while the pointer is away.
  struct TLook {
    QSize Size;
    qreal Ratio = 1;
    QStyle::State State;
    Qt::LayoutDirection Direction = Qt::LeftToRight;
    qint64 Palette = 0;
    QRect Slider;
    bool operator==(const TLook&) const = default;
  };
  TLook LookNow() const;
  void DrawPicture();
  bool Touched() const { return Hovered || Pressed || isSliderDown() || underMouse(); }

  QImage Picture;
  std::optional<TLook> PictureLook; // what Picture shows; none while not kept
  bool Hovered = false;
  bool Pressed = false;
};

TStandardScrollBar::TLook TStandardScrollBar::LookNow() const {
  QStyleOptionSlider Option;
  initStyleOption(&Option);
  return {size(),
          devicePixelRatioF(),
          Option.state,
          Option.direction,
          Option.palette.cacheKey(),
          style()->subControlRect(QStyle::CC_ScrollBar, &Option, QStyle::SC_ScrollBarSlider, this)};
}

void TStandardScrollBar::paintEvent(QPaintEvent* Event) {
  if (Touched()) {
    PictureLook.reset();
    return QScrollBar::paintEvent(Event);
  }
  const TLook Look = LookNow();
  if (PictureLook != Look) {
    DrawPicture();
    PictureLook = Look;
  }
  QPainter(this).drawImage(QPoint(0, 0), Picture);
}

// What QScrollBar paints with no part hovered or pressed: every part, none active.
void TStandardScrollBar::DrawPicture() {
  Picture = QImage(size() * devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
  Picture.setDevicePixelRatio(devicePixelRatioF());
  Picture.fill(Qt::transparent);
  QStyleOptionSlider Option;
  initStyleOption(&Option);
  Option.subControls = QStyle::SC_All;
  Option.activeSubControls = QStyle::SC_None;
  QPainter P(&Picture);
  P.setFont(font());
  P.setPen(palette().color(foregroundRole()));
  P.setBackground(palette().brush(backgroundRole()));
  style()->drawComplexControl(QStyle::CC_ScrollBar, &Option, &P, this);
}

bool TStandardScrollBar::event(QEvent* Event) {
  switch (Event->type()) {
  case QEvent::HoverEnter:
  case QEvent::HoverMove:
  case QEvent::Enter:
    Hovered = true;
    break;
  case QEvent::HoverLeave:
  case QEvent::Leave:
    Hovered = false;
    break;
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonDblClick:
    Pressed = true;
    break;
  case QEvent::MouseButtonRelease:
    Pressed = static_cast<QMouseEvent*>(Event)->buttons() != Qt::NoButton;
    break;
  default:
    break;
  }
  return QScrollBar::event(Event);
}

int SliderCode(int Action) {
  switch (Action) {
  case QAbstractSlider::SliderSingleStepAdd:
    return SB_LINEDOWN;
  case QAbstractSlider::SliderSingleStepSub:
    return SB_LINEUP;
  case QAbstractSlider::SliderPageStepAdd:
    return SB_PAGEDOWN;
  case QAbstractSlider::SliderPageStepSub:
    return SB_PAGEUP;
  case QAbstractSlider::SliderToMinimum:
    return SB_TOP;
  case QAbstractSlider::SliderToMaximum:
    return SB_BOTTOM;
  case QAbstractSlider::SliderMove:
    return SB_THUMBTRACK;
  default:
    return -1;
  }
}
} // namespace

// Tracking is off: dragging the thumb moves only the thumb (SB_THUMBTRACK) until the release
// (SB_THUMBPOSITION, SB_ENDSCROLL).
void TWindowHandle::EnsureScrollBar(int Bar) {
  TScrollBarState& B = Bars[Bar];
  if (B.Bar) return;
  B.Bar = new TStandardScrollBar(Bar == SB_VERT ? Qt::Vertical : Qt::Horizontal, this);
  B.Bar->setStyle(ScrollBarStyle());
  B.Bar->setPalette(ScrollBarStyle()->standardPalette());
  B.Bar->setCursor(Qt::ArrowCursor);
  B.Bar->setFocusPolicy(Qt::NoFocus);
  B.Bar->setTracking(false);
  B.Bar->setRange(std::min(B.Min, B.Max), std::max(B.Min, B.Max));
  B.Bar->setValue(B.Pos);
  B.Bar->installEventFilter(this);
  connect(B.Bar, &QAbstractSlider::actionTriggered, this,
          [this, Bar](int Action) { ScrollBarAction(Bar, Action); });
  connect(B.Bar, &QAbstractSlider::sliderMoved, this,
          [this, Bar](int Position) { ScrollBarTrack(Bar, Position); });
  connect(B.Bar, &QAbstractSlider::sliderReleased, this, [this, Bar] { ScrollBarReleased(Bar); });
}

void TWindowHandle::LayoutScrollBars(const QRect& Client) {
  const int E = ScrollBarExtent();
  const bool Left = ExStyle & WS_EX_LEFTSCROLLBAR;
  const QRect Geometry[2] = {
      QRect(Client.left(), Client.top() + Client.height(), Client.width(), E),
      QRect(Left ? Client.left() - E : Client.left() + Client.width(), Client.top(), E,
            Client.height())};
  for (int Bar : {SB_HORZ, SB_VERT}) {
    TScrollBarState& B = Bars[Bar];
    if (B.Shown) EnsureScrollBar(Bar);
    if (!B.Bar) continue;
    B.Bar->setGeometry(Geometry[Bar]);
    B.Bar->setVisible(B.Shown);
  }
}

// ---------------------------------------------------------------- range and position

// An empty range hides the bar, any other shows it; the client area changes with it.
void TWindowHandle::SetScrollRange(int Bar, int Min, int Max) {
  TScrollBarState& B = Bars[Bar];
  B.Min = Min;
  B.Max = Max;
  B.Pos = std::clamp(B.Pos, std::min(Min, Max), std::max(Min, Max));
  if (B.Bar) {
    const QSignalBlocker Blocker(B.Bar);
    B.Bar->setRange(std::min(Min, Max), std::max(Min, Max));
    ShowScrollPos(Bar);
  }
  ShowScrollBar(Bar, Min != Max);
}

int TWindowHandle::SetScrollPos(int Bar, int Pos) {
  TScrollBarState& B = Bars[Bar];
  const int Old = B.Pos;
  B.Pos = std::clamp(Pos, std::min(B.Min, B.Max), std::max(B.Min, B.Max));
  ShowScrollPos(Bar);
  return Old;
}

void TWindowHandle::ShowScrollBar(int Bar, bool Show) {
  if (Bars[Bar].Shown == Show) return;
  Bars[Bar].Shown = Show;
  Relayout();
}

// While the user drags the thumb it stays under the pointer; the position set meanwhile
// shows when the thumb is released.
void TWindowHandle::ShowScrollPos(int Bar) {
  QScrollBar* S = Bars[Bar].Bar;
  if (!S || S->isSliderDown()) return;
  const QSignalBlocker Blocker(S);
  S->setValue(Bars[Bar].Pos);
}

// ---------------------------------------------------------------- actions

void TWindowHandle::SendScroll(int Bar, int Code, int Pos) {
  const unsigned Msg = Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
  Send(Msg, MakeWParam(static_cast<unsigned>(Code), static_cast<unsigned>(Pos)), 0);
}

// Qt has already stepped the slider; the bar goes back to the position the window keeps, and
// then to whatever the control set in answer to the message.
void TWindowHandle::ScrollBarAction(int Bar, int Action) {
  const int Code = SliderCode(Action);
  QScrollBar* S = Bars[Bar].Bar;
  if (Code < 0 || !S) return;
  const int Track = S->sliderPosition();
  if (Code != SB_THUMBTRACK) {
    const QSignalBlocker Blocker(S);
    S->setSliderPosition(Bars[Bar].Pos);
  }
  SendScroll(Bar, Code, Code == SB_THUMBTRACK ? Track : 0);
  if (Code != SB_THUMBTRACK) {
    const QSignalBlocker Blocker(S);
    S->setSliderPosition(Bars[Bar].Pos);
  }
}

void TWindowHandle::ScrollBarTrack(int Bar, int Position) {
  SendScroll(Bar, SB_THUMBTRACK, Position);
}

void TWindowHandle::ScrollBarReleased(int Bar) {
  SendScroll(Bar, SB_THUMBPOSITION, Bars[Bar].Bar->sliderPosition());
  SendScroll(Bar, SB_ENDSCROLL, 0);
  ShowScrollPos(Bar);
}

// Releasing the mouse on an arrow or the track ends the action (the thumb's release is
// reported by ScrollBarReleased).
bool TWindowHandle::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() != QEvent::MouseButtonRelease) return false;
  for (int Bar : {SB_HORZ, SB_VERT})
    if (Bars[Bar].Bar == Watched && !Bars[Bar].Bar->isSliderDown())
      SendScroll(Bar, SB_ENDSCROLL, 0);
  return false;
}
