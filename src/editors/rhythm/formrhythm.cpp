#include "editors/rhythm/formrhythm.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/textrule.h"
#include "editors/common/partkind.h"
#include "editors/rhythm/rhythmnotewindows.h"
#include "model/patch.h"

TFormRhythm::TFormRhythm(TRhythm& rhythm, QWidget* parent)
    : TSectionHub(rhythm, {QStringLiteral("FormRhythm"), kHelpContext, QSize(434, 194), {20, 20}},
                  RhythmSections(), parent),
      rhythm_(rhythm),
      name_(new QLineEdit) {
  auto* nameRow = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("Rhythm Name"));
  label->setStyleSheet(QStringLiteral("color: black"));
  nameRow->addWidget(label);
  name_->setObjectName(QStringLiteral("RhythmName"));
  name_->setMaxLength(12);
  name_->setValidator(new TTextRule(AsciiName, name_));
  name_->setFixedWidth(130);
  name_->installEventFilter(this);
  nameRow->addWidget(name_);
  nameRow->addStretch(1);
  Body()->addLayout(nameRow);
  AddSections(QStringLiteral("PanelRhythm"),
              {{"RhyMain", "Main"}, {"RhyPitch", "Pitch"}, {"RhyTVF", "TVF"}, {"RhyTVA", "TVA"}});
}

void TFormRhythm::ShowView() {
  if (name_->text() != rhythm_.GetName()) name_->setText(rhythm_.GetName());
}

void TFormRhythm::OpenSection(int kind) {
  switch (kind) {
    case pkRhyMain:
      TPageWindow::OpenPage<TFormRhyMain>(rhythm_.Pages[TRhythm::pgMain], rhythm_);
      break;
    case pkRhyPitch:
      TPageWindow::OpenPage<TFormRhyPitch>(rhythm_.Pages[TRhythm::pgPitch], rhythm_);
      break;
    case pkRhyTVF:
      TPageWindow::OpenPage<TFormRhyTVF>(rhythm_.Pages[TRhythm::pgTVF], rhythm_);
      break;
    case pkRhyTVA:
      TPageWindow::OpenPage<TFormrhyTva>(rhythm_.Pages[TRhythm::pgTVA], rhythm_);
      break;
    default:
      break;
  }
}

bool TFormRhythm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == name_ && event->type() == QEvent::KeyRelease) StoreName();
  return TSectionHub::eventFilter(watched, event);
}

void TFormRhythm::StoreName() {
  // The name has no undo: every key release that changed it stores and sends it as typed so far
  // (Tab into the box or an arrow key neither sends nor marks the rhythm set modified).
  if (NameBytes(name_->text()) == NameBytes(rhythm_.GetName())) return;
  rhythm_.Modified();
  rhythm_.SetName(name_->text(), true);
  setWindowTitle(Caption());
}

void RegisterRhythmEditor() {
  Views().SetFactory(ekRhythm, [](TLibElem& element) -> QObject* {
    auto* rhythm = dynamic_cast<TRhythm*>(&element);
    return rhythm ? THubWindow::Open<TFormRhythm>(*rhythm) : nullptr;
  });
}
