// Cells and vectors: one object per cell, one per column and per row. A cell knows its
// column and row vectors and derives every coordinate from them, so it keeps its identity
// (and its user data) when vectors are moved, hidden, sorted or inserted around it.
#pragma once

#include "grid/YGridTypes.h"
#include "host/classes/Lists.h"

#include <memory>

class TYCellsVector;
class TYCellsHolder;
class TYCellsUnion;
class TYCellsUnions;
class TYGridUnion;
class TYCustomGrid;

// One cell. Owned by its row vector; refers to both of its vectors.
class TYCell : public TObject {
public:
  // Calls no hook: the holder calls the init hook once the cell is in place.
  TYCell(TYCellsVector* AColVector, TYCellsVector* ARowVector);
  // Calls the grid's free hook. Reaches the grid through the row vector only: when the store
  // destroys a cell its column vector may already be gone.
  ~TYCell() override;
  TYCell(const TYCell&) = delete;
  TYCell& operator=(const TYCell&) = delete;
  const char* ClassName() const override { return "TYCell"; }

  TYCellsVector* GetColVector() const { return ColVector; }
  TYCellsVector* GetRowVector() const { return RowVector; }
  // The enabled union the cell belongs to, or none.
  TYCellsUnion* GetUnion() const { return Union; }
  // Index of the cell's piece in its union, -1 when it lies in none.
  std::int32_t GetGridUnionIndex() const { return GridUnionIndex; }
  // The cell's own mark flag, without its union's mark.
  bool GetOwnMarked() const { return Marked; }
  // The user data slot; the grid unit never reads or writes it.
  void* GetData() const { return Data; }
  void SetData(void* Value) { Data = Value; }

  std::int32_t GetHolderCol() const;
  std::int32_t GetHolderRow() const;
  std::int32_t GetGridCol() const; // -1 while the column is hidden
  std::int32_t GetGridRow() const; // -1 while the row is hidden
  bool GetBelongsToUnion() const { return Union != nullptr; }
  bool GetUnioned() const;
  TYGridUnion* GetGridUnion() const; // the cell's piece when Unioned, else none
  // The own flag when set, else the union's mark.
  bool GetMarked() const;
  // Marks or unmarks the cell (cells marking only; never a fixed cell; the host may veto).
  void SetMarked(bool Value);

  TYCustomGrid* OwnerGrid() const;

private:
  friend class TYCellsUnion;
  friend class TYCellsHolder;

  TYCellsVector* ColVector;
  TYCellsVector* RowVector;
  TYCellsUnion* Union = nullptr;
  std::int32_t GridUnionIndex = -1;
  bool Marked = false;
  void* Data = nullptr;
};

using TYCellList = TListOf<TYCell>;
using TYRowCells = TOwnedList<TYCell>;

// One column or row of the cell store.
class TYCellsVector : public TObject {
public:
  // Only the store creates vectors: columns without a cell list, rows with an empty one.
  TYCellsVector(TYCellsHolder* AHolder, bool AIsColumn, bool AFixed, bool AVisible,
                std::int32_t ASize, std::unique_ptr<TYRowCells> ARowCells);
  // For a row: destroys its cells in column order (their free hooks run), then calls the free
  // hook of the row itself.
  ~TYCellsVector() override;
  TYCellsVector(const TYCellsVector&) = delete;
  TYCellsVector& operator=(const TYCellsVector&) = delete;
  const char* ClassName() const override { return "TYCellsVector"; }

  TYCellsHolder* GetHolder() const { return Holder; }
  bool GetIsColumn() const { return IsColumn; }
  bool GetFixed() const { return Fixed; }
  bool GetVisible() const { return Visible; }
  bool GetMarked() const { return Marked; }
  std::int32_t GetSize() const { return Size; } // width or height in pixels
  std::int32_t GetHolderIndex() const { return HolderIndex; }
  std::int32_t GetGridIndex() const { return GridIndex; } // -1 while hidden
  // A row's cells by holder column; none for a column.
  const TYRowCells* GetRowCells() const { return RowCells.get(); }
  void* GetData() const { return Data; }
  void SetData(void* Value) { Data = Value; }

  // Stores the size; no repaint, no event (the store's ColWidths/RowHeights notify).
  void SetSize(std::int32_t Value);
  // Marks or unmarks the vector (its marking option only; never a fixed vector; the host may veto).
  void SetMarked(bool Value);
  // Shows or hides the vector inside the store's size-change bracket.
  void SetVisible(bool Value);

  TYCustomGrid* OwnerGrid() const;

private:
  friend class TYCellsHolder;

  TYCellsHolder* Holder;
  bool IsColumn;
  bool Fixed;
  bool Visible;
  bool Marked = false;
  std::int32_t Size;
  std::int32_t HolderIndex = 0;
  std::int32_t GridIndex = 0;
  std::unique_ptr<TYRowCells> RowCells;
  void* Data = nullptr;
};
