#include "dialogs/formupdatenames.h"

#include <algorithm>
#include <cmath>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/helpwindow.h"
#include "midi/midierrors.h"
#include "midi/midisession.h"
#include "midi/pacedsender.h"
#include "midi/sysex.h"
#include "midi/timing.h"
#include "midi/userinterface.h"

namespace {
constexpr int kHeaderLength = 9;  // F0 41 dev 6A 12 and four address bytes

struct TStepRow {
  int First;
  int Last;
  std::uint8_t AddressHigh;
  TNameLists::TList List;
  const char* Text;
};

const TStepRow kRows[] = {
    {0, 1, 0x20, TNameLists::nlCardPerformances, "Now Receving Data Card Performance Names"},
    {2, 3, 0x10, TNameLists::nlUserPerformances, "Now Receving User Performance Names"},
    {4, 11, 0x21, TNameLists::nlCardPatches, "Now Receving Data Card Patch Names"},
    {12, 19, 0x11, TNameLists::nlUserPatches, "Now Receving User Patch Names"},
};

const TStepRow& RowOf(int step) {
  for (const TStepRow& row : kRows)
    if (step <= row.Last) return row;
  return kRows[3];
}
}  // namespace

TFormUpdateNames::TFormUpdateNames(QWidget* parent)
    : QDialog(parent),
      status_(new QLabel(this)),
      gauge_(new QProgressBar(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)),
      timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("FormUpdateNames"));
  SetHelpContext(this, kHelpContext);
  AddHelpKey(this);
  setWindowTitle(QStringLiteral("Updating names"));
  setModal(true);
  status_->setObjectName(QStringLiteral("LabelStatus"));
  status_->setMinimumWidth(280);
  gauge_->setObjectName(QStringLiteral("Gauge"));
  gauge_->setRange(0, 100);
  cancel_->setObjectName(QStringLiteral("BtnCancel"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(status_);
  layout->addWidget(gauge_);
  layout->addWidget(cancel_, 0, Qt::AlignHCenter);
  timer_->setSingleShot(false);
  connect(timer_, &QTimer::timeout, this, &TFormUpdateNames::TimerTimer);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

TFormUpdateNames::~TFormUpdateNames() {
  Stop();
}

bool TFormUpdateNames::CardStep(int step) {
  return step <= 1 || (step >= 4 && step <= 11);
}

TNameLists::TList TFormUpdateNames::StepList(int step) {
  return RowOf(step).List;
}

QString TFormUpdateNames::StepText(int step) {
  return QString::fromLatin1(RowOf(step).Text);
}

std::uint32_t TFormUpdateNames::ElementAddress(int step, int i) {
  const TStepRow& row = RowOf(step);
  const std::uint32_t element = static_cast<std::uint32_t>((step - row.First) * kNamesPerStep + i);
  return std::uint32_t{row.AddressHigh} << 24 | element << 16;
}

void TFormUpdateNames::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Started once the dialog is up, so that its own event loop carries the replies.
  QTimer::singleShot(0, this, &TFormUpdateNames::Start);
}

void TFormUpdateNames::Start() {
  if (!isVisible() || running_) return;
  for (QStringList& list : NameLists().Lists) list.clear();
  step_ = 0;
  received_ = 0;
  gauge_->setValue(0);
  running_ = true;
  receivedAtStep_ = 0;
  cardAnswered_ = false;
  RequestStep();
}

void TFormUpdateNames::RequestStep() {
  if (!running_) return;
  status_->setText(StepText(step_));
  namesInStep_ = 0;
  for (QString& name : stepNames_) name.clear();
  receivedAtStep_ = received_;
  TMidiInput* input = MidiSession().Input();
  if (input) {
    while (input->NextEvent()) {
    }
    input->OnMidiInput = [this](TMidiInput* from) { Received(from); };
    handlerInstalled_ = true;
  }
  try {
    for (int i = 0; i < kNamesPerStep && running_; ++i)
      SendDataRequest(ElementAddress(step_, i), 0, 0, kNameLength);
  } catch (const EmidioutputError& error) {
    Stop();
    UI().Show(TMsgKind::Error, error.Text());
    reject();
    return;
  }
  // The step's sixteen requests leave a pause apart after this: its time counts from the last.
  if (running_) timer_->start(Timing().UpdateNamesMs + Sender().MsLeft());
}

int TFormUpdateNames::ReplyElement(const TMyMidiEvent& event) const {
  // A damaged reply or any other message would put a wrong name in the file; it is passed
  // over, and the step's time-out asks again for what is missing.
  const std::vector<std::uint8_t>& bytes = event.Sysex;
  if (bytes.size() != static_cast<std::size_t>(kHeaderLength + kNameLength + 2)) return -1;
  if (!ReplyValid(event) || bytes[1] != 0x41 || bytes[3] != 0x6A || bytes[4] != kCmdDT1) return -1;
  const std::uint32_t address = std::uint32_t{bytes[5]} << 24 | std::uint32_t{bytes[6]} << 16 |
                                std::uint32_t{bytes[7]} << 8 | bytes[8];
  for (int i = 0; i < kNamesPerStep; ++i)
    if (address == ElementAddress(step_, i)) return i;
  return -1;
}

void TFormUpdateNames::Received(TMidiInput* input) {
  std::unique_ptr<TMyMidiEvent> event = input->NextEvent();
  if (!running_ || !event || !event->IsSysex()) return;
  const int element = ReplyElement(*event);
  if (element < 0 || !stepNames_[element].isEmpty()) return;
  timer_->stop();
  ShowGauge();
  ++received_;
  QString name(kNameLength, u' ');
  for (int i = 0; i < kNameLength; ++i) {
    const std::uint8_t byte = event->Sysex[kHeaderLength + i];
    // Line breaks or the separator inside a name would split the file's sections.
    if (byte >= 0x20 && byte < 0x7F) name[i] = QChar(byte);
  }
  stepNames_[element] = name;
  if (CardStep(step_)) cardAnswered_ = true;
  if (++namesInStep_ < kNamesPerStep) {
    timer_->start(Timing().UpdateNamesMs + Sender().MsLeft());
    return;
  }
  for (const QString& stepName : stepNames_) NameLists().Lists[StepList(step_)].append(stepName);
  if (step_ + 1 < kStepCount) {
    ++step_;
    RequestStep();
  } else {
    Finish();
  }
}

void TFormUpdateNames::ShowGauge() {
  gauge_->setValue(std::min(100, static_cast<int>(std::lround(received_ * 100.0 / kTotalNames))));
}

void TFormUpdateNames::TimerTimer() {
  if (!running_) return;
  // A card that has answered is there, and its missing names are asked for like the user's;
  // a card that never answered is absent and its sections stay empty.
  if (CardStep(step_) && namesInStep_ == 0 && !cardAnswered_) {
    received_ += kNamesPerStep;
    ShowGauge();
    ++step_;
    RequestStep();
    return;
  }
  timer_->stop();
  if (TMidiInput* input = MidiSession().Input()) input->OnMidiInput = nullptr;
  const int answer = UI().Ask(TMsgKind::Warning,
                              QStringLiteral("The Instrument Is Not Responding."), mbOK | mbRetry);
  if (!running_) return;
  if (answer == mbRetry) {
    received_ = receivedAtStep_;
    ShowGauge();
    RequestStep();
  } else {
    reject();
  }
}

void TFormUpdateNames::Finish() {
  Stop();
  gauge_->setValue(100);
  NameLists().Save();
  accept();
  if (NamesWindowLoadHook()) NamesWindowLoadHook()();
}

void TFormUpdateNames::Stop() {
  running_ = false;
  timer_->stop();
  // Only a handler of ours is replaced: a transfer may own the input while this dialog waits.
  if (handlerInstalled_) MidiSession().InstallDefaultInput();
  handlerInstalled_ = false;
}

void TFormUpdateNames::done(int result) {
  Stop();
  QDialog::done(result);
}
