// A list of strings that loads text files line by line.
#pragma once

#include "Exceptions.h"

#include <string>
#include <string_view>
#include <vector>

class TStringList : public TObject {
public:
  const char* ClassName() const override { return "TStringList"; }

  int GetCount() const { return static_cast<int>(Strings.size()); }
  // Raises EListError "List index out of bounds (%d)" for a bad index.
  const std::string& Get(int Index) const;
  const std::string& operator[](int Index) const { return Get(Index); }
  int Add(const std::string& S);
  void Clear() { Strings.clear(); }

  // The lines joined, each followed by a line feed.
  std::string GetText() const;
  // Splits Value into lines at CR LF, LF or CR; a break at the very end adds no empty line.
  void SetText(const std::string& Value);

  // Reads a text file into lines (see SetText). Each line is decoded on its own: a line that
  // is valid UTF-8 is kept as it is; any other line is read as Windows-1251 (the ANSI code page
  // of older files) and converted to UTF-8. A UTF-8 byte-order mark is dropped. Raises
  // EFOpenError when the file cannot be read.
  void LoadFromFile(const std::string& FileName);

private:
  std::vector<std::string> Strings;
};

// Raised when a file cannot be opened.
class EFOpenError : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const override { return "EFOpenError"; }
};

// Whether Text is well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view Text);
// Text in the Windows-1251 code page, converted to UTF-8.
std::string Cp1251ToUtf8(std::string_view Text);
// The same, appended to Out.
void AppendCp1251AsUtf8(std::string_view Text, std::string& Out);
// Where the line starting at Start ends in Text (at its CR, LF or the end), and where the next
// one starts (past CR LF, LF or CR). The rule TStringList splits lines by.
struct TLineBreak {
  size_t End;
  size_t Next;
};
TLineBreak FindLineBreak(std::string_view Text, size_t Start);
