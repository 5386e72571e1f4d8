// A set of enumerators stored as bits: bit n is the enumerator with ordinal n.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

template <class E, class Bits = std::uint32_t> class TSet {
  static_assert(std::is_enum_v<E>, "TSet holds enumerators");

public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> Items) {
    for (E Item : Items)
      Value |= Bit(Item);
  }
  static constexpr TSet FromBits(Bits B) {
    TSet S;
    S.Value = B;
    return S;
  }
  constexpr Bits ToBits() const { return Value; }

  constexpr bool Contains(E Item) const { return (Value & Bit(Item)) != 0; }
  constexpr bool Empty() const { return Value == 0; }
  constexpr TSet& Include(E Item) {
    Value |= Bit(Item);
    return *this;
  }
  constexpr TSet& Exclude(E Item) {
    Value &= static_cast<Bits>(~Bit(Item));
    return *this;
  }

  constexpr TSet operator+(TSet Other) const { return FromBits(Value | Other.Value); }
  constexpr TSet operator-(TSet Other) const {
    return FromBits(Value & static_cast<Bits>(~Other.Value));
  }
  constexpr TSet operator*(TSet Other) const { return FromBits(Value & Other.Value); }
  constexpr bool operator==(const TSet&) const = default;

private:
  static constexpr Bits Bit(E Item) {
    return static_cast<Bits>(Bits(1) << static_cast<unsigned>(Item));
  }
  Bits Value = 0;
};
