/// \file
/// The grid's appearance: 17 published colours with 6 derived ones, and 13 fonts, each chosen
/// for a cell by its state when it is painted.
#pragma once

#include "grid/YGridTypes.h"
#include "host/gui/Graphics.h"

#include <array>
#include <memory>

class TYCustomGrid;

/// Colour slots (TYGridColors::GetColor). 0 to 16 are published; 17 to 22 are derived from
/// them. "UnActive" slots serve while the grid is not the active control, "Mark" slots for
/// marked cells.
enum TYGridColorSlot : std::uint8_t {
  ycBakgroundFieldColor,                  ///< the area beyond the last cells
  ycCurColRowColorNotMark,                ///< the current row or column
  ycCurColRowColorMark,                   ///< the current row or column, marked
  ycCurColRowColorNotMarkUnActive,        ///< the current row or column, inactive grid
  ycCurColRowColorMarkUnActive,           ///< the current row or column, marked, inactive
  ycDefaultCellColor1NotMark,             ///< scrollable cells (the first zebra colour)
  ycDefaultCellColor2NotMark,             ///< the second zebra colour
  ycDefaultCellColorMark,                 ///< marked cells
  ycDefaultCellColorMarkUnActive,         ///< marked cells, inactive grid
  ycFocusCellColorNotMark,                ///< the focused cell
  ycFocusCellColorMark,                   ///< the focused cell, marked
  ycFocusCellColorNotMarkUnActive,        ///< the focused cell, inactive grid
  ycFocusCellColorMarkUnActive,           ///< the focused cell, marked, inactive grid
  ycFocusFrameColorNotMark,               ///< the focus frame
  ycFocusFrameColorMark,                  ///< the focus frame on a marked cell
  ycFixedButtonsColor,                    ///< fixed cells
  ycGridLineColor,                        ///< the lines between cells
  ycDerivedCurColRowColorNotMark,         ///< derived: the current row or column
  ycDerivedCurColRowColorMark,            ///< derived: the current row or column, marked
  ycDerivedCurColRowColorNotMarkUnActive, ///< derived: current row or column, inactive
  ycDerivedCurColRowColorMarkUnActive,    ///< derived: current, marked, inactive
  ycDerivedFocusFrameColorNotMark,        ///< derived: the focus frame
  ycDerivedFocusFrameColorMark,           ///< derived: the focus frame on a marked cell
};
/// The number of colour slots.
inline constexpr int YGridColorCount = 23;
/// The number of published (stored, settable) colour slots: 0 to 16.
inline constexpr int YGridPublishedColorCount = 17;

/// The grid's colours, one per TYGridColorSlot (TYCustomGrid::GetColors).
class TYGridColors : public TPersistent {
public:
  /// The default colours of AGrid.
  explicit TYGridColors(TYCustomGrid* AGrid);
  /// "TYGridColors".
  const char* ClassName() const override { return "TYGridColors"; }
  /// Takes every colour of another TYGridColors (derived slots as they stand there) and
  /// repaints the grid.
  void Assign(const TPersistent* Source) override;

  /// The colour of slot Index (a TYGridColorSlot).
  TColor GetColor(int Index) const { return Colors[static_cast<size_t>(Index)]; }
  /// Sets the colour of slot Index; derived colours made from it are recomputed, and the grid
  /// repaints.
  void SetColor(int Index, TColor Value);
  /// Recomputes the derived colours from the published ones and the grid's options.
  void RefreshColors();
  /// A light blend of two colours: per channel max(a, b) - |a - b| div 4.
  static TColor AutoColor(TColor Color1, TColor Color2);
  /// The constructor's value of published slot Index (its stored default).
  static TColor DefaultColor(int Index);

private:
  TYCustomGrid* Grid;
  std::array<TColor, YGridColorCount> Colors{};
};

/// Font slots (TYGridFonts::GetFont), chosen by the same states as the colours.
enum TYGridFontSlot : std::uint8_t {
  yfCurColRowFontNotMark,         ///< the current row or column
  yfCurColRowFontMark,            ///< the current row or column, marked
  yfCurColRowFontNotMarkUnActive, ///< the current row or column, inactive grid
  yfCurColRowFontMarkUnActive,    ///< the current row or column, marked, inactive grid
  yfDefaultCellFont1NotMark,      ///< scrollable cells (the first zebra font)
  yfDefaultCellFont2NotMark,      ///< the second zebra font
  yfDefaultCellFontMark,          ///< marked cells
  yfDefaultCellFontMarkUnActive,  ///< marked cells, inactive grid
  yfFocusCellFontNotMark,         ///< the focused cell
  yfFocusCellFontMark,            ///< the focused cell, marked
  yfFocusCellFontNotMarkUnActive, ///< the focused cell, inactive grid
  yfFocusCellFontMarkUnActive,    ///< the focused cell, marked, inactive grid
  yfFixedButtonsFont,             ///< fixed cells
};
/// The number of font slots.
inline constexpr int YGridFontCount = 13;

/// The grid's fonts, one per TYGridFontSlot (TYCustomGrid::GetFonts).
class TYGridFonts : public TPersistent {
public:
  /// The default fonts of AGrid.
  explicit TYGridFonts(TYCustomGrid* AGrid);
  /// "TYGridFonts".
  const char* ClassName() const override { return "TYGridFonts"; }
  /// Takes the fonts of another TYGridFonts and repaints the grid.
  void Assign(const TPersistent* Source) override;

  /// The owned font of a slot; callers select it into a canvas and never free it.
  TFont* GetFont(int Index) const { return Fonts[static_cast<size_t>(Index)].get(); }
  /// The slot's font takes Value's attributes. Nothing is repainted.
  void SetFont(int Index, const TFont* Value);

private:
  TYCustomGrid* Grid;
  std::array<std::unique_ptr<TFont>, YGridFontCount> Fonts;
};
