// The preview drawn into an image: its counts and a few decisive pixels.

#include <gtest/gtest.h>

#include <QImage>
#include <QtGlobal>

#include "PlotWindowWidget.h"
#include "support/TestSupport.h"

namespace {

using S = TSetting;

// The golden plot: a printable window of 10 x 7.5 inches. In an 800 x 600
// image with a 10 % border that is 72 pixels to the inch, paper (x, y) at
// pixel (40 + 72 x, 569 - 72 y).
struct TPreviewFixture : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(app.LoadPlotFile(std::string(QUILLMAP_TEST_DATA_DIR) + "/golden/golden.plt").Loaded);
  }
  QColor At(const QImage& image, double x, double y) {
    return image.pixelColor(static_cast<int>(40 + 72 * x), static_cast<int>(569 - 72 * y));
  }
  TRecordingUserInterface ui;
  TAppContext app{ui};
  QImage image{800, 600, QImage::Format_RGB32};
};

TEST_F(TPreviewFixture, DrawsTheSheetTheSurveyAndTheCentre) {
  app.Settings.Set(S::ShowCenterPoint, 1);
  TPreviewCounters counters = RenderPreview(app, image);
  EXPECT_EQ(counters.PlottedShots, 3);  // two shots and the splay
  EXPECT_EQ(counters.RectCnt, 3);       // the top face of each prism, the corner rounded
  EXPECT_EQ(image.pixelColor(2, 2), QColor(166, 202, 240));  // sky blue around the sheet
  EXPECT_EQ(At(image, -0.25, -0.25), QColor(230, 230, 230));  // the sheet's margin
  EXPECT_EQ(At(image, 5, 7), QColor(204, 204, 204));          // the drawing area
  EXPECT_EQ(At(image, 5, 1.25), QColor(255, 0, 0));            // the shot A1 - A2
  EXPECT_EQ(image.pixelColor(400, 299), QColor(255, 0, 0));   // the centre mark
}

TEST_F(TPreviewFixture, DrawsTheGridWhereTheExportDoesFromTheTopEdgeDown) {
  // 100 ft at 0.1 in/ft: minor lines every 2 inches from the window's top
  // edge (7.5 in), as the export writes them at y = 36, 180, 324, 468 points.
  RenderPreview(app, image);
  const QColor area(204, 204, 204);
  EXPECT_NE(At(image, 3, 5.5), area);  // a grid line
  EXPECT_NE(At(image, 3, 3.5), area);
  EXPECT_EQ(At(image, 3, 6), area);    // where a grid from the bottom edge would lie
  EXPECT_EQ(At(image, 3, 4), area);
}

std::vector<QString> QtMessages;

TEST_F(TPreviewFixture, ClipsTheSurveyToTheDrawingArea) {
  app.Settings.Set(S::ScaleFactor, 4);  // A1 - A2 now runs far past the right edge
  app.Settings.Set(S::LabelStations, 1);
  QtMessages.clear();
  QtMessageHandler previous = qInstallMessageHandler(
      [](QtMsgType, const QMessageLogContext&, const QString& message) { QtMessages.push_back(message); });
  RenderPreview(app, image);
  qInstallMessageHandler(previous);
  EXPECT_TRUE(QtMessages.empty()) << QtMessages.front().toStdString();  // no painter used outside begin and end
  EXPECT_EQ(At(image, 10.25, 1.25 * 4 - 0), QColor(230, 230, 230));  // the margin keeps the sheet's colour
  EXPECT_NE(At(image, 9.9, 5), QColor(204, 204, 204));               // inside, the shot is drawn
}

TEST_F(TPreviewFixture, FollowsTheDisplaySwitchesAndShowsNothingWithoutAPlot) {
  app.Settings.Set(S::ShowPassageWalls, 0);
  EXPECT_EQ(RenderPreview(app, image).RectCnt, 0);
  TAppContext empty(ui);
  QImage blank(100, 100, QImage::Format_RGB32);
  blank.fill(Qt::white);
  EXPECT_EQ(RenderPreview(empty, blank).PlottedShots, 0);
  EXPECT_EQ(blank.pixelColor(50, 50), QColor(166, 202, 240));  // the background only
}

}  // namespace
