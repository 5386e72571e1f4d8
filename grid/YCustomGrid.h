/// \file
/// The grid control: owns the cell store, keeps the current cell and the scroll position,
/// maps grid indices to holder indices and turns changes into events for the host.
#pragma once

#include "grid/YCellsHolder.h"
#include "grid/YCellsUnions.h"
#include "grid/YGridAppearance.h"
#include "host/gui/Controls.h"
#include "host/gui/Graphics.h"

#include <functional>
#include <memory>
#include <vector>

/// The current cell is about to move to (ACol, ARow), grid indices; Cell is the cell there.
/// The handler may change ACol and ARow to redirect the move; a position outside the grid then
/// raises EYInvalidGridOperation.
using TYFocusCellEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, std::int32_t& ACol, std::int32_t& ARow)>;
/// A column or row was moved from grid index FromIndex to ToIndex.
using TYMovedEvent =
    std::function<void(TYCustomGrid* Sender, std::int32_t FromIndex, std::int32_t ToIndex)>;
/// A fixed cell used as a button was clicked at (ACol, ARow), grid indices; Cell is the cell
/// there, or the main cell of a merged button.
using TYFixedCellClickEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow)>;
/// Asks whether a press on the fixed cell (ACol, ARow) works a button; clearing Enabled
/// refuses it, and the grid beeps. Cell as for TYFixedCellClickEvent.
using TYFixedCellCheckEvent = std::function<void(
    TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow, bool& Enabled)>;
/// The mark of a column or row is about to become MarkValue; clearing CanMark refuses the
/// change.
using TYMarkVectorEvent = std::function<void(TYCustomGrid* Sender, TYCellsVector* CellsVector,
                                             bool MarkValue, bool& CanMark)>;
/// The mark of a cell (or of the union whose main cell it is) is about to become MarkValue;
/// clearing CanMark refuses the change.
using TYMarkCellEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, bool MarkValue, bool& CanMark)>;
/// The cell's user data is to be released: the cell is about to be destroyed, or the program
/// asked for it (TYCellsHolder::FreeCellsRangeData).
using TYFreeCellEvent = std::function<void(TYCustomGrid* Sender, TYCell* Cell)>;
/// A new cell is in place, with the whole store around it: give it its user data.
using TYInitCellEvent = TYFreeCellEvent;
/// The user data of a column or row is to be released, as TYFreeCellEvent.
using TYFreeVectorEvent = std::function<void(TYCustomGrid* Sender, TYCellsVector* CellsVector)>;
/// A new column or row is in place, with its cells: give it its user data.
using TYInitVectorEvent = TYFreeVectorEvent;
/// A cell is about to be painted: Cell, at grid position (ACol, ARow) (a merged cell's first
/// cell painted), in State, filling Rect in client pixels without its lines. Setting
/// CustomDraw leaves the whole cell to the handler (except while the grid is designed). In a
/// right-to-left grid Rect is mirrored, and the handler draws unmirrored.
using TYBeforeDrawCellEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                       TYGridDrawStates State, const TRect& Rect, bool& CustomDraw)>;
/// The cell's background is about to be filled; Cell is the main cell of a merged cell.
/// Setting CustomDraw means the handler filled it (a fixed cell then gets no 3D frame).
using TYDrawCellFieldEvent = TYBeforeDrawCellEvent;
/// Supplies what the cell shows as text: CellText (UTF-8; empty draws nothing), Multiline
/// (word wrap, from the top), HorAlignment and VertAlignment (left and centred unless
/// changed); Rect, the room for the text in client pixels, may be changed. Cell is the main
/// cell of a merged cell.
using TYDrawCellTextEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                       TYGridDrawStates State, TRect& Rect, std::string& CellText, bool& Multiline,
                       TAlignment& HorAlignment, TYVertAlignment& VertAlignment)>;
/// Chooses the cell's image: ImageIndex in the grid's image list (-1, the default, for none)
/// and its place in Rect (left and centred unless changed). Called only while the grid has an
/// image list. Cell as for TYDrawCellTextEvent.
using TYDrawImageEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                       TYGridDrawStates State, TRect& Rect, std::int32_t& ImageIndex,
                       TAlignment& HorAlignment, TYVertAlignment& VertAlignment)>;
/// The cell is painted; the handler may draw over it. Cell is the main cell of a merged cell;
/// Rect as for TYBeforeDrawCellEvent.
using TYAfterDrawCellEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                       TYGridDrawStates State, const TRect& Rect)>;
/// Supplies the text of a cell for copying and for assistive technologies (screen readers):
/// Text (UTF-8, empty when called) for Cell at grid position (ACol, ARow). Cell is the main
/// cell of a merged cell, and (ACol, ARow) then the first position of the merged cell that the
/// copy or the reader looks at.
using TYGetCellTextEvent = std::function<void(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol,
                                              std::int32_t ARow, std::string& Text)>;

/// The grid's frame: none (bsNone), or a single line, a sunken 3D edge with Ctl3D (bsSingle).
enum TBorderStyle : std::uint8_t { bsNone, bsSingle };
/// The grid's scroll bars: none, the horizontal one, the vertical one, or both.
enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

/// What marking a range does to each item: clear its mark (ymmUnmark), set it (ymmMark), or
/// invert it (ymmToggle).
enum TYMarkRangeMode : std::uint8_t { ymmUnmark, ymmMark, ymmToggle };

/// The indices First..Last of one axis; empty when Last < First.
struct TYIndexSpan {
  std::int32_t First; ///< the first index
  std::int32_t Last;  ///< the last index
};

/// A colour slot and a font slot; -1 for both means the zebra colours.
struct TYGridCellLookSlots {
  int Color; ///< a TYGridColorSlot, or -1
  int Font;  ///< a TYGridFontSlot, or -1
};
/// The same as TYGridCellLookSlots, under its other name.
using TYCellLook = TYGridCellLookSlots;

/// What painting knows about the cell it is drawing.
struct TYCellPaint {
  TYCell* Cell; ///< the cell met in painting order
  /// \var Col
  /// its grid position: the column
  std::int32_t Col, Row;      ///< its grid position: the row
  bool Fixed;                 ///< in one of the three fixed areas
  TYGridRect Span{};          ///< the cells it covers (its piece, clipped to the scroll position)
  TRect Rect{};               ///< in client pixels, without lines
  TYCell* DrawCell = nullptr; ///< the union's main cell for a merged cell, else the cell
  bool Active = false;        ///< the grid is active (or designed)
  TYGridDrawStates State;     ///< how the cell is painted
  bool CustomField = false;   ///< the host drew the field
};

