// Test helper: a control among ordinary Qt widgets in a Qt layout.
#include "host/gui/ControlWidget.h"
#include "host/gui/Testing.h"
#include "host/gui/Window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

namespace Testing {

struct TQtWindowAround::TParts {
  QWidget Window;
  QLineEdit* Before = nullptr;
  TControlWidget* Host = nullptr;
  QLineEdit* After = nullptr;
};

TQtWindowAround::TQtWindowAround(std::unique_ptr<TWinControl> Control) {
  EnsureWidgetApplication();
  Parts = std::make_unique<TParts>();
  auto* Layout = new QVBoxLayout(&Parts->Window);
  Parts->Before = new QLineEdit;
  Parts->Host = new TControlWidget;
  Parts->After = new QLineEdit;
  Layout->addWidget(Parts->Before);
  Layout->addWidget(Parts->Host, 1);
  Layout->addWidget(Parts->After);
  Parts->Host->SetControl(std::move(Control));
}

TQtWindowAround::~TQtWindowAround() = default;

TWinControl& TQtWindowAround::GetControl() const {
  return *Parts->Host->GetControl();
}

void TQtWindowAround::Show(int Width, int Height) {
  Parts->Window.resize(Width, Height);
  Parts->Window.show();
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
  QApplication::setActiveWindow(&Parts->Window);
#else
  Parts->Window.activateWindow();
#endif
  QCoreApplication::processEvents();
}

void TQtWindowAround::Resize(int Width, int Height) {
  Parts->Window.resize(Width, Height);
  QCoreApplication::processEvents();
}

TQtPart TQtWindowAround::FocusedPart() const {
  const QWidget* F = QApplication::focusWidget();
  if (!F) return TQtPart::None;
  if (F == Parts->Before) return TQtPart::EditBefore;
  if (F == Parts->After) return TQtPart::EditAfter;
  if (F == Parts->Host || Parts->Host->isAncestorOf(F)) return TQtPart::Control;
  return TQtPart::None;
}

void TQtWindowAround::Focus(TQtPart Part) {
  QWidget* W = Part == TQtPart::EditBefore  ? static_cast<QWidget*>(Parts->Before)
               : Part == TQtPart::EditAfter ? static_cast<QWidget*>(Parts->After)
                                            : static_cast<QWidget*>(Parts->Host);
  W->setFocus(Qt::OtherFocusReason);
  QCoreApplication::processEvents();
}

namespace {
void SendToFocus(int Key, Qt::KeyboardModifiers Modifiers, const QString& Text) {
  QWidget* Target = QApplication::focusWidget();
  if (!Target) return;
  QKeyEvent Press(QEvent::KeyPress, Key, Modifiers, Text);
  QCoreApplication::sendEvent(Target, &Press);
  QKeyEvent Release(QEvent::KeyRelease, Key, Modifiers, Text);
  if (QWidget* Now = QApplication::focusWidget()) QCoreApplication::sendEvent(Now, &Release);
  QCoreApplication::processEvents();
}
} // namespace

// Shift+Tab arrives as Qt::Key_Backtab with Shift held, as X11 reports it.
void TQtWindowAround::PressTab(bool Back) {
  if (Back)
    SendToFocus(Qt::Key_Backtab, Qt::ShiftModifier, {});
  else
    SendToFocus(Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
}

void TQtWindowAround::Type(const std::string& Utf8) {
  for (const QChar C : QString::fromStdString(Utf8))
    SendToFocus(0, Qt::NoModifier, QString(C));
}

std::string TQtWindowAround::EditText(TQtPart Part) const {
  const QLineEdit* Edit = Part == TQtPart::EditBefore ? Parts->Before : Parts->After;
  return Edit->text().toStdString();
}

TRect TQtWindowAround::ControlRect() const {
  const QRect R = Parts->Host->geometry();
  return {R.left(), R.top(), R.left() + R.width(), R.top() + R.height()};
}

TColor TQtWindowAround::Pixel(int X, int Y) const {
  const QImage Image = Parts->Window.grab().toImage();
  return Image.valid(X, Y) ? ColorOfPixel(Image.pixel(X, Y)) : clNone;
}

} // namespace Testing
