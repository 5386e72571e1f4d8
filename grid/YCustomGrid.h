// The grid control: owns the cell store, keeps the current cell and the scroll position,
// maps grid indices to holder indices and turns changes into events for the host.
#pragma once

#include "grid/YCellsHolder.h"
#include "grid/YCellsUnions.h"
#include "grid/YGridAppearance.h"
#include "host/gui/Controls.h"
#include "host/gui/Graphics.h"

#include <functional>
#include <memory>
#include <vector>

using TYFocusCellEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, std::int32_t& ACol, std::int32_t& ARow)>;
using TYMovedEvent =
    std::function<void(TYCustomGrid* Sender, std::int32_t FromIndex, std::int32_t ToIndex)>;
using TYFixedCellClickEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow)>;
using TYFixedCellCheckEvent = std::function<void(
    TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow, bool& Enabled)>;
using TYMarkVectorEvent = std::function<void(TYCustomGrid* Sender, TYCellsVector* CellsVector,
                                             bool MarkValue, bool& CanMark)>;
using TYMarkCellEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, bool MarkValue, bool& CanMark)>;
using TYFreeCellEvent = std::function<void(TYCustomGrid* Sender, TYCell* Cell)>;
using TYInitCellEvent = TYFreeCellEvent;
using TYFreeVectorEvent = std::function<void(TYCustomGrid* Sender, TYCellsVector* CellsVector)>;
using TYInitVectorEvent = TYFreeVectorEvent;
using TYBeforeDrawCellEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                       TYGridDrawStates State, const TRect& Rect, bool& CustomDraw)>;
using TYDrawCellFieldEvent = TYBeforeDrawCellEvent;
using TYDrawCellTextEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                       TYGridDrawStates State, TRect& Rect, std::string& CellText, bool& Multiline,
                       TAlignment& HorAlignment, TYVertAlignment& VertAlignment)>;
using TYDrawImageEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                       TYGridDrawStates State, TRect& Rect, std::int32_t& ImageIndex,
                       TAlignment& HorAlignment, TYVertAlignment& VertAlignment)>;
using TYAfterDrawCellEvent =
    std::function<void(TYCustomGrid* Sender, TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                       TYGridDrawStates State, const TRect& Rect)>;

enum TBorderStyle : std::uint8_t { bsNone, bsSingle };
enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

// What marking a range does to each item: clear its mark, set it, or invert it.
enum TYMarkRangeMode : std::uint8_t { ymmUnmark, ymmMark, ymmToggle };

// The indices First..Last of one axis; empty when Last < First.
struct TYIndexSpan {
  std::int32_t First;
  std::int32_t Last;
};

// A colour slot and a font slot; -1 for both means the zebra colours.
struct TYGridCellLookSlots {
  int Color;
  int Font;
};
using TYCellLook = TYGridCellLookSlots;

// What painting knows about the cell it is drawing.
struct TYCellPaint {
  TYCell* Cell;               // the cell met in painting order
  std::int32_t Col, Row;      // its grid position
  bool Fixed;                 // in one of the three fixed areas
  TYGridRect Span{};          // the cells it covers (its piece, clipped to the scroll position)
  TRect Rect{};               // in client pixels, without lines
  TYCell* DrawCell = nullptr; // the union's main cell for a merged cell, else the cell
  bool Active = false;        // the grid is active (or designed)
  TYGridDrawStates State;
  bool CustomField = false; // the host drew the field
};

