#include "StationTieInDialog.h"

#include <QAbstractTableModel>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "FindDialog.h"
#include "WidgetHelpers.h"
#include "preview/QMStationOffset.h"

// Row r is vector r, read from the plot as it is drawn; at least 34 rows.
class TStationListModel : public QAbstractTableModel {
public:
  explicit TStationListModel(const TPlotState& plot) : plot_(plot) {}
  void Reload() {
    beginResetModel();
    endResetModel();
  }
  long Vectors() const { return plot_.FileLoaded ? plot_.VectorArray.Count() : 0; }
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(std::max<long>(Vectors(), MinimumRows - 1));
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || index.row() >= Vectors()) return {};
    if (index.column() == 0) return index.row() + 1;
    return FromCore(plot_.VectorArray[index.row()].Station.Str());
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return section == 0 ? "#" : "Station";
  }

private:
  static constexpr long MinimumRows = 35;  // with the heading
  const TPlotState& plot_;
};

TStationTieInDialog::TStationTieInDialog(TAppContext& app, TSettingWidgets& bindings, TQtUserInterface& ui,
                                         QWidget* parent)
    : QDialog(parent), app_(app), ui_(ui), model_(new TStationListModel(app.Plot)) {
  setWindowTitle("Station Offset");
  setObjectName("StationOffDlg");
  model_->setParent(this);
  grid_ = new QTableView;
  grid_->setObjectName("StationGrid");
  grid_->setModel(model_);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(16);
  grid_->setColumnWidth(0, 52);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(grid_, &QTableView::doubleClicked, this, [this] { TieIn(); });

  auto* offset = new QFormLayout;
  for (TSetting setting : {TSetting::CaveOffsetX, TSetting::CaveOffsetY, TSetting::CaveOffsetZ})
    offset->addRow(bindings.Caption(setting), bindings.Create(setting));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button("Tie-In", this, [this] { TieIn(); }, "TieToPaperBtn"));
  buttons->addWidget(Button("Reset", this, [this] { ResetCaveOffset(app_.Settings); }, "ResetCaveOffsetBtn"));
  auto* search = Button("Find...", this, [this] {
    if (!find_)
      find_ = new TFindDialog(this, false,
                              [this](const TFindDialog::TRequest& request) { FindStation(request.Text, request.Down); });
    find_->Open();
  }, "TieFindStationBtn");
  search->setToolTip("Search For Station");
  buttons->addWidget(search);
  buttons->addStretch();
  buttons->addWidget(Button("Close", this, [this] { accept(); }, "CloseBtn"));

  auto* groupLayout = new QVBoxLayout;
  groupLayout->addWidget(grid_, 1);
  groupLayout->addWidget(Group("Offset From Cave Root", offset));
  group_ = Group("Station Tie-in", groupLayout);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group_, 1);
  layout->addLayout(buttons);
  resize(300, 560);
}

void TStationTieInDialog::ShowTieIns() {
  model_->Reload();
  group_->setTitle("Cave Offset " + FromCore(app_.Settings.Units().CaveUnitsStr));
  exec();
}

long TStationTieInDialog::SelectedVector() const {
  const QModelIndex current = grid_->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void TStationTieInDialog::TieIn() {
  const long vector = SelectedVector();
  if (vector >= 0 && vector < model_->Vectors()) TieInStation(app_.Plot, app_.Settings, vector);
}

bool TStationTieInDialog::FindStation(const QString& text, bool down) {
  const std::optional<long> found = ::FindStation(app_.Plot, ToCore(text), SelectedVector(), down);
  if (!found) {
    ui_.Warning("Survey Not Found: " + ToCore(text));
    return false;
  }
  grid_->selectRow(static_cast<int>(*found));
  return true;
}
