// A table in a text file: UTF-8, one row a line, fields separated by semicolons, the first
// line holding the column titles.
#pragma once

#include <string>
#include <vector>

struct TTable {
  std::vector<std::string> Titles;
  std::vector<std::vector<std::string>> Rows; // each as long as Titles, padded with ""
};

// Reads FileName; raises std::runtime_error naming the file when it cannot be read.
TTable ReadTable(const std::string& FileName);
