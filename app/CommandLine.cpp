#include "app/CommandLine.h"

#include "app/Unit1.h"

#include "host/gui/Forms.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

TDemoArguments ParseDemoArguments(int argc, const char* const* argv) {
  TDemoArguments Args;
  for (int I = 1; I < argc; ++I) {
    const std::string Arg = argv[I];
    if (Arg == "--screenshot") {
      if (I + 1 == argc)
        Args.Error = "--screenshot needs the name of a PNG file";
      else
        Args.Screenshot = argv[++I];
    } else if (Arg.starts_with("--")) {
      Args.Error = "unknown option " + Arg;
    } else if (!Args.File.empty()) {
      Args.Error = "only one table file can be shown, not both " + Args.File + " and " + Arg;
    } else {
      Args.File = Arg;
    }
    if (!Args.Error.empty()) break;
  }
  return Args;
}

std::string TableFileProblem(const std::string& FileName) {
  std::error_code Error;
  const auto Status = std::filesystem::status(FileName, Error);
  if (Error) return Error.message();
  if (std::filesystem::is_directory(Status))
    return std::make_error_code(std::errc::is_a_directory).message();
  if (!std::filesystem::is_regular_file(Status)) return "Not a regular file";
  errno = 0;
  if (!std::ifstream(FileName)) return errno ? std::strerror(errno) : "Cannot be opened";
  return {};
}

bool UseTableFile(const std::string& FileName) {
  TForm1::ContentFile = FileName;
  const std::string Problem = TableFileProblem(FileName);
  if (Problem.empty()) return true;
  TForm1::LoadsContent = false;
  std::cerr << Application->GetTitle() << ": cannot show " << FileName << ": " << Problem
            << "; the table starts empty" << std::endl;
  Application->MessageBox("Не удаётся открыть файл \"" + FileName + "\":\n" + Problem +
                              ".\n\nТаблица будет пустой.",
                          Application->GetTitle(), MB_OK | MB_ICONSTOP);
  return false;
}
