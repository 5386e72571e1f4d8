// The grid control object: construction, the index mapping, the hooks and their events, the
// property setters and moving vectors from the grid side.
#include "grid/YGrids.h"

#include "grid/GridAccessible.h"

#include "host/gui/Forms.h"
#include "host/gui/WinUser.h"

// The store's client: each change of the store reaches the grid's hooks, bracket and repaint
// requests through here.
class TYCustomGrid::THolderLink final : public TYCellsHolderClient {
public:
  explicit THolderLink(TYCustomGrid& AGrid) : Grid(AGrid) {}

  TYGridOptions StoreOptions() const override { return Grid.Options; }
  std::int32_t DefaultSize(bool IsColumn) const override {
    return IsColumn ? Grid.DefaultColWidth : Grid.DefaultRowHeight;
  }
  bool CanMarkVector(TYCellsVector* V, bool Value) override {
    return V->GetIsColumn() ? Grid.DoMarkCol(V, Value) : Grid.DoMarkRow(V, Value);
  }
  bool CanMarkCell(TYCell* Cell, bool Value) override { return Grid.DoMarkCell(Cell, Value); }

  void InitCell(TYCell* Cell) override { Grid.DoInitCell(Cell); }
  void FreeCell(TYCell* Cell) override { Grid.DoFreeCell(Cell); }
  void InitVector(TYCellsVector* V) override { Grid.DoInitCellsVector(V); }
  void FreeVector(TYCellsVector* V) override { Grid.DoFreeCellsVector(V); }

  void StructureChanging() override {
    Grid.EndDragBeforeChange();
    ++Grid.StructureStamp;
    Grid.SavedFocusCell = Grid.CurrentCellOrNone();
    Grid.PrepareChangeSize();
  }
  void StructureChanged(bool FullRepaint) override {
    ++Grid.StructureStamp;
    if (FullRepaint) Grid.FullRepaint = true;
    Grid.DoChangeSize();
  }
  // While the grid builds its store, there is no scroll position to keep yet.
  void AxisEnumerated(bool) override {
    ++Grid.StructureStamp;
    if (Grid.Holder) Grid.KeepTopLeftScrollable();
  }
  // The remembered focus cell must not outlive its cell: the grid then falls back to its
  // current position when the structural change closes.
  void CellDestroyed(TYCell* Cell) override {
    ++Grid.StructureStamp;
    if (Grid.SavedFocusCell == Cell) Grid.SavedFocusCell = nullptr;
  }
  // The focus keeps its grid position, but the pieces were cut anew: its extent must follow.
  void VectorsMoved(bool) override {
    ++Grid.StructureStamp;
    Grid.RefreshCurrentRect();
  }
  void FixedCountChanged(bool) override {
    ++Grid.StructureStamp;
    Grid.Initialize();
    Grid.InvalidateGrid();
    NotifyAccessibleTableChange(&Grid, TAccessibleTableChange::Reset);
  }
  void ChangeEnded() override { Grid.ReportTopLeftPull(); }
  void VectorResized(TYCellsVector* V, std::int32_t OldSize) override {
    if (V->GetIsColumn()) {
      Grid.ResizeCol(V->GetGridIndex(), OldSize, V->GetSize());
      Grid.ColWidthsChanged();
    } else {
      Grid.ResizeRow(V->GetGridIndex(), OldSize, V->GetSize());
      Grid.RowHeightsChanged();
    }
  }
  void RowsSorting() override {
    ++Grid.StructureStamp;
    Grid.SavedFocusCell = Grid.CurrentCellOrNone();
  }
  void RowsSorted(bool Completed) override {
    ++Grid.StructureStamp;
    Grid.RowsSorted(Completed);
  }

