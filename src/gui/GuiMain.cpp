#include "GuiMain.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <iostream>

#include "MainWindow.h"

int RunGui(int argc, char** argv, const std::vector<std::string>& args) {
  bool screenshot = !args.empty() && args.front() == "--screenshot";
  if (screenshot && args.size() < 2) {
    std::cerr << "usage: quillmap --screenshot OUT.png [FILE.plt]\n";
    return 2;
  }
  if (screenshot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  // Opening a file makes its folder the current one; the picture goes where it was asked for.
  const QString picture = screenshot ? QFileInfo(QString::fromLocal8Bit(args[1].c_str())).absoluteFilePath() : QString();
  QApplication::setApplicationName("Quillmap");
  TQtUserInterface ui;
  ui.SetUnattended(screenshot);
  TMainWindow window(ui);
  window.resize(1280, 800);
  window.show();
  std::string file = screenshot ? (args.size() > 2 ? args[2] : "") : (args.empty() ? "" : args.front());
  if (!file.empty()) window.OpenPltOrSVG(QString::fromLocal8Bit(file.c_str()));
  if (!screenshot) return QApplication::exec();
  QApplication::processEvents();
  if (!window.grab().save(picture)) {
    std::cerr << "quillmap: cannot write " << args[1] << '\n';
    return 1;
  }
  return 0;
}
