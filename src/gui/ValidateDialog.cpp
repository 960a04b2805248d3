#include "ValidateDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QToolBar>
#include <QVBoxLayout>

#include "FindDialog.h"
#include "QtUserInterface.h"
#include "support/MappedFile.h"
#include "support/SafeFile.h"

// A column ruler under the editor: a tick per character, numbers every ten
// (while the editor is not scrolled far), the cursor's column marked.
class TColumnRuler : public QWidget {
public:
  explicit TColumnRuler(QWidget* parent) : QWidget(parent) { setFixedHeight(18); }
  void Set(int spacing, int start, int column) {
    spacing_ = std::max(spacing, 1);
    start_ = start;
    column_ = column;
    update();
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(240, 240, 230));
    painter.setPen(Qt::darkGray);
    const int first = start_ / spacing_;
    for (int i = first; (i - first) * spacing_ < width(); ++i) {
      const int x = i * spacing_ - start_ + 4;
      const int tick = i % 10 == 0 ? 8 : i % 5 == 0 ? 5 : 3;
      painter.drawLine(x, height() - tick, x, height());
      if (i % 10 == 0 && start_ < 256) painter.drawText(x + 2, 10, QString::number(i));
    }
    const int marked = column_ * spacing_ - start_ + 4;
    painter.fillRect(marked, 0, spacing_, height(), QColor(255, 200, 0, 120));
  }

private:
  int spacing_ = 8, start_ = 0, column_ = 0;
};

namespace {

constexpr int MinimumRows = 35;
const char* const Headers[] = {"#", "Line #", "Tag", "Error Type", "Begin Inx", "End Inx"};
constexpr int Widths[] = {40, 64, 84, 93, 84, 82};

QString Grouped(qint64 value) { return QLocale().toString(value); }

QLabel* ReadOut(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setMinimumWidth(56);
  return label;
}

}  // namespace

TValidateDialog::TValidateDialog(TXMLValidation& validation, QWidget* parent)
    : QDialog(parent), validation_(validation) {
  setWindowTitle("Validate XML Syntax");
  resize(630, 531);
  pages_ = new QTabWidget;

  auto* list = new QWidget;
  auto* listLayout = new QVBoxLayout(list);
  listLayout->addWidget(new QLabel(" Double click on any line to view the error-condition in the Editor"));
  grid_ = new QTableWidget(MinimumRows, 6);
  grid_->setObjectName("XMLGrid");
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(19);
  for (int column = 0; column < 6; ++column) {
    grid_->setHorizontalHeaderItem(column, new QTableWidgetItem(Headers[column]));
    grid_->setColumnWidth(column, Widths[column]);
  }
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { GoToFault(row); });
  listLayout->addWidget(grid_);
  auto* count = new QHBoxLayout;
  count->addWidget(new QLabel(" Errors:"));
  errorCount_ = ReadOut(list, "ErrorCntDis");
  count->addWidget(errorCount_);
  count->addStretch();
  listLayout->addLayout(count);
  pages_->addTab(list, "Error List");

  auto* editorPage = new QWidget;
  auto* editorLayout = new QVBoxLayout(editorPage);
  auto* tools = new QToolBar;
  save_ = tools->addAction("Save", this, [this] { Save(); });
  cut_ = tools->addAction("Cut", this, [this] { editor_->cut(); });
  copy_ = tools->addAction("Copy", this, [this] { editor_->copy(); });
  paste_ = tools->addAction("Paste", this, [this] { editor_->paste(); });
  tools->addAction("Find", this, [this] { OpenFind(); });
  for (QAction* action : tools->actions()) action->setToolTip(action->text());
  editorLayout->addWidget(tools);
  editor_ = new QPlainTextEdit;
  editor_->setObjectName("Editor");
  editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  editorLayout->addWidget(editor_, 1);
  ruler_ = new TColumnRuler(editorPage);
  editorLayout->addWidget(ruler_);
  auto* status = new QHBoxLayout;
  insert_ = ReadOut(editorPage, "Ins");
  status->addWidget(insert_);
  const std::pair<const char*, QLabel**> fields[] = {{" Ln:", &line_}, {" Col:", &column_}, {" At:", &at_}};
  for (auto [caption, field] : fields) {
    status->addWidget(new QLabel(caption));
    *field = ReadOut(editorPage, caption);
    status->addWidget(*field);
  }
  modified_ = ReadOut(editorPage, "Mod");
  status->addWidget(modified_);
  status->addWidget(new QLabel(" Char:"));
  status->addWidget(new QLabel("$41"));
  status->addWidget(new QLabel(" Size:"));
  size_ = ReadOut(editorPage, "Size");
  status->addWidget(size_);
  status->addStretch();
  editorLayout->addLayout(status);
  pages_->addTab(editorPage, "Editor");
  connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, [this] { ShowStatus(); });
  connect(editor_, &QPlainTextEdit::textChanged, this, [this] { ShowStatus(); });
  connect(editor_, &QPlainTextEdit::selectionChanged, this, [this] { ShowStatus(); });
  connect(editor_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { ShowStatus(); });
  connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
    if (page == 1) LoadEditorText();
  });

  auto* open = new QPushButton("Open File");
  connect(open, &QPushButton::clicked, this, [this] {
    const QString file = QFileDialog::getOpenFileName(this, "Open File", ".", "svg, xml files (*.svg *.xml);;Any File (*)");
    if (!file.isEmpty()) ValidateXMLSyntax(file);
  });
  auto* close = new QPushButton("Close");
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  auto* side = new QVBoxLayout;
  side->addWidget(open);
  side->addStretch();
  auto* body = new QHBoxLayout;
  body->addLayout(side);
  body->addWidget(pages_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addWidget(close, 0, Qt::AlignRight);

  validation_.OnValidated([this] { Refresh(); });
  editor_->document()->setModified(false);
  Refresh();
  ShowStatus();
}

