#pragma once
// The one transfer between the program and the instrument that may run at a time: its counters,
// its two timers, its Finished flag, and its modal run. The progress window, the command-line
// progress bar and the tests are progress hosts that show it; the sound objects drive it.
#include <cstdint>
#include <functional>
#include <memory>

#include <QObject>
#include <QString>
#include <QTimer>

class TLibElem;
class TMidiInput;
class TMyMidiEvent;
class TTransfer;

// What shows a transfer: the window in the program, a terminal bar in vesta-cli, a headless
// event loop in tests.
class TProgressHost {
 public:
  virtual ~TProgressHost() = default;
  // Start() ran: new title, caption and totals; every counter is 0.
  virtual void Started(const TTransfer&) {}
  // A counter, the element number, the transmitting flag or Finished changed (repaint).
  virtual void Changed(const TTransfer&) {}
  // A timer fired or was armed, or the input handler was swapped (for hooks of tests).
  virtual void Ticked(const TTransfer&) {}
  // Shows the transfer modally; returns once EndModal has been called for it.
  virtual void RunModal(TTransfer& transfer) = 0;
  // Ends the modal run (called by Close, also when RunModal has not been entered yet).
  virtual void EndModal(TTransfer& transfer) = 0;
};

// A timer whose interval, enabled state and one handler the transfer routines set. Changing the
// interval of an enabled timer restarts its period.
class TTransferTimer : public QObject {
  Q_OBJECT
 public:
  explicit TTransferTimer(TTransfer& transfer);

  int Interval() const { return timer_.interval(); }
  void SetInterval(int ms);
  bool Enabled() const { return timer_.isActive(); }
  void SetEnabled(bool enabled);
  void Stop() { SetEnabled(false); }
  void SetHandler(std::function<void()> handler) { handler_ = std::move(handler); }
  // Interval, handler and enabled state in one call.
  void Arm(int ms, std::function<void()> handler, bool enabled);

 private:
  void Fire();

  TTransfer& transfer_;
  QTimer timer_;
  std::function<void()> handler_;
};

class TTransfer : public QObject {
  Q_OBJECT
 public:
  TTransfer();
  ~TTransfer() override;

  // Counters and state, as the progress window shows them.
  std::int32_t BytesReceived() const { return bytesReceived_; }
  std::int32_t BytesSent() const { return bytesSent_; }
  std::int32_t MessagesReceived() const { return messagesReceived_; }
  std::int32_t MessagesSent() const { return messagesSent_; }
  std::int32_t Expected() const { return expected_; }
  std::int32_t ElemNumber() const { return elemNumber_; }
  bool Transmetting() const { return transmetting_; }
  QString Title() const { return title_; }
  // The element caption followed by " : ", as the window labels it.
  QString ElemCaption() const { return elemCaption_; }
  // The element number in decimal, empty until the first AddElem after Start.
  QString ElemNumberText() const;
  // 0 to 100: trunc(count / expected x 100) of sent messages while transmitting, else of received.
  int Gauge() const;

  // The transfer reached its end; set by the transfer routines, cleared by Start.
  bool Finished = false;
  // The address the last data request asked from: its replies come at this address plus their
  // block's offset. A reply elsewhere is a late answer to an earlier request (after a time-out
  // and Retry), which taken in arrival order would fill the wrong block.
  std::uint32_t ReplyBase = 0;
  // An output error ended the transfer (its text was shown); cleared by Start.
  bool Failed() const { return failed_; }
  QString ErrorText() const { return errorText_; }
  // Between Start and Close.
  bool Active() const { return active_; }
  // Forgets an earlier failure (for sends made without Start, such as a single patch).
  void ClearFailure();

  TTransferTimer Timer;         // reply time-out, transmission ticks, the close after finishing
  TTransferTimer TimerCleanup;  // input discarded after a bad patch-bank reply

  // Clears every counter, Finished and the transmitting flag; stores the total and the texts.
  void Start(std::int32_t expected, const QString& elemCaption, const QString& title);
  // The gauge follows sent messages from now on (a transmission).
  void SetTransmetting();
  void AddSended(std::int32_t bytes, std::int32_t messages);
  void AddReceived(std::int32_t bytes, std::int32_t messages);
  void AddElem(std::int32_t n);
  // Tells the host to show the state again (after Finished was set, for instance).
  void Repaint();
  // Runs the transfer modally through the host; returns when it closes. Returns at once when it
  // was closed before (an output error while sending the first message).
  void ShowModal();
  // Stops both timers, makes DefaultMidiInput the input handler again and ends the modal run.
  void Close();

  // A send refused before anything of it left: shows why and marks the transfer failed, as an
  // output error would (the transfer was never started, so nothing is closed).
  void Refuse(const QString& text);
  // Runs a step of a transfer routine; an output error shows the port's text, marks the
  // transfer failed and closes it. False when it failed.
  bool Guard(const std::function<void()>& step);
  // Guard for the steps that continue a transfer (reply handlers, timers, Retry): nothing runs
  // once the transfer was closed, for instance by Cancel while a reply was being counted.
  bool Step(const std::function<void()>& step);

  // The input port's handler while a receive waits for replies.
  void AttachInput(std::function<void(TMidiInput*)> handler);
  // No handler: events stay queued in the input port.
  void DetachInput();
  // Reads the pending count once and takes and drops that many events plus one.
  static void DiscardPendingInput();
  // The next received event, or none (also while the MIDI ports are closed).
  static std::unique_ptr<TMyMidiEvent> TakeEvent(TMidiInput* input);

  // The Timer fired: closes a finished transfer; otherwise asks "The Instrument Is Not
  // Responding." (Retry requests the same block again through element.RequestNext, Cancel
  // closes and the element keeps what arrived).
  void NotResponding(TLibElem& element);

  // A receive: the Timer armed (reply time-out, disabled) for NotResponding(element), Start,
  // element.RequestNext, AddElem(1) when asked, then the modal run.
  void RunReceive(TLibElem& element, std::int32_t expected, const QString& elemCaption,
                  const QString& title, bool addElem);
  // A timed transmission: the Timer ticking element.TransmitNext, Start, SetTransmetting,
  // AddElem(1) when asked, the first TransmitNext at once, then the modal run.
  void RunTransmission(TLibElem& element, std::int32_t expected, const QString& elemCaption,
                       const QString& title, bool addElem);
  // The end of a timed transfer: Finished, repaint, and the close a moment later.
  void FinishTimed(TLibElem& element);

  // For the timers.
  void NotifyTicked();

 Q_SIGNALS:
  void Changed();

 private:
  void NotifyChanged();

  std::int32_t bytesReceived_ = 0;
  std::int32_t bytesSent_ = 0;
  std::int32_t messagesReceived_ = 0;
  std::int32_t messagesSent_ = 0;
  std::int32_t expected_ = 1;
  std::int32_t elemNumber_ = 0;
  bool transmetting_ = false;
  bool elemShown_ = false;
  bool active_ = false;
  bool failed_ = false;
  QString errorText_;
  QString title_;
  QString elemCaption_;
};

// The MIDI channel of auditions: 1 after a patch or performance went to the temporary area,
// 10 after a rhythm set.
extern int PreviewChannel;

// The program-wide transfer (only one runs at a time).
TTransfer& Transfer();
// The host in force; a headless host (an event loop until Close) until one is installed.
TProgressHost& ProgressHost();
// Installs a host (not owned) and returns the previous one; nullptr restores the headless host.
TProgressHost* SetProgressHost(TProgressHost* host);
