// A random user of a shown grid: keys, presses and drags on cells, headers, lines and scroll
// bars, the wheel, and the program's own changes (inserting, deleting, hiding, moving, merging,
// sorting, marking, extreme sizes), with the model checked after every step. The choices come
// from a source of numbers, so that a seeded generator (the tests) and a fuzzer's bytes (fuzz/)
// drive the same steps.
//
// A hostile host's handlers, from every event the grid fires, now and then raise or hide,
// delete or move vectors; the grid must stay consistent and usable all the same.
#pragma once

#include "tests/support/GridTestSupport.h"

#include "host/gui/Forms.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

class TGridInputDriver {
public:
  // Answers a number in 0 .. Bound - 1 (Bound > 0).
  using TChooser = std::function<std::uint32_t(std::uint32_t Bound)>;

  TGridInputDriver(TChooser AChoose, bool AHostile);
  ~TGridInputDriver();
  TGridInputDriver(const TGridInputDriver&) = delete;
  TGridInputDriver& operator=(const TGridInputDriver&) = delete;

  // One random step, then the checks; answers what is wrong (with the recent steps), or "".
  std::string Step();
  // Destroys the grid; answers what leaked or was freed wrongly, or "".
  std::string Finish();

  int GetHostFailures() const { return HostFailures; }
  TYCustomGrid& GetGrid() { return *Grid; }

private:
  using TAction = void (TGridInputDriver::*)();

  std::uint32_t Pick(std::uint32_t Bound) { return Bound == 0 ? 0 : Choose(Bound); }
  std::int32_t Between(std::int32_t Low, std::int32_t High); // inclusive
  bool Chance(int Percent) { return static_cast<int>(Pick(100)) < Percent; }
  void Note(const std::string& What);
  std::string History() const;
  std::string Checked();
  std::string Problems();

  // Where the pointer goes: a cell, near a line, an edge of the window, or anywhere.
  TPoint AnyPoint();
  TPoint NearLine();
  TShiftState AnyShift();

  // User input.
  void Click();
  void Drag();
  void RightDrag();
  void Deliver(unsigned Msg, std::uintptr_t WParam);
  void DoubleClick();
  void WheelTurn();
  void Key();
  void ScrollBar();
  // The program's changes.
  void Resize();
  void InsertOrDelete();
  void ShowHide();
  void MoveVector();
  void Merge();
  void SortRows();
  void Mark();
  void FixedCounts();
  void ExtremeSizes();
  void ChangeOptions();
  void WindowSize();

  // The hostile host.
  void InstallHostileHandlers();
  void Hostile(const char* Event);
  void HostileChange();

  TChooser Choose;
  bool IsHostile;
  int HostFailures = 0;
  int HostileActions = 0; // changes of the grid the hostile host made
  int HostileDepth = 0;   // a hostile change fires events itself; those only record
  HookRecorder Recorder;
  std::unique_ptr<TForm> Form;
  TYGrid* Grid = nullptr; // owned by the form
  std::deque<std::string> Recent;
  std::vector<std::string> Reported; // what input and paint reported to the application
};
