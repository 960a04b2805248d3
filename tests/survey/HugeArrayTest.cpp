#include "survey/HugeArray.h"
#include "survey/PlotArray.h"

#include <gtest/gtest.h>

namespace {

TEST(HugeArray, GrowsByTheFixedRule) {
  struct Case {
    int initial, appends, capacity;
  } cases[] = {
      {64, 64, 64},   // full, not grown yet
      {64, 65, 80},   // 64 + 16
      {64, 81, 100},  // 80 + 80 / 4
      {1, 2, 5},      // 1 + 4
      {8, 9, 12},     // 8 + 4
      {9, 10, 25},    // 9 + 16
  };
  for (const Case& c : cases) {
    THugeInteger array(c.initial);
    for (int i = 0; i < c.appends; ++i) array.Add(i);
    EXPECT_EQ(array.Capacity(), c.capacity) << c.initial << " then " << c.appends << " appends";
    EXPECT_EQ(array.Count(), c.appends);
  }
}

TEST(HugeArray, RefusesAnEmptyAllocation) {
  try {
    THugeInteger array(0);
    FAIL();
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "Empty Array Allocation");
  }
}

TEST(HugeArray, InsertsAndDeletesInRangeOnly) {
  THugeInteger array(4);
  for (int i : {10, 20, 30}) array.Add(i);
  array.Insert(3, 40);   // at the end
  array.Insert(0, 5);    // at the front
  array.Insert(6, 99);   // past the end: ignored
  array.Insert(-1, 99);  // ignored
  array.Delete(2);       // 20
  array.Delete(4);       // past the end: ignored
  EXPECT_EQ(std::vector<int>(array.begin(), array.end()), (std::vector<int>{5, 10, 30, 40}));
}

TEST(HugeArray, ClearGoesBackToTheInitialCapacity) {
  THugeInteger array(2);
  for (int i = 0; i < 100; ++i) array.Add(i);
  array.Clear();
  EXPECT_EQ(array.Count(), 0);
  EXPECT_EQ(array.Capacity(), 2);
}

TEST(SurveyArray, CopiesKeepTheFlagsText) {
  TSurveyArray surveys(2);
  TSurveyID survey;
  survey.Name.Assign("Entrance");
  surveys.Add(survey);
  TSurveyID copy = surveys.Get(0);
  copy.Flags.Assign("SPX");
  surveys.Put(0, copy);
  EXPECT_EQ(surveys.Get(0).Flags.View(), "SPX");
  EXPECT_EQ(surveys.Get(0).Name.View(), "Entrance");
}

TEST(SectionArray, EachSectionOwnsAFixedStationList) {
  TSectionArray sections(1);
  sections.Add(TCaveSection{});
  sections.Add(TCaveSection{});
  TFixedStation station;
  station.Name.Assign("BM1");
  sections.FixedStations(1).Add(station);
  EXPECT_EQ(sections.FixedStations(0).Count(), 0);
  EXPECT_EQ(sections.FixedStations(1).Get(0).Name.View(), "BM1");
  sections.Clear();
  sections.Add(TCaveSection{});
  EXPECT_EQ(sections.FixedStations(0).Count(), 0);
}

TEST(FixedText, CutsToItsCapacity) {
  TFixedText<5> text("abcdefgh");
  EXPECT_EQ(text.View(), "abcde");
  EXPECT_FALSE(text.Append('x'));
  text.Assign("ab");
  EXPECT_TRUE(text.Append('c'));
  EXPECT_EQ(text.View(), "abc");
  text.Erase(0, 2);
  EXPECT_EQ(text.View(), "c");
}

}  // namespace
