// Storing components: defaults omitted, sub-object paths, sets, lists, collections, binary
// data, references and event bindings, in the binary stream and in the text form.
#include "host/classes/ComponentStreams.h"
#include "host/classes/Collections.h"
#include "host/classes/Filer.h"
#include "host/classes/TypInfo.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

enum TShape : std::uint8_t { shSquare, shCircle, shStar };
enum TFlag : std::uint8_t { flA, flB, flC };
using TFlags = TSet<TFlag, std::uint8_t>;
using TPingEvent = std::function<void(int)>;

const TIdentMap ShapeNames{{shSquare, "shSquare"}, {shCircle, "shCircle"}, {shStar, "shStar"}};
const TIdentMap FlagNames{{flA, "flA"}, {flB, "flB"}, {flC, "flC"}};
const TIdentMap NamedNumbers{{7, "Seven"}};

class TPen2 : public TPersistent {
public:
  const char* ClassName() const override { return "TPen2"; }
  int Width = 1;
  std::string Label;
  // A self-streamed list of integers, written after the published properties.
  std::vector<int> Dashes;
  void DefineProperties(TFiler& Filer) override {
    Filer.DefineProperty(
        "Dashes",
        [this](TReader& R) {
          std::vector<int> Read;
          R.ReadListBegin();
          while (!R.EndOfList())
            Read.push_back(R.ReadInteger());
          R.ReadListEnd();
          Dashes = Read;
        },
        [this](TWriter& W) {
          W.WriteListBegin();
          for (int D : Dashes)
            W.WriteInteger(D);
          W.WriteListEnd();
        },
        !Dashes.empty());
  }
};

class TItem : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  const char* ClassName() const override { return "TItem"; }
  int Size = 0;
};

class TWidget : public TComponent {
public:
  explicit TWidget(TComponent* AOwner)
      : TComponent(AOwner), Items([](TCollection& C) { return std::make_unique<TItem>(C); }) {}
  const char* ClassName() const override { return "TWidget"; }
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override {
    if (Root != this) return;
    for (int I = 0; I < GetComponentCount(); ++I)
      Proc(GetComponents(I));
  }
  void Loaded() override {
    TComponent::Loaded();
    ++LoadedCalls;
  }

  int Count = 10;
  TShape Shape = shSquare;
  TFlags Flags{flA};
  bool On = true;
  std::string Title;
  TPen2 Pen;
  TWidget* Buddy = nullptr;
  TPingEvent OnPing;
  TCollection Items;
  std::string Blob;
  int LoadedCalls = 0;

  void DefineProperties(TFiler& Filer) override {
    Filer.DefineBinaryProperty(
        "Blob",
        [this](TStream& S) {
          Blob.assign(static_cast<size_t>(S.GetSize()), '\0');
          S.ReadBuffer(Blob.data(), static_cast<int>(Blob.size()));
        },
        [this](TStream& S) { S.WriteBuffer(Blob.data(), static_cast<int>(Blob.size())); },
        !Blob.empty());
  }
};

void RegisterTestClasses() {
  if (auto Pen = RegisterProperties<TPen2>("TPen2", ""))
    Pen->Integer(
           "Width", [](TPen2& P) { return P.Width; }, [](TPen2& P, int V) { P.Width = V; }, 1)
        .String(
            "Label", [](TPen2& P) { return P.Label; },
            [](TPen2& P, const std::string& V) { P.Label = V; });
  if (auto Item = RegisterProperties<TItem>("TItem", ""))
    Item->Integer(
        "Size", [](TItem& I) { return I.Size; }, [](TItem& I, int V) { I.Size = V; }, 0);
  auto W = RegisterProperties<TWidget>("TWidget", "", [](TComponent* O) { return new TWidget(O); });
  if (!W) return;
  W->Integer(
       "Count", [](TWidget& X) { return X.Count; }, [](TWidget& X, int V) { X.Count = V; }, 10,
       &NamedNumbers)
      .Enum(
          "Shape", ShapeNames, [](TWidget& X) { return X.Shape; },
          [](TWidget& X, TShape V) { X.Shape = V; }, shSquare)
      .Set(
          "Flags", FlagNames, [](TWidget& X) { return X.Flags; },
          [](TWidget& X, TFlags V) { X.Flags = V; }, TFlags{flA}.ToBits())
      .Bool(
          "On", [](TWidget& X) { return X.On; }, [](TWidget& X, bool V) { X.On = V; }, true)
      .String(
          "Title", [](TWidget& X) { return X.Title; },
          [](TWidget& X, const std::string& V) { X.Title = V; })
      .Object("Pen", [](TWidget& X) { return &X.Pen; })
      .Reference(
          "Buddy", [](TWidget& X) { return X.Buddy; },
          [](TWidget& X, TComponent* V) { X.Buddy = dynamic_cast<TWidget*>(V); })
      .Event("OnPing", &TWidget::OnPing)
      .Collection("Items", [](TWidget& X) { return &X.Items; });
}

