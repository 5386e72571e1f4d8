// The grid's window: its frame by BorderStyle and Ctl3D, its scroll bars by ScrollBars, and a
// new window whenever one of them changes.
#include "tests/grid/gui/GridGuiSupport.h"

namespace {

// A 300 x 200 grid of 30 x 30 cells (more than it shows) on a form.
class GridWindow : public testing::Test {
protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 420, 320);
    Grid = new TYGrid(Form.get());
    Grid->GetHolder()->SetColCount(30);
    Grid->GetHolder()->SetRowCount(30);
    Grid->SetBounds(0, 0, 300, 200);
  }
  void TearDown() override {
    Form.reset();
    NewStyleControls = SavedNewStyleControls;
  }
  void Show() {
    Grid->SetParent(Form.get());
    Form->Show();
    ASSERT_TRUE(Grid->HandleAllocated());
  }
  unsigned Style() { return static_cast<unsigned>(GetWindowLong(Grid->GetHandle(), GWL_STYLE)); }
  unsigned ExStyle() {
    return static_cast<unsigned>(GetWindowLong(Grid->GetHandle(), GWL_EXSTYLE));
  }
  // What the window should look like: its frame width in pixels and the bars it shows.
  void ExpectWindow(int Frame, bool Horizontal, bool Vertical) {
    EXPECT_EQ((Style() & WS_BORDER) != 0, Frame == 1);
    EXPECT_EQ((ExStyle() & WS_EX_CLIENTEDGE) != 0, Frame == 2);
    EXPECT_EQ(Testing::ScrollBarVisible(*Grid, SB_HORZ), Horizontal);
    EXPECT_EQ(Testing::ScrollBarVisible(*Grid, SB_VERT), Vertical);
    EXPECT_EQ((Style() & WS_HSCROLL) != 0, Horizontal);
    EXPECT_EQ((Style() & WS_VSCROLL) != 0, Vertical);
    EXPECT_EQ(Grid->GetClientWidth(),
              300 - 2 * Frame - (Vertical ? GetSystemMetrics(SM_CXVSCROLL) : 0));
    EXPECT_EQ(Grid->GetClientHeight(),
              200 - 2 * Frame - (Horizontal ? GetSystemMetrics(SM_CYHSCROLL) : 0));
    EXPECT_TRUE(Style() & WS_TABSTOP);
  }
  // A cell of the new window is painted: (2, 2) lies at x 130, y 50 inside the frame.
  void ExpectPainted() {
    Grid->Update();
    EXPECT_EQ(Testing::SurfacePixel(*Grid, 170, 60), ColorToRGB(clWindow));
  }

  std::unique_ptr<TForm> Form;
  TYGrid* Grid = nullptr; // owned by the form
  bool SavedNewStyleControls = NewStyleControls;
};

struct WindowCase {
  const char* Name;
  TBorderStyle Border;
  bool Ctl3D;
  TScrollStyle Bars;
  int Frame;
  bool Horizontal, Vertical;
};
void PrintTo(const WindowCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class GridWindowParams : public GridWindow, public testing::WithParamInterface<WindowCase> {};

TEST_P(GridWindowParams, FrameAndScrollBarsFollowTheProperties) {
  const WindowCase& C = GetParam();
  Grid->SetBorderStyle(C.Border);
  Grid->SetCtl3D(C.Ctl3D);
  Grid->SetScrollBars(C.Bars);
  Show();
  ExpectWindow(C.Frame, C.Horizontal, C.Vertical);
  ExpectPainted();
}

INSTANTIATE_TEST_SUITE_P(
    Properties, GridWindowParams,
    testing::Values(
        WindowCase{"SingleWith3DHasAClientEdge", bsSingle, true, ssNone, 2, false, false},
        WindowCase{"SingleWithout3DHasABorder", bsSingle, false, ssNone, 1, false, false},
        WindowCase{"NoneHasNoFrame", bsNone, true, ssNone, 0, false, false},
        WindowCase{"NoneWithout3DHasNoFrame", bsNone, false, ssNone, 0, false, false},
        WindowCase{"BothBars", bsSingle, true, ssBoth, 2, true, true},
        WindowCase{"HorizontalBarOnly", bsNone, true, ssHorizontal, 0, true, false},
        WindowCase{"VerticalBarOnly", bsSingle, false, ssVertical, 1, false, true}),
    [](const testing::TestParamInfo<WindowCase>& Info) { return std::string(Info.param.Name); });

TEST_F(GridWindow, DefaultsAreASingle3DFrameWithBothBars) {
  EXPECT_EQ(Grid->GetBorderStyle(), bsSingle);
  EXPECT_EQ(Grid->GetScrollBars(), ssBoth);
  Show();
  ExpectWindow(2, true, true);
}

TEST_F(GridWindow, ChangingTheFrameOrTheBarsMakesANewWindow) {
  Show();
  Grid->SetScrollBars(ssNone);
  ExpectWindow(2, false, false);
  Grid->SetBorderStyle(bsNone);
  ExpectWindow(0, false, false);
  ExpectPainted();
  Grid->SetBorderStyle(bsSingle);
  ExpectWindow(2, false, false);
  Grid->SetScrollBars(ssVertical);
  ExpectWindow(2, false, true);
  ExpectPainted();
}

TEST_F(GridWindow, SwitchingCtl3DChangesTheFrameOfTheShownWindow) {
  Grid->SetScrollBars(ssNone);
  Show();
  Grid->SetCtl3D(false);
  ExpectWindow(1, false, false);
  Grid->SetCtl3D(true);
  ExpectWindow(2, false, false);
  ExpectPainted();
}

TEST_F(GridWindow, WithoutNewStyleControlsASingleFrameIsABorderEvenWith3D) {
  NewStyleControls = false;
  Grid->SetScrollBars(ssNone);
  Show();
  EXPECT_TRUE(Grid->GetCtl3D());
  ExpectWindow(1, false, false);
}

} // namespace
