#include "app/ContentTable.h"

#include "host/classes/Memory.h"
#include "host/classes/StringLists.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {
// The whole file in one block of its size, read at once; a file whose size cannot be told
// beforehand (a pipe) is read piece by piece.
std::string ReadFile(const std::string& FileName) {
  std::ifstream File(FileName, std::ios::binary);
  if (!File) throw EFOpenError("Cannot open file \"" + FileName + "\"");
  std::error_code Error;
  const std::uintmax_t Size = std::filesystem::is_regular_file(FileName, Error)
                                  ? std::filesystem::file_size(FileName, Error)
                                  : 0;
  if (Error || Size == 0)
    return {std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
  std::string Bytes;
  Bytes.reserve(Size);
  AdviseHugePages(Bytes.data(), Size);
  Bytes.resize(Size);
  File.read(Bytes.data(), static_cast<std::streamsize>(Size));
  Bytes.resize(static_cast<std::size_t>(File.gcount()));
  return Bytes;
}
} // namespace

void TContentTable::Load(const std::string& FileName, const TShape& AShape) {
  const std::string Bytes = ReadFile(FileName);
  Shape = AShape;
  LineCount = 0;
  Records.clear();
  RowStart.clear();
  CutLines.clear();
  // Room for the texts and their lengths, so that the buffer rarely grows.
  Records.reserve(Bytes.size() + Bytes.size() / 2);
  AdviseHugePages(Records.data(), Records.capacity());
  RowStart.reserve(Shape.HeaderRows + static_cast<std::size_t>(std::count(Bytes.begin(), Bytes.end(), '\n')) + 1);
  for (std::int32_t R = 0; R < Shape.HeaderRows; ++R) {
    RowStart.push_back(Records.size());
    AddEmptyRecords(Shape.Width);
  }
  std::string_view Text = Bytes;
  if (Text.starts_with("\xEF\xBB\xBF")) Text.remove_prefix(3);
  for (std::size_t Start = 0; Start < Text.size();) {
    const TLineBreak Break = FindLineBreak(Text, Start);
    AddLine(Text.substr(Start, Break.End - Start));
    Start = Break.Next;
  }
}

void TContentTable::AddLine(std::string_view Line) {
  ++LineCount;
  RowStart.push_back(Records.size());
  AddEmptyRecords(Shape.FirstField);
  if (IsValidUtf8(Line)) {
    AddFields(Line);
  } else {
    Decoded.clear();
    AppendCp1251AsUtf8(Line, Decoded);
    AddFields(Decoded);
  }
}

// The fields that fit, then empty records up to the row's width. An empty line has no field;
// a space at the very end of a line starts none.
void TContentTable::AddFields(std::string_view Line) {
  std::int32_t Col = Shape.FirstField;
  for (std::size_t Start = 0; Start < Line.size();) {
    std::size_t End = Line.find(' ', Start);
    if (End == std::string_view::npos) End = Line.size();
    if (Col == Shape.Width) {
      CutLines.push_back(LineCount);
      break;
    }
    AddRecord(Line.substr(Start, End - Start));
    ++Col;
    Start = End + 1;
  }
  AddEmptyRecords(Shape.Width - Col);
}

void TContentTable::AddEmptyRecords(std::int32_t Count) {
  for (std::int32_t I = 0; I < Count; ++I)
    AddRecord({});
}

void TContentTable::AddRecord(std::string_view Text) {
  const auto Length = static_cast<std::uint32_t>(Text.size());
  Records.append(reinterpret_cast<const char*>(&Length), sizeof Length);
  Records.append(Text);
}

std::string_view TContentTable::TextOf(const void* Record) {
  std::uint32_t Length = 0;
  std::memcpy(&Length, Record, sizeof Length);
  return {static_cast<const char*>(Record) + sizeof Length, Length};
}

TCutLinesSummary SummarizeCutLines(const std::vector<int>& Lines) {
  TCutLinesSummary Summary;
  const std::size_t Shown = std::min(Lines.size(), TCutLinesSummary::Shown);
  for (std::size_t I = 0; I < Shown; ++I)
    Summary.FirstLines += (I ? ", " : "") + std::to_string(Lines[I]);
  Summary.More = Lines.size() - Shown;
  return Summary;
}

std::string GroupDigits(std::size_t Value, const std::string& Separator) {
  std::string Digits = std::to_string(Value);
  for (auto At = static_cast<std::ptrdiff_t>(Digits.size()) - 3; At > 0; At -= 3)
    Digits.insert(static_cast<std::size_t>(At), Separator);
  return Digits;
}
