#pragma once
// Helpers of the window tests: a user interface that records what it was
// told instead of showing message boxes, and answers for modal dialogs.

#include <QString>
#include <string>
#include <vector>

#include "QtUserInterface.h"

class TRecordingQtUserInterface : public TQtUserInterface {
public:
  void Warning(std::string_view text) override { messages.emplace_back(text); }
  void Error(std::string_view text) override { messages.emplace_back(text); }
  bool Question(std::string_view text) override {
    messages.emplace_back(text);
    return answer;
  }
  std::vector<std::string> messages;
  bool answer = false;
};

// Closes the next modal dialog that opens (the compatibility dialog, a message box).
void CloseNextModal();
// Picks the file in the next file dialog that opens (replacing it, when it exists).
void AnswerNextFileDialog(const QString& file);
