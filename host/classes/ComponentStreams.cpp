// Writing and reading components with their published properties in the binary stream.
#include "host/classes/ComponentStreams.h"

#include "host/classes/Collections.h"
#include "host/classes/Filer.h"
#include "host/classes/TypInfo.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <vector>

namespace {
const char Signature[] = "TPF0";

std::vector<const TPropInfo*> PublishedProps(TPersistent& Instance) {
  const TClassInfo* Info = FindClassInfo(Instance.ClassName());
  return Info ? GetPropList(*Info) : std::vector<const TPropInfo*>();
}

// --- Writing ---

class TComponentWriter {
public:
  TComponentWriter(TWriter& AWriter, TComponent& ARoot) : Writer(AWriter), Root(ARoot) {}

  void WriteComponent(TComponent& Instance) {
    Writer.WriteStr(Instance.ClassName());
    Writer.WriteStr(Instance.GetName());
    WriteProperties(Instance, Instance, "");
    Writer.WriteListEnd();
    Instance.GetChildren([this](TComponent* Child) { WriteComponent(*Child); }, &Root);
    Writer.WriteListEnd();
  }

private:
  // Published properties, then the self-streamed ones, all with Prefix before their names.
  void WriteProperties(TPersistent& Instance, TComponent& Owner, const std::string& Prefix) {
    for (const TPropInfo* Prop : PublishedProps(Instance))
      WriteProperty(Instance, Owner, *Prop, Prefix);
    Writer.SetPropPath(Prefix);
    Writer.WriteProperties(Instance);
    Writer.SetPropPath("");
  }

  void WriteName(const std::string& Prefix, const TPropInfo& Prop) {
    Writer.WriteStr(Prefix + Prop.Name);
  }

  void WriteProperty(TPersistent& Instance, TComponent& Owner, const TPropInfo& Prop,
                     const std::string& Prefix) {
    if (Prop.Stored && !Prop.Stored(Instance)) return;
    switch (Prop.Kind) {
    case TPropKind::pkInteger:
    case TPropKind::pkEnum:
    case TPropKind::pkSet:
    case TPropKind::pkBool:
      return WriteOrdinal(Instance, Prop, Prefix);
    case TPropKind::pkString:
      return WriteText(Instance, Prop, Prefix);
    case TPropKind::pkClass:
      if (TPersistent* Object = Prop.GetObject(Instance))
        WriteProperties(*Object, Owner, Prefix + Prop.Name + ".");
      return;
    case TPropKind::pkComponent:
      return WriteReference(Instance, Prop, Prefix);
    case TPropKind::pkEvent:
      return WriteEvent(Instance, Owner, Prop, Prefix);
    case TPropKind::pkCollection:
      return WriteCollection(*Prop.GetCollection(Instance), Owner, Prop, Prefix);
    }
  }

  void WriteOrdinal(TPersistent& Instance, const TPropInfo& Prop, const std::string& Prefix) {
    const std::int64_t Value = Prop.GetOrd(Instance);
    if (Prop.Default && *Prop.Default == Value) return;
    WriteName(Prefix, Prop);
    if (Prop.Kind == TPropKind::pkBool) return Writer.WriteBoolean(Value != 0);
    if (Prop.Kind == TPropKind::pkSet) return WriteSet(Prop, Value);
    const std::string* Name = Prop.Idents ? Prop.Idents->NameOf(Value) : nullptr;
    if (Name)
      Writer.WriteIdent(*Name);
    else
      Writer.WriteInteger(Value);
  }

  void WriteSet(const TPropInfo& Prop, std::int64_t Bits) {
    Writer.WriteValue(vaSet);
    for (int Bit = 0; Bit < 64; ++Bit) {
      if ((static_cast<std::uint64_t>(Bits) >> Bit & 1) == 0) continue;
      const std::string* Name = Prop.Idents->NameOf(Bit);
      if (!Name) throw EWriteError("Set element " + std::to_string(Bit) + " has no name");
      Writer.WriteStr(*Name);
    }
    Writer.WriteStr("");
  }

