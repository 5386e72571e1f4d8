// Copying to the clipboard, read back from Qt's clipboard in the same process: what each marking
// mode copies, merged cells, hidden vectors, the current cell, and texts that need escaping.
#include "tests/grid/gui/GridGuiSupport.h"

#include "host/gui/WinUser.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {
std::string ClipboardText() {
  const QMimeData* Data = QGuiApplication::clipboard()->mimeData();
  return Data && Data->hasText() ? Data->text().toStdString() : "";
}

// The table rows of the clipboard's HTML, without the document around them.
std::string ClipboardRows() {
  const QMimeData* Data = QGuiApplication::clipboard()->mimeData();
  if (!Data || !Data->hasHtml()) return "";
  const std::string Html = Data->html().toStdString();
  const auto First = Html.find("<tr>");
  const auto Last = Html.rfind("</tr>");
  if (First == std::string::npos || Last == std::string::npos) return "";
  return Html.substr(First, Last + 5 - First);
}
} // namespace

class GridCopy : public GridOnForm {
protected:
  void SetUp() override {
    GridOnForm::SetUp();
    QGuiApplication::clipboard()->setText("before");
    // Each cell tells its holder position, so that hidden and merged cells show.
    Grid->OnGetCellText = [](TYCustomGrid*, TYCell* Cell, std::int32_t, std::int32_t,
                             std::string& Text) {
      Text = std::to_string(Cell->GetHolderCol()) + ":" + std::to_string(Cell->GetHolderRow());
    };
  }
  void Copy() { Testing::PressKey(*Grid, 'C', {ssCtrl}); }
  void Mode(TYGridOption Option) {
    TYGridOptions Options = Grid->GetOptions();
    Options.Include(Option);
    Grid->SetOptions(Options);
  }
  void Merge(TYGridCoord From, TYGridCoord To) {
    Grid->GetHolder()->GetCellsUnions()->Add(From, From, To, true);
  }
};

TEST_F(GridCopy, WithoutATextHandlerNothingIsCopiedAndTheKeysDoWhatTheyDidBefore) {
  Grid->OnGetCellText = nullptr;
  Mode(ygoRowsMarking);
  Grid->SetCol(2);
  Copy();
  Testing::PressKey(*Grid, VK_INSERT, {ssCtrl});
  EXPECT_EQ(ClipboardText(), "before");
  EXPECT_FALSE(Grid->CopyToClipboard());
  EXPECT_EQ(Grid->GetCol(), 2);
  EXPECT_EQ(Grid->GetRow(), 1);
  EXPECT_EQ(Grid->GetMarkedCount(), 0); // Ctrl+Insert is no plain Insert: nothing is marked
}

TEST_F(GridCopy, NothingMarkedCopiesTheCurrentCellWithCtrlCAndCtrlInsert) {
  Grid->MoveCurrent(3, 2, true);
  Copy();
  EXPECT_EQ(ClipboardText(), "3:2\n");
  EXPECT_EQ(ClipboardRows(), "<tr><td>3:2</td></tr>");
  Grid->MoveCurrent(2, 4, true);
  Testing::PressKey(*Grid, VK_INSERT, {ssCtrl});
  EXPECT_EQ(ClipboardText(), "2:4\n");
  EXPECT_EQ(Grid->GetRow(), 4); // and the current cell stays
}

TEST_F(GridCopy, CopyKeysWithShiftOrAltDoNotCopy) {
  Testing::PressKey(*Grid, 'C', {ssCtrl, ssShift});
  Testing::PressKey(*Grid, 'C', {ssCtrl, ssAlt});
  Testing::PressKey(*Grid, 'C');
  EXPECT_EQ(ClipboardText(), "before");
}

TEST_F(GridCopy, MarkedRowsAreCopiedWholeInGridOrderWithTheirHeaders) {
  Mode(ygoRowsMarking);
  Grid->GetRows(4)->SetMarked(true);
  Grid->GetRows(2)->SetMarked(true);
  EXPECT_TRUE(Grid->CopyToClipboard());
  EXPECT_EQ(ClipboardText(), "0:2\t1:2\t2:2\t3:2\t4:2\n0:4\t1:4\t2:4\t3:4\t4:4\n");
  EXPECT_EQ(ClipboardRows(), "<tr><th>0:2</th><td>1:2</td><td>2:2</td><td>3:2</td><td>4:2</td>"
                             "</tr>\n<tr><th>0:4</th><td>1:4</td><td>2:4</td><td>3:4</td>"
                             "<td>4:4</td></tr>");
}

TEST_F(GridCopy, MarkedColumnsAreCopiedDownAllRows) {
  Mode(ygoColsMarking);
  Grid->GetCols(3)->SetMarked(true);
  Copy();
  EXPECT_EQ(ClipboardText(), "3:0\n3:1\n3:2\n3:3\n3:4\n");
  EXPECT_EQ(ClipboardRows(), "<tr><th>3:0</th></tr>\n<tr><td>3:1</td></tr>\n<tr><td>3:2</td>"
                             "</tr>\n<tr><td>3:3</td></tr>\n<tr><td>3:4</td></tr>");
}

TEST_F(GridCopy, MarkedCellsTakeTheirColumnsAndRowsWithUnmarkedFieldsEmpty) {
  Mode(ygoCellsMarking);
  Grid->GetCells(1, 1)->SetMarked(true);
  Grid->GetCells(3, 2)->SetMarked(true);
  Grid->GetCells(4, 4)->SetMarked(true);
  Copy();
  EXPECT_EQ(ClipboardText(), "1:1\t\t\n\t3:2\t\n\t\t4:4\n");
  EXPECT_EQ(ClipboardRows(), "<tr><td>1:1</td><td></td><td></td></tr>\n"
                             "<tr><td></td><td>3:2</td><td></td></tr>\n"
                             "<tr><td></td><td></td><td>4:4</td></tr>");
}

