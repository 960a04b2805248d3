#pragma once
// The processing log: every line that loads, checks and repairs wrote since
// the program started, in order. The window shows it; the command line
// prints it with --verbose. It is never saved.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TProcessLog {
public:
  // Appends the text as lines: CR LF, CR or LF inside it start a new line;
  // a final line end adds no empty line.
  void LogText(std::string_view text);
  const std::vector<std::string>& Lines() const { return lines_; }
  void Clear() { lines_.clear(); }
  // Called with each line as it is added.
  void OnLine(std::function<void(const std::string&)> listener) { listener_ = std::move(listener); }

private:
  std::vector<std::string> lines_;
  std::function<void(const std::string&)> listener_;
};
