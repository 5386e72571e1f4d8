// What the whole-program figures of a million-row table depend on, measured on the grid
// alone: building and freeing the store, moving a column, the layout, finding the cell under
// a point, a full paint of a 1920 x 1080 view, and the interactive operations at the top and
// at the bottom of the table (the two should cost the same: only the visible part matters).
#include "grid/YGrids.h"
#include "host/gui/Forms.h"
#include "host/gui/Testing.h"
#include "host/gui/WinUser.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr std::int32_t Cols = 7; // the demo's: the row number and six fields
constexpr std::int32_t MillionRows = 1'000'000;
constexpr int ViewWidth = 1920;
constexpr int ViewHeight = 1080;

std::unique_ptr<TYGrid> WindowlessGrid(std::int32_t Rows) {
  auto Grid = std::make_unique<TYGrid>(nullptr);
  Grid->GetHolder()->ChangeSize(Cols, Rows);
  return Grid;
}

// A million rows in a 1920 x 1080 window on an active form, the columns wide enough to fill
// it, every cell with a text, and the demo's options: lines, zebra stripes, the current row
// and column highlighted.
class TBigGrid {
public:
  TBigGrid() {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, ViewWidth, ViewHeight);
    Grid = new TYGrid(Form.get());
    Grid->GetHolder()->ChangeSize(Cols, MillionRows);
    for (std::int32_t C = 0; C < Cols; ++C)
      Grid->SetColWidths(C, ViewWidth / Cols);
    Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoZebraRows, ygoZebraCols, ygoShowCurCol,
                                                        ygoShowCurRow, ygoShowFocusFrame});
    Grid->OnDrawCellText = [](TYCustomGrid*, TYCell*, std::int32_t ACol, std::int32_t ARow,
                              TYGridDrawStates, TRect&, std::string& Text, bool&, TAlignment&,
                              TYVertAlignment&) {
      // As long at the bottom as at the top: seven digits in every row.
      Text = ACol == 0 ? std::to_string(MillionRows + ARow) : "Иванов-" + std::to_string(ACol);
    };
    Grid->SetBounds(0, 0, ViewWidth, ViewHeight);
    Grid->SetParent(Form.get());
    Form->Show();
    Form->Activate();
    Form->FocusControl(Grid);
    Grid->Update();
  }

  // The view at the first rows or the last ones, the current cell in its middle.
  void Place(bool AtBottom) {
    const std::int32_t Top =
        AtBottom ? Grid->GetRowCount() - Grid->GetVisibleRowCount() : Grid->GetFixedRows();
    Grid->SetTopRow(Top);
    Grid->SetRow(Top + Grid->GetVisibleRowCount() / 2);
    Grid->SetCol(Cols / 2);
    Grid->Update();
  }
  // A client point inside the data area, Step rows below the middle.
  TPoint DataPoint(int Step) const {
    const TRect R = Grid->CellRect(Grid->GetCol(), Grid->GetRow());
    return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2 + Step * (R.Bottom - R.Top + 1)};
  }

  std::unique_ptr<TForm> Form;
  TYGrid* Grid = nullptr; // owned by the form
};

// Built once: a million rows take seconds to make. (Each of these benchmarks is one sample; make
// bench repeats them and reports the medians.)
std::unique_ptr<TBigGrid> Shared; // freed before the application ends
TBigGrid& Big() {
  if (!Shared) Shared = std::make_unique<TBigGrid>();
  return *Shared;
}

// ---------------------------------------------------------------- the store

void CreateRows(benchmark::State& State) {
  for (auto _ : State) {
    std::unique_ptr<TYGrid> Grid = WindowlessGrid(MillionRows);
    State.PauseTiming();
    Grid.reset();
    State.ResumeTiming();
  }
  State.SetItemsProcessed(State.iterations() * Cols * MillionRows);
}
BENCHMARK(CreateRows)->Iterations(1)->Unit(benchmark::kMillisecond);

void DestroyRows(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    std::unique_ptr<TYGrid> Grid = WindowlessGrid(MillionRows);
    State.ResumeTiming();
    Grid.reset();
  }
  State.SetItemsProcessed(State.iterations() * Cols * MillionRows);
}
BENCHMARK(DestroyRows)->Iterations(1)->Unit(benchmark::kMillisecond);

// There and back: two moves an iteration.
void MoveColumn(benchmark::State& State) {
  TYGrid* Grid = Big().Grid;
  for (auto _ : State) {
    Grid->MoveColumn(1, 5);
    Grid->MoveColumn(5, 1);
  }
  State.SetItemsProcessed(State.iterations() * 2);
}
BENCHMARK(MoveColumn)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- layout and hit tests

