#include "SVGTreeDialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "FindDialog.h"
#include "export/QMColors.h"
#include "export/QMProgress.h"
#include "repair/QMSVGTree.h"

TSVGTreeDialog::TSVGTreeDialog(TAppContext& app, TQtUserInterface& ui, QWidget* parent)
    : QDialog(parent), app_(app), ui_(ui) {
  setWindowTitle("SVG Trees");
  setObjectName("SVGTreeDlg");
  setModal(true);
  auto* splitter = new QSplitter;
  for (TSide side : {Source, Target}) {
    models_[side] = new TSVGTreeModel(this);
    QTreeView* tree = trees_[side] = new QTreeView;
    tree->setObjectName(side == Source ? "SourceTree" : "TargetTree");
    tree->setModel(models_[side]);
    tree->setHeaderHidden(true);
    tree->setUniformRowHeights(true);
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree, &QTreeView::customContextMenuRequested, this, [this, side, tree](const QPoint& at) {
      QMenu menu;
      menu.addAction("Find...", this, [this, side] { ShowFindDialog(side); });
      menu.addAction("XML...", this, [this, side] { ShowSelectedXML(side); });
      menu.exec(tree->viewport()->mapToGlobal(at));
    });
    auto* pane = new QWidget;
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(side == Source ? "Source SVG Tree" : "Target SVG Tree"));
    layout->addWidget(tree, 1);
    splitter->addWidget(pane);
  }
  auto* close = new QPushButton("Close");
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter, 1);
  layout->addLayout(buttons);
  resize(900, 620);
}

bool TSVGTreeDialog::FillTrees() {
  TProgressDisplay progress(ui_);
  progress.DisplayStatus1("Recursing Tree", clLime);
  progress.SetProgress(0);
  progress.SetProgressDelta(20);
  if (!app_.Plot.FileLoaded) return true;
  TMergeState& merge = app_.Merge;
  try {
    if (merge.SourceDoc.Empty()) app_.LoadMergeSource();
  } catch (const std::exception& error) {
    ui_.Error(error.what());
    return false;
  }
  const QString name = FromCore(SVGTreeRootName(app_.Plot.PlotFile));
  // A tree never keeps nodes of a document that may since have been freed.
  models_[Source]->Show(&merge.SourceDoc, name);
  models_[Target]->Show(merge.TargetLoaded ? &merge.TargetDoc : nullptr, name);
  return true;
}

void TSVGTreeDialog::DoSVGTreeDisplay() {
  if (FillTrees()) exec();
}

bool TSVGTreeDialog::FindInTree(TSide side, const QString& text, bool down) {
  QTreeView* tree = trees_[side];
  TSVGTreeModel* model = models_[side];
  const QModelIndex selected = tree->currentIndex();
  if (!selected.isValid() || text.isEmpty() || !model->Document()) return false;
  const std::string wanted = text.toStdString();
  const TXMLNode from = model->NodeAt(selected);
  QModelIndex found;
  if (from || down) {
    // From the top node downward the document node comes first.
    if (const TXMLNode node = ::FindInTree(*model->Document(), from, wanted, down)) found = model->IndexOf(node);
  }
  if (!found.isValid() && !down && from && LabelMatches(model->RootIndex().data().toString().toStdString(), wanted))
    found = model->RootIndex();
  if (!found.isValid()) return false;
  tree->setCurrentIndex(found);
  tree->scrollTo(found);
  tree->expand(found);
  return true;
}

void TSVGTreeDialog::ShowSelectedXML(TSide side) {
  const QModelIndex selected = trees_[side]->currentIndex();
  if (!selected.isValid()) return;
  const TXMLNode node = models_[side]->NodeAt(selected);
  if (!node) {
    ui_.Warning("No XML Data");
    return;
  }
  ShowXMLText(QString::fromStdString(node.Serialize()), this);
}

void TSVGTreeDialog::ShowFindDialog(TSide side) {
  if (!finds_[side])
    finds_[side] = new TFindDialog(this, false, [this, side](const TFindDialog::TRequest& request) {
      FindInTree(side, request.Text, request.Down);
    });
  finds_[side]->Open();
}

void ShowXMLText(const QString& text, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle("XML");
  auto* memo = new QPlainTextEdit(text);
  memo->setObjectName("XMLMemo");
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(12);
  memo->setFont(font);
  auto* close = new QPushButton("Close");
  QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(memo, 1);
  layout->addWidget(close, 0, Qt::AlignRight);
  dialog.resize(720, 480);
  dialog.exec();
}
