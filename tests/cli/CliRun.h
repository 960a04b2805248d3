#pragma once
// Runs the command line as the program would, capturing what it prints.

#include <string>
#include <vector>

struct TRun {
  int status;
  std::string out, err;
};

TRun RunCli(std::vector<std::string> args);
