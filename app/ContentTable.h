// The texts of the demo's table, read from a "Content.ini" in one pass and kept in one buffer:
// one record per cell, so that a million rows cost no allocation per cell.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How a long list of cut lines is told: the first few numbers and how many more there are.
struct TCutLinesSummary {
  static constexpr std::size_t Shown = 10;
  std::string FirstLines; // "1, 3": the first Shown line numbers, comma-separated
  std::size_t More = 0;   // the lines left out of FirstLines
};
TCutLinesSummary SummarizeCutLines(const std::vector<int>& Lines);
// Value with its digits grouped by three, Separator between the groups: 99,990.
std::string GroupDigits(std::size_t Value, const std::string& Separator);

// A text record is its length (4 bytes, in the machine's order) followed by its bytes. The
// records of all cells lie back to back in one buffer; a cell's user data points at its own.
class TContentTable {
public:
  // What the table's rows look like: HeaderRows rows of empty cells come first; every line of
  // the file then gives one row of Width cells, whose first FirstField cells are empty and
  // whose others take the line's fields in order (empty when the line has fewer).
  struct TShape {
    std::int32_t HeaderRows;
    std::int32_t FirstField;
    std::int32_t Width;
  };

  // Reads the file (raises EFOpenError when it cannot be opened). Lines break at CR LF, LF or
  // CR; each is UTF-8 when it is valid UTF-8, else Windows-1251; a UTF-8 byte-order mark is
  // dropped. Every single space separates two fields, and one at the end of a line ends it.
  void Load(const std::string& FileName, const TShape& Shape);

  // The rows of the file (lines), not counting the header rows.
  std::int32_t GetLineCount() const { return LineCount; }
  std::int32_t GetRowCount() const { return Shape.HeaderRows + LineCount; }
  // The record of the first cell of Row (counting the header rows); the others follow it.
  const void* FirstRecord(std::int32_t Row) const {
    return Records.data() + RowStart[static_cast<std::size_t>(Row)];
  }
  static const void* NextRecord(const void* Record) {
    return static_cast<const char*>(Record) + sizeof(std::uint32_t) + TextOf(Record).size();
  }
  // The 1-based lines that had more fields than the row has room for; the extra ones dropped.
  const std::vector<int>& GetCutLines() const { return CutLines; }

  // The text of a record.
  static std::string_view TextOf(const void* Record);

private:
  void AddEmptyRecords(std::int32_t Count);
  void AddRecord(std::string_view Text);
  void AddLine(std::string_view Line);
  void AddFields(std::string_view Line);

  TShape Shape{0, 0, 0};
  std::int32_t LineCount = 0;
  std::string Records;               // every record, row by row
  std::vector<std::size_t> RowStart; // where each row's records begin
  std::string Decoded;               // a Windows-1251 line, converted
  std::vector<int> CutLines;
};
