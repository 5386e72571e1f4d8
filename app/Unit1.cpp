#include "app/Unit1.h"

#include "host/classes/ComponentStreams.h"
#include "host/classes/StringLists.h"
#include "host/classes/SysUtils.h"
#include "host/classes/TypInfo.h"
#include "host/gui/WinUser.h"

#include <functional>
#include <iostream>

TForm1* Form1 = nullptr;
std::string TForm1::ContentFile;
bool TForm1::LoadsContent = true;

namespace {
constexpr int TextMargin = 3; // pixels left of every text the form supplies

// The number of a column.
std::int32_t* NumberOf(const TYCellsVector* Column) {
  return static_cast<std::int32_t*>(Column->GetData());
}

// The record of a row vector; rows that got none (the stored data row when there is no
// "Content.ini") read as an empty record, number 0, before every numbered row.
const TRowRecord& RecordOf(const TYCellsVector* Row) {
  static const TRowRecord None;
  const auto* Record = static_cast<const TRowRecord*>(Row->GetData());
  return Record ? *Record : None;
}

std::int32_t RowNumberOf(const TYCellsVector* Row) {
  return RecordOf(Row).Number;
}

std::uint64_t BigEndianPrefix(std::string_view Text) {
  std::uint64_t Prefix = 0;
  for (std::size_t I = 0; I < 8; ++I)
    Prefix = Prefix << 8 | (I < Text.size() ? static_cast<unsigned char>(Text[I]) : 0u);
  return Prefix;
}
} // namespace

std::string_view CellTextOf(const TYCell* Cell) {
  return Cell->GetData() ? TContentTable::TextOf(Cell->GetData()) : std::string_view();
}

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  RegisterYGridsClasses();
  RegisterProperties<TForm1>("TForm1", "TForm");
  PublishHandlers();
  ReadComponentText(Unit1FormText, *this);
  FindComponents();
  try {
    SortDirection = 0;
    SortCol = -1;
    BuildHeader();
    NumberColumns();
    if (LoadsContent) LoadContent();
    ShowFocusPosition(YGrid1->GetCol(), YGrid1->GetRow());
  } catch (...) {
    delete YGrid1; // its free handlers run while this form still exists
    throw;
  }
}

// The grid goes first: its free handlers release the user data while this form still exists.
TForm1::~TForm1() {
  delete YGrid1;
}

void TForm1::PublishHandlers() {
  PublishMethod("YGrid1DrawCellText",
                TYDrawCellTextEvent(std::bind_front(&TForm1::YGrid1DrawCellText, this)));
  PublishMethod("YGrid1DrawImage",
                TYDrawImageEvent(std::bind_front(&TForm1::YGrid1DrawImage, this)));
  PublishMethod("YGrid1GetCellText",
                TYGetCellTextEvent(std::bind_front(&TForm1::YGrid1GetCellText, this)));
  PublishMethod("YGrid1FocusCell",
                TYFocusCellEvent(std::bind_front(&TForm1::YGrid1FocusCell, this)));
  PublishMethod("YGrid1FreeCell", TYFreeCellEvent(std::bind_front(&TForm1::YGrid1FreeCell, this)));
  PublishMethod("YGrid1FreeCellsVector",
                TYFreeVectorEvent(std::bind_front(&TForm1::YGrid1FreeCellsVector, this)));
  PublishMethod("YGrid1CheckButton",
                TYFixedCellCheckEvent(std::bind_front(&TForm1::YGrid1CheckButton, this)));
  PublishMethod("YGrid1FixedCellClick",
                TYFixedCellClickEvent(std::bind_front(&TForm1::YGrid1FixedCellClick, this)));
  PublishMethod("YGrid1MarkRow", TYMarkVectorEvent(std::bind_front(&TForm1::YGrid1MarkRow, this)));
}

