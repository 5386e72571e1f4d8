#include "TableFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace {
std::vector<std::string> SplitFields(const std::string& Line) {
  std::vector<std::string> Fields(1);
  for (char C : Line) {
    if (C == ';')
      Fields.emplace_back();
    else if (C != '\r')
      Fields.back() += C;
  }
  return Fields;
}
} // namespace

TTable ReadTable(const std::string& FileName) {
  std::ifstream In(FileName);
  if (!In) throw std::runtime_error(FileName + ": " + std::strerror(errno));
  TTable Table;
  std::string Line;
  while (std::getline(In, Line)) {
    if (Line.empty()) continue;
    if (Table.Titles.empty())
      Table.Titles = SplitFields(Line);
    else
      Table.Rows.push_back(SplitFields(Line));
  }
  for (auto& Row : Table.Rows)
    Row.resize(std::max(Row.size(), Table.Titles.size()));
  return Table;
}
