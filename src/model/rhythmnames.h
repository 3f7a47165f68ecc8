#pragma once
// The names of the user and card rhythm sets, which the parts window of the performance editor
// offers for part 10. They are read from the instrument when that window opens; until then, and
// whenever a reply is lost, a name stays as it was ("User 01", "User 02", "Data Card 01",
// "Data Card 02" at first).
#include <array>
#include <cstdint>

#include <QObject>
#include <QString>
#include <QTimer>

class TMidiInput;
class TMyMidiEvent;

// User set 1, user set 2, card set 1, card set 2.
inline constexpr int kRhythmSetNameCount = 4;
std::array<QString, kRhythmSetNameCount>& RhythmSetNames();

// One reading of the names: a data request for each set's 12 name bytes (the card's only when a
// data card is installed), the replies placed by their address, and the input handed back to
// the program's default handler when every requested name has come or the time-out asks the
// user. Only a reply that is whole (checksum, this model and device, 12 name bytes) and answers
// one of the requests becomes a name, so another message arriving meanwhile, a damaged reply
// or a late answer never lands in the wrong name.
class TRhythmNamesReader : public QObject {
  Q_OBJECT
 public:
  static constexpr int kNameLength = 12;
  static constexpr const char* kNotResponding = "The instruments is not responding.";

  explicit TRhythmNamesReader(QObject* parent = nullptr);
  ~TRhythmNamesReader() override;

  // The common block address of name i (user 10 40 00 00, 10 41 00 00; card 20 40 00 00,
  // 20 41 00 00).
  static std::uint32_t Address(int i);

  // Starts a reading; nothing while the MIDI ports are not usable. No reply within the reply
  // time-out shows kNotResponding with OK and Retry; Retry reads again.
  void Start();
  // Ends a reading early (the window closes) and hands the input back.
  void Stop();
  bool Running() const { return running_; }
  // How many names a reading asks for: 2, or 4 with a data card.
  int Requested() const { return requested_; }

 Q_SIGNALS:
  // A name was placed in RhythmSetNames().
  void NameReceived(int index);
  // Every requested name has come.
  void Finished();

 private:
  void Received(TMidiInput* input);
  // The name (0 to 3) a valid reply answers, or -1.
  int ReplyName(const TMyMidiEvent& event) const;
  void TimedOut();

  QTimer timer_;
  std::array<bool, kRhythmSetNameCount> got_{};
  int requested_ = 0;
  int count_ = 0;
  bool running_ = false;
};
