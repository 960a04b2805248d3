#include "QtUserInterface.h"

#include <QApplication>
#include <QMessageBox>
#include <algorithm>
#include <iostream>

QString FromCore(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

std::string ToCore(const QString& text) { return text.toLatin1().toStdString(); }

namespace {

QString WithoutCR(std::string_view text) { return FromCore(text).remove(QLatin1Char('\r')); }

}  // namespace

bool TQtUserInterface::Unattended(std::string_view text) {
  if (unattended_) std::cerr << "quillmap: " << ToCore(WithoutCR(text)) << '\n';
  return unattended_;
}

void TQtUserInterface::Warning(std::string_view text) {
  if (Unattended(text)) return;
  QMessageBox::warning(window_, QApplication::applicationName(), WithoutCR(text));
}

bool TQtUserInterface::Question(std::string_view text) {
  if (Unattended(text)) return false;
  return QMessageBox::question(window_, QApplication::applicationName(), WithoutCR(text)) == QMessageBox::Yes;
}

void TQtUserInterface::Error(std::string_view text) {
  if (Unattended(text)) return;
  QMessageBox::critical(window_, QApplication::applicationName(), WithoutCR(text));
}

void TQtUserInterface::Status(int line, std::string_view text, TColor color) {
  QLabel* label = line == 1 ? statusBar_.Line1 : statusBar_.Line2;
  if (!label) return;
  label->setText(" " + FromCore(text));
  label->setStyleSheet(QString("color: rgb(%1,%2,%3);").arg(color & 0xFF).arg((color >> 8) & 0xFF).arg((color >> 16) & 0xFF));
  label->repaint();
}

void TQtUserInterface::Progress(int percent) {
  if (statusBar_.Gauge) statusBar_.Gauge->setValue(std::clamp(percent, 0, 100));
}

void TQtUserInterface::ElementProgress(long done, long total) {
  if (!statusBar_.Elements) return;
  statusBar_.Elements->setText(QString("%1/%2 ").arg(done).arg(total));
}

// A long read calls this thousands of times; painting some twenty times a
// second keeps the window alive without making the read wait for it.
void TQtUserInterface::ProcessEvents() {
  if (sincePump_.isValid() && sincePump_.elapsed() < PumpIntervalMs) return;
  QApplication::processEvents();
  sincePump_.start();
}

void TQtUserInterface::SetBusy(bool busy) {
  if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
  else QApplication::restoreOverrideCursor();
}
