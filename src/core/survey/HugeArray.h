#pragma once
// A growable array of fixed-size records in one contiguous block.
//
// Its growth is part of its contract: when full, the capacity grows to
// count + count / 4 above 64 items, count + 16 above 8, count + 4 below.
// It never shrinks except on Clear, which goes back to the initial capacity.
// Indices are 32-bit; access does not check them, Insert and Delete ignore
// indices out of range.
//
// Records are plain (trivially copyable), so the block grows in place where
// the allocator can (large blocks are remapped, not copied), and the memory
// a growth adds is made ready in one go.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

// Makes the pages of [begin, end) ready for writing at once, where the system can.
void PrepareForWriting(void* begin, void* end);

template <typename T>
class THugeArray {
  static_assert(std::is_trivially_copyable_v<T>, "records are copied as bytes");

public:
  explicit THugeArray(int initialCapacity) : initialCapacity_(initialCapacity) {
    if (initialCapacity <= 0) throw std::length_error("Empty Array Allocation");
    Reallocate(initialCapacity_);
  }
  THugeArray(const THugeArray& other) : initialCapacity_(other.initialCapacity_) {
    Reallocate(other.capacity_);
    count_ = other.count_;
    std::memcpy(items_, other.items_, sizeof(T) * count_);
  }
  THugeArray(THugeArray&& other) noexcept
      : initialCapacity_(other.initialCapacity_),
        count_(std::exchange(other.count_, 0)),
        capacity_(std::exchange(other.capacity_, 0)),
        items_(std::exchange(other.items_, nullptr)) {}
  THugeArray& operator=(THugeArray other) noexcept {
    std::swap(initialCapacity_, other.initialCapacity_);
    std::swap(count_, other.count_);
    std::swap(capacity_, other.capacity_);
    std::swap(items_, other.items_);
    return *this;
  }
  ~THugeArray() { std::free(items_); }

  int Count() const { return count_; }
  int Capacity() const { return capacity_; }

  T Get(int index) const { return items_[index]; }
  void Put(int index, const T& item) { items_[index] = item; }
  const T& operator[](int index) const { return items_[index]; }
  T& operator[](int index) { return items_[index]; }

  int Add(const T& item) {
    GrowWhenFull();
    items_[count_] = item;
    return count_++;
  }
  void Insert(int index, const T& item) {
    if (index < 0 || index > count_) return;
    GrowWhenFull();
    std::memmove(items_ + index + 1, items_ + index, sizeof(T) * (count_ - index));
    items_[index] = item;
    ++count_;
  }
  void Delete(int index) {
    if (index < 0 || index >= count_) return;
    std::memmove(items_ + index, items_ + index + 1, sizeof(T) * (count_ - index - 1));
    --count_;
  }
  void Clear() {
    count_ = 0;
    Reallocate(initialCapacity_);
  }

  const T* begin() const { return items_; }
  const T* end() const { return items_ + count_; }

private:
  static int GrowthDelta(int count) { return count > 64 ? count / 4 : count > 8 ? 16 : 4; }
  void GrowWhenFull() {
    if (count_ == capacity_) Reallocate(count_ + GrowthDelta(count_));
  }
  void Reallocate(int capacity) {
    std::size_t bytes = sizeof(T) * static_cast<std::size_t>(capacity);
    void* block = std::realloc(items_, bytes);
    if (!block) throw std::bad_alloc();
    items_ = static_cast<T*>(block);
    if (capacity > capacity_) PrepareForWriting(items_ + capacity_, items_ + capacity);
    capacity_ = capacity;
  }

  int initialCapacity_;
  int count_ = 0;
  int capacity_ = 0;
  T* items_ = nullptr;
};

using THugeInteger = THugeArray<std::int32_t>;
