// The Merge / Morph page, the Graphs dialog and the SVG tree viewer, driven
// as a person would, offscreen.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "GraphsDialog.h"
#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "MergePanel.h"
#include "PlotWindowWidget.h"
#include "SVGTreeDialog.h"
#include "support/TestSupport.h"

namespace {

using S = TSetting;

const QString Sample = QString(QUILLMAP_TEST_DATA_DIR) + "/../../examples/blue-spring.plt";

// The golden plot exported under other settings than the window's defaults.
std::string OtherTarget() {
  static const std::string file = [] {
    TRecordingUserInterface quiet;
    TAppContext exporter(quiet);
    exporter.LoadPlotFile(Sample.toStdString());
    exporter.Settings.Set(S::Ratio, 750);
    exporter.Settings.Set(S::Yaw, 30);
    const std::string path = WriteScratchFile("other.svg", "");
    exporter.ExportSVG(path);
    return path;
  }();
  return file;
}

struct TMergePageFixture : ::testing::Test {
  template <typename Widget>
  Widget* Find(const char* name) {
    auto* widget = window.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  // The rows whose target field is highlighted, by caption.
  std::vector<QString> Highlighted() {
    auto* grid = Find<QTableWidget>("ReferenceGrid");
    std::vector<QString> rows;
    for (int row = 0; row < grid->rowCount(); ++row)
      if (grid->item(row, 0) && grid->item(row, 0)->background().color() == ToQColor(RefHighlightColor))
        rows.push_back(grid->verticalHeaderItem(row)->text());
    return rows;
  }
  void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }

