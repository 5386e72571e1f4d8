// The lazy window: a control works without one, gets one when asked or when its form is shown,
// and loses it again without losing itself.
#include "GuiTestSupport.h"

#include "host/classes/ComponentStreams.h"
#include "host/gui/GuiClasses.h"

#include <tuple>

// ---------------------------------------------------------------- without a window

TEST(WindowlessControl, IsCompleteWithoutAWindow) {
  TProbe P;
  P.SetBounds(5, 6, 120, 80);
  EXPECT_FALSE(P.HandleAllocated());
  EXPECT_EQ(P.GetClientWidth(), 120);
  EXPECT_EQ(P.GetClientHeight(), 80);
  EXPECT_EQ(P.GetClientRect(), Rect(0, 0, 120, 80));
  // Messages are handled all the same.
  P.Perform(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, PointToLParam(7, 9));
  ASSERT_EQ(P.Log.size(), 1u);
  EXPECT_EQ(P.Log[0], "down L 7,9 SL");
  EXPECT_FALSE(P.HandleAllocated());
}

TEST(WindowlessControl, InvalidationAndUpdateDoNothing) {
  TProbe P;
  P.Invalidate();
  P.Update();
  P.Repaint();
  EXPECT_EQ(P.Paints, 0);
  EXPECT_FALSE(P.HandleAllocated());
  EXPECT_FALSE(InvalidateRect(nullptr, nullptr, false));
  EXPECT_FALSE(UpdateWindow(nullptr));
}

TEST(WindowlessControl, CanvasMeasuresTextWithoutAWindow) {
  TProbe P;
  P.GetCanvas()->GetFont()->SetName("DejaVu Sans");
  const int One = P.GetCanvas()->TextWidth("0");
  const int Five = P.GetCanvas()->TextWidth("00000");
  EXPECT_GT(One, 0);
  EXPECT_EQ(Five, 5 * One);
  EXPECT_GT(P.GetCanvas()->TextHeight("0"), 0);
  EXPECT_FALSE(P.HandleAllocated());
}

TEST(WindowlessControl, ScreenPositionAddsUpTheParents) {
  TWinControl Parent(nullptr);
  Parent.SetBounds(100, 50, 300, 200);
  TProbe Child;
  Child.SetParent(&Parent);
  Child.SetBounds(10, 20, 30, 40);
  EXPECT_EQ(Child.ClientToScreen({1, 2}), (TPoint{111, 72}));
  EXPECT_EQ(Child.ScreenToClient({111, 72}), (TPoint{1, 2}));
  Child.SetParent(nullptr);
}

// ---------------------------------------------------------------- getting a window

class WindowTest : public GuiTest {};

TEST_F(WindowTest, HandleNeededGivesAParentlessControlAHiddenTopLevelWindowOfItsSize) {
  TProbe P;
  P.SetBounds(0, 0, 140, 90);
  P.HandleNeeded();
  ASSERT_TRUE(P.HandleAllocated());
  EXPECT_TRUE(IsWindow(P.GetHandle()));
  EXPECT_EQ(GetParent(P.GetHandle()), nullptr);
  EXPECT_FALSE(IsWindowVisible(P.GetHandle()));
  EXPECT_FALSE(P.GetShowing());
  TRect R;
  ASSERT_TRUE(GetClientRect(P.GetHandle(), &R));
  EXPECT_EQ(R, Rect(0, 0, 140, 90));
  // The new window reports its size.
  const auto Sizes = P.Of(WM_SIZE);
  ASSERT_EQ(Sizes.size(), 1u);
  EXPECT_EQ(TWMSize(Sizes[0]).Width, 140);
  EXPECT_EQ(TWMSize(Sizes[0]).Height, 90);
}

TEST_F(WindowTest, GetHandleCreatesOnDemandAndKeepsTheSameWindow) {
  TProbe P;
  const HWND First = P.GetHandle();
  EXPECT_NE(First, nullptr);
  EXPECT_EQ(P.GetHandle(), First);
  EXPECT_EQ(FindControl(First), &P);
  P.DestroyHandle();
  EXPECT_EQ(FindControl(First), nullptr);
}

