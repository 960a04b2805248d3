#pragma once
// The program's version texts, from the build's date and build number.

#include <string>

struct TBuildInfo {
  int Year, Month, Day, Number;
};

TBuildInfo BuildInfo();
// "Version 5.YY.M.D.B", as drawings record it.
std::string ProgramVersionText(const TBuildInfo& build = BuildInfo());
// "Version 1.YYYY.M.D.B", as the About box shows it.
std::string AboutVersionText(const TBuildInfo& build = BuildInfo());
// The version text, a blank, and the date and time now in the user's format.
std::string GeneratorStampNow();
