#include "host/classes/Lists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

// Runs F, which must raise EListError with exactly Message.
void ExpectListError(const std::function<void()>& F, const std::string& Message) {
  try {
    F();
    ADD_FAILURE() << "no EListError, expected \"" << Message << "\"";
  } catch (const EListError& E) {
    EXPECT_EQ(E.GetMessage(), Message);
  }
}

TEST(FormatIndexTest, ReplacesOnlyTheFirstPlaceholder) {
  EXPECT_EQ(FormatIndex("a %d b %d", -12), "a -12 b %d");
  EXPECT_EQ(FormatIndex("none", 5), "none");
  EXPECT_EQ(FormatIndex("%d", 1LL << 40), "1099511627776");
}

class TListTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (int& Value : Values)
      List.Add(&Value);
  }
  // The list as indices into Values, -1 for a none entry.
  std::vector<int> Order() const {
    std::vector<int> Result;
    for (void* Item : List)
      Result.push_back(Item ? static_cast<int*>(Item) - Values : -1);
    return Result;
  }
  int Values[5] = {};
  TList List;
};

TEST_F(TListTest, BadIndicesRaiseAndLeaveTheListAlone) {
  struct Case {
    const char* What;
    std::function<void(TList&)> Call;
    int BadIndex;
  };
  const std::vector<Case> Cases = {
      {"Get(-1)", [](TList& L) { L.Get(-1); }, -1},
      {"Get(Count)", [](TList& L) { L.Get(5); }, 5},
      {"Put", [](TList& L) { L.Put(5, nullptr); }, 5},
      {"Delete", [](TList& L) { L.Delete(-1); }, -1},
      {"Insert past Count", [](TList& L) { L.Insert(6, nullptr); }, 6},
      {"Insert(-1)", [](TList& L) { L.Insert(-1, nullptr); }, -1},
      {"Move from", [](TList& L) { L.Move(7, 0); }, 7},
      {"Move to", [](TList& L) { L.Move(0, 5); }, 5},
      {"Exchange first", [](TList& L) { L.Exchange(-2, 1); }, -2},
      {"Exchange second", [](TList& L) { L.Exchange(1, 5); }, 5},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    ExpectListError([&] { C.Call(List); },
                    FormatIndex("List index out of bounds (%d)", C.BadIndex));
    EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2, 3, 4}));
  }
  TList Empty;
  ExpectListError([&] { Empty.First(); }, "List index out of bounds (0)");
  ExpectListError([&] { Empty.Last(); }, "List index out of bounds (-1)");
}

TEST_F(TListTest, InsertAcceptsCountAndZero) {
  int Extra = 0;
  List.Insert(List.GetCount(), &Extra);
  List.Insert(0, nullptr);
  EXPECT_EQ(List.GetCount(), 7);
  EXPECT_EQ(List.Last(), &Extra);
  EXPECT_EQ(List.First(), nullptr);
}

// Every Move is checked against a rotation of the same range.
TEST_F(TListTest, MoveMatchesRotation) {
  for (int Cur = 0; Cur < 5; ++Cur)
    for (int New = 0; New < 5; ++New) {
      TList Copy;
      Copy.Assign(List);
      Copy.Move(Cur, New);
      std::vector<void*> Expected(List.begin(), List.end());
      auto B = Expected.begin();
      if (Cur < New)
        std::rotate(B + Cur, B + Cur + 1, B + New + 1);
      else
        std::rotate(B + New, B + Cur, B + Cur + 1);
      EXPECT_EQ(std::vector<void*>(Copy.begin(), Copy.end()), Expected) << Cur << "->" << New;
    }
}

TEST_F(TListTest, ExchangeRemoveExtractPack) {
  List.Exchange(0, 4);
  EXPECT_EQ(Order(), (std::vector<int>{4, 1, 2, 3, 0}));
  List.Add(&Values[1]);
  EXPECT_EQ(List.Remove(&Values[1]), 1); // the first occurrence
  EXPECT_EQ(Order(), (std::vector<int>{4, 2, 3, 0, 1}));
  int Absent = 0;
  EXPECT_EQ(List.Remove(&Absent), -1);
  EXPECT_EQ(List.Extract(&Absent), nullptr);
  EXPECT_EQ(List.Extract(&Values[3]), &Values[3]);
  List.Put(0, nullptr);
  List.Insert(2, nullptr);
  List.Add(nullptr);
  EXPECT_EQ(Order(), (std::vector<int>{-1, 2, -1, 0, 1, -1}));
  List.Pack();
  EXPECT_EQ(Order(), (std::vector<int>{2, 0, 1}));
}

