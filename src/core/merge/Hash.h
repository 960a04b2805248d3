#pragma once
// Chained hash tables with a power-of-two number of boxes, hashed with
// 32-bit FNV-1a: a table of texts, whose index is their identity, and one of
// integers. The newest entry of a box is found first.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TCustomHashTable {
public:
  virtual ~TCustomHashTable() = default;
  int BoxPower() const { return boxPower_; }
  int BoxCount() const { return boxCount_; }
  // 2 to the power max(power, 4) boxes; rebuilds the chains.
  void SetBoxPower(int power);
  mutable std::uint32_t HashValue = 0;  // the last hash computed

protected:
  TCustomHashTable() { SetBoxPower(11); }
  virtual int Count() const = 0;
  virtual std::uint32_t EntryHash(int index) const = 0;
  // The box of a hash: ((h >> power) xor h) and the mask.
  int BoxOf(std::uint32_t hash) const { return static_cast<int>(((hash >> boxPower_) ^ hash) & hashMask_); }
  void Link(int index, int box);
  void Rehash();
  // Many entries to few boxes: four times as many boxes, chains rebuilt.
  void GrowWhenCrowded();

  std::vector<int> hashBox_;   // per box: its newest entry, -1 when empty
  std::vector<int> hashLink_;  // per entry: the next older entry of its box, -1 at the end

private:
  int boxPower_ = 0, boxCount_ = 0;
  std::uint32_t hashMask_ = 0;
};

// 32-bit FNV-1a of the bytes, lower-cased first when asked.
std::uint32_t FNV1a(std::string_view bytes, bool lowerCase = false);

class THashTable : public TCustomHashTable {
public:
  THashTable() = default;
  explicit THashTable(bool caseSensitive) : caseSensitive_(caseSensitive) {}

  void SetCaseSensitive(bool caseSensitive);
  bool CaseSensitive() const { return caseSensitive_; }
  // The box of a text (and HashValue set).
  int GetHashValue(std::string_view text) const;
  int Insert(std::string_view text);  // its index
  int AddUnique(std::string_view text);  // its index, or -1 when it is there already
  int Search(std::string_view text) const;  // its index, or -1
  const std::string& ReadString(int index) const { return strings_[static_cast<std::size_t>(index)]; }
  int Count() const override { return static_cast<int>(strings_.size()); }
  void Clear();

private:
  std::uint32_t EntryHash(int index) const override;
  bool Same(std::string_view a, std::string_view b) const;

  bool caseSensitive_ = true;
  std::vector<std::string> strings_;
};

class TIntegerHashTable : public TCustomHashTable {
public:
  int GetHashValue(std::int32_t value) const;
  int Insert(std::int32_t value);
  int Search(std::int32_t value) const;
  std::int32_t Item(int index) const { return items_[static_cast<std::size_t>(index)]; }
  int Count() const override { return static_cast<int>(items_.size()); }

private:
  std::uint32_t EntryHash(int index) const override;
  std::vector<std::int32_t> items_;
};
