#include "SurveyTreeModel.h"

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "QtUserInterface.h"

namespace {

const std::vector<int> NoChildren;

// A small coloured mark for each kind of node.
QIcon KindIcon(TItemTypes type) {
  static const QColor Colors[] = {QColor(70, 110, 170), QColor(200, 60, 50), QColor(120, 120, 120),
                                  QColor(40, 150, 80), QColor(210, 140, 30), QColor(40, 150, 80), QColor(210, 140, 30)};
  static std::vector<QIcon> icons;
  if (icons.empty()) {
    for (int kind = 0; kind <= itRangeItem; ++kind) {
      QPixmap pixmap(14, 14);
      pixmap.fill(Qt::transparent);
      QPainter painter(&pixmap);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setBrush(Colors[kind]);
      painter.setPen(Qt::NoPen);
      if (kind == itSection) painter.drawRoundedRect(1, 2, 12, 10, 2, 2);
      else if (kind == itShot) painter.drawRect(2, 6, 10, 2);
      else if (kind == itFeatureItem || kind == itRangeItem) painter.drawEllipse(4, 4, 6, 6);
      else painter.drawEllipse(2, 2, 10, 10);
      icons.emplace_back(pixmap);
    }
  }
  return icons[type];
}

}  // namespace

TSurveyTreeModel::TSurveyTreeModel(TSurveyTree& tree, QObject* parent) : QAbstractItemModel(parent), tree_(tree) {}

void TSurveyTreeModel::Rebuild() {
  beginResetModel();
  roots_.clear();
  children_.clear();
  const int count = tree_.NodeCount();
  rowInParent_.assign(static_cast<std::size_t>(count), 0);
  childList_.assign(static_cast<std::size_t>(count), -1);
  for (int node = 0; node < count; ++node) {
    int parent = tree_.Parent(node);
    std::vector<int>* siblings = &roots_;
    if (parent != TSurveyTree::NoNode) {
      int& list = childList_[static_cast<std::size_t>(parent)];
      if (list < 0) {
        list = static_cast<int>(children_.size());
        children_.emplace_back();
      }
      siblings = &children_[static_cast<std::size_t>(list)];
    }
    rowInParent_[static_cast<std::size_t>(node)] = static_cast<int>(siblings->size());
    siblings->push_back(node);
  }
  endResetModel();
}

void TSurveyTreeModel::Clear() {
  beginResetModel();
  roots_.clear();
  children_.clear();
  rowInParent_.clear();
  childList_.clear();
  endResetModel();
}

void TSurveyTreeModel::ChecksChanged() { emit layoutChanged(); }

const std::vector<int>& TSurveyTreeModel::ChildrenOf(int node) const {
  if (node == TSurveyTree::NoNode) return roots_;
  int list = childList_[static_cast<std::size_t>(node)];
  return list < 0 ? NoChildren : children_[static_cast<std::size_t>(list)];
}

QModelIndex TSurveyTreeModel::IndexOf(int node) const {
  if (node == TSurveyTree::NoNode) return {};
  return createIndex(rowInParent_[static_cast<std::size_t>(node)], 0, static_cast<quintptr>(node));
}

QModelIndex TSurveyTreeModel::index(int row, int column, const QModelIndex& parent) const {
  const std::vector<int>& siblings = ChildrenOf(NodeOf(parent));
  if (column != 0 || row < 0 || row >= static_cast<int>(siblings.size())) return {};
  return createIndex(row, 0, static_cast<quintptr>(siblings[static_cast<std::size_t>(row)]));
}

QModelIndex TSurveyTreeModel::parent(const QModelIndex& child) const {
  int node = NodeOf(child);
  return node == TSurveyTree::NoNode ? QModelIndex() : IndexOf(tree_.Parent(node));
}

int TSurveyTreeModel::rowCount(const QModelIndex& parent) const {
  return static_cast<int>(ChildrenOf(NodeOf(parent)).size());
}

QVariant TSurveyTreeModel::data(const QModelIndex& index, int role) const {
  int node = NodeOf(index);
  if (node == TSurveyTree::NoNode) return {};
  switch (role) {
    case Qt::DisplayRole: return FromCore(tree_.Text(node));
    case Qt::CheckStateRole: return tree_.Checked(node) ? Qt::Checked : Qt::Unchecked;
    case Qt::DecorationRole: return KindIcon(tree_.Info(node).ItemType);
    case Qt::ToolTipRole: return QString(ItemTypeName(tree_.Info(node).ItemType));
    default: return {};
  }
}

bool TSurveyTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  int node = NodeOf(index);
  if (role != Qt::CheckStateRole || node == TSurveyTree::NoNode) return false;
  if ((value.toInt() == Qt::Checked) != tree_.Checked(node)) tree_.ToggleCheck(node);
  emit dataChanged(index, index, {Qt::CheckStateRole});
  return true;
}

Qt::ItemFlags TSurveyTreeModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}
