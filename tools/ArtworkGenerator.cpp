#include "ArtworkGenerator.h"

#include <cmath>

#include "merge/QMGraph.h"
#include "merge/SVGScanners.h"
#include "merge/XMLDocLibrary.h"
#include "support/NumberText.h"

TArtwork DrawArtwork(TXMLDocument& doc) {
  TSurveyGraph graph;
  std::vector<std::string> shots;
  GetSurveyGraph(doc, graph, &shots);
  TArtwork art;
  TXMLNode walls = XMLFindNode(doc, "g", "id", "w2d_Walls_shp"), details = XMLFindNode(doc, "g", "id", "w2d_Detail_shp");
  TXMLNode symbols = XMLFindNode(doc, "g", "id", "w2d_Walls_sym"), notes = XMLFindNode(doc, "g", "id", "w2d_Notes");
  auto at = [&](int edge, double t, double v) {
    T3DVector p3, q3;
    graph.GetEdgePoints(edge, p3, q3);
    const T2DVector p{p3.X, p3.Y}, d = T2DVector{q3.X, q3.Y} - p;
    const double length = std::hypot(d.X, d.Y);
    return p + d * t + T2DVector{-d.Y, d.X} * (v / length);
  };
  auto number = [](T2DVector p) { return FormatFixed(p.X, 4) + "," + FormatFixed(p.Y, 4); };
  for (int edge = 0; edge < graph.EdgeCount(); ++edge) {
    T3DVector p3, q3;
    graph.GetEdgePoints(edge, p3, q3);
    if (std::hypot(q3.X - p3.X, q3.Y - p3.Y) < 12 || shots[static_cast<std::size_t>(edge)].find("w_") != std::string::npos)
      continue;
    const std::string shot = shots[static_cast<std::size_t>(edge)], n = std::to_string(edge);
    auto place = [&](TXMLNode parent, const char* tag, const std::string& id) {
      TXMLNode element = parent.AppendElement(tag);
      element.SetAttribute("id", id);
      art.Ids.push_back(id);
      return element;
    };
    for (double v : {4.0, -4.0}) {
      const std::string id = "wall" + n + (v > 0 ? "l" : "r");
      TXMLNode wall = place(walls, "path", id);
      const T2DVector a = at(edge, 0.1, v), b = at(edge, 0.9, v);
      if (edge % 3 == 0) {
        wall.SetAttribute("d", "M " + number(a) + " L " + number(b));
        art.Paths[id] = {{shot, 0.1, v}, {shot, 0.9, v}};
      } else if (edge % 3 == 1) {
        wall.SetAttribute("d", "m " + number(a) + " l " + number(b - a));
        art.Paths[id] = {{shot, 0.1, v}, {shot, 0.9, v}};
      } else {
        wall.SetAttribute("d", "M " + number(a) + " C " + number(at(edge, 0.35, v)) + " " + number(at(edge, 0.65, v)) + " " +
                                   number(b));
        art.Paths[id] = {{shot, 0.1, v}, {shot, 0.35, v}, {shot, 0.65, v}, {shot, 0.9, v}};
      }
    }
    const std::string line = "detail" + n;
    place(details, "polyline", line)
        .SetAttribute("points", number(at(edge, 0.25, 6)) + " " + number(at(edge, 0.5, 6)) + " " + number(at(edge, 0.75, 6)));
    art.Paths[line] = {{shot, 0.25, 6}, {shot, 0.5, 6}, {shot, 0.75, 6}};
    if (edge % 4 == 0) {  // a nested group with a transform
      TXMLNode group = place(walls, "g", "g" + n + "0");
      group.SetAttribute("transform", "translate(7,-3)");
      const std::string id = "nested" + n;
      place(group, "path", id).SetAttribute("d", "M " + number(at(edge, 0.3, -8) - T2DVector{7, -3}) + " L " +
                                                     number(at(edge, 0.7, -8) - T2DVector{7, -3}));
      art.Paths[id] = {{shot, 0.3, -8}, {shot, 0.7, -8}};
      TXMLNode rect = place(details, "rect", "rect" + n);
      SetNodeVector(rect, "x", "y", at(edge, 0.5, -10), 3);
      rect.SetAttribute("width", "4");
      rect.SetAttribute("height", "2");
    }
    if (edge % 5 == 0) {  // a symbol: a group of a triangle and its name; a station flag as a use
      TXMLNode symbol = place(symbols, "g", "g" + n + "5");
      const T2DVector c = at(edge, 0.5, 12);
      place(symbol, "polygon", "tri" + n).SetAttribute("points", number(c) + " " + number(c + T2DVector{3, 0}) + " " +
                                                                     number(c + T2DVector{1.5, -3}));
      TXMLNode label = place(symbol, "text", "sym" + n);
      SetNodeVector(label, "x", "y", c, 3);
      label.SetText("S");
      place(symbols, "use", "use" + n).SetAttribute("transform", "translate(" + number(at(edge, 0.5, -12)) + ")");
      TXMLNode note = place(notes, "text", "note" + n);
      SetNodeVector(note, "x", "y", at(edge, 0.5, 16), 3);
      note.SetText("mud");
    }
  }
  return art;
}
