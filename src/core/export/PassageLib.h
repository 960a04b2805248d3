#pragma once
// Passage wall modelling: every shot of the ordinary surveys becomes a
// prism, a cross-section (square, diamond or octagon built from the
// station's left, right, up and down) at each of its stations joined by
// side faces; optionally fans of triangles seal the ends of every connected
// line. Faces are handed out one at a time, in cave feet.
//
// The model works on copies of each segment (the branch), where missing
// dimensions may be filled in and sharp corners rounded by inserting
// stations; the plot state is never changed.

#include <functional>
#include <span>
#include <vector>

#include "Projection.h"
#include "QMGlobal.h"
#include "survey/PlotState.h"

enum TVertMode { vmHorizontal, vmVertUp, vmVertDown };

struct TPassageEnd3D {
  int Count = 0;          // 4 for square and diamond, 8 for octagon
  T3DVector Points[8];    // in order around the section
  T3DVector Center;       // the station
};

struct TPrism {
  bool Valid = false;
  TPassageEnd3D End1, End2;  // at the shot's first and second station
  int LineInx = 0;           // of the shot's second vector
};

// Where a face belongs: the section and survey being modelled, the shot's
// position in the survey tree (counted as the shot walk counts, so that
// feature surveys before it do not shift it), and the direction a side face
// looks, in degrees clockwise from the top of the section.
struct TFacePlace {
  int Section = 0, Survey = 0, TreeIndex = 0;
  double FaceAngle = 0;
};

using TWriteRectangle = std::function<void(const T3DVector& p1, const T3DVector& p2, const T3DVector& p3,
                                           const T3DVector& p4, const TFacePlace& place)>;
using TWriteTriangle =
    std::function<void(const T3DVector& p1, const T3DVector& p2, const T3DVector& p3, bool right, const TFacePlace& place)>;

// A copy with dimensions below 0 or above 900 (not measured) set to 0.
TPlotVector ZeroNegativePassages(TPlotVector vector);
// Fills in the missing dimension pairs of two consecutive stations.
void ExpandDimensions(TPlotVector& from, TPlotVector& to, double minSize);
// Inclination in degrees; 0 for a level shot.
double GetInclination(const T3DVector& p1, const T3DVector& p2);

class TPassageModel {
public:
  explicit TPassageModel(const TPassageParameters& parameters) : parameters_(parameters) {}

  // Models every ordinary survey and hands out its faces, by section,
  // survey, segment and shot. Without a rectangle procedure it fails with
  // "No output procedure assigned."; without a triangle procedure no end is
  // sealed.
  void DisplayPassageMesh(const TPlotState& plot, const TWriteTriangle& triangleProc,
                          const TWriteRectangle& rectangleProc);

  // The wall points of the two stations of one shot, each shot on its own.
  void GetLRUDPoints(TPlotVector from, TPlotVector to, T3DLRUDVector& fromLRUD, T3DLRUDVector& toLRUD) const;

  struct TBranchStation {
    TPlotVector Vector;
    int TreeIndex;  // the tree position of the shot ending here
  };
  using TBranch = std::vector<TBranchStation>;
  // The segment first..last without hidden draws and splays, dimensions
  // filled in; treeIndex holds the tree position of each vector first..last.
  void BuildBranch(const TPlotArray& vectors, int first, int last, std::span<const int> treeIndex, TBranch& branch) const;
  void SmoothBranch(TBranch& branch) const;
  TPrism GetPassagePrism(const TBranch& branch, int index) const;

private:
  struct TShotTrig {
    double SinPlus90, CosPlus90, SinMinus90, CosMinus90;
  };
  TVertMode IsVertModel(const T3DVector& p1, const T3DVector& p2) const;
  static TShotTrig SetShotTrig(const T3DVector& p1, const T3DVector& p2);
  TPassageEnd3D SectionOf(const TPlotVector& station, TVertMode mode, const TShotTrig& trig) const;
  TPrism PrismOf(const TPlotVector& from, const TPlotVector& to) const;
  void SmoothCorners(TBranch& branch) const;
  void BuildPassagePrism(const std::vector<TPrism>& prisms, const TBranch& branch, int index, bool segStart, bool segEnd);
  void SealPassageEnd(const TPassageEnd3D& end, bool right);

  const TPassageParameters& parameters_;
  const TWriteRectangle* rectangleProc_ = nullptr;
  const TWriteTriangle* triangleProc_ = nullptr;
  TFacePlace place_;
};

// The face angles of the current shape, face i joining point i and i + 1.
double FaceAngleOf(TPassageShape shape, int face);
