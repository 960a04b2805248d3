#pragma once
// JSON text from the core's 8-bit (ISO-8859-1) strings.

#include <string>
#include <string_view>

// A JSON string literal, quoted and escaped, in UTF-8.
std::string JsonString(std::string_view latin1);
