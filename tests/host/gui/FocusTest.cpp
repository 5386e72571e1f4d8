// Focus: a form's active control, activation, WM_SETFOCUS / WM_KILLFOCUS with OnEnter /
// OnExit, CanFocus, and Tab as the form's dialog key.
#include "GuiTestSupport.h"

// A form with three probes side by side; A and B take Tab stops, C does not.
class FocusTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 400, 100);
    for (TProbe** P : {&A, &B, &C}) {
      *P = new TProbe(Form.get());
      (*P)->SetParent(Form.get());
    }
    B->SetLeft(110);
    C->SetLeft(220);
    A->SetTabStop(true);
    B->SetTabStop(true);
  }
  void ClearAll() {
    for (TProbe* P : {A, B, C})
      P->Clear();
  }
  std::unique_ptr<TForm> Form;
  TProbe* A = nullptr;
  TProbe* B = nullptr;
  TProbe* C = nullptr;
};

TEST_F(FocusTest, ActivatingTheFormFocusesItsFirstTabStop) {
  EXPECT_FALSE(Form->GetActive());
  Form->Activate();
  EXPECT_TRUE(Form->GetActive());
  EXPECT_EQ(Screen->GetActiveForm(), Form.get());
  EXPECT_EQ(Form->GetActiveControl(), A);
  EXPECT_TRUE(A->Focused());
  EXPECT_EQ(GetFocus(), A->GetHandle());
  EXPECT_EQ(A->Count(WM_SETFOCUS), 1);
  EXPECT_EQ(A->Log, (std::vector<std::string>{"enter"}));
}

TEST_F(FocusTest, SetFocusMovesTheFocusWithMessagesAndEvents) {
  Form->Activate();
  ClearAll();
  B->SetFocus();
  EXPECT_EQ(Form->GetActiveControl(), B);
  EXPECT_TRUE(B->Focused());
  EXPECT_FALSE(A->Focused());
  EXPECT_EQ(A->Count(WM_KILLFOCUS), 1);
  EXPECT_EQ(B->Count(WM_SETFOCUS), 1);
  EXPECT_EQ(reinterpret_cast<HWND>(A->Of(WM_KILLFOCUS)[0].WParam), B->GetHandle());
  EXPECT_EQ(reinterpret_cast<HWND>(B->Of(WM_SETFOCUS)[0].WParam), A->GetHandle());
  EXPECT_EQ(A->Log, (std::vector<std::string>{"exit"}));
  EXPECT_EQ(B->Log, (std::vector<std::string>{"enter"}));
}

TEST_F(FocusTest, AnInactiveFormRemembersTheActiveControlUntilActivated) {
  Form->Show();
  B->SetFocus();
  EXPECT_EQ(Form->GetActiveControl(), B);
  EXPECT_EQ(B->Count(WM_SETFOCUS), 0);
  EXPECT_FALSE(B->Focused());
  Form->Activate();
  EXPECT_TRUE(B->Focused());
  EXPECT_EQ(B->Count(WM_SETFOCUS), 1);
  EXPECT_EQ(A->Count(WM_SETFOCUS), 0);
}

TEST_F(FocusTest, AnotherActiveWindowTakesTheFocusAway) {
  Form->Activate();
  TForm Other(nullptr);
  Other.Activate();
  EXPECT_FALSE(Form->GetActive());
  EXPECT_TRUE(Other.GetActive());
  EXPECT_EQ(A->Count(WM_KILLFOCUS), 1);
  EXPECT_EQ(Form->GetActiveControl(), A); // kept for when the form is active again
  Form->Activate();
  EXPECT_TRUE(A->Focused());
}

TEST_F(FocusTest, OnlyVisibleEnabledControlsOnAFormCanFocus) {
  EXPECT_TRUE(A->CanFocus());
  B->SetEnabled(false);
  C->Hide();
  EXPECT_FALSE(B->CanFocus());
  EXPECT_FALSE(C->CanFocus());
  TProbe Loose;
  EXPECT_FALSE(Loose.CanFocus()); // no form
  Form->Show();
  EXPECT_THROW(Form->SetActiveControl(C), EInvalidOperation);
  EXPECT_THROW(Form->SetActiveControl(&Loose), EInvalidOperation);
  EXPECT_EQ(Form->GetActiveControl(), nullptr);
}

TEST_F(FocusTest, TabAndShiftTabMoveThroughTheTabStops) {
  Form->Activate();
  Testing::PressKey(*A, VK_TAB);
  EXPECT_TRUE(B->Focused());
  EXPECT_EQ(A->Count(WM_CHAR), 0); // the dialog key types nothing
  Testing::PressKey(*B, VK_TAB);
  EXPECT_TRUE(A->Focused()); // C has no tab stop; around to A
  Testing::PressKey(*A, VK_TAB, {ssShift});
  EXPECT_TRUE(B->Focused());
  EXPECT_EQ(B->Log.back(), "enter");
}

TEST_F(FocusTest, TabOrderDecidesTheWay) {
  C->SetTabStop(true);
  C->SetTabOrder(0);
  EXPECT_EQ(C->GetTabOrder(), 0);
  EXPECT_EQ(A->GetTabOrder(), 1);
  Form->Activate();
  EXPECT_TRUE(C->Focused());
  Testing::PressKey(*C, VK_TAB);
  EXPECT_TRUE(A->Focused());
}

TEST_F(FocusTest, AControlThatWantsTabGetsIt) {
  A->OnMessage = [](TMessage& M) {
    if (M.Msg == WM_GETDLGCODE) M.Result = DLGC_WANTTAB;
  };
  Form->Activate();
  Testing::PressKey(*A, VK_TAB);
  EXPECT_TRUE(A->Focused());
  EXPECT_EQ(A->Log.back(), "keyup 9 ");
  EXPECT_EQ(A->Count(WM_CHAR), 1);
}

TEST_F(FocusTest, RemovingTheActiveControlClearsIt) {
  Form->Activate();
  delete A;
  A = nullptr;
  EXPECT_EQ(Form->GetActiveControl(), nullptr);
}

TEST_F(FocusTest, AControlWithoutAFormFocusesItsOwnWindow) {
  TProbe Loose;
  Loose.SetFocus();
  EXPECT_TRUE(Loose.HandleAllocated());
  EXPECT_TRUE(Loose.GetShowing());
  EXPECT_TRUE(Loose.Focused());
  EXPECT_EQ(Loose.Count(WM_SETFOCUS), 1);
}

TEST_F(FocusTest, RecreatingTheWindowKeepsTheFocus) {
  Form->Activate();
  const HWND Old = A->GetHandle();
  A->RecreateWnd();
  EXPECT_NE(A->GetHandle(), Old);
  EXPECT_FALSE(IsWindow(Old));
  EXPECT_TRUE(A->Focused());
  EXPECT_TRUE(A->GetShowing());
}

TEST_F(FocusTest, TheFormTellsItsActiveControlToCancelMode) {
  Form->Activate();
  B->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(1, 1)); // B's press cancels A's mode
  const auto Cancels = A->Of(CM_CANCELMODE);
  ASSERT_EQ(Cancels.size(), 1u);
  EXPECT_EQ(reinterpret_cast<TControl*>(Cancels[0].LParam), B);
}
