#include "editors/system/systemwindows.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "editors/common/parambinding.h"
#include "editors/params/clipboard.h"
#include "editors/params/params.h"
#include "editors/params/patchgroup.h"
#include "editors/params/wavegroup.h"
#include "editors/performance/namepicker.h"
#include "midi/midisession.h"
#include "midi/pacedsender.h"
#include "midi/sysex.h"
#include "midi/timing.h"

namespace {
constexpr int kPanelMode = 0;
constexpr int kPerformance = 1;
constexpr int kPatchGroup = 2;
constexpr int kPatchNumber = 4;
enum TMode { kModePerformance, kModePatch, kModeGM };

QString ListName(int list, int index) {
  const QStringList names = list && WaveNameListHook() ? WaveNameListHook()(list) : QStringList();
  return index >= 0 && index < names.size() ? names[index] : QString();
}
}  // namespace

void SendGmSystemOff() {
  static const std::uint8_t kGmSystemOff[] = {0xF0, 0x7E, 0x7F, 0x09, 0x02, 0xF7};
  // A system-exclusive message like any other, paced; it belongs before the data set that
  // follows it, also when that one takes the place of a waiting one.
  Sender().SendSysex(kGmSystemOff, sizeof kGmSystemOff, true);
}

TSystemSectionWindow::TSystemSectionWindow(TSystem& system, TSystem::TPage page,
                                           const QString& name, const QString& section,
                                           QWidget* parent)
    : TPageWindow(system, system.Common, system.Pages[page],
                  {name, QStringLiteral(" [") + section + QStringLiteral("]"), 45, {}, {60, 60}},
                  parent),
      system_(system) {}

void TSystemSectionWindow::WillWrite(int offset, int count) {
  if (offset <= kPanelMode && kPanelMode < offset + count) SendGmSystemOff();
}

QWidget* TSystemSectionWindow::RowColumn(std::initializer_list<int> offsets) {
  return TPageWindow::RowColumn(SystemCommonRows(), offsets);
}

TFormSysSetup::TFormSysSetup(TSystem& system, QWidget* parent)
    : TSystemSectionWindow(system, TSystem::pgSetup, QStringLiteral("FormSysSetup"),
                           QStringLiteral("Setup"), parent),
      performanceGroup_(new QComboBox(TabPage(0))),
      performanceName_(new QLineEdit(TabPage(0))),
      performanceBrowse_(new QToolButton(TabPage(0))),
      patchGroup_(new QComboBox(TabPage(0))),
      patchName_(new QLineEdit(TabPage(0))),
      patchBrowse_(new QToolButton(TabPage(0))) {
  QWidget* host = TabPage(0);
  auto* layout = new QVBoxLayout(host);
  layout->addWidget(RowColumn({kPanelMode}));
  auto* choices = new QGridLayout;
  const auto row = [&](int at, const char* group, QComboBox* combo, const char* name,
                       QLineEdit* box, QToolButton* browse) {
    choices->addWidget(new QLabel(QString::fromLatin1(group), host), at, 0);
    combo->setObjectName(QString::fromLatin1(group).remove(u' '));
    choices->addWidget(combo, at, 1);
    choices->addWidget(new QLabel(QString::fromLatin1(name), host), at, 2);
    box->setObjectName(QString::fromLatin1(name).remove(u' '));
    box->setReadOnly(true);
    choices->addWidget(box, at, 3);
    browse->setText(QStringLiteral("B"));
    choices->addWidget(browse, at, 4);
  };
  row(0, "Performance Group", performanceGroup_, "Performance Name", performanceName_,
      performanceBrowse_);
  row(1, "Patch Group", patchGroup_, "Patch Name", patchName_, patchBrowse_);
  performanceBrowse_->setObjectName(QStringLiteral("BtnPerformanceBrowse"));
  patchBrowse_->setObjectName(QStringLiteral("BtnPatchBrowse"));
  for (const char* item : kPerformanceGroups) performanceGroup_->addItem(QString::fromLatin1(item));
  for (const char* item : kPatchGroups) patchGroup_->addItem(QString::fromLatin1(item));
  layout->addLayout(choices);
  auto* columns = new QHBoxLayout;
  columns->addWidget(RowColumn({6, 7, 8}));
  columns->addWidget(RowColumn({9, 10, 11}));
  layout->addLayout(columns);
  Finish();

  // After the mode is stored: the choices of the other modes are disabled.
  connect(Control(kPanelMode)->findChild<QButtonGroup*>(), &QButtonGroup::idClicked, this,
          [this] { EnableByMode(System().Common.GetByte(kPanelMode)); });
  connect(performanceGroup_, &QComboBox::activated, this, [this] {
    StorePerformance();
    // The name of the same number in the newly chosen group, at once.
    performanceName_->setText(
        ListName(PerformanceListCode(performanceGroup_->currentIndex()), performance_));
  });
  connect(performanceName_, &QLineEdit::textChanged, this, [this] {
    if (!Updating) StorePerformance();
  });
  connect(performanceBrowse_, &QToolButton::clicked, this, &TFormSysSetup::PerformanceBrowseClick);
  connect(patchGroup_, &QComboBox::activated, this, &TFormSysSetup::PatchGroupChosen);
  connect(patchName_, &QLineEdit::textChanged, this, [this] {
    if (!Updating) StorePatch();
  });
  connect(patchBrowse_, &QToolButton::clicked, this, &TFormSysSetup::PatchBrowseClick);
}

