#include "PlotReader.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

#include "PlotText.h"

#include <sys/stat.h>

namespace {

struct TFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFileHandle = std::unique_ptr<std::FILE, TFileCloser>;

TFileHandle OpenForReading(const std::string& fileName) {
  TFileHandle file(std::fopen(fileName.c_str(), "rb"));
  if (!file) throw std::runtime_error("Cannot open \"" + fileName + "\": " + std::strerror(errno));
  // A folder opens, and then reads as an empty plot.
  struct stat status {};
  if (fstat(fileno(file.get()), &status) == 0 && S_ISDIR(status.st_mode))
    throw std::runtime_error("Cannot open \"" + fileName + "\": " + std::strerror(EISDIR));
  std::setvbuf(file.get(), nullptr, _IONBF, 0);  // the reader buffers itself
  return file;
}

int DaysInMonth(int month, int year) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  return month == 2 && leap ? 29 : days[month - 1];
}

TCaveDate NormalizedDate(int month, int day, int year) {
  year = std::clamp(year, 1, 65535);
  month = std::clamp(month, 1, 12);
  day = std::clamp(day, 1, DaysInMonth(month, year));
  return {static_cast<std::uint8_t>(day), static_cast<std::uint8_t>(month),
          static_cast<std::uint16_t>(year)};
}

// Removes the first "{P}" in any letter case; reports whether there was one.
bool TakeShowMarker(TShotComment& comment) {
  std::string_view text = comment.View();
  for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
    if (text[i] == '{' && (text[i + 1] == 'P' || text[i + 1] == 'p') && text[i + 2] == '}') {
      comment.Erase(i, 3);
      return true;
    }
  }
  return false;
}

// A cave is not larger than this, in feet; bigger values are damage, and
// would make every drawing of the plot unbounded.
constexpr double MaxCaveFeet = 1e9;
constexpr const char* OutOfRange = "Value out of range (more than 1e9 feet)";

bool InCaveRange(const TLocation& location) {
  return std::abs(location.North) <= MaxCaveFeet && std::abs(location.East) <= MaxCaveFeet &&
         std::abs(location.Vert) <= MaxCaveFeet;
}

TBoundBox BoxOfVectors(const TPlotArray& vectors, int first, int last) {
  if (last < first) return {};
  TBoundBox box{vectors[first].Location, vectors[first].Location};
  for (int i = first + 1; i <= last; ++i) box = Union(box, {vectors[i].Location, vectors[i].Location});
  return box;
}

// One read of one file into a plot state, record by record.
class TPlotFileReader {
public:
  TPlotFileReader(TPlotState& plot, std::FILE* file, TUserInterface& ui, const TPlotProgress& progress)
      : plot_(plot), text_(file), ui_(ui), progress_(progress) {}

  void Read();
  std::uint64_t Offset() const { return text_.Offset(); }

private:
  void ReadVector(char letter);
  void ReadStationPart(TPlotVector& vector, char letter);
  void ReadSurveyHeader();
  void ReadFeatureHeader();
  void FinishHeader();
  TBoundBox ReadBox();
  void ReadSurveyEnd();
  void ReadSection();
  void ReadCaveBox();
  void ReadFixedStation();
  void ReadLoop();
  void ReadMesh();
  void CloseOpenSurvey();
  void Finish();
  // A length in feet: a coordinate, a passage dimension or a distance.
  double ReadLength();
  float ReadDimension() { return static_cast<float>(ReadLength()); }
  // A range survey's value: any number a float holds.
  float ReadRangeValue();
  void ReportProgress();

  TPlotState& plot_;
  TPlotText text_;
  TUserInterface& ui_;
  const TPlotProgress& progress_;

  TSurveyID header_;
  bool headerOpen_ = false;  // a header that no end record has closed yet
  bool caveBoxRead_ = false;
  char previousLetter_ = 'M';
  int shotNumber_ = 0, headers_ = 0, vectors_ = 0;
  float rangeLow_ = 0, rangeHigh_ = 0;
};

