// A grid inside an ordinary Qt window: between two line edits in a Qt layout, with no form.
#include "grid/YGrids.h"
#include "host/gui/Forms.h"
#include "host/gui/Testing.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace {

using Testing::TQtPart;

// 40 rows of 64 x 24 cells (1-pixel lines), no border: the client area starts at the corner of
// the widget the grid sits in. Every key the grid hears is recorded.
class EmbeddedGrid : public testing::Test {
protected:
  void SetUp() override {
    auto Owned = std::make_unique<TYGrid>(nullptr);
    Grid = Owned.get();
    Grid->SetBorderStyle(bsNone);
    Grid->GetHolder()->ChangeSize(5, 40);
    Grid->OnKeyDown = [this](TObject*, unsigned short& Key, TShiftState) {
      KeysHeard.push_back(Key);
    };
    Grid->OnFocusCell = [this](TYCustomGrid*, TYCell*, std::int32_t& ACol, std::int32_t& ARow) {
      FocusReports.push_back({ACol, ARow});
    };
    Window = std::make_unique<Testing::TQtWindowAround>(std::move(Owned));
    Window->Show(400, 300);
  }
  void TearDown() override { Window.reset(); }

  int VertScrollMax() {
    int Min = 0, Max = 0;
    GetScrollRange(Grid->GetHandle(), SB_VERT, &Min, &Max);
    return Max;
  }

  TYGrid* Grid = nullptr; // owned by the window's TControlWidget
  std::unique_ptr<Testing::TQtWindowAround> Window;
  std::vector<unsigned short> KeysHeard;
  std::vector<TYGridCoord> FocusReports;
};

TEST_F(EmbeddedGrid, FillsItsPlaceInTheLayoutAndPaintsThere) {
  const TRect Place = Window->ControlRect();
  EXPECT_GT(Place.Top, 0) << "the line edit above takes the top of the window";
  EXPECT_EQ(Grid->GetWidth(), Place.Width());
  EXPECT_EQ(Grid->GetHeight(), Place.Height());
  ASSERT_TRUE(Grid->GetShowing());
  Grid->Update();
  // The window shows the grid's pixels where the layout put it: a fixed cell, a scrollable
  // cell, a line between them.
  for (const TPoint P : {TPoint{20, 10}, TPoint{225, 110}, TPoint{64, 40}, TPoint{100, 24}})
    EXPECT_EQ(Window->Pixel(Place.Left + P.X, Place.Top + P.Y),
              Testing::SurfacePixel(*Grid, P.X, P.Y))
        << P.X << ", " << P.Y;
  EXPECT_EQ(Window->Pixel(Place.Left + 20, Place.Top + 10), ColorToRGB(clBtnFace));
  EXPECT_EQ(Window->Pixel(Place.Left + 225, Place.Top + 110), ColorToRGB(clWindow));
}

TEST_F(EmbeddedGrid, TakesKeysAfterAClickAndReportsToTheApplication) {
  Window->Focus(TQtPart::EditBefore);
  Testing::ClickAt(*Grid, 65 * 2 + 30, 25 * 2 + 10);
  EXPECT_EQ(Window->FocusedPart(), TQtPart::Control);
  EXPECT_TRUE(Grid->Focused());
  EXPECT_EQ(Grid->GetCol(), 2);
  EXPECT_EQ(Grid->GetRow(), 2);
  Testing::PressKey(*Grid, VK_DOWN);
  EXPECT_EQ(Grid->GetRow(), 3);
  EXPECT_EQ(KeysHeard, std::vector<unsigned short>{VK_DOWN});
  ASSERT_FALSE(FocusReports.empty());
  EXPECT_EQ(FocusReports.back().X, 2);
  EXPECT_EQ(FocusReports.back().Y, 3);
  EXPECT_EQ(Window->EditText(TQtPart::EditBefore), "") << "the keys went to the grid";
}

