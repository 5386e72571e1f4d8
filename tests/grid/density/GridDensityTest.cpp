// The grid on a screen of device pixel ratio 2 (this program sets Qt's scale factor 2 before
// its application object exists): layout, hit tests and input stay in logical pixels while the
// surface holds twice as many pixels each way, every line and edge covering whole device pixels.
#include "tests/grid/gui/GridGuiSupport.h"

#include "host/gui/Messages.h"

#include <cstdlib>
#include <set>

namespace {

// Before main, so before the first window creates the application object.
const bool ScaleFactorSet =
    setenv("QT_SCALE_FACTOR", "2", 1) == 0 && setenv("QT_SCREEN_SCALE_FACTORS", "", 1) == 0;

using namespace Testing;

constexpr int Ratio = 2;

class GridDensity : public GridOnForm {
protected:
  // A device pixel of the surface, after painting what is pending.
  TColor Device(int X, int Y) {
    Grid->Update();
    return SurfacePixel(*Grid, X, Y);
  }
  // The device pixels of Area (logical), row by row.
  std::vector<TColor> DeviceArea(const TRect& Area) {
    std::vector<TColor> Result;
    for (int Y = Area.Top * Ratio; Y < Area.Bottom * Ratio; ++Y)
      for (int X = Area.Left * Ratio; X < Area.Right * Ratio; ++X)
        Result.push_back(Device(X, Y));
    return Result;
  }
  static bool Dark(TColor P) { return GetRValue(P) + GetGValue(P) + GetBValue(P) < 384; }
};

TEST_F(GridDensity, TheSurfaceHoldsDevicePixelsOfTheLogicalClientArea) {
  ASSERT_EQ(Grid->GetClientWidth(), 400); // layout in logical pixels, as at ratio 1
  ASSERT_EQ(Grid->GetClientHeight(), 200);
  Grid->Update();
  EXPECT_EQ(SurfacePixels(*Grid).size(), static_cast<std::size_t>(400 * Ratio * 200 * Ratio));
  EXPECT_EQ(Grid->GetColWidths(1), 64);
}

TEST_F(GridDensity, GridLinesAreWholeDevicePixelsScaledByTheRatio) {
  const int Y = (25 * 2 + 10) * Ratio; // inside row 2
  const TColor Line = Device(64 * Ratio, Y);
  EXPECT_EQ(Device(64 * Ratio + 1, Y), Line) << "a one-pixel line is two device pixels wide";
  EXPECT_NE(Device(64 * Ratio - 1, Y), Line);
  EXPECT_NE(Device(64 * Ratio + 2, Y), Line);
  const int X = (65 * 2 + 30) * Ratio; // inside column 2
  const TColor Across = Device(X, (25 * 2 + 24) * Ratio);
  EXPECT_EQ(Device(X, (25 * 2 + 24) * Ratio + 1), Across);
  EXPECT_NE(Device(X, (25 * 2 + 24) * Ratio - 1), Across);
  EXPECT_NE(Device(X, (25 * 2 + 24) * Ratio + 2), Across);
}

TEST_F(GridDensity, TextIsRenderedWithDevicePixelsNotEnlarged) {
  ShowPositions(*Grid);
  Grid->InvalidateGrid();
  const TRect Cell{65 * 2, 25 * 3, 65 * 2 + 64, 25 * 3 + 24};
  const std::vector<TColor> Pixels = DeviceArea(Cell);
  const int Width = 64 * Ratio;
  std::set<int> Rows;
  bool OffGridEdge = false; // a glyph edge between two device pixels of one logical pixel
  for (std::size_t I = 0; I < Pixels.size(); ++I) {
    if (!Dark(Pixels[I])) continue;
    const int X = static_cast<int>(I) % Width, Y = static_cast<int>(I) / Width;
    Rows.insert(Y);
    const bool LeftDark = X > 0 && Dark(Pixels[I - 1]);
    if (X % 2 == 1 && !LeftDark) OffGridEdge = true;
  }
  ASSERT_FALSE(Rows.empty()) << "the text shows";
  EXPECT_GE(*Rows.rbegin() - *Rows.begin() + 1, 14) << "glyphs at the device size";
  EXPECT_TRUE(OffGridEdge) << "an enlarged picture starts every run on an even pixel";
}

TEST_F(GridDensity, TheDottedFocusFrameHasDotsOfOneLogicalPixel) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoShowFocusFrame});
  Grid->InvalidateGrid();
  // The top edge of the current cell (1, 1): dots of 2 x 2 device pixels alternate.
  const int Top = 25 * Ratio;
  std::vector<TColor> Edge;
  for (int X = 66 * Ratio; X < 120 * Ratio; ++X)
    Edge.push_back(Device(X, Top));
  for (std::size_t I = 0; I + 2 < Edge.size(); I += 2) {
    ASSERT_EQ(Edge[I], Edge[I + 1]) << I;
    ASSERT_NE(Edge[I], Edge[I + 2]) << I;
  }
  for (int X = 66 * Ratio; X < 120 * Ratio; ++X)
    ASSERT_EQ(Device(X, Top + 1), Device(X, Top)) << "two device pixels thick at " << X;
}

