// The passage model's faces in "vdr_passage" and the LRUD crosses in
// "vdr_LRUDs". Side faces that look away from the viewer are left out.

#include "PassageWalks.h"
#include "QMExportRun.h"

namespace {

// "M" C "L" P for each wall point: four strokes from the station.
void PlotOneLRUD(TSVGExport& run, const T3DVector& center, const T3DLRUDVector& lrud, std::string_view style,
                 std::string& d) {
  T2DVector c = run.Transform(center);
  d.clear();
  for (const T3DVector* wall : {&lrud.Left, &lrud.Right, &lrud.Up, &lrud.Down}) {
    d += 'M';
    AppendPair(d, c, 2, ',');
    d += 'L';
    AppendPair(d, run.Transform(*wall), 2, ',');
  }
  run.PutStyleAttribute(style);
  run.Xml().PutAttribute("d", d);
  run.Xml().XMLWriteClosedElementAttrib("path");
}

}  // namespace

void WritePassagesLayer(TSVGExport& run) {
  TExportSources& sources = run.Sources();
  PlotPassages(
      sources.Projection, sources.Plot, sources.Tree, sources.Passage, run.Info(),
      [&](const T3DVector& p1, const T3DVector& p2, const T3DVector& p3) {
        run.PutStyleAttribute("PassageModelStyle");
        run.WriteSVGTriangle(run.Transform(p1), run.Transform(p2), run.Transform(p3));
      },
      [&](const T3DVector& p1, const T3DVector& p2, const T3DVector& p3, const T3DVector& p4) {
        run.PutStyleAttribute("PassageModelStyle");
        run.WriteSVGQuad(run.Transform(p1), run.Transform(p2), run.Transform(p3), run.Transform(p4));
      },
      true);
}

void WriteLRUDLayer(TSVGExport& run) {
  TExportSources& sources = run.Sources();
  std::string d;
  PlotLRUDs(sources.Projection, sources.Plot, sources.Tree, sources.Passage, run.Info(),
            [&](int, const T3DVector& p1, const T3DVector& p2, const T3DLRUDVector& from, const T3DLRUDVector& to,
                const TPlotParams&) {
              PlotOneLRUD(run, p1, from, "FromLRUDStyle", d);
              PlotOneLRUD(run, p2, to, "ToLRUDStyle", d);
            });
}