void CalcDrawInfo(benchmark::State& State, bool AtBottom) {
  Big().Place(AtBottom);
  TYGridDrawInfo DrawInfo;
  for (auto _ : State) {
    Big().Grid->CalcDrawInfo(DrawInfo);
    benchmark::DoNotOptimize(DrawInfo);
  }
}
BENCHMARK_CAPTURE(CalcDrawInfo, top, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CalcDrawInfo, bottom, true)->Unit(benchmark::kMicrosecond);

// The cell under a point, the layout included.
void MouseCoord(benchmark::State& State, bool AtBottom) {
  Big().Place(AtBottom);
  const TPoint P = Big().DataPoint(3);
  for (auto _ : State)
    benchmark::DoNotOptimize(Big().Grid->MouseCoord(P.X, P.Y));
}
BENCHMARK_CAPTURE(MouseCoord, top, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MouseCoord, bottom, true)->Unit(benchmark::kMicrosecond);

// The cell under a point in a layout already computed.
void CalcCoordFromPoint(benchmark::State& State, bool AtBottom) {
  Big().Place(AtBottom);
  const TPoint P = Big().DataPoint(3);
  TYGridDrawInfo DrawInfo;
  Big().Grid->CalcDrawInfo(DrawInfo);
  for (auto _ : State)
    benchmark::DoNotOptimize(Big().Grid->CalcCoordFromPoint(P.X, P.Y, DrawInfo));
}
BENCHMARK_CAPTURE(CalcCoordFromPoint, top, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CalcCoordFromPoint, bottom, true)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------- painting and interaction

void FullPaint(benchmark::State& State, bool AtBottom) {
  Big().Place(AtBottom);
  TYGrid* Grid = Big().Grid;
  for (auto _ : State) {
    Grid->Invalidate();
    Grid->Update();
  }
}
BENCHMARK_CAPTURE(FullPaint, top, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullPaint, bottom, true)->Unit(benchmark::kMillisecond);

// An arrow key there and back, with the repaint: the highlighted column (row) moves.
void MoveCurrentCell(benchmark::State& State, bool AtBottom, unsigned short Key,
                     unsigned short Back) {
  Big().Place(AtBottom);
  TYGrid* Grid = Big().Grid;
  for (auto _ : State) {
    Testing::PressKey(*Grid, Key);
    Grid->Update();
    Testing::PressKey(*Grid, Back);
    Grid->Update();
  }
  State.SetItemsProcessed(State.iterations() * 2);
}
BENCHMARK_CAPTURE(MoveCurrentCell, across_top, false, VK_RIGHT, VK_LEFT)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MoveCurrentCell, across_bottom, true, VK_RIGHT, VK_LEFT)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MoveCurrentCell, down_top, false, VK_DOWN, VK_UP)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MoveCurrentCell, down_bottom, true, VK_DOWN, VK_UP)
    ->Unit(benchmark::kMicrosecond);

// A click on the cell below the current one and on the current one again, with the repaint.
void Click(benchmark::State& State, bool AtBottom) {
  Big().Place(AtBottom);
  TYGrid* Grid = Big().Grid;
  const TPoint Here = Big().DataPoint(0);
  const TPoint Below = Big().DataPoint(1);
  for (auto _ : State) {
    Testing::ClickAt(*Grid, Below.X, Below.Y);
    Grid->Update();
    Testing::ClickAt(*Grid, Here.X, Here.Y);
    Grid->Update();
  }
  State.SetItemsProcessed(State.iterations() * 2);
}
BENCHMARK_CAPTURE(Click, top, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Click, bottom, true)->Unit(benchmark::kMicrosecond);

// The pointer moving over the data without a button: the grid looks for sizing lines.
void MouseMove(benchmark::State& State, bool AtBottom) {
  Big().Place(AtBottom);
  TYGrid* Grid = Big().Grid;
  const TPoint A = Big().DataPoint(2);
  const TPoint B = Big().DataPoint(3);
  for (auto _ : State) {
    Testing::MoveTo(*Grid, A.X, A.Y);
    Testing::MoveTo(*Grid, B.X, B.Y);
  }
  State.SetItemsProcessed(State.iterations() * 2);
}
BENCHMARK_CAPTURE(MouseMove, top, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MouseMove, bottom, true)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("QT_SCALE_FACTOR", "1", 1);
  Application->Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Shared.reset();
  return 0;
}
