// 3D edges and the dotted focus rectangle.
#include "host/gui/Backend.h"

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

void InvertPixel(HDC Dc, int X, int Y) {
  if (!PixelDrawable(Dc, X, Y)) return;
  auto* Pixel = reinterpret_cast<QRgb*>(Dc->Target->scanLine(Y)) + X;
  *Pixel ^= 0x00FFFFFF;
}

// Inverts the outline pixel (X, Y) when it is "on": every other pixel, from the top-left.
void InvertDot(HDC Dc, const QRect& Box, int X, int Y) {
  if ((X - Box.left() + Y - Box.top()) % 2 == 0) InvertPixel(Dc, X, Y);
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
// outline as the well-ordered one. Each outline pixel is visited once, even for rectangles one
// pixel wide or high, so that drawing twice restores the pixels.
bool DrawFocusRect(HDC Dc, const TRect* Rect) {
  const QRect Box = LogicalRectToDevice(Dc, *Rect);
  if (Box.isEmpty() || !Dc->Target) return false;
  const int Left = Box.left(), Top = Box.top(), Right = Box.right(), Bottom = Box.bottom();
  for (int X = Left; X <= Right; ++X) {
    InvertDot(Dc, Box, X, Top);
    if (Bottom > Top) InvertDot(Dc, Box, X, Bottom);
  }
  for (int Y = Top + 1; Y < Bottom; ++Y) {
    InvertDot(Dc, Box, Left, Y);
    if (Right > Left) InvertDot(Dc, Box, Right, Y);
  }
  return true;
}
