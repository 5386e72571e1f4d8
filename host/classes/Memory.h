// Memory services of the system for large blocks.
#pragma once

#include <cstddef>

// Asks the system to back Block, Size bytes that are about to be filled for the first time, with
// huge pages where it offers them: filling a block of many megabytes then takes a few hundred
// page faults instead of hundreds of thousands, and reading it misses the address cache less.
// Only the whole huge pages inside the block are concerned, so small blocks are left alone.
// A system without huge pages ignores the advice; nothing is ever reported.
void AdviseHugePages(void* Block, std::size_t Size) noexcept;
