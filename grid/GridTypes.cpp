#include "grid/YGridTypes.h"

#include <algorithm>

void InvalidOp(const std::string& Msg) {
  throw EYInvalidGridOperation(Msg);
}

void GridError(const TObject* Sender, const char* Text) {
  InvalidOp(std::string(Sender->ClassName()) + "::" + Text);
}

TYGridRect NormalizedGridRect(const TYGridCoord& Coord1, const TYGridCoord& Coord2) {
  return {std::min(Coord1.X, Coord2.X), std::min(Coord1.Y, Coord2.Y), std::max(Coord1.X, Coord2.X),
          std::max(Coord1.Y, Coord2.Y)};
}

bool CellInGridRect(std::int32_t Col, std::int32_t Row, const TYGridRect& Rect) {
  return Col >= Rect.Left && Col <= Rect.Right && Row >= Rect.Top && Row <= Rect.Bottom;
}

namespace {
bool InRange(std::int32_t Value, std::int32_t Low, std::int32_t High) {
  return Value >= Low && Value <= High;
}

// One axis of the overlap test: either range has an end inside the other.
bool SpansOverlap(std::int32_t Low1, std::int32_t High1, std::int32_t Low2, std::int32_t High2) {
  return InRange(Low1, Low2, High2) || InRange(High1, Low2, High2) || InRange(Low2, Low1, High1) ||
         InRange(High2, Low1, High1);
}
} // namespace

bool GridRectsOverlap(const TYGridRect& Rect1, const TYGridRect& Rect2) {
  return SpansOverlap(Rect1.Left, Rect1.Right, Rect2.Left, Rect2.Right) &&
         SpansOverlap(Rect1.Top, Rect1.Bottom, Rect2.Top, Rect2.Bottom);
}

TYGridRect ClipGridRect(const TYGridRect& Rect, const TYGridRect& Bounds) {
  return {std::max(Rect.Left, Bounds.Left), std::max(Rect.Top, Bounds.Top),
          std::min(Rect.Right, Bounds.Right), std::min(Rect.Bottom, Bounds.Bottom)};
}
