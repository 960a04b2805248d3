#include "ShotIds.h"

#include "XMLLibrary.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The character of the escape at p, or -1 when none starts there.
int EscapeAt(std::string_view text, std::size_t p) {
  if (p + 4 >= text.size() || text[p] != '_' || text[p + 1] != 'x' || text[p + 4] != '_') return -1;
  const int high = HexDigit(text[p + 2]), low = HexDigit(text[p + 3]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

}  // namespace

void AppendShotIdName(std::string& out, std::string_view station) {
  for (std::size_t start = 0;;) {
    std::size_t underscore = station.find('_', start);
    AppendEscaped(out, station.substr(start, underscore - start));
    if (underscore == std::string_view::npos) return;
    out += "_x5F_";
    start = underscore + 1;
  }
}

bool ReplaceHex(std::string& text) {
  const std::size_t p = text.find("_x");
  // A station may well be named "B_xy_": without two hex digits it is no escape.
  const int code = p == std::string::npos ? -1 : EscapeAt(text, p);
  if (code < 0) return false;
  text.erase(p, 4);
  text[p] = static_cast<char>(code);
  return true;
}

void NormalizeStr(std::string& text) {
  while (ReplaceHex(text)) {
  }
}

void ExtractFromToStr(std::string_view id, std::string& fromName, std::string& toName) {
  fromName.clear();
  toName.clear();
  std::string* name = &fromName;
  for (std::size_t i = 0; i < id.size(); ++i) {
    if (id[i] != '_') {
      *name += id[i];
    } else if (int code = EscapeAt(id, i); code >= 0) {
      *name += static_cast<char>(code);
      i += 4;
    } else if (name == &fromName) {
      name = &toName;
    } else {
      return;
    }
  }
}
