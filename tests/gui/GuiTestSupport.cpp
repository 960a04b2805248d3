#include "GuiTestSupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

void CloseNextModal() {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal->close();
      timer->deleteLater();
    }
  });
  timer->start(5);
}

void AnswerNextFileDialog(const QString& file) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, file] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      dialog->setOption(QFileDialog::DontConfirmOverwrite);  // as if the person said yes
      dialog->selectFile(file);
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own, as its Open or Save button
      if (!dialog->isVisible()) timer->deleteLater();
    }
  });
  timer->start(5);
}
