#pragma once
// The survey tree as a Qt item model: nodes, their texts, kind icons and
// check marks, read from the core's tree without copying them. A click on a
// check mark is a single toggle in the core's terms.

#include <QAbstractItemModel>
#include <vector>

#include "survey/QMCaveTree.h"

class TSurveyTreeModel : public QAbstractItemModel {
public:
  explicit TSurveyTreeModel(TSurveyTree& tree, QObject* parent = nullptr);

  // After the core's tree was rebuilt; Clear before it is, so that no view
  // asks for nodes while the tree is being replaced.
  void Rebuild();
  void Clear();
  // After check marks changed in bulk.
  void ChecksChanged();

  int NodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<int>(index.internalId()) : TSurveyTree::NoNode;
  }
  QModelIndex IndexOf(int node) const;

  QModelIndex index(int row, int column, const QModelIndex& parent) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex&) const override { return 1; }
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
  const std::vector<int>& ChildrenOf(int node) const;

  TSurveyTree& tree_;
  std::vector<int> roots_;
  std::vector<int> rowInParent_;
  std::vector<int> childList_;  // per node: its entry in children_, or -1 for a leaf
  std::vector<std::vector<int>> children_;
};
