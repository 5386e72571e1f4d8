// Memory contexts and bit-block transfers: selection rules, raster operations, colour and
// monochrome conversions, stretching, and the mask sequence that draws a bitmap with one
// colour transparent.
#include "GraphicsTestSupport.h"

namespace {
using guitest::TMemoryDc;

// ---------------------------------------------------------------- contexts and bitmaps

TEST(MemoryDcTest, NewContextHoldsAMonochromeBitmap) {
  HDC Dc = CreateCompatibleDC(nullptr);
  TCanvas Canvas;
  Canvas.SetHandle(Dc);
  Canvas.SetPixel(0, 0, RGB(200, 200, 200)); // light: white on a monochrome bitmap
  EXPECT_EQ(Canvas.GetPixel(0, 0), clWhite);
  Canvas.SetPixel(0, 0, clRed); // dark: black
  EXPECT_EQ(Canvas.GetPixel(0, 0), clBlack);
  EXPECT_EQ(Canvas.GetPixel(1, 0), -1); // 1 x 1
  EXPECT_TRUE(DeleteDC(Dc));
}

TEST(MemoryDcTest, CompatibleBitmapIsMonochromeOnlyForAMonochromeContext) {
  HDC Dc = CreateCompatibleDC(nullptr);
  HBITMAP ForMono = CreateCompatibleBitmap(Dc, 2, 2);
  HBITMAP ForScreen = CreateCompatibleBitmap(nullptr, 2, 2);
  TCanvas Canvas;
  Canvas.SetHandle(Dc);

  HGDIOBJ Stock = SelectObject(Dc, ForMono);
  EXPECT_EQ(Canvas.GetPixel(0, 0), clBlack); // new bitmaps start black
  Canvas.SetPixel(0, 0, RGB(200, 200, 200));
  EXPECT_EQ(Canvas.GetPixel(0, 0), clWhite);

  EXPECT_EQ(SelectObject(Dc, ForScreen), ForMono);
  EXPECT_EQ(Canvas.GetPixel(1, 1), clBlack);
  Canvas.SetPixel(1, 1, RGB(200, 200, 200));
  EXPECT_EQ(Canvas.GetPixel(1, 1), RGB(200, 200, 200));

  EXPECT_EQ(SelectObject(Dc, Stock), ForScreen);
  EXPECT_TRUE(DeleteObject(ForMono));
  EXPECT_TRUE(DeleteObject(ForScreen));
  EXPECT_TRUE(DeleteDC(Dc));
}

TEST(MemoryDcTest, SelectedBitmapsAreNotDeletedAndSelectOnlyOnce) {
  HDC First = CreateCompatibleDC(nullptr);
  HDC Second = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap = CreateCompatibleBitmap(nullptr, 3, 3);
  HGDIOBJ Stock = SelectObject(First, Bitmap);
  EXPECT_EQ(SelectObject(Second, Bitmap), nullptr); // already in First
  EXPECT_FALSE(DeleteObject(Bitmap));               // still selected
  EXPECT_FALSE(DeleteObject(Stock));                // a context's own bitmap
  TCanvas Canvas;
  Canvas.SetHandle(First);
  Canvas.SetPixel(2, 2, clRed);

  EXPECT_TRUE(DeleteDC(First)); // the bitmap survives its context
  const HGDIOBJ SecondStock = SelectObject(Second, Bitmap);
  ASSERT_NE(SecondStock, nullptr);
  Canvas.SetHandle(Second);
  EXPECT_EQ(Canvas.GetPixel(2, 2), clRed);
  SelectObject(Second, SecondStock);
  EXPECT_TRUE(DeleteObject(Bitmap));
  EXPECT_TRUE(DeleteDC(Second));
}

TEST(MemoryDcTest, MonochromeBitmapsFromCreateBitmap) {
  TMemoryDc Mono(2, 1, true);
  EXPECT_EQ(Mono.At(0, 0), clBlack);
  Mono.Set(1, 0, clYellow);
  EXPECT_EQ(Mono.At(1, 0), clWhite);
}

// ---------------------------------------------------------------- raster operations

class RopTest : public ::testing::Test {
protected:
  static constexpr TColor S = RGB(0x33, 0x0F, 0xAA);
  static constexpr TColor D = RGB(0x0F, 0xF0, 0x55);
  TMemoryDc Src{4, 4};
  TMemoryDc Dst{6, 6};

