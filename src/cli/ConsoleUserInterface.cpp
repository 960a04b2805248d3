#include "ConsoleUserInterface.h"

void TConsoleUserInterface::Say(std::string_view kind, std::string_view text) {
  err_ << "quillmap: " << subject_ << ": " << kind;
  for (char c : text)  // the core's texts end lines with CR LF
    if (c != '\r') err_ << c;
  err_ << '\n';
}

void TConsoleUserInterface::Warning(std::string_view text) { Say("", text); }

bool TConsoleUserInterface::Question(std::string_view text) {
  Say("", text);
  err_ << "quillmap: answered No\n";
  return false;
}

void TConsoleUserInterface::Error(std::string_view text) { Say("error: ", text); }
