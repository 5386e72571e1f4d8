// The cell store of one grid: column and row vectors, their cells, the unions, the holder
// and grid indices, the mark lists, and the streaming of widths and heights. It stands on its
// own: the grid that shows it hears of its changes through TYCellsHolderClient.
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

// What a cell store asks of the control that shows it, and tells it. The grid implements it;
// a store used on its own gets this base, which keeps no user data, allows every mark, uses the
// default sizes 64 and 24, and shows nothing.
class TYCellsHolderClient {
public:
  virtual ~TYCellsHolderClient() = default;

  // --- Questions ---
  // The options in force; the store reads the marking mode from them.
  virtual TYGridOptions StoreOptions() const { return {}; }
  // The width of a new column or the height of a new row.
  virtual std::int32_t DefaultSize(bool IsColumn) const { return IsColumn ? 64 : 24; }
  // Whether the host lets a mark change.
  virtual bool CanMarkVector(TYCellsVector*, bool) { return true; }
  virtual bool CanMarkCell(TYCell*, bool) { return true; }

  // --- The user-data hooks ---
  virtual void InitCell(TYCell*) {}
  virtual void FreeCell(TYCell*) {}
  virtual void InitVector(TYCellsVector*) {}
  virtual void FreeVector(TYCellsVector*) {}

  // --- Changes ---
  // A change of the vectors shown begins; it ends with StructureChanged, also when it fails
  // half way (then the store is consistent, and the error goes on after StructureChanged).
  virtual void StructureChanging() {}
  virtual void StructureChanged(bool /*FullRepaint*/) {}
  // An axis was numbered anew: its visible count, map and grid indices may have changed.
  virtual void AxisEnumerated(bool /*IsColumn*/) {}
  // A cell is destroyed now; its free hook has run.
  virtual void CellDestroyed(TYCell*) {}
  // Vectors of an axis changed places without a change of what is shown.
  virtual void VectorsMoved(bool /*IsColumn*/) {}
  virtual void FixedCountChanged(bool /*IsColumn*/) {}
  // A change without the bracket is over (a hidden vector entered the fixed area).
  virtual void ChangeEnded() {}
  virtual void VectorResized(TYCellsVector*, std::int32_t /*OldSize*/) {}
  virtual void RowsSorting() {}
  // Completed is false when a comparison raised and left the rows half sorted.
  virtual void RowsSorted(bool /*Completed*/) {}

  // --- Repaint requests ---
  virtual void MarkChanged(TYCellsVector*) {}
  virtual void MarkChanged(TYCell*) {}
  virtual void MarksCleared() {}
  virtual void UnionChanged(TYCellsUnion*) {}
};

// One axis of a store: its vectors in holder order and the fixed count, and what the grid
// shows of it — the visible vectors by grid index and running sums of their sizes, which make
// every layout question independent of the axis's length.
class TYCellsAxis {
public:
  explicit TYCellsAxis(bool AIsColumn) : IsColumn(AIsColumn) {}
  TYCellsAxis(const TYCellsAxis&) = delete;
  TYCellsAxis& operator=(const TYCellsAxis&) = delete;

  bool GetIsColumn() const { return IsColumn; }
  std::int32_t GetCount() const { return static_cast<std::int32_t>(List.size()); }
  std::int32_t GetFixed() const { return Fixed; }
  // Visible vectors, and the visible fixed ones (at most GridCount - 1; -1 with none visible).
  std::int32_t GetGridCount() const { return static_cast<std::int32_t>(GridMap.size()); }
  std::int32_t GetGridFixed() const { return GridFixed; }
  // Holder index of each visible vector.
  const std::vector<std::int32_t>& GetGridMap() const { return GridMap; }
  // Unchecked lookups.
  TYCellsVector* operator[](std::int32_t HolderIndex) const {
    return List[static_cast<std::size_t>(HolderIndex)];
  }
  TYCellsVector* GridVector(std::int32_t GridIndex) const {
    return List[static_cast<std::size_t>(GridMap[static_cast<std::size_t>(GridIndex)])];
  }
  const std::vector<TYCellsVector*>& GetList() const { return List; }

