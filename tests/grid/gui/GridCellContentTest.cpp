// What a cell shows inside its field: the focus frame, texts laid out by DrawCellTextEx and
// DrawCellText, images placed by their alignment, and the content rectangle of fixed cells.
#include "tests/grid/gui/GridGuiSupport.h"

namespace {

// ---------------------------------------------------------------- focus frame

constexpr TColor Highlight = RGB(10, 36, 106); // clHighlight, the active focus cell's field

// The focus cell (1, 1) covers x 65..128 and y 25..48.
class GridFocusFrame : public GridOnForm {
protected:
  void SetUp() override {
    GridOnForm::SetUp();
    Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoShowFocusFrame});
  }
  // The pixels of the focus cell's outline, clockwise from the top-left corner.
  std::vector<TColor> Outline() {
    std::vector<TColor> Result;
    for (int X = 65; X < 128; ++X)
      Result.push_back(Pixel(X, 25));
    for (int Y = 25; Y < 48; ++Y)
      Result.push_back(Pixel(128, Y));
    for (int X = 128; X > 65; --X)
      Result.push_back(Pixel(X, 48));
    for (int Y = 48; Y > 25; --Y)
      Result.push_back(Pixel(65, Y));
    return Result;
  }
  static bool AllAre(const std::vector<TColor>& Pixels, TColor Color) {
    return std::all_of(Pixels.begin(), Pixels.end(), [Color](TColor P) { return P == Color; });
  }
};

TEST_F(GridFocusFrame, DottedFrameInvertsEveryOtherPixelOfTheOutlineWhileActive) {
  const std::vector<TColor> Pixels = Outline();
  const TColor Inverted = Highlight ^ 0xFFFFFF;
  for (size_t I = 0; I < Pixels.size(); ++I) {
    ASSERT_TRUE(Pixels[I] == Highlight || Pixels[I] == Inverted) << I;
    ASSERT_NE(Pixels[I], Pixels[(I + 1) % Pixels.size()])
        << "dots alternate along the outline at " << I;
  }
  EXPECT_EQ(Pixel(66, 26), Highlight); // one pixel wide
}

TEST_F(GridFocusFrame, NoFrameWhileTheGridIsNotActiveNorForDesignMode) {
  Activate(false);
  Grid->InvalidateGrid();
  EXPECT_TRUE(AllAre(Outline(), RGB(100, 112, 145))) << "the inactive focus colour, no dots";
  Grid->SetFocusFrameStyle(yffRect);
  Grid->SetDesigning(true); // designing paints the active colours, but draws no frame
  Grid->InvalidateGrid();
  EXPECT_TRUE(AllAre(Outline(), Highlight));
  Grid->SetDesigning(false);
}

// The mirrored focus cell gets the same solid frame: pixel x of the left-to-right picture is
// pixel 399 - x of the right-to-left one.
TEST_F(GridFocusFrame, SolidFrameSurroundsTheMirroredFocusCellRightToLeft) {
  Grid->SetFocusFrameStyle(yffRect);
  const std::vector<TColor> LeftToRight = Outline();
  ASSERT_TRUE(AllAre(LeftToRight, clSkyBlue));
  Grid->SetBiDiMode(bdRightToLeft);
  std::vector<TColor> Mirrored;
  for (int X = 65; X < 128; ++X)
    Mirrored.push_back(Pixel(399 - X, 25));
  for (int Y = 25; Y < 48; ++Y)
    Mirrored.push_back(Pixel(399 - 128, Y));
  for (int X = 128; X > 65; --X)
    Mirrored.push_back(Pixel(399 - X, 48));
  for (int Y = 48; Y > 25; --Y)
    Mirrored.push_back(Pixel(399 - 65, Y));
  EXPECT_EQ(Mirrored, LeftToRight);
  EXPECT_EQ(Pixel(399 - 66, 26), Highlight); // one pixel wide
  EXPECT_EQ(Pixel(399 - 127, 47), Highlight);
}

