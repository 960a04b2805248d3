#include "PlotText.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "support/NumberText.h"

namespace {

constexpr const char* InvalidNumber = "Invalid numeric input";

bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsLenientNumberChar(int c) {
  return IsDigit(c) || c == '.' || c == 'E' || c == 'e' || c == '+' || c == '-';
}

}  // namespace

bool TPlotText::Fill() {
  consumed_ += length_;
  pos_ = 0;
  length_ = std::fread(buffer_, 1, sizeof buffer_, file_);
  if (length_ == 0 && std::ferror(file_)) throw std::runtime_error(std::string("Read error: ") + std::strerror(errno));
  return length_ > 0;
}

void TPlotText::ReadToLineEnd() {
  int c;
  do c = Next();
  while (c != LF && c != EndOfText);
}

bool TPlotText::ScanFor(char marker) {
  if (current_ == CR) return false;
  for (;;) {
    int c = Next();
    if (c == marker) return true;
    if (c == CR || c == EndOfText) return false;
  }
}

std::string_view TPlotText::ReadToken(std::size_t capacity, int lowestCode) {
  int c;
  do {
    c = Next();
    if (c == CR || c == FF || c == EndOfText) return {};
  } while (c < lowestCode);
  std::size_t length = 0;
  do {
    if (length < capacity) text_[length++] = static_cast<char>(c);
    c = Next();
  } while (c >= lowestCode);
  return {text_, length};
}

std::string_view TPlotText::ReadRestOfLine(std::size_t capacity) {
  std::size_t length = 0;
  for (int c = Next(); c != CR && c != LF && c != EndOfText; c = Next())
    if (length < capacity) text_[length++] = static_cast<char>(c);
  return {text_, length};
}

std::string_view TPlotText::ReadQuoted(std::size_t capacity) {
  std::size_t length = 0;
  if (!ScanFor('"')) return {};
  for (;;) {
    int c = Next();
    if (c == '\\') c = Next();
    else if (c == '"') break;
    if (c == CR || c == FF || c == EndOfText) break;
    if (length < capacity) text_[length++] = static_cast<char>(c);
  }
  return {text_, length};
}

std::string_view TPlotText::NumberToken() {
  int c;
  while ((c = Peek()) != EndOfText && c <= ' ') Next();
  if (c == EndOfText) return {};
  // Usually the whole token lies in the buffer: take it from there. Ctrl-Z
  // and line ends are below the blank, so they end the run too.
  const char* begin = buffer_ + pos_;
  const char* end = buffer_ + length_;
  const char* after = begin;
  while (after < end && static_cast<unsigned char>(*after) > ' ') ++after;
  if (after < end) {
    pos_ += static_cast<std::size_t>(after - begin);
    current_ = static_cast<unsigned char>(after[-1]);
    return {begin, static_cast<std::size_t>(after - begin)};
  }
  // The token runs over the end of the buffer: gather it, as long as a
  // token may be anywhere else.
  longNumber_.clear();
  while ((c = Peek()) > ' ') {
    Take(c);
    if (longNumber_.size() == sizeof buffer_) throw std::runtime_error(InvalidNumber);
    longNumber_ += static_cast<char>(c);
  }
  return longNumber_;
}

double TPlotText::ReadReal() {
  std::string_view token = NumberToken();
  if (token.empty()) return 0;
  if (auto value = ParseReal(token)) return *value;
  throw std::runtime_error(InvalidNumber);
}

std::int32_t TPlotText::ReadInteger() {
  std::string_view token = NumberToken();
  if (token.empty()) return 0;
  if (auto value = ParseInt32(token)) return *value;
  throw std::runtime_error(InvalidNumber);
}

double TPlotText::ReadLenient() {
  int sign = 0, c;
  for (;;) {
    c = Next();
    if (c == EndOfText) return 0;
    if (IsDigit(c) || c == '.') break;
    sign = (c == '+' || c == '-') ? c : 0;
  }
  std::size_t length = 0;
  if (sign == '-') text_[length++] = '-';
  do {
    if (length == sizeof text_) throw std::runtime_error(InvalidNumber);
    text_[length++] = static_cast<char>(c);
    c = Next();
  } while (IsLenientNumberChar(c));
  if (auto value = ParseReal({text_, length})) return *value;
  throw std::runtime_error(InvalidNumber);
}