/// The layout of one axis, computed on demand from the client size, the options, the line
/// width, the fixed count, the first scrollable cell shown and the extents. Pixels.
struct TYGridAxisDrawInfo {
  std::int32_t LineWidth = 0;     ///< line after every cell; 0 when the axis has no lines
  std::int32_t FixedBoundary = 0; ///< where the fixed cells end
  std::int32_t GridBoundary = 0;  ///< where the scrollable cells end (at most the client edge)
  std::int32_t GridExtent = 0;    ///< client width or height
  std::int32_t LastFullVisibleCell = 0; ///< last wholly visible scrollable cell
  std::int32_t FullVisibleBoundary = 0; ///< after that cell and its line
  std::int32_t FixedCellCount = 0;      ///< the visible fixed cells
  std::int32_t FirstGridCell = 0;       ///< LeftCol or TopRow
  std::int32_t GridCellCount = 0;       ///< the visible cells, fixed ones included
  TYGetExtentsFunc GetExtent;           ///< width or height by grid index
  /// The store's axis whose sizes GetExtent answers, with their running sums; none when
  /// GetExtent answers something else. Lets the layout find positions without walking.
  const TYCellsAxis* Sizes = nullptr;
};

/// The layout of the client area: both axes.
struct TYGridDrawInfo {
  TYGridAxisDrawInfo Horz; ///< columns
  TYGridAxisDrawInfo Vert; ///< rows
};

/// The grid control. It shows the cells of its store (GetHolder) with fixed header rows and
/// columns, keeps a current cell and a scroll position, marks rows, columns or cells, and asks
/// the application through its events for every text and image it paints.
///
/// Operations of the grid take grid indices: the visible columns and rows, counted in holder
/// order. An index outside the grid raises EYInvalidGridOperation ("TYGrid::Grid index out of
/// range") before anything changes. Repaint requests only add to the window's update region;
/// before the grid has a window they do nothing.
class TYCustomGrid : public TCustomControl {
public:
  /// A grid owned by AOwner (which may be none), with a store of 5 columns and 5 rows, one of
  /// each fixed. Its window is made when it is first needed.
  explicit TYCustomGrid(TComponent* AOwner);
  /// Destroys the window (losing the focus fires no OnChangeFocus), then frees every column,
  /// then row by row the cells and the row, through the free events.
  ~TYCustomGrid() override;
  /// "TYCustomGrid".
  const char* ClassName() const override { return "TYCustomGrid"; }

  // --- The store and the index spaces ---
  /// The cell store, owned by the grid.
  TYCellsHolder* GetHolder() const { return Holder.get(); }
  // Visible columns and rows, and the visible fixed ones (at most ColCount - 1): the store
  // keeps them with its axes.
  /// The visible columns.
  std::int32_t GetColCount() const { return Holder->GetColAxis().GetGridCount(); }
  /// The visible rows.
  std::int32_t GetRowCount() const { return Holder->GetRowAxis().GetGridCount(); }
  /// The visible fixed columns (at most ColCount - 1; -1 with no visible column).
  std::int32_t GetFixedCols() const { return Holder->GetColAxis().GetGridFixed(); }
  /// The visible fixed rows (at most RowCount - 1; -1 with no visible row).
  std::int32_t GetFixedRows() const { return Holder->GetRowAxis().GetGridFixed(); }
  // Grid index -> holder index.
  /// The holder index of each visible column.
  const std::vector<std::int32_t>& GetColMap() const { return Holder->GetColAxis().GetGridMap(); }
  /// The holder index of each visible row.
  const std::vector<std::int32_t>& GetRowMap() const { return Holder->GetRowAxis().GetGridMap(); }
  /// The holder index of grid column Index.
  std::int32_t GridToHolderCol(std::int32_t Index) const;
  /// The holder index of grid row Index.
  std::int32_t GridToHolderRow(std::int32_t Index) const;
  /// The holder indices of the cell at grid position Coord.
  TYGridCoord GridToHolderCell(const TYGridCoord& Coord) const;
  /// The column at grid index Index.
  TYCellsVector* GetCols(std::int32_t Index) const;
  /// The row at grid index Index.
  TYCellsVector* GetRows(std::int32_t Index) const;
  /// The cell at grid position (ACol, ARow).
  TYCell* GetCells(std::int32_t ACol, std::int32_t ARow) const;
  // Sizes by grid index; an index outside the grid reads the default size.
  /// A column's width in pixels, by grid index; outside the grid, the default width.
  std::int32_t GetColWidths(std::int32_t Index) const;
  /// A row's height in pixels, by grid index; outside the grid, the default height.
  std::int32_t GetRowHeights(std::int32_t Index) const;
  /// Sets a column's width (the store's SetColWidths): repaints and fires OnColumnSized when
  /// it changed.
  void SetColWidths(std::int32_t Index, std::int32_t Value);
  /// Sets a row's height: repaints and fires OnRowSized when it changed.
  void SetRowHeights(std::int32_t Index, std::int32_t Value);

  // --- Marked items that are visible ---
  /// The visible marked column at Index (0 to GetMarkedCount() - 1), in holder order; none
  /// when columns are not what is marked. An index outside raises.
  TYCellsVector* GetMarkedCols(std::int32_t Index);
  /// The visible marked row at Index, as GetMarkedCols.
  TYCellsVector* GetMarkedRows(std::int32_t Index);
  /// The visible marked cell at Index (row by row), as GetMarkedCols.
  TYCell* GetMarkedCells(std::int32_t Index);
  /// How many marked items are visible (the store's GetMarkedCount counts hidden ones too).
  std::int32_t GetMarkedCount() const;
  /// The visible marked items, as of the store's last rebuild of its lists.
  const TList& GetGridMarkList() const { return Holder->GetGridMarkList(); }