void TForm1::FindComponents() {
  StatusBar1 = dynamic_cast<TStatusBar*>(FindComponent("StatusBar1"));
  YGrid1 = dynamic_cast<TYGrid*>(FindComponent("YGrid1"));
  ImageList1 = dynamic_cast<TImageList*>(FindComponent("ImageList1"));
  if (!StatusBar1 || !YGrid1 || !ImageList1)
    throw EReadError("The stored form lacks one of StatusBar1, YGrid1, ImageList1");
}

// The top-left cell over two rows, a title over all six data columns, and three group cells of
// two columns each; the number row stays unmerged.
void TForm1::BuildHeader() {
  TYCellsUnions* Unions = YGrid1->GetHolder()->GetCellsUnions();
  Unions->Add({0, 0}, {0, 0}, {0, 1}, false);
  Unions->Add({1, 0}, {1, 0}, {6, 0}, false);
  Unions->Add({1, 1}, {1, 1}, {2, 1}, false);
  Unions->Add({3, 1}, {3, 1}, {4, 1}, false);
  Unions->Add({5, 1}, {5, 1}, {6, 1}, false);
}

void TForm1::NumberColumns() {
  TYCellsHolder* Holder = YGrid1->GetHolder();
  ColumnNumbers.resize(static_cast<std::size_t>(Holder->GetColCount()));
  for (std::int32_t I = 0; I < Holder->GetColCount(); ++I) {
    ColumnNumbers[static_cast<std::size_t>(I)] = I;
    Holder->GetCols(I)->SetData(&ColumnNumbers[static_cast<std::size_t>(I)]);
  }
}

void TForm1::LoadContent() {
  const std::string FileName = ContentFile.empty()
                                   ? ExtractFilePath(Application->GetExeName()) + "Content.ini"
                                   : ContentFile;
  if (!FileExists(FileName)) return;
  TYCellsHolder* Holder = YGrid1->GetHolder();
  Content.Load(FileName, {Holder->GetFixedRows(), Holder->GetFixedCols(), Holder->GetColCount()});
  if (Content.GetLineCount() < 1) return;
  Holder->SetRowCount(Content.GetRowCount());
  GiveRowsAndCellsData();
  CutLines = Content.GetCutLines();
  if (!CutLines.empty()) WarnOfCutLines();
}

// One line however many lines were cut: their count and the first few numbers.
void TForm1::WarnOfCutLines() const {
  const TCutLinesSummary Summary = SummarizeCutLines(CutLines);
  std::cerr << "Content.ini: " << GroupDigits(CutLines.size(), ",")
            << (CutLines.size() == 1 ? " line has" : " lines have")
            << " more fields than the table has columns (line"
            << (CutLines.size() == 1 ? " " : "s ") << Summary.FirstLines;
  if (Summary.More) std::cerr << " … and " << GroupDigits(Summary.More, ",") << " more";
  std::cerr << "); the extra fields were dropped\n";
}

// Every row gets its number (the header rows -1), every cell its own text record. The row
// records lie in number order, which the comparison by number relies on.
void TForm1::GiveRowsAndCellsData() {
  TYCellsHolder* Holder = YGrid1->GetHolder();
  const std::int32_t FixedRows = Holder->GetFixedRows();
  RowRecords.resize(static_cast<std::size_t>(Holder->GetRowCount()));
  for (std::int32_t J = 0; J < Holder->GetRowCount(); ++J) {
    TRowRecord& RowRecord = RowRecords[static_cast<std::size_t>(J)];
    RowRecord.Number = J < FixedRows ? -1 : J - FixedRows + 1;
    TYCellsVector* Row = Holder->GetRows(J);
    Row->SetData(&RowRecord);
    const TYRowCells Cells = Row->GetRowCells();
    const void* Record = Content.FirstRecord(J);
    for (std::int32_t I = 0; I < Cells.GetCount(); ++I) {
      Cells[I]->SetData(const_cast<void*>(Record));
      Record = TContentTable::NextRecord(Record);
    }
  }
}

void TForm1::DoShow() {
  TForm::DoShow();
  if (CutLines.empty() || CutLinesReported) return;
  CutLinesReported = true;
  ReportCutLines();
}

