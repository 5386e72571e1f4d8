// What the grid paints: the background field, zebra stripes, the focus cell and the current
// row, marks, fixed cells as buttons, merged cells, lines, images and text.
#include "tests/grid/gui/GridGuiSupport.h"

#include <map>

namespace {

class GridPaint : public GridOnForm {};

TEST_F(GridPaint, BackgroundFieldRightOfTheLastColumnAndBelowTheLastRow) {
  const TColor Field = Rgb(clBtnFace);
  EXPECT_EQ(Pixel(330, 5), Field); // right of column 4 (which ends with its line at 325)
  EXPECT_EQ(Pixel(399, 120), Field);
  EXPECT_EQ(Pixel(5, 130), Field); // below row 4, across the whole width
  EXPECT_EQ(Pixel(399, 199), Field);
  EXPECT_EQ(CellPixel(3, 3), Rgb(clWindow));
  Grid->GetColors()->SetColor(ycBakgroundFieldColor, clRed);
  EXPECT_EQ(Pixel(330, 5), clRed);
  EXPECT_EQ(Pixel(5, 130), clRed);
}

TEST_F(GridPaint, ZebraRowsStartCountingAtTheFixedRows) {
  Grid->GetHolder()->SetFixedRows(3);
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoZebraRows});
  Grid->GetHolder()->SetColCount(6);
  Grid->SetCol(3); // keep the focus away from the cells looked at
  EXPECT_EQ(CellPixel(2, 3), Rgb(RGB(239, 239, 239))); // row 3 is odd
  EXPECT_EQ(CellPixel(2, 4), Rgb(clWindow));
}

TEST_F(GridPaint, ZebraColumnsAndRowsMakeACheckerboard) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoZebraCols, ygoZebraRows});
  Grid->SetCol(4);
  Grid->SetRow(4);
  const TColor Second = Rgb(RGB(239, 239, 239));
  EXPECT_EQ(CellPixel(2, 2), Rgb(clWindow));
  EXPECT_EQ(CellPixel(3, 2), Second);
  EXPECT_EQ(CellPixel(2, 3), Second);
  EXPECT_EQ(CellPixel(3, 3), Rgb(clWindow));
}

TEST_F(GridPaint, FocusCellInActiveAndInactiveColours) {
  EXPECT_EQ(CellPixel(1, 1), Rgb(clHighlight));
  Activate(false);
  Grid->InvalidateGrid();
  EXPECT_EQ(CellPixel(1, 1), Rgb(RGB(100, 112, 145)));
}

TEST_F(GridPaint, CurrentRowIsHighlightedOnlyOnItsOwnRowWhileActive) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoShowCurRow});
  Grid->SetCol(2);
  Grid->SetRow(2);
  EXPECT_EQ(CellPixel(3, 2), Rgb(clSkyBlue));
  EXPECT_EQ(CellPixel(2, 3), Rgb(clWindow)); // the current column is not highlighted
  EXPECT_EQ(CellPixel(2, 2), Rgb(clHighlight));
  Activate(false);
  Grid->InvalidateGrid();
  EXPECT_EQ(CellPixel(3, 2), Rgb(RGB(189, 206, 217)));
  EXPECT_EQ(CellPixel(2, 3), Rgb(RGB(189, 206, 217))); // inactive: the whole cross
}

TEST_F(GridPaint, AMarkedRowTakesTheMarkedColour) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoRowsMarking});
  Grid->GetRows(3)->SetMarked(true);
  EXPECT_EQ(CellPixel(2, 3), Rgb(clGreen));
  EXPECT_EQ(CellPixel(2, 2), Rgb(clWindow));
  Activate(false);
  Grid->InvalidateGrid();
  EXPECT_EQ(CellPixel(2, 3), Rgb(RGB(101, 131, 99)));
}

