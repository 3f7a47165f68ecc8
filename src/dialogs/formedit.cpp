#include "dialogs/formedit.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "controls/textrule.h"
#include "dialogs/helpwindow.h"
#include "frame/childframe.h"
#include "model/libelem.h"
#include "model/patch.h"

TFormEdit::TFormEdit(QWidget* parent)
    : QDialog(parent),
      nameLabel_(new QLabel(this)),
      nameEdit_(new QLineEdit(this)),
      memoryGroup_(new QGroupBox(QStringLiteral("Source/Destination"), this)),
      user_(new QRadioButton(QStringLiteral(" User Memory"), memoryGroup_)),
      card_(new QRadioButton(QStringLiteral(" Card Memory"), memoryGroup_)),
      temporary_(new QRadioButton(QStringLiteral(" Temporary"), memoryGroup_)),
      positionLabel_(new QLabel(QStringLiteral("Position"), this)),
      position_(new QSpinBox(this)) {
  setObjectName(QStringLiteral("FormEdit"));
  SetHelpContext(this, kHelpContext);
  AddHelpKey(this);
  setModal(true);
  nameEdit_->setObjectName(QStringLiteral("EditName"));
  nameEdit_->setMaxLength(12);
  nameEdit_->setValidator(new TTextRule(AsciiName, nameEdit_));
  nameLabel_->setBuddy(nameEdit_);
  user_->setObjectName(QStringLiteral("RadioUser"));
  card_->setObjectName(QStringLiteral("RadioCard"));
  temporary_->setObjectName(QStringLiteral("RadioTemporary"));
  position_->setObjectName(QStringLiteral("SpinPosition"));
  positionLabel_->setBuddy(position_);

  auto* memoryLayout = new QVBoxLayout(memoryGroup_);
  for (QRadioButton* button : {user_, card_, temporary_}) {
    memoryLayout->addWidget(button);
    connect(button, &QRadioButton::clicked, this, &TFormEdit::UpdatePosition);
  }
  auto* positionRow = new QHBoxLayout;
  positionRow->addWidget(positionLabel_);
  positionRow->addWidget(position_);
  positionRow->addStretch();

  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
  QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &TFormEdit::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TFormEdit::reject);
  connect(help, &QPushButton::clicked, this, [] { ChildFrame().ShowHelp(kHelpContext); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(nameLabel_);
  layout->addWidget(nameEdit_);
  layout->addWidget(memoryGroup_);
  layout->addLayout(positionRow);
  layout->addStretch();
  layout->addWidget(buttons);
  setMinimumWidth(300);
}

bool TFormEdit::FixedInPlace(const TLibElem& element) {
  const TLibElem* owner = element.Owner;
  const bool heldByBank =
      owner && (owner->Kind == ekPatchBank || owner->Kind == ekPerformanceBank ||
                owner->Kind == ekRhythmBank || owner->Kind == ekGlobal);
  return heldByBank || element.Kind == ekSystem || element.Kind == ekGlobal;
}

int TFormEdit::PositionCount(int kind) {
  switch (kind) {
    case ekPatch:
      return 128;
    case ekPerformance:
      return 32;
    case ekRhythm:
      return 2;
    default:
      return 0;
  }
}

void TFormEdit::SetElement(TLibElem& element, bool dataCard) {
  element_ = &element;
  changed_ = false;
  const bool fixed = FixedInPlace(element);
  const bool single = PositionCount(element.Kind) > 0;
  setWindowTitle(QStringLiteral("Edit property of : ") + element.GetName());
  nameLabel_->setText(element.KindName() + QStringLiteral(" Name"));
  nameEdit_->setText(element.GetName());
  user_->setEnabled(!fixed && element.Kind != ekSystem && element.Kind != ekGlobal);
  card_->setEnabled(user_->isEnabled() && dataCard);
  temporary_->setEnabled(single && !fixed);
  if (element.Temporary)
    temporary_->setChecked(true);
  else if (element.User)
    user_->setChecked(true);
  else
    card_->setChecked(true);
  if (single) position_->setRange(1, PositionCount(element.Kind));
  position_->setValue(element.Number);
  UpdatePosition();
  nameEdit_->setFocus();
  nameEdit_->selectAll();
}

void TFormEdit::UpdatePosition() {
  const bool shown = element_ && PositionCount(element_->Kind) > 0 && !FixedInPlace(*element_) &&
                     !temporary_->isChecked();
  position_->setVisible(shown);
  positionLabel_->setVisible(shown);
}

bool TFormEdit::Execute(TLibElem& element, bool dataCard) {
  SetElement(element, dataCard);
  exec();
  element_ = nullptr;
  return changed_;
}

bool TFormEdit::Apply() {
  TLibElem& element = *element_;
  bool changed = false;
  if (nameEdit_->text() != element.GetName()) {
    element.SetName(nameEdit_->text(), false);
    changed = true;
  }
  if (temporary_->isEnabled() && element.Temporary != temporary_->isChecked()) {
    element.Temporary = temporary_->isChecked();
    changed = true;
  }
  // Stored whenever the button is offered: an element made temporary is no longer in the user
  // memory.
  if (user_->isEnabled() && element.User != user_->isChecked()) {
    element.User = user_->isChecked();
    changed = true;
  }
  if (position_->isVisibleTo(this) && element.Number != position_->value()) {
    element.Number = static_cast<std::uint16_t>(position_->value());
    changed = true;
  }
  return changed;
}

void TFormEdit::accept() {
  if (element_ && Apply()) {
    changed_ = true;
    element_->Modified();
    element_->UpdateViews();
  }
  QDialog::accept();
}
