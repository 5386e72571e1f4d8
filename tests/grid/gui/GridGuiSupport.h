// A grid on a form, with a window, for tests that look at what it paints.
#pragma once

#include "tests/support/GridTestSupport.h"

#include "host/gui/Forms.h"
#include "host/gui/Testing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// Reaches the state that only the mouse and the scroll bars change.
class TestGrid : public TYGrid {
public:
  using TYGrid::TYGrid;
  void ScrollTo(std::int32_t Left, std::int32_t Top) { TopLeftCoord = {Left, Top}; }
  void Press(std::int32_t Col, std::int32_t Row) {
    ButtonPressed = true;
    PressedCell = {Col, Row};
  }
  std::int32_t GetColPixelOffset() const { return ColPixelOffset; }
};

// What the window shows now equals what painting everything at the grid's position shows: the
// pixels a scroll moved and the strips it had repainted make the right picture. Paints what is
// pending first; leaves the full repaint on the surface.
inline testing::AssertionResult SameAsFullRepaint(TWinControl& Grid) {
  Grid.Update();
  const std::vector<TColor> Shown = Testing::SurfacePixels(Grid);
  Grid.Invalidate();
  Grid.Update();
  const std::vector<TColor> Full = Testing::SurfacePixels(Grid);
  const int Width = Grid.GetClientWidth();
  int Wrong = 0;
  size_t First = 0;
  for (size_t I = 0; I < Shown.size() && I < Full.size(); ++I)
    if (Shown[I] != Full[I] && Wrong++ == 0) First = I;
  if (Wrong == 0 && Shown.size() == Full.size()) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << Wrong << " pixels differ from a full repaint, the first at ("
         << static_cast<int>(First) % Width << ", " << static_cast<int>(First) / Width
         << "): " << std::hex << Shown[First] << " instead of " << Full[First];
}

// Each cell shows its grid position as text ("3:12"), so that a misplaced pixel shows.
inline void ShowPositions(TYCustomGrid& Grid) {
  Grid.OnDrawCellText = [](TYCustomGrid*, TYCell*, std::int32_t ACol, std::int32_t ARow,
                           TYGridDrawStates, TRect&, std::string& Text, bool&, TAlignment&,
                           TYVertAlignment&) {
    Text = std::to_string(ACol) + ":" + std::to_string(ARow);
  };
}

// A 5 x 5 grid of 64 x 24 cells with 1-pixel lines and no border or scroll bars, so that client
// and window pixels coincide: column c starts at 65 * c, row r at 25 * r.
class GridOnForm : public testing::Test {
protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 420, 220);
    Grid = new TestGrid(Form.get());
    Grid->SetBorderStyle(bsNone);
    Grid->SetScrollBars(ssNone);
    Grid->SetBounds(0, 0, 400, 200);
    Grid->SetParent(Form.get());
    Form->Show();
    Activate(true);
  }
  void TearDown() override { Form.reset(); }

  // An active grid is its form's active control on the active form.
  void Activate(bool Active) {
    Form->SetActiveControl(Active ? Grid : nullptr);
    if (Active) Form->Activate();
  }
  // Paints what is pending and reads a pixel of the surface.
  TColor Pixel(int X, int Y) {
    Grid->Update();
    return Testing::SurfacePixel(*Grid, X, Y);
  }
  // A pixel well inside cell (Col, Row) of the unscrolled grid.
  TColor CellPixel(int Col, int Row) { return Pixel(65 * Col + 40, 25 * Row + 4); }
  static TColor Rgb(TColor Color) { return ColorToRGB(Color); }
  // The update region as it stands, without painting it.
  std::vector<TRect> Pending() { return Testing::PendingUpdateRegion(*Grid); }
  std::vector<TRect> WholeClient() {
    return {Rect(0, 0, Grid->GetClientWidth(), Grid->GetClientHeight())};
  }
  // Fills an area of the surface directly (outside painting), after painting what is pending.
  void FillSurface(const TRect& Area, TColor Color) {
    Grid->Update();
    TCanvas* C = Grid->GetCanvas();
    C->GetBrush()->Style = bsSolid;
    C->GetBrush()->Color = Color;
    C->FillRect(Area);
  }
  // The bounding box of the dark pixels (black text on a light field) inside Area; empty when
  // there are none.
  TRect DarkBox(const TRect& Area) {
    Grid->Update();
    TRect Box{Area.Right, Area.Bottom, Area.Left, Area.Top};
    for (int Y = Area.Top; Y < Area.Bottom; ++Y)
      for (int X = Area.Left; X < Area.Right; ++X) {
        const TColor P = Testing::SurfacePixel(*Grid, X, Y);
        if (GetRValue(P) + GetGValue(P) + GetBValue(P) >= 384) continue;
        Box = {std::min(Box.Left, X), std::min(Box.Top, Y), std::max(Box.Right, X + 1),
               std::max(Box.Bottom, Y + 1)};
      }
    return Box;
  }

  std::unique_ptr<TForm> Form;
  TestGrid* Grid = nullptr; // owned by the form
};