TEST_F(GridPaint, FixedCellsAreRaisedButtonsAndAPressedOneIsSunken) {
  EXPECT_EQ(CellPixel(2, 0), Rgb(clBtnFace));
  EXPECT_EQ(Pixel(65 * 2 + 10, 0), Rgb(clBtnHighlight)); // raised: light top edge
  EXPECT_EQ(Pixel(65 * 2 + 10, 23), Rgb(clBtnShadow));   // and a shadowed bottom edge
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoSupportFixedButtons});
  Grid->Press(2, 0);
  Grid->InvalidateGrid();
  EXPECT_EQ(CellPixel(2, 0), Rgb(clBtnFace));
  EXPECT_NE(Pixel(65 * 2 + 10, 0), Rgb(clBtnHighlight)); // sunken: no light top edge
  EXPECT_EQ(Pixel(65 * 3 + 10, 0), Rgb(clBtnHighlight)); // its neighbour stays raised
}

// Counts hook calls per hook and cell position.
struct HookCounter {
  std::map<std::string, int> Calls;
  std::map<std::string, const TYCell*> Cells;
  void Attach(TYCustomGrid& G) {
    G.OnBeforeDrawCell = [this](TYCustomGrid*, TYCell* C, std::int32_t X, std::int32_t Y,
                                TYGridDrawStates, const TRect&, bool&) { Note("before", C, X, Y); };
    G.OnDrawCellField = [this](TYCustomGrid*, TYCell* C, std::int32_t X, std::int32_t Y,
                               TYGridDrawStates, const TRect&, bool&) { Note("field", C, X, Y); };
    G.OnDrawCellText = [this](TYCustomGrid*, TYCell* C, std::int32_t X, std::int32_t Y,
                              TYGridDrawStates, TRect&, std::string&, bool&, TAlignment&,
                              TYVertAlignment&) { Note("text", C, X, Y); };
    G.OnAfterDrawCell = [this](TYCustomGrid*, TYCell* C, std::int32_t X, std::int32_t Y,
                               TYGridDrawStates, const TRect&) { Note("after", C, X, Y); };
  }
  void Note(const std::string& Hook, const TYCell* Cell, std::int32_t X, std::int32_t Y) {
    const std::string Key = Hook + " " + std::to_string(X) + "," + std::to_string(Y);
    ++Calls[Key];
    Cells[Key] = Cell;
  }
  int Count(const std::string& Hook) const {
    int N = 0;
    for (const auto& [Key, Times] : Calls)
      N += Key.rfind(Hook + " ", 0) == 0 ? Times : 0;
    return N;
  }
};

TEST_F(GridPaint, AMergedCellIsPaintedOnceWithItsMainCell) {
  Grid->GetHolder()->GetCellsUnions()->Add({3, 3}, {2, 2}, {3, 3}, true); // main cell bottom-right
  HookCounter Hooks;
  Hooks.Attach(*Grid);
  Grid->InvalidateGrid();
  Grid->Update();
  EXPECT_EQ(Hooks.Calls["before 2,2"], 1);
  EXPECT_EQ(Hooks.Calls["field 2,2"], 1);
  EXPECT_EQ(Hooks.Calls["text 2,2"], 1);
  EXPECT_EQ(Hooks.Calls["after 2,2"], 1);
  EXPECT_EQ(Hooks.Calls.count("before 3,3"), 0u);
  EXPECT_EQ(Hooks.Cells["before 2,2"], Grid->GetCells(2, 2)); // the cell met first
  EXPECT_EQ(Hooks.Cells["field 2,2"], Grid->GetCells(3, 3));  // the union's main cell
  EXPECT_EQ(Hooks.Cells["after 2,2"], Grid->GetCells(3, 3));
  EXPECT_EQ(Hooks.Count("before"), 25 - 3);
  // One field over the whole piece: no grid line between its cells.
  EXPECT_EQ(Pixel(65 * 3 - 1, 25 * 2 + 10), Rgb(clWindow));
  EXPECT_EQ(Pixel(65 * 4 - 1, 25 * 2 + 10), Rgb(clBtnShadow)); // the line right of the piece
}

