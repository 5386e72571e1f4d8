// Mapping of logical to device coordinates, the drawable area and clip region of a context,
// and MulDiv.
#include "host/gui/Backend.h"
#include "host/gui/WinUser.h" // the kinds of region

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {
// Device coordinates stay within this distance of the origin: far outside any surface, and
// small enough that sizes and sums of them, also scaled, never overflow an int.
constexpr long long CoordinateLimit = 1 << 28;

// Halves round away from zero, as MulDiv rounds; Denominator is not zero.
long long DivideRounded(long long Product, long long Denominator) {
  const long long Magnitude =
      (std::llabs(Product) + std::llabs(Denominator) / 2) / std::llabs(Denominator);
  return (Product < 0) != (Denominator < 0) ? -Magnitude : Magnitude;
}

// (Value - Origin) * ViewportExtent / WindowExtent in 64 bits: extents are ints, so the
// product of the difference and an extent cannot overflow.
long long MapAxis(int Value, int Origin, int WindowExtent, int ViewportExtent) {
  const long long Offset = static_cast<long long>(Value) - Origin;
  if (WindowExtent == ViewportExtent) return Offset;
  return DivideRounded(Offset * ViewportExtent, WindowExtent);
}

bool SetExtent(HDC Dc, TPoint& Extent, int X, int Y, TPoint* Old) {
  if (Old) *Old = Extent;
  if (Dc->MapMode == MM_TEXT) return true; // extents are fixed at 1:1 there
  if (X == 0 || Y == 0) return false;
  Extent = {X, Y};
  return true;
}
} // namespace

int GetMapMode(HDC Dc) {
  return Dc->MapMode;
}

// Leaving MM_ANISOTROPIC for MM_TEXT resets the extents to 1:1; the window origin stays.
int SetMapMode(HDC Dc, int Mode) {
  if (Mode != MM_TEXT && Mode != MM_ANISOTROPIC) return 0;
  const int Old = Dc->MapMode;
  Dc->MapMode = Mode;
  if (Mode == MM_TEXT) Dc->WindowExt = Dc->ViewportExt = TPoint{1, 1};
  return Old;
}

bool SetWindowOrgEx(HDC Dc, int X, int Y, TPoint* Old) {
  if (Old) *Old = Dc->WindowOrg;
  Dc->WindowOrg = {X, Y};
  return true;
}

bool SetViewportExtEx(HDC Dc, int X, int Y, TPoint* Old) {
  return SetExtent(Dc, Dc->ViewportExt, X, Y, Old);
}

bool SetWindowExtEx(HDC Dc, int X, int Y, TPoint* Old) {
  return SetExtent(Dc, Dc->WindowExt, X, Y, Old);
}

int ClampCoordinate(long long Value) {
  return static_cast<int>(std::clamp(Value, -CoordinateLimit, CoordinateLimit));
}

int Snap(long long Logical, double Scale) {
  if (Scale == 1) return ClampCoordinate(Logical);
  const double Device = std::round(static_cast<double>(Logical) * Scale);
  return ClampCoordinate(static_cast<long long>(
      std::clamp(Device, -static_cast<double>(CoordinateLimit), double(CoordinateLimit))));
}

// A logical point at the context's scale snaps to a whole device pixel, so that the edges of
// everything drawn are sharp and shapes that meet at a logical edge still meet.
QPoint LogicalToDevice(HDC Dc, int X, int Y) {
  return {Snap(MapAxis(X, Dc->WindowOrg.X, Dc->WindowExt.X, Dc->ViewportExt.X), Dc->Scale),
          Snap(MapAxis(Y, Dc->WindowOrg.Y, Dc->WindowExt.Y, Dc->ViewportExt.Y), Dc->Scale)};
}

QRegion ScaledRegion(const QRegion& Logical, double Scale) {
  if (Scale == 1) return Logical;
  QRegion Result;
  for (const QRect& R : Logical) {
    const int Left = Snap(R.left(), Scale), Top = Snap(R.top(), Scale);
    Result += QRect(Left, Top, Snap(R.left() + static_cast<long long>(R.width()), Scale) - Left,
                    Snap(R.top() + static_cast<long long>(R.height()), Scale) - Top);
  }
  return Result;
}

QRect LogicalRectToDevice(HDC Dc, const TRect& Rect) {
  const QPoint A = LogicalToDevice(Dc, Rect.Left, Rect.Top);
  const QPoint B = LogicalToDevice(Dc, Rect.Right, Rect.Bottom);
  const int Left = std::min(A.x(), B.x()), Right = std::max(A.x(), B.x());
  const int Top = std::min(A.y(), B.y()), Bottom = std::max(A.y(), B.y());
  return QRect(Left, Top, Right - Left, Bottom - Top);
}

QRegion DrawableRegion(HDC Dc, const QRect& Device) {
  if (!Dc->Target || Dc->Target->isNull()) return {};
  QRegion Region(Device.intersected(Dc->Target->rect()));
  return Dc->HasClip ? Region.intersected(Dc->Clip) : Region;
}

QRect DrawableBounds(HDC Dc) {
  if (!Dc->Target || Dc->Target->isNull()) return {};
  return Dc->HasClip ? Dc->Clip.boundingRect() & Dc->Target->rect() : Dc->Target->rect();
}

bool PixelDrawable(HDC Dc, int X, int Y) {
  if (!Dc->Target || !Dc->Target->rect().contains(X, Y)) return false;
  return !Dc->HasClip || Dc->Clip.contains(QPoint(X, Y));
}

bool RectVisible(HDC Dc, const TRect* Rect) {
  if (!Dc->Target || Dc->Target->isNull()) return false;
  const QRect Inside = LogicalRectToDevice(Dc, *Rect) & Dc->Target->rect();
  return !Inside.isEmpty() && (!Dc->HasClip || Dc->Clip.intersects(Inside));
}

// Halves round away from zero; a zero divisor or a result out of range answers -1.
int MulDiv(int Number, int Numerator, int Denominator) {
  if (Denominator == 0) return -1;
  const long long Result = DivideRounded(static_cast<long long>(Number) * Numerator, Denominator);
  return Result > INT_MAX || Result < INT_MIN ? -1 : static_cast<int>(Result);
}

namespace {
// The clip region, or the whole target when there is none.
QRegion CurrentClip(HDC Dc) {
  if (Dc->HasClip) return Dc->Clip;
  return Dc->Target ? QRegion(Dc->Target->rect()) : QRegion();
}

int SetClip(HDC Dc, const QRegion& Region) {
  SetDCClip(Dc, &Region);
  if (Region.isEmpty()) return NULLREGION;
  return Region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
} // namespace

int IntersectClipRect(HDC Dc, int Left, int Top, int Right, int Bottom) {
  return SetClip(Dc,
                 CurrentClip(Dc).intersected(LogicalRectToDevice(Dc, {Left, Top, Right, Bottom})));
}

int ExcludeClipRect(HDC Dc, int Left, int Top, int Right, int Bottom) {
  return SetClip(Dc,
                 CurrentClip(Dc).subtracted(LogicalRectToDevice(Dc, {Left, Top, Right, Bottom})));
}
