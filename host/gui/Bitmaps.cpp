// TBitmap: a bitmap object kept selected into a memory context of its own, and its canvas.
#include "host/gui/Backend.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <cstring>

namespace {
TGdiBitmap& Bits(HBITMAP Handle) {
  return *static_cast<TGdiBitmap*>(Handle);
}

// Puts a new bitmap holding Image into Dc in place of Current, which is deleted.
void Install(HDC Dc, HBITMAP& Current, QImage Image, bool Monochrome) {
  auto* Bitmap = new TGdiBitmap;
  Bitmap->Image = std::move(Image);
  Bitmap->Monochrome = Monochrome;
  SelectObject(Dc, Bitmap);
  if (Current) DeleteObject(Current);
  Current = Bitmap;
}

// Old's pixels in the top-left corner of a Width x Height image; new pixels are white.
QImage Resized(const QImage& Old, int Width, int Height) {
  if (Width <= 0 || Height <= 0) return {};
  QImage Result(Width, Height, QImage::Format_RGB32);
  Result.fill(qRgb(255, 255, 255));
  const int Columns = std::min(Width, Old.width()), Rows = std::min(Height, Old.height());
  for (int Y = 0; Y < Rows; ++Y)
    std::memcpy(Result.scanLine(Y), Old.constScanLine(Y),
                static_cast<std::size_t>(Columns) * sizeof(QRgb));
  return Result;
}

// White stays white, every other colour becomes black: the rule of a copy from colour to
// monochrome with a white background colour.
QImage ToMonochrome(QImage Image) {
  for (int Y = 0; Y < Image.height(); ++Y) {
    auto* Line = reinterpret_cast<QRgb*>(Image.scanLine(Y));
    for (int X = 0; X < Image.width(); ++X)
      Line[X] = (Line[X] & 0x00FFFFFF) == 0x00FFFFFF ? 0xFFFFFFFF : 0xFF000000;
  }
  return Image;
}
} // namespace

TBitmap::TBitmap() : Dc(CreateCompatibleDC(nullptr)), Canvas(std::make_unique<TCanvas>()) {
  Install(Dc, Handle, QImage(), false);
  Canvas->SetHandle(Dc);
}

// The context lets go of the bitmap, which is then deleted.
TBitmap::~TBitmap() {
  DeleteDC(Dc);
  DeleteObject(Handle);
}

// A null Source empties the bitmap.
void TBitmap::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TBitmap*>(Source);
  if (!Source) return SetSize(0, 0);
  if (!Other) return TPersistent::Assign(Source);
  if (Other == this) return;
  Install(Dc, Handle, Bits(Other->Handle).Image, Other->GetMonochrome());
  TransparentColor = Other->TransparentColor;
  Width = Other->Width;
  Height = Other->Height;
}

int TBitmap::GetWidth() const {
  return Width;
}
int TBitmap::GetHeight() const {
  return Height;
}
void TBitmap::SetWidth(int Value) {
  SetSize(Value, GetHeight());
}
void TBitmap::SetHeight(int Value) {
  SetSize(GetWidth(), Value);
}

// The old picture stays in the top-left corner; a width or height of 0 empties the picture,
// but the other dimension is kept.
void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(0, AWidth);
  AHeight = std::max(0, AHeight);
  if (AWidth == Width && AHeight == Height) return;
  Install(Dc, Handle, Resized(Bits(Handle).Image, AWidth, AHeight), GetMonochrome());
  Width = AWidth;
  Height = AHeight;
}

bool TBitmap::GetMonochrome() const {
  return Bits(Handle).Monochrome;
}

// Going monochrome keeps white pixels white and turns all others black.
void TBitmap::SetMonochrome(bool Value) {
  if (Value == GetMonochrome()) return;
  const QImage& Image = Bits(Handle).Image;
  Install(Dc, Handle, Value ? ToMonochrome(Image) : Image, Value);
}

// An empty bitmap, having no pixel to ask, answers clDefault.
TColor TBitmap::GetTransparentColor() const {
  if (TransparentColor != clDefault) return TransparentColor;
  const QImage& Image = Bits(Handle).Image;
  if (Image.isNull()) return clDefault;
  return ColorOfPixel(Image.pixel(0, Image.height() - 1)) | 0x02000000;
}

TCanvas* TBitmap::GetCanvas() {
  return Canvas.get();
}

bool TBitmap::SaveToPngFile(const std::string& FileName) const {
  const QImage& Image = Bits(Handle).Image;
  return !Image.isNull() && Image.save(QString::fromStdString(FileName), "PNG");
}

std::string TBitmap::SaveToPngBytes() const {
  const QImage& Image = Bits(Handle).Image;
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::WriteOnly);
  if (Image.isNull() || !Image.save(&Buffer, "PNG")) return {};
  return Bytes.toStdString();
}

bool TBitmap::LoadFromPngFile(const std::string& FileName) {
  QFile File(QString::fromStdString(FileName));
  if (!File.open(QIODevice::ReadOnly)) return false;
  return LoadFromPngBytes(File.readAll().toStdString());
}

// The picture loads as a colour bitmap; alpha is dropped.
bool TBitmap::LoadFromPngBytes(const std::string& Bytes) {
  QImage Image;
  if (!Image.loadFromData(reinterpret_cast<const uchar*>(Bytes.data()),
                          static_cast<int>(Bytes.size()), "PNG"))
    return false;
  Image = Image.convertToFormat(QImage::Format_RGB32);
  Image.setDevicePixelRatio(1);
  Width = Image.width();
  Height = Image.height();
  Install(Dc, Handle, std::move(Image), false);
  return true;
}
