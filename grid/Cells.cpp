#include "grid/HolderSteps.h"

// ---------------------------------------------------------------- TYCell

TYCell::TYCell(TYCellsVector* AColVector, TYCellsVector* ARowVector)
    : ColVector(AColVector), RowVector(ARowVector) {}

TYCustomGrid* TYCell::OwnerGrid() const {
  return RowVector->GetHolder()->GetOwnerGrid();
}

std::int32_t TYCell::GetHolderCol() const {
  return ColVector->GetHolderIndex();
}
std::int32_t TYCell::GetHolderRow() const {
  return RowVector->GetHolderIndex();
}
std::int32_t TYCell::GetGridCol() const {
  return ColVector->GetGridIndex();
}
std::int32_t TYCell::GetGridRow() const {
  return RowVector->GetGridIndex();
}

bool TYCell::GetUnioned() const {
  return Union && GridUnionIndex > -1 && GridUnionIndex < Union->GetGridUnionsCount();
}

TYGridUnion* TYCell::GetGridUnion() const {
  return GetUnioned() ? Union->GetGridUnions(GridUnionIndex) : nullptr;
}

bool TYCell::GetMarked() const {
  if (Marked) return true;
  return Union && Union->GetMarked();
}

void TYCell::SetMarked(bool Value) {
  TYCellsHolder* Holder = RowVector->GetHolder();
  TYCellsHolderClient* Client = Holder->GetClient();
  if (!Client->StoreOptions().Contains(ygoCellsMarking)) return;
  if (Value == Marked) return;
  if (ColVector->GetFixed() || RowVector->GetFixed()) return;
  if (Union) {
    Union->SetMarked(Value); // the whole union is marked together
    return;
  }
  if (!Client->CanMarkCell(this, Value)) return;
  Marked = Value;
  const bool Visible = ColVector->GetVisible() && RowVector->GetVisible();
  Holder->FlagChanged(Value);
  Holder->CountMark(Value, Visible);
  if (Visible) Client->MarkChanged(this);
}

// ---------------------------------------------------------------- TYCellsVector

TYCellsVector::TYCellsVector(TYCellsHolder* AHolder, bool AIsColumn, bool AFixed, bool AVisible,
                             std::int32_t ASize, std::int32_t ASlot)
    : Holder(AHolder), IsColumn(AIsColumn), Fixed(AFixed), Visible(AVisible), Size(ASize),
      Slot(ASlot) {}

TYCustomGrid* TYCellsVector::OwnerGrid() const {
  return Holder->GetOwnerGrid();
}

void TYCellsVector::SetSize(std::int32_t Value) {
  if (Value == Size) return;
  Size = Value;
  Holder->VectorSizeChanged(this);
}

void TYCellsVector::SetMarked(bool Value) {
  TYCellsHolderClient* Client = Holder->GetClient();
  if (!Client->StoreOptions().Contains(IsColumn ? ygoColsMarking : ygoRowsMarking)) return;
  if (Fixed || Value == Marked) return;
  if (!Client->CanMarkVector(this, Value)) return;
  Marked = Value;
  Holder->FlagChanged(Value);
  Holder->CountMark(Value, Visible);
  Holder->GetCellsUnions()->TryChangeMarked(this, Value);
  if (Visible) Client->MarkChanged(this);
}

// Inside the size-change bracket; a vector's marks count among the visible ones while it is
// visible, so the lists are rebuilt when the bracket closes.
void TYCellsVector::SetVisible(bool Value) {
  if (Value == Visible) return;
  Holder->Bracketed(true, [&] {
    Visible = Value;
    Holder->Enumerate(Holder->AxisOf(IsColumn));
  });
}