std::string TextOf(TStream& Binary) {
  Binary.SetPosition(0);
  TMemoryStream Text;
  ObjectBinaryToText(Binary, Text);
  const auto& Bytes = Text.GetBytes();
  return std::string(Bytes.begin(), Bytes.end());
}

class ComponentStreamsTest : public ::testing::Test {
protected:
  void SetUp() override { RegisterTestClasses(); }
};

TEST_F(ComponentStreamsTest, DefaultsAreOmittedAndTheRestIsWrittenInOrder) {
  TWidget Root(nullptr);
  Root.SetName("Root");
  EXPECT_EQ(ComponentToText(Root), "object Root: TWidget\nend\n");

  Root.Count = 7;
  Root.Shape = shStar;
  Root.Flags = {flB, flC};
  Root.On = false;
  Root.Title = "it's";
  Root.Pen.Width = 3;
  Root.Pen.Dashes = {1, 300};
  EXPECT_EQ(ComponentToText(Root), "object Root: TWidget\n"
                                   "  Count = Seven\n"
                                   "  Shape = shStar\n"
                                   "  Flags = [flB, flC]\n"
                                   "  On = False\n"
                                   "  Title = 'it''s'\n"
                                   "  Pen.Width = 3\n"
                                   "  Pen.Dashes = (\n"
                                   "    1\n"
                                   "    300)\n"
                                   "end\n");
}

TEST_F(ComponentStreamsTest, TextReadsBackIntoEveryKindOfProperty) {
  TWidget Root(nullptr);
  int Pinged = 0;
  Root.PublishMethod("RootPing", TPingEvent([&](int V) { Pinged = V; }));
  ReadComponentText("object Root: TWidget\n"
                    "  Count = 42\n"
                    "  Shape = shCircle\n"
                    "  Flags = []\n"
                    "  Title = 'a'#13#10'b'\n"
                    "  Pen.Label = 'Перо'\n"
                    "  Pen.Dashes = (4 -5)\n"
                    "  Buddy = Child\n"
                    "  OnPing = RootPing\n"
                    "  Items = <\n"
                    "    item\n"
                    "      Size = 2\n"
                    "    end\n"
                    "    item\n"
                    "    end>\n"
                    "  Blob = {00FF10}\n"
                    "  object Child: TWidget\n"
                    "    Count = 1\n"
                    "  end\n"
                    "end\n",
                    Root);
  EXPECT_EQ(Root.GetName(), "Root");
  EXPECT_EQ(Root.Count, 42);
  EXPECT_EQ(Root.Shape, shCircle);
  EXPECT_TRUE(Root.Flags.Empty());
  EXPECT_EQ(Root.Title, "a\r\nb");
  EXPECT_EQ(Root.Pen.Label, "Перо");
  EXPECT_EQ(Root.Pen.Dashes, (std::vector<int>{4, -5}));
  ASSERT_EQ(Root.Items.GetCount(), 2);
  EXPECT_EQ(static_cast<TItem*>(Root.Items.GetItem(0))->Size, 2);
  EXPECT_EQ(Root.Blob, std::string("\x00\xFF\x10", 3));
  // The reference is resolved although its target is read after it.
  auto* Child = dynamic_cast<TWidget*>(Root.FindComponent("Child"));
  ASSERT_NE(Child, nullptr);
  EXPECT_EQ(Root.Buddy, Child);
  EXPECT_EQ(Child->Count, 1);
  ASSERT_TRUE(Root.OnPing);
  Root.OnPing(5);
  EXPECT_EQ(Pinged, 5);
  // Every component read was told once that loading ended.
  EXPECT_EQ(Root.LoadedCalls, 1);
  EXPECT_EQ(Child->LoadedCalls, 1);
  EXPECT_FALSE(Root.IsLoading());
  EXPECT_FALSE(Child->IsLoading());
}

