#pragma once
// The records of one loaded survey plot. Lengths are feet as the plot file
// gives them: East, North, Vertical (up). Records are plain and copied whole;
// texts have fixed capacities and are cut to them.

#include <cstdint>
#include <string>

#include "support/Color.h"
#include "support/FixedText.h"
#include "support/Vector.h"

constexpr std::size_t StationNameSize = 20;
constexpr std::size_t SurveyNameSize = 20;
constexpr std::size_t SectionNameSize = 80;
constexpr std::size_t SurveyCommentSize = 255;
constexpr std::size_t ShotCommentSize = 160;
constexpr std::size_t ShotFlagsSize = 10;
constexpr std::size_t FontFaceSize = 255;

struct TLocation {
  double East = 0, North = 0, Vert = 0;

  double X() const { return East; }
  double Y() const { return North; }
  double Z() const { return Vert; }
  T3DVector Vector() const { return {East, North, Vert}; }
  friend bool operator==(const TLocation&, const TLocation&) = default;
};

struct TBoundBox {
  TLocation Min, Max;
};

// The smallest box that holds both: the lower of the minima, the higher of the maxima.
inline TBoundBox Union(const TBoundBox& a, const TBoundBox& b) {
  auto lower = [](double x, double y) { return x < y ? x : y; };
  auto higher = [](double x, double y) { return x > y ? x : y; };
  return {{lower(a.Min.East, b.Min.East), lower(a.Min.North, b.Min.North), lower(a.Min.Vert, b.Min.Vert)},
          {higher(a.Max.East, b.Max.East), higher(a.Max.North, b.Max.North), higher(a.Max.Vert, b.Max.Vert)}};
}

inline T3DVector BoxCenter(const TBoundBox& box) { return (box.Min.Vector() + box.Max.Vector()) / 2; }

struct TCaveDate {
  std::uint8_t Day = 1;
  std::uint8_t Month = 1;
  std::uint16_t Year = 1;  // as written; two-digit years are not expanded

  friend bool operator==(const TCaveDate&, const TCaveDate&) = default;
  friend bool operator<(const TCaveDate& a, const TCaveDate& b) {
    if (a.Year != b.Year) return a.Year < b.Year;
    if (a.Month != b.Month) return a.Month < b.Month;
    return a.Day < b.Day;
  }
};

// One station position. Command: 'M' move (starts a line), 'D' draw (a shot
// from the previous vector), 'd' hidden draw, 'L' feature location, 'V'
// feature location with a data value (Right = value, Down/Up = the range).
struct TPlotVector {
  char Command = 'M';
  TFixedText<StationNameSize> Station{"?"};
  TLocation Location;
  double Distance = 0;
  float Up = 0, Down = 0, Right = 0, Left = 0;  // negative or above 900: not measured
  std::int32_t LineInx = 0;                     // running shot number of the read
  TFixedText<ShotFlagsSize> Flags;              // as written; "S" anywhere marks a splay
  bool ShowComment = false;
  // Few shots have a comment, so comments live apart from the vectors (which
  // keeps a million of them small): the index of this shot's comment in the
  // plot state's ShotComments, -1 for none.
  std::int32_t CommentIndex = -1;
};

using TShotComment = TFixedText<ShotCommentSize>;

enum TNumberMode : std::uint8_t { nmSymbol, nmNumber };
enum TNumberFormat : std::uint8_t { nfStandard, nfScientific };
enum TLinePattern : std::uint8_t {
  lpSolid, lpDotted, lpDashed, lpDashDot, lpDashDotDot, lpFineDot, lpUserPattern
};
enum TSurveyType : std::uint8_t { stSurvey, stFeature, stRange };
enum TPlotAction : std::uint8_t { paPlot, paExclude, paDepth, paPassage };

constexpr TColor clRed = RGBColor(0xFF, 0, 0);
constexpr TColor clOlive = RGBColor(0x80, 0x80, 0);

// How the data points of a feature or range survey are drawn.
struct TFeatureInfo {
  TFixedText<FontFaceSize> FontFace{"Wingdings"};
  TColor FontColor = clRed;
  TColor LineColor = clOlive;
  TNumberMode NumberMode = nmSymbol;
  std::int32_t SizeLow = 12, SizeHigh = 24;  // points
  TNumberFormat NumberFormat = nfStandard;
  std::int32_t Digits = 4;
  bool LabelFeatures = false;
  std::uint8_t Symbol = 0;  // character code in FontFace; survey headers set 172
};

// Display attributes of a survey or section; the defaults are the reader's.
struct TCaveAttributes {
  TColor Color = clRed;
  std::int32_t LineWidth = 1;
  TLinePattern LineType = lpSolid;
  bool DefaultColor = true;
  TFeatureInfo FeatureInfo;
};

struct TSurveyID {
  TFixedText<SurveyNameSize> Name;
  TCaveDate Date;
  TFixedText<SurveyCommentSize> Comment;
  TSurveyType SurveyType = stSurvey;
  TPlotAction Action = paPlot;
  bool ShowStations = false, ShowComment = false;
  TCaveAttributes Attributes;
  std::int32_t Start = 0;     // first vector after the header line
  std::int32_t SegStart = 0;  // first segment that begins after the header line
  TLocation Min, Max;         // the survey's box as its end record states it
  // Carrier: a shot walk puts the current shot's flags here before handing
  // the record to a drawing procedure.
  TFixedText<ShotFlagsSize> Flags;
};

struct TFixedStation {
  TFixedText<StationNameSize> Name;
  TLocation Loc;
  std::int32_t Zone = 0;
};

struct TCaveSection {
  TFixedText<SectionNameSize> Name;
  TCaveAttributes Attributes;
  std::int32_t UTMZone = 0;
  TPlotAction Action = paPlot;
  bool Show = true, ShowStations = false;
  std::int32_t Start = 0;  // first survey of the section
};
