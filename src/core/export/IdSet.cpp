#include "IdSet.h"

#include <bit>
#include <stdexcept>

std::uint64_t TIdSet::HashOf(std::string_view id) {
  // FNV-1a, then mixed so the low bits that pick a slot depend on every byte.
  std::uint64_t h = 14695981039346656037u;
  for (char c : id) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211u;
  h ^= h >> 32;
  h *= 0x9E3779B97F4A7C15u;
  h ^= h >> 29;
  return h | 1;  // never 0: 0 marks an empty slot
}

void TIdSet::Clear() {
  slots_.assign(slots_.size(), TSlot{});
  text_.clear();
  size_ = 0;
  holdsEmpty_ = false;
}

void TIdSet::Reserve(std::size_t count) {
  std::size_t wanted = std::bit_ceil(2 * count + 16);
  if (wanted <= slots_.size()) return;
  std::vector<TSlot> old = std::move(slots_);
  slots_.assign(wanted, TSlot{});
  const std::size_t mask = wanted - 1;
  for (const TSlot& slot : old) {
    if (!Occupied(slot)) continue;
    std::size_t i = slot.Hash & mask;
    while (Occupied(slots_[i])) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

void TIdSet::Grow() { Reserve(slots_.size()); }

bool TIdSet::Insert(std::string_view id) {
  if (id.empty()) {
    if (holdsEmpty_) return false;
    holdsEmpty_ = true;
    ++size_;
    return true;
  }
  if (2 * (size_ + 1) > slots_.size()) Grow();
  const std::uint64_t hash = HashOf(id);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    TSlot& slot = slots_[i];
    if (!Occupied(slot)) {
      if (text_.size() + id.size() > UINT32_MAX) throw std::length_error("too many ids in one drawing");
      slot = {hash, static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(id.size())};
      text_.append(id);
      ++size_;
      return true;
    }
    if (slot.Hash == hash && std::string_view(text_).substr(slot.Offset, slot.Length) == id) return false;
  }
}
