// Private to the store's sources: the steps every structural change is built from.
//
// A change first makes the store whole in its new shape — vectors and cells created or taken
// out, every axis numbered — and only then runs the host's hooks, in the documented order. So
// a hook that raises, or that reads the store, always meets a consistent store, and the
// size-change bracket is closed on the way out whatever happens.
#pragma once

#include "grid/YGrids.h"

#include <exception>
#include <vector>

// Vectors and cells taken out of the store by a change. They stay alive until their free
// hooks have run, then their memory goes.
struct TYCellsHolder::TDoomed {
  std::vector<TYCellsVector*> Cols; // removed columns, in holder order
  std::vector<TYCellsVector*> Rows; // removed rows, in holder order
  // The columns whose cells in a removed row go with it, in holder order as they were.
  std::vector<TYCellsVector*> ColsOfRows;
  // The rows that lose their cells of the removed columns, in holder order.
  std::vector<TYCellsVector*> RowsOfCols;
};

namespace YGridsDetail {
// Runs calls that must all happen even when some raise — the free hooks of objects that are
// going away — and raises the first error once they have.
class TRunAll {
public:
  template <class Fn> void operator()(Fn&& Call) {
    try {
      Call();
    } catch (...) {
      if (!First) First = std::current_exception();
    }
  }
  void RaiseFirst() {
    if (First) std::rethrow_exception(First);
  }

private:
  std::exception_ptr First;
};
} // namespace YGridsDetail

// Runs Step inside the size-change bracket. The bracket is closed also when Step raises (the
// store is consistent by then); an error of the closing itself then gives way to Step's.
template <class Change> void TYCellsHolder::Bracketed(bool FullRepaint, Change&& Step) {
  OpenSizeChange();
  try {
    Step();
  } catch (...) {
    try {
      CloseSizeChange(FullRepaint);
    } catch (...) {
      // The change's own error is the one to report.
    }
    throw;
  }
  CloseSizeChange(FullRepaint);
}
