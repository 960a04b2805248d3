#pragma once
// The properties of a survey tree node: its kind, indices and names, and
// for feature and range surveys the editor of how their points are drawn.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "survey/PlotArray.h"
#include "survey/QMCaveTree.h"

class TNodePropertiesDialog : public QDialog {
public:
  TNodePropertiesDialog(const TNodeProperties& node, const TSurveyArray& surveys, QWidget* parent);

  bool EditsFeatureInfo() const { return editsFeatureInfo_; }
  TFeatureInfo FeatureInfo() const;

private:
  bool editsFeatureInfo_;
  TFeatureInfo info_;
  QLineEdit* fontFace_ = nullptr;
  QPushButton* fontColor_ = nullptr;
  QPushButton* lineColor_ = nullptr;
  QComboBox* numberMode_ = nullptr;
  QSpinBox* sizeLow_ = nullptr;
  QSpinBox* sizeHigh_ = nullptr;
  QCheckBox* scientific_ = nullptr;
  QSpinBox* digits_ = nullptr;
  QCheckBox* labelFeatures_ = nullptr;
  QSpinBox* symbol_ = nullptr;
};
