// Copying to the clipboard: the marked columns, rows or cells (by the marking mode), or the
// current cell when nothing visible is marked, as tab-separated text and as an HTML table.
// Only visible vectors take part (grid indices), so hidden columns and rows are left out. The
// texts come from OnGetCellText; without a handler nothing is copied.
#include "grid/YGrids.h"

#include "host/gui/Clipbrd.h"

#include <algorithm>
#include <utility>

namespace {
// One field of the copied block.
struct TYCopyField {
  enum TKind : std::uint8_t { Empty, Text, Covered } Kind = Empty;
  std::string Value;
  std::int32_t ColSpan = 1, RowSpan = 1;
  bool Header = false; // a fixed cell
};

// The copied block: the grid indices of its columns and rows, and its fields row by row.
struct TYCopyBlock {
  std::vector<std::int32_t> Cols, Rows;
  std::vector<TYCopyField> Fields;
  TYCopyField& At(std::size_t ColPos, std::size_t RowPos) {
    return Fields[RowPos * Cols.size() + ColPos];
  }
};

std::vector<std::int32_t> AllIndices(std::int32_t Count) {
  std::vector<std::int32_t> Indices(static_cast<std::size_t>(std::max(Count, 0)));
  for (std::int32_t I = 0; I < Count; ++I)
    Indices[static_cast<std::size_t>(I)] = I;
  return Indices;
}

std::vector<std::int32_t> SortedUnique(std::vector<std::int32_t> Indices) {
  std::sort(Indices.begin(), Indices.end());
  Indices.erase(std::unique(Indices.begin(), Indices.end()), Indices.end());
  return Indices;
}

// The positions of the sorted Indices that lie in First..Last: [Begin, End).
std::pair<std::size_t, std::size_t> PositionsWithin(const std::vector<std::int32_t>& Indices,
                                                    std::int32_t First, std::int32_t Last) {
  const auto Low = std::lower_bound(Indices.begin(), Indices.end(), First);
  const auto High = std::upper_bound(Low, Indices.end(), Last);
  return {static_cast<std::size_t>(Low - Indices.begin()),
          static_cast<std::size_t>(High - Indices.begin())};
}

// How many of the sorted Indices lie in First..Last.
std::int32_t CountWithin(const std::vector<std::int32_t>& Indices, std::int32_t First,
                         std::int32_t Last) {
  const auto [Begin, End] = PositionsWithin(Indices, First, Last);
  return static_cast<std::int32_t>(End - Begin);
}

// A field's text on one line: tabs and line breaks would split the table.
std::string PlainField(std::string Text) {
  std::replace_if(
      Text.begin(), Text.end(), [](char C) { return C == '\t' || C == '\n' || C == '\r'; }, ' ');
  return Text;
}

// Text as HTML content; a line break stays a line break.
std::string HtmlField(const std::string& Text) {
  std::string Out;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    switch (Text[I]) {
    case '&':
      Out += "&amp;";
      break;
    case '<':
      Out += "&lt;";
      break;
    case '>':
      Out += "&gt;";
      break;
    case '"':
      Out += "&quot;";
      break;
    case '\'':
      Out += "&#39;";
      break;
    case '\r':
      if (I + 1 < Text.size() && Text[I + 1] == '\n') break; // CR LF is one break
      Out += "<br>";
      break;
    case '\n':
      Out += "<br>";
      break;
    default:
      Out += Text[I];
    }
  }
  return Out;
}

std::string HtmlCell(const TYCopyField& F) {
  const char* Tag = F.Header ? "th" : "td";
  std::string Cell = std::string("<") + Tag;
  if (F.ColSpan > 1) Cell += " colspan=\"" + std::to_string(F.ColSpan) + "\"";
  if (F.RowSpan > 1) Cell += " rowspan=\"" + std::to_string(F.RowSpan) + "\"";
  return Cell + ">" + HtmlField(F.Value) + "</" + Tag + ">";
}

// One line per row, fields separated by tabs; a covered field is empty.
std::string PlainTable(TYCopyBlock& B) {
  std::string Out;
  for (std::size_t R = 0; R < B.Rows.size(); ++R) {
    for (std::size_t C = 0; C < B.Cols.size(); ++C) {
      if (C > 0) Out += '\t';
      Out += PlainField(B.At(C, R).Value);
    }
    Out += '\n';
  }
  return Out;
}

