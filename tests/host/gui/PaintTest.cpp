// The update region and painting: invalidation accumulates, Update paints exactly what is
// pending with the canvas clipped to it, resizing invalidates only what is new, erasing, and
// drawing outside painting.
#include "GuiTestSupport.h"

#include "host/gui/WinApi.h"

namespace {
bool InRect(const TRect& R, int X, int Y) {
  return PtInRect(R, {X, Y});
}
} // namespace

// A 100 x 60 window painted all blue once, with class style CS_DBLCLKS only (no repaint of
// everything on resizing); its Paint then fills red.
class PaintTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    P.ClassStyle = CS_DBLCLKS;
    P.OnPaint = FillWith(clBlue);
    P.HandleNeeded();
    P.Update();
    P.OnPaint = FillWith(clRed);
    P.Clear();
  }
  // Every client pixel is red exactly where Inside says, blue elsewhere.
  void ExpectRedExactly(const std::function<bool(int, int)>& Inside) {
    int Wrong = 0;
    for (int Y = 0; Y < P.GetClientHeight(); ++Y)
      for (int X = 0; X < P.GetClientWidth(); ++X)
        if (Testing::SurfacePixel(P, X, Y) != (Inside(X, Y) ? clRed : clBlue)) ++Wrong;
    EXPECT_EQ(Wrong, 0);
  }
  TProbe P;
};

TEST_F(PaintTest, TheFirstPaintCoversTheWholeNewWindow) {
  EXPECT_TRUE(Testing::PendingUpdateRegion(P).empty());
  ExpectRedExactly([](int, int) { return false; }); // all blue
}

TEST_F(PaintTest, InvalidateRectAccumulatesAnUpdateRegion) {
  const TRect A = Rect(10, 10, 30, 20), B = Rect(20, 15, 50, 40);
  InvalidateRect(P.GetHandle(), &A, false);
  InvalidateRect(P.GetHandle(), &B, false);
  const auto Region = Testing::PendingUpdateRegion(P);
  EXPECT_EQ(AreaOf(Region), 20 * 10 + 30 * 25 - 10 * 5);
  int Wrong = 0;
  for (int Y = 0; Y < 60; ++Y)
    for (int X = 0; X < 100; ++X)
      if (Covers(Region, X, Y) != (InRect(A, X, Y) || InRect(B, X, Y))) ++Wrong;
  EXPECT_EQ(Wrong, 0);
  EXPECT_EQ(P.Paints, 0); // nothing painted before Update
}

TEST_F(PaintTest, UpdatePaintsExactlyThePendingRegion) {
  const TRect A = Rect(10, 10, 30, 20), B = Rect(20, 15, 50, 40);
  InvalidateRect(P.GetHandle(), &A, false);
  InvalidateRect(P.GetHandle(), &B, false);
  std::vector<bool> Visible;
  P.OnPaint = [&](TProbe& Self) {
    const TRect Probes[] = {Rect(12, 12, 13, 13), Rect(45, 35, 46, 36), Rect(0, 0, 10, 10),
                            Rect(31, 10, 40, 15), Rect(0, 0, 100, 60)};
    for (const TRect& R : Probes)
      Visible.push_back(RectVisible(Self.GetCanvas()->GetHandle(), &R));
    FillWith(clRed)(Self);
  };
  P.Update();
  EXPECT_EQ(P.Paints, 1);
  EXPECT_EQ(Visible, (std::vector<bool>{true, true, false, false, true}));
  EXPECT_TRUE(Testing::PendingUpdateRegion(P).empty());
  ExpectRedExactly([&](int X, int Y) { return InRect(A, X, Y) || InRect(B, X, Y); });
}

TEST_F(PaintTest, InvalidateMeansTheWholeClientArea) {
  P.Invalidate();
  EXPECT_EQ(AreaOf(Testing::PendingUpdateRegion(P)), 100 * 60);
  P.Update();
  ExpectRedExactly([](int, int) { return true; });
}

TEST_F(PaintTest, UpdateWithNothingPendingPaintsNothing) {
  P.Update();
  UpdateWindow(P.GetHandle());
  EXPECT_EQ(P.Paints, 0);
}

TEST_F(PaintTest, ValidateRectTakesPartsOut) {
  P.Invalidate();
  const TRect Left = Rect(0, 0, 50, 60);
  ValidateRect(P.GetHandle(), &Left);
  P.Update();
  ExpectRedExactly([](int X, int) { return X >= 50; });
}

