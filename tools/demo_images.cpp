// Draws the demo's four 16 x 16 images from the pictures below and prints them as the image
// list's stored bitmap (a PNG strip in hexadecimal), ready for the form's description:
//   demo_images [strip.png]
// The background is black, which the grid draws transparent.
#include "host/classes/Filer.h"
#include "host/gui/Forms.h"
#include "host/gui/Graphics.h"

#include <cstdio>
#include <map>

namespace {
// '.' black, 'n' dark blue, 'c' cyan, 'g' grey.
const char* const Pictures[4][16] = {
    {"................", ".nnnnnnnnnnnnnn.", "nnnnnnnnnnnnnnnn", "nnnnnnncnnnnnnnn",
     "nnnnnnccnnnnnnnn", "nnnnncccccnnnnnn", "nnnncccccccnnnnn", "nnnccccccccccnnn",
     "nnnnnnccnnnnnnnn", "nnnnnnccnnnnnnnn", "nnnnnnccnnnnnnnn", "nnnnnnccnnnnnnnn",
     "nnnnnnccnnnnnnnn", "nnnnnnnnnnnnnnnn", ".nnnnnnnnnnnnnn.", "................"},
    {"................", ".nnnnnnnnnnnnnn.", "nnnnnnnnnnnnnnnn", "nnnnnnccnnnnnnnn",
     "nnnnnnccnnnnnnnn", "nnnnnnccnnnnnnnn", "nnnnnnccnnnnnnnn", "nnnnnnccnnnnnnnn",
     "nnnccccccccccnnn", "nnnncccccccnnnnn", "nnnnncccccnnnnnn", "nnnnnnccnnnnnnnn",
     "nnnnnnncnnnnnnnn", "nnnnnnnnnnnnnnnn", ".nnnnnnnnnnnnnn.", "................"},
    {"................", ".nnnnnnnnnnnnnn.", "nggggggggggggggn", "nggggggggggggggn",
     "nggggggggggggggn", "nggggggggggggggn", "nggggggggggggggn", "nggggggggggggggn",
     "nggggggggggggggn", "nggggggggggggggn", "nggggggggggggggn", "nggggggggggggggn",
     "nggggggggggggggn", "nggggggggggggggn", ".nnnnnnnnnnnnnn.", "................"},
    {"................", "................", "................", "................",
     "....c...........", "....cc..........", "....ccc.........", "....cccc........",
     "....ccccc.......", "....cccc........", "....ccc.........", "....cc..........",
     "....c...........", "................", "................", "................"},
};

const std::map<char, TColor> Palette = {
    {'.', clBlack}, {'n', RGB(0, 0, 128)}, {'c', RGB(0, 255, 255)}, {'g', RGB(192, 192, 192)}};
} // namespace

int main(int argc, char** argv) {
  Application->Initialize();
  TImageList List(nullptr);
  for (const auto& Picture : Pictures) {
    TBitmap Image;
    Image.SetSize(16, 16);
    for (int Y = 0; Y < 16; ++Y)
      for (int X = 0; X < 16; ++X) {
        Image.GetCanvas()->GetBrush()->Color = Palette.at(Picture[Y][X]);
        Image.GetCanvas()->FillRect({X, Y, X + 1, Y + 1});
      }
    List.Add(&Image);
  }
  // The list stores itself as the strip; print that block as hexadecimal lines.
  TMemoryStream Stream;
  TWriter Writer(Stream);
  List.DefineProperties(Writer);
  const auto& Bytes = Stream.GetBytes();
  const size_t Header = 1 + 6 + 1 + 4; // name "Bitmap", vaBinary, length
  for (size_t I = Header; I < Bytes.size(); ++I)
    std::printf("%02X%s", Bytes[I], (I - Header) % 32 == 31 ? "\n" : "");
  std::printf("\n");
  if (argc > 1) {
    TBitmap Strip;
    Strip.SetSize(64, 16);
    for (int I = 0; I < 4; ++I) {
      TBitmap Image;
      List.GetBitmap(I, &Image);
      Strip.GetCanvas()->Draw(16 * I, 0, &Image);
    }
    Strip.SaveToPngFile(argv[1]);
  }
  return 0;
}