// A covered field is left out: the field that spans it stands for it.
std::string HtmlTable(TYCopyBlock& B) {
  std::string Out = "<html><head><meta charset=\"utf-8\"></head><body><table border=\"1\">\n";
  for (std::size_t R = 0; R < B.Rows.size(); ++R) {
    Out += "<tr>";
    for (std::size_t C = 0; C < B.Cols.size(); ++C)
      if (B.At(C, R).Kind != TYCopyField::Covered) Out += HtmlCell(B.At(C, R));
    Out += "</tr>\n";
  }
  return Out + "</table></body></html>\n";
}
} // namespace

// The copied block and how its fields are filled, in steps.
class TYCustomGrid::TCopyBuilder {
public:
  explicit TCopyBuilder(TYCustomGrid& AGrid) : Grid(AGrid) {}
  // Chooses the columns and rows, then fills every field; false when there is nothing to copy.
  bool Build();
  TYCopyBlock Block;

private:
  TYCustomGrid& Grid;
  bool CellsOnly = false; // only marked cells give their text; the rest of the block is empty

  void ChooseMarked(TYGridOption Mode);
  void ChooseCurrent();
  bool Included(std::int32_t Col, std::int32_t Row) const;
  void FillPiece(std::size_t C, std::size_t R, TYGridUnion* Piece);
  bool WholePiece(const TYGridUnion* Piece) const;
  void FillText(TYCopyField& F, TYCell* Cell, std::int32_t Col, std::int32_t Row);
};

bool TYCustomGrid::TCopyBuilder::Build() {
  const TYGridOptions Options = Grid.GetOptions();
  const TYGridOption Modes[] = {ygoColsMarking, ygoRowsMarking, ygoCellsMarking};
  const auto Mode = std::find_if(std::begin(Modes), std::end(Modes),
                                 [&](TYGridOption M) { return Options.Contains(M); });
  if (Mode != std::end(Modes) && Grid.GetMarkedCount() > 0)
    ChooseMarked(*Mode);
  else
    ChooseCurrent();
  if (Block.Cols.empty() || Block.Rows.empty()) return false;
  Block.Fields.assign(Block.Cols.size() * Block.Rows.size(), {});
  for (std::size_t R = 0; R < Block.Rows.size(); ++R)
    for (std::size_t C = 0; C < Block.Cols.size(); ++C) {
      const std::int32_t Col = Block.Cols[C], Row = Block.Rows[R];
      if (!Included(Col, Row) || Block.At(C, R).Kind != TYCopyField::Empty) continue;
      TYCell* Cell = Grid.GetCells(Col, Row);
      if (TYGridUnion* Piece = Cell->GetGridUnion())
        FillPiece(C, R, Piece);
      else
        FillText(Block.At(C, R), Cell, Col, Row);
    }
  return true;
}

// Whole columns or rows take every visible vector of the other axis, fixed ones included, as
// the grid shows them; marked cells take the columns and rows that hold any of them.
void TYCustomGrid::TCopyBuilder::ChooseMarked(TYGridOption Mode) {
  const std::int32_t Count = Grid.GetMarkedCount();
  for (std::int32_t I = 0; I < Count; ++I) {
    if (Mode == ygoColsMarking) Block.Cols.push_back(Grid.GetMarkedCols(I)->GetGridIndex());
    if (Mode == ygoRowsMarking) Block.Rows.push_back(Grid.GetMarkedRows(I)->GetGridIndex());
    if (Mode != ygoCellsMarking) continue;
    const TYCell* Cell = Grid.GetMarkedCells(I);
    Block.Cols.push_back(Cell->GetGridCol());
    Block.Rows.push_back(Cell->GetGridRow());
  }
  if (Mode == ygoColsMarking) Block.Rows = AllIndices(Grid.GetRowCount());
  if (Mode == ygoRowsMarking) Block.Cols = AllIndices(Grid.GetColCount());
  Block.Cols = SortedUnique(std::move(Block.Cols));
  Block.Rows = SortedUnique(std::move(Block.Rows));
  CellsOnly = Mode == ygoCellsMarking;
}

