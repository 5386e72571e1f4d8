// Range marking with Shift: the range runs from a fixed anchor (the current cell when it
// started) to the current cell. Each update toggles only what entered or left the range since
// the last one (up to MarkCorner), so a range drawn over marked items inverts them. Unions are
// set relative to their marks at the start of the range, not toggled step by step.
//
// Also marking a rectangle at once (MarkRange), which the keyboard uses.
//
// The mark hooks belong to the host, which may change the grid from them: each loop stops at
// such a change (the vectors and cells it walks may be gone), and a range that meets a changed
// grid starts again at the current cell.
#include "grid/YGrids.h"

#include <algorithm>
#include <unordered_set>

namespace {
bool InSpan(std::int32_t I, std::int32_t A, std::int32_t B) {
  return I >= std::min(A, B) && I <= std::max(A, B);
}

// The corner moves back toward (or across) the anchor on this axis.
bool Shrinks(std::int32_t Anchor, std::int32_t Corner, std::int32_t Current) {
  return (Corner > Anchor && Current < Corner) || (Corner < Anchor && Current > Corner);
}

// The indices from A to B, in either order.
TYIndexSpan Between(std::int32_t A, std::int32_t B) {
  return {std::min(A, B), std::max(A, B)};
}

// The indices past From up to To, in either direction (none when they are equal).
TYIndexSpan Beyond(std::int32_t From, std::int32_t To) {
  return To > From ? TYIndexSpan{From + 1, To} : TYIndexSpan{To, From - 1};
}

bool NewMark(bool Current, TYMarkRangeMode Mode) {
  return Mode == ymmToggle ? !Current : Mode == ymmMark;
}

void ToggleVector(TYCellsVector* Vector) {
  Vector->SetMarked(!Vector->GetMarked());
}
} // namespace

// ---------------------------------------------------------------- the range

void TYCustomGrid::StartMarkRange() {
  // The move to the anchor may have called a host that emptied the grid.
  if (!HasCurrentCell()) return;
  Holder->GetCellsUnions()->StoreMarkStatuses();
  MarkStamp = StructureStamp;
  ToggleMarkAt(CurrentCoord);
  MarkAnchor = CurrentCoord;
  MarkCorner = CurrentCoord;
}

// The column, the row, or the cell (a merged cell as a whole) by the marking mode.
void TYCustomGrid::ToggleMarkAt(const TYGridCoord& Coord) {
  if (Options.Contains(ygoColsMarking)) {
    ToggleVector(GetCols(Coord.X));
  } else if (Options.Contains(ygoRowsMarking)) {
    ToggleVector(GetRows(Coord.Y));
  } else if (Options.Contains(ygoCellsMarking)) {
    TYCell* Cell = GetCells(Coord.X, Coord.Y);
    if (Cell->GetUnioned())
      Cell->GetUnion()->SetMarked(!Cell->GetUnion()->GetMarked());
    else
      Cell->SetMarked(!Cell->GetMarked());
  }
}

void TYCustomGrid::ChangeMarkRange() {
  if (MarkStamp != StructureStamp) {
    MarkStamp = StructureStamp;
    MarkAnchor = MarkCorner = CurrentCoord;
    return;
  }
  if (Options.Contains(ygoColsMarking)) {
    ToggleVectorRange(true);
  } else if (Options.Contains(ygoRowsMarking)) {
    ToggleVectorRange(false);
  } else if (Options.Contains(ygoCellsMarking)) {
    ChangeCellRange();
    MarkHitUnions();
  }
  MarkCorner = CurrentCoord;
}

// Every vector but the anchor's that lies in exactly one of the old range (anchor to corner)
// and the new one (anchor to current) changes sides, so it is toggled.
void TYCustomGrid::ToggleVectorRange(bool Column) {
  const std::int32_t A = Column ? MarkAnchor.X : MarkAnchor.Y;
  const std::int32_t M = Column ? MarkCorner.X : MarkCorner.Y;
  const std::int32_t C = Column ? CurrentCoord.X : CurrentCoord.Y;
  const std::int32_t Count = Column ? GetColCount() : GetRowCount();
  if (C == M) return;
  for (std::int32_t I = std::max(0, std::min({A, M, C})); I <= std::max({A, M, C}) && I < Count;
       ++I) {
    if (MarkStamp != StructureStamp) return;
    if (I == A || InSpan(I, A, M) == InSpan(I, A, C)) continue;
    ToggleVector(Column ? GetCols(I) : GetRows(I));
  }
}

