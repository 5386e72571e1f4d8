// The demo's form in-process, offscreen: what its stored description gives, what the
// constructor adds, the texts and images its handlers supply, and how it reads "Content.ini".
#include "tests/app/DemoFormSupport.h"

#include "host/classes/ComponentStreams.h"
#include "host/classes/StringLists.h"
#include "host/classes/SysUtils.h"
#include "host/gui/Clipbrd.h"
#include "host/gui/Testing.h"
#include "host/gui/Window.h"

#include <QAccessible>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <set>

namespace {

TEST_F(DemoForm, TheStoredDescriptionGivesTheComponentsAndTheirProperties) {
  Open(nullptr);
  EXPECT_EQ(Form->GetCaption(), "Form1");
  EXPECT_EQ(Form->GetBoundsRect(), (TRect{286, 129, 286 + 653, 129 + 348}));
  EXPECT_EQ(Form->GetColor(), clBtnFace);
  EXPECT_EQ(Form->GetFont()->GetName(), "MS Sans Serif");
  EXPECT_EQ(Form->GetFont()->GetHeight(), -11);

  TStatusBar* Status = Form->StatusBar1;
  EXPECT_EQ(Status->GetAlign(), alBottom);
  EXPECT_EQ(Status->GetHeight(), 19);
  ASSERT_EQ(Status->GetPanels()->GetCount(), 1);
  EXPECT_EQ((*Status->GetPanels())[0]->GetWidth(), 100);
  EXPECT_FALSE(Status->GetSimplePanel());

  EXPECT_EQ(Grid->GetAlign(), alClient);
  EXPECT_EQ(Grid->GetTabOrder(), 1);
  EXPECT_EQ(Grid->GetBoundsRect(), (TRect{0, 0, 653, 348 - 19}));
  EXPECT_EQ(Holder->GetColCount(), 7);
  EXPECT_EQ(Holder->GetRowCount(), 4);
  EXPECT_EQ(Holder->GetFixedCols(), 1);
  EXPECT_EQ(Holder->GetFixedRows(), 3);
  for (int I = 0; I < 7; ++I)
    EXPECT_EQ(Holder->GetColWidths(I), 64);
  for (int I = 0; I < 4; ++I)
    EXPECT_EQ(Holder->GetRowHeights(I), 24);
  EXPECT_EQ(Grid->GetImages(), Form->ImageList1);
  EXPECT_EQ(Grid->GetFocusFrameStyle(), yffDotRect);
  EXPECT_EQ(
      Grid->GetOptions(),
      (TYGridOptions{ygoFixedVertLine, ygoFixedHorzLine, ygoVertLine, ygoHorzLine, ygoShowFocusCell,
                     ygoShowFocusFrame, ygoShowCurCol, ygoShowCurRow, ygoDrawMaskedImages,
                     ygoSupportFixedButtons, ygoRowsMarking, ygoZebraCols, ygoZebraRows,
                     ygoColSizing, ygoRowMoving, ygoColMoving, ygoThumbTracking}));
  for (int I = 0; I < YGridPublishedColorCount; ++I)
    EXPECT_EQ(Grid->GetColors()->GetColor(I), TYGridColors::DefaultColor(I)) << I;
  for (int I = 0; I < YGridFontCount; ++I) {
    const TFont* Font = Grid->GetFonts()->GetFont(I);
    EXPECT_EQ(Font->GetName(), "Tahoma");
    EXPECT_EQ(Font->GetHeight(), -11);
    EXPECT_EQ(Font->GetCharset(), DEFAULT_CHARSET);
    const bool Highlight = I >= 6 && I <= 11;
    EXPECT_EQ(Font->GetColor(), Highlight ? clHighlightText : clWindowText) << I;
    EXPECT_EQ(Font->GetStyle(), I >= 6 ? TFontStyles{fsBold} : TFontStyles{}) << I;
  }
  const std::map<std::string, std::string> Bound = {{"OnFocusCell", "YGrid1FocusCell"},
                                                    {"OnFreeCell", "YGrid1FreeCell"},
                                                    {"OnFreeCellsVector", "YGrid1FreeCellsVector"},
                                                    {"OnDrawCellText", "YGrid1DrawCellText"},
                                                    {"OnDrawImage", "YGrid1DrawImage"},
                                                    {"OnMarkRow", "YGrid1MarkRow"},
                                                    {"OnCheckButton", "YGrid1CheckButton"},
                                                    {"OnFixedCellClick", "YGrid1FixedCellClick"},
                                                    {"OnGetCellText", "YGrid1GetCellText"}};
  for (const auto& [Event, Handler] : Bound)
    EXPECT_EQ(Grid->GetEventBinding(Event), Handler);
  EXPECT_TRUE(Grid->OnDrawCellText && Grid->OnDrawImage && Grid->OnFocusCell && Grid->OnFreeCell &&
              Grid->OnFreeCellsVector && Grid->OnMarkRow && Grid->OnCheckButton &&
              Grid->OnFixedCellClick && Grid->OnGetCellText);
  EXPECT_FALSE(Grid->OnClick);

  TImageList* Images = Form->ImageList1;
  EXPECT_EQ(Images->GetCount(), 4);
  EXPECT_EQ(Images->GetWidth(), 16);
  EXPECT_EQ(Images->GetHeight(), 16);
  EXPECT_FALSE(Images->GetMasked());
}

TEST_F(DemoForm, TheStoredDescriptionSurvivesTextBinaryText) {
  TMemoryStream Text(
      std::vector<std::uint8_t>(Unit1FormText, Unit1FormText + std::strlen(Unit1FormText)));
  TMemoryStream Binary;
  ObjectTextToBinary(Text, Binary);
  Binary.SetPosition(0);
  TMemoryStream Again;
  ObjectBinaryToText(Binary, Again);
  EXPECT_EQ(std::string(Again.GetBytes().begin(), Again.GetBytes().end()), Unit1FormText);
}

TEST_F(DemoForm, EveryCutOfTheStoredDescriptionFailsAsAReadError) {
  const std::string Text = Unit1FormText;
  for (size_t Length = 0; Length + 1 < Text.size(); Length += 3) {
    TMemoryStream Input(std::vector<std::uint8_t>(Text.begin(), Text.begin() + Length));
    TMemoryStream Binary;
    EXPECT_THROW(ObjectTextToBinary(Input, Binary), EReadError) << Length;
  }
}

TEST_F(DemoForm, TheFourImagesAreBlackBackedPictures) {
  Open(nullptr);
  TBitmap Image;
  // Corners are black (drawn transparent); the marks are cyan on dark blue or grey.
  const struct {
    int Index, X, Y;
    TColor Color;
  } Pixels[] = {{0, 0, 0, clBlack},
                {0, 7, 3, RGB(0, 255, 255)},
                {0, 2, 10, RGB(0, 0, 128)},
                {1, 7, 12, RGB(0, 255, 255)},
                {2, 7, 7, RGB(192, 192, 192)},
                {2, 0, 7, RGB(0, 0, 128)},
                {3, 4, 8, RGB(0, 255, 255)},
                {3, 12, 8, clBlack}};
  for (const auto& P : Pixels) {
    ASSERT_TRUE(Form->ImageList1->GetBitmap(P.Index, &Image));
    EXPECT_EQ(Image.GetCanvas()->GetPixel(P.X, P.Y), P.Color)
        << P.Index << " " << P.X << "," << P.Y;
  }
}

TEST_F(DemoForm, TheHeaderIsFiveUnionsOverTwoRows) {
  Open(nullptr);
  EXPECT_EQ(Holder->GetCellsUnions()->GetUnionsCount(), 5);
  const auto UnionAt = [&](int C, int R) { return Holder->GetCells(C, R)->GetUnion(); };
  EXPECT_EQ(UnionAt(0, 0), UnionAt(0, 1));
  for (int C = 2; C <= 6; ++C)
    EXPECT_EQ(UnionAt(C, 0), UnionAt(1, 0));
  EXPECT_EQ(UnionAt(1, 0)->GetMainCell(), Holder->GetCells(1, 0));
  for (int Group = 0; Group < 3; ++Group) {
    ASSERT_NE(UnionAt(1 + 2 * Group, 1), nullptr);
    EXPECT_EQ(UnionAt(1 + 2 * Group, 1), UnionAt(2 + 2 * Group, 1));
    EXPECT_EQ(UnionAt(1 + 2 * Group, 1)->GetCellsCount(), 2);
  }
  EXPECT_NE(UnionAt(2, 1), UnionAt(3, 1));
  for (int C = 0; C < 7; ++C)
    EXPECT_EQ(UnionAt(C, 2), nullptr) << C;
}

TEST_F(DemoForm, TheTwoLineExampleFillsRowsAndNumbers) {
  Open("a b c\r\nd  e\r\n");
  EXPECT_EQ(Holder->GetRowCount(), 5);
  EXPECT_EQ(TextOf(1, 3), "a");
  EXPECT_EQ(TextOf(2, 3), "b");
  EXPECT_EQ(TextOf(3, 3), "c");
  EXPECT_EQ(TextOf(4, 3), "");
  EXPECT_EQ(TextOf(1, 4), "d");
  EXPECT_EQ(TextOf(2, 4), "");
  EXPECT_EQ(TextOf(3, 4), "e");
  EXPECT_EQ(Supply(0, 3).Text, "1");
  EXPECT_EQ(Supply(0, 4).Text, "2");
  EXPECT_TRUE(Form->GetCutLines().empty());
  // Every row and column carries its number; the fixed rows -1.
  for (int C = 0; C < 7; ++C)
    EXPECT_EQ(*static_cast<std::int32_t*>(Holder->GetCols(C)->GetData()), C);
  EXPECT_EQ(*static_cast<std::int32_t*>(Holder->GetRows(2)->GetData()), -1);
}

TEST_F(DemoForm, LineEndingsEmptyLinesAndSpacesSplitAsTheStringListDoes) {
  Open("x\ry\n\nz \r\nw");
  EXPECT_EQ(Holder->GetRowCount(), 3 + 5);
  EXPECT_EQ(TextOf(1, 3), "x");
  EXPECT_EQ(TextOf(1, 4), "y");
  EXPECT_EQ(TextOf(1, 5), "");  // an empty line is a row without fields
  EXPECT_EQ(TextOf(1, 6), "z"); // a trailing space adds no field
  EXPECT_EQ(TextOf(2, 6), "");
  EXPECT_EQ(TextOf(1, 7), "w");
  EXPECT_EQ(Supply(0, 7).Text, "5");
}

TEST_F(DemoForm, OldWindows1251FilesAndUtf8FilesBothShowCyrillic) {
  // "Мир" in Windows-1251 on the first line, in UTF-8 on the second.
  Open("\xCC\xE8\xF0 \xC4\xE0\xED\xED\xFB\xE5\n"
       "Мир Данные\n");
  EXPECT_EQ(TextOf(1, 3), "Мир");
  EXPECT_EQ(TextOf(2, 3), "Данные");
  EXPECT_EQ(TextOf(1, 4), "Мир");
  EXPECT_EQ(TextOf(2, 4), "Данные");
}

TEST_F(DemoForm, ALineWithTooManyFieldsKeepsWhatFitsAndIsReported) {
  Application->QueueMessageBoxAnswer(IDOK);
  Open("1 2 3 4 5 6 7 8\nok\n1 2 3 4 5 6 7\n");
  EXPECT_EQ(Holder->GetRowCount(), 6);
  EXPECT_EQ(TextOf(6, 3), "6");
  EXPECT_EQ(TextOf(1, 4), "ok");
  EXPECT_EQ(TextOf(6, 5), "6");
  EXPECT_EQ(Form->GetCutLines(), (std::vector<int>{1, 3}));
  EXPECT_TRUE(Application->GetMessageBoxCalls().empty()); // not before the form is shown
  Form->Show();
  ASSERT_EQ(Application->GetMessageBoxCalls().size(), 1u);
  const auto& Call = Application->GetMessageBoxCalls()[0];
  EXPECT_NE(Call.Text.find("1, 3"), std::string::npos) << Call.Text;
  EXPECT_EQ(Call.Caption, "ВНИМАНИЕ");
  Form->Hide();
  Form->Show();
  EXPECT_EQ(Application->GetMessageBoxCalls().size(), 1u); // told once
}

TEST_F(DemoForm, ManyCutLinesAreCountedNotListed) {
  std::string Content;
  for (int I = 0; I < 25; ++I)
    Content += "1 2 3 4 5 6 7 8\n";
  Application->QueueMessageBoxAnswer(IDOK);
  testing::internal::CaptureStderr();
  Open(Content.c_str());
  const std::string Warning = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Warning, "Content.ini: 25 lines have more fields than the table has columns (lines "
                     "1, 2, 3, 4, 5, 6, 7, 8, 9, 10 … and 15 more); the extra fields were "
                     "dropped\n");
  Form->Show();
  ASSERT_EQ(Application->GetMessageBoxCalls().size(), 1u);
  const std::string& Text = Application->GetMessageBoxCalls()[0].Text;
  EXPECT_NE(Text.find("в строках: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 … и ещё 15."), std::string::npos)
      << Text;
  EXPECT_EQ(Text.find("11"), std::string::npos) << Text;
}

