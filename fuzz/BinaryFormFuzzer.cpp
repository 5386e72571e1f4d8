// The binary stream of a stored component: converted to text, and read into a form holding a
// grid. Damaged input may only raise EReadError; text converted from it that converts back
// must give the same text again.
#include "fuzz/FormFuzzSupport.h"

#include "host/classes/ComponentStreams.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
// Names in the binary form may hold bytes the text form cannot (spaces, say), so converting
// back may fail; when it succeeds, the text must be stable.
void CheckTextIsStable(const std::string& Text) {
  std::string Binary;
  try {
    Binary = Convert(ObjectTextToBinary, Text);
  } catch (const EReadError&) {
    return;
  }
  if (Convert(ObjectBinaryToText, Binary) == Text) return;
  std::fprintf(stderr, "Text converted back and forth changes:\n%s\n", Text.c_str());
  std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  try {
    CheckTextIsStable(Convert(ObjectBinaryToText, Bytes));
  } catch (const EReadError&) {
  }
  ReadFormHoldingAGrid(Bytes);
  return 0;
}
