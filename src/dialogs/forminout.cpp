#include "dialogs/forminout.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/helpwindow.h"
#include "dialogs/settingsstore.h"
#include "midi/config.h"
#include "midi/midisession.h"

namespace {
constexpr int kMinDeviceNumber = 17;
constexpr int kMaxDeviceNumber = 32;

QListWidget* MakeDeviceList(const QString& name, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setMinimumSize(220, 140);
  return list;
}

void Fill(QListWidget* list, const QStringList& names, int selected) {
  list->clear();
  list->addItems(names);
  if (selected >= 0 && selected < list->count()) {
    list->setCurrentRow(selected);
    list->scrollToItem(list->currentItem());
  }
}

// The selected line, or the index in force when nothing is selected (no devices).
int SelectedRow(const QListWidget* list, int current) {
  const int row = list->currentRow();
  return row >= 0 ? row : current;
}
}  // namespace

TFormInOut::TFormInOut(TSettingsStore& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("FormInOut"));
  SetHelpContext(this, 18);
  AddHelpKey(this);
  setWindowTitle(QStringLiteral("Midi Settings"));

  inputPort_ = MakeDeviceList(QStringLiteral("InputPort"), this);
  outputPort_ = MakeDeviceList(QStringLiteral("OutputPort"), this);
  auto* inputLabel = new QLabel(QStringLiteral("Midi Input"), this);
  inputLabel->setObjectName(QStringLiteral("LabelInput"));
  inputLabel->setBuddy(inputPort_);
  auto* outputLabel = new QLabel(QStringLiteral("Midi Output"), this);
  outputLabel->setObjectName(QStringLiteral("LabelOutput"));
  outputLabel->setBuddy(outputPort_);

  spinDeviceId_ = new QSpinBox(this);
  spinDeviceId_->setObjectName(QStringLiteral("SpinDeviceID"));
  spinDeviceId_->setRange(kMinDeviceNumber, kMaxDeviceNumber);
  spinDeviceId_->setValue(kMinDeviceNumber);
  auto* deviceLabel = new QLabel(QStringLiteral("Device Identifier"), this);
  deviceLabel->setObjectName(QStringLiteral("LabelDeviceID"));
  deviceLabel->setBuddy(spinDeviceId_);

  midiThrue_ = new QCheckBox(QStringLiteral(" Midi Thru"), this);
  midiThrue_->setObjectName(QStringLiteral("MidiThrue"));

  ok_ = new QPushButton(QStringLiteral("Ok"), this);
  ok_->setObjectName(QStringLiteral("OK"));
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("Cancel"));
  connect(ok_, &QPushButton::clicked, this, &TFormInOut::OKClick);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  // The two device lists side by side, the options under them, the buttons bottom right.
  auto* devices = new QGridLayout;
  devices->addWidget(inputLabel, 0, 0);
  devices->addWidget(outputLabel, 0, 1);
  devices->addWidget(inputPort_, 1, 0);
  devices->addWidget(outputPort_, 1, 1);

  auto* options = new QHBoxLayout;
  options->addWidget(deviceLabel);
  options->addWidget(spinDeviceId_);
  options->addSpacing(24);
  options->addWidget(midiThrue_);
  options->addStretch(1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(devices, 1);
  layout->addLayout(options);
  layout->addSpacing(8);
  layout->addLayout(buttons);
}

void TFormInOut::showEvent(QShowEvent* event) {
  LoadSettings();
  QDialog::showEvent(event);
}

void TFormInOut::LoadSettings() {
  const TConfig& config = Config();
  const TMidiSession& session = MidiSession();
  Fill(inputPort_, session.InputList(), config.MidiIn);
  Fill(outputPort_, session.OutputList(), config.MidiOut);
  // The spin box keeps the number within its range: a configured 16 shows as 17.
  spinDeviceId_->setValue(config.DeviceID);
  midiThrue_->setChecked(config.Thrue == 1);
  inputPort_->setFocus();
}

void TFormInOut::OKClick() {
  TMidiSession& session = MidiSession();
  // Ports that failed to open earlier are tried again with the new choice, so that picking
  // working devices takes effect now rather than at the next start.
  const bool reopen = session.Created();
  if (reopen) {
    session.SetMidiOpen(true);
    session.CloseDevs();
  }

  TConfig& config = Config();
  config.MidiIn = SelectedRow(inputPort_, config.MidiIn);
  config.MidiOut = SelectedRow(outputPort_, config.MidiOut);
  config.DeviceID = spinDeviceId_->value();
  config.Thrue = midiThrue_->isChecked() ? 1 : 0;

  if (reopen) session.OpenDevs();  // clears the flag again, with its message, when it fails
  accept();
  settings_.WriteConfig();
}
