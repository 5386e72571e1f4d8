#include "tests/support/GridTestSupport.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace {
struct UserData {
  std::string Label;
};

std::string CellLabel(const TYCell* Cell) {
  return "c" + std::to_string(Cell->GetHolderCol()) + "r" + std::to_string(Cell->GetHolderRow());
}

std::string VectorLabel(const TYCellsVector* V) {
  return (V->GetIsColumn() ? "col" : "row") + std::to_string(V->GetHolderIndex());
}

void MaybeRaise(const HookRecorder& R) {
  if (R.Raise && R.Raise()) throw EHostFailure();
}

template <class T> void InitData(HookRecorder& R, T* Object, const std::string& Label) {
  MaybeRaise(R);
  if (Object->GetData()) R.Errors.push_back("init over live data: " + Label);
  Object->SetData(new UserData{Label});
  ++R.LiveData;
  R.Log.push_back("init " + Label);
}

template <class T> void FreeData(HookRecorder& R, T* Object) {
  auto* Data = static_cast<UserData*>(Object->GetData());
  if (!Data) {
    R.Errors.push_back("free without data");
    R.Log.push_back("free ?");
    return;
  }
  R.Log.push_back("free " + Data->Label);
  delete Data;
  Object->SetData(nullptr);
  --R.LiveData;
  MaybeRaise(R);
}
} // namespace

std::string LabelOf(const TYCell* Cell) {
  auto* Data = static_cast<UserData*>(Cell->GetData());
  return Data ? Data->Label : "";
}

std::string LabelOf(const TYCellsVector* Vector) {
  auto* Data = static_cast<UserData*>(Vector->GetData());
  return Data ? Data->Label : "";
}

void HookRecorder::Attach(TYCustomGrid& Grid) {
  Grid.OnInitCell = [this](TYCustomGrid*, TYCell* Cell) { InitData(*this, Cell, CellLabel(Cell)); };
  Grid.OnFreeCell = [this](TYCustomGrid*, TYCell* Cell) { FreeData(*this, Cell); };
  Grid.OnInitCellsVector = [this](TYCustomGrid*, TYCellsVector* V) {
    InitData(*this, V, VectorLabel(V));
  };
  Grid.OnFreeCellsVector = [this](TYCustomGrid*, TYCellsVector* V) { FreeData(*this, V); };
}

void HookRecorder::AttachMarks(TYCustomGrid& Grid) {
  auto Vector = [this](TYCustomGrid*, TYCellsVector* V, bool Value, bool& CanMark) {
    MaybeRaise(*this);
    const std::string Label = LabelOf(V);
    Log.push_back("mark " + Label + (Value ? " 1" : " 0"));
    if (std::find(Vetoed.begin(), Vetoed.end(), Label) != Vetoed.end()) CanMark = false;
  };
  Grid.OnMarkCol = Vector;
  Grid.OnMarkRow = Vector;
  Grid.OnMarkCell = [this](TYCustomGrid*, TYCell* Cell, bool Value, bool& CanMark) {
    MaybeRaise(*this);
    const std::string Label = LabelOf(Cell);
    Log.push_back("mark " + Label + (Value ? " 1" : " 0"));
    if (std::find(Vetoed.begin(), Vetoed.end(), Label) != Vetoed.end()) CanMark = false;
  };
}

std::vector<std::string> HookRecorder::With(const std::string& Prefix) const {
  std::vector<std::string> Result;
  for (const auto& Entry : Log)
    if (Entry.rfind(Prefix, 0) == 0) Result.push_back(Entry);
  return Result;
}

void PrepareGrid(TYCustomGrid& Grid, std::int32_t Cols, std::int32_t Rows, HookRecorder* Recorder) {
  if (Recorder) {
    // The constructor's own cells were created before the handlers existed.
    Recorder->Attach(Grid);
    TYCellsHolder* H = Grid.GetHolder();
    H->InitVectorsRangeData(true, 0, H->GetColCount() - 1);
    H->InitVectorsRangeData(false, 0, H->GetRowCount() - 1);
    H->InitCellsRangeData({0, 0}, {H->GetColCount() - 1, H->GetRowCount() - 1});
  }
  Grid.GetHolder()->ChangeSize(Cols, Rows);
  if (Recorder) Recorder->Clear();
}

std::unique_ptr<TYGrid> MakeGrid(std::int32_t Cols, std::int32_t Rows, HookRecorder* Recorder) {
  return MakeGridOf<TYGrid>(Cols, Rows, Recorder);
}

