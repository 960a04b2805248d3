#include "GuiMain.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <iostream>

#include "GraphsDialog.h"
#include "MainWindow.h"
#include "ShotSelectDialog.h"

void PrepareOffscreenDrawing() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  // The folder Qt falls back to, made as it wants it: ours, for us alone.
  const std::string folder = "/tmp/runtime-" + std::to_string(getuid());
  mkdir(folder.c_str(), 0700);
  struct stat status {};
  if (lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == getuid() &&
      (status.st_mode & 0777) == 0700)
    qputenv("XDG_RUNTIME_DIR", folder.c_str());
}

int RunGui(int argc, char** argv, const std::vector<std::string>& args) {
  bool screenshot = !args.empty() && args.front() == "--screenshot";
  // What the picture shows: the window as opened, its map, or the Graphs dialog.
  std::string view;
  std::size_t firstFile = screenshot ? 2 : 0;
  if (screenshot && args.size() >= 4 && args[2] == "--view") {
    view = args[3];
    firstFile = 4;
  }
  if (screenshot && (args.size() < 2 || !(view.empty() || view == "map" || view == "graphs" || view == "select"))) {
    std::cerr << "usage: quillmap --screenshot OUT.png [--view map|graphs|select] [FILE.plt] [TARGET.svg]\n";
    return 2;
  }
  if (screenshot) PrepareOffscreenDrawing();
  QApplication application(argc, argv);
  // Opening a file makes its folder the current one; the picture goes where it was asked for.
  const QString picture = screenshot ? QFileInfo(QString::fromLocal8Bit(args[1].c_str())).absoluteFilePath() : QString();
  QApplication::setApplicationName("Quillmap");
  TQtUserInterface ui;
  ui.SetUnattended(screenshot);
  TMainWindow window(ui, SuiteSurveyFoot());
  window.resize(1280, 800);
  window.show();
  // A picture shows the program's own defaults, whoever takes it.
  if (!screenshot) window.ApplyUserDefaults();
  QStringList files;  // absolute: opening one changes the current folder
  for (std::size_t i = firstFile; i < args.size(); ++i)
    files << QFileInfo(QString::fromLocal8Bit(args[i].c_str())).absoluteFilePath();
  for (const QString& file : files) window.OpenPltOrSVG(file);
  if (!screenshot) return QApplication::exec();
  // A target loaded: its shots drawn on the map, as "Show Target" does.
  if (auto* showTarget = window.findChild<QAbstractButton*>("ShowTargetChk")) showTarget->setChecked(true);
  QWidget* shown = &window;
  if (view == "map") window.Views().setCurrentIndex(0);
  if (view == "graphs") {
    TGraphsDialog& graphs = window.GraphsDialog();
    graphs.ShowGraphsDlg();
    graphs.DisplayGraphs();
    graphs.PairsGrid()->selectRow(0);
    graphs.ShowDetails(0);
    shown = &graphs;
  }
  if (view == "select") {
    TShotSelectDialog& tool = window.ShotSelectDialog();
    tool.DoShotSelectDialog();
    tool.resize(760, 640);
    QApplication::processEvents();
    shown = &tool;
  }
  QApplication::processEvents();
  if (!shown->grab().save(picture)) {
    std::cerr << "quillmap: cannot write " << args[1] << '\n';
    return 1;
  }
  return 0;
}
