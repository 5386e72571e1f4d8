// Helpers of the graphics tests: pictures to draw on and to read back pixel by pixel, through
// the public drawing interface only.
#pragma once

#include "host/gui/Graphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace guitest {

// A memory context with a bitmap of its own (colour or monochrome) and a canvas on it, for
// reading and writing single pixels of any context. Releases both as a user of the system
// calls must: the old bitmap goes back before the context and the bitmap are deleted.
class TMemoryDc {
public:
  TMemoryDc(int Width, int Height, bool Monochrome = false)
      : Dc(CreateCompatibleDC(nullptr)),
        Bitmap(Monochrome ? CreateBitmap(Width, Height, 1, 1, nullptr)
                          : CreateCompatibleBitmap(nullptr, Width, Height)),
        Old(SelectObject(Dc, Bitmap)) {
    Canvas.SetHandle(Dc);
  }
  ~TMemoryDc() {
    SelectObject(Dc, Old);
    DeleteObject(Bitmap);
    DeleteDC(Dc);
  }
  TMemoryDc(const TMemoryDc&) = delete;
  TMemoryDc& operator=(const TMemoryDc&) = delete;

  TColor At(int X, int Y) { return Canvas.GetPixel(X, Y); }
  void Set(int X, int Y, TColor Color) { Canvas.SetPixel(X, Y, Color); }

  HDC Dc;
  HBITMAP Bitmap;
  TCanvas Canvas;

private:
  HGDIOBJ Old;
};

// A colour bitmap filled with one colour, with helpers that read what was drawn on it.
class TPicture {
public:
  TPicture(int Width, int Height, TColor Fill = clWhite) {
    Bitmap.SetSize(Width, Height);
    Paint(Fill);
  }
  TCanvas* Canvas() { return Bitmap.GetCanvas(); }
  HDC Dc() { return Bitmap.GetCanvas()->GetHandle(); }
  int Width() const { return Bitmap.GetWidth(); }
  int Height() const { return Bitmap.GetHeight(); }
  TColor At(int X, int Y) { return Canvas()->GetPixel(X, Y); }

  // Fills every pixel with Color, pixel by pixel (independent of the brush).
  void Paint(TColor Color) {
    for (int Y = 0; Y < Height(); ++Y)
      for (int X = 0; X < Width(); ++X)
        Canvas()->SetPixel(X, Y, Color);
  }

  // All pixels, row by row.
  std::vector<TColor> Pixels() {
    std::vector<TColor> Result;
    for (int Y = 0; Y < Height(); ++Y)
      for (int X = 0; X < Width(); ++X)
        Result.push_back(At(X, Y));
    return Result;
  }

  // How many pixels have Color.
  int Count(TColor Color) {
    int Result = 0;
    for (TColor Pixel : Pixels())
      Result += Pixel == Color ? 1 : 0;
    return Result;
  }

  // The smallest rectangle holding every pixel that is not Background (empty when none).
  TRect InkBox(TColor Background = clWhite) {
    TRect Box{Width(), Height(), 0, 0};
    for (int Y = 0; Y < Height(); ++Y)
      for (int X = 0; X < Width(); ++X) {
        if (At(X, Y) == Background) continue;
        Box = {std::min(Box.Left, X), std::min(Box.Top, Y), std::max(Box.Right, X + 1),
               std::max(Box.Bottom, Y + 1)};
      }
    return Box.IsEmpty() ? TRect{} : Box;
  }

  // How many columns hold at least one pixel that is not Background.
  int InkColumns(TColor Background = clWhite) {
    int Result = 0;
    for (int X = 0; X < Width(); ++X)
      for (int Y = 0; Y < Height(); ++Y)
        if (At(X, Y) != Background) {
          ++Result;
          break;
        }
    return Result;
  }

  TBitmap Bitmap;
};

} // namespace guitest
