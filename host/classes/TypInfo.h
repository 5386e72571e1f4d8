// Published properties: what a class stores with a form, registered once per class.
//
// Each streamable class registers its published properties in stored order, with their
// declared defaults. The component writer stores a property only when it differs from its
// default; the reader finds a property by name along the class and its ancestors. Sub-object
// properties (a font, the grid's store) are streamed in place with a path prefix ("Font.",
// "Holder."); properties that refer to another component are stored as that component's name
// and resolved once the whole form is read; event properties are stored as the name of the
// handler method they are bound to.
#pragma once

#include "Components.h"

#include <any>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TCollection;

// Names of the values of an enumeration, of the elements of a set (by bit number), or of
// integers that have a symbolic name (colours, charsets).
class TIdentMap {
public:
  TIdentMap(std::initializer_list<std::pair<std::int64_t, const char*>> AEntries);
  const std::string* NameOf(std::int64_t Value) const;
  std::optional<std::int64_t> ValueOf(const std::string& Name) const; // case-insensitive

private:
  std::vector<std::pair<std::int64_t, std::string>> Entries;
};

enum class TPropKind : std::uint8_t {
  pkInteger,    // an integer; written by name when Idents names its value
  pkEnum,       // an enumeration, written as the identifier of its value
  pkSet,        // a set, written as the identifiers of its elements
  pkBool,       // False or True
  pkString,     // UTF-8 text; the empty string is its default
  pkClass,      // an owned sub-object, streamed in place with "Name." before its properties
  pkComponent,  // a reference to another component, stored as that component's name
  pkEvent,      // a handler, stored as the name of the root's method bound to it
  pkCollection, // a collection of items, each with its own published properties
};

struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::pkInteger;
  const TIdentMap* Idents = nullptr; // enum values, set elements or named integers
  // The declared default of an ordinal property (integer, enum, set bits, bool as 0/1); a
  // property without one is always written.
  std::optional<std::int64_t> Default;
  // When set, the property is written only while this answers true (a control's font is
  // stored only when it is not taken from the parent).
  std::function<bool(TPersistent&)> Stored;

  std::function<std::int64_t(TPersistent&)> GetOrd;
  std::function<void(TPersistent&, std::int64_t)> SetOrd;
  std::function<std::string(TPersistent&)> GetStr;
  std::function<void(TPersistent&, const std::string&)> SetStr;
  std::function<TPersistent*(TPersistent&)> GetObject;                 // pkClass
  std::function<TComponent*(TPersistent&)> GetRef;                     // pkComponent
  std::function<void(TPersistent&, TComponent*)> SetRef;               // pkComponent
  std::function<bool(TPersistent&, const std::any& Method)> BindEvent; // pkEvent
  std::function<TCollection*(TPersistent&)> GetCollection;             // pkCollection
};

// A registered class: its name, its ancestor, its own published properties and, for a
// component class, how to create one.
struct TClassInfo {
  std::string Name;
  const TClassInfo* Parent = nullptr;
  std::vector<TPropInfo> Props;
  std::function<TComponent*(TComponent* Owner)> Create;
};

// Registers a class once (later calls return the same entry). ParentName must already be
// registered, or be empty.
TClassInfo& RegisterClassInfo(const std::string& Name, const std::string& ParentName,
                              std::function<TComponent*(TComponent*)> Create = nullptr);
const TClassInfo* FindClassInfo(const std::string& Name);
// The class information of Instance's run-time class; raises EClassNotFound-like EReadError
// when it was never registered.
const TClassInfo& ClassInfoOf(const TPersistent& Instance);
// Every published property of a class, ancestors' first.
std::vector<const TPropInfo*> GetPropList(const TClassInfo& Info);
const TPropInfo* FindPropInfo(const TClassInfo& Info, const std::string& Name);

