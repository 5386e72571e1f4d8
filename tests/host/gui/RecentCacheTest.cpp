// The bounded cache of laid-out texts: what is asked for keeps its place, the rest goes after
// two generations; its size stays bounded however many entries pass through.
#include "host/gui/RecentCache.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

struct TTextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view Text) const {
    return std::hash<std::string_view>()(Text);
  }
};
using TCache = TRecentCache<std::string, int, TTextHash>;

TEST(RecentCache, WhatIsUsedEveryGenerationStaysAndTheRestGoes) {
  TCache Cache(4); // a generation ends at every fourth entry added
  Cache.Add("kept", 1);
  Cache.Add("dropped", 2);
  for (int I = 0; I < 20; ++I) {
    ASSERT_NE(Cache.Find(std::string_view("kept")), nullptr) << I; // found without a copy
    Cache.Add("new " + std::to_string(I), I);
  }
  EXPECT_EQ(*Cache.Find(std::string("kept")), 1);
  EXPECT_EQ(Cache.Find(std::string_view("dropped")), nullptr);
  EXPECT_EQ(Cache.Find(std::string_view("new 0")), nullptr);
  EXPECT_NE(Cache.Find(std::string_view("new 19")), nullptr);
  EXPECT_LE(Cache.Size(), 9u); // two generations and the entry used all along
}

TEST(RecentCache, AnEntryKeepsItsAddressWhileItIsUsed) {
  TCache Cache(2); // a generation ends at every second entry added
  int* First = &Cache.Add("a", 1);
  Cache.Add("b", 2); // a generation ends as "b" comes in
  EXPECT_EQ(Cache.Find(std::string_view("a")), First);
  Cache.Add("c", 3);
  Cache.Add("d", 4);
  EXPECT_EQ(Cache.Find(std::string_view("a")), First);
  *First = 5;
  Cache.Add("e", 5);
  Cache.Add("f", 6); // "b" and "c" were not used for two generations
  EXPECT_EQ(Cache.Find(std::string_view("a")), First);
  EXPECT_EQ(*First, 5);
  EXPECT_EQ(Cache.Find(std::string_view("b")), nullptr);
  EXPECT_EQ(Cache.Find(std::string_view("c")), nullptr);
}

TEST(RecentCache, AddingAKeyAgainReplacesItsValue) {
  TCache Cache(8);
  Cache.Add("x", 1);
  Cache.Add("x", 2);
  EXPECT_EQ(*Cache.Find(std::string_view("x")), 2);
  EXPECT_EQ(Cache.Size(), 1u);
}

} // namespace
