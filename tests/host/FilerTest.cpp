#include "host/classes/Filer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using TBytes = std::vector<std::uint8_t>;

TBytes Concat(std::initializer_list<TBytes> Parts) {
  TBytes Result;
  for (const TBytes& Part : Parts)
    Result.insert(Result.end(), Part.begin(), Part.end());
  return Result;
}

TBytes BytesOf(const std::string& Text) {
  return TBytes(Text.begin(), Text.end());
}

// Runs F, which must raise E; answers the message.
template <class E, class F> std::string ErrorOf(F&& Call) {
  try {
    Call();
  } catch (const E& Error) {
    return Error.GetMessage();
  }
  ADD_FAILURE() << "expected an exception";
  return {};
}

TEST(TMemoryStreamTest, RoundTripSeekAndGrowth) {
  TMemoryStream S;
  const char Text[] = "abcdef";
  S.WriteBuffer(Text, 6);
  EXPECT_EQ(S.GetSize(), 6);
  EXPECT_EQ(S.GetPosition(), 6); // GetSize puts the position back
  S.SetPosition(2);
  char Read[4] = {};
  EXPECT_EQ(S.Read(Read, 10), 4);
  EXPECT_EQ(std::string(Read, 4), "cdef");
  EXPECT_EQ(S.Read(Read, 1), 0);
  EXPECT_EQ(ErrorOf<EReadError>([&] { S.Seek(-7, TSeekOrigin::soEnd); }), "Stream seek error");
  EXPECT_EQ(S.GetPosition(), 6);
  S.Seek(2, TSeekOrigin::soEnd);
  S.WriteBuffer("z", 1);
  EXPECT_EQ(S.GetBytes(), BytesOf(std::string("abcdef\0\0z", 9)));
  S.Seek(-3, TSeekOrigin::soCurrent);
  EXPECT_EQ(ErrorOf<EReadError>([&] { S.ReadBuffer(Read, 4); }), "Stream read error");
  S.Clear();
  EXPECT_EQ(S.GetSize(), 0);
  EXPECT_EQ(S.GetPosition(), 0);
}

// A stream that takes only so many bytes.
class TSmallStream : public TMemoryStream {
public:
  int Write(const void* Buffer, int Count) override {
    return TMemoryStream::Write(Buffer, std::min(Count, 3 - static_cast<int>(GetSize())));
  }
};

TEST(TMemoryStreamTest, ShortWriteRaises) {
  TSmallStream S;
  S.WriteBuffer("ab", 2);
  EXPECT_EQ(ErrorOf<EWriteError>([&] { S.WriteBuffer("cd", 2); }), "Stream write error");
}

TEST(TWriterTest, IntegersTakeTheNarrowestTag) {
  struct Case {
    std::int64_t Value;
    TBytes Bytes;
  };
  const std::int64_t I32Max = std::numeric_limits<std::int32_t>::max();
  const std::int64_t I32Min = std::numeric_limits<std::int32_t>::min();
  const std::vector<Case> Cases = {
      {0, {0x02, 0x00}},
      {-1, {0x02, 0xFF}},
      {127, {0x02, 0x7F}},
      {128, {0x03, 0x80, 0x00}},
      {-128, {0x02, 0x80}},
      {-129, {0x03, 0x7F, 0xFF}},
      {32767, {0x03, 0xFF, 0x7F}},
      {32768, {0x04, 0x00, 0x80, 0x00, 0x00}},
      {-32768, {0x03, 0x00, 0x80}},
      {-32769, {0x04, 0xFF, 0x7F, 0xFF, 0xFF}},
      {I32Max, {0x04, 0xFF, 0xFF, 0xFF, 0x7F}},
      {I32Min, {0x04, 0x00, 0x00, 0x00, 0x80}},
      {I32Max + 1, {0x13, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00}},
      {I32Min - 1, {0x13, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF}},
      {std::numeric_limits<std::int64_t>::min(), {0x13, 0, 0, 0, 0, 0, 0, 0, 0x80}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Value);
    TMemoryStream S;
    TWriter(S).WriteInteger(C.Value);
    EXPECT_EQ(S.GetBytes(), C.Bytes);
    S.SetPosition(0);
    TReader R(S);
    EXPECT_EQ(R.ReadInt64(), C.Value);
    const bool Fits32 = C.Value >= I32Min && C.Value <= I32Max;
    S.SetPosition(0);
    if (Fits32)
      EXPECT_EQ(R.ReadInteger(), C.Value);
    else
      EXPECT_EQ(ErrorOf<EReadError>([&] { R.ReadInteger(); }), "Invalid property value");
  }
}

