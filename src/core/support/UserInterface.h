#pragma once
// The one way the core talks to a person: warnings, questions, status lines,
// progress and the processing log. The window, the command line and the tests
// each supply their own implementation.

#include <string_view>

#include "Color.h"

class TUserInterface {
public:
  virtual ~TUserInterface() = default;

  virtual void Warning(std::string_view text) = 0;           // modal, OK
  virtual bool Question(std::string_view text) = 0;          // modal, Yes/No
  virtual void Error(std::string_view text) = 0;             // a command's failure
  virtual void Status(int line, std::string_view text, TColor color) = 0;  // line 1 or 2
  virtual void Progress(int percent) = 0;                    // 0..100
  virtual void ElementProgress(long done, long total) = 0;
  virtual void ProcessEvents() = 0;                          // keep a window painted
  virtual void Log(std::string_view line) = 0;               // processing log
  virtual void SetBusy(bool busy) = 0;                       // busy cursor
};

// Says nothing and answers No: for batch work, and a base for interfaces
// that show only some of what they are told.
class TSilentUserInterface : public TUserInterface {
public:
  void Warning(std::string_view) override {}
  bool Question(std::string_view) override { return false; }
  void Error(std::string_view) override {}
  void Status(int, std::string_view, TColor) override {}
  void Progress(int) override {}
  void ElementProgress(long, long) override {}
  void ProcessEvents() override {}
  void Log(std::string_view) override {}
  void SetBusy(bool) override {}
};

// Shows the busy state for the life of the guard, also when leaving by exception.
class TBusyGuard {
public:
  explicit TBusyGuard(TUserInterface& ui) : ui_(ui) { ui_.SetBusy(true); }
  ~TBusyGuard() { ui_.SetBusy(false); }
  TBusyGuard(const TBusyGuard&) = delete;
  TBusyGuard& operator=(const TBusyGuard&) = delete;

private:
  TUserInterface& ui_;
};
