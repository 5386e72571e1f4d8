// The text form of a stored component: conversion to and from the binary stream.
#include "host/classes/ComponentStreams.h"
#include "host/classes/Filer.h"

#include <cctype>
#include <charconv>
#include <string_view>

namespace {
const char Signature[] = "TPF0";
constexpr int IndentStep = 2;
constexpr size_t BytesPerHexLine = 32;
constexpr size_t MaxIdentLength = 255;

// What the text form reads as one identifier: a letter or underscore, then letters, digits,
// underscores and dots (property paths such as Holder.ColCount).
bool IsTextIdent(std::string_view Name) {
  const auto Start = [](char C) { return std::isalpha(static_cast<unsigned char>(C)) || C == '_'; };
  if (Name.empty() || !Start(Name[0])) return false;
  for (char C : Name)
    if (!Start(C) && !std::isdigit(static_cast<unsigned char>(C)) && C != '.') return false;
  return true;
}

// --- Binary to text ---

class TBinaryToText {
public:
  TBinaryToText(TReader& AReader, std::string& AOut) : Reader(AReader), Out(AOut) {}

  void ConvertObject(int Indent) {
    const TNestingLevel Level(Depth);
    CheckDepth(Level);
    const std::string ClassName = Ident(Reader.ReadStr());
    std::string Name = Reader.ReadStr();
    if (!Name.empty()) Ident(Name);
    Line(Indent, "object " + (Name.empty() ? "" : Name + ": ") + ClassName);
    while (!Reader.EndOfList())
      ConvertProperty(Indent + IndentStep);
    Reader.ReadListEnd();
    while (!Reader.EndOfList())
      ConvertObject(Indent + IndentStep);
    Reader.ReadListEnd();
    Line(Indent, "end");
  }

private:
  // Bounding the depth also bounds the indentation, which keeps the text linear in the input.
  static void CheckDepth(const TNestingLevel& Level) {
    if (Level.TooDeep()) throw EReadError(NestingTooDeepMessage());
  }

  // Names are written unquoted, so one the text form would not read back as the same single
  // identifier is refused.
  static std::string Ident(std::string Name) {
    if (!IsTextIdent(Name)) throw EReadError("Invalid identifier in the stored form");
    return Name;
  }

  void Line(int Indent, const std::string& Text) {
    Out.append(static_cast<size_t>(Indent), ' ');
    Out += Text;
    Out += '\n';
  }

  void ConvertProperty(int Indent) {
    Out.append(static_cast<size_t>(Indent), ' ');
    Out += Ident(Reader.ReadStr()) + " = ";
    ConvertValue(Indent);
    Out += '\n';
  }

  void ConvertValue(int Indent) {
    switch (Reader.NextValue()) {
    case vaList:
      return ConvertList(Indent);
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      Out += std::to_string(Reader.ReadInt64());
      return;
    case vaString:
    case vaLString:
    case vaUTF8String:
      Out += Quoted(Reader.ReadString());
      return;
    case vaIdent:
      Out += Ident(Reader.ReadIdent());
      return;
    case vaFalse:
    case vaTrue:
    case vaNil:
      Out += Reader.ReadIdent();
      return;
    case vaBinary:
      return ConvertBinary(Indent);
    case vaSet:
      return ConvertSet();
    case vaCollection:
      return ConvertCollection(Indent);
    default:
      TReader::PropValueError();
    }
  }

  void ConvertList(int Indent) {
    const TNestingLevel Level(Depth);
    CheckDepth(Level);
    Reader.ReadListBegin();
    Out += '(';
    while (!Reader.EndOfList()) {
      Out += '\n';
      Out.append(static_cast<size_t>(Indent + IndentStep), ' ');
      ConvertValue(Indent + IndentStep);
    }
    Reader.ReadListEnd();
    Out += ')';
  }

