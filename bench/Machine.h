// What the benchmark reads about the machine and its own process (Linux /proc).
#pragma once

#include <string>
#include <vector>

// The peak resident set size of this process so far (VmHWM), in KiB.
long PeakRssKiB();

// The 1-minute load average.
double LoadAverage();

// Runs this program again with Arguments and answers the last line it printed; raises when
// it fails.
std::string RunSelf(const std::vector<std::string>& Arguments);
