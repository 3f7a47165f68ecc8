#include "controls/typedentry.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>

TTypedEntry::TTypedEntry(QWidget* control, QLineEdit* edit, THooks hooks, bool hideWhenIdle)
    : QObject(control), control_(control), edit_(edit), hooks_(std::move(hooks)),
      hideWhenIdle_(hideWhenIdle) {
  edit_->installEventFilter(this);
  edit_->setReadOnly(true);
  if (hideWhenIdle_) edit_->hide();
}

namespace {
bool StartsTyping(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = key.text();
  return text.size() == 1 && text[0].isPrint() && !text[0].isSpace();
}
}  // namespace

bool TTypedEntry::Handle(QEvent* event) {
  if (typing_) return false;
  if (event->type() == QEvent::MouseButtonDblClick) {
    Start();
    return true;
  }
  if (event->type() == QEvent::KeyPress && StartsTyping(*static_cast<QKeyEvent*>(event))) {
    Start(static_cast<QKeyEvent*>(event)->text());
    return true;
  }
  return false;
}

void TTypedEntry::Start(const QString& typed) {
  if (typing_) return;
  typing_ = true;
  refusal_.clear();
  edit_->setReadOnly(false);
  if (hideWhenIdle_) {
    edit_->setGeometry(control_->rect());
    edit_->show();
  }
  edit_->setFocus(Qt::OtherFocusReason);
  if (typed.isEmpty()) {
    edit_->setText(hooks_.Shown().trimmed());
    edit_->selectAll();
  } else {
    edit_->setText(typed);
    edit_->end(false);
  }
}

void TTypedEntry::Stop() {
  typing_ = false;
  edit_->setReadOnly(true);
  edit_->setToolTip(QString());
  QToolTip::hideText();
  if (hideWhenIdle_) {
    // The control takes the focus back before its editor goes, so no other control gets it.
    if (edit_->hasFocus()) control_->setFocus(Qt::OtherFocusReason);
    edit_->hide();
  }
}

void TTypedEntry::Cancel() {
  if (!typing_) return;
  refusal_.clear();
  Stop();
  edit_->setText(hooks_.Shown());
  edit_->setCursorPosition(0);
}

void TTypedEntry::Enter() {
  const QString text = edit_->text();
  if (hooks_.Take(text)) {
    refusal_.clear();
    Stop();
    edit_->setText(hooks_.Shown());
    edit_->setCursorPosition(0);
    return;
  }
  // Refused: the text stays for correction and the field says what it takes.
  refusal_ = tr("\"%1\" is not a value here; it takes %2").arg(text.trimmed(), hooks_.Values());
  edit_->selectAll();
  edit_->setToolTip(refusal_);
  QToolTip::showText(edit_->mapToGlobal(QPoint(0, edit_->height())), refusal_, edit_);
}

bool TTypedEntry::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_) return QObject::eventFilter(watched, event);
  if (!typing_) return false;
  // A control closed while typing: the line edit loses the focus from QWidget's destructor, when
  // its own line-edit part is gone (the cast fails then), and must not be touched any more.
  if (!qobject_cast<QLineEdit*>(watched)) return false;
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        Enter();
        return true;
      }
      if (key->key() == Qt::Key_Escape) {
        Cancel();
        return true;
      }
      // Up and Down step the shown value, as they do when not typing.
      if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) Cancel();
      return false;
    }
    case QEvent::ShortcutOverride: {
      // Enter and Escape belong to the field while typing, not to a window's default button.
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
          key->key() == Qt::Key_Escape) {
        event->accept();
        return true;
      }
      return false;
    }
    case QEvent::FocusOut:
      Cancel();
      return false;
    case QEvent::MouseButtonDblClick:
      // Inside the typed text a double-click selects, as in any line edit.
      return false;
    default:
      return false;
  }
}