// Typed registration of the published properties of class C.
template <class C> class TPropertyRegistrar {
public:
  explicit TPropertyRegistrar(TClassInfo& AInfo) : Info(AInfo) {}

  template <class G, class S>
  TPropertyRegistrar& Integer(const std::string& Name, G Get, S Set,
                              std::optional<std::int64_t> Default = std::nullopt,
                              const TIdentMap* Names = nullptr) {
    TPropInfo& P = Add(Name, TPropKind::pkInteger, Default);
    P.Idents = Names;
    SetOrdinal(P, Get, Set);
    return *this;
  }
  template <class G, class S>
  TPropertyRegistrar& Enum(const std::string& Name, const TIdentMap& Names, G Get, S Set,
                           std::optional<std::int64_t> Default = std::nullopt) {
    TPropInfo& P = Add(Name, TPropKind::pkEnum, Default);
    P.Idents = &Names;
    SetOrdinal(P, Get, Set);
    return *this;
  }
  // Get answers the set and Set takes it; both are converted through the set's bits.
  template <class G, class S>
  TPropertyRegistrar& Set(const std::string& Name, const TIdentMap& Names, G Get, S SetValue,
                          std::optional<std::int64_t> DefaultBits = std::nullopt) {
    TPropInfo& P = Add(Name, TPropKind::pkSet, DefaultBits);
    P.Idents = &Names;
    P.GetOrd = [Get](TPersistent& I) {
      return static_cast<std::int64_t>(Get(static_cast<C&>(I)).ToBits());
    };
    using TheSet = decltype(Get(std::declval<C&>()));
    using TheBits = decltype(std::declval<TheSet>().ToBits());
    P.SetOrd = [SetValue](TPersistent& I, std::int64_t Bits) {
      SetValue(static_cast<C&>(I), TheSet::FromBits(static_cast<TheBits>(Bits)));
    };
    return *this;
  }
  template <class G, class S>
  TPropertyRegistrar& Bool(const std::string& Name, G Get, S Set,
                           std::optional<bool> Default = std::nullopt) {
    TPropInfo& P = Add(Name, TPropKind::pkBool,
                       Default ? std::optional<std::int64_t>(*Default) : std::nullopt);
    SetOrdinal(P, Get, Set);
    return *this;
  }
  template <class G, class S> TPropertyRegistrar& String(const std::string& Name, G Get, S Set) {
    TPropInfo& P = Add(Name, TPropKind::pkString, std::nullopt);
    P.GetStr = [Get](TPersistent& I) { return std::string(Get(static_cast<C&>(I))); };
    P.SetStr = [Set](TPersistent& I, const std::string& V) { Set(static_cast<C&>(I), V); };
    return *this;
  }
  template <class G> TPropertyRegistrar& Object(const std::string& Name, G Get) {
    TPropInfo& P = Add(Name, TPropKind::pkClass, std::nullopt);
    P.GetObject = [Get](TPersistent& I) -> TPersistent* { return Get(static_cast<C&>(I)); };
    return *this;
  }
  template <class G, class S> TPropertyRegistrar& Reference(const std::string& Name, G Get, S Set) {
    TPropInfo& P = Add(Name, TPropKind::pkComponent, std::nullopt);
    P.GetRef = [Get](TPersistent& I) -> TComponent* { return Get(static_cast<C&>(I)); };
    P.SetRef = [Set](TPersistent& I, TComponent* V) { Set(static_cast<C&>(I), V); };
    return *this;
  }
  // An event held in a std::function member; it binds to a method published under the same
  // function type.
  template <class F, class Base>
  TPropertyRegistrar& Event(const std::string& Name, F Base::*Member) {
    TPropInfo& P = Add(Name, TPropKind::pkEvent, std::nullopt);
    P.BindEvent = [Member](TPersistent& I, const std::any& Method) {
      const F* Handler = std::any_cast<F>(&Method);
      if (!Handler) return false;
      static_cast<C&>(I).*Member = *Handler;
      return true;
    };
    return *this;
  }
  template <class G> TPropertyRegistrar& Collection(const std::string& Name, G Get) {
    TPropInfo& P = Add(Name, TPropKind::pkCollection, std::nullopt);
    P.GetCollection = [Get](TPersistent& I) -> TCollection* { return Get(static_cast<C&>(I)); };
    return *this;
  }

  // Stores the property registered last only while Pred answers true for the instance.
  template <class P> TPropertyRegistrar& StoredIf(P Pred) {
    Info.Props.back().Stored = [Pred](TPersistent& I) { return Pred(static_cast<C&>(I)); };
    return *this;
  }

private:
  TPropInfo& Add(const std::string& Name, TPropKind Kind, std::optional<std::int64_t> Default) {
    TPropInfo& P = Info.Props.emplace_back();
    P.Name = Name;
    P.Kind = Kind;
    P.Default = Default;
    return P;
  }
  template <class G, class S> static void SetOrdinal(TPropInfo& P, G Get, S Set) {
    P.GetOrd = [Get](TPersistent& I) { return static_cast<std::int64_t>(Get(static_cast<C&>(I))); };
    using T = decltype(Get(std::declval<C&>()));
    P.SetOrd = [Set](TPersistent& I, std::int64_t V) {
      Set(static_cast<C&>(I), static_cast<T>(V));
    };
  }

  TClassInfo& Info;
};

// Registers class C (once) and answers a registrar for its own properties, or nothing when
// it was registered before, so a registration function may run more than once.
template <class C>
std::optional<TPropertyRegistrar<C>>
RegisterProperties(const std::string& Name, const std::string& ParentName,
                   std::function<TComponent*(TComponent*)> Create = nullptr) {
  if (FindClassInfo(Name)) return std::nullopt;
  return TPropertyRegistrar<C>(RegisterClassInfo(Name, ParentName, std::move(Create)));
}
