// Scrolling: ScrollWindowEx moves the surface's pixels and the pending region and invalidates
// the uncovered strip; the standard scroll bars keep their range and position, take space
// from the client area while shown, and report the user's actions as WM_HSCROLL / WM_VSCROLL.
#include "GuiTestSupport.h"

namespace {
// A colour for each column: a scrolled pixel can be traced to where it came from.
TColor ColumnColour(int X) {
  return RGB(X * 2, 255 - X, 77);
}
TColor RowColour(int Y) {
  return RGB(11, Y * 3, 200 - Y);
}
} // namespace

class ScrollWindowTest : public GuiTest {
protected:
  // 100 x 60, columns painted in their own colours.
  void SetUp() override {
    GuiTest::SetUp();
    P.ClassStyle = CS_DBLCLKS;
    P.OnPaint = [](TProbe& Self) {
      for (int X = 0; X < Self.GetClientWidth(); ++X) {
        Self.GetCanvas()->GetBrush()->Color = ColumnColour(X);
        Self.GetCanvas()->FillRect(Rect(X, 0, X + 1, Self.GetClientHeight()));
      }
    };
    P.HandleNeeded();
    P.Update();
    P.Clear();
  }
  TProbe P;
};

TEST_F(ScrollWindowTest, MovesPixelsLeftAndInvalidatesTheUncoveredStripOnly) {
  const TRect Area = Rect(20, 0, 100, 60);
  TRect Uncovered;
  const int Kind =
      ScrollWindowEx(P.GetHandle(), -15, 0, &Area, &Area, nullptr, &Uncovered, SW_INVALIDATE);
  EXPECT_EQ(Kind, SIMPLEREGION);
  EXPECT_EQ(Uncovered, Rect(85, 0, 100, 60));
  const auto Region = Testing::PendingUpdateRegion(P);
  ASSERT_EQ(Region.size(), 1u);
  EXPECT_EQ(Region[0], Rect(85, 0, 100, 60));
  // Inside the area every pixel came from 15 columns further right; outside nothing moved.
  for (int X = 0; X < 85; ++X)
    EXPECT_EQ(Testing::SurfacePixel(P, X, 30), ColumnColour(X < 20 ? X : X + 15)) << X;
  EXPECT_EQ(P.Paints, 0);
}

class ScrollRowsTest : public ScrollWindowTest {
protected:
  void SetUp() override {
    ScrollWindowTest::SetUp();
    P.OnPaint = [](TProbe& Self) {
      for (int Y = 0; Y < Self.GetClientHeight(); ++Y) {
        Self.GetCanvas()->GetBrush()->Color = RowColour(Y);
        Self.GetCanvas()->FillRect(Rect(0, Y, Self.GetClientWidth(), Y + 1));
      }
    };
    P.Repaint();
  }
};

TEST_F(ScrollRowsTest, MovesPixelsDownWithinTheClipOnly) {
  const TRect Area = Rect(0, 10, 50, 60);
  ScrollWindowEx(P.GetHandle(), 0, 7, &Area, &Area, nullptr, nullptr, SW_INVALIDATE);
  EXPECT_EQ(Testing::SurfacePixel(P, 10, 20), RowColour(13));
  EXPECT_EQ(Testing::SurfacePixel(P, 10, 59), RowColour(52));
  EXPECT_EQ(Testing::SurfacePixel(P, 70, 20), RowColour(20)); // outside the clip
  const auto Region = Testing::PendingUpdateRegion(P);
  ASSERT_EQ(Region.size(), 1u);
  EXPECT_EQ(Region[0], Rect(0, 10, 50, 17));
}

