// Colours: the fixed system palette and how colours reach pixels; MulDiv's rounding.
#include "GraphicsTestSupport.h"

#include <climits>

namespace {
using guitest::TPicture;

struct TSystemColorCase {
  const char* Name;
  TColor Color;
  TColor Expected;
};

// The classic desktop scheme the palette promises; the grid's look depends on these values.
const TSystemColorCase SystemColorCases[] = {
    {"clScrollBar", clScrollBar, RGB(212, 208, 200)},
    {"clBackground", clBackground, RGB(58, 110, 165)},
    {"clActiveCaption", clActiveCaption, RGB(10, 36, 106)},
    {"clInactiveCaption", clInactiveCaption, RGB(128, 128, 128)},
    {"clMenu", clMenu, RGB(212, 208, 200)},
    {"clWindow", clWindow, RGB(255, 255, 255)},
    {"clWindowFrame", clWindowFrame, RGB(0, 0, 0)},
    {"clMenuText", clMenuText, RGB(0, 0, 0)},
    {"clWindowText", clWindowText, RGB(0, 0, 0)},
    {"clCaptionText", clCaptionText, RGB(255, 255, 255)},
    {"clActiveBorder", clActiveBorder, RGB(212, 208, 200)},
    {"clInactiveBorder", clInactiveBorder, RGB(212, 208, 200)},
    {"clAppWorkSpace", clAppWorkSpace, RGB(128, 128, 128)},
    {"clHighlight", clHighlight, RGB(10, 36, 106)},
    {"clHighlightText", clHighlightText, RGB(255, 255, 255)},
    {"clBtnFace", clBtnFace, RGB(212, 208, 200)},
    {"clBtnShadow", clBtnShadow, RGB(128, 128, 128)},
    {"clGrayText", clGrayText, RGB(128, 128, 128)},
    {"clBtnText", clBtnText, RGB(0, 0, 0)},
    {"clInactiveCaptionText", clInactiveCaptionText, RGB(212, 208, 200)},
    {"clBtnHighlight", clBtnHighlight, RGB(255, 255, 255)},
    {"cl3DDkShadow", cl3DDkShadow, RGB(64, 64, 64)},
    {"cl3DLight", cl3DLight, RGB(212, 208, 200)},
    {"clInfoText", clInfoText, RGB(0, 0, 0)},
    {"clInfoBk", clInfoBk, RGB(255, 255, 225)},
};

TEST(ColorToRGBTest, SystemColorsComeFromTheFixedPalette) {
  for (const auto& Case : SystemColorCases)
    EXPECT_EQ(ColorToRGB(Case.Color), Case.Expected) << Case.Name;
}

TEST(ColorToRGBTest, PlainColorsAndMarkersComeBackUnchanged) {
  EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(ColorToRGB(clWhite), clWhite);
  EXPECT_EQ(ColorToRGB(0x02123456), 0x02123456); // palette-relative values keep their flag
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
}

TEST(ColorToRGBTest, UnknownSystemIndexIsBlack) {
  EXPECT_EQ(ColorToRGB(SystemColor(200)), clBlack);
}

TEST(ColorToRGBTest, DrawingWithASystemColorPaintsItsPaletteValue) {
  TPicture Picture(4, 4);
  Picture.Canvas()->GetBrush()->Color = clInfoBk;
  Picture.Canvas()->FillRect(Rect(0, 0, 4, 4));
  EXPECT_EQ(Picture.At(2, 2), RGB(255, 255, 225));
  Picture.Canvas()->SetPixel(1, 1, cl3DDkShadow);
  EXPECT_EQ(Picture.At(1, 1), RGB(64, 64, 64));
}

TEST(ColorToRGBTest, PaletteRelativeFlagIsIgnoredWhenDrawing) {
  TPicture Picture(2, 2);
  Picture.Canvas()->SetPixel(0, 0, 0x02000000 | RGB(9, 8, 7));
  EXPECT_EQ(Picture.At(0, 0), RGB(9, 8, 7));
}

struct TMulDivCase {
  int Number, Numerator, Denominator, Expected;
};

TEST(MulDivTest, RoundsHalvesAwayFromZero) {
  const TMulDivCase Cases[] = {
      {10, 3, 4, 8},                                     // 7.5
      {-10, 3, 4, -8},                                   // -7.5
      {10, -3, 4, -8},                                   // -7.5
      {10, 3, -4, -8},                                   // -7.5
      {-10, -3, -4, -8},  {7, 1, 2, 4},                  // 3.5
      {5, 1, 3, 2},                                      // 1.67
      {4, 1, 3, 1},                                      // 1.33
      {-4, 1, 3, -1},                                    // -1.33
      {-5, 1, 3, -2},                                    // -1.67
      {0, 5, 7, 0},       {1, 1, 3, 0}, {8, 96, 72, 11}, // 8 points at 96 dpi
      {127, 50, 127, 50},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(MulDiv(C.Number, C.Numerator, C.Denominator), C.Expected)
        << C.Number << " * " << C.Numerator << " / " << C.Denominator;
}

TEST(MulDivTest, ZeroDivisorAnswersMinusOne) {
  EXPECT_EQ(MulDiv(5, 3, 0), -1);
  EXPECT_EQ(MulDiv(0, 0, 0), -1);
  EXPECT_EQ(MulDiv(-5, 3, 0), -1);
}

TEST(MulDivTest, WorksPastThirtyTwoBitsAndRejectsOverflow) {
  EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(MulDiv(100000, 100000, 1000), 10000000);
  EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
}

} // namespace
