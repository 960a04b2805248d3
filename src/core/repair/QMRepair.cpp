#include "QMRepair.h"

#include <stdexcept>

#include "QMNormalize.h"
#include "export/QMColors.h"
#include "export/QMProgress.h"
#include "merge/XMLDocLibrary.h"

void RepairSVGFile(const std::string& input, const std::string& output, const TSVGInfo& info,
                   TRepairServices& services) {
  TProgressDisplay progress(services.UI);
  TXMLDocument document;
  progress.SetProgress(0);
  progress.DisplayStatus1("Validating", clLime);
  LoadValidateFile(input, document, info, services);
  if (!XMLFindNodeByType(document, ntElement, "svg")) throw std::runtime_error("No svg element in " + input);
  progress.SetProgress(33);
  progress.DisplayStatus1("Fixing Layers", clLime);
  FixLayerNames(
      document, [&](int step, const std::string& text) { progress.AdvanceProgress(step, text); }, info.AddInkscape,
      info.AddIllustrator, services.Log);
  progress.SetProgress(66);
  progress.DisplayStatus1("Add Missing Layers", clLime);
  const TLengthUnits units{services.DotsPerInch, services.Factors};
  ReplaceMissingLayers(document, info.AddInkscape, info.AddIllustrator, info, units);
  TRefData ref;
  if (!HasValidReference(document, ref, units)) AddRefData(document, info, services.Factors);
  progress.SetProgress(100);
  progress.DisplayStatus1("Saving", clLime);
  document.Save(output);
  progress.DisplayStatus1("Repair Complete", clLime);
}
