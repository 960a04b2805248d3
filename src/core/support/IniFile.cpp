#include "IniFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "NumberText.h"
#include "SafeFile.h"
#include "TextMatch.h"

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

}  // namespace

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {
  std::ifstream in(path_, std::ios::binary);
  std::string line;
  while (in && std::getline(in, line)) {
    const std::string_view text = Trimmed(line);
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
      sections_.push_back({std::string(text.substr(1, text.size() - 2)), {}});
    } else if (const std::size_t equals = text.find('='); equals != std::string_view::npos && !sections_.empty()) {
      sections_.back().Keys.emplace_back(std::string(Trimmed(text.substr(0, equals))),
                                         std::string(Trimmed(text.substr(equals + 1))));
    }
  }
}

TIniFile::TSection* TIniFile::Find(std::string_view section) {
  for (TSection& s : sections_)
    if (SameIgnoringCase(s.Name, section)) return &s;
  return nullptr;
}

const TIniFile::TSection* TIniFile::Find(std::string_view section) const {
  return const_cast<TIniFile*>(this)->Find(section);
}

std::optional<std::string> TIniFile::Read(std::string_view section, std::string_view key) const {
  if (const TSection* s = Find(section))
    for (const auto& [name, value] : s->Keys)
      if (SameIgnoringCase(name, key)) return value;
  return std::nullopt;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, const std::string& fallback) const {
  return Read(section, key).value_or(fallback);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const std::optional<std::string> text = Read(section, key);
  const std::optional<std::int32_t> value = text ? ParseInt32(*text) : std::nullopt;
  return value.value_or(fallback);
}

double TIniFile::ReadFloat(std::string_view section, std::string_view key, double fallback) const {
  const std::optional<std::string> text = Read(section, key);
  const std::optional<double> value = text ? ParseReal(*text) : std::nullopt;
  return value.value_or(fallback);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  TSection* s = Find(section);
  if (!s) s = &sections_.emplace_back(TSection{std::string(section), {}});
  for (auto& [name, old] : s->Keys)
    if (SameIgnoringCase(name, key)) {
      old = value;
      return;
    }
  s->Keys.emplace_back(std::string(key), std::string(value));
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  Write(section, key, std::to_string(value));
}

void TIniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
  Write(section, key, FormatGeneral(value, 15));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  Write(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(std::string_view section) {
  std::erase_if(sections_, [&](const TSection& s) { return SameIgnoringCase(s.Name, section); });
}

void TIniFile::Save() const {
  const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
  std::error_code error;
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  WriteFileSafely(path_, [&](std::ostream& out) {
    for (const TSection& s : sections_) {
      out << '[' << s.Name << "]\r\n";
      for (const auto& [name, value] : s.Keys) out << name << '=' << value << "\r\n";
      out << "\r\n";
    }
  });
}
