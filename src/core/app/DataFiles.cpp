#include "DataFiles.h"

#include <system_error>

std::filesystem::path UserGuidePath() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    const std::filesystem::path installed = program.parent_path() / QUILLMAP_DATA_FROM_BIN / "guide.html";
    if (std::filesystem::is_regular_file(installed, error)) return installed.lexically_normal();
  }
  return std::filesystem::path(QUILLMAP_SOURCE_DOCS) / "guide.html";
}
