#pragma once
// A growable array of fixed-size records in one contiguous block.
//
// Its growth is part of its contract: when full, the capacity grows to
// count + count / 4 above 64 items, count + 16 above 8, count + 4 below.
// It never shrinks except on Clear, which goes back to the initial capacity.
// Indices are 32-bit; access does not check them, Insert and Delete ignore
// indices out of range.

#include <cstdint>
#include <stdexcept>
#include <vector>

template <typename T>
class THugeArray {
public:
  explicit THugeArray(int initialCapacity) : initialCapacity_(initialCapacity) {
    if (initialCapacity <= 0) throw std::length_error("Empty Array Allocation");
    items_.reserve(initialCapacity_);
  }

  int Count() const { return static_cast<int>(items_.size()); }
  int Capacity() const { return static_cast<int>(items_.capacity()); }

  T Get(int index) const { return items_[index]; }
  void Put(int index, const T& item) { items_[index] = item; }
  const T& operator[](int index) const { return items_[index]; }
  T& operator[](int index) { return items_[index]; }
  const T& Last() const { return items_.back(); }
  T& Last() { return items_.back(); }

  int Add(const T& item) {
    GrowWhenFull();
    items_.push_back(item);
    return Count() - 1;
  }
  void Insert(int index, const T& item) {
    if (index < 0 || index > Count()) return;
    GrowWhenFull();
    items_.insert(items_.begin() + index, item);
  }
  void Delete(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
  }
  void Clear() {
    std::vector<T>().swap(items_);
    items_.reserve(initialCapacity_);
  }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

private:
  static int GrowthDelta(int count) { return count > 64 ? count / 4 : count > 8 ? 16 : 4; }
  void GrowWhenFull() {
    if (Count() == Capacity()) items_.reserve(Count() + GrowthDelta(Count()));
  }

  int initialCapacity_;
  std::vector<T> items_;
};

using THugeInteger = THugeArray<std::int32_t>;
