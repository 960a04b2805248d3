#include "GuiMain.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <iostream>

#include "MainWindow.h"

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
  if (screenshot && args.size() < 2) {
    std::cerr << "usage: quillmap --screenshot OUT.png [FILE.plt]\n";
    return 2;
  }
  if (screenshot) PrepareOffscreenDrawing();
  QApplication application(argc, argv);
  // Opening a file makes its folder the current one; the picture goes where it was asked for.
  const QString picture = screenshot ? QFileInfo(QString::fromLocal8Bit(args[1].c_str())).absoluteFilePath() : QString();
  QApplication::setApplicationName("Quillmap");
  TQtUserInterface ui;
  ui.SetUnattended(screenshot);
  TMainWindow window(ui);
  window.resize(1280, 800);
  window.show();
  QStringList files;  // absolute: opening one changes the current folder
  for (std::size_t i = screenshot ? 2 : 0; i < args.size(); ++i)
    files << QFileInfo(QString::fromLocal8Bit(args[i].c_str())).absoluteFilePath();
  for (const QString& file : files) window.OpenPltOrSVG(file);
  if (!screenshot) return QApplication::exec();
  QApplication::processEvents();
  if (!window.grab().save(picture)) {
    std::cerr << "quillmap: cannot write " << args[1] << '\n';
    return 1;
  }
  return 0;
}
