// Byte streams.
#pragma once

#include "Exceptions.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TSeekOrigin : unsigned char { soBeginning, soCurrent, soEnd };

// An abstract stream of bytes with a position.
class TStream : public TObject {
public:
  const char* ClassName() const override { return "TStream"; }
  // Reads up to Count bytes; answers how many were read.
  virtual int Read(void* Buffer, int Count) = 0;
  // Writes Count bytes; answers how many were written.
  virtual int Write(const void* Buffer, int Count) = 0;
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;

  std::int64_t GetPosition() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t Pos) { Seek(Pos, TSeekOrigin::soBeginning); }
  std::int64_t GetSize();

  // Read or write exactly Count bytes, or raise EReadError / EWriteError.
  void ReadBuffer(void* Buffer, int Count);
  void WriteBuffer(const void* Buffer, int Count);
};

// A stream held in memory.
class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> Bytes) : Data(std::move(Bytes)) {}
  const char* ClassName() const override { return "TMemoryStream"; }

  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

  const std::vector<std::uint8_t>& GetBytes() const { return Data; }
  void Clear();

private:
  std::vector<std::uint8_t> Data;
  std::int64_t Position = 0;
};
