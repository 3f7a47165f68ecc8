#pragma once
// "Updating names": fetches the names of the instrument's user and card performances and
// patches, 16 names per step in 20 steps, into "UserCard.Txt", and reloads the name lists.
// Card steps that get no answer mean no card is inserted and are passed over; a user step
// that gets no answer, or a step that misses some of its names, asks the user whether to try
// it again. Each name is placed by the address of its reply, and only whole steps reach the
// lists, so a lost or damaged reply never shifts the names after it.
#include <array>
#include <cstdint>

#include <QDialog>

#include "model/namelists.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class TMidiInput;
class TMyMidiEvent;

class TFormUpdateNames : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 24;
  static constexpr int kStepCount = 20;
  static constexpr int kNamesPerStep = 16;
  static constexpr int kNameLength = 12;
  static constexpr int kTotalNames = 320;

  explicit TFormUpdateNames(QWidget* parent = nullptr);
  ~TFormUpdateNames() override;

  // What a step fetches.
  static bool CardStep(int step);
  static TNameLists::TList StepList(int step);
  static QString StepText(int step);
  // The common block address of the step's element i (0 to 15).
  static std::uint32_t ElementAddress(int step, int i);

  int Step() const { return step_; }
  int ReceivedCount() const { return received_; }

  QLabel* Status() const { return status_; }
  QProgressBar* Gauge() const { return gauge_; }
  QPushButton* CancelButton() const { return cancel_; }
  QTimer* Timer() const { return timer_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void Start();
  void RequestStep();
  void Received(TMidiInput* input);
  // The element (0 to 15) of the current step a valid name reply is for, or -1.
  int ReplyElement(const TMyMidiEvent& event) const;
  void TimerTimer();
  void ShowGauge();
  void Finish();
  void Stop();

  QLabel* status_;
  QProgressBar* gauge_;
  QPushButton* cancel_;
  QTimer* timer_;
  int step_ = 0;
  int received_ = 0;
  int receivedAtStep_ = 0;                        // the count when the step was requested
  std::array<QString, kNamesPerStep> stepNames_;  // empty until its reply has come
  int namesInStep_ = 0;
  bool cardAnswered_ = false;
  bool running_ = false;
  bool handlerInstalled_ = false;
};
