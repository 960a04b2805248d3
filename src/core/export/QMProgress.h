#pragma once
// Status lines and the 0..100 progress bar of a long operation.

#include <string_view>

#include "support/UserInterface.h"

class TProgressDisplay {
public:
  explicit TProgressDisplay(TUserInterface& ui) : ui_(ui) {}

  void DisplayStatus1(std::string_view message, TColor color) { ui_.Status(1, message, color); }
  void DisplayStatus2(std::string_view message, TColor color) { ui_.Status(2, message, color); }
  void HandleElementProgress(long n, long total) { ui_.ElementProgress(n, total); }
  void SetProgress(int value);
  // The step for an operation of the given number of steps: 100 div steps + 1.
  void SetProgressDelta(int steps) { delta_ = 100 / steps + 1; }
  int ProgressDelta() const { return delta_; }
  void AdvanceProgress(int delta, std::string_view name);
  TUserInterface& UI() { return ui_; }

private:
  TUserInterface& ui_;
  int position_ = 0;
  int delta_ = 0;
};
