// Drawing bitmaps with one colour transparent, optionally stretched, by masks and raster
// operations only.
#include "grid/YGrids.h"

#include <array>

TColor TYCustomGrid::PaletteColor(TColor Color) {
  return ColorToRGB(Color) | 0x02000000;
}

namespace {
// A memory context with a bitmap of its own, released in reverse order of creation.
class TScratch {
public:
  TScratch(HDC Compatible, HBITMAP Bitmap)
      : Dc(CreateCompatibleDC(Compatible)), Old(SelectObject(Dc, Bitmap)) {}
  ~TScratch() {
    DeleteObject(SelectObject(Dc, Old));
    DeleteDC(Dc);
  }
  TScratch(const TScratch&) = delete;
  TScratch& operator=(const TScratch&) = delete;
  HDC Dc;

private:
  HGDIOBJ Old;
};

// Selects a palette into a context for one scope, putting the previous one back after.
class TPaletteSelection {
public:
  TPaletteSelection(HDC ADc, HPALETTE Palette, bool Background)
      : Dc(ADc), Old(Palette ? SelectPalette(ADc, Palette, Background) : nullptr),
        Active(Palette != nullptr) {
    if (Active) RealizePalette(Dc);
  }
  ~TPaletteSelection() {
    if (Active) SelectPalette(Dc, Old, Restore);
  }
  TPaletteSelection(const TPaletteSelection&) = delete;
  TPaletteSelection& operator=(const TPaletteSelection&) = delete;
  bool Restore = false; // the destination's palette goes back as a background palette

private:
  HDC Dc;
  HPALETTE Old;
  bool Active;
};
} // namespace

// The picture is cut out of the destination with a mask of its non-transparent pixels, its
// transparent pixels are blackened, and the two are combined with OR.
void TYCustomGrid::StretchBltTransparent(HDC DstDC, int DstX, int DstY, int DstW, int DstH,
                                         HDC SrcDC, int SrcX, int SrcY, int SrcW, int SrcH,
                                         HPALETTE Palette, TColor TransparentColor) {
  TScratch MaskInv(DstDC, CreateBitmap(SrcW, SrcH, 1, 1, nullptr));
  TScratch Mask(DstDC, CreateBitmap(SrcW, SrcH, 1, 1, nullptr));
  TScratch Work(DstDC, CreateCompatibleBitmap(DstDC, DstW, DstH));
  TScratch Save(DstDC, CreateCompatibleBitmap(DstDC, SrcW, SrcH));
  TPaletteSelection DstPalette(DstDC, Palette, true);
  DstPalette.Restore = true;
  TPaletteSelection SavePalette(Save.Dc, Palette, false);
  TPaletteSelection MaskPalette(Mask.Dc, Palette, false);
  TPaletteSelection WorkPalette(Work.Dc, Palette, true);
  SetMapMode(SrcDC, GetMapMode(DstDC));
  SetMapMode(Save.Dc, GetMapMode(DstDC));
  BitBlt(Save.Dc, 0, 0, SrcW, SrcH, SrcDC, SrcX, SrcY, SRCCOPY);
  const TColor OldBk = SetBkColor(Save.Dc, PaletteColor(TransparentColor));
  BitBlt(Mask.Dc, 0, 0, SrcW, SrcH, Save.Dc, 0, 0, SRCCOPY); // transparent pixels become white
  SetBkColor(Save.Dc, OldBk);
  BitBlt(MaskInv.Dc, 0, 0, SrcW, SrcH, Mask.Dc, 0, 0, NOTSRCCOPY);
  BitBlt(Work.Dc, 0, 0, DstW, DstH, DstDC, DstX, DstY, SRCCOPY);
  StretchBlt(Work.Dc, 0, 0, DstW, DstH, Mask.Dc, 0, 0, SrcW, SrcH, SRCAND);
  BitBlt(Save.Dc, 0, 0, SrcW, SrcH, MaskInv.Dc, 0, 0, SRCAND);
  StretchBlt(Work.Dc, 0, 0, DstW, DstH, Save.Dc, 0, 0, SrcW, SrcH, SRCPAINT);
  BitBlt(DstDC, DstX, DstY, DstW, DstH, Work.Dc, 0, 0, SRCCOPY);
}

void TYCustomGrid::StretchBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap,
                                            TColor TransparentColor, int DstX, int DstY, int DstW,
                                            int DstH, int SrcX, int SrcY, int SrcW, int SrcH) {
  if (DstW <= 0) DstW = Bitmap->GetWidth();
  if (DstH <= 0) DstH = Bitmap->GetHeight();
  if (SrcW <= 0 || SrcH <= 0) {
    SrcX = SrcY = 0;
    SrcW = Bitmap->GetWidth();
    SrcH = Bitmap->GetHeight();
  }
  if (!Bitmap->GetMonochrome()) SetStretchBltMode(Canvas->GetHandle(), COLORONCOLOR);
  TCanvas* Source = Bitmap->GetCanvas();
  TNotifyEvent Saved = std::move(Source->OnChanging); // no change reports while drawing from it
  Source->OnChanging = nullptr;
  try {
    if (TransparentColor == clNone) {
      StretchBlt(Canvas->GetHandle(), DstX, DstY, DstW, DstH, Source->GetHandle(), SrcX, SrcY, SrcW,
                 SrcH, Canvas->CopyMode);
    } else {
      const TColor Transparent = Bitmap->GetMonochrome() ? 0xFFFFFF : ColorToRGB(TransparentColor);
      StretchBltTransparent(Canvas->GetHandle(), DstX, DstY, DstW, DstH, Source->GetHandle(), SrcX,
                            SrcY, SrcW, SrcH, Bitmap->GetPalette(), Transparent);
    }
  } catch (...) {
    Source->OnChanging = std::move(Saved);
    throw;
  }
  Source->OnChanging = std::move(Saved);
}

void TYCustomGrid::DrawBitmapTransparent(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap,
                                         TColor TransparentColor) {
  StretchBitmapTransparent(Canvas, Bitmap, TransparentColor, X, Y, Bitmap->GetWidth(),
                           Bitmap->GetHeight(), 0, 0, Bitmap->GetWidth(), Bitmap->GetHeight());
}

// The rectangle is not used: the bitmap is placed at (X, Y) whole, as a picture in a cell is.
void TYCustomGrid::DrawMaskedBitmap(const TRect&, int X, int Y, TBitmap* Bitmap) {
  DrawBitmapTransparent(GetCanvas(), X, Y, Bitmap, Bitmap->GetTransparentColor() & ~0x02000000);
}