TEST_F(DemoForm, OneCutLineIsNamedAlone) {
  testing::internal::CaptureStderr();
  Open("1 2 3 4 5 6 7 8\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Content.ini: 1 line has more fields than the table has columns (line 1); the extra "
            "fields were dropped\n");
}

TEST(CutLinesSummary, GroupsDigitsByThree) {
  EXPECT_EQ(GroupDigits(0, ","), "0");
  EXPECT_EQ(GroupDigits(999, ","), "999");
  EXPECT_EQ(GroupDigits(99990, ","), "99,990");
  EXPECT_EQ(GroupDigits(1000000, " "), "1 000 000");
  EXPECT_EQ(SummarizeCutLines({4, 9}).FirstLines, "4, 9");
  EXPECT_EQ(SummarizeCutLines({4, 9}).More, 0u);
  EXPECT_EQ(SummarizeCutLines(std::vector<int>(100000, 7)).More, 99990u);
}

TEST_F(DemoForm, WithoutContentTheStoredSizeStaysAndNoRowHasData) {
  for (const char* Content : {static_cast<const char*>(nullptr), ""}) {
    Open(Content);
    EXPECT_EQ(Holder->GetRowCount(), 4);
    for (int C = 0; C < 7; ++C)
      EXPECT_EQ(Holder->GetCells(C, 3)->GetData(), nullptr);
    EXPECT_EQ(Holder->GetRows(3)->GetData(), nullptr);
    // A row without a number shows none, but keeps the margin.
    EXPECT_EQ(Supply(0, 3).Text, "");
    EXPECT_EQ(Supply(0, 3).Left, 13);
    EXPECT_EQ(Supply(2, 3).Left, 10); // a data cell without data is left alone
  }
}