  void WriteText(TPersistent& Instance, const TPropInfo& Prop, const std::string& Prefix) {
    const std::string Value = Prop.GetStr(Instance);
    if (Value.empty()) return;
    WriteName(Prefix, Prop);
    Writer.WriteString(Value);
  }

  void WriteReference(TPersistent& Instance, const TPropInfo& Prop, const std::string& Prefix) {
    TComponent* Target = Prop.GetRef(Instance);
    if (!Target || Target->GetName().empty()) return;
    WriteName(Prefix, Prop);
    Writer.WriteIdent(Target->GetName());
  }

  void WriteEvent(TPersistent& Instance, TComponent& Owner, const TPropInfo& Prop,
                  const std::string& Prefix) {
    // Only a component's own events are bound by name.
    if (&Instance != &Owner) return;
    const std::string Method = Owner.GetEventBinding(Prop.Name);
    if (Method.empty()) return;
    WriteName(Prefix, Prop);
    Writer.WriteIdent(Method);
  }

  void WriteCollection(TCollection& Items, TComponent& Owner, const TPropInfo& Prop,
                       const std::string& Prefix) {
    if (Items.GetCount() == 0) return;
    WriteName(Prefix, Prop);
    Writer.WriteValue(vaCollection);
    for (int I = 0; I < Items.GetCount(); ++I) {
      Writer.WriteListBegin();
      WriteProperties(*Items.GetItem(I), Owner, "");
      Writer.WriteListEnd();
    }
    Writer.WriteListEnd();
  }

  TWriter& Writer;
  TComponent& Root;
};

// --- Reading ---

class TComponentReader {
public:
  TComponentReader(TReader& AReader, TComponent& ARoot) : Reader(AReader), Root(ARoot) {}

  void ReadRoot() {
    try {
      ReadComponent(nullptr);
      ResolveReferences();
    } catch (...) {
      for (TComponent* Component : Loading)
        Component->CancelLoading();
      throw;
    }
    for (TComponent* Component : Loading)
      Component->Loaded();
  }

private:
  struct TFixup {
    TPersistent* Instance;
    const TPropInfo* Prop;
    std::string Target;
    std::string Path; // for the error message
  };

  void ReadComponent(TComponent* Parent) {
    const TNestingLevel Level(Depth);
    if (Level.TooDeep()) throw EReadError(NestingTooDeepMessage());
    const std::string ClassName = Reader.ReadStr();
    const std::string Name = Reader.ReadStr();
    if (!IsValidComponentName(Name))
      throw EReadError("A stored component name is not a valid identifier");
    TComponent& Instance = Parent ? CreateChild(ClassName, Name, *Parent) : CheckRoot(ClassName);
    Instance.SetName(Name);
    Instance.BeginLoading();
    Loading.push_back(&Instance);
    while (!Reader.EndOfList())
      ReadPropertyOf(Instance);
    Reader.ReadListEnd();
    while (!Reader.EndOfList())
      ReadComponent(&Instance);
    Reader.ReadListEnd();
  }

  // Empty, or a letter or underscore followed by letters, digits and underscores: a name the
  // text form can write, and references and handlers can find.
  static bool IsValidComponentName(const std::string& Name) {
    const auto Letter = [](char C) {
      return std::isalpha(static_cast<unsigned char>(C)) || C == '_';
    };
    if (Name.empty()) return true;
    if (!Letter(Name[0])) return false;
    return std::all_of(Name.begin(), Name.end(), [&](char C) {
      return Letter(C) || std::isdigit(static_cast<unsigned char>(C));
    });
  }

  TComponent& CheckRoot(const std::string& ClassName) {
    if (ClassName != Root.ClassName())
      throw EReadError("Stored class " + ClassName + " does not match " + Root.ClassName());
    return Root;
  }

