// Fixed cells as buttons, the auto-scroll timer, the wheel and focus changes, driven through
// mouse and key input at pixel positions.
#include "tests/grid/gui/GridGuiSupport.h"

#include "host/gui/Messages.h"

#include <string>
#include <vector>

namespace {

using namespace Testing;

struct Click {
  TYCell* Cell;
  int Col, Row;
  bool operator==(const Click&) const = default;
};

class GridButtons : public GridOnForm {
protected:
  void SetUp() override {
    GridOnForm::SetUp();
    Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoSupportFixedButtons});
    Grid->OnFixedCellClick = [this](TYCustomGrid*, TYCell* Cell, std::int32_t C, std::int32_t R) {
      Clicks.push_back({Cell, C, R});
    };
  }
  // A pixel of a fixed cell's left edge: light when raised, dark when pressed.
  TColor EdgePixel(int Col, int Row) { return Pixel(65 * Col, 25 * Row + 5); }

  std::vector<Click> Clicks;
};

TEST_F(GridButtons, PressDragOffAndBackReleaseIsOneClick) {
  const TColor Raised = EdgePixel(2, 0);
  MouseDownAt(*Grid, 65 * 2 + 30, 10);
  const TColor Pressed = EdgePixel(2, 0);
  EXPECT_NE(Pressed, Raised);
  MoveTo(*Grid, 65 * 2 + 30, 60, {ssLeft}); // off the button: raised
  EXPECT_EQ(EdgePixel(2, 0), Raised);
  MoveTo(*Grid, 65 * 2 + 20, 12, {ssLeft}); // back on it: pressed
  EXPECT_EQ(EdgePixel(2, 0), Pressed);
  EXPECT_TRUE(Clicks.empty());
  MouseUpAt(*Grid, 65 * 2 + 20, 12);
  EXPECT_EQ(EdgePixel(2, 0), Raised);
  EXPECT_EQ(Clicks, (std::vector<Click>{{Grid->GetCells(2, 0), 2, 0}}));
  // Released elsewhere: no click.
  MouseDownAt(*Grid, 65 * 2 + 30, 10);
  MouseUpAt(*Grid, 65 * 3 + 30, 10);
  EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(GridButtons, ARefusedButtonBeepsAndIsNeverDrawnPressed) {
  int Asked = 0;
  Grid->OnCheckButton = [&](TYCustomGrid*, TYCell*, std::int32_t C, std::int32_t R, bool& Enabled) {
    ++Asked;
    if (C == 1 && R == 0) Enabled = false;
  };
  const TColor Raised = EdgePixel(1, 0);
  const int Beeps = BeepCount();
  MouseDownAt(*Grid, 65 + 30, 10);
  EXPECT_EQ(BeepCount(), Beeps + 1);
  EXPECT_EQ(EdgePixel(1, 0), Raised);
  MouseUpAt(*Grid, 65 + 30, 10);
  EXPECT_TRUE(Clicks.empty());
  ClickAt(*Grid, 65 * 3 + 30, 10); // the others still work
  EXPECT_EQ(Clicks.size(), 1u);
  EXPECT_EQ(Asked, 2);
}

TEST_F(GridButtons, AMergedHeaderIsOneButtonButClicksOnlyWhereItWasPressed) {
  Grid->GetHolder()->GetCellsUnions()->Add({1, 0}, {1, 0}, {3, 0}, true);
  MouseDownAt(*Grid, 65 * 2 + 30, 10);
  const TColor Pressed = EdgePixel(1, 0);
  MoveTo(*Grid, 65 * 3 + 30, 10, {ssLeft});
  EXPECT_EQ(EdgePixel(1, 0), Pressed); // the whole merged button stays pressed
  MouseUpAt(*Grid, 65 * 3 + 30, 10);
  EXPECT_TRUE(Clicks.empty());
  ClickAt(*Grid, 65 * 2 + 30, 10);
  EXPECT_EQ(Clicks, (std::vector<Click>{{Grid->GetCells(1, 0), 2, 0}}));
}

TEST_F(GridButtons, ADoubleClickOnAButtonIsTwoClicksAndNoDoubleClick) {
  int DoubleClicks = 0;
  Grid->OnDblClick = [&](TObject*) { ++DoubleClicks; };
  DoubleClickAt(*Grid, 30, 25 * 2 + 10);
  EXPECT_EQ(Clicks.size(), 2u);
  EXPECT_EQ(DoubleClicks, 0);
  DoubleClickAt(*Grid, 65 * 2 + 30, 25 * 2 + 10); // a data cell
  EXPECT_EQ(DoubleClicks, 1);
  EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(GridButtons, HoldingTheButtonOverTheHeadersScrollsOneRowPerTick) {
  Grid->GetHolder()->SetRowCount(20);
  Grid->SetRow(10); // scrolls row 10 into view
  const int Top = Grid->GetTopRow();
  ASSERT_GT(Top, 1);
  const int Y = Grid->CellRect(2, 10).Top + 5;
  MouseDownAt(*Grid, 65 * 2 + 30, Y);
  MoveTo(*Grid, 65 * 2 + 30, 10, {ssLeft}); // onto the column headers
  EXPECT_EQ(Grid->GetRow(), 10);
  for (int Tick = 1; Tick <= 12; ++Tick) {
    Grid->Perform(WM_TIMER, 1, 0);
    EXPECT_EQ(Grid->GetRow(), std::max(10 - Tick, 1)) << Tick;
  }
  EXPECT_EQ(Grid->GetTopRow(), 1); // the view followed up to the first scrollable row
  MouseUpAt(*Grid, 65 * 2 + 30, 10);
  Grid->Perform(WM_TIMER, 1, 0);
  EXPECT_EQ(Grid->GetGridState(), ygsNormal);
}

TEST_F(GridButtons, TheWheelMovesOneCellAndStopsAtTheEnds) {
  Wheel(*Grid, 100, 50, -3 * 120); // three notches down
  EXPECT_EQ(Grid->GetRow(), 4);
  Wheel(*Grid, 100, 50, -120);
  EXPECT_EQ(Grid->GetRow(), 4); // the last row
  Wheel(*Grid, 100, 50, 120, {ssCtrl});
  EXPECT_EQ(Grid->GetCol(), 1); // Ctrl: columns, already at the first scrollable one
  Wheel(*Grid, 100, 50, -2 * 120, {ssCtrl});
  EXPECT_EQ(Grid->GetCol(), 3);
  bool Handled = false;
  Grid->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& H) { H = Handled = true; };
  Wheel(*Grid, 100, 50, -120, {ssCtrl});
  EXPECT_TRUE(Handled);
  EXPECT_EQ(Grid->GetCol(), 3); // the host's handler took the notch
}

TEST_F(GridButtons, GainingAndLosingTheFocusRepaintsAndReports) {
  auto* Other = new TestGrid(Form.get());
  Other->SetBounds(0, 200, 50, 20);
  Other->SetParent(Form.get());
  int Changes = 0;
  Grid->OnChangeFocus = [&](TObject*) { ++Changes; };
  const TColor Active = CellPixel(1, 1);
  Other->SetFocus();
  EXPECT_EQ(Changes, 1);
  EXPECT_NE(CellPixel(1, 1), Active); // the focus cell takes its inactive colours
  PressKey(*Other, VK_TAB);
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(CellPixel(1, 1), Active);
}

TEST_F(GridButtons, SizingWithTheMouseReportsAndMarksTheFormModifiedAtDesignTime) {
  struct Designer : TFormDesigner {
    int Modifications = 0;
    void Modified() override { ++Modifications; }
  } FormDesigner;
  Form->SetDesigner(&FormDesigner);
  int Sized = 0;
  Grid->OnColumnSized = [&](TObject*) { ++Sized; };
  MouseDownAt(*Grid, 65 + 64, 5);
  MoveTo(*Grid, 65 + 90, 5, {ssLeft});
  MouseUpAt(*Grid, 65 + 90, 5);
  EXPECT_EQ(Sized, 0); // no sizing options outside design time
  Grid->SetDesigning(true);
  MouseDownAt(*Grid, 65 + 64, 5);
  MoveTo(*Grid, 65 + 90, 5, {ssLeft});
  MouseUpAt(*Grid, 65 + 90, 5);
  EXPECT_EQ(Sized, 1);
  EXPECT_EQ(FormDesigner.Modifications, 1);
  Form->SetDesigner(nullptr);
}

} // namespace
