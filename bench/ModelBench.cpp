// Speed of the cell model on large tables: building, sorting, hiding and showing ranges,
// deleting, marking and cutting unions into pieces.
#include "grid/YGrids.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<TYGrid> Table(std::int32_t Cols, std::int32_t Rows) {
  auto Grid = std::make_unique<TYGrid>(nullptr);
  Grid->GetHolder()->ChangeSize(Cols, Rows);
  return Grid;
}

// Rows sorted by a key kept in their user data.
int ByKey(void* A, void* B) {
  auto Key = [](void* Row) {
    return static_cast<int>(
        reinterpret_cast<std::intptr_t>(static_cast<TYCellsVector*>(Row)->GetData()));
  };
  return Key(A) - Key(B);
}

void BuildTable(benchmark::State& State) {
  const auto Rows = static_cast<std::int32_t>(State.range(0));
  for (auto _ : State)
    benchmark::DoNotOptimize(Table(20, Rows));
  State.SetItemsProcessed(State.iterations() * Rows * 20);
}
BENCHMARK(BuildTable)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void SortRows(benchmark::State& State) {
  const auto Rows = static_cast<std::int32_t>(State.range(0));
  auto Grid = Table(20, Rows);
  TYCellsHolder* H = Grid->GetHolder();
  for (auto _ : State) {
    State.PauseTiming();
    for (std::int32_t I = 0; I < Rows; ++I)
      H->GetRows(I)->SetData(
          reinterpret_cast<void*>(static_cast<std::intptr_t>((I * 7919) % 1000)));
    State.ResumeTiming();
    H->Sort(&ByKey, true);
  }
}
BENCHMARK(SortRows)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Filtering columns in and out, as a viewer does from its header.
void ShowHideColumnRanges(benchmark::State& State) {
  auto Grid = Table(40, static_cast<std::int32_t>(State.range(0)));
  TYCellsHolder* H = Grid->GetHolder();
  TList Half;
  for (std::int32_t I = 1; I < 40; I += 2)
    Half.Add(H->GetCols(I));
  for (auto _ : State) {
    H->SetVisibleColsRange(&Half, false);
    H->SetVisibleAllCols();
  }
}
BENCHMARK(ShowHideColumnRanges)->Arg(10000)->Unit(benchmark::kMicrosecond);

void DeleteAndAddRows(benchmark::State& State) {
  auto Grid = Table(20, static_cast<std::int32_t>(State.range(0)));
  TYCellsHolder* H = Grid->GetHolder();
  for (auto _ : State) {
    H->DeleteRow(H->GetRowCount() / 2);
    H->AddRow(true);
  }
}
BENCHMARK(DeleteAndAddRows)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Marking many cells one by one, then reading the count and the list.
void MarkCells(benchmark::State& State) {
  auto Grid = Table(20, 10000);
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoCellsMarking});
  TYCellsHolder* H = Grid->GetHolder();
  for (auto _ : State) {
    for (std::int32_t R = 1; R < 10000; R += 10)
      H->GetCells(5, R)->SetMarked(true);
    benchmark::DoNotOptimize(Grid->GetMarkedCount());
    benchmark::DoNotOptimize(Grid->GetMarkedCells(0));
    H->ClearMark();
  }
}
BENCHMARK(MarkCells)->Unit(benchmark::kMillisecond);

// A header union across every column, cut again after each hide and show.
void RefreshWideUnion(benchmark::State& State) {
  const auto Cols = static_cast<std::int32_t>(State.range(0));
  auto Grid = Table(Cols, 50);
  TYCellsHolder* H = Grid->GetHolder();
  H->GetCellsUnions()->Add({1, 0}, {1, 0}, {Cols - 1, 0}, false);
  for (auto _ : State) {
    H->GetCols(Cols / 2)->SetVisible(false);
    H->GetCols(Cols / 2)->SetVisible(true);
  }
}
BENCHMARK(RefreshWideUnion)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
