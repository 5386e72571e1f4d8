// TBitmap (size, monochrome, transparent colour, copies, PNG files) and image lists with
// their change links.
#include "GraphicsTestSupport.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {
using guitest::TPicture;

// ---------------------------------------------------------------- TBitmap

TEST(BitmapTest, NewBitmapIsEmptyAndIgnoresDrawing) {
  TBitmap Bitmap;
  EXPECT_EQ(Bitmap.GetWidth(), 0);
  EXPECT_EQ(Bitmap.GetHeight(), 0);
  EXPECT_FALSE(Bitmap.GetMonochrome());
  Bitmap.GetCanvas()->FillRect(Rect(0, 0, 5, 5));
  EXPECT_EQ(Bitmap.GetCanvas()->GetPixel(0, 0), -1);
  EXPECT_EQ(Bitmap.GetTransparentColor(), clDefault);
}

TEST(BitmapTest, ResizingKeepsTheOldPictureAndWhitensTheRest) {
  TBitmap Bitmap;
  Bitmap.SetSize(2, 2);
  EXPECT_EQ(Bitmap.GetCanvas()->GetPixel(1, 1), clWhite);
  Bitmap.GetCanvas()->SetPixel(1, 1, clRed);
  Bitmap.SetWidth(4);
  Bitmap.SetHeight(3);
  EXPECT_EQ(Bitmap.GetWidth(), 4);
  EXPECT_EQ(Bitmap.GetHeight(), 3);
  EXPECT_EQ(Bitmap.GetCanvas()->GetPixel(1, 1), clRed);
  EXPECT_EQ(Bitmap.GetCanvas()->GetPixel(3, 2), clWhite);
  Bitmap.SetSize(1, 1);
  EXPECT_EQ(Bitmap.GetCanvas()->GetPixel(0, 0), clWhite);
  EXPECT_EQ(Bitmap.GetCanvas()->GetPixel(1, 1), -1);
}

TEST(BitmapTest, ZeroWidthEmptiesTheBitmap) {
  TBitmap Bitmap;
  Bitmap.SetSize(5, 5);
  Bitmap.GetCanvas()->SetPixel(0, 0, clRed);
  Bitmap.SetWidth(0);
  EXPECT_EQ(Bitmap.GetWidth(), 0);
  EXPECT_EQ(Bitmap.GetHeight(), 5);
  EXPECT_EQ(Bitmap.GetCanvas()->GetPixel(0, 0), -1);
  Bitmap.SetSize(5, 5);
  EXPECT_EQ(Bitmap.GetCanvas()->GetPixel(0, 0), clWhite) << "nothing of the old picture comes back";
}

TEST(BitmapTest, SizingOneDimensionAtATimeKeepsTheOther) {
  TBitmap ByWidth;
  ByWidth.SetWidth(16);
  EXPECT_EQ(ByWidth.GetWidth(), 16);
  EXPECT_EQ(ByWidth.GetHeight(), 0);
  EXPECT_EQ(ByWidth.GetCanvas()->GetPixel(0, 0), -1) << "no pixel while the height is 0";
  ByWidth.SetHeight(16);
  EXPECT_EQ(ByWidth.GetWidth(), 16);
  EXPECT_EQ(ByWidth.GetHeight(), 16);
  EXPECT_EQ(ByWidth.GetCanvas()->GetPixel(15, 15), clWhite);

  TBitmap ByHeight;
  ByHeight.SetHeight(3);
  ByHeight.SetWidth(2);
  EXPECT_EQ(ByHeight.GetCanvas()->GetPixel(1, 2), clWhite);
  TBitmap Copy;
  ByWidth.SetWidth(0);
  Copy.Assign(&ByWidth);
  EXPECT_EQ(Copy.GetHeight(), 16) << "a copy keeps the height of an empty bitmap";
}

TEST(BitmapTest, MonochromeKeepsWhiteAndBlackensTheRest) {
  TBitmap Bitmap;
  Bitmap.SetSize(3, 1);
  Bitmap.GetCanvas()->SetPixel(0, 0, clRed);
  Bitmap.GetCanvas()->SetPixel(1, 0, RGB(250, 250, 250));
  Bitmap.SetMonochrome(true);
  EXPECT_TRUE(Bitmap.GetMonochrome());
  EXPECT_EQ(Bitmap.GetCanvas()->GetPixel(0, 0), clBlack);
  EXPECT_EQ(Bitmap.GetCanvas()->GetPixel(1, 0), clBlack);
  EXPECT_EQ(Bitmap.GetCanvas()->GetPixel(2, 0), clWhite);
  Bitmap.GetCanvas()->SetPixel(0, 0, clYellow); // light colours draw white on it
  EXPECT_EQ(Bitmap.GetCanvas()->GetPixel(0, 0), clWhite);
  Bitmap.SetSize(4, 1);
  EXPECT_TRUE(Bitmap.GetMonochrome()) << "resizing keeps the kind";
  Bitmap.SetMonochrome(false);
  Bitmap.GetCanvas()->SetPixel(0, 0, clRed);
  EXPECT_EQ(Bitmap.GetCanvas()->GetPixel(0, 0), clRed);
}

