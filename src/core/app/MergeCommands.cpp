// The merge commands of the application: loading a target, the reference
// comparison, Match Target and Merge/Morph/Save.

#include <cmath>

#include "AppContext.h"
#include "Version.h"
#include "export/QMColors.h"
#include "export/QMExport.h"
#include "export/ShotWalk.h"
#include "merge/QMLibrary.h"
#include "support/NumberText.h"

namespace {

using S = TSetting;

// Says nothing, but lets the window paint while it works: the merge shows
// its own progress.
class TPaintingOnlyUserInterface : public TSilentUserInterface {
public:
  explicit TPaintingOnlyUserInterface(TUserInterface& ui) : ui_(ui) {}
  void Status(int, std::string_view, TColor) override { ui_.ProcessEvents(); }
  void Progress(int) override { ui_.ProcessEvents(); }
  void ElementProgress(long, long) override { ui_.ProcessEvents(); }
  void ProcessEvents() override { ui_.ProcessEvents(); }

private:
  TUserInterface& ui_;
};

}  // namespace

void TAppContext::LoadMergeTarget(const std::string& fileName) {
  TMergeServices services{ui_, Log, Validation, Settings.FootFactors()};
  try {
    ::LoadMergeTarget(Merge, fileName, SVGInfo(), Settings.Choice(S::Generator), services);
  } catch (...) {
    Merge.TargetLoaded = false;
    throw;
  }
}

void TAppContext::LoadMergeSource() {
  TSVGInfo info = SVGInfo();
  TExportSources sources{DrawingSources(), GeneratorStampNow(), [this](const std::string& line) { Log.LogText(line); }};
  TPaintingOnlyUserInterface quiet(ui_);
  TProgressDisplay progress(quiet);
  ::LoadMergeSource(
      Merge, [&](std::ostream& out) { WriteSVGToStream(out, info, sources, progress); }, [this] { ui_.ProcessEvents(); });
}

TRefData TAppContext::GetRefDataFromSVG() {
  const TSVGInfo info = SVGInfo();
  const TRefInfo& ref = info.RefInfo;
  const double toMeters = Settings.FootFactors().Feet2Meters;
  TRefData source;
  source.Name = Latin1ToUtf8(ref.Filename);  // the target's name comes from a document
  source.Plan = ref.ViewAngle == "Plan";
  source.ReadYaw = ref.WriteYaw;
  source.ReadPitch = ref.WritePitch;
  source.Scale = ref.ScaleRatio;
  source.Frame = ref.FrameDims * toMeters;
  source.Center = ref.FrameCenter * toMeters;
  source.Paper = info.PlotParams.PaperSize;
  source.Units = 'm';
  source.Valid = true;
  return source;
}

int TAppContext::PlottedShots() {
  int shots = 0;
  PlotPassageShots(Projection, Plot, Tree, SVGInfo(),
                   [&](bool, int, int, const T3DVector&, const T3DVector&, const TSVGInfo&, const TSurveyID& survey) {
                     shots += survey.SurveyType == stSurvey;
                   });
  return shots;
}

TRefComparison TAppContext::CompareSVGFiles(const TNumberText& number) {
  if (Merge.TargetLoaded && Merge.MergeMorph) LoadMergeTarget(Merge.TargetFilename);
  const TRefData source = GetRefDataFromSVG();
  if (!Merge.TargetLoaded) return CompareReferences(source, PlottedShots(), nullptr, 0, number);
  GetReferenceData(Merge.TargetDoc, Merge.TargetRef, {Merge.DotsPerInch, Settings.FootFactors()});
  return CompareReferences(source, PlottedShots(), &Merge.TargetRef, Merge.TargetShotCount, number);
}

bool TAppContext::HandleRefData() {
  if (HasValidReference(Merge.TargetDoc, Merge.TargetRef, {Merge.DotsPerInch, Settings.FootFactors()})) return true;
  if (ui_.Question("No reference data in target file. \r\nWould you like to add Reference Data?\r\n"
                   "(This will use current scale, offsets and rotations.)"))
    AddRefData(Merge.TargetDoc, SVGInfo(), Settings.FootFactors());
  return false;
}

