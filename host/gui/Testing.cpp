// Test input as Qt events sent to the windows, and views of a window's state.
#include "host/gui/Testing.h"

#include "host/gui/KeyMap.h"
#include "host/gui/Window.h"

#include <QApplication>

#include <QCursor>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>

namespace Testing {

namespace {
TWindowHandle* WindowOf(TWinControl& Control) {
  return Control.GetHandle();
}

Qt::KeyboardModifiers ModifiersOf(TShiftState Shift) {
  Qt::KeyboardModifiers M;
  if (Shift.Contains(ssShift)) M |= Qt::ShiftModifier;
  if (Shift.Contains(ssCtrl)) M |= Qt::ControlModifier;
  if (Shift.Contains(ssAlt)) M |= Qt::AltModifier;
  return M;
}

Qt::MouseButtons ButtonsOf(TShiftState Shift) {
  Qt::MouseButtons B;
  if (Shift.Contains(ssLeft)) B |= Qt::LeftButton;
  if (Shift.Contains(ssRight)) B |= Qt::RightButton;
  if (Shift.Contains(ssMiddle)) B |= Qt::MiddleButton;
  return B;
}

Qt::MouseButton QtButton(TMouseButton Button) {
  return Button == mbRight    ? Qt::RightButton
         : Button == mbMiddle ? Qt::MiddleButton
                              : Qt::LeftButton;
}

// A client point of W in its widget. A point far outside the window stays far outside it, where
// adding the frame and the window's place on the screen cannot overflow.
QPoint WidgetPoint(const TWindowHandle* W, int X, int Y) {
  constexpr int Far = 1 << 28;
  return QPoint(std::clamp(X, -Far, Far), std::clamp(Y, -Far, Far)) + W->ClientArea().topLeft();
}

// A mouse event at a client point of the control's window; the screen cursor goes there.
void SendMouse(TWinControl& Control, QEvent::Type Type, int X, int Y, Qt::MouseButton Button,
               Qt::MouseButtons Buttons, TShiftState Shift) {
  TWindowHandle* W = WindowOf(Control);
  const QPoint Local = WidgetPoint(W, X, Y);
  const QPoint Global = W->mapToGlobal(Local);
  QCursor::setPos(Global);
  QMouseEvent Event(Type, Local, Global, Button, Buttons, ModifiersOf(Shift));
  QCoreApplication::sendEvent(W, &Event);
}

void SendKey(TWinControl& Control, QEvent::Type Type, int Key, Qt::KeyboardModifiers Modifiers,
             const QString& Text) {
  QKeyEvent Event(Type, Key, Modifiers, Text);
  QCoreApplication::sendEvent(WindowOf(Control), &Event);
}

// The text a key types: letters by the Shift key, digits, space and the control characters
// of Enter, Tab, Backspace and Escape; Ctrl with a letter gives its control character.
QString TextOf(unsigned short Vk, TShiftState Shift) {
  if (Shift.Contains(ssAlt)) return {};
  if (Vk >= VK_A && Vk <= VK_Z) {
    if (Shift.Contains(ssCtrl)) return QString(QChar(Vk - VK_A + 1));
    return QString(QChar(Shift.Contains(ssShift) ? Vk : Vk - VK_A + 'a'));
  }
  if (Shift.Contains(ssCtrl)) return {};
  if ((Vk >= VK_0 && Vk <= VK_9) && !Shift.Contains(ssShift)) return QString(QChar(Vk));
  switch (Vk) {
  case VK_SPACE:
    return QStringLiteral(" ");
  case VK_RETURN:
    return QStringLiteral("\r");
  case VK_TAB:
    return QStringLiteral("\t");
  case VK_BACK:
    return QStringLiteral("\b");
  case VK_ESCAPE:
    return QStringLiteral("\x1b");
  default:
    return {};
  }
}

// The modifier keys of Shift, pressed (Down) or released in turn. Each event carries the
// modifiers held before it, as platforms report them; Qt's QKeyEvent::modifiers() then
// answers the state after it.
void ModifierKeys(TWinControl& Control, TShiftState Shift, bool Down) {
  static constexpr std::pair<TShiftStateItem, int> Keys[] = {
      {ssShift, Qt::Key_Shift}, {ssCtrl, Qt::Key_Control}, {ssAlt, Qt::Key_Alt}};
  TShiftState Held = Down ? TShiftState{} : Shift;
  for (const auto& [Item, Key] : Keys) {
    if (!Shift.Contains(Item)) continue;
    SendKey(Control, Down ? QEvent::KeyPress : QEvent::KeyRelease, Key, ModifiersOf(Held), {});
    if (Down)
      Held.Include(Item);
    else
      Held.Exclude(Item);
  }
}

void KeyEvent(TWinControl& Control, QEvent::Type Type, unsigned short Vk, TShiftState Shift) {
  bool Keypad = false;
  const int Key = QtKeyOf(Vk, Keypad);
  Qt::KeyboardModifiers M = ModifiersOf(Shift);
  if (Keypad) M |= Qt::KeypadModifier;
  SendKey(Control, Type, Key, M, TextOf(Vk, Shift));
}

QScrollBar* BarOf(TWinControl& Control, int Bar) {
  TWindowHandle* W = WindowOf(Control);
  return W->ScrollBarWidget(Bar);
}
} // namespace

// ---------------------------------------------------------------- mouse

void MouseDownAt(TWinControl& Control, int X, int Y, TMouseButton Button, TShiftState Shift) {
  SendMouse(Control, QEvent::MouseButtonPress, X, Y, QtButton(Button),
            ButtonsOf(Shift) | QtButton(Button), Shift);
}

void MouseUpAt(TWinControl& Control, int X, int Y, TMouseButton Button, TShiftState Shift) {
  const Qt::MouseButtons Held = ButtonsOf(Shift) & ~Qt::MouseButtons(QtButton(Button));
  SendMouse(Control, QEvent::MouseButtonRelease, X, Y, QtButton(Button), Held, Shift);
}

void MoveTo(TWinControl& Control, int X, int Y, TShiftState Shift) {
  SendMouse(Control, QEvent::MouseMove, X, Y, Qt::NoButton, ButtonsOf(Shift), Shift);
}

void ClickAt(TWinControl& Control, int X, int Y, TShiftState Shift, TMouseButton Button) {
  MouseDownAt(Control, X, Y, Button, Shift);
  MouseUpAt(Control, X, Y, Button, Shift);
}

void DoubleClickAt(TWinControl& Control, int X, int Y, TShiftState Shift) {
  ClickAt(Control, X, Y, Shift);
  SendMouse(Control, QEvent::MouseButtonDblClick, X, Y, Qt::LeftButton,
            ButtonsOf(Shift) | Qt::LeftButton, Shift);
  MouseUpAt(Control, X, Y, mbLeft, Shift);
}

void Wheel(TWinControl& Control, int X, int Y, int Delta, TShiftState Shift) {
  TWindowHandle* W = WindowOf(Control);
  const QPoint Local = WidgetPoint(W, X, Y);
  const QPoint Global = W->mapToGlobal(Local);
  QCursor::setPos(Global);
  QWheelEvent Event(Local, Global, QPoint(), QPoint(0, Delta), ButtonsOf(Shift), ModifiersOf(Shift),
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(W, &Event);
}

// ---------------------------------------------------------------- keyboard

void PressKey(TWinControl& Control, unsigned short VirtualKey, TShiftState Shift) {
  KeyDownOnly(Control, VirtualKey, Shift);
  KeyUpOnly(Control, VirtualKey, Shift);
}

void HoldModifiers(TWinControl& Control, TShiftState Shift) {
  ModifierKeys(Control, Shift, true);
}

void ReleaseModifiers(TWinControl& Control, TShiftState Shift) {
  ModifierKeys(Control, Shift, false);
}

void PressKeyHeld(TWinControl& Control, unsigned short VirtualKey, TShiftState Held) {
  KeyEvent(Control, QEvent::KeyPress, VirtualKey, Held);
  KeyEvent(Control, QEvent::KeyRelease, VirtualKey, Held);
}

void KeyDownOnly(TWinControl& Control, unsigned short VirtualKey, TShiftState Shift) {
  ModifierKeys(Control, Shift, true);
  KeyEvent(Control, QEvent::KeyPress, VirtualKey, Shift);
}

void KeyUpOnly(TWinControl& Control, unsigned short VirtualKey, TShiftState Shift) {
  KeyEvent(Control, QEvent::KeyRelease, VirtualKey, Shift);
  ModifierKeys(Control, Shift, false);
}

void TypeText(TWinControl& Control, const std::string& Utf8) {
  for (const char32_t C : QString::fromStdString(Utf8).toUcs4()) {
    const QString Text = QString::fromUcs4(&C, 1);
    SendKey(Control, QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, Text);
    SendKey(Control, QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, Text);
  }
}

// ---------------------------------------------------------------- scroll bars

void UpdateScrollBar(TWinControl& Control, int Bar) {
  if (QScrollBar* S = BarOf(Control, Bar)) S->update();
}

void HoverScrollBar(TWinControl& Control, int Bar, bool Over) {
  QScrollBar* S = BarOf(Control, Bar);
  if (!S) return;
  QEvent Event(Over ? QEvent::Enter : QEvent::Leave);
  QCoreApplication::sendEvent(S, &Event);
}

void ScrollBarAction(TWinControl& Control, int Bar, int Code) {
  static constexpr std::pair<int, QAbstractSlider::SliderAction> Actions[] = {
      {SB_LINEUP, QAbstractSlider::SliderSingleStepSub},
      {SB_LINEDOWN, QAbstractSlider::SliderSingleStepAdd},
      {SB_PAGEUP, QAbstractSlider::SliderPageStepSub},
      {SB_PAGEDOWN, QAbstractSlider::SliderPageStepAdd},
      {SB_TOP, QAbstractSlider::SliderToMinimum},
      {SB_BOTTOM, QAbstractSlider::SliderToMaximum}};
  QScrollBar* S = BarOf(Control, Bar);
  if (!S) return;
  for (const auto& [SbCode, Action] : Actions)
    if (SbCode == Code) S->triggerAction(Action);
}

void DragScrollThumb(TWinControl& Control, int Bar, int Pos) {
  QScrollBar* S = BarOf(Control, Bar);
  if (!S) return;
  S->setSliderDown(true);
  S->setSliderPosition(Pos);
  S->setSliderDown(false);
}

TRect ScrollBarPartRect(TWinControl& Control, int Bar, TScrollBarPart Part) {
  static constexpr std::pair<TScrollBarPart, QStyle::SubControl> Parts[] = {
      {TScrollBarPart::LineUp, QStyle::SC_ScrollBarSubLine},
      {TScrollBarPart::LineDown, QStyle::SC_ScrollBarAddLine},
      {TScrollBarPart::PageUp, QStyle::SC_ScrollBarSubPage},
      {TScrollBarPart::PageDown, QStyle::SC_ScrollBarAddPage},
      {TScrollBarPart::Thumb, QStyle::SC_ScrollBarSlider}};
  QScrollBar* S = BarOf(Control, Bar);
  if (!S || S->isHidden()) return {};
  QStyleOptionSlider Option; // what the bar's own painting and hit testing use
  Option.initFrom(S);
  Option.orientation = S->orientation();
  Option.minimum = S->minimum();
  Option.maximum = S->maximum();
  Option.sliderPosition = S->sliderPosition();
  Option.sliderValue = S->value();
  Option.singleStep = S->singleStep();
  Option.pageStep = S->pageStep();
  Option.upsideDown = S->invertedAppearance();
  if (S->orientation() == Qt::Horizontal) Option.state |= QStyle::State_Horizontal;
  QStyle::SubControl Sub = QStyle::SC_None;
  for (const auto& [Key, Value] : Parts)
    if (Key == Part) Sub = Value;
  const QRect R = S->style()
                      ->subControlRect(QStyle::CC_ScrollBar, &Option, Sub, S)
                      .translated(S->geometry().topLeft());
  return {R.left(), R.top(), R.left() + R.width(), R.top() + R.height()};
}

bool ScrollBarVisible(TWinControl& Control, int Bar) {
  const QScrollBar* S = BarOf(Control, Bar);
  return S && !S->isHidden();
}

int ScrollBarShownPos(TWinControl& Control, int Bar) {
  const QScrollBar* S = BarOf(Control, Bar);
  return S ? S->sliderPosition() : 0;
}

// ---------------------------------------------------------------- window points

namespace {
QPointer<QWidget> PressedWidget; // where the left button went down; it gets the moves and release

void SendWindowMouse(TWinControl& Control, QWidget* Target, QEvent::Type Type, int X, int Y,
                     Qt::MouseButton Button, Qt::MouseButtons Held) {
  TWindowHandle* W = WindowOf(Control);
  const QPoint Point(X, Y);
  const QPoint Global = W->mapToGlobal(Point);
  QCursor::setPos(Global);
  QMouseEvent Event(Type, Target->mapFrom(W, Point), Global, Button, Held, Qt::NoModifier);
  QCoreApplication::sendEvent(Target, &Event);
}
} // namespace

void WindowMouseDown(TWinControl& Control, int X, int Y) {
  TWindowHandle* W = WindowOf(Control);
  QWidget* Child = W->childAt(X, Y);
  PressedWidget = Child ? Child : W;
  SendWindowMouse(Control, PressedWidget, QEvent::MouseButtonPress, X, Y, Qt::LeftButton,
                  Qt::LeftButton);
}

void WindowMouseMove(TWinControl& Control, int X, int Y) {
  QWidget* Target = PressedWidget ? PressedWidget.data() : WindowOf(Control);
  SendWindowMouse(Control, Target, QEvent::MouseMove, X, Y, Qt::NoButton,
                  PressedWidget ? Qt::LeftButton : Qt::NoButton);
}

void WindowMouseUp(TWinControl& Control, int X, int Y) {
  QWidget* Target = PressedWidget ? PressedWidget.data() : WindowOf(Control);
  PressedWidget = nullptr;
  SendWindowMouse(Control, Target, QEvent::MouseButtonRelease, X, Y, Qt::LeftButton, Qt::NoButton);
}

// ---------------------------------------------------------------- pixels

TColor SurfacePixel(TWinControl& Control, int X, int Y) {
  const QImage& Surface = WindowOf(Control)->GetSurface();
  if (!Surface.valid(X, Y)) return clNone;
  return ColorOfPixel(Surface.pixel(X, Y));
}

TPoint SurfaceSize(TWinControl& Control) {
  const QImage& Surface = WindowOf(Control)->GetSurface();
  return {Surface.width(), Surface.height()};
}

namespace {
// Every pixel of Image, row by row.
std::vector<TColor> PixelsOf(const QImage& Image) {
  std::vector<TColor> Pixels;
  Pixels.reserve(static_cast<size_t>(Image.width()) * static_cast<size_t>(Image.height()));
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < Image.width(); ++X)
      Pixels.push_back(ColorOfPixel(Image.pixel(X, Y)));
  return Pixels;
}
} // namespace

std::vector<TColor> SurfacePixels(TWinControl& Control) {
  return PixelsOf(WindowOf(Control)->GetSurface());
}

std::vector<TColor> ShownPixels(TWinControl& Control) {
  TWindowHandle* W = WindowOf(Control);
  QWidget* Top = W->window();
  QScreen* Screen = Top->screen();
  if (!Screen || !Top->isVisible()) return {};
  const QRect Client(W->mapTo(Top, W->ClientArea().topLeft()), W->ClientArea().size());
  const QImage Shown =
      Screen->grabWindow(Top->winId(), Client.x(), Client.y(), Client.width(), Client.height())
          .toImage();
  if (Shown.size() != Client.size()) return {};
  return PixelsOf(Shown);
}

bool SaveSurface(TWinControl& Control, const std::string& FileName) {
  return WindowOf(Control)->GetSurface().save(QString::fromStdString(FileName), "PNG");
}

namespace {
QImage Grab(TWinControl& Control) {
  TWindowHandle* W = WindowOf(Control);
  // At the screen's device pixel ratio, so that a high-density picture keeps every pixel.
  const qreal Ratio = W->devicePixelRatioF();
  QImage Image(W->size() * Ratio, QImage::Format_RGB32);
  Image.setDevicePixelRatio(Ratio);
  Image.fill(Qt::black);
  W->render(&Image, QPoint(), QRegion(), QWidget::DrawChildren);
  return Image;
}
} // namespace

bool SaveWindow(TWinControl& Control, const std::string& FileName) {
  return Grab(Control).save(QString::fromStdString(FileName), "PNG");
}

std::vector<TColor> WindowPixels(TWinControl& Control) {
  return PixelsOf(Grab(Control));
}

TColor WindowPixel(TWinControl& Control, int X, int Y) {
  const QImage Image = Grab(Control);
  return Image.valid(X, Y) ? ColorOfPixel(Image.pixel(X, Y)) : clNone;
}

std::vector<TRect> PendingUpdateRegion(TWinControl& Control) {
  std::vector<TRect> Rects;
  for (const QRect& R : WindowOf(Control)->GetUpdateRegion())
    Rects.push_back({R.left(), R.top(), R.left() + R.width(), R.top() + R.height()});
  return Rects;
}

// ---------------------------------------------------------------- cursors and the loop

HCURSOR WindowCursor(TWinControl& Control) {
  return CursorOfShape(WindowOf(Control)->cursor().shape());
}

// A nested loop that looks at Done every few milliseconds; it sleeps between events.
bool RunEventLoopUntil(const std::function<bool()>& Done, int TimeoutMs) {
  if (Done()) return true;
  const QDeadlineTimer Deadline(TimeoutMs);
  QEventLoop Loop;
  QTimer Tick;
  QObject::connect(&Tick, &QTimer::timeout, &Loop, [&] {
    if (Done() || Deadline.hasExpired()) Loop.quit();
  });
  Tick.start(5);
  Loop.exec();
  return Done();
}

bool Offscreen() {
  EnsureGuiApplication();
  const QString Platform = QGuiApplication::platformName();
  return Platform == QLatin1String("offscreen") || Platform == QLatin1String("minimal");
}

void ProcessEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace Testing

int Testing::BeepCount() {
  return MessageBeepCount();
}
