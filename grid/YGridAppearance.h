// The grid's appearance: 17 published colours with 6 derived ones, and 13 fonts, each chosen
// for a cell by its state when it is painted.
#pragma once

#include "grid/YGridTypes.h"
#include "host/gui/Graphics.h"

#include <array>
#include <memory>

class TYCustomGrid;

// Colour slots. 0 to 16 are published; 17 to 22 are derived from them.
enum TYGridColorSlot : std::uint8_t {
  ycBakgroundFieldColor,
  ycCurColRowColorNotMark,
  ycCurColRowColorMark,
  ycCurColRowColorNotMarkUnActive,
  ycCurColRowColorMarkUnActive,
  ycDefaultCellColor1NotMark,
  ycDefaultCellColor2NotMark,
  ycDefaultCellColorMark,
  ycDefaultCellColorMarkUnActive,
  ycFocusCellColorNotMark,
  ycFocusCellColorMark,
  ycFocusCellColorNotMarkUnActive,
  ycFocusCellColorMarkUnActive,
  ycFocusFrameColorNotMark,
  ycFocusFrameColorMark,
  ycFixedButtonsColor,
  ycGridLineColor,
  ycDerivedCurColRowColorNotMark,
  ycDerivedCurColRowColorMark,
  ycDerivedCurColRowColorNotMarkUnActive,
  ycDerivedCurColRowColorMarkUnActive,
  ycDerivedFocusFrameColorNotMark,
  ycDerivedFocusFrameColorMark,
};
inline constexpr int YGridColorCount = 23;
inline constexpr int YGridPublishedColorCount = 17;

class TYGridColors : public TPersistent {
public:
  explicit TYGridColors(TYCustomGrid* AGrid);
  const char* ClassName() const override { return "TYGridColors"; }
  void Assign(const TPersistent* Source) override;

  TColor GetColor(int Index) const { return Colors[static_cast<size_t>(Index)]; }
  void SetColor(int Index, TColor Value);
  // Recomputes the derived colours from the published ones and the grid's options.
  void RefreshColors();
  // A light blend of two colours: per channel max(a, b) - |a - b| div 4.
  static TColor AutoColor(TColor Color1, TColor Color2);
  // The constructor's value of published slot Index (its stored default).
  static TColor DefaultColor(int Index);

private:
  TYCustomGrid* Grid;
  std::array<TColor, YGridColorCount> Colors{};
};

// Font slots.
enum TYGridFontSlot : std::uint8_t {
  yfCurColRowFontNotMark,
  yfCurColRowFontMark,
  yfCurColRowFontNotMarkUnActive,
  yfCurColRowFontMarkUnActive,
  yfDefaultCellFont1NotMark,
  yfDefaultCellFont2NotMark,
  yfDefaultCellFontMark,
  yfDefaultCellFontMarkUnActive,
  yfFocusCellFontNotMark,
  yfFocusCellFontMark,
  yfFocusCellFontNotMarkUnActive,
  yfFocusCellFontMarkUnActive,
  yfFixedButtonsFont,
};
inline constexpr int YGridFontCount = 13;

class TYGridFonts : public TPersistent {
public:
  explicit TYGridFonts(TYCustomGrid* AGrid);
  const char* ClassName() const override { return "TYGridFonts"; }
  void Assign(const TPersistent* Source) override;

  // The owned font of a slot; callers select it into a canvas and never free it.
  TFont* GetFont(int Index) const { return Fonts[static_cast<size_t>(Index)].get(); }
  // The slot's font takes Value's attributes. Nothing is repainted.
  void SetFont(int Index, const TFont* Value);

private:
  TYCustomGrid* Grid;
  std::array<std::unique_ptr<TFont>, YGridFontCount> Fonts;
};
