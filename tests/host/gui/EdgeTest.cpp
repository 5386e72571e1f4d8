// DrawEdge (colours of each side, the soft and mono variants, BF_ADJUST) and DrawFocusRect
// (the dotted pattern, and drawing twice to erase).
#include "GraphicsTestSupport.h"

namespace {
using guitest::TPicture;

constexpr TColor Field = RGB(1, 2, 3);
constexpr TColor Highlight = RGB(255, 255, 255);
constexpr TColor Shadow = RGB(128, 128, 128);
constexpr TColor DkShadow = RGB(64, 64, 64);
constexpr TColor Light = RGB(212, 208, 200);
constexpr TColor Frame = RGB(0, 0, 0);

class EdgeTest : public ::testing::Test {
protected:
  TPicture Picture{20, 20, Field};
  const TRect Box = Rect(2, 2, 12, 10);

  TRect Edge(TRect R, unsigned EdgeKind, unsigned Flags) {
    DrawEdge(Picture.Dc(), &R, EdgeKind, Flags);
    return R;
  }
  // The one-pixel lines just inside R; bottom and right own the corners they share with top
  // and left.
  void ExpectSides(TRect R, TColor Left, TColor Top, TColor Right, TColor Bottom) {
    for (int Y = R.Top; Y < R.Bottom - 1; ++Y)
      EXPECT_EQ(Picture.At(R.Left, Y), Left) << "left, y " << Y;
    for (int X = R.Left; X < R.Right - 1; ++X)
      EXPECT_EQ(Picture.At(X, R.Top), Top) << "top, x " << X;
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      EXPECT_EQ(Picture.At(R.Right - 1, Y), Right) << "right, y " << Y;
    for (int X = R.Left; X < R.Right; ++X)
      EXPECT_EQ(Picture.At(X, R.Bottom - 1), Bottom) << "bottom, x " << X;
  }
  // Nothing drawn outside R nor inside its one-pixel ring (inset by Depth rings).
  void ExpectUntouchedAround(TRect R, int Depth = 1) {
    int Inside = 0;
    for (int Y = 0; Y < 20; ++Y)
      for (int X = 0; X < 20; ++X) {
        const bool InRing = X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom &&
                            !(X >= R.Left + Depth && X < R.Right - Depth && Y >= R.Top + Depth &&
                              Y < R.Bottom - Depth);
        if (!InRing) Inside += Picture.At(X, Y) == Field ? 0 : 1;
      }
    EXPECT_EQ(Inside, 0) << "pixels changed off the edge";
  }
};

TEST_F(EdgeTest, RaisedInnerIsLightAboveAndDarkBelow) {
  EXPECT_EQ(Edge(Box, BDR_RAISEDINNER, BF_RECT), Box);
  ExpectSides(Box, Highlight, Highlight, Shadow, Shadow);
  ExpectUntouchedAround(Box);
}

TEST_F(EdgeTest, SunkenInnerIsTheReverse) {
  Edge(Box, BDR_SUNKENINNER, BF_RECT);
  ExpectSides(Box, Shadow, Shadow, Highlight, Highlight);
  ExpectUntouchedAround(Box);
}

TEST_F(EdgeTest, OuterEdgesUseTheStrongerPair) {
  Edge(Box, BDR_RAISEDOUTER, BF_RECT);
  ExpectSides(Box, Light, Light, DkShadow, DkShadow);
  Edge(Box, BDR_SUNKENOUTER, BF_RECT);
  ExpectSides(Box, DkShadow, DkShadow, Light, Light);
}

TEST_F(EdgeTest, OuterAndInnerMakeTwoRings) {
  EXPECT_EQ(Edge(Box, BDR_RAISEDOUTER | BDR_RAISEDINNER, BF_RECT | BF_ADJUST), Rect(4, 4, 10, 8));
  ExpectSides(Box, Light, Light, DkShadow, DkShadow);
  ExpectSides(Rect(3, 3, 11, 9), Highlight, Highlight, Shadow, Shadow);
  ExpectUntouchedAround(Box, 2);
}

TEST_F(EdgeTest, OnlyTheNamedSidesAreDrawnAndAdjusted) {
  EXPECT_EQ(Edge(Box, BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST), Rect(2, 2, 11, 9));
  EXPECT_EQ(Picture.At(2, 5), Field);
  EXPECT_EQ(Picture.At(5, 2), Field);
  EXPECT_EQ(Picture.At(11, 2), Shadow);
  EXPECT_EQ(Picture.At(2, 9), Shadow);
  EXPECT_EQ(Edge(Box, BDR_RAISEDINNER, BF_TOPLEFT | BF_ADJUST), Rect(3, 3, 12, 10));
  EXPECT_EQ(Picture.At(2, 9), Highlight) << "top-left lines run the full height when drawn alone";
}

TEST_F(EdgeTest, MonoDrawsEverySideInTheFrameColour) {
  Edge(Box, BDR_RAISEDINNER, BF_RECT | BF_MONO);
  ExpectSides(Box, Frame, Frame, Frame, Frame);
}

TEST_F(EdgeTest, SoftTakesTheOtherEdgesTopLeftColour) {
  Edge(Box, BDR_SUNKENINNER, BF_RECT | BF_SOFT);
  ExpectSides(Box, DkShadow, DkShadow, Highlight, Highlight);
  Edge(Box, BDR_RAISEDINNER, BF_RECT | BF_SOFT);
  ExpectSides(Box, Light, Light, Shadow, Shadow);
}

// A pressed fixed cell of the grid: a black line at the bottom and right, a dark one inside
// it at the top and left.
TEST_F(EdgeTest, PressedButtonSequence) {
  TRect R = Box;
  DrawEdge(Picture.Dc(), &R, BDR_SUNKENINNER, BF_BOTTOMRIGHT | BF_MONO | BF_ADJUST);
  DrawEdge(Picture.Dc(), &R, BDR_SUNKENINNER, BF_TOPLEFT | BF_SOFT | BF_ADJUST);
  EXPECT_EQ(R, Rect(3, 3, 11, 9));
  EXPECT_EQ(Picture.At(11, 5), Frame);
  EXPECT_EQ(Picture.At(5, 9), Frame);
  EXPECT_EQ(Picture.At(2, 5), DkShadow);
  EXPECT_EQ(Picture.At(5, 2), DkShadow);
  EXPECT_EQ(Picture.At(3, 3), Field);
}

TEST_F(EdgeTest, NoEdgeDrawsAndAdjustsNothing) {
  EXPECT_EQ(Edge(Box, 0, BF_RECT | BF_ADJUST), Box);
  EXPECT_EQ(Picture.Count(Field), 400);
}

// ---------------------------------------------------------------- focus rectangle

class FocusRectTest : public ::testing::Test {
protected:
  TPicture Picture{20, 20};
  void Focus(TRect R) { DrawFocusRect(Picture.Dc(), &R); }
};

TEST_F(FocusRectTest, InvertsEveryOtherOutlinePixelFromTheTopLeft) {
  const TRect R = Rect(2, 3, 9, 8);
  Focus(R);
  int Black = 0;
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 0; X < 20; ++X) {
      const bool Outline = X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom &&
                           (X == R.Left || X == R.Right - 1 || Y == R.Top || Y == R.Bottom - 1);
      const bool On = Outline && (X - R.Left + Y - R.Top) % 2 == 0;
      EXPECT_EQ(Picture.At(X, Y), On ? clBlack : clWhite) << X << "," << Y;
      Black += On ? 1 : 0;
    }
  EXPECT_EQ(Picture.Count(clBlack), Black);
  EXPECT_EQ(Black, 10); // half the 7 x 5 outline of 20 pixels, the four corners among them
}