void TFormSysSetup::ShowExtra() {
  const std::uint8_t* common = System().Common.Data();
  performanceGroup_->setCurrentIndex(common[kPerformance] / kPerformancesPerGroup);
  performance_ = common[kPerformance] % kPerformancesPerGroup;
  performanceName_->setText(
      ListName(PerformanceListCode(performanceGroup_->currentIndex()), performance_));
  const int group = PatchGroupIndex(common[kPatchGroup], common[kPatchGroup + 1]);
  DropUnlistedGroup(patchGroup_);
  if (group == kUnslottedBoard)
    ShowUnlistedGroup(patchGroup_, UnslottedBoardText(common[kPatchGroup + 1]));
  else if (group >= 0)
    patchGroup_->setCurrentIndex(group);
  previousGroup_ = patchGroup_->currentIndex();
  patch_ = common[kPatchNumber] * 16 + common[kPatchNumber + 1];
  // A board no slot holds has no name list: its patch shows by number.
  patchName_->setText(ShowsUnlistedGroup(patchGroup_)
                          ? PatchNumberText(patch_)
                          : ListName(PatchListCode(patchGroup_->currentIndex()), patch_));
  EnableByMode(common[kPanelMode]);
}

void TFormSysSetup::EnableByMode(int mode) {
  for (QWidget* w :
       {static_cast<QWidget*>(performanceGroup_), static_cast<QWidget*>(performanceName_),
        static_cast<QWidget*>(performanceBrowse_)})
    w->setEnabled(mode == kModePerformance);
  for (QWidget* w : {static_cast<QWidget*>(patchGroup_), static_cast<QWidget*>(patchName_),
                     static_cast<QWidget*>(patchBrowse_)})
    w->setEnabled(mode == kModePatch);
}

void TFormSysSetup::StorePerformance() {
  SendandStore(kPerformance,
               static_cast<std::uint8_t>(performanceGroup_->currentIndex() * kPerformancesPerGroup +
                                         performance_));
}

void TFormSysSetup::PerformanceBrowseClick() {
  int index = performance_;
  const int list = PerformanceListCode(performanceGroup_->currentIndex());
  if (!PickName(list, index, this)) return;
  performance_ = index;
  const QString name = ListName(list, performance_);
  if (performanceName_->text() != name)
    performanceName_->setText(name);
  else
    StorePerformance();
}

void TFormSysSetup::PatchGroupChosen(int index) {
  std::uint8_t bytes[2];
  if (ShowsUnlistedGroup(patchGroup_) && index == patchGroup_->currentIndex()) return;
  if (!PatchGroupBytes(index, bytes[0], bytes[1])) {
    patchGroup_->setCurrentIndex(previousGroup_);
    return;
  }
  SendAndStoreArray(kPatchGroup, bytes, 2);
  DropUnlistedGroup(patchGroup_);
  previousGroup_ = index;
  patchName_->setText(ListName(PatchListCode(index), patch_));
}

void TFormSysSetup::StorePatch() {
  const std::uint8_t bytes[4] = {
      System().Common.GetByte(kPatchGroup), System().Common.GetByte(kPatchGroup + 1),
      static_cast<std::uint8_t>(patch_ / 16), static_cast<std::uint8_t>(patch_ % 16)};
  SendAndStoreArray(kPatchGroup, bytes, 4);
}

void TFormSysSetup::PatchBrowseClick() {
  int index = patch_;
  const int list = PatchListCode(patchGroup_->currentIndex());
  if (!PickName(list, index, this)) return;
  patch_ = index;
  const QString name = ListName(list, patch_);
  if (patchName_->text() != name)
    patchName_->setText(name);
  else
    StorePatch();
}

