// A store that cannot get the memory to grow stays as it was and says so. This program
// replaces the global allocation functions so that large requests can be made to fail.
#include "tests/support/GridTestSupport.h"

#include <cstdlib>
#include <new>

namespace {
// Requests larger than this fail while a test asks for it.
std::size_t FailAbove = static_cast<std::size_t>(-1);

void* Allocate(std::size_t Size) {
  if (Size > FailAbove) throw std::bad_alloc();
  if (void* P = std::malloc(Size ? Size : 1)) return P;
  throw std::bad_alloc();
}

// Makes every request above Limit fail for one scope.
class TAllocationLimit {
public:
  explicit TAllocationLimit(std::size_t Limit) { FailAbove = Limit; }
  ~TAllocationLimit() { FailAbove = static_cast<std::size_t>(-1); }
  TAllocationLimit(const TAllocationLimit&) = delete;
  TAllocationLimit& operator=(const TAllocationLimit&) = delete;
};
} // namespace

void* operator new(std::size_t Size) {
  return Allocate(Size);
}
void* operator new[](std::size_t Size) {
  return Allocate(Size);
}
void operator delete(void* P) noexcept {
  std::free(P);
}
void operator delete[](void* P) noexcept {
  std::free(P);
}
void operator delete(void* P, std::size_t) noexcept {
  std::free(P);
}
void operator delete[](void* P, std::size_t) noexcept {
  std::free(P);
}

namespace {

std::string Shape(TYCustomGrid& Grid) {
  TYCellsHolder* H = Grid.GetHolder();
  std::string Text;
  for (std::int32_t R = 0; R < H->GetRowCount(); ++R)
    for (std::int32_t C = 0; C < H->GetColCount(); ++C)
      Text += LabelOf(H->GetCells(C, R)) + " ";
  return Text + std::to_string(Grid.GetCol()) + "," + std::to_string(Grid.GetRow());
}

TEST(OutOfMemory, AStoreThatCannotGrowStaysAsItWasAndSaysSo) {
  HookRecorder Recorder;
  auto Grid = MakeGrid(7, 20, &Recorder);
  Grid->SetRow(5);
  const std::string Before = Shape(*Grid);
  TYCell* Kept = Grid->GetHolder()->GetCells(3, 10);
  int Focus = 0;
  Grid->OnFocusCell = [&](TYCustomGrid*, TYCell*, std::int32_t&, std::int32_t&) { ++Focus; };
  std::string Message;
  {
    const TAllocationLimit Limit(1 << 20);
    try {
      Grid->GetHolder()->SetRowCount(300000); // a column of that many cells needs 14 MB
    } catch (const EOutOfMemory& E) {
      Message = E.GetMessage();
    }
  }
  EXPECT_EQ(Message, "TYCellsHolder::Not enough memory for 7 columns and 300000 rows of cells");
  EXPECT_EQ(Shape(*Grid), Before);
  EXPECT_EQ(Grid->GetHolder()->GetCells(3, 10), Kept);
  EXPECT_EQ(Focus, 0); // the size-change bracket never opened
  EXPECT_TRUE(Recorder.Log.empty());
  EXPECT_TRUE(ModelConsistent(*Grid));

  Grid->GetHolder()->SetRowCount(30000); // with the memory, the same store grows
  EXPECT_EQ(Grid->GetHolder()->GetRowCount(), 30000);
  EXPECT_TRUE(ModelConsistent(*Grid));
  Grid.reset();
  EXPECT_EQ(Recorder.LiveData, 0);
}

TEST(OutOfMemory, AnInsertionThatCannotHaveItsCellsChangesNothing) {
  HookRecorder Recorder;
  auto Grid = MakeGrid(3, 100000, &Recorder);
  const std::int32_t Cols = Grid->GetHolder()->GetColCount();
  {
    const TAllocationLimit Limit(1 << 20);
    EXPECT_THROW(Grid->GetHolder()->InsertCol(1, true), EOutOfMemory);
  }
  EXPECT_EQ(Grid->GetHolder()->GetColCount(), Cols);
  EXPECT_TRUE(Recorder.Log.empty());
  EXPECT_TRUE(ModelConsistent(*Grid));
}

} // namespace
