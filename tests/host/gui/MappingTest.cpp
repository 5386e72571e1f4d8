// Mapping modes (the right-to-left mirror in particular) and clip regions with RectVisible.
#include "GraphicsTestSupport.h"

#include "host/gui/WinUser.h"

namespace {
using guitest::TMemoryDc;
using guitest::TPicture;

// Mirrors the context horizontally over a width of W, as right-to-left painting does.
void Mirror(HDC Dc, int W, int H) {
  SetMapMode(Dc, MM_ANISOTROPIC);
  SetWindowOrgEx(Dc, W, 0, nullptr);
  SetViewportExtEx(Dc, W, H, nullptr);
  SetWindowExtEx(Dc, -W, H, nullptr);
}

void Unmirror(HDC Dc, int W, int H) {
  SetMapMode(Dc, MM_ANISOTROPIC);
  SetWindowOrgEx(Dc, 0, 0, nullptr);
  SetViewportExtEx(Dc, W, H, nullptr);
  SetWindowExtEx(Dc, W, H, nullptr);
}

class MirrorTest : public ::testing::Test {
protected:
  TPicture Picture{100, 20};
  TCanvas* C = Picture.Canvas();
  void SetUp() override { Mirror(Picture.Dc(), 100, 20); }
};

TEST_F(MirrorTest, RectangleLandsAtTheMirroredDeviceColumns) {
  C->GetBrush()->Color = clRed;
  C->FillRect(Rect(10, 5, 30, 10));
  Unmirror(Picture.Dc(), 100, 20); // read back in device coordinates
  EXPECT_EQ(Picture.At(70, 5), clRed);
  EXPECT_EQ(Picture.At(89, 9), clRed);
  EXPECT_EQ(Picture.At(69, 5), clWhite);
  EXPECT_EQ(Picture.At(90, 5), clWhite);
  EXPECT_EQ(Picture.Count(clRed), 20 * 5);
}

TEST_F(MirrorTest, LinesMapTheirEndPoints) {
  C->MoveTo(10, 2);
  C->LineTo(10, 12);
  Unmirror(Picture.Dc(), 100, 20);
  EXPECT_EQ(Picture.At(90, 2), clBlack);
  EXPECT_EQ(Picture.At(90, 11), clBlack);
  EXPECT_EQ(Picture.Count(clBlack), 10);
}

TEST_F(MirrorTest, BitmapsKeepTheirOrientation) {
  TBitmap Strip;
  Strip.SetSize(3, 1);
  Strip.GetCanvas()->SetPixel(0, 0, clRed);
  Strip.GetCanvas()->SetPixel(1, 0, clLime);
  Strip.GetCanvas()->SetPixel(2, 0, clBlue);
  C->Draw(10, 4, &Strip);
  Unmirror(Picture.Dc(), 100, 20);
  EXPECT_EQ(Picture.At(87, 4), clRed);
  EXPECT_EQ(Picture.At(88, 4), clLime);
  EXPECT_EQ(Picture.At(89, 4), clBlue);
}

TEST_F(MirrorTest, TextStaysInTheMirroredRectangle) {
  TRect R = Rect(0, 0, 50, 20);
  DrawText(C->GetHandle(), "Mirror", -1, &R, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
  Unmirror(Picture.Dc(), 100, 20);
  const TRect Ink = Picture.InkBox();
  ASSERT_FALSE(Ink.IsEmpty());
  EXPECT_GE(Ink.Left, 50);
  EXPECT_LT(Ink.Left, 53);
}

TEST_F(MirrorTest, RectVisibleUsesTheMappedRectangle) {
  IntersectClipRect(Picture.Dc(), 0, 0, 10, 20); // logical 0..9 are device 90..99
  TRect Visible = Rect(5, 0, 6, 1), Hidden = Rect(10, 0, 11, 1);
  EXPECT_TRUE(RectVisible(Picture.Dc(), &Visible));
  EXPECT_FALSE(RectVisible(Picture.Dc(), &Hidden));
  C->GetBrush()->Color = clRed;
  C->FillRect(Rect(0, 0, 100, 20));
  Unmirror(Picture.Dc(), 100, 20);
  EXPECT_EQ(Picture.At(90, 0), clRed);
  EXPECT_EQ(Picture.At(89, 0), clWhite);
}

TEST(MappingModeTest, ModesAnswerThePreviousOneAndTextModeIgnoresExtents) {
  TPicture Picture(10, 10);
  HDC Dc = Picture.Dc();
  EXPECT_EQ(GetMapMode(Dc), MM_TEXT);
  TPoint Old;
  EXPECT_TRUE(SetWindowExtEx(Dc, 5, 5, &Old));
  EXPECT_EQ(Old, (TPoint{1, 1}));
  EXPECT_EQ(SetMapMode(Dc, MM_ANISOTROPIC), MM_TEXT);
  EXPECT_TRUE(SetWindowExtEx(Dc, 5, 5, &Old));
  EXPECT_EQ(Old, (TPoint{1, 1})); // the call in MM_TEXT changed nothing
  EXPECT_FALSE(SetViewportExtEx(Dc, 0, 5, nullptr));
  EXPECT_EQ(SetMapMode(Dc, MM_TEXT), MM_ANISOTROPIC);
  EXPECT_EQ(GetMapMode(Dc), MM_TEXT);
}

TEST(MappingModeTest, ExtentsScaleAndTheOriginShifts) {
  TPicture Picture(10, 10);
  HDC Dc = Picture.Dc();
  SetMapMode(Dc, MM_ANISOTROPIC);
  SetViewportExtEx(Dc, 2, 2, nullptr);
  SetWindowExtEx(Dc, 1, 1, nullptr);
  Picture.Canvas()->GetBrush()->Color = clRed;
  Picture.Canvas()->FillRect(Rect(1, 1, 3, 2));
  SetMapMode(Dc, MM_TEXT);
  EXPECT_EQ(Picture.InkBox(), Rect(2, 2, 6, 4));
  EXPECT_EQ(Picture.Count(clRed), 8);

  SetWindowOrgEx(Dc, 2, 3, nullptr); // the origin applies in MM_TEXT as well
  Picture.Canvas()->SetPixel(2, 3, clBlue);
  SetWindowOrgEx(Dc, 0, 0, nullptr);
  EXPECT_EQ(Picture.At(0, 0), clBlue);
}

class ClipTest : public ::testing::Test {
protected:
  TPicture Picture{30, 30};
  HDC Dc = Picture.Dc();
  bool Visible(int L, int T, int R, int B) {
    const TRect Where = Rect(L, T, R, B);
    return RectVisible(Dc, &Where);
  }
};

TEST_F(ClipTest, WithoutClipTheBitmapBoundsCount) {
  EXPECT_TRUE(Visible(0, 0, 1, 1));
  EXPECT_TRUE(Visible(-5, -5, 1, 1));
  EXPECT_FALSE(Visible(30, 0, 40, 10));
  EXPECT_FALSE(Visible(5, 5, 5, 10)); // empty
}

TEST_F(ClipTest, RectVisibleAgainstAnIntersectedRegion) {
  EXPECT_EQ(IntersectClipRect(Dc, 10, 10, 20, 20), SIMPLEREGION);
  EXPECT_FALSE(Visible(0, 0, 10, 10)); // touches only at the exclusive corner
  EXPECT_TRUE(Visible(0, 0, 11, 11));
  EXPECT_TRUE(Visible(19, 19, 25, 25));
  EXPECT_FALSE(Visible(20, 20, 30, 30));
  EXPECT_FALSE(Visible(20, 0, 30, 30));
}

TEST_F(ClipTest, RectVisibleAgainstARegionWithAHole) {
  IntersectClipRect(Dc, 10, 10, 20, 20);
  EXPECT_EQ(ExcludeClipRect(Dc, 12, 12, 18, 18), COMPLEXREGION);
  EXPECT_FALSE(Visible(13, 13, 17, 17));
  EXPECT_TRUE(Visible(11, 11, 13, 13));
  EXPECT_TRUE(Visible(17, 17, 19, 19));
  EXPECT_EQ(IntersectClipRect(Dc, 13, 13, 17, 17), NULLREGION);
  EXPECT_FALSE(Visible(0, 0, 30, 30));
}

TEST_F(ClipTest, DrawingStaysInsideTheClip) {
  IntersectClipRect(Dc, 10, 10, 20, 20);
  ExcludeClipRect(Dc, 12, 12, 18, 18);
  TCanvas* C = Picture.Canvas();
  C->GetBrush()->Color = clRed;
  C->FillRect(Rect(0, 0, 30, 30));
  EXPECT_EQ(Picture.Count(clRed), 100 - 36);
  EXPECT_EQ(Picture.At(15, 15), clWhite);
  C->MoveTo(0, 11);
  C->LineTo(30, 11);
  EXPECT_EQ(Picture.At(9, 11), clWhite);
  EXPECT_EQ(Picture.At(10, 11), clBlack);
}

TEST_F(ClipTest, UnclippedTextStillStaysInsideTheClip) {
  IntersectClipRect(Dc, 0, 0, 12, 30);
  TRect Text = Rect(0, 0, 30, 30);
  Picture.Canvas()->GetBrush()->Style = bsClear;
  DrawText(Picture.Canvas()->GetHandle(), "WWWWWWW", -1, &Text, DT_NOCLIP);
  const TRect Ink = Picture.InkBox();
  EXPECT_FALSE(Ink.IsEmpty());
  EXPECT_EQ(Ink.Right, 12);
}

} // namespace
