// The grid's colours and fonts without a window: the defaults of every slot, the derived
// colours of the current row and column and of the focus frame, the blend that derives them,
// and copying whole colour and font sets.
#include "tests/support/GridTestSupport.h"

#include "host/gui/Graphics.h"

#include <algorithm>
#include <array>
#include <random>

namespace {

class GridColorsTest : public ::testing::Test {
protected:
  TYGridColors& Colors() { return *Grid.GetColors(); }
  void SetAutoColor(TYCustomGrid& G, bool On) {
    G.SetOptions(On ? G.GetOptions() + TYGridOptions{ygoAutoColorCurColRow}
                    : G.GetOptions() - TYGridOptions{ygoAutoColorCurColRow});
  }
  std::array<TColor, YGridColorCount> AllSlots(const TYGridColors& C) const {
    std::array<TColor, YGridColorCount> Result{};
    for (int I = 0; I < YGridColorCount; ++I)
      Result[static_cast<size_t>(I)] = C.GetColor(I);
    return Result;
  }

  TYGrid Grid{nullptr};
};

// ---------------------------------------------------------------- defaults

struct ColorDefault {
  int Slot;
  TColor Stored; // the value kept, a system colour where the slot follows the system's palette
  TColor Rgb;    // what it resolves to
};

TEST_F(GridColorsTest, PublishedSlotsStartWithTheirDefaults) {
  const ColorDefault Table[] = {
      {ycBakgroundFieldColor, clBtnFace, RGB(212, 208, 200)},
      {ycCurColRowColorNotMark, clSkyBlue, RGB(166, 202, 240)},
      {ycCurColRowColorMark, clMoneyGreen, RGB(192, 220, 192)},
      {ycCurColRowColorNotMarkUnActive, 0xD9CEBD, RGB(189, 206, 217)},
      {ycCurColRowColorMarkUnActive, 0xC8D5C8, RGB(200, 213, 200)},
      {ycDefaultCellColor1NotMark, clWindow, RGB(255, 255, 255)},
      {ycDefaultCellColor2NotMark, 0xEFEFEF, RGB(239, 239, 239)},
      {ycDefaultCellColorMark, clGreen, RGB(0, 128, 0)},
      {ycDefaultCellColorMarkUnActive, 0x638365, RGB(101, 131, 99)},
      {ycFocusCellColorNotMark, clHighlight, RGB(10, 36, 106)},
      {ycFocusCellColorMark, clTeal, RGB(0, 128, 128)},
      {ycFocusCellColorNotMarkUnActive, 0x917064, RGB(100, 112, 145)},
      {ycFocusCellColorMarkUnActive, 0x5B7D5E, RGB(94, 125, 91)},
      {ycFocusFrameColorNotMark, clSkyBlue, RGB(166, 202, 240)},
      {ycFocusFrameColorMark, clMoneyGreen, RGB(192, 220, 192)},
      {ycFixedButtonsColor, clBtnFace, RGB(212, 208, 200)},
      {ycGridLineColor, clBtnShadow, RGB(128, 128, 128)},
  };
  static_assert(std::size(Table) == YGridPublishedColorCount);
  for (const ColorDefault& D : Table) {
    EXPECT_EQ(Colors().GetColor(D.Slot), D.Stored) << "slot " << D.Slot;
    EXPECT_EQ(ColorToRGB(Colors().GetColor(D.Slot)), D.Rgb) << "slot " << D.Slot;
  }
}

// ---------------------------------------------------------------- derived colours

// Each derived slot, the published slot it copies, and the colour blended with
// DefaultCellColor1NotMark when the grid colours its current row and column itself.
struct Derivation {
  int Derived;
  int Copied;
  int Blended;
};
constexpr Derivation Derivations[] = {
    {ycDerivedCurColRowColorNotMark, ycCurColRowColorNotMark, ycFocusCellColorNotMark},
    {ycDerivedCurColRowColorMark, ycCurColRowColorMark, ycDefaultCellColorMark},
    {ycDerivedCurColRowColorNotMarkUnActive, ycCurColRowColorNotMarkUnActive,
     ycFocusCellColorNotMarkUnActive},
    {ycDerivedCurColRowColorMarkUnActive, ycCurColRowColorMarkUnActive,
     ycDefaultCellColorMarkUnActive},
    {ycDerivedFocusFrameColorNotMark, ycFocusFrameColorNotMark, ycFocusCellColorNotMark},
    {ycDerivedFocusFrameColorMark, ycFocusFrameColorMark, ycDefaultCellColorMark},
};

// Distinct colours, so that a derived slot taking the wrong source shows.
TColor Distinct(int Slot) {
  return RGB(10 * Slot, 255 - 7 * Slot, 3 * Slot + 1);
}

TEST_F(GridColorsTest, WithoutAutoColorDerivedSlotsCopyTheirSourcesAsTheyChange) {
  for (const Derivation& D : Derivations)
    EXPECT_EQ(Colors().GetColor(D.Derived), Colors().GetColor(D.Copied));
  for (const Derivation& D : Derivations)
    Colors().SetColor(D.Copied, Distinct(D.Copied));
  for (const Derivation& D : Derivations)
    EXPECT_EQ(Colors().GetColor(D.Derived), Distinct(D.Copied)) << "derived slot " << D.Derived;
}

TEST_F(GridColorsTest, SwitchingAutoColorOnBlendsAllDerivedSlotsAtOnce) {
  for (int Slot :
       {ycFocusCellColorNotMark, ycDefaultCellColorMarkUnActive, ycFocusCellColorNotMarkUnActive})
    Colors().SetColor(Slot, Distinct(Slot));
  SetAutoColor(Grid, true);
  for (const Derivation& D : Derivations)
    EXPECT_EQ(Colors().GetColor(D.Derived),
              TYGridColors::AutoColor(Colors().GetColor(ycDefaultCellColor1NotMark),
                                      Colors().GetColor(D.Blended)))
        << "derived slot " << D.Derived;
  // White blended with clGreen, the defaults of the first zebra colour and of marked cells.
  EXPECT_EQ(Colors().GetColor(ycDerivedCurColRowColorMark), RGB(192, 224, 192));
  EXPECT_EQ(Colors().GetColor(ycDerivedFocusFrameColorMark), RGB(192, 224, 192));
  SetAutoColor(Grid, false);
  for (const Derivation& D : Derivations)
    EXPECT_EQ(Colors().GetColor(D.Derived), Colors().GetColor(D.Copied));
}

TEST_F(GridColorsTest, WithAutoColorACopiedSourceChangesItsOwnSlotOnly) {
  SetAutoColor(Grid, true);
  const TColor Blend = Colors().GetColor(ycDerivedCurColRowColorNotMark);
  Colors().SetColor(ycCurColRowColorNotMark, clRed);
  EXPECT_EQ(Colors().GetColor(ycCurColRowColorNotMark), clRed);
  EXPECT_EQ(Colors().GetColor(ycDerivedCurColRowColorNotMark), Blend);
}

TEST_F(GridColorsTest, AColourSetWhileLoadingIsStored) {
  Grid.BeginLoading();
  Colors().SetColor(ycGridLineColor, clRed);
  Colors().SetColor(ycFocusFrameColorMark, clBlue);
  Grid.Loaded();
  EXPECT_EQ(Colors().GetColor(ycGridLineColor), clRed);
  EXPECT_EQ(Colors().GetColor(ycDerivedFocusFrameColorMark), clBlue);
}

// ---------------------------------------------------------------- the blend

TEST(GridAutoColor, BlendsTowardsTheLighterColourByAQuarterOfTheDifference) {
  EXPECT_EQ(TYGridColors::AutoColor(RGB(255, 255, 255), RGB(0, 128, 0)), RGB(192, 224, 192));
  EXPECT_EQ(TYGridColors::AutoColor(clWindow, clGreen),
            RGB(192, 224, 192)); // system colours resolved
  EXPECT_EQ(TYGridColors::AutoColor(clWindow, clHighlight), RGB(194, 201, 218));
}

// Per channel the result is the lighter value less a quarter of the difference, rounded toward
// the lighter one: ceil((3 * lighter + darker) / 4).
TEST(GridAutoColor, EachChannelFollowsTheBlendIndependentlyOverRandomColours) {
  std::mt19937 Random(20240611);
  std::uniform_int_distribution<int> Channel(0, 255);
  auto Expected = [](int A, int B) { return (3 * std::max(A, B) + std::min(A, B) + 3) / 4; };
  for (int Round = 0; Round < 2000; ++Round) {
    const int R1 = Channel(Random), G1 = Channel(Random), B1 = Channel(Random);
    const int R2 = Channel(Random), G2 = Channel(Random), B2 = Channel(Random);
    const TColor Result = TYGridColors::AutoColor(RGB(R1, G1, B1), RGB(R2, G2, B2));
    ASSERT_EQ(GetRValue(Result), Expected(R1, R2)) << R1 << " " << R2;
    ASSERT_EQ(GetGValue(Result), Expected(G1, G2)) << G1 << " " << G2;
    ASSERT_EQ(GetBValue(Result), Expected(B1, B2)) << B1 << " " << B2;
    ASSERT_EQ(Result & ~0xFFFFFF, 0) << "a plain RGB value";
  }
}

// ---------------------------------------------------------------- copying a colour set

TEST_F(GridColorsTest, AssignCopiesAll23SlotsWithTheDerivedOnesAsTheyStand) {
  TYGrid Source(nullptr);
  for (int Slot = 0; Slot < YGridPublishedColorCount; ++Slot)
    Source.GetColors()->SetColor(Slot, Distinct(Slot));
  SetAutoColor(Source, true); // derived slots are blends there; here they would be copies
  Grid.SetColors(Source.GetColors());
  EXPECT_EQ(AllSlots(Colors()), AllSlots(*Source.GetColors()));
  EXPECT_NE(Colors().GetColor(ycDerivedCurColRowColorNotMark),
            Colors().GetColor(ycCurColRowColorNotMark));
}

TEST_F(GridColorsTest, AssignFromAnotherKindOfObjectRaisesAndChangesNothing) {
  const auto Before = AllSlots(Colors());
  TFont Font;
  TYGrid Other(nullptr);
  EXPECT_THROW(Colors().Assign(&Font), Exception);
  EXPECT_THROW(Colors().Assign(Other.GetFonts()), Exception);
  EXPECT_THROW(Colors().Assign(nullptr), Exception);
  EXPECT_EQ(AllSlots(Colors()), Before);
}

// ---------------------------------------------------------------- fonts

struct FontDefault {
  int Slot;
  TColor Color;
  bool Bold;
};

TEST(GridFonts, EverySlotStartsAsTahoma8WithItsColourAndWeight) {
  TYGrid Grid(nullptr);
  const FontDefault Table[] = {
      {yfCurColRowFontNotMark, clWindowText, false},
      {yfCurColRowFontMark, clWindowText, false},
      {yfCurColRowFontNotMarkUnActive, clWindowText, false},
      {yfCurColRowFontMarkUnActive, clWindowText, false},
      {yfDefaultCellFont1NotMark, clWindowText, false},
      {yfDefaultCellFont2NotMark, clWindowText, false},
      {yfDefaultCellFontMark, clHighlightText, true},
      {yfDefaultCellFontMarkUnActive, clHighlightText, true},
      {yfFocusCellFontNotMark, clHighlightText, true},
      {yfFocusCellFontMark, clHighlightText, true},
      {yfFocusCellFontNotMarkUnActive, clHighlightText, true},
      {yfFocusCellFontMarkUnActive, clHighlightText, true},
      {yfFixedButtonsFont, clWindowText, false},
  };
  static_assert(std::size(Table) == YGridFontCount);
  const TFont Plain;
  for (const FontDefault& D : Table) {
    const TFont* F = Grid.GetFonts()->GetFont(D.Slot);
    ASSERT_NE(F, nullptr);
    EXPECT_EQ(F->GetName(), "Tahoma") << "slot " << D.Slot;
    EXPECT_EQ(F->GetSize(), 8) << "slot " << D.Slot;
    EXPECT_EQ(F->GetColor(), D.Color) << "slot " << D.Slot;
    EXPECT_EQ(F->GetStyle(), D.Bold ? TFontStyles{fsBold} : TFontStyles{}) << "slot " << D.Slot;
    EXPECT_EQ(F->GetCharset(), Plain.GetCharset()) << "slot " << D.Slot;
  }
  for (int I = 0; I < YGridFontCount; ++I)
    for (int J = I + 1; J < YGridFontCount; ++J)
      EXPECT_NE(Grid.GetFonts()->GetFont(I), Grid.GetFonts()->GetFont(J));
}

// A font unlike every default.
void MakeUnusual(TFont& F, int Seed) {
  F.SetName("Courier " + std::to_string(Seed));
  F.SetSize(9 + Seed);
  F.SetColor(RGB(Seed, 2 * Seed, 3 * Seed));
  F.SetStyle({fsItalic, fsUnderline});
  F.SetCharset(static_cast<TFontCharset>(200 + Seed));
}

void ExpectSameAttributes(const TFont& A, const TFont& B) {
  EXPECT_EQ(A.GetName(), B.GetName());
  EXPECT_EQ(A.GetSize(), B.GetSize());
  EXPECT_EQ(A.GetColor(), B.GetColor());
  EXPECT_EQ(A.GetStyle(), B.GetStyle());
  EXPECT_EQ(A.GetCharset(), B.GetCharset());
}

TEST(GridFonts, SetFontCopiesTheAttributesIntoTheSlotsOwnFont) {
  TYGrid Grid(nullptr);
  TFont* Own = Grid.GetFonts()->GetFont(yfFixedButtonsFont);
  TFont Given;
  MakeUnusual(Given, 3);
  Grid.GetFonts()->SetFont(yfFixedButtonsFont, &Given);
  EXPECT_EQ(Grid.GetFonts()->GetFont(yfFixedButtonsFont), Own);
  ExpectSameAttributes(*Own, Given);
  Given.SetColor(clRed); // the slot keeps a copy, not the given font
  EXPECT_NE(Own->GetColor(), clRed);
  EXPECT_EQ(Grid.GetFonts()->GetFont(yfFocusCellFontMark)->GetName(), "Tahoma");
}

TEST(GridFonts, SetFontWithTheSlotsOwnFontDoesNothing) {
  TYGrid Grid(nullptr);
  TFont* Own = Grid.GetFonts()->GetFont(yfDefaultCellFontMark);
  int Changes = 0;
  Own->OnChange = [&](TObject*) { ++Changes; };
  Grid.GetFonts()->SetFont(yfDefaultCellFontMark, Own);
  EXPECT_EQ(Changes, 0);
  TFont Other;
  Grid.GetFonts()->SetFont(yfDefaultCellFontMark, &Other);
  EXPECT_EQ(Changes, 1); // a real copy is seen by the same listener
  Own->OnChange = nullptr;
}

TEST(GridFonts, AssignCopiesAll13FontsIntoTheOwnObjects) {
  TYGrid Source(nullptr), Grid(nullptr);
  for (int I = 0; I < YGridFontCount; ++I)
    MakeUnusual(*Source.GetFonts()->GetFont(I), I);
  std::array<TFont*, YGridFontCount> Own{};
  for (int I = 0; I < YGridFontCount; ++I)
    Own[static_cast<size_t>(I)] = Grid.GetFonts()->GetFont(I);
  Grid.SetFonts(Source.GetFonts());
  for (int I = 0; I < YGridFontCount; ++I) {
    SCOPED_TRACE("slot " + std::to_string(I));
    EXPECT_EQ(Grid.GetFonts()->GetFont(I), Own[static_cast<size_t>(I)]);
    ExpectSameAttributes(*Grid.GetFonts()->GetFont(I), *Source.GetFonts()->GetFont(I));
  }
  TFont Font;
  EXPECT_THROW(Grid.GetFonts()->Assign(&Font), Exception);
  EXPECT_THROW(Grid.GetFonts()->Assign(Source.GetColors()), Exception);
}

} // namespace
