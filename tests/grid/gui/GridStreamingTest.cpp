// The grid stored with a form and read back: every published property, the store's width and
// height lists, and what a damaged list does.
#include "tests/support/GridTestSupport.h"

#include "host/classes/ComponentStreams.h"
#include "host/classes/Filer.h"
#include "host/gui/Forms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

// A form holding a grid and an image list, the way a host stores a grid.
class GridStreaming : public testing::Test {
protected:
  void SetUp() override { RegisterYGridsClasses(); }

  static std::unique_ptr<TForm> MakeForm() {
    auto Form = std::make_unique<TForm>(nullptr);
    Form->SetName("Host");
    return Form;
  }
  static TYGrid* AddGrid(TForm& Form) {
    auto* Grid = new TYGrid(&Form);
    Grid->SetName("G");
    Grid->SetParent(&Form);
    return Grid;
  }
  static std::string Binary(TComponent& Root) {
    TMemoryStream Stream;
    WriteRootComponent(Stream, Root);
    const auto& Bytes = Stream.GetBytes();
    return std::string(Bytes.begin(), Bytes.end());
  }
  static void ReadBinary(const std::string& Bytes, TComponent& Root) {
    TMemoryStream Stream(std::vector<std::uint8_t>(Bytes.begin(), Bytes.end()));
    ReadRootComponent(Stream, Root);
  }
};

// Changes every published property of the grid away from its default.
void ConfigureEverything(TYGrid& Grid, TImageList& Images, TForm& Form) {
  Grid.SetAlign(alClient);
  Grid.SetBorderStyle(bsNone);
  Grid.SetDefaultColWidth(50);
  Grid.SetDefaultRowHeight(20);
  TYCellsHolder* Holder = Grid.GetHolder();
  Holder->SetColCount(4);
  Holder->SetRowCount(6);
  Holder->SetFixedCols(2);
  Holder->SetFixedRows(0);
  for (int I = 0; I < 4; ++I)
    Holder->SetColWidths(I, 30 + 100 * I); // 330 needs a 16-bit integer
  Holder->SetRowHeights(5, -7);
  for (int I = 0; I < YGridPublishedColorCount; ++I)
    Grid.GetColors()->SetColor(I, RGB(I, 2 * I, 3 * I));
  for (int I = 0; I < YGridFontCount; ++I) {
    TFont* Font = Grid.GetFonts()->GetFont(I);
    Font->SetName("Font" + std::to_string(I));
    Font->SetHeight(-10 - I);
    Font->SetStyle(I % 2 ? TFontStyles{fsItalic} : TFontStyles{fsBold, fsUnderline});
    Font->SetColor(I % 3 ? clRed : clHighlightText);
    Font->SetCharset(I % 2 ? 204 : 0);
  }
  Grid.SetImages(&Images);
  Grid.SetFocusFrameStyle(yffRect);
  Grid.SetGridLineWidth(3);
  Grid.SetOptions({ygoVertLine, ygoShowFocusFrame, ygoCellsMarking, ygoTabs, ygoThumbTracking});
  Grid.SetScrollBars(ssVertical);
  Grid.SetTabStop(false);
  Grid.SetBiDiMode(bdRightToLeft);
  Grid.SetCtl3D(false);
  Grid.SetParentFont(false);
  Grid.SetVisible(false);
  Grid.SetEnabled(false);
  Form.PublishMethod("Click", TNotifyEvent([](TObject*) {}));
  Form.PublishMethod("Focus", TYFocusCellEvent([](TYCustomGrid*, TYCell*, int&, int&) {}));
}

TEST_F(GridStreaming, ANewGridStoresOnlyWhatDiffersFromTheDefaults) {
  auto Form = MakeForm();
  TYGrid* Grid = AddGrid(*Form);
  Form->SetParentFont(true);
  const std::string Text = ComponentToText(*Form);
  // The options lack ygoShowFocusCell in their declared default, so they are always stored;
  // fonts have no default; the store's lists are always written.
  EXPECT_NE(Text.find("  object G: TYGrid\n    Left = 0\n    Top = 0\n    Width = 320\n"
                      "    Height = 120\n    Fonts.CurColRowFontNotMark.Charset = DEFAULT_CHARSET\n"
                      "    Fonts.CurColRowFontNotMark.Color = clWindowText\n"),
            std::string::npos)
      << Text;
  EXPECT_NE(
      Text.find("    Holder.ColWidths = (\n      64\n      64\n      64\n      64\n      64)\n"
                "    Holder.RowHeights = (\n"),
      std::string::npos);
  EXPECT_NE(Text.find("    FocusFrameStyle = yffDotRect\n    Options = [ygoFixedVertLine, "
                      "ygoFixedHorzLine, ygoVertLine, ygoHorzLine, ygoShowFocusCell]\n"),
            std::string::npos);
  for (const char* Omitted : {"Holder.ColCount", "Colors.", "BorderStyle", "DefaultColWidth",
                              "GridLineWidth", "ScrollBars", "TabStop", "Images", "Align"})
    EXPECT_EQ(Text.find(Omitted), std::string::npos) << Omitted;
  EXPECT_EQ(Grid->GetHolder()->GetColCount(), 5);
}

