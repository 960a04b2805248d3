#pragma once
// The typed containers of a plot.

#include "CaveTypes.h"
#include "HugeArray.h"

using TPlotArray = THugeArray<TPlotVector>;
using TSurveyArray = THugeArray<TSurveyID>;
using TFixedStations = THugeArray<TFixedStation>;

// Sections, each owning its list of fixed stations: section k owns list k.
class TSectionArray : public THugeArray<TCaveSection> {
public:
  explicit TSectionArray(int initialCapacity)
      : THugeArray<TCaveSection>(initialCapacity), fixedStations_(5) {}

  int Add(const TCaveSection& section) {
    fixedStations_.Add(TFixedStations(1));
    return THugeArray<TCaveSection>::Add(section);
  }
  void Clear() {
    THugeArray<TCaveSection>::Clear();
    fixedStations_.Clear();
  }
  TFixedStations& FixedStations(int section) { return fixedStations_[section]; }
  const TFixedStations& FixedStations(int section) const { return fixedStations_[section]; }

private:
  THugeArray<TFixedStations> fixedStations_;
};
