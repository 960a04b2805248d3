#include "PassageWalks.h"

#include "ShotWalk.h"

bool ShowPrismFace(bool hideFaces, bool plan, double faceAngle) {
  if (!hideFaces) return true;
  if (plan) return (faceAngle > 270 && faceAngle <= 360) || (faceAngle >= 0 && faceAngle < 90);
  return faceAngle > 0 && faceAngle < 180;
}

void PlotPassages(TProjection& projection, const TPlotState& plot, const TSurveyTree& tree,
                  const TPassageParameters& passage, const TSVGInfo& info, const TPassTriProc& triangleProc,
                  const TPassRectProc& rectangleProc, bool hideFaces) {
  const TPlotParams& params = info.PlotParams;
  projection.ConfigureRotation(BoxCenter(plot.CaveBox), params.YawAngle, params.PitchAngle);
  auto drawn = [&](const TFacePlace& place) {
    return !params.Selective || tree.IsTreeItemSelected(place.Section, place.Survey, place.TreeIndex).Selected;
  };
  auto transformed = [&](T3DVector p) {
    projection.DoFullTransform(p, params);
    return p;
  };
  TPassageModel model(passage);
  model.DisplayPassageMesh(
      plot,
      [&](const T3DVector& p1, const T3DVector& p2, const T3DVector& p3, bool, const TFacePlace& place) {
        if (triangleProc && drawn(place)) triangleProc(transformed(p1), transformed(p2), transformed(p3));
      },
      [&](const T3DVector& p1, const T3DVector& p2, const T3DVector& p3, const T3DVector& p4, const TFacePlace& place) {
        if (ShowPrismFace(hideFaces, params.Plan, place.FaceAngle) && drawn(place))
          rectangleProc(transformed(p1), transformed(p2), transformed(p3), transformed(p4));
      });
}

void PlotLRUDs(TProjection& projection, const TPlotState& plot, const TSurveyTree& tree,
               const TPassageParameters& passage, const TSVGInfo& info, const TLRUDProcedure& lrudProc) {
  if (!lrudProc) return;
  const TPlotParams& params = info.PlotParams;
  projection.ConfigureRotation(BoxCenter(plot.CaveBox), params.YawAngle, params.PitchAngle);
  TPassageModel model(passage);
  WalkShots(plot, tree, params.Selective, [&](bool, int survey, const TShotSelection& shot, int vector) {
    const TPlotVector& current = plot.VectorArray[vector];
    bool candidate = plot.SurveyArray[survey].SurveyType == stSurvey && current.Command != 'L' &&
                     current.Command != 'V' && current.Flags.View().find('S') == std::string_view::npos;
    if (!candidate) return;
    const TPlotVector &from = plot.VectorArray[shot.FromInx], &to = plot.VectorArray[shot.ToInx];
    T3DLRUDVector fromLRUD, toLRUD;
    model.GetLRUDPoints(from, to, fromLRUD, toLRUD);
    T3DVector p1 = from.Location.Vector(), p2 = to.Location.Vector();
    projection.DoFullTransform(p1, params);
    projection.DoFullTransform(p2, params);
    projection.TransformLRUDS(fromLRUD, params);
    projection.TransformLRUDS(toLRUD, params);
    lrudProc(vector, p1, p2, fromLRUD, toLRUD, params);
  });
}
