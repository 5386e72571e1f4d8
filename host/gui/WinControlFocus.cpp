// TWinControl: tab order, focus, and the key messages turned into KeyDown / KeyPress / KeyUp
// after the form had its say about dialog keys (Tab).
#include "host/gui/Window.h"

#include "host/gui/Forms.h"

#include <algorithm>

// ---------------------------------------------------------------- tab order

void TWinControl::SetTabStop(bool Value) {
  if (Value == TabStop) return;
  TabStop = Value;
}

int TWinControl::GetTabOrder() const {
  if (!Parent) return -1;
  const auto& List = Parent->TabList;
  const auto It = std::find(List.begin(), List.end(), this);
  return It == List.end() ? -1 : static_cast<int>(It - List.begin());
}

// Out-of-range orders put the control last.
void TWinControl::SetTabOrder(int Value) {
  if (!Parent) return;
  auto& List = Parent->TabList;
  std::erase(List, this);
  const int Count = static_cast<int>(List.size());
  const int At = Value < 0 || Value > Count ? Count : Value;
  List.insert(List.begin() + At, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* Child : TabList) {
    List.push_back(Child);
    Child->GetTabOrderList(List);
  }
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  std::vector<TWinControl*> List;
  GetTabOrderList(List);
  if (!GoForward) std::reverse(List.begin(), List.end());
  const auto Cur = std::find(List.begin(), List.end(), CurControl);
  const size_t Start = Cur == List.end() ? 0 : static_cast<size_t>(Cur - List.begin()) + 1;
  for (size_t I = 0; I < List.size(); ++I) {
    TWinControl* C = List[(Start + I) % List.size()];
    if (C == CurControl) continue;
    if ((!CheckTabStop || C->TabStop) && C->CanFocus()) return C->SetFocus();
  }
}

// ---------------------------------------------------------------- focus

bool TWinControl::CanFocus() const {
  const TForm* Form = GetParentForm(this);
  if (!Form && !HostWidgetOf(this)) return false;
  for (const TWinControl* C = this; C && C != Form; C = C->Parent)
    if (!C->GetVisible() || !C->GetEnabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  return Window && ::GetFocus() == Window;
}

// With a form the form decides (it focuses the control when it is the active window); a
// control without one shows its own top-level window, makes it active and takes the focus.
void TWinControl::SetFocus() {
  if (TForm* Form = GetParentForm(this); Form && Form != this) return Form->FocusControl(this);
  TWinControl* Top = this;
  while (Top->Parent)
    Top = Top->Parent;
  Top->SetTopLevelShown(true);
  HandleNeeded();
  ::SetFocus(Window);
}

void TWinControl::WMSetFocus(TMessage& Message) {
  if (TForm* Form = GetParentForm(this)) Form->SetFocusedControl(this);
  DefaultHandler(Message);
}

void TWinControl::WMKillFocus(TMessage& Message) {
  DefaultHandler(Message);
}

void TWinControl::CMEnter(TMessage&) {
  DoEnter();
}

void TWinControl::CMExit(TMessage&) {
  DoExit();
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

// ---------------------------------------------------------------- keys

namespace {
// The WM_GETDLGCODE bit with which a control keeps a dialog key; 0 for other keys.
unsigned DialogKeyMask(unsigned short Key) {
  switch (Key) {
  case VK_TAB:
    return DLGC_WANTTAB;
  case VK_LEFT:
  case VK_RIGHT:
  case VK_UP:
  case VK_DOWN:
    return DLGC_WANTARROWS;
  case VK_RETURN:
  case VK_EXECUTE:
  case VK_ESCAPE:
  case VK_CANCEL:
    return DLGC_WANTALLKEYS;
  default:
    return 0;
  }
}
} // namespace

// Tab, the arrows, Enter and Escape are dialog keys unless the control keeps them
// (CM_WANTSPECIALKEY, or its WM_GETDLGCODE); the form then may use them (CM_DIALOGKEY), or,
// for a control in an application's Qt widget, the widgets around it (Tab).
bool TWinControl::DialogKeyUsed(unsigned short Key, std::intptr_t KeyData) {
  const unsigned Mask = DialogKeyMask(Key);
  if (Mask == 0) return false;
  if (Perform(CM_WANTSPECIALKEY, Key, KeyData) != 0) return false;
  if (static_cast<unsigned>(Perform(WM_GETDLGCODE)) & Mask) return false;
  if (TForm* Form = GetParentForm(this)) return Form->Perform(CM_DIALOGKEY, Key, KeyData) != 0;
  return EmbeddedDialogKey(this, Key);
}

// Result 1 tells the window the key was used up (as a dialog key, or KeyDown cleared it):
// no WM_CHAR follows it.
void TWinControl::WMKeyDown(TMessage& Message) {
  const TWMKey M(Message);
  auto Key = static_cast<unsigned short>(M.CharCode);
  if (DialogKeyUsed(Key, M.KeyData)) {
    Message.Result = 1;
    return;
  }
  if (!ControlStyle.Contains(csNoStdEvents)) KeyDown(Key, KeyDataToShiftState(M.KeyData));
  if (Key == 0) Message.Result = 1;
}

void TWinControl::WMKeyUp(TMessage& Message) {
  const TWMKey M(Message);
  auto Key = static_cast<unsigned short>(M.CharCode);
  if (!ControlStyle.Contains(csNoStdEvents)) KeyUp(Key, KeyDataToShiftState(M.KeyData));
  if (Key == 0) Message.Result = 1;
}

void TWinControl::WMChar(TMessage& Message) {
  auto Key = static_cast<TKeyChar>(Message.WParam);
  if (!ControlStyle.Contains(csNoStdEvents)) KeyPress(Key);
  if (Key == 0) Message.Result = 1;
}

void TWinControl::KeyDown(unsigned short& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(unsigned short& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(TKeyChar& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}