// The box names the first few lines and counts the rest, so it stays small however many
// lines were cut.
void TForm1::ReportCutLines() {
  const TCutLinesSummary Summary = SummarizeCutLines(CutLines);
  std::string Lines = Summary.FirstLines;
  if (Summary.More) Lines += " … и ещё " + GroupDigits(Summary.More, " ");
  Application->MessageBox("В файле Content.ini больше полей, чем столбцов в таблице, в строках: " +
                              Lines + ".\n\nЛишние поля этих строк не показаны.",
                          "ВНИМАНИЕ", MB_OK | MB_ICONEXCLAMATION);
}

void TForm1::ShowFocusPosition(std::int32_t ACol, std::int32_t ARow) {
  (*StatusBar1->GetPanels())[0]->SetText("    " + IntToStr(ACol - YGrid1->GetFixedCols() + 1) +
                                         " : " + IntToStr(ARow - YGrid1->GetFixedRows() + 1));
}

// ---------------------------------------------------------------- painting handlers

std::string TForm1::HeaderText(std::int32_t HolderCol, std::int32_t HolderRow) const {
  if (HolderRow == 0) return HolderCol == 0 ? "№" : "ВСЕ ГРУППЫ";
  const std::int32_t Number = *NumberOf(YGrid1->GetHolder()->GetCols(HolderCol));
  if (Number < 1 || Number > 6) return "";
  return "ГРУППА " + IntToStr((Number + 1) / 2);
}

// The headers, the column numbers, the row numbers and the row data; false for a data cell
// without data, which shows nothing.
bool TForm1::SuppliedText(const TYCell* Cell, std::string& CellText) const {
  const std::int32_t C = Cell->GetHolderCol();
  const std::int32_t R = Cell->GetHolderRow();
  TYCellsHolder* Holder = YGrid1->GetHolder();
  if (R < Holder->GetFixedRows()) {
    if (R <= 1)
      CellText = HeaderText(C, R);
    else if (R == 2)
      CellText = IntToStr(*NumberOf(Holder->GetCols(C)));
  } else if (C < Holder->GetFixedCols()) {
    // A row without a number shows none.
    if (const TYCellsVector* Row = Holder->GetRows(R); Row->GetData())
      CellText = IntToStr(RowNumberOf(Row));
  } else if (Cell->GetData()) {
    CellText = CellTextOf(Cell);
  } else {
    return false;
  }
  return true;
}

// The number of the current column and of the current row are red.
void TForm1::YGrid1DrawCellText(TYCustomGrid*, TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                                TYGridDrawStates, TRect& Rect, std::string& CellText, bool&,
                                TAlignment&, TYVertAlignment&) {
  if (!SuppliedText(Cell, CellText)) return;
  TYCellsHolder* Holder = YGrid1->GetHolder();
  const std::int32_t R = Cell->GetHolderRow();
  const bool NumberRow = R == 2 && R < Holder->GetFixedRows();
  const bool NumberCol =
      R >= Holder->GetFixedRows() && Cell->GetHolderCol() < Holder->GetFixedCols();
  if ((NumberRow && ACol == YGrid1->GetCol()) || (NumberCol && ARow == YGrid1->GetRow()))
    YGrid1->GetCanvas()->GetFont()->SetColor(clRed);
  Rect.Left += TextMargin;
}

// What is copied and what screen readers read is what the grid shows.
void TForm1::YGrid1GetCellText(TYCustomGrid*, TYCell* Cell, std::int32_t, std::int32_t,
                               std::string& Text) {
  SuppliedText(Cell, Text);
}

