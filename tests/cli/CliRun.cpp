#include "CliRun.h"

#include <sstream>

#include "Cli.h"

TRun RunCli(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = RunQuillmap(args, out, err);
  return {status, out.str(), err.str()};
}