TEST_F(WindowTest, ChildrenGetWindowsWhenTheirFormIsShown) {
  TForm Form(nullptr);
  auto* A = new TProbe(&Form);
  A->SetParent(&Form);
  auto* B = new TProbe(&Form);
  B->SetParent(&Form);
  B->SetBounds(0, 70, 100, 30);
  EXPECT_FALSE(Form.HandleAllocated());
  EXPECT_FALSE(A->HandleAllocated());
  Form.Show();
  ASSERT_TRUE(A->HandleAllocated());
  ASSERT_TRUE(B->HandleAllocated());
  EXPECT_TRUE(A->GetShowing());
  EXPECT_TRUE(Form.GetShowing());
  EXPECT_EQ(GetParent(A->GetHandle()), Form.GetHandle());
  EXPECT_EQ(A->Count(CM_SHOWINGCHANGED), 1);
  // The child sits at its bounds in the form's client area.
  EXPECT_EQ(B->GetClientOrigin().Y - Form.GetClientOrigin().Y, 70);
}

TEST_F(WindowTest, AChildAddedToAShownFormGetsItsWindowAtOnce) {
  TForm Form(nullptr);
  Form.Show();
  auto* A = new TProbe(&Form);
  EXPECT_FALSE(A->HandleAllocated());
  A->SetParent(&Form);
  EXPECT_TRUE(A->HandleAllocated());
  EXPECT_TRUE(A->GetShowing());
}

TEST_F(WindowTest, HidingAControlOrItsFormEndsShowing) {
  TForm Form(nullptr);
  auto* A = new TProbe(&Form);
  A->SetParent(&Form);
  Form.Show();
  A->Clear();
  A->Hide();
  EXPECT_FALSE(A->GetShowing());
  EXPECT_FALSE(IsWindowVisible(A->GetHandle()));
  A->Show();
  EXPECT_TRUE(A->GetShowing());
  Form.Hide();
  EXPECT_FALSE(A->GetShowing());
  EXPECT_EQ(A->Count(CM_SHOWINGCHANGED), 3);
}

TEST_F(WindowTest, DestroyHandleLeavesAWorkingControl) {
  TProbe P;
  const HWND Old = P.GetHandle();
  P.DestroyHandle();
  EXPECT_FALSE(P.HandleAllocated());
  EXPECT_FALSE(IsWindow(Old));
  EXPECT_EQ(P.GetClientWidth(), P.GetWidth());
  EXPECT_GT(P.GetCanvas()->TextWidth("W"), 0);
  P.HandleNeeded();
  EXPECT_TRUE(IsWindow(P.GetHandle()));
}

TEST_F(WindowTest, DeletingAParentDeletesItsChildrenAndTheirWindows) {
  auto* Form = new TForm(nullptr);
  auto* Child = new TProbe(nullptr); // owned by no one: the parent deletes it
  Child->SetParent(Form);
  Form->Show();
  const HWND ChildWindow = Child->GetHandle();
  delete Form;
  EXPECT_FALSE(IsWindow(ChildWindow));
}

// The old window is still handling the press when it is replaced: it goes from the event loop.
TEST_F(WindowTest, AControlMayRecreateItsWindowWhileHandlingAMessage) {
  TProbe P;
  const HWND Old = P.GetHandle();
  P.OnMouseDown = [&P](TObject*, TMouseButton, TShiftState, int, int) {
    P.AddStyle = WS_BORDER;
    P.RecreateWnd();
  };
  Testing::MouseDownAt(P, 5, 5);
  EXPECT_NE(P.GetHandle(), Old);
  EXPECT_FALSE(IsWindow(Old));
  EXPECT_EQ(GetCapture(), nullptr); // the capture went with the old window
  EXPECT_EQ(P.GetClientWidth(), 98);
  Testing::ProcessEvents();
  P.OnMouseDown = nullptr;
  Testing::ClickAt(P, 5, 5);
  EXPECT_EQ(std::count(P.Log.begin(), P.Log.end(), "down L 5,5 L"), 2);
}