int TValidateDialog::ValidateXMLSyntax(const QString& fileName) {
  try {
    const TMappedFile file(ToCore(fileName));
    validation_.Validate(ToCore(fileName), file.Bytes());
  } catch (const std::exception& error) {
    QMessageBox::warning(this, "Validate XML Syntax", FromCore(error.what()));
    return 0;
  }
  LoadEditorText();
  return static_cast<int>(validation_.Errors().size());
}

void TValidateDialog::ShowValidateDlg() {
  pages_->setCurrentIndex(0);
  Refresh();
  exec();
}

void TValidateDialog::Refresh() {
  const TXMLErrorArray& faults = validation_.Errors();
  if (!validation_.FileName().empty())
    setWindowTitle("Validate XML Syntax - " + QFileInfo(FromCore(validation_.FileName())).fileName());
  errorCount_->setText(QString::number(faults.size()));
  grid_->clearContents();
  grid_->setRowCount(std::max<int>(static_cast<int>(faults.size()) + 1, MinimumRows));
  for (std::size_t i = 0; i < faults.size(); ++i) {
    const TXMLErrorInfo& fault = faults[i];
    const QString cells[] = {QString::number(i + 1), Grouped(fault.LineNumber), QString::fromUtf8(fault.Tag.c_str()),
                             FromCore(XMLErrorToStr(fault.ErrorType)), Grouped(fault.BeginInx), Grouped(fault.EndInx)};
    for (int column = 0; column < 6; ++column)
      grid_->setItem(static_cast<int>(i), column, new QTableWidgetItem(cells[column]));
  }
  if (isVisible() && pages_->currentIndex() == 1) LoadEditorText();
}

