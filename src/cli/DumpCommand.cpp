// quillmap dump FILE: the plot state as tab-separated lines, for tools and
// for checking a file by eye. Texts keep their bytes; tabs, line ends and
// backslashes in them are written as \t, \r, \n and \\.

#include "Cli.h"
#include "Commands.h"
#include "support/NumberText.h"

namespace {

std::string Field(std::string_view text) {
  std::string field;
  for (char c : text) {
    switch (c) {
      case '\t': field += "\\t"; break;
      case '\r': field += "\\r"; break;
      case '\n': field += "\\n"; break;
      case '\\': field += "\\\\"; break;
      default: field += c;
    }
  }
  return field;
}

constexpr const char* SurveyTypeNames[] = {"survey", "feature", "range"};

void DumpVectors(const TPlotState& plot, std::ostream& out) {
  for (int i = 0; i < plot.VectorArray.Count(); ++i) {
    const TPlotVector& v = plot.VectorArray[i];
    out << i << '\t' << v.Command << '\t' << Field(v.Station) << '\t' << FormatShortest(v.Location.East) << '\t'
        << FormatShortest(v.Location.North) << '\t' << FormatShortest(v.Location.Vert) << '\t'
        << FormatShortest(v.Left) << '\t' << FormatShortest(v.Up) << '\t' << FormatShortest(v.Down) << '\t'
        << FormatShortest(v.Right) << '\t' << FormatShortest(v.Distance) << '\t' << v.LineInx << '\t'
        << Field(v.Flags) << '\t' << Field(plot.CommentOf(v)) << '\n';
  }
}

void DumpSurveys(const TPlotState& plot, std::ostream& out) {
  for (int i = 0; i < plot.SurveyArray.Count(); ++i) {
    const TSurveyID& s = plot.SurveyArray[i];
    out << "survey\t" << i << '\t' << Field(s.Name) << '\t' << SurveyTypeNames[s.SurveyType] << '\t'
        << unsigned{s.Date.Year} << '-' << unsigned{s.Date.Month} << '-' << unsigned{s.Date.Day} << '\t'
        << s.Start << '\t' << s.SegStart << '\t' << FormatShortest(s.Min.East) << '\t' << FormatShortest(s.Min.North)
        << '\t' << FormatShortest(s.Min.Vert) << '\t' << FormatShortest(s.Max.East) << '\t'
        << FormatShortest(s.Max.North) << '\t' << FormatShortest(s.Max.Vert) << '\t' << Field(s.Comment) << '\n';
  }
}

void DumpSections(const TPlotState& plot, std::ostream& out) {
  for (int i = 0; i < plot.SectionArray.Count(); ++i) {
    const TCaveSection& s = plot.SectionArray[i];
    out << "section\t" << i << '\t' << Field(s.Name) << '\t' << s.Start << '\n';
  }
}

}  // namespace

int DumpCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1 || args.front().starts_with("-")) return UsageError(err, "dump: give one plot file");
  TPlotState plot;
  TPlotReadResult read = LoadPlotForCommand(plot, args.front(), err);
  DumpVectors(plot, out);
  DumpSurveys(plot, out);
  DumpSections(plot, out);
  return read.Loaded ? ExitLoaded : ExitFailed;
}
