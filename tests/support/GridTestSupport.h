// Helpers shared by the grid tests: a recorder of hook and event calls that also plays a host
// keeping user data, and a checker of the cell model's invariants.
#pragma once

#include "grid/YGrids.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Plays the host: every init hook allocates a label as the object's user data, every free
// hook releases it. The label is the object's holder position when it was created ("c2r3",
// "col2", "row3"), so the free hooks can name objects whose vectors are already gone.
class HookRecorder {
public:
  // Installs the init and free handlers (and, when asked, the mark handlers) on Grid.
  void Attach(TYCustomGrid& Grid);
  void AttachMarks(TYCustomGrid& Grid);

  std::vector<std::string> Log;    // "init c1r2", "free row3", "mark row2 1", ...
  int LiveData = 0;                // user data allocated and not yet released
  std::vector<std::string> Errors; // init over live data, free of no data
  std::vector<std::string> Vetoed; // labels whose mark changes the host refuses
  // When set and answering true, the next hook raises EHostFailure: an init hook before it
  // allocates, a free hook after it released, a mark hook instead of answering.
  std::function<bool()> Raise;

  // The entries of Log that start with Prefix, in order.
  std::vector<std::string> With(const std::string& Prefix) const;
  void Clear() { Log.clear(); }
};

// What a recorder's hooks raise when told to.
class EHostFailure : public Exception {
public:
  EHostFailure() : Exception("the host failed") {}
};

// The label a recorder gave to an object, or "" when it has none.
std::string LabelOf(const TYCell* Cell);
std::string LabelOf(const TYCellsVector* Vector);

// Checks every invariant of the model: indices, maps and counts against the vectors, each
// row's cells, the union links and pieces (recomputed independently), the mark counts and
// lists against a fresh recount, and the current cell and its extent.
testing::AssertionResult ModelConsistent(TYCustomGrid& Grid);

// Gives a new grid the size (holder counts) through the public interface, with the recorder's
// user data on every cell and vector when there is one.
void PrepareGrid(TYCustomGrid& Grid, std::int32_t Cols, std::int32_t Rows,
                 HookRecorder* Recorder = nullptr);
std::unique_ptr<TYGrid> MakeGrid(std::int32_t Cols, std::int32_t Rows,
                                 HookRecorder* Recorder = nullptr);
// The same for a test's own grid class.
template <class G>
std::unique_ptr<G> MakeGridOf(std::int32_t Cols, std::int32_t Rows,
                              HookRecorder* Recorder = nullptr) {
  auto Grid = std::make_unique<G>(nullptr);
  PrepareGrid(*Grid, Cols, Rows, Recorder);
  return Grid;
}

// Holder indices of the visible vectors of one axis, as the grid maps them.
std::vector<std::int32_t> Visible(const TYCustomGrid& Grid, bool Columns);

// A list of vectors or cells for the range operations and unions.
std::unique_ptr<TYCellList> CellsOf(std::initializer_list<TYCell*> Cells);
TList VectorList(std::initializer_list<TYCellsVector*> Vectors);

// Readable rectangles and coordinates in failure messages.
inline void PrintTo(const TYGridRect& R, std::ostream* Out) {
  *Out << "(" << R.Left << "," << R.Top << ")-(" << R.Right << "," << R.Bottom << ")";
}
inline void PrintTo(const TYGridCoord& C, std::ostream* Out) {
  *Out << "(" << C.X << "," << C.Y << ")";
}
inline void PrintTo(const TRect& R, std::ostream* Out) {
  *Out << "[" << R.Left << "," << R.Top << "," << R.Right << "," << R.Bottom << ")";
}

// The message of the EYInvalidGridOperation that Action raises; "no error" when it raises
// nothing, and the exception's class name and message for any other exception.
template <class Fn> std::string GridErrorOf(Fn&& Action) {
  try {
    Action();
  } catch (const EYInvalidGridOperation& E) {
    return E.GetMessage();
  } catch (const Exception& E) {
    return std::string(E.ClassName()) + ": " + E.GetMessage();
  }
  return "no error";
}
