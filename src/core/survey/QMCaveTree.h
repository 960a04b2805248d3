#pragma once
// The survey tree: the loaded plot as sections, surveys, shots and feature
// points, each node with a check mark. With "Exclude Sections/Surveys" on,
// a shot is drawn only when its section, its survey or the shot itself is
// checked; every drawing walk asks IsTreeItemSelected shot by shot and takes
// the shot's two vector indices from it.
//
// Nodes are held in tree order (depth first, as shown fully expanded); their
// texts are read from the plot state, which the tree must not outlive.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "PlotReader.h"
#include "PlotState.h"
#include "support/UserInterface.h"

enum TItemTypes : std::uint8_t {
  itSection, itSurvey, itShot, itFeature, itRange, itFeatureItem, itRangeItem
};

struct TTreeInfo {
  std::int32_t FromInx = 0;
  std::int32_t ToInx = 0;
  TItemTypes ItemType = itSection;
};

// "Section", "Survey", "Shot", "Feature", "Range", "Feature Item", "Range Item".
const char* ItemTypeName(TItemTypes type);

struct TShotSelection {
  bool Selected = false;
  int FromInx = 0, ToInx = 0;
};

// What the properties dialog shows of a node.
struct TNodeProperties {
  std::string Kind;
  TTreeInfo Info;
  std::string Name;      // section, survey or station name; a shot's from-station
  std::string ToName;    // a shot's to-station
  bool EditsFeatureInfo = false;  // a feature or range survey
};

// How the check marks changed: one node toggled by the user (the view then
// recomputes the centre of the included survey), or many at once.
enum class TCheckChange { Single, Bulk };

class TSurveyTree {
public:
  static constexpr int NoNode = -1;

  explicit TSurveyTree(TPlotState& plot) : plot_(plot) {}

  // Rebuilds the tree from the plot state; every mark cleared, nothing selected.
  void DisplaySurveyTree(const TPlotProgress& progress = {});
  void ClearTree();

  int NodeCount() const { return static_cast<int>(nodes_.size()); }
  const TTreeInfo& Info(int node) const { return nodes_[node].Info; }
  int Parent(int node) const { return nodes_[node].Parent; }  // NoNode for a section
  std::string Text(int node) const;
  bool Checked(int node) const { return nodes_[node].Checked; }

  // Tree positions: node of section k, of survey s (NoNode for a survey in
  // no section), and of the n-th non-move vector of the surveys in order.
  const std::vector<int>& SectionNodes() const { return sectionNodes_; }
  const std::vector<int>& SurveyNodes() const { return surveyNodes_; }
  const std::vector<int>& ShotNodes() const { return shotNodes_; }

  // Whether the shot at tree position `shot` in survey `survey` of section
  // `section` is checked, by itself or through its survey or section, and
  // the shot's vector indices.
  TShotSelection IsTreeItemSelected(int section, int survey, int shot) const {
    int node = shotNodes_[shot];
    const TTreeInfo& info = nodes_[node].Info;
    int surveyNode = surveyNodes_[survey];
    bool selected = nodes_[node].Checked || nodes_[sectionNodes_[section]].Checked ||
                    (surveyNode != NoNode && nodes_[surveyNode].Checked);
    return {selected, info.FromInx, info.ToInx};
  }

  // Whether a survey is checked, by itself or through its section.
  bool IsSurveySelected(int section, int survey) const {
    int surveyNode = surveyNodes_[survey];
    return nodes_[sectionNodes_[section]].Checked || (surveyNode != NoNode && nodes_[surveyNode].Checked);
  }

  // A user's click on one check mark: raises a single check change.
  void ToggleCheck(int node);
  // Bulk changes: each raises one bulk check change.
  void SetAllChecks(bool checked);
  // Every node's check mark from checked(node), asked in tree order.
  void SetChecks(const std::function<bool(int node)>& checked);
  void SetAllSelected(bool checked);
  void InvertAllSelected();

  // The selection: any number of nodes, and one current node.
  bool Selected(int node) const { return nodes_[node].Selected; }
  void Select(int node, bool selected);
  void ClearSelection();
  int CurrentNode() const { return current_; }
  void SetCurrentNode(int node);  // selects it alone, as a click does

  // Searches the node texts after (down) or before (up) the current node for
  // `text`, ignoring case, "?" matching any one character; the match becomes
  // the current node. Without one, warns "Survey Not Found: " + text.
  int FindNode(const std::string& text, bool down, TUserInterface& ui);

  TNodeProperties NodeProperties(int node) const;
  // Writes a feature or range survey node's drawing settings back to its survey.
  void SetFeatureInfo(int node, const TFeatureInfo& info);

  using TCheckListener = std::function<void(TCheckChange)>;
  void OnCheckChange(TCheckListener listener) { checkListener_ = std::move(listener); }

private:
  struct TNode {
    TTreeInfo Info;
    std::int32_t Parent = NoNode;
    bool Checked = false;
    bool Selected = false;
  };

  int AddNode(int parent, TTreeInfo info);
  void AddSurveyShots(int surveyNode, int survey);
  void NotifyCheckChange(TCheckChange change);

  TPlotState& plot_;
  std::vector<TNode> nodes_;
  std::vector<int> sectionNodes_, surveyNodes_, shotNodes_;
  int current_ = NoNode;
  TCheckListener checkListener_;
};