TEST_F(GridPaint, OnlyCellsMeetingTheUpdateRegionArePainted) {
  Grid->Update();
  HookCounter Hooks;
  Hooks.Attach(*Grid);
  Grid->InvalidateCell(3, 3);
  Grid->Update();
  EXPECT_EQ(Hooks.Count("before"), 1);
  EXPECT_EQ(Hooks.Calls["before 3,3"], 1);
}

TEST_F(GridPaint, WideGridLinesFillTheWholeGap) {
  Grid->SetGridLineWidth(3);
  Grid->SetCol(4);
  // Column 1 spans 67..130 (fixed column 0: 0..63, its line 64..66); its line is 131..133.
  for (int X = 131; X <= 133; ++X)
    EXPECT_EQ(Pixel(X, 27 * 2 + 10), Rgb(clBtnShadow)) << X;
  EXPECT_EQ(Pixel(130, 27 * 2 + 10), Rgb(clWindow));
  EXPECT_EQ(Pixel(134, 27 * 2 + 10), Rgb(clWindow));
  for (int Y = 2 * 27 - 3; Y < 2 * 27; ++Y)
    EXPECT_EQ(Pixel(150, Y), Rgb(clBtnShadow)) << Y;
}

// A 16 x 16 picture: a red square on black.
std::unique_ptr<TBitmap> RedSquareOnBlack() {
  auto Bitmap = std::make_unique<TBitmap>();
  Bitmap->SetSize(16, 16);
  TCanvas* C = Bitmap->GetCanvas();
  C->GetBrush()->Color = clBlack;
  C->FillRect({0, 0, 16, 16});
  C->GetBrush()->Color = clRed;
  C->FillRect({4, 4, 12, 12});
  return Bitmap;
}

TEST_F(GridPaint, MaskedImagesLeaveTheCellColourAroundTheirPicture) {
  TImageList Images(nullptr);
  Images.SetSize(16, 16);
  auto Picture = RedSquareOnBlack();
  Picture->SetTransparentColor(clBlack);
  Images.Add(Picture.get());
  Grid->SetImages(&Images);
  Grid->OnDrawImage = [](TYCustomGrid*, TYCell*, std::int32_t Col, std::int32_t Row,
                         TYGridDrawStates, TRect&, std::int32_t& Index, TAlignment&,
                         TYVertAlignment&) {
    if (Col == 3 && Row == 3) Index = 0;
  };
  // Left-justified and centred vertically in cell (3, 3): x from 195, y from 75 + (24 - 16) / 2.
  const int X = 195, Y = 79;
  Grid->InvalidateGrid();
  EXPECT_EQ(Pixel(X + 1, Y + 1), clBlack); // drawn opaque: the black background shows
  EXPECT_EQ(Pixel(X + 8, Y + 8), clRed);
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoDrawMaskedImages});
  EXPECT_EQ(Pixel(X + 1, Y + 1), Rgb(clWindow));
  EXPECT_EQ(Pixel(X + 8, Y + 8), clRed);
  Grid->SetImages(nullptr);
}

TEST_F(GridPaint, TextComesFromTheHostAndRendersCyrillic) {
  Grid->SetCol(4);
  Grid->OnDrawCellText = [](TYCustomGrid*, TYCell*, std::int32_t Col, std::int32_t Row,
                            TYGridDrawStates, TRect&, std::string& Text, bool&, TAlignment&,
                            TYVertAlignment&) {
    if (Col == 2 && Row == 2) Text = "ВСЕ ГРУППЫ";
  };
  Grid->InvalidateGrid();
  Grid->Update();
  int Dark = 0;
  for (int X = 130; X < 194; ++X)
    for (int Y = 50; Y < 74; ++Y)
      Dark += Testing::SurfacePixel(*Grid, X, Y) == clBlack ? 1 : 0;
  EXPECT_GT(Dark, 30);
  for (int X = 195; X < 259; ++X)
    EXPECT_EQ(Pixel(X, 62), Rgb(clWindow)) << "no text without a handler's text";
}

} // namespace
