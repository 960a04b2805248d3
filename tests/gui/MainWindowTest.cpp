// The window's widgets driven as a person would, offscreen.

#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "support/TestSupport.h"

namespace {

using S = TSetting;

struct TWindowFixture : ::testing::Test {
  template <typename Widget>
  Widget* Find(const char* name) {
    auto* widget = window.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void Type(QDoubleSpinBox* spin, const QString& text) {
    spin->selectAll();
    QTest::keyClicks(spin, text);
    QTest::keyClick(spin, Qt::Key_Enter);
  }
  void LoadGolden() { window.LoadPlotFile(QString(QUILLMAP_TEST_DATA_DIR) + "/golden/golden.plt"); }

  TRecordingQtUserInterface ui;
  TMainWindow window{ui};
  TSettingsModel& settings = window.App().Settings;
};

TEST_F(TWindowFixture, TypingFeetPerInchSetsScaleAndRatio) {
  LoadGolden();  // 0.1 inch per foot at scale 1
  Type(Find<QDoubleSpinBox>("feet-per-inch"), "50");
  EXPECT_NEAR(settings.Value(S::ScaleFactor), 0.2, 1e-9);
  EXPECT_NEAR(Find<QDoubleSpinBox>("scale-factor")->value(), 0.2, 1e-9);
  EXPECT_NEAR(Find<QDoubleSpinBox>("ratio")->value(), 600, 1e-9);
}

TEST_F(TWindowFixture, CouplesYawAndPaperRotation) {
  Type(Find<QDoubleSpinBox>("yaw"), "30");
  EXPECT_EQ(Find<QDoubleSpinBox>("paper-rotation")->value(), 330);
  Type(Find<QDoubleSpinBox>("paper-rotation"), "90");
  EXPECT_EQ(Find<QDoubleSpinBox>("yaw")->value(), 270);
}

TEST_F(TWindowFixture, TakesAStandardSizeInLandscape) {
  auto* combo = Find<QComboBox>("paper");
  ASSERT_EQ(combo->count(), 68);
  combo->setCurrentIndex(24);
  emit combo->activated(24);  // as a person's choice does
  EXPECT_NEAR(Find<QDoubleSpinBox>("paper-x")->value(), 11.69, 1e-9);
  EXPECT_NEAR(Find<QDoubleSpinBox>("paper-y")->value(), 8.27, 1e-9);
}

TEST_F(TWindowFixture, SwitchesUnitsWithTheirSuffixes) {
  auto* units = Find<QGroupBox>("units");
  auto radios = units->findChildren<QRadioButton*>();
  ASSERT_EQ(radios.size(), 2);
  radios[1]->click();
  auto* paperX = Find<QDoubleSpinBox>("paper-x");
  EXPECT_EQ(paperX->suffix(), " mm");
  EXPECT_NEAR(paperX->value(), 279.4, 1e-9);
  EXPECT_EQ(Find<QDoubleSpinBox>("grid")->suffix(), " M");
  radios[0]->click();
  EXPECT_NEAR(paperX->value(), 11, 1e-9);
  EXPECT_EQ(paperX->suffix(), " In");
}

TEST_F(TWindowFixture, LoadingShowsCaptionCountersAndTree) {
  window.LoadPlotFile(QString(QUILLMAP_EXAMPLES_DIR) + "/blue-spring.plt");
  EXPECT_EQ(window.windowTitle(), "Quillmap - blue-spring.plt");
  auto labels = window.TreePanel().findChildren<QLabel*>();
  bool counters = std::any_of(labels.begin(), labels.end(), [](QLabel* l) { return l->text() == "5 / 24"; });
  EXPECT_TRUE(counters);
  EXPECT_EQ(window.TreePanel().Model()->rowCount({}), 2);
  EXPECT_EQ(Find<QLabel>("StatusDis1")->text(), " Loading Complete");
  ASSERT_FALSE(window.RecentFiles().Paths().empty());
  EXPECT_TRUE(window.RecentFiles().Paths().front().ends_with("/blue-spring.plt"));  // at the top
  EXPECT_TRUE(settings.Checked(S::ShowPassageWalls));  // under 5000 shots
}

TEST_F(TWindowFixture, GuardsCommandsWithoutAPlot) {
  window.ExportSVG();
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"No Plot File Loaded."}));
}

TEST_F(TWindowFixture, TreeChecksReachTheModel) {
  LoadGolden();
  TSurveyTreeModel* model = window.TreePanel().Model();
  QModelIndex section = model->index(0, 0, {});
  ASSERT_TRUE(section.isValid());
  EXPECT_TRUE(model->setData(section, Qt::Checked, Qt::CheckStateRole));
  EXPECT_TRUE(window.App().Tree.Checked(model->NodeOf(section)));
  QModelIndex shot = model->index(0, 0, model->index(0, 0, section));
  EXPECT_EQ(model->data(shot, Qt::DisplayRole).toString(), "A1 - A2");
  window.TreePanel().CheckAll(false);
  EXPECT_EQ(model->data(section, Qt::CheckStateRole).toInt(), Qt::Unchecked);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The window keeps its recent files and defaults here, not in the user's folder.
  const std::string config = (std::filesystem::path(WriteScratchFile("config", "")).parent_path() / "xdg").string();
  qputenv("XDG_CONFIG_HOME", config.c_str());
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
