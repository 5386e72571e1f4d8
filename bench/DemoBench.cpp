// The whole-program benchmark: the demo's form beside a QTableView + QStandardItemModel peer,
// both loading the same generated table file into a 1920 x 1080 view (offscreen), timed
// alternately in one run. See bench/README.md for the figures and the options.
//
// Output: one line per figure, "name rows value unit":
//   ours.<figure>   the demo's form          peer.<figure>  the Qt table view
//   ratio.<figure>  ours / peer (below 1: ours is faster or smaller)
//   floor.<figure>  the least work any program must do (read + split; std::sort of the keys)
//   ratio.<figure>_per_<other>  ours / a floor or another of our own figures
// Lines starting with '#' are context (load average, file, settings).
#include "bench/Machine.h"
#include "bench/TableFile.h"
#include "bench/TableSide.h"
#include "bench/Timing.h"

#include "host/gui/Forms.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int CellsPerRow = 7; // the row number and six fields
constexpr int SurnameField = 0;

// ---------------------------------------------------------------- options

struct TOptions {
  std::vector<int> Rows{10000, 100000, 1000000};
  int Reps = 5;                  // samples of the figures that take seconds (load, sort, floors)
  int FastReps = 21;             // samples of the interactive figures
  std::vector<std::string> Only; // figure name parts; empty: every figure
  std::string DataDir;           // where the table files go
  std::string PictureDir;        // where pictures after loading go; empty: none
  TClock Clock = TClock::ProcessCpu;
};

std::vector<std::string> SplitList(const std::string& List) {
  std::vector<std::string> Parts;
  std::stringstream In(List);
  for (std::string Part; std::getline(In, Part, ',');)
    if (!Part.empty()) Parts.push_back(Part);
  return Parts;
}

const char* const Usage =
    "usage: demo_bench [--rows N[,N...]] [--reps N] [--fast-reps N] [--only NAME[,NAME...]]\n"
    "                  [--clock cpu|wall] [--data DIR] [--pictures DIR]\n"
    "  --rows       table sizes (default 10000,100000,1000000)\n"
    "  --reps       samples of load, sort and floor figures (default 5)\n"
    "  --fast-reps  samples of interactive figures (default 21)\n"
    "  --only       run the figures whose names contain one of these parts\n"
    "  --clock      time by the process's processor time (default) or by the wall clock\n"
    "  --data       directory for the generated table files (default: beside the program)\n"
    "  --pictures   save each side's window after loading as PNG files there\n";

TOptions ParseOptions(int argc, char** argv) {
  TOptions Options;
  Options.DataDir = (std::filesystem::path(argv[0]).parent_path() / "bench-data").string();
  for (int I = 1; I < argc; ++I) {
    const std::string Arg = argv[I];
    if (Arg == "--help") {
      std::cout << Usage;
      std::exit(0);
    }
    if (I + 1 >= argc) throw std::invalid_argument(Arg + " needs a value\n" + Usage);
    const std::string Value = argv[++I];
    if (Arg == "--rows") {
      Options.Rows.clear();
      for (const std::string& N : SplitList(Value))
        Options.Rows.push_back(std::stoi(N));
    } else if (Arg == "--reps") {
      Options.Reps = std::max(1, std::stoi(Value));
    } else if (Arg == "--fast-reps") {
      Options.FastReps = std::max(1, std::stoi(Value));
    } else if (Arg == "--only") {
      Options.Only = SplitList(Value);
    } else if (Arg == "--clock") {
      if (Value != "cpu" && Value != "wall") throw std::invalid_argument("--clock cpu or wall");
      Options.Clock = Value == "cpu" ? TClock::ProcessCpu : TClock::Wall;
    } else if (Arg == "--data") {
      Options.DataDir = Value;
    } else if (Arg == "--pictures") {
      Options.PictureDir = Value;
    } else {
      throw std::invalid_argument("unknown option " + Arg + "\n" + Usage);
    }
  }
  return Options;
}

// ---------------------------------------------------------------- output

struct TUnit {
  const char* Name;
  double Scale; // units a second (or a byte)
  int Precision;
};
constexpr TUnit Seconds{"s", 1, 4};
constexpr TUnit Millis{"ms", 1e3, 2};
constexpr TUnit MiB{"MiB", 1.0 / (1 << 20), 0};
constexpr TUnit Bytes{"B", 1, 0};
constexpr TUnit Times{"x", 1, 2};

