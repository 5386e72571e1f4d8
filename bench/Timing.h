// Timing and medians for the whole-program benchmark.
#pragma once

#include <algorithm>
#include <chrono>
#include <ctime>
#include <stdexcept>
#include <utility>
#include <vector>

// What SecondsOf measures. The processor time of the process is what the work itself costs;
// on a shared machine it stays put while the wall clock grows with the other processes'
// load. The two agree for this single-threaded work on an idle machine.
enum class TClock { ProcessCpu, Wall };
inline TClock TimingClock = TClock::ProcessCpu; // chosen once, at start

inline double ClockSeconds() {
  if (TimingClock == TClock::ProcessCpu) return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Seconds that Work takes on TimingClock.
template <class F> double SecondsOf(F&& Work) {
  const double Start = ClockSeconds();
  std::forward<F>(Work)();
  return ClockSeconds() - Start;
}

// The median of a set of samples (the mean of the middle two for an even count).
inline double Median(std::vector<double> Samples) {
  if (Samples.empty()) throw std::logic_error("median of no samples");
  const auto Middle = Samples.begin() + static_cast<std::ptrdiff_t>(Samples.size() / 2);
  std::nth_element(Samples.begin(), Middle, Samples.end());
  if (Samples.size() % 2 == 1) return *Middle;
  return (*Middle + *std::max_element(Samples.begin(), Middle)) / 2;
}
