// Private to the store's sources: one axis of the store seen as a whole, so that the column
// and the row version of each operation are written once.
#pragma once

#include "grid/YGrids.h"

struct TYCellsHolder::Axis {
  bool IsColumn;
  TOwnedList<TYCellsVector>& List;
  std::int32_t& Fixed;                // the store's fixed count
  std::int32_t& GridCount;            // the store's count of visible vectors
  std::vector<std::int32_t>& GridMap; // the grid's map from grid to holder index
  std::int32_t& GridFixed;            // the grid's visible fixed count
  std::int32_t& GridVisibleCount;     // the grid's ColCount or RowCount
  const char* FixedTooBig;            // the error text for a fixed count not below the count
};