void Print(const std::string& Name, int Rows, double Value, const TUnit& Unit) {
  std::printf("%s %d %.*f %s\n", Name.c_str(), Rows, Unit.Precision, Value * Unit.Scale, Unit.Name);
  std::fflush(stdout);
}

// ours.<Name>, peer.<Name> and their ratio.
void PrintPair(const std::string& Name, int Rows, double Ours, double Peer, const TUnit& Unit) {
  Print("ours." + Name, Rows, Ours, Unit);
  Print("peer." + Name, Rows, Peer, Unit);
  Print("ratio." + Name, Rows, Ours / Peer, Times);
}

// ---------------------------------------------------------------- alternating samples

using TSamples = std::map<std::string, std::vector<double>>; // seconds by figure name
// One repetition on one side: adds a sample to one or more figures.
using TRep = std::function<void(TTableSide&, TSamples&)>;

struct TSides {
  std::unique_ptr<TTableSide> Ours = MakeOurSide();
  std::unique_ptr<TTableSide> Peer = MakePeerSide();
};

struct TMedians {
  std::map<std::string, double> Ours, Peer;
};

// Runs Rep Reps times on each side, alternating which side goes first, and answers the
// median of every figure on each side.
TMedians Alternate(TSides& Sides, int Reps, const TRep& Rep) {
  TSamples Ours, Peer;
  for (int I = 0; I < Reps; ++I) {
    if (I % 2 == 0) {
      Rep(*Sides.Ours, Ours);
      Rep(*Sides.Peer, Peer);
    } else {
      Rep(*Sides.Peer, Peer);
      Rep(*Sides.Ours, Ours);
    }
  }
  TMedians Result;
  for (const auto& [Name, Values] : Ours)
    Result.Ours[Name] = Median(Values);
  for (const auto& [Name, Values] : Peer)
    Result.Peer[Name] = Median(Values);
  return Result;
}

void PrintMedians(const TMedians& M, const std::vector<std::string>& Names, int Rows,
                  const TUnit& Unit) {
  for (const std::string& Name : Names)
    PrintPair(Name, Rows, M.Ours.at(Name), M.Peer.at(Name), Unit);
}

void Check(bool Condition, const std::string& What) {
  if (!Condition) throw std::runtime_error("check failed: " + What);
}

// ---------------------------------------------------------------- one table size

class TSizeRun {
public:
  TSizeRun(const TOptions& AOptions, int ARows) : Options(AOptions), Rows(ARows) {
    std::filesystem::create_directories(Options.DataDir);
    FileName = TablePath(Rows);
    WriteTable(FileName, Rows);
    std::printf("# rows %d: %s, %.1f MiB\n", Rows, FileName.c_str(),
                static_cast<double>(std::filesystem::file_size(FileName)) / (1 << 20));
  }

  void Run() {
    if (Wanted({"read_split", "load_paint"})) ReadSplitFloor();
    if (Wanted({"load_paint", "destroy"})) LoadAndDestroy();
    if (Wanted({"peak_rss", "bytes_per_cell"})) Memory();
    // Paging first: it starts from the current cell in the first data row, in view.
    if (Wanted({"page_down"})) PageDown();
    if (Wanted({"full_repaint", "scroll_row", "scroll_bar_repaint"})) FullRepaintAndScroll();
    if (Wanted({"hide_groups", "show_all"})) HideAndShowGroups();
    if (Wanted({"move_column"})) MoveColumn();
    if (Wanted({"std_sort", "sort_text", "sort_number"})) Sorting();
  }

private:
  std::string TablePath(int N) const {
    return (std::filesystem::path(Options.DataDir) / ("table-" + std::to_string(N) + ".txt"))
        .string();
  }

  bool Wanted(std::initializer_list<const char*> Figures) const {
    if (Options.Only.empty()) return true;
    for (const std::string& Part : Options.Only)
      for (const char* Figure : Figures)
        if (std::string(Figure).find(Part) != std::string::npos) return true;
    return false;
  }

  // Both sides loaded, for the interactive figures; loaded once per size.
  TSides& OpenSides() {
    if (!Sides.Ours->IsOpen()) Sides.Ours->Open(FileName);
    if (!Sides.Peer->IsOpen()) Sides.Peer->Open(FileName);
    return Sides;
  }

  // ------------------------------------------------------------ floors, loading, memory

