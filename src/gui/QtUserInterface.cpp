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
  ProcessEvents();
}

void TQtUserInterface::Progress(int percent) {
  if (!statusBar_.Gauge) return;
  statusBar_.Gauge->setValue(std::clamp(percent, 0, 100));
  ProcessEvents();
}

// Called once per element of a merge: the counter is written only as often
// as the window is painted, and at the last element.
void TQtUserInterface::ElementProgress(long done, long total) {
  if (!statusBar_.Elements || (done != total && !PumpDue())) return;
  statusBar_.Elements->setText(QString("%1/%2 ").arg(done).arg(total));
  ProcessEvents();
}

bool TQtUserInterface::PumpDue() const { return !sincePump_.isValid() || sincePump_.elapsed() >= PumpIntervalMs; }

// A long read or merge calls this thousands of times; painting some twenty
// times a second keeps the window alive without making the work wait for
// it. Input waits: a click must not start a second command inside this one.
void TQtUserInterface::ProcessEvents() {
  if (!PumpDue()) return;
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  sincePump_.start();
}

void TQtUserInterface::SetBusy(bool busy) {
  busy_ += busy ? 1 : -1;
  if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
  else QApplication::restoreOverrideCursor();
}
