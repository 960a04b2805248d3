// quillmap merge FILE.plt TARGET.svg [-o OUT.svg] [--match] [--morph A,B,P[,N]]
// [--dry-run] [--report OUT.json] [--replace-target] [export options]: the
// drawing's artwork morphed onto the survey as it is now, its survey layers
// renewed, saved after backups of the file it replaces.
//
// quillmap compare FILE.plt TARGET.svg [--match] [--json] [export options]:
// the reference values side by side, and how the survey changed.

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "Cli.h"
#include "Commands.h"
#include "ConsoleUserInterface.h"
#include "ExportOptions.h"
#include "JsonText.h"
#include "app/QMIni.h"
#include "merge/SurveyChange.h"
#include "support/NumberText.h"
#include "support/SafeFile.h"

namespace {

using S = TSetting;

struct TMergeOptions {
  bool match = false, dryRun = false, replaceTarget = false, json = false;
  std::string report;
  std::vector<std::pair<TSetting, double>> morph;
};

// The merge's own options; true when name was one of them.
bool MergeOption(TMergeOptions& options, const std::string& name, const std::function<const std::string&()>& value) {
  if (name == "match") options.match = true;
  else if (name == "dry-run") options.dryRun = true;
  else if (name == "replace-target") options.replaceTarget = true;
  else if (name == "json") options.json = true;
  else if (name == "report") options.report = value();
  else if (name == "morph") {
    const std::string& text = value();
    const TSetting factors[] = {S::MorphA, S::MorphB, S::MorphP, S::MorphN};
    std::vector<std::string> pieces;
    for (std::size_t start = 0;;) {
      const std::size_t comma = text.find(',', start);
      pieces.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    if (pieces.size() < 3 || pieces.size() > std::size(factors))
      throw TUsageError("--morph: give three or four numbers as A,B,P or A,B,P,N");
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      const std::optional<double> number = ParseReal(pieces[i]);
      const TSettingSpec& spec = SpecOf(factors[i]);
      const bool whole = spec.Decimals > 0 || (number && *number == std::floor(*number));
      if (!number || *number < spec.Min || *number > spec.Max || !whole)
        throw TUsageError("--morph: \"" + pieces[i] + "\" is not " + (spec.Decimals > 0 ? "a number" : "a whole number") +
                          " from " + FormatShortest(spec.Min) + " to " + FormatShortest(spec.Max));
      options.morph.emplace_back(factors[i], *number);
    }
  } else {
    return false;
  }
  return true;
}

// Reads the plot with its options, then the drawing, and matches it when asked.
int PrepareMerge(TAppContext& app, const TExportRequest& request, const TMergeOptions& options, std::ostream& err) {
  for (auto [setting, value] : options.morph) app.Settings.Set(setting, value);
  if (int status = PrepareDrawing(app, request, err); status != ExitLoaded) return status;
  try {
    app.LoadMergeTarget(request.drawings.front());
    if (options.match && !app.MatchTargetCommand()) {
      err << "quillmap: the drawing has no reference data to match\n";
      return ExitFailed;
    }
  } catch (const std::exception& error) {
    err << "quillmap: " << error.what() << '\n';
    return ExitFailed;
  }
  return ExitLoaded;
}

std::string Point(T2DVector p) { return "[" + FormatFixed(p.X, 2) + ", " + FormatFixed(p.Y, 2) + "]"; }

std::string IdList(const std::vector<std::string>& ids) {
  std::string list = "[";
  for (std::size_t i = 0; i < ids.size(); ++i) list += (i ? ", " : "") + JsonString(Utf8ToLatin1(ids[i]));
  return list + "]";
}

// A row's field name: its caption without the blank before it and the colon after.
std::string FieldName(const TRefComparison::TRow& row) {
  std::string field = row.Caption;
  field.erase(0, field.find_first_not_of(' '));
  return field.erase(field.find(':'));
}

std::string ReportJson(const TMergeReport& report, const std::string& output) {
  std::ostringstream json;
  json << "{\"output\": " << (output.empty() ? "null" : JsonString(output)) << ", \"pairs\": " << report.Pairs
       << ", \"targetUnpaired\": " << IdList(report.TargetUnpaired)
       << ", \"sourceUnpaired\": " << IdList(report.SourceUnpaired) << ", \"layers\": {";
  for (std::size_t i = 0; i < report.Layers.size(); ++i)
    json << (i ? ", " : "") << JsonString(report.Layers[i].Layer) << ": " << report.Layers[i].Elements;
  json << "}, \"groupsMoved\": " << report.GroupsMoved << ", \"largestMove\": {\"pt\": " << FormatFixed(report.LargestMove, 3)
       << ", \"element\": " << JsonString(Utf8ToLatin1(report.LargestMoveElement)) << ", \"at\": " << Point(report.LargestMoveAt)
       << "}, \"warps\": [";
  for (std::size_t i = 0; i < report.Warps.size(); ++i) {
    const TMergeReport::TWarp& warp = report.Warps[i];
    json << (i ? ", " : "") << "{\"layer\": " << JsonString(warp.Layer) << ", \"element\": " << JsonString(Utf8ToLatin1(warp.Element))
         << ", \"kind\": " << JsonString(warp.Kind) << ", \"at\": " << Point(warp.At)
         << ", \"factor\": " << FormatFixed(warp.Factor, 3) << "}";
  }
  json << "]";
  if (const TMorphFit& fit = report.Fit; fit.Measured) {
    json << ", \"fit\": {\"median_pt\": " << FormatFixed(fit.Median, 4) << ", \"p95_pt\": " << FormatFixed(fit.P95, 4)
         << ", \"max_pt\": " << FormatFixed(fit.Max, 4) << ", \"median_mm\": " << FormatFixed(fit.Median * MillimetresPerPoint, 4)
         << ", \"p95_mm\": " << FormatFixed(fit.P95 * MillimetresPerPoint, 4)
         << ", \"max_mm\": " << FormatFixed(fit.Max * MillimetresPerPoint, 4) << ", \"worst\": [";
    for (std::size_t i = 0; i < fit.Worst.size(); ++i)
      json << (i ? ", " : "") << "{\"shot\": " << JsonString(Utf8ToLatin1(fit.Worst[i].Shot))
           << ", \"miss_pt\": " << FormatFixed(fit.Worst[i].Miss, 4) << "}";
    json << "]}";
  }
  json << "}\n";
  return json.str();
}

}  // namespace

int MergeCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err) {
  TMergeOptions options;
  TExportRequest request;
  try {
    request = ParseExportArgs(
        args, [&](const std::string& name, const auto& value) { return MergeOption(options, name, value); }, {true, 1});
    if (options.json) throw TUsageError("unknown option \"--json\"");
    if (request.outFile.empty())
      request.outFile = (std::filesystem::path(request.plotFile).parent_path() /
                         (std::filesystem::path(request.plotFile).stem().string() + "_Mrg.svg"))
                            .string();
    // An existing output is kept in the backups; only what is no file is refused.
    request.overwrite = true;
    CheckOutputFile(request);
    if (!options.report.empty()) {
      TExportRequest report = request;
      report.outFile = options.report;
      CheckOutputFile(report);
    }
  } catch (const TUsageError& error) {
    return UsageError(err, std::string("merge: ") + error.what());
  }
  bool terminal = &err == &std::cerr && isatty(STDERR_FILENO);
  TConsoleUserInterface ui(err, request.drawings.front(), terminal, request.verbose);
  if (options.replaceTarget) ui.AnswerYes("overwrite Source Map");
  TAppContext app(ui, SuiteSurveyFoot());
  if (int status = PrepareMerge(app, request, options, err); status != ExitLoaded) return status;
  TAppContext::TMergeResult result;
  try {
    result = app.DoMorphMerge(options.dryRun ? std::string() : request.outFile);
    if (!options.report.empty()) {
      const std::string json = ReportJson(app.Merge.Report, result == TAppContext::TMergeResult::Saved ? request.outFile : "");
      WriteFileSafely(options.report, [&](std::ostream& stream) { stream << json; });
    }
  } catch (const std::exception& error) {
    err << "quillmap: " << error.what() << '\n';
    return ExitFailed;
  }
  if (options.dryRun) {
    for (const std::string& line : app.Merge.Report.Lines()) out << Utf8ToLatin1(line) << '\n';
    return result == TAppContext::TMergeResult::NotMerged ? ExitFailed : ExitLoaded;
  }
  if (result != TAppContext::TMergeResult::Saved) {
    err << "quillmap: nothing saved" << (IsSameFile(request.outFile, request.drawings.front())
                                              ? ": the output is the drawing merged from; give --replace-target to replace it"
                                              : "")
        << '\n';
    return ExitFailed;
  }
  out << "Merged " << request.plotFile << " into " << request.drawings.front() << ": " << request.outFile << " ("
      << app.Merge.Report.Pairs << " line pairs)\n";
  return ExitLoaded;
}

int CompareCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err) {
  TMergeOptions options;
  TExportRequest request;
  try {
    request = ParseExportArgs(
        args, [&](const std::string& name, const auto& value) { return MergeOption(options, name, value); }, {true, 1});
    if (options.dryRun || options.replaceTarget || !options.report.empty() || !options.morph.empty() || !request.outFile.empty())
      throw TUsageError("compare takes no merge or output options");
  } catch (const TUsageError& error) {
    return UsageError(err, std::string("compare: ") + error.what());
  }
  TConsoleUserInterface ui(err, request.drawings.front(), false, request.verbose);
  TAppContext app(ui, SuiteSurveyFoot());
  if (int status = PrepareMerge(app, request, options, err); status != ExitLoaded) return status;
  TRefComparison comparison;
  TSurveyChange change;
  try {
    comparison = app.CompareSVGFiles(FormatFixed);
    app.LoadMergeSource();
    LoadGraphs(app.Merge);
    change = CompareStations(app.Merge.MorphGraph, app.Merge.BaseGraph, 10);
  } catch (const std::exception& error) {
    err << "quillmap: " << error.what() << '\n';
    return ExitFailed;
  }
  if (options.json) {
    out << "{\"fields\": [";
    for (std::size_t i = 0; i < comparison.Rows.size(); ++i) {
      const TRefComparison::TRow& row = comparison.Rows[i];
      out << (i ? ", " : "") << "{\"field\": " << JsonString(FieldName(row)) << ", \"target\": " << JsonString(Utf8ToLatin1(row.TargetText))
          << ", \"source\": " << JsonString(Utf8ToLatin1(row.SourceText)) << ", \"differs\": " << (row.Differs ? "true" : "false") << "}";
    }
    out << "], \"onlyInTarget\": " << IdList(change.OnlyInTarget) << ", \"onlyInSource\": " << IdList(change.OnlyInSource)
        << ", \"moved\": [";
    for (std::size_t i = 0; i < change.Moved.size(); ++i)
      out << (i ? ", " : "") << "{\"station\": " << JsonString(Utf8ToLatin1(change.Moved[i].Station))
          << ", \"pt\": " << FormatFixed(change.Moved[i].Distance, 2) << ", \"from\": " << Point(change.Moved[i].From)
          << ", \"to\": " << Point(change.Moved[i].To) << "}";
    out << "]}\n";
    return ExitLoaded;
  }
  out << "Field       Target              Source\n";
  for (const TRefComparison::TRow& row : comparison.Rows) {
    std::string line = FieldName(row) + ":";
    line.resize(12, ' ');
    std::string target = Utf8ToLatin1(row.TargetText);
    target.resize(std::max<std::size_t>(target.size(), 20), ' ');
    out << line << target << Utf8ToLatin1(row.SourceText) << (row.Differs ? "   *" : "") << '\n';
  }
  auto list = [&](const char* caption, const std::vector<std::string>& names) {
    out << caption << names.size();
    for (std::size_t i = 0; i < names.size(); ++i) out << (i ? ", " : ": ") << Utf8ToLatin1(names[i]);
    out << '\n';
  };
  list("Stations only in the drawing: ", change.OnlyInTarget);
  list("Stations only in the survey: ", change.OnlyInSource);
  out << "Stations that moved most (points on paper):\n";
  for (const TSurveyChange::TMove& move : change.Moved)
    out << "  " << Utf8ToLatin1(move.Station) << ": " << FormatFixed(move.Distance, 2) << '\n';
  return ExitLoaded;
}
