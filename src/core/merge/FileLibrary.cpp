#include "FileLibrary.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace {

std::string WithExtension(const std::string& fileName, const std::string& extension) {
  return std::filesystem::path(fileName).replace_extension(extension).string();
}

std::string Dotted(std::string extension) { return extension.starts_with(".") ? extension : "." + extension; }

// Read-only files are made writable first, as a backup must go.
void MakeWritable(const std::string& fileName) {
  struct stat status {};
  if (stat(fileName.c_str(), &status) == 0) chmod(fileName.c_str(), status.st_mode | S_IWUSR);
}

bool Exists(const std::string& fileName) {
  std::error_code error;
  return std::filesystem::exists(fileName, error);
}

}  // namespace

void BackupFile(const std::string& fileName, std::string extension) {
  extension = Dotted(std::move(extension));
  if (!Exists(fileName)) return;
  const std::string backup = WithExtension(fileName, extension);
  if (Exists(backup)) {
    MakeWritable(backup);
    if (std::remove(backup.c_str()) != 0) throw std::runtime_error("Cannot Delete Old Backup File");
  }
  MakeWritable(fileName);
  if (std::rename(fileName.c_str(), backup.c_str()) != 0) throw std::runtime_error("Cannot Rename File");
}

void MultiLevelBackup(const std::string& fileName, std::string extension, int levels) {
  extension = Dotted(std::move(extension));
  for (int level = levels; level >= 2; --level)
    BackupFile(WithExtension(fileName, extension + std::to_string(level - 1)), extension + std::to_string(level));
  BackupFile(fileName, extension + "1");
}
