// The system calls of the window and graphics layer, with the names, arguments and codes the
// grid was written against. Handles are opaque pointers into this layer.
#pragma once

#include "host/gui/Types.h"

#include <cstdint>
#include <string>

struct TDeviceContext; // a drawing target with its state (colours, mapping, clip)
class TGdiObject;      // a bitmap or a palette
class TWindowHandle;   // a control's window

using HDC = TDeviceContext*;
using HGDIOBJ = TGdiObject*;
using HBITMAP = TGdiObject*;
using HPALETTE = TGdiObject*;
using HWND = TWindowHandle*;

// ---------------------------------------------------------------- raster operations
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t NOTSRCCOPY = 0x00330008;
constexpr std::uint32_t SRCAND = 0x008800C6;
constexpr std::uint32_t SRCPAINT = 0x00EE0086;
constexpr std::uint32_t SRCINVERT = 0x00660046;
constexpr std::uint32_t BLACKNESS = 0x00000042;
constexpr std::uint32_t WHITENESS = 0x00FF0062;

constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;

constexpr int MM_TEXT = 1;
constexpr int MM_ANISOTROPIC = 8;

// Memory device contexts and bitmaps. A new memory context holds a 1 x 1 monochrome bitmap.
HDC CreateCompatibleDC(HDC Dc);
bool DeleteDC(HDC Dc);
HBITMAP CreateBitmap(int Width, int Height, unsigned Planes, unsigned BitsPerPixel,
                     const void* Bits);
HBITMAP CreateCompatibleBitmap(HDC Dc, int Width, int Height);
// Selects a bitmap into a memory context; answers the one it replaces.
HGDIOBJ SelectObject(HDC Dc, HGDIOBJ Object);
bool DeleteObject(HGDIOBJ Object);

// Copies pixels with a raster operation. Colour to monochrome: pixels of the source's
// background colour become white, all others black. Monochrome to colour: white becomes the
// destination's background colour, black its text colour.
bool BitBlt(HDC Dst, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY,
            std::uint32_t Rop);
// The same, stretched (nearest neighbour).
bool StretchBlt(HDC Dst, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY,
                int SrcWidth, int SrcHeight, std::uint32_t Rop);
int SetStretchBltMode(HDC Dc, int Mode);
TColor SetBkColor(HDC Dc, TColor Color);
TColor SetTextColor(HDC Dc, TColor Color);

// Mapping from logical to device coordinates: x' = (x - window origin) * viewport extent /
// window extent. The origin applies in both modes; the extents only in MM_ANISOTROPIC (MM_TEXT
// keeps them at 1:1 and ignores attempts to set them).
int GetMapMode(HDC Dc);
int SetMapMode(HDC Dc, int Mode);
bool SetWindowOrgEx(HDC Dc, int X, int Y, TPoint* Old);
bool SetViewportExtEx(HDC Dc, int X, int Y, TPoint* Old);
bool SetWindowExtEx(HDC Dc, int X, int Y, TPoint* Old);

// Palettes are accepted and have no effect on 32-bit surfaces.
HPALETTE SelectPalette(HDC Dc, HPALETTE Palette, bool ForceBackground);
unsigned RealizePalette(HDC Dc);

// Whether any part of Rect lies in the context's clip region (a window's update region
// while it paints).
bool RectVisible(HDC Dc, const TRect* Rect);

// Narrowing the clip region by a logical rectangle: to its intersection with the rectangle, or
// to what lies outside it. Both answer the kind of region left (NULLREGION, SIMPLEREGION or
// COMPLEXREGION of WinUser.h).
int IntersectClipRect(HDC Dc, int Left, int Top, int Right, int Bottom);
int ExcludeClipRect(HDC Dc, int Left, int Top, int Right, int Bottom);

// ---------------------------------------------------------------- text, edges, focus
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// Draws UTF-8 text (Count bytes of it, -1 for all) in Rect with the context's font, text
// colour and, when the background mode is opaque, background colour. Answers the text height.
int DrawText(HDC Dc, const std::string& Text, int Count, TRect* Rect, unsigned Format);

constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_TOPLEFT = BF_LEFT | BF_TOP;
constexpr unsigned BF_BOTTOMRIGHT = BF_RIGHT | BF_BOTTOM;
constexpr unsigned BF_RECT = BF_TOPLEFT | BF_BOTTOMRIGHT;
constexpr unsigned BF_SOFT = 0x1000;
constexpr unsigned BF_ADJUST = 0x2000;
constexpr unsigned BF_MONO = 0x8000;

// Draws a 3D edge of one-pixel lines on the sides that Flags names; with BF_ADJUST, Rect
// shrinks by what was drawn.
bool DrawEdge(HDC Dc, TRect* Rect, unsigned Edge, unsigned Flags);
// The dotted focus rectangle, drawn by inverting every other pixel of its outline; drawing it
// twice restores the pixels.
bool DrawFocusRect(HDC Dc, const TRect* Rect);

// Rounds Number * Numerator / Denominator to the nearest integer; -1 when Denominator is 0.
int MulDiv(int Number, int Numerator, int Denominator);
