#include "Commands.h"
#include "ConsoleUserInterface.h"

TPlotReadResult LoadPlotForCommand(TPlotState& plot, const std::string& fileName, std::ostream& err) {
  TConsoleUserInterface ui(err, fileName);
  try {
    return OpenAndReadPlot(plot, fileName, ui);
  } catch (const std::exception& error) {
    err << "quillmap: " << error.what() << '\n';
    return {false, error.what()};
  }
}
