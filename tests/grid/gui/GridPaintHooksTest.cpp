// Painting as the host's hooks see it: merged cells partly scrolled out or left alone by hidden
// vectors, a cell the host draws itself, and a hook that raises in the middle of a paint.
#include "tests/grid/gui/GridGuiSupport.h"

#include <functional>

namespace {

// One call of a drawing hook.
struct HookCall {
  std::string Hook; // "before", "field", "image", "text", "after"
  const TYCell* Cell;
  std::int32_t Col, Row;
  TYGridDrawStates State;
  TRect Rect;
};

// Logs every drawing hook call; Filter picks the cells to log (all when empty).
class PaintLog {
public:
  void Attach(TYCustomGrid& G) {
    G.OnBeforeDrawCell = [this](TYCustomGrid*, TYCell* C, std::int32_t X, std::int32_t Y,
                                TYGridDrawStates S, const TRect& R,
                                bool&) { Note("before", C, X, Y, S, R); };
    G.OnDrawCellField = [this](TYCustomGrid*, TYCell* C, std::int32_t X, std::int32_t Y,
                               TYGridDrawStates S, const TRect& R,
                               bool&) { Note("field", C, X, Y, S, R); };
    G.OnDrawCellText = [this](TYCustomGrid*, TYCell* C, std::int32_t X, std::int32_t Y,
                              TYGridDrawStates S, TRect& R, std::string& Text, bool&,
                              TAlignment& Hor, TYVertAlignment&) {
      Note("text", C, X, Y, S, R);
      if (TextFor && C == TextFor) {
        Text = "Merged";
        Hor = taCenter;
      }
    };
    G.OnAfterDrawCell = [this](TYCustomGrid*, TYCell* C, std::int32_t X, std::int32_t Y,
                               TYGridDrawStates S,
                               const TRect& R) { Note("after", C, X, Y, S, R); };
  }
  // The calls of one hook at one grid position.
  std::vector<HookCall> Of(const std::string& Hook, std::int32_t Col, std::int32_t Row) const {
    std::vector<HookCall> Result;
    for (const HookCall& C : Calls)
      if (C.Hook == Hook && C.Col == Col && C.Row == Row) Result.push_back(C);
    return Result;
  }
  // The calls of one hook that received Cell.
  int CountFor(const std::string& Hook, const TYCell* Cell) const {
    return static_cast<int>(std::count_if(Calls.begin(), Calls.end(), [&](const HookCall& C) {
      return C.Hook == Hook && C.Cell == Cell;
    }));
  }
  std::vector<HookCall> Calls;
  const TYCell* TextFor = nullptr; // gets the text "Merged", centred
  std::function<void(std::int32_t Col, std::int32_t Row)> AfterAction; // runs in OnAfterDrawCell

private:
  void Note(const std::string& Hook, const TYCell* Cell, std::int32_t Col, std::int32_t Row,
            TYGridDrawStates State, const TRect& R) {
    Calls.push_back({Hook, Cell, Col, Row, State, R});
    if (Hook == "after" && AfterAction) AfterAction(Col, Row);
  }
};

class GridPaintHooks : public GridOnForm {
protected:
  TYCellsUnions* Unions() { return Grid->GetHolder()->GetCellsUnions(); }
  // Paints the whole grid and logs the hook calls of that paint only.
  void Repaint() {
    Grid->InvalidateGrid();
    Log.Calls.clear();
    Grid->Update();
  }
  PaintLog Log;
};

// ---------------------------------------------------------------- merged cells

// Columns 2..4 of row 2 merged; scrolled so that column 3 is the first scrollable column shown:
// the piece starts at the fixed boundary (x 65) and ends after column 4 (x 194).
class GridScrolledUnion : public GridPaintHooks {
protected:
  void SetUp() override {
    GridPaintHooks::SetUp();
    Grid->GetHolder()->SetColCount(12);
    Unions()->Add({2, 2}, {2, 2}, {4, 2}, true);
    Main = Grid->GetCells(2, 2);
    Log.Attach(*Grid);
    Log.TextFor = Main;
    auto Logged = Grid->OnDrawCellField;
    Grid->OnDrawCellField = [this, Logged](TYCustomGrid* Sender, TYCell* Cell, std::int32_t Col,
                                           std::int32_t Row, TYGridDrawStates State, const TRect& R,
                                           bool& Custom) {
      Logged(Sender, Cell, Col, Row, State, R, Custom);
      if (Cell == Main) Sender->GetCanvas()->GetBrush()->Color = clYellow; // the grid fills with it
    };
    Grid->ScrollTo(3, 1);
  }
  TYCell* Main = nullptr;
};

TEST_F(GridScrolledUnion, IsPaintedFromLeftColWithItsTextInTheVisiblePart) {
  Repaint();
  ASSERT_EQ(Log.CountFor("text", Main), 1);
  const auto Texts = Log.Of("text", 3, 2); // met first at LeftCol
  ASSERT_EQ(Texts.size(), 1u);
  EXPECT_EQ(Texts[0].Rect, Rect(65, 50, 194, 74));
  EXPECT_EQ(Pixel(64, 60), Rgb(clWindowFrame)); // the fixed column's line
  EXPECT_EQ(Pixel(66, 52), clYellow);
  EXPECT_EQ(Pixel(192, 52), clYellow);
  EXPECT_EQ(Pixel(194, 52), Rgb(clBtnShadow)); // the line right of the piece
  const TRect Ink = DarkBox(Rect(65, 50, 194, 74));
  ASSERT_FALSE(Ink.IsEmpty());
  EXPECT_LE(std::abs((Ink.Left + Ink.Right) - (65 + 194)), 4) << "centred in the visible part";
}

// Only the columns shown count for the current column: the piece no longer reaches column 2.
TEST_F(GridScrolledUnion, CountsOnlyItsShownColumnsForTheCurrentColumn) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoShowCurCol});
  Grid->MoveCurrent(2, 4, false);
  Grid->ScrollTo(3, 1);
  Repaint();
  ASSERT_EQ(Log.Of("field", 3, 2).size(), 1u);
  EXPECT_FALSE(Log.Of("field", 3, 2)[0].State.Contains(ygdCurrent));
  Grid->MoveCurrent(4, 4, false);
  Grid->ScrollTo(3, 1);
  Repaint();
  ASSERT_EQ(Log.Of("field", 3, 2).size(), 1u);
  EXPECT_TRUE(Log.Of("field", 3, 2)[0].State.Contains(ygdCurrent));
}