  // --- Properties ---
  /// The options in force (TYGridOption).
  TYGridOptions GetOptions() const { return Options; }
  /// Sets the options and repaints. A newly switched-on marking mode wins over the others
  /// (columns before rows before cells) and clears all marks; at least one way of showing the
  /// focus (ygoShowFocusCell, ygoShowFocusFrame) stays on.
  void SetOptions(TYGridOptions Value);
  /// Options that also hold while the grid is designed: sizing columns and rows.
  TYGridOptions GetDesignOptions() const { return DesignOptions; }
  /// The width of a new column, in pixels (64).
  std::int32_t GetDefaultColWidth() const { return DefaultColWidth; }
  /// The height of a new row, in pixels (24).
  std::int32_t GetDefaultRowHeight() const { return DefaultRowHeight; }
  /// Sets the default width and gives it to every column (unless a form being loaded brought
  /// widths of its own); repaints and fires OnColumnSized.
  void SetDefaultColWidth(std::int32_t Value);
  /// Sets the default height and gives it to every row, as SetDefaultColWidth.
  void SetDefaultRowHeight(std::int32_t Value);
  /// The width of the lines between cells, in pixels (1).
  std::int32_t GetGridLineWidth() const { return GridLineWidth; }
  /// Sets the line width and repaints.
  void SetGridLineWidth(std::int32_t Value);
  /// How the focus frame is drawn (yffDotRect).
  TYGridFocusFrameStyle GetFocusFrameStyle() const { return FocusFrameStyle; }
  /// Sets the focus frame style and repaints the current cell.
  void SetFocusFrameStyle(TYGridFocusFrameStyle Value);
  /// The mouse interaction running.
  TYGridState GetGridState() const { return GridState; }

  // --- Current cell and scroll position (grid indices) ---
  /// The current cell's column.
  std::int32_t GetCol() const { return CurrentCoord.X; }
  /// The current cell's row.
  std::int32_t GetRow() const { return CurrentCoord.Y; }
  /// Makes column Value current in the current row, as FocusCell.
  void SetCol(std::int32_t Value);
  /// Makes row Value current in the current column, as FocusCell.
  void SetRow(std::int32_t Value);
  /// The first scrollable column shown.
  std::int32_t GetLeftCol() const { return TopLeftCoord.X; }
  /// The first scrollable row shown.
  std::int32_t GetTopRow() const { return TopLeftCoord.Y; }
  /// Scrolls to show Value as the first scrollable column. A first scrollable column (row)
  /// outside the scrollable ones raises.
  void SetLeftCol(std::int32_t Value);
  /// Scrolls to show Value as the first scrollable row; outside the scrollable rows raises.
  void SetTopRow(std::int32_t Value);
  /// The current cell's extent: its piece when it is merged, else the cell alone.
  const TYGridRect& GetCurrentCellRect() const { return CurrentCellRect; }
  /// The current cell remembered across a structural change of the store; none otherwise.
  TYCell* GetSavedFocusCell() const { return SavedFocusCell; }
  /// Whether the structural change being closed repaints the whole grid.
  bool GetFullRepaint() const { return FullRepaint; }

  /// Makes (ACol, ARow) current after the host's redirection; with InView brings it into view.
  /// A position outside the grid, given or redirected, raises.
  void MoveCurrent(std::int32_t ACol, std::int32_t ARow, bool InView);
  /// MoveCurrent(ACol, ARow, Show); the third argument has no effect.
  void MoveColRow(std::int32_t ACol, std::int32_t ARow, bool B1, bool Show);
  /// MoveCurrent into view, then a click (OnClick); MoveAnchor has no effect.
  void FocusCell(std::int32_t ACol, std::int32_t ARow, bool MoveAnchor);
  /// Recomputes GetCurrentCellRect after the pieces may have changed.
  void RefreshCurrentRect();
  /// Scrolls the least needed to show Coord wholly.
  void ClampInView(const TYGridCoord& Coord);
  /// Makes (ALeft, ATop) the first scrollable cell shown and scrolls; callers pass valid values.
  void MoveTopLeft(std::int32_t ALeft, std::int32_t ATop);
  /// Ranges both scroll bars for the client size; may pull the first scrollable cell back.
  void UpdateScrollRange();
  /// Puts both thumbs where the scroll position says.
  void UpdateScrollPos();
  /// Keeps CurIndex on the same vector when a vector moves from FromIndex to ToIndex.
  static void MoveAdjust(std::int32_t& CurIndex, std::int32_t FromIndex, std::int32_t ToIndex);

  /// Marks, unmarks or inverts the columns, rows or cells (by the marking mode) of the range
  /// From..To; each item through its own setter, so the host may veto. A non-empty range
  /// reaching outside the grid raises before any mark changes.
  void MarkRange(const TYGridCoord& From, const TYGridCoord& To, TYMarkRangeMode Mode);
  /// Whether a range marking with Shift and the keyboard is running.
  bool GetKeyRangeMarking() const { return KeyRangeMarking; }
  /// Where the running range marking started.
  TYGridCoord GetMarkAnchor() const { return MarkAnchor; }
  /// Where the running range marking reached at its last update.
  TYGridCoord GetMarkCorner() const { return MarkCorner; }

  /// The cell under a client point; -1 for both where there is none.
  void MouseToCell(std::int32_t X, std::int32_t Y, std::int32_t& ACol, std::int32_t& ARow) const;
  /// A mouse interaction is running, or the point lies on a line that can be sized.
  bool Sizing(std::int32_t X, std::int32_t Y) const;

  /// Move a column or row to another grid position; the current cell stays on its vector. A
  /// move into or out of the fixed area changes nothing. Fires OnColumnMoved and OnColumnSized.
  void MoveColumn(std::int32_t FromIndex, std::int32_t ToIndex);
  /// Moves a row, as MoveColumn; fires OnRowMoved and OnRowSized.
  void MoveRow(std::int32_t FromIndex, std::int32_t ToIndex);

  // --- Appearance ---
  /// The grid's colours, owned by it.
  TYGridColors* GetColors() const { return Colors.get(); }
  /// Takes Value's colours and repaints.
  void SetColors(const TYGridColors* Value) { Colors->Assign(Value); }
  /// The grid's fonts, owned by it.
  TYGridFonts* GetFonts() const { return Fonts.get(); }
  /// Takes Value's fonts and repaints.
  void SetFonts(const TYGridFonts* Value) { Fonts->Assign(Value); }
  /// The image list that OnDrawImage chooses from; not owned, none by default.
  TCustomImageList* GetImages() const { return Images; }
  /// Sets the image list and repaints; the grid follows the list's changes and lets it go
  /// when it is destroyed.
  void SetImages(TCustomImageList* Value);
  /// The frame (bsSingle).
  TBorderStyle GetBorderStyle() const { return BorderStyle; }
  /// Sets the frame; the window is made anew.
  void SetBorderStyle(TBorderStyle Value);
  /// The scroll bars (ssBoth).
  TScrollStyle GetScrollBars() const { return ScrollBars; }
  /// Sets the scroll bars; the window is made anew.
  void SetScrollBars(TScrollStyle Value);
  /// The grid is its form's active control (or, without a form, holds the keyboard focus).
  bool IsActiveControl() const;
  /// The grid's form is the active form. Without a form, a grid shown in an application's
  /// widget (a TControlWidget) counts as on an active form while the keyboard focus is in it;
  /// a grid with neither never does.
  bool HasFocus() const;