  // Fills Dst with D, Src with S, copies Src's 2 x 2 corner to (2, 2) with Rop.
  void Blt(std::uint32_t Rop) {
    for (int Y = 0; Y < 6; ++Y)
      for (int X = 0; X < 6; ++X)
        Dst.Set(X, Y, D);
    for (int Y = 0; Y < 4; ++Y)
      for (int X = 0; X < 4; ++X)
        Src.Set(X, Y, S);
    EXPECT_TRUE(BitBlt(Dst.Canvas.GetHandle(), 2, 2, 2, 2, Src.Dc, 0, 0, Rop)); // with Dst's brush
  }
};

TEST_F(RopTest, EveryRasterOperationOnKnownPixels) {
  const struct {
    const char* Name;
    std::uint32_t Rop;
    TColor Expected;
  } Cases[] = {
      {"SRCCOPY", SRCCOPY, S},
      {"NOTSRCCOPY", NOTSRCCOPY, RGB(0xCC, 0xF0, 0x55)},
      {"SRCAND", SRCAND, RGB(0x03, 0x00, 0x00)},
      {"SRCPAINT", SRCPAINT, RGB(0x3F, 0xFF, 0xFF)},
      {"SRCINVERT", SRCINVERT, RGB(0x3C, 0xFF, 0xFF)},
      {"BLACKNESS", BLACKNESS, clBlack},
      {"WHITENESS", WHITENESS, clWhite},
      {"DSTINVERT", 0x00550009, RGB(0xF0, 0x0F, 0xAA)},
  };
  for (const auto& Case : Cases) {
    Blt(Case.Rop);
    EXPECT_EQ(Dst.At(2, 2), Case.Expected) << Case.Name;
    EXPECT_EQ(Dst.At(3, 3), Case.Expected) << Case.Name;
    EXPECT_EQ(Dst.At(4, 3), D) << Case.Name << ": the width is exclusive";
    EXPECT_EQ(Dst.At(3, 4), D) << Case.Name << ": the height is exclusive";
    EXPECT_EQ(Dst.At(1, 2), D) << Case.Name;
  }
}

TEST_F(RopTest, PatternOperationsUseTheBrush) {
  Dst.Canvas.GetBrush()->Color = RGB(0x80, 0x40, 0x20);
  Blt(0x00F00021); // PATCOPY
  EXPECT_EQ(Dst.At(2, 2), RGB(0x80, 0x40, 0x20));
  Blt(0x005A0049); // PATINVERT
  EXPECT_EQ(Dst.At(2, 2), RGB(0x8F, 0xB0, 0x75));
}

TEST_F(RopTest, OperationsWithoutSourceNeedNoSourceContext) {
  Blt(SRCCOPY);
  EXPECT_TRUE(BitBlt(Dst.Dc, 0, 0, 1, 1, nullptr, 0, 0, WHITENESS));
  EXPECT_EQ(Dst.At(0, 0), clWhite);
  EXPECT_FALSE(BitBlt(Dst.Dc, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
}

TEST(BltTest, OverlappingCopyInOneContextMovesThePixels) {
  TMemoryDc Dc(5, 1);
  const TColor Row[] = {clRed, clLime, clBlue, clYellow, clAqua};
  for (int X = 0; X < 5; ++X)
    Dc.Set(X, 0, Row[X]);
  BitBlt(Dc.Dc, 1, 0, 4, 1, Dc.Dc, 0, 0, SRCCOPY);
  const TColor Expected[] = {clRed, clRed, clLime, clBlue, clYellow};
  for (int X = 0; X < 5; ++X)
    EXPECT_EQ(Dc.At(X, 0), Expected[X]) << X;
}

TEST(BltTest, SourceOutsideItsBitmapLeavesTheDestination) {
  TMemoryDc Src(2, 2), Dst(4, 4);
  for (int Y = 0; Y < 2; ++Y)
    for (int X = 0; X < 2; ++X)
      Src.Set(X, Y, clRed);
  BitBlt(Dst.Dc, 0, 0, 4, 4, Src.Dc, 0, 0, SRCCOPY);
  EXPECT_EQ(Dst.At(1, 1), clRed);
  EXPECT_EQ(Dst.At(2, 1), clBlack);
  EXPECT_EQ(Dst.At(1, 2), clBlack);
}

// ---------------------------------------------------------------- colour and monochrome

TEST(BltConversionTest, ColourToMonochromeByTheSourceBackground) {
  TMemoryDc Colour(3, 1), Mono(3, 1, true);
  Colour.Set(0, 0, clRed);
  Colour.Set(1, 0, clBlue);
  Colour.Set(2, 0, clWhite);
  SetBkColor(Colour.Dc, clRed);
  BitBlt(Mono.Dc, 0, 0, 3, 1, Colour.Dc, 0, 0, SRCCOPY);
  EXPECT_EQ(Mono.At(0, 0), clWhite);
  EXPECT_EQ(Mono.At(1, 0), clBlack);
  EXPECT_EQ(Mono.At(2, 0), clBlack); // white, but not the background colour

  SetBkColor(Colour.Dc, 0x02000000 | clBlue); // a palette-relative background matches too
  BitBlt(Mono.Dc, 0, 0, 3, 1, Colour.Dc, 0, 0, SRCCOPY);
  EXPECT_EQ(Mono.At(0, 0), clBlack);
  EXPECT_EQ(Mono.At(1, 0), clWhite);
}

TEST(BltConversionTest, MonochromeToColourByTheDestinationColours) {
  TMemoryDc Mono(2, 1, true), Colour(2, 1);
  Mono.Set(0, 0, clWhite);
  Mono.Set(1, 0, clBlack);
  SetBkColor(Colour.Dc, clLime);
  SetTextColor(Colour.Dc, RGB(1, 2, 3));
  SetBkColor(Mono.Dc, clRed); // the source's colours play no part
  SetTextColor(Mono.Dc, clRed);
  BitBlt(Colour.Dc, 0, 0, 2, 1, Mono.Dc, 0, 0, SRCCOPY);
  EXPECT_EQ(Colour.At(0, 0), clLime);
  EXPECT_EQ(Colour.At(1, 0), RGB(1, 2, 3));
}

TEST(BltConversionTest, ConvertedSourceThenTakesTheRasterOperation) {
  TMemoryDc Mono(2, 1, true), Colour(2, 1);
  Mono.Set(0, 0, clWhite);
  Colour.Set(0, 0, RGB(0x12, 0x34, 0x56));
  Colour.Set(1, 0, RGB(0x12, 0x34, 0x56));
  BitBlt(Colour.Dc, 0, 0, 2, 1, Mono.Dc, 0, 0, SRCAND); // default colours: white and black
  EXPECT_EQ(Colour.At(0, 0), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(Colour.At(1, 0), clBlack);
}

// ---------------------------------------------------------------- stretching

TEST(StretchBltTest, DoublingRepeatsEachPixel) {
  TMemoryDc Src(2, 2), Dst(5, 5);
  const TColor Colors[2][2] = {{clRed, clLime}, {clBlue, clYellow}};
  for (int Y = 0; Y < 2; ++Y)
    for (int X = 0; X < 2; ++X)
      Src.Set(X, Y, Colors[Y][X]);
  SetStretchBltMode(Dst.Dc, COLORONCOLOR);
  EXPECT_TRUE(StretchBlt(Dst.Dc, 0, 0, 4, 4, Src.Dc, 0, 0, 2, 2, SRCCOPY));
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 0; X < 4; ++X)
      EXPECT_EQ(Dst.At(X, Y), Colors[Y / 2][X / 2]) << X << "," << Y;
  EXPECT_EQ(Dst.At(4, 4), clBlack);
}

TEST(StretchBltTest, HalvingTakesEveryOtherPixel) {
  TMemoryDc Src(4, 1), Dst(2, 1);
  const TColor Row[] = {clRed, clLime, clBlue, clYellow};
  for (int X = 0; X < 4; ++X)
    Src.Set(X, 0, Row[X]);
  StretchBlt(Dst.Dc, 0, 0, 2, 1, Src.Dc, 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(Dst.At(0, 0), clRed);
  EXPECT_EQ(Dst.At(1, 0), clBlue);
}

TEST(StretchBltTest, NegativeWidthMirrors) {
  TMemoryDc Src(3, 1), Dst(3, 1);
  const TColor Row[] = {clRed, clLime, clBlue};
  for (int X = 0; X < 3; ++X)
    Src.Set(X, 0, Row[X]);
  StretchBlt(Dst.Dc, 3, 0, -3, 1, Src.Dc, 0, 0, 3, 1, SRCCOPY);
  EXPECT_EQ(Dst.At(0, 0), clBlue);
  EXPECT_EQ(Dst.At(2, 0), clRed);
}

TEST(StretchBltTest, ModeAnswersThePreviousOne) {
  TMemoryDc Dc(1, 1);
  EXPECT_EQ(SetStretchBltMode(Dc.Dc, COLORONCOLOR), BLACKONWHITE);
  EXPECT_EQ(SetStretchBltMode(Dc.Dc, HALFTONE), COLORONCOLOR);
}

// ---------------------------------------------------------------- transparent drawing

// Draws Src (SrcW x SrcH) onto Dst at (X, Y) scaled to W x H with Transparent left out, by
// masks and raster operations, the way the grid draws its images.
void DrawTransparent(HDC Dst, int X, int Y, int W, int H, HDC Src, int SrcW, int SrcH,
                     TColor Transparent) {
  TMemoryDc Mask(SrcW, SrcH, true), MaskInv(SrcW, SrcH, true);
  TMemoryDc Work(W, H), Save(SrcW, SrcH);
  BitBlt(Save.Dc, 0, 0, SrcW, SrcH, Src, 0, 0, SRCCOPY);
  const TColor OldBk = SetBkColor(Save.Dc, ColorToRGB(Transparent) | 0x02000000);
  BitBlt(Mask.Dc, 0, 0, SrcW, SrcH, Save.Dc, 0, 0, SRCCOPY);
  SetBkColor(Save.Dc, OldBk);
  BitBlt(MaskInv.Dc, 0, 0, SrcW, SrcH, Mask.Dc, 0, 0, NOTSRCCOPY);
  BitBlt(Work.Dc, 0, 0, W, H, Dst, X, Y, SRCCOPY);
  StretchBlt(Work.Dc, 0, 0, W, H, Mask.Dc, 0, 0, SrcW, SrcH, SRCAND);
  BitBlt(Save.Dc, 0, 0, SrcW, SrcH, MaskInv.Dc, 0, 0, SRCAND);
  StretchBlt(Work.Dc, 0, 0, W, H, Save.Dc, 0, 0, SrcW, SrcH, SRCPAINT);
  BitBlt(Dst, X, Y, W, H, Work.Dc, 0, 0, SRCCOPY);
}

class TransparentBltTest : public ::testing::Test {
protected:
  static constexpr TColor Field = RGB(0x20, 0xA0, 0x60);
  static constexpr TColor Shape = RGB(0xC0, 0x10, 0x40);
  TMemoryDc Picture{16, 16}; // black background, a square 4..11 and a white dot at (1, 1)
  TMemoryDc Target{40, 40};

  void SetUp() override {
    for (int Y = 4; Y < 12; ++Y)
      for (int X = 4; X < 12; ++X)
        Picture.Set(X, Y, Shape);
    Picture.Set(1, 1, clWhite);
    for (int Y = 0; Y < 40; ++Y)
      for (int X = 0; X < 40; ++X)
        Target.Set(X, Y, Field);
  }
  // What the target should show at (X, Y) after the picture went to (Left, Top) at Scale.
  TColor Expected(int X, int Y, int Left, int Top, int Scale) {
    const int Px = (X - Left) / Scale, Py = (Y - Top) / Scale;
    if (X < Left || Y < Top || Px >= 16 || Py >= 16) return Field;
    const TColor Pixel = Picture.At(Px, Py);
    return Pixel == clBlack ? Field : Pixel;
  }
  void ExpectPicture(int Left, int Top, int Scale) {
    for (int Y = 0; Y < 40; ++Y)
      for (int X = 0; X < 40; ++X)
        ASSERT_EQ(Target.At(X, Y), Expected(X, Y, Left, Top, Scale)) << X << "," << Y;
  }
};

TEST_F(TransparentBltTest, BlackBackgroundLeavesTheFieldColour) {
  DrawTransparent(Target.Dc, 5, 7, 16, 16, Picture.Dc, 16, 16, clBlack);
  EXPECT_EQ(Target.At(5, 7), Field);
  EXPECT_EQ(Target.At(9, 11), Shape);
  EXPECT_EQ(Target.At(6, 8), clWhite);
  ExpectPicture(5, 7, 1);
}

TEST_F(TransparentBltTest, StretchedPictureKeepsItsTransparency) {
  DrawTransparent(Target.Dc, 3, 2, 32, 32, Picture.Dc, 16, 16, clBlack);
  ExpectPicture(3, 2, 2);
}

} // namespace
