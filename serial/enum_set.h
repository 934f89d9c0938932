#pragma once
// A set of members of a small enumeration, held as a bit word: member k is bit k.

#include <initializer_list>

template <class TEnum, class TWord>
class TEnumSet {
 public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<TEnum> members) {
    for (TEnum m : members) Include(m);
  }
  static constexpr TEnumSet FromBits(TWord bits) {
    TEnumSet s;
    s.Bits_ = bits;
    return s;
  }

  constexpr bool Contains(TEnum m) const { return (Bits_ & Bit(m)) != 0; }
  constexpr bool Empty() const { return Bits_ == 0; }
  constexpr TWord Bits() const { return Bits_; }
  constexpr TEnumSet& Include(TEnum m) {
    Bits_ = TWord(Bits_ | Bit(m));
    return *this;
  }
  constexpr TEnumSet& Exclude(TEnum m) {
    Bits_ = TWord(Bits_ & ~Bit(m));
    return *this;
  }

  friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

 private:
  static constexpr TWord Bit(TEnum m) { return TWord(TWord(1) << unsigned(m)); }

  TWord Bits_ = 0;
};