// Pixels from outside the clip but inside the scrolled area move in: nothing is uncovered.
TEST_F(ScrollRowsTest, PixelsFromOutsideTheClipMoveIn) {
  const TRect Clip = Rect(0, 10, 50, 60);
  const int Kind =
      ScrollWindowEx(P.GetHandle(), 0, 7, nullptr, &Clip, nullptr, nullptr, SW_INVALIDATE);
  EXPECT_EQ(Kind, NULLREGION);
  EXPECT_EQ(Testing::SurfacePixel(P, 10, 10), RowColour(3));
  EXPECT_EQ(Testing::SurfacePixel(P, 10, 5), RowColour(5));
  EXPECT_TRUE(Testing::PendingUpdateRegion(P).empty());
}

TEST_F(ScrollWindowTest, ThePendingRegionMovesWithThePixels) {
  const TRect Before = Rect(50, 10, 60, 20);
  InvalidateRect(P.GetHandle(), &Before, false);
  ScrollWindowEx(P.GetHandle(), -30, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  const auto Region = Testing::PendingUpdateRegion(P);
  EXPECT_EQ(AreaOf(Region), 10 * 10 + 30 * 60);
  EXPECT_TRUE(Covers(Region, 20, 10));
  EXPECT_FALSE(Covers(Region, 50, 10));
  EXPECT_TRUE(Covers(Region, 70, 0));
}

TEST_F(ScrollWindowTest, SurfacePixelsAreTheSurfaceRowByRow) {
  const std::vector<TColor> Pixels = Testing::SurfacePixels(P);
  ASSERT_EQ(Pixels.size(), 100u * 60u);
  for (int X : {0, 37, 99})
    for (int Y : {0, 59})
      EXPECT_EQ(Pixels[static_cast<size_t>(Y * 100 + X)], ColumnColour(X)) << X << "," << Y;
}

TEST_F(ScrollWindowTest, WithoutInvalidateTheStripIsLeftAsItWas) {
  const int Kind = ScrollWindowEx(P.GetHandle(), 10, 0, nullptr, nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(Kind, SIMPLEREGION);
  EXPECT_TRUE(Testing::PendingUpdateRegion(P).empty());
  EXPECT_EQ(Testing::SurfacePixel(P, 15, 5), ColumnColour(5));
}

TEST_F(ScrollWindowTest, ADistanceBeyondTheAreaUncoversAllOfIt) {
  const TRect Area = Rect(10, 10, 40, 40);
  TRect Uncovered;
  ScrollWindowEx(P.GetHandle(), 0, -100, &Area, &Area, nullptr, &Uncovered, SW_INVALIDATE);
  EXPECT_EQ(Uncovered, Area);
  EXPECT_EQ(AreaOf(Testing::PendingUpdateRegion(P)), 30 * 30);
}

TEST_F(ScrollWindowTest, ScrollingThenUpdatingRepaintsOnlyTheStrip) {
  int Painted = 0;
  P.OnPaint = [&](TProbe& Self) {
    for (int X = 0; X < Self.GetClientWidth(); ++X) {
      const TRect Column = Rect(X, 0, X + 1, Self.GetClientHeight());
      if (RectVisible(Self.GetCanvas()->GetHandle(), &Column)) ++Painted;
    }
  };
  ScrollWindowEx(P.GetHandle(), -4, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  P.Update();
  EXPECT_EQ(Painted, 4);
}

// What the window system shows follows the surface through scrolls of every kind: moved in
// place where Qt can move it, sent again where it cannot.
class ShownScrollTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 300, 200);
    P = new TProbe(Form.get());
    P->SetParent(Form.get());
    P->SetBounds(10, 20, 160, 120);
    P->OnPaint = [](TProbe& Self) {
      for (int Y = 0; Y < Self.GetClientHeight(); ++Y)
        for (int X = 0; X < Self.GetClientWidth(); X += 8) {
          Self.GetCanvas()->GetBrush()->Color = RGB(X, Y * 2, (X + Y) % 256);
          Self.GetCanvas()->FillRect(Rect(X, Y, X + 8, Y + 1));
        }
    };
    Form->Show();
    Settle();
  }
  void Settle() {
    P->Update();
    Testing::ProcessEvents();
  }
  void ExpectShownIsSurface(const char* What) {
    const std::vector<TColor> Shown = Testing::ShownPixels(*P);
    ASSERT_EQ(Shown.size(), 160u * 120u) << What;
    EXPECT_TRUE(Shown == Testing::SurfacePixels(*P)) << What;
  }
  std::unique_ptr<TForm> Form;
  TProbe* P = nullptr;
};

