// Colours: the fixed palette of system colours and the conversions between colours and pixels.
#include "host/gui/Backend.h"

#include <array>

namespace {
// The system colours, by index, as the classic desktop scheme defines them. The palette is
// fixed on purpose: rendering must not depend on the desktop theme of the machine, so that
// tests can check pixels exactly.
constexpr std::array<TColor, 25> SystemPalette = {
    RGB(212, 208, 200), //  0 clScrollBar
    RGB(58, 110, 165),  //  1 clBackground
    RGB(10, 36, 106),   //  2 clActiveCaption
    RGB(128, 128, 128), //  3 clInactiveCaption
    RGB(212, 208, 200), //  4 clMenu
    RGB(255, 255, 255), //  5 clWindow
    RGB(0, 0, 0),       //  6 clWindowFrame
    RGB(0, 0, 0),       //  7 clMenuText
    RGB(0, 0, 0),       //  8 clWindowText
    RGB(255, 255, 255), //  9 clCaptionText
    RGB(212, 208, 200), // 10 clActiveBorder
    RGB(212, 208, 200), // 11 clInactiveBorder
    RGB(128, 128, 128), // 12 clAppWorkSpace
    RGB(10, 36, 106),   // 13 clHighlight
    RGB(255, 255, 255), // 14 clHighlightText
    RGB(212, 208, 200), // 15 clBtnFace
    RGB(128, 128, 128), // 16 clBtnShadow
    RGB(128, 128, 128), // 17 clGrayText
    RGB(0, 0, 0),       // 18 clBtnText
    RGB(212, 208, 200), // 19 clInactiveCaptionText
    RGB(255, 255, 255), // 20 clBtnHighlight
    RGB(64, 64, 64),    // 21 cl3DDkShadow
    RGB(212, 208, 200), // 22 cl3DLight
    RGB(0, 0, 0),       // 23 clInfoText
    RGB(255, 255, 225), // 24 clInfoBk
};
} // namespace

// Plain colours (including the palette-relative ones with bit 0x02000000) and the two
// markers clNone and clDefault come back unchanged: the markers are not colours, and the
// code that uses them decides what they mean. An unknown system colour index is black.
TColor ColorToRGB(TColor Color) {
  if (Color >= 0) return Color;
  const unsigned Index = static_cast<unsigned>(Color) & 0xFFu;
  return Index < SystemPalette.size() ? SystemPalette[Index] : clBlack;
}

QRgb PixelOfColor(TColor Color) {
  const TColor Plain = ColorToRGB(Color);
  return qRgb(GetRValue(Plain), GetGValue(Plain), GetBValue(Plain));
}

TColor ColorOfPixel(QRgb Pixel) {
  return RGB(qRed(Pixel), qGreen(Pixel), qBlue(Pixel));
}

QRgb PixelOnDC(HDC Dc, TColor Color) {
  const QRgb Pixel = PixelOfColor(Color);
  if (!Dc->Monochrome()) return Pixel;
  return qRed(Pixel) + qGreen(Pixel) + qBlue(Pixel) >= 384 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
}
