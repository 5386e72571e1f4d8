/// \file
/// Unions: merged cells. A union is a set of cell objects with one main cell; what the grid
/// shows of it is recomputed after every layout change as pieces, the edge-connected groups of
/// its visible cells, each with a rectangle in grid indices.
#pragma once

#include "grid/YCells.h"

#include <functional>
#include <memory>

/// One piece of a union as the grid shows it: an edge-connected group of the union's visible
/// cells. Lives only until the union's next refresh.
class TYGridUnion : public TObject {
public:
  /// A piece of ACellsUnion covering ARect (grid indices), made of the cells of ACellList.
  TYGridUnion(TYCellsUnion* ACellsUnion, const TYGridRect& ARect,
              std::unique_ptr<TYCellList> ACellList);
  /// "TYGridUnion".
  const char* ClassName() const override { return "TYGridUnion"; }

  /// The union this piece belongs to.
  TYCellsUnion* GetCellsUnion() const { return CellsUnion; }
  /// The piece's bounding rectangle, in grid indices.
  const TYGridRect& GetRect() const { return Rect; }
  /// The paint pass that last drew this piece: a piece is painted once per pass.
  std::int32_t GetPaintCounter() const { return PaintCounter; }
  /// Records the paint pass that drew this piece.
  void SetPaintCounter(std::int32_t Value) { PaintCounter = Value; }
  /// The union's main cell, wherever it lies (maybe in another piece, or hidden).
  TYCell* GetMainCell() const;
  /// The piece's cell at Index (0 to GetCount() - 1).
  TYCell* GetCells(std::int32_t Index) const;
  /// How many cells the piece has.
  std::int32_t GetCount() const { return CellList->GetCount(); }
  /// The union's mark.
  bool GetMarked() const;

private:
  TYCellsUnion* CellsUnion;
  TYGridRect Rect;
  std::int32_t PaintCounter = 0;
  std::unique_ptr<TYCellList> CellList;
};

/// One union as the host defined it: a set of cells shown as one merged cell, whose text and
/// look are those of its main cell.
class TYCellsUnion : public TObject {
public:
  /// Takes the cell list and enables the union: links the cells, builds the pieces, repaints.
  /// Applications add unions through TYCellsUnions::Add.
  TYCellsUnion(TYCellsUnions* AOwner, std::unique_ptr<TYCellList> ACellList, TYCell* AMainCell);
  /// Disables the union (unlinks the cells, repaints), then releases its lists.
  ~TYCellsUnion() override;
  TYCellsUnion(const TYCellsUnion&) = delete;            ///< Not copied.
  TYCellsUnion& operator=(const TYCellsUnion&) = delete; ///< Not copied.
  /// "TYCellsUnion".
  const char* ClassName() const override { return "TYCellsUnion"; }

  /// The collection the union belongs to.
  TYCellsUnions* GetOwner() const { return Owner; }
  /// The cell whose text, image and look the merged cell shows.
  TYCell* GetMainCell() const { return MainCell; }
  /// The union's cell at Index (0 to GetCellsCount() - 1), hidden ones included.
  TYCell* GetCells(std::int32_t Index) const;
  /// How many cells the union has.
  std::int32_t GetCellsCount() const { return CellList->GetCount(); }
  /// The piece at Index (0 to GetGridUnionsCount() - 1), as of the last refresh.
  TYGridUnion* GetGridUnions(std::int32_t Index) const;
  /// How many pieces the grid shows of the union.
  std::int32_t GetGridUnionsCount() const { return GridUnionList.GetCount(); }
  /// The union's one mark, shared by all its cells.
  bool GetMarked() const { return Marked; }
  /// Marks or unmarks the union as a whole (all its cells), and repaints it.
  void SetMarked(bool Value);
  /// The mark as last stored by TYCellsUnions::StoreMarkStatuses.
  bool GetStoredMarked() const { return StoredMarked; }
  /// Whether the union is in force: its cells are linked to it and shown merged.
  bool GetEnabled() const { return Enabled; }
  /// Enables or disables the union (Enable, Disable).
  void SetEnabled(bool Value);

