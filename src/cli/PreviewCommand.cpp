// quillmap preview FILE.plt [-o OUT.png] [--width W] [--height H] [options]:
// the window's preview drawn into a PNG, without a display.

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <memory>

#include "Cli.h"
#include "Commands.h"
#include "ConsoleUserInterface.h"
#include "ExportOptions.h"
#include "GuiMain.h"
#include "PlotWindowWidget.h"
#include "app/QMIni.h"
#include "support/NumberText.h"
#include "support/SafeFile.h"

namespace {

constexpr int DefaultWidth = 1200, DefaultHeight = 900, MaxSide = 20000;

// Text and images need a Qt application; without a display, the offscreen one.
std::unique_ptr<QGuiApplication> EnsureApplication() {
  if (QCoreApplication::instance()) return nullptr;
  PrepareOffscreenDrawing();
  static int argc = 1;
  static char name[] = "quillmap";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

int Side(const std::string& option, const std::string& text) {
  std::optional<std::int32_t> side = ParseInt32(text);
  if (!side || *side < 16 || *side > MaxSide)
    throw TUsageError("--" + option + ": give a whole number of pixels from 16 to " + std::to_string(MaxSide));
  return *side;
}

}  // namespace

int PreviewCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err) {
  int width = DefaultWidth, height = DefaultHeight;
  TExportRequest request;
  try {
    request = ParseExportArgs(args, [&](const std::string& name, const std::function<const std::string&()>& value) {
      if (name == "width") width = Side(name, value());
      else if (name == "height") height = Side(name, value());
      else return false;
      return true;
    });
    SetOutputFile(request, ".png");
  } catch (const TUsageError& error) {
    return UsageError(err, std::string("preview: ") + error.what());
  }
  auto application = EnsureApplication();
  TConsoleUserInterface ui(err, request.plotFile, false, request.verbose);
  TAppContext app(ui, SuiteSurveyFoot());
  if (int status = PrepareDrawing(app, request, err); status != ExitLoaded) return status;
  app.Settings.Set(TSetting::ShowPassageWalls, 1);
  QImage image(width, height, QImage::Format_RGB32);
  RenderPreview(app, image);
  try {
    WriteFileSafely(request.outFile, [&](std::ostream& stream) {
      QByteArray png;
      QBuffer buffer(&png);
      buffer.open(QIODevice::WriteOnly);
      if (!image.save(&buffer, "PNG")) throw std::runtime_error("the picture could not be encoded");
      stream.write(png.constData(), png.size());
    });
  } catch (const std::exception& error) {
    err << "quillmap: " << error.what() << '\n';
    return ExitFailed;
  }
  out << "Previewed " << request.plotFile << " in " << request.outFile << '\n';
  return ExitLoaded;
}
