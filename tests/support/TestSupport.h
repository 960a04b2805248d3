#pragma once
// Helpers shared by the tests: a user interface that records what it is
// told, scratch files, and the folders of real and bundled data.

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "support/UserInterface.h"

class TRecordingUserInterface : public TUserInterface {
public:
  void Warning(std::string_view text) override { warnings.emplace_back(text); }
  bool Question(std::string_view text) override {
    questions.emplace_back(text);
    return answer;
  }
  void Error(std::string_view text) override { errors.emplace_back(text); }
  void Status(int line, std::string_view text, TColor) override { (line == 1 ? status1 : status2) = text; }
  void Progress(int percent) override { progress.push_back(percent); }
  void ElementProgress(long done, long) override { elements.push_back(done); }
  void ProcessEvents() override { ++eventPumps; }
  void Log(std::string_view line) override { log.emplace_back(line); }
  void SetBusy(bool busy) override { busyNow = busy; }

  std::vector<std::string> warnings, questions, errors, log;
  std::string status1, status2;
  std::vector<int> progress;
  std::vector<long> elements;
  int eventPumps = 0;
  bool busyNow = false;
  bool answer = false;
};

// A file of the given bytes in a scratch folder that lives as long as the process.
std::string WriteScratchFile(std::string_view name, std::string_view bytes);
// A file's bytes; empty when it cannot be read.
std::string ReadBytes(const std::string& path);

// Joins lines with CR LF, each line ended, as plot files have them.
std::string Lines(std::initializer_list<std::string_view> lines);

class TAppContext;
// The whole SVG export of the context's plot, with a fixed generator stamp.
std::string ExportText(TAppContext& app, const std::string& stamp = "Version 5.26.1.2.3 01/02/26 03:04:05");

// The folder of real plot files beside the repository, or empty when absent.
std::filesystem::path SharedPlotDir();