void TForm1::YGrid1DrawImage(TYCustomGrid*, TYCell* Cell, std::int32_t, std::int32_t ARow,
                             TYGridDrawStates, TRect&, std::int32_t& ImageIndex,
                             TAlignment& HorAlignment, TYVertAlignment&) {
  const std::int32_t C = Cell->GetHolderCol();
  const std::int32_t R = Cell->GetHolderRow();
  const std::int32_t FixedRows = YGrid1->GetHolder()->GetFixedRows();
  if (R == FixedRows - 1) {
    if (*NumberOf(YGrid1->GetHolder()->GetCols(C)) != SortCol)
      ImageIndex = 2;
    else
      ImageIndex = SortDirection == 1 ? 0 : 1;
    HorAlignment = taRightJustify;
  } else if (C == 0 && R >= FixedRows && ARow == YGrid1->GetRow()) {
    // The grid row is compared: it names the current row also when rows are hidden.
    ImageIndex = 3;
    HorAlignment = taRightJustify;
  }
}

void TForm1::YGrid1FocusCell(TYCustomGrid*, TYCell*, std::int32_t& ACol, std::int32_t& ARow) {
  const TYGridOptions Options = YGrid1->GetOptions();
  if (!Options.Contains(ygoShowCurCol)) {
    YGrid1->InvalidateCell(YGrid1->GetCol(), YGrid1->GetFixedRows() - 1);
    YGrid1->InvalidateCell(ACol, YGrid1->GetFixedRows() - 1);
  }
  if (!Options.Contains(ygoShowCurRow)) {
    YGrid1->InvalidateCell(YGrid1->GetFixedCols() - 1, YGrid1->GetRow());
    YGrid1->InvalidateCell(YGrid1->GetFixedCols() - 1, ARow);
  }
  ShowFocusPosition(ACol, ARow);
}

// The texts, numbers and row data belong to the form's buffers: a freed cell or vector only
// lets go of its part.
void TForm1::YGrid1FreeCell(TYCustomGrid*, TYCell* Cell) {
  Cell->SetData(nullptr);
}

void TForm1::YGrid1FreeCellsVector(TYCustomGrid*, TYCellsVector* CellsVector) {
  CellsVector->SetData(nullptr);
}

// ---------------------------------------------------------------- commands

void TForm1::YGrid1CheckButton(TYCustomGrid*, TYCell* Cell, std::int32_t, std::int32_t,
                               bool& Enabled) {
  if (Cell->GetHolderCol() == 0 && Cell->GetHolderRow() == 0) Enabled = false;
}

void TForm1::YGrid1FixedCellClick(TYCustomGrid*, TYCell* Cell, std::int32_t ACol,
                                  std::int32_t ARow) {
  const std::int32_t C = Cell->GetHolderCol();
  const std::int32_t R = Cell->GetHolderRow();
  TYCellsHolder* Holder = YGrid1->GetHolder();
  if (R == 0 && C != 0) {
    Holder->SetVisibleAllCols();
  } else if (R == 1) {
    ShowGroup(*NumberOf(Holder->GetCols(C)));
  } else if (R == 2) {
    SortBy(C, ARow);
  } else if (R >= Holder->GetFixedRows() && C == 0) {
    YGrid1->SetRow(ARow);
    YGrid1->SetCol(ACol + 1);
  }
}

// Leaves the fixed columns and the two columns of the group of ColumnNumber visible.
void TForm1::ShowGroup(std::int32_t ColumnNumber) {
  if (ColumnNumber < 1 || ColumnNumber > 6) return;
  const std::int32_t Group = (ColumnNumber + 1) / 2;
  TYCellsHolder* Holder = YGrid1->GetHolder();
  TList Keep;
  for (std::int32_t I = 0; I < Holder->GetFixedCols(); ++I)
    Keep.Add(Holder->GetCols(I));
  for (std::int32_t I = Holder->GetFixedCols(); I < Holder->GetColCount(); ++I) {
    const std::int32_t Number = *NumberOf(Holder->GetCols(I));
    if (Number >= 1 && Number <= 6 && (Number + 1) / 2 == Group) Keep.Add(Holder->GetCols(I));
  }
  Holder->SetVisibleColsRange(&Keep, false);
}

