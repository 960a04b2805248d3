#pragma once
// The find dialog of a window: the text, the direction (down at first)
// and, where the search has them, whole word and case. It stays open
// beside its window; "Find Next" asks the window for the next match.

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QRadioButton;

class TFindDialog : public QDialog {
public:
  struct TRequest {
    QString Text;
    bool Down = true, WholeWord = false, MatchCase = false;
  };

  TFindDialog(QWidget* parent, bool textOptions, std::function<void(const TRequest&)> findNext);
  // Shown and raised, the text given (when not empty) filled in.
  void Open(const QString& text = {});

private:
  QLineEdit* text_;
  QCheckBox *wholeWord_ = nullptr, *matchCase_ = nullptr;
  QRadioButton* down_;
};