struct SolidFrameCase {
  const char* Name;
  bool AutoColor;
  bool Marked;
  TColor Frame; // derived slot 21 (not marked) or 22 (marked)
  TColor Field;
};
void PrintTo(const SolidFrameCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class GridSolidFocusFrame : public GridFocusFrame,
                            public testing::WithParamInterface<SolidFrameCase> {};

TEST_P(GridSolidFocusFrame, IsAOnePixelFrameInTheDerivedFrameColour) {
  const SolidFrameCase& C = GetParam();
  Grid->SetFocusFrameStyle(yffRect);
  TYGridOptions Options = Grid->GetOptions() + TYGridOptions{ygoRowsMarking};
  if (C.AutoColor) Options.Include(ygoAutoColorCurColRow);
  Grid->SetOptions(Options);
  Grid->GetRows(1)->SetMarked(C.Marked);
  EXPECT_TRUE(AllAre(Outline(), C.Frame));
  EXPECT_EQ(Pixel(66, 26), C.Field);
  EXPECT_EQ(Pixel(127, 47), C.Field);
}

INSTANTIATE_TEST_SUITE_P(Slots, GridSolidFocusFrame,
                         testing::Values(SolidFrameCase{"CopyOfFocusFrameColorNotMark", false,
                                                        false, clSkyBlue, Highlight},
                                         SolidFrameCase{"CopyOfFocusFrameColorMark", false, true,
                                                        clMoneyGreen, clTeal},
                                         SolidFrameCase{"WhiteBlendedWithTheFocusColour", true,
                                                        false, RGB(194, 201, 218), Highlight},
                                         SolidFrameCase{"WhiteBlendedWithTheMarkColour", true, true,
                                                        RGB(192, 224, 192), clTeal}),
                         [](const testing::TestParamInfo<SolidFrameCase>& Info) {
                           return std::string(Info.param.Name);
                         });

// ---------------------------------------------------------------- text layout

// Texts drawn in black on white straight onto the surface, in a box of 240 x 100 pixels.
class GridTextLayout : public GridOnForm {
protected:
  void Prepare(const TRect& Area) {
    FillSurface(Area, clWhite);
    TCanvas* C = Grid->GetCanvas();
    C->GetFont()->Assign(Grid->GetFonts()->GetFont(yfDefaultCellFont1NotMark));
    C->GetFont()->SetColor(clBlack);
  }
  TRect DrawEx(const std::string& Text, const TRect& Area, TAlignment Hor, TYVertAlignment Vert,
               bool Multiline) {
    Prepare(Area);
    Grid->DrawCellTextEx(Text, Area, Hor, Vert, Multiline);
    return DarkBox(Area);
  }
  TRect Draw(const std::string& Text, const TRect& Area, TAlignment Hor, TYVertAlignment Vert,
             bool Multiline) {
    Prepare(Area);
    Grid->DrawCellText(Text, Area, Hor, Vert, Multiline);
    return DarkBox(Area);
  }
  // The dark pixels of an area, row by row, relative to its top-left corner.
  std::vector<std::vector<bool>> Shape(const TRect& Area) {
    std::vector<std::vector<bool>> Rows;
    for (int Y = Area.Top; Y < Area.Bottom; ++Y) {
      Rows.emplace_back();
      for (int X = Area.Left; X < Area.Right; ++X) {
        const TColor P = Testing::SurfacePixel(*Grid, X, Y);
        Rows.back().push_back(GetRValue(P) + GetGValue(P) + GetBValue(P) < 384);
      }
    }
    return Rows;
  }
  static constexpr TRect Box{20, 20, 260, 120};
  static constexpr int Slack = 4; // pixels between a glyph's ink and its line box
};

struct PlacementCase {
  TAlignment Hor;
  TYVertAlignment Vert;
};
void PrintTo(const PlacementCase& C, std::ostream* Out) {
  *Out << "hor " << int(C.Hor) << " vert " << int(C.Vert);
}

class GridTextPlacement : public GridTextLayout,
                          public testing::WithParamInterface<PlacementCase> {};

TEST_P(GridTextPlacement, ASingleLineSitsWhereItsAlignmentsPutIt) {
  const auto [Hor, Vert] = GetParam();
  const TRect B = DrawEx("Grid 42", Box, Hor, Vert, false);
  ASSERT_FALSE(B.IsEmpty());
  EXPECT_LT(B.Height(), 16) << "one line";
  switch (Hor) {
  case taLeftJustify:
    EXPECT_LE(B.Left - Box.Left, Slack);
    break;
  case taRightJustify:
    EXPECT_LE(Box.Right - B.Right, Slack);
    break;
  case taCenter:
    EXPECT_LE(std::abs((B.Left + B.Right) - (Box.Left + Box.Right)), 2 * 2);
    break;
  }
  switch (Vert) {
  case yvaTopJustify:
    EXPECT_LE(B.Top - Box.Top, Slack);
    break;
  case yvaBottomJustify:
    EXPECT_LE(Box.Bottom - B.Bottom, Slack);
    break;
  case yvaCenter:
    EXPECT_LE(std::abs((B.Top + B.Bottom) - (Box.Top + Box.Bottom)), 2 * 3);
    break;
  }
}

INSTANTIATE_TEST_SUITE_P(AllNine, GridTextPlacement,
                         testing::Values(PlacementCase{taLeftJustify, yvaTopJustify},
                                         PlacementCase{taLeftJustify, yvaCenter},
                                         PlacementCase{taLeftJustify, yvaBottomJustify},
                                         PlacementCase{taCenter, yvaTopJustify},
                                         PlacementCase{taCenter, yvaCenter},
                                         PlacementCase{taCenter, yvaBottomJustify},
                                         PlacementCase{taRightJustify, yvaTopJustify},
                                         PlacementCase{taRightJustify, yvaCenter},
                                         PlacementCase{taRightJustify, yvaBottomJustify}));

const std::string LongText = "one two three four five six seven eight nine ten";

TEST_F(GridTextLayout, MultilineTextWrapsAndIsAlwaysTopAligned) {
  const TRect Narrow{20, 20, 90, 120};
  for (TYVertAlignment Vert : {yvaTopJustify, yvaCenter, yvaBottomJustify}) {
    const TRect B = DrawEx(LongText, Narrow, taLeftJustify, Vert, true);
    EXPECT_LE(B.Top - Narrow.Top, Slack) << Vert;
    EXPECT_GT(B.Height(), 3 * 11) << "several lines " << Vert;
    EXPECT_LE(B.Right, Narrow.Right) << Vert;
  }
}

TEST_F(GridTextLayout, AnOverlongSingleLineEndsInAnEllipsisInsideItsRectangle) {
  const TRect Short{20, 20, 110, 44};
  const TRect B = DrawEx("That is a rather shaken tale", Short, taLeftJustify, yvaCenter,
                         false); // no descenders
  ASSERT_FALSE(B.IsEmpty());
  EXPECT_LE(B.Right, Short.Right);
  EXPECT_LT(B.Height(), 16) << "one line";
  // The last glyph is the ellipsis: only dots on the baseline, where letters would reach up.
  for (int X = B.Right - 6; X < B.Right; ++X)
    for (int Y = B.Top; Y < B.Bottom - 3; ++Y)
      EXPECT_NE(Pixel(X, Y), clBlack) << "ink above the baseline at " << X << "," << Y;
}

TEST_F(GridTextLayout, AnAmpersandIsDrawnLiterally) {
  const std::string Text = "a&b&&c";
  const TRect B = DrawEx(Text, Box, taLeftJustify, yvaTopJustify, false);
  const auto Drawn = Shape(B);
  const TRect Other{20, 140, 260, 180};
  Prepare(Other);
  Grid->GetCanvas()->TextOut(Other.Left, Other.Top, Text); // the canvas draws texts literally
  const TRect Literal = DarkBox(Other);
  EXPECT_EQ(B.Width(), Literal.Width());
  EXPECT_EQ(Drawn, Shape(Literal)) << "the same glyphs, and no underline";
  EXPECT_NEAR(B.Width(), Grid->GetCanvas()->TextWidth(Text), 3);
}

// DrawCellText draws as DrawCellTextEx does with the same arguments, rather than always
// centring one line, so that hosts drawing in the hooks get the layout they ask for.
TEST_F(GridTextLayout, DrawCellTextHonoursItsVerticalAlignmentAndMultilineFlag) {
  const TRect Bottom = Draw("Grid 42", Box, taRightJustify, yvaBottomJustify, false);
  EXPECT_EQ(Bottom, DrawEx("Grid 42", Box, taRightJustify, yvaBottomJustify, false));
  EXPECT_LE(Box.Bottom - Bottom.Bottom, Slack);
  const TRect Narrow{20, 20, 90, 120};
  const TRect Wrapped = Draw(LongText, Narrow, taLeftJustify, yvaCenter, true);
  EXPECT_EQ(Wrapped, DrawEx(LongText, Narrow, taLeftJustify, yvaCenter, true));
  EXPECT_GT(Wrapped.Height(), 3 * 11);
  EXPECT_LE(Wrapped.Top - Narrow.Top, Slack);
}

// ---------------------------------------------------------------- images

// A 16 x 16 red picture offered for cell (3, 3), which covers x 195..258 and y 75..98.
class GridCellImage : public GridOnForm {
protected:
  void SetUp() override {
    GridOnForm::SetUp();
    Images = std::make_unique<TImageList>(nullptr);
    TBitmap Picture;
    Picture.SetSize(16, 16);
    Picture.GetCanvas()->GetBrush()->Color = clRed;
    Picture.GetCanvas()->FillRect({0, 0, 16, 16});
    Images->Add(&Picture);
    Grid->SetImages(Images.get());
  }
  void TearDown() override {
    GridOnForm::TearDown();
    Images.reset();
  }
  void Offer(std::int32_t Index, TAlignment Hor, TYVertAlignment Vert) {
    Grid->OnDrawImage = [=](TYCustomGrid*, TYCell*, std::int32_t Col, std::int32_t Row,
                            TYGridDrawStates, TRect&, std::int32_t& I, TAlignment& H,
                            TYVertAlignment& V) {
      if (Col != 3 || Row != 3) return;
      I = Index;
      H = Hor;
      V = Vert;
    };
    Grid->InvalidateGrid();
  }
  // The bounding box of the red pixels in cell (3, 3) and its lines.
  TRect RedBox() {
    Grid->Update();
    TRect Box{260, 100, 195, 75};
    for (int Y = 75; Y < 100; ++Y)
      for (int X = 195; X < 260; ++X)
        if (Testing::SurfacePixel(*Grid, X, Y) == clRed)
          Box = {std::min(Box.Left, X), std::min(Box.Top, Y), std::max(Box.Right, X + 1),
                 std::max(Box.Bottom, Y + 1)};
    return Box;
  }
  std::unique_ptr<TImageList> Images;
};

struct ImagePlacement {
  TAlignment Hor;
  TYVertAlignment Vert;
  int X, Y; // top-left corner of the picture
};
void PrintTo(const ImagePlacement& C, std::ostream* Out) {
  *Out << "at " << C.X << "," << C.Y;
}

class GridImagePlacement : public GridCellImage,
                           public testing::WithParamInterface<ImagePlacement> {};

TEST_P(GridImagePlacement, ThePictureSitsWhereItsAlignmentsPutIt) {
  const ImagePlacement& P = GetParam();
  Offer(0, P.Hor, P.Vert);
  EXPECT_EQ(RedBox(), Rect(P.X, P.Y, P.X + 16, P.Y + 16));
}

// R = (195, 75, 259, 99): x = Left, Right - 16 or (Right + Left - 16) div 2; y likewise.
INSTANTIATE_TEST_SUITE_P(Alignments, GridImagePlacement,
                         testing::Values(ImagePlacement{taLeftJustify, yvaTopJustify, 195, 75},
                                         ImagePlacement{taLeftJustify, yvaCenter, 195, 79},
                                         ImagePlacement{taRightJustify, yvaBottomJustify, 243, 83},
                                         ImagePlacement{taRightJustify, yvaTopJustify, 243, 75},
                                         ImagePlacement{taCenter, yvaCenter, 219, 79},
                                         ImagePlacement{taCenter, yvaBottomJustify, 219, 83}));

TEST_F(GridCellImage, AnIndexOutsideTheListDrawsNothing) {
  for (std::int32_t Index : {-1, -7, 1, 5}) {
    Offer(Index, taLeftJustify, yvaTopJustify);
    EXPECT_TRUE(RedBox().IsEmpty()) << Index;
    EXPECT_EQ(CellPixel(3, 3), Rgb(clWindow)) << Index;
  }
  Offer(0, taLeftJustify, yvaTopJustify);
  EXPECT_FALSE(RedBox().IsEmpty());
}

// The rectangles the image and text hooks receive.
struct ContentCase {
  const char* Name;
  std::int32_t Col, Row;
  bool Pressed;
  bool CustomField;
  TRect Expected;
};
void PrintTo(const ContentCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class GridContentRect : public GridCellImage, public testing::WithParamInterface<ContentCase> {};

TEST_P(GridContentRect, FixedCellsInsetTheirContentClearOfTheirFrame) {
  const ContentCase& C = GetParam();
  if (C.Pressed) {
    Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoSupportFixedButtons});
    Grid->Press(C.Col, C.Row);
  }
  std::vector<TRect> ImageRects, TextRects;
  auto Mine = [&](std::int32_t Col, std::int32_t Row) { return Col == C.Col && Row == C.Row; };
  Grid->OnDrawCellField = [&](TYCustomGrid*, TYCell*, std::int32_t Col, std::int32_t Row,
                              TYGridDrawStates, const TRect&,
                              bool& Custom) { Custom = C.CustomField && Mine(Col, Row); };
  Grid->OnDrawImage = [&](TYCustomGrid*, TYCell*, std::int32_t Col, std::int32_t Row,
                          TYGridDrawStates, TRect& R, std::int32_t&, TAlignment&,
                          TYVertAlignment&) {
    if (Mine(Col, Row)) ImageRects.push_back(R);
  };
  Grid->OnDrawCellText = [&](TYCustomGrid*, TYCell*, std::int32_t Col, std::int32_t Row,
                             TYGridDrawStates, TRect& R, std::string&, bool&, TAlignment&,
                             TYVertAlignment&) {
    if (Mine(Col, Row)) TextRects.push_back(R);
  };
  Grid->InvalidateGrid();
  Grid->Update();
  EXPECT_EQ(ImageRects, std::vector<TRect>{C.Expected});
  EXPECT_EQ(TextRects, std::vector<TRect>{C.Expected});
  Grid->OnDrawCellField = nullptr;
  Grid->OnDrawImage = nullptr;
  Grid->OnDrawCellText = nullptr;
}

INSTANTIATE_TEST_SUITE_P(
    Cells, GridContentRect,
    testing::Values(
        ContentCase{"ScrollableCellKeepsItsRectangle", 2, 2, false, false, Rect(130, 50, 194, 74)},
        ContentCase{"RaisedFixedRowCell", 2, 0, false, false, Rect(131, 1, 192, 22)},
        ContentCase{"RaisedFixedColumnCell", 0, 2, false, false, Rect(1, 51, 62, 72)},
        ContentCase{"PressedFixedCellMovesRightAndDown", 2, 0, true, false, Rect(132, 2, 193, 23)},
        ContentCase{"FixedCellWithTheHostsFieldIsNotInset", 2, 0, false, true,
                    Rect(130, 0, 194, 24)}),
    [](const testing::TestParamInfo<ContentCase>& Info) { return std::string(Info.param.Name); });

} // namespace
