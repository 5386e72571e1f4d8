/// \file
/// The cell store of one grid: column and row vectors, their cells, the unions, the holder
/// and grid indices, the mark lists, and the streaming of widths and heights. It stands on its
/// own: the grid that shows it hears of its changes through TYCellsHolderClient.
#pragma once

#include "grid/YCells.h"
#include "grid/YSlotArray.h"
#include "host/classes/Components.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

class TFiler;
class TReader;
class TWriter;

/// What a cell store asks of the control that shows it, and tells it. The grid implements it;
/// a store used on its own gets this base, which keeps no user data, allows every mark, uses the
/// default sizes 64 and 24, and shows nothing. A program that uses a store without a grid
/// derives from it to hear of the store's changes and to run its own user-data hooks.
///
/// Every call comes when the store is whole: a structural change first gives the store its new
/// shape (vectors and cells created or taken out, every axis numbered) and only then calls the
/// hooks. Cells and vectors that a change removes are no longer listed by the store, but live
/// on, with their user data, until their free hooks have run.
class TYCellsHolderClient {
public:
  /// Nothing to release.
  virtual ~TYCellsHolderClient() = default;

  // --- Questions ---
  /// The options in force; the store reads the marking mode from them.
  virtual TYGridOptions StoreOptions() const { return {}; }
  /// The width of a new column or the height of a new row, in pixels.
  virtual std::int32_t DefaultSize(bool IsColumn) const { return IsColumn ? 64 : 24; }
  /// Whether the host lets the mark of a column or row change to the given value.
  virtual bool CanMarkVector(TYCellsVector*, bool) { return true; }
  /// Whether the host lets the mark of a cell (or of the union whose main cell it is) change
  /// to the given value.
  virtual bool CanMarkCell(TYCell*, bool) { return true; }

  // --- The user-data hooks ---
  /// A new cell is in place, with the whole store around it: give it its user data. An init
  /// hook that raises stops the init hooks still to come in that change (their objects stay
  /// without data); the store stays whole and the error goes on.
  virtual void InitCell(TYCell*) {}
  /// The cell is about to be destroyed, or the host asked for it (FreeCellsRangeData): release
  /// its user data. The free hooks of one change all run even when some raise; the first error
  /// goes on once they have.
  virtual void FreeCell(TYCell*) {}
  /// A new column or row is in place, with its cells: give it its user data (as InitCell).
  virtual void InitVector(TYCellsVector*) {}
  /// The column or row is about to be destroyed, or the host asked for it: release its user
  /// data (as FreeCell).
  virtual void FreeVector(TYCellsVector*) {}

  // --- Changes ---
  /// A change of the vectors shown begins; it ends with StructureChanged, also when it fails
  /// half way (then the store is consistent, and the error goes on after StructureChanged).
  virtual void StructureChanging() {}
  /// The change that StructureChanging announced is over and the mark lists are exact; with
  /// FullRepaint everything shown may have moved.
  virtual void StructureChanged(bool /*FullRepaint*/) {}
  /// An axis was numbered anew: its visible count, map and grid indices may have changed.
  virtual void AxisEnumerated(bool /*IsColumn*/) {}
  /// A cell is destroyed now; its free hook has run.
  virtual void CellDestroyed(TYCell*) {}
  /// Vectors of an axis changed places without a change of what is shown.
  virtual void VectorsMoved(bool /*IsColumn*/) {}
  /// The fixed count of an axis changed (SetFixedCols, SetFixedRows); the axis is numbered
  /// anew and the mark lists are exact.
  virtual void FixedCountChanged(bool /*IsColumn*/) {}
  /// A change without the bracket is over (a hidden vector entered the fixed area).
  virtual void ChangeEnded() {}
  /// The store's SetColWidths or SetRowHeights gave a vector a new size; OldSize in pixels.
  virtual void VectorResized(TYCellsVector*, std::int32_t /*OldSize*/) {}
  /// Sort is about to reorder the rows.
  virtual void RowsSorting() {}
  /// Sort is over. Completed is false when a comparison raised and left the rows half sorted.
  virtual void RowsSorted(bool /*Completed*/) {}