TEST_F(DemoForm, HandlersSupplyEveryKindOfText) {
  Open("a b c d e f\ng h\n");
  struct Case {
    int Col, Row;
    std::string Text;
  };
  const Case Cases[] = {{0, 0, "№"},          {0, 1, "№"},        {1, 0, "ВСЕ ГРУППЫ"},
                        {6, 0, "ВСЕ ГРУППЫ"}, {1, 1, "ГРУППА 1"}, {2, 1, "ГРУППА 1"},
                        {3, 1, "ГРУППА 2"},   {6, 1, "ГРУППА 3"}, {0, 2, "0"},
                        {4, 2, "4"},          {0, 4, "2"},        {3, 3, "c"},
                        {2, 4, "h"},          {5, 4, ""}};
  for (const Case& C : Cases) {
    const Supplied S = Supply(C.Col, C.Row);
    EXPECT_EQ(S.Text, C.Text) << C.Col << "," << C.Row;
    EXPECT_EQ(S.Left, 13) << C.Col << "," << C.Row; // a 3-pixel margin
  }
  // Red for the number of the current column and the number of the current row only.
  EXPECT_EQ(Grid->GetCol(), 1);
  EXPECT_EQ(Grid->GetRow(), 3);
  EXPECT_EQ(Supply(1, 2).FontColor, clRed);
  EXPECT_EQ(Supply(2, 2).FontColor, clBlack);
  EXPECT_EQ(Supply(0, 3).FontColor, clRed);
  EXPECT_EQ(Supply(0, 4).FontColor, clBlack);
  Grid->SetRow(4);
  Grid->SetCol(2);
  EXPECT_EQ(Supply(2, 2).FontColor, clRed);
  EXPECT_EQ(Supply(1, 2).FontColor, clBlack);
  EXPECT_EQ(Supply(0, 4).FontColor, clRed);
  EXPECT_EQ(Supply(0, 3).FontColor, clBlack);
}

