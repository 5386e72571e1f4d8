#include "host/classes/Filer.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {
constexpr size_t MaxShortString = 255;

template <class T> bool Fits(std::int64_t Value) {
  return Value >= std::numeric_limits<T>::min() && Value <= std::numeric_limits<T>::max();
}

void WriteLE(TStream& Stream, std::uint64_t Value, int Bytes) {
  std::uint8_t Buffer[8];
  for (int I = 0; I < Bytes; ++I)
    Buffer[I] = static_cast<std::uint8_t>(Value >> (8 * I));
  Stream.WriteBuffer(Buffer, Bytes);
}

std::uint64_t ReadLE(TStream& Stream, int Bytes) {
  std::uint8_t Buffer[8];
  Stream.ReadBuffer(Buffer, Bytes);
  std::uint64_t Value = 0;
  for (int I = 0; I < Bytes; ++I)
    Value |= static_cast<std::uint64_t>(Buffer[I]) << (8 * I);
  return Value;
}

void WriteBytes(TStream& Stream, const std::string& Bytes) {
  Stream.WriteBuffer(Bytes.data(), static_cast<int>(Bytes.size()));
}

// Checks Length against what is left, so a corrupt length fails before it allocates.
std::string ReadBytes(TStream& Stream, std::uint64_t Length) {
  const std::int64_t Left = Stream.GetSize() - Stream.GetPosition();
  if (Length > static_cast<std::uint64_t>(std::max<std::int64_t>(Left, 0)))
    throw EReadError("Stream read error");
  std::string Bytes(static_cast<size_t>(Length), '\0');
  Stream.ReadBuffer(Bytes.data(), static_cast<int>(Length));
  return Bytes;
}
} // namespace

std::string NestingTooDeepMessage() {
  return "Stored form nested deeper than " + std::to_string(MaxStoredNesting) + " levels";
}

// TWriter

void TWriter::DefineProperty(const std::string& Name, const TReaderProc&,
                             const TWriterProc& WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  WriteData(*this);
}

void TWriter::DefineBinaryProperty(const std::string& Name, const TStreamProc&,
                                   const TStreamProc& WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  TMemoryStream Data;
  WriteData(Data);
  WritePropName(Name);
  const auto& Bytes = Data.GetBytes();
  WriteBinary(std::string(Bytes.begin(), Bytes.end()));
}

void TWriter::WriteProperties(TPersistent& Instance) {
  Instance.DefineProperties(*this);
}

void TWriter::WriteValue(TValueType Value) {
  const std::uint8_t Tag = Value;
  Stream.WriteBuffer(&Tag, 1);
}

void TWriter::WriteInteger(std::int64_t Value) {
  const auto Bits = static_cast<std::uint64_t>(Value);
  if (Fits<std::int8_t>(Value)) {
    WriteValue(vaInt8);
    WriteLE(Stream, Bits, 1);
  } else if (Fits<std::int16_t>(Value)) {
    WriteValue(vaInt16);
    WriteLE(Stream, Bits, 2);
  } else if (Fits<std::int32_t>(Value)) {
    WriteValue(vaInt32);
    WriteLE(Stream, Bits, 4);
  } else {
    WriteValue(vaInt64);
    WriteLE(Stream, Bits, 8);
  }
}

void TWriter::WriteString(const std::string& Value) {
  if (Value.size() > static_cast<size_t>(std::numeric_limits<std::int32_t>::max()))
    throw EWriteError("String too long to write");
  if (Value.size() <= MaxShortString) {
    WriteValue(vaString);
    WriteStr(Value);
    return;
  }
  WriteValue(vaLString);
  WriteLE(Stream, Value.size(), 4);
  WriteBytes(Stream, Value);
}

void TWriter::WriteIdent(const std::string& Ident) {
  // Checked before the tag goes out, so a failed call leaves the stream as it was.
  if (Ident.size() > MaxShortString) throw EWriteError("Identifier too long: " + Ident);
  WriteValue(vaIdent);
  WriteStr(Ident);
}

void TWriter::WriteStr(const std::string& Value) {
  if (Value.size() > MaxShortString)
    throw EWriteError(
        FormatIndex("Short string too long (%d bytes)", static_cast<long long>(Value.size())));
  WriteLE(Stream, Value.size(), 1);
  WriteBytes(Stream, Value);
}

void TWriter::WriteBinary(const std::string& Bytes) {
  WriteLongStr(vaBinary, Bytes);
}