  void ConvertBinary(int Indent) {
    Reader.CheckValue(vaBinary);
    const std::string Bytes = Reader.ReadBinary();
    static const char Digits[] = "0123456789ABCDEF";
    Out += '{';
    for (size_t I = 0; I < Bytes.size(); ++I) {
      if (I % BytesPerHexLine == 0) {
        Out += '\n';
        Out.append(static_cast<size_t>(Indent + IndentStep), ' ');
      }
      const auto Byte = static_cast<unsigned char>(Bytes[I]);
      Out += Digits[Byte >> 4];
      Out += Digits[Byte & 15];
    }
    Out += '}';
  }

  void ConvertSet() {
    Reader.CheckValue(vaSet);
    Out += '[';
    bool First = true;
    for (std::string Name = Reader.ReadStr(); !Name.empty(); Name = Reader.ReadStr()) {
      if (!First) Out += ", ";
      Out += Ident(Name);
      First = false;
    }
    Out += ']';
  }

  void ConvertCollection(int Indent) {
    const TNestingLevel Level(Depth);
    CheckDepth(Level);
    Reader.CheckValue(vaCollection);
    Out += '<';
    while (!Reader.EndOfList()) {
      Out += '\n';
      Line(Indent + IndentStep, "item");
      Reader.ReadListBegin();
      while (!Reader.EndOfList())
        ConvertProperty(Indent + 2 * IndentStep);
      Reader.ReadListEnd();
      Out.append(static_cast<size_t>(Indent + IndentStep), ' ');
      Out += "end";
    }
    Reader.ReadListEnd();
    Out += '>';
  }

  // 'text' with quotes doubled; control characters as #n outside the quotes.
  static std::string Quoted(const std::string& Value) {
    if (Value.empty()) return "''";
    std::string Result;
    bool InQuotes = false;
    for (char C : Value) {
      const bool Control = static_cast<unsigned char>(C) < 32;
      if (Control == InQuotes) {
        Result += '\'';
        InQuotes = !InQuotes;
      }
      if (Control)
        Result += "#" + std::to_string(static_cast<unsigned char>(C));
      else
        Result += C == '\'' ? std::string("''") : std::string(1, C);
    }
    if (InQuotes) Result += '\'';
    return Result;
  }

  TReader& Reader;
  std::string& Out;
  int Depth = 0; // objects, lists and collections open
};

// --- Text to binary ---

enum class TToken { Ident, Integer, String, Symbol, End };

class TTextParser {
public:
  TTextParser(std::string_view AText, TWriter& AWriter) : Text(AText), Writer(AWriter) { Next(); }

  void ParseObject() {
    const TNestingLevel Level(Depth);
    CheckDepth(Level);
    ExpectIdent("object");
    std::string Name = TakeIdent();
    std::string ClassName = Name;
    if (IsSymbol(':')) {
      Next();
      ClassName = TakeIdent();
    } else {
      Name.clear();
    }
    Writer.WriteStr(ClassName);
    Writer.WriteStr(Name);
    while (!IsIdent("end") && !IsIdent("object"))
      ParseProperty();
    Writer.WriteListEnd();
    while (IsIdent("object"))
      ParseObject();
    ExpectIdent("end");
    Writer.WriteListEnd();
  }

  void ExpectEnd() {
    if (Kind != TToken::End) Error("end of text expected");
  }

private:
  void ParseProperty() {
    const std::string Name = TakeIdent();
    ExpectSymbol('=');
    Writer.WriteStr(Name);
    ParseValue();
  }

  void ParseValue() {
    switch (Kind) {
    case TToken::Integer:
      Writer.WriteInteger(IntegerValue);
      return Next();
    case TToken::String:
      Writer.WriteString(Value);
      return Next();
    case TToken::Ident:
      WriteIdentValue(TakeIdent());
      return;
    case TToken::Symbol:
      return ParseBracketed();
    case TToken::End:
      Error("value expected");
    }
  }

  void WriteIdentValue(const std::string& Ident) {
    if (Ident == "True")
      Writer.WriteValue(vaTrue);
    else if (Ident == "False")
      Writer.WriteValue(vaFalse);
    else if (Ident == "nil")
      Writer.WriteValue(vaNil);
    else
      Writer.WriteIdent(Ident);
  }

