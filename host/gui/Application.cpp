// TApplication: the Qt application object, forms, the event loop, exceptions; and the two
// global objects, Screen before Application so that forms still find the screen while the
// application deletes them at exit.
#include "host/gui/Window.h"

#include "host/gui/Forms.h"

#include <QApplication>
#include <QStyleFactory>

#include <filesystem>
#include <iostream>
#include <system_error>

namespace {
TScreen ScreenObject;
TApplication ApplicationObject;
} // namespace

TScreen* Screen = &ScreenObject;
TApplication* Application = &ApplicationObject;

// At the end of the process the forms go, each told before it is deleted (OnDestroy); their
// windows stay to the process.
TApplication::~TApplication() {
  ProcessExiting();
  DestroyForms();
}

void TApplication::DestroyForms() {
  for (int I = GetComponentCount() - 1; I >= 0; --I)
    if (auto* Form = dynamic_cast<TForm*>(GetComponents(I))) Form->DoDestroy();
  MainForm = nullptr;
  while (GetComponentCount() > 0)
    delete GetComponents(GetComponentCount() - 1);
}

void DoneApplication() {
  Application->DestroyForms();
}

void TApplication::Initialize() {
  EnsureWidgetApplication();
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QGuiApplication::setQuitOnLastWindowClosed(false); // the main form's closing ends Run
  QCoreApplication::setApplicationName(QString::fromStdString(GetTitle()));
}

void TApplication::FormCreated(TForm* Form) {
  if (!MainForm) MainForm = Form;
  Form->DoCreate();
}

void TApplication::Run() {
  if (!MainForm || Terminated) return;
  // The started program's main window comes to the front active, also where no window
  // manager would activate it.
  MainForm->Activate();
  if (!Terminated) QApplication::exec();
}

void TApplication::ProcessMessages() {
  if (!QCoreApplication::instance()) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::Terminate() {
  Terminated = true;
  if (QCoreApplication::instance()) QCoreApplication::quit();
}

std::string TApplication::GetExeName() const {
  std::error_code Error;
  const std::filesystem::path Path = std::filesystem::read_symlink("/proc/self/exe", Error);
  return Error ? std::string() : Path.string();
}

std::string TApplication::GetTitle() const {
  if (!Title.empty()) return Title;
  return std::filesystem::path(GetExeName()).stem().string();
}

// ---------------------------------------------------------------- exceptions

void TApplication::ShowException(const std::exception& E) {
  const std::string Message = E.what();
  std::cerr << GetTitle() << ": " << Message << std::endl;
  MessageBox(Message, GetTitle(), MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(TObject* Sender) {
  const std::exception_ptr Current = std::current_exception();
  if (!Current) return;
  auto Report = [&](const std::exception& E) {
    if (OnException)
      OnException(Sender, E);
    else
      ShowException(E);
  };
  try {
    std::rethrow_exception(Current);
  } catch (const std::exception& E) {
    Report(E);
  } catch (...) {
    Report(Exception(""));
  }
}
