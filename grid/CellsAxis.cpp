// One axis of the store: numbering, slots, and the running sums of the visible sizes.
#include "grid/YCellsHolder.h"

#include <algorithm>

// Holder indices, fixed flags and grid indices in holder order; the map of the visible ones.
// The visible fixed count is kept below the visible count, so with nothing visible it is -1.
void TYCellsAxis::Enumerate() {
  GridMap.clear();
  std::int32_t VisibleFixed = 0;
  for (std::int32_t I = 0; I < GetCount(); ++I) {
    TYCellsVector* V = List[static_cast<std::size_t>(I)];
    V->HolderIndex = I;
    V->Fixed = I < Fixed;
    if (!V->Visible) {
      V->GridIndex = -1;
      continue;
    }
    V->GridIndex = GetGridCount();
    GridMap.push_back(I);
    if (V->Fixed) ++VisibleFixed;
  }
  GridFixed = std::min(VisibleFixed, GetGridCount() - 1);
  SumsValid = false;
}

std::int32_t TYCellsAxis::TakeSlot() {
  if (FreeSlots.empty()) return SlotsUsed++;
  const std::int32_t Slot = FreeSlots.back();
  FreeSlots.pop_back();
  return Slot;
}

std::int32_t TYCellsAxis::SlotsAfter(std::int32_t Count) const {
  const auto Reused = static_cast<std::int32_t>(
      std::min<std::size_t>(FreeSlots.size(), static_cast<std::size_t>(std::max(Count, 0))));
  return SlotsUsed + (Count - Reused);
}

// ---------------------------------------------------------------- running sums

void TYCellsAxis::BuildSums() const {
  Sums.resize(GridMap.size() + 1);
  std::int64_t Sum = 0;
  Ascending = true;
  for (std::size_t G = 0; G < GridMap.size(); ++G) {
    Sums[G] = Sum;
    const std::int32_t Size = List[static_cast<std::size_t>(GridMap[G])]->Size;
    Ascending = Ascending && Size >= 0;
    Sum += Size;
  }
  Sums[GridMap.size()] = Sum;
  SumsValid = true;
}

std::int64_t TYCellsAxis::SizesBefore(std::int32_t Index) const {
  if (!SumsValid) BuildSums();
  return Sums[static_cast<std::size_t>(Index)];
}

bool TYCellsAxis::SizesAscend() const {
  if (!SumsValid) BuildSums();
  return Ascending;
}

// The sizes of grid indices 0 .. Index - 1, each with Step added.
std::int64_t TYCellsAxis::SpanBefore(std::int32_t Index, std::int64_t Step) const {
  return Sums[static_cast<std::size_t>(Index)] + Step * Index;
}

std::int32_t TYCellsAxis::FirstBeyond(std::int32_t From, std::int64_t Step,
                                      std::int64_t Limit) const {
  if (!SumsValid) BuildSums();
  const std::int64_t Base = SpanBefore(From, Step);
  // The span through index I is SpanBefore(I + 1) - Base, which grows with I.
  std::int32_t Low = From;
  std::int32_t High = GetGridCount();
  while (Low < High) {
    const std::int32_t Mid = Low + (High - Low) / 2;
    if (SpanBefore(Mid + 1, Step) - Base > Limit)
      High = Mid;
    else
      Low = Mid + 1;
  }
  return Low;
}