  // --- Running sums of the visible sizes, in grid indices ---
  // The sum of the sizes of grid indices 0 .. Index - 1 (Index may be GridCount).
  std::int64_t SizesBefore(std::int32_t Index) const;
  // Whether every visible size is 0 or more, so that positions grow with the index.
  bool SizesAscend() const;
  // The first grid index I >= From whose sizes with Step added to each, counted from From up to
  // and including I, exceed Limit; GridCount when none does. Needs SizesAscend and Step >= 0.
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

class TYCellsHolder : public TPersistent {
public:
  // The store of AGrid, which hears of its changes through AClient; builds 5 columns and 5
  // rows, column 0 and row 0 fixed.
  TYCellsHolder(TYCustomGrid* AGrid, TYCellsHolderClient* AClient);
  // A store on its own, told of nothing (or, when given one, telling AClient).
  explicit TYCellsHolder(TYCellsHolderClient* AClient = nullptr);
  // Frees the unions, then every column, then row by row the cells and the row; the free
  // hooks all run even when some raise.
  ~TYCellsHolder() override;
  TYCellsHolder(const TYCellsHolder&) = delete;
  TYCellsHolder& operator=(const TYCellsHolder&) = delete;
  const char* ClassName() const override { return "TYCellsHolder"; }

  // The grid that shows the store; none for a store on its own.
  TYCustomGrid* GetOwnerGrid() const { return OwnerGrid; }
  TYCellsHolderClient* GetClient() const { return Client; }
  TYCellsUnions* GetCellsUnions() const { return CellsUnions.get(); }
  bool GetUnionInvalidateLocked() const { return UnionInvalidateLocked; }
  const TYCellsAxis& GetColAxis() const { return Cols; }
  const TYCellsAxis& GetRowAxis() const { return Rows; }
  // Grows with every change of what the layout depends on: sizes, visibility, order, counts.
  std::uint64_t GetLayoutVersion() const { return LayoutVersion; }

  // Counts of all vectors, hidden ones included.
  std::int32_t GetColCount() const { return Cols.GetCount(); }
  std::int32_t GetRowCount() const { return Rows.GetCount(); }
  void SetColCount(std::int32_t Value); // 0 or less gives 1
  void SetRowCount(std::int32_t Value);
  std::int32_t GetFixedCols() const { return Cols.Fixed; }
  std::int32_t GetFixedRows() const { return Rows.Fixed; }
  void SetFixedCols(std::int32_t Value);
  void SetFixedRows(std::int32_t Value);
  // Visible counts, as of the last enumeration.
  std::int32_t GetGridColCount() const { return Cols.GetGridCount(); }
  std::int32_t GetGridRowCount() const { return Rows.GetGridCount(); }

  // Resizes both axes inside the size-change bracket. When the memory for new vectors and
  // cells cannot be had, raises EOutOfMemory and leaves the store as it was.
  void ChangeSize(std::int32_t NewColCount, std::int32_t NewRowCount);
  // Resizes both axes without the bracket.
  void DoChangeSize(std::int32_t NewColCount, std::int32_t NewRowCount);
  // Renumber one axis: indices, fixed flags, the visible map and counts; refreshes the unions.
  void EnumerateCols();
  void EnumerateRows();

  // Sizes by holder index.
  std::int32_t GetColWidths(std::int32_t Index) const { return CheckedVector(Cols, Index)->Size; }
  std::int32_t GetRowHeights(std::int32_t Index) const { return CheckedVector(Rows, Index)->Size; }
  void SetColWidths(std::int32_t Index, std::int32_t Value);
  void SetRowHeights(std::int32_t Index, std::int32_t Value);