// The layout of one axis, computed on demand from the client size, the options, the line
// width, the fixed count, the first scrollable cell shown and the extents. Pixels.
struct TYGridAxisDrawInfo {
  std::int32_t LineWidth = 0;           // line after every cell; 0 when the axis has no lines
  std::int32_t FixedBoundary = 0;       // where the fixed cells end
  std::int32_t GridBoundary = 0;        // where the scrollable cells end (at most the client edge)
  std::int32_t GridExtent = 0;          // client width or height
  std::int32_t LastFullVisibleCell = 0; // last wholly visible scrollable cell
  std::int32_t FullVisibleBoundary = 0; // after that cell and its line
  std::int32_t FixedCellCount = 0;
  std::int32_t FirstGridCell = 0; // LeftCol or TopRow
  std::int32_t GridCellCount = 0;
  TYGetExtentsFunc GetExtent; // width or height by grid index
  // The store's axis whose sizes GetExtent answers, with their running sums; none when
  // GetExtent answers something else. Lets the layout find positions without walking.
  const TYCellsAxis* Sizes = nullptr;
};

struct TYGridDrawInfo {
  TYGridAxisDrawInfo Horz; // columns
  TYGridAxisDrawInfo Vert; // rows
};

class TYCustomGrid : public TCustomControl {
public:
  explicit TYCustomGrid(TComponent* AOwner);
  ~TYCustomGrid() override;
  const char* ClassName() const override { return "TYCustomGrid"; }

  // --- The store and the index spaces ---
  TYCellsHolder* GetHolder() const { return Holder.get(); }
  // Visible columns and rows, and the visible fixed ones (at most ColCount - 1): the store
  // keeps them with its axes.
  std::int32_t GetColCount() const { return Holder->GetColAxis().GetGridCount(); }
  std::int32_t GetRowCount() const { return Holder->GetRowAxis().GetGridCount(); }
  std::int32_t GetFixedCols() const { return Holder->GetColAxis().GetGridFixed(); }
  std::int32_t GetFixedRows() const { return Holder->GetRowAxis().GetGridFixed(); }
  // Grid index -> holder index.
  const std::vector<std::int32_t>& GetColMap() const { return Holder->GetColAxis().GetGridMap(); }
  const std::vector<std::int32_t>& GetRowMap() const { return Holder->GetRowAxis().GetGridMap(); }
  std::int32_t GridToHolderCol(std::int32_t Index) const;
  std::int32_t GridToHolderRow(std::int32_t Index) const;
  TYGridCoord GridToHolderCell(const TYGridCoord& Coord) const;
  TYCellsVector* GetCols(std::int32_t Index) const;
  TYCellsVector* GetRows(std::int32_t Index) const;
  TYCell* GetCells(std::int32_t ACol, std::int32_t ARow) const;
  // Sizes by grid index; an index outside the grid reads the default size.
  std::int32_t GetColWidths(std::int32_t Index) const;
  std::int32_t GetRowHeights(std::int32_t Index) const;
  void SetColWidths(std::int32_t Index, std::int32_t Value);
  void SetRowHeights(std::int32_t Index, std::int32_t Value);

  // --- Marked items that are visible ---
  TYCellsVector* GetMarkedCols(std::int32_t Index);
  TYCellsVector* GetMarkedRows(std::int32_t Index);
  TYCell* GetMarkedCells(std::int32_t Index);
  std::int32_t GetMarkedCount() const;
  const TList& GetGridMarkList() const { return Holder->GetGridMarkList(); }

  // --- Properties ---
  TYGridOptions GetOptions() const { return Options; }
  void SetOptions(TYGridOptions Value);
  TYGridOptions GetDesignOptions() const { return DesignOptions; }
  std::int32_t GetDefaultColWidth() const { return DefaultColWidth; }
  std::int32_t GetDefaultRowHeight() const { return DefaultRowHeight; }
  void SetDefaultColWidth(std::int32_t Value);
  void SetDefaultRowHeight(std::int32_t Value);
  std::int32_t GetGridLineWidth() const { return GridLineWidth; }
  void SetGridLineWidth(std::int32_t Value);
  TYGridFocusFrameStyle GetFocusFrameStyle() const { return FocusFrameStyle; }
  void SetFocusFrameStyle(TYGridFocusFrameStyle Value);
  TYGridState GetGridState() const { return GridState; }