  // --- Repaint requests ---
  /// The mark of a visible column or row changed.
  virtual void MarkChanged(TYCellsVector*) {}
  /// The own mark of a visible cell changed.
  virtual void MarkChanged(TYCell*) {}
  /// ClearMark removed every mark.
  virtual void MarksCleared() {}
  /// A union was added, enabled, disabled, marked or deleted, or asks to be repainted
  /// (TYCellsUnion::Invalidate): what it covers looks different.
  virtual void UnionChanged(TYCellsUnion*) {}
};

/// One axis of a store: its vectors in holder order and the fixed count, and what the grid
/// shows of it — the visible vectors by grid index and running sums of their sizes, which make
/// every layout question independent of the axis's length. The store owns its two axes and
/// hands them out read-only (TYCellsHolder::GetColAxis, GetRowAxis).
class TYCellsAxis {
public:
  /// An empty axis of columns (AIsColumn) or rows, with a fixed count of 1.
  explicit TYCellsAxis(bool AIsColumn) : IsColumn(AIsColumn) {}
  TYCellsAxis(const TYCellsAxis&) = delete;            ///< Not copied.
  TYCellsAxis& operator=(const TYCellsAxis&) = delete; ///< Not copied.

  /// True for the columns, false for the rows.
  bool GetIsColumn() const { return IsColumn; }
  /// All vectors, hidden ones included.
  std::int32_t GetCount() const { return static_cast<std::int32_t>(List.size()); }
  /// The fixed count: the vectors below this holder index are fixed, hidden ones included.
  std::int32_t GetFixed() const { return Fixed; }
  // Visible vectors, and the visible fixed ones (at most GridCount - 1; -1 with none visible).
  /// The visible vectors.
  std::int32_t GetGridCount() const { return static_cast<std::int32_t>(GridMap.size()); }
  /// The visible fixed vectors: at most GridCount - 1, so -1 with none visible.
  std::int32_t GetGridFixed() const { return GridFixed; }
  /// Holder index of each visible vector.
  const std::vector<std::int32_t>& GetGridMap() const { return GridMap; }
  // Unchecked lookups.
  /// The vector at a holder index (0 to GetCount() - 1); unchecked.
  TYCellsVector* operator[](std::int32_t HolderIndex) const {
    return List[static_cast<std::size_t>(HolderIndex)];
  }
  /// The visible vector at a grid index (0 to GetGridCount() - 1); unchecked.
  TYCellsVector* GridVector(std::int32_t GridIndex) const {
    return List[static_cast<std::size_t>(GridMap[static_cast<std::size_t>(GridIndex)])];
  }
  /// Every vector in holder order.
  const std::vector<TYCellsVector*>& GetList() const { return List; }

  // --- Running sums of the visible sizes, in grid indices ---
  /// The sum of the sizes of grid indices 0 .. Index - 1 (Index may be GridCount), in pixels.
  std::int64_t SizesBefore(std::int32_t Index) const;
  /// Whether every visible size is 0 or more, so that positions grow with the index.
  bool SizesAscend() const;
  /// The first grid index I >= From whose sizes with Step added to each, counted from From up to
  /// and including I, exceed Limit; GridCount when none does. Needs SizesAscend and Step >= 0.
  std::int32_t FirstBeyond(std::int32_t From, std::int64_t Step, std::int64_t Limit) const;

private:
  friend class TYCellsHolder;

  void Enumerate();
  void SizesChanged() { SumsValid = false; }
  void BuildSums() const;
  std::int64_t SpanBefore(std::int32_t Index, std::int64_t Step) const;
  // Slots: where the vectors (and, for columns, their cells) are kept.
  std::int32_t TakeSlot();
  void ReleaseSlot(std::int32_t Slot) { FreeSlots.push_back(Slot); }
  // Slots that taking Count more would add to those in use.
  std::int32_t SlotsAfter(std::int32_t Count) const;

  bool IsColumn;
  std::vector<TYCellsVector*> List; // holder order; the vectors live in Vectors
  std::int32_t Fixed = 1;
  std::vector<std::int32_t> GridMap;
  std::int32_t GridFixed = 0;
  TYSlotArray<TYCellsVector> Vectors;
  std::vector<std::int32_t> FreeSlots;    // slots of destroyed vectors, to use again
  std::int32_t SlotsUsed = 0;             // slots ever taken: 0 .. SlotsUsed - 1
  mutable std::vector<std::int64_t> Sums; // Sums[g] = sizes of grid indices before g
  mutable bool SumsValid = false;
  mutable bool Ascending = true;
};

