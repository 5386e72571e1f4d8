// What the grid stores with a form: its published properties, in stored order, with the
// defaults a stored description omits.
#include "grid/YGrids.h"

#include "host/classes/Filer.h"
#include "host/gui/GuiClasses.h"

namespace {
const TIdentMap BorderStyleNames{{bsNone, "bsNone"}, {bsSingle, "bsSingle"}};
const TIdentMap ScrollStyleNames{{ssNone, "ssNone"},
                                 {ssHorizontal, "ssHorizontal"},
                                 {ssVertical, "ssVertical"},
                                 {ssBoth, "ssBoth"}};
const TIdentMap FocusFrameStyleNames{{yffDotRect, "yffDotRect"}, {yffRect, "yffRect"}};
const TIdentMap BiDiModeNames{{bdLeftToRight, "bdLeftToRight"},
                              {bdRightToLeft, "bdRightToLeft"},
                              {bdRightToLeftNoAlign, "bdRightToLeftNoAlign"},
                              {bdRightToLeftReadingOnly, "bdRightToLeftReadingOnly"}};
const TIdentMap OptionNames{
    {ygoFixedVertLine, "ygoFixedVertLine"},
    {ygoFixedHorzLine, "ygoFixedHorzLine"},
    {ygoVertLine, "ygoVertLine"},
    {ygoHorzLine, "ygoHorzLine"},
    {ygoShowFocusCell, "ygoShowFocusCell"},
    {ygoShowFocusFrame, "ygoShowFocusFrame"},
    {ygoShowCurCol, "ygoShowCurCol"},
    {ygoShowCurRow, "ygoShowCurRow"},
    {ygoHideFocusCellOnExit, "ygoHideFocusCellOnExit"},
    {ygoHideCurColRowOnExit, "ygoHideCurColRowOnExit"},
    {ygoAutoColorCurColRow, "ygoAutoColorCurColRow"},
    {ygoDrawMaskedImages, "ygoDrawMaskedImages"},
    {ygoSupportFixedButtons, "ygoSupportFixedButtons"},
    {ygoRowsMarking, "ygoRowsMarking"},
    {ygoColsMarking, "ygoColsMarking"},
    {ygoCellsMarking, "ygoCellsMarking"},
    {ygoZebraCols, "ygoZebraCols"},
    {ygoZebraRows, "ygoZebraRows"},
    {ygoRowSizing, "ygoRowSizing"},
    {ygoColSizing, "ygoColSizing"},
    {ygoRowMoving, "ygoRowMoving"},
    {ygoColMoving, "ygoColMoving"},
    {ygoTabs, "ygoTabs"},
    {ygoThumbTracking, "ygoThumbTracking"},
};
constexpr TYGridOptions StoredDefaultOptions{ygoFixedVertLine, ygoFixedHorzLine, ygoVertLine,
                                             ygoHorzLine};

const char* const ColorNames[YGridPublishedColorCount] = {
    "BakgroundFieldColor",
    "CurColRowColorNotMark",
    "CurColRowColorMark",
    "CurColRowColorNotMarkUnActive",
    "CurColRowColorMarkUnActive",
    "DefaultCellColor1NotMark",
    "DefaultCellColor2NotMark",
    "DefaultCellColorMark",
    "DefaultCellColorMarkUnActive",
    "FocusCellColorNotMark",
    "FocusCellColorMark",
    "FocusCellColorNotMarkUnActive",
    "FocusCellColorMarkUnActive",
    "FocusFrameColorNotMark",
    "FocusFrameColorMark",
    "FixedButtonsColor",
    "GridLineColor",
};

const char* const FontNames[YGridFontCount] = {
    "CurColRowFontNotMark",
    "CurColRowFontMark",
    "CurColRowFontNotMarkUnActive",
    "CurColRowFontMarkUnActive",
    "DefaultCellFont1NotMark",
    "DefaultCellFont2NotMark",
    "DefaultCellFontMark",
    "DefaultCellFontMarkUnActive",
    "FocusCellFontNotMark",
    "FocusCellFontMark",
    "FocusCellFontNotMarkUnActive",
    "FocusCellFontMarkUnActive",
    "FixedButtonsFont",
};

// Refuses a stored count that would make the store hold more than YGridMaxStoredCells cells
// (the counts are checked one at a time, against the other count as it stands).
void CheckStoredCells(std::int64_t ColCount, std::int64_t RowCount) {
  if (ColCount * RowCount > YGridMaxStoredCells)
    throw EReadError("A stored grid may hold at most " + std::to_string(YGridMaxStoredCells) +
                     " cells");
}

void RegisterHolder() {
  RegisterProperties<TYCellsHolder>("TYCellsHolder", "")
      ->Integer(
          "ColCount", [](TYCellsHolder& H) { return H.GetColCount(); },
          [](TYCellsHolder& H, std::int32_t V) {
            CheckStoredCells(V, H.GetRowCount());
            H.SetColCount(V);
          },
          5)
      .Integer(
          "RowCount", [](TYCellsHolder& H) { return H.GetRowCount(); },
          [](TYCellsHolder& H, std::int32_t V) {
            CheckStoredCells(H.GetColCount(), V);
            H.SetRowCount(V);
          },
          5)
      .Integer(
          "FixedCols", [](TYCellsHolder& H) { return H.GetFixedCols(); },
          [](TYCellsHolder& H, std::int32_t V) { H.SetFixedCols(V); }, 1)
      .Integer(
          "FixedRows", [](TYCellsHolder& H) { return H.GetFixedRows(); },
          [](TYCellsHolder& H, std::int32_t V) { H.SetFixedRows(V); }, 1);
}

void RegisterColorsAndFonts() {
  auto Colors = RegisterProperties<TYGridColors>("TYGridColors", "");
  for (int I = 0; I < YGridPublishedColorCount; ++I)
    Colors->Integer(
        ColorNames[I], [I](TYGridColors& C) { return C.GetColor(I); },
        [I](TYGridColors& C, TColor V) { C.SetColor(I, V); }, TYGridColors::DefaultColor(I),
        &ColorIdents());
  auto Fonts = RegisterProperties<TYGridFonts>("TYGridFonts", "");
  for (int I = 0; I < YGridFontCount; ++I)
    Fonts->Object(FontNames[I], [I](TYGridFonts& F) { return F.GetFont(I); });
}

void RegisterGridAppearance(TPropertyRegistrar<TYGrid>& Props) {
  Props
      .Enum(
          "Align", AlignIdents(), [](TYGrid& G) { return G.GetAlign(); },
          [](TYGrid& G, TAlign V) { G.SetAlign(V); }, alNone)
      .Enum(
          "BiDiMode", BiDiModeNames, [](TYGrid& G) { return G.GetBiDiMode(); },
          [](TYGrid& G, TBiDiMode V) { G.SetBiDiMode(V); }, bdLeftToRight)
      .Enum(
          "BorderStyle", BorderStyleNames, [](TYGrid& G) { return G.GetBorderStyle(); },
          [](TYGrid& G, TBorderStyle V) { G.SetBorderStyle(V); }, bsSingle)
      .Object("Colors", [](TYGrid& G) { return G.GetColors(); })
      .Object("Fonts", [](TYGrid& G) { return G.GetFonts(); })
      .Object("Holder", [](TYGrid& G) { return G.GetHolder(); })
      .Reference(
          "Images", [](TYGrid& G) { return G.GetImages(); },
          [](TYGrid& G, TComponent* V) {
            auto* List = dynamic_cast<TCustomImageList*>(V);
            if (V && !List) TReader::PropValueError();
            G.SetImages(List);
          })
      .Integer(
          "DefaultColWidth", [](TYGrid& G) { return G.GetDefaultColWidth(); },
          [](TYGrid& G, std::int32_t V) { G.SetDefaultColWidth(V); }, 64)
      .Integer(
          "DefaultRowHeight", [](TYGrid& G) { return G.GetDefaultRowHeight(); },
          [](TYGrid& G, std::int32_t V) { G.SetDefaultRowHeight(V); }, 24)
      .Bool(
          "Ctl3D", [](TYGrid& G) { return G.GetCtl3D(); }, [](TYGrid& G, bool V) { G.SetCtl3D(V); })
      .StoredIf([](TYGrid& G) { return !G.GetParentCtl3D(); })
      .Bool(
          "Enabled", [](TYGrid& G) { return G.GetEnabled(); },
          [](TYGrid& G, bool V) { G.SetEnabled(V); }, true)
      .Enum(
          "FocusFrameStyle", FocusFrameStyleNames, [](TYGrid& G) { return G.GetFocusFrameStyle(); },
          [](TYGrid& G, TYGridFocusFrameStyle V) { G.SetFocusFrameStyle(V); })
      .Integer(
          "GridLineWidth", [](TYGrid& G) { return G.GetGridLineWidth(); },
          [](TYGrid& G, std::int32_t V) { G.SetGridLineWidth(V); }, 1)
      .Set(
          "Options", OptionNames, [](TYGrid& G) { return G.GetOptions(); },
          [](TYGrid& G, TYGridOptions V) { G.SetOptions(V); }, StoredDefaultOptions.ToBits());
}

void RegisterGridFramework(TPropertyRegistrar<TYGrid>& Props) {
  Props
      .Bool(
          "ParentColor", [](TYGrid& G) { return G.GetParentColor(); },
          [](TYGrid& G, bool V) { G.SetParentColor(V); }, false)
      .Bool(
          "ParentCtl3D", [](TYGrid& G) { return G.GetParentCtl3D(); },
          [](TYGrid& G, bool V) { G.SetParentCtl3D(V); }, true)
      .Bool(
          "ParentFont", [](TYGrid& G) { return G.GetParentFont(); },
          [](TYGrid& G, bool V) { G.SetParentFont(V); }, true)
      .Enum(
          "ScrollBars", ScrollStyleNames, [](TYGrid& G) { return G.GetScrollBars(); },
          [](TYGrid& G, TScrollStyle V) { G.SetScrollBars(V); }, ssBoth)
      .Integer(
          "TabOrder", [](TYGrid& G) { return G.GetTabOrder(); },
          [](TYGrid& G, int V) { G.SetTabOrder(V); }, -1)
      .Bool(
          "TabStop", [](TYGrid& G) { return G.GetTabStop(); },
          [](TYGrid& G, bool V) { G.SetTabStop(V); }, true)
      .Bool(
          "Visible", [](TYGrid& G) { return G.GetVisible(); },
          [](TYGrid& G, bool V) { G.SetVisible(V); }, true);
}

void RegisterGridEvents(TPropertyRegistrar<TYGrid>& Props) {
  Props.Event("OnClick", &TYGrid::OnClick)
      .Event("OnColumnMoved", &TYGrid::OnColumnMoved)
      .Event("OnDblClick", &TYGrid::OnDblClick)
      .Event("OnEnter", &TYGrid::OnEnter)
      .Event("OnExit", &TYGrid::OnExit)
      .Event("OnKeyDown", &TYGrid::OnKeyDown)
      .Event("OnKeyPress", &TYGrid::OnKeyPress)
      .Event("OnKeyUp", &TYGrid::OnKeyUp)
      .Event("OnMouseDown", &TYGrid::OnMouseDown)
      .Event("OnMouseMove", &TYGrid::OnMouseMove)
      .Event("OnMouseUp", &TYGrid::OnMouseUp)
      .Event("OnMouseWheelDown", &TYGrid::OnMouseWheelDown)
      .Event("OnMouseWheelUp", &TYGrid::OnMouseWheelUp)
      .Event("OnRowMoved", &TYGrid::OnRowMoved)
      .Event("OnFocusCell", &TYGrid::OnFocusCell)
      .Event("OnTopLeftChanged", &TYGrid::OnTopLeftChanged)
      .Event("OnMarkCol", &TYGrid::OnMarkCol)
      .Event("OnMarkRow", &TYGrid::OnMarkRow)
      .Event("OnMarkCell", &TYGrid::OnMarkCell)
      .Event("OnFreeCell", &TYGrid::OnFreeCell)
      .Event("OnInitCell", &TYGrid::OnInitCell)
      .Event("OnFreeCellsVector", &TYGrid::OnFreeCellsVector)
      .Event("OnInitCellsVector", &TYGrid::OnInitCellsVector)
      .Event("OnDrawCellField", &TYGrid::OnDrawCellField)
      .Event("OnDrawCellText", &TYGrid::OnDrawCellText)
      .Event("OnDrawImage", &TYGrid::OnDrawImage)
      .Event("OnBeforeDrawCell", &TYGrid::OnBeforeDrawCell)
      .Event("OnAfterDrawCell", &TYGrid::OnAfterDrawCell)
      .Event("OnGetCellText", &TYGrid::OnGetCellText)
      .Event("OnCheckButton", &TYGrid::OnCheckButton)
      .Event("OnFixedCellClick", &TYGrid::OnFixedCellClick)
      .Event("OnColumnSized", &TYGrid::OnColumnSized)
      .Event("OnRowSized", &TYGrid::OnRowSized)
      .Event("OnChangeFocus", &TYGrid::OnChangeFocus);
}
} // namespace

void RegisterYGridsClasses() {
  RegisterGuiClasses();
  if (FindClassInfo("TYGrid")) return;
  RegisterHolder();
  RegisterColorsAndFonts();
  RegisterProperties<TYCustomGrid>("TYCustomGrid", "TCustomControl");
  auto Props = RegisterProperties<TYGrid>("TYGrid", "TYCustomGrid",
                                          [](TComponent* Owner) { return new TYGrid(Owner); });
  RegisterGridAppearance(*Props);
  RegisterGridFramework(*Props);
  RegisterGridEvents(*Props);
}
