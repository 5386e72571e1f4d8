// 3D edges and the dotted focus rectangle.
#include "host/gui/Backend.h"

#include <algorithm>

namespace {
struct TEdgeColors {
  TColor TopLeft;
  TColor BottomRight;
};

// Raised edges are light at the top and left and dark at the bottom and right; sunken edges
// swap the two. The outer edge uses the stronger pair (light / dark shadow), the inner edge
// the softer one (highlight / shadow).
TEdgeColors OuterColors(bool Raised) {
  return Raised ? TEdgeColors{cl3DLight, cl3DDkShadow} : TEdgeColors{cl3DDkShadow, cl3DLight};
}
TEdgeColors InnerColors(bool Raised) {
  return Raised ? TEdgeColors{clBtnHighlight, clBtnShadow}
                : TEdgeColors{clBtnShadow, clBtnHighlight};
}

// The colours of one edge. BF_SOFT exchanges the top-left colours of the outer and inner
// edges (a soft raised edge has its brightest line outermost); BF_MONO draws every line in
// clWindowFrame.
TEdgeColors EdgeColors(bool Outer, bool Raised, unsigned Flags) {
  if (Flags & BF_MONO) return {clWindowFrame, clWindowFrame};
  TEdgeColors Colors = Outer ? OuterColors(Raised) : InnerColors(Raised);
  if (Flags & BF_SOFT) Colors.TopLeft = (Outer ? InnerColors(Raised) : OuterColors(Raised)).TopLeft;
  return Colors;
}

void FillLogical(HDC Dc, const TRect& Rect, TColor Color) {
  FillDevice(Dc, LogicalRectToDevice(Dc, Rect), PixelOnDC(Dc, Color));
}

// One-pixel lines just inside R on the sides Flags names; bottom and right are drawn last, so
// they own the top-right and bottom-left corners.
void DrawEdgeLines(HDC Dc, const TRect& R, TEdgeColors Colors, unsigned Flags) {
  if (Flags & BF_LEFT) FillLogical(Dc, {R.Left, R.Top, R.Left + 1, R.Bottom}, Colors.TopLeft);
  if (Flags & BF_TOP) FillLogical(Dc, {R.Left, R.Top, R.Right, R.Top + 1}, Colors.TopLeft);
  if (Flags & BF_RIGHT)
    FillLogical(Dc, {R.Right - 1, R.Top, R.Right, R.Bottom}, Colors.BottomRight);
  if (Flags & BF_BOTTOM)
    FillLogical(Dc, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, Colors.BottomRight);
}

void Shrink(TRect& R, unsigned Flags) {
  if (Flags & BF_LEFT) ++R.Left;
  if (Flags & BF_TOP) ++R.Top;
  if (Flags & BF_RIGHT) --R.Right;
  if (Flags & BF_BOTTOM) --R.Bottom;
}

// Inverts the "on" pixels of Band, a part of the outline of Box drawn Thickness pixels thick:
// dots of Thickness x Thickness pixels alternate from the top-left corner.
void InvertDots(HDC Dc, const QRect& Box, const QRect& Band, int Thickness) {
  ForEachDrawable(Dc, Band, [&](const QRect& Part) {
    uchar* Bits = Dc->Target->bits();
    const qsizetype Stride = Dc->Target->bytesPerLine();
    for (int Y = Part.top(); Y <= Part.bottom(); ++Y) {
      auto* Line = reinterpret_cast<QRgb*>(Bits + Y * Stride);
      const int Row = (Y - Box.top()) / Thickness;
      for (int X = Part.left(); X <= Part.right(); ++X)
        if (((X - Box.left()) / Thickness + Row) % 2 == 0) Line[X] ^= 0x00FFFFFF;
    }
  });
}
} // namespace

// The outer edge (BDR_*OUTER) is drawn first, the inner one inside it.
bool DrawEdge(HDC Dc, TRect* Rect, unsigned Edge, unsigned Flags) {
  TRect R = *Rect;
  const unsigned Outer = Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
  const unsigned Inner = Edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
  if (Outer) {
    DrawEdgeLines(Dc, R, EdgeColors(true, Outer & BDR_RAISEDOUTER, Flags), Flags);
    Shrink(R, Flags);
  }
  if (Inner) {
    DrawEdgeLines(Dc, R, EdgeColors(false, Inner & BDR_RAISEDINNER, Flags), Flags);
    Shrink(R, Flags);
  }
  if (Flags & BF_ADJUST) *Rect = R;
  return true;
}

// Works in device pixels, so a mirrored rectangle (left and right exchanged) gives the same
// outline as the well-ordered one. The outline is one logical pixel thick and is cut into four
// bands that do not overlap, even for rectangles one pixel wide or high, so that each pixel is
// inverted once and drawing twice restores the pixels.
bool DrawFocusRect(HDC Dc, const TRect* Rect) {
  const QRect Box = LogicalRectToDevice(Dc, *Rect);
  if (Box.isEmpty() || !Dc->Target) return false;
  const int T = std::max(1, Snap(1, Dc->Scale));
  const int Left = Box.left(), Top = Box.top(), Right = Box.right(), Bottom = Box.bottom();
  const int TopEnd = std::min(Top + T - 1, Bottom),
            BottomStart = std::max(Bottom - T + 1, TopEnd + 1);
  const int LeftEnd = std::min(Left + T - 1, Right),
            RightStart = std::max(Right - T + 1, LeftEnd + 1);
  const QRect Bands[] = {QRect(QPoint(Left, Top), QPoint(Right, TopEnd)),
                         QRect(QPoint(Left, BottomStart), QPoint(Right, Bottom)),
                         QRect(QPoint(Left, TopEnd + 1), QPoint(LeftEnd, BottomStart - 1)),
                         QRect(QPoint(RightStart, TopEnd + 1), QPoint(Right, BottomStart - 1))};
  for (const QRect& Band : Bands)
    if (Band.isValid()) InvertDots(Dc, Box, Band, T);
  return true;
}
