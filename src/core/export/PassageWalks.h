#pragma once
// The passage and LRUD walks that the export and the preview share: they
// run the passage model and the shots, keep what is drawn, project it onto
// the paper and hand it to the caller's procedures.

#include <functional>

#include "PassageLib.h"
#include "Projection.h"
#include "QMGlobal.h"
#include "survey/PlotState.h"
#include "survey/QMCaveTree.h"

// One side face or end triangle, transformed (paper (X, Y) in plan, (X, Z) in profile).
using TPassRectProc = std::function<void(const T3DVector& p1, const T3DVector& p2, const T3DVector& p3, const T3DVector& p4)>;
using TPassTriProc = std::function<void(const T3DVector& p1, const T3DVector& p2, const T3DVector& p3)>;
// One shot ending at vector inx: its stations and their wall points, transformed.
using TLRUDProcedure = std::function<void(int inx, const T3DVector& p1, const T3DVector& p2, const T3DLRUDVector& from,
                                          const T3DLRUDVector& to, const TPlotParams& params)>;

// Whether a side face looking this way is drawn: with hidden faces, in plan
// only those looking up, in profile only those looking towards the viewer.
bool ShowPrismFace(bool hideFaces, bool plan, double faceAngle);

void PlotPassages(TProjection& projection, const TPlotState& plot, const TSurveyTree& tree,
                  const TPassageParameters& passage, const TSVGInfo& info, const TPassTriProc& triangleProc,
                  const TPassRectProc& rectangleProc, bool hideFaces);

// The shots of ordinary surveys, without splays and feature points.
void PlotLRUDs(TProjection& projection, const TPlotState& plot, const TSurveyTree& tree,
               const TPassageParameters& passage, const TSVGInfo& info, const TLRUDProcedure& lrudProc);