TEST_F(ShownScrollTest, TheWindowShowsTheSurfaceAfterEveryKindOfScroll) {
  ExpectShownIsSurface("after showing");
  const TColor Before = Testing::ShownPixels(*P)[5 * 160 + 40];
  const TRect Lower = Rect(0, 30, 100, 120);
  ScrollWindowEx(P->GetHandle(), 0, -7, &Lower, &Lower, nullptr, nullptr, SW_INVALIDATE);
  Settle();
  ExpectShownIsSurface("rows up within an area");
  ScrollWindowEx(P->GetHandle(), 13, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  Settle();
  ExpectShownIsSurface("the whole window right");
  EXPECT_NE(Testing::ShownPixels(*P)[5 * 160 + 40], Before); // the shown pixels did move
  // A pending paint moves with the pixels it belongs to.
  const TRect Pending = Rect(40, 40, 60, 60);
  InvalidateRect(P->GetHandle(), &Pending, false);
  ScrollWindowEx(P->GetHandle(), -5, 9, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  Settle();
  ExpectShownIsSurface("diagonally over a pending paint");
  // A clip that cuts the destination: Qt cannot describe this move.
  const TRect Scroll = Rect(0, 0, 160, 120), Clip = Rect(20, 20, 90, 100);
  ScrollWindowEx(P->GetHandle(), 0, 11, &Scroll, &Clip, nullptr, nullptr, SW_INVALIDATE);
  Settle();
  ExpectShownIsSurface("within a clip");
  // Drawn straight onto the surface, then scrolled before anything was shown.
  P->GetCanvas()->GetBrush()->Color = RGB(1, 2, 3);
  P->GetCanvas()->FillRect(Rect(70, 70, 90, 75));
  ScrollWindowEx(P->GetHandle(), 0, -20, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  Settle();
  ExpectShownIsSurface("drawn outside a paint");
}

// ---------------------------------------------------------------- scroll bars

class ScrollBarTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    P.AddStyle = WS_VSCROLL | WS_HSCROLL;
    P.SetBounds(0, 0, 200, 120);
    P.HandleNeeded();
    P.Clear();
  }
  TProbe P;
};

TEST_F(ScrollBarTest, StyledBarsStartShownWithTheDefaultRange) {
  const int Extent = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_GT(Extent, 0);
  EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), Extent);
  EXPECT_EQ(P.GetClientWidth(), 200 - Extent);
  EXPECT_EQ(P.GetClientHeight(), 120 - Extent);
  int Min = -1, Max = -1;
  ASSERT_TRUE(GetScrollRange(P.GetHandle(), SB_VERT, &Min, &Max));
  EXPECT_EQ(Min, 0);
  EXPECT_EQ(Max, 100);
  EXPECT_TRUE(Testing::ScrollBarVisible(P, SB_VERT));
  EXPECT_TRUE(Testing::ScrollBarVisible(P, SB_HORZ));
  const auto Style = static_cast<unsigned>(GetWindowLong(P.GetHandle(), GWL_STYLE));
  EXPECT_TRUE(Style & WS_VSCROLL);
  EXPECT_TRUE(Style & WS_HSCROLL);
}

