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
};

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
