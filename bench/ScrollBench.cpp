// Speed of moving the view in a window (offscreen unless a display is set): a scroll by one
// row moves the pixels and repaints only the uncovered strip, which should cost a fraction of
// painting the whole window; a jump longer than the window costs one full repaint.
#include "grid/YGrids.h"
#include "host/gui/Forms.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// A 40 x 2000 grid filling a 800 x 600 window, every cell with a text.
struct TScrollingGrid {
  TScrollingGrid() {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 820, 620);
    Grid = new TYGrid(Form.get());
    Grid->GetHolder()->ChangeSize(40, 2000);
    Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoZebraRows});
    Grid->OnDrawCellText = [](TYCustomGrid*, TYCell*, std::int32_t ACol, std::int32_t ARow,
                              TYGridDrawStates, TRect&, std::string& Text, bool&, TAlignment&,
                              TYVertAlignment&) { Text = std::to_string(ACol * 1000 + ARow); };
    Grid->SetBounds(0, 0, 800, 600);
    Grid->SetParent(Form.get());
    Form->Show();
    Grid->Update();
  }
  void Scroll(int Code) {
    Grid->Perform(WM_VSCROLL, MakeWParam(static_cast<unsigned>(Code), 0));
    Grid->Update();
  }
  std::unique_ptr<TForm> Form;
  TYGrid* Grid = nullptr; // owned by the form
};

void ScrollOneRow(benchmark::State& State) {
  TScrollingGrid G;
  for (auto _ : State) {
    G.Scroll(SB_LINEDOWN);
    G.Scroll(SB_LINEUP);
  }
  State.SetItemsProcessed(State.iterations() * 2);
}
BENCHMARK(ScrollOneRow)->Unit(benchmark::kMicrosecond);

void RepaintWholeWindow(benchmark::State& State) {
  TScrollingGrid G;
  for (auto _ : State) {
    G.Grid->Invalidate();
    G.Grid->Update();
  }
  State.SetItemsProcessed(State.iterations());
}
BENCHMARK(RepaintWholeWindow)->Unit(benchmark::kMicrosecond);

void JumpToTheEnds(benchmark::State& State) {
  TScrollingGrid G;
  for (auto _ : State) {
    G.Scroll(SB_BOTTOM);
    G.Scroll(SB_TOP);
  }
  State.SetItemsProcessed(State.iterations() * 2);
}
BENCHMARK(JumpToTheEnds)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
  Application->Initialize(); // offscreen when there is no display
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
