#include "host/classes/StringLists.h"

#include "host/classes/Lists.h"

#include <fstream>
#include <iterator>

namespace {
// Windows-1251, bytes 0x80 to 0xBF (0xC0 to 0xFF are U+0410 to U+044F in order). 0x98 is
// unassigned and maps to U+FFFD.
constexpr char16_t Cp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

void AppendUtf8(std::string& Out, char32_t Code) {
  if (Code < 0x80) {
    Out += static_cast<char>(Code);
  } else if (Code < 0x800) {
    Out += static_cast<char>(0xC0 | Code >> 6);
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  } else {
    Out += static_cast<char>(0xE0 | Code >> 12);
    Out += static_cast<char>(0x80 | (Code >> 6 & 0x3F));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  }
}

// The length of the well-formed UTF-8 sequence at Text[I], or 0.
size_t Utf8SequenceLength(std::string_view Text, size_t I) {
  const auto Byte = [&](size_t K) { return static_cast<unsigned char>(Text[K]); };
  const unsigned char Lead = Byte(I);
  if (Lead < 0x80) return 1;
  size_t Length = 0;
  char32_t Code = 0;
  if (Lead >= 0xC2 && Lead <= 0xDF) {
    Length = 2;
    Code = Lead & 0x1F;
  } else if (Lead >= 0xE0 && Lead <= 0xEF) {
    Length = 3;
    Code = Lead & 0x0F;
  } else if (Lead >= 0xF0 && Lead <= 0xF4) {
    Length = 4;
    Code = Lead & 0x07;
  } else {
    return 0;
  }
  if (I + Length > Text.size()) return 0;
  for (size_t K = 1; K < Length; ++K) {
    if ((Byte(I + K) & 0xC0) != 0x80) return 0;
    Code = Code << 6 | (Byte(I + K) & 0x3F);
  }
  const char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (Code < Smallest[Length] || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) return 0;
  return Length;
}

std::string DecodeLine(const std::string& Line) {
  return IsValidUtf8(Line) ? Line : Cp1251ToUtf8(Line);
}
} // namespace

bool IsValidUtf8(std::string_view Text) {
  for (size_t I = 0; I < Text.size();) {
    const size_t Length = Utf8SequenceLength(Text, I);
    if (Length == 0) return false;
    I += Length;
  }
  return true;
}

std::string Cp1251ToUtf8(std::string_view Text) {
  std::string Out;
  Out.reserve(Text.size() * 2);
  AppendCp1251AsUtf8(Text, Out);
  return Out;
}

void AppendCp1251AsUtf8(std::string_view Text, std::string& Out) {
  for (char C : Text) {
    const auto Byte = static_cast<unsigned char>(C);
    if (Byte < 0x80)
      Out += C;
    else if (Byte < 0xC0)
      AppendUtf8(Out, Cp1251High[Byte - 0x80]);
    else
      AppendUtf8(Out, 0x0410 + (Byte - 0xC0));
  }
}

TLineBreak FindLineBreak(std::string_view Text, size_t Start) {
  size_t End = Text.find_first_of("\r\n", Start);
  if (End == std::string_view::npos) return {Text.size(), Text.size()};
  size_t Next = End + 1; // a CR LF pair is one break
  if (Text[End] == '\r' && Next < Text.size() && Text[Next] == '\n') ++Next;
  return {End, Next};
}

const std::string& TStringList::Get(int Index) const {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  return Strings[static_cast<size_t>(Index)];
}

int TStringList::Add(const std::string& S) {
  Strings.push_back(S);
  return GetCount() - 1;
}

std::string TStringList::GetText() const {
  std::string Text;
  for (const std::string& S : Strings)
    Text += S + '\n';
  return Text;
}

void TStringList::SetText(const std::string& Value) {
  Strings.clear();
  for (size_t Start = 0; Start < Value.size();) {
    const TLineBreak Break = FindLineBreak(Value, Start);
    Strings.push_back(Value.substr(Start, Break.End - Start));
    Start = Break.Next;
  }
}

void TStringList::LoadFromFile(const std::string& FileName) {
  std::ifstream File(FileName, std::ios::binary);
  if (!File) throw EFOpenError("Cannot open file \"" + FileName + "\"");
  std::string Bytes{std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
  if (Bytes.starts_with("\xEF\xBB\xBF")) Bytes.erase(0, 3);
  SetText(Bytes);
  for (std::string& Line : Strings)
    Line = DecodeLine(Line);
}