TEST(BitmapTest, TransparentColorIsTheBottomLeftPixelUnlessSet) {
  TBitmap Bitmap;
  Bitmap.SetSize(3, 3);
  Bitmap.GetCanvas()->SetPixel(0, 2, RGB(10, 20, 30));
  Bitmap.GetCanvas()->SetPixel(0, 0, clRed);
  EXPECT_EQ(Bitmap.GetTransparentColor(), 0x02000000 | RGB(10, 20, 30));
  Bitmap.SetTransparentColor(clLime);
  EXPECT_EQ(Bitmap.GetTransparentColor(), clLime);
  Bitmap.SetTransparentColor(clDefault);
  EXPECT_EQ(Bitmap.GetTransparentColor(), 0x02000000 | RGB(10, 20, 30));
}

TEST(BitmapTest, AssignMakesAnIndependentCopy) {
  TBitmap Source, Copy;
  Source.SetSize(2, 3);
  Source.GetCanvas()->SetPixel(1, 2, clBlue);
  Source.SetTransparentColor(clRed);
  Copy.Assign(&Source);
  EXPECT_EQ(Copy.GetWidth(), 2);
  EXPECT_EQ(Copy.GetHeight(), 3);
  EXPECT_EQ(Copy.GetCanvas()->GetPixel(1, 2), clBlue);
  EXPECT_EQ(Copy.GetTransparentColor(), clRed);
  Copy.GetCanvas()->SetPixel(1, 2, clLime);
  EXPECT_EQ(Source.GetCanvas()->GetPixel(1, 2), clBlue);
  Copy.Assign(nullptr);
  EXPECT_EQ(Copy.GetWidth(), 0);
}

TEST(BitmapTest, PngRoundTripKeepsEveryPixel) {
  TPicture Picture(7, 5);
  for (int Y = 0; Y < 5; ++Y)
    for (int X = 0; X < 7; ++X)
      Picture.Canvas()->SetPixel(X, Y, RGB(X * 37, Y * 51, (X + Y) * 13));
  const std::string File = testing::TempDir() + "ygrids_bitmap_round_trip.png";
  ASSERT_TRUE(Picture.Bitmap.SaveToPngFile(File));
  TBitmap Loaded;
  ASSERT_TRUE(Loaded.LoadFromPngFile(File));
  std::remove(File.c_str());
  ASSERT_EQ(Loaded.GetWidth(), 7);
  ASSERT_EQ(Loaded.GetHeight(), 5);
  for (int Y = 0; Y < 5; ++Y)
    for (int X = 0; X < 7; ++X)
      EXPECT_EQ(Loaded.GetCanvas()->GetPixel(X, Y), Picture.At(X, Y)) << X << "," << Y;
}

TEST(BitmapTest, PngFailuresAnswerFalse) {
  TBitmap Empty;
  EXPECT_FALSE(Empty.SaveToPngFile(testing::TempDir() + "ygrids_empty.png"));
  EXPECT_FALSE(Empty.LoadFromPngFile(testing::TempDir() + "ygrids_no_such_file.png"));
  EXPECT_EQ(Empty.GetWidth(), 0);
}

// ---------------------------------------------------------------- image lists

// A bitmap of Width x Height in one colour with a marker pixel at its top-left corner.
std::unique_ptr<TBitmap> Swatch(int Width, int Height, TColor Color) {
  auto Bitmap = std::make_unique<TBitmap>();
  Bitmap->SetSize(Width, Height);
  Bitmap->GetCanvas()->GetBrush()->Color = Color;
  Bitmap->GetCanvas()->FillRect(Rect(0, 0, Width, Height));
  Bitmap->GetCanvas()->SetPixel(0, 0, clBlack);
  return Bitmap;
}

class ImageListTest : public ::testing::Test {
protected:
  TImageList List{nullptr};
};

