#pragma once
// The user interface of the command line: warnings and errors go to a
// stream (stderr) prefixed with the program and the file they concern;
// questions take their preset answer; status and progress are silent.

#include <ostream>
#include <string>

#include "support/UserInterface.h"

class TConsoleUserInterface : public TSilentUserInterface {
public:
  TConsoleUserInterface(std::ostream& err, std::string subject) : err_(err), subject_(std::move(subject)) {}

  void Warning(std::string_view text) override;
  bool Question(std::string_view text) override;
  void Error(std::string_view text) override;

private:
  void Say(std::string_view kind, std::string_view text);

  std::ostream& err_;
  std::string subject_;
};
