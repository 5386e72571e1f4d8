// Exact pixel primitives: rectangle fills and pen lines, written straight into the pixels so
// that the results (and XOR drawn twice) are exact and independent of Qt's rasterizer. Every
// shape is cut to the drawable area first and rasterized as runs of pixels, so that its cost
// follows what is visible, never its length or width.
#include "host/gui/Backend.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

namespace {
constexpr QRgb RgbMask = 0x00FFFFFF;
constexpr QRgb Opaque = 0xFF000000;

// Sets every pixel of Part (inside Target) to Pixel: the first row pixel by pixel, the rows
// under it as copies of that row, which the library's block copy writes many pixels at a time.
void FillPixels(QImage& Target, const QRect& Part, QRgb Pixel) {
  if (Part.isEmpty()) return;
  uchar* Bits = Target.bits();
  const qsizetype Stride = Target.bytesPerLine();
  auto* First = reinterpret_cast<QRgb*>(Bits + Part.top() * Stride) + Part.left();
  std::fill(First, First + Part.width(), Pixel);
  const auto Bytes = static_cast<std::size_t>(Part.width()) * sizeof(QRgb);
  for (int Y = Part.top() + 1; Y <= Part.bottom(); ++Y)
    std::memcpy(reinterpret_cast<QRgb*>(Bits + Y * Stride) + Part.left(), First, Bytes);
}

QRgb ApplyPenMode(TPenMode Mode, QRgb Pixel, QRgb Pen) {
  switch (Mode) {
  case pmBlack:
    return Opaque;
  case pmWhite:
    return Opaque | RgbMask;
  case pmNop:
    return Pixel;
  case pmNot:
    return Opaque | (~Pixel & RgbMask);
  case pmNotCopy:
    return Opaque | (~Pen & RgbMask);
  case pmXor:
    return Opaque | ((Pixel ^ Pen) & RgbMask);
  case pmCopy:
    break;
  }
  return Opaque | (Pen & RgbMask);
}

// On and off run lengths of the styled pens, in pixels, starting with "on".
std::span<const int> DashPattern(TPenStyle Style) {
  static constexpr int Dot[] = {1, 1};
  static constexpr int Dash[] = {6, 2};
  static constexpr int DashDot[] = {6, 2, 1, 2};
  static constexpr int DashDotDot[] = {6, 2, 1, 2, 1, 2};
  switch (Style) {
  case psDot:
    return Dot;
  case psDash:
    return Dash;
  case psDashDot:
    return DashDot;
  case psDashDotDot:
    return DashDotDot;
  default:
    return {};
  }
}

// Which pixels of a run are drawn, by the pen's dash pattern.
class TDashes {
public:
  explicit TDashes(std::span<const int> APattern) : Pattern(APattern) {}
  bool Next() {
    if (Pattern.empty()) return true;
    const bool On = Index % 2 == 0;
    if (++Run == Pattern[Index]) {
      Run = 0;
      Index = (Index + 1) % Pattern.size();
    }
    return On;
  }

private:
  std::span<const int> Pattern;
  std::size_t Index = 0;
  int Run = 0;
};

// The offsets covered by a pen of Width pixels around one line pixel: a disc of diameter
// Width, centred on the pixel for odd widths and on its top-left corner for even ones, so a
// width of 3 at x = 10 covers 9..11 and a width of 2 covers 9..10. Rows (row offsets) run from
// First to Last; each row of the disc is answered on its own, so that a pen far wider than the
// surface costs only the rows that show.
struct TFootprint {
  explicit TFootprint(int AWidth)
      : Width(AWidth), First(-(AWidth / 2)), Last(AWidth - 1 - AWidth / 2),
        Shift(AWidth % 2 == 0 ? 1 : 0) {}
  // The first and last column offset of the disc in row offset Dy (Low > High: none).
  std::pair<int, int> Row(int Dy) const {
    const long long Y2 = 2LL * Dy + Shift; // doubled distances from the centre
    const long long Room = static_cast<long long>(Width) * Width - Y2 * Y2;
    if (Room < 0) return {1, 0};
    long long M = static_cast<long long>(std::sqrt(static_cast<double>(Room)));
    while (M * M > Room)
      --M;
    while ((M + 1) * (M + 1) <= Room)
      ++M;
    // 2 * Dx + Shift within [-M, M]
    const long long Low = -((M + Shift) / 2), High = M >= Shift ? (M - Shift) / 2 : -1;
    return {static_cast<int>(std::max<long long>(Low, First)),
            static_cast<int>(std::min<long long>(High, Last))};
  }
  int Width, First, Last, Shift;
};

// Applies the pen to every drawable pixel of a device rectangle.
void PenRect(HDC Dc, const QRect& Rect, TPenMode Mode, QRgb Pen) {
  ForEachDrawable(Dc, Rect, [&](const QRect& Part) {
    if (Mode == pmCopy) return FillPixels(*Dc->Target, Part, Opaque | (Pen & RgbMask));
    uchar* Bits = Dc->Target->bits();
    const qsizetype Stride = Dc->Target->bytesPerLine();
    for (int Y = Part.top(); Y <= Part.bottom(); ++Y) {
      auto* Line = reinterpret_cast<QRgb*>(Bits + Y * Stride);
      for (int X = Part.left(); X <= Part.right(); ++X)
        Line[X] = ApplyPenMode(Mode, Line[X], Pen);
    }
  });
}

// A device rectangle from inclusive bounds given in 64 bits, clamped.
QRect Span(long long Left, long long Top, long long Right, long long Bottom) {
  const int L = ClampCoordinate(Left), T = ClampCoordinate(Top);
  return QRect(QPoint(L, T), QPoint(ClampCoordinate(Right), ClampCoordinate(Bottom)));
}

// The line's pixels run from First to Last (inclusive) on one axis at Across on the other.
struct TAxisLine {
  bool Vertical;
  long long First, Last, Across;
  // The rectangle of pixels from Low to High along the line and LowAcross to HighAcross across.
  QRect Rect(long long Low, long long High, long long LowAcross, long long HighAcross) const {
    return Vertical ? Span(LowAcross, Low, HighAcross, High)
                    : Span(Low, LowAcross, High, HighAcross);
  }
};

// A solid axis-parallel line of a wide pen: one run per row (column) of its footprint, so each
// pixel is drawn once and the round ends stay.
void WideAxisLine(HDC Dc, const TAxisLine& L, int Width, TPenMode Mode, QRgb Pen) {
  const TFootprint F(Width);
  const QRect Bounds = DrawableBounds(Dc);
  if (Bounds.isEmpty()) return;
  const long long Low = L.Vertical ? Bounds.left() : Bounds.top();
  const long long High = L.Vertical ? Bounds.right() : Bounds.bottom();
  const int First = static_cast<int>(std::max<long long>(F.First, Low - L.Across));
  const int Last = static_cast<int>(std::min<long long>(F.Last, High - L.Across));
  for (int Offset = First; Offset <= Last; ++Offset) {
    const auto [Start, End] = F.Row(Offset);
    if (Start > End) continue;
    PenRect(Dc, L.Rect(L.First + Start, L.Last + End, L.Across + Offset, L.Across + Offset), Mode,
            Pen);
  }
}

// A dashed one-pixel axis-parallel line: only the dashes inside the drawable bounds are
// visited, each as a run; the pattern starts at the line's first pixel.
void DashedAxisLine(HDC Dc, const TAxisLine& L, bool Reverse, std::span<const int> Pattern,
                    int Thickness, TPenMode Mode, QRgb Pen) {
  const QRect Bounds = DrawableBounds(Dc);
  if (Bounds.isEmpty()) return;
  const long long Low = std::max<long long>(L.First, L.Vertical ? Bounds.top() : Bounds.left());
  const long long High = std::min<long long>(L.Last, L.Vertical ? Bounds.bottom() : Bounds.right());
  int Period = 0;
  for (int Run : Pattern)
    Period += Run * Thickness;
  // Distance from the start of the pattern: from First, or from Last when drawn backwards.
  auto Phase = [&](long long P) { return (Reverse ? L.Last - P : P - L.First) % Period; };
  for (long long P = Low; P <= High;) {
    const long long InPeriod = Phase(P);
    long long RunStart = 0;
    std::size_t Index = 0;
    while (InPeriod >= RunStart + Pattern[Index] * Thickness)
      RunStart += Pattern[Index++] * Thickness;
    // The pixels of this run from P on: the phase grows with P, or falls when drawn backwards.
    const long long Count =
        Reverse ? InPeriod - RunStart + 1 : RunStart + Pattern[Index] * Thickness - InPeriod;
    const long long Next = std::min(High, P + Count - 1);
    if (Index % 2 == 0) PenRect(Dc, L.Rect(P, Next, L.Across, L.Across + Thickness - 1), Mode, Pen);
    P = Next + 1;
  }
}

// The pixels of a one-pixel line from A to B without B (Bresenham), dashed by Pattern; only
// pixels inside Bounds are kept, as runs per row, and stepping stops once the line has left
// them for good.
std::vector<QRect> DiagonalRuns(QPoint A, QPoint B, std::span<const int> Pattern,
                                const QRect& Bounds) {
  std::vector<QRect> Runs;
  const long long Dx = std::abs(static_cast<long long>(B.x()) - A.x());
  const long long Dy = -std::abs(static_cast<long long>(B.y()) - A.y());
  const int Sx = A.x() < B.x() ? 1 : -1, Sy = A.y() < B.y() ? 1 : -1;
  long long Error = Dx + Dy;
  TDashes Dashes(Pattern);
  bool Entered = false;
  for (QPoint P = A; P != B;) {
    const bool Inside = Bounds.contains(P);
    if (!Inside && Entered) break; // a straight line that has left a rectangle never returns
    Entered = Entered || Inside;
    if (Dashes.Next() && Inside) {
      // Bresenham steps by one pixel, so a pixel next to the last run in its row extends it.
      QRect& Last = Runs.empty() ? Runs.emplace_back() : Runs.back();
      const bool Extends = !Last.isNull() && Last.top() == P.y() &&
                           (P.x() == Last.right() + 1 || P.x() == Last.left() - 1);
      if (Extends)
        Last |= QRect(P, QSize(1, 1));
      else if (Last.isNull())
        Last = QRect(P, QSize(1, 1));
      else
        Runs.emplace_back(P, QSize(1, 1));
    }
    const long long E2 = 2 * Error;
    if (E2 >= Dy) {
      Error += Dy;
      P.rx() += Sx;
    }
    if (E2 <= Dx) {
      Error += Dx;
      P.ry() += Sy;
    }
  }
  return Runs;
}

// Adds the run [Left, Right] to a row's runs, which arrive ordered along the line.
void AddRun(std::vector<std::pair<int, int>>& Row, int Left, int Right) {
  for (auto& Run : Row)
    if (Left <= Run.second + 1 && Right >= Run.first - 1) {
      Run = {std::min(Run.first, Left), std::max(Run.second, Right)};
      return;
    }
  Row.emplace_back(Left, Right);
}

// The runs of a wide pen along a diagonal line's pixels, per row within Bounds, merged so
// that each pixel is drawn once (so that XOR stays reversible).
void WideDiagonal(HDC Dc, const std::vector<QRect>& Pixels, int Width, const QRect& Bounds,
                  TPenMode Mode, QRgb Pen) {
  const TFootprint F(Width);
  std::vector<std::vector<std::pair<int, int>>> Rows(static_cast<std::size_t>(Bounds.height()));
  for (const QRect& Run : Pixels)
    for (int Y = std::max(Bounds.top(), Run.top() + F.First);
         Y <= std::min(Bounds.bottom(), Run.top() + F.Last); ++Y) {
      const auto [Start, End] = F.Row(Y - Run.top());
      if (Start > End) continue;
      const int Left = ClampCoordinate(static_cast<long long>(Run.left()) + Start);
      const int Right = ClampCoordinate(static_cast<long long>(Run.right()) + End);
      if (Right < Bounds.left() || Left > Bounds.right()) continue;
      AddRun(Rows[static_cast<std::size_t>(Y - Bounds.top())], std::max(Left, Bounds.left() - 1),
             std::min(Right, Bounds.right() + 1));
    }
  for (std::size_t I = 0; I < Rows.size(); ++I) {
    std::sort(Rows[I].begin(), Rows[I].end());
    std::vector<std::pair<int, int>> Merged;
    for (const auto& Run : Rows[I])
      AddRun(Merged, Run.first, Run.second);
    for (const auto& [Left, Right] : Merged)
      PenRect(Dc,
              QRect(QPoint(Left, Bounds.top() + static_cast<int>(I)),
                    QPoint(Right, Bounds.top() + static_cast<int>(I))),
              Mode, Pen);
  }
}

// Logical bounds of an axis-parallel line from A to B without B: its first and last pixel.
std::pair<long long, long long> RunOf(int A, int B) {
  return B > A ? std::pair<long long, long long>{A, B - 1LL}
               : std::pair<long long, long long>{B + 1LL, A};
}
} // namespace

