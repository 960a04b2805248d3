#include "ShotWalk.h"

void PlotPassageShots(TProjection& projection, const TPlotState& plot, const TSurveyTree& tree,
                      const TSVGInfo& info, const TPlotProcedure& plotProc) {
  if (!plotProc) return;
  projection.ConfigureRotation(BoxCenter(plot.CaveBox), info.PlotParams.YawAngle, info.PlotParams.PitchAngle);
  IterateShots(projection, plot, tree, info, plotProc);
}

void IterateShots(const TProjection& projection, const TPlotState& plot, const TSurveyTree& tree,
                  const TSVGInfo& info, const TPlotProcedure& plotProc) {
  const TPlotParams& params = info.PlotParams;
  TSurveyID surveyInfo;  // copied once per survey; only the flags change per shot
  int surveyOfInfo = -1;
  WalkShots(plot, tree, params.Selective, [&](bool start, int survey, const TShotSelection& shot, int vector) {
    if (survey != surveyOfInfo) {
      surveyInfo = plot.SurveyArray[survey];
      surveyOfInfo = survey;
    }
    surveyInfo.Flags = plot.VectorArray[vector].Flags;
    T3DVector v1 = plot.VectorArray[shot.FromInx].Location.Vector();
    T3DVector v2 = plot.VectorArray[shot.ToInx].Location.Vector();
    projection.DoFullTransform(v1, params);
    projection.DoFullTransform(v2, params);
    plotProc(start, shot.FromInx, shot.ToInx, v1, v2, info, surveyInfo);
  });
}

TCaveExtents GetCaveExtents(const TPlotState& plot, const TSurveyTree& tree, bool selective) {
  TCaveExtents extents;
  extents.Box = {{1e100, 1e100, 1e100}, {-1e100, -1e100, -1e100}};
  bool any = false;
  WalkShots(plot, tree, selective, [&](bool, int, const TShotSelection& shot, int) {
    for (int end : {shot.FromInx, shot.ToInx}) {
      const TLocation& at = plot.VectorArray[end].Location;
      extents.Box = Union(extents.Box, {at, at});
    }
    any = true;
  });
  if (any) extents.Center = BoxCenter(extents.Box);
  return extents;
}
