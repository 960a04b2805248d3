#include "QMProgress.h"

#include <algorithm>

#include "QMColors.h"

void TProgressDisplay::SetProgress(int value) {
  position_ = std::clamp(value, 0, 100);
  ui_.Progress(position_);
}

void TProgressDisplay::AdvanceProgress(int delta, std::string_view name) {
  SetProgress(position_ + delta);
  DisplayStatus2(name, clLime);
}
