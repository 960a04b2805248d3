#pragma once
// One SVG document as a tree: a top node named after the plot file, under
// it the document's DOM nodes in document order. Children are read from
// the DOM when a branch is first opened, so drawings of a million nodes
// show at once.

#include <QAbstractItemModel>
#include <memory>
#include <vector>

#include "merge/XMLDom.h"

class TSVGTreeModel : public QAbstractItemModel {
public:
  explicit TSVGTreeModel(QObject* parent = nullptr);
  ~TSVGTreeModel() override;

  // Shows the document under a top node of that name; none: the tree empties.
  void Show(const TXMLDocument* document, const QString& rootName);
  const TXMLDocument* Document() const { return document_; }
  // The DOM node of an item; none for the top node.
  TXMLNode NodeAt(const QModelIndex& index) const;
  // The item of a DOM node of the shown document, branches read as needed.
  QModelIndex IndexOf(TXMLNode node);
  QModelIndex RootIndex() const;

  QModelIndex index(int row, int column, const QModelIndex& parent) const override;
  QModelIndex parent(const QModelIndex& index) const override;
  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex&) const override { return 1; }
  bool hasChildren(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;

private:
  struct TEntry;
  TEntry* EntryOf(const QModelIndex& index) const;
  std::vector<std::unique_ptr<TEntry>>& Children(TEntry& entry) const;

  const TXMLDocument* document_ = nullptr;
  std::unique_ptr<TEntry> top_;  // holds the one top node
};