// The current cell, all of its merged piece.
void TYCustomGrid::TCopyBuilder::ChooseCurrent() {
  if (!Grid.HasCurrentCell()) return;
  const TYGridRect& R = Grid.GetCurrentCellRect();
  for (std::int32_t Col = R.Left; Col <= R.Right; ++Col)
    Block.Cols.push_back(Col);
  for (std::int32_t Row = R.Top; Row <= R.Bottom; ++Row)
    Block.Rows.push_back(Row);
}

bool TYCustomGrid::TCopyBuilder::Included(std::int32_t Col, std::int32_t Row) const {
  return !CellsOnly || Grid.GetCells(Col, Row)->GetMarked();
}

// A merged piece gives its text once, at the first field of the block it covers (in grid
// order). The other fields it covers stay empty; in HTML the first one spans them, when the
// piece fills its rectangle and all of the block inside it is copied (else each field stands
// on its own and only the first has the text).
void TYCustomGrid::TCopyBuilder::FillPiece(std::size_t C, std::size_t R, TYGridUnion* Piece) {
  const TYGridRect& Rect = Piece->GetRect();
  TYCopyField& First = Block.At(C, R);
  FillText(First, Piece->GetMainCell(), Block.Cols[C], Block.Rows[R]);
  const bool Spans = WholePiece(Piece);
  if (Spans) {
    First.ColSpan = CountWithin(Block.Cols, Block.Cols[C], Rect.Right);
    First.RowSpan = CountWithin(Block.Rows, Block.Rows[R], Rect.Bottom);
  }
  const auto [ColBegin, ColEnd] = PositionsWithin(Block.Cols, Rect.Left, Rect.Right);
  const auto RowEnd = PositionsWithin(Block.Rows, Rect.Top, Rect.Bottom).second;
  for (std::size_t RR = R; RR < RowEnd; ++RR)
    for (std::size_t CC = ColBegin; CC < ColEnd; ++CC) {
      TYCopyField& F = Block.At(CC, RR);
      if (&F == &First || !Included(Block.Cols[CC], Block.Rows[RR])) continue;
      if (Grid.GetCells(Block.Cols[CC], Block.Rows[RR])->GetGridUnion() != Piece) continue;
      F.Kind = Spans ? TYCopyField::Covered : TYCopyField::Text;
      F.Header = First.Header;
    }
}

// The piece covers its whole rectangle, and every copied position in it is copied.
bool TYCustomGrid::TCopyBuilder::WholePiece(const TYGridUnion* Piece) const {
  const TYGridRect& R = Piece->GetRect();
  const std::int64_t Area =
      static_cast<std::int64_t>(R.Right - R.Left + 1) * (R.Bottom - R.Top + 1);
  if (Piece->GetCount() != Area) return false;
  const auto [ColBegin, ColEnd] = PositionsWithin(Block.Cols, R.Left, R.Right);
  const auto [RowBegin, RowEnd] = PositionsWithin(Block.Rows, R.Top, R.Bottom);
  for (std::size_t RR = RowBegin; RR < RowEnd; ++RR)
    for (std::size_t CC = ColBegin; CC < ColEnd; ++CC)
      if (!Included(Block.Cols[CC], Block.Rows[RR])) return false;
  return true;
}

void TYCustomGrid::TCopyBuilder::FillText(TYCopyField& F, TYCell* Cell, std::int32_t Col,
                                          std::int32_t Row) {
  F.Kind = TYCopyField::Text;
  F.Header = Col < Grid.GetFixedCols() || Row < Grid.GetFixedRows();
  Grid.DoGetCellText(Cell, Col, Row, F.Value);
}

// ---------------------------------------------------------------- the grid's side

bool TYCustomGrid::CopyToClipboard() {
  if (!OnGetCellText) return false;
  TCopyBuilder Builder(*this);
  if (!Builder.Build()) return false;
  Clipboard()->SetTextAndHtml(PlainTable(Builder.Block), HtmlTable(Builder.Block));
  return true;
}

std::string TYCustomGrid::GetCellText(std::int32_t ACol, std::int32_t ARow) {
  CheckCoord(ACol, ARow);
  std::string Text;
  DoGetCellText(MainCellOf(ACol, ARow), ACol, ARow, Text);
  return Text;
}

void TYCustomGrid::DoGetCellText(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                                 std::string& Text) {
  if (OnGetCellText) OnGetCellText(this, Cell, ACol, ARow, Text);
}
