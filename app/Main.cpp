// The demo viewer's entry point.
//
//   ygrids_demo [FILE]                    shows FILE (default: "Content.ini" beside the
//                                         program) until the window is closed
//   ygrids_demo [FILE] --screenshot OUT   shows it, saves a picture of it as a PNG and ends
//                                         (for machines without a display)
//
// FILE may also come after the options. A FILE that cannot be read is reported (standard
// error and a message box) and the table starts empty.
#include "app/CommandLine.h"
#include "app/Unit1.h"

#include "host/gui/Forms.h"

#include <iostream>

namespace {
int RunDemo(int argc, char** argv) {
  const TDemoArguments Args = ParseDemoArguments(argc, argv);
  if (!Args.Error.empty()) {
    std::cerr << "ygrids_demo: " << Args.Error
              << "\nusage: ygrids_demo [FILE] [--screenshot OUT]\n";
    return 2;
  }
  const char* Screenshot = Args.Screenshot.empty() ? nullptr : Args.Screenshot.c_str();
  try {
    Application->Initialize();
    if (!Args.File.empty()) UseTableFile(Args.File);
    Application->CreateForm(Form1);
    if (!Screenshot) {
      Application->Run();
      return 0;
    }
    Form1->Show();
    Application->ProcessMessages();
    if (!SaveFormImage(*Form1, Screenshot)) {
      std::cerr << "Cannot write " << Screenshot << "\n";
      return 1;
    }
    std::cout << Screenshot << "\n";
  } catch (...) {
    Application->HandleException(nullptr);
    return 1;
  }
  return 0;
}
} // namespace

// The forms go before main returns, while Qt is whole, however the demo ends.
int main(int argc, char** argv) {
  const int Status = RunDemo(argc, argv);
  DoneApplication();
  return Status;
}