TEST_F(WindowTest, BoundsFollowTheWindowAndTheWindowFollowsTheBounds) {
  TProbe P;
  P.HandleNeeded();
  P.Clear();
  P.SetBounds(0, 0, 150, 70);
  TRect R;
  GetClientRect(P.GetHandle(), &R);
  EXPECT_EQ(R, Rect(0, 0, 150, 70));
  const auto Sizes = P.Of(WM_SIZE);
  ASSERT_EQ(Sizes.size(), 1u);
  EXPECT_EQ(TWMSize(Sizes[0]).Width, 150);
  // Moving without sizing sends no WM_SIZE.
  P.SetBounds(10, 10, 150, 70);
  EXPECT_EQ(P.Count(WM_SIZE), 1);
}

TEST_F(WindowTest, AGiganticStoredFormGetsASurfaceNoLargerThanTheScreens) {
  RegisterGuiClasses();
  TForm Form(nullptr);
  ReadComponentText("object F: TForm\n  Width = 300\n  Height = 2147483647\nend\n", Form);
  Form.HandleNeeded();
  TRect Client;
  ASSERT_TRUE(GetClientRect(Form.GetHandle(), &Client));
  const TPoint Size = Testing::SurfaceSize(Form);
  EXPECT_EQ(Size.X, Client.Right);
  // The offscreen screen is smaller than the least bound, so that bound holds.
  EXPECT_EQ(Size.Y, 4096);
  EXPECT_GT(Client.Bottom, Size.Y);
  // Drawing reaches the surface's last row and is clipped past it.
  Form.Update();
  EXPECT_EQ(Testing::SurfacePixel(Form, 0, Size.Y - 1), ColorToRGB(clBtnFace));
}

TEST_F(WindowTest, AlignedChildrenShareTheClientArea) {
  TForm Form(nullptr);
  Form.SetClientWidth(200);
  Form.SetClientHeight(100);
  auto* Bottom = new TProbe(&Form);
  Bottom->SetParent(&Form);
  Bottom->SetHeight(19);
  Bottom->SetAlign(alBottom);
  auto* Client = new TProbe(&Form);
  Client->SetParent(&Form);
  Client->SetAlign(alClient);
  EXPECT_EQ(Bottom->GetBoundsRect(), Rect(0, 81, 200, 100));
  EXPECT_EQ(Client->GetBoundsRect(), Rect(0, 0, 200, 81));
  Form.Show();
  Form.SetClientHeight(150); // the window resizes; the children follow
  EXPECT_EQ(Bottom->GetBoundsRect(), Rect(0, 131, 200, 150));
  EXPECT_EQ(Client->GetBoundsRect(), Rect(0, 0, 200, 131));
  EXPECT_EQ(Client->GetClientHeight(), 131);
}

TEST_F(WindowTest, ParentColorAndFontPassToChildrenUntilSetOnTheChild) {
  TForm Form(nullptr);
  auto* C = new TProbe(&Form);
  C->SetParent(&Form);
  EXPECT_EQ(C->GetColor(), clBtnFace);
  Form.SetColor(clRed);
  EXPECT_EQ(C->GetColor(), clRed);
  C->SetColor(clBlue);
  EXPECT_FALSE(C->GetParentColor());
  Form.SetColor(clGreen);
  EXPECT_EQ(C->GetColor(), clBlue);

  Form.GetFont()->SetSize(14);
  EXPECT_EQ(C->GetFont()->GetSize(), 14);
  EXPECT_TRUE(C->GetParentFont());
  C->GetFont()->SetSize(9);
  EXPECT_FALSE(C->GetParentFont());
  Form.GetFont()->SetSize(20);
  EXPECT_EQ(C->GetFont()->GetSize(), 9);
}

TEST_F(WindowTest, RightToLeftAlignmentOnlyWithRightToLeftMode) {
  TProbe P;
  const std::tuple<TBiDiMode, bool, bool> Cases[] = {{bdLeftToRight, false, false},
                                                     {bdRightToLeft, true, true},
                                                     {bdRightToLeftNoAlign, false, true},
                                                     {bdRightToLeftReadingOnly, false, false}};
  for (auto [Mode, Align, ScrollBarLeft] : Cases) {
    P.SetBiDiMode(Mode);
    EXPECT_EQ(P.UseRightToLeftAlignment(), Align) << Mode;
    EXPECT_EQ(P.UseRightToLeftScrollBar(), ScrollBarLeft) << Mode;
  }
}
