// Small string and file routines of the framework.
#pragma once

#include "Sets.h"

#include <cstdint>
#include <string>

enum TReplaceFlag : std::uint8_t { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag, std::uint8_t>;

// S with OldPattern replaced by NewPattern: the first occurrence, or all with rfReplaceAll.
// (rfIgnoreCase compares ASCII letters without case.)
std::string StringReplace(const std::string& S, const std::string& OldPattern,
                          const std::string& NewPattern, TReplaceFlags Flags);
// Whether FileName names an existing regular file.
bool FileExists(const std::string& FileName);
// The drive and directory part of FileName, up to and including its last '/'.
std::string ExtractFilePath(const std::string& FileName);
std::string IntToStr(std::int64_t Value);
