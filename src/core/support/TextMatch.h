#pragma once
// Comparing names the way surveyors type them: without regard to the case
// of the letters A to Z (the other bytes of 8-bit text compare as they are).

#include <string>
#include <string_view>

inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string AsciiLowerCase(std::string_view text);
bool SameIgnoringCase(std::string_view a, std::string_view b);
// Whether the pattern occurs in the text in any letter case (an empty one always does).
bool ContainsIgnoringCase(std::string_view text, std::string_view pattern);
// The same with every "?" of the pattern standing for any one character.
bool ContainsPattern(std::string_view text, std::string_view pattern);