  // --- Layout ---
  /// Fills what both axes of DrawInfo need before the client size: line widths, fixed counts
  /// and where the fixed cells end, the first scrollable cells, the counts and the extents.
  void CalcFixedInfo(TYGridDrawInfo& DrawInfo) const;
  /// The layout for a client area of UseWidth x UseHeight pixels.
  void CalcDrawInfoXY(TYGridDrawInfo& DrawInfo, std::int32_t UseWidth,
                      std::int32_t UseHeight) const;
  /// The layout of the client area as it is; kept until something it depends on changes.
  void CalcDrawInfo(TYGridDrawInfo& DrawInfo) const;
  /// How many scrollable columns are shown wholly, from LeftCol on.
  std::int32_t GetVisibleColCount() const;
  /// How many scrollable rows are shown wholly, from TopRow on.
  std::int32_t GetVisibleRowCount() const;
  /// Where the scrollable columns end, in client pixels (at most the client width).
  std::int32_t GetGridWidth() const;
  /// Where the scrollable rows end, in client pixels (at most the client height).
  std::int32_t GetGridHeight() const;
  /// The smallest top-left that still shows Coord wholly.
  TYGridCoord CalcMaxTopLeft(const TYGridCoord& Coord, const TYGridDrawInfo& DrawInfo) const;
  /// The cell under a point, -1 per axis where there is none.
  TYGridCoord CalcCoordFromPoint(std::int32_t X, std::int32_t Y,
                                 const TYGridDrawInfo& DrawInfo) const;
  /// The cell under a client point; -1 for both where there is none.
  TYGridCoord MouseCoord(std::int32_t X, std::int32_t Y) const;
  /// The client rectangle of a block of cells, clipped to what is shown; IncludeLine adds the
  /// lines right of and below the cells. Empty when the block is not on screen.
  void GridRectToScreenRect(const TYGridRect& GridRect, TRect& ScreenRect, bool IncludeLine) const;
  /// A rectangle of the grid's own layout where the window shows it: mirrored in a right-to-left
  /// grid (and back: mirroring twice gives the rectangle again).
  TRect WindowRect(const TRect& R) const;
  /// The client rectangle of the block from (ALeft, ATop) to (ARight, ABottom), without lines.
  TRect BoxRect(std::int32_t ALeft, std::int32_t ATop, std::int32_t ARight,
                std::int32_t ABottom) const;
  /// The client rectangle of a cell, without lines.
  TRect CellRect(std::int32_t ACol, std::int32_t ARow) const;
  /// The client rectangle of the cell's piece when it is merged, else of the cell.
  TRect UnionRect(std::int32_t ACol, std::int32_t ARow) const;
  /// Sets up the canvas so that painting in left-to-right coordinates comes out mirrored
  /// (RightToLeftOrientation), or undoes that.
  void ChangeGridOrientation(bool RightToLeftOrientation);

  // --- Copying and assistive technologies ---
  /// Copies to the clipboard, as tab-separated text (one line per row) and as an HTML table at
  /// once: the marked columns, rows or cells by the marking mode (marked cells with the columns
  /// and rows they lie in, unmarked fields empty), or the current cell when nothing visible is
  /// marked. Hidden columns and rows are left out; a merged cell gives its text once. Texts
  /// come from OnGetCellText; without a handler nothing is copied. Ctrl+C and Ctrl+Insert call
  /// it. Answers whether something was copied.
  bool CopyToClipboard();
  /// The text OnGetCellText gives for the cell at (ACol, ARow) (for a merged cell, its main
  /// cell's); empty without a handler. A position outside the grid raises.
  std::string GetCellText(std::int32_t ACol, std::int32_t ARow);
  /// Presents the grid to assistive technologies as a table of its visible columns and rows.
  TAccessibleTable* GetAccessibleTable() override;

  /// Loading ended: the default sizes apply to all vectors again.
  void Loaded() override;

  /// Handles the messages the grid answers itself, then the framework's.
  void WndProc(TMessage& Message) override;

