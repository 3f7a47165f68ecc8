#include "editors/performance/formpart.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/myedit.h"
#include "editors/common/parambinding.h"
#include "editors/params/clipboard.h"
#include "editors/params/params.h"
#include "editors/params/patchgroup.h"
#include "editors/performance/namepicker.h"
#include "model/rhythmnames.h"

namespace {
constexpr int kGroupOffset = 2;
constexpr int kNumberOffset = 4;
constexpr int kLowerKey = 17;
constexpr int kUpperKey = 18;

// The rows the window builds controls for (the group and the patch are its own).
constexpr int kLeftColumn[] = {0, 1, 6, 7, 8, 9, 17, 18};
constexpr int kRightColumn[] = {10, 11, 12, 13, 14, 15, 16};
}  // namespace

TFormPart::TFormPart(TPerformance& performance, QWidget* parent)
    : TPageWindow(
          performance,
          [&performance](int slot) -> TBlock& {
            return performance.Parts[static_cast<std::size_t>(slot)];
          },
          performance.PartWindow,
          {QStringLiteral("FormPart"), QStringLiteral(" [Parts]"), 43, {}, {60, 60}, kPartCount},
          parent),
      performance_(performance),
      partButtons_(new QButtonGroup(this)),
      group_(new QComboBox(this)),
      patchName_(new QLineEdit(this)),
      browse_(new QToolButton(this)),
      rhythmSet_(new QComboBox(this)),
      copy_(new QPushButton(QStringLiteral("Copy"), this)),
      paste_(new QPushButton(QStringLiteral("Paste"), this)),
      revertAll_(new QPushButton(QStringLiteral("&Revert All"), this)),
      names_(new TRhythmNamesReader(this)) {
  QWidget* host = TabPage(0);
  for (QWidget* w : std::initializer_list<QWidget*>{group_, patchName_, browse_, rhythmSet_, copy_,
                                                    paste_, revertAll_})
    w->setParent(host);
  auto* layout = new QVBoxLayout(host);

  auto* selected = new QGroupBox(QStringLiteral("Selected Part"), host);
  auto* buttons = new QHBoxLayout(selected);
  buttons->setSpacing(1);
  partButtons_->setExclusive(true);
  for (int part = 1; part <= kPartCount; ++part) {
    auto* button = new QToolButton(selected);
    button->setObjectName(QStringLiteral("SpeedPart%1").arg(part));
    button->setText(QString::number(part));
    button->setCheckable(true);
    button->setFixedSize(24, 22);
    partButtons_->addButton(button, part);
    buttons->addWidget(button);
  }
  connect(partButtons_, &QButtonGroup::idClicked, this, &TFormPart::SelectPart);
  layout->addWidget(selected);

  auto* patchRow = new QHBoxLayout;
  patchRow->addWidget(new QLabel(QStringLiteral("Patch Group"), host));
  group_->setObjectName(QStringLiteral("PatchGroup"));
  patchRow->addWidget(group_);
  patchName_->setObjectName(QStringLiteral("PatchName"));
  patchName_->setReadOnly(true);
  patchName_->setMinimumWidth(110);
  patchRow->addWidget(patchName_);
  browse_->setObjectName(QStringLiteral("BtnBrowse"));
  browse_->setText(QStringLiteral("B"));
  patchRow->addWidget(browse_);
  rhythmSet_->setObjectName(QStringLiteral("RhythmSet"));
  rhythmSet_->setMinimumWidth(120);
  patchRow->addWidget(rhythmSet_);
  patchRow->addStretch(1);
  layout->addLayout(patchRow);
  connect(group_, &QComboBox::activated, this, &TFormPart::GroupChosen);
  connect(rhythmSet_, &QComboBox::activated, this, &TFormPart::RhythmSetChosen);
  connect(patchName_, &QLineEdit::textChanged, this, &TFormPart::PatchNameChanged);
  connect(browse_, &QToolButton::clicked, this, &TFormPart::BrowseClick);

  auto* grid = new QGridLayout;
  int column = 0;
  for (const auto& offsets :
       {std::span<const int>(kLeftColumn), std::span<const int>(kRightColumn)}) {
    int line = 0;
    for (int offset : offsets) {
      for (const TParamRow& row : PerformancePartRows()) {
        if (row.Offset != offset) continue;
        TParamBinding* binding = BindRow(row, host);
        if (binding->Label()) grid->addWidget(binding->Label(), line, column);
        grid->addWidget(binding->Widget(), line, column + 1, Qt::AlignLeft);
      }
      ++line;
    }
    column += 2;
  }
  connect(static_cast<TMyEdit*>(Control(kLowerKey)), &TMyEdit::Onchange, this,
          [this] { KeyStepped(true); });
  connect(static_cast<TMyEdit*>(Control(kUpperKey)), &TMyEdit::Onchange, this,
          [this] { KeyStepped(false); });
  layout->addLayout(grid);

  copy_->setObjectName(QStringLiteral("BtnCopy"));
  paste_->setObjectName(QStringLiteral("BtnPaste"));
  revertAll_->setObjectName(QStringLiteral("BtnRevertAll"));
  connect(copy_, &QPushButton::clicked, this, &TFormPart::BtnCopyClick);
  connect(paste_, &QPushButton::clicked, this, &TFormPart::BtnPasteClick);
  connect(revertAll_, &QPushButton::clicked, this, &TFormPart::BtnRevertAllClick);
  auto* clip = new QHBoxLayout;
  clip->addWidget(copy_);
  clip->addWidget(paste_);
  clip->addStretch(1);
  clip->addWidget(revertAll_);
  layout->addLayout(clip);

  connect(names_, &TRhythmNamesReader::NameReceived, this, [this] {
    if (RhythmPart()) {
      Updating = true;
      FillRhythmSets();
      Updating = false;
    }
  });
  Finish();
}

