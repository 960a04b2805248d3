// The shot select tool and the station tie-in dialog, driven offscreen.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "ShotSelectDialog.h"
#include "StationTieInDialog.h"

namespace {

using S = TSetting;

struct TToolsFixture : ::testing::Test {
  TToolsFixture() { window.LoadPlotFile(QString(QUILLMAP_EXAMPLES_DIR) + "/blue-spring.plt"); }
  int Ticked() {
    int ticked = 0;
    for (int node = 0; node < window.App().Tree.NodeCount(); ++node) ticked += window.App().Tree.Checked(node);
    return ticked;
  }
  TRecordingQtUserInterface ui;
  TMainWindow window{ui};
};

TEST_F(TToolsFixture, DraggingALimitLineMovesItsSpinAndSelectTicksTheShotsInside) {
  TShotSelectDialog& tool = window.ShotSelectDialog();
  tool.DoShotSelectDialog();
  QApplication::processEvents();
  TClipView* plan = tool.PlanView();
  plan->repaint();
  const double west = tool.ClipSpin(TShotSelectDialog::West)->value();
  const int column = plan->PixelOf(TShotSelectDialog::West);
  QTest::mousePress(plan, Qt::LeftButton, {}, QPoint(column, plan->height() / 2));
  QTest::mouseMove(plan, QPoint(column + plan->width() / 3, plan->height() / 2));
  QTest::mouseRelease(plan, Qt::LeftButton, {}, QPoint(column + plan->width() / 3, plan->height() / 2));
  const double moved = tool.ClipSpin(TShotSelectDialog::West)->value();
  EXPECT_GT(moved, west + 1);
  EXPECT_NEAR(tool.Tool().Box.West, moved, 0.06);  // the line followed the spin
  EXPECT_NEAR(plan->PixelOf(TShotSelectDialog::West), column + plan->width() / 3, 2);

  // With every box ticked and the box as loaded, every shot is ticked;
  // with the west limit moved in, fewer.
  for (const char* check : {"ExDepthChk", "ExEastWestChk", "ExNorthSouthChk"})
    tool.findChild<QCheckBox*>(check)->setChecked(true);
  tool.SetByExtents();
  const int part = Ticked();
  tool.PresetComplex();
  tool.SetByExtents();
  const int all = Ticked();
  int shots = 0;
  for (int node = 0; node < window.App().Tree.NodeCount(); ++node) shots += window.App().Tree.Info(node).ItemType == itShot;
  EXPECT_EQ(all, shots);
  EXPECT_GT(part, 0);
  EXPECT_LT(part, all);
  // Zoom In widens the views; Reset fits them to their panes again.
  const int width = plan->width();
  QTest::mouseClick(tool.findChild<QPushButton*>("ZoomInBtn"), Qt::LeftButton);
  EXPECT_GT(plan->width(), width);
  QTest::mouseClick(tool.findChild<QPushButton*>("ZoomResetBtn"), Qt::LeftButton);
  EXPECT_EQ(plan->width(), width);
  // The tilt of a real cave can be fitted; an empty box cannot.
  EXPECT_TRUE(tool.Regression());
  tool.findChild<QCheckBox*>("ExtentsTiltChk")->setChecked(true);
  tool.ClipSpin(TShotSelectDialog::East)->setValue(tool.ClipSpin(TShotSelectDialog::West)->minimum());
  EXPECT_FALSE(tool.Regression());
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Insufficient Stations To Analyze Slope"});
}

TEST_F(TToolsFixture, TiesInTheChosenStationAndFindsStations) {
  TStationTieInDialog& tieIns = window.StationTieInDialog();
  QTableView* grid = tieIns.StationGrid();
  EXPECT_GE(grid->model()->rowCount(), 34);
  ASSERT_TRUE(tieIns.FindStation("a?", true));
  const int row = grid->currentIndex().row();
  const TPlotState& plot = window.App().Plot;
  tieIns.TieIn();
  const T3DVector expected = plot.VectorArray[row].Location.Vector() - plot.VectorArray[0].Location.Vector();
  EXPECT_EQ(window.App().Settings.Value(S::CaveOffsetX), std::round(expected.X * 100) / 100);
  EXPECT_FALSE(tieIns.FindStation("no such station", true));
  EXPECT_EQ(ui.messages.back(), "Survey Not Found: no such station");
  grid->setCurrentIndex({});  // no station chosen: nothing happens
  const double before = window.App().Settings.Value(S::CaveOffsetY);
  tieIns.TieIn();
  EXPECT_EQ(window.App().Settings.Value(S::CaveOffsetY), before);
}

}  // namespace