TEST_F(ScrollBarTest, RangeAndPositionRoundTrip) {
  EXPECT_TRUE(SetScrollRange(P.GetHandle(), SB_VERT, 0, 127, true));
  int Min = -1, Max = -1;
  GetScrollRange(P.GetHandle(), SB_VERT, &Min, &Max);
  EXPECT_EQ(Min, 0);
  EXPECT_EQ(Max, 127);
  EXPECT_EQ(SetScrollPos(P.GetHandle(), SB_VERT, 40, true), 0);
  EXPECT_EQ(GetScrollPos(P.GetHandle(), SB_VERT), 40);
  EXPECT_EQ(Testing::ScrollBarShownPos(P, SB_VERT), 40);
  EXPECT_EQ(SetScrollPos(P.GetHandle(), SB_VERT, 500, true), 40);
  EXPECT_EQ(GetScrollPos(P.GetHandle(), SB_VERT), 127); // kept in range
  EXPECT_EQ(GetScrollPos(P.GetHandle(), SB_HORZ), 0);   // the other bar is apart
  SetScrollRange(P.GetHandle(), SB_VERT, 0, 20, true);
  EXPECT_EQ(GetScrollPos(P.GetHandle(), SB_VERT), 20);
}

TEST_F(ScrollBarTest, AnEmptyRangeHidesTheBarAndGivesItsSpaceBack) {
  const int Extent = GetSystemMetrics(SM_CXVSCROLL);
  SetScrollRange(P.GetHandle(), SB_VERT, 0, 0, true);
  EXPECT_FALSE(Testing::ScrollBarVisible(P, SB_VERT));
  EXPECT_EQ(P.GetClientWidth(), 200);
  EXPECT_FALSE(static_cast<unsigned>(GetWindowLong(P.GetHandle(), GWL_STYLE)) & WS_VSCROLL);
  const auto Sizes = P.Of(WM_SIZE);
  ASSERT_EQ(Sizes.size(), 1u);
  EXPECT_EQ(TWMSize(Sizes[0]).Width, 200);
  // The strip the bar gave back is invalid.
  EXPECT_TRUE(Covers(Testing::PendingUpdateRegion(P), 200 - Extent, 0));
  SetScrollRange(P.GetHandle(), SB_VERT, 0, 5, true);
  EXPECT_TRUE(Testing::ScrollBarVisible(P, SB_VERT));
  EXPECT_EQ(P.GetClientWidth(), 200 - Extent);
}

TEST_F(ScrollBarTest, AWindowWithoutBarStylesGetsABarFromARange) {
  TProbe Q;
  Q.SetBounds(0, 0, 200, 120);
  Q.HandleNeeded();
  EXPECT_EQ(Q.GetClientWidth(), 200);
  int Min = -1, Max = -1;
  GetScrollRange(Q.GetHandle(), SB_HORZ, &Min, &Max);
  EXPECT_EQ(Min, Max);
  SetScrollRange(Q.GetHandle(), SB_HORZ, 0, 10, true);
  EXPECT_EQ(Q.GetClientHeight(), 120 - GetSystemMetrics(SM_CYHSCROLL));
}

// Each action of the bar arrives with its code; the bar itself does not move.
TEST_F(ScrollBarTest, UserActionsArriveAsScrollMessages) {
  SetScrollRange(P.GetHandle(), SB_VERT, 0, 127, true);
  SetScrollPos(P.GetHandle(), SB_VERT, 50, true);
  for (int Code : {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_TOP, SB_BOTTOM}) {
    P.Clear();
    Testing::ScrollBarAction(P, SB_VERT, Code);
    const auto Scrolls = P.Of(WM_VSCROLL);
    ASSERT_EQ(Scrolls.size(), 1u) << Code;
    EXPECT_EQ(TWMScroll(Scrolls[0]).ScrollCode, static_cast<unsigned>(Code));
    EXPECT_EQ(P.Count(WM_HSCROLL), 0);
    EXPECT_EQ(GetScrollPos(P.GetHandle(), SB_VERT), 50);
    EXPECT_EQ(Testing::ScrollBarShownPos(P, SB_VERT), 50) << Code;
  }
}

