// The demo's "Content.ini" loader: any bytes, in a table shape taken from the first bytes.
// Every row must then hold exactly its width of records, inside the buffer.
#include "app/ContentTable.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {
std::string FileName;

void Check(bool Holds, const char* What) {
  if (Holds) return;
  std::fprintf(stderr, "Content table: %s\n", What);
  std::abort();
}

// The shape the demo uses is 1 header row, 1 empty first field and 7 cells; the first two
// bytes vary it a little.
TContentTable::TShape ShapeFrom(const std::uint8_t* Data, std::size_t Size) {
  const int A = Size > 0 ? Data[0] : 0;
  const int B = Size > 1 ? Data[1] : 0;
  const std::int32_t FirstField = A % 3;
  return {B % 3, FirstField, FirstField + (A / 3) % 9};
}

void CheckRows(const TContentTable& Table, const TContentTable::TShape& Shape) {
  Check(Table.GetRowCount() == Shape.HeaderRows + Table.GetLineCount(), "row count");
  for (std::int32_t Row = 0; Row < Table.GetRowCount(); ++Row) {
    const void* Record = Table.FirstRecord(Row);
    for (std::int32_t Col = 0; Col < Shape.Width; ++Col) {
      const std::string_view Text = TContentTable::TextOf(Record);
      Check(Col >= Shape.FirstField || Text.empty(), "a leading cell holds text");
      Check(Text.find(' ') == std::string_view::npos, "a field holds a space");
      Record = TContentTable::NextRecord(Record);
    }
  }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The loader reads a file; one in memory (/dev/shm) keeps each run quick.
  const char* Folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  FileName = std::string(Folder) + "/ygrids-fuzz-content-" + std::to_string(getpid()) + ".ini";
  std::atexit([] { std::remove(FileName.c_str()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  std::ofstream(FileName, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  const TContentTable::TShape Shape = ShapeFrom(Data, Size);
  TContentTable Table;
  Table.Load(FileName, Shape);
  CheckRows(Table, Shape);
  return 0;
}
