// Private to host/gui: what the handles of WinApi.h are, on Qt. Nothing outside host/gui
// includes this file.
#pragma once

#include "host/gui/Graphics.h"
#include "host/gui/WinApi.h"

#include <QFont>
#include <QFontMetrics>
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

// Pixels of a bitmap: always QImage::Format_RGB32. A monochrome bitmap holds only black
// (0xFF000000) and white (0xFFFFFFFF) pixels. A bitmap made compatible with a window's context
// on a high-density screen holds Scale image pixels per logical pixel, as the window does.
class TGdiBitmap : public TGdiObject {
public:
  QImage Image;
  bool Monochrome = false;
  double Scale = 1;
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

struct TTextPainter;

// The state of one drawing target.
struct TDeviceContext {
  TDeviceContext();
  ~TDeviceContext();
  TDeviceContext(const TDeviceContext&) = delete;
  TDeviceContext& operator=(const TDeviceContext&) = delete;

  QImage* Target = nullptr; // the pixels: a window surface or the selected bitmap's image
  // Target pixels per logical pixel after the mapping: the window's device pixel ratio on a
  // high-density screen, else 1. Device coordinates are Target pixels.
  double Scale = 1;
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
  // A painter kept open on Target between text calls (a paint's context only, see
  // KeepsPainter); other contexts end theirs after each call.
  std::unique_ptr<TTextPainter> Painter;
  bool KeepsPainter = false;
  std::uint64_t ClipSerial = 0; // counts clip changes, so that a kept painter follows them
};

// A context drawing straight onto Target (a window's surface) at Scale target pixels per
// logical pixel; the caller owns both. With KeepPainter the context keeps one painter open on
// Target for its life: only for a context that lives for one paint, while nothing else copies
// or replaces Target.
HDC CreateSurfaceDC(QImage* Target, double Scale = 1, bool KeepPainter = false);
// Ends a painter the context holds open (before its target changes or is read).
void ReleasePainter(HDC Dc);
// Ends every painter held open on Target (before it is painted otherwise or replaced).
void ReleasePaintersOn(const QImage* Target);
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
// Calls Each(QRect) for the parts of a device rectangle that drawing may touch, disjoint, without
// building a region: a clip's rectangles do not overlap, so each is cut on its own.
template <class F> void ForEachDrawable(HDC Dc, const QRect& Device, F&& Each) {
  if (!Dc->Target || Dc->Target->isNull()) return;
  const QRect Inside = Device & Dc->Target->rect();
  if (Inside.isEmpty()) return;
  if (!Dc->HasClip) return Each(Inside);
  if (!Dc->Clip.boundingRect().intersects(Inside)) return;
  for (const QRect& ClipPart : Dc->Clip) {
    const QRect Part = Inside & ClipPart;
    if (!Part.isEmpty()) Each(Part);
  }
}
// The bounding rectangle of what drawing may touch (empty when nothing).
QRect DrawableBounds(HDC Dc);

// Fills a device rectangle (within the drawable region) with one pixel value.
void FillDevice(HDC Dc, const QRect& Device, QRgb Pixel);
// A logical line from From to To without its end pixel, with the context's pen.
void DrawPenLine(HDC Dc, TPoint From, TPoint To);
// A font made into Qt's terms once, with its metrics: fonts and metrics are costly to build
// and text is drawn in every cell.
struct TFontEntry {
  QFont Font;
  QFontMetrics Metrics;
  std::uint64_t Id; // tells entries apart, also one made where a dropped one was
};
// The context's font at its scale (creates the application object first when needed).
const TFontEntry& FontOfDC(HDC Dc);
// Font at Scale pixels per logical pixel, from a small process-wide cache.
const TFontEntry& CachedFont(const TDcFont& Font, double Scale = 1);
QFont MakeQFont(const TDcFont& Font, double Scale = 1);

// Clamps a 64-bit device coordinate into the range drawing handles without overflow: far
// enough outside any surface that clamping never changes a drawn pixel of an axis-parallel
// shape.
int ClampCoordinate(long long Value);
// A region of logical pixels (a window's update region) in device pixels of Scale.
QRegion ScaledRegion(const QRegion& Logical, double Scale);
// One logical coordinate at Scale, snapped to a whole device pixel.
int Snap(long long Logical, double Scale);
