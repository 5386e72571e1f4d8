#include "grid/LayoutAxis.h"

#include <algorithm>

namespace YGridsLayout {
namespace {
bool HasSums(const TYGridAxisDrawInfo& Axis, std::int32_t First, std::int32_t End) {
  return Axis.Sizes && First >= 0 && End <= Axis.Sizes->GetGridCount();
}
} // namespace

std::int64_t Span(const TYGridAxisDrawInfo& Axis, std::int32_t First, std::int32_t Last) {
  if (Last < First) return 0;
  const std::int64_t Lines = std::int64_t{Axis.LineWidth} * (std::int64_t{Last} - First + 1);
  if (HasSums(Axis, First, Last + 1))
    return Axis.Sizes->SizesBefore(Last + 1) - Axis.Sizes->SizesBefore(First) + Lines;
  std::int64_t Sum = Lines;
  for (std::int32_t I = First; I <= Last; ++I)
    Sum += Axis.GetExtent(I);
  return Sum;
}

std::int32_t FirstBeyond(const TYGridAxisDrawInfo& Axis, std::int32_t From, std::int32_t End,
                         std::int64_t Limit) {
  if (From >= End) return End;
  if (HasSums(Axis, From, End) && Axis.LineWidth >= 0 && Axis.Sizes->SizesAscend())
    return std::min(Axis.Sizes->FirstBeyond(From, Axis.LineWidth, Limit), End);
  std::int64_t Sum = 0;
  for (std::int32_t I = From; I < End; ++I) {
    Sum += std::int64_t{Axis.GetExtent(I)} + Axis.LineWidth;
    if (Sum > Limit) return I;
  }
  return End;
}
} // namespace YGridsLayout
