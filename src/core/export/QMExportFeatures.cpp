// Feature and range surveys in "vdr_Features": one layer per survey with a
// graphics layer (path segments, symbols, or sized symbols with their
// values) and a labels layer naming the survey at its points.

#include <cmath>
#include <cstdlib>

#include "FeatureValues.h"
#include "QMExportRun.h"
#include "ShotIds.h"
#include "support/NumberText.h"

namespace {

enum class TFeatureKind { Paths, Symbols, Range };

constexpr const char* GraphicsSuffix[] = {"_Paths", "_Symbols", "_Range"};
constexpr std::size_t LineBreakLength = 60;

std::string GetSVGColorStr(TColor color) {
  return "rgb(" + std::to_string(color & 0xFF) + "," + std::to_string((color >> 8) & 0xFF) + "," +
         std::to_string((color >> 16) & 0xFF) + ")";
}

class TFeatureWriter {
public:
  TFeatureWriter(TSVGExport& run, int survey) : run_(run), plot_(run.Sources().Plot), survey_(plot_.SurveyArray[survey]) {
    vectors_ = plot_.SurveyStartEnd(survey);
    kind_ = survey_.SurveyType == stRange ? TFeatureKind::Range
            : !vectors_.Empty() && plot_.VectorArray[vectors_.First].Command == 'M' ? TFeatureKind::Paths
                                                                                   : TFeatureKind::Symbols;
    name_ = AddEscapeChars(survey_.Name);
  }

  void Write() {
    run_.OpenSVGLayer(name_);
    run_.OpenSVGLayer(name_ + GraphicsSuffix[static_cast<int>(kind_)]);
    Pass(true);
    run_.CloseSVGLayer();
    run_.OpenSVGLayer(name_ + "_Labels");
    Pass(false);
    run_.CloseSVGLayer();
    run_.CloseSVGLayer();
  }

private:
  T2DVector SVGPoint(const TPlotVector& vector) const {
    T3DVector v = vector.Location.Vector();
    run_.Sources().Projection.DoFullTransform(v, run_.Info().PlotParams);
    return run_.Transform(v);
  }

  void Pass(bool graphics) {
    int from = -1;
    for (int i = vectors_.First; i <= vectors_.Last; ++i) {
      const TPlotVector& point = plot_.VectorArray[i];
      switch (kind_) {
        case TFeatureKind::Paths:
          if (point.Command == 'D' && from >= 0) {
            if (graphics) DrawShotLine(plot_.VectorArray[from], point);
            else SetFeatureName(plot_.VectorArray[from]);
          }
          if (point.Command == 'M' || point.Command == 'D') from = i;
          break;
        case TFeatureKind::Symbols:
          if (point.Command != 'L') break;
          if (graphics) SetSymbol(point, survey_.Attributes.FeatureInfo.SizeLow);
          else SetFeatureName(point);
          break;
        case TFeatureKind::Range:
          if (point.Command != 'V') break;
          if (graphics) {
            SetSymbol(point, FeatureSymbolSize(point, survey_.Attributes.FeatureInfo));
            SetFeature(point);
          } else {
            SetFeatureName(point);
          }
          break;
      }
    }
  }

  void DrawShotLine(const TPlotVector& from, const TPlotVector& to) {
    T2DVector p1 = SVGPoint(from), offset = SVGPoint(to) - p1;
    std::string id, d = "M";
    AppendShotIdName(id, from.Station);
    id += '_';
    AppendShotIdName(id, to.Station);
    run_.MakeElementIdUnique(id);
    AppendPair(d, p1, 2, ',');
    d += 'l';
    AppendPair(d, offset, 2, ',');
    TXMLWriter& xml = run_.Xml();
    xml.PutAttribute("id", id);
    xml.PutAttribute("stroke", ColorToSVGColor(survey_.Attributes.FeatureInfo.LineColor));
    xml.PutAttribute("d", d);
    xml.XMLWriteClosedElementAttrib("path");
  }

