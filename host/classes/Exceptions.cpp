#include "host/classes/Exceptions.h"

std::string FormatIndex(const std::string& Fmt, long long Value) {
  std::string Result = Fmt;
  const auto Pos = Result.find("%d");
  if (Pos != std::string::npos) Result.replace(Pos, 2, std::to_string(Value));
  return Result;
}
