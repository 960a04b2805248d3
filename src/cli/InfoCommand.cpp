// quillmap info FILE [--json] [--tree]: what a plot file holds, in a few
// lines; with --tree also its survey tree.

#include <algorithm>
#include <cstdio>

#include "Cli.h"
#include "Commands.h"
#include "JsonText.h"
#include "support/NumberText.h"
#include "survey/QMCaveTree.h"

namespace {

struct TPlotSummary {
  std::string file;
  TPlotReadResult read;
  int sections = 0, surveys = 0, vectors = 0, draws = 0, segments = 0;
  TBoundBox caveBox;
  TLocation caveOrigin;
  bool dated = false;
  TCaveDate minDate, maxDate;
};

TPlotSummary Summarize(const std::string& file, const TPlotReadResult& read, const TPlotState& plot) {
  TPlotSummary summary;
  summary.file = file;
  summary.read = read;
  summary.sections = plot.SectionArray.Count();
  summary.surveys = plot.SurveyArray.Count();
  summary.vectors = plot.VectorArray.Count();
  summary.draws = static_cast<int>(std::count_if(plot.VectorArray.begin(), plot.VectorArray.end(),
                                                 [](const TPlotVector& v) { return v.Command == 'D' || v.Command == 'd'; }));
  summary.segments = plot.SegmentArray.Count();
  summary.caveBox = plot.CaveBox;
  summary.caveOrigin = plot.CaveOrigin;
  summary.dated = !(plot.MaxDate < plot.MinDate);  // no survey header leaves the sentinels crossed
  summary.minDate = plot.MinDate;
  summary.maxDate = plot.MaxDate;
  return summary;
}

std::string DateText(const TCaveDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u", unsigned{date.Year}, unsigned{date.Month}, unsigned{date.Day});
  return text;
}

std::string JsonPoint(const TLocation& at) {
  return "[" + FormatShortest(at.East) + ", " + FormatShortest(at.North) + ", " + FormatShortest(at.Vert) + "]";
}

std::string TextPoint(const TLocation& at) {
  return "E " + FormatFixed(at.East, 2) + "  N " + FormatFixed(at.North, 2) + "  V " + FormatFixed(at.Vert, 2);
}

int Depth(const TSurveyTree& tree, int node) {
  int depth = 0;
  for (int parent = tree.Parent(node); parent != TSurveyTree::NoNode; parent = tree.Parent(parent)) ++depth;
  return depth;
}

void PrintTreeText(const TSurveyTree& tree, std::ostream& out) {
  for (int node = 0; node < tree.NodeCount(); ++node)
    out << std::string(2 * Depth(tree, node), ' ') << ItemTypeName(tree.Info(node).ItemType) << ": " << tree.Text(node)
        << '\n';
}

void PrintTreeJson(const TSurveyTree& tree, std::ostream& out) {
  out << "  \"tree\": [";
  for (int node = 0; node < tree.NodeCount(); ++node)
    out << (node ? ",\n    " : "\n    ") << "{\"depth\": " << Depth(tree, node) << ", \"kind\": "
        << JsonString(ItemTypeName(tree.Info(node).ItemType)) << ", \"text\": " << JsonString(tree.Text(node)) << "}";
  out << "\n  ],\n";
}

void PrintJson(const TPlotSummary& s, const TSurveyTree* tree, std::ostream& out) {
  auto date = [&](const TCaveDate& d) { return s.dated ? JsonString(DateText(d)) : std::string("null"); };
  out << "{\n"
      << "  \"file\": " << JsonString(s.file) << ",\n"
      << "  \"loaded\": " << (s.read.Loaded ? "true" : "false") << ",\n"
      << "  \"sections\": " << s.sections << ",\n"
      << "  \"surveys\": " << s.surveys << ",\n"
      << "  \"vectors\": " << s.vectors << ",\n"
      << "  \"draws\": " << s.draws << ",\n"
      << "  \"segments\": " << s.segments << ",\n"
      << "  \"caveBox\": {\"min\": " << JsonPoint(s.caveBox.Min) << ", \"max\": " << JsonPoint(s.caveBox.Max) << "},\n"
      << "  \"caveOrigin\": " << JsonPoint(s.caveOrigin) << ",\n"
      << "  \"minDate\": " << date(s.minDate) << ",\n"
      << "  \"maxDate\": " << date(s.maxDate) << ",\n";
  if (tree) PrintTreeJson(*tree, out);
  out << "  \"error\": " << (s.read.Loaded ? std::string("null") : JsonString(s.read.ErrorReport)) << "\n"
      << "}\n";
}

void PrintText(const TPlotSummary& s, std::ostream& out) {
  out << "File:         " << s.file << '\n'
      << "Loaded:       " << (s.read.Loaded ? "yes" : "no") << '\n'
      << "Sections:     " << s.sections << '\n'
      << "Surveys:      " << s.surveys << '\n'
      << "Vectors:      " << s.vectors << '\n'
      << "Draws:        " << s.draws << '\n'
      << "Segments:     " << s.segments << '\n'
      << "Cave box min: " << TextPoint(s.caveBox.Min) << '\n'
      << "Cave box max: " << TextPoint(s.caveBox.Max) << '\n'
      << "Cave origin:  " << TextPoint(s.caveOrigin) << '\n'
      << "Dates:        " << (s.dated ? DateText(s.minDate) + " to " + DateText(s.maxDate) : "none") << '\n';
}

}  // namespace

int InfoCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err) {
  std::string file;
  bool json = false, withTree = false;
  for (const std::string& arg : args) {
    if (arg == "--json") json = true;
    else if (arg == "--tree") withTree = true;
    else if (arg.starts_with("-")) return UsageError(err, "info: unknown option \"" + arg + "\"");
    else if (file.empty()) file = arg;
    else return UsageError(err, "info: one plot file at a time");
  }
  if (file.empty()) return UsageError(err, "info: no plot file given");

  TPlotState plot;
  TPlotReadResult read = LoadPlotForCommand(plot, file, err);
  TPlotSummary summary = Summarize(file, read, plot);
  TSurveyTree tree(plot);
  if (withTree) tree.DisplaySurveyTree();
  if (json) {
    PrintJson(summary, withTree ? &tree : nullptr, out);
  } else {
    PrintText(summary, out);
    if (withTree) PrintTreeText(tree, out);
  }
  return read.Loaded ? ExitLoaded : ExitFailed;
}