// The control answers by setting the position; the bar shows it.
TEST_F(ScrollBarTest, TheBarShowsThePositionTheControlSets) {
  SetScrollRange(P.GetHandle(), SB_HORZ, 0, 127, true);
  P.OnMessage = [this](TMessage& M) {
    if (M.Msg != WM_HSCROLL || TWMScroll(M).ScrollCode != SB_LINEDOWN) return;
    SetScrollPos(P.GetHandle(), SB_HORZ, GetScrollPos(P.GetHandle(), SB_HORZ) + 7, true);
    M.Result = 1;
  };
  Testing::ScrollBarAction(P, SB_HORZ, SB_LINEDOWN);
  Testing::ScrollBarAction(P, SB_HORZ, SB_LINEDOWN);
  EXPECT_EQ(GetScrollPos(P.GetHandle(), SB_HORZ), 14);
  EXPECT_EQ(Testing::ScrollBarShownPos(P, SB_HORZ), 14);
  EXPECT_EQ(P.Count(WM_HSCROLL), 2);
}

// Away from the pointer a bar shows a kept picture while its thumb stays on the same pixels;
// that picture is exactly what Qt draws for the bar.
TEST_F(ScrollBarTest, TheKeptPictureOfABarIsWhatQtDraws) {
  SetScrollRange(P.GetHandle(), SB_VERT, 0, 100000, true);
  std::vector<TColor> AtTop;
  for (int Pos : {0, 1, 50000, 99999}) {
    SetScrollPos(P.GetHandle(), SB_VERT, Pos, true);
    const std::vector<TColor> Kept = Testing::WindowPixels(P);
    Testing::HoverScrollBar(P, SB_VERT, true); // under the pointer Qt draws the bar itself
    const std::vector<TColor> Drawn = Testing::WindowPixels(P);
    Testing::HoverScrollBar(P, SB_VERT, false);
    ASSERT_FALSE(Kept.empty());
    EXPECT_TRUE(Kept == Drawn) << Pos;
    if (Pos == 0) AtTop = Kept;
    if (Pos == 1) {
      EXPECT_TRUE(Kept == AtTop); // the thumb did not move
    }
    if (Pos == 50000) {
      EXPECT_FALSE(Kept == AtTop); // it did
    }
  }
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksThenSetsThePosition) {
  SetScrollRange(P.GetHandle(), SB_VERT, 0, 127, true);
  Testing::DragScrollThumb(P, SB_VERT, 90);
  std::vector<std::pair<unsigned, unsigned>> Got;
  for (const TMessage& M : P.Of(WM_VSCROLL))
    Got.push_back({TWMScroll(M).ScrollCode, TWMScroll(M).Pos});
  const std::vector<std::pair<unsigned, unsigned>> Expected = {
      {SB_THUMBTRACK, 90}, {SB_THUMBPOSITION, 90}, {SB_ENDSCROLL, 0}};
  EXPECT_EQ(Got, Expected);
  EXPECT_EQ(GetScrollPos(P.GetHandle(), SB_VERT), 0); // the control did not set it
  EXPECT_EQ(Testing::ScrollBarShownPos(P, SB_VERT), 0);
}

