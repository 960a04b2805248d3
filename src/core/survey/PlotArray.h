#pragma once
// The typed containers of a plot.

#include <vector>

#include "CaveTypes.h"
#include "HugeArray.h"

using TPlotArray = THugeArray<TPlotVector>;
using TSurveyArray = THugeArray<TSurveyID>;
using TFixedStations = THugeArray<TFixedStation>;
using TShotCommentArray = THugeArray<TShotComment>;

// Sections, each owning its list of fixed stations: section k owns list k.
class TSectionArray : public THugeArray<TCaveSection> {
public:
  explicit TSectionArray(int initialCapacity)
      : THugeArray<TCaveSection>(initialCapacity) {}

  int Add(const TCaveSection& section) {
    fixedStations_.emplace_back(1);
    return THugeArray<TCaveSection>::Add(section);
  }
  void Clear() {
    THugeArray<TCaveSection>::Clear();
    fixedStations_.clear();
  }
  TFixedStations& FixedStations(int section) { return fixedStations_[section]; }
  const TFixedStations& FixedStations(int section) const { return fixedStations_[section]; }

private:
  std::vector<TFixedStations> fixedStations_;
};