// What another program gets when the user copies: the row numbers, then the row data, as
// the grid shows them.
TEST_F(DemoForm, CopyGivesTheMarkedRowsOrTheCurrentCellAsShown) {
  Open("a b c d e f\ng h\n");
  Clipboard()->SetAsText("before");
  Testing::PressKey(*Grid, 'C', {ssCtrl});
  EXPECT_EQ(Clipboard()->GetAsText(), "a\n"); // nothing marked: the current cell
  Testing::PressKey(*Grid, VK_SPACE);         // marks the current row
  Grid->SetRow(4);
  Testing::PressKey(*Grid, VK_SPACE);
  Testing::PressKey(*Grid, VK_INSERT, {ssCtrl});
  EXPECT_EQ(Clipboard()->GetAsText(), "1\ta\tb\tc\td\te\tf\n2\tg\th\t\t\t\t\n");
  const std::string Html = Clipboard()->GetAsHtml();
  EXPECT_NE(Html.find("<tr><th>1</th><td>a</td><td>b</td><td>c</td><td>d</td><td>e</td>"
                      "<td>f</td></tr>\n<tr><th>2</th><td>g</td><td>h</td><td></td><td></td>"
                      "<td></td><td></td></tr>"),
            std::string::npos)
      << Html;
}

TEST_F(DemoForm, CopyOfTheHeaderKeepsItsMergedCells) {
  Open("a b\n");
  Grid->GetHolder()->GetRows(2)->SetVisible(false); // the number row
  TYGridOptions Options = Grid->GetOptions();
  Options.Exclude(ygoRowsMarking);
  Options.Include(ygoColsMarking);
  Grid->SetOptions(Options);
  for (int Col = 1; Col <= 3; ++Col)
    Grid->GetCols(Col)->SetMarked(true);
  ASSERT_TRUE(Grid->CopyToClipboard());
  EXPECT_EQ(Clipboard()->GetAsText(), "ВСЕ ГРУППЫ\t\t\nГРУППА 1\t\tГРУППА 2\na\tb\t\n");
  EXPECT_NE(Clipboard()->GetAsHtml().find("<tr><th colspan=\"3\">ВСЕ ГРУППЫ</th></tr>\n"
                                          "<tr><th colspan=\"2\">ГРУППА 1</th><th>ГРУППА 2</th>"
                                          "</tr>\n<tr><td>a</td><td>b</td><td></td></tr>"),
            std::string::npos);
}