TEST_F(ComponentStreamsTest, TextBinaryTextRoundTripIsExact) {
  TWidget Root(nullptr);
  Root.PublishMethod("Ping", TPingEvent([](int) {}));
  const std::string Text = "object Root: TWidget\n"
                           "  Count = -70000\n"
                           "  Title = 'x'#9'y'\n"
                           "  Pen.Dashes = (\n"
                           "    1\n"
                           "    2)\n"
                           "  Buddy = Root\n"
                           "  OnPing = Ping\n"
                           "  Items = <\n"
                           "    item\n"
                           "      Size = 3\n"
                           "    end>\n"
                           "  Blob = {\n"
                           "    0102}\n"
                           "  object Child: TWidget\n"
                           "  end\n"
                           "end\n";
  ReadComponentText(Text, Root);
  EXPECT_EQ(ComponentToText(Root), Text);
  EXPECT_EQ(Root.GetEventBinding("OnPing"), "Ping");
}

TEST_F(ComponentStreamsTest, ErrorsNameTheComponentAndProperty) {
  struct Case {
    const char* Text;
    const char* Message;
  };
  const Case Cases[] = {
      {"object R: TWidget\n  Shape = shOval\nend\n",
       "Error reading R.Shape: Invalid property value"},
      {"object R: TWidget\n  Nope = 1\nend\n",
       "Error reading R.Nope: Property Nope does not exist"},
      {"object R: TWidget\n  Pen.Nope = 1\nend\n",
       "Error reading R.Pen.Nope: Property Nope does not exist"},
      {"object R: TWidget\n  OnPing = Missing\nend\n",
       "Error reading R.OnPing: Method Missing not found"},
      {"object R: TWidget\n  Buddy = Ghost\nend\n",
       "Error reading Buddy: unresolved reference to Ghost"},
      {"object R: TOther\nend\n", "Stored class TOther does not match TWidget"},
      {"object R: TWidget\n  object C: TUnknown\n  end\nend\n", "Class TUnknown not found"},
      {"object R: TWidget\n  Count = (1\nend\n", "Line 4: value expected"},
      {"object R: TWidget\n  Title = 'open\nend\n", "Line 2: unterminated string"},
  };
  for (const Case& C : Cases) {
    TWidget Root(nullptr);
    try {
      ReadComponentText(C.Text, Root);
      ADD_FAILURE() << "no error for " << C.Text;
    } catch (const EReadError& E) {
      EXPECT_EQ(E.GetMessage(), C.Message);
    }
    EXPECT_FALSE(Root.IsLoading()) << C.Text;
  }
}

TEST_F(ComponentStreamsTest, AnEventBoundToAMethodOfAnotherTypeIsRefused) {
  TWidget Root(nullptr);
  Root.PublishMethod("Wrong", std::function<void()>([] {}));
  EXPECT_THROW(ReadComponentText("object R: TWidget\n  OnPing = Wrong\nend\n", Root), EReadError);
  EXPECT_FALSE(Root.OnPing);
}

TEST_F(ComponentStreamsTest, BinaryFormLaysOutTagsAsTheFrameworkDoes) {
  TWidget Root(nullptr);
  Root.SetName("R");
  Root.Count = 200; // a 16-bit integer
  Root.Flags = {flC};
  TMemoryStream Binary;
  WriteRootComponent(Binary, Root);
  const std::vector<std::uint8_t> Expected = {
      'T', 'P', 'F', '0',   7,   'T', 'W', 'i',     'd', 'g',    'e',   't', 1,
      'R', 5,   'C', 'o',   'u', 'n', 't', vaInt16, 200, 0,      5,     'F', 'l',
      'a', 'g', 's', vaSet, 3,   'f', 'l', 'C',     0,   vaNull, vaNull};
  EXPECT_EQ(Binary.GetBytes(), Expected);
  EXPECT_EQ(TextOf(Binary), "object R: TWidget\n  Count = 200\n  Flags = [flC]\nend\n");
}

