// A random user of a shown grid, its steps chosen by the input bytes: keys, presses and drags on
// cells, headers, lines and scroll bars, the wheel, and the program's changes, with the model
// checked after every step. The first byte chooses a well-behaved or a hostile host. Any
// problem aborts with the steps that led to it.
//
// Built with -DYGRIDS_GRID_INPUT_MAIN it is an ordinary program instead: it replays the files it
// is given, or with --seeds FIRST LAST [--steps N] runs seeded random sessions, for long runs
// without libFuzzer.
#include "tests/support/GridInputDriver.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {
// The input, read as numbers for the driver's choices; the session ends when it runs out.
class TByteChooser {
public:
  TByteChooser(const std::uint8_t* AData, std::size_t ASize) : Data(AData), Size(ASize) {}
  std::uint32_t Next(std::uint32_t Bound) {
    std::uint32_t Value = 0;
    for (std::uint32_t Range = 1; Range < Bound && Range <= 0xFFFFFF; Range <<= 8)
      Value = (Value << 8) | (Pos < Size ? Data[Pos++] : 0);
    if (Pos >= Size) Exhausted = true;
    return Value % Bound;
  }
  bool Done() const { return Exhausted; }

private:
  const std::uint8_t* Data;
  std::size_t Size;
  std::size_t Pos = 0;
  bool Exhausted = false;
};

void Fail(const std::string& Problem) {
  std::fprintf(stderr, "grid input: %s\n", Problem.c_str());
  std::abort();
}

constexpr int MaxSteps = 400; // keeps one input fast however long it is

void RunSession(TGridInputDriver& Driver, const std::function<bool()>& Done) {
  for (int Step = 0; Step < MaxSteps && !Done(); ++Step)
    if (const std::string Problem = Driver.Step(); !Problem.empty())
      Fail("step " + std::to_string(Step) + ": " + Problem);
  if (const std::string Problem = Driver.Finish(); !Problem.empty()) Fail(Problem);
}

void Prepare() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_SCALE_FACTOR", "1", 1);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Prepare();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 2) return 0;
  TByteChooser Bytes(Data + 1, Size - 1);
  TGridInputDriver Driver([&Bytes](std::uint32_t Bound) { return Bytes.Next(Bound); },
                          (Data[0] & 1) != 0);
  RunSession(Driver, [&Bytes] { return Bytes.Done(); });
  return 0;
}

#ifdef YGRIDS_GRID_INPUT_MAIN
namespace {
int RunSeeds(unsigned First, unsigned Last, int Steps) {
  long long Total = 0;
  for (unsigned Seed = First; Seed <= Last; ++Seed) {
    for (const bool Hostile : {false, true}) {
      std::mt19937 Rng(Seed);
      TGridInputDriver Driver(
          [&Rng](std::uint32_t Bound) {
            return std::uniform_int_distribution<std::uint32_t>(0, Bound - 1)(Rng);
          },
          Hostile);
      for (int Step = 0; Step < Steps; ++Step, ++Total)
        if (const std::string Problem = Driver.Step(); !Problem.empty())
          Fail("seed " + std::to_string(Seed) + (Hostile ? " hostile" : "") + " step " +
               std::to_string(Step) + ": " + Problem);
      if (const std::string Problem = Driver.Finish(); !Problem.empty()) Fail(Problem);
    }
    std::printf("seed %u done, %lld steps so far\n", Seed, Total);
    std::fflush(stdout);
  }
  std::printf("seeds %u..%u, both hosts: %lld steps, no problem\n", First, Last, Total);
  return 0;
}
} // namespace

int main(int argc, char** argv) {
  Prepare();
  if (argc >= 4 && std::strcmp(argv[1], "--seeds") == 0) {
    const int Steps = argc >= 6 && std::strcmp(argv[4], "--steps") == 0 ? std::atoi(argv[5]) : 2000;
    return RunSeeds(static_cast<unsigned>(std::atoi(argv[2])),
                    static_cast<unsigned>(std::atoi(argv[3])), Steps);
  }
  for (int I = 1; I < argc; ++I) {
    std::ifstream In(argv[I], std::ios::binary);
    const std::vector<char> Bytes{std::istreambuf_iterator<char>(In),
                                  std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(Bytes.data()), Bytes.size());
    std::printf("%s: no problem\n", argv[I]);
  }
  return 0;
}
#endif
