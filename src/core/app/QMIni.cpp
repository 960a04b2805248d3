#include "QMIni.h"

#include <cstdlib>
#include <filesystem>

namespace {

using S = TSetting;

enum class TKeyType { Integer, Real, Boolean };

struct TDefaultKey {
  const char* Section;
  const char* Key;
  TKeyType Type;
  TSetting Setting;
};

constexpr TDefaultKey DefaultKeys[] = {
    {"Settings", "Units", TKeyType::Integer, S::Units},
    {"Paper", "XMargin", TKeyType::Real, S::MarginX},
    {"Paper", "YMargin", TKeyType::Real, S::MarginY},
    {"Settings", "InkscapeMode", TKeyType::Integer, S::InkscapeTags},
    {"Settings", "IllustratorMode", TKeyType::Integer, S::IllustratorTags},
    {"Settings", "A10Mode", TKeyType::Boolean, S::AI10Compatible},
    {"Settings", "RemoveBinary", TKeyType::Boolean, S::RemoveBinaryData},
    {"Settings", "CompatibilityWarning", TKeyType::Boolean, S::ShowCompatibilityOptions},
    {"Settings", "Generator", TKeyType::Integer, S::Generator},
};

constexpr const char* RecentSection = "Export3D";

}  // namespace

TConfigFiles ConfigFiles() {
  std::filesystem::path folder;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') folder = config;
  else if (const char* home = std::getenv("HOME"); home && *home) folder = std::filesystem::path(home) / ".config";
  else folder = ".config";
  return {(folder / "quillmap" / "Quillmap.ini").string(), (folder / "vandral" / "Lumbra32.ini").string(),
          (folder / "vandral" / "Vandral32.ini").string()};
}

void GetFactoryDefaults(TSettingsModel& settings) {
  settings.SetWithoutReaction(S::PaperSize, 0);
  settings.Set(S::Units, 0);
  settings.Set(S::MarginX, 0.5);
  settings.Set(S::MarginY, 0.5);
}

void GetUserDefaults(TSettingsModel& settings, const TIniFile& file) {
  GetFactoryDefaults(settings);
  for (const TDefaultKey& key : DefaultKeys) {
    const double current = settings.Value(key.Setting);
    double value = current;
    switch (key.Type) {
      case TKeyType::Integer: value = file.ReadInteger(key.Section, key.Key, static_cast<int>(current)); break;
      case TKeyType::Real: value = file.ReadFloat(key.Section, key.Key, current); break;
      case TKeyType::Boolean: value = file.ReadBool(key.Section, key.Key, current != 0); break;
    }
    if (value != current) settings.Set(key.Setting, value);  // the model keeps values within their ranges
  }
}

void SaveUserDefaults(const TSettingsModel& settings, TIniFile& file) {
  for (const TDefaultKey& key : DefaultKeys) {
    const double value = settings.Value(key.Setting);
    switch (key.Type) {
      case TKeyType::Integer: file.WriteInteger(key.Section, key.Key, static_cast<int>(value)); break;
      case TKeyType::Real: file.WriteFloat(key.Section, key.Key, value); break;
      case TKeyType::Boolean: file.WriteBool(key.Section, key.Key, value != 0); break;
    }
  }
  file.Save();
}

bool InternationalFoot(const TIniFile& suiteUnits) { return suiteUnits.ReadBool("Units", "InternationalFoot", true); }

bool SuiteSurveyFoot() { return !InternationalFoot(TIniFile(ConfigFiles().SuiteUnits)); }

void TRecentFiles::Put(const std::string& path) {
  std::erase(paths_, path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > Limit) paths_.resize(Limit);
}

void TRecentFiles::Add(const std::string& path) {
  std::error_code error;
  if (std::filesystem::exists(path, error)) Put(path);
}

std::string TRecentFiles::Caption(std::size_t index) const {
  return "&" + std::to_string(index + 1) + " " + std::filesystem::path(paths_[index]).filename().string();
}

void TRecentFiles::Load(const TIniFile& file) {
  paths_.clear();
  const int count = file.ReadInteger(RecentSection, "Count", 0);
  // Each path goes to the bottom; one already listed is not listed again.
  for (int i = 0; i < count; ++i)
    if (const auto path = file.Read(RecentSection, "Path" + std::to_string(i)); path && !path->empty())
      if (std::find(paths_.begin(), paths_.end(), *path) == paths_.end() && paths_.size() < Limit)
        paths_.push_back(*path);
}

void TRecentFiles::Save(TIniFile& file) const {
  file.EraseSection(RecentSection);
  file.WriteInteger(RecentSection, "Count", static_cast<int>(paths_.size()));
  for (std::size_t i = 0; i < paths_.size(); ++i) file.Write(RecentSection, "Path" + std::to_string(i), paths_[i]);
  file.Save();
}
