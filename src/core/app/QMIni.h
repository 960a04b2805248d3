#pragma once
// What persists between runs besides settings files: the user defaults
// (units, margins, compatibility choices), the recent-files list, and the
// survey suite's foot setting, each in its INI file in the configuration
// folder ($XDG_CONFIG_HOME, else ~/.config).

#include <string>
#include <vector>

#include "SettingsModel.h"
#include "support/IniFile.h"

struct TConfigFiles {
  std::string UserDefaults;  // quillmap/Quillmap.ini
  std::string RecentFiles;   // vandral/Lumbra32.ini, the suite's cave viewer's
  std::string SuiteUnits;    // vandral/Vandral32.ini, the survey suite's
};
TConfigFiles ConfigFiles();

// Units "Feet", margins 0.5 by 0.5, the first standard size chosen (the
// paper size itself unchanged).
void GetFactoryDefaults(TSettingsModel& settings);
// The factory defaults, then every key the file has; a missing or damaged
// file leaves what the settings had.
void GetUserDefaults(TSettingsModel& settings, const TIniFile& file);
// Writes every key (its other contents kept). Throws naming the file.
void SaveUserDefaults(const TSettingsModel& settings, TIniFile& file);

// The suite's choice of foot: true (the default) the international foot,
// false the US survey foot.
bool InternationalFoot(const TIniFile& suiteUnits);
// The same read from the suite's file: whether the program uses the survey foot.
bool SuiteSurveyFoot();

// The File menu's recent plot files, most recent first.
class TRecentFiles {
public:
  static constexpr std::size_t Limit = 5;
  const std::vector<std::string>& Paths() const { return paths_; }
  // An existing file goes to the top (once); the list keeps Limit entries.
  void Add(const std::string& path);
  // "&1 name.plt": the menu caption of entry index.
  std::string Caption(std::size_t index) const;
  void Load(const TIniFile& file);
  void Save(TIniFile& file) const;

private:
  void Put(const std::string& path);
  std::vector<std::string> paths_;
};
