#include "Version.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

namespace {

// Compile-time values are written with leading zeros (08); strip them by
// reading them as decimal text.
constexpr int Decimal(const char* text) {
  int value = 0;
  for (; *text; ++text) value = value * 10 + (*text - '0');
  return value;
}

#define QUILLMAP_TEXT(x) #x
#define QUILLMAP_DECIMAL(x) Decimal(QUILLMAP_TEXT(x))

std::string Dotted(int major, int year, const TBuildInfo& build) {
  return "Version " + std::to_string(major) + "." + (year < 10 ? "0" : "") + std::to_string(year) + "." +
         std::to_string(build.Month) + "." + std::to_string(build.Day) + "." + std::to_string(build.Number);
}

}  // namespace

TBuildInfo BuildInfo() {
  return {QUILLMAP_DECIMAL(QUILLMAP_BUILD_YEAR), QUILLMAP_DECIMAL(QUILLMAP_BUILD_MONTH),
          QUILLMAP_DECIMAL(QUILLMAP_BUILD_DAY), QUILLMAP_DECIMAL(QUILLMAP_BUILD_NUMBER)};
}

std::string ProgramVersionText(const TBuildInfo& build) { return Dotted(5, build.Year % 100, build); }

std::string AboutVersionText(const TBuildInfo& build) {
  return "Version 1." + std::to_string(build.Year) + "." + std::to_string(build.Month) + "." +
         std::to_string(build.Day) + "." + std::to_string(build.Number);
}

std::string GeneratorStampNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::ostringstream text;
  try {
    text.imbue(std::locale(""));
  } catch (const std::runtime_error&) {  // an unknown locale in the environment
  }
  text << std::put_time(&local, "%x %X");
  return ProgramVersionText() + " " + text.str();
}
