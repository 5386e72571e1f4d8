#include "host/classes/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {
std::string Lower(std::string S) {
  std::transform(S.begin(), S.end(), S.begin(),
                 [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
  return S;
}
} // namespace

std::string StringReplace(const std::string& S, const std::string& OldPattern,
                          const std::string& NewPattern, TReplaceFlags Flags) {
  if (OldPattern.empty()) return S;
  const bool IgnoreCase = Flags.Contains(rfIgnoreCase);
  const std::string Haystack = IgnoreCase ? Lower(S) : S;
  const std::string Needle = IgnoreCase ? Lower(OldPattern) : OldPattern;
  std::string Result;
  size_t Start = 0;
  for (size_t Found = Haystack.find(Needle); Found != std::string::npos;
       Found = Haystack.find(Needle, Start)) {
    Result.append(S, Start, Found - Start);
    Result += NewPattern;
    Start = Found + Needle.size();
    if (!Flags.Contains(rfReplaceAll)) break;
  }
  Result.append(S, Start, std::string::npos);
  return Result;
}

bool FileExists(const std::string& FileName) {
  std::error_code Error;
  return std::filesystem::is_regular_file(FileName, Error);
}

std::string ExtractFilePath(const std::string& FileName) {
  const size_t Slash = FileName.find_last_of('/');
  return Slash == std::string::npos ? std::string() : FileName.substr(0, Slash + 1);
}

std::string IntToStr(std::int64_t Value) {
  return std::to_string(Value);
}
