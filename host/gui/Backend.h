// Private to host/gui: what the handles of WinApi.h are, on Qt. Nothing outside host/gui
// includes this file.
#pragma once

#include "host/gui/WinApi.h"

#include <QImage>
#include <QRegion>

#include <memory>

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
  HDC SelectedInto = nullptr; // the memory context it is selected into, if any
};

class TGdiPalette : public TGdiObject {};

// The state of one drawing target.
struct TDeviceContext {
  QImage* Target = nullptr;              // the pixels: a window surface or the selected bitmap's image
  TGdiBitmap* Selected = nullptr;        // memory contexts: the bitmap selected
  std::unique_ptr<TGdiBitmap> Stock;     // memory contexts: the 1 x 1 monochrome bitmap they start with
  bool IsMemory = false;
  bool Monochrome() const { return Selected && Selected->Monochrome; }

  bool HasClip = false;                  // with a clip, drawing and RectVisible are limited to it
  QRegion Clip;                          // device coordinates

  TColor BkColor = clWhite;
  TColor TextColor = clBlack;
  bool OpaqueBackground = true;          // text background filled with BkColor
  int StretchMode = BLACKONWHITE;
  int MapMode = MM_TEXT;
  TPoint WindowOrg;
  TPoint WindowExt{1, 1};
  TPoint ViewportExt{1, 1};
};

// A context drawing straight onto Target (a window's surface); the caller owns both.
HDC CreateSurfaceDC(QImage* Target);
void DestroySurfaceDC(HDC Dc);
// Limits drawing on Dc to Region (device coordinates); nullptr removes the limit.
void SetDCClip(HDC Dc, const QRegion* Region);