/// The cell store: the columns and rows of a grid (TYCellsVector), one cell per column and row
/// (TYCell), the unions, the holder and grid indices, and the lists of marked items. The grid
/// makes one and hands it out (TYCustomGrid::GetHolder); a program may also make one on its own,
/// without a grid, and hear of its changes through a TYCellsHolderClient.
///
/// Cells and vectors keep their address for their whole life: moving, hiding, sorting and
/// inserting reorder lists only, so a pointer to a cell or vector stays valid, and names the
/// same object, until that object is destroyed. A structural change makes the store whole in
/// its new shape before any hook runs; the free hooks of a change all run even when one
/// raises; and a growth that cannot get its memory raises EOutOfMemory and changes nothing.
///
/// Operations of the store take holder indices. Index errors raise EYInvalidGridOperation
/// ("TYCellsHolder::Grid index out of range") before anything changes, unless said otherwise.
class TYCellsHolder : public TPersistent {
public:
  /// The store of AGrid, which hears of its changes through AClient; builds 5 columns and 5
  /// rows, column 0 and row 0 fixed.
  TYCellsHolder(TYCustomGrid* AGrid, TYCellsHolderClient* AClient);
  /// A store on its own, told of nothing (or, when given one, telling AClient). Like the grid's
  /// it starts with 5 columns and 5 rows, one of each fixed, and calls AClient's init hooks
  /// for them. AClient is not owned and must outlive the store, whose destructor calls its
  /// free hooks.
  explicit TYCellsHolder(TYCellsHolderClient* AClient = nullptr);
  /// Frees the unions, then every column, then row by row the cells and the row; the free
  /// hooks all run even when some raise.
  ~TYCellsHolder() override;
  TYCellsHolder(const TYCellsHolder&) = delete;            ///< Not copied.
  TYCellsHolder& operator=(const TYCellsHolder&) = delete; ///< Not copied.
  /// "TYCellsHolder".
  const char* ClassName() const override { return "TYCellsHolder"; }

  /// The grid that shows the store; none for a store on its own.
  TYCustomGrid* GetOwnerGrid() const { return OwnerGrid; }
  /// Whom the store asks and tells: the grid's link, the client given, or a silent one. Never
  /// none.
  TYCellsHolderClient* GetClient() const { return Client; }
  /// The store's unions (merged cells).
  TYCellsUnions* GetCellsUnions() const { return CellsUnions.get(); }
  /// Held while unions are torn down (deletions, destruction): unions then ask for no repaint.
  bool GetUnionInvalidateLocked() const { return UnionInvalidateLocked; }
  /// The columns: holder order, fixed count, visible map and running sums of the widths.
  const TYCellsAxis& GetColAxis() const { return Cols; }
  /// The rows, as GetColAxis.
  const TYCellsAxis& GetRowAxis() const { return Rows; }
  /// Grows with every change of what the layout depends on: sizes, visibility, order, counts.
  std::uint64_t GetLayoutVersion() const { return LayoutVersion; }

  // Counts of all vectors, hidden ones included.
  /// The columns, hidden ones included.
  std::int32_t GetColCount() const { return Cols.GetCount(); }
  /// The rows, hidden ones included.
  std::int32_t GetRowCount() const { return Rows.GetCount(); }
  /// Resizes to Value columns (ChangeSize); 0 or less gives 1.
  void SetColCount(std::int32_t Value);
  /// Resizes to Value rows (ChangeSize); 0 or less gives 1.
  void SetRowCount(std::int32_t Value);
  /// The fixed column count: the columns below this holder index are fixed.
  std::int32_t GetFixedCols() const { return Cols.Fixed; }
  /// The fixed row count: the rows below this holder index are fixed.
  std::int32_t GetFixedRows() const { return Rows.Fixed; }
  /// Sets the fixed column count; the grid goes back to its first scrollable cell. A negative
  /// Value raises "Grid index out of range", one not below the column count "Fixed column
  /// count must be less than column count" (EYInvalidGridOperation); nothing changes then.
  void SetFixedCols(std::int32_t Value);
  /// Sets the fixed row count, as SetFixedCols.
  void SetFixedRows(std::int32_t Value);
  // Visible counts, as of the last enumeration.
  /// The visible columns, as of the last enumeration.
  std::int32_t GetGridColCount() const { return Cols.GetGridCount(); }
  /// The visible rows, as of the last enumeration.
  std::int32_t GetGridRowCount() const { return Rows.GetGridCount(); }

