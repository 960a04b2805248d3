#pragma once
// Text of a fixed capacity, stored inline so that records holding it stay
// plain, fixed-size and copyable as a whole. Longer input is cut, never
// rejected. Bytes are kept as they are (8-bit text).

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

template <std::size_t Capacity>
class TFixedText {
  static_assert(Capacity > 0 && Capacity <= 255, "length is held in one byte");

public:
  TFixedText() = default;
  TFixedText(std::string_view text) { Assign(text); }

  void Assign(std::string_view text) {
    length_ = static_cast<std::uint8_t>(std::min(text.size(), Capacity));
    if (length_ > 0) std::memcpy(chars_, text.data(), length_);  // an empty view may hold no pointer
  }
  // Appends one character when there is room; reports whether it was kept.
  bool Append(char c) {
    if (length_ == Capacity) return false;
    chars_[length_++] = c;
    return true;
  }
  void Clear() { length_ = 0; }
  // Removes count characters from position at (both within the text).
  void Erase(std::size_t at, std::size_t count) {
    std::memmove(chars_ + at, chars_ + at + count, length_ - at - count);
    length_ = static_cast<std::uint8_t>(length_ - count);
  }

  std::string_view View() const { return {chars_, length_}; }
  std::string Str() const { return std::string(View()); }
  operator std::string_view() const { return View(); }
  std::size_t Size() const { return length_; }
  bool Empty() const { return length_ == 0; }

  friend bool operator==(const TFixedText& a, std::string_view b) { return a.View() == b; }

private:
  std::uint8_t length_ = 0;
  char chars_[Capacity];
};
