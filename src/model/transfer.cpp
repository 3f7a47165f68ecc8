#include "model/transfer.h"

#include <algorithm>

#include "midi/midierrors.h"
#include "midi/midisession.h"
#include "midi/pacedsender.h"
#include "midi/timing.h"
#include "midi/userinterface.h"
#include "model/headlesshost.h"
#include "model/libelem.h"

namespace {
THeadlessHost& DefaultHost() {
  static THeadlessHost host;
  return host;
}
TProgressHost* host = nullptr;
}  // namespace

int PreviewChannel = 1;

TTransfer& Transfer() {
  static TTransfer transfer;
  return transfer;
}

TProgressHost& ProgressHost() {
  return host ? *host : DefaultHost();
}

TProgressHost* SetProgressHost(TProgressHost* newHost) {
  TProgressHost* previous = host;
  host = newHost;
  return previous;
}

TTransferTimer::TTransferTimer(TTransfer& transfer) : transfer_(transfer) {
  // A coarse timer may fire up to 5% early: a reply time-out must never come before its time.
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(1000);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { Fire(); });
}

void TTransferTimer::SetInterval(int ms) {
  timer_.setInterval(std::max(0, ms));
}

void TTransferTimer::SetEnabled(bool enabled) {
  if (enabled == timer_.isActive()) return;
  if (enabled)
    timer_.start();
  else
    timer_.stop();
  transfer_.NotifyTicked();
}

void TTransferTimer::Arm(int ms, std::function<void()> handler, bool enabled) {
  SetInterval(ms);
  SetHandler(std::move(handler));
  SetEnabled(enabled);
}

void TTransferTimer::Fire() {
  // The handler may replace itself (the last tick of a transmission arms the close).
  const std::function<void()> handler = handler_;
  if (handler) transfer_.Step(handler);
  // The next tick counts from the end of this one: a handler that had to wait out a short
  // message pause in place must not find the next tick already due.
  if (timer_.isActive()) timer_.start();
  transfer_.NotifyTicked();
}

TTransfer::TTransfer() : Timer(*this), TimerCleanup(*this) {
  // A port that fails while the sender drains ends the transfer as a failed send would; the
  // sender has told the user already.
  connect(&Sender(), &TPacedSender::Failed, this, [this](const QString& text) {
    if (!active_) return;
    failed_ = true;
    errorText_ = text;
    Finished = false;
    Close();
  });
}

TTransfer::~TTransfer() = default;

int TTransfer::Gauge() const {
  const std::int64_t count = transmetting_ ? messagesSent_ : messagesReceived_;
  if (expected_ <= 0) return count > 0 ? 100 : 0;
  return static_cast<int>(std::clamp<std::int64_t>(count * 100 / expected_, 0, 100));
}

QString TTransfer::ElemNumberText() const {
  return elemShown_ ? QString::number(elemNumber_) : QString();
}

void TTransfer::ClearFailure() {
  failed_ = false;
  errorText_.clear();
}

void TTransfer::Start(std::int32_t expected, const QString& elemCaption, const QString& title) {
  bytesReceived_ = bytesSent_ = messagesReceived_ = messagesSent_ = 0;
  elemNumber_ = 0;
  elemShown_ = false;
  expected_ = expected;
  transmetting_ = false;
  title_ = title;
  elemCaption_ = elemCaption + QStringLiteral(" : ");
  Finished = false;
  ClearFailure();
  active_ = true;
  ProgressHost().Started(*this);
  Q_EMIT Changed();
}

void TTransfer::SetTransmetting() {
  transmetting_ = true;
  NotifyChanged();
}

void TTransfer::AddSended(std::int32_t bytes, std::int32_t messages) {
  bytesSent_ += bytes;
  messagesSent_ += messages;
  NotifyChanged();
}

void TTransfer::AddReceived(std::int32_t bytes, std::int32_t messages) {
  bytesReceived_ += bytes;
  messagesReceived_ += messages;
  NotifyChanged();
}

void TTransfer::AddElem(std::int32_t n) {
  elemNumber_ += n;
  elemShown_ = true;
  NotifyChanged();
}

void TTransfer::Repaint() {
  NotifyChanged();
}

void TTransfer::ShowModal() {
  if (active_) ProgressHost().RunModal(*this);
}

void TTransfer::Close() {
  active_ = false;
  Timer.Stop();
  TimerCleanup.Stop();
  MidiSession().InstallDefaultInput();
  ProgressHost().EndModal(*this);
}

void TTransfer::Refuse(const QString& text) {
  failed_ = true;
  errorText_ = text;
  Finished = false;
  UI().Show(TMsgKind::Error, text);
}

bool TTransfer::Guard(const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const EmidioutputError& error) {
    // The port is gone or refused the message: nothing more can be sent, and the element did
    // not get what the transfer was for.
    failed_ = true;
    errorText_ = error.Text();
    Finished = false;
    Close();
    UI().Show(TMsgKind::Error, error.Text());
    return false;
  }
}

bool TTransfer::Step(const std::function<void()>& step) {
  return active_ && Guard(step);
}

void TTransfer::AttachInput(std::function<void(TMidiInput*)> handler) {
  if (TMidiInput* input = MidiSession().Input()) input->OnMidiInput = std::move(handler);
  NotifyTicked();
}

void TTransfer::DetachInput() {
  if (TMidiInput* input = MidiSession().Input()) input->OnMidiInput = nullptr;
}

void TTransfer::DiscardPendingInput() {
  TMidiInput* input = MidiSession().Input();
  if (!input) return;
  const int pending = input->PendingCount();
  for (int i = 0; i <= pending; ++i) input->NextEvent();
}

std::unique_ptr<TMyMidiEvent> TTransfer::TakeEvent(TMidiInput* input) {
  if (!MidiSession().MidiOpen() || !input) return nullptr;
  return input->NextEvent();
}

void TTransfer::NotResponding(TLibElem& element) {
  Timer.Stop();
  // A patch bank's discard must not send its request while the question is shown: Retry
  // sends it.
  TimerCleanup.Stop();
  DetachInput();
  if (Finished) {
    Close();
    return;
  }
  const int answer = UI().Ask(
      TMsgKind::Warning, QStringLiteral("The Instrument Is Not Responding."), mbCancel | mbRetry);
  if (answer == mbRetry && active_)
    Step([&element] { element.RequestNext(); });
  else
    Close();
}

void TTransfer::RunReceive(TLibElem& element, std::int32_t expected, const QString& elemCaption,
                           const QString& title, bool addElem) {
  Timer.Arm(
      Timing().ReplyTimeoutMs, [this, &element] { NotResponding(element); }, false);
  Start(expected, elemCaption, title);
  if (Step([&element] { element.RequestNext(); }) && addElem) AddElem(1);
  ShowModal();
}

void TTransfer::RunTransmission(TLibElem& element, std::int32_t expected,
                                const QString& elemCaption, const QString& title, bool addElem) {
  Timer.Arm(
      Timing().TransmitTickMs, [&element] { element.TransmitNext(); }, true);
  Start(expected, elemCaption, title);
  SetTransmetting();
  if (addElem) AddElem(1);
  Step([&element] { element.TransmitNext(); });
  ShowModal();
}

void TTransfer::FinishTimed(TLibElem& element) {
  Finished = true;
  Repaint();
  Timer.Arm(
      Timing().FinishCloseMs, [this, &element] { NotResponding(element); }, true);
}

void TTransfer::NotifyChanged() {
  Q_EMIT Changed();
  ProgressHost().Changed(*this);
}

void TTransfer::NotifyTicked() {
  ProgressHost().Ticked(*this);
}
