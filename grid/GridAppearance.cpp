// Colours and fonts of the grid.
#include "grid/YGrids.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr std::array<TColor, YGridPublishedColorCount> DefaultColors = {
    clBtnFace,          // BakgroundFieldColor
    clSkyBlue,          // CurColRowColorNotMark
    clMoneyGreen,       // CurColRowColorMark
    RGB(189, 206, 217), // CurColRowColorNotMarkUnActive
    RGB(200, 213, 200), // CurColRowColorMarkUnActive
    clWindow,           // DefaultCellColor1NotMark
    RGB(239, 239, 239), // DefaultCellColor2NotMark
    clGreen,            // DefaultCellColorMark
    RGB(101, 131, 99),  // DefaultCellColorMarkUnActive
    clHighlight,        // FocusCellColorNotMark
    clTeal,             // FocusCellColorMark
    RGB(100, 112, 145), // FocusCellColorNotMarkUnActive
    RGB(94, 125, 91),   // FocusCellColorMarkUnActive
    clSkyBlue,          // FocusFrameColorNotMark
    clMoneyGreen,       // FocusFrameColorMark
    clBtnFace,          // FixedButtonsColor
    clBtnShadow,        // GridLineColor
};

// Each derived slot: the published slot it copies, and the colour blended with
// DefaultCellColor1NotMark when the current row and column colour themselves.
struct TDerivation {
  TYGridColorSlot Copy;
  TYGridColorSlot Blend;
};
constexpr std::array<TDerivation, 6> Derivations = {{
    {ycCurColRowColorNotMark, ycFocusCellColorNotMark},
    {ycCurColRowColorMark, ycDefaultCellColorMark},
    {ycCurColRowColorNotMarkUnActive, ycFocusCellColorNotMarkUnActive},
    {ycCurColRowColorMarkUnActive, ycDefaultCellColorMarkUnActive},
    {ycFocusFrameColorNotMark, ycFocusCellColorNotMark},
    {ycFocusFrameColorMark, ycDefaultCellColorMark},
}};

bool IsDerivationSource(int Index) {
  return std::any_of(Derivations.begin(), Derivations.end(),
                     [Index](const TDerivation& D) { return D.Copy == Index; });
}
} // namespace

// ---------------------------------------------------------------- TYGridColors

TYGridColors::TYGridColors(TYCustomGrid* AGrid) : Grid(AGrid) {
  std::copy(DefaultColors.begin(), DefaultColors.end(), Colors.begin());
  RefreshColors();
}

TColor TYGridColors::DefaultColor(int Index) {
  return DefaultColors.at(static_cast<size_t>(Index));
}

TColor TYGridColors::AutoColor(TColor Color1, TColor Color2) {
  const TColor A = ColorToRGB(Color1);
  const TColor B = ColorToRGB(Color2);
  auto Channel = [](int X, int Y) { return std::max(X, Y) - std::abs(X - Y) / 4; };
  return RGB(Channel(GetRValue(A), GetRValue(B)), Channel(GetGValue(A), GetGValue(B)),
             Channel(GetBValue(A), GetBValue(B)));
}

void TYGridColors::RefreshColors() {
  const bool Auto = Grid->GetOptions().Contains(ygoAutoColorCurColRow);
  for (size_t I = 0; I < Derivations.size(); ++I) {
    const TDerivation& D = Derivations[I];
    Colors[ycDerivedCurColRowColorNotMark + I] =
        Auto ? AutoColor(Colors[ycDefaultCellColor1NotMark], Colors[D.Blend]) : Colors[D.Copy];
  }
}

// Only a change of a copied slot refreshes the derived colours at once; a change of a blend
// source (cell and focus colours) reaches them at the next refresh, as the options change.
void TYGridColors::SetColor(int Index, TColor Value) {
  if (Colors[static_cast<size_t>(Index)] == Value) return;
  Colors[static_cast<size_t>(Index)] = Value;
  if (IsDerivationSource(Index)) RefreshColors();
  if (!Grid->IsLoading() && Grid->HandleAllocated()) Grid->InvalidateGrid();
}

void TYGridColors::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TYGridColors*>(Source);
  if (!Other) {
    TPersistent::Assign(Source);
    return;
  }
  Colors = Other->Colors; // derived slots as they stand in the source
  Grid->InvalidateGrid();
}

// ---------------------------------------------------------------- TYGridFonts

TYGridFonts::TYGridFonts(TYCustomGrid* AGrid) : Grid(AGrid) {
  for (int I = 0; I < YGridFontCount; ++I) {
    auto Font = std::make_unique<TFont>();
    Font->SetName("Tahoma");
    Font->SetSize(8);
    const bool Highlighted = I >= yfDefaultCellFontMark && I <= yfFocusCellFontMarkUnActive;
    Font->SetColor(Highlighted ? clHighlightText : clWindowText);
    if (Highlighted) Font->SetStyle({fsBold});
    Fonts[static_cast<size_t>(I)] = std::move(Font);
  }
}

void TYGridFonts::SetFont(int Index, const TFont* Value) {
  TFont* Own = GetFont(Index);
  if (Value != Own) Own->Assign(Value);
}

void TYGridFonts::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TYGridFonts*>(Source);
  if (!Other) {
    TPersistent::Assign(Source);
    return;
  }
  for (int I = 0; I < YGridFontCount; ++I)
    GetFont(I)->Assign(Other->GetFont(I));
  if (!Grid->IsDesigning()) Grid->InvalidateGrid();
}