TEST_F(ImageListTest, AddCopiesAndGetBitmapSizesAndCopies) {
  auto Red = Swatch(16, 16, clRed);
  EXPECT_EQ(List.Add(Red.get()), 0);
  EXPECT_EQ(List.Add(Swatch(16, 16, clBlue).get()), 1);
  Red->GetCanvas()->SetPixel(5, 5, clLime); // the list holds its own copy
  EXPECT_EQ(List.GetCount(), 2);

  TBitmap Work;
  Work.SetSize(3, 40);
  ASSERT_TRUE(List.GetBitmap(0, &Work));
  EXPECT_EQ(Work.GetWidth(), 16);
  EXPECT_EQ(Work.GetHeight(), 16);
  EXPECT_EQ(Work.GetCanvas()->GetPixel(5, 5), clRed);
  EXPECT_EQ(Work.GetCanvas()->GetPixel(0, 0), clBlack);
  ASSERT_TRUE(List.GetBitmap(1, &Work));
  EXPECT_EQ(Work.GetCanvas()->GetPixel(15, 15), clBlue);
  EXPECT_EQ(Work.GetTransparentColor(), 0x02000000 | clBlue);
  Work.GetCanvas()->SetPixel(15, 15, clLime);
  ASSERT_TRUE(List.GetBitmap(1, &Work));
  EXPECT_EQ(Work.GetCanvas()->GetPixel(15, 15), clBlue) << "the list's image was not touched";
}

TEST_F(ImageListTest, BadIndexAnswersFalse) {
  List.Add(Swatch(16, 16, clRed).get());
  TBitmap Work;
  EXPECT_FALSE(List.GetBitmap(1, &Work));
  EXPECT_FALSE(List.GetBitmap(-1, &Work));
  EXPECT_FALSE(List.GetBitmap(0, nullptr));
  EXPECT_EQ(Work.GetWidth(), 0);
  EXPECT_EQ(List.Add(nullptr), -1);
}

TEST_F(ImageListTest, ImagesTakeTheListSize) {
  List.SetSize(4, 4);
  List.Add(Swatch(2, 2, clRed).get());
  List.Add(Swatch(8, 8, clBlue).get());
  TBitmap Work;
  List.GetBitmap(0, &Work);
  EXPECT_EQ(Work.GetWidth(), 4);
  EXPECT_EQ(Work.GetCanvas()->GetPixel(1, 1), clRed);
  EXPECT_EQ(Work.GetCanvas()->GetPixel(3, 3), clWhite);
  List.GetBitmap(1, &Work);
  EXPECT_EQ(Work.GetCanvas()->GetPixel(3, 3), clBlue);
}

class ChangeLinkTest : public ImageListTest {
protected:
  std::vector<std::string> Log;
  void Listen(TChangeLink& Link, const std::string& Name) {
    Link.OnChange = [this, Name](TObject* Sender) {
      Log.push_back(Name + (Sender == &List ? "" : " (wrong sender)"));
    };
  }
};

TEST_F(ChangeLinkTest, ChangesReachEveryRegisteredLink) {
  TChangeLink A, B;
  Listen(A, "a");
  Listen(B, "b");
  List.RegisterChanges(&A);
  List.RegisterChanges(&B);
  List.RegisterChanges(&A); // once only
  EXPECT_EQ(A.Sender, &List);
  List.Add(Swatch(16, 16, clRed).get());
  List.SetSize(8, 8);
  List.SetSize(8, 8); // unchanged: no news
  List.Clear();
  EXPECT_EQ(Log, (std::vector<std::string>{"a", "b", "a", "b", "a", "b"}));
  EXPECT_EQ(List.GetCount(), 0);
}

TEST_F(ChangeLinkTest, UnregisteredAndDestroyedLinksHearNothing) {
  TChangeLink A;
  Listen(A, "a");
  List.RegisterChanges(&A);
  {
    TChangeLink Gone;
    Listen(Gone, "gone");
    List.RegisterChanges(&Gone);
  }
  TChangeLink Left;
  Listen(Left, "left");
  List.RegisterChanges(&Left);
  List.UnRegisterChanges(&Left);
  EXPECT_EQ(Left.Sender, nullptr);
  List.Clear();
  EXPECT_EQ(Log, (std::vector<std::string>{"a"}));
}

TEST_F(ChangeLinkTest, ListDestructionClearsTheLinksSender) {
  TChangeLink A;
  {
    TImageList Short(nullptr);
    Short.RegisterChanges(&A);
    EXPECT_EQ(A.Sender, &Short);
  }
  EXPECT_EQ(A.Sender, nullptr); // and A's own destruction does not touch the gone list
}

TEST_F(ChangeLinkTest, LinkMovesToTheListItRegistersWithLast) {
  TChangeLink A;
  Listen(A, "a");
  TImageList Other(nullptr);
  List.RegisterChanges(&A);
  Other.RegisterChanges(&A);
  EXPECT_EQ(A.Sender, &Other);
  List.Clear();
  EXPECT_TRUE(Log.empty());
}

TEST_F(ChangeLinkTest, HandlerMayUnregisterALaterLink) {
  TChangeLink A, B;
  Listen(B, "b");
  A.OnChange = [&](TObject*) {
    Log.push_back("a");
    List.UnRegisterChanges(&B);
  };
  List.RegisterChanges(&A);
  List.RegisterChanges(&B);
  List.Clear();
  EXPECT_EQ(Log, (std::vector<std::string>{"a"}));
}

} // namespace
