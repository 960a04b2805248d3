#pragma once
// "SVG Trees": the merge's source (the survey exported into memory) and
// target side by side as trees of their DOM nodes, each searchable
// ("Find...") and with the markup of any node on request ("XML...").

#include <QDialog>
#include <QTreeView>

#include "QtUserInterface.h"
#include "SVGTreeModel.h"
#include "app/AppContext.h"

class TSVGTreeDialog : public QDialog {
public:
  enum TSide { Source, Target };

  TSVGTreeDialog(TAppContext& app, TQtUserInterface& ui, QWidget* parent);

  // Fills the trees from the loaded documents (the source exported first
  // when it is not), then shows the dialog modally.
  void DoSVGTreeDisplay();
  // Fills the trees without showing the dialog; false when the source
  // could not be made (the trees then keep what they showed).
  bool FillTrees();
  // Selects and opens the next node after the selection whose label holds
  // the text, downward or upward; false when none does.
  bool FindInTree(TSide side, const QString& text, bool down);
  // The selected node's markup; the warning "No XML Data" on the top node.
  void ShowSelectedXML(TSide side);
  QTreeView* Tree(TSide side) { return trees_[side]; }
  TSVGTreeModel* Model(TSide side) { return models_[side]; }

private:
  void ShowFindDialog(TSide side);

  TAppContext& app_;
  TQtUserInterface& ui_;
  QTreeView* trees_[2] = {};
  TSVGTreeModel* models_[2] = {};
  class TFindDialog* finds_[2] = {};
};

// "XML": a node's markup, read-only, in a fixed-pitch font.
void ShowXMLText(const QString& text, QWidget* parent);
