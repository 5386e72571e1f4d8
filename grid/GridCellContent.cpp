// What a cell shows: the host's image and text, the 3D frame of a fixed cell, the focus
// frame; and the drawing hooks with their events.
#include "grid/LayoutAxis.h"
#include "grid/YGrids.h"

#include <algorithm>
#include <utility>

namespace {
// Fixed cells keep their content clear of the 3D frame; pressed, it moves right and down.
TRect ContentRect(const TRect& R, bool Inset, bool Down) {
  if (!Inset) return R;
  return Down ? TRect{R.Left + 2, R.Top + 2, R.Right - 1, R.Bottom - 1}
              : TRect{R.Left + 1, R.Top + 1, R.Right - 2, R.Bottom - 2};
}

std::int32_t PlaceAlong(std::int32_t Low, std::int32_t High, std::int32_t Size, int Where) {
  switch (Where) {
  case 0:
    return Low; // left or top
  case 1:
    return High - Size; // right or bottom
  default:
    return (High + Low - Size) / 2; // centred, rounding toward zero
  }
}
} // namespace

void TYCustomGrid::DrawCellImage(TYCellPaint& P) {
  std::int32_t ImageIndex = -1;
  TAlignment Hor = taLeftJustify;
  TYVertAlignment Vert = yvaCenter;
  TRect R = ContentRect(P.Rect, P.Fixed && !P.CustomField, P.State.Contains(ygdDown));
  DoDrawImage(P.DrawCell, P.Col, P.Row, P.State, R, ImageIndex, Hor, Vert);
  if (!Images || PaintOutdated()) return; // the handler took the list away, or changed the grid
  if (ImageIndex < 0 || ImageIndex >= Images->GetCount()) return;
  WorkBitmap->SetWidth(0);
  Images->GetBitmap(ImageIndex, WorkBitmap.get());
  const std::int32_t X = PlaceAlong(R.Left, R.Right, WorkBitmap->GetWidth(),
                                    Hor == taLeftJustify    ? 0
                                    : Hor == taRightJustify ? 1
                                                            : 2);
  const std::int32_t Y = PlaceAlong(R.Top, R.Bottom, WorkBitmap->GetHeight(),
                                    Vert == yvaTopJustify      ? 0
                                    : Vert == yvaBottomJustify ? 1
                                                               : 2);
  if (Options.Contains(ygoDrawMaskedImages))
    DrawBitmapTransparent(GetCanvas(), X, Y, WorkBitmap.get(),
                          WorkBitmap->GetTransparentColor() & ~0x02000000);
  else
    GetCanvas()->Draw(X, Y, WorkBitmap.get());
}

void TYCustomGrid::DrawCellTextOf(TYCellPaint& P) {
  std::string Text;
  bool Multiline = false;
  TAlignment Hor = taLeftJustify;
  TYVertAlignment Vert = yvaCenter;
  TRect R = ContentRect(P.Rect, P.Fixed && !P.CustomField, P.State.Contains(ygdDown));
  DoDrawCellText(P.DrawCell, P.Col, P.Row, P.State, R, Text, Multiline, Hor, Vert);
  if (!Text.empty()) DrawCellTextEx(Text, R, Hor, Vert, Multiline);
}

void TYCustomGrid::DrawFixedFrame(const TYGridDrawInfo& DI, const TYCellPaint& P) {
  const bool VertLines = Options.Contains(ygoFixedVertLine);
  const bool HorzLines = Options.Contains(ygoFixedHorzLine);
  if (!GetCtl3D() || (!VertLines && !HorzLines)) return;
  HDC Dc = GetCanvas()->GetHandle();
  TRect R = P.Rect;
  if (P.State.Contains(ygdDown)) {
    DrawEdge(Dc, &R, BDR_SUNKENINNER, BF_BOTTOMRIGHT | BF_MONO | BF_ADJUST);
    DrawEdge(Dc, &R, BDR_SUNKENINNER, BF_TOPLEFT | BF_SOFT | BF_ADJUST);
    return;
  }
  // A cell at the far end of a huge axis has its sides clamped: the line goes beyond it.
  if (!VertLines)
    R.Right = YGridsLayout::Saturated(std::int64_t{R.Right} + DI.Horz.LineWidth);
  else if (!HorzLines)
    R.Bottom = YGridsLayout::Saturated(std::int64_t{R.Bottom} + DI.Vert.LineWidth);
  const unsigned BottomRight = (VertLines ? BF_RIGHT : 0) | (HorzLines ? BF_BOTTOM : 0);
  const unsigned TopLeft = (VertLines ? BF_LEFT : 0) | (HorzLines ? BF_TOP : 0);
  DrawEdge(Dc, &R, BDR_RAISEDINNER, BottomRight | BF_ADJUST);
  DrawEdge(Dc, &R, BDR_RAISEDINNER, TopLeft | BF_ADJUST);
}

