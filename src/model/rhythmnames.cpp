#include "model/rhythmnames.h"

#include <QPointer>

#include "midi/config.h"
#include "midi/midierrors.h"
#include "midi/midisession.h"
#include "midi/pacedsender.h"
#include "midi/sysex.h"
#include "midi/timing.h"
#include "midi/userinterface.h"

namespace {
constexpr int kHeaderLength = 9;  // F0 41 dev 6A 12 and four address bytes
}  // namespace

std::array<QString, kRhythmSetNameCount>& RhythmSetNames() {
  static std::array<QString, kRhythmSetNameCount> names = {
      QStringLiteral("User 01"), QStringLiteral("User 02"), QStringLiteral("Data Card 01"),
      QStringLiteral("Data Card 02")};
  return names;
}

TRhythmNamesReader::TRhythmNamesReader(QObject* parent) : QObject(parent) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &TRhythmNamesReader::TimedOut);
}

TRhythmNamesReader::~TRhythmNamesReader() { Stop(); }

std::uint32_t TRhythmNamesReader::Address(int i) {
  const std::uint32_t area = i < 2 ? 0x10400000 : 0x20400000;
  return area + static_cast<std::uint32_t>(i % 2) * 0x10000;
}

void TRhythmNamesReader::Start() {
  TMidiInput* input = MidiSession().Input();
  if (!MidiSession().MidiOpen() || !input) return;
  while (input->NextEvent()) {
  }
  got_.fill(false);
  count_ = 0;
  requested_ = Config().DataCard ? 4 : 2;
  running_ = true;
  input->OnMidiInput = [this](TMidiInput* from) { Received(from); };
  try {
    for (int i = 0; i < requested_; ++i) SendDataRequest(Address(i), 0, 0, kNameLength);
  } catch (const EmidioutputError& error) {
    Stop();
    UI().Show(TMsgKind::Error, error.Text());
    return;
  }
  timer_.start(Timing().ReplyTimeoutMs + Sender().MsLeft());
}

void TRhythmNamesReader::Stop() {
  timer_.stop();
  if (running_) MidiSession().InstallDefaultInput();
  running_ = false;
}

int TRhythmNamesReader::ReplyName(const TMyMidiEvent& event) const {
  const std::vector<std::uint8_t>& bytes = event.Sysex;
  if (bytes.size() != static_cast<std::size_t>(kHeaderLength + kNameLength + 2)) return -1;
  if (!ReplyValid(event) || bytes[1] != kRolandId || bytes[2] != DeviceIdByte() ||
      bytes[3] != kModelId || bytes[4] != kCmdDT1)
    return -1;
  const std::uint32_t address = std::uint32_t{bytes[5]} << 24 | std::uint32_t{bytes[6]} << 16 |
                                std::uint32_t{bytes[7]} << 8 | bytes[8];
  for (int i = 0; i < requested_; ++i)
    if (address == Address(i)) return i;
  return -1;
}

void TRhythmNamesReader::Received(TMidiInput* input) {
  std::unique_ptr<TMyMidiEvent> event = input->NextEvent();
  if (!running_ || !event || !event->IsSysex()) return;
  const int index = ReplyName(*event);
  if (index < 0) return;
  QString name(kNameLength, u' ');
  for (int i = 0; i < kNameLength; ++i) {
    const std::uint8_t byte = event->Sysex[kHeaderLength + i];
    if (byte >= 0x20 && byte < 0x7F) name[i] = QChar(byte);
  }
  while (name.endsWith(u' ')) name.chop(1);
  RhythmSetNames()[static_cast<std::size_t>(index)] = name;
  if (!got_[static_cast<std::size_t>(index)]) {
    got_[static_cast<std::size_t>(index)] = true;
    ++count_;
  }
  Q_EMIT NameReceived(index);
  if (running_ && count_ == requested_) {
    Stop();
    Q_EMIT Finished();
  }
}

void TRhythmNamesReader::TimedOut() {
  if (!running_) return;
  Stop();
  QPointer<TRhythmNamesReader> self(this);
  const int answer =
      UI().Ask(TMsgKind::Warning, QString::fromLatin1(kNotResponding), mbOK | mbRetry);
  if (self && answer == mbRetry) Start();
}
