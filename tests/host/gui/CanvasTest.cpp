// The canvas: exclusive rectangles, lines without their end pixel, wide pens, pen styles and
// modes (XOR drawn twice restores), pixels, bitmaps drawn with a copy mode, and how the canvas
// hands its brush to the context.
#include "GraphicsTestSupport.h"

namespace {
using guitest::TMemoryDc;
using guitest::TPicture;

class CanvasTest : public ::testing::Test {
protected:
  TPicture Picture{40, 30};
  TCanvas* C = Picture.Canvas();

  // A picture with a different colour at every pixel, to show any change.
  void PaintGradient() {
    for (int Y = 0; Y < Picture.Height(); ++Y)
      for (int X = 0; X < Picture.Width(); ++X)
        C->SetPixel(X, Y, RGB(X * 6, Y * 8, (X * Y) & 0xFF));
  }
};

TEST_F(CanvasTest, FillRectExcludesRightAndBottom) {
  C->GetBrush()->Color = clRed;
  C->FillRect(Rect(2, 3, 6, 8));
  EXPECT_EQ(Picture.At(2, 3), clRed);
  EXPECT_EQ(Picture.At(5, 7), clRed);
  EXPECT_EQ(Picture.At(6, 7), clWhite);
  EXPECT_EQ(Picture.At(5, 8), clWhite);
  EXPECT_EQ(Picture.At(1, 3), clWhite);
  EXPECT_EQ(Picture.At(2, 2), clWhite);
  EXPECT_EQ(Picture.Count(clRed), 4 * 5);
}

TEST_F(CanvasTest, FrameRectIsAnOutlineInsideTheRect) {
  C->GetBrush()->Color = clBlue;
  C->FrameRect(Rect(2, 3, 6, 8));
  for (auto [X, Y] : {std::pair{2, 3}, {5, 3}, {2, 7}, {5, 7}, {3, 3}, {2, 5}, {5, 5}, {4, 7}})
    EXPECT_EQ(Picture.At(X, Y), clBlue) << X << "," << Y;
  for (auto [X, Y] : {std::pair{3, 4}, {4, 6}, {6, 3}, {2, 8}, {1, 5}, {3, 2}})
    EXPECT_EQ(Picture.At(X, Y), clWhite) << X << "," << Y;
  EXPECT_EQ(Picture.Count(clBlue), 2 * 4 + 2 * 3);
}

TEST_F(CanvasTest, ClearBrushFillsAndFramesNothing) {
  C->GetBrush()->Color = clRed;
  C->GetBrush()->Style = bsClear;
  C->FillRect(Rect(0, 0, 10, 10));
  C->FrameRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(Picture.Count(clWhite), 40 * 30);
}

TEST_F(CanvasTest, LineToLeavesOutItsEndPixel) {
  C->MoveTo(2, 5);
  C->LineTo(10, 5);
  EXPECT_EQ(Picture.At(2, 5), clBlack);
  EXPECT_EQ(Picture.At(9, 5), clBlack);
  EXPECT_EQ(Picture.At(10, 5), clWhite);
  EXPECT_EQ(Picture.At(1, 5), clWhite);
  EXPECT_EQ(Picture.Count(clBlack), 8);
}

TEST_F(CanvasTest, LineDrawnBackwardsStartsAtItsStart) {
  C->MoveTo(10, 5);
  C->LineTo(2, 5);
  EXPECT_EQ(Picture.At(10, 5), clBlack);
  EXPECT_EQ(Picture.At(3, 5), clBlack);
  EXPECT_EQ(Picture.At(2, 5), clWhite);
}

TEST_F(CanvasTest, VerticalAndDiagonalLinesLeaveOutTheirEndPixel) {
  C->MoveTo(20, 1);
  C->LineTo(20, 6);
  EXPECT_EQ(Picture.At(20, 5), clBlack);
  EXPECT_EQ(Picture.At(20, 6), clWhite);
  C->MoveTo(0, 10);
  C->LineTo(5, 15);
  for (int I = 0; I < 5; ++I)
    EXPECT_EQ(Picture.At(I, 10 + I), clBlack) << I;
  EXPECT_EQ(Picture.At(5, 15), clWhite);
  EXPECT_EQ(Picture.Count(clBlack), 5 + 5);
}

TEST_F(CanvasTest, SuccessiveLinesContinueFromThePenPosition) {
  C->MoveTo(1, 1);
  C->LineTo(5, 1);
  C->LineTo(5, 4);
  EXPECT_EQ(Picture.At(5, 1), clBlack); // the second line's start fills the first one's end
  EXPECT_EQ(Picture.At(5, 3), clBlack);
  EXPECT_EQ(Picture.At(5, 4), clWhite);
}

TEST_F(CanvasTest, WidePenIsCentredOnTheLine) {
  C->GetPen()->Width = 3;
  C->MoveTo(10, 5);
  C->LineTo(10, 20);
  for (int X = 9; X <= 11; ++X)
    EXPECT_EQ(Picture.At(X, 12), clBlack) << X;
  EXPECT_EQ(Picture.At(8, 12), clWhite);
  EXPECT_EQ(Picture.At(12, 12), clWhite);

  C->GetPen()->Width = 2;
  C->MoveTo(5, 25);
  C->LineTo(35, 25);
  EXPECT_EQ(Picture.At(20, 23), clWhite);
  EXPECT_EQ(Picture.At(20, 24), clBlack);
  EXPECT_EQ(Picture.At(20, 25), clBlack);
  EXPECT_EQ(Picture.At(20, 26), clWhite);
}

TEST_F(CanvasTest, DottedPenDrawsEveryOtherPixel) {
  C->GetPen()->Style = psDot;
  C->MoveTo(0, 5);
  C->LineTo(11, 5);
  for (int X = 0; X < 11; ++X)
    EXPECT_EQ(Picture.At(X, 5), X % 2 == 0 ? clBlack : clWhite) << X;
  EXPECT_EQ(Picture.Count(clBlack), 6);
}

TEST_F(CanvasTest, ClearPenDrawsNothing) {
  C->GetPen()->Style = psClear;
  C->MoveTo(0, 5);
  C->LineTo(30, 5);
  EXPECT_EQ(Picture.Count(clWhite), 40 * 30);
}

TEST_F(CanvasTest, XorPenCombinesExactly) {
  C->SetPixel(3, 3, RGB(0x12, 0x34, 0x56));
  C->GetPen()->Mode = pmXor;
  C->GetPen()->Color = RGB(0xFF, 0x00, 0x0F);
  C->MoveTo(3, 3);
  C->LineTo(4, 3);
  EXPECT_EQ(Picture.At(3, 3), RGB(0xED, 0x34, 0x59));
}

TEST_F(CanvasTest, XorLinesDrawnTwiceRestoreThePicture) {
  PaintGradient();
  const auto Before = Picture.Pixels();
  const struct {
    TPenStyle Style;
    int Width;
  } Pens[] = {{psSolid, 1}, {psDot, 1}, {psDot, 5}, {psSolid, 4}};
  for (const auto& P : Pens) {
    C->GetPen()->Mode = pmXor;
    C->GetPen()->Color = clGray;
    C->GetPen()->Style = P.Style;
    C->GetPen()->Width = P.Width;
    C->MoveTo(3, 2);
    C->LineTo(30, 25); // diagonal: wide pens overlap along it
    EXPECT_NE(Picture.Pixels(), Before) << P.Width;
    C->MoveTo(3, 2);
    C->LineTo(30, 25);
    EXPECT_EQ(Picture.Pixels(), Before) << "style " << int(P.Style) << " width " << P.Width;
  }
}

// A wide pen covers each pixel many times along the line; XOR must still apply once.
TEST_F(CanvasTest, WideXorLineInvertsEachCoveredPixelOnce) {
  C->GetPen()->Mode = pmXor;
  C->GetPen()->Color = clGray;
  C->GetPen()->Width = 4; // an even width: most pixels are covered an even number of times
  C->MoveTo(5, 10);
  C->LineTo(30, 10);
  for (int Y = 8; Y <= 11; ++Y)
    EXPECT_EQ(Picture.At(15, Y), RGB(0x7F, 0x7F, 0x7F)) << Y;
  EXPECT_EQ(Picture.At(15, 7), clWhite);
  EXPECT_EQ(Picture.At(15, 12), clWhite);
}

TEST_F(CanvasTest, PenModes) {
  const TColor Pixel = RGB(0x10, 0x80, 0xF0), Pen = RGB(0x0F, 0x0F, 0x0F);
  const struct {
    TPenMode Mode;
    TColor Expected;
  } Cases[] = {
      {pmCopy, Pen},
      {pmNotCopy, RGB(0xF0, 0xF0, 0xF0)},
      {pmBlack, clBlack},
      {pmWhite, clWhite},
      {pmNop, Pixel},
      {pmNot, RGB(0xEF, 0x7F, 0x0F)},
      {pmXor, RGB(0x1F, 0x8F, 0xFF)},
  };
  for (const auto& Case : Cases) {
    C->SetPixel(1, 1, Pixel);
    C->GetPen()->Mode = Case.Mode;
    C->GetPen()->Color = Pen;
    C->MoveTo(1, 1);
    C->LineTo(2, 1);
    EXPECT_EQ(Picture.At(1, 1), Case.Expected) << int(Case.Mode);
  }
}

TEST_F(CanvasTest, PixelsReadBackAndOutsideIsInvalid) {
  C->SetPixel(39, 29, RGB(1, 2, 3));
  EXPECT_EQ(C->GetPixel(39, 29), RGB(1, 2, 3));
  EXPECT_EQ(C->GetPixel(40, 0), -1);
  EXPECT_EQ(C->GetPixel(0, -1), -1);
  C->SetPixel(40, 0, clRed); // ignored
  EXPECT_EQ(Picture.Count(clRed), 0);
}

TEST_F(CanvasTest, DrawCopiesTheWholeBitmapWithTheCopyMode) {
  TBitmap Image;
  Image.SetSize(3, 2);
  Image.GetCanvas()->GetBrush()->Color = RGB(0x0F, 0x00, 0xF0);
  Image.GetCanvas()->FillRect(Rect(0, 0, 3, 2));
  C->Draw(5, 6, &Image);
  EXPECT_EQ(Picture.At(5, 6), RGB(0x0F, 0x00, 0xF0));
  EXPECT_EQ(Picture.At(7, 7), RGB(0x0F, 0x00, 0xF0));
  EXPECT_EQ(Picture.Count(RGB(0x0F, 0x00, 0xF0)), 6);

  C->SetPixel(20, 20, RGB(0xFF, 0x0F, 0x0F));
  C->CopyMode = SRCINVERT;
  C->Draw(20, 20, &Image);
  EXPECT_EQ(Picture.At(20, 20), RGB(0xF0, 0x0F, 0xFF));
  EXPECT_EQ(Picture.At(21, 20), RGB(0xF0, 0xFF, 0x0F)); // white ^ image
}

TEST_F(CanvasTest, StretchDrawScalesTheBitmap) {
  TBitmap Image;
  Image.SetSize(2, 1);
  Image.GetCanvas()->SetPixel(0, 0, clRed);
  Image.GetCanvas()->SetPixel(1, 0, clBlue);
  C->StretchDraw(Rect(0, 0, 4, 2), &Image);
  EXPECT_EQ(Picture.At(1, 1), clRed);
  EXPECT_EQ(Picture.At(2, 0), clBlue);
  EXPECT_EQ(Picture.At(4, 0), clWhite);
}

TEST_F(CanvasTest, DrawingCallsRaiseChangingAndChange) {
  std::vector<std::string> Log;
  C->OnChanging = [&](TObject*) { Log.push_back("changing"); };
  C->OnChange = [&](TObject*) { Log.push_back("change"); };
  C->FillRect(Rect(0, 0, 2, 2));
  C->MoveTo(0, 0);
  C->LineTo(3, 3);
  EXPECT_EQ(Log, (std::vector<std::string>{"changing", "change", "changing", "change"}));
}

// The handle carries the canvas's brush as the background colour, but a colour set on the
// handle directly stays until the brush itself changes.
TEST_F(CanvasTest, HandleTakesTheBrushOnlyWhenItChanged) {
  TMemoryDc Mono(1, 1, true); // a white monochrome pixel: drawn in the background colour
  Mono.Set(0, 0, clWhite);
  C->GetBrush()->Color = clYellow;
  EXPECT_EQ(SetBkColor(C->GetHandle(), clRed), clYellow);
  BitBlt(C->GetHandle(), 0, 0, 1, 1, Mono.Dc, 0, 0, SRCCOPY);
  EXPECT_EQ(Picture.At(0, 0), clRed);
  C->GetBrush()->Color = clLime;
  BitBlt(C->GetHandle(), 1, 0, 1, 1, Mono.Dc, 0, 0, SRCCOPY);
  EXPECT_EQ(Picture.At(1, 0), clLime);
}

TEST_F(CanvasTest, CanvasWithoutHandleIgnoresDrawing) {
  TCanvas Loose;
  Loose.FillRect(Rect(0, 0, 10, 10));
  Loose.MoveTo(1, 1);
  Loose.LineTo(5, 5);
  EXPECT_EQ(Loose.GetHandle(), nullptr);
  EXPECT_EQ(Loose.GetPixel(1, 1), -1);
  EXPECT_GT(Loose.TextWidth("0"), 0); // measuring needs only the font
}

} // namespace