  TRecordingQtUserInterface ui;
  TMainWindow window{ui};
  TMergePanel& panel = window.MergePanel();
};

TEST_F(TMergePageFixture, LoadsATargetMatchesItAndMergesWithBackups) {
  window.LoadPlotFile(Sample);
  window.App().Settings.Set(S::ShowCompatibilityOptions, 0);
  AnswerNextFileDialog(QString::fromStdString(OtherTarget()));
  Click("LoadTargetBtn");
  EXPECT_EQ(Find<QLineEdit>("TargetDis")->text(), "other.svg");
  auto* grid = Find<QTableWidget>("ReferenceGrid");
  EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Target");
  EXPECT_FALSE(grid->item(0, 0)->text().isEmpty());
  EXPECT_FALSE(grid->item(0, 1)->text().isEmpty());
  EXPECT_EQ(Highlighted(), (std::vector<QString>{" Rotation:", " Scale:", " Frame-X:", " Frame-Y:", " Center-X:", " Center-Y:"}));

  Click("MatchTargetBtn");
  QApplication::processEvents();
  EXPECT_EQ(Highlighted(), std::vector<QString>{}) << grid->item(2, 0)->text().toStdString();
  EXPECT_EQ(window.App().Settings.Value(S::Ratio), 750);

  // Show Target draws the target's shots on the map.
  Find<QCheckBox>("ShowTargetChk")->setChecked(true);
  EXPECT_GT(window.Preview().TargetShots().size(), 10u);

  const std::string output = WriteScratchFile("blue-spring_Mrg.svg", "an older merge");
  const std::string backup = output.substr(0, output.size() - 4) + ".bak";
  for (int run = 0; run < 2; ++run) {
    AnswerNextFileDialog(QString::fromStdString(output));
    Click("MergeBtn");
  }
  EXPECT_EQ(ui.messages, std::vector<std::string>{});
  EXPECT_EQ(ReadBytes(backup + "2"), "an older merge");
  EXPECT_TRUE(std::filesystem::exists(backup + "1"));
  EXPECT_NE(ReadBytes(output).find("w2d_Vectors"), std::string::npos);
  // The report reaches the processing log; the fit shows in the status line.
  EXPECT_TRUE(std::ranges::any_of(window.App().Log.Lines(), [](const std::string& line) { return line.starts_with("Fit: median"); }));
  EXPECT_TRUE(Find<QLabel>("StatusDis2")->text().startsWith(" Fit: median"));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the busy cursor is back
}

TEST_F(TMergePageFixture, GuardsItsCommandsWithoutAPlotOrTarget) {
  panel.LoadSVGTarget();
  panel.MatchTarget();
  panel.MergeMorphSave();
  EXPECT_EQ(ui.messages, std::vector<std::string>(3, "No Plot File Loaded."));
  ui.messages.clear();
  window.LoadPlotFile(Sample);
  panel.MatchTarget();
  panel.DebugMerge();
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].rfind("No Target File Loaded - Nothing to Match", 0), 0u);
  EXPECT_EQ(ui.messages[1].rfind("No Target File Loaded - Nothing to Merge", 0), 0u);
  // A target that is no drawing: the validation's warning, no target, the busy cursor back.
  ui.messages.clear();
  const std::string broken = WriteScratchFile("broken.svg", "<svg><g></svg>");
  EXPECT_FALSE(window.OpenPltOrSVG(QString::fromStdString(broken)));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind("1 XML Syntax Errors Found", 0), 0u);
  EXPECT_FALSE(window.App().Merge.TargetLoaded);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(TMergePageFixture, ShiftControlClickOnTheMorphGroupTogglesDebugMerge) {
  auto* debug = Find<QPushButton>("DebugMergeBtn");
  auto* group = Find<QWidget>("MorphParameters");
  EXPECT_TRUE(debug->isHidden());
  QTest::mouseClick(group, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_TRUE(debug->isHidden());
  QTest::mouseClick(group, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_FALSE(debug->isHidden());
  QTest::mouseClick(group, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_TRUE(debug->isHidden());
}

TEST_F(TMergePageFixture, GraphsListThePairsAndTheirDetails) {
  window.LoadPlotFile(Sample);
  ASSERT_TRUE(window.OpenPltOrSVG(QString::fromStdString(OtherTarget())));
  EXPECT_EQ(window.Views().currentWidget(), &panel);
  TGraphsDialog& graphs = window.GraphsDialog();
  graphs.ShowGraphsDlg();
  QTest::mouseClick(graphs.findChild<QPushButton*>("DisplayGraphsBtn"), Qt::LeftButton);
  QAbstractItemModel* model = graphs.PairsGrid()->model();
  ASSERT_GT(model->rowCount(), 10);
  EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "From");
  // Every plot shot finds its partner in a target exported from the same plot.
  for (int row = 0; row < window.App().Merge.BaseGraph.EdgeCount(); ++row) {
    EXPECT_FALSE(model->index(row, 3).data().toString().isEmpty()) << row;
    EXPECT_EQ(model->index(row, 1).data(), model->index(row, 3).data()) << row;
  }
  graphs.PairsGrid()->selectRow(1);
  graphs.ShowDetails(1);
  const QString details = graphs.DetailsMemo()->toPlainText();
  EXPECT_TRUE(details.startsWith("Plot File\n---------\nFrom: ")) << details.toStdString();
  // The target drawn turned by 30 degrees at 1:750 (to the rounding of its numbers).
  EXPECT_TRUE(details.contains("Rotation: 29.99") || details.contains("Rotation: 30.00")) << details.toStdString();
  EXPECT_TRUE(details.contains("Ratio: 750.0")) << details.toStdString();
}

TEST_F(TMergePageFixture, TreeViewerFindsNodesOfBothDocuments) {
  window.LoadPlotFile(Sample);
  ASSERT_TRUE(window.OpenPltOrSVG(QString::fromStdString(OtherTarget())));
  TSVGTreeDialog& trees = window.SVGTreeDialog();
  ASSERT_TRUE(trees.FillTrees());
  for (auto side : {TSVGTreeDialog::Source, TSVGTreeDialog::Target}) {
    TSVGTreeModel* model = trees.Model(side);
    const QModelIndex root = model->RootIndex();
    EXPECT_EQ(root.data().toString(), "blue-spring");
    EXPECT_EQ(model->index(0, 0, root).data().toString(), "Nm:  Id: Tp:Document");
    trees.Tree(side)->setCurrentIndex(root);
    ASSERT_TRUE(trees.FindInTree(side, "W2D_VECTORS", true));
    EXPECT_EQ(trees.Tree(side)->currentIndex().data().toString(), "Nm: g Id:w2d_Vectors Tp:Element");
    EXPECT_TRUE(trees.Tree(side)->isExpanded(trees.Tree(side)->currentIndex()));
    EXPECT_TRUE(trees.FindInTree(side, "Tp:Document", false));
    EXPECT_TRUE(trees.FindInTree(side, "blue-spring", false));  // up to the top node
    EXPECT_FALSE(trees.FindInTree(side, "blue-spring", false));
  }
  trees.Tree(TSVGTreeDialog::Target)->setCurrentIndex(trees.Model(TSVGTreeDialog::Target)->RootIndex());
  trees.ShowSelectedXML(TSVGTreeDialog::Target);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"No XML Data"});
}

}  // namespace
