#include "TextMatch.h"

#include <algorithm>

namespace {

bool MatchesAt(std::string_view text, std::size_t at, std::string_view pattern, bool wildcard) {
  for (std::size_t i = 0; i < pattern.size(); ++i)
    if (!(wildcard && pattern[i] == '?') && AsciiLower(text[at + i]) != AsciiLower(pattern[i])) return false;
  return true;
}

bool Contains(std::string_view text, std::string_view pattern, bool wildcard) {
  if (pattern.size() > text.size()) return false;
  for (std::size_t at = 0; at + pattern.size() <= text.size(); ++at)
    if (MatchesAt(text, at, pattern, wildcard)) return true;
  return false;
}

}  // namespace

std::string AsciiLowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
  return lower;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && MatchesAt(a, 0, b, false);
}

bool ContainsIgnoringCase(std::string_view text, std::string_view pattern) { return Contains(text, pattern, false); }

bool ContainsPattern(std::string_view text, std::string_view pattern) { return Contains(text, pattern, true); }
