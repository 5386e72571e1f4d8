// Union state: enabling, the shared mark, marks of columns and rows reaching unions, and the
// repaint requests a union makes after a change.
#include "grid/YGrids.h"

#include <unordered_set>

void TYCellsUnion::SetEnabled(bool Value) {
  if (Value == Enabled) return;
  Enabled = Value;
  if (Value)
    Refresh();
  else
    Disable();
  Invalidate();
}

void TYCellsUnion::LinkCells(TYCellsUnion* Link) {
  Marked = false;
  CellList->ForEach([Link](TYCell* Cell) {
    Cell->Union = Link;
    Cell->GridUnionIndex = -1;
  });
  GridUnionList.Clear();
}

void TYCellsUnion::Enable() {
  LinkCells(this);
}
void TYCellsUnion::Disable() {
  LinkCells(nullptr);
}

void TYCellsUnion::SetMarked(bool Value) {
  if (Value == Marked) return;
  if (!Holder()->GetClient()->CanMarkCell(MainCell, Value)) return;
  Marked = Value;
  CellList->ForEach([this, Value](TYCell* Cell) { SetCellOwnMark(Cell, Value); });
  Invalidate();
}

// ---------------------------------------------------------------- repaint requests

// The grid knows what the union's appearance touches on screen.
void TYCellsUnion::Invalidate() {
  if (!Holder()->GetUnionInvalidateLocked()) Holder()->GetClient()->UnionChanged(this);
}

// ---------------------------------------------------------------- column and row marks

// When a whole column (row) is marked or unmarked, every union it cuts follows, unless another
// visible column (row) of the union keeps it marked.
bool TYCellsUnions::TryChangeMarked(TYCellsVector* CellsVector, bool MarkValue) {
  if (!CellsVector->GetVisible()) return false;
  const TYGridOptions Options = Holder->GetClient()->StoreOptions();
  const bool IsColumn = CellsVector->GetIsColumn();
  if (!Options.Contains(IsColumn ? ygoColsMarking : ygoRowsMarking)) return false;
  bool Changed = false;
  for (const auto& Union : UnionList) {
    if (!Union->Enabled || !Union->MainCellScrollable() || Union->Marked == MarkValue) continue;
    if (!UnionFollowsVector(Union.get(), CellsVector)) continue;
    Union->Marked = MarkValue;
    Changed = true;
  }
  return Changed;
}

// True when Vector cuts the union and no other visible vector of its axis that holds cells of
// the union is marked.
bool TYCellsUnions::UnionFollowsVector(const TYCellsUnion* Union,
                                       const TYCellsVector* Vector) const {
  const bool IsColumn = Vector->GetIsColumn();
  bool Touched = false;
  std::unordered_set<const TYCellsVector*> Others;
  Union->CellList->ForEach([&](TYCell* Cell) {
    const TYCellsVector* V = IsColumn ? Cell->GetColVector() : Cell->GetRowVector();
    if (V == Vector)
      Touched = true;
    else if (V->GetVisible())
      Others.insert(V);
  });
  if (!Touched) return false;
  for (const TYCellsVector* V : Others)
    if (V->GetMarked()) return false;
  return true;
}
