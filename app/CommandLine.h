// The demo's command line, and the check of the table file it names.
//
//   ygrids_demo [FILE] [--screenshot OUT]     (in any order)
#pragma once

#include <string>

struct TDemoArguments {
  std::string File;       // the table to show; empty for "Content.ini" beside the program
  std::string Screenshot; // save a picture of the window here and end; empty to run
  std::string Error;      // what is wrong with the command line; empty when nothing
};

TDemoArguments ParseDemoArguments(int argc, const char* const* argv);

// Why FileName cannot be read as a table (the system's words: "No such file or directory",
// "Is a directory" ...); empty when it is a file that opens for reading. Only looks at the
// file: whatever reads it later is free to read it as it likes.
std::string TableFileProblem(const std::string& FileName);

// Makes FileName the table the form shows. When it cannot be read, says why on standard error
// and in a message box, and the form starts with an empty table instead; answers false then.
bool UseTableFile(const std::string& FileName);
