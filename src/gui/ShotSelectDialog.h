#pragma once
// "Select Surveys and Shots": ticks the survey tree by a clip box drawn
// over a plan and a profile of the whole cave (its limit lines dragged with
// the mouse), by survey date, or by depth below the cave's tilt plane. It
// changes the ticks only; "Exclude Sections/Surveys" then draws the ticked.

#include <QCheckBox>
#include <QDateEdit>
#include <QDial>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QProgressBar>
#include <QSlider>
#include <array>

#include "QtUserInterface.h"
#include "app/AppContext.h"
#include "preview/QMExcludeTool.h"

#include "ClipView.h"

class TShotSelectDialog : public QDialog, public TClipLimits {
public:
  TShotSelectDialog(TAppContext& app, TQtUserInterface& ui, QWidget* parent);

  // Shows the window beside the main window.
  void DoShotSelectDialog();
  // After a plot is loaded: the box, the dates and the plane start afresh.
  void PresetComplex();
  // The "Select" buttons.
  void SetByExtents();
  void SetByDate();
  // "Analyze CaveTilt"; false (and the warning) when it cannot.
  bool Regression();

  QDoubleSpinBox* ClipSpin(TLimit limit) { return clipSpins_[limit]; }
  TClipView* PlanView() { return plan_; }
  TClipView* ProfileView() { return profile_; }
  const TExcludeTool& Tool() const { return tool_; }

private:
  QWidget* PositionPage();
  QWidget* DatePage();
  QWidget* TiltPage();
  // The box from the spins; the views repainted.
  void LimitsFromSpins();
  void ShowLimits();
  void ShowTilt(double azimuth, double dip);
  TSelectProgress Progress();
  // Zoom by the factor; 0 fits the views to their panes again.
  void Zoom(double factor);
  void FitViews();
  bool eventFilter(QObject* watched, QEvent* event) override;

  TAppContext& app_;
  TQtUserInterface& ui_;
  TExcludeTool tool_;
  std::array<QDoubleSpinBox*, 6> clipSpins_ = {};
  QCheckBox *subtractPlane_, *byDepth_, *byEastWest_, *byNorthSouth_, *extentsInAnalysis_;
  QDateEdit *from_, *to_;
  QDoubleSpinBox *azimuth_, *inclination_;
  QDial* dialYaw_;
  QSlider* dialPitch_;
  QProgressBar* progress_;
  TClipView *plan_, *profile_;
  bool updateDial_ = true, showingLimits_ = false;
  double baseSize_ = 1.0;
};