std::vector<std::int32_t> Visible(const TYCustomGrid& Grid, bool Columns) {
  return Columns ? Grid.GetColMap() : Grid.GetRowMap();
}

std::unique_ptr<TYCellList> CellsOf(std::initializer_list<TYCell*> Cells) {
  auto List = std::make_unique<TYCellList>();
  for (TYCell* Cell : Cells)
    List->Add(Cell);
  return List;
}

TList VectorList(std::initializer_list<TYCellsVector*> Vectors) {
  TList List;
  for (TYCellsVector* V : Vectors)
    List.Add(V);
  return List;
}

// ---------------------------------------------------------------- the checker

namespace {
// Collects the first failures as text.
class Findings {
public:
  template <class... Args> void Fail(Args&&... Parts) {
    if (Count++ >= 8) return;
    std::ostringstream Out;
    (Out << ... << Parts);
    Text += Out.str() + "\n";
  }
  testing::AssertionResult Result() const {
    if (Count == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << Count << " inconsistencies:\n" << Text;
  }

private:
  int Count = 0;
  std::string Text;
};

void CheckAxis(Findings& F, TYCustomGrid& Grid, bool Columns) {
  TYCellsHolder* H = Grid.GetHolder();
  const std::int32_t Count = Columns ? H->GetColCount() : H->GetRowCount();
  const std::int32_t Fixed = Columns ? H->GetFixedCols() : H->GetFixedRows();
  const char* Name = Columns ? "column " : "row ";
  std::vector<std::int32_t> Map;
  std::int32_t VisibleFixed = 0;
  for (std::int32_t I = 0; I < Count; ++I) {
    TYCellsVector* V = Columns ? H->GetCols(I) : H->GetRows(I);
    if (V->GetHolder() != H || V->GetIsColumn() != Columns)
      F.Fail(Name, I, ": wrong holder or kind");
    if (V->GetHolderIndex() != I) F.Fail(Name, I, ": HolderIndex ", V->GetHolderIndex());
    if (V->GetFixed() != (I < Fixed)) F.Fail(Name, I, ": Fixed flag ", V->GetFixed());
    const std::int32_t Expected = V->GetVisible() ? static_cast<std::int32_t>(Map.size()) : -1;
    if (V->GetGridIndex() != Expected)
      F.Fail(Name, I, ": GridIndex ", V->GetGridIndex(), " expected ", Expected);
    if (V->GetVisible()) {
      Map.push_back(I);
      if (I < Fixed) ++VisibleFixed;
    }
    if (Columns && V->GetRowCells().GetCount() != 0) F.Fail(Name, I, ": a column lists cells");
  }
  const auto GridCount = static_cast<std::int32_t>(Map.size());
  if ((Columns ? Grid.GetColMap() : Grid.GetRowMap()) != Map)
    F.Fail(Name, "map differs from the visible vectors");
  if ((Columns ? Grid.GetColCount() : Grid.GetRowCount()) != GridCount)
    F.Fail(Name, "grid count wrong");
  if ((Columns ? H->GetGridColCount() : H->GetGridRowCount()) != GridCount)
    F.Fail(Name, "holder grid count wrong");
  const std::int32_t GridFixed = std::min(VisibleFixed, GridCount - 1);
  if ((Columns ? Grid.GetFixedCols() : Grid.GetFixedRows()) != GridFixed)
    F.Fail(Name, "grid fixed count wrong");
  // Deletions leave the fixed count as it is, so it may reach the count; it never goes negative.
  if (Fixed < 0) F.Fail(Name, "negative fixed count ", Fixed);
}

void CheckCells(Findings& F, TYCellsHolder* H) {
  for (std::int32_t R = 0; R < H->GetRowCount(); ++R) {
    TYCellsVector* Row = H->GetRows(R);
    if (Row->GetRowCells().GetCount() != H->GetColCount()) {
      F.Fail("row ", R, " has ", Row->GetRowCells().GetCount(), " cells");
      continue;
    }
    for (std::int32_t C = 0; C < H->GetColCount(); ++C) {
      TYCell* Cell = Row->GetRowCells()[C];
      if (!Cell || Cell->GetColVector() != H->GetCols(C) || Cell->GetRowVector() != Row)
        F.Fail("cell (", C, ",", R, ") is not linked to its vectors");
    }
  }
}

using CellSet = std::set<const TYCell*>;

// The 4-connected components (two or more cells) of a union's visible cells, found afresh.
std::vector<CellSet> ExpectedPieces(const TYCellsUnion* U) {
  std::vector<const TYCell*> Shown;
  for (std::int32_t I = 0; I < U->GetCellsCount(); ++I)
    if (U->GetCells(I)->GetGridCol() >= 0 && U->GetCells(I)->GetGridRow() >= 0)
      Shown.push_back(U->GetCells(I));
  std::vector<CellSet> Pieces;
  CellSet Done;
  for (const TYCell* Start : Shown) {
    if (Done.count(Start)) continue;
    CellSet Group{Start};
    std::vector<const TYCell*> Stack{Start};
    while (!Stack.empty()) {
      const TYCell* A = Stack.back();
      Stack.pop_back();
      for (const TYCell* B : Shown) {
        const int DC = std::abs(A->GetGridCol() - B->GetGridCol());
        const int DR = std::abs(A->GetGridRow() - B->GetGridRow());
        if (DC + DR == 1 && Group.insert(B).second) Stack.push_back(B);
      }
    }
    Done.insert(Group.begin(), Group.end());
    if (Group.size() >= 2) Pieces.push_back(Group);
  }
  return Pieces;
}

void CheckPiece(Findings& F, const TYCellsUnion* U, std::int32_t P, CellSet& Seen) {
  TYGridUnion* Piece = U->GetGridUnions(P);
  TYGridRect Box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (std::int32_t I = 0; I < Piece->GetCount(); ++I) {
    TYCell* Cell = Piece->GetCells(I);
    if (!Seen.insert(Cell).second) F.Fail("a cell is in two pieces");
    if (Cell->GetGridUnionIndex() != P)
      F.Fail("piece cell has GridUnionIndex ", Cell->GetGridUnionIndex());
    Box = {std::min(Box.Left, Cell->GetGridCol()), std::min(Box.Top, Cell->GetGridRow()),
           std::max(Box.Right, Cell->GetGridCol()), std::max(Box.Bottom, Cell->GetGridRow())};
  }
  if (!(Box == Piece->GetRect())) F.Fail("piece rectangle is not the bounding box of its cells");
  if (Piece->GetCellsUnion() != U || Piece->GetMainCell() != U->GetMainCell())
    F.Fail("piece not linked to its union");
}

void CheckUnion(Findings& F, const TYCellsUnion* U, std::set<const TYCell*>& InUnions) {
  CellSet Cells;
  for (std::int32_t I = 0; I < U->GetCellsCount(); ++I) {
    TYCell* Cell = U->GetCells(I);
    if (!Cells.insert(Cell).second) F.Fail("a union lists a cell twice");
    if (!InUnions.insert(Cell).second) F.Fail("a cell belongs to two unions");
    if (U->GetEnabled() && Cell->GetUnion() != U) F.Fail("union cell not linked to its union");
    if (!U->GetEnabled() && Cell->GetUnion() == U) F.Fail("disabled union still linked");
  }
  if (U->GetCellsCount() < 2) F.Fail("union of fewer than 2 cells");
  if (!Cells.count(U->GetMainCell())) F.Fail("main cell not in the union");
  if (!U->GetEnabled()) {
    if (U->GetGridUnionsCount() != 0) F.Fail("disabled union has pieces");
    return;
  }
  CellSet Seen;
  std::vector<CellSet> Actual;
  for (std::int32_t P = 0; P < U->GetGridUnionsCount(); ++P) {
    CheckPiece(F, U, P, Seen);
    CellSet Piece;
    for (std::int32_t I = 0; I < U->GetGridUnions(P)->GetCount(); ++I)
      Piece.insert(U->GetGridUnions(P)->GetCells(I));
    Actual.push_back(Piece);
  }
  if (Actual != ExpectedPieces(U))
    F.Fail("pieces are not the connected groups of the visible cells");
  for (const TYCell* Cell : Cells)
    if (!Seen.count(Cell) && Cell->GetGridUnionIndex() != -1)
      F.Fail("cell outside every piece has an index");
}

void CheckUnions(Findings& F, TYCellsHolder* H) {
  std::set<const TYCell*> InUnions;
  std::set<const TYCellsUnion*> Unions;
  TYCellsUnions* All = H->GetCellsUnions();
  for (std::int32_t I = 0; I < All->GetUnionsCount(); ++I) {
    Unions.insert(All->GetUnions(I));
    CheckUnion(F, All->GetUnions(I), InUnions);
  }
  for (std::int32_t R = 0; R < H->GetRowCount(); ++R)
    for (std::int32_t C = 0; C < H->GetColCount(); ++C) {
      const TYCell* Cell = H->GetCells(C, R);
      if (Cell->GetUnion() && !Unions.count(Cell->GetUnion()))
        F.Fail("cell linked to a union that is gone");
      if (!Cell->GetUnion() && Cell->GetGridUnionIndex() != -1)
        F.Fail("cell without union has a piece index");
    }
}

// What the mark lists must hold, found afresh from the flags.
void ExpectedMarks(TYCustomGrid& Grid, std::vector<void*>& All, std::vector<void*>& Shown) {
  TYCellsHolder* H = Grid.GetHolder();
  const TYGridOptions O = Grid.GetOptions();
  if (O.Contains(ygoRowsMarking) || O.Contains(ygoColsMarking)) {
    const bool Cols = O.Contains(ygoColsMarking) && !O.Contains(ygoRowsMarking);
    const std::int32_t Count = Cols ? H->GetColCount() : H->GetRowCount();
    for (std::int32_t I = Cols ? H->GetFixedCols() : H->GetFixedRows(); I < Count; ++I) {
      TYCellsVector* V = Cols ? H->GetCols(I) : H->GetRows(I);
      if (!V->GetMarked()) continue;
      All.push_back(V);
      if (V->GetVisible()) Shown.push_back(V);
    }
  } else if (O.Contains(ygoCellsMarking)) {
    for (std::int32_t R = H->GetFixedRows(); R < H->GetRowCount(); ++R)
      for (std::int32_t C = H->GetFixedCols(); C < H->GetColCount(); ++C) {
        TYCell* Cell = H->GetCells(C, R);
        if (!Cell->GetOwnMarked()) continue;
        All.push_back(Cell);
        if (H->GetCols(C)->GetVisible() && H->GetRows(R)->GetVisible()) Shown.push_back(Cell);
      }
  }
}

void CheckMarks(Findings& F, TYCustomGrid& Grid) {
  TYCellsHolder* H = Grid.GetHolder();
  std::vector<void*> All, Shown;
  ExpectedMarks(Grid, All, Shown);
  if (H->GetMarkedCount() != static_cast<std::int32_t>(All.size()))
    F.Fail("holder MarkedCount ", H->GetMarkedCount(), " but ", All.size(), " marked");
  if (Grid.GetMarkedCount() != static_cast<std::int32_t>(Shown.size()))
    F.Fail("grid MarkedCount ", Grid.GetMarkedCount(), " but ", Shown.size(),
           " marked and visible");
  if (H->GetMarkListDirty()) return;
  if (std::vector<void*>(H->GetMarkList().begin(), H->GetMarkList().end()) != All)
    F.Fail("holder MarkList stale");
  if (std::vector<void*>(Grid.GetGridMarkList().begin(), Grid.GetGridMarkList().end()) != Shown)
    F.Fail("grid MarkList stale");
}

void CheckCurrent(Findings& F, TYCustomGrid& Grid) {
  if (Grid.GetSavedFocusCell()) F.Fail("SavedFocusCell left set");
  if (Grid.GetColCount() == 0 || Grid.GetRowCount() == 0) return;
  const std::int32_t C = Grid.GetCol();
  const std::int32_t R = Grid.GetRow();
  if (C < 0 || C >= Grid.GetColCount() || R < 0 || R >= Grid.GetRowCount()) {
    F.Fail("current cell (", C, ",", R, ") outside the grid");
    return;
  }
  if (Grid.GetLeftCol() < Grid.GetFixedCols() || Grid.GetLeftCol() >= Grid.GetColCount() ||
      Grid.GetTopRow() < Grid.GetFixedRows() || Grid.GetTopRow() >= Grid.GetRowCount())
    F.Fail("first scrollable cell shown (", Grid.GetLeftCol(), ",", Grid.GetTopRow(),
           ") is not scrollable");
  TYGridRect Expected{C, R, C, R};
  if (TYGridUnion* Piece = Grid.GetCells(C, R)->GetGridUnion()) Expected = Piece->GetRect();
  if (!(Grid.GetCurrentCellRect() == Expected)) F.Fail("CurrentCellRect stale");
}
} // namespace

testing::AssertionResult ModelConsistent(TYCustomGrid& Grid) {
  Findings F;
  CheckAxis(F, Grid, true);
  CheckAxis(F, Grid, false);
  CheckCells(F, Grid.GetHolder());
  CheckUnions(F, Grid.GetHolder());
  CheckMarks(F, Grid);
  CheckCurrent(F, Grid);
  return F.Result();
}
