#include "tools/formmorph.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "controls/myedit.h"
#include "controls/panslider.h"
#include "midi/timing.h"
#include "model/library.h"
#include "model/patchbank.h"
#include "tools/toolhost.h"

namespace {
// "LFO External sync" -> "LFOExternalsync": the caption's letters as the box's name.
const QString kMorphSection = QStringLiteral("Morph");

QString BoxName(int box) {
  QString name;
  for (QChar c : MorphBoxCaption(box))
    if (c.isLetterOrNumber()) name += c;
  return name;
}

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

TMyEdit* ValueEditor(const char* name, int min, int max, int code, QWidget* parent) {
  auto* edit = new TMyEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->SetEditType(MinMax);
  edit->SetMin(min);
  edit->SetMax(max);
  edit->SetStep(1);
  edit->SetCode(code);
  edit->setFixedWidth(80);
  return edit;
}

void StartPreview() {
  if (ToolHost().StartPreview) ToolHost().StartPreview();
}
void StopPreview() {
  if (ToolHost().StopPreview) ToolHost().StopPreview();
}
}  // namespace

TFormMorph::TFormMorph(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormMorph"));
  setWindowTitle(QStringLiteral("Patch Morphing"));
  setModal(true);

  auto* include = new QGroupBox(QStringLiteral("Include Parameter"), this);
  auto* includeLayout = new QGridLayout(include);
  includeLayout->setVerticalSpacing(2);
  auto* morphOn = new QGroupBox(QStringLiteral("Morph On"), this);
  auto* morphOnLayout = new QVBoxLayout(morphOn);
  morphOnLayout->setSpacing(2);
  for (int box = 0; box < kMorphBoxCount; ++box) {
    QWidget* group = box < kMorphParameterBoxes ? include : morphOn;
    boxes_[box] = new QCheckBox(MorphBoxCaption(box), group);
    boxes_[box]->setObjectName(BoxName(box));
    boxes_[box]->setChecked(morph_.Checked[static_cast<std::size_t>(box)]);
    if (box < kMorphParameterBoxes)
      includeLayout->addWidget(boxes_[box], box % 10, box / 10);
    else
      morphOnLayout->addWidget(boxes_[box]);
    connect(boxes_[box], &QCheckBox::clicked, this, &TFormMorph::Changed);
  }
  morphOnLayout->addStretch();

  auto* factor = new QGroupBox(QStringLiteral("Morph Factor"), this);
  auto* factorLayout = new QHBoxLayout(factor);
  nameA_ = new QLineEdit(factor);
  nameB_ = new QLineEdit(factor);
  for (QLineEdit* name : {nameA_, nameB_}) {
    name->setReadOnly(true);
    name->setMaxLength(12);
    name->setFixedWidth(100);
  }
  nameA_->setObjectName(QStringLiteral("NameA"));
  nameB_->setObjectName(QStringLiteral("NameB"));
  slider_ = new TPanSlider(factor);
  slider_->setObjectName(QStringLiteral("Slider"));
  slider_->SetVertical(false);
  slider_->SetMin(0);
  slider_->SetMax(127);
  slider_->setFixedSize(300, 30);
  slider_->SetSLeft(4);
  slider_->SetSTop(4);
  slider_->SetSWidth(250);
  slider_->SetSHeight(22);
  slider_->SetELeft(258);
  slider_->SetETop(6);
  slider_->SetEWidth(38);
  slider_->SetEHeight(18);
  factorLayout->addWidget(nameA_);
  factorLayout->addWidget(slider_, 1);
  factorLayout->addWidget(nameB_);
  connect(slider_, &TPanSlider::OnEndchange, this, &TFormMorph::Changed);

  noteLength_ = ValueEditor("Notelength", 1, 20000, 1000, this);
  morphStep_ = ValueEditor("MorphStep", 1, 10, 1, this);
  auto* play = Button("Play", QString(), this);
  play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  play->setToolTip(QStringLiteral("Play"));
  auto* stop = Button("Stop", QString(), this);
  stop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
  stop->setToolTip(QStringLiteral("Stop"));
  auto* createBank = Button("CreateBank", QStringLiteral("Create Bank"), this);
  auto* close = Button("Btnclose", QStringLiteral("&Close"), this);
  auto* help = Button("BtnHelp", QStringLiteral("&Help"), this);
  auto* player = new QHBoxLayout;
  player->addWidget(new QLabel(QStringLiteral("Note Length"), this));
  player->addWidget(noteLength_);
  player->addSpacing(12);
  player->addWidget(new QLabel(QStringLiteral("Step Length"), this));
  player->addWidget(morphStep_);
  player->addSpacing(12);
  player->addWidget(play);
  player->addWidget(stop);
  player->addStretch();
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(createBank);
  bottom->addStretch();
  bottom->addWidget(help);
  bottom->addWidget(close);

  auto* top = new QHBoxLayout;
  top->addWidget(include, 1);
  top->addWidget(morphOn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(factor);
  layout->addLayout(player);
  layout->addLayout(bottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  starter_ = new QTimer(this);
  starter_->setObjectName(QStringLiteral("Starter"));
  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  connect(starter_, &QTimer::timeout, this, &TFormMorph::StarterTimer);
  connect(timer1_, &QTimer::timeout, this, &TFormMorph::Timer1Timer);
  for (TMyEdit* edit : {noteLength_, morphStep_}) {
    connect(edit, &TMyEdit::Onchange, this, [this] { timer1_->setInterval(noteLength_->Code()); });
    connect(edit, &TMyEdit::OnEndChange, this,
            [this] { timer1_->setInterval(noteLength_->Code()); });
  }
  // The choices of the last time, in this run or an earlier one.
  const TToolHost& host = ToolHost();
  for (int box = 0; box < kMorphBoxCount; ++box)
    boxes_[box]->setChecked(host.Read(kMorphSection, BoxName(box), boxes_[box]->isChecked()) != 0);
  noteLength_->SetCode(host.Read(kMorphSection, QStringLiteral("Note Length"), noteLength_->Code()));
  morphStep_->SetCode(host.Read(kMorphSection, QStringLiteral("Morph Step"), morphStep_->Code()));
  timer1_->setInterval(noteLength_->Code());

  connect(play, &QPushButton::clicked, this, &TFormMorph::PlayClick);
  connect(stop, &QPushButton::clicked, this, &TFormMorph::StopClick);
  connect(createBank, &QPushButton::clicked, this, &TFormMorph::CreateBankClick);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [] {
    if (ToolHost().ShowHelp) ToolHost().ShowHelp(kHelpContext);
  });
}

TFormMorph::~TFormMorph() = default;

void TFormMorph::Prepare(TPatch& a, TPatch& b, TLibrary& library,
                         std::function<void()> libraryChanged) {
  a_ = &a;
  b_ = &b;
  library_ = &library;
  libraryChanged_ = std::move(libraryChanged);
  result_ = std::make_unique<TPatch>(a.Owner);
  morph_.SetPatches(a, b);
  boxes_[mbEfxParameter]->setEnabled(morph_.EfxEnabled);
  nameA_->setText(a.GetName());
  nameB_->setText(b.GetName());
  playing_ = false;
  slider_->SetValue(0);
  UpdateAndSend();
}

void TFormMorph::UpdateAndSend() {
  if (!result_) return;
  for (int box = 0; box < kMorphBoxCount; ++box)
    morph_.Checked[static_cast<std::size_t>(box)] = boxes_[box]->isChecked();
  morph_.UpdatePatch(slider_->Value(), *result_);
  result_->Transmit(true);
}

void TFormMorph::Changed() {
  playing_ = false;
  UpdateAndSend();
  starter_->start(Timing().MorphStarterMs);
}

void TFormMorph::StarterTimer() {
  StartPreview();
  starter_->stop();
  timer1_->start(noteLength_->Code());
}

void TFormMorph::Timer1Timer() {
  StopPreview();
  if (!playing_) {
    timer1_->stop();
    return;
  }
  int step = slider_->Value() + morphStep_->Code();
  if (step > 127) {
    step = 127;
    playing_ = false;
  }
  slider_->SetValue(step);
  timer1_->stop();
  UpdateAndSend();
  starter_->start(Timing().MorphStarterMs);
}

void TFormMorph::PlayClick() {
  playing_ = true;
  UpdateAndSend();
  starter_->start(Timing().MorphStarterMs);
}

void TFormMorph::StopClick() {
  // The note waiting for its pause would sound after Stop; it is dropped too.
  starter_->stop();
  timer1_->stop();
  StopPreview();
  playing_ = false;
}

void TFormMorph::CreateBankClick() {
  if (!result_) return;
  StopClick();
  TLibrary& library = *library_;
  auto owned = std::make_unique<TPatchBank>(&library);
  TPatchBank& bank = *owned;
  for (int box = 0; box < kMorphBoxCount; ++box)
    morph_.Checked[static_cast<std::size_t>(box)] = boxes_[box]->isChecked();
  morph_.FillBank(bank);
  library.Add(std::move(owned));
  library.Saved = false;
  auto changed = std::move(libraryChanged_);
  accept();
  if (changed) changed();
  if (ToolHost().EnableMenuItems) ToolHost().EnableMenuItems();
}

void TFormMorph::done(int result) {
  const TToolHost& host = ToolHost();
  for (int box = 0; box < kMorphBoxCount; ++box)
    host.Write(kMorphSection, BoxName(box), boxes_[box]->isChecked() ? 1 : 0);
  host.Write(kMorphSection, QStringLiteral("Note Length"), noteLength_->Code());
  host.Write(kMorphSection, QStringLiteral("Morph Step"), morphStep_->Code());
  starter_->stop();
  timer1_->stop();
  StopPreview();
  playing_ = false;
  result_.reset();
  a_ = b_ = nullptr;
  library_ = nullptr;
  QDialog::done(result);
}
