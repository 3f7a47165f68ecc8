#include "dialogs/formintro.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "controls/fountainfill.h"

namespace {
QLabel* MakeText(const QString& name, const QString& text, qreal scale, bool bold,
                 QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  QFont font = label->font();
  font.setPointSizeF(font.pointSizeF() * scale);
  font.setBold(bold);
  label->setFont(font);
  label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
  return label;
}
}  // namespace

TFormintro::TFormintro(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      fill_(new TFountainFill(this)),
      timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("Formintro"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kWidth, kHeight);
  fill_->setObjectName(QStringLiteral("FountainFill"));
  fill_->SetStyle(TFountainStyle::fsCircular);
  fill_->SetFromColor(QColor(0x10, 0x10, 0x40));
  fill_->SetToColor(Qt::red);
  fill_->SetSteps(64);
  fill_->setGeometry(rect());

  auto* layout = new QVBoxLayout(fill_);
  layout->addStretch(2);
  layout->addWidget(
      MakeText(QStringLiteral("LabelName"), QStringLiteral("Vesta"), 3.2, true, fill_));
  layout->addWidget(
      MakeText(QStringLiteral("LabelVersion"), QStringLiteral("Version 2.1"), 1.2, false, fill_));
  layout->addStretch(3);

  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  timer_->setSingleShot(true);
  connect(timer_, &QTimer::timeout, this, [this] {
    timer_->stop();
    // Out of the way first: it stays on top, and the start may ask questions (a MIDI port that
    // cannot be opened) in boxes it would cover.
    hide();
    Q_EMIT Finished();
    close();
  });
}

void TFormintro::StartTimer(int ms) {
  timer_->start(ms);
}
