// Window timers: SetTimer delivers WM_TIMER with its identifier from the event loop until
// KillTimer. The loop runs until the messages arrive or a generous deadline passes.
#include "GuiTestSupport.h"

namespace {
int TimerCount(const TProbe& P, std::uintptr_t Id) {
  int N = 0;
  for (const TMessage& M : P.Of(WM_TIMER))
    if (TWMTimer(M).TimerID == Id) ++N;
  return N;
}
} // namespace

class TimerTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    P.HandleNeeded();
  }
  TProbe P;
};

TEST_F(TimerTest, SetTimerDeliversTimerMessagesWithItsIdentifier) {
  ASSERT_EQ(SetTimer(P.GetHandle(), 1, 20), 1u);
  EXPECT_TRUE(Testing::RunEventLoopUntil([&] { return TimerCount(P, 1) >= 3; }, 5000));
  EXPECT_TRUE(KillTimer(P.GetHandle(), 1));
  EXPECT_FALSE(KillTimer(P.GetHandle(), 1)); // already gone
}

// Two timers of the same period: while the other one keeps firing, the killed one is silent.
TEST_F(TimerTest, KillTimerStopsOnlyThatTimer) {
  SetTimer(P.GetHandle(), 1, 15);
  SetTimer(P.GetHandle(), 7, 15);
  ASSERT_TRUE(Testing::RunEventLoopUntil(
      [&] { return TimerCount(P, 1) >= 1 && TimerCount(P, 7) >= 1; }, 5000));
  KillTimer(P.GetHandle(), 1);
  const int Killed = TimerCount(P, 1);
  const int Kept = TimerCount(P, 7);
  EXPECT_TRUE(Testing::RunEventLoopUntil([&] { return TimerCount(P, 7) >= Kept + 4; }, 5000));
  EXPECT_EQ(TimerCount(P, 1), Killed);
  KillTimer(P.GetHandle(), 7);
}

TEST_F(TimerTest, DestroyingTheWindowEndsItsTimers) {
  const HWND Old = P.GetHandle();
  SetTimer(Old, 3, 10);
  P.DestroyHandle();
  EXPECT_FALSE(KillTimer(Old, 3));
  EXPECT_EQ(SetTimer(nullptr, 3, 10), 0u);
}
