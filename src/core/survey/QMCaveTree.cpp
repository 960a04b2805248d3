#include "QMCaveTree.h"

#include "support/TextMatch.h"

namespace {

constexpr std::size_t ShotTextSize = 43;

TItemTypes SurveyItemType(TSurveyType type) {
  static constexpr TItemTypes Types[] = {itSurvey, itFeature, itRange};
  return Types[type];
}

}  // namespace

const char* ItemTypeName(TItemTypes type) {
  static constexpr const char* Names[] = {"Section", "Survey", "Shot", "Feature", "Range", "Feature Item", "Range Item"};
  return Names[type];
}

void TSurveyTree::ClearTree() {
  nodes_.clear();
  sectionNodes_.clear();
  surveyNodes_.clear();
  shotNodes_.clear();
  current_ = NoNode;
}

int TSurveyTree::AddNode(int parent, TTreeInfo info) {
  nodes_.push_back({info, parent, false, false});
  return NodeCount() - 1;
}

void TSurveyTree::DisplaySurveyTree(const TPlotProgress& progress) {
  if (progress) progress(0, 1);
  ClearTree();
  const int surveys = plot_.SurveyArray.Count();
  nodes_.reserve(static_cast<std::size_t>(plot_.SectionArray.Count() + surveys + plot_.VectorArray.Count()));
  shotNodes_.reserve(static_cast<std::size_t>(plot_.VectorArray.Count()));
  // Indexed by survey, so that surveys before the first section (which get
  // no node) do not shift the nodes of the others.
  surveyNodes_.assign(static_cast<std::size_t>(surveys), NoNode);
  for (int section = 0; section < plot_.SectionArray.Count(); ++section) {
    int sectionNode = AddNode(NoNode, {section, section, itSection});
    sectionNodes_.push_back(sectionNode);
    TIndexRange range = plot_.SectionStartEnd(section);
    for (int survey = range.First; survey <= range.Last; ++survey) {
      int surveyNode = AddNode(sectionNode, {survey, survey, SurveyItemType(plot_.SurveyArray[survey].SurveyType)});
      surveyNodes_[survey] = surveyNode;
      AddSurveyShots(surveyNode, survey);
      if (progress) progress(survey, plot_.SurveyStartEnd(survey).Last);
    }
  }
  if (progress) progress(surveys, plot_.VectorArray.Count() / 2);
}

void TSurveyTree::AddSurveyShots(int surveyNode, int survey) {
  TIndexRange vectors = plot_.SurveyStartEnd(survey);
  TItemTypes pointType = plot_.SurveyArray[survey].SurveyType == stRange ? itRangeItem : itFeatureItem;
  // A survey that starts with a draw continues from the vector before it.
  int from = vectors.First > 0 ? vectors.First - 1 : vectors.First;
  for (int i = vectors.First; i <= vectors.Last; ++i) {
    char command = plot_.VectorArray[i].Command;
    if (command == 'M') {
      from = i;
    } else if (command == 'L' || command == 'V') {
      shotNodes_.push_back(AddNode(surveyNode, {i, i, pointType}));
    } else {
      shotNodes_.push_back(AddNode(surveyNode, {from, i, itShot}));
      from = i;
    }
  }
}

std::string TSurveyTree::Text(int node) const {
  const TTreeInfo& info = nodes_[node].Info;
  switch (info.ItemType) {
    case itSection: return plot_.SectionArray[info.FromInx].Name.Str();
    case itSurvey: case itFeature: case itRange: return plot_.SurveyArray[info.FromInx].Name.Str();
    case itShot: {
      std::string text = plot_.VectorArray[info.FromInx].Station.Str() + " - " + plot_.VectorArray[info.ToInx].Station.Str();
      return text.substr(0, ShotTextSize);
    }
    default: return plot_.VectorArray[info.FromInx].Station.Str();
  }
}

void TSurveyTree::NotifyCheckChange(TCheckChange change) {
  if (checkListener_) checkListener_(change);
}

void TSurveyTree::ToggleCheck(int node) {
  nodes_[node].Checked = !nodes_[node].Checked;
  NotifyCheckChange(TCheckChange::Single);
}

void TSurveyTree::SetAllChecks(bool checked) {
  for (TNode& node : nodes_) node.Checked = checked;
  NotifyCheckChange(TCheckChange::Bulk);
}

void TSurveyTree::SetChecks(const std::function<bool(int node)>& checked) {
  for (std::size_t node = 0; node < nodes_.size(); ++node) nodes_[node].Checked = checked(static_cast<int>(node));
  NotifyCheckChange(TCheckChange::Bulk);
}

void TSurveyTree::SetAllSelected(bool checked) {
  for (TNode& node : nodes_)
    if (node.Selected) node.Checked = checked;
  NotifyCheckChange(TCheckChange::Bulk);
}

void TSurveyTree::InvertAllSelected() {
  for (TNode& node : nodes_)
    if (node.Selected) node.Checked = !node.Checked;
  NotifyCheckChange(TCheckChange::Bulk);
}

void TSurveyTree::Select(int node, bool selected) {
  nodes_[node].Selected = selected;
  if (selected) current_ = node;
}

void TSurveyTree::ClearSelection() {
  for (TNode& node : nodes_) node.Selected = false;
  current_ = NoNode;
}

void TSurveyTree::SetCurrentNode(int node) {
  ClearSelection();
  if (node != NoNode) Select(node, true);
}

int TSurveyTree::FindNode(const std::string& text, bool down, TUserInterface& ui) {
  int step = down ? 1 : -1;
  int start = current_ != NoNode ? current_ + step : (down ? 0 : NodeCount() - 1);
  for (int node = start; node >= 0 && node < NodeCount(); node += step) {
    if (ContainsPattern(Text(node), text)) {
      SetCurrentNode(node);
      return node;
    }
  }
  ui.Warning("Survey Not Found: " + text);
  return NoNode;
}

TNodeProperties TSurveyTree::NodeProperties(int node) const {
  const TTreeInfo& info = nodes_[node].Info;
  TNodeProperties properties{ItemTypeName(info.ItemType), info, Text(node), "", false};
  if (info.ItemType == itShot) {
    properties.Name = plot_.VectorArray[info.FromInx].Station.Str();
    properties.ToName = plot_.VectorArray[info.ToInx].Station.Str();
  }
  properties.EditsFeatureInfo = info.ItemType == itFeature || info.ItemType == itRange;
  return properties;
}

void TSurveyTree::SetFeatureInfo(int node, const TFeatureInfo& info) {
  const TTreeInfo& tree = nodes_[node].Info;
  if (tree.ItemType != itFeature && tree.ItemType != itRange) return;
  TSurveyID survey = plot_.SurveyArray.Get(tree.FromInx);
  survey.Attributes.FeatureInfo = info;
  plot_.SurveyArray.Put(tree.FromInx, survey);
}
