#pragma once
// What the drawings of a survey read besides their settings record: the
// export and the preview alike.

#include "Projection.h"
#include "QMColors.h"
#include "QMGlobal.h"
#include "QMScaleUnits.h"
#include "survey/PlotState.h"
#include "survey/QMCaveTree.h"

struct TDrawingSources {
  const TPlotState& Plot;
  const TSurveyTree& Tree;
  TProjection& Projection;
  const TSVGColors& Colors;
  const TFootFactors& Factors;
  const TPassageParameters& Passage;
};
