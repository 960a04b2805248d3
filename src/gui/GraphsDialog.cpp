#include "GraphsDialog.h"

#include <QAbstractTableModel>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "export/QMGlobal.h"

// The listing, read cell by cell from the pairs and the merge's graphs: a
// cave of 100 000 shots lists without a widget per cell.
class TGraphPairsModel : public QAbstractTableModel {
public:
  explicit TGraphPairsModel(TMergeState& merge) : merge_(merge) {}

  void SetPairs(std::vector<TGraphPair> pairs) {
    beginResetModel();
    pairs_ = std::move(pairs);
    endResetModel();
  }
  const std::vector<TGraphPair>& Pairs() const { return pairs_; }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : GraphGridRows(pairs_.size()) - 1;
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 8; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    // Station names come from the drawings: UTF-8.
    return QString::fromStdString(GraphCellText(pairs_, merge_.BaseGraph, merge_.MorphGraph, index.row() + 1, index.column()));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return FromCore(GraphCellText(pairs_, merge_.BaseGraph, merge_.MorphGraph, 0, section));
  }

private:
  TMergeState& merge_;
  std::vector<TGraphPair> pairs_;
};

TGraphsDialog::TGraphsDialog(TAppContext& app, TQtUserInterface& ui, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), app_(app), ui_(ui), model_(new TGraphPairsModel(app.Merge)) {
  setWindowTitle("Graphs");
  setObjectName("GraphsDlg");
  setModal(false);
  model_->setParent(this);

  grid_ = new QTableView;
  grid_->setObjectName("PairsGrid");
  grid_->setModel(model_);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(19);
  grid_->horizontalHeader()->setDefaultSectionSize(64);
  grid_->setColumnWidth(0, 46);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& index) { ShowDetails(index.row()); });

  details_ = new QPlainTextEdit;
  details_->setObjectName("DetailsMemo");
  details_->setReadOnly(true);
  details_->setLineWrapMode(QPlainTextEdit::NoWrap);
  details_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

  auto pane = [](const char* caption, QWidget* content) {
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(caption));
    layout->addWidget(content, 1);
    return widget;
  };
  auto* splitter = new QSplitter;
  splitter->addWidget(pane("Click For Details", grid_));
  splitter->addWidget(pane("Details", details_));
  splitter->setSizes({520, 380});

  auto* display = new QPushButton("Display Graphs");
  display->setObjectName("DisplayGraphsBtn");
  connect(display, &QPushButton::clicked, this, [this] { DisplayGraphs(); });
  auto* close = new QPushButton("Close");
  close->setObjectName("CancelBtn");
  connect(close, &QPushButton::clicked, this, &QDialog::hide);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(display);
  buttons->addStretch();
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter, 1);
  layout->addLayout(buttons);
  resize(900, 560);
}

void TGraphsDialog::ShowGraphsDlg() {
  show();
  raise();
  activateWindow();
}

void TGraphsDialog::DisplayGraphs() {
  if (!app_.Plot.FileLoaded) return;
  try {
    TBusyGuard busy(ui_);
    model_->SetPairs(app_.UpdateGraphs());
  } catch (const std::exception& error) {
    ui_.Error(error.what());  // the graphs were not touched: the previous listing stays
    return;
  }
  const QModelIndex current = grid_->currentIndex();
  if (current.isValid()) ShowDetails(current.row());
}

void TGraphsDialog::ShowDetails(int row) {
  const std::vector<TGraphPair>& pairs = model_->Pairs();
  if (row < 0 || static_cast<std::size_t>(row) >= pairs.size()) return;
  const TGraphPair& pair = pairs[static_cast<std::size_t>(row)];
  const QString point = QLocale().decimalPoint();
  const char separator = point.size() == 1 && point[0].unicode() < 0x80 ? static_cast<char>(point[0].unicode()) : '.';
  const std::string text = GraphDetails(GetDisplayItem(app_.Merge.BaseGraph, pair.E1),
                                        GetDisplayItem(app_.Merge.MorphGraph, pair.E2),
                                        app_.SVGInfo().RefInfo.ScaleRatio, separator);
  details_->setPlainText(QString::fromStdString(text).remove('\r'));
}
