// Readers and writers of the framework's binary component stream.
//
// A value starts with a one-byte tag (TValueType). Integers take the smallest of the
// 8-, 16- and 32-bit tags that holds them, little-endian; a list is vaList, its values and
// vaNull. A property is its name as a short string (one length byte, then the bytes)
// followed by its value; sub-object properties carry a path prefix such as "Holder.".
#pragma once

#include "Components.h"
#include "Streams.h"

#include <cstdint>
#include <functional>
#include <string>

enum TValueType : std::uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaInt64 = 19,
  vaUTF8String = 20,
};

// How deep a stored form may nest: components inside components, lists inside lists,
// collections and their items each count one level. Far deeper than any real form needs, and
// far shallower than what the recursive readers can take on the stack, also under the
// sanitizers; a deeper form raises EReadError.
constexpr int MaxStoredNesting = 64;

// One level of nesting, counted in Depth while it lives.
class TNestingLevel {
public:
  explicit TNestingLevel(int& ADepth) : Depth(ADepth) { ++Depth; }
  ~TNestingLevel() { --Depth; }
  TNestingLevel(const TNestingLevel&) = delete;
  TNestingLevel& operator=(const TNestingLevel&) = delete;
  bool TooDeep() const { return Depth > MaxStoredNesting; }

private:
  int& Depth;
};

// The message of the read error for a form nested deeper than MaxStoredNesting.
std::string NestingTooDeepMessage();

class TReader;
class TWriter;
using TReaderProc = std::function<void(TReader&)>;
using TWriterProc = std::function<void(TWriter&)>;
using TStreamProc = std::function<void(TStream&)>;

// What readers and writers share: the stream and the hook for self-streamed properties.
class TFiler : public TObject {
public:
  explicit TFiler(TStream& AStream) : Stream(AStream) {}
  const char* ClassName() const override { return "TFiler"; }
  // Declares a property that an object streams itself. A writer writes it when HasData;
  // a reader calls ReadData when the property being read has this name.
  virtual void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                              const TWriterProc& WriteData, bool HasData) = 0;
  // Declares a property stored as a block of bytes that the object reads and writes itself.
  virtual void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                    const TStreamProc& WriteData, bool HasData) = 0;
  TStream& GetStream() const { return Stream; }

protected:
  TStream& Stream;
};

class TWriter : public TFiler {
public:
  using TFiler::TFiler;
  const char* ClassName() const override { return "TWriter"; }
  void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                      const TWriterProc& WriteData, bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                            const TStreamProc& WriteData, bool HasData) override;

  // The prefix written before every property name ("Holder." for the grid's store).
  void SetPropPath(const std::string& Path) { PropPath = Path; }
  const std::string& GetPropPath() const { return PropPath; }
  // Writes every self-streamed property of Instance.
  void WriteProperties(TPersistent& Instance);

  void WriteValue(TValueType Value);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }
  void WriteInteger(std::int64_t Value); // the narrowest integer tag that holds Value
  void WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }
  void WriteString(const std::string& Value); // UTF-8 text
  void WriteIdent(const std::string& Ident);
  void WriteStr(const std::string& Value);    // a short string: length byte and bytes, no tag
  void WriteBinary(const std::string& Bytes); // vaBinary, a 32-bit length and the bytes
  void WriteLongStr(TValueType Tag, const std::string& Value); // Tag, 32-bit length, bytes
  void WritePropName(const std::string& Name) { WriteStr(PropPath + Name); }

private:
  std::string PropPath;
};

class TReader : public TFiler {
public:
  using TFiler::TFiler;
  const char* ClassName() const override { return "TReader"; }
  void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                      const TWriterProc& WriteData, bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                            const TStreamProc& WriteData, bool HasData) override;

  // Reads one property name, drops Prefix from it (raising when it does not start with it)
  // and hands the value to Instance's self-streamed property of that name; raises
  // EReadError when Instance has none.
  void ReadProperty(TPersistent& Instance, const std::string& Prefix = "");
  // Hands the value that follows to Instance's self-streamed property Name; raises EReadError
  // when Instance has none.
  void ReadDefinedProperty(TPersistent& Instance, const std::string& Name);
  // True when the next value is the end of a list (or of a property block).
  bool EndOfList();

  TValueType ReadValue();
  TValueType NextValue(); // peeks
  void ReadListBegin();
  void ReadListEnd();
  std::int64_t ReadInt64();
  int ReadInteger(); // raises EReadError for a value that is not a 32-bit integer
  bool ReadBoolean();
  std::string ReadString();
  std::string ReadIdent();
  std::string ReadStr();
  std::string ReadBinary();             // after its vaBinary tag: a 32-bit length and the bytes
  std::string ReadLongStr();            // after its tag: a 32-bit length and the bytes
  void CheckValue(TValueType Expected); // reads a tag; raises unless it is Expected

  // Raises EReadError "Invalid property value".
  [[noreturn]] static void PropValueError();

private:
  // Reads the value that follows through Instance's self-streamed property Name; errors show
  // ShownName (the name as stored).
  void DispatchDefined(TPersistent& Instance, const std::string& Name,
                       const std::string& ShownName);
  std::string PropName; // the property being read, while ReadProperty dispatches it
  bool PropRead = false;
};
