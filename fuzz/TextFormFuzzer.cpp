// The text form of a stored component: converted to the binary stream and back, and read into
// a form holding a grid. Malformed text may only raise EReadError; text that converts must
// convert back to the same binary, and that binary must read (or fail with EReadError).
#include "fuzz/FormFuzzSupport.h"

#include "host/classes/ComponentStreams.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
// Binary that the text converter wrote must convert to text and back unchanged.
void CheckRoundTrip(const std::string& Binary) {
  try {
    const std::string Text = Convert(ObjectBinaryToText, Binary);
    if (Convert(ObjectTextToBinary, Text) == Binary) return;
    std::fprintf(stderr, "Text written from the binary form reads back differently:\n%s\n",
                 Text.c_str());
  } catch (const Exception& E) {
    std::fprintf(stderr, "Binary written from text does not convert back: %s\n",
                 E.GetMessage().c_str());
  }
  std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  std::string Binary;
  try {
    Binary = Convert(ObjectTextToBinary, Text);
  } catch (const EReadError&) {
    return 0;
  }
  CheckRoundTrip(Binary);
  ReadFormHoldingAGrid(Binary);
  return 0;
}
