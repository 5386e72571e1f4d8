// The demo viewer's entry point.
//
//   ygrids_demo                    shows the form until it is closed
//   ygrids_demo --screenshot FILE  shows it, saves a picture of it as a PNG and ends (for
//                                  machines without a display)
#include "app/Unit1.h"

#include "host/gui/Forms.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
  const char* Screenshot =
      argc == 3 && std::strcmp(argv[1], "--screenshot") == 0 ? argv[2] : nullptr;
  try {
    Application->Initialize();
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
