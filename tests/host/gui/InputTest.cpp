// Input: Qt mouse, wheel and key events sent to a window arrive as messages and as the
// control's MouseDown / MouseMove / MouseUp / Click / DblClick / KeyDown / KeyPress / KeyUp and
// wheel operations, with client coordinates and shift states; capture and cursors.
#include "GuiTestSupport.h"

class InputTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    P.SetBounds(0, 0, 120, 80);
    P.HandleNeeded();
    P.Clear();
  }
  TProbe P;
};

// ---------------------------------------------------------------- mouse

TEST_F(InputTest, PressMoveReleaseArriveWithClientPointsAndShiftState) {
  Testing::MouseDownAt(P, 10, 20, mbLeft, {ssShift});
  Testing::MoveTo(P, 15, 25, {ssShift, ssLeft});
  Testing::MouseUpAt(P, 16, 26, mbLeft, {ssShift});
  const std::vector<std::string> Expected = {"down L 10,20 SL", "move 15,25 SL", "click",
                                             "up L 16,26 S"};
  EXPECT_EQ(P.Log, Expected);
  const auto Downs = P.Of(WM_LBUTTONDOWN);
  ASSERT_EQ(Downs.size(), 1u);
  EXPECT_EQ(TWMMouse(Downs[0]).Keys, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(TWMMouse(Downs[0]).Pos(), (TPoint{10, 20}));
}

TEST_F(InputTest, OtherButtonsAndModifiers) {
  Testing::ClickAt(P, 3, 4, {ssCtrl, ssAlt}, mbRight);
  Testing::ClickAt(P, 5, 6, {}, mbMiddle);
  const std::vector<std::string> Expected = {"down R 3,4 ACR", "up R 3,4 AC", "down M 5,6 M",
                                             "up M 5,6 "};
  EXPECT_EQ(P.Log, Expected);
  EXPECT_EQ(P.Count(WM_RBUTTONDOWN), 1);
  EXPECT_EQ(P.Count(WM_MBUTTONUP), 1);
}

TEST_F(InputTest, ClickOnlyWhenReleasedOverTheControl) {
  Testing::MouseDownAt(P, 10, 10);
  Testing::MouseUpAt(P, 500, 10); // captured while the button is held: the release arrives
  EXPECT_EQ(P.Log, (std::vector<std::string>{"down L 10,10 L", "up L 500,10 "}));
}

TEST_F(InputTest, NoClickEventsWithoutClickEventsStyle) {
  P.SetStyle({csCaptureMouse, csDoubleClicks});
  Testing::ClickAt(P, 10, 10);
  EXPECT_EQ(P.Log, (std::vector<std::string>{"down L 10,10 L", "up L 10,10 "}));
}

TEST_F(InputTest, DoubleClickArrivesAsDblClickAndASecondPressWithDouble) {
  Testing::DoubleClickAt(P, 7, 8);
  const std::vector<std::string> Expected = {"down L 7,8 L", "click",         "up L 7,8 ",
                                             "dblclick",     "down L 7,8 LD", "up L 7,8 "};
  EXPECT_EQ(P.Log, Expected);
  EXPECT_EQ(P.Count(WM_LBUTTONDBLCLK), 1);
}

TEST_F(InputTest, WithoutDoubleClickStylesADoubleClickIsAnotherPress) {
  P.SetStyle({csCaptureMouse, csClickEvents});
  Testing::DoubleClickAt(P, 7, 8);
  EXPECT_EQ(P.Count(WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(P.Count(WM_LBUTTONDOWN), 2);

  TProbe Q; // a window class without CS_DBLCLKS
  Q.ClassStyle = CS_HREDRAW;
  Q.HandleNeeded();
  Testing::DoubleClickAt(Q, 1, 1);
  EXPECT_EQ(Q.Count(WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(Q.Count(WM_LBUTTONDOWN), 2);
}

TEST_F(InputTest, MovesOverTheControlAreDeliveredWithoutButtons) {
  Testing::MoveTo(P, 30, 40);
  EXPECT_EQ(P.Log, (std::vector<std::string>{"move 30,40 "}));
  // Before the move: the hit test, then the cursor for the client area.
  std::vector<unsigned> Mouse;
  for (const TMessage& M : P.Messages)
    if (M.Msg != CM_MOUSEENTER && M.Msg != CM_MOUSELEAVE) Mouse.push_back(M.Msg);
  EXPECT_EQ(Mouse, (std::vector<unsigned>{WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE}));
  const auto SetCursors = P.Of(WM_SETCURSOR);
  ASSERT_EQ(SetCursors.size(), 1u);
  EXPECT_EQ(TWMSetCursor(SetCursors[0]).CursorWnd, P.GetHandle());
  EXPECT_EQ(TWMSetCursor(SetCursors[0]).HitTest, HTCLIENT);
  EXPECT_EQ(TWMSetCursor(SetCursors[0]).MouseMsg, WM_MOUSEMOVE);
}

// ---------------------------------------------------------------- capture

TEST_F(InputTest, AHeldButtonCapturesUntilReleased) {
  Testing::MouseDownAt(P, 10, 10);
  EXPECT_TRUE(P.GetMouseCapture());
  EXPECT_EQ(GetCapture(), P.GetHandle());
  Testing::MoveTo(P, -20, 300, {ssLeft});
  Testing::MouseUpAt(P, -20, 300);
  EXPECT_FALSE(P.GetMouseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
  Testing::MoveTo(P, -25, 300);
  const std::vector<std::string> Expected = {"down L 10,10 L", "move -20,300 L", "up L -20,300 "};
  EXPECT_EQ(P.Log, Expected);
}

TEST_F(InputTest, CaptureTakesMovesFromOtherWindows) {
  TProbe Other;
  Other.SetBounds(300, 0, 50, 50);
  Other.HandleNeeded();
  P.SetMouseCapture(true);
  Testing::MoveTo(Other, 5, 5); // over the other window: the capture window gets it
  EXPECT_EQ(Other.Count(WM_MOUSEMOVE), 0);
  ASSERT_EQ(P.Of(WM_MOUSEMOVE).size(), 1u);
  EXPECT_EQ(TWMMouse(P.Of(WM_MOUSEMOVE)[0]).Pos(), (TPoint{305, 5}));
  ReleaseCapture();
  Testing::MoveTo(Other, 5, 5);
  EXPECT_EQ(Other.Count(WM_MOUSEMOVE), 1);
}

TEST_F(InputTest, CancelModeEndsTheCaptureWithAReleaseOutside) {
  Testing::MouseDownAt(P, 10, 10);
  P.Perform(WM_CANCELMODE);
  EXPECT_FALSE(P.GetMouseCapture());
  EXPECT_EQ(P.Log.back(), "up L -1,-1 ");
}

// ---------------------------------------------------------------- wheel

TEST_F(InputTest, EachWheelNotchIsOneCall) {
  Testing::Wheel(P, 5, 5, -2 * WHEEL_DELTA, {ssCtrl});
  Testing::Wheel(P, 5, 5, WHEEL_DELTA);
  const std::vector<std::string> Expected = {"wheeldown C", "wheeldown C", "wheelup "};
  EXPECT_EQ(P.Log, Expected);
  const auto Wheels = P.Of(WM_MOUSEWHEEL);
  ASSERT_EQ(Wheels.size(), 2u);
  EXPECT_EQ(TWMMouseWheel(Wheels[0]).WheelDelta, -240);
  EXPECT_EQ(TWMMouseWheel(Wheels[0]).Keys, MK_CONTROL);
  const TPoint Screen = P.ClientToScreen({5, 5});
  EXPECT_EQ(TWMMouseWheel(Wheels[0]).XPos, Screen.X);
  EXPECT_EQ(TWMMouseWheel(Wheels[0]).YPos, Screen.Y);
}

TEST_F(InputTest, PartsOfANotchAddUp) {
  Testing::Wheel(P, 5, 5, 50);
  Testing::Wheel(P, 5, 5, 50);
  EXPECT_TRUE(P.Log.empty());
  Testing::Wheel(P, 5, 5, 50);
  EXPECT_EQ(P.Log, (std::vector<std::string>{"wheelup "}));
}

TEST_F(InputTest, AnUnusedWheelGoesToTheParent) {
  TForm Form(nullptr);
  auto* Outer = new TProbe(&Form);
  Outer->SetParent(&Form);
  Outer->SetBounds(0, 0, 200, 200);
  auto* Inner = new TProbe(&Form);
  Inner->SetParent(Outer);
  Form.Show();
  Inner->WheelDown = [](TShiftState, TPoint) { return false; };
  Testing::Wheel(*Inner, 5, 5, -WHEEL_DELTA);
  EXPECT_EQ(Inner->Log, (std::vector<std::string>{"wheeldown "}));
  EXPECT_EQ(Outer->Log, (std::vector<std::string>{"wheeldown "}));
  Inner->WheelDown = [](TShiftState, TPoint) { return true; };
  Testing::Wheel(*Inner, 5, 5, -WHEEL_DELTA);
  EXPECT_EQ(Outer->Log.size(), 1u);
}

TEST_F(InputTest, OnMouseWheelCanTakeTheWholeTurn) {
  int Total = 0;
  P.OnMouseWheel = [&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
    Total += Delta;
    Handled = true;
  };
  Testing::Wheel(P, 5, 5, 3 * WHEEL_DELTA);
  EXPECT_EQ(Total, 360);
  EXPECT_TRUE(P.Log.empty());
}

// ---------------------------------------------------------------- keys

TEST_F(InputTest, KeysArriveAsKeyDownKeyPressKeyUp) {
  Testing::PressKey(P, VK_A);
  const std::vector<std::string> Expected = {"keydown 65 ", "char 97", "keyup 65 "};
  EXPECT_EQ(P.Log, Expected);
  EXPECT_EQ(P.Count(WM_KEYDOWN), 1);
  EXPECT_EQ(P.Count(WM_CHAR), 1);
}

TEST_F(InputTest, ModifiersArePressedKeysOfTheirOwnAndInTheShiftState) {
  Testing::PressKey(P, VK_DOWN, {ssShift, ssCtrl});
  const std::vector<std::string> Expected = {"keydown 16 S", "keydown 17 SC", "keydown 40 SC",
                                             "keyup 40 SC",  "keyup 16 C",    "keyup 17 "};
  EXPECT_EQ(P.Log, Expected);
}

TEST_F(InputTest, ModifiersHeldOverSeveralKeysArePressedAndReleasedOnce) {
  Testing::HoldModifiers(P, {ssShift});
  Testing::PressKeyHeld(P, VK_DOWN, {ssShift});
  Testing::PressKeyHeld(P, VK_RIGHT, {ssShift});
  Testing::ReleaseModifiers(P, {ssShift});
  const std::vector<std::string> Expected = {"keydown 16 S", "keydown 40 S", "keyup 40 S",
                                             "keydown 39 S", "keyup 39 S",   "keyup 16 "};
  EXPECT_EQ(P.Log, Expected);
}

TEST_F(InputTest, AltKeysAreSystemKeys) {
  Testing::PressKey(P, VK_X, {ssAlt});
  const auto Downs = P.Of(WM_SYSKEYDOWN);
  ASSERT_EQ(Downs.size(), 2u); // Alt itself, then X
  EXPECT_EQ(TWMKey(Downs[0]).CharCode, VK_MENU);
  EXPECT_EQ(TWMKey(Downs[1]).CharCode, VK_X);
  EXPECT_TRUE(TWMKey(Downs[1]).KeyData & KF_ALTDOWN);
  EXPECT_EQ(P.Log[1], "keydown 88 A");
}

TEST_F(InputTest, KeypadAndSpecialKeysHaveTheirVirtualKeys) {
  for (unsigned short Vk : {VK_NUMPAD5, VK_MULTIPLY, VK_ADD, VK_SUBTRACT, VK_PRIOR, VK_NEXT,
                            VK_HOME, VK_END, VK_INSERT, VK_SPACE, VK_F5, VK_ESCAPE, VK_DELETE}) {
    P.Clear();
    Testing::PressKey(P, Vk);
    ASSERT_FALSE(P.Log.empty()) << Vk;
    EXPECT_EQ(P.Log.front(), "keydown " + std::to_string(Vk) + " ") << Vk;
  }
}

TEST_F(InputTest, ClearingTheKeyInKeyDownSuppressesTheCharacter) {
  P.OnKeyDown = [](TObject*, unsigned short& Key, TShiftState) { Key = 0; };
  Testing::PressKey(P, VK_B);
  EXPECT_EQ(P.Count(WM_CHAR), 0);
}

TEST_F(InputTest, TypedTextArrivesAsCodePoints) {
  std::u32string Typed;
  P.OnKeyPress = [&](TObject*, TKeyChar& Key) { Typed += Key; };
  Testing::TypeText(P, "Жa1");
  EXPECT_EQ(Typed, U"Жa1");
}

// ---------------------------------------------------------------- cursors

TEST_F(InputTest, TheControlsCursorShowsOverItsClientArea) {
  P.SetCursor(crHSplit);
  Testing::MoveTo(P, 10, 10);
  EXPECT_EQ(Testing::WindowCursor(P), Screen->GetCursors(crHSplit));
  P.SetCursor(crDefault);
  Testing::MoveTo(P, 11, 10);
  EXPECT_EQ(Testing::WindowCursor(P), Screen->GetCursors(crArrow));
}

TEST_F(InputTest, ASetCursorHandlerChoosesTheShape) {
  P.OnMessage = [](TMessage& M) {
    if (M.Msg != WM_SETCURSOR || TWMSetCursor(M).HitTest != HTCLIENT) return;
    SetCursor(Screen->GetCursors(crVSplit));
    M.Result = 1;
  };
  Testing::MoveTo(P, 10, 10);
  EXPECT_EQ(Testing::WindowCursor(P), Screen->GetCursors(crVSplit));
  EXPECT_EQ(GetCursor(), Screen->GetCursors(crVSplit));
  EXPECT_NE(Screen->GetCursors(crVSplit), Screen->GetCursors(crHSplit));
}

TEST_F(InputTest, TheCursorPositionFollowsTheMouse) {
  Testing::MoveTo(P, 17, 23);
  TPoint Cursor;
  ASSERT_TRUE(GetCursorPos(&Cursor));
  EXPECT_EQ(P.ScreenToClient(Cursor), (TPoint{17, 23}));
  ScreenToClient(P.GetHandle(), &Cursor);
  EXPECT_EQ(Cursor, (TPoint{17, 23}));
}
