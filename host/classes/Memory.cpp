#include "host/classes/Memory.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {
constexpr std::uintptr_t HugePage = std::uintptr_t{2} << 20; // the x86-64 and arm64 size
} // namespace

void AdviseHugePages([[maybe_unused]] void* Block, [[maybe_unused]] std::size_t Size) noexcept {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  const auto Start = reinterpret_cast<std::uintptr_t>(Block);
  const std::uintptr_t First = (Start + HugePage - 1) & ~(HugePage - 1);
  const std::uintptr_t Last = (Start + Size) & ~(HugePage - 1);
  if (First < Last) madvise(reinterpret_cast<void*>(First), Last - First, MADV_HUGEPAGE);
#endif
}
