#pragma once
// The user interface of the command line: warnings and errors go to a
// stream (stderr) prefixed with the program and the file they concern;
// questions are answered No, but those a flag answers Yes. On request it draws a progress bar (for a
// terminal) and says status lines and log lines (--verbose).

#include <ostream>
#include <string>
#include <vector>

#include "support/UserInterface.h"

class TConsoleUserInterface : public TSilentUserInterface {
public:
  TConsoleUserInterface(std::ostream& err, std::string subject, bool progressBar = false, bool verbose = false)
      : err_(err), subject_(std::move(subject)), progressBar_(progressBar), verbose_(verbose) {}

  void Warning(std::string_view text) override;
  bool Question(std::string_view text) override;
  void Error(std::string_view text) override;
  void Status(int line, std::string_view text, TColor color) override;
  void Progress(int percent) override;
  void Log(std::string_view line) override;
  // Questions that contain this text are answered Yes.
  void AnswerYes(std::string text) { yes_.push_back(std::move(text)); }

private:
  void Say(std::string_view kind, std::string_view text);

  std::ostream& err_;
  std::string subject_;
  bool progressBar_, verbose_;
  int shownPercent_ = -1;
  std::vector<std::string> yes_;
};
