// The colour and the font of a cell, chosen from its state, the grid's options and whether
// the grid is active.
#include "grid/YGrids.h"

namespace {
constexpr TYGridCellLookSlots Zebra{-1, -1};

// A marked or unmarked cell of the current row or column, or an unfocused one, by activity.
TYGridCellLookSlots MarkedLook(bool Active) {
  return Active
             ? TYGridCellLookSlots{ycDefaultCellColorMark, yfDefaultCellFontMark}
             : TYGridCellLookSlots{ycDefaultCellColorMarkUnActive, yfDefaultCellFontMarkUnActive};
}
} // namespace

// The focus cell in its own colours.
TYGridCellLookSlots TYCustomGrid::FocusCellLook(bool Marked, bool Active) const {
  const bool HideFocus = Options.Contains(ygoHideFocusCellOnExit);
  const bool HideCur = Options.Contains(ygoHideCurColRowOnExit);
  if (Marked) {
    if (Active) return {ycFocusCellColorMark, yfFocusCellFontMark};
    if (HideFocus && HideCur)
      return {ycDefaultCellColorMarkUnActive, yfDefaultCellFontMarkUnActive};
    if (HideFocus) return {ycDerivedCurColRowColorMarkUnActive, yfCurColRowFontMarkUnActive};
    return {ycFocusCellColorMarkUnActive, yfFocusCellFontMarkUnActive};
  }
  if (Active) return {ycFocusCellColorNotMark, yfFocusCellFontNotMark};
  if (HideFocus && HideCur) return Zebra;
  if (HideFocus) return {ycDerivedCurColRowColorNotMarkUnActive, yfCurColRowFontNotMarkUnActive};
  return {ycFocusCellColorNotMarkUnActive, yfFocusCellFontNotMarkUnActive};
}

// A cell of the highlighted current row or column (or the focus cell without its own colours).
TYGridCellLookSlots TYCustomGrid::CurColRowLook(const TYCellPaint& P, bool Marked,
                                                bool Active) const {
  const bool HideCur = Options.Contains(ygoHideCurColRowOnExit);
  if (Marked) {
    if (Active) return {ycDerivedCurColRowColorMark, yfCurColRowFontMark};
    if (HideCur) return {ycDefaultCellColorMarkUnActive, yfDefaultCellFontMarkUnActive};
    return {ycDerivedCurColRowColorMarkUnActive, yfCurColRowFontMarkUnActive};
  }
  if (Active) {
    // Only an active, unmarked cell checks which of the two axes is highlighted.
    const bool OnShownAxis = P.State.Contains(ygdFocused) ||
                             (P.Col == CurrentCoord.X && Options.Contains(ygoShowCurCol)) ||
                             (P.Row == CurrentCoord.Y && Options.Contains(ygoShowCurRow));
    return OnShownAxis ? TYGridCellLookSlots{ycDerivedCurColRowColorNotMark, yfCurColRowFontNotMark}
                       : Zebra;
  }
  if (HideCur) return Zebra;
  return {ycDerivedCurColRowColorNotMarkUnActive, yfCurColRowFontNotMarkUnActive};
}

TYGridCellLookSlots TYCustomGrid::LookSlots(const TYCellPaint& P) const {
  if (P.State.Contains(ygdFixed)) return {ycFixedButtonsColor, yfFixedButtonsFont};
  const bool Marked = P.State.Contains(ygdMarked);
  const bool Focused = P.State.Contains(ygdFocused);
  if (Focused && Options.Contains(ygoShowFocusCell)) return FocusCellLook(Marked, P.Active);
  const bool CurShown = Options.Contains(ygoShowCurCol) || Options.Contains(ygoShowCurRow);
  if ((Focused || P.State.Contains(ygdCurrent)) && CurShown)
    return CurColRowLook(P, Marked, P.Active);
  return Marked ? MarkedLook(P.Active) : Zebra;
}

// Ordinary cells alternate between the two default colours by column, by row, or as a
// checkerboard; the font follows the colour.
TYCellLook TYCustomGrid::ZebraLook(std::int32_t Col, std::int32_t Row) const {
  const bool ByCol = Options.Contains(ygoZebraCols) && Col % 2 == 1;
  const bool ByRow = Options.Contains(ygoZebraRows) && Row % 2 == 1;
  const int Color = ByCol != ByRow ? ycDefaultCellColor2NotMark : ycDefaultCellColor1NotMark;
  const bool First = Colors->GetColor(Color) == Colors->GetColor(ycDefaultCellColor1NotMark);
  return {Color, First ? yfDefaultCellFont1NotMark : yfDefaultCellFont2NotMark};
}

TYCellLook TYCustomGrid::CellLook(const TYCellPaint& P) const {
  const TYGridCellLookSlots Slots = LookSlots(P);
  if (Slots.Color < 0) return ZebraLook(P.Col, P.Row);
  return {Slots.Color, Slots.Font};
}