  // A component of that name that Root already owns is read into; otherwise one is created.
  TComponent& CreateChild(const std::string& ClassName, const std::string& Name,
                          TComponent& Parent) {
    if (TComponent* Existing = Root.FindComponent(Name)) {
      if (ClassName != Existing->ClassName())
        throw EReadError("A component named " + Name + " already exists");
      return *Existing;
    }
    const TClassInfo* Info = FindClassInfo(ClassName);
    if (!Info || !Info->Create) throw EReadError("Class " + ClassName + " not found");
    TComponent* Child = Info->Create(&Root);
    Child->SetParentComponent(&Parent);
    return *Child;
  }

  // Reads one property of Instance, naming it in any error.
  void ReadPropertyOf(TComponent& Instance) {
    const std::string Path = Reader.ReadStr();
    try {
      ReadPropertyPath(Instance, Instance, Path);
    } catch (const Exception& E) {
      throw EReadError("Error reading " + Instance.GetName() + "." + Path + ": " + E.GetMessage());
    }
  }

  // Walks the sub-objects a dotted name passes through and reads the last part.
  void ReadPropertyPath(TPersistent& Instance, TComponent& Owner, const std::string& Path) {
    TPersistent* Object = &Instance;
    std::string Rest = Path;
    for (auto Dot = Rest.find('.'); Dot != std::string::npos; Dot = Rest.find('.')) {
      const TPropInfo* Prop = FindPublished(*Object, Rest.substr(0, Dot));
      if (!Prop || Prop->Kind != TPropKind::pkClass || !Prop->GetObject(*Object))
        throw EReadError("Property " + Rest.substr(0, Dot) + " does not exist");
      Object = Prop->GetObject(*Object);
      Rest = Rest.substr(Dot + 1);
    }
    if (const TPropInfo* Prop = FindPublished(*Object, Rest))
      ReadValue(*Object, Owner, *Prop, Path);
    else
      Reader.ReadDefinedProperty(*Object, Rest);
  }

  static const TPropInfo* FindPublished(TPersistent& Object, const std::string& Name) {
    const TClassInfo* Info = FindClassInfo(Object.ClassName());
    return Info ? FindPropInfo(*Info, Name) : nullptr;
  }

  void ReadValue(TPersistent& Object, TComponent& Owner, const TPropInfo& Prop,
                 const std::string& Path) {
    switch (Prop.Kind) {
    case TPropKind::pkInteger:
      return Prop.SetOrd(Object, ReadIntegerOrIdent(Prop));
    case TPropKind::pkEnum:
      return Prop.SetOrd(Object, ValueOfIdent(Prop, Reader.ReadIdent()));
    case TPropKind::pkSet:
      return Prop.SetOrd(Object, ReadSet(Prop));
    case TPropKind::pkBool:
      return Prop.SetOrd(Object, Reader.ReadBoolean() ? 1 : 0);
    case TPropKind::pkString:
      return Prop.SetStr(Object, Reader.ReadString());
    case TPropKind::pkClass:
      TReader::PropValueError(); // sub-objects are stored through their own properties
    case TPropKind::pkComponent:
      return ReadReference(Object, Prop, Path);
    case TPropKind::pkEvent:
      return BindEvent(Object, Owner, Prop);
    case TPropKind::pkCollection:
      return ReadCollection(*Prop.GetCollection(Object), Owner);
    }
  }

  std::int64_t ReadIntegerOrIdent(const TPropInfo& Prop) {
    if (Reader.NextValue() == vaIdent) return ValueOfIdent(Prop, Reader.ReadIdent());
    const std::int64_t Value = Reader.ReadInt64();
    // Integer properties are 32-bit; only one with named values (a colour) may be stored
    // with all 32 bits unsigned. Anything else would wrap, so it is refused.
    const std::int64_t Max = Prop.Idents ? std::numeric_limits<std::uint32_t>::max()
                                         : std::numeric_limits<std::int32_t>::max();
    if (Value < std::numeric_limits<std::int32_t>::min() || Value > Max) TReader::PropValueError();
    return Value;
  }

