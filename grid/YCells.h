/// \file
/// Cells and vectors: one object per cell, one per column and per row. A cell knows its
/// column and row vectors and derives every coordinate from them, so it keeps its identity
/// (and its user data) when vectors are moved, hidden, sorted or inserted around it.
#pragma once

#include "grid/YGridTypes.h"
#include "host/classes/Lists.h"

class TYCellsVector;
class TYCellsHolder;
class TYCellsAxis;
class TYCellsUnion;
class TYCellsUnions;
class TYGridUnion;
class TYCustomGrid;

/// One cell. Kept by the store (in its column's storage, at its row's slot) for as long as its
/// row and column live; refers to both of its vectors. A cell never moves in memory: a pointer
/// to it stays valid, and names the same cell, until its row or its column is destroyed.
class TYCell : public TObject {
public:
  /// The cell where AColVector and ARowVector cross; only the store creates cells. Calls no
  /// hook: the store calls the init hook once the whole structure is in place, and the free
  /// hook before it destroys the cell.
  TYCell(TYCellsVector* AColVector, TYCellsVector* ARowVector);
  /// Calls no hook and frees no user data (the free hook has run before).
  ~TYCell() override = default;
  TYCell(const TYCell&) = delete;            ///< Not copied.
  TYCell& operator=(const TYCell&) = delete; ///< Not copied.
  /// "TYCell".
  const char* ClassName() const override { return "TYCell"; }

  /// The cell's column.
  TYCellsVector* GetColVector() const { return ColVector; }
  /// The cell's row.
  TYCellsVector* GetRowVector() const { return RowVector; }
  /// The enabled union the cell belongs to, or none.
  TYCellsUnion* GetUnion() const { return Union; }
  /// Index of the cell's piece in its union, -1 when it lies in none.
  std::int32_t GetGridUnionIndex() const { return GridUnionIndex; }
  /// The cell's own mark flag, without its union's mark.
  bool GetOwnMarked() const { return Marked; }
  /// The user data slot; the grid unit never reads or writes it. None until the host's init
  /// hook sets it.
  void* GetData() const { return Data; }
  /// Sets the user data slot; the host releases what it holds, in its free hook.
  void SetData(void* Value) { Data = Value; }

  /// The column's holder index.
  std::int32_t GetHolderCol() const;
  /// The row's holder index.
  std::int32_t GetHolderRow() const;
  std::int32_t GetGridCol() const; ///< The column's grid index; -1 while the column is hidden.
  std::int32_t GetGridRow() const; ///< The row's grid index; -1 while the row is hidden.
  /// Whether the cell belongs to an enabled union (shown or not).
  bool GetBelongsToUnion() const { return Union != nullptr; }
  /// Whether the cell lies in one of its union's pieces, that is, is shown merged.
  bool GetUnioned() const;
  TYGridUnion* GetGridUnion() const; ///< The cell's piece when Unioned, else none.
  /// The own flag when set, else the union's mark. The marks of the cell's column and row do
  /// not count here.
  bool GetMarked() const;
  /// Marks or unmarks the cell (cells marking only; never a fixed cell; the host may veto). A
  /// cell of a union marks or unmarks the whole union. A refusal changes nothing and raises
  /// nothing.
  void SetMarked(bool Value);

  /// The grid that shows the cell's store; none for a store used on its own.
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

/// A list of cells that refers to them and never owns them.
using TYCellList = TListOf<TYCell>;

/// The cells of one row in holder column order, read through the store. A small value that is
/// valid while the row lives; it follows moves, insertions and deletions of columns.
class TYRowCells {
public:
  /// The cells of ARow in AHolder; ARow none for a column, which lists no cells.
  TYRowCells(const TYCellsHolder* AHolder, const TYCellsVector* ARow)
      : Holder(AHolder), Row(ARow) {}
  /// The number of columns; 0 for the cell list of a column, which has none.
  std::int32_t GetCount() const;
  /// The cell of holder column Index; an index outside the row raises the list's index error
  /// (EListError).
  TYCell* Get(std::int32_t Index) const;
  TYCell* operator[](std::int32_t Index) const; ///< The cell of holder column Index; unchecked.

private:
  const TYCellsHolder* Holder;
  const TYCellsVector* Row; // none for a column
};

/// One column or row of the cell store: its size, its fixed, visible and marked state, its
/// holder and grid indices and a user data slot. Like a cell it never moves in memory while it
/// lives.
class TYCellsVector : public TObject {
public:
  /// Only the store creates vectors. Slot is where the store keeps the vector and, for a
  /// column, its cells; for a row, the place of its cell in every column.
  TYCellsVector(TYCellsHolder* AHolder, bool AIsColumn, bool AFixed, bool AVisible,
                std::int32_t ASize, std::int32_t ASlot);
  /// Calls no hook: the store frees the user data of a vector before it destroys it.
  ~TYCellsVector() override = default;
  TYCellsVector(const TYCellsVector&) = delete;            ///< Not copied.
  TYCellsVector& operator=(const TYCellsVector&) = delete; ///< Not copied.
  /// "TYCellsVector".
  const char* ClassName() const override { return "TYCellsVector"; }

  /// The store the vector belongs to.
  TYCellsHolder* GetHolder() const { return Holder; }
  /// True for a column, false for a row; fixed for the vector's life.
  bool GetIsColumn() const { return IsColumn; }
  /// Whether the vector lies in the fixed area: its holder index is below the store's fixed
  /// count.
  bool GetFixed() const { return Fixed; }
  /// Whether the vector is shown; a hidden vector has no grid index.
  bool GetVisible() const { return Visible; }
  /// The vector's own mark flag.
  bool GetMarked() const { return Marked; }
  std::int32_t GetSize() const { return Size; } ///< Width or height in pixels.
  /// The vector's place among all vectors of its kind, hidden ones included.
  std::int32_t GetHolderIndex() const { return HolderIndex; }
  std::int32_t GetGridIndex() const { return GridIndex; } ///< Grid index; -1 while hidden.
  /// A row's cells by holder column; an empty list for a column.
  TYRowCells GetRowCells() const { return {Holder, IsColumn ? nullptr : this}; }
  /// The user data slot; the grid unit never reads or writes it.
  void* GetData() const { return Data; }
  /// Sets the user data slot; the host releases what it holds, in its free hook.
  void SetData(void* Value) { Data = Value; }

  /// Stores the size; no repaint, no event (the store's ColWidths/RowHeights notify). The store
  /// still learns of it, for its running sums of the sizes.
  void SetSize(std::int32_t Value);
  /// Marks or unmarks the vector (its marking option only; never a fixed vector; the host may
  /// veto), and brings the unions it cuts in line. A refusal changes nothing and raises nothing.
  void SetMarked(bool Value);
  /// Shows or hides the vector inside the store's size-change bracket. It may hide the last
  /// visible vector of its axis: the grid then has no current cell until one shows again.
  void SetVisible(bool Value);

  /// The grid that shows the vector's store; none for a store used on its own.
  TYCustomGrid* OwnerGrid() const;

private:
  friend class TYCellsHolder;
  friend class TYCellsAxis;

  TYCellsHolder* Holder;
  bool IsColumn;
  bool Fixed;
  bool Visible;
  bool Marked = false;
  std::int32_t Size;
  std::int32_t HolderIndex = 0;
  std::int32_t GridIndex = 0;
  std::int32_t Slot; // fixed for the vector's life
  void* Data = nullptr;
};
