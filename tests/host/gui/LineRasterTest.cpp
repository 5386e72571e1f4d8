// Pen lines are rasterized as runs cut to the drawable area: the pixels must be exactly those of
// a plain pixel-by-pixel line (Bresenham, widened by a disc), whatever the clip, and lines far
// longer or wider than the picture cost no more than the picture.
#include "GraphicsTestSupport.h"

#include <cstdlib>
#include <random>
#include <set>
#include <span>
#include <utility>

namespace {
using guitest::TPicture;
using TPixelSet = std::set<std::pair<int, int>>;

// The reference: every pixel of the line from A to B without B, dashed by Pattern (runs of
// on and off pixels), then widened by a disc of diameter Width around each pixel.
TPixelSet ReferenceLine(TPoint A, TPoint B, int Width, std::span<const int> Pattern) {
  TPixelSet Thin;
  const long long Dx = std::llabs(static_cast<long long>(B.X) - A.X);
  const long long Dy = -std::llabs(static_cast<long long>(B.Y) - A.Y);
  const int Sx = A.X < B.X ? 1 : -1, Sy = A.Y < B.Y ? 1 : -1;
  long long Error = Dx + Dy;
  std::size_t Index = 0;
  int Run = 0;
  for (TPoint P = A; !(P == B);) {
    const bool On = Pattern.empty() || Index % 2 == 0;
    if (!Pattern.empty() && ++Run == Pattern[Index]) {
      Run = 0;
      Index = (Index + 1) % Pattern.size();
    }
    if (On) Thin.insert({P.X, P.Y});
    const long long E2 = 2 * Error;
    if (E2 >= Dy) {
      Error += Dy;
      P.X += Sx;
    }
    if (E2 <= Dx) {
      Error += Dx;
      P.Y += Sy;
    }
  }
  if (Width <= 1) return Thin;
  TPixelSet Wide;
  const int First = -(Width / 2), Last = Width - 1 - Width / 2, Shift = Width % 2 == 0 ? 1 : 0;
  for (const auto& [X, Y] : Thin)
    for (int Oy = First; Oy <= Last; ++Oy)
      for (int Ox = First; Ox <= Last; ++Ox) {
        const int X2 = 2 * Ox + Shift, Y2 = 2 * Oy + Shift;
        if (X2 * X2 + Y2 * Y2 <= Width * Width) Wide.insert({X + Ox, Y + Oy});
      }
  return Wide;
}

constexpr int Dot[] = {1, 1};
constexpr int Dash[] = {6, 2};
constexpr int DashDot[] = {6, 2, 1, 2};

class LineRasterTest : public testing::Test {
protected:
  static constexpr int W = 40, H = 30;
  TPicture Picture{W, H, clBlack};

  // Draws the line with an XOR white pen and answers the pixels it inverted.
  TPixelSet Drawn(TPoint A, TPoint B, int Width, TPenStyle Style) {
    Picture.Paint(clBlack);
    TPen* Pen = Picture.Canvas()->GetPen();
    Pen->Color = clWhite;
    Pen->Mode = pmXor;
    Pen->Width = Width;
    Pen->Style = Style;
    Picture.Canvas()->MoveTo(A.X, A.Y);
    Picture.Canvas()->LineTo(B.X, B.Y);
    TPixelSet Result;
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X)
        if (Picture.At(X, Y) == clWhite) Result.insert({X, Y});
    return Result;
  }
  // The reference pixels that fall inside Area.
  static TPixelSet Inside(const TPixelSet& Pixels, const TRect& Area) {
    TPixelSet Result;
    for (const auto& P : Pixels)
      if (P.first >= Area.Left && P.first < Area.Right && P.second >= Area.Top &&
          P.second < Area.Bottom)
        Result.insert(P);
    return Result;
  }
};

std::span<const int> PatternOf(TPenStyle Style) {
  if (Style == psDot) return Dot;
  if (Style == psDash) return Dash;
  if (Style == psDashDot) return DashDot;
  return {};
}
} // namespace