void TPlotFileReader::Read() {
  for (;;) {
    int c = text_.Next();
    // A last character with nothing after it is not a record.
    if (c == TPlotText::EndOfText || text_.AtEnd()) break;
    switch (c) {
      case 'M': case 'D': case 'd': case 'L': ReadVector(static_cast<char>(c)); break;
      case 'N': ReadSurveyHeader(); break;
      case 'F': ReadFeatureHeader(); break;
      case 'X': ReadSurveyEnd(); break;
      case 'S': ReadSection(); break;
      case 'Z': ReadCaveBox(); break;
      case 'P': ReadFixedStation(); break;
      case 'G': text_.ReadInteger(); break;  // UTM zone, unused
      case 'O': text_.ReadToken(255, 32); text_.ReadToLineEnd(); break;  // datum, unused
      case 'C': text_.ReadInteger(); text_.ReadToLineEnd(); break;       // loop count, unused
      case 'R': ReadLoop(); break;
      case 'T': ReadMesh(); break;
      default: text_.ReadToLineEnd(); break;
    }
  }
  Finish();
}

double TPlotFileReader::ReadLength() {
  double value = text_.ReadReal();
  if (!(std::abs(value) <= MaxCaveFeet)) throw std::runtime_error(OutOfRange);
  return value;
}

float TPlotFileReader::ReadRangeValue() {
  double value = text_.ReadLenient();
  if (!(std::abs(value) <= FLT_MAX)) throw std::runtime_error("Value out of range");
  return static_cast<float>(value);
}

void TPlotFileReader::ReadVector(char letter) {
  TPlotVector vector;
  if (previousLetter_ != 'M' && previousLetter_ != 'L') ++shotNumber_;
  if (letter == 'M' || letter == 'L') plot_.SegmentArray.Add(plot_.VectorArray.Count());
  if (++vectors_ % 200 == 0) ReportProgress();
  vector.Location.North = ReadLength();
  vector.Location.East = ReadLength();
  vector.Location.Vert = ReadLength();
  vector.Command = letter;
  vector.LineInx = shotNumber_;
  ReadStationPart(vector, letter);
  text_.ReadToLineEnd();
  plot_.VectorArray.Add(vector);
  previousLetter_ = letter;
}

// Each piece is looked for only when the one before it was found.
void TPlotFileReader::ReadStationPart(TPlotVector& vector, char letter) {
  if (!text_.ScanFor('S')) return;
  vector.Station.Assign(text_.ReadToken(StationNameSize, 33));
  if (!text_.ScanFor('P')) return;
  vector.Left = ReadDimension();
  vector.Up = ReadDimension();
  vector.Down = ReadDimension();
  vector.Right = ReadDimension();
  if (letter == 'L') {
    if (!text_.ScanFor('V')) return;
    vector.Right = ReadRangeValue();
    vector.Down = rangeLow_;
    vector.Up = rangeHigh_;
    vector.Command = 'V';
    return;
  }
  if (!text_.ScanFor('I')) return;
  vector.Distance = ReadLength();
  if (!text_.ScanFor('F')) return;
  // The flags run to the next blank, CR or end of text.
  for (int c = text_.Next(); c != ' ' && c != TPlotText::CR && c != TPlotText::EndOfText; c = text_.Next())
    vector.Flags.Append(static_cast<char>(c));
  if (text_.Current() == TPlotText::CR) return;
  TShotComment comment(text_.ReadQuoted(ShotCommentSize));
  vector.ShowComment = TakeShowMarker(comment);
  if (!comment.Empty()) vector.CommentIndex = plot_.ShotComments.Add(comment);
}

void TPlotFileReader::ReadSurveyHeader() {
  CloseOpenSurvey();
  header_.SurveyType = stSurvey;
  header_.Name.Assign(text_.ReadToken(SurveyNameSize, 33));
  int month = 1, day = 1, year = 1;
  if (text_.ScanFor('D')) {
    month = text_.ReadInteger();
    day = text_.ReadInteger();
    year = text_.ReadInteger();
  }
  header_.Date = NormalizedDate(month, day, year);
  plot_.MinDate = std::min(plot_.MinDate, header_.Date);
  plot_.MaxDate = std::max(plot_.MaxDate, header_.Date);
  header_.Comment.Assign(text_.ScanFor('C') ? text_.ReadRestOfLine(SurveyCommentSize) : "");
  FinishHeader();
}

