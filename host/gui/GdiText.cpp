// DrawText: fonts of a context, line layout (prefixes, tabs, word breaks, ellipsis) and drawing.
#include "host/gui/Backend.h"
#include "host/gui/RecentCache.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QStaticText>

#include <algorithm>
#include <cmath>
#include <list>
#include <optional>
#include <string_view>
#include <vector>

QFont MakeQFont(const TDcFont& Font, double Scale) {
  EnsureGuiApplication();
  QFont Result(QString::fromStdString(Font.Name));
  // At a higher scale the glyphs are made at the device size, never enlarged afterwards.
  Result.setPixelSize(std::max(1, static_cast<int>(std::lround(Font.PixelSize * Scale))));
  Result.setBold(Font.Bold);
  Result.setItalic(Font.Italic);
  Result.setUnderline(Font.Underline);
  Result.setStrikeOut(Font.StrikeOut);
  Result.setStyleStrategy(QFont::NoAntialias); // glyph pixels are exactly the text colour
  return Result;
}

namespace {
struct TCachedFont {
  TDcFont Face;
  double Scale;
  TFontEntry Entry;
};
// Fonts used recently, the latest first. Entries keep their addresses, so a reference answered
// stays good until the entry is dropped, which needs CacheSize other fonts in between.
constexpr std::size_t CacheSize = 32;
std::list<TCachedFont>& FontCache() {
  static auto* Cache = new std::list<TCachedFont>; // never destroyed: fonts outlive exit order
  return *Cache;
}
} // namespace

const TFontEntry& CachedFont(const TDcFont& Font, double Scale) {
  auto& Cache = FontCache();
  for (auto It = Cache.begin(); It != Cache.end(); ++It)
    if (It->Scale == Scale && It->Face.SameFace(Font)) {
      if (It != Cache.begin()) Cache.splice(Cache.begin(), Cache, It);
      return Cache.front().Entry;
    }
  static std::uint64_t LastId = 0;
  QFont Made = MakeQFont(Font, Scale);
  Cache.push_front({Font, Scale, {Made, QFontMetrics(Made), ++LastId}});
  if (Cache.size() > CacheSize) Cache.pop_back();
  return Cache.front().Entry;
}

const TFontEntry& FontOfDC(HDC Dc) {
  return CachedFont(Dc->Font, Dc->Scale);
}

namespace {
// A text's advance with one font, measured once: DT_CALCRECT measures the same texts again and
// again (a control sizing itself or its columns by them).
using TAdvanceKey = std::pair<std::uint64_t, QString>; // font entry id, text
struct TAdvanceHash {
  std::size_t operator()(const TAdvanceKey& Key) const { return qHash(Key.second, Key.first); }
};
constexpr std::size_t AdvanceGeneration = 8192; // about ten full screens of cells

int Advance(const TFontEntry& Font, const QString& Text) {
  static auto* Advances = new TRecentCache<TAdvanceKey, int, TAdvanceHash>(AdvanceGeneration);
  TAdvanceKey Key{Font.Id, Text};
  if (const int* Known = Advances->Find(Key)) return *Known;
  return Advances->Add(std::move(Key), Font.Metrics.horizontalAdvance(Text));
}
} // namespace

// The painter a context keeps open, with what it was last set up with.
struct TTextPainter {
  QPainter Painter;
  std::uint64_t FontId = 0;
  QRgb Pen = 0;
  bool HasPen = false;
  bool HasClip = false;
  std::uint64_t ClipSerial = 0;
  QRect ClipLimit;
};

TDeviceContext::TDeviceContext() = default;
TDeviceContext::~TDeviceContext() {
  ReleasePainter(this);
}

namespace {
// The contexts that keep a painter open. A paint device takes one painter at a time, so a
// painter on the same pixels ends before another begins.
std::vector<HDC>& KeptPainters() {
  static auto* Contexts = new std::vector<HDC>;
  return *Contexts;
}
} // namespace

void ReleasePainter(HDC Dc) {
  if (!Dc || !Dc->Painter) return;
  Dc->Painter.reset();
  std::erase(KeptPainters(), Dc);
}

void ReleasePaintersOn(const QImage* Target) {
  const std::vector<HDC> Contexts = KeptPainters();
  for (HDC Dc : Contexts)
    if (Dc->Target == Target) ReleasePainter(Dc);
}

