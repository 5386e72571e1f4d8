// DrawText and the canvas's text calls: alignment, ellipsis, word breaks, prefixes, tabs,
// clipping, background, fonts (with their fallback) and Cyrillic.
#include "GraphicsTestSupport.h"

#include <algorithm>

namespace {
using guitest::TPicture;

class TextTest : public ::testing::Test {
protected:
  TPicture Picture{200, 40};
  TCanvas* C = Picture.Canvas();
  const TRect Box = Rect(10, 5, 190, 35);

  void SetUp() override {
    C->GetFont()->SetName("Tahoma");
    C->GetFont()->SetSize(10);
    C->GetBrush()->Style = bsClear;
  }
  int Draw(const std::string& Text, TRect R, unsigned Format, int Count = -1) {
    return DrawText(C->GetHandle(), Text, Count, &R, Format);
  }
  // The pixels of Text drawn alone in Box with Format.
  std::vector<TColor> Drawn(const std::string& Text, unsigned Format, int Count = -1) {
    Picture.Paint(clWhite);
    Draw(Text, Box, Format, Count);
    return Picture.Pixels();
  }
  static TRect Shifted(TRect R, int Dx, int Dy) {
    return Rect(R.Left + Dx, R.Top + Dy, R.Right + Dx, R.Bottom + Dy);
  }
};

TEST_F(TextTest, HorizontalAlignmentPlacesTheLineInTheRectangle) {
  const int Width = C->TextWidth("Hello");
  Draw("Hello", Box, DT_LEFT | DT_SINGLELINE);
  const TRect Left = Picture.InkBox();
  ASSERT_FALSE(Left.IsEmpty());
  EXPECT_GE(Left.Left, Box.Left);
  EXPECT_LE(Left.Left, Box.Left + 2);

  Picture.Paint(clWhite);
  Draw("Hello", Box, DT_CENTER | DT_SINGLELINE);
  EXPECT_EQ(Picture.InkBox(), Shifted(Left, (Box.Width() - Width) / 2, 0));

  Picture.Paint(clWhite);
  Draw("Hello", Box, DT_RIGHT | DT_SINGLELINE);
  EXPECT_EQ(Picture.InkBox(), Shifted(Left, Box.Width() - Width, 0));
  EXPECT_LE(Picture.InkBox().Right, Box.Right);
}

TEST_F(TextTest, VerticalAlignmentOfASingleLine) {
  const int Height = C->TextHeight("Hello");
  EXPECT_EQ(Draw("Hello", Box, DT_TOP | DT_SINGLELINE), Height);
  const TRect Top = Picture.InkBox();
  EXPECT_GE(Top.Top, Box.Top);

  Picture.Paint(clWhite);
  const int Centre = (Box.Height() - Height) / 2;
  EXPECT_EQ(Draw("Hello", Box, DT_VCENTER | DT_SINGLELINE), Centre + Height);
  EXPECT_EQ(Picture.InkBox(), Shifted(Top, 0, Centre));

  Picture.Paint(clWhite);
  EXPECT_EQ(Draw("Hello", Box, DT_BOTTOM | DT_SINGLELINE), Box.Height());
  EXPECT_EQ(Picture.InkBox(), Shifted(Top, 0, Box.Height() - Height));
  EXPECT_LE(Picture.InkBox().Bottom, Box.Bottom);
}

TEST_F(TextTest, LongSingleLineEndsInAnEllipsisInsideTheRectangle) {
  const std::string Long = "The quick brown fox jumps over the lazy dog";
  const TRect Narrow = Rect(10, 5, 90, 35);
  const unsigned Format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  TPicture Wide(400, 40);
  Wide.Canvas()->GetFont()->Assign(C->GetFont());
  TRect All = Rect(10, 5, 390, 35);
  DrawText(Wide.Canvas()->GetHandle(), Long, -1, &All, Format);

  Draw(Long, Narrow, Format);
  const TRect Ink = Picture.InkBox();
  ASSERT_FALSE(Ink.IsEmpty());
  EXPECT_LE(Ink.Right, Narrow.Right);
  EXPECT_LT(Picture.InkColumns(), Wide.InkColumns());

  const auto Elided = Picture.Pixels();
  Picture.Paint(clWhite);
  Draw(Long, Narrow, DT_SINGLELINE | DT_VCENTER); // merely clipped
  EXPECT_NE(Picture.Pixels(), Elided);
}

TEST_F(TextTest, EllipsisLeavesTextThatFitsAlone) {
  EXPECT_EQ(Drawn("Fits", DT_SINGLELINE | DT_END_ELLIPSIS), Drawn("Fits", DT_SINGLELINE));
}

TEST_F(TextTest, WordBreakWrapsIntoSeveralLines) {
  TPicture Tall(100, 120);
  TCanvas* T = Tall.Canvas();
  T->GetFont()->Assign(C->GetFont());
  const std::string Words = "one two three four five six";
  const int Height = T->TextHeight(Words);
  TRect R = Rect(0, 0, 60, 120);
  const int Drawn = DrawText(T->GetHandle(), Words, -1, &R, DT_WORDBREAK);
  EXPECT_GE(Drawn, 3 * Height);
  EXPECT_EQ(Drawn % Height, 0);
  const TRect Ink = Tall.InkBox();
  EXPECT_GT(Ink.Height(), 2 * Height);
  EXPECT_LE(Ink.Right, 60);

  TRect Measured = Rect(0, 0, 60, 0);
  EXPECT_EQ(DrawText(T->GetHandle(), Words, -1, &Measured, DT_WORDBREAK | DT_CALCRECT), Drawn);
  EXPECT_EQ(Measured.Bottom, Drawn);
  EXPECT_LE(Measured.Right, 60);
  EXPECT_GT(Measured.Right, 0);
}

TEST_F(TextTest, WordLongerThanTheWidthKeepsALineOfItsOwn) {
  const int Height = C->TextHeight("a");
  EXPECT_EQ(Draw("Extraordinarily long", Rect(10, 0, 40, 40), DT_WORDBREAK), 2 * Height);
  EXPECT_EQ(Draw("  indented", Rect(10, 0, 190, 40), DT_WORDBREAK), Height);
}

TEST_F(TextTest, LineBreaksSplitLinesUnlessSingleLine) {
  const int Height = C->TextHeight("a");
  EXPECT_EQ(Draw("a\nb\r\nc", Box, DT_LEFT), 3 * Height);
  EXPECT_EQ(Draw("a\nb\r\nc", Box, DT_LEFT | DT_SINGLELINE), Height);
}

TEST_F(TextTest, NoPrefixDrawsTheAmpersand) {
  Draw("A&B", Box, DT_NOPREFIX);
  const int WithAmpersand = Picture.InkBox().Width();
  Picture.Paint(clWhite);
  Draw("AB", Box, DT_NOPREFIX);
  EXPECT_GT(WithAmpersand, Picture.InkBox().Width() + C->TextWidth("&") / 2);
}

TEST_F(TextTest, DoubledAmpersandDrawsOne) {
  EXPECT_EQ(Drawn("A&&B", 0), Drawn("A&B", DT_NOPREFIX));
}

// "&B" drops the '&' and underlines B: the same pixels as "AB" plus a line below B only.
TEST_F(TextTest, PrefixUnderlinesTheNextCharacter) {
  const auto Plain = Drawn("AB", DT_NOPREFIX);
  const TRect PlainInk = Picture.InkBox();
  const auto Marked = Drawn("A&B", 0);
  const int BLeft = Box.Left + C->TextWidth("A");
  int Extra = 0;
  for (int Y = 0; Y < Picture.Height(); ++Y)
    for (int X = 0; X < Picture.Width(); ++X) {
      const std::size_t I = static_cast<std::size_t>(Y * Picture.Width() + X);
      if (Plain[I] == Marked[I]) continue;
      ++Extra;
      EXPECT_EQ(Plain[I], clWhite) << X << "," << Y << ": a pixel of the letters changed";
      EXPECT_GE(Y, PlainInk.Bottom) << "the underline is below the letters";
      EXPECT_GE(X, BLeft) << "the underline is under B only";
    }
  EXPECT_GT(Extra, 0);
}

TEST_F(TextTest, CyrillicDraws) {
  const std::string Hello = "Привет, мир";
  Draw(Hello, Box, DT_SINGLELINE);
  const TRect Ink = Picture.InkBox();
  ASSERT_FALSE(Ink.IsEmpty());
  EXPECT_NEAR(Ink.Width(), C->TextWidth(Hello), 3);
  EXPECT_NE(Drawn("Д", DT_SINGLELINE), Drawn("Ж", DT_SINGLELINE))
      << "real glyphs, not placeholder boxes";
}

TEST_F(TextTest, CountLimitsTheBytesWithoutSplittingACharacter) {
  EXPECT_EQ(Drawn("Hello", DT_SINGLELINE, 2), Drawn("He", DT_SINGLELINE));
  EXPECT_EQ(Drawn("Пр", DT_SINGLELINE, 3), Drawn("П", DT_SINGLELINE));
}

TEST_F(TextTest, TextIsOneExactColourWithoutSmoothing) {
  C->GetFont()->SetColor(RGB(200, 0, 0));
  Draw("Smooth? No.", Box, DT_SINGLELINE);
  const int Ink = 200 * 40 - Picture.Count(clWhite);
  EXPECT_GT(Ink, 20);
  EXPECT_EQ(Picture.Count(RGB(200, 0, 0)), Ink);
}

TEST_F(TextTest, SolidBrushFillsTheTextBackground) {
  C->GetBrush()->Style = bsSolid;
  C->GetBrush()->Color = clYellow;
  Draw("Hi", Box, DT_LEFT | DT_TOP);
  const int Width = C->TextWidth("Hi"), Height = C->TextHeight("Hi");
  EXPECT_EQ(Picture.Count(clYellow) + Picture.Count(clBlack), Width * Height);
  EXPECT_EQ(Picture.At(Box.Left + Width, Box.Top), clWhite);
  EXPECT_EQ(Picture.At(Box.Left, Box.Top + Height), clWhite);

  Picture.Paint(clWhite);
  C->GetBrush()->Style = bsClear;
  Draw("Hi", Box, DT_LEFT | DT_TOP);
  EXPECT_EQ(Picture.Count(clYellow), 0);
}

TEST_F(TextTest, TextIsClippedToTheRectangleUnlessNoClip) {
  const TRect Narrow = Rect(10, 5, 40, 35);
  Draw("WWWWWWWWWW", Narrow, DT_SINGLELINE);
  EXPECT_EQ(Picture.InkBox().Right, Narrow.Right);
  Picture.Paint(clWhite);
  Draw("WWWWWWWWWW", Narrow, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(Picture.InkBox().Right, Narrow.Right + 20);
}

TEST_F(TextTest, CalcRectMeasuresWithoutDrawing) {
  TRect R = Rect(3, 4, 5, 6);
  const int Height = DrawText(C->GetHandle(), "Measure me", -1, &R, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(R, Rect(3, 4, 3 + C->TextWidth("Measure me"), 4 + C->TextHeight("Measure me")));
  EXPECT_EQ(Height, R.Height());
  EXPECT_TRUE(Picture.InkBox().IsEmpty());
}

TEST_F(TextTest, EmptyTextDrawsNothing) {
  TRect R = Box;
  EXPECT_EQ(DrawText(C->GetHandle(), "", -1, &R, DT_CALCRECT), 0);
  EXPECT_TRUE(R.IsEmpty());
  EXPECT_EQ(Draw("", Box, 0), 0);
  EXPECT_TRUE(Picture.InkBox().IsEmpty());
}

TEST_F(TextTest, TabsExpandToTabStops) {
  Draw("a\tb", Box, DT_EXPANDTABS | DT_SINGLELINE);
  const TRect OneBefore = Picture.InkBox();
  Picture.Paint(clWhite);
  Draw("aa\tb", Box, DT_EXPANDTABS | DT_SINGLELINE);
  EXPECT_EQ(Picture.InkBox().Right, OneBefore.Right) << "b starts at the same tab stop";
  EXPECT_GT(OneBefore.Width(), C->TextWidth("a b"));
}

TEST_F(TextTest, TextOutDrawsAtThePointAndMovesThePen) {
  C->TextOut(20, 10, "Out");
  const TRect Ink = Picture.InkBox();
  EXPECT_GE(Ink.Left, 20);
  EXPECT_GE(Ink.Top, 10);
  EXPECT_LE(Ink.Bottom, 10 + C->TextHeight("Out"));
  C->GetPen()->Color = clRed;
  C->LineTo(20 + C->TextWidth("Out") + 3, 10);
  EXPECT_EQ(Picture.At(20 + C->TextWidth("Out"), 10), clRed);
  EXPECT_EQ(Picture.Count(clRed), 3);
}

// ---------------------------------------------------------------- fonts

TEST(FontTest, SizeAndHeightAtNinetySixDpi) {
  TFont Font;
  EXPECT_EQ(Font.GetSize(), 8);
  EXPECT_EQ(Font.GetHeight(), -11);
  Font.SetHeight(-16);
  EXPECT_EQ(Font.GetSize(), 12);
  EXPECT_EQ(Font.GetHeight(), -16);
}

TEST(FontTest, ChangesAndAssignRaiseOnChange) {
  TFont Font, Other;
  int Changes = 0;
  Font.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &Font);
    ++Changes;
  };
  Font.SetName("Tahoma");
  Font.SetName("Tahoma"); // unchanged: no event
  Font.SetStyle({fsBold});
  Other.SetColor(clRed);
  Font.Assign(&Other);
  EXPECT_EQ(Changes, 3);
  EXPECT_EQ(Font.GetName(), Other.GetName());
  EXPECT_EQ(Font.GetColor(), clRed);
  EXPECT_TRUE(Font.GetStyle().Empty());
}

class FontRenderingTest : public ::testing::Test {
protected:
  std::vector<TColor> Render(const std::string& Name, int Size, TFontStyles Style = {}) {
    TPicture Picture(120, 30);
    Picture.Canvas()->GetFont()->SetName(Name);
    Picture.Canvas()->GetFont()->SetSize(Size);
    Picture.Canvas()->GetFont()->SetStyle(Style);
    Picture.Canvas()->TextOut(2, 2, "Grid 123");
    return Picture.Pixels();
  }
  static int Ink(const std::vector<TColor>& Pixels) {
    return static_cast<int>(
        std::count_if(Pixels.begin(), Pixels.end(), [](TColor P) { return P != clWhite; }));
  }
};

TEST_F(FontRenderingTest, MissingFamiliesFallBackToTheSameFont) {
  const auto Tahoma = Render("Tahoma", 9);
  EXPECT_EQ(Render("MS Sans Serif", 9), Tahoma);
  EXPECT_NE(Render("DejaVu Serif", 9), Tahoma) << "a font that exists is used";
}

TEST_F(FontRenderingTest, SizeAndBoldChangeTheGlyphs) {
  const int Regular = Ink(Render("Tahoma", 9));
  EXPECT_GT(Ink(Render("Tahoma", 14)), Regular);
  EXPECT_GT(Ink(Render("Tahoma", 9, {fsBold})), Regular);
}

TEST(CanvasMeasureTest, TextSizeGrowsWithTheFont) {
  TCanvas Canvas;
  const int Width = Canvas.TextWidth("Grid"), Height = Canvas.TextHeight("Grid");
  Canvas.GetFont()->SetSize(16);
  EXPECT_GT(Canvas.TextWidth("Grid"), Width);
  EXPECT_GT(Canvas.TextHeight("Grid"), Height);
  EXPECT_EQ(Canvas.TextWidth(""), 0);
}

} // namespace
