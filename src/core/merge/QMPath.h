#pragma once
// SVG path data as a list of items with their points, read, made absolute,
// transformed and written back.

#include <string>
#include <string_view>
#include <vector>

#include "MatrixLibrary.h"
#include "support/Vector.h"

struct TSVGArc {
  T2DVector Radius;
  double Rotation = 0;  // of the x axis, degrees
  bool LargeArc = false, Sweep = false;
};

struct TSVGPathItem {
  char Tag = 'M';    // the command letter
  T2DVector Pos;     // the end point
  T2DLine Control;   // the control points
  TSVGArc Arc;
};
using TPathArray = std::vector<TSVGPathItem>;

// The items of path data: a number where a command letter may stand
// repeats the command ("M" continues as "L", "m" as "l"). What a command
// does not read keeps the previous item's value.
void ExtractPathData(std::string_view d, TPathArray& path);
// Every item absolute, its command upper case ("Z" at the subpath's start).
void MakePathAbsolute(TPathArray& path);
// The matrix applied to Pos and both control points of every item (an arc
// keeps its radii and rotation).
void TransformPath(const TX3Matrix& matrix, TPathArray& path);
// The centre of the box of the items' end points (the origin for none).
T2DVector FindPathCenter(const TPathArray& path);
// "12.50000,-3.25000".
std::string SVGVectorStr(T2DVector point);
void AppendSVGVector(std::string& out, T2DVector point);
// The items written as path data: "M 10.00000,20.00000 H 30.00 Z".
std::string PathArrayToString(const TPathArray& path);