// The sort column is remembered by its column number, which stays with the column when columns
// are moved; a holder index would hand the sort mark to whichever column moves into its place.
void TForm1::SortBy(std::int32_t HolderCol, std::int32_t Row) {
  TYCellsHolder* Holder = YGrid1->GetHolder();
  const std::int32_t Number = *NumberOf(Holder->GetCols(HolderCol));
  if (Number == SortCol) {
    SortDirection = SortDirection == 2 ? 1 : 2;
  } else {
    const TYCellsVector* OldSortColumn = ColumnByNumber(SortCol);
    SortCol = Number;
    SortDirection = 1;
    if (OldSortColumn && OldSortColumn->GetVisible())
      YGrid1->InvalidateCell(OldSortColumn->GetGridIndex(), Row);
  }
  SortHolderCol = HolderCol;
  if (SortCol != 0) PrepareSortKeys(HolderCol);
  Holder->Sort(SortDirection == 1 ? CompareAscending : CompareDescending, true);
}

// Each row keeps its text in the sort column as its key, so that a comparison reads two keys
// instead of looking up two cells.
void TForm1::PrepareSortKeys(std::int32_t HolderCol) {
  TYCellsHolder* Holder = YGrid1->GetHolder();
  for (std::int32_t J = 0; J < Holder->GetRowCount(); ++J) {
    TYCellsVector* Row = Holder->GetRows(J);
    auto* Record = static_cast<TRowRecord*>(Row->GetData());
    if (!Record) continue;
    const std::string_view Text = CellTextOf(Row->GetRowCells()[HolderCol]);
    Record->Key = {BigEndianPrefix(Text), Text};
  }
}

TYCellsVector* TForm1::ColumnByNumber(std::int32_t Number) const {
  TYCellsHolder* Holder = YGrid1->GetHolder();
  for (std::int32_t I = 0; Number >= 0 && I < Holder->GetColCount(); ++I)
    if (*NumberOf(Holder->GetCols(I)) == Number) return Holder->GetCols(I);
  return nullptr;
}

void TForm1::YGrid1MarkRow(TYCustomGrid*, TYCellsVector* CellsVector, bool, bool& CanMark) {
  if (RowNumberOf(CellsVector) != 3) return;
  MessageBeep(0);
  const int Answer = Application->MessageBox(
      "Для смены маркировки этой строки требуется специальное разрешение оператора!\n\n"
      "Вы хотите изменить маркировку этой строки?",
      "ВНИМАНИЕ", MB_YESNO + MB_ICONEXCLAMATION);
  if (Answer == IDNO) CanMark = false;
}

int CompareAscending(void* A, void* B) {
  auto* RowA = static_cast<TYCellsVector*>(A);
  auto* RowB = static_cast<TYCellsVector*>(B);
  if (Form1->SortCol == 0) {
    // The records lie in number order (GiveRowsAndCellsData): where a record lies orders its
    // row as its number does, and a comparison reads no record at all.
    const auto* DataA = static_cast<const TRowRecord*>(RowA->GetData());
    const auto* DataB = static_cast<const TRowRecord*>(RowB->GetData());
    if (DataA && DataB) {
      const std::less<const TRowRecord*> Before;
      return Before(DataA, DataB) ? -1 : Before(DataB, DataA) ? 1 : 0;
    }
    const std::int32_t NumberA = RowNumberOf(RowA);
    const std::int32_t NumberB = RowNumberOf(RowB);
    return NumberA < NumberB ? -1 : NumberA > NumberB ? 1 : 0;
  }
  // Prefixes that differ order the texts as their bytes do; equal ones leave it to the rest.
  const TSortKey& KeyA = RecordOf(RowA).Key;
  const TSortKey& KeyB = RecordOf(RowB).Key;
  if (KeyA.Prefix != KeyB.Prefix) return KeyA.Prefix < KeyB.Prefix ? -1 : 1;
  const int Order = KeyA.Text.compare(KeyB.Text);
  return Order < 0 ? -1 : Order > 0 ? 1 : 0;
}

int CompareDescending(void* A, void* B) {
  return -CompareAscending(A, B);
}
