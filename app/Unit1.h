// The demo's one form: "Content.ini" shown in a grid under a merged three-row header, with
// row numbers, sort marks, the current-row mark and the focus position in the status bar.
#pragma once

#include "app/ContentTable.h"
#include "grid/YGrids.h"
#include "host/gui/ComCtrls.h"
#include "host/gui/Forms.h"
#include "host/gui/Graphics.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a row is sorted by when the rows are sorted by a text column: its text there, and its
// first 8 bytes as a big-endian number, which decide most comparisons on their own.
struct TSortKey {
  std::uint64_t Prefix = 0;
  std::string_view Text;
};

// What a row's user data points at: its number (-1 for the header rows) and, while the rows are
// sorted by a text column, its key. One record, so that a comparison reads one place per row.
struct TRowRecord {
  std::int32_t Number = 0;
  TSortKey Key;
};

// The text of a cell of the table, from its user data (a record of the form's texts).
std::string_view CellTextOf(const TYCell* Cell);

class TForm1 : public TForm {
public:
  explicit TForm1(TComponent* AOwner);
  ~TForm1() override;
  const char* ClassName() const override { return "TForm1"; }

  // The components of the stored description.
  TStatusBar* StatusBar1 = nullptr;
  TYGrid* YGrid1 = nullptr;
  TImageList* ImageList1 = nullptr;

  // The column the rows are sorted by, as its column number (its holder index at start-up; -1
  // before the first sort), and the direction: 0 before the first sort, 1 ascending, 2
  // descending. SortHolderCol is where that column is in the store while it sorts.
  std::int32_t SortCol = -1;
  std::uint8_t SortDirection = 0;
  std::int32_t SortHolderCol = -1;

  // --- Grid handlers ---
  void YGrid1DrawCellText(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                          TYGridDrawStates State, TRect& Rect, std::string& CellText,
                          bool& Multiline, TAlignment& HorAlignment,
                          TYVertAlignment& VertAlignment);
  void YGrid1DrawImage(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                       TYGridDrawStates State, TRect& Rect, std::int32_t& ImageIndex,
                       TAlignment& HorAlignment, TYVertAlignment& VertAlignment);
  void YGrid1GetCellText(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                         std::string& Text);
  void YGrid1FocusCell(TYCustomGrid* Sender, TYCell* Cell, std::int32_t& ACol, std::int32_t& ARow);
  void YGrid1FreeCell(TYCustomGrid* Sender, TYCell* Cell);
  void YGrid1FreeCellsVector(TYCustomGrid* Sender, TYCellsVector* CellsVector);
  void YGrid1CheckButton(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                         bool& Enabled);
  void YGrid1FixedCellClick(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol,
                            std::int32_t ARow);
  void YGrid1MarkRow(TYCustomGrid* Sender, TYCellsVector* CellsVector, bool MarkValue,
                     bool& CanMark);

  // The table file a form loads when it is created; empty for "Content.ini" beside the program.
  static std::string ContentFile;
  // False: forms start with an empty table (the file could not be read).
  static bool LoadsContent;

  // The 1-based lines of "Content.ini" that had more fields than the table has data columns;
  // their extra fields were dropped.
  const std::vector<int>& GetCutLines() const { return CutLines; }

protected:
  // The first showing tells the user about lines that were cut.
  void DoShow() override;

private:
  void PublishHandlers();
  bool SuppliedText(const TYCell* Cell, std::string& CellText) const;
  void FindComponents();
  void BuildHeader();
  void NumberColumns();
  void LoadContent();
  void GiveRowsAndCellsData();
  void PrepareSortKeys(std::int32_t HolderCol);
  void ShowFocusPosition(std::int32_t ACol, std::int32_t ARow);
  void ReportCutLines();
  void WarnOfCutLines() const;
  std::string HeaderText(std::int32_t HolderCol, std::int32_t HolderRow) const;
  void SortBy(std::int32_t HolderCol, std::int32_t Row);
  void ShowGroup(std::int32_t ColumnNumber);
  TYCellsVector* ColumnByNumber(std::int32_t Number) const;

  std::vector<int> CutLines;
  bool CutLinesReported = false;
  // What the user data of the cells, rows and columns points at; the free handlers only let
  // go of it, and it goes with the form. A row's data is its record (the records in number
  // order), a column's its number.
  TContentTable Content;
  std::vector<TRowRecord> RowRecords;
  std::vector<std::int32_t> ColumnNumbers;
};

extern TForm1* Form1;

// Row comparisons for the holder's sort: two row vectors compared by Form1's sort column (the
// row numbers for column 0, else the texts in SortHolderCol as bytes, which SortBy gives each
// row as its sort key before it sorts).
int CompareAscending(void* A, void* B);
int CompareDescending(void* A, void* B);

// The stored description of TForm1, in text form.
extern const char* const Unit1FormText;
