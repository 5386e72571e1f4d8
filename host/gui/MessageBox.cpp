// Message boxes: queued answers for tests, the default button where no user can answer
// (offscreen), a modal QMessageBox otherwise.
#include "host/gui/Window.h"

#include "host/gui/Forms.h"

#include <QApplication>
#include <QMessageBox>

#include <algorithm>
#include <vector>

namespace {
std::vector<int> ButtonsOf(unsigned Flags) {
  switch (Flags & MB_TYPEMASK) {
  case MB_OKCANCEL:
    return {IDOK, IDCANCEL};
  case MB_ABORTRETRYIGNORE:
    return {IDABORT, IDRETRY, IDIGNORE};
  case MB_YESNOCANCEL:
    return {IDYES, IDNO, IDCANCEL};
  case MB_YESNO:
    return {IDYES, IDNO};
  case MB_RETRYCANCEL:
    return {IDRETRY, IDCANCEL};
  default:
    return {IDOK};
  }
}

// The button MB_DEFBUTTON* names; the first when it names none of the box's buttons.
int DefaultAnswer(unsigned Flags) {
  const std::vector<int> Buttons = ButtonsOf(Flags);
  const size_t Index = (Flags & MB_DEFMASK) >> 8;
  return Index < Buttons.size() ? Buttons[Index] : Buttons.front();
}

bool UserCanAnswer() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
  const QString Platform = QGuiApplication::platformName();
  return Platform != QLatin1String("offscreen") && Platform != QLatin1String("minimal");
}

constexpr std::pair<int, QMessageBox::StandardButton> ButtonMap[] = {
    {IDOK, QMessageBox::Ok},       {IDCANCEL, QMessageBox::Cancel}, {IDABORT, QMessageBox::Abort},
    {IDRETRY, QMessageBox::Retry}, {IDIGNORE, QMessageBox::Ignore}, {IDYES, QMessageBox::Yes},
    {IDNO, QMessageBox::No},
};

QMessageBox::StandardButton QtButton(int Id) {
  for (const auto& [Answer, Button] : ButtonMap)
    if (Answer == Id) return Button;
  return QMessageBox::NoButton;
}

int AnswerOf(int QtButton) {
  for (const auto& [Answer, Button] : ButtonMap)
    if (Button == QtButton) return Answer;
  return IDCANCEL;
}

QMessageBox::Icon IconOf(unsigned Flags) {
  switch (Flags & MB_ICONMASK) {
  case MB_ICONHAND:
    return QMessageBox::Critical;
  case MB_ICONQUESTION:
    return QMessageBox::Question;
  case MB_ICONEXCLAMATION:
    return QMessageBox::Warning;
  case MB_ICONASTERISK:
    return QMessageBox::Information;
  default:
    return QMessageBox::NoIcon;
  }
}
} // namespace

// As a dialog opens, the window with the focus leaves any mouse interaction (WM_CANCELMODE).
int TApplication::MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) {
  if (const HWND Focus = GetFocus()) SendMessage(Focus, WM_CANCELMODE, 0, 0);
  int Answer = 0;
  if (!QueuedAnswers.empty()) {
    Answer = QueuedAnswers.front();
    QueuedAnswers.pop_front();
  } else {
    Answer = UserCanAnswer() ? ShowMessageBox(Text, Caption, Flags) : DefaultAnswer(Flags);
  }
  MessageBoxCalls.push_back({Text, Caption, Flags, Answer});
  return Answer;
}

int TApplication::ShowMessageBox(const std::string& Text, const std::string& Caption,
                                 unsigned Flags) {
  QMessageBox Box(IconOf(Flags), QString::fromStdString(Caption), QString::fromStdString(Text));
  for (int Id : ButtonsOf(Flags))
    Box.addButton(QtButton(Id));
  Box.setDefaultButton(QtButton(DefaultAnswer(Flags)));
  Box.exec();
  return AnswerOf(Box.standardButton(Box.clickedButton()));
}
