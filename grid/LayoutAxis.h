// Private to the grid's sources: sums and searches along one axis of a layout. With the
// store's running sums they cost the same at any scroll position and on any table size; for
// an axis without them (or with negative sizes, where positions do not grow with the index)
// they walk cell by cell, in 64 bits so that no extent can overflow them.
#pragma once

#include "grid/YGrids.h"

#include <cstdint>
#include <limits>

namespace YGridsLayout {
// Clamps a 64-bit position into the 32-bit fields of the layout and the screen rectangles.
inline std::int32_t Saturated(std::int64_t Value) {
  constexpr std::int64_t Low = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t High = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(Value < Low ? Low : Value > High ? High : Value);
}

// The sum of GetExtent(I) + LineWidth over First <= I <= Last (0 when Last < First).
std::int64_t Span(const TYGridAxisDrawInfo& Axis, std::int32_t First, std::int32_t Last);

// The first index I in From .. End - 1 whose span Span(From, I) exceeds Limit; End when there
// is none. End must not pass GridCellCount when the axis has running sums.
std::int32_t FirstBeyond(const TYGridAxisDrawInfo& Axis, std::int32_t From, std::int32_t End,
                         std::int64_t Limit);
} // namespace YGridsLayout