  /// Resizes both axes inside the size-change bracket. When the memory for new vectors and
  /// cells cannot be had, raises EOutOfMemory and leaves the store as it was. Vectors go and
  /// come at the ends of the axes; fixed counts shrink to stay below the new counts (a count
  /// below 0 counts as 0). Hook order: free hooks of removed columns; of removed rows (each
  /// after its cells); of the cells of removed columns in the remaining rows; init hooks of
  /// new columns; of new rows; of new cells, row by row.
  void ChangeSize(std::int32_t NewColCount, std::int32_t NewRowCount);
  /// Resizes both axes without the bracket, as ChangeSize otherwise (EOutOfMemory included).
  void DoChangeSize(std::int32_t NewColCount, std::int32_t NewRowCount);
  // Renumber one axis: indices, fixed flags, the visible map and counts; refreshes the unions.
  /// Renumbers the columns: indices, fixed flags, the visible map and counts; refreshes the
  /// unions.
  void EnumerateCols();
  /// Renumbers the rows, as EnumerateCols.
  void EnumerateRows();

  // Sizes by holder index.
  /// A column's width in pixels, by holder index. An index outside the columns raises the
  /// list's index error (EListError).
  std::int32_t GetColWidths(std::int32_t Index) const { return CheckedVector(Cols, Index)->Size; }
  /// A row's height, as GetColWidths.
  std::int32_t GetRowHeights(std::int32_t Index) const { return CheckedVector(Rows, Index)->Size; }
  /// Sets a column's width and, when it changed, tells the client (the grid repaints and fires
  /// OnColumnSized). An index past the columns raises "Grid index out of range", a negative
  /// one the list's index error.
  void SetColWidths(std::int32_t Index, std::int32_t Value);
  /// Sets a row's height, as SetColWidths (the grid fires OnRowSized).
  void SetRowHeights(std::int32_t Index, std::int32_t Value);

  // Vectors and cells by holder index.
  /// The column at Index.
  TYCellsVector* GetCols(std::int32_t Index) const;
  /// The row at Index.
  TYCellsVector* GetRows(std::int32_t Index) const;
  /// The cell of column ACol and row ARow.
  TYCell* GetCells(std::int32_t ACol, std::int32_t ARow) const;
  /// The cell where a column and a row of this store cross; no checks.
  TYCell* CellAt(const TYCellsVector* Col, const TYCellsVector* Row) const {
    return CellColumns[static_cast<std::size_t>(Col->Slot)].At(Row->Slot);
  }

  /// Stores the widths and heights with the grid's description ("ColWidths", "RowHeights").
  void DefineProperties(TFiler& Filer) override;
  /// Reads one width per column, all before any is applied: a list of another length raises
  /// the reader's error and changes nothing.
  void ReadColWidths(TReader& Reader);
  /// Reads one height per row, as ReadColWidths.
  void ReadRowHeights(TReader& Reader);
  /// Writes every column's width as a list of integers.
  void WriteColWidths(TWriter& Writer) const;
  /// Writes every row's height as a list of integers.
  void WriteRowHeights(TWriter& Writer) const;
  /// Whether a width (height) list was read since the last ForgetSizesRead: the grid's default
  /// sizes, stored after the lists, must not overwrite them while a form loads.
  bool GetColWidthsRead() const { return ColWidthsRead; }
  /// Whether a height list was read (see GetColWidthsRead).
  bool GetRowHeightsRead() const { return RowHeightsRead; }
  /// Forgets that lists were read (the grid's loading ended).
  void ForgetSizesRead() { ColWidthsRead = RowHeightsRead = false; }
  /// Gives every vector of an axis the same size (the grid's default size changed).
  void SetAllSizes(bool IsColumn, std::int32_t Value);