void FillDevice(HDC Dc, const QRect& Device, QRgb Pixel) {
  ForEachDrawable(Dc, Device, [&](const QRect& Part) { FillPixels(*Dc->Target, Part, Pixel); });
}

namespace {
// An axis-parallel line at a scale other than 1: the logical pixels it covers, widened by the
// pen as square-ended runs, each edge snapped to whole device pixels.
void ScaledAxisLine(HDC Dc, TPoint From, TPoint To, int Width, std::span<const int> Pattern,
                    TPenMode Mode, QRgb Pen) {
  const bool Vertical = From.X == To.X;
  const auto [First, Last] = Vertical ? RunOf(From.Y, To.Y) : RunOf(From.X, To.X);
  const int Across = Vertical ? From.X : From.Y;
  const int Before = Width / 2, After = Width - 1 - Width / 2;
  auto Device = [Dc, Vertical](long long Along, long long AcrossValue) {
    return Vertical ? LogicalToDevice(Dc, static_cast<int>(AcrossValue), static_cast<int>(Along))
                    : LogicalToDevice(Dc, static_cast<int>(Along), static_cast<int>(AcrossValue));
  };
  const QPoint Low = Device(std::max<long long>(INT_MIN, First - Before), Across - Before);
  const QPoint High = Device(std::min<long long>(INT_MAX, Last + 1 + After), Across + After + 1LL);
  const QRect Box = QRect(QPoint(std::min(Low.x(), High.x()), std::min(Low.y(), High.y())),
                          QPoint(std::max(Low.x(), High.x()) - 1, std::max(Low.y(), High.y()) - 1));
  if (Pattern.empty()) return PenRect(Dc, Box, Mode, Pen);
  const TAxisLine L{Vertical, Vertical ? Box.top() : Box.left(),
                    Vertical ? Box.bottom() : Box.right(), Vertical ? Box.left() : Box.top()};
  const int Thickness = Vertical ? Box.width() : Box.height();
  const bool Reverse = Vertical ? To.Y < From.Y : To.X < From.X;
  DashedAxisLine(Dc, L, Reverse, Pattern, std::max(1, Thickness), Mode, Pen);
}

// An axis-parallel line in device pixels (scale 1): runs instead of pixels.
void DeviceAxisLine(HDC Dc, QPoint A, QPoint B, int Width, std::span<const int> Pattern,
                    TPenMode Mode, QRgb Pen) {
  const bool Vertical = A.x() == B.x();
  const auto [First, Last] = Vertical ? RunOf(A.y(), B.y()) : RunOf(A.x(), B.x());
  const TAxisLine L{Vertical, First, Last, Vertical ? A.x() : A.y()};
  if (!Pattern.empty()) {
    const bool Reverse = Vertical ? B.y() < A.y() : B.x() < A.x();
    return DashedAxisLine(Dc, L, Reverse, Pattern, 1, Mode, Pen);
  }
  if (Width == 1) return PenRect(Dc, L.Rect(First, Last, L.Across, L.Across), Mode, Pen);
  WideAxisLine(Dc, L, Width, Mode, Pen);
}

// Any other line, stepped pixel by pixel in device pixels; only what falls inside the
// drawable bounds, widened by the pen, is kept.
void DeviceDiagonalLine(HDC Dc, QPoint A, QPoint B, int Width, std::span<const int> Pattern,
                        TPenMode Mode, QRgb Pen) {
  const QRect Drawable = DrawableBounds(Dc);
  const QRect Bounds = Drawable.adjusted(-Width, -Width, Width, Width);
  const QRect LineBox = QRect(A, B).normalized();
  if (Drawable.isEmpty() || !LineBox.adjusted(-Width, -Width, Width, Width).intersects(Bounds))
    return;
  const std::vector<QRect> Runs = DiagonalRuns(A, B, Pattern, Bounds);
  if (Width == 1) {
    for (const QRect& Run : Runs)
      PenRect(Dc, Run, Mode, Pen);
    return;
  }
  WideDiagonal(Dc, Runs, Width, Drawable, Mode, Pen);
}
} // namespace

