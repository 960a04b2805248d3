#pragma once
// The set of ids an export has written: texts compared byte for byte, held
// in one growing block with a flat open-addressed index, so that adding the
// id of every shot and station of a large cave costs no allocation each.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TIdSet {
public:
  void Clear();
  void Reserve(std::size_t count);
  // Adds the id; false when it was there already.
  bool Insert(std::string_view id);
  std::size_t Size() const { return size_; }

private:
  struct TSlot {
    std::uint64_t Hash = 0;
    std::uint32_t Offset = 0, Length = 0;  // in the text block
  };
  static std::uint64_t HashOf(std::string_view id);
  static bool Occupied(const TSlot& slot) { return slot.Hash != 0; }  // an id's hash is never 0
  void Grow();

  std::vector<TSlot> slots_;
  std::string text_;  // every id, one after another
  std::size_t size_ = 0;
  bool holdsEmpty_ = false;
};
