// Unions: merged cells. A union is a set of cell objects with one main cell; what the grid
// shows of it is recomputed after every layout change as pieces, the edge-connected groups of
// its visible cells, each with a rectangle in grid indices.
#pragma once

#include "grid/YCells.h"

#include <functional>
#include <memory>

// One piece of a union as the grid shows it. Lives only until the union's next refresh.
class TYGridUnion : public TObject {
public:
  TYGridUnion(TYCellsUnion* ACellsUnion, const TYGridRect& ARect,
              std::unique_ptr<TYCellList> ACellList);
  const char* ClassName() const override { return "TYGridUnion"; }

  TYCellsUnion* GetCellsUnion() const { return CellsUnion; }
  const TYGridRect& GetRect() const { return Rect; } // bounding rectangle, grid indices
  std::int32_t GetPaintCounter() const { return PaintCounter; }
  void SetPaintCounter(std::int32_t Value) { PaintCounter = Value; }
  TYCell* GetMainCell() const; // the union's main cell, wherever it lies
  TYCell* GetCells(std::int32_t Index) const;
  std::int32_t GetCount() const { return CellList->GetCount(); }
  bool GetMarked() const;

private:
  TYCellsUnion* CellsUnion;
  TYGridRect Rect;
  std::int32_t PaintCounter = 0;
  std::unique_ptr<TYCellList> CellList;
};

// One union as the host defined it.
class TYCellsUnion : public TObject {
public:
  // Takes the cell list and enables the union: links the cells, builds the pieces, repaints.
  TYCellsUnion(TYCellsUnions* AOwner, std::unique_ptr<TYCellList> ACellList, TYCell* AMainCell);
  // Disables the union (unlinks the cells, repaints), then releases its lists.
  ~TYCellsUnion() override;
  TYCellsUnion(const TYCellsUnion&) = delete;
  TYCellsUnion& operator=(const TYCellsUnion&) = delete;
  const char* ClassName() const override { return "TYCellsUnion"; }

  TYCellsUnions* GetOwner() const { return Owner; }
  TYCell* GetMainCell() const { return MainCell; }
  TYCell* GetCells(std::int32_t Index) const;
  std::int32_t GetCellsCount() const { return CellList->GetCount(); }
  TYGridUnion* GetGridUnions(std::int32_t Index) const;
  std::int32_t GetGridUnionsCount() const { return GridUnionList.GetCount(); }
  bool GetMarked() const { return Marked; }
  void SetMarked(bool Value);
  bool GetStoredMarked() const { return StoredMarked; }
  bool GetEnabled() const { return Enabled; }
  void SetEnabled(bool Value);

  // Links the cells to the union and drops the pieces.
  void Enable();
  // Unlinks the cells and drops the pieces; the cells keep their own mark flags.
  void Disable();
  // Derives the mark and cuts the visible cells into pieces.
  void Refresh();
  // Asks the grid to repaint everything the union's appearance touches.
  void Invalidate();

  // The grid that shows the union's store; none for a store on its own.
  TYCustomGrid* OwnerGrid() const;
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

// The unions of one cell store, in the order they were added.
class TYCellsUnions : public TObject {
public:
  explicit TYCellsUnions(TYCellsHolder* AHolder);
  ~TYCellsUnions() override;
  TYCellsUnions(const TYCellsUnions&) = delete;
  TYCellsUnions& operator=(const TYCellsUnions&) = delete;
  const char* ClassName() const override { return "TYCellsUnions"; }

  TYCellsHolder* GetHolder() const { return Holder; }
  TYCellsUnion* GetUnions(std::int32_t Index) const;
  std::int32_t GetUnionsCount() const { return UnionList.GetCount(); }

  // Adds the rectangular union spanned by two corners, in grid indices (Grid) or holder indices.
  void Add(const TYGridCoord& MainCell, const TYGridCoord& Corner1, const TYGridCoord& Corner2,
           bool Grid);
  // Adds a union of the listed cells; the list passes to the collection in every case.
  void Add(TYCell* MainCell, std::unique_ptr<TYCellList> CellList, bool Grid);
  void Delete(std::int32_t Index);
  void Clear();

  void Refresh();
  void ResetPaintCounters();
  void StoreMarkStatuses();
  // Brings the unions that a column or row cuts in line with its new mark.
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
