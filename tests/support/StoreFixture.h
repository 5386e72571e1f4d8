// A fixture around one grid's store, played by a host that records hooks and keeps user data:
// every piece of it must be freed exactly once when the grid goes.
#pragma once

#include "tests/support/GridTestSupport.h"

#include <gtest/gtest.h>

class StoreFixture : public testing::Test {
protected:
  void Make(std::int32_t Cols, std::int32_t Rows) {
    Grid = MakeGrid(Cols, Rows, &Recorder);
    Recorder.Clear(); // the hooks of a grid this one replaced
    H = Grid->GetHolder();
    // Every closed size-change bracket puts the focus back through the host's handler.
    Grid->OnFocusCell = [this](TYCustomGrid*, TYCell*, std::int32_t&, std::int32_t&) {
      ++FocusEvents;
    };
  }
  void SetUp() override { Make(5, 5); }
  void TearDown() override {
    Grid.reset();
    EXPECT_EQ(Recorder.LiveData, 0);
    EXPECT_TRUE(Recorder.Errors.empty());
  }

  HookRecorder Recorder;
  std::unique_ptr<TYGrid> Grid;
  TYCellsHolder* H = nullptr;
  int FocusEvents = 0;
};
