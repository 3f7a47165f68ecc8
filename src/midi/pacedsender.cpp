#include "midi/pacedsender.h"

#include <algorithm>
#include <thread>

#include "midi/midierrors.h"
#include "midi/midisession.h"
#include "midi/timing.h"
#include "midi/userinterface.h"

namespace {
using namespace std::chrono;

// A wait this short is taken in place: a timer keeps it no better, and nobody notices it.
constexpr milliseconds kInPlace{2};

bool IsDataSet(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= 11 && bytes[0] == 0xF0 && bytes[1] == 0x41 && bytes[4] == 0x12;
}

// Same maker, device, model, command and address, and the same length.
bool SameTarget(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  return a.size() == b.size() && std::equal(a.begin() + 1, a.begin() + 9, b.begin() + 1);
}

void WaitUntil(TPacedSender::TClock::time_point due) {
  const auto now = TPacedSender::TClock::now();
  if (due <= now) return;
  // Sleep most of the wait away, then spin the last millisecond: the scheduler's wake-up delay
  // would otherwise add up over many messages.
  std::this_thread::sleep_until(due - milliseconds(1));
  while (TPacedSender::TClock::now() < due) std::this_thread::yield();
}
}  // namespace

TPacedSender& TPacedSender::Instance() {
  static TPacedSender sender;
  return sender;
}

TPacedSender::TPacedSender() {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { Drain(); });
}

void TPacedSender::SendSysex(const std::uint8_t* bytes, std::size_t length, bool leadsNext) {
  Queue({Sysex, {bytes, bytes + length}, TClock::now(), leadsNext});
}

void TPacedSender::SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
  Queue({Short, {status, data1, data2}, TClock::now(), false});
}

void TPacedSender::SendTimed(const std::uint8_t* bytes, std::size_t length) {
  Queue({Timed, {bytes, bytes + length}, TClock::now(), false});
}

TPacedSender::TClock::time_point TPacedSender::Due(const TEntry& entry) const {
  if (entry.Kind != Sysex) return entry.Queued;
  const milliseconds pause(Timing().MessagePauseMs);
  return std::max(entry.Queued + pause, lastSysex_ + pause);
}

void TPacedSender::Queue(TEntry entry) {
  if (!MidiSession().MidiOpen()) return;
  if (queue_.empty()) {
    const TClock::time_point due = Due(entry);
    if (due - TClock::now() <= kInPlace) {
      WaitUntil(due);
      Write(entry);  // a port error reaches the caller
      return;
    }
  } else if (Replace(entry)) {
    return;
  }
  queue_.push_back(std::move(entry));
  Arm();
}

bool TPacedSender::Replace(TEntry& entry) {
  if (entry.Kind != Sysex || !IsDataSet(entry.Bytes)) return false;
  // A GM System Off queued just now for this data set.
  const bool led = queue_.back().LeadsNext;
  const int last = static_cast<int>(queue_.size()) - (led ? 2 : 1);
  for (int i = last; i >= 0; --i) {
    const TEntry& waiting = queue_[i];
    if (waiting.Kind != Sysex || !IsDataSet(waiting.Bytes)) return false;
    if (!SameTarget(waiting.Bytes, entry.Bytes)) continue;
    if (led) {
      // The waiting one must already have the same message before it; the new one then goes.
      if (i == 0 || !queue_[i - 1].LeadsNext || queue_[i - 1].Bytes != queue_.back().Bytes)
        return false;
      queue_.pop_back();
    }
    queue_[i].Bytes = std::move(entry.Bytes);
    return true;
  }
  return false;
}

void TPacedSender::Write(const TEntry& entry) {
  TMidiSession& session = MidiSession();
  if (!session.MidiOpen() || !session.Output()) return;
  const std::uint8_t* bytes = entry.Bytes.data();
  const int length = static_cast<int>(entry.Bytes.size());
  if (entry.Kind == Short)
    session.Output()->SendShort(bytes[0], bytes[1], bytes[2]);
  else
    session.Output()->SendLong(bytes, entry.Bytes.size());
  if (TMidiMonitor* monitor = session.Monitor()) {
    if (entry.Kind == Short) {
      TMyMidiEvent event;
      event.Status = bytes[0];
      event.Data1 = bytes[1];
      event.Data2 = bytes[2];
      monitor->AddMessageMidi(MonitorOutput, event);
    } else {
      monitor->AddMessage(MonitorOutput, bytes, length);
    }
  }
  // The pause counts from here: whoever watches the output sees the messages a pause apart.
  if (entry.Kind != Short) lastSysex_ = TClock::now();
}

void TPacedSender::Drain() {
  while (!queue_.empty()) {
    const TClock::time_point due = Due(queue_.front());
    // The timer fires at its whole millisecond; what is left of it is kept in place.
    if (due - TClock::now() > kInPlace) break;
    WaitUntil(due);
    const TEntry entry = std::move(queue_.front());
    queue_.pop_front();
    try {
      Write(entry);
    } catch (const EmidioutputError& error) {
      Fail(error.Text());
      return;
    }
  }
  if (queue_.empty())
    Q_EMIT Drained();
  else
    Arm();
}

void TPacedSender::Arm() {
  // Woken a little early, the rest waited in place: a timer late by a few milliseconds on a
  // busy machine would make each message late, and the lateness of one would add to the next.
  const auto wait = duration_cast<milliseconds>(Due(queue_.front()) - TClock::now() - kInPlace);
  timer_.start(static_cast<int>(std::max<milliseconds::rep>(0, wait.count())));
}

int TPacedSender::MsLeft() const {
  const milliseconds pause(Timing().MessagePauseMs);
  const TClock::time_point now = TClock::now();
  TClock::time_point at = now, last = lastSysex_;
  for (const TEntry& entry : queue_) {
    at = std::max(at, entry.Queued);
    if (entry.Kind == Sysex) last = at = std::max({at, entry.Queued + pause, last + pause});
  }
  return static_cast<int>(duration_cast<milliseconds>(at - now).count());
}

bool TPacedSender::Flush() {
  while (!queue_.empty()) {
    WaitUntil(Due(queue_.front()));
    const TEntry entry = std::move(queue_.front());
    queue_.pop_front();
    try {
      Write(entry);
    } catch (const EmidioutputError& error) {
      Fail(error.Text());
      return false;
    }
  }
  timer_.stop();
  Q_EMIT Drained();
  return true;
}

void TPacedSender::Fail(const QString& text) {
  const int dropped = Waiting();
  Drop();
  // One message for the whole queue: a box per message would bury the user.
  QString shown = text;
  if (dropped > 0)
    shown += QStringLiteral("\n%1 more message(s) waiting to be sent were dropped.").arg(dropped);
  UI().Show(TMsgKind::Error, shown);
  Q_EMIT Failed(text);
}

void TPacedSender::Drop() {
  queue_.clear();
  timer_.stop();
}
