#include "editors/patch/formwave.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <QCheckBox>

#include "editors/common/parambinding.h"
#include "editors/params/params.h"
#include "editors/patch/formpatch.h"
#include "editors/params/wavegroup.h"

std::function<int(int listCode, int current)>& WaveNamePickerHook() {
  static std::function<int(int, int)> hook;
  return hook;
}

namespace {
constexpr int kToneSwitch = 0;
QStringList ListOf(int code) { return NameListOf(code); }
}  // namespace

TFormWave::TFormWave(TPatch& patch, int tone)
    : TTonePage(patch, tone, TTone::pgWave, QStringLiteral("FormWave"), QStringLiteral("Wave"), 34,
                {10, 10}) {
  QBoxLayout* line = BuildRows(ToneRows(), TTone::pgWave, 0, 1);
  // The wave itself, beside the rows: its group and its name with the picker.
  auto* grid = new QGridLayout;
  grid->setAlignment(Qt::AlignTop);
  line->addLayout(grid);
  const int row = 0;
  group_ = new QComboBox(TabPage(0));
  group_->setObjectName(QStringLiteral("WaveGroup"));
  for (const char* item : kWaveGroups) group_->addItem(QString::fromLatin1(item));
  name_ = new QLineEdit(TabPage(0));
  name_->setObjectName(QStringLiteral("WaveName"));
  name_->setReadOnly(true);
  pick_ = new QPushButton(QStringLiteral("B"), TabPage(0));
  pick_->setObjectName(QStringLiteral("BtnWaveName"));
  pick_->setFixedWidth(24);
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(name_);
  nameRow->addWidget(pick_);
  grid->addWidget(new QLabel(QStringLiteral("Wave Group"), TabPage(0)), row, 0);
  grid->addWidget(group_, row, 1);
  grid->addWidget(new QLabel(QStringLiteral("Wave Name"), TabPage(0)), row + 1, 0);
  grid->addLayout(nameRow, row + 1, 1);
  // Only the user's choices store: filling the list from the bytes must not.
  connect(group_, &QComboBox::activated, this, &TFormWave::GroupChosen);
  connect(pick_, &QPushButton::clicked, this, &TFormWave::PickWave);
  // After the binding has stored it: the patch window's tone check box shows it at once.
  if (auto* toneSwitch = qobject_cast<QCheckBox*>(Control(kToneSwitch)))
    connect(toneSwitch, &QCheckBox::clicked, this, &TFormWave::ShowToneSwitchInPatchWindow);
  Finish();
}

void TFormWave::ShowToneSwitchInPatchWindow() {
  if (auto* window = qobject_cast<TFormPatch*>(Patch().Editor)) window->UpdateView();
}

void TFormWave::ShowExtra() {
  // Undo, Redo and Revert may have changed the tone switch too.
  ShowToneSwitchInPatchWindow();
  const int index = WaveGroupIndex(Data()[1], Data()[2]);
  // Bytes no entry stands for leave the list as it was.
  if (index >= 0) {
    group_->setCurrentIndex(index);
    previousGroup_ = index;
  }
  ShowName();
}

void TFormWave::ShowName() {
  const QStringList names = ListOf(WaveListCode(group_->currentIndex()));
  const int wave = Data()[3] * 16 + Data()[4];
  name_->setText(wave < names.size() ? names[wave] : QString());
}

void TFormWave::GroupChosen(int index) {
  std::uint8_t bytes[2];
  if (!WaveGroupBytes(index, bytes[0], bytes[1])) {
    group_->setCurrentIndex(previousGroup_);
    return;
  }
  SendAndStoreArray(1, bytes, 2);
  previousGroup_ = index;
  ShowName();
}

void TFormWave::WaveChosen(int wave) {
  if (wave < 0 || wave > 255) return;
  std::uint8_t bytes[4] = {0, 0, static_cast<std::uint8_t>(wave / 16),
                           static_cast<std::uint8_t>(wave % 16)};
  ShownWaveGroupBytes(group_->currentIndex(), Data()[1], Data()[2], bytes[0], bytes[1]);
  SendAndStoreArray(1, bytes, 4);
  ShowName();
}

void TFormWave::PickWave() {
  if (!WaveNamePickerHook()) return;
  const int code = WaveListCode(group_->currentIndex());
  if (!code) return;
  const int current = Data()[3] * 16 + Data()[4];
  const int chosen = WaveNamePickerHook()(code, current);
  if (chosen >= 0 && chosen != current) WaveChosen(chosen);
}
