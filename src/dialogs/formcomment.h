#pragma once
// The comment editor of a library: its comment lines in a text area, OK or Cancel.
#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

class TFormcomment : public QDialog {
  Q_OBJECT
 public:
  explicit TFormcomment(QWidget* parent = nullptr);

  // Shows a copy of the lines, modally. OK puts the text area's lines into them. True when the
  // user changed the text and pressed OK.
  bool Edit(QStringList& lines);

  // The steps of Edit, for callers that show the dialog themselves.
  void Load(const QStringList& lines);
  QStringList Lines() const;
  bool Changed() const { return changed_; }

  QPlainTextEdit* Memo() const { return memo_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPlainTextEdit* memo_;
  QPushButton* ok_;
  QPushButton* cancel_;
  bool changed_ = false;
};
