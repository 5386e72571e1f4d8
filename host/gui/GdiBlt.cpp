// Bit-block transfers: BitBlt and StretchBlt with ternary raster operations, nearest-neighbour
// stretching and the colour/monochrome conversions between contexts.
#include "host/gui/Backend.h"

#include <cstdint>

namespace {
constexpr QRgb RgbMask = 0x00FFFFFF;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;

// The result of a ternary raster operation (the operation index is bits 16..23 of the code)
// on the pattern P, source S and destination D, bit by bit: bit k of the index gives the
// result for pattern bit k >> 2, source bit (k >> 1) & 1 and destination bit k & 1.
std::uint32_t Rop3(std::uint8_t Index, std::uint32_t P, std::uint32_t S, std::uint32_t D) {
  switch (Index) {
  case 0xCC:
    return S;
  case 0x33:
    return ~S;
  case 0x88:
    return S & D;
  case 0xEE:
    return S | D;
  case 0x66:
    return S ^ D;
  case 0x00:
    return 0;
  case 0xFF:
    return ~0u;
  default:
    break;
  }
  std::uint32_t Result = 0;
  for (unsigned K = 0; K < 8; ++K)
    if (Index & (1u << K)) Result |= ((K & 4) ? P : ~P) & ((K & 2) ? S : ~S) & ((K & 1) ? D : ~D);
  return Result;
}

bool UsesSource(std::uint8_t Index) {
  return ((Index >> 2) ^ Index) & 0x33;
}

// A logical rectangle given by a corner and a (possibly negative) size, in device pixels.
QRect DeviceArea(HDC Dc, int X, int Y, int Width, int Height) {
  return LogicalRectToDevice(Dc, TRect{X, Y, X + Width, Y + Height});
}

// Source pixels converted to the destination's kind: colour to monochrome by the source's
// background colour, monochrome to colour by the destination's background and text colours.
class TSourcePixels {
public:
  TSourcePixels(HDC Dst, HDC Src, const QRect& Area)
      : Valid(Area.intersected(Src->Target->rect())), Pixels(Src->Target->copy(Valid)),
        ToMono(!Src->Monochrome() && Dst->Monochrome()),
        ToColour(Src->Monochrome() && !Dst->Monochrome()),
        SrcBk(PixelOfColor(Src->BkColor) & RgbMask), DstBk(PixelOfColor(Dst->BkColor)),
        DstText(PixelOfColor(Dst->TextColor)) {}
  bool Contains(int X, int Y) const { return Valid.contains(X, Y); }
  // The pixel at source device coordinates (X, Y), which Contains.
  QRgb At(int X, int Y) const {
    const QRgb Pixel =
        reinterpret_cast<const QRgb*>(Pixels.constScanLine(Y - Valid.top()))[X - Valid.left()];
    if (ToMono) return (Pixel & RgbMask) == SrcBk ? White : Black;
    if (ToColour) return (Pixel & RgbMask) == (White & RgbMask) ? DstBk : DstText;
    return Pixel;
  }

private:
  QRect Valid;
  QImage Pixels; // a copy, so that source and destination may overlap
  bool ToMono, ToColour;
  QRgb SrcBk, DstBk, DstText;
};

// Where one destination axis samples its source: nearest neighbour, optionally mirrored. At a
// density other than 1 pixels are sampled at their centres, so that a picture scaled up to the
// device and then down again (a mask made from it) finds its own pixels again.
struct TAxis {
  int DstStart, DstSize, SrcStart, SrcSize;
  bool Flip;
  bool Centred = false;
  int Source(int Dst) const {
    const long long Offset = Flip ? DstSize - 1 - (Dst - DstStart) : Dst - DstStart;
    const long long Index =
        Centred ? (2 * Offset + 1) * SrcSize / (2LL * DstSize) : Offset * SrcSize / DstSize;
    return SrcStart + static_cast<int>(Index);
  }
};

struct TBlt {
  HDC Dst;
  HDC Src;
  QRect DstArea;
  TAxis X, Y;
  std::uint8_t Index;
};

void Transfer(const TBlt& B) {
  const bool NeedsSource = UsesSource(B.Index);
  std::optional<TSourcePixels> Source;
  if (NeedsSource)
    Source.emplace(B.Dst, B.Src, QRect(B.X.SrcStart, B.Y.SrcStart, B.X.SrcSize, B.Y.SrcSize));
  const QRgb Pattern = PixelOnDC(B.Dst, B.Dst->Brush.Color);
  for (const QRect& Part : DrawableRegion(B.Dst, B.DstArea)) {
    for (int Y = Part.top(); Y <= Part.bottom(); ++Y) {
      auto* Line = reinterpret_cast<QRgb*>(B.Dst->Target->scanLine(Y));
      const int Sy = B.Y.Source(Y);
      for (int X = Part.left(); X <= Part.right(); ++X) {
        const int Sx = B.X.Source(X);
        if (NeedsSource && !Source->Contains(Sx, Sy)) continue; // nothing to copy from there
        const QRgb S = NeedsSource ? Source->At(Sx, Sy) : 0;
        Line[X] = Black | (Rop3(B.Index, Pattern, S, Line[X]) & RgbMask);
      }
    }
  }
}
} // namespace

// The mapping places the rectangles but never mirrors the pixels: a bitmap drawn through a
// mirroring mapping keeps its orientation. Negative sizes given here do mirror (one of the two
// negative mirrors, both cancel out).
bool StretchBlt(HDC Dst, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY,
                int SrcWidth, int SrcHeight, std::uint32_t Rop) {
  const auto Index = static_cast<std::uint8_t>((Rop >> 16) & 0xFF);
  if (!Dst || !Dst->Target) return false;
  const bool NeedsSource = UsesSource(Index);
  if (NeedsSource && (!Src || !Src->Target)) return false;
  const QRect DstArea = DeviceArea(Dst, X, Y, Width, Height);
  const QRect SrcArea = NeedsSource ? DeviceArea(Src, SrcX, SrcY, SrcWidth, SrcHeight) : DstArea;
  if (DstArea.isEmpty() || SrcArea.isEmpty()) return true;
  const bool Centred = Dst->Scale != 1 || (NeedsSource && Src->Scale != 1);
  const TAxis Horizontal{DstArea.left(),
                         DstArea.width(),
                         SrcArea.left(),
                         SrcArea.width(),
                         (Width < 0) != (SrcWidth < 0),
                         Centred};
  const TAxis Vertical{DstArea.top(),
                       DstArea.height(),
                       SrcArea.top(),
                       SrcArea.height(),
                       (Height < 0) != (SrcHeight < 0),
                       Centred};
  Transfer({Dst, Src, DstArea, Horizontal, Vertical, Index});
  return true;
}

bool BitBlt(HDC Dst, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY,
            std::uint32_t Rop) {
  return StretchBlt(Dst, X, Y, Width, Height, Src, SrcX, SrcY, Width, Height, Rop);
}
