#include <gtest/gtest.h>

#include "export/QMColors.h"
#include "export/PaperSizes.h"
#include "export/QMScaleUnits.h"

namespace {

TEST(Units, InvertRotationFoldsIntoTheCircle) {
  struct Case {
    double angle, inverse;
  } cases[] = {{0, 0}, {360, 0}, {90, 270}, {30, 330}, {330, 30}, {-10, 10}, {720, 0}};
  for (const Case& c : cases) EXPECT_EQ(InvertRotation(c.angle), c.inverse) << c.angle;
}

TEST(Units, DerivesEveryFactorFromTheFoot) {
  TFootFactors international, survey(true);
  EXPECT_EQ(international.Feet2Meters, 0.3048);
  EXPECT_EQ(survey.Feet2Meters, 0.304800609601);
  EXPECT_NEAR(international.Inches2Millimeters, 25.4, 1e-12);
  EXPECT_NEAR(international.Millimeters2Inches * 25.4, 1, 1e-12);
  EXPECT_NEAR(international.Centimeters2Inches, 1 / 2.54, 1e-12);
  TUnitState metric = UnitStateFor(false, international);
  EXPECT_EQ(metric.PaperUnitsStr, "mm");
  EXPECT_EQ(metric.CaveUnitsStr, "M");
  EXPECT_EQ(metric.CaveFactor, 0.3048);
  EXPECT_EQ(UnitStateFor(true, international).PaperUnitsStr, "In");
}

TEST(PaperSizes, KeepTheTableAsShown) {
  ASSERT_EQ(PaperSizeList.size(), 68u);
  std::vector<std::string> texts = FillStringsPaperSize();
  EXPECT_EQ(texts.front(), "US Letter 8 1/2- by 11-in.");
  EXPECT_EQ(texts[15], "10- by 14-in. sheet  10- by 14-in.");  // the name ends in a blank
  EXPECT_EQ(texts[16], "11- by 17-in. sheet  11- by 17-in.");
  EXPECT_EQ(texts.back(), "Quarto 215- by 275-mm.");
  EXPECT_EQ(PaperSizeList[20].Size, (T2DVector{33.1, 46.8}));
  EXPECT_EQ(PaperSizeList[24].Size, (T2DVector{8.268, 11.693}));
  int wider = 0;
  for (const TPaperSize& paper : PaperSizeList) wider += paper.Size.X > paper.Size.Y;
  EXPECT_EQ(wider, 1);  // only the US standard fanfold
}

TEST(Colors, WriteAsUpperCaseHexInTableOrder) {
  TSVGColors colors;
  EXPECT_EQ(ColorToSVGColor(colors.BackColor), "#CCCCCC");
  EXPECT_EQ(ColorToSVGColor(colors.FeatureNameColor), "#7F3F3F");
  EXPECT_EQ(ColorToSVGColor(RGBColor(0x12, 0xAB, 0xEF)), "#12ABEF");
  EXPECT_STREQ(SVAColorSetArray[0].Tag, "Shot Line");
  EXPECT_EQ(colors.*SVAColorSetArray[0].Color, RGBColor(255, 0, 0));
  EXPECT_STREQ(SVAColorSetArray[12].Tag, "Feature Name");
  EXPECT_EQ(colors.*SVAColorSetArray[6].Color, RGBColor(255, 255, 255));  // Floor
}

}  // namespace