// Columns 2 and 3 of row 2 merged, main cell in column 3; hiding column 3 leaves the cell in
// column 2 alone: no piece, yet still a cell of the union.
TEST_F(GridPaintHooks, AUnionCellLeftAloneIsPaintedAsItselfForItsUnionsMainCell) {
  Unions()->Add({3, 2}, {2, 2}, {3, 2}, true);
  TYCell* Main = Grid->GetCells(3, 2);
  TYCell* Alone = Grid->GetCells(2, 2);
  Grid->GetCols(3)->SetVisible(false);
  ASSERT_TRUE(Alone->GetBelongsToUnion());
  ASSERT_FALSE(Alone->GetUnioned());
  Log.Attach(*Grid);
  Log.TextFor = Main;
  Repaint();
  ASSERT_EQ(Log.Of("before", 2, 2).size(), 1u);
  EXPECT_EQ(Log.Of("before", 2, 2)[0].Cell, Alone);
  for (const char* Hook : {"field", "text", "after"}) {
    const auto Calls = Log.Of(Hook, 2, 2);
    ASSERT_EQ(Calls.size(), 1u) << Hook;
    EXPECT_EQ(Calls[0].Cell, Main) << Hook;
    EXPECT_EQ(Calls[0].Rect, Rect(130, 50, 194, 74)) << Hook;
  }
  EXPECT_EQ(Pixel(194, 52), Rgb(clBtnShadow)); // its own right line: one cell wide
  const TRect Ink = DarkBox(Rect(130, 50, 194, 74));
  EXPECT_FALSE(Ink.IsEmpty()) << "the main cell's text";
  EXPECT_TRUE(DarkBox(Rect(195, 50, 259, 74)).IsEmpty());
}

// ---------------------------------------------------------------- the host drawing a cell

class GridCustomDraw : public GridPaintHooks {
protected:
  void SetUp() override {
    GridPaintHooks::SetUp();
    Grid->Update(); // every cell is white now
    Log.Attach(*Grid);
    // The host draws a red corner in cell (2, 2) and takes the cell over.
    auto Logged = Grid->OnBeforeDrawCell;
    Grid->OnBeforeDrawCell = [Logged](TYCustomGrid* Sender, TYCell* Cell, std::int32_t Col,
                                      std::int32_t Row, TYGridDrawStates State, const TRect& R,
                                      bool& Custom) {
      Logged(Sender, Cell, Col, Row, State, R, Custom);
      if (Col != 2 || Row != 2) return;
      TBrush* Brush = Sender->GetCanvas()->GetBrush();
      const TColor Prepared = Brush->Color; // the cell's colour, left for the grid
      Brush->Color = clRed;
      Sender->GetCanvas()->FillRect({R.Left, R.Top, R.Left + 5, R.Top + 5});
      Brush->Color = Prepared;
      Custom = true;
    };
    Log.Calls.clear();
    Grid->GetColors()->SetColor(ycDefaultCellColor1NotMark, clYellow);
    Grid->GetColors()->SetColor(ycGridLineColor, clBlue);
  }
};

