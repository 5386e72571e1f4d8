// Exact pixel primitives: rectangle fills and pen lines, written pixel by pixel so that the
// results (and XOR drawn twice) are exact and independent of Qt's rasterizer.
#include "host/gui/Backend.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {
constexpr QRgb RgbMask = 0x00FFFFFF;
constexpr QRgb Opaque = 0xFF000000;

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

// The pixels of a one-pixel line from A to B without B (Bresenham), dashed by Pattern.
std::vector<QPoint> LinePixels(QPoint A, QPoint B, std::span<const int> Pattern) {
  std::vector<QPoint> Pixels;
  const int Dx = std::abs(B.x() - A.x()), Dy = -std::abs(B.y() - A.y());
  const int Sx = A.x() < B.x() ? 1 : -1, Sy = A.y() < B.y() ? 1 : -1;
  int Error = Dx + Dy;
  TDashes Dashes(Pattern);
  for (QPoint P = A; P != B;) {
    if (Dashes.Next()) Pixels.push_back(P);
    const int E2 = 2 * Error;
    if (E2 >= Dy) {
      Error += Dy;
      P.rx() += Sx;
    }
    if (E2 <= Dx) {
      Error += Dx;
      P.ry() += Sy;
    }
  }
  return Pixels;
}

// The offsets covered by a pen of Width pixels around one line pixel: a disc of diameter
// Width, centred on the pixel for odd widths and on its top-left corner for even ones, so a
// width of 3 at x = 10 covers 9..11 and a width of 2 covers 9..10.
std::vector<QPoint> PenFootprint(int Width) {
  std::vector<QPoint> Offsets;
  const int First = -(Width / 2), Last = Width - 1 - Width / 2, Shift = Width % 2 == 0 ? 1 : 0;
  for (int Dy = First; Dy <= Last; ++Dy)
    for (int Dx = First; Dx <= Last; ++Dx) {
      const int X2 = 2 * Dx + Shift, Y2 = 2 * Dy + Shift; // doubled distances from the centre
      if (X2 * X2 + Y2 * Y2 <= Width * Width) Offsets.emplace_back(Dx, Dy);
    }
  return Offsets;
}

// Every pixel a wide pen covers along Pixels, each once (so that XOR stays reversible).
std::vector<QPoint> WidenPixels(const std::vector<QPoint>& Pixels, int Width) {
  if (Pixels.empty()) return {};
  QRect Box(Pixels.front(), QSize(1, 1));
  for (const QPoint& P : Pixels)
    Box |= QRect(P, QSize(1, 1));
  Box.adjust(-Width, -Width, Width, Width);
  std::vector<std::uint8_t> Covered(static_cast<std::size_t>(Box.width()) * Box.height(), 0);
  std::vector<QPoint> Result;
  const std::vector<QPoint> Footprint = PenFootprint(Width);
  for (const QPoint& P : Pixels)
    for (const QPoint& Offset : Footprint) {
      const QPoint Q = P + Offset;
      auto& Seen =
          Covered[static_cast<std::size_t>(Q.y() - Box.top()) * Box.width() + (Q.x() - Box.left())];
      if (!Seen) Result.push_back(Q);
      Seen = 1;
    }
  return Result;
}
} // namespace

void FillDevice(HDC Dc, const QRect& Device, QRgb Pixel) {
  for (const QRect& Part : DrawableRegion(Dc, Device)) {
    for (int Y = Part.top(); Y <= Part.bottom(); ++Y) {
      auto* Line = reinterpret_cast<QRgb*>(Dc->Target->scanLine(Y));
      std::fill(Line + Part.left(), Line + Part.left() + Part.width(), Pixel);
    }
  }
}

// Styled pens wider than one pixel draw solid, as the system's do.
void DrawPenLine(HDC Dc, TPoint From, TPoint To) {
  const TDcPen& Pen = Dc->Pen;
  if (Pen.Style == psClear || !Dc->Target || Dc->Target->isNull()) return;
  const int Width = std::max(1, Pen.Width);
  const auto Pattern = Width == 1 ? DashPattern(Pen.Style) : std::span<const int>();
  std::vector<QPoint> Pixels =
      LinePixels(LogicalToDevice(Dc, From.X, From.Y), LogicalToDevice(Dc, To.X, To.Y), Pattern);
  if (Width > 1) Pixels = WidenPixels(Pixels, Width);
  const QRgb PenPixel = PixelOnDC(Dc, Pen.Color);
  for (const QPoint& P : Pixels) {
    if (!PixelDrawable(Dc, P.x(), P.y())) continue;
    auto* Pixel = reinterpret_cast<QRgb*>(Dc->Target->scanLine(P.y())) + P.x();
    *Pixel = ApplyPenMode(Pen.Mode, *Pixel, PenPixel);
  }
}