  // Mark changes are repainted, and told to assistive technologies as selection changes.
  void MarkChanged(TYCellsVector* V) override {
    if (V->GetIsColumn())
      Grid.InvalidateCol(V->GetGridIndex());
    else
      Grid.InvalidateRow(V->GetGridIndex());
    NotifyAccessibleSelectionWithin(&Grid);
  }
  void MarkChanged(TYCell* Cell) override {
    Grid.InvalidateCell(Cell->GetGridCol(), Cell->GetGridRow());
    NotifyAccessibleSelection(&Grid, Cell->GetGridCol(), Cell->GetGridRow(), Cell->GetMarked());
  }
  void MarksCleared() override {
    Grid.InvalidateGrid();
    NotifyAccessibleSelectionWithin(&Grid);
  }
  // A union came, went or was marked: its cells may now form other blocks, or be selected.
  void UnionChanged(TYCellsUnion* Union) override {
    Grid.InvalidateUnion(Union);
    NotifyAccessibleTableChange(&Grid, TAccessibleTableChange::Changed);
    NotifyAccessibleSelectionWithin(&Grid);
  }

private:
  TYCustomGrid& Grid;
};

TYCustomGrid::TYCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  // The grid captures the mouse, paints every pixel of its client area and wants double clicks.
  TControlStyle Style{csCaptureMouse, csOpaque, csDoubleClicks};
  if (!NewStyleControls) Style.Include(csFramed);
  SetControlStyle(Style);
  WorkBitmap = std::make_unique<TBitmap>();
  SetParentColor(false);
  ImageChangeLink = std::make_unique<TChangeLink>();
  ImageChangeLink->OnChange = [this](TObject*) { ImageListChange(); };
  Colors = std::make_unique<TYGridColors>(this);
  Fonts = std::make_unique<TYGridFonts>(this);
  HolderLink = std::make_unique<THolderLink>(*this);
  Holder = std::make_unique<TYCellsHolder>(this, HolderLink.get()); // 5 x 5 cells, init hooks
  SetTabStop(true);
  SetBounds(GetLeft(), GetTop(), GetColCount() * DefaultColWidth, GetRowCount() * DefaultRowHeight);
  Initialize();
}

TYCustomGrid::~TYCustomGrid() {
  OnChangeFocus = nullptr; // losing the focus while going reports nothing
  Destroying();
  DestroyHandle();
  Colors.reset();
  Fonts.reset();
  Holder.reset(); // frees every cell and vector through the free hooks
  if (Images) Images->UnRegisterChanges(ImageChangeLink.get());
}

// ---------------------------------------------------------------- window and images

void TYCustomGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_TABSTOP;
  if (ScrollBars == ssVertical || ScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (ScrollBars == ssHorizontal || ScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
  Params.WindowClass.style = CS_DBLCLKS;
  if (BorderStyle != bsSingle) return;
  if (NewStyleControls && GetCtl3D()) { // the 3D edge exists only with new-style controls
    Params.Style &= ~WS_BORDER;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  } else {
    Params.Style |= WS_BORDER;
  }
}

void TYCustomGrid::WndProc(TMessage& Message) {
  static constexpr TMessageHandler<TYCustomGrid> Table[] = {
      {CM_CTL3DCHANGED, &TYCustomGrid::CMCtl3DChanged},
      {WM_HSCROLL, &TYCustomGrid::WMHScroll},
      {WM_VSCROLL, &TYCustomGrid::WMVScroll},
      {WM_SIZE, &TYCustomGrid::WMSize},
      {CM_SHOWINGCHANGED, &TYCustomGrid::CMShowingChanged},
      {WM_GETDLGCODE, &TYCustomGrid::WMGetDlgCode},
      {WM_TIMER, &TYCustomGrid::WMTimer},
      {WM_SETFOCUS, &TYCustomGrid::WMSetFocus},
      {WM_KILLFOCUS, &TYCustomGrid::WMKillFocus},
      {WM_CANCELMODE, &TYCustomGrid::WMCancelMode},
      {CM_CANCELMODE, &TYCustomGrid::CMCancelMode},
      {WM_LBUTTONDBLCLK, &TYCustomGrid::WMLButtonDblClk},
      {WM_NCHITTEST, &TYCustomGrid::WMNCHitTest},
      {WM_SETCURSOR, &TYCustomGrid::WMSetCursor},
      {CM_DESIGNHITTEST, &TYCustomGrid::CMDesignHitTest},
  };
  if (!DispatchMessage(*this, Table, Message)) TCustomControl::WndProc(Message);
}

// The frame comes from CreateParams, which reads Ctl3D, so a shown grid needs a new window.
// The framework recreates only controls styled as framed; the grid chooses its frame itself.
void TYCustomGrid::CMCtl3DChanged(TMessage& Message) {
  TCustomControl::WndProc(Message);
  RecreateWnd();
}

void TYCustomGrid::SetBorderStyle(TBorderStyle Value) {
  if (Value == BorderStyle) return;
  BorderStyle = Value;
  RecreateWnd();
}

void TYCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == ScrollBars) return;
  ScrollBars = Value;
  RecreateWnd();
}

