#pragma once
// TEfxRequest: after the user picks another EFX type, the instrument has loaded that type's own
// parameter settings; this asks it for them. It sends the type again, takes the MIDI input over,
// requests the twelve parameter bytes that follow the type byte and waits (the effects request
// timer) for the one message that answers it. Only a whole, valid answer counts: anything else
// that arrives meanwhile is ignored, and silence ends in "The instruments is not responding."
// with OK and Retry.
#include <array>
#include <cstdint>
#include <functional>

#include <QObject>
#include <QTimer>

class TMidiInput;
class TMyMidiEvent;

class TEfxRequest : public QObject {
  Q_OBJECT
 public:
  static constexpr int kParameterCount = 12;
  using TParameters = std::array<std::uint8_t, kParameterCount>;

  explicit TEfxRequest(QObject* parent = nullptr);
  ~TEfxRequest() override;

  // The type's data set to base + typeOffset again, pending input discarded, the input port's
  // handler taken over, the timer started and the data request for the twelve bytes at
  // base + typeOffset + 1 sent. False, and nothing waits, while the MIDI ports are closed or when
  // the output failed (its text was shown).
  bool Start(std::uint32_t base, int typeOffset, std::uint8_t type);
  bool Waiting() const { return waiting_; }
  // Stops waiting and gives the input back to the default handler; no callback runs.
  void Cancel();

  // Whether an event is the answer to a request for the twelve bytes at address: a data set of
  // this model to our device, from exactly that address, with twelve data bytes and a valid
  // checksum.
  static bool IsAnswer(const TMyMidiEvent& event, std::uint32_t address);

  // The answer arrived (the input is back with the default handler).
  std::function<void(const TParameters&)> OnAnswer;
  // No answer, and the user chose OK (Retry starts the request over by itself).
  std::function<void()> OnGiveUp;
  // The request ended without an answer and without the question: a transfer took the input
  // over before the time-out, or Retry could not send.
  std::function<void()> OnUnanswered;

 private:
  void Input(TMidiInput* input);
  void Expired();
  void Release();

  QTimer timer_;
  bool waiting_ = false;
  std::uint32_t base_ = 0;
  int typeOffset_ = 0;
  std::uint8_t type_ = 0;
};
