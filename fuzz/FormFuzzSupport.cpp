#include "fuzz/FormFuzzSupport.h"

#include "grid/YGrids.h"
#include "host/classes/ComponentStreams.h"
#include "host/gui/Forms.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {
// The handler types a stored grid may bind its events to, under names a form could use.
void PublishHandlers(TForm& Form) {
  Form.PublishMethod("Click", TNotifyEvent([](TObject*) {}));
  Form.PublishMethod("FocusCell", TYFocusCellEvent([](auto&&...) {}));
  Form.PublishMethod("InitCell", TYInitCellEvent([](TYCustomGrid*, TYCell*) {}));
  // The demo form's own names, so its stored form (a seed) reads whole.
  Form.PublishMethod("YGrid1FocusCell", TYFocusCellEvent([](auto&&...) {}));
  Form.PublishMethod("YGrid1FreeCell", TYFreeCellEvent([](TYCustomGrid*, TYCell*) {}));
}

std::unique_ptr<TForm> NewForm() {
  RegisterYGridsClasses();
  auto Form = std::make_unique<TForm>(nullptr);
  PublishHandlers(*Form);
  return Form;
}

[[noreturn]] void Fail(const char* What, const std::string& Message) {
  std::fprintf(stderr, "%s: %s\n", What, Message.c_str());
  std::abort();
}
// Reads Text into a new form and answers what that form stores.
std::string ReadBack(const std::string& Text) {
  auto Copy = NewForm();
  try {
    ReadComponentText(Text, *Copy);
  } catch (const Exception& E) {
    Fail("A form read without error does not read back", E.GetMessage() + "\n" + Text);
  }
  return ComponentToText(*Copy);
}
} // namespace

void ReadFormHoldingAGrid(const std::string& Binary) {
  auto Form = NewForm();
  try {
    TMemoryStream Input(std::vector<std::uint8_t>(Binary.begin(), Binary.end()));
    ReadRootComponent(Input, *Form);
  } catch (const EReadError&) {
    return; // the one error a damaged form may raise; any other escapes and is a finding
  }
  // A form that was read must store and read back. Values the stored form cannot hold (an
  // empty font name is omitted like any empty string, and reads back as the default) may
  // change once; after that the text must stay as it is.
  const std::string Text = ReadBack(ComponentToText(*Form));
  if (ReadBack(Text) != Text) Fail("A form read back keeps changing", Text);
}

std::string Convert(void (*Converter)(TStream&, TStream&), const std::string& Bytes) {
  TMemoryStream Input(std::vector<std::uint8_t>(Bytes.begin(), Bytes.end()));
  TMemoryStream Output;
  Converter(Input, Output);
  return std::string(Output.GetBytes().begin(), Output.GetBytes().end());
}

// Both stored-form fuzzers make forms, which need Qt's platform: the offscreen one.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  return 0;
}