  static std::int64_t ValueOfIdent(const TPropInfo& Prop, const std::string& Ident) {
    const auto Value = Prop.Idents ? Prop.Idents->ValueOf(Ident) : std::nullopt;
    if (!Value) TReader::PropValueError();
    return *Value;
  }

  std::int64_t ReadSet(const TPropInfo& Prop) {
    Reader.CheckValue(vaSet);
    std::uint64_t Bits = 0;
    for (std::string Name = Reader.ReadStr(); !Name.empty(); Name = Reader.ReadStr()) {
      const std::int64_t Bit = ValueOfIdent(Prop, Name);
      if (Bit < 0 || Bit > 63) TReader::PropValueError();
      Bits |= std::uint64_t(1) << Bit;
    }
    return static_cast<std::int64_t>(Bits);
  }

  void ReadReference(TPersistent& Object, const TPropInfo& Prop, const std::string& Path) {
    if (Reader.NextValue() == vaNil) {
      Reader.ReadValue();
      return Prop.SetRef(Object, nullptr);
    }
    Fixups.push_back({&Object, &Prop, Reader.ReadIdent(), Path});
  }

  void BindEvent(TPersistent& Object, TComponent& Owner, const TPropInfo& Prop) {
    const std::string Method = Reader.ReadIdent();
    const std::any* Handler = Root.FindMethod(Method);
    if (!Handler) throw EReadError("Method " + Method + " not found");
    if (!Prop.BindEvent(Object, *Handler))
      throw EReadError("Method " + Method + " does not fit the event");
    if (&Object == &Owner) Owner.SetEventBinding(Prop.Name, Method);
  }

  void ReadCollection(TCollection& Items, TComponent& Owner) {
    const TNestingLevel Level(Depth);
    if (Level.TooDeep()) throw EReadError(NestingTooDeepMessage());
    Reader.CheckValue(vaCollection);
    Items.Clear();
    while (!Reader.EndOfList()) {
      Reader.ReadListBegin();
      TCollectionItem* Item = Items.Add();
      while (!Reader.EndOfList())
        ReadPropertyPath(*Item, Owner, Reader.ReadStr());
      Reader.ReadListEnd();
    }
    Reader.ReadListEnd();
  }

  void ResolveReferences() {
    for (const TFixup& Fixup : Fixups) {
      TComponent* Target =
          Root.GetName() == Fixup.Target ? &Root : Root.FindComponent(Fixup.Target);
      if (!Target)
        throw EReadError("Error reading " + Fixup.Path + ": unresolved reference to " +
                         Fixup.Target);
      Fixup.Prop->SetRef(*Fixup.Instance, Target);
    }
  }

  TReader& Reader;
  TComponent& Root;
  std::vector<TComponent*> Loading;
  std::vector<TFixup> Fixups;
  int Depth = 0; // components and collections open while reading
};
} // namespace

void WriteRootComponent(TStream& Stream, TComponent& Root) {
  Stream.WriteBuffer(Signature, 4);
  TWriter Writer(Stream);
  TComponentWriter(Writer, Root).WriteComponent(Root);
}

void ReadRootComponent(TStream& Stream, TComponent& Root) {
  char Read[4] = {};
  Stream.ReadBuffer(Read, 4);
  if (std::string(Read, 4) != Signature) throw EReadError("Invalid stream format");
  TReader Reader(Stream);
  TComponentReader(Reader, Root).ReadRoot();
}

void ReadComponentText(const std::string& Text, TComponent& Root) {
  TMemoryStream Input(std::vector<std::uint8_t>(Text.begin(), Text.end()));
  TMemoryStream Binary;
  ObjectTextToBinary(Input, Binary);
  Binary.SetPosition(0);
  ReadRootComponent(Binary, Root);
}

std::string ComponentToText(TComponent& Root) {
  TMemoryStream Binary;
  WriteRootComponent(Binary, Root);
  Binary.SetPosition(0);
  TMemoryStream Output;
  ObjectBinaryToText(Binary, Output);
  const auto& Bytes = Output.GetBytes();
  return std::string(Bytes.begin(), Bytes.end());
}