// --- Hostile stored forms: depth, names and values the properties cannot hold ---

std::string ReadError(const std::function<void()>& Read) {
  try {
    Read();
  } catch (const EReadError& E) {
    return E.GetMessage();
  }
  return "no error";
}

std::string TextToBinaryError(const std::string& Text) {
  return ReadError([&] {
    TMemoryStream Input(std::vector<std::uint8_t>(Text.begin(), Text.end()));
    TMemoryStream Output;
    ObjectTextToBinary(Input, Output);
  });
}

// A root TWidget "R" whose property Count holds Depth lists, one inside the other.
std::vector<std::uint8_t> NestedListsBinary(int Depth) {
  std::vector<std::uint8_t> Bytes = {'T', 'P', 'F', '0', 7, 'T', 'W', 'i', 'd', 'g',
                                     'e', 't', 1,   'R', 5, 'C', 'o', 'u', 'n', 't'};
  Bytes.insert(Bytes.end(), static_cast<size_t>(Depth), vaList);
  Bytes.insert(Bytes.end(), static_cast<size_t>(Depth) + 3, vaNull);
  return Bytes;
}

// A root TWidget with Depth - 1 unnamed TWidgets, each stored inside the one before.
std::vector<std::uint8_t> NestedComponentsBinary(int Depth) {
  std::vector<std::uint8_t> Bytes = {'T', 'P', 'F', '0'};
  for (int I = 0; I < Depth; ++I) {
    Bytes.insert(Bytes.end(), {7, 'T', 'W', 'i', 'd', 'g', 'e', 't', 0});
    Bytes.push_back(vaNull); // no properties
  }
  Bytes.insert(Bytes.end(), static_cast<size_t>(Depth), vaNull);
  return Bytes;
}

std::string Repeat(const std::string& Part, int Times) {
  std::string Result;
  for (int I = 0; I < Times; ++I)
    Result += Part;
  return Result;
}

TEST_F(ComponentStreamsTest, TextNestedPastTheLimitFailsWithItsLine) {
  // The object is one level, so the deepest list allowed is one less than the limit.
  const auto Lists = [](int Depth) {
    return "object R: TWidget\n  Count = " + Repeat("(", Depth) + "1" + Repeat(")", Depth) +
           "\nend\n";
  };
  EXPECT_EQ(TextToBinaryError(Lists(MaxStoredNesting - 1)), "no error");
  EXPECT_EQ(TextToBinaryError(Lists(MaxStoredNesting)), "Line 2: nesting deeper than 64 levels");
  // Tens of thousands of parentheses would otherwise recurse until the stack runs out.
  TWidget Root(nullptr);
  EXPECT_EQ(ReadError([&] { ReadComponentText(Lists(50000), Root); }),
            "Line 2: nesting deeper than 64 levels");

  const std::string Objects = Repeat("object A: TWidget\n", 50000);
  EXPECT_EQ(TextToBinaryError(Objects), "Line 65: nesting deeper than 64 levels");
  const std::string Items = "object R: TWidget\n  Items = " + Repeat("<item Items = ", 50000);
  EXPECT_EQ(TextToBinaryError(Items), "Line 2: nesting deeper than 64 levels");
}

TEST_F(ComponentStreamsTest, BinaryNestedPastTheLimitFailsInEveryReader) {
  const auto ToText = [](const std::vector<std::uint8_t>& Bytes) {
    return ReadError([&] {
      TMemoryStream Input(Bytes);
      TMemoryStream Output;
      ObjectBinaryToText(Input, Output);
    });
  };
  const auto ReadRoot = [](const std::vector<std::uint8_t>& Bytes) {
    return ReadError([&] {
      TMemoryStream Input(Bytes);
      TWidget Root(nullptr);
      ReadRootComponent(Input, Root);
    });
  };
  const std::string TooDeep = "Stored form nested deeper than 64 levels";
  EXPECT_EQ(ToText(NestedListsBinary(MaxStoredNesting - 1)), "no error");
  EXPECT_EQ(ToText(NestedListsBinary(MaxStoredNesting)), TooDeep);
  EXPECT_EQ(ToText(NestedListsBinary(60000)), TooDeep);
  EXPECT_EQ(ToText(NestedComponentsBinary(MaxStoredNesting)), "no error");
  EXPECT_EQ(ToText(NestedComponentsBinary(60000)), TooDeep);
  EXPECT_EQ(ReadRoot(NestedComponentsBinary(MaxStoredNesting)), "no error");
  EXPECT_EQ(ReadRoot(NestedComponentsBinary(MaxStoredNesting + 1)), TooDeep);
  EXPECT_EQ(ReadRoot(NestedComponentsBinary(20000)), TooDeep);
}