namespace {
TTextPainter& StartPainter(HDC Dc) {
  if (Dc->Painter) return *Dc->Painter;
  ReleasePaintersOn(Dc->Target);
  Dc->Painter = std::make_unique<TTextPainter>();
  Dc->Painter->Painter.begin(Dc->Target);
  Dc->Painter->Painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
  KeptPainters().push_back(Dc);
  return *Dc->Painter;
}

// Text is clipped to Limit and the context's clip. Where Limit meets one rectangle of the clip
// (a cell inside a region of several), the clip is set as a rectangle, which Qt handles much
// faster than a region.
void SetTextClip(QPainter& Painter, HDC Dc, const QRect& Limit) {
  if (!Dc->HasClip) return Painter.setClipRect(Limit);
  QRect Met;
  int Count = 0;
  for (const QRect& ClipPart : Dc->Clip) {
    const QRect Part = ClipPart & Limit;
    if (Part.isEmpty()) continue;
    Met = Part;
    if (++Count > 1) return Painter.setClipRegion(Dc->Clip.intersected(Limit));
  }
  Painter.setClipRect(Met);
}

// One line to draw; Underline is the index of the character a '&' prefix marks, or -1;
// Advance its width once measured, or -1.
struct TLine {
  QString Text;
  int Underline = -1;
  int Advance = -1;
};

// The first Count bytes of Text (all with a negative Count), not cutting a character in two.
std::string_view CutText(const std::string& Text, int Count) {
  std::size_t Length =
      Count < 0 ? Text.size() : std::min<std::size_t>(Text.size(), static_cast<std::size_t>(Count));
  while (Length > 0 && Length < Text.size() &&
         (static_cast<unsigned char>(Text[Length]) & 0xC0) == 0x80)
    --Length;
  return {Text.data(), Length};
}

QString Decode(std::string_view Bytes) {
  return QString::fromUtf8(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
}

// Paragraphs separated by line breaks; on a single line the breaks are dropped.
QStringList Paragraphs(QString Text, bool SingleLine) {
  if (SingleLine) return {Text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'))};
  Text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
      .replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return Text.split(QLatin1Char('\n'));
}

// "&&" becomes '&'; any other '&' is dropped and marks the next character for underlining.
TLine StripPrefixes(const QString& Text) {
  TLine Line;
  for (qsizetype I = 0; I < Text.size(); ++I) {
    if (Text[I] == QLatin1Char('&') && I + 1 < Text.size()) {
      ++I;
      if (Text[I] != QLatin1Char('&')) Line.Underline = static_cast<int>(Line.Text.size());
    } else if (Text[I] == QLatin1Char('&')) {
      continue; // a trailing '&' marks nothing
    }
    Line.Text += Text[I];
  }
  return Line;
}

// Tabs become spaces up to the next tab stop; stops are eight average character widths apart.
TLine ExpandTabs(const TLine& In, const QFontMetrics& Metrics) {
  if (!In.Text.contains(QLatin1Char('\t'))) return In;
  const int Stop = std::max(1, 8 * Metrics.averageCharWidth());
  const int Space = std::max(1, Metrics.horizontalAdvance(QLatin1Char(' ')));
  TLine Out;
  for (qsizetype I = 0; I < In.Text.size(); ++I) {
    if (I == In.Underline) Out.Underline = static_cast<int>(Out.Text.size());
    if (In.Text[I] != QLatin1Char('\t')) {
      Out.Text += In.Text[I];
      continue;
    }
    const int Target = (Metrics.horizontalAdvance(Out.Text) / Stop + 1) * Stop;
    do
      Out.Text += QLatin1Char(' ');
    while (Metrics.horizontalAdvance(Out.Text) + Space <= Target);
  }
  return Out;
}

// The part of Line from Start to End (trailing spaces removed), keeping its underline mark.
TLine Slice(const TLine& Line, qsizetype Start, qsizetype End) {
  while (End > Start && Line.Text[End - 1] == QLatin1Char(' '))
    --End;
  const bool Marked = Line.Underline >= Start && Line.Underline < End;
  return {Line.Text.mid(Start, End - Start),
          Marked ? static_cast<int>(Line.Underline - Start) : -1};
}

// Whether a word ends at Index of Text (a space after a non-space, or the end of the text).
bool WordEndsAt(const QString& Text, qsizetype Start, qsizetype Index) {
  if (Index == Text.size()) return true;
  return Index > Start && Text[Index] == QLatin1Char(' ') && Text[Index - 1] != QLatin1Char(' ');
}

// The end of the longest run of whole words from Start that fits Width; at least one word.
qsizetype LineEnd(const QString& Text, qsizetype Start, const QFontMetrics& Metrics, int Width) {
  qsizetype Fit = -1;
  for (qsizetype Index = Start; Index <= Text.size(); ++Index) {
    if (!WordEndsAt(Text, Start, Index)) continue;
    if (Fit >= 0 && Metrics.horizontalAdvance(Text.mid(Start, Index - Start)) > Width) return Fit;
    Fit = Index;
  }
  return Fit;
}

// Breaks a paragraph between words so that each line fits Width (a longer word keeps a line of
// its own); the spaces at a break are dropped.
std::vector<TLine> WrapWords(const TLine& Paragraph, const QFontMetrics& Metrics, int Width) {
  std::vector<TLine> Lines;
  qsizetype Start = 0;
  do {
    const qsizetype End = LineEnd(Paragraph.Text, Start, Metrics, Width);
    Lines.push_back(Slice(Paragraph, Start, End));
    Start = End;
    while (Start < Paragraph.Text.size() && Paragraph.Text[Start] == QLatin1Char(' '))
      ++Start;
  } while (Start < Paragraph.Text.size());
  return Lines;
}

// Whether a line is placed by its width: centred or right-aligned.
bool PlacedByWidth(unsigned Format) {
  return Format & (DT_CENTER | DT_RIGHT);
}

// A line too wide for Width ends in "…" instead. Eliding answers a line that fits unchanged, so
// a line placed from the left is shaped once to find out; one placed by its width is measured
// first, as it needs its width anyway. Measured directly: the laid-out text is kept whole.
void Elide(TLine& Line, const TFontEntry& Font, int Width, bool MeasureFirst) {
  if (MeasureFirst) {
    Line.Advance = Font.Metrics.horizontalAdvance(Line.Text);
    if (Line.Advance <= Width) return;
  }
  QString Elided = Font.Metrics.elidedText(Line.Text, Qt::ElideRight, std::max(0, Width));
  if (Elided == Line.Text) return;
  Line.Text = std::move(Elided);
  Line.Advance = -1;
  if (Line.Underline >= Line.Text.size() - 1) Line.Underline = -1;
}

std::vector<TLine> Layout(const QString& Text, unsigned Format, const TFontEntry& Font, int Width) {
  const QFontMetrics& Metrics = Font.Metrics;
  std::vector<TLine> Lines;
  const bool SingleLine = Format & DT_SINGLELINE;
  for (const QString& Raw : Paragraphs(Text, SingleLine)) {
    TLine Paragraph = Format & DT_NOPREFIX ? TLine{Raw} : StripPrefixes(Raw);
    if (Format & DT_EXPANDTABS) Paragraph = ExpandTabs(Paragraph, Metrics);
    if (!SingleLine && (Format & DT_WORDBREAK)) {
      for (TLine& Line : WrapWords(Paragraph, Metrics, Width))
        Lines.push_back(std::move(Line));
    } else {
      Lines.push_back(std::move(Paragraph));
    }
  }
  if ((Format & DT_END_ELLIPSIS) && !(Format & DT_CALCRECT))
    for (TLine& Line : Lines)
      Elide(Line, Font, Width, PlacedByWidth(Format));
  return Lines;
}

// The device y of the first line's top; vertical alignment applies to single lines only.
int FirstLineTop(const QRect& Box, unsigned Format, int TextHeight) {
  if (!(Format & DT_SINGLELINE)) return Box.top();
  if (Format & DT_VCENTER) return Box.top() + (Box.height() - TextHeight) / 2;
  if (Format & DT_BOTTOM) return Box.top() + Box.height() - TextHeight;
  return Box.top();
}

// The painter that draws Dc's text, set up for this call: a context that keeps its painter
// (one paint's) sets it up once and changes only what differs from the last call.
QPainter& TextPainter(HDC Dc, const TFontEntry& Font, const QRect& Box, unsigned Format) {
  TTextPainter& P = StartPainter(Dc);
  if (P.FontId != Font.Id) {
    P.Painter.setFont(Font.Font);
    P.FontId = Font.Id;
  }
  const QRgb Pen = PixelOnDC(Dc, Dc->TextColor);
  if (!P.HasPen || P.Pen != Pen) {
    P.Painter.setPen(QColor(Pen));
    P.Pen = Pen;
    P.HasPen = true;
  }
  const QRect Limit = Format & DT_NOCLIP ? Dc->Target->rect() : Box;
  if (!P.HasClip || P.ClipSerial != Dc->ClipSerial || P.ClipLimit != Limit) {
    SetTextClip(P.Painter, Dc, Limit);
    P.ClipSerial = Dc->ClipSerial;
    P.ClipLimit = Limit;
    P.HasClip = true;
  }
  return P.Painter;
}

// ---------------------------------------------------------------- laid-out texts

// A line as it is drawn: its advance, measured only when something needs it (a line placed
// from the left without a background needs none), and from its second drawing on its glyphs. A
// text seen for the first time is drawn directly (shaping it once more costs less than laying
// out glyphs to keep); one drawn again is drawn from glyphs laid out once.
struct TLaidOutLine {
  TLine Line;
  bool Drawn = false;
  std::optional<QStaticText> Glyphs;

  int Advance(const TFontEntry& Font) {
    if (Line.Advance < 0) Line.Advance = Font.Metrics.horizontalAdvance(Line.Text);
    return Line.Advance;
  }
};
// The device x of a line's left edge: only a centred or right-aligned line is measured for it.
int LineLeft(const QRect& Box, unsigned Format, TLaidOutLine& Line, const TFontEntry& Font) {
  if (Format & DT_CENTER) return Box.left() + (Box.width() - Line.Advance(Font)) / 2;
  if (Format & DT_RIGHT) return Box.left() + Box.width() - Line.Advance(Font);
  return Box.left();
}

// A text laid out in a box: a paint draws the same few hundred texts in the same boxes as the
// last one, so laying them out (and measuring and eliding them) again each time would be most
// of its cost.
struct TLaidOutText {
  std::vector<TLaidOutLine> Lines;
  int Height = 0; // device pixels
};

// What decides a layout: the font, the flags, the box's width and the text's bytes.
template <typename TText> struct TLayoutKeyOf {
  std::uint64_t FontId;
  unsigned Format;
  int Width;
  TText Text;
};
using TLayoutKey = TLayoutKeyOf<std::string>;        // as kept
using TLayoutProbe = TLayoutKeyOf<std::string_view>; // as looked for, copying nothing

struct TLayoutHash {
  using is_transparent = void;
  template <typename TText> std::size_t operator()(const TLayoutKeyOf<TText>& Key) const {
    std::size_t H = std::hash<std::string_view>()(Key.Text);
    for (const std::uint64_t Part : {Key.FontId, std::uint64_t{Key.Format},
                                     static_cast<std::uint64_t>(static_cast<unsigned>(Key.Width))})
      H = (H ^ Part) * 0x9E3779B97F4A7C15ULL;
    return H;
  }
};
struct TLayoutEqual {
  using is_transparent = void;
  template <typename A, typename B>
  bool operator()(const TLayoutKeyOf<A>& L, const TLayoutKeyOf<B>& R) const {
    return L.FontId == R.FontId && L.Format == R.Format && L.Width == R.Width &&
           std::string_view(L.Text) == std::string_view(R.Text);
  }
};
constexpr std::size_t LaidOutGeneration = 8192; // about ten full screens of cells

TLaidOutText& LaidOut(const TFontEntry& Font, std::string_view Bytes, unsigned Format, int Width) {
  static auto* Cache =
      new TRecentCache<TLayoutKey, TLaidOutText, TLayoutHash, TLayoutEqual>(LaidOutGeneration);
  if (TLaidOutText* Known = Cache->Find(TLayoutProbe{Font.Id, Format, Width, Bytes})) return *Known;
  TLaidOutText Made;
  for (TLine& Line : Layout(Decode(Bytes), Format, Font, Width))
    Made.Lines.push_back({std::move(Line), false, std::nullopt});
  Made.Height = static_cast<int>(Made.Lines.size()) * Font.Metrics.height();
  return Cache->Add(TLayoutKey{Font.Id, Format, Width, std::string(Bytes)}, std::move(Made));
}

void DrawGlyphs(QPainter& Painter, const TFontEntry& Font, TLaidOutLine& Line, int X, int Top) {
  if (!Line.Drawn) {
    Line.Drawn = true;
    return Painter.drawText(QPoint(X, Top + Font.Metrics.ascent()), Line.Line.Text);
  }
  if (!Line.Glyphs) {
    Line.Glyphs.emplace(Line.Line.Text);
    Line.Glyphs->setTextFormat(Qt::PlainText);
    Line.Glyphs->setPerformanceHint(QStaticText::AggressiveCaching);
    Line.Glyphs->prepare(QTransform(), Font.Font);
  }
  Painter.drawStaticText(QPoint(X, Top), *Line.Glyphs);
}

// Draws one line with its top-left corner at (X, Y).
void DrawLine(QPainter& Painter, HDC Dc, const TFontEntry& Font, TLaidOutLine& Laid, int X, int Y) {
  const QFontMetrics& Metrics = Font.Metrics;
  if (Dc->OpaqueBackground)
    Painter.fillRect(QRect(X, Y, Laid.Advance(Font), Metrics.height()),
                     QColor(PixelOnDC(Dc, Dc->BkColor)));
  DrawGlyphs(Painter, Font, Laid, X, Y);
  const TLine& Line = Laid.Line;
  if (Line.Underline < 0) return;
  const int Left = X + Metrics.horizontalAdvance(Line.Text.left(Line.Underline));
  const int MarkWidth = Metrics.horizontalAdvance(Line.Text.at(Line.Underline));
  Painter.fillRect(QRect(Left, Y + Metrics.ascent() + Metrics.underlinePos(), MarkWidth,
                         std::max(1, Metrics.lineWidth())),
                   Painter.pen().color());
}

int MaxWidth(const std::vector<TLine>& Lines, const TFontEntry& Font) {
  int Result = 0;
  for (const TLine& Line : Lines)
    Result = std::max(Result, Advance(Font, Line.Text));
  return Result;
}

// A device length in logical pixels of Dc.
int ToLogical(HDC Dc, int Device) {
  return Dc->Scale == 1 ? Device : static_cast<int>(std::lround(Device / Dc->Scale));
}

// DT_CALCRECT: the size of the laid-out text in logical pixels, measured with the logical font
// so that layout does not depend on the screen's density.
int MeasureText(HDC Dc, const QString& Text, unsigned Format, const QRect& Box, TRect& Rect) {
  const TFontEntry& Font = CachedFont(Dc->Font);
  const QFontMetrics& Metrics = Font.Metrics;
  const std::vector<TLine> Lines = Layout(Text, Format, Font, ToLogical(Dc, Box.width()));
  const int Height = static_cast<int>(Lines.size()) * Metrics.height();
  Rect.Right = Rect.Left + MaxWidth(Lines, Font);
  Rect.Bottom = Rect.Top + Height;
  return Height;
}

// Whether nothing of the text can show: its box (unless unclipped) misses what may be drawn.
bool ClippedAway(HDC Dc, const QRect& Box, unsigned Format) {
  if (Format & DT_NOCLIP) return false;
  return !Box.intersects(DrawableBounds(Dc));
}
} // namespace

// With DT_CALCRECT, Rect gets the size of the laid-out text (its right and bottom move) and
// nothing is drawn. Empty text draws nothing and answers 0 (an empty rectangle with DT_CALCRECT).
int DrawText(HDC Dc, const std::string& Text, int Count, TRect* Rect, unsigned Format) {
  if (!Dc || !Rect) return 0;
  const std::string_view Bytes = CutText(Text, Count);
  if (Bytes.empty()) {
    if (Format & DT_CALCRECT) *Rect = {Rect->Left, Rect->Top, Rect->Left, Rect->Top};
    return 0;
  }
  const QRect Box = LogicalRectToDevice(Dc, *Rect);
  if (Format & DT_CALCRECT) return MeasureText(Dc, Decode(Bytes), Format, Box, *Rect);
  const TFontEntry& Font = FontOfDC(Dc);
  TLaidOutText& Laid = LaidOut(Font, Bytes, Format, Box.width());
  const int Top = FirstLineTop(Box, Format, Laid.Height);
  if (Dc->Target && !Dc->Target->isNull() && !ClippedAway(Dc, Box, Format)) {
    QPainter& Painter = TextPainter(Dc, Font, Box, Format);
    const int LineHeight = Font.Metrics.height();
    for (std::size_t I = 0; I < Laid.Lines.size(); ++I) {
      TLaidOutLine& Line = Laid.Lines[I];
      const int Left = LineLeft(Box, Format, Line, Font);
      DrawLine(Painter, Dc, Font, Line, Left, Top + static_cast<int>(I) * LineHeight);
    }
    if (!Dc->KeepsPainter) ReleasePainter(Dc);
  }
  const bool Offset = (Format & DT_SINGLELINE) && (Format & (DT_VCENTER | DT_BOTTOM));
  return ToLogical(Dc, Offset ? Top - Box.top() + Laid.Height : Laid.Height);
}
