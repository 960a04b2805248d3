#pragma once
// The plot state: everything one read of a plot file leaves in memory.
//
// Partition rules the look-ups rely on (a range whose Last is below its First
// is empty; vectors before the first survey's Start belong to no survey):
//   section k: surveys  Start(k) .. Start(k+1)-1, the last up to the end;
//   survey s:  vectors  Start(s) .. Start(s+1)-1;
//   segment g: vectors  SegmentArray[g] .. SegmentArray[g+1]-1;
//   survey s:  segments SegStart(s) .. SegStart(s+1)-1.
// The look-ups take a valid index and do not check it.

#include <string>

#include "CaveTypes.h"
#include "PlotArray.h"

struct TIndexRange {
  int First = 0, Last = -1;
  bool Empty() const { return Last < First; }
  friend bool operator==(const TIndexRange&, const TIndexRange&) = default;
};

class TPlotState {
public:
  // Empties every container (capacities back to initial); leaves the rest.
  void ResetArrays();

  TIndexRange SectionStartEnd(int section) const;
  TIndexRange SurveyStartEnd(int survey) const;
  TIndexRange SegmentStartEnd(int segment) const;
  TIndexRange SurveyBySegment(int survey) const;

  TPlotArray VectorArray{500};
  TSurveyArray SurveyArray{500};
  TSectionArray SectionArray{50};
  THugeInteger SegmentArray{50};  // index of the first vector of each segment
  TShotCommentArray ShotComments{50};

  // The comment of a shot; empty when it has none.
  std::string_view CommentOf(const TPlotVector& vector) const {
    return vector.CommentIndex < 0 ? std::string_view() : ShotComments[vector.CommentIndex].View();
  }

  static constexpr TBoundBox EmptyCaveBox{{9.9e99, 9.9e99, 9.9e99}, {-9.9e99, -9.9e99, -9.9e99}};
  static constexpr TCaveDate NoMinDate{31, 12, 9999};
  static constexpr TCaveDate NoMaxDate{1, 1, 1};

  TBoundBox CaveBox = EmptyCaveBox;
  TLocation CaveOrigin;  // location of the first vector
  TLocation CaveCenter;  // middle of CaveBox
  TCaveDate MinDate = NoMinDate;
  TCaveDate MaxDate = NoMaxDate;
  bool FileLoaded = false;
  std::string PlotFile;
};
