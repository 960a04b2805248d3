#include "Hash.h"

#include <algorithm>

#include "support/TextMatch.h"

std::uint32_t FNV1a(std::string_view bytes, bool lowerCase) {
  std::uint32_t h = 2166136261u;
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if (lowerCase) b = static_cast<unsigned char>(AsciiLower(static_cast<char>(b)));
    h = (h ^ b) * 16777619u;
  }
  return h;
}

void TCustomHashTable::SetBoxPower(int power) {
  power = std::max(power, 4);
  if (power == boxPower_) return;
  boxPower_ = power;
  boxCount_ = 1 << power;
  hashMask_ = static_cast<std::uint32_t>(boxCount_ - 1);
  Rehash();
}

void TCustomHashTable::Link(int index, int box) {
  hashLink_[static_cast<std::size_t>(index)] = hashBox_[static_cast<std::size_t>(box)];
  hashBox_[static_cast<std::size_t>(box)] = index;
}

void TCustomHashTable::Rehash() {
  hashBox_.assign(static_cast<std::size_t>(boxCount_), -1);
  const int count = boxCount_ && hashLink_.size() ? static_cast<int>(hashLink_.size()) : 0;
  for (int i = 0; i < count; ++i) Link(i, BoxOf(EntryHash(i)));
}

void TCustomHashTable::GrowWhenCrowded() {
  if (Count() > 4 * boxCount_) SetBoxPower(boxPower_ + 2);
}

void THashTable::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_) return;
  caseSensitive_ = caseSensitive;
  Rehash();
}

std::uint32_t THashTable::EntryHash(int index) const { return FNV1a(strings_[static_cast<std::size_t>(index)], !caseSensitive_); }

int THashTable::GetHashValue(std::string_view text) const {
  HashValue = FNV1a(text, !caseSensitive_);
  return BoxOf(HashValue);
}

bool THashTable::Same(std::string_view a, std::string_view b) const {
  return caseSensitive_ ? a == b : SameIgnoringCase(a, b);
}

int THashTable::Insert(std::string_view text) {
  const int box = GetHashValue(text);
  strings_.emplace_back(text);
  hashLink_.push_back(-1);
  const int index = Count() - 1;
  Link(index, box);
  GrowWhenCrowded();
  return index;
}

int THashTable::Search(std::string_view text) const {
  for (int i = hashBox_[static_cast<std::size_t>(GetHashValue(text))]; i >= 0; i = hashLink_[static_cast<std::size_t>(i)])
    if (Same(strings_[static_cast<std::size_t>(i)], text)) return i;
  return -1;
}

int THashTable::AddUnique(std::string_view text) { return Search(text) >= 0 ? -1 : Insert(text); }

void THashTable::Clear() {
  strings_.clear();
  hashLink_.clear();
  hashBox_.assign(static_cast<std::size_t>(BoxCount()), -1);
}

namespace {

std::string_view BytesOf(const std::int32_t& value, char (&bytes)[4]) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((u >> (8 * i)) & 0xFF);  // lowest byte first
  return {bytes, 4};
}

}  // namespace

std::uint32_t TIntegerHashTable::EntryHash(int index) const {
  char bytes[4];
  return FNV1a(BytesOf(items_[static_cast<std::size_t>(index)], bytes));
}

int TIntegerHashTable::GetHashValue(std::int32_t value) const {
  char bytes[4];
  HashValue = FNV1a(BytesOf(value, bytes));
  return BoxOf(HashValue);
}

int TIntegerHashTable::Insert(std::int32_t value) {
  const int box = GetHashValue(value);
  items_.push_back(value);
  hashLink_.push_back(-1);
  const int index = Count() - 1;
  Link(index, box);
  GrowWhenCrowded();
  return index;
}

int TIntegerHashTable::Search(std::int32_t value) const {
  for (int i = hashBox_[static_cast<std::size_t>(GetHashValue(value))]; i >= 0; i = hashLink_[static_cast<std::size_t>(i)])
    if (items_[static_cast<std::size_t>(i)] == value) return i;
  return -1;
}