void TWriter::WriteLongStr(TValueType Tag, const std::string& Value) {
  if (Value.size() > static_cast<size_t>(std::numeric_limits<std::int32_t>::max()))
    throw EWriteError("Value too long to write");
  WriteValue(Tag);
  WriteLE(Stream, Value.size(), 4);
  WriteBytes(Stream, Value);
}

// TReader

void TReader::DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                             const TWriterProc&, bool) {
  // Outside ReadProperty PropName is empty, and no property has an empty name.
  if (PropRead || PropName.empty() || Name != PropName || !ReadData) return;
  ReadData(*this);
  PropRead = true;
}

void TReader::DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                   const TStreamProc&, bool) {
  if (PropRead || PropName.empty() || Name != PropName || !ReadData) return;
  CheckValue(vaBinary);
  const std::string Bytes = ReadBinary();
  TMemoryStream Data(std::vector<std::uint8_t>(Bytes.begin(), Bytes.end()));
  ReadData(Data);
  PropRead = true;
}

void TReader::ReadProperty(TPersistent& Instance, const std::string& Prefix) {
  const std::string Name = ReadStr();
  if (!Name.starts_with(Prefix))
    throw EReadError("Error reading property " + Name + ": expected the prefix " + Prefix);
  DispatchDefined(Instance, Name.substr(Prefix.size()), Name);
}

void TReader::ReadDefinedProperty(TPersistent& Instance, const std::string& Name) {
  DispatchDefined(Instance, Name, Name);
}

void TReader::DispatchDefined(TPersistent& Instance, const std::string& Name,
                              const std::string& ShownName) {
  PropName = Name;
  PropRead = false;
  // PropName must not survive a failed read, or a later DefineProperty would match it.
  struct Reset {
    std::string& Name;
    ~Reset() { Name.clear(); }
  } ResetName{PropName};
  Instance.DefineProperties(*this);
  if (!PropRead) throw EReadError("Property " + ShownName + " does not exist");
}

bool TReader::EndOfList() {
  return NextValue() == vaNull;
}

TValueType TReader::ReadValue() {
  std::uint8_t Tag = 0;
  Stream.ReadBuffer(&Tag, 1);
  return static_cast<TValueType>(Tag);
}

TValueType TReader::NextValue() {
  const TValueType Value = ReadValue();
  Stream.Seek(-1, TSeekOrigin::soCurrent);
  return Value;
}

void TReader::ReadListBegin() {
  CheckValue(vaList);
}

void TReader::ReadListEnd() {
  CheckValue(vaNull);
}

std::int64_t TReader::ReadInt64() {
  switch (ReadValue()) {
  case vaInt8:
    return static_cast<std::int8_t>(ReadLE(Stream, 1));
  case vaInt16:
    return static_cast<std::int16_t>(ReadLE(Stream, 2));
  case vaInt32:
    return static_cast<std::int32_t>(ReadLE(Stream, 4));
  case vaInt64:
    return static_cast<std::int64_t>(ReadLE(Stream, 8));
  default:
    PropValueError();
  }
}

int TReader::ReadInteger() {
  const std::int64_t Value = ReadInt64();
  if (!Fits<std::int32_t>(Value)) PropValueError();
  return static_cast<int>(Value);
}

bool TReader::ReadBoolean() {
  switch (ReadValue()) {
  case vaTrue:
    return true;
  case vaFalse:
    return false;
  default:
    PropValueError();
  }
}

std::string TReader::ReadString() {
  switch (ReadValue()) {
  case vaString:
    return ReadStr();
  case vaLString:
  case vaUTF8String:
    return ReadLongStr();
  default:
    PropValueError();
  }
}

std::string TReader::ReadIdent() {
  switch (ReadValue()) {
  case vaIdent:
    return ReadStr();
  case vaFalse:
    return "False";
  case vaTrue:
    return "True";
  case vaNil:
    return "nil";
  case vaNull:
    return "Null";
  default:
    PropValueError();
  }
}

std::string TReader::ReadStr() {
  return ReadBytes(Stream, ReadLE(Stream, 1));
}

std::string TReader::ReadBinary() {
  return ReadLongStr();
}

std::string TReader::ReadLongStr() {
  return ReadBytes(Stream, ReadLE(Stream, 4));
}

void TReader::PropValueError() {
  throw EReadError("Invalid property value");
}

void TReader::CheckValue(TValueType Expected) {
  if (ReadValue() != Expected) PropValueError();
}