TEST_F(LineRasterTest, RandomLinesMatchThePixelByPixelLine) {
  std::mt19937 Random(20261209);
  std::uniform_int_distribution<int> Coordinate(-25, 65);
  std::uniform_int_distribution<int> WidthOf(1, 6);
  const TPenStyle Styles[] = {psSolid, psDot, psDash, psDashDot};
  for (int I = 0; I < 400; ++I) {
    const TPoint A{Coordinate(Random), Coordinate(Random)};
    TPoint B{Coordinate(Random), Coordinate(Random)};
    if (I % 3 == 0) B.Y = A.Y; // axis-parallel lines take their own path
    if (I % 3 == 1) B.X = A.X;
    const int Width = WidthOf(Random);
    const TPenStyle Style = Styles[static_cast<std::size_t>(I) % 4];
    const auto Pattern = Width == 1 ? PatternOf(Style) : std::span<const int>();
    ASSERT_EQ(Drawn(A, B, Width, Style), Inside(ReferenceLine(A, B, Width, Pattern), {0, 0, W, H}))
        << "line " << I << " from (" << A.X << ", " << A.Y << ") to (" << B.X << ", " << B.Y
        << "), width " << Width << ", style " << Style;
  }
}

TEST_F(LineRasterTest, ClipRegionCutsTheLineExactly) {
  HDC Dc = Picture.Dc();
  ExcludeClipRect(Dc, 10, 5, 20, 25); // a clip of several rectangles
  std::mt19937 Random(7);
  std::uniform_int_distribution<int> Coordinate(-10, 50);
  for (int I = 0; I < 100; ++I) {
    const TPoint A{Coordinate(Random), Coordinate(Random)};
    const TPoint B =
        I % 2 ? TPoint{Coordinate(Random), A.Y} : TPoint{Coordinate(Random), Coordinate(Random)};
    const int Width = 1 + I % 4;
    TPixelSet Expected = Inside(ReferenceLine(A, B, Width, {}), {0, 0, W, H});
    std::erase_if(Expected, [](const auto& P) {
      return P.first >= 10 && P.first < 20 && P.second >= 5 && P.second < 25;
    });
    ASSERT_EQ(Drawn(A, B, Width, psSolid), Expected) << "line " << I;
  }
}

TEST_F(LineRasterTest, DashesKeepTheirPhaseWhenTheLineStartsFarOutside) {
  const TPoint A{5, -100003}, B{5, 25};
  EXPECT_EQ(Drawn(A, B, 1, psDashDot),
            Inside(ReferenceLine(A, B, 1, PatternOf(psDashDot)), {0, 0, W, H}));
  const TPoint C{100001, 12}, D{-3, 12}; // drawn backwards, from the right
  EXPECT_EQ(Drawn(C, D, 1, psDash),
            Inside(ReferenceLine(C, D, 1, PatternOf(psDash)), {0, 0, W, H}));
}

TEST_F(LineRasterTest, HugeWidthsAndLengthsCoverThePictureAndNeverWrap) {
  // A pen far wider than the picture covers all of it from a line through the middle.
  EXPECT_EQ(Drawn({-5, 15}, {45, 15}, 100000, psSolid).size(), static_cast<std::size_t>(W * H));
  // Ends beyond 32-bit-safe coordinates are clamped, not wrapped: the whole column is drawn.
  const TPixelSet Column = Drawn({7, -2000000000}, {7, 2000000000}, 1, psSolid);
  EXPECT_EQ(Column.size(), static_cast<std::size_t>(H));
  EXPECT_TRUE(Column.contains({7, 0}) && Column.contains({7, H - 1}));
  const TPixelSet Row = Drawn({2147483647, 3}, {-2147483647, 3}, 3, psSolid);
  EXPECT_EQ(Row.size(), static_cast<std::size_t>(3 * W)); // rows 2, 3 and 4
  // A diagonal line that misses the picture draws nothing.
  EXPECT_TRUE(Drawn({-1000000, -900000}, {-60, 20}, 50, psSolid).empty());
}

TEST_F(LineRasterTest, WideXorLinesDrawnTwiceRestoreThePicture) {
  Picture.Paint(clBlack);
  TCanvas* C = Picture.Canvas();
  C->GetPen()->Color = clWhite;
  C->GetPen()->Mode = pmXor;
  for (int Width : {1, 2, 5, 100000})
    for (int Pass = 0; Pass < 2; ++Pass) {
      C->GetPen()->Width = Width;
      C->MoveTo(-7, 3);
      C->LineTo(33, 28);
      C->MoveTo(20, -1000000);
      C->LineTo(20, 1000000);
    }
  EXPECT_EQ(Picture.Count(clBlack), W * H);
}
