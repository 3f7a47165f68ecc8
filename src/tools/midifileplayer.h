#pragma once
// TMidiFilePlayer: plays a read MIDI file on the program's output port, each message at its
// time after the start, measured on a steady clock. The port stays the program's: nothing is
// closed or reopened, so the editors keep working while a file plays. Stopping silences every
// note the player started (and a sustain pedal it left down).
#include <chrono>
#include <cstdint>
#include <functional>

#include <QObject>
#include <QTimer>

#include "tools/midifile.h"

class TMidiFilePlayer : public QObject {
  Q_OBJECT
 public:
  using TClock = std::chrono::steady_clock;

  explicit TMidiFilePlayer(QObject* parent = nullptr);
  ~TMidiFilePlayer() override;

  // Starts playing file from now; a file already playing is stopped first.
  void Play(TMidiFile file);
  // Sends what is due and arms the timer for the next message (the timer calls it).
  void Poll();
  // Stops and silences. Nothing happens when nothing plays.
  void Stop();
  bool Playing() const { return playing_; }

  // Sends one message; the program's output port unless replaced (tests record here). A
  // failure of the port (EmidioutputError) stops the player, and OnError gets its text.
  std::function<void(const std::uint8_t* bytes, std::size_t length)> Send;
  std::function<void(const QString& text)> OnError;
  // The clock the times are measured on.
  std::function<TClock::time_point()> Now = [] { return TClock::now(); };

 Q_SIGNALS:
  // The last message was sent (not after Stop).
  void Finished();

 private:
  bool Transmit(const std::uint8_t* bytes, std::size_t length);
  void Track(const std::uint8_t* bytes, std::size_t length);
  void Silence();

  TMidiFile file_;
  std::size_t next_ = 0;
  TClock::time_point start_;
  bool playing_ = false;
  QTimer timer_;
  // Notes started and not yet ended, per channel and note; sustain pedals held down.
  std::uint8_t sounding_[16][128] = {};
  bool sustain_[16] = {};
};
