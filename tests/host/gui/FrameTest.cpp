// The window's frame from CreateParams: borders take 1 (WS_BORDER) or 2 (WS_EX_CLIENTEDGE)
// pixels a side from the client area and are drawn around it; scroll bar styles give bars;
// RecreateWnd applies changed parameters.
#include "GuiTestSupport.h"

class FrameTest : public GuiTest {
protected:
  // A 100 x 60 probe with the given styles, painted red.
  static void Make(TProbe& P, unsigned Style, unsigned ExStyle) {
    P.AddStyle = Style;
    P.AddExStyle = ExStyle;
    P.OnPaint = FillWith(clRed);
    P.HandleNeeded();
    P.Update();
  }
};

TEST_F(FrameTest, BordersShrinkTheClientAreaOnEachSide) {
  struct TCase {
    unsigned Style, ExStyle;
    int Frame;
  };
  for (const TCase& C : {TCase{0, 0, 0}, TCase{WS_BORDER, 0, 1}, TCase{0, WS_EX_CLIENTEDGE, 2},
                         TCase{WS_BORDER, WS_EX_CLIENTEDGE, 3}}) {
    TProbe P;
    Make(P, C.Style, C.ExStyle);
    EXPECT_EQ(P.GetClientWidth(), 100 - 2 * C.Frame) << C.Frame;
    EXPECT_EQ(P.GetClientHeight(), 60 - 2 * C.Frame) << C.Frame;
    EXPECT_EQ(P.ClientToScreen({0, 0}).X - P.GetLeft(), C.Frame);
  }
}

TEST_F(FrameTest, ASingleBorderIsOneBlackLine) {
  TProbe P;
  Make(P, WS_BORDER, 0);
  EXPECT_EQ(Testing::WindowPixel(P, 0, 0), ColorToRGB(clWindowFrame));
  EXPECT_EQ(Testing::WindowPixel(P, 99, 30), ColorToRGB(clWindowFrame));
  EXPECT_EQ(Testing::WindowPixel(P, 50, 59), ColorToRGB(clWindowFrame));
  EXPECT_EQ(Testing::WindowPixel(P, 1, 1), clRed);
  EXPECT_EQ(Testing::WindowPixel(P, 98, 58), clRed);
}

TEST_F(FrameTest, AClientEdgeIsSunken) {
  TProbe P;
  Make(P, 0, WS_EX_CLIENTEDGE);
  EXPECT_EQ(Testing::WindowPixel(P, 0, 30), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Testing::WindowPixel(P, 1, 30), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(Testing::WindowPixel(P, 99, 30), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Testing::WindowPixel(P, 98, 30), ColorToRGB(cl3DLight));
  EXPECT_EQ(Testing::WindowPixel(P, 2, 30), clRed);
}

TEST_F(FrameTest, FramedControlsGetAFrameByTheirLook) {
  TProbe P;
  P.SetStyle(P.ControlStyle + TControlStyle{csFramed});
  P.HandleNeeded();
  EXPECT_EQ(P.GetClientWidth(), 96); // 3D: a client edge
  P.SetCtl3D(false);                 // the window is made again, with a flat border
  EXPECT_EQ(P.GetClientWidth(), 98);
  EXPECT_TRUE(static_cast<unsigned>(GetWindowLong(P.GetHandle(), GWL_STYLE)) & WS_BORDER);
}

TEST_F(FrameTest, TabStopAndScrollBarStylesReachTheWindow) {
  TProbe P;
  P.SetTabStop(true);
  Make(P, WS_VSCROLL, 0);
  const auto Style = static_cast<unsigned>(GetWindowLong(P.GetHandle(), GWL_STYLE));
  EXPECT_TRUE(Style & WS_TABSTOP);
  EXPECT_TRUE(Style & WS_VSCROLL);
  EXPECT_FALSE(Style & WS_HSCROLL);
  EXPECT_EQ(P.GetClientWidth(), 100 - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(P.GetClientHeight(), 60);
}

TEST_F(FrameTest, RecreateWndAppliesChangedParameters) {
  TProbe P;
  Make(P, 0, 0);
  const HWND Old = P.GetHandle();
  P.AddStyle = WS_BORDER | WS_HSCROLL;
  EXPECT_EQ(P.GetClientWidth(), 100); // nothing changes before the window is made again
  P.Clear();
  P.RecreateWnd();
  EXPECT_NE(P.GetHandle(), Old);
  EXPECT_FALSE(IsWindow(Old));
  EXPECT_EQ(P.GetClientWidth(), 98);
  EXPECT_EQ(P.GetClientHeight(), 58 - GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(P.Count(WM_SIZE), 1); // the new window reports its size
  P.Update();
  EXPECT_EQ(Testing::WindowPixel(P, 0, 0), ColorToRGB(clWindowFrame));
  EXPECT_EQ(Testing::WindowPixel(P, 1, 1), clRed);
}

TEST_F(FrameTest, RecreateWndWithoutAWindowMakesNone) {
  TProbe P;
  P.RecreateWnd();
  EXPECT_FALSE(P.HandleAllocated());
}