TFormSysMidi::TFormSysMidi(TSystem& system, QWidget* parent)
    : TSystemSectionWindow(system, TSystem::pgMidi, QStringLiteral("FormSysMidi"),
                           QStringLiteral("Midi"), parent) {
  auto* columns = new QHBoxLayout(TabPage(0));
  columns->addWidget(RowColumn({12, 16, 30, 13, 14, 15, 17, 18, 19}));
  columns->addWidget(RowColumn({20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
  Finish();
}

TFormSysPreview::TFormSysPreview(TSystem& system, QWidget* parent)
    : TSystemSectionWindow(system, TSystem::pgPreview, QStringLiteral("FormSysPreview"),
                           QStringLiteral("Preview"), parent) {
  auto* layout = new QVBoxLayout(TabPage(0));
  layout->addWidget(RowColumn({31, 32, 33, 34, 35, 36, 37, 38, 39}));
  Finish();
}

TFormScaleTune::TFormScaleTune(TSystem& system, QWidget* parent)
    : TPageWindow(
          system,
          [&system](int slot) -> TBlock& {
            return system.ScaleTunes[static_cast<std::size_t>(slot)];
          },
          system.Pages[TSystem::pgScaleTune],
          {QStringLiteral("FormScaleTune"),
           QStringLiteral(" [Scale Tune]"),
           45,
           {},
           {60, 60},
           kBlocks},
          parent),
      system_(system),
      blocks_(new QButtonGroup(this)),
      copy_(new QPushButton(QStringLiteral("Copy"), TabPage(0))),
      paste_(new QPushButton(QStringLiteral("Paste"), TabPage(0))),
      revertAll_(new QPushButton(QStringLiteral("&Revert All"), TabPage(0))) {
  QWidget* host = TabPage(0);
  auto* layout = new QVBoxLayout(host);
  auto* selected = new QGroupBox(QStringLiteral("Selected Part"), host);
  auto* buttons = new QHBoxLayout(selected);
  buttons->setSpacing(1);
  blocks_->setExclusive(true);
  for (int block = 1; block <= kBlocks; ++block) {
    auto* button = new QToolButton(selected);
    button->setObjectName(QStringLiteral("SpeedBlock%1").arg(block));
    button->setText(block < kBlocks ? QString::number(block) : QStringLiteral("Patch Mode"));
    button->setCheckable(true);
    blocks_->addButton(button, block);
    buttons->addWidget(button);
  }
  connect(blocks_, &QButtonGroup::idClicked, this, &TFormScaleTune::SelectBlock);
  layout->addWidget(selected);
  auto* grid = new QGridLayout;
  for (const TParamRow& row : ScaleTuneRows()) {
    TParamBinding* binding = BindRow(row, host);
    const int line = row.Offset % 6, column = row.Offset / 6 * 2;
    grid->addWidget(binding->Label(), line, column);
    grid->addWidget(binding->Widget(), line, column + 1, Qt::AlignLeft);
  }
  layout->addLayout(grid);
  copy_->setObjectName(QStringLiteral("BtnCopy"));
  paste_->setObjectName(QStringLiteral("BtnPaste"));
  revertAll_->setObjectName(QStringLiteral("BtnRevertAll"));
  connect(copy_, &QPushButton::clicked, this, &TFormScaleTune::BtnCopyClick);
  connect(paste_, &QPushButton::clicked, this, &TFormScaleTune::BtnPasteClick);
  connect(revertAll_, &QPushButton::clicked, this, &TFormScaleTune::BtnRevertAllClick);
  auto* clipRow = new QHBoxLayout;
  clipRow->addWidget(copy_);
  clipRow->addWidget(paste_);
  clipRow->addStretch(1);
  clipRow->addWidget(revertAll_);
  layout->addLayout(clipRow);
  Finish();
}

void TFormScaleTune::showEvent(QShowEvent* event) {
  TPageWindow::showEvent(event);
  if (shown_) return;
  // Opening: block 1 and every history empty.
  shown_ = true;
  SelectBlock(1);
  ClearHistories();
}

QToolButton* TFormScaleTune::BlockButton(int block) const {
  return static_cast<QToolButton*>(blocks_->button(block));
}

void TFormScaleTune::SelectBlock(int block) {
  SetSlot(block - 1);
  UpdateView();
}

void TFormScaleTune::ShowExtra() {
  BlockButton(SelectedBlock())->setChecked(true);
  paste_->setEnabled(Clipboard().ScaleTuneFilled());
}

void TFormScaleTune::BtnCopyClick() {
  Clipboard().CopyScaleTune(Block().Data());
  paste_->setEnabled(true);
}

void TFormScaleTune::BtnPasteClick() {
  // No undo record for a paste; the system has changed all the same and is marked so.
  if (!Clipboard().PasteScaleTune(Block().Data())) return;
  system_.Modified();
  UpdateView();
  system_.Transmit(true);
}