// The old list is left through the link's own record of it: a list that is being destroyed
// has already released its links and, half destroyed, must not be called.
void TYCustomGrid::SetImages(TCustomImageList* Value) {
  if (Value == Images) return;
  if (TCustomImageList* Old = ImageChangeLink->Sender)
    Old->UnRegisterChanges(ImageChangeLink.get());
  Images = Value;
  if (Images) {
    Images->RegisterChanges(ImageChangeLink.get());
    Images->FreeNotification(this); // to hear of the list's destruction
  }
  if (!IsLoading()) InvalidateGrid();
}

void TYCustomGrid::ImageListChange() {
  if (!IsDestroying()) InvalidateGrid();
}

void TYCustomGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || AComponent != Images) return;
  SetImages(nullptr);
  if (!IsDestroying()) InvalidateGrid();
}

bool TYCustomGrid::IsActiveControl() const {
  if (TForm* Form = GetParentForm(this)) return Form->GetActiveControl() == this;
  if (!HandleAllocated()) return false;
  for (HWND H = GetFocus(); H && IsWindow(H); H = GetParent(H))
    if (H == GetHandle()) return true;
  return false;
}

// Without a form, a grid shown in an application's widget counts as on an active form while
// the keyboard focus is in it.
bool TYCustomGrid::HasFocus() const {
  if (TForm* Form = GetParentForm(this)) return Form->GetActive();
  const TWinControl* Top = this;
  while (Top->GetParent())
    Top = Top->GetParent();
  return Top->GetHostWidget() && IsActiveControl();
}

// ---------------------------------------------------------------- index mapping

std::int32_t TYCustomGrid::GridToHolderCol(std::int32_t Index) const {
  if (Index < 0 || Index >= GetColCount()) GridError(this, SGridIndexOutOfRange);
  return GetColMap()[static_cast<size_t>(Index)];
}

std::int32_t TYCustomGrid::GridToHolderRow(std::int32_t Index) const {
  if (Index < 0 || Index >= GetRowCount()) GridError(this, SGridIndexOutOfRange);
  return GetRowMap()[static_cast<size_t>(Index)];
}

TYGridCoord TYCustomGrid::GridToHolderCell(const TYGridCoord& Coord) const {
  return {GridToHolderCol(Coord.X), GridToHolderRow(Coord.Y)};
}

TYCellsVector* TYCustomGrid::GetCols(std::int32_t Index) const {
  if (Index < 0 || Index >= GetColCount()) GridError(this, SGridIndexOutOfRange);
  return Holder->GetColAxis().GridVector(Index);
}
TYCellsVector* TYCustomGrid::GetRows(std::int32_t Index) const {
  if (Index < 0 || Index >= GetRowCount()) GridError(this, SGridIndexOutOfRange);
  return Holder->GetRowAxis().GridVector(Index);
}

TYCell* TYCustomGrid::GetCells(std::int32_t ACol, std::int32_t ARow) const {
  return Holder->CellAt(GetCols(ACol), GetRows(ARow));
}

