#include "editors/rhythm/rhythmnotewindows.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/filterpicture.h"
#include "controls/pangraph.h"
#include "editors/common/parambinding.h"
#include "editors/params/params.h"
#include "editors/params/wavegroup.h"
#include "editors/performance/namepicker.h"

namespace {
constexpr int kGroupOffset = 1;
constexpr int kWaveOffset = 3;
constexpr int kFilterType = 26;
}  // namespace

TFormRhyMain::TFormRhyMain(TRhythm& rhythm, QWidget* parent)
    : TRhythmNoteWindow(rhythm, TRhythm::pgMain, QStringLiteral("FormRhyMain"),
                        QStringLiteral("Main"), TClipboard::nsMain, parent),
      group_(new QComboBox(TabPage(0))),
      waveName_(new QLineEdit(TabPage(0))),
      browse_(new QToolButton(TabPage(0))) {
  auto* waveRow = new QHBoxLayout;
  waveRow->addWidget(new QLabel(QStringLiteral("Wave Group"), TabPage(0)));
  group_->setObjectName(QStringLiteral("WaveGroup"));
  for (const char* item : kWaveGroups) group_->addItem(QString::fromLatin1(item));
  waveRow->addWidget(group_);
  waveName_->setObjectName(QStringLiteral("WaveName"));
  waveName_->setReadOnly(true);
  waveRow->addWidget(waveName_);
  browse_->setObjectName(QStringLiteral("BtnBrowse"));
  browse_->setText(QStringLiteral("B"));
  waveRow->addWidget(browse_);
  Body()->addLayout(waveRow);
  auto* columns = new QHBoxLayout;
  columns->addWidget(RowColumn({0, 5, 6, 7, 9, 10}));
  columns->addWidget(RowColumn({8, 11, 54, 55, 56, 57}));
  Body()->addLayout(columns);
  connect(group_, &QComboBox::activated, this, &TFormRhyMain::GroupChosen);
  connect(waveName_, &QLineEdit::textChanged, this, &TFormRhyMain::WaveNameChanged);
  connect(browse_, &QToolButton::clicked, this, &TFormRhyMain::BrowseClick);
  Finish();
}

void TFormRhyMain::ShowNoteExtra(const std::uint8_t* note) {
  const int index = WaveGroupIndex(note[kGroupOffset], note[kGroupOffset + 1]);
  if (index >= 0) group_->setCurrentIndex(index);
  previousGroup_ = group_->currentIndex();
  wave_ = note[kWaveOffset] * 16 + note[kWaveOffset + 1];
  waveName_->setText(WaveNameText(note));
}

void TFormRhyMain::GroupChosen(int index) {
  std::uint8_t bytes[2];
  if (!WaveGroupBytes(index, bytes[0], bytes[1])) {
    // No board or card for that entry: the previous group comes back and nothing is sent.
    group_->setCurrentIndex(previousGroup_);
    return;
  }
  SendAndStoreArray(kGroupOffset, bytes, 2);
  previousGroup_ = index;
  waveName_->setText(WaveNameText(Block().Data()));
}

void TFormRhyMain::WaveNameChanged() {
  if (!Updating) StoreGroupAndWave();
}

void TFormRhyMain::StoreGroupAndWave() {
  std::uint8_t bytes[4] = {0, 0, static_cast<std::uint8_t>(wave_ / 16),
                           static_cast<std::uint8_t>(wave_ % 16)};
  ShownWaveGroupBytes(group_->currentIndex(), Block().GetByte(kGroupOffset),
                      Block().GetByte(kGroupOffset + 1), bytes[0], bytes[1]);
  SendAndStoreArray(kGroupOffset, bytes, 4);
}

void TFormRhyMain::BrowseClick() {
  int index = wave_;
  const int list = WaveListCode(group_->currentIndex());
  if (!PickName(list, index, this)) return;
  wave_ = index;
  const QStringList names = WaveNameListHook() ? WaveNameListHook()(list) : QStringList();
  const QString name = wave_ < names.size() ? names[wave_] : QString();
  if (waveName_->text() != name)
    waveName_->setText(name);
  else
    StoreGroupAndWave();
}

TFormRhyPitch::TFormRhyPitch(TRhythm& rhythm, QWidget* parent)
    : TRhythmNoteWindow(rhythm, TRhythm::pgPitch, QStringLiteral("FormRhyPitch"),
                        QStringLiteral("Pitch"), TClipboard::nsPitch, parent) {
  auto* columns = new QHBoxLayout;
  columns->addWidget(RowColumn({12, 13, 14, 15, 16, 17}));
  columns->addWidget(AddGraph(FirstHalf, 18, 22, 4));
  Body()->addLayout(columns);
  Finish();
}

TFormRhyTVF::TFormRhyTVF(TRhythm& rhythm, QWidget* parent)
    : TRhythmNoteWindow(rhythm, TRhythm::pgTVF, QStringLiteral("FormRhyTVF"), QStringLiteral("TVF"),
                        TClipboard::nsFilter, parent) {
  auto* columns = new QHBoxLayout;
  columns->addWidget(RowColumn({kFilterType, 27, 28, 29, 30, 31, 32}));
  columns->addWidget(AddGraph(Normal, 33, 37, 4));
  Body()->addLayout(columns);
  // The filter picture of the tone filter page, stepped by the row's arrows.
  TParamBinding* type = Binding(kFilterType);
  type->SetPainter(
      [](QPainter& painter, QSize, int value) { TFilterPicture::Draw(painter, value); });
  // The picture at its own size, the label as wide as the picture.
  if (auto* picture = type->Widget()->findChild<QWidget*>(QStringLiteral("Picture")))
    picture->setFixedSize(TFilterPicture::kWidth, TFilterPicture::kHeight);
  if (auto* item = type->Widget()->findChild<QLabel*>(QStringLiteral("Item")))
    item->setMinimumWidth(TFilterPicture::kWidth);
  Finish();
}

int TFormRhyTVF::FilterType() const {
  return Block().GetByte(kFilterType);
}

QLabel* TFormRhyTVF::TypeLabel() const {
  return Binding(kFilterType)->Widget()->findChild<QLabel*>(QStringLiteral("Item"));
}

void TFormRhyTVF::Precedente() {
  Binding(kFilterType)->StepPicture(-1);
}

void TFormRhyTVF::Successivo() {
  Binding(kFilterType)->StepPicture(+1);
}

TFormrhyTva::TFormrhyTva(TRhythm& rhythm, QWidget* parent)
    : TRhythmNoteWindow(rhythm, TRhythm::pgTVA, QStringLiteral("FormrhyTva"), QStringLiteral("TVA"),
                        TClipboard::nsAmplifier, parent) {
  auto* columns = new QHBoxLayout;
  columns->addWidget(RowColumn({41, 42, 43, 51, 52, 53}));
  columns->addWidget(AddGraph(LastLocked, 44, 48, 3));
  Body()->addLayout(columns);
  Finish();
}