  // --- Drawing ---
  /// Paints what the update region needs: the fixed corner, the fixed rows, the fixed columns
  /// and the scrollable cells, each visible cell once (a merged cell once as a whole), then
  /// the field beyond the last cells.
  void Paint() override;
  /// Draws Text in Rect with the canvas's font as the grid draws cell texts: aligned as asked,
  /// tabs expanded, cut with "…" where it does not fit; Multiline wraps words from the top.
  void DrawCellTextEx(const std::string& Text, const TRect& Rect, TAlignment HorAlignment,
                      TYVertAlignment VertAlignment, bool Multiline);
  /// The same as DrawCellTextEx, for the drawing events.
  void DrawCellText(const std::string& Text, const TRect& Rect, TAlignment HorAlignment,
                    TYVertAlignment VertAlignment, bool Multiline);
  /// Color as an RGB value (a system colour resolved) marked as relative to the palette.
  static TColor PaletteColor(TColor Color);
  /// Copies SrcW x SrcH pixels from SrcDC to DstDC, stretched to DstW x DstH, leaving out the
  /// pixels of TransparentColor so that the destination shows through; masks and raster
  /// operations only. Palette, when given, is selected into the contexts meanwhile.
  static void StretchBltTransparent(HDC DstDC, int DstX, int DstY, int DstW, int DstH, HDC SrcDC,
                                    int SrcX, int SrcY, int SrcW, int SrcH, HPALETTE Palette,
                                    TColor TransparentColor);
  /// Draws Bitmap (or the part SrcX, SrcY, SrcW, SrcH of it) stretched on Canvas, the pixels of
  /// TransparentColor left out (clNone: none). A destination size of 0 or less, or a source
  /// size of 0 or less, takes the bitmap's.
  static void StretchBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor TransparentColor,
                                       int DstX, int DstY, int DstW, int DstH, int SrcX, int SrcY,
                                       int SrcW, int SrcH);
  /// Draws Bitmap at (X, Y) on Canvas at its own size, the pixels of TransparentColor left out.
  static void DrawBitmapTransparent(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap,
                                    TColor TransparentColor);
  /// Draws Bitmap at (X, Y) on the grid's canvas without its transparent colour; Rect is not
  /// used.
  void DrawMaskedBitmap(const TRect& Rect, int X, int Y, TBitmap* Bitmap);

  // --- The size-change bracket, called by the store ---
  /// Opens it: records the layout and the visible counts before the change.
  void PrepareChangeSize();
  /// Closes it: the focus goes back to the remembered cell when it is still visible, else
  /// stays at its grid position, kept in the scrollable area; repaints, ranges the scroll
  /// bars, and reports the change (SizeChanged).
  void DoChangeSize();
  /// Everything the cells covered before the change or cover now.
  void InvalidateCellsAreas();
  /// Current cell and first scrollable cell to (FixedCols, FixedRows).
  void Initialize();

  // --- Repaint requests (grid indices) ---
  /// Repaints a cell, a merged one whole.
  void InvalidateCell(std::int32_t ACol, std::int32_t ARow);
  /// Repaints the part of a column on screen (merged cells that cross it whole).
  void InvalidateCol(std::int32_t ACol);
  /// Repaints the part of a row on screen (merged cells that cross it whole).
  void InvalidateRow(std::int32_t ARow);
  /// Repaints a block of cells with the lines right of and below them.
  void InvalidateRect(const TYGridRect& GridRect);
  /// Repaints the whole client area.
  void InvalidateGrid();
  /// A column's width changed from OldSize to NewSize pixels: repaints the grid.
  void ResizeCol(std::int32_t Index, std::int32_t OldSize, std::int32_t NewSize);
  /// A row's height changed from OldSize to NewSize pixels: repaints the grid.
  void ResizeRow(std::int32_t Index, std::int32_t OldSize, std::int32_t NewSize);

  // --- Hooks; those the store calls fire their events unless loading or designing ---
  /// Asks OnMarkCol whether a column's mark may become MarkValue; true unless refused.
  virtual bool DoMarkCol(TYCellsVector* CellsVector, bool MarkValue);
  /// Asks OnMarkRow whether a row's mark may become MarkValue; true unless refused.
  virtual bool DoMarkRow(TYCellsVector* CellsVector, bool MarkValue);
  /// Asks OnMarkCell whether a cell's (or union's) mark may become MarkValue; true unless
  /// refused.
  virtual bool DoMarkCell(TYCell* Cell, bool MarkValue);
  /// Fires OnInitCell.
  virtual void DoInitCell(TYCell* Cell);
  /// Fires OnFreeCell.
  virtual void DoFreeCell(TYCell* Cell);
  /// Fires OnInitCellsVector.
  void DoInitCellsVector(TYCellsVector* CellsVector);
  /// Fires OnFreeCellsVector.
  void DoFreeCellsVector(TYCellsVector* CellsVector);
  /// Lets the host redirect a new current cell (OnFocusCell).
  virtual void DoCanFocusCell(std::int32_t& ACol, std::int32_t& ARow);
  /// Fires OnBeforeDrawCell; answers whether the host paints the cell itself.
  virtual bool DoBeforeDrawCell(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                                TYGridDrawStates State, const TRect& ARect);
  /// Fires OnDrawCellField; answers whether the host filled the field.
  virtual bool DoDrawCellField(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                               TYGridDrawStates State, const TRect& ARect);
  /// Fires OnDrawImage.
  virtual void DoDrawImage(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                           TYGridDrawStates State, TRect& ARect, std::int32_t& ImageIndex,
                           TAlignment& HorAlignment, TYVertAlignment& VertAlignment);
  /// Fires OnDrawCellText.
  virtual void DoDrawCellText(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                              TYGridDrawStates State, TRect& ARect, std::string& CellText,
                              bool& Multiline, TAlignment& HorAlignment,
                              TYVertAlignment& VertAlignment);
  /// Fires OnAfterDrawCell.
  virtual void DoAfterDrawCell(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                               TYGridDrawStates State, const TRect& ARect);
  /// Column widths changed: ranges the scroll bars, ends a button press, fires OnColumnSized.
  virtual void ColWidthsChanged();
  /// Row heights changed: ranges the scroll bars, ends a button press, fires OnRowSized.
  virtual void RowHeightsChanged();
  /// A structural change closed; the visible counts before it were OldColCount and
  /// OldRowCount. Does nothing here; for descendants.
  virtual void SizeChanged(std::int32_t OldColCount, std::int32_t OldRowCount);
  /// The first scrollable cell shown changed: ends a button press, fires OnTopLeftChanged.
  virtual void TopLeftChanged();
  /// Fires OnColumnMoved.
  virtual void DoColumnMoved(std::int32_t FromIndex, std::int32_t ToIndex);
  /// Ends a button press, fires OnRowMoved.
  virtual void DoRowMoved(std::int32_t FromIndex, std::int32_t ToIndex);
  /// Fires OnGetCellText.
  virtual void DoGetCellText(TYCell* Cell, std::int32_t ACol, std::int32_t ARow, std::string& Text);

  // --- Events ---
  /// The current cell is about to move; the handler may redirect it.
  TYFocusCellEvent OnFocusCell;
  /// A column was moved (MoveColumn, or dragged with the right button).
  TYMovedEvent OnColumnMoved;
  /// A row was moved (MoveRow, or dragged with the right button).
  TYMovedEvent OnRowMoved;
  /// The first scrollable cell shown changed.
  TNotifyEvent OnTopLeftChanged;
  /// A fixed cell used as a button (ygoSupportFixedButtons) was clicked.
  TYFixedCellClickEvent OnFixedCellClick;
  /// Whether a press on a fixed cell works a button.
  TYFixedCellCheckEvent OnCheckButton;
  /// A column width changed.
  TNotifyEvent OnColumnSized;
  /// A row height changed.
  TNotifyEvent OnRowSized;
  /// The grid got or lost the keyboard focus.
  TNotifyEvent OnChangeFocus;
  /// A column's mark is about to change (columns marking); the handler may refuse.
  TYMarkVectorEvent OnMarkCol;
  /// A row's mark is about to change (rows marking); the handler may refuse.
  TYMarkVectorEvent OnMarkRow;
  /// A cell's or a union's mark is about to change (cells marking); the handler may refuse.
  TYMarkCellEvent OnMarkCell;
  /// Release a cell's user data: once for every cell the store destroys, and when the program
  /// asks (TYCellsHolder::FreeCellsRangeData). Silent while the grid is loaded or designed,
  /// like the other init, free and mark events.
  TYFreeCellEvent OnFreeCell;
  /// Give a new cell its user data: once for every cell the store creates, and when the
  /// program asks (TYCellsHolder::InitCellsRangeData).
  TYInitCellEvent OnInitCell;
  /// Release a column's or row's user data, as OnFreeCell.
  TYFreeVectorEvent OnFreeCellsVector;
  /// Give a new column or row its user data, as OnInitCell.
  TYInitVectorEvent OnInitCellsVector;
  /// Before a cell is painted; the handler may paint it all.
  TYBeforeDrawCellEvent OnBeforeDrawCell;
  /// Before a cell's background is filled; the handler may fill it.
  TYDrawCellFieldEvent OnDrawCellField;
  /// Chooses a cell's image.
  TYDrawImageEvent OnDrawImage;
  /// Supplies a cell's text and its alignment.
  TYDrawCellTextEvent OnDrawCellText;
  /// After a cell is painted; the handler may draw over it.
  TYAfterDrawCellEvent OnAfterDrawCell;
  /// Supplies a cell's text for copying (CopyToClipboard) and for screen readers.
  TYGetCellTextEvent OnGetCellText;

