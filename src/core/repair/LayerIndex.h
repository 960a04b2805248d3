#pragma once
// Every g element of a drawing by its id, in document order, so that the
// layer repairs find a layer without walking the whole tree each time (a
// large drawing has millions of nodes and the repairs look up dozens of
// layers). Built by one walk; told of the renames and additions made
// after it.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "merge/XMLDom.h"

class TLayerIndex {
public:
  explicit TLayerIndex(const TXMLDocument& doc);

  // The first g with this id in document order, inside scope when given
  // (a layer: its descendants), anywhere otherwise (or for the root).
  TXMLNode Find(std::string_view id, TXMLNode scope = {}) const;
  // The same for an id of the layer id followed by "_", one character, "_".
  TXMLNode FindSuffixed(std::string_view layerId, TXMLNode scope = {}) const;
  void Renamed(TXMLNode layer, const std::string& oldId, const std::string& newId);
  void Added(TXMLNode layer, const std::string& id);

private:
  struct TEntry {
    TXMLNode Node;
    std::size_t Rank, End;  // its place in document order, and its last descendant's
  };
  TXMLNode First(const std::vector<std::size_t>* entries, TXMLNode scope) const;
  static void InsertInOrder(std::vector<std::size_t>& list, std::size_t entry, const std::vector<TEntry>& entries);

  std::vector<TEntry> entries_;
  std::unordered_map<std::string, std::vector<std::size_t>> byId_, bySuffixed_;
  std::unordered_map<const void*, std::size_t> entryOf_;
};
