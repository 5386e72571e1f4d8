// A bounded cache that keeps what is in use. Time is counted in generations of Limit added
// entries; when a generation ends, the entries nobody asked for during it or the one before go.
// Paint after paint, the texts a view keeps showing stay, however many new ones scroll past.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <utility>

template <typename TKey, typename TValue, typename THash, typename TEqual = std::equal_to<>>
class TRecentCache {
public:
  // Limit: entries added in a generation, so at most about twice that many are kept.
  explicit TRecentCache(std::size_t ALimit) : Limit(ALimit) {}

  // The entry for Key, or null. An entry answered (by Find or Add) stays where it is until two
  // more generations have ended.
  template <typename TProbe> TValue* Find(const TProbe& Key) {
    const auto It = Map.find(Key);
    if (It == Map.end()) return nullptr;
    It->second.LastUse = Generation;
    return &It->second.Value;
  }

  TValue& Add(TKey Key, TValue Value) {
    if (++Added >= Limit) EndGeneration();
    const auto It =
        Map.insert_or_assign(std::move(Key), TEntry{std::move(Value), Generation}).first;
    return It->second.Value;
  }

  std::size_t Size() const { return Map.size(); }

private:
  struct TEntry {
    TValue Value;
    std::uint64_t LastUse;
  };

  void EndGeneration() {
    Added = 0;
    ++Generation;
    std::erase_if(Map, [this](const auto& Item) { return Item.second.LastUse + 2 <= Generation; });
  }

  std::size_t Limit;
  std::size_t Added = 0;
  std::uint64_t Generation = 0;
  std::unordered_map<TKey, TEntry, THash, TEqual> Map;
};