// Styled pens wider than one pixel draw solid, as the system's do.
void DrawPenLine(HDC Dc, TPoint From, TPoint To) {
  const TDcPen& Pen = Dc->Pen;
  if (Pen.Style == psClear || !Dc->Target || Dc->Target->isNull() || From == To) return;
  const int Width = std::max(1, Pen.Width);
  const auto Pattern = Width == 1 ? DashPattern(Pen.Style) : std::span<const int>();
  const QRgb PenPixel = PixelOnDC(Dc, Pen.Color);
  const bool Axis = From.X == To.X || From.Y == To.Y;
  if (Axis && Dc->Scale != 1 && Dc->MapMode == MM_TEXT)
    return ScaledAxisLine(Dc, From, To, Width, Pattern, Pen.Mode, PenPixel);
  const QPoint A = LogicalToDevice(Dc, From.X, From.Y), B = LogicalToDevice(Dc, To.X, To.Y);
  if (A == B) return;
  const int DeviceWidth = Dc->Scale == 1 ? Width : std::max(1, Snap(Width, Dc->Scale));
  if (A.x() == B.x() || A.y() == B.y())
    return DeviceAxisLine(Dc, A, B, DeviceWidth, Pattern, Pen.Mode, PenPixel);
  DeviceDiagonalLine(Dc, A, B, DeviceWidth, Pattern, Pen.Mode, PenPixel);
}