TEST_F(ComponentStreamsTest, AStoredComponentNameMustBeAnIdentifier) {
  // Root "R", then a TWidget child whose name holds a space and a zero byte.
  std::vector<std::uint8_t> Bytes = {'T', 'P', 'F', '0', 7,   'T', 'W', 'i', 'd', 'g',
                                     'e', 't', 1,   'R', 0,   7,   'T', 'W', 'i', 'd',
                                     'g', 'e', 't', 3,   'a', ' ', 0,   0,   0,   0};
  TWidget Root(nullptr);
  EXPECT_EQ(ReadError([&] {
              TMemoryStream Input(Bytes);
              ReadRootComponent(Input, Root);
            }),
            "A stored component name is not a valid identifier");
  EXPECT_EQ(Root.GetComponentCount(), 0);
  // The same child named "a_1" reads.
  Bytes[25] = '_';
  Bytes[26] = '1';
  TMemoryStream Input(Bytes);
  ReadRootComponent(Input, Root);
  ASSERT_EQ(Root.GetComponentCount(), 1);
  EXPECT_EQ(Root.GetComponents(0)->GetName(), "a_1");
}

TEST_F(ComponentStreamsTest, BinaryNamesTheTextFormCannotWriteAreRefused) {
  // Count = <an identifier>, then the ends of the properties and of the children.
  const auto WithIdent = [](const std::string& Ident) {
    std::vector<std::uint8_t> Bytes = NestedListsBinary(0);
    Bytes.resize(Bytes.size() - 3);
    Bytes.push_back(vaIdent);
    Bytes.push_back(static_cast<std::uint8_t>(Ident.size()));
    Bytes.insert(Bytes.end(), Ident.begin(), Ident.end());
    Bytes.insert(Bytes.end(), {vaNull, vaNull});
    TMemoryStream Input(Bytes);
    return ReadError([&] {
      TMemoryStream Output;
      ObjectBinaryToText(Input, Output);
    });
  };
  EXPECT_EQ(WithIdent("Seven"), "no error");
  for (const char* Bad : {"", "two words", "\nSeven", "7up", "a;b"})
    EXPECT_EQ(WithIdent(Bad), "Invalid identifier in the stored form") << Bad;
}

TEST_F(ComponentStreamsTest, AnIdentifierTooLongForTheBinaryFormIsAReadErrorWithItsLine) {
  const std::string Name(256, 'x');
  EXPECT_EQ(TextToBinaryError("object R: TWidget\n  Shape = " + Name + "\nend\n"),
            "Line 2: identifier longer than 255 bytes");
  EXPECT_EQ(TextToBinaryError("object R: TWidget\n  Shape = " + Name.substr(1) + "\nend\n"),
            "no error");
}

TEST_F(ComponentStreamsTest, AnIntegerThePropertyCannotHoldIsRefusedNotWrapped) {
  for (const char* Value : {"2147483648", "4294967295", "-2147483649", "9223372036854775807"}) {
    TWidget Root(nullptr);
    EXPECT_EQ(ReadError([&] {
                ReadComponentText(
                    std::string("object R: TWidget\n  Pen.Width = ") + Value + "\nend\n", Root);
              }),
              "Error reading R.Pen.Width: Invalid property value")
        << Value;
    EXPECT_EQ(Root.Pen.Width, 1) << Value;
  }
  TWidget Root(nullptr);
  ReadComponentText("object R: TWidget\n  Pen.Width = -2147483648\nend\n", Root);
  EXPECT_EQ(Root.Pen.Width, -2147483647 - 1);
}

} // namespace
