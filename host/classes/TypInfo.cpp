#include "host/classes/TypInfo.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>

namespace {
bool SameText(const std::string& A, const std::string& B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
           return std::tolower(static_cast<unsigned char>(X)) ==
                  std::tolower(static_cast<unsigned char>(Y));
         });
}

// Entries live as long as the program; their addresses are handed out.
std::map<std::string, std::unique_ptr<TClassInfo>>& Registry() {
  static std::map<std::string, std::unique_ptr<TClassInfo>> Classes;
  return Classes;
}
} // namespace

TIdentMap::TIdentMap(std::initializer_list<std::pair<std::int64_t, const char*>> AEntries) {
  for (const auto& [Value, Name] : AEntries)
    Entries.emplace_back(Value, Name);
}

const std::string* TIdentMap::NameOf(std::int64_t Value) const {
  for (const auto& Entry : Entries)
    if (Entry.first == Value) return &Entry.second;
  return nullptr;
}

std::optional<std::int64_t> TIdentMap::ValueOf(const std::string& Name) const {
  for (const auto& Entry : Entries)
    if (SameText(Entry.second, Name)) return Entry.first;
  return std::nullopt;
}

TClassInfo& RegisterClassInfo(const std::string& Name, const std::string& ParentName,
                              std::function<TComponent*(TComponent*)> Create) {
  auto& Classes = Registry();
  auto Found = Classes.find(Name);
  if (Found != Classes.end()) return *Found->second;
  const TClassInfo* Parent = nullptr;
  if (!ParentName.empty()) {
    Parent = FindClassInfo(ParentName);
    if (!Parent) throw EReadError("Class " + ParentName + " not found");
  }
  auto Info = std::make_unique<TClassInfo>();
  Info->Name = Name;
  Info->Parent = Parent;
  Info->Create = std::move(Create);
  return *Classes.emplace(Name, std::move(Info)).first->second;
}

const TClassInfo* FindClassInfo(const std::string& Name) {
  auto& Classes = Registry();
  auto Found = Classes.find(Name);
  return Found == Classes.end() ? nullptr : Found->second.get();
}

const TClassInfo& ClassInfoOf(const TPersistent& Instance) {
  const TClassInfo* Info = FindClassInfo(Instance.ClassName());
  if (!Info) throw EReadError(std::string("Class ") + Instance.ClassName() + " not found");
  return *Info;
}

std::vector<const TPropInfo*> GetPropList(const TClassInfo& Info) {
  std::vector<const TPropInfo*> List;
  if (Info.Parent) List = GetPropList(*Info.Parent);
  // A class that publishes an inherited property again (with another default) replaces the
  // ancestor's entry in its place.
  for (const TPropInfo& Prop : Info.Props) {
    auto Same = std::find_if(List.begin(), List.end(),
                             [&](const TPropInfo* P) { return SameText(P->Name, Prop.Name); });
    if (Same != List.end())
      *Same = &Prop;
    else
      List.push_back(&Prop);
  }
  return List;
}

const TPropInfo* FindPropInfo(const TClassInfo& Info, const std::string& Name) {
  for (const TClassInfo* Class = &Info; Class; Class = Class->Parent)
    for (const TPropInfo& Prop : Class->Props)
      if (SameText(Prop.Name, Name)) return &Prop;
  return nullptr;
}