TEST_F(GridCustomDraw, LeavesOnlyTheLinesAndWhatTheHandlerDrew) {
  EXPECT_EQ(Pixel(132, 52), clRed);         // the handler's corner
  EXPECT_EQ(Pixel(170, 62), Rgb(clWindow)); // no field: the old pixels stay
  EXPECT_EQ(Pixel(194, 62), clBlue);        // its lines are drawn before the hook
  EXPECT_EQ(Pixel(160, 74), clBlue);
  EXPECT_EQ(Pixel(65 * 3 + 40, 62), clYellow); // its neighbour is painted as usual
  EXPECT_EQ(Log.Of("before", 2, 2).size(), 1u);
  for (const char* Hook : {"field", "text", "after"})
    EXPECT_TRUE(Log.Of(Hook, 2, 2).empty()) << Hook;
  EXPECT_EQ(Log.Of("after", 3, 2).size(), 1u);
}

TEST_F(GridCustomDraw, InDesignModeTheCellIsPaintedAnyway) {
  Grid->SetDesigning(true);
  Repaint();
  EXPECT_EQ(Pixel(132, 52), clYellow); // the field covers the handler's corner
  EXPECT_EQ(Pixel(170, 62), clYellow);
  for (const char* Hook : {"before", "field", "text", "after"})
    EXPECT_EQ(Log.Of(Hook, 2, 2).size(), 1u) << Hook;
  Grid->SetDesigning(false);
}

// ---------------------------------------------------------------- a raising hook

// A 2 x 2 union at columns and rows 2..3, painted before cell (4, 4), whose after hook raises.
class GridRaisingHook : public GridPaintHooks {
protected:
  void SetUp() override {
    GridPaintHooks::SetUp();
    Unions()->Add({2, 2}, {2, 2}, {3, 3}, true);
    Main = Grid->GetCells(2, 2);
    Log.Attach(*Grid);
    Log.AfterAction = [this](std::int32_t Col, std::int32_t Row) {
      if (Raise && Col == 4 && Row == 4) throw Exception("the host failed");
    };
  }
  bool AllCountersZero() {
    for (std::int32_t U = 0; U < Unions()->GetUnionsCount(); ++U)
      for (std::int32_t P = 0; P < Unions()->GetUnions(U)->GetGridUnionsCount(); ++P)
        if (Unions()->GetUnions(U)->GetGridUnions(P)->GetPaintCounter() != 0) return false;
    return true;
  }
  // Paints directly, as the window's paint handling does, and answers what it raised.
  std::string PaintRaising() {
    try {
      Grid->Paint();
    } catch (const Exception& E) {
      return E.GetMessage();
    }
    return "nothing";
  }
  TYCell* Main = nullptr;
  bool Raise = true;
};

TEST_F(GridRaisingHook, TheExceptionPassesAndTheMergedCellPaintsAgainNextTime) {
  ASSERT_EQ(Unions()->GetUnions(0)->GetGridUnionsCount(), 1);
  EXPECT_EQ(PaintRaising(), "the host failed");
  EXPECT_EQ(Log.CountFor("field", Main), 1) << "the union was painted before the failure";
  EXPECT_TRUE(AllCountersZero());
  Raise = false;
  Repaint();
  EXPECT_EQ(Log.CountFor("field", Main), 1);
  EXPECT_EQ(Log.CountFor("after", Main), 1);
}

TEST_F(GridRaisingHook, ARightToLeftGridGetsItsOrientationBack) {
  Grid->SetBiDiMode(bdRightToLeft);
  Grid->Update();
  EXPECT_EQ(PaintRaising(), "the host failed");
  EXPECT_TRUE(AllCountersZero());
  // Drawing on the canvas outside painting is not mirrored any more.
  FillSurface(Rect(0, 0, 3, 3), clRed);
  EXPECT_EQ(Pixel(1, 1), clRed);
  EXPECT_NE(Pixel(Grid->GetClientWidth() - 2, 1), clRed);
  Grid->SetBiDiMode(bdLeftToRight);
}

} // namespace
