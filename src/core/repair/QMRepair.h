#pragma once
// Repair and convert: reads a drawing, repairs it under the current editor
// choices and writes it to a new file. A conversion is a repair with the
// other editor's choices.

#include <string>

#include "QMValidate.h"
#include "export/QMScaleUnits.h"
#include "merge/QMLibrary.h"

struct TRepairServices : TLoadServices {
  const TFootFactors& Factors;
  double DotsPerInch;
};

// The whole repair of one file: check, text repairs, parse, layer ids, the
// missing layers and reference data, then the drawing written to output
// (beside it first, renamed in when complete; the input is never written
// unless it is the output). Status and progress through the services' user
// interface. Throws with the reason, "No svg element in FILE" for a
// document without one; nothing is written then.
void RepairSVGFile(const std::string& input, const std::string& output, const TSVGInfo& info,
                   TRepairServices& services);
