#pragma once
// The user interface of the command line: warnings and errors go to a
// stream (stderr) prefixed with the program and the file they concern;
// questions take their preset answer; status and progress are silent.

#include <ostream>
#include <string>

#include "support/UserInterface.h"

class TConsoleUserInterface : public TUserInterface {
public:
  TConsoleUserInterface(std::ostream& err, std::string subject) : err_(err), subject_(std::move(subject)) {}

  void Warning(std::string_view text) override;
  bool Question(std::string_view text) override;
  void Error(std::string_view text) override;
  void Status(int, std::string_view, TColor) override {}
  void Progress(int) override {}
  void ElementProgress(long, long) override {}
  void ProcessEvents() override {}
  void Log(std::string_view) override {}
  void SetBusy(bool) override {}

private:
  void Say(std::string_view kind, std::string_view text);

  std::ostream& err_;
  std::string subject_;
};
