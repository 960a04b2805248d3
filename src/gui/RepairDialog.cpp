#include "RepairDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "CompatibilityDialog.h"
#include "QtDrawingSurface.h"
#include "QtUserInterface.h"

namespace {

// The repair's status and progress in the dialog; messages as the window's.
class TDialogUserInterface : public TUserInterface {
public:
  TDialogUserInterface(TUserInterface& window, QLabel& status, QProgressBar& gauge)
      : window_(window), status_(status), gauge_(gauge) {}
  void Warning(std::string_view text) override { window_.Warning(text); }
  bool Question(std::string_view text) override { return window_.Question(text); }
  void Error(std::string_view text) override { window_.Error(text); }
  void Status(int, std::string_view text, TColor color) override {
    status_.setText(" " + FromCore(text));
    status_.setStyleSheet("color: " + ToQColor(color).name() + "; background: black; font-weight: bold;");
    status_.repaint();
  }
  void Progress(int percent) override {
    gauge_.setValue(percent);
    gauge_.repaint();
  }
  void ElementProgress(long, long) override {}
  void ProcessEvents() override {}
  void Log(std::string_view line) override { window_.Log(line); }
  void SetBusy(bool busy) override { window_.SetBusy(busy); }

private:
  TUserInterface& window_;
  QLabel& status_;
  QProgressBar& gauge_;
};

}  // namespace

TRepairDialog::TRepairDialog(TAppContext& app, TSettingWidgets& bindings, TUserInterface& ui, QWidget* parent)
    : QDialog(parent), app_(app), bindings_(bindings), ui_(ui) {
  setWindowTitle("Repair/Covert SVG Files");
  resize(396, 175);
  input_ = new QLineEdit;
  input_->setObjectName("InputEdit");
  output_ = new QLineEdit;
  output_->setObjectName("OutputEdit");
  auto* openInput = new QToolButton;
  openInput->setText("...");
  auto* openOutput = new QToolButton;
  openOutput->setText("...");
  convert_ = new QPushButton("Convert");
  convert_->setObjectName("ConvertBtn");
  convert_->setEnabled(false);
  auto* close = new QPushButton("Close");
  status_ = new QLabel;
  status_->setObjectName("StatusDis1");
  status_->setStyleSheet("color: lime; background: black; font-weight: bold;");
  gauge_ = new QProgressBar;
  gauge_->setObjectName("ProgressGauge");
  gauge_->setRange(0, 100);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel("Input SVG File"), 0, 0);
  grid->addWidget(input_, 1, 0);
  grid->addWidget(openInput, 1, 1);
  grid->addWidget(new QLabel("Output SVG File"), 2, 0);
  grid->addWidget(output_, 3, 0);
  grid->addWidget(openOutput, 3, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(convert_);
  buttons->addWidget(close);
  auto* status = new QHBoxLayout;
  status->addWidget(new QLabel(" Status:"));
  status->addWidget(status_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->addLayout(status);
  layout->addWidget(gauge_);

  auto enable = [this] { convert_->setEnabled(!input_->text().isEmpty() && !output_->text().isEmpty()); };
  connect(input_, &QLineEdit::textChanged, this, enable);
  connect(output_, &QLineEdit::textChanged, this, enable);
  connect(openInput, &QToolButton::clicked, this, [this] {
    QFileDialog dialog(this, "Open", QDir::currentPath(), "SVG Files (*.svg);;All Files (*.*)");
    dialog.setDefaultSuffix("svg");
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted) input_->setText(dialog.selectedFiles().value(0));
  });
  connect(openOutput, &QToolButton::clicked, this, [this] {
    QFileDialog dialog(this, "Save As", QDir::currentPath(), "SVG Files (*.svg);;All Files (*.*)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before overwriting
    dialog.setDefaultSuffix("svg");
    dialog.selectFile("Convert.svg");
    if (dialog.exec() == QDialog::Accepted) {
      output_->setText(dialog.selectedFiles().value(0));
      confirmedOutput_ = output_->text();
    }
  });
  connect(convert_, &QPushButton::clicked, this, [this] { Convert(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

bool TRepairDialog::Convert() {
  TCompatibilityDialog(bindings_, this).exec();
  const QString output = output_->text();
  // A name typed rather than chosen in the save dialog was never asked about.
  if (QFileInfo::exists(output) && output != confirmedOutput_ &&
      !ui_.Question(ToCore("Replace the existing file " + output + "?")))
    return false;
  TDialogUserInterface ui(ui_, *status_, *gauge_);
  TBusyGuard busy(ui_);
  try {
    app_.RepairSVGFile(ToCore(input_->text()), ToCore(output), ui);
  } catch (const std::exception& error) {
    ui_.Error(error.what());
    return false;
  }
  return true;
}