TEST_F(FocusRectTest, InversionIsOfTheColourUnderneath) {
  Picture.Canvas()->SetPixel(4, 4, RGB(0x12, 0x34, 0x56));
  Focus(Rect(4, 4, 8, 8));
  EXPECT_EQ(Picture.At(4, 4), RGB(0xED, 0xCB, 0xA9));
}

TEST_F(FocusRectTest, DrawingTwiceRestoresEvenForThinRectangles) {
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 0; X < 20; ++X)
      Picture.Canvas()->SetPixel(X, Y, RGB(X * 12, Y * 12, 77));
  const auto Before = Picture.Pixels();
  for (const TRect& R : {Rect(2, 3, 9, 8), Rect(2, 3, 9, 4), Rect(5, 1, 6, 12), Rect(7, 7, 8, 8),
                         Rect(0, 0, 20, 20)}) {
    Focus(R);
    EXPECT_NE(Picture.Pixels(), Before);
    Focus(R);
    EXPECT_EQ(Picture.Pixels(), Before)
        << R.Left << "," << R.Top << "," << R.Right << "," << R.Bottom;
  }
}

TEST_F(FocusRectTest, OneRowRectangleInvertsEachPixelOnce) {
  Focus(Rect(2, 3, 9, 4));
  EXPECT_EQ(Picture.Count(clBlack), 4); // columns 2, 4, 6, 8
  EXPECT_EQ(Picture.At(8, 3), clBlack);
}

TEST_F(FocusRectTest, ExchangedLeftAndRightGiveTheSameOutline) {
  Focus(Rect(2, 3, 9, 8));
  const auto Ordered = Picture.Pixels();
  Focus(Rect(2, 3, 9, 8));
  Focus(Rect(9, 3, 2, 8));
  EXPECT_EQ(Picture.Pixels(), Ordered);
}

} // namespace