TEST_F(GridCopy, AMergedCurrentCellGivesItsTextOnceAndSpansInHtml) {
  Merge({1, 1}, {2, 2});
  Grid->MoveCurrent(2, 2, true);
  Copy();
  EXPECT_EQ(ClipboardText(), "1:1\t\n\t\n");
  EXPECT_EQ(ClipboardRows(), "<tr><td colspan=\"2\" rowspan=\"2\">1:1</td></tr>\n<tr></tr>");
}

TEST_F(GridCopy, AMergedCellCutByTheMarkedRowsSpansOnlyWhatIsCopied) {
  Mode(ygoRowsMarking);
  Merge({2, 1}, {3, 2});
  Grid->GetRows(2)->SetMarked(true);
  Copy();
  // Its text goes where the copy first meets it, though its main cell lies in row 1.
  EXPECT_EQ(ClipboardText(), "0:2\t1:2\t2:1\t\t4:2\n");
  EXPECT_EQ(ClipboardRows(),
            "<tr><th>0:2</th><td>1:2</td><td colspan=\"2\">2:1</td><td>4:2</td></tr>");
}

TEST_F(GridCopy, AMarkedMergedCellAmongMarkedCellsSpansItsBlock) {
  Mode(ygoCellsMarking);
  Merge({1, 1}, {2, 1});
  Grid->GetCells(1, 1)->SetMarked(true); // the whole merged cell
  Grid->GetCells(3, 2)->SetMarked(true);
  Copy();
  EXPECT_EQ(ClipboardText(), "1:1\t\t\n\t\t3:2\n");
  EXPECT_EQ(ClipboardRows(), "<tr><td colspan=\"2\">1:1</td><td></td></tr>\n"
                             "<tr><td></td><td></td><td>3:2</td></tr>");
}

TEST_F(GridCopy, AMergedCellThatIsNoRectangleSpansNothingAndLeavesOtherCellsTheirText) {
  TYCell* Main = Grid->GetCells(1, 1);
  Grid->GetHolder()->GetCellsUnions()->Add(
      Main, CellsOf({Main, Grid->GetCells(2, 1), Grid->GetCells(1, 2)}), true);
  Grid->MoveCurrent(1, 1, true);
  ASSERT_EQ(Grid->GetCurrentCellRect(), (TYGridRect{1, 1, 2, 2}));
  Copy();
  EXPECT_EQ(ClipboardText(), "1:1\t\n\t2:2\n");
  EXPECT_EQ(ClipboardRows(), "<tr><td>1:1</td><td></td></tr>\n<tr><td></td><td>2:2</td></tr>");
}

TEST_F(GridCopy, HiddenColumnsAndRowsAreLeftOut) {
  Mode(ygoRowsMarking);
  Grid->GetHolder()->GetCols(2)->SetVisible(false);
  Grid->GetHolder()->GetRows(3)->SetVisible(false);
  Testing::PressKey(*Grid, VK_ADD); // marks every visible row
  Copy();
  EXPECT_EQ(ClipboardText(), "0:1\t1:1\t3:1\t4:1\n0:2\t1:2\t3:2\t4:2\n0:4\t1:4\t3:4\t4:4\n");
}

TEST_F(GridCopy, MarksOnlyOnHiddenRowsCountAsNothingMarked) {
  Mode(ygoRowsMarking);
  Grid->GetRows(3)->SetMarked(true);
  Grid->GetHolder()->GetRows(3)->SetVisible(false);
  Grid->MoveCurrent(4, 2, true);
  Copy();
  EXPECT_EQ(ClipboardText(), "4:2\n");
}

TEST_F(GridCopy, TabsAndLineBreaksBecomeSpacesInTextAndHtmlIsEscaped) {
  Grid->OnGetCellText = [](TYCustomGrid*, TYCell*, std::int32_t, std::int32_t, std::string& Text) {
    Text = "a\tb\nc\r\nd <&> \"q\" 'x'";
  };
  Copy();
  EXPECT_EQ(ClipboardText(), "a b c  d <&> \"q\" 'x'\n");
  EXPECT_EQ(ClipboardRows(),
            "<tr><td>a\tb<br>c<br>d &lt;&amp;&gt; &quot;q&quot; &#39;x&#39;</td></tr>");
}

TEST_F(GridCopy, TheTextEventSeesTheMainCellAtThePositionCopied) {
  Merge({1, 1}, {2, 1});
  std::vector<std::string> Calls;
  Grid->OnGetCellText = [&](TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol,
                            std::int32_t ARow, std::string& Text) {
    EXPECT_EQ(Sender, Grid);
    EXPECT_TRUE(Text.empty());
    Calls.push_back(std::to_string(Cell->GetHolderCol()) + "@" + std::to_string(ACol) + ":" +
                    std::to_string(ARow));
  };
  Grid->MoveCurrent(2, 1, true);
  Copy();
  EXPECT_EQ(Calls, std::vector<std::string>{"1@1:1"});
  EXPECT_EQ(Grid->GetCellText(2, 1), "");
  EXPECT_EQ(Calls.back(), "1@2:1");
  EXPECT_THROW(Grid->GetCellText(5, 0), EYInvalidGridOperation);
}