// A feature header keeps the date and comment of the header before it.
void TPlotFileReader::ReadFeatureHeader() {
  CloseOpenSurvey();
  header_.Name.Assign(text_.ReadToken(SurveyNameSize, 33));
  if (text_.ScanFor('R')) {
    rangeLow_ = ReadRangeValue();
    rangeHigh_ = ReadRangeValue();
    header_.SurveyType = stRange;
  } else {
    header_.SurveyType = stFeature;
  }
  FinishHeader();
}

void TPlotFileReader::FinishHeader() {
  header_.Attributes = TCaveAttributes{};
  header_.Attributes.FeatureInfo.Symbol = 172;
  header_.Action = header_.SurveyType == stSurvey ? paPlot : paExclude;
  header_.ShowStations = false;
  header_.ShowComment = false;
  header_.Start = plot_.VectorArray.Count();
  header_.SegStart = plot_.SegmentArray.Count();
  headerOpen_ = true;
  text_.ReadToLineEnd();
  if (++headers_ % 10 == 0) ReportProgress();
}

// Six numbers: north, east and vertical, each its minimum then its maximum.
TBoundBox TPlotFileReader::ReadBox() {
  TBoundBox box;
  for (auto axis : {&TLocation::North, &TLocation::East, &TLocation::Vert}) {
    box.Min.*axis = text_.ReadReal();
    box.Max.*axis = text_.ReadReal();
  }
  return box;
}

// A box out of the cave's range (a writer's sentinel, damage) is replaced
// by the box of the survey's own vectors.
void TPlotFileReader::ReadSurveyEnd() {
  TBoundBox box = ReadBox();
  if (!InCaveRange(box.Min) || !InCaveRange(box.Max))
    box = BoxOfVectors(plot_.VectorArray, header_.Start, plot_.VectorArray.Count() - 1);
  header_.Min = box.Min;
  header_.Max = box.Max;
  text_.ReadToLineEnd();
  plot_.SurveyArray.Add(header_);
  headerOpen_ = false;
}

// Other packages write surveys without an end record: such a survey is still
// added, when the next header or section or the end of the file comes, with
// the box of its own vectors.
void TPlotFileReader::CloseOpenSurvey() {
  if (!headerOpen_) return;
  TBoundBox box = BoxOfVectors(plot_.VectorArray, header_.Start, plot_.VectorArray.Count() - 1);
  header_.Min = box.Min;
  header_.Max = box.Max;
  plot_.SurveyArray.Add(header_);
  headerOpen_ = false;
}

void TPlotFileReader::ReadSection() {
  CloseOpenSurvey();
  TCaveSection section;
  section.Name.Assign(text_.ReadToken(SectionNameSize, 32));
  section.Start = plot_.SurveyArray.Count();
  plot_.SectionArray.Add(section);
  text_.ReadToLineEnd();
}

// A cave box out of the cave's range is left out, as if it were missing.
void TPlotFileReader::ReadCaveBox() {
  TBoundBox box = ReadBox();
  if (InCaveRange(box.Min) && InCaveRange(box.Max)) {
    plot_.CaveBox = Union(plot_.CaveBox, box);
    caveBoxRead_ = true;
  }
  if (text_.ScanFor('I')) text_.ReadReal();
  text_.ReadToLineEnd();
}

// Kept with the last section; one before any section has nowhere to go.
void TPlotFileReader::ReadFixedStation() {
  TFixedStation station;
  station.Name.Assign(text_.ReadToken(StationNameSize, 33));
  station.Loc.North = ReadLength();
  station.Loc.East = ReadLength();
  station.Loc.Vert = ReadLength();
  int sections = plot_.SectionArray.Count();
  if (sections > 0) plot_.SectionArray.FixedStations(sections - 1).Add(station);
}

