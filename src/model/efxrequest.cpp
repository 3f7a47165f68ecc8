#include "model/efxrequest.h"

#include <algorithm>

#include "midi/midisession.h"
#include "midi/sysex.h"
#include "midi/timing.h"
#include "midi/userinterface.h"
#include "model/transfer.h"

namespace {
constexpr int kHeaderSize = 9;  // F0 41 dev 6A 12 and four address bytes
constexpr int kAnswerSize = kHeaderSize + TEfxRequest::kParameterCount + 2;
}  // namespace

TEfxRequest::TEfxRequest(QObject* parent) : QObject(parent) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &TEfxRequest::Expired);
}

TEfxRequest::~TEfxRequest() {
  Cancel();
}

bool TEfxRequest::Start(std::uint32_t base, int typeOffset, std::uint8_t type) {
  Cancel();
  if (!MidiSession().MidiOpen() || !MidiSession().Input()) return false;
  base_ = base;
  typeOffset_ = typeOffset;
  type_ = type;
  const auto offset = static_cast<std::uint16_t>(typeOffset);
  Transfer().ClearFailure();
  const bool sent = Transfer().Guard([this, offset] {
    SendDataByte(base_, 0, offset, type_);
    TTransfer::DiscardPendingInput();
    MidiSession().Input()->OnMidiInput = [this](TMidiInput* input) { Input(input); };
    waiting_ = true;
    timer_.start(Timing().EffectsRequestMs);
    SendDataRequest(base_, 0, static_cast<std::uint16_t>(offset + 1), kParameterCount);
  });
  if (!sent) Cancel();
  return sent;
}

void TEfxRequest::Cancel() {
  if (!waiting_) return;
  Release();
}

void TEfxRequest::Release() {
  waiting_ = false;
  timer_.stop();
  // A transfer started meanwhile (a receive from a library window) has the input now: leave it.
  if (MidiSession().Input() && !Transfer().Active()) MidiSession().InstallDefaultInput();
}

bool TEfxRequest::IsAnswer(const TMyMidiEvent& event, std::uint32_t address) {
  const std::vector<std::uint8_t>& b = event.Sysex;
  if (b.size() != kAnswerSize || !ReplyValid(event)) return false;
  const std::uint32_t from =
      std::uint32_t{b[5]} << 24 | std::uint32_t{b[6]} << 16 | std::uint32_t{b[7]} << 8 | b[8];
  return b[0] == 0xF0 && b[1] == kRolandId && b[2] == DeviceIdByte() && b[3] == kModelId &&
         b[4] == kCmdDT1 && from == address && b.back() == 0xF7;
}

void TEfxRequest::Input(TMidiInput* input) {
  const std::unique_ptr<TMyMidiEvent> event = TTransfer::TakeEvent(input);
  // Another device's traffic, a damaged or cut message: keep waiting for the real answer.
  if (!waiting_ || !event || !IsAnswer(*event, base_ + static_cast<std::uint32_t>(typeOffset_) + 1))
    return;
  TParameters parameters;
  std::copy_n(event->Sysex.begin() + kHeaderSize, kParameterCount, parameters.begin());
  Release();
  if (OnAnswer) OnAnswer(parameters);
}

void TEfxRequest::Expired() {
  if (!waiting_) return;
  // An answer that comes after this goes to the default handler and changes nothing.
  const bool superseded = Transfer().Active();
  Release();
  if (superseded) {
    if (OnUnanswered) OnUnanswered();
    return;
  }
  const int answer = UI().Ask(TMsgKind::Information,
                              QStringLiteral("The instruments is not responding."), mbOK | mbRetry);
  if (answer == mbRetry) {
    if (!Start(base_, typeOffset_, type_) && OnUnanswered) OnUnanswered();
    return;
  }
  if (OnGiveUp) OnGiveUp();
}