void TValidateDialog::LoadEditorText() {
  const QString file = FromCore(validation_.FileName());
  if (file.isEmpty() || file == loadedFile_) return;
  loadedFile_ = file;
  QFile in(file);
  if (in.size() > MaxEditorBytes) {
    editor_->setPlainText(QString("(%1 is %2 MB: too large to show here.)").arg(file).arg(in.size() >> 20));
    editor_->document()->setModified(false);
    return;
  }
  if (!in.open(QIODevice::ReadOnly)) return;
  const QByteArray bytes = in.readAll();
  // Exports are Latin-1; an editor may have saved the drawing as UTF-8.
  QStringDecoder decoder(QStringDecoder::Utf8);
  QString text = decoder.decode(bytes);
  utf8_ = !decoder.hasError();
  if (!utf8_) text = QString::fromLatin1(bytes);
  editor_->setPlainText(text);
  editor_->document()->setModified(false);
  ShowStatus();
}

void TValidateDialog::GoToFault(int row) {
  const TXMLErrorArray& faults = validation_.Errors();
  if (row < 0 || row >= static_cast<int>(faults.size())) return;
  pages_->setCurrentIndex(1);
  LoadEditorText();
  QTextCursor cursor(editor_->document()->findBlockByNumber(faults[static_cast<std::size_t>(row)].LineNumber - 1));
  editor_->setTextCursor(cursor);
  editor_->centerCursor();
}

void TValidateDialog::ShowStatus() {
  const QTextCursor cursor = editor_->textCursor();
  insert_->setText(editor_->overwriteMode() ? "Ovr" : "Ins");
  insert_->setStyleSheet(editor_->overwriteMode() ? "background: yellow;" : "");
  line_->setText(Grouped(cursor.blockNumber() + 1));
  column_->setText(Grouped(cursor.positionInBlock()));
  at_->setText(Grouped(cursor.position()));
  size_->setText(Grouped(editor_->document()->characterCount() - 1));
  const bool modified = editor_->document()->isModified();
  modified_->setText(modified ? "Mod" : "");
  save_->setEnabled(modified);
  cut_->setEnabled(cursor.hasSelection());
  copy_->setEnabled(cursor.hasSelection());
  paste_->setEnabled(!QApplication::clipboard()->text().isEmpty());
  ruler_->Set(editor_->fontMetrics().averageCharWidth(), editor_->horizontalScrollBar()->value(), cursor.positionInBlock());
}

void TValidateDialog::Save() {
  QFileDialog dialog(this, "Save", ".", "SVG Files (*.svg);;XML Files (*.xml);;Any FIle (*)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("svg");
  dialog.selectFile("Repair.svg");
  if (dialog.exec() != QDialog::Accepted) return;
  const QString text = editor_->toPlainText();
  const QByteArray bytes = utf8_ ? text.toUtf8() : text.toLatin1();
  try {
    WriteFileSafely(ToCore(dialog.selectedFiles().value(0)),
                    [&](std::ostream& out) { out.write(bytes.constData(), bytes.size()); });
  } catch (const std::exception& error) {
    QMessageBox::warning(this, "Save", FromCore(error.what()));
    return;
  }
  editor_->document()->setModified(false);
  ShowStatus();
}

void TValidateDialog::OpenFind() {
  if (!find_)
    find_ = new TFindDialog(this, true, [this](const TFindDialog::TRequest& request) {
      FindText(request.Text, request.WholeWord, request.MatchCase, request.Down);
    });
  QTextCursor cursor = editor_->textCursor();
  if (!cursor.hasSelection()) cursor.select(QTextCursor::WordUnderCursor);
  find_->Open(cursor.selectedText());
}

bool TValidateDialog::FindText(const QString& text, bool wholeWord, bool matchCase, bool down) {
  QTextDocument::FindFlags flags;
  if (wholeWord) flags |= QTextDocument::FindWholeWords;
  if (matchCase) flags |= QTextDocument::FindCaseSensitively;
  if (!down) flags |= QTextDocument::FindBackward;
  const bool found = !text.isEmpty() && editor_->find(text, flags);
  if (!found) QMessageBox::information(this, "Find", "Search string \"" + text + "\" not found.");
  editor_->viewport()->update();
  return found;
}