// The rectangle is brought from anchor-to-corner to anchor-to-current in up to four strips:
// first it shrinks to the anchor column and row where the corner moved back, then it grows by
// the columns and rows newly covered. Cells that stay inside while it shrinks along one axis
// are toggled off and on again.
void TYCustomGrid::ChangeCellRange() {
  const TYGridCoord A = MarkAnchor;
  const TYGridCoord C = CurrentCoord;
  TYGridCoord M = MarkCorner;
  if (C == M) return;
  const bool ShrinkX = Shrinks(A.X, M.X, C.X);
  const bool ShrinkY = Shrinks(A.Y, M.Y, C.Y);
  if (ShrinkX) {
    ToggleCells(Beyond(A.X, M.X), Between(A.Y, M.Y));
    M.X = A.X;
  }
  if (ShrinkY) {
    ToggleCells(Between(A.X, M.X), Beyond(A.Y, M.Y));
    M.Y = A.Y;
  }
  if (C.X != M.X) {
    ToggleCells(Beyond(M.X, C.X), Between(A.Y, M.Y));
    M.X = C.X;
  }
  if (C.Y != M.Y) ToggleCells(Between(A.X, M.X), Beyond(M.Y, C.Y));
}

// Column by column, row by row. Merged cells are left to MarkHitUnions.
void TYCustomGrid::ToggleCells(TYIndexSpan Cols, TYIndexSpan Rows) {
  for (std::int32_t Col = std::max(0, Cols.First); Col <= Cols.Last && Col < GetColCount(); ++Col)
    for (std::int32_t Row = std::max(0, Rows.First); Row <= Rows.Last && Row < GetRowCount();
         ++Row) {
      if (MarkStamp != StructureStamp) return;
      TYCell* Cell = GetCells(Col, Row);
      if (!Cell->GetBelongsToUnion()) Cell->SetMarked(!Cell->GetMarked());
    }
}

// A union that reaches into the range with a scrollable cell is inverted relative to its mark
// at the start of the range; every other one goes back to that mark.
void TYCustomGrid::MarkHitUnions() {
  const TYGridRect Range = NormalizedGridRect(MarkAnchor, CurrentCoord);
  TYCellsUnions* Unions = Holder->GetCellsUnions();
  for (std::int32_t I = 0; I < Unions->GetUnionsCount() && MarkStamp == StructureStamp; ++I) {
    TYCellsUnion* Union = Unions->GetUnions(I);
    Union->SetMarked(UnionHit(Union, Range) != Union->GetStoredMarked());
  }
}

bool TYCustomGrid::UnionHit(const TYCellsUnion* Union, const TYGridRect& Rect) const {
  for (std::int32_t I = 0; I < Union->GetCellsCount(); ++I) {
    const TYCell* Cell = Union->GetCells(I);
    const std::int32_t Col = Cell->GetGridCol();
    const std::int32_t Row = Cell->GetGridRow();
    if (Col >= GetFixedCols() && Row >= GetFixedRows() && CellInGridRect(Col, Row, Rect))
      return true;
  }
  return false;
}

// ---------------------------------------------------------------- a rectangle at once

void TYCustomGrid::MarkRange(const TYGridCoord& From, const TYGridCoord& To, TYMarkRangeMode Mode) {
  auto Check = [this](std::int32_t First, std::int32_t Last, std::int32_t Count) {
    if (First <= Last && (First < 0 || Last >= Count)) GridError(this, SGridIndexOutOfRange);
  };
  const std::uint64_t Stamp = StructureStamp;
  auto Vectors = [&](bool Column, std::int32_t First, std::int32_t Last) {
    Check(First, Last, Column ? GetColCount() : GetRowCount());
    for (std::int32_t I = First; I <= Last && StructureStamp == Stamp; ++I) {
      TYCellsVector* Vector = Column ? GetCols(I) : GetRows(I);
      Vector->SetMarked(NewMark(Vector->GetMarked(), Mode));
    }
  };
  if (Options.Contains(ygoColsMarking)) {
    Vectors(true, From.X, To.X);
  } else if (Options.Contains(ygoRowsMarking)) {
    Vectors(false, From.Y, To.Y);
  } else if (Options.Contains(ygoCellsMarking)) {
    Check(From.X, To.X, GetColCount());
    Check(From.Y, To.Y, GetRowCount());
    MarkCellRange(From, To, Mode);
  }
}

// The cells are collected first, column by column: a merged cell once, by its first cell met.
// A cell of a union marks the whole union through its setter.
void TYCustomGrid::MarkCellRange(const TYGridCoord& From, const TYGridCoord& To,
                                 TYMarkRangeMode Mode) {
  const std::uint64_t Stamp = StructureStamp;
  std::vector<TYCell*> Cells;
  std::unordered_set<const TYCellsUnion*> Met;
  for (std::int32_t Col = From.X; Col <= To.X; ++Col)
    for (std::int32_t Row = From.Y; Row <= To.Y; ++Row) {
      TYCell* Cell = GetCells(Col, Row);
      if (Cell->GetUnion() && !Met.insert(Cell->GetUnion()).second) continue;
      Cells.push_back(Cell);
    }
  for (TYCell* Cell : Cells) {
    if (StructureStamp != Stamp) return; // the cells collected may be gone
    Cell->SetMarked(NewMark(Cell->GetMarked(), Mode));
  }
}