// What Paint invalidates waits for the next paint: the region was taken before painting.
TEST_F(PaintTest, InvalidationDuringPaintWaitsForTheNextPaint) {
  const TRect Later = Rect(70, 0, 80, 10);
  P.OnPaint = [&](TProbe& Self) {
    FillWith(clRed)(Self);
    if (Self.Paints == 1) InvalidateRect(Self.GetHandle(), &Later, false);
  };
  const TRect First = Rect(0, 0, 10, 10);
  InvalidateRect(P.GetHandle(), &First, false);
  P.Update();
  EXPECT_EQ(P.Paints, 1);
  const auto Region = Testing::PendingUpdateRegion(P);
  ASSERT_EQ(Region.size(), 1u);
  EXPECT_EQ(Region[0], Later);
  P.Update();
  EXPECT_EQ(P.Paints, 2);
  ExpectRedExactly([&](int X, int Y) { return InRect(First, X, Y) || InRect(Later, X, Y); });
}

TEST_F(PaintTest, EachPaintGetsAFreshContext) {
  std::vector<int> Modes;
  P.OnPaint = [&](TProbe& Self) {
    HDC Dc = Self.GetCanvas()->GetHandle();
    Modes.push_back(GetMapMode(Dc));
    SetMapMode(Dc, MM_ANISOTROPIC);
    SetWindowOrgEx(Dc, 50, 0, nullptr);
  };
  P.Repaint();
  P.Repaint();
  EXPECT_EQ(Modes, (std::vector<int>{MM_TEXT, MM_TEXT}));
  // Outside painting the canvas is back on the window's own context.
  EXPECT_EQ(GetMapMode(P.GetCanvas()->GetHandle()), MM_TEXT);
}

// ---------------------------------------------------------------- resizing

TEST_F(PaintTest, GrowingInvalidatesOnlyTheNewStrip) {
  P.SetBounds(0, 0, 130, 75);
  const auto Region = Testing::PendingUpdateRegion(P);
  EXPECT_EQ(AreaOf(Region), 130 * 75 - 100 * 60);
  EXPECT_FALSE(Covers(Region, 99, 59));
  EXPECT_TRUE(Covers(Region, 100, 0));
  EXPECT_TRUE(Covers(Region, 0, 60));
  P.Update();
  ExpectRedExactly([](int X, int Y) { return X >= 100 || Y >= 60; });
}

TEST_F(PaintTest, ShrinkingInvalidatesNothingAndKeepsThePixels) {
  P.SetBounds(0, 0, 80, 40);
  EXPECT_TRUE(Testing::PendingUpdateRegion(P).empty());
  ExpectRedExactly([](int, int) { return false; });
}

TEST_F(PaintTest, WithRedrawClassStylesAChangeOfSizeInvalidatesEverything) {
  TProbe Q;
  Q.ClassStyle = CS_HREDRAW | CS_VREDRAW;
  Q.HandleNeeded();
  Q.Update();
  Q.SetBounds(0, 0, 120, 60);
  EXPECT_EQ(AreaOf(Testing::PendingUpdateRegion(Q)), 120 * 60);
  Q.Update();
  Q.SetBounds(0, 0, 120, 50); // a smaller height still repaints all with CS_VREDRAW
  EXPECT_EQ(AreaOf(Testing::PendingUpdateRegion(Q)), 120 * 50);
}

// ---------------------------------------------------------------- erasing

TEST_F(PaintTest, ErasingFillsWithTheControlColour) {
  P.OnPaint = nullptr; // paints nothing itself
  const TRect A = Rect(10, 10, 20, 20);
  InvalidateRect(P.GetHandle(), &A, true);
  P.Update();
  EXPECT_EQ(P.Count(WM_ERASEBKGND), 1);
  EXPECT_EQ(Testing::SurfacePixel(P, 15, 15), ColorToRGB(clWindow));
  EXPECT_EQ(Testing::SurfacePixel(P, 25, 15), clBlue);
}

TEST_F(PaintTest, InvalidateErasesUnlessTheControlIsOpaque) {
  P.OnPaint = nullptr;
  P.Invalidate();
  P.Update();
  EXPECT_EQ(P.Count(WM_ERASEBKGND), 1);
  EXPECT_EQ(Testing::SurfacePixel(P, 50, 30), ColorToRGB(clWindow));

  P.OnPaint = FillWith(clBlue);
  P.Repaint();
  P.OnPaint = nullptr;
  P.Clear();
  P.SetStyle(P.ControlStyle + TControlStyle{csOpaque});
  P.Invalidate();
  P.Update();
  EXPECT_EQ(P.Count(WM_ERASEBKGND), 0);
  EXPECT_EQ(Testing::SurfacePixel(P, 50, 30), clBlue);
}