TFormPart::~TFormPart() {
  names_->Stop();
}

void TFormPart::showEvent(QShowEvent* event) {
  TPageWindow::showEvent(event);
  if (namesStarted_) return;
  // Opening: part 1, every history empty, and the rhythm set names asked for.
  namesStarted_ = true;
  ClearHistories();
  SelectPart(1);
  // Once the window is up: the requests' pauses would otherwise hold its first painting back.
  QTimer::singleShot(0, names_, &TRhythmNamesReader::Start);
}

QToolButton* TFormPart::PartButton(int part) const {
  return static_cast<QToolButton*>(partButtons_->button(part));
}

bool TFormPart::RhythmPart() const {
  return SelectedPart() == kRhythmPart;
}

void TFormPart::SelectPart(int part) {
  SetSlot(part - 1);
  UpdateView();
}

void TFormPart::BuildGroupItems() {
  if (group_->count() && groupsForRhythm_ == RhythmPart()) return;
  groupsForRhythm_ = RhythmPart();
  group_->clear();
  const int count = groupsForRhythm_ ? kRhythmGroupCount : kPatchGroupCount;
  for (int i = 0; i < count; ++i) group_->addItem(QString::fromLatin1(kPatchGroups[i]));
}

void TFormPart::ShowExtra() {
  PartButton(SelectedPart())->setChecked(true);
  const std::uint8_t* data = Block().Data();
  BuildGroupItems();
  const int index = PatchGroupIndex(data[kGroupOffset], data[kGroupOffset + 1]);
  DropUnlistedGroup(group_);
  if (index == kUnslottedBoard)
    ShowUnlistedGroup(group_, UnslottedBoardText(data[kGroupOffset + 1]));
  else if (index >= 0 && index < group_->count())
    group_->setCurrentIndex(index);
  previousGroup_ = group_->currentIndex();
  patch_ = data[kNumberOffset] * 16 + data[kNumberOffset + 1];
  patchName_->setVisible(!RhythmPart());
  browse_->setVisible(!RhythmPart());
  rhythmSet_->setVisible(RhythmPart());
  ShowPatchName();
  paste_->setEnabled(Clipboard().PartFilled());
}

void TFormPart::ShowPatchName() {
  if (RhythmPart()) {
    FillRhythmSets();
    return;
  }
  // A board no slot holds has no name list: its patch shows by number.
  patchName_->setText(ShowsUnlistedGroup(group_) ? PatchNumberText(patch_)
                                                 : ::PatchName(group_->currentIndex(), patch_));
}

void TFormPart::FillRhythmSets() {
  rhythmSet_->clear();
  const bool unlisted = ShowsUnlistedGroup(group_);
  for (int number = 0; number < 2; ++number)
    rhythmSet_->addItem(unlisted ? PatchNumberText(number)
                                 : RhythmSetName(group_->currentIndex(), number));
  rhythmSet_->setCurrentIndex(patch_ >= 0 && patch_ < 2 ? patch_ : -1);
}

void TFormPart::GroupChosen(int index) {
  std::uint8_t bytes[2];
  if (ShowsUnlistedGroup(group_) && index == group_->currentIndex() && index == previousGroup_)
    return;  // the board shown stays as it is
  if (!PatchGroupBytes(index, bytes[0], bytes[1])) {
    // No board or card for that entry: the previous group comes back and nothing is sent.
    group_->setCurrentIndex(previousGroup_);
    return;
  }
  SendAndStoreArray(kGroupOffset, bytes, 2);
  DropUnlistedGroup(group_);
  previousGroup_ = index;
  if (RhythmPart()) {
    FillRhythmSets();
    StoreGroupAndNumber();
  } else {
    ShowPatchName();
  }
}

void TFormPart::RhythmSetChosen(int index) {
  patch_ = index;
  StoreGroupAndNumber();
}

void TFormPart::PatchNameChanged() {
  if (Updating || RhythmPart()) return;
  StoreGroupAndNumber();
}

void TFormPart::StoreGroupAndNumber() {
  const std::uint8_t bytes[4] = {Block().GetByte(kGroupOffset), Block().GetByte(kGroupOffset + 1),
                                 static_cast<std::uint8_t>(patch_ / 16),
                                 static_cast<std::uint8_t>(patch_ % 16)};
  SendAndStoreArray(kGroupOffset, bytes, 4);
}

void TFormPart::BrowseClick() {
  int index = patch_;
  const int list = PatchListCode(group_->currentIndex());
  if (!PickName(list, index, this)) return;
  patch_ = index;
  const QString name = ::PatchName(group_->currentIndex(), patch_);
  if (patchName_->text() != name)
    patchName_->setText(name);
  else
    StoreGroupAndNumber();
}

void TFormPart::KeyStepped(bool lower) {
  auto* low = static_cast<TMyEdit*>(Control(kLowerKey));
  auto* high = static_cast<TMyEdit*>(Control(kUpperKey));
  if (low->Code() <= high->Code()) return;
  if (lower)
    low->SetCode(high->Code());
  else
    high->SetCode(low->Code());
}

void TFormPart::BtnCopyClick() {
  Clipboard().CopyPart(Block().Data());
  paste_->setEnabled(true);
}

void TFormPart::BtnPasteClick() {
  // A paste is no edit of its own: nothing goes on the undo list, but the performance has
  // changed and is marked so.
  if (!Clipboard().PastePart(Block().Data())) return;
  performance_.Modified();
  UpdateView();
  performance_.SendParts();
}

void TFormPart::SendAfterRevert() {
  performance_.SendParts();
}

void TFormPart::BtnRevertAllClick() {
  RevertAll();
}
