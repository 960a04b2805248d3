// The validation and repair dialogs, driven as a person would, offscreen.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "RepairDialog.h"
#include "ValidateDialog.h"
#include "support/TestSupport.h"

namespace {

struct TDialogFixture : ::testing::Test {
  TRecordingQtUserInterface ui;
  TMainWindow window{ui};
};

TEST_F(TDialogFixture, ValidationListsFaultsAndLeadsToTheirLines) {
  const std::string file = WriteScratchFile("faults.svg", "<svg>\n<g>\n</svg>\n<a></b>\n");
  TValidateDialog& dialog = window.ValidateDialog();
  EXPECT_EQ(dialog.ValidateXMLSyntax(QString::fromStdString(file)), 2);
  EXPECT_EQ(dialog.windowTitle(), "Validate XML Syntax - faults.svg");
  EXPECT_EQ(dialog.findChild<QLabel*>("ErrorCntDis")->text(), "2");
  QTableWidget& grid = dialog.Grid();
  EXPECT_EQ(grid.rowCount(), 35);
  EXPECT_EQ(grid.item(0, 2)->text(), "g");
  EXPECT_EQ(grid.item(0, 3)->text(), "No Close Tag");
  EXPECT_EQ(grid.item(1, 1)->text(), "4");
  EXPECT_EQ(grid.item(1, 2)->text(), "/b");
  emit grid.cellDoubleClicked(1, 0);
  EXPECT_EQ(dialog.Pages().currentIndex(), 1);
  EXPECT_EQ(dialog.Editor().textCursor().blockNumber(), 3);  // line 4
  EXPECT_TRUE(dialog.FindText("svg", false, false, false));  // upward from line 4: "</svg>"
  EXPECT_EQ(dialog.Editor().textCursor().blockNumber(), 2);
  CloseNextModal();
  EXPECT_FALSE(dialog.FindText("nowhere", false, false, true));
}

TEST_F(TDialogFixture, ALoadsFaultsReachTheDialog) {
  TValidateDialog& dialog = window.ValidateDialog();
  const std::string file = WriteScratchFile("load.svg", "<svg><g></svg>");
  TXMLDocument doc;
  TLoadServices services{window.App().Validation, window.App().Log, ui};
  EXPECT_THROW(LoadValidateFile(file, doc, window.App().SVGInfo(), services), std::runtime_error);
  EXPECT_EQ(dialog.findChild<QLabel*>("ErrorCntDis")->text(), "1");
  EXPECT_EQ(dialog.Grid().item(0, 2)->text(), "g");
}

TEST_F(TDialogFixture, RepairConvertsWhenBothFilesAreNamed) {
  TRepairDialog& dialog = window.RepairDialog();
  EXPECT_FALSE(dialog.ConvertButton().isEnabled());
  const std::string input = std::string(QUILLMAP_TEST_DATA_DIR) + "/illustrator/golden-illustrator.svg";
  dialog.InputEdit().setText(QString::fromStdString(input));
  EXPECT_FALSE(dialog.ConvertButton().isEnabled());
  const std::string output = WriteScratchFile("converted.svg", "old");
  dialog.OutputEdit().setText(QString::fromStdString(output));
  EXPECT_TRUE(dialog.ConvertButton().isEnabled());
  dialog.OutputEdit().clear();
  EXPECT_FALSE(dialog.ConvertButton().isEnabled());
  dialog.OutputEdit().setText(QString::fromStdString(output));
  // A typed name that exists is asked about; No keeps the file.
  CloseNextModal();
  EXPECT_FALSE(dialog.Convert());
  std::ifstream kept(output);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "old");
  ui.answer = true;
  CloseNextModal();
  ASSERT_TRUE(dialog.Convert()) << (ui.messages.empty() ? "" : ui.messages.back());
  EXPECT_EQ(dialog.findChild<QLabel*>("StatusDis1")->text(), " Repair Complete");
  std::ifstream in(output);
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(in), {}).find("id=\"w2d_Vectors\""), std::string::npos);
}

}  // namespace
