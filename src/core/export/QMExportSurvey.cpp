// The layers that show the survey itself and the map furniture: background,
// reference text, shot lines, station markers and labels, grid, scale bar,
// north arrow and frame.

#include "MapDecorations.h"
#include "QMExportRun.h"
#include "ShotIds.h"
#include "ShotWalk.h"
#include "support/NumberText.h"

namespace {

// The printable window as one closed path in the given style.
void WriteWindowPath(TSVGExport& run, std::string_view style) {
  const TPlotParams& params = run.Info().PlotParams;
  T2DVector p1 = params.Margin * PointsPerInch, p2 = (params.PaperWindow + params.Margin) * PointsPerInch;
  std::string d = "M";
  AppendFixed(d, p1.X, 1);
  d += " , ";
  AppendFixed(d, p1.Y, 1);
  d += 'H';
  AppendFixed(d, p2.X, 1);
  d += 'V';
  AppendFixed(d, p2.Y, 1);
  d += 'H';
  AppendFixed(d, p1.X, 1);
  d += 'z';
  run.PutStyleAttribute(style);
  run.Xml().PutAttribute("d", d);
  run.Xml().XMLWriteClosedElementAttrib("path");
}

}  // namespace

void WriteBackground(TSVGExport& run) { WriteWindowPath(run, "B_s"); }
void WriteFrame(TSVGExport& run) { WriteWindowPath(run, "F_s"); }

std::string ReferenceText(const TRefInfo& ref, double feetToMeters) {
  std::string text = ref.Filename;
  text += ' ';
  text += ref.ViewAngle;
  text += ": ";
  AppendFixed(text, InvertRotation(ref.WriteYaw), 1);
  text += " Scale: 1:";
  AppendFixed(text, ref.ScaleRatio, 6);
  text += " Frame: ";
  AppendPair(text, ref.FrameDims * feetToMeters, 3, 'x');
  text += "m Center: ";
  AppendPair(text, ref.FrameCenter * feetToMeters, 3, ' ');
  text += " Pitch: ";
  AppendFixed(text, ref.WritePitch, 3);
  return text;
}

void WriteReference(TSVGExport& run) {
  run.PutStyleAttribute("T_s");
  T2DVector at = run.Info().TitlePos * PointsPerInch;
  run.WriteSVGText(AddEscapeChars(ReferenceText(run.Info().RefInfo, run.Sources().Factors.Feet2Meters)), at.X, at.Y);
}

void WriteAllVectors(TSVGExport& run) {
  TExportSources& sources = run.Sources();
  TXMLWriter& xml = run.Xml();
  std::string id, d;
  WalkSurveyShots(run, [&](bool, int fromInx, int toInx, const T3DVector& v1, const T3DVector& v2,
                           const TSurveyID& survey) {
                     id.clear();
                     AppendShotIdName(id, sources.Plot.VectorArray[fromInx].Station);
                     id += '_';
                     AppendShotIdName(id, sources.Plot.VectorArray[toInx].Station);
                     run.MakeElementIdUnique(id);
                     T2DVector p1 = run.Transform(v1), offset = run.Transform(v2) - p1;
                     d = "M";
                     AppendPair(d, p1, 2, ',');
                     d += 'l';
                     AppendPair(d, offset, 2, ',');
                     xml.PutAttribute("id", id);
                     bool splay = survey.Flags.View().find('S') != std::string_view::npos;
                     run.PutStyleAttribute(splay ? "S_s" : "V_s");
                     if (splay) xml.PutAttribute("stroke-dasharray", "5,5");
                     xml.PutAttribute("d", d);
                     xml.XMLWriteClosedElementAttrib("path");
                   });
}

