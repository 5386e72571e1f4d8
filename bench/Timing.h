// Wall-clock timing and medians for the whole-program benchmark.
#pragma once

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <utility>
#include <vector>

// Seconds that Work takes.
template <class F> double SecondsOf(F&& Work) {
  const auto Start = std::chrono::steady_clock::now();
  std::forward<F>(Work)();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

// The median of a set of samples (the mean of the middle two for an even count).
inline double Median(std::vector<double> Samples) {
  if (Samples.empty()) throw std::logic_error("median of no samples");
  const auto Middle = Samples.begin() + static_cast<std::ptrdiff_t>(Samples.size() / 2);
  std::nth_element(Samples.begin(), Middle, Samples.end());
  if (Samples.size() % 2 == 1) return *Middle;
  return (*Middle + *std::max_element(Samples.begin(), Middle)) / 2;
}
