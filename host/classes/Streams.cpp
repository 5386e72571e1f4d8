#include "host/classes/Streams.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

// TStream

std::int64_t TStream::GetSize() {
  const std::int64_t Pos = Seek(0, TSeekOrigin::soCurrent);
  const std::int64_t Size = Seek(0, TSeekOrigin::soEnd);
  Seek(Pos, TSeekOrigin::soBeginning);
  return Size;
}

void TStream::ReadBuffer(void* Buffer, int Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

// TMemoryStream

int TMemoryStream::Read(void* Buffer, int Count) {
  const auto Size = static_cast<std::int64_t>(Data.size());
  if (Count <= 0 || Position >= Size) return 0;
  const int N = static_cast<int>(std::min<std::int64_t>(Count, Size - Position));
  std::memcpy(Buffer, Data.data() + Position, static_cast<size_t>(N));
  Position += N;
  return N;
}

int TMemoryStream::Write(const void* Buffer, int Count) {
  if (Count <= 0) return 0;
  const std::int64_t End = Position + Count;
  // Writing past the end (after a seek there) leaves zeros in the gap.
  if (End > static_cast<std::int64_t>(Data.size())) Data.resize(static_cast<size_t>(End), 0);
  std::memcpy(Data.data() + Position, Buffer, static_cast<size_t>(Count));
  Position = End;
  return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t Base = 0;
  if (Origin == TSeekOrigin::soCurrent)
    Base = Position;
  else if (Origin == TSeekOrigin::soEnd)
    Base = static_cast<std::int64_t>(Data.size());
  // A position before the start is always a caller's mistake; past the end is not (a
  // following Write fills the gap). The upper limit keeps Position + Count of a Write
  // from overflowing.
  constexpr std::int64_t MaxPosition = INT64_MAX - INT32_MAX;
  if (Offset < -Base || Offset > MaxPosition - Base) throw EReadError("Stream seek error");
  Position = Base + Offset;
  return Position;
}

void TMemoryStream::Clear() {
  Data.clear();
  Data.shrink_to_fit();
  Position = 0;
}
