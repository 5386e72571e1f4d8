#include "bench/TableFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <random>
#include <stdexcept>

namespace {

// Word parts. Surnames are built from them so that a million lines hold over twenty thousand
// distinct keys, each repeated, as a personnel list would.
constexpr std::array CyrillicStarts{
    "Ива",  "Пет", "Сми",  "Куз",  "Соко", "Лебе", "Козло", "Нови", "Моро", "Вол",  "Зай", "Бело",
    "Фёдо", "Его", "Ники", "Орло", "Жуко", "Шаро", "Щерба", "Юдин", "Яко",  "Эрде", "Гри", "Дья"};
constexpr std::array CyrillicMiddles{"", "но", "ра", "ле", "ми", "ша", "ту", "ко", "ве", "дя"};
constexpr std::array CyrillicEnds{"ов", "ова", "ев", "ева", "ин", "ина", "ский", "ская", "енко"};
constexpr std::array LatinStarts{"John",  "Mill", "Ander", "Thom",  "Walk", "Rich",   "Har",
                                 "Clark", "Lew",  "Rob",   "Young", "King", "Wright", "Hill"};
constexpr std::array LatinMiddles{"", "ing", "al", "er", "ow", "ett"};
constexpr std::array LatinEnds{"son", "er", "ez", "ton", "s", "ley", "man", "ford"};
constexpr std::array Cities{"Москва", "Казань",  "Самара",   "Тверь", "Berlin", "Paris",
                            "Пермь",  "Omsk",    "Новгород", "Riga",  "Курск",  "Oslo",
                            "Томск",  "Tallinn", "Сочи",     "Praha"};
constexpr std::array Positions{"Бухгалтер", "Менеджер", "Инженер",   "Кладовщик",   "Programmer",
                               "Аналитик",  "Director", "Мастер",    "Консультант", "Tester",
                               "Водитель",  "Designer", "Экономист", "Technologist"};
constexpr std::array CodeLetters{"А", "Б", "В", "Е", "К", "М", "Н", "Р", "С",
                                 "Т", "A", "B", "C", "D", "K", "M", "X", "Z"};

// A fixed seed and plain modulo picks: the same file on every machine and library.
class TPicker {
public:
  template <class Array> const char* From(const Array& Words) {
    return Words[Next(static_cast<std::uint32_t>(Words.size()))];
  }
  std::uint32_t Next(std::uint32_t Bound) { return static_cast<std::uint32_t>(Engine() % Bound); }

private:
  std::mt19937_64 Engine{20240601};
};

// Each pick is its own statement: the order of the operands of one + is unspecified, and
// the file must not depend on the compiler.
std::string Surname(TPicker& Pick) {
  if (Pick.Next(10) >= 7) {
    std::string Name = Pick.From(LatinStarts);
    Name += Pick.From(LatinMiddles);
    return Name + Pick.From(LatinEnds);
  }
  std::string Name = Pick.From(CyrillicStarts);
  Name += Pick.From(CyrillicMiddles);
  Name += Pick.From(CyrillicMiddles);
  return Name + Pick.From(CyrillicEnds);
}

void AppendTwoDigits(std::string& Out, std::uint32_t N) {
  Out += static_cast<char>('0' + N / 10);
  Out += static_cast<char>('0' + N % 10);
}

// DD.MM.YYYY
void AppendDate(std::string& Out, TPicker& Pick) {
  AppendTwoDigits(Out, 1 + Pick.Next(28));
  Out += '.';
  AppendTwoDigits(Out, 1 + Pick.Next(12));
  Out += '.';
  Out += std::to_string(1960 + Pick.Next(64));
}

// Two letters, four digits and a check number: "КZ-4821-7".
void AppendCode(std::string& Out, TPicker& Pick) {
  Out += Pick.From(CodeLetters);
  Out += Pick.From(CodeLetters);
  Out += '-';
  Out += std::to_string(1000 + Pick.Next(9000));
  Out += '-';
  Out += std::to_string(Pick.Next(100));
}

std::string Line(TPicker& Pick) {
  std::string L = Surname(Pick);
  L += ' ';
  L += Pick.From(Cities);
  L += ' ';
  L += std::to_string(18000 + 500 * Pick.Next(400));
  L += ' ';
  AppendDate(L, Pick);
  L += ' ';
  AppendCode(L, Pick);
  L += ' ';
  L += Pick.From(Positions);
  L += '\n';
  return L;
}

} // namespace

void WriteTable(const std::string& FileName, int Rows) {
  std::ofstream Out(FileName, std::ios::binary | std::ios::trunc);
  TPicker Pick;
  for (int R = 0; R < Rows; ++R)
    Out << Line(Pick);
  if (!Out) throw std::runtime_error("Cannot write " + FileName);
}

TSplitTable ReadAndSplit(const std::string& FileName) {
  TSplitTable Table;
  std::ifstream In(FileName, std::ios::binary | std::ios::ate);
  if (!In) throw std::runtime_error("Cannot read " + FileName);
  Table.Bytes.resize(static_cast<std::size_t>(In.tellg()));
  In.seekg(0);
  In.read(Table.Bytes.data(), static_cast<std::streamsize>(Table.Bytes.size()));
  const std::string_view All = Table.Bytes;
  // One field per separator and one more: the list of fields is allocated once.
  Table.Fields.reserve(static_cast<std::size_t>(std::count(All.begin(), All.end(), ' ') +
                                                std::count(All.begin(), All.end(), '\n')) + 1);
  std::size_t Start = 0;
  for (std::size_t I = 0; I < All.size(); ++I) {
    if (All[I] != ' ' && All[I] != '\n') continue;
    Table.Fields.push_back(All.substr(Start, I - Start));
    Start = I + 1;
  }
  if (Start < All.size()) Table.Fields.push_back(All.substr(Start));
  return Table;
}

std::vector<std::string_view> ColumnOf(const TSplitTable& Table, int Field) {
  std::vector<std::string_view> Column;
  Column.reserve(Table.Fields.size() / TableFields);
  for (std::size_t I = static_cast<std::size_t>(Field); I < Table.Fields.size(); I += TableFields)
    Column.push_back(Table.Fields[I]);
  return Column;
}
