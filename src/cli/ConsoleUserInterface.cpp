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
  for (const std::string& yes : yes_) {
    if (text.find(yes) == std::string_view::npos) continue;
    err_ << "quillmap: answered Yes\n";
    return true;
  }
  err_ << "quillmap: answered No\n";
  return false;
}

void TConsoleUserInterface::Error(std::string_view text) { Say("error: ", text); }

void TConsoleUserInterface::Status(int line, std::string_view text, TColor) {
  if (verbose_ && line == 1) Say("", text);
}

void TConsoleUserInterface::Progress(int percent) {
  if (!progressBar_ || percent == shownPercent_) return;
  shownPercent_ = percent;
  constexpr int Width = 40;
  int filled = percent * Width / 100;
  err_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#') << std::string(static_cast<std::size_t>(Width - filled), ' ')
       << "] " << percent << "%" << (percent >= 100 ? "\n" : "") << std::flush;
}

void TConsoleUserInterface::Log(std::string_view line) {
  if (verbose_) err_ << line << '\n';
}