  void ParseBracketed() {
    const char Open = Value[0];
    if (Open == '[') return ParseSet();
    if (Open == '(') return ParseList();
    if (Open == '<') return ParseCollection();
    if (Open == '{') return ParseBinary();
    Error("value expected");
  }

  void ParseSet() {
    Next();
    Writer.WriteValue(vaSet);
    while (!IsSymbol(']')) {
      Writer.WriteStr(TakeIdent());
      if (!IsSymbol(']')) ExpectSymbol(',');
    }
    Next();
    Writer.WriteStr("");
  }

  void ParseList() {
    const TNestingLevel Level(Depth);
    CheckDepth(Level);
    Next();
    Writer.WriteListBegin();
    while (!IsSymbol(')'))
      ParseValue();
    Next();
    Writer.WriteListEnd();
  }

  void ParseCollection() {
    const TNestingLevel Level(Depth);
    CheckDepth(Level);
    Next();
    Writer.WriteValue(vaCollection);
    while (!IsSymbol('>')) {
      ExpectIdent("item");
      Writer.WriteListBegin();
      while (!IsIdent("end"))
        ParseProperty();
      Next();
      Writer.WriteListEnd();
    }
    Next();
    Writer.WriteListEnd();
  }

  // The hexadecimal digits up to the closing brace, read straight from the text.
  void ParseBinary() {
    std::string Bytes;
    int High = -1;
    for (;; ++Pos) {
      if (Pos >= Text.size()) Error("} expected");
      const char C = Text[Pos];
      if (C == '}') break;
      if (C == '\n') ++LineNo;
      if (std::isspace(static_cast<unsigned char>(C))) continue;
      const int Digit = HexDigit(C);
      if (Digit < 0) Error("hexadecimal digit expected");
      if (High < 0) {
        High = Digit;
      } else {
        Bytes += static_cast<char>(High << 4 | Digit);
        High = -1;
      }
    }
    if (High >= 0) Error("odd number of hexadecimal digits");
    ++Pos;
    Writer.WriteBinary(Bytes);
    Next();
  }

  static int HexDigit(char C) {
    if (C >= '0' && C <= '9') return C - '0';
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    return -1;
  }

  // --- Tokens ---

  bool IsSymbol(char C) const { return Kind == TToken::Symbol && Value[0] == C; }
  bool IsIdent(const char* Word) const {
    if (Kind != TToken::Ident || Value.size() != std::char_traits<char>::length(Word)) return false;
    for (size_t I = 0; I < Value.size(); ++I)
      if (std::tolower(static_cast<unsigned char>(Value[I])) != Word[I]) return false;
    return true;
  }
  void ExpectSymbol(char C) {
    if (!IsSymbol(C)) Error(std::string(1, C) + " expected");
    Next();
  }
  void ExpectIdent(const char* Word) {
    if (!IsIdent(Word)) Error(std::string(Word) + " expected");
    Next();
  }
  std::string TakeIdent() {
    if (Kind != TToken::Ident) Error("identifier expected");
    std::string Ident = Value;
    Next();
    return Ident;
  }

  void CheckDepth(const TNestingLevel& Level) const {
    if (Level.TooDeep())
      Error("nesting deeper than " + std::to_string(MaxStoredNesting) + " levels");
  }

  [[noreturn]] void Error(const std::string& What) const {
    throw EReadError("Line " + std::to_string(LineNo) + ": " + What);
  }

  void SkipBlanks() {
    while (Pos < Text.size() && std::isspace(static_cast<unsigned char>(Text[Pos]))) {
      if (Text[Pos] == '\n') ++LineNo;
      ++Pos;
    }
  }

