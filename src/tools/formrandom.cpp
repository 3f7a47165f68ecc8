#include "tools/formrandom.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QVBoxLayout>

#include "model/library.h"
#include "model/patchbank.h"
#include "tools/toolhost.h"

namespace {
QCheckBox* Box(const char* name, const char* caption, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(true);
  return box;
}

const QString kRandomSection = QStringLiteral("Random");

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}
}  // namespace

TFormRandom::TFormRandom(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormRandom"));
  setWindowTitle(QStringLiteral("Bank Random"));
  setModal(true);

  auto* randomOn = new QGroupBox(QStringLiteral("Random On"), this);
  auto* onLayout = new QVBoxLayout(randomOn);
  common_ = Box("Common", " Common", randomOn);
  patchName_ = Box("PatchName", " Patch Name", randomOn);
  onLayout->addWidget(common_);
  onLayout->addWidget(patchName_);
  for (int t = 0; t < 4; ++t) {
    tones_[t] = Box(QStringLiteral("Tone%1").arg(t + 1).toLatin1().constData(),
                    QStringLiteral(" Tone %1").arg(t + 1).toLatin1().constData(), randomOn);
    onLayout->addWidget(tones_[t]);
  }

  auto* type = new QGroupBox(QStringLiteral("Randomizing Type"), this);
  auto* typeLayout = new QVBoxLayout(type);
  toneComm_ = new QRadioButton(QStringLiteral(" Tone/Common Oriented"), type);
  toneComm_->setObjectName(QStringLiteral("ToneComm"));
  groupOriented_ = new QRadioButton(QStringLiteral(" Group Oriented"), type);
  groupOriented_->setObjectName(QStringLiteral("RadioButton2"));
  groupOriented_->setChecked(true);
  typeLayout->addWidget(toneComm_);
  typeLayout->addWidget(groupOriented_);
  typeLayout->addStretch();

  auto* preview = new QGroupBox(QStringLiteral("Bank Preview"), this);
  auto* previewLayout = new QGridLayout(preview);
  auto* precedente = Button("Precedente", QString(), preview);
  precedente->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
  precedente->setToolTip(QStringLiteral("Previous patch"));
  auto* successivo = Button("Successivo", QString(), preview);
  successivo->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
  successivo->setToolTip(QStringLiteral("Next patch"));
  currPatch_ = new QLineEdit(preview);
  currPatch_->setObjectName(QStringLiteral("CurrPatch"));
  currPatch_->setReadOnly(true);
  currPatch_->setMaxLength(3);
  currPatch_->setFixedWidth(40);
  currPatch_->setAlignment(Qt::AlignCenter);
  auto* positionRow = new QHBoxLayout;
  positionRow->addWidget(new QLabel(QStringLiteral("Patch position"), preview));
  positionRow->addStretch();
  positionRow->addWidget(precedente);
  positionRow->addWidget(currPatch_);
  positionRow->addWidget(successivo);
  previewLayout->addLayout(positionRow, 0, 0, 1, 3);
  auto* randomizePatch = Button("BitBtn2", QStringLiteral("Randomize Patch"), preview);
  test_ = Button("BitBtn4", QStringLiteral("Test"), preview);
  auto* randomizeBank = Button("BitBtn1", QStringLiteral("Randomize Bank"), preview);
  previewLayout->addWidget(randomizePatch, 1, 0);
  previewLayout->addWidget(test_, 1, 1);
  previewLayout->addWidget(randomizeBank, 1, 2);
  seedEdit_ = new QLineEdit(preview);
  seedEdit_->setObjectName(QStringLiteral("Seed"));
  seedEdit_->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9]{1,10}")), seedEdit_));
  seedEdit_->setToolTip(
      QStringLiteral("The seed of this bank. Type a seed and press Enter to make its bank again."));
  auto* seedRow = new QHBoxLayout;
  seedRow->addWidget(new QLabel(QStringLiteral("Seed"), preview));
  seedRow->addWidget(seedEdit_, 1);
  previewLayout->addLayout(seedRow, 2, 0, 1, 3);

  auto* close = Button("Btnclose", QStringLiteral("&Close"), this);
  auto* help = Button("BtnHelp", QStringLiteral("&Help"), this);
  auto* createPatch = Button("CreatePatch", QStringLiteral("Create Patch"), this);
  auto* createBank = Button("CreateBank", QStringLiteral("Create Bank"), this);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(createBank);
  bottom->addWidget(createPatch);
  bottom->addStretch();
  bottom->addWidget(help);
  bottom->addWidget(close);

  auto* top = new QHBoxLayout;
  top->addWidget(randomOn);
  top->addWidget(type);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(preview);
  layout->addLayout(bottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(precedente, &QPushButton::clicked, this, &TFormRandom::PrecedenteClick);
  connect(successivo, &QPushButton::clicked, this, &TFormRandom::SuccessivoClick);
  connect(randomizePatch, &QPushButton::clicked, this, &TFormRandom::RandomizePatchClick);
  connect(randomizeBank, &QPushButton::clicked, this, &TFormRandom::RandomizeBankClick);
  connect(createBank, &QPushButton::clicked, this, &TFormRandom::CreateBankClick);
  connect(createPatch, &QPushButton::clicked, this, &TFormRandom::CreatePatchClick);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [] {
    if (ToolHost().ShowHelp) ToolHost().ShowHelp(kHelpContext);
  });
  connect(test_, &QPushButton::pressed, this, [] {
    if (ToolHost().StartPreview) ToolHost().StartPreview();
  });
  connect(test_, &QPushButton::released, this, [] {
    if (ToolHost().StopPreview) ToolHost().StopPreview();
  });
  connect(seedEdit_, &QLineEdit::returnPressed, this, [this] {
    bool ok = false;
    const qulonglong seed = seedEdit_->text().toULongLong(&ok);
    if (ok && seed <= 0xFFFFFFFFull)
      RandomizeBankFrom(static_cast<std::uint32_t>(seed));
    else
      seedEdit_->setText(QString::number(seed_));
  });
  RestoreChoices();
}

