#include "editors/patch/formcontrol.h"

#include <vector>

#include <QButtonGroup>
#include <QBoxLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "controls/myedit.h"
#include "editors/common/parambinding.h"
#include "editors/params/params.h"

TFormControl::TFormControl(TPatch& patch, int tone)
    : TTonePage(patch, tone, TTone::pgControl, QStringLiteral("FormControl"),
                QStringLiteral("Control"), 33, {110, 110}) {
  std::vector<TParamRow> own, perController[3];
  for (const TParamRow& row : ToneRows()) {
    if (row.Page != TTone::pgControl) continue;
    if (row.Field >= 1 && row.Field <= 3)
      perController[row.Field - 1].push_back(row);
    else
      own.push_back(row);
  }
  QBoxLayout* line = BuildRows(own, TTone::pgControl, 0, 1);

  // The controller buttons and, for each controller, its four destinations and depths; the
  // page shows one controller's eight controls at a time.
  auto* box = new QWidget(TabPage(0));
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  auto* buttonRow = new QHBoxLayout;
  buttons_ = new QButtonGroup(this);
  for (int c = 1; c <= 3; ++c) {
    auto* button = new QPushButton(QStringLiteral("Controller %1").arg(c), box);
    button->setObjectName(QStringLiteral("Controller%1").arg(c));
    button->setCheckable(true);
    buttons_->addButton(button, c);
    buttonRow->addWidget(button);
  }
  column->addLayout(buttonRow);
  controllers_ = new QStackedWidget(box);
  for (const auto& rows : perController) {
    auto* page = new QWidget(controllers_);
    auto* pageGrid = new QGridLayout(page);
    pageGrid->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      // Destination d and depth d side by side, one line a destination.
      TParamBinding* binding = BindRow(rows[i], page);
      const int line = static_cast<int>(i / 2), col = static_cast<int>(i % 2) * 2;
      if (binding->Label()) pageGrid->addWidget(binding->Label(), line, col);
      pageGrid->addWidget(binding->Widget(), line, col + 1);
    }
    controllers_->addWidget(page);
  }
  column->addWidget(controllers_);
  line->addWidget(box, 0, Qt::AlignTop);
  connect(buttons_, &QButtonGroup::idClicked, this, &TFormControl::ShowController);
  ShowController(1);

  // Key range: while one field steps past the other, it is held at the other's key.
  auto* lower = Binding(14) ? qobject_cast<TMyEdit*>(Binding(14)->Widget()) : nullptr;
  auto* upper = Binding(15) ? qobject_cast<TMyEdit*>(Binding(15)->Widget()) : nullptr;
  if (lower && upper) {
    connect(lower, &TMyEdit::Onchange, this, [=, this] { KeepKeyRange(lower, upper, true); });
    connect(upper, &TMyEdit::Onchange, this, [=, this] { KeepKeyRange(upper, lower, false); });
  }
  Finish();
}

void TFormControl::ShowController(int controller) {
  if (controller < 1 || controller > 3) return;
  controller_ = controller;
  buttons_->button(controller)->setChecked(true);
  controllers_->setCurrentIndex(controller - 1);
}

void TFormControl::KeepKeyRange(TMyEdit* moved, TMyEdit* other, bool lower) {
  if (lower ? moved->Code() > other->Code() : moved->Code() < other->Code())
    moved->SetCode(other->Code());
}
