// What changes of the grid's colours, fonts and image list ask to repaint, and how the grid
// follows its image list from registration to destruction.
#include "tests/grid/gui/GridGuiSupport.h"

namespace {

class GridAppearanceRepaint : public GridOnForm {
protected:
  void SetUp() override {
    GridOnForm::SetUp();
    Grid->Update(); // nothing pending
  }
  TYGridColors& Colors() { return *Grid->GetColors(); }
};

// ---------------------------------------------------------------- colours

TEST_F(GridAppearanceRepaint, AColourSetToItsOwnValueRepaintsNothing) {
  ASSERT_TRUE(Pending().empty());
  for (int Slot = 0; Slot < YGridPublishedColorCount; ++Slot)
    Colors().SetColor(Slot, Colors().GetColor(Slot));
  EXPECT_TRUE(Pending().empty());
}

TEST_F(GridAppearanceRepaint, AChangedColourRepaintsTheWholeGridWithIt) {
  Colors().SetColor(ycDefaultCellColor1NotMark, clYellow);
  EXPECT_EQ(Pending(), WholeClient());
  EXPECT_EQ(CellPixel(3, 3), clYellow);
  Colors().SetColor(ycGridLineColor, clRed);
  EXPECT_EQ(Pending(), WholeClient());
  EXPECT_EQ(Pixel(65 * 3 - 1, 25 * 3 + 10), clRed);
}

TEST_F(GridAppearanceRepaint, AColourSetWhileLoadingIsStoredWithoutRepainting) {
  Grid->BeginLoading();
  Colors().SetColor(ycDefaultCellColor1NotMark, clYellow);
  EXPECT_EQ(Colors().GetColor(ycDefaultCellColor1NotMark), clYellow);
  EXPECT_TRUE(Pending().empty());
  Grid->Loaded();
  EXPECT_EQ(CellPixel(3, 3), Rgb(clWindow)); // still the old pixels: nothing asked for a repaint
  Grid->InvalidateGrid();
  EXPECT_EQ(CellPixel(3, 3), clYellow);
}

TEST_F(GridAppearanceRepaint, AssigningAColourSetRepaintsEvenWhileLoading) {
  TYGrid Source(nullptr);
  Source.GetColors()->SetColor(ycDefaultCellColor1NotMark, clYellow);
  Grid->BeginLoading();
  Grid->SetColors(Source.GetColors());
  EXPECT_EQ(Pending(), WholeClient());
  Grid->Loaded();
  EXPECT_EQ(CellPixel(3, 3), clYellow);
}

// ---------------------------------------------------------------- fonts

TEST_F(GridAppearanceRepaint, ChangingAFontObtainedFromTheSetRepaintsNothingByItself) {
  Grid->GetFonts()->GetFont(yfDefaultCellFont1NotMark)->SetColor(clRed);
  Grid->GetFonts()->GetFont(yfFixedButtonsFont)->SetStyle({fsBold});
  TFont Given;
  Given.SetSize(20);
  Grid->GetFonts()->SetFont(yfFocusCellFontNotMark, &Given);
  EXPECT_TRUE(Pending().empty());
}

TEST_F(GridAppearanceRepaint, AssigningAFontSetRepaintsTheGridUnlessDesigning) {
  TYGrid Source(nullptr);
  Source.GetFonts()->GetFont(yfDefaultCellFont1NotMark)->SetColor(clRed);
  Grid->SetFonts(Source.GetFonts());
  EXPECT_EQ(Pending(), WholeClient());
  Grid->Update();
  Grid->SetDesigning(true);
  Source.GetFonts()->GetFont(yfDefaultCellFont1NotMark)->SetColor(clBlue);
  Grid->SetFonts(Source.GetFonts());
  EXPECT_TRUE(Pending().empty());
  EXPECT_EQ(Grid->GetFonts()->GetFont(yfDefaultCellFont1NotMark)->GetColor(), clBlue);
  Grid->SetDesigning(false);
}

// ---------------------------------------------------------------- the image list

std::unique_ptr<TBitmap> RedPicture() {
  auto Bitmap = std::make_unique<TBitmap>();
  Bitmap->SetSize(16, 16);
  Bitmap->GetCanvas()->GetBrush()->Color = clRed;
  Bitmap->GetCanvas()->FillRect({0, 0, 16, 16});
  return Bitmap;
}

class GridImageList : public GridAppearanceRepaint {
protected:
  // Shows image 0 in cell (3, 3).
  void ShowImageInCell33() {
    Grid->OnDrawImage = [](TYCustomGrid*, TYCell*, std::int32_t Col, std::int32_t Row,
                           TYGridDrawStates, TRect&, std::int32_t& Index, TAlignment&,
                           TYVertAlignment&) {
      if (Col == 3 && Row == 3) Index = 0;
    };
  }
  static constexpr int ImageX = 195 + 8,
                       ImageY = 75 + 12; // inside the picture's place in cell (3, 3)
  std::unique_ptr<TBitmap> Picture = RedPicture();
};

TEST_F(GridImageList, SettingAListRepaintsAndAChangeOfTheListRepaintsAgain) {
  TImageList Images(nullptr);
  Grid->SetImages(&Images);
  EXPECT_EQ(Grid->GetImages(), &Images);
  EXPECT_EQ(Pending(), WholeClient());
  Grid->Update();
  ShowImageInCell33();
  Images.Add(Picture.get());
  EXPECT_EQ(Pending(), WholeClient());
  EXPECT_EQ(Pixel(ImageX, ImageY), clRed);
  Grid->SetImages(&Images); // the same list: nothing to do
  EXPECT_TRUE(Pending().empty());
  Grid->SetImages(nullptr);
  EXPECT_EQ(Pending(), WholeClient());
  EXPECT_EQ(Pixel(ImageX, ImageY), Rgb(clWindow));
  Images.Add(Picture.get()); // no longer listened to
  EXPECT_TRUE(Pending().empty());
}

TEST_F(GridImageList, OnlyTheCurrentListIsListenedTo) {
  TImageList First(nullptr), Second(nullptr);
  Grid->SetImages(&First);
  Grid->SetImages(&Second);
  Grid->Update();
  First.Add(Picture.get());
  EXPECT_TRUE(Pending().empty());
  Second.Add(Picture.get());
  EXPECT_EQ(Pending(), WholeClient());
  Grid->SetImages(nullptr);
}

TEST_F(GridImageList, DestroyingTheListLeavesTheGridWithoutImagesAndRepaints) {
  auto* Images = new TImageList(Form.get()); // owned by the form, like the grid
  Images->Add(Picture.get());
  Grid->SetImages(Images);
  ShowImageInCell33();
  EXPECT_EQ(Pixel(ImageX, ImageY), clRed);
  delete Images;
  EXPECT_EQ(Grid->GetImages(), nullptr);
  EXPECT_EQ(Pending(), WholeClient());
  EXPECT_EQ(Pixel(ImageX, ImageY), Rgb(clWindow));
  Grid->SetImages(nullptr);
  EXPECT_EQ(Grid->GetImages(), nullptr);
}

TEST_F(GridImageList, AListOutlivingTheGridNoLongerReachesIt) {
  auto Images = std::make_unique<TImageList>(nullptr);
  Grid->SetImages(Images.get());
  Form.reset(); // the grid goes first
  Grid = nullptr;
  TChangeLink Listener;
  int Changes = 0;
  Listener.OnChange = [&](TObject*) { ++Changes; };
  Images->RegisterChanges(&Listener);
  Images->Add(Picture.get()); // would call into the destroyed grid if it were still registered
  EXPECT_EQ(Changes, 1);
  Images.reset(); // would tell the destroyed grid of its removal
  EXPECT_EQ(Listener.Sender, nullptr);
}

} // namespace