void WriteAllMarkers(TSVGExport& run) {
  TXMLWriter& xml = run.Xml();
  std::string transform;
  for (const TSVGExport::TStationMark& mark : run.StationMarks()) {
    transform = "matrix(";
    AppendFixed(transform, MarkerScale, 3);
    transform += " 0 0 -";
    AppendFixed(transform, MarkerScale, 3);
    transform += ' ';
    AppendPair(transform, mark.At, 3, ' ');
    transform += ')';
    xml.PutAttribute("xlink:href", "#_m");
    xml.PutAttribute("width", "2");
    xml.PutAttribute("height", "2");
    xml.PutAttribute("x", "-1");
    xml.PutAttribute("y", "-1");
    xml.PutAttribute("transform", transform);
    run.PutStyleAttribute("MarkerStyle");
    xml.XMLWriteClosedElementAttrib("use");
  }
}

// Each label is a layer of its own, named after its station.
void WriteAllLabels(TSVGExport& run) {
  TXMLWriter& xml = run.Xml();
  std::string name;
  for (const TSVGExport::TStationMark& mark : run.StationMarks()) {
    name.clear();
    AppendEscaped(name, run.Sources().Plot.VectorArray[mark.Vector].Station);
    run.OpenSVGLayer(name);
    run.PutStyleAttribute("L_s");
    xml.PutAttribute("x", mark.At.X, 3);
    xml.PutAttribute("y", mark.At.Y, 3);
    xml.XMLWriteCompleteElementAttrib("text", name);
    run.CloseSVGLayer();
  }
}

// The grid runs right and down from the window's top-left corner.
void WriteGrid(TSVGExport& run) {
  TXMLWriter& xml = run.Xml();
  const T2DVector margin = run.Info().PlotParams.Margin * PointsPerInch;
  std::string d;
  TGridDrawn drawn = DrawMajorGrid(run.Info(), [&](bool horizontal, bool major, T2DVector v1, T2DVector v2, const TPlotParams&) {
    T2DVector p1 = v1 * PointsPerInch + margin, p2 = v2 * PointsPerInch + margin;
    d = "M";
    AppendPair(d, p1, 3, ' ');
    d += horizontal ? 'H' : 'V';
    AppendFixed(d, horizontal ? p2.X : p2.Y, 3);
    run.PutStyleAttribute(major ? "G_0" : "G_1");
    xml.PutAttribute("d", d);
    xml.XMLWriteClosedElementAttrib("path");
  });
  if (drawn == TGridDrawn::All || !(run.Info().GridParams.Spacing > 0)) return;
  run.Warning(drawn == TGridDrawn::MajorOnly
                        ? "Grid: the spacing is too fine for the sheet; only its major lines are drawn"
                        : "Grid: the spacing is too fine for the sheet; no grid is drawn");
}

void WriteScaleBar(TSVGExport& run) {
  DoScaleBar(
      run.Info(), run.Sources().Factors,
      [&](const std::string& text, bool doRect, bool filled, T2DVector p1, T2DVector p2) {
        if (doRect) {
          run.PutStyleAttribute(filled ? "ScalebarStyle1" : "ScalebarStyle2");
          run.WriteSVGQuad(run.Transform2D(p1), run.Transform2D({p2.X, p1.Y}), run.Transform2D(p2),
                           run.Transform2D({p1.X, p2.Y}));
        } else {
          run.PutStyleAttribute("T_s");
          T2DVector at = run.Transform2D(p1);
          run.WriteSVGText(text, at.X, at.Y);
        }
      },
      FormatFixed);
}

void WriteNorthArrow(TSVGExport& run) {
  DoNorthArrow(run.Info(), [&](bool line, bool filled, T2DVector p1, T2DVector p2, T2DVector p3) {
    if (line) {
      std::string d = "M";
      AppendPair(d, run.Transform2D(p1), 2, ',');
      d += 'L';
      AppendPair(d, run.Transform2D(p2), 2, ',');
      run.PutStyleAttribute("ScalebarStyle1");
      run.Xml().PutAttribute("d", d);
      run.Xml().XMLWriteClosedElementAttrib("path");
    } else {
      run.PutStyleAttribute(filled ? "ScalebarStyle1" : "ScalebarStyle2");
      run.WriteSVGTriangle(run.Transform2D(p1), run.Transform2D(p2), run.Transform2D(p3));
    }
  });
}