TEST_F(GridStreaming, BinaryAndTextRoundTripsRestoreEveryPublishedProperty) {
  auto Form = MakeForm();
  TYGrid* Grid = AddGrid(*Form);
  auto* Images = new TImageList(Form.get());
  Images->SetName("Pictures");
  ConfigureEverything(*Grid, *Images, *Form);
  ReadComponentText("object Host: TForm\n  object G: TYGrid\n    OnClick = Click\n"
                    "    OnFocusCell = Focus\n  end\nend\n",
                    *Form);
  const std::string Stored = ComponentToText(*Form);

  for (bool ThroughText : {false, true}) {
    auto Copy = MakeForm(); // a fresh form: only what was stored comes back
    Copy->PublishMethod("Click", TNotifyEvent([](TObject*) {}));
    Copy->PublishMethod("Focus", TYFocusCellEvent([](TYCustomGrid*, TYCell*, int&, int&) {}));
    if (ThroughText)
      ReadComponentText(Stored, *Copy);
    else
      ReadBinary(Binary(*Form), *Copy);
    EXPECT_EQ(ComponentToText(*Copy), Stored) << (ThroughText ? "text" : "binary");

    auto* Read = dynamic_cast<TYGrid*>(Copy->FindComponent("G"));
    ASSERT_NE(Read, nullptr);
    TYCellsHolder* Holder = Read->GetHolder();
    EXPECT_EQ(Holder->GetColCount(), 4);
    EXPECT_EQ(Holder->GetRowCount(), 6);
    EXPECT_EQ(Holder->GetFixedCols(), 2);
    EXPECT_EQ(Holder->GetFixedRows(), 0);
    EXPECT_EQ(Holder->GetColWidths(3), 330);
    EXPECT_EQ(Holder->GetRowHeights(5), -7);
    EXPECT_EQ(Holder->GetRowHeights(0), 20);
    EXPECT_EQ(Read->GetColors()->GetColor(16), RGB(16, 32, 48));
    EXPECT_EQ(Read->GetFonts()->GetFont(12)->GetName(), "Font12");
    EXPECT_EQ(Read->GetFonts()->GetFont(3)->GetStyle(), TFontStyles{fsItalic});
    EXPECT_EQ(Read->GetFonts()->GetFont(3)->GetCharset(), 204);
    EXPECT_EQ(Read->GetImages(), Copy->FindComponent("Pictures"));
    EXPECT_EQ(Read->GetOptions(), (TYGridOptions{ygoVertLine, ygoShowFocusFrame, ygoCellsMarking,
                                                 ygoTabs, ygoThumbTracking}));
    EXPECT_EQ(Read->GetScrollBars(), ssVertical);
    EXPECT_EQ(Read->GetBorderStyle(), bsNone);
    EXPECT_EQ(Read->GetFocusFrameStyle(), yffRect);
    EXPECT_EQ(Read->GetGridLineWidth(), 3);
    EXPECT_EQ(Read->GetDefaultColWidth(), 50);
    EXPECT_FALSE(Read->GetTabStop());
    EXPECT_FALSE(Read->GetVisible());
    EXPECT_EQ(Read->GetBiDiMode(), bdRightToLeft);
    EXPECT_TRUE(Read->OnClick);
    EXPECT_TRUE(Read->OnFocusCell);
    EXPECT_FALSE(Read->IsLoading());
    EXPECT_TRUE(ModelConsistent(*Read));
  }
}

TEST_F(GridStreaming, TheWidthListIsIntegersInAListAfterThePublishedCounts) {
  auto Form = MakeForm();
  TYGrid* Grid = AddGrid(*Form);
  Grid->GetHolder()->SetColCount(7);
  Grid->GetHolder()->SetColWidths(6, 200);
  const std::string Bytes = Binary(*Form);
  std::string Expected = "\x10Holder.ColWidths\x01";
  for (int I = 0; I < 6; ++I)
    Expected += "\x02\x40";
  Expected += std::string("\x03\xC8\x00\x00", 4); // 200 does not fit a signed byte
  const size_t At = Bytes.find(Expected);
  ASSERT_NE(At, std::string::npos);
  // The count comes first, so the list can be read with the right length.
  EXPECT_LT(Bytes.find(std::string("\x0FHolder.ColCount\x02\x07", 18)), At);
}