protected:
  /// Init, free and mark events stay silent while the grid is loaded or designed.
  bool HooksSilent() const { return IsLoading() || IsDesigning(); }
  /// Lets the image list go when it is destroyed.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  /// The window's style: a tab stop, the scroll bars, the frame, double clicks.
  void CreateParams(TCreateParams& Params) override;

  // --- Mouse ---
  /// A left press focuses, marks, sizes or presses a fixed button; a right press on a header
  /// moves its column or row.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  /// Follows the pointer: a pressed button, a sizing line, the current cell, a range, a move.
  void MouseMove(TShiftState Shift, int X, int Y) override;
  /// Ends the interaction: a click, a new size or a move. OnMouseUp still sees its state.
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  /// Whether (X, Y) lies in the hot zone of a column or row line that may be sized. State
  /// becomes ygsColSizing or ygsRowSizing with the vector's grid Index, the line's position
  /// LinePos and the line's offset from the pointer GripOffset, or ygsNormal.
  virtual void CalcSizingState(std::int32_t X, std::int32_t Y, TYGridState& State,
                               std::int32_t& Index, std::int32_t& LinePos, std::int32_t& GripOffset,
                               TYGridDrawInfo& DrawInfo) const;
  /// Draws the dotted XOR line of a running sizing; drawn again, it is erased.
  void DrawSizingLine(const TYGridDrawInfo& DrawInfo);
  /// Draws the marker where a moved column or row would be dropped; drawn again, it is erased.
  void DrawMove();
  /// One drag step of a column or row move; scrolls a line over the headers or the last cell.
  void MoveAndScroll(std::int32_t MousePos, std::int32_t HitIndex, TYGridDrawInfo& DrawInfo,
                     const TYGridAxisDrawInfo& Axis, int ScrollBar, const TPoint& MousePoint);
  // Hooks for descendants around a move; the grid's own agree to everything.
  /// A right press on a column header would start moving column Origin; false refuses.
  /// Origin and Destination may be changed.
  virtual bool BeginColumnDrag(std::int32_t& Origin, std::int32_t& Destination,
                               const TPoint& MousePoint);
  /// A right press on a row header would start moving row Origin, as BeginColumnDrag.
  virtual bool BeginRowDrag(std::int32_t& Origin, std::int32_t& Destination,
                            const TPoint& MousePoint);
  /// The pointer would drop the column at Destination; false keeps the previous target.
  virtual bool CheckColumnDrag(std::int32_t& Origin, std::int32_t& Destination,
                               const TPoint& MousePoint);
  /// The pointer would drop the row at Destination; false keeps the previous target.
  virtual bool CheckRowDrag(std::int32_t& Origin, std::int32_t& Destination,
                            const TPoint& MousePoint);
  /// The button was released to drop the column at Destination; false cancels the move.
  virtual bool EndColumnDrag(std::int32_t& Origin, std::int32_t& Destination,
                             const TPoint& MousePoint);
  /// The button was released to drop the row at Destination; false cancels the move.
  virtual bool EndRowDrag(std::int32_t& Origin, std::int32_t& Destination,
                          const TPoint& MousePoint);
  /// Ends the running interaction, erasing its line or marker; marks already changed stay.
  void CancelMode();

  // --- Fixed buttons, timer, wheel ---
  /// Shows the pressed button pressed while the pointer is over it.
  void TrackButton(std::int32_t X, std::int32_t Y);
  /// Ends a button press without a click.
  void StopTracking();
  /// Whether a press on (ACol, ARow) works a button; the host may refuse through OnCheckButton.
  virtual void CheckFixedCellButton(std::int32_t ACol, std::int32_t ARow, bool& Enabled);
  /// A fixed button was clicked: fires OnFixedCellClick.
  virtual void DoFixedCellClick(std::int32_t ACol, std::int32_t ARow);
  /// One auto-scroll step of the current cell toward the pointer.
  virtual void TimedScroll(TYGridScrollDirection Directions);
  /// One notch down moves the current cell a row down, with Ctrl a column right.
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  /// One notch up moves the current cell a row up, with Ctrl a column left.
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  /// At design time, tells the form designer that the mouse changed the grid.
  void UpdateDesigner();

  // --- Keyboard ---
  /// Moves the current cell and the view, and marks, by the key (after OnKeyDown).
  void KeyDown(unsigned short& Key, TShiftState Shift) override;
  /// Releasing a key without Shift ends a range marking by keyboard.
  void KeyUp(unsigned short& Key, TShiftState Shift) override;
  /// Whether the grid handles the key at all; a refused key changes nothing.
  virtual bool CanGridAcceptKey(unsigned short Key, TShiftState Shift);

  // --- Scrolling ---
  /// Scroll bar action ScrollBar (SB_HORZ, SB_VERT) with an SB_* code and the thumb position.
  void ModifyScrollBar(int ScrollBar, int ScrollCode, std::uint32_t Pos, bool UseRightToLeft);
  /// After TopLeftCoord changed from OldTopLeft: thumbs, window pixels, merged cells, event.
  void TopLeftMoved(const TYGridCoord& OldTopLeft);
  /// Moves the window's pixels by DX, DY: the scrollable area with the fixed cells beside it.
  void ScrollData(std::int32_t DX, std::int32_t DY);
  /// ScrollData with the layout at hand.
  void ScrollDataInfo(std::int32_t DX, std::int32_t DY, const TYGridDrawInfo& DrawInfo);

  // --- Range marking (Shift with the keyboard or the mouse) ---
  /// Stores the unions' marks, inverts the item at the current cell and anchors the range there.
  void StartMarkRange();
  /// Brings the marks up to the range from the anchor to the current cell.
  void ChangeMarkRange();

  // State that the interaction operations of descendants read and write.
  TYGridCoord CurrentCoord;        ///< the current cell (Col, Row)
  TYGridCoord TopLeftCoord;        ///< the first scrollable cell shown (LeftCol, TopRow)
  std::int32_t ColPixelOffset = 0; ///< pixels the only column is scrolled by, in a one-column grid
  bool ButtonTracking = false;     ///< a fixed cell is being pressed as a button
  bool ButtonPressed = false;      ///< and is shown pressed
  TYGridCoord PressedCell{-1, -1}; ///< that cell
  TYGridState GridState = ygsNormal; ///< the mouse interaction running