  void ReadSplitFloor() {
    std::vector<double> Samples;
    for (int I = 0; I < Options.Reps; ++I)
      Samples.push_back(SecondsOf([&] { Check(!ReadAndSplit(FileName).Fields.empty(), "read"); }));
    ReadSplit = Median(Samples);
    Print("floor.read_split", Rows, ReadSplit, Seconds);
  }

  void LoadAndDestroy() {
    int Pictures = 0;
    const TMedians M = Alternate(Sides, Options.Reps, [&](TTableSide& Side, TSamples& S) {
      S["load_paint"].push_back(SecondsOf([&] { Side.Open(FileName); }));
      if (!Options.PictureDir.empty() && Pictures++ < 2) SavePicture(Side, "load");
      S["destroy"].push_back(SecondsOf([&] { Side.Close(); }));
    });
    PrintMedians(M, {"load_paint", "destroy"}, Rows, Seconds);
    if (ReadSplit > 0)
      Print("ratio.load_paint_per_read_split", Rows, M.Ours.at("load_paint") / ReadSplit, Times);
  }

  void SavePicture(TTableSide& Side, const std::string& What) {
    std::filesystem::create_directories(Options.PictureDir);
    const auto Path = std::filesystem::path(Options.PictureDir) /
                      (std::string(Side.Name()) + "-" + What + "-" + std::to_string(Rows) + ".png");
    Check(Side.SavePicture(Path.string()), "saving " + Path.string());
    std::printf("# picture %s\n", Path.c_str());
  }

  // Each side loads and paints in a process of its own; what an empty table costs the same
  // program (Qt, fonts, the window's pixels, the code) is the baseline taken off per cell.
  void Memory() {
    const std::string Empty = TablePath(0);
    WriteTable(Empty, 0);
    std::map<std::string, double> Peak, PerCell;
    for (const char* Side : {"ours", "peer"}) {
      const double Base = std::stod(RunSelf({"--memory-child", Side, Empty})) * 1024;
      Peak[Side] = std::stod(RunSelf({"--memory-child", Side, FileName})) * 1024;
      PerCell[Side] = (Peak[Side] - Base) / (static_cast<double>(Rows) * CellsPerRow);
      Print(std::string(Side) + ".baseline_rss", Rows, Base, MiB);
    }
    PrintPair("peak_rss", Rows, Peak["ours"], Peak["peer"], MiB);
    PrintPair("bytes_per_cell", Rows, PerCell["ours"], PerCell["peer"], Bytes);
  }

  // ------------------------------------------------------------ interactive figures

  void FullRepaintAndScroll() {
    const TMedians M = Alternate(OpenSides(), Options.FastReps, [](TTableSide& Side, TSamples& S) {
      S["full_repaint"].push_back(SecondsOf([&] { Side.FullRepaint(); }));
      const int Top = Side.TopRow();
      S["scroll_row"].push_back(SecondsOf([&] { Side.ScrollOneRow(); }));
      Check(Side.TopRow() == Top + 1, std::string(Side.Name()) + " scrolled by a row");
      S["scroll_bar_repaint"].push_back(SecondsOf([&] { Side.RepaintScrollBar(); }));
    });
    PrintMedians(M, {"full_repaint", "scroll_row", "scroll_bar_repaint"}, Rows, Millis);
    Print("ratio.scroll_row_per_full_repaint", Rows,
          M.Ours.at("scroll_row") / M.Ours.at("full_repaint"), Times);
    Print("ratio.scroll_bar_repaint_per_full_repaint", Rows,
          M.Ours.at("scroll_bar_repaint") / M.Ours.at("full_repaint"), Times);
  }

  void PageDown() {
    const TMedians M = Alternate(OpenSides(), Options.FastReps, [](TTableSide& Side, TSamples& S) {
      const int Top = Side.TopRow();
      S["page_down"].push_back(SecondsOf([&] { Side.PageDown(); }));
      Check(Side.TopRow() > Top, std::string(Side.Name()) + " paged down");
    });
    PrintMedians(M, {"page_down"}, Rows, Millis);
  }

  void HideAndShowGroups() {
    const TMedians M = Alternate(OpenSides(), Options.FastReps, [](TTableSide& Side, TSamples& S) {
      S["hide_groups"].push_back(SecondsOf([&] { Side.HideGroups(); }));
      Check(Side.ShownColumns() == 3, std::string(Side.Name()) + " hid two groups");
      S["show_all"].push_back(SecondsOf([&] { Side.ShowAllColumns(); }));
      Check(Side.ShownColumns() == CellsPerRow, std::string(Side.Name()) + " showed all");
    });
    PrintMedians(M, {"hide_groups", "show_all"}, Rows, Millis);
  }

