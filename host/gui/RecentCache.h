// A bounded cache that keeps what is in use: entries live in two generations. A lookup finds
// an entry in the current generation, or in the previous one and brings it into the current;
// when the current one is full it becomes the previous one and the entries nobody asked for
// since go. Paint after paint, the texts a view keeps showing stay, however many new ones
// scroll past.
#pragma once

#include <cstddef>
#include <functional>
#include <unordered_map>
#include <utility>

template <typename TKey, typename TValue, typename THash, typename TEqual = std::equal_to<>>
class TRecentCache {
public:
  using TMap = std::unordered_map<TKey, TValue, THash, TEqual>;

  // Limit: entries of a generation, so at most twice that many are kept.
  explicit TRecentCache(std::size_t ALimit) : Limit(ALimit) {}

  // The entry for Key, or null. An entry answered (by Find or Add) stays where it is until two
  // more generations have started: entries move between the maps without being copied.
  template <typename TProbe> TValue* Find(const TProbe& Key) {
    if (auto It = Current.find(Key); It != Current.end()) return &It->second;
    auto Old = Previous.find(Key);
    if (Old == Previous.end()) return nullptr;
    auto Entry = Previous.extract(Old);
    StartGenerationIfFull();
    return &Current.insert(std::move(Entry)).position->second;
  }

  TValue& Add(TKey Key, TValue Value) {
    StartGenerationIfFull();
    return Current.insert_or_assign(std::move(Key), std::move(Value)).first->second;
  }

  std::size_t Size() const { return Current.size() + Previous.size(); }

private:
  void StartGenerationIfFull() {
    if (Current.size() < Limit) return;
    Previous = std::move(Current);
    Current = TMap();
  }

  std::size_t Limit;
  TMap Current, Previous;
};