// A screen reader walks the grid as a table: the header cells over each data cell, the row
// number beside it, the texts the grid shows.
TEST_F(DemoForm, ScreenReadersReadTheGridAsATableWithItsHeaders) {
  Open("a b c d e f\ng h\n");
  QAccessibleInterface* Table = QAccessible::queryAccessibleInterface(Grid->GetHandle());
  ASSERT_NE(Table, nullptr);
  QAccessibleTableInterface* T = Table->tableInterface();
  ASSERT_NE(T, nullptr);
  EXPECT_EQ(T->rowCount(), 5);
  EXPECT_EQ(T->columnCount(), 7);
  QAccessibleTableCellInterface* B = T->cellAt(3, 2)->tableCellInterface();
  EXPECT_EQ(T->cellAt(3, 2)->text(QAccessible::Name), "b");
  QStringList Headers;
  for (QAccessibleInterface* H : B->columnHeaderCells())
    Headers << H->text(QAccessible::Name);
  EXPECT_EQ(Headers, (QStringList{"ВСЕ ГРУППЫ", "ГРУППА 1", "2"}));
  ASSERT_EQ(B->rowHeaderCells().size(), 1);
  EXPECT_EQ(B->rowHeaderCells()[0]->text(QAccessible::Name), "1");
  EXPECT_EQ(T->cellAt(0, 4)->tableCellInterface()->columnExtent(), 6);
  EXPECT_EQ(T->cellAt(1, 0)->tableCellInterface()->rowExtent(), 2);
  EXPECT_EQ(T->columnDescription(2), "2");
}