TEST(TReaderTest, WideTagsWithSmallValuesAndWrongTags) {
  TMemoryStream S(TBytes{0x13, 0x05, 0, 0, 0, 0, 0, 0, 0, vaTrue, vaString});
  TReader R(S);
  EXPECT_EQ(R.ReadInteger(), 5);
  EXPECT_EQ(R.NextValue(), vaTrue);
  EXPECT_EQ(ErrorOf<EReadError>([&] { R.ReadInteger(); }), "Invalid property value");
  EXPECT_EQ(ErrorOf<EReadError>([&] { R.ReadBoolean(); }), "Invalid property value");
  EXPECT_EQ(ErrorOf<EReadError>([&] { R.ReadValue(); }), "Stream read error");
}

TEST(TWriterTest, StringsShortLongAndUtf8) {
  const std::string Short(255, 'x'), Long(256, 'y');
  TMemoryStream S;
  TWriter W(S);
  W.WriteString("abc");
  W.WriteString(Short);
  W.WriteString(Long);
  W.WriteIdent("alLeft");
  W.WriteBoolean(true);
  W.WriteValue(vaNil);
  const TBytes& B = S.GetBytes();
  EXPECT_EQ(TBytes(B.begin(), B.begin() + 5), (TBytes{0x06, 0x03, 'a', 'b', 'c'}));
  EXPECT_EQ(TBytes(B.begin() + 5, B.begin() + 7), (TBytes{0x06, 0xFF}));
  EXPECT_EQ(TBytes(B.begin() + 262, B.begin() + 267), (TBytes{0x0C, 0x00, 0x01, 0x00, 0x00}));

  S.SetPosition(0);
  TReader R(S);
  EXPECT_EQ(R.ReadString(), "abc");
  EXPECT_EQ(R.ReadString(), Short);
  EXPECT_EQ(R.ReadString(), Long);
  EXPECT_EQ(R.ReadIdent(), "alLeft");
  EXPECT_EQ(R.ReadIdent(), "True");
  EXPECT_EQ(R.ReadIdent(), "nil");
  EXPECT_EQ(R.GetStream().GetPosition(), R.GetStream().GetSize());

  TMemoryStream Utf8(Concat({{vaUTF8String, 4, 0, 0, 0}, BytesOf("\xC3\xA9t\xC3")}));
  EXPECT_EQ(TReader(Utf8).ReadString(), "\xC3\xA9t\xC3");
  // A corrupt length fails before it tries to allocate that much.
  TMemoryStream Corrupt(TBytes{vaLString, 0xFF, 0xFF, 0xFF, 0x7F, 'a'});
  EXPECT_EQ(ErrorOf<EReadError>([&] { TReader(Corrupt).ReadString(); }), "Stream read error");
}

TEST(TWriterTest, OverlongShortStringsWriteNothing) {
  TMemoryStream S;
  TWriter W(S);
  ErrorOf<EWriteError>([&] { W.WriteIdent(std::string(256, 'a')); });
  ErrorOf<EWriteError>([&] { W.WriteStr(std::string(256, 'a')); });
  EXPECT_EQ(S.GetSize(), 0);
}

