#include "editors/performance/formpercomm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QVBoxLayout>

#include "controls/myedit.h"
#include "editors/common/parambinding.h"
#include "editors/params/params.h"

namespace {
constexpr int kTempo = 45;
constexpr int kVelocityRange = 47;
constexpr int kReserve = 47;  // part p at 47 + p

const TParamRow& RowAt(int offset) {
  for (const TParamRow& row : PerformanceCommonRows())
    if (row.Offset == offset) return row;
  return PerformanceCommonRows().front();
}
}  // namespace

TFormPerComm::TFormPerComm(TPerformance& performance, QWidget* parent)
    : TPageWindow(
          performance, performance.Common, performance.Common.Pages[TPerformanceCommon::pgCommon],
          {QStringLiteral("FormPerComm"), QStringLiteral(" [Common]"), 43, {}, {40, 40}}, parent),
      performance_(performance),
      available_(new QLineEdit) {
  QWidget* host = TabPage(0);
  auto* layout = new QVBoxLayout(host);
  auto* top = new QGridLayout;
  int line = 0;
  for (int offset : {0, kTempo, kVelocityRange}) {
    TParamBinding* binding = BindRow(RowAt(offset), host);
    if (binding->Label()) top->addWidget(binding->Label(), line, 0);
    top->addWidget(binding->Widget(), line, binding->Label() ? 1 : 0, 1, binding->Label() ? 1 : 2,
                   Qt::AlignLeft);
    ++line;
  }
  layout->addLayout(top);

  auto* group = new QGroupBox(QStringLiteral("Voice Reserve"), host);
  auto* grid = new QGridLayout(group);
  for (int part = 1; part <= 16; ++part) {
    TParamBinding* binding = BindRow(RowAt(kReserve + part), group);
    binding->Label()->setText(QStringLiteral("Part %1").arg(part));
    const int row = (part - 1) % 8, column = (part - 1) / 8 * 2;
    grid->addWidget(binding->Label(), row, column);
    grid->addWidget(binding->Widget(), row, column + 1);
    connect(static_cast<TMyEdit*>(binding->Widget()), &TMyEdit::Onchange, this,
            [this, part] { ReserveStepped(part); });
  }
  layout->addWidget(group);
  auto* availableRow = new QHBoxLayout;
  availableRow->addWidget(new QLabel(QStringLiteral("Voice Available"), host));
  available_->setParent(host);
  available_->setObjectName(QStringLiteral("VoiceAvailable"));
  available_->setReadOnly(true);
  available_->setFixedWidth(60);
  availableRow->addWidget(available_);
  availableRow->addStretch(1);
  layout->addLayout(availableRow);
  Finish();
}

QLineEdit* TFormPerComm::NameBox() const {
  return static_cast<QLineEdit*>(Binding(0)->Widget());
}

TMyEdit* TFormPerComm::Tempo() const {
  return static_cast<TMyEdit*>(Binding(kTempo)->Widget());
}

TMyEdit* TFormPerComm::VoiceReserve(int part) const {
  return static_cast<TMyEdit*>(Binding(kReserve + part)->Widget());
}

int TFormPerComm::ReservedVoices() const {
  // A reserve outside its range has no number of voices to count.
  int sum = 0;
  for (int p = 1; p <= 16; ++p)
    if (!VoiceReserve(p)->OutOfRange()) sum += VoiceReserve(p)->Code();
  return sum;
}

void TFormPerComm::ReserveStepped(int part) {
  const int sum = ReservedVoices();
  if (sum > kVoices) {
    // Back to what is left: one step for a step, more for a reserve that came out of range.
    TMyEdit* moved = VoiceReserve(part);
    moved->SetCode(moved->Code() - (sum - kVoices));
  }
  ShowExtra();
}

void TFormPerComm::ShowExtra() {
  available_->setText(QStringLiteral("   ") + QString::number(kVoices - ReservedVoices()));
  QStringList uncounted;
  for (int p = 1; p <= 16; ++p)
    if (VoiceReserve(p)->OutOfRange()) uncounted << QString::number(p);
  QPalette colours;
  if (!uncounted.isEmpty()) colours.setColor(QPalette::Text, Qt::red);
  available_->setPalette(colours);
  available_->setToolTip(uncounted.isEmpty()
                             ? QString()
                             : QStringLiteral("Out of range and not counted here: part %1.")
                                   .arg(uncounted.join(QStringLiteral(", part "))));
}