// Loop closure record: read past, not used.
void TPlotFileReader::ReadLoop() {
  std::int64_t stations = std::int64_t{3} + std::max(0, text_.ReadInteger());
  for (std::int64_t i = 0; i < stations && text_.Current() != TPlotText::EndOfText; ++i)
    text_.ReadToken(255, 33);
  if (text_.ScanFor('S')) text_.ReadReal();
  text_.ReadToLineEnd();
}

// Triangle mesh, possibly over several lines: read past, not used.
void TPlotFileReader::ReadMesh() {
  text_.ReadToken(255, 33);
  std::int64_t numbers = 3 + 9 * std::int64_t{std::max(0, text_.ReadInteger())};
  for (std::int64_t i = 0; i < numbers && !text_.AtEnd(); ++i) text_.ReadReal();
}

void TPlotFileReader::Finish() {
  CloseOpenSurvey();
  const TPlotArray& vectors = plot_.VectorArray;
  // Without any cave-box record the sentinels would leave nothing drawable.
  if (!caveBoxRead_ && vectors.Count() > 0) plot_.CaveBox = BoxOfVectors(vectors, 0, vectors.Count() - 1);
  plot_.CaveOrigin = vectors.Count() > 0 ? vectors[0].Location : TLocation{};
  T3DVector center = BoxCenter(plot_.CaveBox);
  plot_.CaveCenter = vectors.Count() > 0 ? TLocation{center.X, center.Y, center.Z} : TLocation{};
  if (plot_.SectionArray.Count() == 0) {
    TCaveSection none;
    none.Name.Assign("(None)");
    plot_.SectionArray.Add(none);
  }
  plot_.FileLoaded = true;
  ReportProgress();
}

void TPlotFileReader::ReportProgress() {
  if (progress_) progress_(headers_, vectors_);
  ui_.ProcessEvents();
}

}  // namespace

TPlotReadResult ReadPlotFile(TPlotState& plot, std::FILE* file, TUserInterface& ui,
                             const TPlotProgress& progress) {
  plot.ResetArrays();
  plot.CaveBox = TPlotState::EmptyCaveBox;
  plot.MinDate = TPlotState::NoMinDate;
  plot.MaxDate = TPlotState::NoMaxDate;
  TBusyGuard busy(ui);
  TPlotFileReader reader(plot, file, ui, progress);
  std::string report;
  try {
    reader.Read();
    return {true, {}};
  } catch (const std::bad_alloc&) {
    report = OutOfMemoryReport;
  } catch (const std::exception& error) {
    report = GetErrorInfo(file, reader.Offset(), error.what());
  }
  ui.Warning(report);
  return {false, report};
}

TPlotReadResult OpenAndReadPlot(TPlotState& plot, const std::string& fileName, TUserInterface& ui,
                                const TPlotProgress& progress) {
  plot.PlotFile = fileName;
  TFileHandle file = OpenForReading(fileName);
  return ReadPlotFile(plot, file.get(), ui, progress);
}

int GetShotCount(const std::string& fileName) {
  TFileHandle file = OpenForReading(fileName);
  TPlotText text(file.get());
  int shots = 0;
  for (int c = text.Next(); c != TPlotText::EndOfText; c = text.Next()) {
    if (c == 'D') ++shots;
    text.ReadToLineEnd();
  }
  return shots;
}

std::string GetErrorInfo(std::FILE* file, std::uint64_t stopOffset, std::string_view message) {
  std::string lastLine, line;
  int lines = 0;
  if (std::fseek(file, 0, SEEK_SET) == 0) {
    TPlotText text(file);
    while (text.Offset() < stopOffset) {
      int c = text.Next();
      if (c == TPlotText::EndOfText) break;
      if (c == TPlotText::CR) {
        ++lines;
        lastLine.swap(line);
        line.clear();
      } else if (c != TPlotText::LF) {
        line += static_cast<char>(c);
      }
    }
  }
  std::string report(message);
  if (lines == 0) return report + "\r\nin the first line of the file";
  return report + "\r\nLine: " + std::to_string(lines) + " \"" + lastLine;
}