void TYCustomGrid::DrawFocusFrame(const TYCellPaint& P) {
  // Cut to just beyond the client area first: a cell far larger than the window would have its
  // outline walked pixel by pixel. The sides outside stay outside.
  const auto Cut = [](std::int32_t Value, std::int32_t Extent) {
    return std::clamp(Value, -1, Extent + 1);
  };
  const std::int32_t W = GetClientWidth();
  const std::int32_t H = GetClientHeight();
  TRect R{Cut(P.Rect.Left, W), Cut(P.Rect.Top, H), Cut(P.Rect.Right, W), Cut(P.Rect.Bottom, H)};
  if (UseRightToLeftAlignment()) std::swap(R.Left, R.Right);
  TCanvas* C = GetCanvas();
  if (FocusFrameStyle == yffDotRect) {
    ::DrawFocusRect(C->GetHandle(), &R);
    return;
  }
  const bool Marked = P.State.Contains(ygdMarked);
  C->GetBrush()->Color =
      Colors->GetColor(Marked ? ycDerivedFocusFrameColorMark : ycDerivedFocusFrameColorNotMark);
  C->FrameRect(R);
}

// ---------------------------------------------------------------- text

void TYCustomGrid::DrawCellTextEx(const std::string& Text, const TRect& Rect,
                                  TAlignment HorAlignment, TYVertAlignment VertAlignment,
                                  bool Multiline) {
  if (Multiline) VertAlignment = yvaTopJustify;
  const unsigned Hor = HorAlignment == taRightJustify ? DT_RIGHT
                       : HorAlignment == taCenter     ? DT_CENTER
                                                      : DT_LEFT;
  const unsigned Vert = VertAlignment == yvaCenter          ? DT_VCENTER
                        : VertAlignment == yvaBottomJustify ? DT_BOTTOM
                                                            : DT_TOP;
  const unsigned Flags = Hor | Vert | DT_EXPANDTABS | DT_NOPREFIX | DT_END_ELLIPSIS |
                         (Multiline ? DT_WORDBREAK : DT_SINGLELINE);
  TRect R = Rect;
  ::DrawText(GetCanvas()->GetHandle(), Text, -1, &R, Flags);
}

// Draws a cell text as the grid does, honouring the alignment and the multiline flag it is
// given (rather than always centring one line), so hosts drawing in the hooks get what they ask.
void TYCustomGrid::DrawCellText(const std::string& Text, const TRect& Rect, TAlignment HorAlignment,
                                TYVertAlignment VertAlignment, bool Multiline) {
  DrawCellTextEx(Text, Rect, HorAlignment, VertAlignment, Multiline);
}

// ---------------------------------------------------------------- hooks

bool TYCustomGrid::DoBeforeDrawCell(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                                    TYGridDrawStates State, const TRect& ARect) {
  bool CustomDraw = false;
  if (!OnBeforeDrawCell) return CustomDraw;
  WithHostOrientation(ARect, [&](const TRect& R) {
    OnBeforeDrawCell(this, Cell, ACol, ARow, State, R, CustomDraw);
  });
  return CustomDraw;
}

bool TYCustomGrid::DoDrawCellField(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                                   TYGridDrawStates State, const TRect& ARect) {
  bool CustomDraw = false;
  if (OnDrawCellField) OnDrawCellField(this, Cell, ACol, ARow, State, ARect, CustomDraw);
  return CustomDraw;
}

void TYCustomGrid::DoDrawImage(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                               TYGridDrawStates State, TRect& ARect, std::int32_t& ImageIndex,
                               TAlignment& HorAlignment, TYVertAlignment& VertAlignment) {
  if (OnDrawImage)
    OnDrawImage(this, Cell, ACol, ARow, State, ARect, ImageIndex, HorAlignment, VertAlignment);
}

void TYCustomGrid::DoDrawCellText(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                                  TYGridDrawStates State, TRect& ARect, std::string& CellText,
                                  bool& Multiline, TAlignment& HorAlignment,
                                  TYVertAlignment& VertAlignment) {
  if (OnDrawCellText)
    OnDrawCellText(this, Cell, ACol, ARow, State, ARect, CellText, Multiline, HorAlignment,
                   VertAlignment);
}

void TYCustomGrid::DoAfterDrawCell(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                                   TYGridDrawStates State, const TRect& ARect) {
  if (!OnAfterDrawCell) return;
  WithHostOrientation(ARect,
                      [&](const TRect& R) { OnAfterDrawCell(this, Cell, ACol, ARow, State, R); });
}

// A right-to-left grid hands the before and after hooks a mirrored rectangle and lets them
// draw in normal orientation.
void TYCustomGrid::WithHostOrientation(const TRect& ARect,
                                       const std::function<void(const TRect&)>& Call) {
  if (!UseRightToLeftAlignment()) {
    Call(ARect);
    return;
  }
  const TRect Mirrored = WindowRect(ARect);
  ChangeGridOrientation(false);
  try {
    Call(Mirrored);
  } catch (...) {
    ChangeGridOrientation(true);
    throw;
  }
  ChangeGridOrientation(true);
}
