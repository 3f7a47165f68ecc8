#include "tools/formpreviewsetup.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/myedit.h"
#include "controls/panslider.h"
#include "midi/config.h"
#include "midi/userinterface.h"
#include "tools/toolhost.h"

TFormPreviewSetup::TFormPreviewSetup(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormPreviewSetup"));
  setWindowTitle(QStringLiteral("Preview Setup"));
  setModal(true);

  auto* play = new QGroupBox(QStringLiteral("Play"), this);
  auto* playLayout = new QHBoxLayout(play);
  midiFile_ = new QRadioButton(QStringLiteral(" Midi File"), play);
  midiFile_->setObjectName(QStringLiteral("MidiFile"));
  singleNote_ = new QRadioButton(QStringLiteral(" Single Note"), play);
  singleNote_->setObjectName(QStringLiteral("SingleNote"));
  singleNote_->setChecked(true);
  playLayout->addWidget(singleNote_);
  playLayout->addWidget(midiFile_);

  notePanel_ = new QGroupBox(this);
  notePanel_->setObjectName(QStringLiteral("NotePanel"));
  auto* noteLayout = new QGridLayout(notePanel_);
  note_ = new TMyEdit(notePanel_);
  note_->setObjectName(QStringLiteral("Note"));
  note_->SetEditType(TEditType::Note);
  note_->setFixedWidth(80);
  velocity_ = new TPanSlider(notePanel_);
  velocity_->setObjectName(QStringLiteral("Velocity"));
  velocity_->SetVertical(false);
  velocity_->SetMin(0);
  velocity_->SetMax(127);
  velocity_->setFixedSize(230, 30);
  velocity_->SetSLeft(4);
  velocity_->SetSTop(4);
  velocity_->SetSWidth(180);
  velocity_->SetSHeight(22);
  velocity_->SetELeft(188);
  velocity_->SetETop(6);
  velocity_->SetEWidth(38);
  velocity_->SetEHeight(18);
  noteLayout->addWidget(new QLabel(QStringLiteral("Note"), notePanel_), 0, 0);
  noteLayout->addWidget(note_, 0, 1, Qt::AlignLeft);
  noteLayout->addWidget(new QLabel(QStringLiteral(" Velocity "), notePanel_), 1, 0);
  noteLayout->addWidget(velocity_, 1, 1);

  filePanel_ = new QGroupBox(this);
  filePanel_->setObjectName(QStringLiteral("FilePanel"));
  auto* fileLayout = new QGridLayout(filePanel_);
  fileName_ = new QLineEdit(filePanel_);
  fileName_->setObjectName(QStringLiteral("MidiFilename"));
  fileName_->setMinimumWidth(220);
  auto* browse = new QPushButton(QStringLiteral("Browse"), filePanel_);
  browse->setObjectName(QStringLiteral("Browse"));
  browse->setAutoDefault(false);
  fileLayout->addWidget(new QLabel(QStringLiteral("Midi Filename"), filePanel_), 0, 0, 1, 2);
  fileLayout->addWidget(fileName_, 1, 0);
  fileLayout->addWidget(browse, 1, 1);

  test_ = new QPushButton(QStringLiteral("Test"), this);
  test_->setObjectName(QStringLiteral("Test"));
  test_->setAutoDefault(false);
  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
  buttons->addButton(test_, QDialogButtonBox::ActionRole);
  QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(play);
  layout->addWidget(notePanel_);
  layout->addWidget(filePanel_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(singleNote_, &QRadioButton::toggled, this, &TFormPreviewSetup::EnablePanels);
  connect(browse, &QPushButton::clicked, this, &TFormPreviewSetup::BrowseClick);
  connect(test_, &QPushButton::pressed, this, &TFormPreviewSetup::TestPress);
  connect(test_, &QPushButton::released, this, &TFormPreviewSetup::TestRelease);
  connect(buttons, &QDialogButtonBox::accepted, this, &TFormPreviewSetup::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TFormPreviewSetup::reject);
  connect(help, &QPushButton::clicked, this, [] {
    if (ToolHost().ShowHelp) ToolHost().ShowHelp(kHelpContext);
  });
  ShowConfig();
}

int TFormPreviewSetup::exec() {
  ShowConfig();
  return QDialog::exec();
}

void TFormPreviewSetup::ShowConfig() {
  const TConfig& config = Config();
  (config.SingleNote ? singleNote_ : midiFile_)->setChecked(true);
  note_->SetCode(config.PreviewNote);
  velocity_->SetValue(config.PreviewVelocity);
  fileName_->setText(config.MidiFile);
  EnablePanels();
}

void TFormPreviewSetup::EnablePanels() {
  notePanel_->setEnabled(singleNote_->isChecked());
  filePanel_->setEnabled(!singleNote_->isChecked());
}

void TFormPreviewSetup::BrowseClick() {
  const QFileInfo current(fileName_->text());
  TFileDialogOptions options;
  options.Title = QStringLiteral("Select Midi File");
  options.DefaultExt = QStringLiteral("Mid");
  options.Filter = QStringLiteral("Mid file|*.Mid");
  options.InitialDir = current.path();
  options.FileName = current.fileName();
  options.MustExist = true;
  const QString chosen = UI().ChooseOpenFile(options);
  if (!chosen.isEmpty()) fileName_->setText(chosen);
}

TFormPreviewSetup::TPreviewFields TFormPreviewSetup::DialogFields() const {
  return {singleNote_->isChecked(), note_->Code(), velocity_->Value(), fileName_->text()};
}

void TFormPreviewSetup::Apply(const TPreviewFields& fields) {
  TConfig& config = Config();
  config.SingleNote = fields.SingleNote;
  config.PreviewNote = fields.Note;
  config.PreviewVelocity = fields.Velocity;
  config.MidiFile = fields.MidiFile;
}

void TFormPreviewSetup::TestPress() {
  if (testing_) return;
  const TConfig& config = Config();
  saved_ = {config.SingleNote, config.PreviewNote, config.PreviewVelocity, config.MidiFile};
  testing_ = true;
  Apply(DialogFields());
  if (ToolHost().StartPreview) ToolHost().StartPreview();
}

void TFormPreviewSetup::TestRelease() {
  if (!testing_) return;
  if (ToolHost().StopPreview) ToolHost().StopPreview();
  Apply(saved_);
  testing_ = false;
}

void TFormPreviewSetup::accept() {
  TestRelease();
  Apply(DialogFields());
  if (ToolHost().WriteConfig) ToolHost().WriteConfig();
  QDialog::accept();
}
