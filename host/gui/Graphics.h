// Fonts, pens, brushes, canvases, bitmaps and image lists.
#pragma once

#include "host/classes/Components.h"
#include "host/classes/Lists.h"
#include "host/classes/Sets.h"
#include "host/gui/WinApi.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle, std::uint8_t>;
using TFontCharset = std::uint8_t;
constexpr TFontCharset DEFAULT_CHARSET = 1;

// A font description. A missing family falls back through the system's font configuration.
class TFont : public TPersistent {
public:
  TFont();
  const char* ClassName() const override { return "TFont"; }
  void Assign(const TPersistent* Source) override;

  const std::string& GetName() const { return Name; }
  void SetName(const std::string& Value);
  int GetSize() const { return Size; } // points
  void SetSize(int Value);
  int GetHeight() const; // pixels at 96 dpi, negative (character height)
  void SetHeight(int Value);
  TColor GetColor() const { return Color; }
  void SetColor(TColor Value);
  TFontStyles GetStyle() const { return Style; }
  void SetStyle(TFontStyles Value);
  TFontCharset GetCharset() const { return Charset; }
  void SetCharset(TFontCharset Value);

  TNotifyEvent OnChange;

private:
  void Changed();
  std::string Name = "MS Sans Serif";
  int Size = 8;
  TColor Color = clWindowText;
  TFontStyles Style;
  TFontCharset Charset = DEFAULT_CHARSET;
};

enum TPenStyle : std::uint8_t {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame
};
enum TPenMode : std::uint8_t { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmXor };

class TPen : public TPersistent {
public:
  const char* ClassName() const override { return "TPen"; }
  void Assign(const TPersistent* Source) override;
  TColor Color = clBlack;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
  int Width = 1;
};

enum TBrushStyle : std::uint8_t { bsSolid, bsClear };

class TBrush : public TPersistent {
public:
  const char* ClassName() const override { return "TBrush"; }
  void Assign(const TPersistent* Source) override;
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

class TBitmap;

// Draws on a device context: a window's surface while it paints, or a bitmap. Coordinates are
// logical (the context's mapping applies); rectangles exclude their right and bottom edges.
class TCanvas : public TPersistent {
public:
  TCanvas();
  ~TCanvas() override;
  const char* ClassName() const override { return "TCanvas"; }

  // The context to draw on, with the canvas's font, pen and brush handed to it (so that
  // system calls on the handle use them); nullptr when there is none.
  HDC GetHandle() const;
  void SetHandle(HDC Value); // the context to draw on; not owned

  TFont* GetFont() { return &Font; }
  TPen* GetPen() { return &Pen; }
  TBrush* GetBrush() { return &Brush; }
  std::uint32_t CopyMode = SRCCOPY;

  void FillRect(const TRect& Rect);  // with the brush
  void FrameRect(const TRect& Rect); // a one-pixel outline with the brush colour
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y); // with the pen; the end point is not drawn
  void Draw(int X, int Y, TBitmap* Bitmap);
  void StretchDraw(const TRect& Rect, TBitmap* Bitmap);
  void TextOut(int X, int Y, const std::string& Text);
  int TextWidth(const std::string& Text);
  int TextHeight(const std::string& Text);
  TColor GetPixel(int X, int Y);
  void SetPixel(int X, int Y, TColor Color);

  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;

private:
  // Hands the canvas's font, pen and brush to the context before a drawing call. Only what
  // changed since the last hand-over is passed on, so colours set on the handle directly stay
  // until the canvas's own font or brush changes.
  void Prepare() const;
  HDC Handle = nullptr;
  TFont Font;
  TPen Pen;
  TBrush Brush;
  TPoint PenPos;
};

// A raster image of 32-bit pixels, or a monochrome one (black and white only).
class TBitmap : public TPersistent {
public:
  TBitmap();
  ~TBitmap() override;
  const char* ClassName() const override { return "TBitmap"; }
  void Assign(const TPersistent* Source) override;

  int GetWidth() const;
  int GetHeight() const;
  void SetWidth(int Value);
  void SetHeight(int Value);
  void SetSize(int AWidth, int AHeight);
  bool GetMonochrome() const;
  void SetMonochrome(bool Value);
  HPALETTE GetPalette() const { return nullptr; }
  // The colour treated as transparent: TransparentColor when set, else the bottom-left
  // pixel with bit 0x02000000 set.
  TColor GetTransparentColor() const;
  void SetTransparentColor(TColor Value) { TransparentColor = Value; }
  TCanvas* GetCanvas(); // draws on the bitmap; the bitmap keeps its context
  HBITMAP GetHandle() const { return Handle; }

  // PNG files, for looking at what was drawn.
  bool SaveToPngFile(const std::string& FileName) const;
  bool LoadFromPngFile(const std::string& FileName);
  // The same as the bytes of a PNG file ("" when the bitmap is empty).
  std::string SaveToPngBytes() const;
  bool LoadFromPngBytes(const std::string& Bytes);

private:
  HBITMAP Handle = nullptr;
  HDC Dc = nullptr;
  std::unique_ptr<TCanvas> Canvas;
  TColor TransparentColor = clDefault;
  // The size asked for, in pixels. Each is kept while the other is 0 (the picture is then
  // empty), so sizing by width first and height after gives a picture of both.
  int Width = 0;
  int Height = 0;
};

class TCustomImageList;
class TStream;

// Registration of one listener with an image list.
class TChangeLink : public TObject {
public:
  ~TChangeLink() override;
  const char* ClassName() const override { return "TChangeLink"; }
  TCustomImageList* Sender = nullptr;
  TNotifyEvent OnChange;
  void Change();
};

// Images of one size, kept as bitmaps.
class TCustomImageList : public TComponent {
public:
  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;
  const char* ClassName() const override { return "TCustomImageList"; }

  int GetWidth() const { return Width; }
  int GetHeight() const { return Height; }
  void SetSize(int AWidth, int AHeight);
  int GetCount() const { return static_cast<int>(Images.size()); }
  // Adds a copy of Image; answers its index.
  int Add(const TBitmap* Image);
  void Clear();
  // Copies image Index into Image (sizing it); false for a bad index.
  bool GetBitmap(int Index, TBitmap* Image) const;

  void RegisterChanges(TChangeLink* Link);
  void UnRegisterChanges(TChangeLink* Link);

  // Whether the images are drawn through a mask (stored with the list).
  bool GetMasked() const { return Masked; }
  void SetMasked(bool Value) { Masked = Value; }
  void SetWidth(int Value) { SetSize(Value, Height); }
  void SetHeight(int Value) { SetSize(Width, Value); }

  // The images are stored as one PNG strip, left to right, under the name "Bitmap".
  void DefineProperties(TFiler& Filer) override;

private:
  void Changed();
  void ReadStrip(TStream& Stream);
  void WriteStrip(TStream& Stream);
  bool Masked = true;
  int Width = 16;
  int Height = 16;
  std::vector<std::unique_ptr<TBitmap>> Images;
  std::vector<TChangeLink*> Links;
};

class TImageList : public TCustomImageList {
public:
  using TCustomImageList::TCustomImageList;
  const char* ClassName() const override { return "TImageList"; }
};
