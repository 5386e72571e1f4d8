// The table files the whole-program benchmark loads: lines of six fields separated by single
// spaces, as the demo reads them, and the least work any loader must do with such a file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Fields of every line: 0 a surname (the text column the benchmark sorts by), 1 a city, 2 a
// number, 3 a date, 4 a code, 5 a position. Cyrillic and Latin words mix in each text field.
inline constexpr int TableFields = 6;

// Writes Rows lines to FileName in UTF-8. The same Rows always give the same bytes.
void WriteTable(const std::string& FileName, int Rows);

// A file read whole, split into lines and fields; the fields point into Bytes.
struct TSplitTable {
  std::string Bytes;
  std::vector<std::string_view> Fields; // line by line, TableFields a line
};

// Reads FileName and splits it: the floor of loading it.
TSplitTable ReadAndSplit(const std::string& FileName);

// Field Field of every line of a split table.
std::vector<std::string_view> ColumnOf(const TSplitTable& Table, int Field);