  // --- Editing (holder indices) ---
  /// Moves a column from one holder index to another. Out-of-range indices raise the list's
  /// index error; a move of a hidden column, onto a hidden one, or into or out of the fixed
  /// area is refused without an error. No cell moves and no user-data hook runs.
  void DoMoveColumn(std::int32_t FromIndex, std::int32_t ToIndex);
  /// Moves a row, as DoMoveColumn.
  void DoMoveRow(std::int32_t FromIndex, std::int32_t ToIndex);
  /// Shows exactly the listed vectors (Exclude false) or hides them (Exclude true); never
  /// leaves the axis without a visible vector. Entries of List that are not columns of this
  /// store are ignored.
  void SetVisibleColsRange(const TList* List, bool Exclude);
  /// Shows or hides rows, as SetVisibleColsRange.
  void SetVisibleRowsRange(const TList* List, bool Exclude);
  /// Shows every column.
  void SetVisibleAllCols();
  /// Shows every row.
  void SetVisibleAllRows();
  /// Deletes the listed vectors in holder order; the last remaining one survives. Entries that
  /// are not columns of this store are ignored. Each deleted column's cells get their free
  /// hooks in row order, followed by the column's own.
  void DeleteColsRange(const TList* List);
  /// Deletes the listed rows, as DeleteColsRange; a row's cells are freed in column order.
  void DeleteRowsRange(const TList* List);
  /// Deletes the column at Index, unless it is the only one.
  void DeleteCol(std::int32_t Index);
  /// Deletes the row at Index, unless it is the only one.
  void DeleteRow(std::int32_t Index);
  /// Appends a column with its cells; init hooks: the column's, then its cells' in row order.
  /// A hidden column changes nothing shown and opens no size-change bracket. Raises
  /// EOutOfMemory, changing nothing, when the memory cannot be had.
  TYCellsVector* AddCol(bool AVisible);
  /// Appends a row with its cells, as AddCol.
  TYCellsVector* AddRow(bool AVisible);
  /// Inserts a column at holder index Index (below 0 counts as 0; the count or more appends),
  /// as AddCol; the columns from Index on move one place right.
  TYCellsVector* InsertCol(std::int32_t Index, bool AVisible);
  /// Inserts a row, as InsertCol.
  TYCellsVector* InsertRow(std::int32_t Index, bool AVisible);
  // Run the free or init hooks over a block without destroying anything.
  /// Runs the free hooks of the cells between two corners (holder indices), row by row; the
  /// cells stay. A corner outside the store raises before any hook runs.
  void FreeCellsRangeData(const TYGridCoord& Coord1, const TYGridCoord& Coord2);
  /// Runs the init hooks of the cells between two corners, row by row.
  void InitCellsRangeData(const TYGridCoord& Coord1, const TYGridCoord& Coord2);
  /// Runs the free hooks of the columns (IsColumns) or rows First to Last (holder indices).
  void FreeVectorsRangeData(bool IsColumns, std::int32_t First, std::int32_t Last);
  /// Runs the init hooks of the columns (IsColumns) or rows First to Last.
  void InitVectorsRangeData(bool IsColumns, std::int32_t First, std::int32_t Last);

  // --- Marking and sorting ---
  /// How many items of the marking mode in force are marked, hidden ones included (the fixed
  /// area never counts); never rebuilds the lists.
  std::int32_t GetMarkedCount() const;
  /// The marked column at Index (0 to GetMarkedCount() - 1), in holder order; rebuilds the
  /// lists when they are out of date. An index outside the list raises "Grid index out of
  /// range"; with another marking mode in force the answer is none.
  TYCellsVector* GetMarkedCols(std::int32_t Index);
  /// The marked row at Index, as GetMarkedCols.
  TYCellsVector* GetMarkedRows(std::int32_t Index);
  /// The marked cell at Index (row by row), as GetMarkedCols.
  TYCell* GetMarkedCells(std::int32_t Index);
  /// Whether the lists of marked items are out of date (they are rebuilt when next read).
  bool GetMarkListDirty() const { return MarkListDirty; }
  /// The marked items (vectors or cells, by the marking mode), as of the last rebuild.
  const TList& GetMarkList() const { return MarkList; }
  // The marked items that are visible, and their count (exact while the lists are dirty).
  /// The marked items that are visible, as of the last rebuild.
  const TList& GetGridMarkList() const { return GridMarkList; }
  /// How many marked items are visible; exact also while the lists are dirty.
  std::int32_t GetGridMarkCount() const { return GridMarkCount; }
  /// Removes every mark without asking the host, and repaints.
  void ClearMark();
  /// Rebuilds the lists of marked items, all and visible.
  void GenerateMarkList();
  /// Sorts the rows by Compare (two row vectors); KeepFixed leaves the fixed rows in place.
  /// Only the order of the rows changes: no cell moves, no user-data hook runs. A comparison
  /// that raises leaves the rows half sorted but numbered and consistent, and the error goes
  /// on.
  void Sort(TListSortCompare Compare, bool KeepFixed);

private:
  friend class TYCell;
  friend class TYCellsVector;
  friend class TYCellsUnion;
  friend class TYRowCells;

