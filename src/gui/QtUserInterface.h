#pragma once
// The user interface of the window: message boxes for warnings, questions
// and errors; the status bar's two green lines, gauge and element counter.

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QWidget>

#include "support/UserInterface.h"

class TQtUserInterface : public TUserInterface {
public:
  struct TStatusBar {
    QLabel* Line1 = nullptr;
    QLabel* Line2 = nullptr;
    QLabel* Elements = nullptr;
    QProgressBar* Gauge = nullptr;
  };

  // Without a person to answer (a screenshot run), messages go to stderr.
  void SetUnattended(bool unattended) { unattended_ = unattended; }

  void Attach(QWidget* window, TStatusBar statusBar) {
    window_ = window;
    statusBar_ = statusBar;
  }

  void Warning(std::string_view text) override;
  bool Question(std::string_view text) override;
  void Error(std::string_view text) override;
  void Status(int line, std::string_view text, TColor color) override;
  void Progress(int percent) override;
  void ElementProgress(long done, long total) override;
  void ProcessEvents() override;
  void Log(std::string_view) override {}  // the log window reads the processing log itself
  void SetBusy(bool busy) override;
  // While a command works: the window paints but takes no input, and what
  // would read the command's data waits.
  bool Busy() const { return busy_ > 0; }

private:
  bool Unattended(std::string_view text);
  bool PumpDue() const;

  static constexpr int PumpIntervalMs = 50;

  QWidget* window_ = nullptr;
  bool unattended_ = false;
  QElapsedTimer sincePump_;
  int busy_ = 0;
  TStatusBar statusBar_;
};

// Latin-1 text of the core as Qt text, and back.
QString FromCore(std::string_view text);
std::string ToCore(const QString& text);