  // Column 2 (the city) to position 5 and back: two samples a repetition.
  void MoveColumn() {
    const TMedians M = Alternate(OpenSides(), Options.FastReps, [](TTableSide& Side, TSamples& S) {
      S["move_column"].push_back(SecondsOf([&] { Side.MoveColumn(2, 5); }));
      S["move_column"].push_back(SecondsOf([&] { Side.MoveColumn(5, 2); }));
    });
    PrintMedians(M, {"move_column"}, Rows, Millis);
  }

  // ------------------------------------------------------------ sorting

  // Each repetition sorts by the surnames (from file order, ascending) and then by the number
  // column (back to file order); both sides are checked to have sorted.
  void Sorting() {
    const TSplitTable Table = ReadAndSplit(FileName);
    const std::vector<std::string_view> Keys = ColumnOf(Table, SurnameField);
    const double StdSort = StdSortFloor(Keys);
    const std::string Least(*std::min_element(Keys.begin(), Keys.end()));
    const std::string First(Keys.front());
    const TMedians M = Alternate(OpenSides(), Options.Reps, [&](TTableSide& Side, TSamples& S) {
      S["sort_text"].push_back(SecondsOf([&] { Side.SortByText(); }));
      Check(Side.FirstSurname() == Least, std::string(Side.Name()) + " sorted by text");
      S["sort_number"].push_back(SecondsOf([&] { Side.SortByNumber(); }));
      Check(Side.FirstSurname() == First, std::string(Side.Name()) + " sorted by number");
    });
    PrintMedians(M, {"sort_text", "sort_number"}, Rows, Seconds);
    Print("ratio.sort_text_per_std_sort", Rows, M.Ours.at("sort_text") / StdSort, Times);
    Print("ratio.sort_number_per_std_sort", Rows, M.Ours.at("sort_number") / StdSort, Times);
  }

  // std::sort of the surnames as bytes, the order the demo's comparison gives.
  double StdSortFloor(const std::vector<std::string_view>& Keys) {
    std::vector<double> Samples;
    for (int I = 0; I < Options.Reps; ++I) {
      std::vector<std::string_view> Copy = Keys;
      Samples.push_back(SecondsOf([&] { std::sort(Copy.begin(), Copy.end()); }));
    }
    const double Floor = Median(Samples);
    Print("floor.std_sort", Rows, Floor, Seconds);
    return Floor;
  }

  const TOptions& Options;
  const int Rows;
  std::string FileName;
  double ReadSplit = 0; // seconds; 0 when not measured
  TSides Sides;
};

// ---------------------------------------------------------------- the child for memory

// Loads and paints FileName on one side, prints the peak resident size in KiB and ends
// without freeing anything.
[[noreturn]] void MemoryChild(const std::string& Side, const std::string& FileName) {
  std::unique_ptr<TTableSide> Table = Side == "ours" ? MakeOurSide() : MakePeerSide();
  Table->Open(FileName);
  std::printf("%ld\n", PeakRssKiB());
  std::fflush(stdout);
  std::_Exit(0);
}

void PrintLoadAverage(const char* When) {
  std::printf("# load average (1 min) at %s: %.2f\n", When, LoadAverage());
  std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
  // The same view on every machine: offscreen, one pixel a pixel.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("QT_SCALE_FACTOR", "1", 1);
  unsetenv("QT_SCREEN_SCALE_FACTORS");
  try {
    Application->Initialize();
    if (argc == 4 && std::string(argv[1]) == "--memory-child") MemoryChild(argv[2], argv[3]);
    const TOptions Options = ParseOptions(argc, argv);
    TimingClock = Options.Clock;
    PrintLoadAverage("start");
    std::printf("# reps %d, fast reps %d, clock %s; view %d x %d offscreen\n", Options.Reps,
                Options.FastReps, Options.Clock == TClock::Wall ? "wall" : "process cpu", ViewWidth,
                ViewHeight);
    for (const int Rows : Options.Rows)
      TSizeRun(Options, Rows).Run();
    PrintLoadAverage("end");
  } catch (const std::exception& E) {
    std::cerr << "demo_bench: " << E.what() << "\n";
    return 1;
  }
  return 0;
}
