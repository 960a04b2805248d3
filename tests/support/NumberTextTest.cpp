#include "support/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>

namespace {

TEST(NumberText, ParsesTheUsualNotationOnly) {
  struct Case {
    const char* text;
    std::optional<double> value;
  } cases[] = {
      {"12", 12},        {"-3.5", -3.5},   {"+2.25", 2.25}, {".5", 0.5},    {"5.", 5},
      {"1.5E2", 150},    {"2e-1", 0.2},    {"-9.00", -9},   {"1,5", {}},    {"", {}},
      {"-", {}},         {"1e", {}},       {"inf", {}},     {"nan", {}},    {"--1", {}},
      {"+-1", {}},       {"1.2.3", {}},    {"0x10", {}},    {"12a", {}},    {"1 2", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseReal(c.text), c.value) << c.text;
}

TEST(NumberText, ParsesThirtyTwoBitIntegers) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  } cases[] = {
      {"0", 0}, {"01", 1}, {"-12", -12}, {"+7", 7}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
      {"2147483648", {}}, {"1.0", {}}, {"1e3", {}}, {"", {}}, {"+-1", {}}, {"--1", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInt32(c.text), c.value) << c.text;
}

TEST(NumberText, IgnoresACommaLocale) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
  EXPECT_EQ(ParseReal("1.5"), 1.5);
  EXPECT_EQ(ParseReal("1,5"), std::nullopt);
  EXPECT_EQ(FormatFixed(1234.5, 2), "1234.50");
  EXPECT_EQ(FormatShortest(-0.25), "-0.25");
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(NumberText, FormatsFixedAndShortest) {
  EXPECT_EQ(FormatFixed(2.0 / 3, 3), "0.667");
  EXPECT_EQ(FormatFixed(-0.004, 2), "0.00");
  EXPECT_EQ(FormatFixed(-0.006, 2), "-0.01");
  EXPECT_EQ(FormatFixed(1e20, 1), "100000000000000000000.0");
  EXPECT_EQ(FormatShortest(0.1), "0.1");
  EXPECT_EQ(FormatShortest(1556020.18), "1556020.18");
  EXPECT_EQ(FormatShortest(-9.0f), "-9");
}

}  // namespace