bool TAppContext::MatchTarget() {
  // Set up as for a fresh plot, turned about the cave's centre.
  InitializePlotParams();
  Projection.ConfigureRotation(BoxCenter(Plot.CaveBox), Settings.Value(S::Yaw), Settings.Value(S::Pitch));
  if (Merge.MergeMorph) LoadMergeTarget(Merge.TargetFilename);
  if (!HandleRefData()) return false;
  const TRefData ref = Merge.TargetRef;
  Settings.Set(S::View, ref.Plan ? 0 : 1);
  // The paper window at paper scale, in inches, and the sheet around it.
  const TFootFactors& factors = Settings.FootFactors();
  const double paperFactor = Settings.Units().PaperFactor;
  const T2DVector window = ref.Frame / ref.Scale * (ref.Units == 'm' ? factors.Meters2Inches : 12.0);
  Settings.SetWithoutReaction(S::Orientation, window.X > window.Y ? 0 : 1);
  const T2DVector margin = (ref.Paper - window) / 2;
  Settings.SetWithoutReaction(S::PaperX, ref.Paper.X * paperFactor);
  Settings.SetWithoutReaction(S::PaperY, ref.Paper.Y * paperFactor);
  Settings.SetWithoutReaction(S::MarginX, margin.X * paperFactor);
  Settings.SetWithoutReaction(S::MarginY, margin.Y * paperFactor);
  Settings.SetRotationAngle(InvertRotation(ref.ReadYaw), ref.ReadPitch);
  Settings.Set(S::Ratio, ref.Scale);
  // The cave centre of the reference on the centre of the sheet.
  const T2DVector half = T2DVector{Settings.Value(S::PaperX), Settings.Value(S::PaperY)} / paperFactor / 2;
  const TPlotParams params = GetPlotParams(Settings, Projection);
  T2DVector q = ref.Center * factors.Meters2Feet;
  q = (q * Projection.BaseScale - Projection.BaseOffset) * params.Scale;
  const T2DVector offset = (half - q + Projection.StationOrigin - params.Margin) * paperFactor;
  Settings.SetWithoutReaction(S::PaperOffsetX, offset.X);
  Settings.SetWithoutReaction(S::PaperOffsetY, offset.Y);
  UpdatePlot();
  return true;
}

std::vector<TGraphPair> TAppContext::UpdateGraphs() {
  LoadMergeSource();
  if (Merge.TargetLoaded && Merge.MergeMorph) LoadMergeTarget(Merge.TargetFilename);
  if (!Merge.TargetLoaded) Merge.TargetDoc.Clear();  // what a failed load left holds no shots
  LoadGraphs(Merge);
  return FindPairs(Merge.BaseGraph, Merge.MorphGraph);
}

bool TAppContext::MatchTargetCommand() {
  if (!IsFileLoaded()) return false;
  if (!Merge.TargetLoaded) {
    ui_.Warning("No Target File Loaded - Nothing to Match\r\nPress the \"Load SVG Target\" button to load Target\r\n");
    return false;
  }
  if (!MatchTarget()) return false;
  MatchTarget();  // from the settings the first run made
  return true;
}

TAppContext::TMergeResult TAppContext::DoMorphMerge(const std::string& output) {
  if (Merge.TargetFilename.empty()) {
    ui_.Warning("No Target File Loaded - Nothing to Merge\r\n"
                "Press the \"Load SVG Target\" button to load Target\r\n"
                "Or press the \"Export SVG\" to Export PLT file\r\n");
    return TMergeResult::NotMerged;
  }
  TBusyGuard busy(ui_);
  TProgressDisplay progress(ui_);
  progress.SetProgress(0);
  progress.SetProgressDelta(38);
  Merge.Report.Clear();
  if (!Merge.TargetLoaded) LoadMergeTarget(Merge.TargetFilename);
  try {
    progress.DisplayStatus1("Loading Source", clLime);
    LoadMergeSource();
    CompareSVGFiles(FormatFixed);
    progress.DisplayStatus1("Do Morph", clLime);
    const TMorphFactors factors{Settings.Value(S::MorphA), Settings.Value(S::MorphB), Settings.Value(S::MorphP),
                                static_cast<int>(Settings.Value(S::MorphN))};
    if (!DoMorph(Merge, factors, progress, ui_)) return TMergeResult::NotMerged;
    progress.DisplayStatus1("Do Merge", clLime);
    MergeSVGDocuments(Merge.SourceDoc, Merge.TargetDoc, SVGInfo(), {Merge.DotsPerInch, Settings.FootFactors()}, progress);
    Merge.MergeMorph = true;
    for (const std::string& line : Merge.Report.Lines()) Log.LogText(line);
    progress.DisplayStatus1("Saving File", clLime);
    TMergeResult result = TMergeResult::Merged;
    if (!output.empty()) {
      // Replacing the drawing merged from is asked, however it is named.
      const bool overwritesTarget = IsSameFile(output, Merge.TargetFilename);
      if (!overwritesTarget || ui_.Question("Warning:\r\nYou are about to overwrite Source Map\r\nwith Morphed Map\r\nAre you sure?")) {
        SaveMergedData(Merge.TargetDoc, output);
        result = TMergeResult::Saved;
      }
    }
    progress.DisplayStatus1("Merge/Morph Complete", clLime);
    if (const TMorphFit& fit = Merge.Report.Fit; fit.Measured)
      progress.DisplayStatus2("Fit: median " + FormatFixed(fit.Median, 2) + " pt, 95% " + FormatFixed(fit.P95, 2) +
                                  " pt, largest " + FormatFixed(fit.Max, 2) + " pt",
                              fit.P95 > FitWarning ? clRed : clLime);
    return result;
  } catch (...) {
    // No half-changed target stays for the next run.
    try {
      LoadMergeTarget(Merge.TargetFilename);
    } catch (...) {
      Merge.TargetLoaded = false;
    }
    throw;
  }
}