TFormRandom::~TFormRandom() = default;

void TFormRandom::RestoreChoices() {
  const TToolHost& host = ToolHost();
  for (QAbstractButton* box : ChoiceBoxes())
    box->setChecked(host.Read(kRandomSection, box->objectName(), box->isChecked()) != 0);
  if (!toneComm_->isChecked()) groupOriented_->setChecked(true);
  // A seed may be any 32-bit number, so whether one is kept is a key of its own.
  if (host.Read(kRandomSection, QStringLiteral("Seed Kept"), 0) == 1) {
    keptSeed_ = static_cast<std::uint32_t>(host.Read(kRandomSection, QStringLiteral("Seed"), 0));
    hasKeptSeed_ = true;
  }
}

void TFormRandom::KeepChoices() const {
  const TToolHost& host = ToolHost();
  for (QAbstractButton* box : ChoiceBoxes())
    host.Write(kRandomSection, box->objectName(), box->isChecked() ? 1 : 0);
  host.Write(kRandomSection, QStringLiteral("Seed"), static_cast<int>(seed_));
  host.Write(kRandomSection, QStringLiteral("Seed Kept"), 1);
}

QList<QAbstractButton*> TFormRandom::ChoiceBoxes() const {
  return {common_, patchName_, tones_[0], tones_[1], tones_[2], tones_[3], toneComm_};
}

TRandomOptions TFormRandom::Options() const {
  TRandomOptions options;
  options.Common = common_->isChecked();
  options.PatchName = patchName_->isChecked();
  for (int t = 0; t < 4; ++t) options.Tones[static_cast<std::size_t>(t)] = tones_[t]->isChecked();
  options.ToneCommonOriented = toneComm_->isChecked();
  return options;
}

void TFormRandom::Prepare(TPatchBank& source, TLibrary& library,
                          std::function<void()> libraryChanged) {
  source_ = &source;
  library_ = &library;
  libraryChanged_ = std::move(libraryChanged);
  result_ = std::make_unique<TPatchBank>(source.Owner);
  position_ = 1;
  ShowPosition();
  // The bank of the last time is made again from its seed; Randomize Bank makes a new one.
  if (hasKeptSeed_)
    RandomizeBankFrom(keptSeed_);
  else
    RandomizeBankClick();
}

void TFormRandom::ShowPosition() {
  currPatch_->setText(QStringLiteral("%1").arg(position_, 2));
}

void TFormRandom::SendCurrent() {
  if (result_) result_->Patch(position_).Transmit(true);
}

void TFormRandom::PrecedenteClick() {
  if (position_ <= 0) return;
  --position_;
  ShowPosition();
  SendCurrent();
}

void TFormRandom::SuccessivoClick() {
  if (position_ >= TPatchBank::kMemberCount - 1) return;
  ++position_;
  ShowPosition();
  SendCurrent();
}

void TFormRandom::RandomizePatchClick() {
  if (!result_) return;
  randomizer_.Options = Options();
  randomizer_.RandomizePatch(*source_, *result_, position_);
  SendCurrent();
}

void TFormRandom::RandomizeBankClick() {
  RandomizeBankFrom(TLcgRandom::ClockSeed());
}

void TFormRandom::RandomizeBankFrom(std::uint32_t seed) {
  if (!result_) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  seed_ = seed;
  seedEdit_->setText(QString::number(seed));
  randomizer_.Options = Options();
  randomizer_.RandomizeBank(*source_, *result_, seed);
  QApplication::restoreOverrideCursor();
  position_ = 1;
  ShowPosition();
  SendCurrent();
}

void TFormRandom::Added() {
  library_->Saved = false;
  if (libraryChanged_) libraryChanged_();
  if (ToolHost().EnableMenuItems) ToolHost().EnableMenuItems();
}

void TFormRandom::CreateBankClick() {
  if (!result_) return;
  auto bank = std::make_unique<TPatchBank>(result_->Owner);
  bank->Assign(*result_);
  bank->Name = QStringLiteral("RandomBank");
  library_->Add(std::move(bank));
  Added();
}

void TFormRandom::CreatePatchClick() {
  if (!result_) return;
  auto patch = std::make_unique<TPatch>(result_->Owner);
  patch->Assign(result_->Patch(position_));
  patch->SetName(QStringLiteral("Rnd Patch%1").arg(position_), false);
  patch->Temporary = true;
  library_->Add(std::move(patch));
  Added();
}

void TFormRandom::done(int result) {
  if (result_) KeepChoices();
  if (ToolHost().StopPreview && test_->isDown()) ToolHost().StopPreview();
  result_.reset();
  source_ = nullptr;
  library_ = nullptr;
  QDialog::done(result);
}
