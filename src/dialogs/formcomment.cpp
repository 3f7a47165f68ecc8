#include "dialogs/formcomment.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace {
constexpr int kMargin = 8;
}

TFormcomment::TFormcomment(QWidget* parent)
    : QDialog(parent),
      memo_(new QPlainTextEdit(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
  setObjectName(QStringLiteral("Formcomment"));
  // Named after the library window's button that opens it.
  setWindowTitle(QStringLiteral("Comment"));
  setModal(true);
  memo_->setObjectName(QStringLiteral("Memo"));
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ok_->setObjectName(QStringLiteral("BtnOK"));
  ok_->setDefault(false);
  ok_->setAutoDefault(false);
  cancel_->setObjectName(QStringLiteral("BtnCancel"));
  cancel_->setAutoDefault(false);
  // Any edit of the text, typed or pasted, counts as a change.
  connect(memo_, &QPlainTextEdit::textChanged, this, [this] { changed_ = true; });
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, [this] {
    changed_ = false;
    reject();
  });
  resize(420, 300);
  setMinimumSize(240, 160);
}

void TFormcomment::Load(const QStringList& lines) {
  const QSignalBlocker blocker(memo_);
  memo_->setPlainText(lines.join(u'\n'));
  changed_ = false;
}

QStringList TFormcomment::Lines() const {
  const QString text = memo_->toPlainText();
  if (text.isEmpty()) return {};
  return text.split(u'\n');
}

bool TFormcomment::Edit(QStringList& lines) {
  Load(lines);
  memo_->setFocus();
  if (exec() != QDialog::Accepted) {
    changed_ = false;
    return false;
  }
  lines = Lines();
  return changed_;
}

void TFormcomment::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const QSize button = ok_->sizeHint().expandedTo(cancel_->sizeHint());
  const int buttonTop = height() - kMargin - button.height();
  memo_->setGeometry(kMargin, kMargin, width() - 2 * kMargin, buttonTop - 2 * kMargin);
  const int fifth = width() / 5;
  ok_->setGeometry(fifth, buttonTop, button.width(), button.height());
  cancel_->setGeometry(width() - fifth - button.width(), buttonTop, button.width(),
                       button.height());
}