TEST_F(GridDensity, TheSolidFocusFrameIsTwoDevicePixelsThick) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoShowFocusFrame});
  Grid->SetFocusFrameStyle(yffRect);
  Grid->InvalidateGrid();
  const int X = 90 * Ratio;
  const TColor Frame = Device(X, 25 * Ratio);
  EXPECT_EQ(Device(X, 25 * Ratio + 1), Frame);
  EXPECT_NE(Device(X, 25 * Ratio + 2), Frame);
  EXPECT_EQ(Device(65 * Ratio + 1, 35 * Ratio), Frame); // the left side
  EXPECT_NE(Device(65 * Ratio + 2, 35 * Ratio), Frame);
}

TEST_F(GridDensity, FixedButtonsPressAndReleaseWithSharpEdges) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoSupportFixedButtons});
  const std::vector<TColor> Raised = DeviceArea({65 * 2, 0, 65 * 2 + 65, 25});
  const TColor RaisedEdge = Device(65 * 2 * Ratio, 10 * Ratio);
  EXPECT_EQ(Device(65 * 2 * Ratio + 1, 10 * Ratio), RaisedEdge);
  MouseDownAt(*Grid, 65 * 2 + 30, 10);
  const TColor PressedEdge = Device(65 * 2 * Ratio, 10 * Ratio);
  EXPECT_NE(PressedEdge, RaisedEdge);
  EXPECT_EQ(Device(65 * 2 * Ratio + 1, 10 * Ratio), PressedEdge);
  MouseUpAt(*Grid, 65 * 2 + 30, 10);
  EXPECT_EQ(DeviceArea({65 * 2, 0, 65 * 2 + 65, 25}), Raised);
}

TEST_F(GridDensity, ImagesAreScaledOnceWithTheirTransparentColour) {
  Grid->Update();
  TCanvas* C = Grid->GetCanvas();
  C->GetBrush()->Color = clYellow;
  C->FillRect({200, 100, 260, 160});
  TBitmap Bitmap;
  Bitmap.SetSize(4, 4);
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 0; X < 4; ++X)
      Bitmap.GetCanvas()->SetPixel(X, Y, X == 0 || Y == 0 || X == 3 || Y == 3 ? clLime : clRed);
  TYCustomGrid::StretchBitmapTransparent(C, &Bitmap, clLime, 210, 110, 0, 0, 0, 0, 0, 0);
  // Each picture pixel is a 2 x 2 block; the transparent frame leaves the yellow.
  for (int Y = 0; Y < 4 * Ratio; ++Y)
    for (int X = 0; X < 4 * Ratio; ++X) {
      const bool Centre = X >= Ratio && X < 3 * Ratio && Y >= Ratio && Y < 3 * Ratio;
      ASSERT_EQ(SurfacePixel(*Grid, 210 * Ratio + X, 110 * Ratio + Y),
                Centre ? ColorToRGB(clRed) : ColorToRGB(clYellow))
          << X << ", " << Y;
    }
}

TEST_F(GridDensity, TheSizingLineIsDrawnAndErasedExactly) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoColSizing});
  Grid->Update();
  const std::vector<TColor> Before = SurfacePixels(*Grid);
  MouseDownAt(*Grid, 65 * 2 - 1, 5); // on the line after column 1
  ASSERT_EQ(Grid->GetGridState(), ygsColSizing);
  EXPECT_NE(SurfacePixels(*Grid), Before) << "the line shows";
  MoveTo(*Grid, 65 * 2 + 29, 5, {ssLeft});
  Grid->Perform(CM_CANCELMODE, 0, 0);
  EXPECT_EQ(SurfacePixels(*Grid), Before) << "drawn twice, the line is gone";
  MouseUpAt(*Grid, 65 * 2 + 29, 5);
  EXPECT_EQ(Grid->GetColWidths(1), 64);
}

TEST_F(GridDensity, MousePositionsFindTheSameCellsAsAtRatioOne) {
  ClickAt(*Grid, 65 * 3 + 10, 25 * 3 + 5);
  EXPECT_EQ(Grid->GetCol(), 3);
  EXPECT_EQ(Grid->GetCurrentCellRect().Top, 3);
  ClickAt(*Grid, 65 * 2 - 2, 25 * 2 - 2); // the last pixels of cell (1, 1)
  EXPECT_EQ(Grid->GetCol(), 1);
  EXPECT_EQ(Grid->GetCurrentCellRect().Top, 1);
}

} // namespace
