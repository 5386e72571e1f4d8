// The cell store of one grid: column and row vectors, their cells, the unions, the holder
// and grid indices, the mark lists, and the streaming of widths and heights.
#pragma once

#include "grid/YCells.h"
#include "host/classes/Components.h"

#include <functional>
#include <memory>
#include <vector>

class TFiler;
class TReader;
class TWriter;

class TYCellsHolder : public TPersistent {
public:
  // Builds 5 columns and 5 rows, column 0 and row 0 fixed.
  explicit TYCellsHolder(TYCustomGrid* AGrid);
  // Frees the unions, then every column, then row by row the cells and the row.
  ~TYCellsHolder() override;
  TYCellsHolder(const TYCellsHolder&) = delete;
  TYCellsHolder& operator=(const TYCellsHolder&) = delete;
  const char* ClassName() const override { return "TYCellsHolder"; }

  TYCustomGrid* GetOwnerGrid() const { return OwnerGrid; }
  TYCellsUnions* GetCellsUnions() const { return CellsUnions.get(); }
  bool GetUnionInvalidateLocked() const { return UnionInvalidateLocked; }

  // Counts of all vectors, hidden ones included.
  std::int32_t GetColCount() const { return ColList.GetCount(); }
  std::int32_t GetRowCount() const { return RowList.GetCount(); }
  void SetColCount(std::int32_t Value); // 0 or less gives 1
  void SetRowCount(std::int32_t Value);
  std::int32_t GetFixedCols() const { return FixedCols; }
  std::int32_t GetFixedRows() const { return FixedRows; }
  void SetFixedCols(std::int32_t Value);
  void SetFixedRows(std::int32_t Value);
  // Visible counts, as of the last enumeration.
  std::int32_t GetGridColCount() const { return GridColCount; }
  std::int32_t GetGridRowCount() const { return GridRowCount; }

  // Resizes both axes inside the size-change bracket.
  void ChangeSize(std::int32_t NewColCount, std::int32_t NewRowCount);
  // Resizes both axes without the bracket.
  void DoChangeSize(std::int32_t NewColCount, std::int32_t NewRowCount);
  // Renumber one axis and write the grid's counts and map.
  void EnumerateCols();
  void EnumerateRows();

  // Sizes by holder index.
  std::int32_t GetColWidths(std::int32_t Index) const { return ColList.Get(Index)->GetSize(); }
  std::int32_t GetRowHeights(std::int32_t Index) const { return RowList.Get(Index)->GetSize(); }
  void SetColWidths(std::int32_t Index, std::int32_t Value);
  void SetRowHeights(std::int32_t Index, std::int32_t Value);

  // Vectors and cells by holder index.
  TYCellsVector* GetCols(std::int32_t Index) const;
  TYCellsVector* GetRows(std::int32_t Index) const;
  TYCell* GetCells(std::int32_t ACol, std::int32_t ARow) const;

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
  // Removes every mark without asking the host, and repaints.
  void ClearMark();
  // Rebuilds the holder's and the grid's lists of marked items.
  void GenerateMarkList();
  // Sorts the rows by Compare (two row vectors); KeepFixed leaves the fixed rows in place.
  void Sort(TListSortCompare Compare, bool KeepFixed);

private:
  bool ColWidthsRead = false;
  bool RowHeightsRead = false;
  friend class TYCell;
  friend class TYCellsVector;
  friend class TYCellsUnion;

  struct Axis; // one axis's list and counts, and the grid's side of it
  Axis ColAxis();
  Axis RowAxis();

  std::unique_ptr<TYCellsVector> NewVector(bool IsColumn, bool Visible);
  void ResizeAxes(std::int32_t NewColCount, std::int32_t NewRowCount);
  void RemoveCellsOfShrunkAxes(std::int32_t NewColCount, std::int32_t NewRowCount);
  void GrowCells(std::int32_t NewColCount);
  void FillRowCells(TYCellsVector* Row, std::int32_t NewCount);
  void SetFixedCount(const Axis& A, std::int32_t Value);
  void Enumerate(const Axis& A);
  void SetVectorSize(const Axis& A, std::int32_t Index, std::int32_t Value);
  void ReadSizes(TReader& Reader, bool Columns);
  void WriteSizes(TWriter& Writer, bool Columns) const;

  // The size-change bracket around a structural change.
  void OpenSizeChange();
  void CloseSizeChange(bool FullRepaint);

  // Editing steps.
  void MoveVector(const Axis& A, std::int32_t FromIndex, std::int32_t ToIndex);
  std::vector<TYCellsVector*> VectorsOf(const Axis& A, const TList* List) const;
  void SetVisibleRange(const Axis& A, const TList* List, bool Exclude);
  void SetVisibleAll(const Axis& A);
  void RemoveCellsFromUnions(const std::function<bool(const TYCell*)>& Removed);
  void RemoveVectorFromUnions(const TYCellsVector* Vector);
  void DeleteVector(const Axis& A, std::int32_t Index);
  void DestroyVector(const Axis& A, std::int32_t Index);
  void DeleteRange(const Axis& A, const TList* List);
  TYCellsVector* InsertVector(const Axis& A, std::int32_t Index, bool AVisible);
  void CheckCellRange(const TYGridCoord& Coord1, const TYGridCoord& Coord2) const;
  void ForCellsInRange(const TYGridCoord& Coord1, const TYGridCoord& Coord2,
                       void (TYCustomGrid::*Hook)(TYCell*));
  void ForVectorsInRange(bool IsColumns, std::int32_t First, std::int32_t Last,
                         void (TYCustomGrid::*Hook)(TYCellsVector*));

  // Mark bookkeeping.
  void CountMark(bool Value, bool Visible);
  void FlagChanged(bool Value);
  void SettleMarks();
  void CellOwnMarkChanged(const TYCell* Cell, bool Value);
  bool InMarkArea(const TYCell* Cell) const;
  void ListMarkedCells();
  TObject* MarkedItem(std::int32_t Index, TYGridOption Option);

  TYCustomGrid* OwnerGrid;
  TOwnedList<TYCellsVector> ColList;
  TOwnedList<TYCellsVector> RowList;
  TList MarkList; // marked items in holder order; not owned
  std::unique_ptr<TYCellsUnions> CellsUnions;
  std::int32_t GridColCount = 0;
  std::int32_t GridRowCount = 0;
  std::int32_t FixedCols = 1;
  std::int32_t FixedRows = 1;
  std::int32_t MarkCount = 0;   // exact while MarkListDirty is set
  std::int32_t MarkedFlags = 0; // own mark flags set on cells and vectors, anywhere
  bool MarkListDirty = false;
  bool UnionInvalidateLocked = false; // held while unions are torn down
};