TEST_F(PaintTest, InvalidateRectWithoutEraseLeavesTheBackground) {
  P.OnPaint = nullptr;
  InvalidateRect(P.GetHandle(), nullptr, false);
  P.Update();
  EXPECT_EQ(P.Paints, 1);
  EXPECT_EQ(P.Count(WM_ERASEBKGND), 0);
  EXPECT_EQ(Testing::SurfacePixel(P, 50, 30), clBlue);
}

// ---------------------------------------------------------------- outside painting

TEST_F(PaintTest, DrawingOutsidePaintGoesStraightToTheSurface) {
  TCanvas* C = P.GetCanvas();
  C->GetBrush()->Color = clRed;
  C->FillRect(Rect(5, 5, 15, 15));
  EXPECT_EQ(P.Paints, 0);
  EXPECT_TRUE(Testing::PendingUpdateRegion(P).empty());
  ExpectRedExactly([](int X, int Y) { return InRect(Rect(5, 5, 15, 15), X, Y); });
}

TEST_F(PaintTest, TheScreenShowsTheSurface) {
  P.Invalidate();
  const TRect Half = Rect(0, 0, 50, 60);
  ValidateRect(P.GetHandle(), &Half);
  P.Update();
  EXPECT_EQ(Testing::WindowPixel(P, 10, 10), clBlue);
  EXPECT_EQ(Testing::WindowPixel(P, 60, 10), clRed);
}

TEST_F(PaintTest, SaveSurfaceWritesThePixels) {
  P.Invalidate();
  const TRect Left = Rect(0, 0, 50, 60);
  ValidateRect(P.GetHandle(), &Left);
  P.Update();
  const std::string Path = testing::TempDir() + "surface.png";
  ASSERT_TRUE(Testing::SaveSurface(P, Path));
  TBitmap Saved;
  ASSERT_TRUE(Saved.LoadFromPngFile(Path));
  EXPECT_EQ(Saved.GetWidth(), 100);
  EXPECT_EQ(Saved.GetHeight(), 60);
  EXPECT_EQ(Saved.GetCanvas()->GetPixel(10, 10), clBlue);
  EXPECT_EQ(Saved.GetCanvas()->GetPixel(60, 10), clRed);
}

TEST_F(PaintTest, AnExceptionInPaintGoesToTheApplication) {
  std::vector<std::string> Seen;
  Application->OnException = [&](TObject* Sender, const std::exception& E) {
    Seen.push_back(std::string(E.what()) + (Sender == &P ? " from the probe" : ""));
  };
  P.OnPaint = [](TProbe&) { throw Exception("cannot paint"); };
  P.Invalidate();
  EXPECT_NO_THROW(P.Update());
  Application->OnException = nullptr;
  EXPECT_EQ(Seen, (std::vector<std::string>{"cannot paint from the probe"}));
  EXPECT_TRUE(Testing::PendingUpdateRegion(P).empty());
}

// Text, fills and lines drawn in one paint land in the order they were drawn: the painter the
// paint keeps open for text never holds back pixels that a later fill or line should cover.
TEST_F(PaintTest, TextFillsAndLinesOfOnePaintStayInOrder) {
  P.OnPaint = [](TProbe& Probe) {
    TCanvas* C = Probe.GetCanvas();
    C->GetBrush()->Color = clWhite;
    C->FillRect(Rect(0, 0, 100, 60));
    C->GetFont()->SetColor(clBlack);
    C->TextOut(2, 2, "WWWWWWWW"); // black glyphs over the left half and beyond
    C->GetBrush()->Color = clRed;
    C->FillRect(Rect(0, 0, 20, 60)); // covers the first glyphs
    C->GetPen()->Color = clBlue;
    C->MoveTo(30, 0);
    C->LineTo(30, 60); // through the text
    C->GetBrush()->Style = bsClear;
    C->TextOut(2, 30, "WWW"); // again, after the fill, on the red
  };
  P.Invalidate();
  P.Update();
  int BlackLeft = 0, BlackRight = 0, BlackBelow = 0;
  for (int Y = 0; Y < 60; ++Y)
    for (int X = 0; X < 100; ++X) {
      const TColor Pixel = Testing::SurfacePixel(P, X, Y);
      if (Pixel != clBlack) continue;
      if (Y >= 30)
        ++BlackBelow;
      else if (X < 20)
        ++BlackLeft;
      else
        ++BlackRight;
    }
  EXPECT_EQ(BlackLeft, 0) << "the fill drawn after the text covers it";
  EXPECT_GT(BlackRight, 0);
  EXPECT_GT(BlackBelow, 0) << "text drawn after the fill shows on it";
  for (int Y = 0; Y < 30; ++Y) // above the second text, which is drawn after the line
    ASSERT_EQ(Testing::SurfacePixel(P, 30, Y), clBlue) << Y;
}