// The mouse on the bar's parts: each press is one action, and the release ends it.
TEST_F(ScrollBarTest, ClickingTheArrowsAndTheTrackWithTheMouseSendsTheirCodes) {
  SetScrollRange(P.GetHandle(), SB_VERT, 0, 127, true);
  SetScrollPos(P.GetHandle(), SB_VERT, 60, true);
  const std::pair<Testing::TScrollBarPart, int> Parts[] = {
      {Testing::TScrollBarPart::LineUp, SB_LINEUP},
      {Testing::TScrollBarPart::LineDown, SB_LINEDOWN},
      {Testing::TScrollBarPart::PageUp, SB_PAGEUP},
      {Testing::TScrollBarPart::PageDown, SB_PAGEDOWN}};
  for (const auto& [Part, Code] : Parts) {
    P.Clear();
    const TRect R = Testing::ScrollBarPartRect(P, SB_VERT, Part);
    ASSERT_GT(R.Width(), 0) << Code;
    const TPoint C{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    Testing::WindowMouseDown(P, C.X, C.Y);
    Testing::WindowMouseUp(P, C.X, C.Y);
    std::vector<unsigned> Got;
    for (const TMessage& M : P.Of(WM_VSCROLL))
      Got.push_back(TWMScroll(M).ScrollCode);
    EXPECT_EQ(Got, (std::vector<unsigned>{static_cast<unsigned>(Code), SB_ENDSCROLL})) << Code;
    EXPECT_EQ(P.Count(WM_LBUTTONDOWN), 0); // the bar took the press, not the client area
  }
}

TEST_F(ScrollBarTest, DraggingTheThumbWithTheMouseTracksAndReleases) {
  SetScrollRange(P.GetHandle(), SB_HORZ, 0, 127, true);
  const TRect Thumb = Testing::ScrollBarPartRect(P, SB_HORZ, Testing::TScrollBarPart::Thumb);
  const TRect Track = Testing::ScrollBarPartRect(P, SB_HORZ, Testing::TScrollBarPart::PageDown);
  const int Y = (Thumb.Top + Thumb.Bottom) / 2;
  Testing::WindowMouseDown(P, Thumb.Left + 2, Y);
  Testing::WindowMouseMove(P, Track.Right + 50, Y); // past the end of the track
  Testing::WindowMouseUp(P, Track.Right + 50, Y);
  std::vector<std::pair<unsigned, unsigned>> Got;
  for (const TMessage& M : P.Of(WM_HSCROLL))
    Got.push_back({TWMScroll(M).ScrollCode, TWMScroll(M).Pos});
  ASSERT_GE(Got.size(), 3u);
  EXPECT_EQ(Got.front(), std::make_pair(static_cast<unsigned>(SB_THUMBTRACK), 127u));
  EXPECT_EQ(Got[Got.size() - 2], std::make_pair(static_cast<unsigned>(SB_THUMBPOSITION), 127u));
  EXPECT_EQ(Got.back().first, static_cast<unsigned>(SB_ENDSCROLL));
}

TEST_F(ScrollBarTest, HiddenBarsHaveNoParts) {
  SetScrollRange(P.GetHandle(), SB_VERT, 0, 0, true);
  EXPECT_EQ(Testing::ScrollBarPartRect(P, SB_VERT, Testing::TScrollBarPart::Thumb), TRect{});
}

TEST_F(ScrollBarTest, TheCornerBetweenTheBarsIsPaintedInTheFaceColour) {
  const int Extent = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(Testing::WindowPixel(P, 200 - Extent / 2, 120 - Extent / 2), ColorToRGB(clBtnFace));
}

TEST_F(ScrollBarTest, ALeftScrollBarMovesTheClientArea) {
  TProbe Q;
  Q.SetBiDiMode(bdRightToLeft);
  Q.AddStyle = WS_VSCROLL;
  Q.SetBounds(0, 0, 200, 120);
  Q.OnPaint = FillWith(clRed);
  Q.HandleNeeded();
  Q.Update();
  const int Extent = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_TRUE(static_cast<unsigned>(GetWindowLong(Q.GetHandle(), GWL_EXSTYLE)) &
              WS_EX_LEFTSCROLLBAR);
  TPoint Origin{0, 0};
  ClientToScreen(Q.GetHandle(), &Origin);
  TRect Window;
  GetWindowRect(Q.GetHandle(), &Window);
  EXPECT_EQ(Origin.X - Window.Left, Extent);
  EXPECT_EQ(Testing::WindowPixel(Q, Extent, 5), clRed);
  EXPECT_NE(Testing::WindowPixel(Q, Extent - 1, 5), clRed);
}