TEST_F(TListTest, CountAndCapacity) {
  List.SetCount(7);
  EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2, 3, 4, -1, -1}));
  List.SetCount(2);
  EXPECT_EQ(Order(), (std::vector<int>{0, 1}));
  ExpectListError([&] { List.SetCount(-1); }, "List count out of bounds (-1)");
  ExpectListError([&] { List.SetCapacity(1); }, "List capacity out of bounds (1)");
  List.SetCapacity(100);
  EXPECT_GE(List.GetCapacity(), 100);
  List.SetCapacity(10);
  EXPECT_LT(List.GetCapacity(), 100);
  EXPECT_GE(List.GetCapacity(), 10);
  EXPECT_EQ(Order(), (std::vector<int>{0, 1}));
}

// Sorting: records with few distinct keys, so that the order of equal keys shows.
struct TRecord {
  int Key;
  int Id;
};

int CompareKeys(void* A, void* B) {
  return static_cast<TRecord*>(A)->Key - static_cast<TRecord*>(B)->Key;
}

// The sort's contract written out step by step, independently of the list's code.
void ReferenceSort(std::vector<TRecord*>& V, int L, int R) {
  int I = L, J = R;
  TRecord* P = V[static_cast<size_t>((L + R) / 2)];
  auto At = [&](int K) -> TRecord*& { return V[static_cast<size_t>(K)]; };
  while (I <= J) {
    while (At(I)->Key < P->Key)
      ++I;
    while (At(J)->Key > P->Key)
      --J;
    if (I <= J) std::swap(At(I++), At(J--));
  }
  if (L < J) ReferenceSort(V, L, J);
  if (I < R) ReferenceSort(V, I, R);
}

std::vector<int> Ids(const TList& List) {
  std::vector<int> Result;
  for (void* Item : List)
    Result.push_back(static_cast<TRecord*>(Item)->Id);
  return Result;
}

std::vector<int> Ids(const std::vector<TRecord*>& Records) {
  std::vector<int> Result;
  for (TRecord* R : Records)
    Result.push_back(R->Id);
  return Result;
}

std::vector<TRecord> RandomRecords(std::mt19937& Gen, int Count, int Keys) {
  std::vector<TRecord> Records;
  for (int I = 0; I < Count; ++I)
    Records.push_back({static_cast<int>(Gen() % Keys), I});
  return Records;
}

TEST(TListSortTest, HandWorkedOrderOfEqualKeys) {
  // Keys 2a 1a 2b 1b 2c. Pivot 2b: swap 2a/2c, swap 2b/1b -> 2c 1a 1b | 2b 2a.
  // Left part, pivot 1a: swap 2c/1b -> 1b 1a 2c. Right part, pivot 2b: swap -> 2a 2b.
  std::vector<TRecord> Records = {{2, 0}, {1, 1}, {2, 2}, {1, 3}, {2, 4}};
  TList List;
  std::vector<TRecord*> Reference;
  for (TRecord& R : Records) {
    List.Add(&R);
    Reference.push_back(&R);
  }
  List.Sort(CompareKeys);
  ReferenceSort(Reference, 0, 4);
  const std::vector<int> Expected = {3, 1, 4, 0, 2}; // 1b 1a 2c 2a 2b: not stable
  EXPECT_EQ(Ids(List), Expected);
  EXPECT_EQ(Ids(Reference), Expected);
}

