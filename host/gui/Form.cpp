// TForm: a top-level window with an active control, activation, dialog keys and closing.
#include "host/gui/Window.h"

#include "host/gui/Forms.h"

#include <QApplication>
#include <QScreen>

#include <algorithm>

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
  Screen->Forms.push_back(this);
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  SetVisible(false);
  TopLevelShown = true; // a form is on screen exactly when it is visible
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
  Destroying();
  std::erase(Screen->Forms, this);
  if (Application->MainForm == this) {
    Application->MainForm = nullptr;
    Application->Terminate();
  }
}

void TForm::SetCaption(const std::string& Value) {
  Caption = Value;
  if (HandleAllocated()) GetHandle()->setWindowTitle(QString::fromStdString(Value));
}

void TForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Caption = Caption;
}

void TForm::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  TWinControl::GetChildren(Proc, Root);
  if (Root != this) return;
  for (int I = 0; I < GetComponentCount(); ++I)
    if (!dynamic_cast<TControl*>(GetComponents(I))) Proc(GetComponents(I));
}

void TForm::WndProc(TMessage& Message) {
  static constexpr TMessageHandler<TForm> Table[] = {
      {CM_SHOWINGCHANGED, &TForm::CMShowingChanged},
      {CM_ACTIVATE, &TForm::CMActivate},
      {CM_DEACTIVATE, &TForm::CMDeactivate},
      {CM_DIALOGKEY, &TForm::CMDialogKey},
      {WM_CLOSE, &TForm::WMClose},
  };
  if (!DispatchMessage(*this, Table, Message)) TWinControl::WndProc(Message);
}

// ---------------------------------------------------------------- showing

void TForm::CMShowingChanged(TMessage& Message) {
  TWinControl::WndProc(Message);
  if (GetShowing()) {
    PlaceOnScreen();
    DoShow();
  } else {
    DoHide();
  }
}

// Centred forms are centred the first time they are shown.
void TForm::PlaceOnScreen() {
  if (Placed) return;
  Placed = true;
  if (Position != poScreenCenter && Position != poDesktopCenter) return;
  const QRect S = QGuiApplication::primaryScreen()->availableGeometry();
  SetBounds(S.x() + (S.width() - GetWidth()) / 2, S.y() + (S.height() - GetHeight()) / 2,
            GetWidth(), GetHeight());
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TForm::DoDestroy() {
  if (Destroyed) return;
  Destroyed = true;
  if (OnDestroy) OnDestroy(this);
}

// ---------------------------------------------------------------- activation and focus

// The active form gives the focus to its active control, or to its first control in tab order.
void TForm::CMActivate(TMessage&) {
  Active = true;
  if (!ActiveControl) SelectNext(nullptr, true, true);
  SetWindowFocus();
  if (OnActivate) OnActivate(this);
}

void TForm::CMDeactivate(TMessage&) {
  Active = false;
  if (OnDeactivate) OnDeactivate(this);
}

void TForm::Activate() {
  Show();
  QWidget* W = GetHandle();
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
  QApplication::setActiveWindow(W);
#else
  W->activateWindow();
  QCoreApplication::processEvents();
#endif
}

void TForm::SetWindowFocus() {
  if (!Active) return;
  if (ActiveControl && ActiveControl->GetShowing())
    ActiveControl->GetHandle()->setFocus(Qt::ActiveWindowFocusReason);
  else if (HandleAllocated())
    GetHandle()->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm::SetActiveControl(TWinControl* Control) {
  if (Control == ActiveControl) return;
  if (Control && (!ContainsControl(Control) || Control == this))
    throw EInvalidOperation("The control is not on this form");
  if (Control && !IsLoading() && !IsDesigning() && !Control->CanFocus())
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  ActiveControl = Control;
  SetWindowFocus();
}

void TForm::FocusControl(TWinControl* Control) {
  const bool WasActive = Control == ActiveControl;
  SetActiveControl(Control);
  if (WasActive) SetWindowFocus();
}

void TForm::SetFocusedControl(TWinControl* Control) {
  if (Control == this) Control = nullptr;
  if (Control == FocusedControl) return;
  TWinControl* Old = FocusedControl;
  FocusedControl = Control;
  if (Control) ActiveControl = Control;
  if (Old) Old->Perform(CM_EXIT);
  if (Control) Control->Perform(CM_ENTER);
}

namespace {
// Target is Control or one of its descendants.
bool Within(const TControl* Control, const TWinControl* Target) {
  if (!Target) return false;
  if (Target == Control) return true;
  const auto* Parent = dynamic_cast<const TWinControl*>(Control);
  return Parent && Parent->ContainsControl(Target);
}
} // namespace

void TForm::ControlRemoved(TControl* Control) {
  if (Within(Control, ActiveControl)) ActiveControl = nullptr;
  if (Within(Control, FocusedControl)) FocusedControl = nullptr;
}

void TForm::SendCancelMode(TControl* Sender) {
  if (Active && ActiveControl)
    ActiveControl->Perform(CM_CANCELMODE, 0, reinterpret_cast<std::intptr_t>(Sender));
}

// Tab and Shift+Tab move the focus through the controls with TabStop.
void TForm::CMDialogKey(TMessage& Message) {
  const TWMKey M(Message);
  if (M.CharCode != VK_TAB || GetKeyState(VK_CONTROL) < 0) return;
  SelectNext(ActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
  Message.Result = 1;
}

// ---------------------------------------------------------------- closing

bool TForm::CloseQuery() {
  bool CanClose = true;
  if (OnCloseQuery) OnCloseQuery(this, CanClose);
  return CanClose;
}

void TForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TForm::Close() {
  if (!CloseQuery()) return;
  TCloseAction Action = caHide;
  DoClose(Action);
  if (Action == caNone) return;
  if (Application->GetMainForm() == this)
    Application->Terminate();
  else if (Action == caFree)
    Release();
  else
    Hide();
}

void TForm::WMClose(TMessage&) {
  Close();
}

void TForm::Release() {
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [this] {
        if (std::find(Screen->Forms.begin(), Screen->Forms.end(), this) == Screen->Forms.end())
          return;
        DoDestroy();
        delete this;
      },
      Qt::QueuedConnection);
}

// ---------------------------------------------------------------- lookup

TForm* GetParentForm(const TControl* Control) {
  if (!Control) return nullptr;
  while (Control->GetParent())
    Control = Control->GetParent();
  return dynamic_cast<TForm*>(const_cast<TControl*>(Control));
}