  // Vectors and cells by holder index.
  TYCellsVector* GetCols(std::int32_t Index) const;
  TYCellsVector* GetRows(std::int32_t Index) const;
  TYCell* GetCells(std::int32_t ACol, std::int32_t ARow) const;
  // The cell where a column and a row of this store cross; no checks.
  TYCell* CellAt(const TYCellsVector* Col, const TYCellsVector* Row) const {
    return CellColumns[static_cast<std::size_t>(Col->Slot)].At(Row->Slot);
  }

  void DefineProperties(TFiler& Filer) override;
  void ReadColWidths(TReader& Reader);
  void ReadRowHeights(TReader& Reader);
  void WriteColWidths(TWriter& Writer) const;
  void WriteRowHeights(TWriter& Writer) const;
  // Whether a width (height) list was read since the last ForgetSizesRead: the grid's default
  // sizes, stored after the lists, must not overwrite them while a form loads.
  bool GetColWidthsRead() const { return ColWidthsRead; }
  bool GetRowHeightsRead() const { return RowHeightsRead; }
  void ForgetSizesRead() { ColWidthsRead = RowHeightsRead = false; }
  // Gives every vector of an axis the same size (the grid's default size changed).
  void SetAllSizes(bool IsColumn, std::int32_t Value);

  // --- Editing (holder indices) ---
  void DoMoveColumn(std::int32_t FromIndex, std::int32_t ToIndex);
  void DoMoveRow(std::int32_t FromIndex, std::int32_t ToIndex);
  // Shows exactly the listed vectors (Exclude false) or hides them (Exclude true); never
  // leaves the axis without a visible vector.
  void SetVisibleColsRange(const TList* List, bool Exclude);
  void SetVisibleRowsRange(const TList* List, bool Exclude);
  void SetVisibleAllCols();
  void SetVisibleAllRows();
  // Deletes the listed vectors in holder order; the last remaining one survives.
  void DeleteColsRange(const TList* List);
  void DeleteRowsRange(const TList* List);
  void DeleteCol(std::int32_t Index);
  void DeleteRow(std::int32_t Index);
  TYCellsVector* AddCol(bool AVisible);
  TYCellsVector* AddRow(bool AVisible);
  TYCellsVector* InsertCol(std::int32_t Index, bool AVisible);
  TYCellsVector* InsertRow(std::int32_t Index, bool AVisible);
  // Run the free or init hooks over a block without destroying anything.
  void FreeCellsRangeData(const TYGridCoord& Coord1, const TYGridCoord& Coord2);
  void InitCellsRangeData(const TYGridCoord& Coord1, const TYGridCoord& Coord2);
  void FreeVectorsRangeData(bool IsColumns, std::int32_t First, std::int32_t Last);
  void InitVectorsRangeData(bool IsColumns, std::int32_t First, std::int32_t Last);

  // --- Marking and sorting ---
  std::int32_t GetMarkedCount() const; // never rebuilds
  TYCellsVector* GetMarkedCols(std::int32_t Index);
  TYCellsVector* GetMarkedRows(std::int32_t Index);
  TYCell* GetMarkedCells(std::int32_t Index);
  bool GetMarkListDirty() const { return MarkListDirty; }
  const TList& GetMarkList() const { return MarkList; }
  // The marked items that are visible, and their count (exact while the lists are dirty).
  const TList& GetGridMarkList() const { return GridMarkList; }
  std::int32_t GetGridMarkCount() const { return GridMarkCount; }
  // Removes every mark without asking the host, and repaints.
  void ClearMark();
  // Rebuilds the lists of marked items, all and visible.
  void GenerateMarkList();
  // Sorts the rows by Compare (two row vectors); KeepFixed leaves the fixed rows in place.
  void Sort(TListSortCompare Compare, bool KeepFixed);

private:
  friend class TYCell;
  friend class TYCellsVector;
  friend class TYCellsUnion;
  friend class TYRowCells;

  class TBracket;
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