  void Next() {
    SkipBlanks();
    if (Pos >= Text.size()) {
      Kind = TToken::End;
      return;
    }
    const char C = Text[Pos];
    if (std::isalpha(static_cast<unsigned char>(C)) || C == '_') return ScanIdent();
    if (std::isdigit(static_cast<unsigned char>(C)) || C == '-' || C == '+') return ScanInteger();
    if (C == '\'' || C == '#') return ScanString();
    Kind = TToken::Symbol;
    Value = std::string(1, C);
    ++Pos;
  }

  // Identifiers may carry dots: property paths such as Holder.ColCount.
  void ScanIdent() {
    const size_t Start = Pos;
    while (Pos < Text.size() && (std::isalnum(static_cast<unsigned char>(Text[Pos])) ||
                                 Text[Pos] == '_' || Text[Pos] == '.'))
      ++Pos;
    // The binary form stores names as short strings.
    if (Pos - Start > MaxIdentLength)
      Error("identifier longer than " + std::to_string(MaxIdentLength) + " bytes");
    Kind = TToken::Ident;
    Value = std::string(Text.substr(Start, Pos - Start));
  }

  void ScanInteger() {
    const size_t Start = Pos++;
    while (Pos < Text.size() && std::isdigit(static_cast<unsigned char>(Text[Pos])))
      ++Pos;
    std::string_view Digits = Text.substr(Start, Pos - Start);
    if (Digits.front() == '+') Digits.remove_prefix(1);
    const auto [End, Failed] =
        std::from_chars(Digits.data(), Digits.data() + Digits.size(), IntegerValue);
    if (Failed != std::errc() || End != Digits.data() + Digits.size())
      Error("invalid integer " + std::string(Digits));
    Kind = TToken::Integer;
  }

  // 'quoted' parts and #n characters, adjacent, make one string.
  void ScanString() {
    Value.clear();
    while (Pos < Text.size() && (Text[Pos] == '\'' || Text[Pos] == '#')) {
      if (Text[Pos] == '#')
        ScanCharCode();
      else
        ScanQuoted();
    }
    Kind = TToken::String;
  }

  void ScanQuoted() {
    for (++Pos;; ++Pos) {
      if (Pos >= Text.size() || Text[Pos] == '\n') Error("unterminated string");
      if (Text[Pos] == '\'') {
        if (Pos + 1 < Text.size() && Text[Pos + 1] == '\'') {
          Value += '\'';
          ++Pos;
          continue;
        }
        ++Pos;
        return;
      }
      Value += Text[Pos];
    }
  }

  void ScanCharCode() {
    const size_t Start = ++Pos;
    while (Pos < Text.size() && std::isdigit(static_cast<unsigned char>(Text[Pos])))
      ++Pos;
    int Code = -1;
    std::from_chars(Text.data() + Start, Text.data() + Pos, Code);
    if (Code < 0 || Code > 127) Error("invalid character code");
    Value += static_cast<char>(Code);
  }

  std::string_view Text;
  TWriter& Writer;
  size_t Pos = 0;
  int LineNo = 1;
  TToken Kind = TToken::End;
  std::string Value;
  std::int64_t IntegerValue = 0;
  int Depth = 0; // objects, lists and collections open
};

std::string ReadAll(TStream& Input) {
  const auto Size = static_cast<size_t>(Input.GetSize() - Input.GetPosition());
  std::string Text(Size, '\0');
  Input.ReadBuffer(Text.data(), static_cast<int>(Size));
  return Text;
}
} // namespace

void ObjectBinaryToText(TStream& Input, TStream& Output) {
  char Read[4] = {};
  Input.ReadBuffer(Read, 4);
  if (std::string(Read, 4) != Signature) throw EReadError("Invalid stream format");
  TReader Reader(Input);
  std::string Text;
  TBinaryToText(Reader, Text).ConvertObject(0);
  Output.WriteBuffer(Text.data(), static_cast<int>(Text.size()));
}

void ObjectTextToBinary(TStream& Input, TStream& Output) {
  const std::string Text = ReadAll(Input);
  Output.WriteBuffer(Signature, 4);
  TWriter Writer(Output);
  TTextParser Parser(Text, Writer);
  Parser.ParseObject();
  Parser.ExpectEnd();
}
