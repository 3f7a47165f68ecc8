#pragma once
// The one way out to the instrument. Every message the program sends waits its turn here, and
// the window thread never sleeps for the wire: a system-exclusive message leaves no sooner than
// the message pause after it was queued and after the previous system-exclusive message left,
// and a timer drains what waits. Messages leave in the order they were queued; the monitor is
// told when they leave.
//
// A data set for the address and length of one still waiting takes its place (a control being
// moved sends at most one message per pause, and always the last value). It never passes a
// message of another kind: a request, a note or a GM System Off queued after the waiting one
// keeps it where it is, except the GM System Off that leads the new data set itself when the
// waiting one is led by the same message.
#include <chrono>
#include <cstdint>
#include <deque>
#include <vector>

#include <QObject>
#include <QString>
#include <QTimer>

class TPacedSender : public QObject {
  Q_OBJECT
 public:
  using TClock = std::chrono::steady_clock;
  enum TKind { Sysex, Short, Timed };

  static TPacedSender& Instance();

  // A system-exclusive message, paced. leadsNext: it belongs before the next message queued (a
  // GM System Off before its data set) and moves with it when that one replaces a waiting one.
  // Nothing is queued while the MIDI-open flag is clear. A port error while writing at once
  // raises EmidioutputError; one while draining drops the queue (Failed).
  void SendSysex(const std::uint8_t* bytes, std::size_t length, bool leadsNext = false);
  // A short message (one to three bytes): no pause of its own, but never ahead of what waits.
  void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
  // A long message that keeps the time of its caller (a MIDI file's system exclusive): no pause.
  void SendTimed(const std::uint8_t* bytes, std::size_t length);

  int Waiting() const { return static_cast<int>(queue_.size()); }
  // How long until everything waiting has left, at the current pacing.
  int MsLeft() const;
  // Sends everything waiting, keeping the pacing, before returning (the program ends or the
  // ports close). False when the port failed meanwhile.
  bool Flush();
  // Forgets everything waiting.
  void Drop();

 Q_SIGNALS:
  // A port error while draining: the waiting messages were dropped and the user told once.
  void Failed(const QString& text);
  // The queue became empty.
  void Drained();

 private:
  struct TEntry {
    TKind Kind = Sysex;
    std::vector<std::uint8_t> Bytes;
    TClock::time_point Queued;
    bool LeadsNext = false;
  };
  TPacedSender();
  void Queue(TEntry entry);
  bool Replace(TEntry& entry);
  TClock::time_point Due(const TEntry& entry) const;
  void Write(const TEntry& entry);
  void Drain();
  void Fail(const QString& text);
  void Arm();

  std::deque<TEntry> queue_;
  TClock::time_point lastSysex_{};
  QTimer timer_;
};

inline TPacedSender& Sender() { return TPacedSender::Instance(); }