  // The survey's name, 6 points below the point.
  void SetFeatureName(const TPlotVector& point) {
    T2DVector at = SVGPoint(point);
    TXMLWriter& xml = run_.Xml();
    std::string id = AddEscapeChars(survey_.Name.Str() + "_" + point.Station.Str());
    run_.MakeElementIdUnique(id);
    xml.PutAttribute("id", id);
    run_.PutStyleAttribute("FeatureNameStyle");
    xml.PutAttribute("filter", "url(#Highlight)");
    xml.PutAttribute("x", at.X, 3);
    xml.PutAttribute("y", at.Y + 6, 3);
    xml.XMLWriteCompleteElementAttrib("text", name_);
  }

  // The value, 6 points above the point, in a layer named after it.
  void SetFeature(const TPlotVector& point) {
    T2DVector at = SVGPoint(point);
    std::string text = AddEscapeChars(FeatureValueText(point.Right, survey_.Attributes.FeatureInfo));
    run_.OpenSVGLayer(text);
    run_.PutStyleAttribute("FeatureStyle");
    run_.Xml().PutAttribute("x", at.X, 3);
    run_.Xml().PutAttribute("y", at.Y - 6, 3);
    run_.Xml().XMLWriteCompleteElementAttrib("text", text);
    run_.CloseSVGLayer();
  }

  void SetSymbol(const TPlotVector& point, int size) {
    const TFeatureInfo& feature = survey_.Attributes.FeatureInfo;
    TFontInfo font{feature.FontFace.Str(), 0, size, feature.FontColor};
    std::string text(1, static_cast<char>(feature.Symbol));
    std::string id = AddEscapeChars(point.Station);
    run_.MakeElementIdUnique(id);
    std::string attrib = " id=\"" + id + "\" ";
    run_.Xml().XMLWriteMultiLineIndent(TrueTypeToSVG(text, attrib, font, SVGPoint(point)));
  }

  // One path element of the text's outline, broken into lines of about 60 characters.
  std::string TrueTypeToSVG(const std::string& text, const std::string& attrib, const TFontInfo& font, T2DVector offset) {
    std::string svg = "<path " + attrib + "transform=\"translate(";
    AppendPair(svg, offset, 2, ' ');
    svg += ")\" fill=\"" + GetSVGColorStr(font.Color);
    std::size_t mark = 0;
    auto lineBreak = [&] {
      if (svg.size() - mark > LineBreakLength) {
        svg += "\r\n";
        mark = svg.size();
      }
    };
    lineBreak();
    svg += "\" d=\"";
    const double scale = std::abs(font.Size) / 1000.0;
    for (const std::vector<T2DVector>& polygon : run_.Glyphs().GetStringOutline(font.Name, text)) {
      if (polygon.empty()) continue;
      svg += "M ";
      AppendPair(svg, polygon.front() * scale, 2, ' ');
      for (std::size_t i = 1; i < polygon.size(); ++i) {
        svg += " L ";
        AppendPair(svg, polygon[i] * scale, 2, ' ');
        lineBreak();
      }
      svg += " Z";
    }
    svg += "\"/>\r\n";
    return svg;
  }

  TSVGExport& run_;
  const TPlotState& plot_;
  const TSurveyID& survey_;
  TIndexRange vectors_;
  TFeatureKind kind_;
  std::string name_;
};

}  // namespace

void WriteAllFeatures(TSVGExport& run) {
  TExportSources& sources = run.Sources();
  const TPlotState& plot = sources.Plot;
  const TPlotParams& params = run.Info().PlotParams;
  sources.Projection.ConfigureRotation(BoxCenter(plot.CaveBox), params.YawAngle, params.PitchAngle);
  for (int section = 0; section < plot.SectionArray.Count(); ++section) {
    TIndexRange surveys = plot.SectionStartEnd(section);
    for (int survey = surveys.First; survey <= surveys.Last; ++survey) {
      if (plot.SurveyArray[survey].SurveyType == stSurvey) continue;
      if (params.Selective && !sources.Tree.IsSurveySelected(section, survey)) continue;
      TFeatureWriter(run, survey).Write();
    }
  }
}