private:
  // How the store tells the grid of its changes.
  class THolderLink;
  // What the grid shows, as assistive technologies read it.
  class TAccessibleLink;
  // The block of fields that CopyToClipboard puts on the clipboard.
  class TCopyBuilder;

  // What a move of the current cell leaves to repaint.
  struct TYCurrentMove {
    TYGridCoord OldCoord;
    TYGridRect OldRect; // the old extent, clipped to the grid
    bool OldRectShown;  // the old extent is repainted as such
    bool OldValid;      // the old cell is looked at
    bool OldUnioned;    // and is merged
  };
  class TKeyMove;

  bool AskMark(const TYMarkVectorEvent& Event, TYCellsVector* CellsVector, bool MarkValue,
               TYGridOption Option);
  TObject* MarkedItem(std::int32_t Index, TYGridOption Option);
  void CalcAxis(TYGridAxisDrawInfo& Axis, std::int32_t Extent) const;
  TYCell* CurrentCellOrNone() const;
  bool HasCurrentCell() const { return GetColCount() > 0 && GetRowCount() > 0; }
  void PullCurrentIntoScrollArea();
  void FitIntoGrid(std::int32_t& ACol, std::int32_t& ARow) const;
  void KeepTopLeftScrollable();
  void InvalidateChangedArea();
  TYGridRect ClippedToScrollPosition(TYGridRect R) const;
  void InvalidateVector(bool Column, std::int32_t Index);
  void ImageListChange();
  void CMCtl3DChanged(TMessage& Message);

  // Painting steps.
  class TPaintScope;
  void PaintArea(const TYGridDrawInfo& DI, std::int32_t FirstCol, std::int32_t FirstRow,
                 std::int32_t StartX, std::int32_t StartY, std::int32_t LimitX, std::int32_t LimitY,
                 bool Fixed);
  void PaintBackgroundField(const TYGridDrawInfo& DI);
  TRect UnionPixelRect(const TYGridDrawInfo& DI, const TYGridRect& U) const;
  void PaintCell(const TYGridDrawInfo& DI, std::int32_t Col, std::int32_t Row, std::int32_t X,
                 std::int32_t Y, bool Fixed);
  TYGridDrawStates CellState(const TYCellPaint& P, bool Merged) const;
  void DrawCellLines(const TYGridDrawInfo& DI, const TYCellPaint& P);
  void PrepareCanvas(const TYCellPaint& P);
  void DrawCellContent(const TYGridDrawInfo& DI, TYCellPaint& P);
  void DrawCellImage(TYCellPaint& P);
  void DrawCellTextOf(TYCellPaint& P);
  void DrawFixedFrame(const TYGridDrawInfo& DI, const TYCellPaint& P);
  void DrawFocusFrame(const TYCellPaint& P);
  void WithHostOrientation(const TRect& ARect, const std::function<void(const TRect&)>& Call);
  TYGridCellLookSlots FocusCellLook(bool Marked, bool Active) const;
  TYGridCellLookSlots CurColRowLook(const TYCellPaint& P, bool Marked, bool Active) const;
  TYGridCellLookSlots LookSlots(const TYCellPaint& P) const;
  TYCellLook ZebraLook(std::int32_t Col, std::int32_t Row) const;
  TYCellLook CellLook(const TYCellPaint& P) const;
  void ReportTopLeftPull();
  void InvalidateUnions();
  void InvalidateUnionsAfterScroll(std::int32_t DX, std::int32_t DY);
  void CheckCoord(std::int32_t ACol, std::int32_t ARow) const;
  void InvalidateCurrentMove(const TYCurrentMove& Move, bool InView);
  // Repaints what a union's change touches: its pieces, or its cells alone, and the current
  // cell's highlight when the current cell lies in it.
  void InvalidateUnion(TYCellsUnion* Union);
  void InvalidateUnionCells(const TYCellsUnion* Union, const TYGridRect& OldRect);
  void InvalidateUnionPieces(const TYCellsUnion* Union, const TYGridCoord& OldCoord,
                             const TYGridRect& OldRect);
  void InvalidateCurrentHighlight(const TYGridCoord& OldCoord, TYGridRect OldRect);
  void RowsSorted(bool Completed);
  void InvalidateMovedAxis(bool Column, const TYCurrentMove& Move, bool InView);
  TYGridRect StretchedToRows(const TYGridRect& Rect) const;
  TYGridRect StretchedToCols(const TYGridRect& Rect) const;

  // Mouse steps.
  struct TYSizingHit {
    TYGridState State = ygsNormal;
    std::int32_t Index = -1;
    std::int32_t LinePos = 0;
    std::int32_t Pos = 0; // the pointer, measured as the line is
  };
  static TYSizingHit AxisSizingHit(const TYGridAxisDrawInfo& Axis, std::int32_t Pos,
                                   TYGridState AxisState);
  bool IsFixedCell(const TYGridCoord& Cell) const;
  void DoubleClickAt(int X, int Y);
  bool LeftPress(TShiftState Shift, int X, int Y);
  void PressScrollableCell(const TYGridCoord& Cell, TShiftState Shift);
  void RightPress(int X, int Y);
  void StartMove(TYGridState State);
  void FollowPointer(int X, int Y, TYGridDrawInfo& DrawInfo);
  void FinishMove(int X, int Y);
  void StartSizing(const TYGridDrawInfo& DrawInfo);
  void EndDragBeforeChange();
  void FinishSizing();
  std::int32_t ScrollForMove(std::int32_t MousePos, std::int32_t HitIndex, TYGridDrawInfo& DrawInfo,
                             const TYGridAxisDrawInfo& Axis, int ScrollBar);
  void ScrollOneLine(int ScrollBar, int Code, TYGridDrawInfo& DrawInfo);
  void WMCancelMode(TMessage& Message);
  void CMCancelMode(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void CMDesignHitTest(TMessage& Message);

  // Fixed button, timer and focus steps.
  TYCell* MainCellOf(std::int32_t ACol, std::int32_t ARow) const;
  bool InClientArea(std::int32_t X, std::int32_t Y) const;
  void PressFixedButton(const TYGridCoord& Cell, std::int32_t X, std::int32_t Y);
  void ReleaseFixedButton(std::int32_t X, std::int32_t Y);
  void StartAutoScroll();
  void StopAutoScroll();
  TYGridScrollDirection PointerDirections(const TPoint& P, const TYGridDrawInfo& DrawInfo) const;
  void WMTimer(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  static constexpr std::uintptr_t AutoScrollTimer = 1;
  static constexpr unsigned AutoScrollPeriod = 60; // milliseconds

  // Scrolling steps.
  void ScrollArea(const TRect& GridArea, std::int32_t DX, std::int32_t DY);
  void InvalidateJump(const TYGridCoord& OldTopLeft, const TYGridDrawInfo& DrawInfo);
  void PixelScroll(const TYGridDrawInfo& DrawInfo, int ScrollCode, std::uint32_t Pos, int Factor);
  void MovePixelOffset(std::int32_t Offset);
  std::int32_t PixelScrollLimit(const TYGridDrawInfo& DrawInfo) const;
  void UpdateHorzScrollPos(const TYGridDrawInfo& DrawInfo, std::int32_t MaxLeft);
  void SetBarPos(int Bar, int Value);
  void RangeHorzBar(std::int32_t Width, std::int32_t Height, const TYGridCoord& OldTopLeft,
                    bool& Updated);
  void RangeAxisBar(int Bar, std::int32_t Width, std::int32_t Height, const TYGridCoord& OldTopLeft,
                    bool& Updated);
  void DropPixelOffset();
  void WMHScroll(TMessage& Message);
  void WMVScroll(TMessage& Message);
  void WMSize(TMessage& Message);
  void CMShowingChanged(TMessage& Message);

  // Keyboard steps.
  void WMGetDlgCode(TMessage& Message);
  void StartKeyRange(const TKeyMove& Move);
  void MoveByKey(const TKeyMove& Move);
  void MarkByKey(const TKeyMove& Move);
  void TogglePassedOver(TYGridCoord From);

  // Range marking steps.
  void ToggleMarkAt(const TYGridCoord& Coord);
  void ToggleVectorRange(bool Column);
  void ChangeCellRange();
  void ToggleCells(TYIndexSpan Cols, TYIndexSpan Rows);
  void MarkHitUnions();
  bool UnionHit(const TYCellsUnion* Union, const TYGridRect& Rect) const;
  void MarkCellRange(const TYGridCoord& From, const TYGridCoord& To, TYMarkRangeMode Mode);

  // Sizing and moving with the mouse (grid indices, client pixels).
  std::int32_t ResizeIndex = 0;   // the column or row being sized, -1 when none
  std::int32_t ResizeLinePos = 0; // where its sizing line is drawn
  std::int32_t ResizeGrip = 0;    // line minus pointer at the press
  std::int32_t DragFromIndex = 0; // the column or row being moved
  std::int32_t DragToIndex = 0;   // where it would be dropped now
  TPoint HitTestPoint{0, 0};      // the pointer at the last WM_NCHITTEST

  TYCell* SavedFocusCell = nullptr; // the current cell remembered across a structural change
  TYGridCoord MarkAnchor;
  TYGridCoord MarkCorner;
  bool KeyRangeMarking = false;
  TYGridRect CurrentCellRect; // the current cell's piece, or the cell alone
  std::int32_t DefaultColWidth = 64;
  std::int32_t DefaultRowHeight = 24;
  std::int32_t GridLineWidth = 1;
  std::unique_ptr<TYGridColors> Colors;
  std::unique_ptr<TYGridFonts> Fonts;
  std::unique_ptr<THolderLink> HolderLink; // made before the store, which calls it at once
  std::unique_ptr<TAccessibleLink> AccessibleLink; // made when first asked for
  std::unique_ptr<TYCellsHolder> Holder;
  TYGridOptions Options{ygoFixedVertLine, ygoFixedHorzLine, ygoVertLine, ygoHorzLine,
                        ygoShowFocusCell};
  TYGridOptions DesignOptions{ygoRowSizing, ygoColSizing};
  TYGridFocusFrameStyle FocusFrameStyle = yffDotRect;
  TBorderStyle BorderStyle = bsSingle;
  TScrollStyle ScrollBars = ssBoth;
  TCustomImageList* Images = nullptr; // not owned
  std::unique_ptr<TChangeLink> ImageChangeLink;
  std::unique_ptr<TBitmap> WorkBitmap; // receives each image in turn while painting
  bool CanvasRightToLeft = false;      // the canvas mirrors drawing by itself
  bool PaintActive = false;            // during a paint: the grid is active, or designed
  bool PaintFocusFrames = false; // during a paint: active on the active form (design mode aside)
  TYGridDrawInfo OldDrawInfo;
  bool HasOldDrawInfo = false; // OldDrawInfo describes the window before the current change
  // The layout of the client area as last computed, and what it was computed from.
  struct TYLayoutKey {
    std::int32_t Width, Height;
    TYGridCoord TopLeft;
    std::uint32_t Options;
    std::int32_t LineWidth;
    std::uint64_t StoreLayout;
    bool operator==(const TYLayoutKey&) const = default;
  };
  mutable TYGridDrawInfo CachedLayout;
  mutable TYLayoutKey LayoutKey{};
  mutable bool LayoutCached = false;
  std::int32_t OldColCount = 0;
  std::int32_t OldRowCount = 0;
  bool FullRepaint = false;
  bool TopLeftPulled = false;     // the store moved TopLeftCoord; not yet reported
  bool RangingScrollBars = false; // UpdateScrollRange is running: the size messages of
                                  // appearing bars do not range again
  // Counts the changes of what the grid shows (vectors, their order and visibility, the fixed
  // counts, unions). Code that calls out to the host compares it before and after, because a
  // handler may change the grid under it: positions and cells held across the call are then
  // stale and are worked out again.
  std::uint64_t StructureStamp = 0;
  std::uint64_t PaintStamp = 0; // StructureStamp when the running paint began
  std::uint64_t MarkStamp = 0;  // StructureStamp when the range marking last stood
  bool DragEnding = false;      // a sizing or move is being applied at its release
  bool PaintOutdated() const { return StructureStamp != PaintStamp; }
};

/// The grid as placed on a form: publishes the properties and events of TYCustomGrid. This is
/// the class an application creates.
class TYGrid : public TYCustomGrid {
public:
  /// A grid owned by AOwner (which may be none), as TYCustomGrid's.
  using TYCustomGrid::TYCustomGrid;
  /// "TYGrid".
  const char* ClassName() const override { return "TYGrid"; }
};