std::int32_t TYCustomGrid::GetColWidths(std::int32_t Index) const {
  if (Index < 0 || Index >= GetColCount()) return DefaultColWidth;
  return Holder->GetColAxis().GridVector(Index)->GetSize();
}

std::int32_t TYCustomGrid::GetRowHeights(std::int32_t Index) const {
  if (Index < 0 || Index >= GetRowCount()) return DefaultRowHeight;
  return Holder->GetRowAxis().GridVector(Index)->GetSize();
}

void TYCustomGrid::SetColWidths(std::int32_t Index, std::int32_t Value) {
  Holder->SetColWidths(GridToHolderCol(Index), Value);
}

void TYCustomGrid::SetRowHeights(std::int32_t Index, std::int32_t Value) {
  Holder->SetRowHeights(GridToHolderRow(Index), Value);
}

// ---------------------------------------------------------------- marked items

TObject* TYCustomGrid::MarkedItem(std::int32_t Index, TYGridOption Option) {
  if (Holder->GetMarkListDirty()) Holder->GenerateMarkList();
  const TList& Shown = Holder->GetGridMarkList();
  if (Index < 0 || Index >= Shown.GetCount()) GridError(this, SGridIndexOutOfRange);
  if (!Options.Contains(Option)) return nullptr;
  return static_cast<TObject*>(Shown[Index]);
}

TYCellsVector* TYCustomGrid::GetMarkedCols(std::int32_t Index) {
  return static_cast<TYCellsVector*>(MarkedItem(Index, ygoColsMarking));
}

TYCellsVector* TYCustomGrid::GetMarkedRows(std::int32_t Index) {
  return static_cast<TYCellsVector*>(MarkedItem(Index, ygoRowsMarking));
}

TYCell* TYCustomGrid::GetMarkedCells(std::int32_t Index) {
  return static_cast<TYCell*>(MarkedItem(Index, ygoCellsMarking));
}

std::int32_t TYCustomGrid::GetMarkedCount() const {
  return Holder->GetMarkListDirty() ? Holder->GetGridMarkCount()
                                    : Holder->GetGridMarkList().GetCount();
}

// ---------------------------------------------------------------- hooks and events

bool TYCustomGrid::AskMark(const TYMarkVectorEvent& Event, TYCellsVector* CellsVector,
                           bool MarkValue, TYGridOption Option) {
  bool CanMark = true;
  if (Options.Contains(Option) && !HooksSilent() && Event)
    Event(this, CellsVector, MarkValue, CanMark);
  return CanMark;
}

bool TYCustomGrid::DoMarkCol(TYCellsVector* CellsVector, bool MarkValue) {
  return AskMark(OnMarkCol, CellsVector, MarkValue, ygoColsMarking);
}

bool TYCustomGrid::DoMarkRow(TYCellsVector* CellsVector, bool MarkValue) {
  return AskMark(OnMarkRow, CellsVector, MarkValue, ygoRowsMarking);
}

bool TYCustomGrid::DoMarkCell(TYCell* Cell, bool MarkValue) {
  bool CanMark = true;
  if (Options.Contains(ygoCellsMarking) && !HooksSilent() && OnMarkCell)
    OnMarkCell(this, Cell, MarkValue, CanMark);
  return CanMark;
}

void TYCustomGrid::DoInitCell(TYCell* Cell) {
  if (!HooksSilent() && OnInitCell) OnInitCell(this, Cell);
}

void TYCustomGrid::DoFreeCell(TYCell* Cell) {
  if (!HooksSilent() && OnFreeCell) OnFreeCell(this, Cell);
}

void TYCustomGrid::DoInitCellsVector(TYCellsVector* CellsVector) {
  if (!HooksSilent() && OnInitCellsVector) OnInitCellsVector(this, CellsVector);
}

void TYCustomGrid::DoFreeCellsVector(TYCellsVector* CellsVector) {
  if (!HooksSilent() && OnFreeCellsVector) OnFreeCellsVector(this, CellsVector);
}