TEST(TListSortTest, MatchesTheReferenceOnRandomLists) {
  int Unstable = 0;
  for (unsigned Seed = 1; Seed <= 300; ++Seed) {
    std::mt19937 Gen(Seed);
    const int Count = static_cast<int>(Gen() % 40);
    std::vector<TRecord> Records = RandomRecords(Gen, Count, 1 + static_cast<int>(Gen() % 4));
    TList List;
    std::vector<TRecord*> Reference;
    for (TRecord& R : Records) {
      List.Add(&R);
      Reference.push_back(&R);
    }
    List.Sort(CompareKeys);
    if (Count > 1) ReferenceSort(Reference, 0, Count - 1);
    ASSERT_EQ(Ids(List), Ids(Reference)) << "seed " << Seed;

    auto ByKeyThenId = [](TRecord* A, TRecord* B) {
      return A->Key != B->Key ? A->Key < B->Key : A->Id < B->Id;
    };
    auto ByKey = [](TRecord* A, TRecord* B) { return A->Key < B->Key; };
    std::vector<TRecord*> Sorted(Reference);
    ASSERT_TRUE(std::is_sorted(Sorted.begin(), Sorted.end(), ByKey)) << "seed " << Seed;
    std::sort(Sorted.begin(), Sorted.end(), ByKeyThenId);
    if (Sorted != Reference) ++Unstable;
  }
  EXPECT_GT(Unstable, 0) << "equal keys never changed order; the sort is not the list's quicksort";
}

TEST(TListSortTest, ShortListsAreUnchanged) {
  TList List;
  List.Sort(CompareKeys);
  EXPECT_EQ(List.GetCount(), 0);
  TRecord Only{1, 0};
  List.Add(&Only);
  List.Sort(CompareKeys);
  EXPECT_EQ(List.First(), &Only);
}

// Records that count their destructions, for the owning list.
struct TTracked {
  TTracked(int AId, std::vector<int>* ALog) : Id(AId), Log(ALog) {}
  ~TTracked() { Log->push_back(Id); }
  int Key = 0;
  int Id;
  std::vector<int>* Log;
};

TEST(TOwnedListTest, SubRangeSortMatchesTListSortOfTheSameRange) {
  for (unsigned Seed = 1; Seed <= 50; ++Seed) {
    std::mt19937 Gen(Seed);
    std::vector<int> Log;
    TOwnedList<TTracked> Owned;
    for (int I = 0; I < 16; ++I) {
      auto Item = std::make_unique<TTracked>(I, &Log);
      Item->Key = static_cast<int>(Gen() % 3);
      Owned.Add(std::move(Item));
    }
    const int First = static_cast<int>(Gen() % 8), Last = First + static_cast<int>(Gen() % 8);
    TList Copy;
    for (int I = First; I <= Last; ++I)
      Copy.Add(Owned[I]);
    Copy.Sort([](void* A, void* B) {
      return static_cast<TTracked*>(A)->Key - static_cast<TTracked*>(B)->Key;
    });
    std::vector<TTracked*> Before(16);
    for (int I = 0; I < 16; ++I)
      Before[static_cast<size_t>(I)] = Owned[I];
    Owned.Sort(First, Last, [](TTracked* A, TTracked* B) { return A->Key - B->Key; });
    for (int I = 0; I < 16; ++I) {
      TTracked* Expected = I >= First && I <= Last ? static_cast<TTracked*>(Copy[I - First])
                                                   : Before[static_cast<size_t>(I)];
      ASSERT_EQ(Owned[I], Expected) << "seed " << Seed << " index " << I;
    }
    EXPECT_TRUE(Log.empty());
  }
}

TEST(TOwnedListTest, DestroyPackAndClearOrder) {
  std::vector<int> Log;
  TOwnedList<TTracked> Owned;
  for (int I = 0; I < 4; ++I)
    Owned.Add(std::make_unique<TTracked>(I, &Log));
  Owned.Destroy(1);
  EXPECT_EQ(Log, std::vector<int>{1});
  EXPECT_EQ(Owned.GetCount(), 4);
  Owned.Pack();
  ASSERT_EQ(Owned.GetCount(), 3);
  EXPECT_EQ(Owned.Get(1)->Id, 2);
  auto Taken = Owned.Extract(0);
  EXPECT_EQ(Taken->Id, 0);
  ExpectListError([&] { Owned.Move(0, 2); }, "List index out of bounds (2)");
  EXPECT_EQ(Owned.GetCount(), 2);
  Owned.Add(std::make_unique<TTracked>(4, &Log));
  Owned.Clear();
  EXPECT_EQ(Log, (std::vector<int>{1, 4, 3, 2}));
}

} // namespace
