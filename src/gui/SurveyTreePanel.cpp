#include "SurveyTreePanel.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "NodePropertiesDialog.h"
#include "QtUserInterface.h"

TSurveyTreePanel::TSurveyTreePanel(TAppContext& app, TSettingWidgets& bindings, QWidget* parent)
    : QWidget(parent), app_(app), model_(new TSurveyTreeModel(app.Tree, this)), view_(new QTreeView) {
  // Marks set many at once (these buttons, a settings file, the shot select tool) show at once.
  app_.OnTreeChecks([this](TCheckChange change) {
    if (change == TCheckChange::Bulk) model_->ChecksChanged();
  });
  auto* layout = new QVBoxLayout(this);
  auto* fields = new QFormLayout;
  plotFile_ = new QLabel;
  counters_ = new QLabel;
  fields->addRow(" Plot File: ", plotFile_);
  fields->addRow(" Srvs/Shts: ", counters_);
  layout->addLayout(fields);

  auto* tools = new QHBoxLayout;
  struct TTool {
    const char* text;
    const char* tip;
    std::function<void()> run;
  };
  const TTool toolTable[] = {
      {"\u2611", "Check All", [this] { CheckAll(true); }},
      {"\u2610", "Clear All", [this] { CheckAll(false); }},
      {"\u2714", "Check All Selected", [this] { CheckSelected(true); }},
      {"\u2716", "Clear All Selected", [this] { CheckSelected(false); }},
      {"\u21c4", "Invert Selected", [this] { InvertSelected(); }},
      {"\u2315", "Search", [this] { Find(); }},
      {"+", "Expand All", [this] { view_->expandAll(); }},
      {"\u2212", "Collapse All", [this] { view_->collapseAll(); }},
  };
  for (const TTool& tool : toolTable) {
    auto* button = new QToolButton;
    button->setText(QString::fromUtf8(tool.text));
    button->setToolTip(tool.tip);
    button->setObjectName(QString(tool.tip).remove(' '));
    connect(button, &QToolButton::clicked, this, tool.run);
    tools->addWidget(button);
  }
  tools->addStretch();
  layout->addLayout(tools);
  layout->addWidget(bindings.Create(TSetting::ExcludeSections));

  view_->setModel(model_);
  view_->setHeaderHidden(true);
  view_->setUniformRowHeights(true);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  view_->setObjectName("SurveyTree");
  layout->addWidget(view_, 1);
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { SyncSelection(); });
  connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { SyncSelection(); });
  connect(view_, &QTreeView::customContextMenuRequested, this, [this](const QPoint& at) {
    QModelIndex under = view_->indexAt(at);
    if (under.isValid()) view_->setCurrentIndex(under);  // the popup acts on the node under the pointer
    QMenu menu;
    menu.addAction("Properties...", this, [this] { ShowProperties(); });
    menu.exec(view_->viewport()->mapToGlobal(at));
  });
}

void TSurveyTreePanel::PlotLoaded(const QString& fileName) {
  plotFile_->setText(fileName);
  model_->Rebuild();
}

void TSurveyTreePanel::ShowCounters(int surveys, int shots) {
  counters_->setText(QString("%1 / %2").arg(surveys).arg(shots));
}

// The view's selection, with its current node last, becomes the tree's.
void TSurveyTreePanel::SyncSelection() {
  app_.Tree.ClearSelection();
  for (const QModelIndex& index : view_->selectionModel()->selectedIndexes()) app_.Tree.Select(model_->NodeOf(index), true);
  int current = model_->NodeOf(view_->currentIndex());
  if (current != TSurveyTree::NoNode && app_.Tree.Selected(current)) app_.Tree.Select(current, true);
}

void TSurveyTreePanel::CheckAll(bool checked) {
  app_.Tree.SetAllChecks(checked);
}

void TSurveyTreePanel::CheckSelected(bool checked) {
  SyncSelection();
  app_.Tree.SetAllSelected(checked);
}

void TSurveyTreePanel::InvertSelected() {
  SyncSelection();
  app_.Tree.InvertAllSelected();
}

void TSurveyTreePanel::FindNext(const QString& text, bool down) {
  SyncSelection();
  int node = app_.Tree.FindNode(ToCore(text), down, app_.UI());
  if (node == TSurveyTree::NoNode) return;
  QModelIndex index = model_->IndexOf(node);
  view_->setCurrentIndex(index);
  view_->scrollTo(index);
}

void TSurveyTreePanel::Find() {
  QDialog dialog(this);
  dialog.setWindowTitle("Find");
  auto* layout = new QGridLayout(&dialog);
  auto* text = new QLineEdit;
  auto* up = new QRadioButton("&Up");
  auto* down = new QRadioButton("&Down");
  down->setChecked(true);
  auto* next = new QPushButton("&Find Next");
  auto* close = new QPushButton("Cancel");
  layout->addWidget(new QLabel("Find what:"), 0, 0);
  layout->addWidget(text, 0, 1, 1, 2);
  layout->addWidget(next, 0, 3);
  layout->addWidget(new QLabel("Direction:"), 1, 0);
  layout->addWidget(up, 1, 1);
  layout->addWidget(down, 1, 2);
  layout->addWidget(close, 1, 3);
  connect(next, &QPushButton::clicked, &dialog, [&] { FindNext(text->text(), down->isChecked()); });
  connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);
  dialog.exec();
}

void TSurveyTreePanel::ShowProperties() {
  int node = model_->NodeOf(view_->currentIndex());
  if (node == TSurveyTree::NoNode) return;
  TNodePropertiesDialog dialog(app_.Tree.NodeProperties(node), app_.Plot.SurveyArray, this);
  if (dialog.exec() != QDialog::Accepted || !dialog.EditsFeatureInfo()) return;
  app_.Tree.SetFeatureInfo(node, dialog.FeatureInfo());
  app_.UpdatePlot();
}
