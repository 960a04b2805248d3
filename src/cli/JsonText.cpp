#include "JsonText.h"

#include <cstdio>

std::string JsonString(std::string_view latin1) {
  std::string json = "\"";
  for (char c : latin1) {
    auto code = static_cast<unsigned char>(c);
    switch (c) {
      case '"': json += "\\\""; break;
      case '\\': json += "\\\\"; break;
      case '\n': json += "\\n"; break;
      case '\r': json += "\\r"; break;
      case '\t': json += "\\t"; break;
      default:
        if (code < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
          json += escaped;
        } else if (code >= 0x80) {  // ISO-8859-1 code points are Unicode's first 256
          json += static_cast<char>(0xC0 | code >> 6);
          json += static_cast<char>(0x80 | (code & 0x3F));
        } else {
          json += c;
        }
    }
  }
  return json + "\"";
}