// An object that streams a list of column widths itself and reads back exactly seven.
class THolder : public TPersistent {
public:
  const char* ClassName() const override { return "THolder"; }
  void DefineProperties(TFiler& Filer) override {
    Filer.DefineProperty(
        "ColWidths", [this](TReader& R) { ReadWidths(R); }, [this](TWriter& W) { WriteWidths(W); },
        !Widths.empty());
    Filer.DefineProperty(
        "Tag", [this](TReader& R) { Tag = R.ReadInteger(); },
        [this](TWriter& W) { W.WriteInteger(Tag); }, Tag != 0);
  }
  std::vector<int> Widths;
  int Tag = 0;

private:
  void ReadWidths(TReader& R) {
    R.ReadListBegin();
    Widths.assign(7, 0);
    for (int& Width : Widths)
      Width = R.ReadInteger();
    R.ReadListEnd();
  }
  void WriteWidths(TWriter& W) {
    W.WriteListBegin();
    for (int Width : Widths)
      W.WriteInteger(Width);
    W.WriteListEnd();
  }
};

TBytes WriteHolder(const std::vector<int>& Widths, int Tag = 0) {
  THolder Holder;
  Holder.Widths = Widths;
  Holder.Tag = Tag;
  TMemoryStream S;
  TWriter W(S);
  W.SetPropPath("Holder.");
  W.WriteProperties(Holder);
  return S.GetBytes();
}

std::string ReadError(const TBytes& Bytes, const std::string& Prefix = "Holder.") {
  TMemoryStream S(Bytes);
  TReader R(S);
  THolder Holder;
  return ErrorOf<EReadError>([&] { R.ReadProperty(Holder, Prefix); });
}

TEST(TFilerPropertyTest, ExactBytesOfAPrefixedProperty) {
  TBytes Expected = Concat({{0x10}, BytesOf("Holder.ColWidths"), {0x01}});
  for (int I = 0; I < 7; ++I)
    Expected.insert(Expected.end(), {0x02, 0x40});
  Expected.push_back(0x00);
  EXPECT_EQ(WriteHolder(std::vector<int>(7, 64)), Expected);
  EXPECT_TRUE(WriteHolder({}).empty());
}

TEST(TFilerPropertyTest, ReadsPropertiesBack) {
  const std::vector<int> Widths = {64, -1, 300, 0, 70000, 5, 64};
  TMemoryStream S(WriteHolder(Widths, 9));
  TReader R(S);
  THolder Holder;
  R.ReadProperty(Holder, "Holder.");
  R.ReadProperty(Holder, "Holder.");
  EXPECT_EQ(Holder.Widths, Widths);
  EXPECT_EQ(Holder.Tag, 9);
  EXPECT_EQ(S.GetPosition(), S.GetSize());
}

TEST(TFilerPropertyTest, BadStreamsRaiseReadErrors) {
  EXPECT_EQ(ReadError(WriteHolder(std::vector<int>(6, 64))), "Invalid property value");
  EXPECT_EQ(ReadError(WriteHolder(std::vector<int>(8, 64))), "Invalid property value");
  const TBytes Unknown = Concat({{0x11}, BytesOf("Holder.RowHeights"), {0x02, 0x01}});
  EXPECT_EQ(ReadError(Unknown), "Property Holder.RowHeights does not exist");
  EXPECT_EQ(ReadError(WriteHolder(std::vector<int>(7, 64)), "Other."),
            "Error reading property Holder.ColWidths: expected the prefix Other.");

  const TBytes Good = WriteHolder(std::vector<int>(7, 64));
  for (size_t Size = 0; Size < Good.size(); ++Size) {
    SCOPED_TRACE(Size);
    EXPECT_NE(ReadError(TBytes(Good.begin(), Good.begin() + static_cast<long>(Size))), "");
  }
}

TEST(TFilerPropertyTest, ReadDataErrorsPassUnchangedAndDoNotLinger) {
  struct TFailing : TPersistent {
    void DefineProperties(TFiler& Filer) override {
      Filer.DefineProperty(
          "X",
          [this](TReader&) {
            ++Calls;
            throw EReadError("custom");
          },
          nullptr, false);
    }
    int Calls = 0;
  } Failing;
  TMemoryStream S(Concat({{0x01}, BytesOf("X")}));
  TReader R(S);
  EXPECT_EQ(ErrorOf<EReadError>([&] { R.ReadProperty(Failing); }), "custom");
  // Outside ReadProperty the failed property's name must be forgotten.
  EXPECT_NO_THROW(Failing.DefineProperties(R));
  EXPECT_EQ(Failing.Calls, 1);
}

} // namespace