TEST_F(GridStreaming, AWidthListOfTheWrongLengthFailsAndNamesIt) {
  for (const char* Widths : {"(1 2 3)", "(1 2 3 4 5 6 7 8)", "(1 2 3 'x' 5 6 7)"}) {
    auto Form = MakeForm();
    TYGrid* Grid = AddGrid(*Form);
    const std::string Text = std::string("object Host: TForm\n  object G: TYGrid\n") +
                             "    Holder.ColCount = 7\n    Holder.ColWidths = " + Widths +
                             "\n    GridLineWidth = 5\n  end\nend\n";
    try {
      ReadComponentText(Text, *Form);
      ADD_FAILURE() << Widths;
    } catch (const EReadError& E) {
      EXPECT_EQ(E.GetMessage(), "Error reading G.Holder.ColWidths: Invalid property value");
    }
    // The count read before stays; no width changed; nothing after the list was read.
    EXPECT_EQ(Grid->GetHolder()->GetColCount(), 7);
    for (int I = 0; I < 7; ++I)
      EXPECT_EQ(Grid->GetHolder()->GetColWidths(I), 64);
    EXPECT_EQ(Grid->GetGridLineWidth(), 1);
    EXPECT_FALSE(Grid->IsLoading());
    EXPECT_TRUE(ModelConsistent(*Grid));
  }
}

TEST_F(GridStreaming, TruncatedOrDamagedStreamsFailCleanly) {
  auto Source = MakeForm();
  TYGrid* Grid = AddGrid(*Source);
  Grid->GetHolder()->SetColCount(7);
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoZebraRows});
  const std::string Bytes = Binary(*Source);
  int Failures = 0;
  for (size_t Length = 0; Length < Bytes.size(); ++Length) {
    std::string Damaged = Bytes.substr(0, Length);
    if (Length % 2) Damaged += std::string("\xFF\x07\x01", 3); // garbage after the cut
    auto Copy = MakeForm();
    try {
      ReadBinary(Damaged, *Copy);
    } catch (const EReadError&) {
      ++Failures;
    }
    for (int I = 0; I < Copy->GetComponentCount(); ++I) {
      EXPECT_FALSE(Copy->GetComponents(I)->IsLoading());
      if (auto* Read = dynamic_cast<TYGrid*>(Copy->GetComponents(I))) {
        EXPECT_TRUE(ModelConsistent(*Read)) << Length;
      }
    }
  }
  EXPECT_EQ(Failures, static_cast<int>(Bytes.size()));
}

TEST_F(GridStreaming, AStoredFormCannotDemandMoreCellsThanTheLimit) {
  struct Case {
    const char* Counts;
    const char* Message;
  };
  const Case Cases[] = {
      {"Holder.RowCount = 2147483647", "Error reading G.Holder.RowCount: "},
      {"Holder.ColCount = 5000\n    Holder.RowCount = 50000", "Error reading G.Holder.RowCount: "},
      {"Holder.RowCount = 2\n    Holder.ColCount = 500001", "Error reading G.Holder.ColCount: "},
  };
  for (const Case& C : Cases) {
    auto Form = MakeForm();
    TYGrid* Grid = AddGrid(*Form);
    try {
      ReadComponentText(std::string("object Host: TForm\n  object G: TYGrid\n    ") + C.Counts +
                            "\n  end\nend\n",
                        *Form);
      ADD_FAILURE() << C.Counts;
    } catch (const EReadError& E) {
      EXPECT_EQ(E.GetMessage(), std::string(C.Message) + "A stored grid may hold at most " +
                                    std::to_string(YGridMaxStoredCells) + " cells");
    }
    EXPECT_LE(std::int64_t{Grid->GetHolder()->GetColCount()} * Grid->GetHolder()->GetRowCount(),
              YGridMaxStoredCells);
    EXPECT_TRUE(ModelConsistent(*Grid));
  }
  auto Form = MakeForm();
  TYGrid* Grid = AddGrid(*Form);
  ReadComponentText("object Host: TForm\n  object G: TYGrid\n    Holder.ColCount = 2\n"
                    "    Holder.RowCount = 2000\n  end\nend\n",
                    *Form);
  EXPECT_EQ(Grid->GetHolder()->GetRowCount(), 2000);
}

} // namespace
