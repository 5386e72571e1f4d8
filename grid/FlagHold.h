// A guard flag of the grid's own, held up for a scope.
#pragma once

namespace YGridsDetail {

// Holds a flag up for a scope and lets it down however the scope ends, also on an exception:
// the grid's re-entry guards are private flags like this, never a published property.
class TFlagHold {
public:
  explicit TFlagHold(bool& AFlag) : Flag(AFlag) { Flag = true; }
  ~TFlagHold() { Flag = false; }
  TFlagHold(const TFlagHold&) = delete;
  TFlagHold& operator=(const TFlagHold&) = delete;

private:
  bool& Flag;
};

} // namespace YGridsDetail
