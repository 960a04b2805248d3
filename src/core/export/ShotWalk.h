#pragma once
// The walk over the drawn shots that every shot-based layer uses: sections,
// their surveys and vectors in order; a shot is drawn when the survey tree
// selects it or the plot parameters are not selective.

#include <functional>

#include "QMGlobal.h"
#include "Projection.h"
#include "survey/PlotState.h"
#include "survey/QMCaveTree.h"

// The walk itself: visits every non-move vector of the surveys in sections
// with its tree position; `shot(start, survey, selection, vector)` is called
// for the included ones, where start tells the first shot after a move.
template <typename Visitor>
void WalkShots(const TPlotState& plot, const TSurveyTree& tree, bool selective, Visitor&& shot) {
  const int treeShots = static_cast<int>(tree.ShotNodes().size());
  int treeIndex = 0;
  bool start = true;
  for (int section = 0; section < plot.SectionArray.Count(); ++section) {
    TIndexRange surveys = plot.SectionStartEnd(section);
    for (int survey = surveys.First; survey <= surveys.Last; ++survey) {
      TIndexRange vectors = plot.SurveyStartEnd(survey);
      for (int i = vectors.First; i <= vectors.Last; ++i) {
        if (plot.VectorArray[i].Command == 'M') {
          start = true;
          continue;
        }
        if (treeIndex == treeShots) return;  // a tree not built for this plot
        TShotSelection selection = tree.IsTreeItemSelected(section, survey, treeIndex++);
        if (selection.Selected || !selective) {
          shot(start, survey, selection, i);
          start = false;
        }
      }
    }
  }
}

// One drawn shot: Start is true for the first shot after a move (draw the
// from-station too); v1 and v2 are the transformed end points; the survey
// record carries the shot's own flags.
using TPlotProcedure = std::function<void(bool start, int fromInx, int toInx, const T3DVector& v1,
                                          const T3DVector& v2, const TSVGInfo& info, const TSurveyID& survey)>;

// Configures the rotation about the centre of the cave box, then walks.
void PlotPassageShots(TProjection& projection, const TPlotState& plot, const TSurveyTree& tree,
                      const TSVGInfo& info, const TPlotProcedure& plotProc);
void IterateShots(const TProjection& projection, const TPlotState& plot, const TSurveyTree& tree,
                  const TSVGInfo& info, const TPlotProcedure& plotProc);

struct TCaveExtents {
  TBoundBox Box;    // of the included shots' untransformed end points
  T3DVector Center; // (0, 0, 0) when nothing is included
};
TCaveExtents GetCaveExtents(const TPlotState& plot, const TSurveyTree& tree, bool selective);