TEST_F(EmbeddedGrid, TabAndShiftTabMoveBetweenTheGridAndTheQtWidgets) {
  Window->Focus(TQtPart::EditBefore);
  Window->PressTab();
  EXPECT_EQ(Window->FocusedPart(), TQtPart::Control);
  EXPECT_TRUE(Grid->Focused());
  Window->PressTab();
  EXPECT_EQ(Window->FocusedPart(), TQtPart::EditAfter);
  EXPECT_FALSE(Grid->Focused());
  Window->PressTab(true);
  EXPECT_TRUE(Grid->Focused());
  Window->PressTab(true);
  EXPECT_EQ(Window->FocusedPart(), TQtPart::EditBefore);
  Window->Type("x");
  EXPECT_EQ(Window->EditText(TQtPart::EditBefore), "x");
}

TEST_F(EmbeddedGrid, AGridThatKeepsTabMovesBetweenItsCells) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoTabs});
  Window->Focus(TQtPart::Control);
  const std::int32_t Col = Grid->GetCol();
  Window->PressTab();
  EXPECT_EQ(Window->FocusedPart(), TQtPart::Control);
  EXPECT_EQ(Grid->GetCol(), Col + 1);
}

// Focused, the grid paints as the active control of an active form does (focus frame and
// focused-cell colours); unfocused, as on an inactive one.
TEST_F(EmbeddedGrid, PaintsItsFocusAsOnAnActiveForm) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoShowFocusFrame, ygoShowFocusCell});
  TForm Form(nullptr);
  Form.SetBounds(0, 0, Grid->GetWidth(), Grid->GetHeight());
  auto* OnForm = new TYGrid(&Form);
  OnForm->SetBorderStyle(bsNone);
  OnForm->GetHolder()->ChangeSize(5, 40);
  OnForm->SetOptions(Grid->GetOptions());
  OnForm->SetBounds(0, 0, Grid->GetWidth(), Grid->GetHeight());
  OnForm->SetParent(&Form);
  Form.SetActiveControl(OnForm);
  Form.Activate();
  Testing::ClickAt(*OnForm, 65 * 2 + 30, 25 * 2 + 10);
  OnForm->Update();
  const std::vector<TColor> Active = Testing::SurfacePixels(*OnForm);
  Form.Hide();

  Window->Show(400, 300);
  Testing::ClickAt(*Grid, 65 * 2 + 30, 25 * 2 + 10);
  Grid->Update();
  EXPECT_EQ(Testing::SurfacePixels(*Grid), Active);
  Window->Focus(TQtPart::EditAfter);
  Grid->Update();
  EXPECT_NE(Testing::SurfacePixels(*Grid), Active) << "leaving takes the focus look away";
}

// The grid's scroll range is all or nothing (a fixed thumb range): it is there while rows are
// out of sight, and goes with its bar when the layout gives the grid room for all of them.
TEST_F(EmbeddedGrid, ResizingTheWindowResizesTheGridAndItsScrollRange) {
  Grid->GetHolder()->SetRowCount(12); // 300 pixels of rows
  Window->Resize(400, 200);
  EXPECT_EQ(Grid->GetHeight(), Window->ControlRect().Height());
  EXPECT_LT(Grid->GetHeight(), 300);
  EXPECT_GT(VertScrollMax(), 0);
  EXPECT_TRUE(Testing::ScrollBarVisible(*Grid, SB_VERT));
  Window->Resize(400, 500);
  EXPECT_EQ(Grid->GetHeight(), Window->ControlRect().Height());
  EXPECT_GT(Grid->GetHeight(), 300);
  EXPECT_EQ(VertScrollMax(), 0);
  EXPECT_FALSE(Testing::ScrollBarVisible(*Grid, SB_VERT));
  Window->Resize(400, 200);
  EXPECT_GT(VertScrollMax(), 0);
  EXPECT_TRUE(Testing::ScrollBarVisible(*Grid, SB_VERT));
}

// A control that belongs to a form stays the form's.
TEST(ControlWidget, RefusesAControlThatBelongsToAnother) {
  TForm Form(nullptr);
  auto* Grid = new TYGrid(&Form);
  EXPECT_THROW(Testing::TQtWindowAround{std::unique_ptr<TWinControl>(Grid)}, std::invalid_argument);
  ASSERT_EQ(Form.GetComponentCount(), 1);
  EXPECT_EQ(Form.GetComponents(0), Grid);
}

} // namespace
