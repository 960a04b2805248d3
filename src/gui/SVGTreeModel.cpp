#include "SVGTreeModel.h"

#include "repair/QMSVGTree.h"

struct TSVGTreeModel::TEntry {
  TXMLNode Node;
  TEntry* Parent = nullptr;
  int Row = 0;
  QString Label;  // the top node's; the others are labelled when shown
  bool Read = false;
  std::vector<std::unique_ptr<TEntry>> Children;
};

TSVGTreeModel::TSVGTreeModel(QObject* parent) : QAbstractItemModel(parent), top_(std::make_unique<TEntry>()) {
  top_->Read = true;
}

TSVGTreeModel::~TSVGTreeModel() = default;

void TSVGTreeModel::Show(const TXMLDocument* document, const QString& rootName) {
  beginResetModel();
  document_ = document;
  top_ = std::make_unique<TEntry>();
  top_->Read = true;
  if (document && document->Loaded()) {
    auto root = std::make_unique<TEntry>();
    root->Parent = top_.get();
    root->Label = rootName;
    root->Read = true;
    auto node = std::make_unique<TEntry>();
    node->Node = document->DocumentNode();
    node->Parent = root.get();
    root->Children.push_back(std::move(node));
    top_->Children.push_back(std::move(root));
  } else {
    document_ = nullptr;
  }
  endResetModel();
}

TSVGTreeModel::TEntry* TSVGTreeModel::EntryOf(const QModelIndex& index) const {
  return index.isValid() ? static_cast<TEntry*>(index.internalPointer()) : top_.get();
}

std::vector<std::unique_ptr<TSVGTreeModel::TEntry>>& TSVGTreeModel::Children(TEntry& entry) const {
  if (!entry.Read) {
    entry.Read = true;
    int row = 0;
    for (TXMLNode child = entry.Node.FirstChild(); child; child = child.NextSibling()) {
      auto item = std::make_unique<TEntry>();
      item->Node = child;
      item->Parent = &entry;
      item->Row = row++;
      entry.Children.push_back(std::move(item));
    }
  }
  return entry.Children;
}

TXMLNode TSVGTreeModel::NodeAt(const QModelIndex& index) const {
  return index.isValid() ? EntryOf(index)->Node : TXMLNode();
}

QModelIndex TSVGTreeModel::RootIndex() const { return top_->Children.empty() ? QModelIndex() : index(0, 0, {}); }

QModelIndex TSVGTreeModel::IndexOf(TXMLNode node) {
  if (!node || top_->Children.empty()) return {};
  std::vector<TXMLNode> path;
  for (TXMLNode n = node; n; n = n.Parent()) path.push_back(n);
  TEntry* entry = top_->Children.front().get();
  for (auto step = path.rbegin(); step != path.rend(); ++step) {
    TEntry* next = nullptr;
    for (const auto& child : Children(*entry))
      if (child->Node == *step) next = child.get();
    if (!next) return {};
    entry = next;
  }
  return createIndex(entry->Row, 0, entry);
}

QModelIndex TSVGTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  auto& children = Children(*EntryOf(parent));
  if (static_cast<std::size_t>(row) >= children.size()) return {};
  return createIndex(row, 0, children[static_cast<std::size_t>(row)].get());
}

QModelIndex TSVGTreeModel::parent(const QModelIndex& index) const {
  TEntry* parent = index.isValid() ? EntryOf(index)->Parent : nullptr;
  if (!parent || parent == top_.get()) return {};
  return createIndex(parent->Row, 0, parent);
}

int TSVGTreeModel::rowCount(const QModelIndex& parent) const {
  return static_cast<int>(Children(*EntryOf(parent)).size());
}

bool TSVGTreeModel::hasChildren(const QModelIndex& parent) const {
  const TEntry* entry = EntryOf(parent);
  return entry->Read ? !entry->Children.empty() : static_cast<bool>(entry->Node.FirstChild());
}

QVariant TSVGTreeModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const TEntry* entry = EntryOf(index);
  return entry->Node ? QString::fromStdString(SVGNodeLabel(entry->Node)) : entry->Label;  // the DOM is UTF-8
}
