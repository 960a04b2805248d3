#pragma once
// INI files as other programs of the suite keep them: "[Section]" headers
// and "Key=Value" lines, names compared without regard to letter case.
// Everything read is kept, so that writing our keys leaves the others'.
// Numbers use "." whatever the locale.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TIniFile {
public:
  // Reads the file; a missing or unreadable one reads as empty.
  explicit TIniFile(std::string path);

  const std::string& Path() const { return path_; }
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, const std::string& fallback) const;
  // The fallback when the key is missing or its value no number.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  double ReadFloat(std::string_view section, std::string_view key, double fallback) const;
  // True for any integer other than 0.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  void Write(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  // General format, up to 15 significant digits.
  void WriteFloat(std::string_view section, std::string_view key, double value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void EraseSection(std::string_view section);

  // Writes the file beside its place and renames it there, its folders
  // made when missing; throws naming the file.
  void Save() const;

private:
  struct TSection {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Keys;
  };
  TSection* Find(std::string_view section);
  const TSection* Find(std::string_view section) const;

  std::string path_;
  std::vector<TSection> sections_;
};
