// Fonts, pens, brushes and the canvas that draws with them on a device context.
#include "host/gui/Backend.h"

#include <QFontMetrics>

// ---------------------------------------------------------------- TFont, TPen, TBrush

TFont::TFont() = default;

void TFont::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TFont*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  Name = Other->Name;
  Size = Other->Size;
  Color = Other->Color;
  Style = Other->Style;
  Charset = Other->Charset;
  Changed();
}

void TFont::Changed() {
  if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& Value) {
  if (Value == Name) return;
  Name = Value;
  Changed();
}

void TFont::SetSize(int Value) {
  if (Value == Size) return;
  Size = Value;
  Changed();
}

// The character height in pixels at 96 dpi, negative as the system gives it.
int TFont::GetHeight() const {
  return -MulDiv(Size, 96, 72);
}

// Positive and negative heights are both taken as the character height.
void TFont::SetHeight(int Value) {
  SetSize(MulDiv(Value < 0 ? -Value : Value, 72, 96));
}

void TFont::SetColor(TColor Value) {
  if (Value == Color) return;
  Color = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == Style) return;
  Style = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == Charset) return;
  Charset = Value;
  Changed();
}

void TPen::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TPen*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  Color = Other->Color;
  Style = Other->Style;
  Mode = Other->Mode;
  Width = Other->Width;
}

void TBrush::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TBrush*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  Color = Other->Color;
  Style = Other->Style;
}

// ---------------------------------------------------------------- TCanvas

namespace {
TDcFont FontOf(const TFont& Font) {
  const TFontStyles Style = Font.GetStyle();
  return {Font.GetName(),           -Font.GetHeight(),           Style.Contains(fsBold),
          Style.Contains(fsItalic), Style.Contains(fsUnderline), Style.Contains(fsStrikeOut),
          Font.GetColor()};
}

// Runs one drawing call between the canvas's OnChanging and OnChange events.
template <class F> void Drawing(TCanvas* Canvas, F&& Draw) {
  if (Canvas->OnChanging) Canvas->OnChanging(Canvas);
  Draw();
  if (Canvas->OnChange) Canvas->OnChange(Canvas);
}
} // namespace

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

HDC TCanvas::GetHandle() const {
  Prepare();
  return Handle;
}

void TCanvas::SetHandle(HDC Value) {
  Handle = Value;
}

// As the system does when objects are selected: a new font sets the text colour, a new brush
// the background colour and whether text backgrounds are filled.
void TCanvas::Prepare() const {
  if (!Handle) return;
  const TDcFont NewFont = FontOf(Font);
  if (!(NewFont == Handle->Font)) {
    Handle->Font = NewFont;
    Handle->TextColor = NewFont.Color;
  }
  const TDcBrush NewBrush{Brush.Color, Brush.Style};
  if (!(NewBrush == Handle->Brush)) {
    Handle->Brush = NewBrush;
    Handle->BkColor = NewBrush.Color;
    Handle->OpaqueBackground = NewBrush.Style == bsSolid;
  }
  Handle->Pen = {Pen.Color, Pen.Style, Pen.Mode, Pen.Width};
}

void TCanvas::FillRect(const TRect& Rect) {
  if (!Handle) return;
  Drawing(this, [&] {
    Prepare();
    if (Brush.Style == bsClear) return;
    FillDevice(Handle, LogicalRectToDevice(Handle, Rect), PixelOnDC(Handle, Brush.Color));
  });
}

void TCanvas::FrameRect(const TRect& Rect) {
  if (!Handle) return;
  Drawing(this, [&] {
    Prepare();
    // Emptiness is judged after mapping: a mirrored context is given rectangles with Left and
    // Right exchanged, which map to a proper one. The sides are drawn on the ordered rectangle.
    if (Brush.Style == bsClear || LogicalRectToDevice(Handle, Rect).isEmpty()) return;
    const QRgb Pixel = PixelOnDC(Handle, Brush.Color);
    const TRect R{std::min(Rect.Left, Rect.Right), std::min(Rect.Top, Rect.Bottom),
                  std::max(Rect.Left, Rect.Right), std::max(Rect.Top, Rect.Bottom)};
    const TRect Sides[] = {{R.Left, R.Top, R.Right, R.Top + 1},
                           {R.Left, R.Bottom - 1, R.Right, R.Bottom},
                           {R.Left, R.Top, R.Left + 1, R.Bottom},
                           {R.Right - 1, R.Top, R.Right, R.Bottom}};
    for (const TRect& Side : Sides)
      FillDevice(Handle, LogicalRectToDevice(Handle, Side), Pixel);
  });
}

void TCanvas::MoveTo(int X, int Y) {
  PenPos = {X, Y};
}

void TCanvas::LineTo(int X, int Y) {
  const TPoint From = PenPos;
  PenPos = {X, Y};
  if (!Handle) return;
  Drawing(this, [&] {
    Prepare();
    DrawPenLine(Handle, From, PenPos);
  });
}

void TCanvas::Draw(int X, int Y, TBitmap* Bitmap) {
  if (!Handle || !Bitmap || Bitmap->GetWidth() == 0 || Bitmap->GetHeight() == 0) return;
  Drawing(this, [&] {
    BitBlt(GetHandle(), X, Y, Bitmap->GetWidth(), Bitmap->GetHeight(),
           Bitmap->GetCanvas()->GetHandle(), 0, 0, CopyMode);
  });
}

void TCanvas::StretchDraw(const TRect& Rect, TBitmap* Bitmap) {
  if (!Handle || !Bitmap || Bitmap->GetWidth() == 0 || Bitmap->GetHeight() == 0) return;
  Drawing(this, [&] {
    StretchBlt(GetHandle(), Rect.Left, Rect.Top, Rect.Width(), Rect.Height(),
               Bitmap->GetCanvas()->GetHandle(), 0, 0, Bitmap->GetWidth(), Bitmap->GetHeight(),
               CopyMode);
  });
}

// Draws with the text's top-left corner at (X, Y), unclipped; the pen moves to the text's end.
void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  if (Handle) {
    Drawing(this, [&] {
      TRect Where{X, Y, X, Y};
      DrawText(GetHandle(), Text, -1, &Where, DT_NOCLIP | DT_SINGLELINE | DT_NOPREFIX);
    });
  }
  MoveTo(X + TextWidth(Text), Y);
}

// Measured in logical pixels with the canvas's font, whatever the density of the context.
int TCanvas::TextWidth(const std::string& Text) {
  Prepare();
  return CachedFont(FontOf(Font)).Metrics.horizontalAdvance(QString::fromStdString(Text));
}

int TCanvas::TextHeight(const std::string&) {
  Prepare();
  return CachedFont(FontOf(Font)).Metrics.height();
}

// Answers -1 (an invalid colour) outside the pixels.
TColor TCanvas::GetPixel(int X, int Y) {
  if (!Handle || !Handle->Target) return -1;
  const QPoint P = LogicalToDevice(Handle, X, Y);
  if (!Handle->Target->rect().contains(P)) return -1;
  return ColorOfPixel(Handle->Target->pixel(P));
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
  if (!Handle) return;
  Drawing(this, [&] { // the device pixels of the logical one
    FillDevice(Handle, LogicalRectToDevice(Handle, {X, Y, X + 1, Y + 1}), PixelOnDC(Handle, Color));
  });
}