void TYCustomGrid::DoCanFocusCell(std::int32_t& ACol, std::int32_t& ARow) {
  if (OnFocusCell) OnFocusCell(this, GetCells(ACol, ARow), ACol, ARow);
}

void TYCustomGrid::SizeChanged(std::int32_t, std::int32_t) {}

// A scroll moves the cells under a pressed button: the press ends.
void TYCustomGrid::TopLeftChanged() {
  StopTracking();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TYCustomGrid::DoColumnMoved(std::int32_t FromIndex, std::int32_t ToIndex) {
  if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TYCustomGrid::DoRowMoved(std::int32_t FromIndex, std::int32_t ToIndex) {
  StopTracking();
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

// ---------------------------------------------------------------- property setters

namespace {
constexpr TYGridOptions MarkingOptions{ygoRowsMarking, ygoColsMarking, ygoCellsMarking};
constexpr std::uint32_t AllOptionBits = (1u << (ygoThumbTracking + 1)) - 1;
} // namespace

// A newly switched-on marking mode wins over the others (columns before rows before cells)
// and clears all marks; at least one way of showing the focus stays on.
void TYCustomGrid::SetOptions(TYGridOptions Value) {
  Value = TYGridOptions::FromBits(Value.ToBits() & AllOptionBits); // bits 24-31 are never set
  if (Value == Options) return;
  for (TYGridOption Mode : {ygoColsMarking, ygoRowsMarking, ygoCellsMarking}) {
    if (!Value.Contains(Mode) || Options.Contains(Mode)) continue;
    Value = Value - MarkingOptions + TYGridOptions{Mode};
    if (!IsDesigning()) Holder->ClearMark();
  }
  if (!Value.Contains(ygoShowFocusCell) && !Value.Contains(ygoShowFocusFrame))
    Value.Include(Options.Contains(ygoShowFocusCell) ? ygoShowFocusCell : ygoShowFocusFrame);
  const bool MarkingChanged = (Value * MarkingOptions) != (Options * MarkingOptions);
  Options = Value;
  // The lists and counts describe the items of the marking mode in force.
  if (MarkingChanged) Holder->GenerateMarkList();
  Colors->RefreshColors();
  InvalidateGrid();
}

// A stored description lists the store's sizes before the default sizes; while it loads, the
// default must not overwrite the sizes it already brought.
void TYCustomGrid::Loaded() {
  TCustomControl::Loaded();
  Holder->ForgetSizesRead();
}

void TYCustomGrid::SetDefaultColWidth(std::int32_t Value) {
  if (!IsLoading() || !Holder->GetColWidthsRead()) Holder->SetAllSizes(true, Value);
  DefaultColWidth = Value;
  ColWidthsChanged();
  InvalidateGrid();
}

void TYCustomGrid::SetDefaultRowHeight(std::int32_t Value) {
  if (!IsLoading() || !Holder->GetRowHeightsRead()) Holder->SetAllSizes(false, Value);
  DefaultRowHeight = Value;
  RowHeightsChanged();
  InvalidateGrid();
}

void TYCustomGrid::SetGridLineWidth(std::int32_t Value) {
  if (Value == GridLineWidth) return;
  GridLineWidth = Value;
  InvalidateGrid();
}

void TYCustomGrid::SetFocusFrameStyle(TYGridFocusFrameStyle Value) {
  if (Value == FocusFrameStyle) return;
  FocusFrameStyle = Value;
  if (HasCurrentCell()) InvalidateCell(CurrentCoord.X, CurrentCoord.Y);
}

// ---------------------------------------------------------------- moving vectors

void TYCustomGrid::MoveColumn(std::int32_t FromIndex, std::int32_t ToIndex) {
  if (FromIndex == ToIndex) return;
  TYCellsVector* Moved = GetCols(FromIndex);
  Holder->DoMoveColumn(Moved->GetHolderIndex(), GridToHolderCol(ToIndex));
  // The store refuses a move into or out of its fixed area; then the current cell must not
  // be shifted off its vector, and there is no move to report.
  if (Moved->GetGridIndex() != ToIndex) return;
  MoveAdjust(CurrentCoord.X, FromIndex, ToIndex);
  RefreshCurrentRect();
  NotifyAccessibleTableChange(this, TAccessibleTableChange::Reset);
  InvalidateRect({std::min(FromIndex, ToIndex), 0, std::max(FromIndex, ToIndex),
                  GetVisibleRowCount() + TopLeftCoord.Y});
  InvalidateUnions();
  DoColumnMoved(FromIndex, ToIndex);
  ColWidthsChanged();
}

void TYCustomGrid::MoveRow(std::int32_t FromIndex, std::int32_t ToIndex) {
  if (FromIndex == ToIndex) return;
  TYCellsVector* Moved = GetRows(FromIndex);
  Holder->DoMoveRow(Moved->GetHolderIndex(), GridToHolderRow(ToIndex));
  if (Moved->GetGridIndex() != ToIndex) return; // refused, as for columns
  MoveAdjust(CurrentCoord.Y, FromIndex, ToIndex);
  RefreshCurrentRect();
  NotifyAccessibleTableChange(this, TAccessibleTableChange::Reset);
  InvalidateRect({0, std::min(FromIndex, ToIndex), GetVisibleColCount() + TopLeftCoord.X,
                  std::max(FromIndex, ToIndex)});
  InvalidateUnions();
  DoRowMoved(FromIndex, ToIndex);
  RowHeightsChanged();
}

// The focus follows its cell to the row's new place; the pieces were cut anew, so the current
// cell's extent is recomputed even when its position did not change. After a comparison
// raised, the rows are half sorted and other rows show at the current position.
void TYCustomGrid::RowsSorted(bool Completed) {
  TYCell* Saved = SavedFocusCell;
  SavedFocusCell = nullptr;
  NotifyAccessibleTableChange(this, TAccessibleTableChange::Reset);
  if (Completed) {
    InvalidateGrid();
    if (Saved && !Saved->GetRowVector()->GetFixed() && Saved->GetGridRow() >= 0)
      SetRow(Saved->GetGridRow());
  }
  RefreshCurrentRect();
  if (Completed) ReportTopLeftPull();
}

void TYCustomGrid::InvalidateUnions() {
  TYCellsUnions* Unions = Holder->GetCellsUnions();
  for (std::int32_t I = 0; I < Unions->GetUnionsCount(); ++I)
    Unions->GetUnions(I)->Invalidate();
}

namespace {
// Whether every piece of the union lies in the fixed vectors of one axis (and it has pieces).
bool WithinFixed(const TYCellsUnion* Union, bool Columns, std::int32_t FixedCount) {
  if (Union->GetGridUnionsCount() == 0) return false;
  for (std::int32_t I = 0; I < Union->GetGridUnionsCount(); ++I) {
    const TYGridRect& R = Union->GetGridUnions(I)->GetRect();
    if ((Columns ? R.Right : R.Bottom) >= FixedCount) return false;
  }
  return true;
}
} // namespace

// After a scroll by (DX, DY) pixels. A union within the fixed rows stays where it was in a
// scroll along the columns only, and one within the fixed columns in a scroll along the rows:
// neither moved nor cut otherwise, it is left as painted.
void TYCustomGrid::InvalidateUnionsAfterScroll(std::int32_t DX, std::int32_t DY) {
  TYCellsUnions* Unions = Holder->GetCellsUnions();
  for (std::int32_t I = 0; I < Unions->GetUnionsCount(); ++I) {
    TYCellsUnion* Union = Unions->GetUnions(I);
    if (DX == 0 && WithinFixed(Union, false, GetFixedRows())) continue;
    if (DY == 0 && WithinFixed(Union, true, GetFixedCols())) continue;
    Union->Invalidate();
  }
}
