#include "tools/midifileplayer.h"

#include <algorithm>

#include "midi/midierrors.h"
#include "midi/midisession.h"
#include "midi/pacedsender.h"

namespace {
// Messages up to this far ahead go out with those due now. The event loop wakes a timer in
// whole milliseconds, never early, so the timer is armed for the last whole millisecond before
// a message is due, and the remaining fraction is waited out by polling again at once.
constexpr auto kAhead = std::chrono::microseconds(250);

void SendToOutput(const std::uint8_t* bytes, std::size_t length) {
  TMidiSession& session = MidiSession();
  if (!session.MidiOpen() || !session.Output()) return;
  // The file keeps its own time: its system-exclusive messages take no pause, but nothing
  // passes what already waits to go out.
  if (length > 0 && bytes[0] == 0xF0)
    Sender().SendTimed(bytes, length);
  else
    Sender().SendShort(bytes[0], length > 1 ? bytes[1] : 0, length > 2 ? bytes[2] : 0);
}
}  // namespace

TMidiFilePlayer::TMidiFilePlayer(QObject* parent) : QObject(parent), Send(SendToOutput) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &TMidiFilePlayer::Poll);
}

TMidiFilePlayer::~TMidiFilePlayer() {
  // Never leave the instrument sounding; a port that fails now has nobody to tell.
  OnError = nullptr;
  Stop();
}

void TMidiFilePlayer::Play(TMidiFile file) {
  Stop();
  file_ = std::move(file);
  next_ = 0;
  start_ = Now();
  playing_ = true;
  Poll();
}

void TMidiFilePlayer::Poll() {
  if (!playing_) return;
  const TClock::time_point now = Now();
  while (next_ < file_.Events.size()) {
    const TMidiFileEvent& event = file_.Events[next_];
    const TClock::time_point due = start_ + std::chrono::microseconds(event.TimeUs);
    if (due > now + kAhead) {
      const auto wait = std::chrono::floor<std::chrono::milliseconds>(due - kAhead - now);
      timer_.start(std::max(wait, std::chrono::milliseconds(0)));
      return;
    }
    ++next_;
    bool sent;
    if (event.Length == 0) {
      const auto bytes = file_.SysexBytes(event.Sysex);
      sent = Transmit(bytes.data(), bytes.size());
    } else {
      sent = Transmit(event.Bytes, event.Length);
    }
    if (!sent) return;
  }
  // Notes a file leaves on would sound forever.
  Silence();
  playing_ = false;
  Q_EMIT Finished();
}

void TMidiFilePlayer::Stop() {
  timer_.stop();
  if (!playing_) return;
  playing_ = false;
  Silence();
}

bool TMidiFilePlayer::Transmit(const std::uint8_t* bytes, std::size_t length) {
  try {
    Send(bytes, length);
  } catch (const EmidioutputError& error) {
    timer_.stop();
    playing_ = false;
    std::fill(&sounding_[0][0], &sounding_[0][0] + 16 * 128, 0);
    std::fill(sustain_, sustain_ + 16, false);
    if (OnError) OnError(error.Text());
    return false;
  }
  Track(bytes, length);
  return true;
}

void TMidiFilePlayer::Track(const std::uint8_t* bytes, std::size_t length) {
  if (length < 3) return;
  const int channel = bytes[0] & 0x0F;
  switch (bytes[0] & 0xF0) {
    case 0x90:
      if (bytes[2] > 0) {
        std::uint8_t& count = sounding_[channel][bytes[1]];
        if (count < 255) ++count;
        break;
      }
      [[fallthrough]];  // velocity 0 ends the note
    case 0x80:
      sounding_[channel][bytes[1]] = 0;
      break;
    case 0xB0:
      if (bytes[1] == 64) sustain_[channel] = bytes[2] >= 64;
      if (bytes[1] == 123 || bytes[1] == 120)  // all notes off, all sound off
        std::fill(sounding_[channel], sounding_[channel] + 128, 0);
      break;
  }
}

void TMidiFilePlayer::Silence() {
  for (int channel = 0; channel < 16; ++channel) {
    for (int note = 0; note < 128; ++note) {
      if (!sounding_[channel][note]) continue;
      // One note-off per note-on still open: a note started twice was also stacked twice.
      const std::uint8_t off[3] = {static_cast<std::uint8_t>(0x80 | channel),
                                   static_cast<std::uint8_t>(note), 0};
      for (int n = sounding_[channel][note]; n > 0; --n)
        if (!Transmit(off, 3)) return;
    }
    if (sustain_[channel]) {
      const std::uint8_t pedal[3] = {static_cast<std::uint8_t>(0xB0 | channel), 64, 0};
      if (!Transmit(pedal, 3)) return;
    }
  }
}