  /// Links the cells to the union and drops the pieces.
  void Enable();
  /// Unlinks the cells and drops the pieces; the cells keep their own mark flags.
  void Disable();
  /// Derives the mark and cuts the visible cells into pieces.
  void Refresh();
  /// Asks the grid to repaint everything the union's appearance touches.
  void Invalidate();

  /// The grid that shows the union's store; none for a store on its own.
  TYCustomGrid* OwnerGrid() const;
  /// The cell store that holds the union.
  TYCellsHolder* Holder() const;

private:
  friend class TYCellsUnions;
  friend class TYCellsHolder;

  void LinkCells(TYCellsUnion* Link);
  void DeriveMark();
  bool MainCellScrollable() const;
  void CopyMarkToCells();
  void SetCellOwnMark(TYCell* Cell, bool Value);
  void BuildPieces(TYCellList& Work);
  void AddPiece(std::unique_ptr<TYCellList> Group);
  // Takes out the cells that Removed selects; answers how many remain.
  std::int32_t RemoveCells(const std::function<bool(const TYCell*)>& Removed);

  TYCellsUnions* Owner;
  TYCell* MainCell;
  std::unique_ptr<TYCellList> CellList;
  TOwnedList<TYGridUnion> GridUnionList;
  bool Marked = false;
  bool StoredMarked = false;
  bool Enabled = false;
};

/// The unions of one cell store, in the order they were added
/// (TYCellsHolder::GetCellsUnions). A union that overlaps a new one is replaced by it.
class TYCellsUnions : public TObject {
public:
  /// The (empty) collection of AHolder's unions; the store makes it.
  explicit TYCellsUnions(TYCellsHolder* AHolder);
  /// Deletes every union.
  ~TYCellsUnions() override;
  TYCellsUnions(const TYCellsUnions&) = delete;            ///< Not copied.
  TYCellsUnions& operator=(const TYCellsUnions&) = delete; ///< Not copied.
  /// "TYCellsUnions".
  const char* ClassName() const override { return "TYCellsUnions"; }

  /// The cell store the unions belong to.
  TYCellsHolder* GetHolder() const { return Holder; }
  /// The union at Index (0 to GetUnionsCount() - 1).
  TYCellsUnion* GetUnions(std::int32_t Index) const;
  /// How many unions there are.
  std::int32_t GetUnionsCount() const { return UnionList.GetCount(); }

  /// Adds the rectangular union spanned by two corners, with MainCell as its main cell; all
  /// three in grid indices (Grid) or in holder indices. Nothing is added for fewer than two
  /// cells, or for cells that are not all fixed or all scrollable.
  void Add(const TYGridCoord& MainCell, const TYGridCoord& Corner1, const TYGridCoord& Corner2,
           bool Grid);
  /// Adds a union of the listed cells (they need not form a rectangle; MainCell among them);
  /// the list passes to the collection in every case. Nothing is added on the terms above.
  void Add(TYCell* MainCell, std::unique_ptr<TYCellList> CellList, bool Grid);
  /// Deletes the union at Index; its cells are shown one by one again.
  void Delete(std::int32_t Index);
  /// Deletes every union.
  void Clear();

  /// Refreshes every union: marks and pieces (after a layout change).
  void Refresh();
  /// Sets every piece's paint counter to 0, before counting paint passes anew.
  void ResetPaintCounters();
  /// Remembers every union's mark (GetStoredMarked).
  void StoreMarkStatuses();
  /// Brings the unions that a column or row cuts in line with its new mark; answers whether a
  /// union's mark changed.
  bool TryChangeMarked(TYCellsVector* CellsVector, bool MarkValue);

private:
  friend class TYCellsHolder;

  bool IsFixedCell(const TYCell* Cell, bool Grid) const;
  bool SameFixedState(const TYCellList& Cells, bool Grid) const;
  std::unique_ptr<TYCellList> CollectRect(const TYGridRect& Rect, bool Grid,
                                          const TYGridCoord& MainCoord, TYCell*& Main) const;
  void RemoveOverlapping(const TYCell* MainCell, const TYCellList& Cells);
  void Append(std::unique_ptr<TYCellList> Cells, TYCell* MainCell);
  bool UnionFollowsVector(const TYCellsUnion* Union, const TYCellsVector* Vector) const;

  TYCellsHolder* Holder;
  TOwnedList<TYCellsUnion> UnionList;
};