  // --- Current cell and scroll position (grid indices) ---
  std::int32_t GetCol() const { return CurrentCoord.X; }
  std::int32_t GetRow() const { return CurrentCoord.Y; }
  void SetCol(std::int32_t Value);
  void SetRow(std::int32_t Value);
  std::int32_t GetLeftCol() const { return TopLeftCoord.X; }
  std::int32_t GetTopRow() const { return TopLeftCoord.Y; }
  // A first scrollable column (row) outside the scrollable ones raises.
  void SetLeftCol(std::int32_t Value);
  void SetTopRow(std::int32_t Value);
  const TYGridRect& GetCurrentCellRect() const { return CurrentCellRect; }
  TYCell* GetSavedFocusCell() const { return SavedFocusCell; }
  bool GetFullRepaint() const { return FullRepaint; }

  // Makes (ACol, ARow) current after the host's redirection; with InView brings it into view.
  void MoveCurrent(std::int32_t ACol, std::int32_t ARow, bool InView);
  // MoveCurrent(ACol, ARow, Show); the third argument has no effect.
  void MoveColRow(std::int32_t ACol, std::int32_t ARow, bool B1, bool Show);
  // MoveCurrent into view, then a click.
  void FocusCell(std::int32_t ACol, std::int32_t ARow, bool MoveAnchor);
  void RefreshCurrentRect();
  // Scrolls the least needed to show Coord wholly.
  void ClampInView(const TYGridCoord& Coord);
  // Makes (ALeft, ATop) the first scrollable cell shown and scrolls; callers pass valid values.
  void MoveTopLeft(std::int32_t ALeft, std::int32_t ATop);
  // Ranges both scroll bars for the client size; may pull the first scrollable cell back.
  void UpdateScrollRange();
  // Puts both thumbs where the scroll position says.
  void UpdateScrollPos();
  // Keeps CurIndex on the same vector when a vector moves from FromIndex to ToIndex.
  static void MoveAdjust(std::int32_t& CurIndex, std::int32_t FromIndex, std::int32_t ToIndex);

  // Marks, unmarks or inverts the columns, rows or cells (by the marking mode) of the range
  // From..To; each item through its own setter, so the host may veto.
  void MarkRange(const TYGridCoord& From, const TYGridCoord& To, TYMarkRangeMode Mode);
  bool GetKeyRangeMarking() const { return KeyRangeMarking; }
  TYGridCoord GetMarkAnchor() const { return MarkAnchor; }
  TYGridCoord GetMarkCorner() const { return MarkCorner; }

  // The cell under a client point, -1 per axis where there is none.
  void MouseToCell(std::int32_t X, std::int32_t Y, std::int32_t& ACol, std::int32_t& ARow) const;
  // A mouse interaction is running, or the point lies on a line that can be sized.
  bool Sizing(std::int32_t X, std::int32_t Y) const;

  // Move a column or row to another grid position; the current cell stays on its vector.
  void MoveColumn(std::int32_t FromIndex, std::int32_t ToIndex);
  void MoveRow(std::int32_t FromIndex, std::int32_t ToIndex);

