/// \file
/// The small value types, enumerations, sets, the exception and the rectangle routines that
/// every part of the grid unit speaks in.
///
/// Two index spaces name columns and rows. The holder index is a vector's position in the
/// cell store's list, hidden vectors included; the grid index is its position among the
/// visible vectors of its kind in holder order, -1 while hidden. Operations of the store take
/// holder indices, operations of the grid take grid indices.
#pragma once

#include "host/classes/Exceptions.h"
#include "host/classes/Sets.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

/// A column/row pair.
struct TYGridCoord {
  std::int32_t X = 0; ///< column
  std::int32_t Y = 0; ///< row
  /// Equal when both the column and the row are.
  bool operator==(const TYGridCoord&) const = default;
};

/// A rectangle of cells; all four bounds are inclusive.
struct TYGridRect {
  std::int32_t Left = 0;   ///< first column
  std::int32_t Top = 0;    ///< first row
  std::int32_t Right = 0;  ///< last column
  std::int32_t Bottom = 0; ///< last row
  /// Equal when all four bounds are.
  bool operator==(const TYGridRect&) const = default;
};

/// The grid's current mouse interaction.
enum TYGridState : std::uint8_t {
  ygsNormal,       ///< no interaction
  ygsFocusMoving,  ///< the left button is held over the cells: the focus follows the pointer
  ygsMarking,      ///< not entered by any operation; kept for callers that test for it
  ygsRangeMarking, ///< Shift and the left button mark a range of rows, columns or cells
  ygsRowSizing,    ///< a row's lower line is being dragged
  ygsColSizing,    ///< a column's line is being dragged
  ygsRowMoving,    ///< a row is being dragged to another place
  ygsColMoving,    ///< a column is being dragged to another place
};
/// The two moving states, ygsRowMoving and ygsColMoving.
using TYGridMovement = TYGridState;

/// One aspect of how a cell is painted.
enum TYGridDrawState : std::uint8_t {
  ygdFocused, ///< the focused cell
  ygdMarked,  ///< the cell (or its row or column) is marked
  ygdCurrent, ///< in the current row or column
  ygdFixed,   ///< in a fixed area
  ygdDown,    ///< a fixed cell pressed as a button
};
/// The aspects of a cell being painted, as the drawing hooks receive them.
using TYGridDrawStates = TSet<TYGridDrawState, std::uint8_t>;

/// A scroll direction.
enum TYDirection : std::uint8_t {
  ysdLeft,  ///< towards the first column
  ysdRight, ///< towards the last column
  ysdUp,    ///< towards the first row
  ysdDown,  ///< towards the last row
};
/// The directions an automatic scroll goes in.
using TYGridScrollDirection = TSet<TYDirection, std::uint8_t>;

/// Vertical placement of text and images in a cell.
enum TYVertAlignment : std::uint8_t {
  yvaTopJustify,    ///< at the top
  yvaCenter,        ///< centred
  yvaBottomJustify, ///< at the bottom
};

/// The focus frame is dotted or solid.
enum TYGridFocusFrameStyle : std::uint8_t {
  yffDotRect, ///< a dotted frame, alternating pixel by pixel
  yffRect,    ///< a solid frame
};

/// The grid's options; the ordinal is the option's bit in TYGridOptions.
enum TYGridOption : std::uint8_t {
  ygoFixedVertLine,       ///< vertical lines between fixed cells
  ygoFixedHorzLine,       ///< horizontal lines between fixed cells
  ygoVertLine,            ///< vertical lines between scrollable cells
  ygoHorzLine,            ///< horizontal lines between scrollable cells
  ygoShowFocusCell,       ///< the focused cell has its own colours and fonts
  ygoShowFocusFrame,      ///< a frame is drawn on the focused cell
  ygoShowCurCol,          ///< the current column is highlighted
  ygoShowCurRow,          ///< the current row is highlighted
  ygoHideFocusCellOnExit, ///< no focus-cell highlight while the grid is not active
  ygoHideCurColRowOnExit, ///< no current column/row highlight while the grid is not active
  ygoAutoColorCurColRow,  ///< current column/row colours derived from the others
  ygoDrawMaskedImages,    ///< images drawn without their transparent colour
  ygoSupportFixedButtons, ///< fixed cells act as buttons
  ygoRowsMarking,         ///< whole rows can be marked
  ygoColsMarking,         ///< whole columns can be marked
  ygoCellsMarking,        ///< single cells can be marked
  ygoZebraCols,           ///< scrollable cells alternate colours by column
  ygoZebraRows,           ///< scrollable cells alternate colours by row
  ygoRowSizing,           ///< rows can be sized with the mouse
  ygoColSizing,           ///< columns can be sized with the mouse
  ygoRowMoving,           ///< rows can be moved with the mouse
  ygoColMoving,           ///< columns can be moved with the mouse
  ygoTabs,                ///< Tab moves between cells
  ygoThumbTracking,       ///< the grid follows a dragged scroll-bar thumb
};
/// A set of grid options (TYCustomGrid::SetOptions).
using TYGridOptions = TSet<TYGridOption, std::uint32_t>;

/// Asks for the width of a column or the height of a row, in pixels, by grid index.
using TYGetExtentsFunc = std::function<std::int32_t(std::int32_t Index)>;

/// An array of 32-bit integers, kept for callers of the unit's interface.
using TIntArray = std::vector<std::int32_t>;
/// A pointer to a TIntArray.
using PIntArray = TIntArray*;
/// The same as TIntArray, under its other name.
using TLongintArray = std::vector<std::int32_t>;
/// A pointer to a TLongintArray.
using PLongintArray = TLongintArray*;

/// The one exception the grid unit raises itself. Its message is the raising object's class
/// name, "::" and one of the texts below (SGridIndexOutOfRange ...).
class EYInvalidGridOperation : public Exception {
public:
  /// Takes the message, as Exception does.
  using Exception::Exception;
  /// "EYInvalidGridOperation".
  const char* ClassName() const override { return "EYInvalidGridOperation"; }
};

/// An index outside the grid, or outside the cell store.
inline constexpr const char* SGridIndexOutOfRange = "Grid index out of range";
/// A fixed column count that would leave no scrollable column.
inline constexpr const char* SFixedColTooBig = "Fixed column count must be less than column count";
/// A fixed row count that would leave no scrollable row.
inline constexpr const char* SFixedRowTooBig = "Fixed row count must be less than row count";

/// Raises EYInvalidGridOperation with Msg as it stands.
[[noreturn]] void InvalidOp(const std::string& Msg);
/// Raises EYInvalidGridOperation for Sender: its class name, "::" and Text.
[[noreturn]] void GridError(const TObject* Sender, const char* Text);

/// The normalised rectangle whose corners are Coord1 and Coord2.
TYGridRect NormalizedGridRect(const TYGridCoord& Coord1, const TYGridCoord& Coord2);
/// True when the cell lies in Rect; a rectangle that is not normalised holds no cell.
bool CellInGridRect(std::int32_t Col, std::int32_t Row, const TYGridRect& Rect);
/// True when the two rectangles share at least one cell.
bool GridRectsOverlap(const TYGridRect& Rect1, const TYGridRect& Rect2);
/// Rect cut down to Bounds (both normalised and overlapping).
TYGridRect ClipGridRect(const TYGridRect& Rect, const TYGridRect& Bounds);