TEST_F(DemoForm, BeforeAnySortEveryNumberCellShowsTheNeutralMark) {
  Open("a\nb\n");
  for (int C = 0; C < 7; ++C) {
    TAlignment Alignment = taLeftJustify;
    EXPECT_EQ(ImageOf(C, 2, &Alignment), 2) << C;
    EXPECT_EQ(Alignment, taRightJustify);
  }
  EXPECT_EQ(ImageOf(0, 3), 3); // the current row's mark
  EXPECT_EQ(ImageOf(0, 4), -1);
  EXPECT_EQ(ImageOf(1, 3), -1);
  EXPECT_EQ(ImageOf(1, 0), -1);
  Form->SortCol = 3;
  Form->SortDirection = 1;
  EXPECT_EQ(ImageOf(3, 2), 0);
  Form->SortDirection = 2;
  EXPECT_EQ(ImageOf(3, 2), 1);
  EXPECT_EQ(ImageOf(2, 2), 2);
}

TEST_F(DemoForm, TheStatusBarFollowsTheFocus) {
  Open("a b\nc d\n");
  EXPECT_EQ(StatusText(), "    1 : 1");
  Grid->SetCol(2);
  EXPECT_EQ(StatusText(), "    2 : 1");
  Grid->SetRow(4);
  EXPECT_EQ(StatusText(), "    2 : 2");
}

TEST_F(DemoForm, TheRedNumbersArePaintedAndFollowTheFocus) {
  Open("a b\nc d\n");
  Form->Show();
  Form->Activate();
  const auto HasRed = [&](std::int32_t Col, std::int32_t Row) {
    Grid->Update();
    const TRect R = Grid->CellRect(Col, Row);
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      for (int X = R.Left; X < R.Right; ++X)
        if (Testing::SurfacePixel(*Grid, X, Y) == clRed) return true;
    return false;
  };
  EXPECT_TRUE(HasRed(1, 2));
  EXPECT_TRUE(HasRed(0, 3));
  EXPECT_FALSE(HasRed(2, 2));
  Grid->SetCol(2);
  Grid->SetRow(4);
  EXPECT_FALSE(HasRed(1, 2));
  EXPECT_TRUE(HasRed(2, 2));
  EXPECT_FALSE(HasRed(0, 3));
  EXPECT_TRUE(HasRed(0, 4));
}

TEST_F(DemoForm, UserDataIsReleasedOncePerCellAndVector) {
  Open("a b c\nd\ne f\n");
  std::map<TYCell*, int> FreedCells;
  std::map<TYCellsVector*, int> FreedVectors;
  std::set<void*> Data;
  const auto FreeCell = Grid->OnFreeCell;
  Grid->OnFreeCell = [&](TYCustomGrid* Sender, TYCell* Cell) {
    ++FreedCells[Cell];
    if (Cell->GetData()) Data.insert(Cell->GetData());
    FreeCell(Sender, Cell);
    EXPECT_EQ(Cell->GetData(), nullptr);
  };
  const auto FreeVector = Grid->OnFreeCellsVector;
  Grid->OnFreeCellsVector = [&](TYCustomGrid* Sender, TYCellsVector* Vector) {
    ++FreedVectors[Vector];
    if (Vector->GetData()) Data.insert(Vector->GetData());
    FreeVector(Sender, Vector);
    EXPECT_EQ(Vector->GetData(), nullptr);
  };
  Form.reset();
  EXPECT_EQ(FreedCells.size(), 7u * 6u);
  EXPECT_EQ(FreedVectors.size(), 7u + 6u);
  for (const auto& [Cell, Times] : FreedCells)
    EXPECT_EQ(Times, 1);
  for (const auto& [Vector, Times] : FreedVectors)
    EXPECT_EQ(Times, 1);
  EXPECT_EQ(Data.size(), 7u * 6u + 7u + 6u); // every one of them had its own data
}

} // namespace
