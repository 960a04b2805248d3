#include "LayerIndex.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::size_t NoRank = std::numeric_limits<std::size_t>::max();

// "w2d_Vectors" of "w2d_Vectors_1_", or empty when the id has no such suffix.
std::string_view SuffixedBase(std::string_view id) {
  if (id.size() < 4 || id.back() != '_' || id[id.size() - 3] != '_') return {};
  return id.substr(0, id.size() - 3);
}

}  // namespace

TLayerIndex::TLayerIndex(const TXMLDocument& doc) {
  std::size_t rank = 0;
  std::vector<std::size_t> open;  // entries whose subtree is being walked
  // Every node counts for the ranks, so that a subtree is a range of them.
  auto walk = [&](auto&& self, TXMLNode node) -> void {
    for (; node; node = node.NextSibling()) {
      const std::size_t mine = rank++;
      std::size_t entry = NoRank;
      if (node.Type() == ntElement && node.LocalNameIs("g")) {
        std::string id = node.Attribute("id");
        entry = entries_.size();
        entries_.push_back({node, mine, mine});
        entryOf_.emplace(node.Raw(), entry);
        if (std::string_view base = SuffixedBase(id); !base.empty()) bySuffixed_[std::string(base)].push_back(entry);
        byId_[std::move(id)].push_back(entry);
      }
      self(self, node.FirstChild());
      if (entry != NoRank) entries_[entry].End = rank - 1;
    }
  };
  walk(walk, doc.DocumentNode());
}

TXMLNode TLayerIndex::First(const std::vector<std::size_t>* list, TXMLNode scope) const {
  if (!list) return {};
  if (!scope) return list->empty() ? TXMLNode() : entries_[list->front()].Node;
  auto found = entryOf_.find(scope.Raw());
  // A scope that is no layer is the root element: all of the drawing.
  if (found == entryOf_.end()) return First(list, {});
  const TEntry& within = entries_[found->second];
  for (std::size_t entry : *list)
    if (entries_[entry].Rank > within.Rank && entries_[entry].Rank <= within.End) return entries_[entry].Node;
  return {};
}

TXMLNode TLayerIndex::Find(std::string_view id, TXMLNode scope) const {
  auto found = byId_.find(std::string(id));
  return First(found == byId_.end() ? nullptr : &found->second, scope);
}

TXMLNode TLayerIndex::FindSuffixed(std::string_view layerId, TXMLNode scope) const {
  auto found = bySuffixed_.find(std::string(layerId));
  return First(found == bySuffixed_.end() ? nullptr : &found->second, scope);
}

void TLayerIndex::InsertInOrder(std::vector<std::size_t>& list, std::size_t entry, const std::vector<TEntry>& entries) {
  list.insert(std::upper_bound(list.begin(), list.end(), entry,
                               [&](std::size_t a, std::size_t b) { return entries[a].Rank < entries[b].Rank; }),
              entry);
}

void TLayerIndex::Renamed(TXMLNode layer, const std::string& oldId, const std::string& newId) {
  auto found = entryOf_.find(layer.Raw());
  if (found == entryOf_.end()) return;
  const std::size_t entry = found->second;
  auto forget = [&](auto& map, const std::string& key) {
    if (auto list = map.find(key); list != map.end()) std::erase(list->second, entry);
  };
  forget(byId_, oldId);
  if (std::string_view base = SuffixedBase(oldId); !base.empty()) forget(bySuffixed_, std::string(base));
  InsertInOrder(byId_[newId], entry, entries_);
  if (std::string_view base = SuffixedBase(newId); !base.empty()) InsertInOrder(bySuffixed_[std::string(base)], entry, entries_);
}

void TLayerIndex::Added(TXMLNode layer, const std::string& id) {
  // A new layer has no rank: whole-document searches find it (after the
  // layers that were there), scoped searches do not.
  const std::size_t entry = entries_.size();
  entries_.push_back({layer, NoRank, NoRank});
  entryOf_.emplace(layer.Raw(), entry);
  byId_[id].push_back(entry);
}
