// Drawing bitmaps with one colour transparent: natural size and stretched, opaque with the
// canvas's copy mode, monochrome pictures, and the bitmap's own transparent colour.
#include "tests/grid/gui/GridGuiSupport.h"

namespace {

// Colours of the pictures and of the background they are drawn on.
constexpr TColor Yl = clYellow, K = clBlack, R = clRed, W = clWhite;

// Pixels row by row.
using Pixels = std::vector<std::vector<TColor>>;

// 4 x 4: a frame of one colour around a 2 x 2 centre of another.
Pixels Framed(TColor Edge, TColor Centre) {
  return {{Edge, Edge, Edge, Edge},
          {Edge, Centre, Centre, Edge},
          {Edge, Centre, Centre, Edge},
          {Edge, Edge, Edge, Edge}};
}

std::unique_ptr<TBitmap> MakeBitmap(const Pixels& Rows) {
  auto Bitmap = std::make_unique<TBitmap>();
  Bitmap->SetSize(static_cast<int>(Rows[0].size()), static_cast<int>(Rows.size()));
  for (size_t Y = 0; Y < Rows.size(); ++Y)
    for (size_t X = 0; X < Rows[Y].size(); ++X)
      Bitmap->GetCanvas()->SetPixel(static_cast<int>(X), static_cast<int>(Y), Rows[Y][X]);
  return Bitmap;
}

std::unique_ptr<TBitmap> RedOnBlack() {
  return MakeBitmap(Framed(K, R));
}

// Bitmaps are drawn straight onto a yellow area of the grid's surface.
class GridBitmaps : public GridOnForm {
protected:
  void SetUp() override {
    GridOnForm::SetUp();
    FillSurface(Area, clYellow);
  }
  TCanvas* Canvas() { return Grid->GetCanvas(); }
  // The surface from (X, Y), W x H pixels, row by row.
  Pixels Read(int X, int Y, int W, int H) {
    Pixels Rows(static_cast<size_t>(H));
    for (int J = 0; J < H; ++J)
      for (int I = 0; I < W; ++I)
        Rows[static_cast<size_t>(J)].push_back(Pixel(X + I, Y + J));
    return Rows;
  }
  static constexpr TRect Area{200, 100, 260, 160};
  static constexpr int X = 210, Y = 110;
};

TEST_F(GridBitmaps, NoSizesDrawTheWholeBitmapAtItsNaturalSize) {
  const TColor A = RGB(10, 20, 30), B = RGB(200, 100, 50), C = RGB(0, 255, 128);
  const auto Bitmap = MakeBitmap({{A, B, C, A, B}, {C, C, A, B, B}, {B, A, A, C, C}});
  TYCustomGrid::StretchBitmapTransparent(Canvas(), Bitmap.get(), clLime, X, Y, 0, 0, 2, 1, 0, 1);
  const Pixels Expected{
      {A, B, C, A, B, Yl}, {C, C, A, B, B, Yl}, {B, A, A, C, C, Yl}, {Yl, Yl, Yl, Yl, Yl, Yl}};
  EXPECT_EQ(Read(X, Y, 6, 4), Expected);
}

TEST_F(GridBitmaps, ClNoneDrawsOpaqueWithTheCanvasCopyMode) {
  const auto Bitmap = RedOnBlack();
  TYCustomGrid::StretchBitmapTransparent(Canvas(), Bitmap.get(), clNone, X, Y, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Read(X, Y, 4, 4), Framed(K, R));
  Canvas()->CopyMode = NOTSRCCOPY;
  TYCustomGrid::StretchBitmapTransparent(Canvas(), Bitmap.get(), clNone, X + 10, Y, 0, 0, 0, 0, 0,
                                         0);
  Canvas()->CopyMode = SRCCOPY;
  EXPECT_EQ(Read(X + 10, Y, 4, 4), Framed(W, clAqua)); // black and red inverted
}

class GridMonochromeBitmap : public GridBitmaps, public testing::WithParamInterface<TColor> {};

TEST_P(GridMonochromeBitmap, AlwaysTreatsWhiteAsTransparent) {
  auto Bitmap =
      MakeBitmap({{W, W, W, W}, {W, K, K, W}, {W, K, W, W}, {W, W, W, W}}); // an L in black
  Bitmap->SetMonochrome(true);
  TYCustomGrid::DrawBitmapTransparent(Canvas(), X, Y, Bitmap.get(), GetParam());
  const Pixels Expected{{Yl, Yl, Yl, Yl}, {Yl, K, K, Yl}, {Yl, K, Yl, Yl}, {Yl, Yl, Yl, Yl}};
  EXPECT_EQ(Read(X, Y, 4, 4), Expected);
}

INSTANTIATE_TEST_SUITE_P(WhateverColourIsPassed, GridMonochromeBitmap,
                         testing::Values(clBlack, clWhite, clRed, clBtnFace));

TEST_F(GridBitmaps, StretchingRepeatsTheNearestPixel) {
  const TColor G = clLime, B = clBlue;
  const auto Bitmap = MakeBitmap({{R, G}, {B, W}});
  TYCustomGrid::StretchBitmapTransparent(Canvas(), Bitmap.get(), clNone, X, Y, 4, 4, 0, 0, 2, 2);
  EXPECT_EQ(Read(X, Y, 4, 4), (Pixels{{R, R, G, G}, {R, R, G, G}, {B, B, W, W}, {B, B, W, W}}));
  TYCustomGrid::StretchBitmapTransparent(Canvas(), Bitmap.get(), clWhite, X + 10, Y, 4, 4, 0, 0, 2,
                                         2);
  EXPECT_EQ(Read(X + 10, Y, 4, 4),
            (Pixels{{R, R, G, G}, {R, R, G, G}, {B, B, Yl, Yl}, {B, B, Yl, Yl}}));
  // One source pixel, the top-right one, stretched to 3 x 2.
  TYCustomGrid::StretchBitmapTransparent(Canvas(), Bitmap.get(), clWhite, X + 20, Y, 3, 2, 1, 0, 1,
                                         1);
  EXPECT_EQ(Read(X + 20, Y, 4, 3), (Pixels{{G, G, G, Yl}, {G, G, G, Yl}, {Yl, Yl, Yl, Yl}}));
}

struct MaskedCase {
  const char* Name;
  TColor Transparent; // set on the bitmap; clDefault: its bottom-left pixel
  Pixels Expected;
};
void PrintTo(const MaskedCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class GridMaskedBitmap : public GridBitmaps, public testing::WithParamInterface<MaskedCase> {};

// The rectangle passed does not limit the drawing: the bitmap goes whole to (X, Y).
TEST_P(GridMaskedBitmap, UsesTheBitmapsOwnTransparentColour) {
  auto Bitmap = RedOnBlack();
  Bitmap->SetTransparentColor(GetParam().Transparent);
  Grid->DrawMaskedBitmap(Rect(0, 0, 1, 1), X, Y, Bitmap.get());
  EXPECT_EQ(Read(X, Y, 4, 4), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, GridMaskedBitmap,
    testing::Values(MaskedCase{"BottomLeftPixel", clDefault, Framed(Yl, R)},
                    MaskedCase{"SetColour", clRed, Framed(K, Yl)},
                    MaskedCase{"PaletteRelativeColour", clRed | 0x02000000, Framed(K, Yl)}),
    [](const testing::TestParamInfo<MaskedCase>& Info) { return std::string(Info.param.Name); });

} // namespace
