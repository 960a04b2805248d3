#include "QMPath.h"

#include <algorithm>

#include "SVGScanners.h"
#include "support/NumberText.h"

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Reads what the command takes into the item; a missing number leaves the rest.
void ReadItem(std::string_view d, std::size_t& position, char command, TSVGPathItem& item) {
  switch (Upper(command)) {
    case 'A': {
      if (!GetSVGVector2D(d, position, item.Arc.Radius) || !GetSVGDouble(d, position, item.Arc.Rotation) ||
          !GetSVGBoolean(d, position, item.Arc.LargeArc) || !GetSVGBoolean(d, position, item.Arc.Sweep))
        return;
      GetSVGVector2D(d, position, item.Pos);
      break;
    }
    case 'C':
      if (GetSVGVector2D(d, position, item.Control.P1) && GetSVGVector2D(d, position, item.Control.P2))
        GetSVGVector2D(d, position, item.Pos);
      break;
    case 'Q':
      if (GetSVGVector2D(d, position, item.Control.P1)) GetSVGVector2D(d, position, item.Pos);
      break;
    case 'S':
      if (GetSVGVector2D(d, position, item.Control.P2)) GetSVGVector2D(d, position, item.Pos);
      break;
    case 'L': case 'M': case 'T': GetSVGVector2D(d, position, item.Pos); break;
    case 'H': GetSVGDouble(d, position, item.Pos.X); break;
    case 'V': GetSVGDouble(d, position, item.Pos.Y); break;
    default: break;
  }
}

}  // namespace

void ExtractPathData(std::string_view d, TPathArray& path) {
  path.clear();
  std::size_t position = 0;
  char command = 'M', c = 0;
  TSVGPathItem item;
  while (GetSVGTag(d, position, c)) {
    if (IsLetter(c)) command = c;
    else if (command == 'M') command = 'L';
    else if (command == 'm') command = 'l';
    const std::size_t before = position;
    ReadItem(d, position, command, item);
    // A separator where no number follows would repeat the command forever.
    if (!IsLetter(c) && position == before) ++position;
    item.Tag = command;
    path.push_back(item);
  }
}

void MakePathAbsolute(TPathArray& path) {
  T2DVector current, start;
  for (std::size_t i = 0; i < path.size(); ++i) {
    TSVGPathItem& item = path[i];
    const bool relative = item.Tag >= 'a' && item.Tag <= 'z' && i > 0;
    switch (Upper(item.Tag)) {
      case 'H':
        item.Pos.Y = current.Y;
        if (relative) item.Pos.X += current.X;
        break;
      case 'V':
        item.Pos.X = current.X;
        if (relative) item.Pos.Y += current.Y;
        break;
      case 'Z': item.Pos = start; break;
      default:
        if (relative) {
          item.Pos = item.Pos + current;
          item.Control.P1 = item.Control.P1 + current;
          item.Control.P2 = item.Control.P2 + current;
        }
    }
    item.Tag = Upper(item.Tag);
    current = item.Pos;
    if (item.Tag == 'M') start = item.Pos;
  }
}

void TransformPath(const TX3Matrix& matrix, TPathArray& path) {
  for (TSVGPathItem& item : path) {
    item.Pos = X3MatrixVectorMult(matrix, item.Pos);
    item.Control.P1 = X3MatrixVectorMult(matrix, item.Control.P1);
    item.Control.P2 = X3MatrixVectorMult(matrix, item.Control.P2);
  }
}

T2DVector FindPathCenter(const TPathArray& path) {
  T2DVector min{1e9, 1e9}, max{-1e9, -1e9};
  if (path.empty()) return {};
  for (const TSVGPathItem& item : path) {
    min = {std::min(min.X, item.Pos.X), std::min(min.Y, item.Pos.Y)};
    max = {std::max(max.X, item.Pos.X), std::max(max.Y, item.Pos.Y)};
  }
  return (min + max) / 2;
}

void AppendSVGVector(std::string& out, T2DVector point) {
  AppendFixed(out, point.X, 5);
  out += ',';
  AppendFixed(out, point.Y, 5);
}

std::string SVGVectorStr(T2DVector point) {
  std::string text;
  AppendSVGVector(text, point);
  return text;
}

std::string PathArrayToString(const TPathArray& path) {
  std::string d;
  d.reserve(path.size() * 24);
  auto point = [&](T2DVector p) {
    d += ' ';
    AppendSVGVector(d, p);
  };
  for (const TSVGPathItem& item : path) {
    if (!d.empty()) d += ' ';
    d += item.Tag;
    switch (item.Tag) {
      case 'A':
        point(item.Arc.Radius);
        d += ' ';
        AppendFixed(d, item.Arc.Rotation, 5);
        d += item.Arc.LargeArc ? " 1" : " 0";
        d += item.Arc.Sweep ? " 1" : " 0";
        point(item.Pos);
        break;
      case 'C': point(item.Control.P1); point(item.Control.P2); point(item.Pos); break;
      case 'Q': point(item.Control.P1); point(item.Pos); break;
      case 'S': point(item.Control.P2); point(item.Pos); break;
      case 'L': case 'M': case 'T': point(item.Pos); break;
      case 'H': d += ' '; AppendFixed(d, item.Pos.X, 2); break;
      case 'V': d += ' '; AppendFixed(d, item.Pos.Y, 2); break;
      default: break;
    }
  }
  return d;
}
