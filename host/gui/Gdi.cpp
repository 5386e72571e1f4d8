// Device contexts and bitmap objects: creation, selection, deletion and the simple state
// setters (colours, stretch mode, palettes, clip).
#include "host/gui/Backend.h"

#include <cmath>

namespace {
std::unique_ptr<TGdiBitmap> NewBitmap(int Width, int Height, bool Monochrome) {
  auto Bitmap = std::make_unique<TGdiBitmap>();
  Bitmap->Monochrome = Monochrome;
  if (Width > 0 && Height > 0) {
    Bitmap->Image = QImage(Width, Height, QImage::Format_RGB32);
    Bitmap->Image.fill(qRgb(0, 0, 0));
  }
  return Bitmap;
}

// Makes Bitmap the one Dc draws on.
void Attach(HDC Dc, TGdiBitmap* Bitmap) {
  ReleasePainter(Dc);
  Dc->Scale = Bitmap->Scale;
  Dc->Selected = Bitmap;
  Dc->Target = &Bitmap->Image;
  Bitmap->SelectedInto = Dc;
}
} // namespace

HDC CreateCompatibleDC(HDC) {
  auto* Dc = new TDeviceContext;
  Dc->IsMemory = true;
  Dc->Stock = NewBitmap(1, 1, true);
  Dc->Stock->IsStock = true;
  Attach(Dc, Dc->Stock.get());
  return Dc;
}

// A bitmap the user selected stays alive: it only forgets the context.
bool DeleteDC(HDC Dc) {
  if (!Dc || !Dc->IsMemory) return false;
  ReleasePainter(Dc);
  if (Dc->Selected && !Dc->Selected->IsStock) Dc->Selected->SelectedInto = nullptr;
  delete Dc;
  return true;
}

HBITMAP CreateBitmap(int Width, int Height, unsigned Planes, unsigned BitsPerPixel, const void*) {
  if (Width < 0 || Height < 0) return nullptr;
  const bool Monochrome = Planes == 1 && BitsPerPixel == 1;
  return NewBitmap(Width, Height, Monochrome).release();
}

// Compatible with a monochrome memory context (one still holding its stock bitmap, say) the
// bitmap is monochrome too; with any other context, or none (the screen), it has colour. It
// takes the context's scale, so that what is copied between the two keeps every device pixel.
HBITMAP CreateCompatibleBitmap(HDC Dc, int Width, int Height) {
  if (Width < 0 || Height < 0) return nullptr;
  const double Scale = Dc ? Dc->Scale : 1;
  const auto Scaled = [Scale](int Size) { return static_cast<int>(std::ceil(Size * Scale)); };
  auto Bitmap = NewBitmap(Scaled(Width), Scaled(Height), Dc && Dc->Monochrome());
  Bitmap->Scale = Scale;
  return Bitmap.release();
}

HGDIOBJ SelectObject(HDC Dc, HGDIOBJ Object) {
  auto* Bitmap = dynamic_cast<TGdiBitmap*>(Object);
  if (!Dc || !Dc->IsMemory || !Bitmap) return nullptr;
  if (Bitmap->SelectedInto == Dc) return Bitmap;
  if (Bitmap->SelectedInto) return nullptr; // a bitmap is in one context at a time
  if (Bitmap->IsStock && Bitmap != Dc->Stock.get()) return nullptr;
  TGdiBitmap* Previous = Dc->Selected;
  Previous->SelectedInto = nullptr;
  Attach(Dc, Bitmap);
  return Previous;
}

// Stock bitmaps and bitmaps still selected into a context are not deleted.
bool DeleteObject(HGDIOBJ Object) {
  if (!Object) return false;
  if (auto* Bitmap = dynamic_cast<TGdiBitmap*>(Object);
      Bitmap && (Bitmap->IsStock || Bitmap->SelectedInto))
    return false;
  delete Object;
  return true;
}

HDC CreateSurfaceDC(QImage* Target, double Scale, bool KeepPainter) {
  auto* Dc = new TDeviceContext;
  Dc->Target = Target;
  Dc->Scale = Scale;
  Dc->KeepsPainter = KeepPainter;
  return Dc;
}

void DestroySurfaceDC(HDC Dc) {
  if (!Dc || Dc->IsMemory) return;
  ReleasePainter(Dc);
  delete Dc;
}

void SetDCClip(HDC Dc, const QRegion* Region) {
  Dc->HasClip = Region != nullptr;
  Dc->Clip = Region ? *Region : QRegion();
  ++Dc->ClipSerial;
}

int SetStretchBltMode(HDC Dc, int Mode) {
  if (!Dc || Mode < BLACKONWHITE || Mode > HALFTONE) return 0;
  const int Old = Dc->StretchMode;
  Dc->StretchMode = Mode;
  return Old;
}

TColor SetBkColor(HDC Dc, TColor Color) {
  const TColor Old = Dc->BkColor;
  Dc->BkColor = Color;
  return Old;
}

TColor SetTextColor(HDC Dc, TColor Color) {
  const TColor Old = Dc->TextColor;
  Dc->TextColor = Color;
  return Old;
}

HPALETTE SelectPalette(HDC Dc, HPALETTE Palette, bool) {
  const HPALETTE Old = Dc->Palette;
  Dc->Palette = Palette;
  return Old;
}

unsigned RealizePalette(HDC) {
  return 0;
}
