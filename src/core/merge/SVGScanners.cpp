#include "SVGScanners.h"

#include <charconv>
#include <stdexcept>
#include <string>

#include "support/NumberText.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

double Convert(const char* begin, const char* end) {
  double value = 0;
  auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end)
    throw std::runtime_error("\"" + std::string(begin, end) + "\" is not a valid floating point value");
  return value;
}

}  // namespace

bool GetSVGChar(std::string_view text, std::size_t& position, char& c) {
  while (position < text.size()) {
    c = text[position++];
    if (static_cast<unsigned char>(c) >= 32) return true;
  }
  return false;
}

bool GetSVGTag(std::string_view text, std::size_t& position, char& c) {
  do {
    if (!GetSVGChar(text, position, c)) return false;
  } while (c == ' ');
  if (!IsLetter(c)) --position;
  return true;
}

bool GetSVGDouble(std::string_view text, std::size_t& position, double& value) {
  // What was collected before the first digit: the sign and a point.
  bool negative = false, point = false;
  const std::size_t size = text.size();
  std::size_t p = position;
  for (;; ++p) {
    if (p == size) {
      position = p;
      return false;
    }
    const char c = text[p];
    if (IsDigit(c)) break;
    if (c == '-') {
      if (!point) negative = true;
    } else if (c == '.') {
      negative = negative && !point;  // a second point starts over
      point = true;
    } else {
      negative = point = false;
    }
  }
  // The digits, one point (unless one came first), then an exponent.
  const bool leadingPoint = point;
  const std::size_t start = p;
  while (p < size && (IsDigit(text[p]) || (text[p] == '.' && !point))) {
    if (text[p] == '.') point = true;
    ++p;
  }
  std::size_t mantissaEnd = p, exponentStart = p, exponentEnd = p;
  bool exponentNegative = false;
  if (p < size && (text[p] == 'e' || text[p] == 'E')) {
    std::size_t q = p + 1;
    while (q < size && (text[q] == '-' || text[q] == '+')) {
      if (text[q] == '-') exponentNegative = true;
      ++q;
    }
    if (q < size && IsDigit(text[q])) {
      exponentStart = q;
      while (q < size && IsDigit(text[q])) ++q;
      exponentEnd = q;
      p = q;
    }
  }
  // Put the pieces together: sign, a leading point, the run, the exponent.
  char buffer[128];
  std::string spill;
  const std::size_t runLength = mantissaEnd - start, exponentLength = exponentEnd - exponentStart;
  const std::size_t length = 2 + runLength + (exponentLength ? exponentLength + 2 : 0);
  char* out = buffer;
  if (length > sizeof buffer) {
    spill.resize(length);
    out = spill.data();
  }
  char* w = out;
  if (negative) *w++ = '-';
  if (leadingPoint) *w++ = '.';
  for (std::size_t i = start; i < mantissaEnd; ++i) *w++ = text[i];
  if (exponentLength) {
    *w++ = 'e';
    if (exponentNegative) *w++ = '-';
    for (std::size_t i = exponentStart; i < exponentEnd; ++i) *w++ = text[i];
  }
  value = Convert(out, w);
  position = p;
  return true;
}

bool GetSVGBoolean(std::string_view text, std::size_t& position, bool& flag) {
  double value = 0;
  if (!GetSVGDouble(text, position, value)) return false;
  flag = value != 0;
  return true;
}

bool GetSVGVector2D(std::string_view text, std::size_t& position, T2DVector& point) {
  return GetSVGDouble(text, position, point.X) && GetSVGDouble(text, position, point.Y);
}

bool GetSVGLine2D(std::string_view text, std::size_t& position, T2DLine& line) {
  return GetSVGVector2D(text, position, line.P1) && GetSVGVector2D(text, position, line.P2);
}

bool GetNodePosition(TXMLNode node, std::string_view xName, std::string_view yName, T2DVector& point) {
  const std::string x = node.Attribute(xName), y = node.Attribute(yName);
  if (x.empty() || y.empty()) return false;
  auto number = [](const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t\r\n"), last = text.find_last_not_of(" \t\r\n");
    if (first == std::string::npos) return 0.0;
    return ParseReal(std::string_view(text).substr(first, last - first + 1)).value_or(0.0);
  };
  point = {number(x), number(y)};
  return true;
}

void SetNodeVector(TXMLNode node, std::string_view xName, std::string_view yName, T2DVector point, int digits) {
  node.SetAttribute(xName, FormatFixed(point.X, digits));
  node.SetAttribute(yName, FormatFixed(point.Y, digits));
}
