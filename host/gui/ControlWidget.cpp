// TControlWidget: a host control's window as the child of an application's QWidget.
#include "host/gui/ControlWidget.h"

#include "host/gui/Window.h"

#include <QFocusEvent>

#include <stdexcept>

TControlWidget::TControlWidget(QWidget* Parent) : QWidget(Parent) {
  // This widget takes the Tab focus in its place of the tab order and hands it on to the
  // control's window, which itself stays out of Qt's focus chain (the control decides when it
  // takes the focus, as on a form).
  setFocusPolicy(Qt::TabFocus);
}

TControlWidget::~TControlWidget() {
  SetControl(nullptr);
}

void TControlWidget::SetControl(std::unique_ptr<TWinControl> NewControl) {
  if (NewControl && (NewControl->GetParent() || NewControl->GetOwner())) {
    NewControl.release(); // it belongs to its owner or parent, which deletes it
    throw std::invalid_argument("A control shown in a TControlWidget must have no owner or parent");
  }
  if (Control) Control->HostWidget = nullptr;
  Control.reset(); // its window goes with it
  Control = std::move(NewControl);
  if (!Control) return;
  ControlSize = QSize(Control->GetWidth(), Control->GetHeight());
  Control->HostWidget = this;
  Control->DestroyHandle(); // a window it had is a top-level one: make it anew in here
  FitControl();
  Control->SetTopLevelShown(true); // creates the window; Qt shows it with this widget
  updateGeometry();
}

void TControlWidget::FitControl() {
  if (Control) Control->SetBounds(0, 0, width(), height());
}

void TControlWidget::resizeEvent(QResizeEvent*) {
  FitControl();
}

QSize TControlWidget::sizeHint() const {
  return ControlSize.isValid() && !ControlSize.isEmpty() ? ControlSize : QSize(200, 150);
}

void TControlWidget::focusInEvent(QFocusEvent*) {
  if (Control && Control->GetVisible() && Control->GetEnabled()) Control->SetFocus();
}

namespace {
// Whether Tab would stop at Candidate: it takes the focus by Tab and can have it now.
bool TakesTabFocus(const QWidget* Candidate, const QWidget* Window) {
  return (Candidate->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !Candidate->focusProxy() &&
         Candidate->isEnabled() && Candidate->isVisibleTo(Window) && Candidate->window() == Window;
}
} // namespace

// Walks the focus chain from this widget rather than from the focused window, whose place in
// the chain depends on when it was made; the control's own windows are skipped.
bool TControlWidget::FocusNeighbour(bool Forward) {
  for (QWidget* W = this;;) {
    W = Forward ? W->nextInFocusChain() : W->previousInFocusChain();
    if (!W || W == this) return false;
    if (isAncestorOf(W) || !TakesTabFocus(W, window())) continue;
    W->setFocus(Forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
  }
}

// ---------------------------------------------------------------- for the host's controls

TControlWidget* HostWidgetOf(const TWinControl* Control) {
  while (Control->GetParent())
    Control = Control->GetParent();
  return Control->GetHostWidget();
}

// Tab and Shift+Tab (Ctrl not held) leave an embedded control for the Qt widgets around it.
bool EmbeddedDialogKey(const TWinControl* Control, unsigned short Key) {
  TControlWidget* Host = HostWidgetOf(Control);
  if (!Host || Key != VK_TAB || GetKeyState(VK_CONTROL) < 0) return false;
  return Host->FocusNeighbour(GetKeyState(VK_SHIFT) >= 0);
}
