// Message records: packing and unpacking of their fields, the typed views, shift states and
// the handler tables.
#include "GuiTestSupport.h"

TEST(MessagePacking, PointsAreSigned16BitWords) {
  struct TCase {
    int X, Y;
  };
  for (const TCase& C :
       {TCase{0, 0}, TCase{10, 20}, TCase{-1, -1}, TCase{-32768, 32767}, TCase{1234, -5678}}) {
    const std::intptr_t L = PointToLParam(C.X, C.Y);
    EXPECT_EQ(GetXLParam(L), C.X);
    EXPECT_EQ(GetYLParam(L), C.Y);
    EXPECT_EQ(LParamToPoint(L), (TPoint{C.X, C.Y}));
  }
  EXPECT_EQ(PointToLParam(1, 2), 0x00020001);
  EXPECT_EQ(PointToLParam(-1, 0), 0x0000FFFF);
}

TEST(MessagePacking, WordsAndTypedViews) {
  EXPECT_EQ(LoWord(0x12345678), 0x5678u);
  EXPECT_EQ(HiWord(0x12345678), 0x1234u);
  const TMessage Scroll{WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 127), 0, 0};
  EXPECT_EQ(TWMScroll(Scroll).ScrollCode, static_cast<unsigned>(SB_THUMBTRACK));
  EXPECT_EQ(TWMScroll(Scroll).Pos, 127u);
  const TMessage Wheel{WM_MOUSEWHEEL, MakeWParam(MK_CONTROL, static_cast<unsigned>(-240)),
                       PointToLParam(300, -4), 0};
  EXPECT_EQ(TWMMouseWheel(Wheel).WheelDelta, -240);
  EXPECT_EQ(TWMMouseWheel(Wheel).Keys, MK_CONTROL);
  EXPECT_EQ(TWMMouseWheel(Wheel).YPos, -4);
  const TMessage Size{WM_SIZE, SIZE_RESTORED, MakeLParam(640, 480), 0};
  EXPECT_EQ(TWMSize(Size).Width, 640);
  EXPECT_EQ(TWMSize(Size).Height, 480);
  const TMessage Cursor{WM_SETCURSOR, 0, MakeLParam(static_cast<unsigned>(HTERROR), WM_LBUTTONDOWN),
                        0};
  EXPECT_EQ(TWMSetCursor(Cursor).HitTest, HTERROR);
  EXPECT_EQ(TWMSetCursor(Cursor).MouseMsg, WM_LBUTTONDOWN);
}

TEST(MessageCodes, SystemValues) {
  EXPECT_EQ(WM_PAINT, 0x000Fu);
  EXPECT_EQ(WM_LBUTTONDOWN, 0x0201u);
  EXPECT_EQ(WM_MOUSEWHEEL, 0x020Au);
  EXPECT_EQ(WM_TIMER, 0x0113u);
  EXPECT_EQ(VK_LEFT, 0x25);
  EXPECT_EQ(SB_ENDSCROLL, 8);
  EXPECT_EQ(DLGC_WANTARROWS | DLGC_WANTTAB, 3u);
  EXPECT_GE(CM_BASE, 0x8000u); // framework messages never collide with system ones
}

TEST(ShiftStates, FromMouseKeys) {
  EXPECT_EQ(KeysToShiftState(MK_SHIFT | MK_LBUTTON), (TShiftState{ssShift, ssLeft}));
  EXPECT_EQ(KeysToShiftState(MK_CONTROL | MK_RBUTTON | MK_MBUTTON),
            (TShiftState{ssCtrl, ssRight, ssMiddle}));
  EXPECT_TRUE(KeysToShiftState(0).Empty());
}

namespace {
// A control with a table of its own in front of the inherited handling.
class TTableControl : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  std::vector<std::string> Log;
  void WndProc(TMessage& Message) override {
    static constexpr TMessageHandler<TTableControl> Table[] = {
        {WM_TIMER, &TTableControl::WMTimer},
        {WM_LBUTTONDOWN, &TTableControl::WMLButtonDown},
    };
    if (!DispatchMessage(*this, Table, Message)) TCustomControl::WndProc(Message);
  }

protected:
  void MouseDown(TMouseButton, TShiftState, int X, int) override {
    Log.push_back("MouseDown " + std::to_string(X));
  }

private:
  void WMTimer(TMessage& Message) {
    Log.push_back("timer " + std::to_string(TWMTimer(Message).TimerID));
    Message.Result = 5;
  }
  void WMLButtonDown(TMessage& Message) {
    Log.push_back("own press");
    TCustomControl::WndProc(Message); // the inherited handling
  }
};
} // namespace

TEST(MessageTables, OwnHandlersFirstThenTheInherited) {
  TTableControl C(nullptr);
  EXPECT_EQ(C.Perform(WM_TIMER, 3), 5);
  C.Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(9, 1));
  C.Perform(WM_KEYDOWN, VK_A); // no handler of its own: the inherited one runs
  const std::vector<std::string> Expected = {"timer 3", "own press", "MouseDown 9"};
  EXPECT_EQ(C.Log, Expected);
}