  // --- Appearance ---
  TYGridColors* GetColors() const { return Colors.get(); }
  void SetColors(const TYGridColors* Value) { Colors->Assign(Value); }
  TYGridFonts* GetFonts() const { return Fonts.get(); }
  void SetFonts(const TYGridFonts* Value) { Fonts->Assign(Value); }
  TCustomImageList* GetImages() const { return Images; }
  void SetImages(TCustomImageList* Value);
  TBorderStyle GetBorderStyle() const { return BorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TScrollStyle GetScrollBars() const { return ScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  // The grid is its form's active control (or, without a form, holds the keyboard focus).
  bool IsActiveControl() const;
  // The grid's form is the active form.
  bool HasFocus() const;

  // --- Layout ---
  void CalcFixedInfo(TYGridDrawInfo& DrawInfo) const;
  void CalcDrawInfoXY(TYGridDrawInfo& DrawInfo, std::int32_t UseWidth,
                      std::int32_t UseHeight) const;
  void CalcDrawInfo(TYGridDrawInfo& DrawInfo) const;
  std::int32_t GetVisibleColCount() const;
  std::int32_t GetVisibleRowCount() const;
  std::int32_t GetGridWidth() const;
  std::int32_t GetGridHeight() const;
  // The smallest top-left that still shows Coord wholly.
  TYGridCoord CalcMaxTopLeft(const TYGridCoord& Coord, const TYGridDrawInfo& DrawInfo) const;
  // The cell under a point, -1 per axis where there is none.
  TYGridCoord CalcCoordFromPoint(std::int32_t X, std::int32_t Y,
                                 const TYGridDrawInfo& DrawInfo) const;
  TYGridCoord MouseCoord(std::int32_t X, std::int32_t Y) const;
  void GridRectToScreenRect(const TYGridRect& GridRect, TRect& ScreenRect, bool IncludeLine) const;
  TRect BoxRect(std::int32_t ALeft, std::int32_t ATop, std::int32_t ARight,
                std::int32_t ABottom) const;
  TRect CellRect(std::int32_t ACol, std::int32_t ARow) const;
  TRect UnionRect(std::int32_t ACol, std::int32_t ARow) const;
  void ChangeGridOrientation(bool RightToLeftOrientation);

  // Loading ended: the default sizes apply to all vectors again.
  void Loaded() override;

  // Handles the messages the grid answers itself, then the framework's.
  void WndProc(TMessage& Message) override;

  // --- Drawing ---
  void Paint() override;
  void DrawCellTextEx(const std::string& Text, const TRect& Rect, TAlignment HorAlignment,
                      TYVertAlignment VertAlignment, bool Multiline);
  void DrawCellText(const std::string& Text, const TRect& Rect, TAlignment HorAlignment,
                    TYVertAlignment VertAlignment, bool Multiline);
  static TColor PaletteColor(TColor Color);
  static void StretchBltTransparent(HDC DstDC, int DstX, int DstY, int DstW, int DstH, HDC SrcDC,
                                    int SrcX, int SrcY, int SrcW, int SrcH, HPALETTE Palette,
                                    TColor TransparentColor);
  static void StretchBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor TransparentColor,
                                       int DstX, int DstY, int DstW, int DstH, int SrcX, int SrcY,
                                       int SrcW, int SrcH);
  static void DrawBitmapTransparent(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap,
                                    TColor TransparentColor);
  void DrawMaskedBitmap(const TRect& Rect, int X, int Y, TBitmap* Bitmap);

  // --- The size-change bracket, called by the store ---
  void PrepareChangeSize();
  void DoChangeSize();
  // Current cell and first scrollable cell to (FixedCols, FixedRows).
  void Initialize();

  // --- Repaint requests (grid indices) ---
  void InvalidateCell(std::int32_t ACol, std::int32_t ARow);
  void InvalidateCol(std::int32_t ACol);
  void InvalidateRow(std::int32_t ARow);
  void InvalidateRect(const TYGridRect& GridRect);
  void InvalidateGrid();
  void ResizeCol(std::int32_t Index, std::int32_t OldSize, std::int32_t NewSize);
  void ResizeRow(std::int32_t Index, std::int32_t OldSize, std::int32_t NewSize);

  // --- Hooks the store calls; each fires its event unless loading or designing ---
  virtual bool DoMarkCol(TYCellsVector* CellsVector, bool MarkValue);
  virtual bool DoMarkRow(TYCellsVector* CellsVector, bool MarkValue);
  virtual bool DoMarkCell(TYCell* Cell, bool MarkValue);
  virtual void DoInitCell(TYCell* Cell);
  virtual void DoFreeCell(TYCell* Cell);
  void DoInitCellsVector(TYCellsVector* CellsVector);
  void DoFreeCellsVector(TYCellsVector* CellsVector);
  // Lets the host redirect a new current cell.
  virtual void DoCanFocusCell(std::int32_t& ACol, std::int32_t& ARow);
  virtual bool DoBeforeDrawCell(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                                TYGridDrawStates State, const TRect& ARect);
  virtual bool DoDrawCellField(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                               TYGridDrawStates State, const TRect& ARect);
  virtual void DoDrawImage(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                           TYGridDrawStates State, TRect& ARect, std::int32_t& ImageIndex,
                           TAlignment& HorAlignment, TYVertAlignment& VertAlignment);
  virtual void DoDrawCellText(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                              TYGridDrawStates State, TRect& ARect, std::string& CellText,
                              bool& Multiline, TAlignment& HorAlignment,
                              TYVertAlignment& VertAlignment);
  virtual void DoAfterDrawCell(TYCell* Cell, std::int32_t ACol, std::int32_t ARow,
                               TYGridDrawStates State, const TRect& ARect);
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  virtual void SizeChanged(std::int32_t OldColCount, std::int32_t OldRowCount);
  virtual void TopLeftChanged();
  virtual void DoColumnMoved(std::int32_t FromIndex, std::int32_t ToIndex);
  virtual void DoRowMoved(std::int32_t FromIndex, std::int32_t ToIndex);

  // --- Events ---
  TYFocusCellEvent OnFocusCell;
  TYMovedEvent OnColumnMoved;
  TYMovedEvent OnRowMoved;
  TNotifyEvent OnTopLeftChanged;
  TYFixedCellClickEvent OnFixedCellClick;
  TYFixedCellCheckEvent OnCheckButton;
  TNotifyEvent OnColumnSized;
  TNotifyEvent OnRowSized;
  TNotifyEvent OnChangeFocus;
  TYMarkVectorEvent OnMarkCol;
  TYMarkVectorEvent OnMarkRow;
  TYMarkCellEvent OnMarkCell;
  TYFreeCellEvent OnFreeCell;
  TYInitCellEvent OnInitCell;
  TYFreeVectorEvent OnFreeCellsVector;
  TYInitVectorEvent OnInitCellsVector;
  TYBeforeDrawCellEvent OnBeforeDrawCell;
  TYDrawCellFieldEvent OnDrawCellField;
  TYDrawImageEvent OnDrawImage;
  TYDrawCellTextEvent OnDrawCellText;
  TYAfterDrawCellEvent OnAfterDrawCell;

protected:
  // Init, free and mark events stay silent while the grid is loaded or designed.
  bool HooksSilent() const { return IsLoading() || IsDesigning(); }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;

  // --- Mouse ---
  // A left press focuses, marks, sizes or presses a fixed button; a right press on a header
  // moves its column or row.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Whether (X, Y) lies in the hot zone of a column or row line that may be sized.
  virtual void CalcSizingState(std::int32_t X, std::int32_t Y, TYGridState& State,
                               std::int32_t& Index, std::int32_t& LinePos, std::int32_t& GripOffset,
                               TYGridDrawInfo& DrawInfo) const;
  void DrawSizingLine(const TYGridDrawInfo& DrawInfo);
  void DrawMove();
  // One drag step of a column or row move; scrolls a line over the headers or the last cell.
  void MoveAndScroll(std::int32_t MousePos, std::int32_t HitIndex, TYGridDrawInfo& DrawInfo,
                     const TYGridAxisDrawInfo& Axis, int ScrollBar, const TPoint& MousePoint);
  // Hooks for descendants around a move; the grid's own agree to everything.
  virtual bool BeginColumnDrag(std::int32_t& Origin, std::int32_t& Destination,
                               const TPoint& MousePoint);
  virtual bool BeginRowDrag(std::int32_t& Origin, std::int32_t& Destination,
                            const TPoint& MousePoint);
  virtual bool CheckColumnDrag(std::int32_t& Origin, std::int32_t& Destination,
                               const TPoint& MousePoint);
  virtual bool CheckRowDrag(std::int32_t& Origin, std::int32_t& Destination,
                            const TPoint& MousePoint);
  virtual bool EndColumnDrag(std::int32_t& Origin, std::int32_t& Destination,
                             const TPoint& MousePoint);
  virtual bool EndRowDrag(std::int32_t& Origin, std::int32_t& Destination,
                          const TPoint& MousePoint);
  // Ends the running interaction, erasing its line or marker; marks already changed stay.
  void CancelMode();

  // --- Fixed buttons, timer, wheel ---
  // Shows the pressed button pressed while the pointer is over it.
  void TrackButton(std::int32_t X, std::int32_t Y);
  void StopTracking();
  // Whether a press on (ACol, ARow) works a button; the host may refuse through OnCheckButton.
  virtual void CheckFixedCellButton(std::int32_t ACol, std::int32_t ARow, bool& Enabled);
  virtual void DoFixedCellClick(std::int32_t ACol, std::int32_t ARow);
  // One auto-scroll step of the current cell toward the pointer.
  virtual void TimedScroll(TYGridScrollDirection Directions);
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  // At design time, tells the form designer that the mouse changed the grid.
  void UpdateDesigner();

  // --- Keyboard ---
  // Moves the current cell and the view, and marks, by the key (after OnKeyDown).
  void KeyDown(unsigned short& Key, TShiftState Shift) override;
  // Releasing a key without Shift ends a range marking by keyboard.
  void KeyUp(unsigned short& Key, TShiftState Shift) override;
  // Whether the grid handles the key at all; a refused key changes nothing.
  virtual bool CanGridAcceptKey(unsigned short Key, TShiftState Shift);

  // --- Scrolling ---
  // Scroll bar action ScrollBar (SB_HORZ, SB_VERT) with an SB_* code and the thumb position.
  void ModifyScrollBar(int ScrollBar, int ScrollCode, std::uint32_t Pos, bool UseRightToLeft);
  // After TopLeftCoord changed from OldTopLeft: thumbs, window pixels, merged cells, event.
  void TopLeftMoved(const TYGridCoord& OldTopLeft);
  // Moves the window's pixels by DX, DY: the scrollable area with the fixed cells beside it.
  void ScrollData(std::int32_t DX, std::int32_t DY);
  void ScrollDataInfo(std::int32_t DX, std::int32_t DY, const TYGridDrawInfo& DrawInfo);

  // --- Range marking (Shift with the keyboard or the mouse) ---
  // Stores the unions' marks, inverts the item at the current cell and anchors the range there.
  void StartMarkRange();
  // Brings the marks up to the range from the anchor to the current cell.
  void ChangeMarkRange();

  // State that the interaction operations of descendants read and write.
  TYGridCoord CurrentCoord;        // the current cell (Col, Row)
  TYGridCoord TopLeftCoord;        // the first scrollable cell shown (LeftCol, TopRow)
  std::int32_t ColPixelOffset = 0; // pixels the only column is scrolled by, in a one-column grid
  bool ButtonTracking = false;     // a fixed cell is being pressed as a button
  bool ButtonPressed = false;      // and is shown pressed
  TYGridCoord PressedCell{-1, -1}; // that cell
  TYGridState GridState = ygsNormal;

private:
  // How the store tells the grid of its changes.
  class THolderLink;

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
  void ScrollArea(TRect Area, std::int32_t DX, std::int32_t DY);
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
  bool CanvasRightToLeft = false;
  bool PaintActive = false;      // during a paint: the grid is active, or designed
  bool PaintFocusFrames = false; // during a paint: active on the active form (design mode aside) //
                                 // the canvas mirrors drawing by itself
  TYGridDrawInfo OldDrawInfo;
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
  bool TopLeftPulled = false; // the store moved TopLeftCoord; not yet reported
};

// The grid as placed on a form: publishes the properties and events of TYCustomGrid.
class TYGrid : public TYCustomGrid {
public:
  using TYCustomGrid::TYCustomGrid;
  const char* ClassName() const override { return "TYGrid"; }
};
