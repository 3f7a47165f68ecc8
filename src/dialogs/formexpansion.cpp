#include "dialogs/formexpansion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/helpwindow.h"
#include "dialogs/settingsstore.h"
#include "midi/config.h"

std::function<void()>& DataCardChangedHook() {
  static std::function<void()> hook;
  return hook;
}

const QStringList& TFormExpansion::BoardNames() {
  static const QStringList names = {
      QStringLiteral("( None )"), QStringLiteral("Pop"),         QStringLiteral("Orchestral"),
      QStringLiteral("Piano"),    QStringLiteral("Vintage"),     QStringLiteral("World"),
      QStringLiteral("Dance"),    QStringLiteral("Ambience"),    QStringLiteral("Key S60S70S"),
      QStringLiteral("Session"),  QStringLiteral("Bass & Drum"), QStringLiteral("Techno"),
  };
  return names;
}

const QStringList& TFormExpansion::CardNames() {
  static const QStringList names = {
      QStringLiteral("( None )"),
      QStringLiteral("Piano Selection"),
      QStringLiteral("Guitar & Brass"),
      QStringLiteral("Rock Drums"),
      QStringLiteral("Gand Piano"),
      QStringLiteral("Accordition"),
      QStringLiteral("Baroque"),
      QStringLiteral("Orchestral FX"),
      QStringLiteral("Country, Blue Grass, Folk"),
  };
  return names;
}

TFormExpansion::TFormExpansion(TSettingsStore& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      pcmCard_(new QComboBox(this)),
      dataCard_(new QCheckBox(QStringLiteral(" Data Card Installed"), this)),
      ok_(new QPushButton(QStringLiteral("Ok"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
  setObjectName(QStringLiteral("FormExpansion"));
  SetHelpContext(this, kHelpContext);
  AddHelpKey(this);
  setWindowTitle(QStringLiteral("Expansion Setup"));
  setModal(true);
  auto* form = new QFormLayout;
  for (int slot = 0; slot < 4; ++slot) {
    const QString caption = QStringLiteral("Expansion %1").arg(QChar(u'A' + slot));
    expansion_[slot] = new QComboBox(this);
    expansion_[slot]->setObjectName(QStringLiteral("Expansion%1").arg(QChar(u'A' + slot)));
    expansion_[slot]->addItems(BoardNames());
    form->addRow(new QLabel(caption, this), expansion_[slot]);
  }
  pcmCard_->setObjectName(QStringLiteral("PCMCard"));
  pcmCard_->addItems(CardNames());
  form->addRow(new QLabel(QStringLiteral("PCM Card"), this), pcmCard_);
  dataCard_->setObjectName(QStringLiteral("DataCard"));
  ok_->setObjectName(QStringLiteral("BtnOk"));
  cancel_->setObjectName(QStringLiteral("BtnCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(dataCard_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(ok_, &QPushButton::clicked, this, &TFormExpansion::OkClick);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormExpansion::showEvent(QShowEvent* event) {
  Load();
  QDialog::showEvent(event);
}

void TFormExpansion::Load() {
  const TConfig& config = Config();
  // An index the lists do not know (a hand-edited settings file) shows as no board.
  auto take = [](QComboBox* box, int index) {
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : 0);
  };
  for (int slot = 0; slot < 4; ++slot) take(expansion_[slot], config.Expansion[slot]);
  take(pcmCard_, config.PCMCard);
  dataCard_->setChecked(config.DataCard);
}

void TFormExpansion::OkClick() {
  TConfig& config = Config();
  for (int slot = 0; slot < 4; ++slot) config.Expansion[slot] = expansion_[slot]->currentIndex();
  config.PCMCard = pcmCard_->currentIndex();
  const bool changed = config.DataCard != dataCard_->isChecked();
  config.DataCard = dataCard_->isChecked();
  if (changed && DataCardChangedHook()) DataCardChangedHook()();
  settings_.WriteConfig();
  accept();
}
