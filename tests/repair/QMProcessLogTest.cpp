#include "repair/QMProcessLog.h"

#include <gtest/gtest.h>

namespace {

TEST(ProcessLog, KeepsEveryLineInOrderUntilCleared) {
  TProcessLog log;
  std::vector<std::string> heard;
  log.OnLine([&](const std::string& line) { heard.push_back(line); });
  log.LogText("Validating File\r\n" + std::string(36, '-') + "\r\n");
  log.LogText("Adding: xmlns:i\nLoading: a.svg\rnext");
  std::vector<std::string> expected = {"Validating File", std::string(36, '-'), "Adding: xmlns:i", "Loading: a.svg", "next"};
  EXPECT_EQ(log.Lines(), expected);
  EXPECT_EQ(heard, expected);
  log.Clear();
  EXPECT_TRUE(log.Lines().empty());
}

}  // namespace
