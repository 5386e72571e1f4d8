// Private to host/gui: what the handles of WinApi.h are, on Qt. Nothing outside host/gui
// includes this file.
#pragma once

#include "host/gui/Graphics.h"
#include "host/gui/WinApi.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>

#include <memory>
#include <optional>
#include <string>

// A bitmap or a palette.
class TGdiObject {
public:
  virtual ~TGdiObject() = default;
};

// Pixels of a bitmap: always QImage::Format_RGB32 at device pixel ratio 1. A monochrome
// bitmap holds only black (0xFF000000) and white (0xFFFFFFFF) pixels.
class TGdiBitmap : public TGdiObject {
public:
  QImage Image;
  bool Monochrome = false;
  bool IsStock = false;       // a memory context's own 1 x 1 bitmap: never deleted by DeleteObject
  HDC SelectedInto = nullptr; // the memory context it is selected into, if any
};

class TGdiPalette : public TGdiObject {};

// The font a context draws text with, as a canvas hands it over.
struct TDcFont {
  std::string Name = "MS Sans Serif";
  int PixelSize = 11; // character (em) height in pixels: 8 points at 96 dpi
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  TColor Color = clWindowText; // becomes the text colour when handed over; not part of the face
  bool operator==(const TDcFont&) const = default;
  bool SameFace(const TDcFont& Other) const {
    return Name == Other.Name && PixelSize == Other.PixelSize && Bold == Other.Bold &&
           Italic == Other.Italic && Underline == Other.Underline && StrikeOut == Other.StrikeOut;
  }
};

// The pen lines are drawn with. Width is in device pixels.
struct TDcPen {
  TColor Color = clBlack;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
  int Width = 1;
  bool operator==(const TDcPen&) const = default;
};

// The brush rectangles are filled with; it is also the pattern of the raster operations.
struct TDcBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  bool operator==(const TDcBrush&) const = default;
};

// The state of one drawing target.
struct TDeviceContext {
  QImage* Target = nullptr;          // the pixels: a window surface or the selected bitmap's image
  TGdiBitmap* Selected = nullptr;    // memory contexts: the bitmap selected
  std::unique_ptr<TGdiBitmap> Stock; // memory contexts: the 1 x 1 monochrome bitmap they start with
  bool IsMemory = false;
  bool Monochrome() const { return Selected && Selected->Monochrome; }

  bool HasClip = false; // with a clip, drawing and RectVisible are limited to it
  QRegion Clip;         // device coordinates

  TColor BkColor = clWhite;
  TColor TextColor = clBlack;
  bool OpaqueBackground = true; // text background filled with BkColor
  int StretchMode = BLACKONWHITE;
  int MapMode = MM_TEXT;
  TPoint WindowOrg;
  TPoint WindowExt{1, 1};
  TPoint ViewportExt{1, 1};
  HPALETTE Palette = nullptr; // accepted and kept only to be answered back

  TDcFont Font; // the font, pen and brush a canvas handed over last
  TDcPen Pen;
  TDcBrush Brush;
  std::optional<QFont> QtFont; // Font made into a QFont, built at the first text call
  TDcFont QtFontOf;            // the description QtFont was built from
};

// A context drawing straight onto Target (a window's surface); the caller owns both.
HDC CreateSurfaceDC(QImage* Target);
void DestroySurfaceDC(HDC Dc);
// Limits drawing on Dc to Region (device coordinates); nullptr removes the limit.
void SetDCClip(HDC Dc, const QRegion* Region);

// Makes sure a Qt application object exists, as fonts need one: when there is none, creates a
// QApplication that lives until the process ends (on the offscreen platform when no display
// is available and no platform is chosen). Call it before any use of fonts.
void EnsureGuiApplication();

// ---------------------------------------------------------------- helpers of host/gui

// A colour as an opaque 32-bit pixel (0xFFRRGGBB); system colours through ColorToRGB, the
// palette-relative flag (0x02000000) ignored.
QRgb PixelOfColor(TColor Color);
// The inverse: a pixel as a plain colour 0x00BBGGRR.
TColor ColorOfPixel(QRgb Pixel);
// The pixel Color paints on Dc: on a monochrome target, white for light colours (R + G + B of
// at least 384) and black for the others.
QRgb PixelOnDC(HDC Dc, TColor Color);

// Logical to device coordinates with the context's mapping.
QPoint LogicalToDevice(HDC Dc, int X, int Y);
// A logical rectangle (right and bottom exclusive) in device pixels, normalized so that a
// mirroring mapping still gives a well-ordered rectangle.
QRect LogicalRectToDevice(HDC Dc, const TRect& Rect);
// The part of a device rectangle that drawing may touch: inside the target and the clip.
QRegion DrawableRegion(HDC Dc, const QRect& Device);
// Whether a device pixel may be drawn.
bool PixelDrawable(HDC Dc, int X, int Y);

// Fills a device rectangle (within the drawable region) with one pixel value.
void FillDevice(HDC Dc, const QRect& Device, QRgb Pixel);
// A logical line from From to To without its end pixel, with the context's pen.
void DrawPenLine(HDC Dc, TPoint From, TPoint To);
// The context's font as a QFont (creates the application object first when needed).
const QFont& FontOfDC(HDC Dc);
QFont MakeQFont(const TDcFont& Font);
