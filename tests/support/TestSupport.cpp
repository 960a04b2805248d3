#include "TestSupport.h"

#include <fstream>
#include <sstream>

#include "app/AppContext.h"
#include "export/QMExport.h"
#include <stdexcept>

namespace {

struct TScratchDir {
  TScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmap-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
    path = pattern;
  }
  ~TScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::filesystem::path path;
};

const std::filesystem::path& ScratchDir() {
  static const TScratchDir scratch;
  return scratch.path;
}

}  // namespace

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string WriteScratchFile(std::string_view name, std::string_view bytes) {
  std::filesystem::path path = ScratchDir() / name;
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) (text += line) += "\r\n";
  return text;
}

std::filesystem::path SharedPlotDir() {
  std::filesystem::path dir = std::filesystem::path(QUILLMAP_SHARED_DATA_DIR) / "plt";
  return std::filesystem::is_directory(dir) ? dir : std::filesystem::path();
}

std::string ExportText(TAppContext& app, const std::string& stamp) {
  TSVGInfo info = app.SVGInfo();
  TExportSources sources{app.DrawingSources(), stamp, [&](const std::string& line) { app.Log.LogText(line); }};
  TProgressDisplay progress(app.UI());
  std::ostringstream out;
  WriteSVGToStream(out, info, sources, progress);
  return out.str();
}
