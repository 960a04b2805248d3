#pragma once
// The application context: the one plot state, its survey tree, the
// projection and the settings, wired together. The window and the command
// line drive it; it reports through the user interface.

#include <functional>
#include <string>
#include <vector>

#include "PlotSettings.h"
#include "SettingsModel.h"
#include "export/DrawingSources.h"
#include "export/QMGlobal.h"
#include "repair/QMProcessLog.h"
#include "repair/QMValidate.h"
#include "export/Projection.h"
#include "merge/GraphListing.h"
#include "merge/QMMerge.h"
#include "merge/RefComparison.h"
#include "survey/PlotReader.h"
#include "survey/PlotState.h"
#include "survey/QMCaveTree.h"
#include "support/UserInterface.h"

class TAppContext : private TSettingsEnvironment {
public:
  explicit TAppContext(TUserInterface& ui, bool surveyFoot = false);
  TAppContext(const TAppContext&) = delete;
  TAppContext& operator=(const TAppContext&) = delete;

  // Reads a plot file and makes it the current survey: tree rebuilt, view
  // and paper position reset, "Exclude Sections/Surveys" cleared, status
  // lines and gauge kept up to date; counters hears the headers and vectors
  // read, then the surveys and shots of the tree. A failed read keeps what
  // was read (the reader has warned). Throws when the file cannot be opened.
  TPlotReadResult LoadPlotFile(const std::string& fileName, const TPlotProgress& counters = {});
  // "No Plot File Loaded." unless a plot is loaded.
  bool IsFileLoaded();
  // Refits the projection to the plot and resets scale, paper offset and cave offset.
  void InitializePlotParams();
  // The centre of the included shots, for centring.
  void FindObjectCenter();
  // The records of one drawing, gathered afresh; also sets the passage parameters.
  TSVGInfo SVGInfo();
  // What the drawings of the current survey read.
  TDrawingSources DrawingSources() {
    return {Plot, Tree, Projection, Settings.Colors(), Settings.FootFactors(), Passage};
  }
  // Writes the current survey as an SVG drawing; throws naming the file on failure.
  void ExportSVG(const std::string& fileName);

  // Repairs a drawing under the current compatibility settings, writing the
  // result to output (safely: the old file stays until the new one is
  // complete). Throws with the reason.
  void RepairSVGFile(const std::string& input, const std::string& output);
  // The same with its status and progress shown elsewhere (a dialog's).
  void RepairSVGFile(const std::string& input, const std::string& output, TUserInterface& ui);
  // Pixels per inch of lengths without a unit in a loaded drawing.
  double DotsPerInch() const { return Merge.DotsPerInch; }

  // The merge (MergeCommands.cpp).
  // Loads a drawing as merge target; throws with the reason.
  void LoadMergeTarget(const std::string& fileName);
  // The current survey exported into the merge's source document.
  void LoadMergeSource();
  // The source's reference data, from the current settings.
  TRefData GetRefDataFromSVG();
  // The number of survey shots the preview draws.
  int PlottedShots();
  // The Reference Values panel: the source, and the target when one is
  // loaded (reloaded first after a merge changed it).
  TRefComparison CompareSVGFiles(const TNumberText& number);
  // True when the target has reference data; else offers to add it (from
  // the current settings) and answers false.
  bool HandleRefData();
  // Sets view, paper, margins, rotation, scale and paper offset so that an
  // export lines up with the target; true when it changed them.
  bool MatchTarget();
  // The Graphs dialog's listing: the survey exported afresh, both graphs
  // rebuilt (the target as loaded from its file), their shots paired.
  std::vector<TGraphPair> UpdateGraphs();
  // The Match Target command: MatchTarget, and again when it succeeded.
  bool MatchTargetCommand();
  enum class TMergeResult { Saved, Merged, NotMerged };
  // The Merge/Morph/Save command: the merge, saved to output unless it is
  // empty (or the target file itself and the user declines). A failure
  // reloads the target and throws with the reason.
  TMergeResult DoMorphMerge(const std::string& output);

  // Called whenever the tree's check marks changed, by whatever changed them.
  void OnTreeChecks(std::function<void(TCheckChange)> listener) { checkListeners_.push_back(std::move(listener)); }
  // Called whenever a drawing setting changed (the preview repaints).
  void OnUpdatePlot(std::function<void()> listener) { updateListeners_.push_back(std::move(listener)); }
  // Something that shows in the drawing changed.
  void UpdatePlot() override;

  TUserInterface& UI() { return ui_; }
  TPlotState Plot;
  TSurveyTree Tree{Plot};
  TProjection Projection;
  TSettingsModel Settings{*this};
  TPassageParameters Passage;
  TProcessLog Log;  // its lines also go to the user interface's log
  TXMLValidation Validation;  // the faults of the last file validated
  TMergeState Merge;

private:
  double BaseScale() const override { return Projection.BaseScale; }
  T2DVector StationOrigin() const override { return Projection.StationOrigin; }
  T2DVector CenteringOffset() override;
  void ResetView() override { InitializePlotParams(); }
  void SelectionChanged() override { FindObjectCenter(); }
  void TreeChecksChanged(TCheckChange change);

  TUserInterface& ui_;
  std::vector<std::function<void()>> updateListeners_;
  std::vector<std::function<void(TCheckChange)>> checkListeners_;
};

// Plot files with more shots than this open with passage walls hidden in the preview.
constexpr int PassageWallShotLimit = 5000;