  struct TDoomed; // vectors and cells taken out of the store, freed once it is whole again

  static TYCellsVector* CheckedVector(const TYCellsAxis& A, std::int32_t Index);
  TYCellsAxis& AxisOf(bool IsColumn) { return IsColumn ? Cols : Rows; }

  // Storage.
  void ReserveGrowth(std::int32_t NewCols, std::int32_t NewRows);
  void ReserveOrRaise(std::int32_t NewCols, std::int32_t NewRows);
  TYCellsVector* NewVector(TYCellsAxis& A, bool Visible);
  void NewCell(TYCellsVector* Col, TYCellsVector* Row);
  void DestroyCell(TYCellsVector* Col, TYCellsVector* Row);
  void DestroyVector(TYCellsVector* V);
  void FreeDoomed(TDoomed& Doomed);
  void DestroyDoomed(TDoomed& Doomed);

  // Resizing steps.
  void ResizeAxes(std::int32_t NewColCount, std::int32_t NewRowCount);
  void RemoveCellsOfShrunkAxes(std::int32_t NewColCount, std::int32_t NewRowCount);
  void DetachTail(TYCellsAxis& A, std::int32_t NewCount, TDoomed& Doomed);
  void Grow(std::int32_t NewColCount, std::int32_t NewRowCount);
  void InitGrown(std::int32_t OldCols, std::int32_t OldRows);
  void SetFixedCount(TYCellsAxis& A, std::int32_t Value);
  void Enumerate(TYCellsAxis& A);
  void SetVectorSize(TYCellsAxis& A, std::int32_t Index, std::int32_t Value);
  void VectorSizeChanged(const TYCellsVector* V);
  void ReadSizes(TReader& Reader, bool Columns);
  void WriteSizes(TWriter& Writer, bool Columns) const;

  // The size-change bracket around a structural change.
  void OpenSizeChange();
  void CloseSizeChange(bool FullRepaint);
  template <class Change> void Bracketed(bool FullRepaint, Change&& Step);

  // Editing steps.
  void MoveVector(TYCellsAxis& A, std::int32_t FromIndex, std::int32_t ToIndex);
  std::vector<TYCellsVector*> VectorsOf(const TYCellsAxis& A, const TList* List) const;
  void SetVisibleRange(TYCellsAxis& A, const TList* List, bool Exclude);
  void SetVisibleAll(TYCellsAxis& A);
  void RemoveCellsFromUnions(const std::function<bool(const TYCell*)>& Removed);
  void DeleteVectors(TYCellsAxis& A, const std::vector<TYCellsVector*>& Listed);
  TYCellsVector* InsertVector(TYCellsAxis& A, std::int32_t Index, bool AVisible);
  void InitInserted(TYCellsVector* V);
  void CheckCellRange(const TYGridCoord& Coord1, const TYGridCoord& Coord2) const;

  // Mark bookkeeping.
  void CountMark(bool Value, bool Visible);
  void FlagChanged(bool Value);
  void SettleMarks();
  void CellOwnMarkChanged(const TYCell* Cell, bool Value);
  bool InMarkArea(const TYCell* Cell) const;
  void ListMarkedCells();
  TObject* MarkedItem(std::int32_t Index, TYGridOption Option);

  TYCustomGrid* OwnerGrid;
  TYCellsHolderClient* Client;
  TYCellsAxis Cols{true};
  TYCellsAxis Rows{false};
  // The cells of each column slot, by row slot.
  std::vector<TYSlotArray<TYCell>> CellColumns;
  std::unique_ptr<TYCellsUnions> CellsUnions;
  TList MarkList;                 // marked items in holder order; not owned
  TList GridMarkList;             // those of them whose vectors are visible; not owned
  std::int32_t MarkCount = 0;     // exact while MarkListDirty is set
  std::int32_t GridMarkCount = 0; // exact while MarkListDirty is set
  std::int32_t MarkedFlags = 0;   // own mark flags set on cells and vectors, anywhere
  bool MarkListDirty = false;
  bool UnionInvalidateLocked = false; // held while unions are torn down
  bool ColWidthsRead = false;
  bool RowHeightsRead = false;
  std::uint64_t LayoutVersion = 0;
};
