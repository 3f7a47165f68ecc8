#pragma once
// TFormPerComm: the performance's common window: name, default tempo, velocity range switch and
// the voice reserves of the sixteen parts, which together never exceed the instrument's 64
// voices ("Voice Available" shows what is left).
#include "editors/common/pagewindow.h"
#include "model/performance.h"

class QLineEdit;
class TMyEdit;

class TFormPerComm : public TPageWindow {
  Q_OBJECT
 public:
  static constexpr int kVoices = 64;

  explicit TFormPerComm(TPerformance& performance, QWidget* parent = nullptr);

  QLineEdit* NameBox() const;
  TMyEdit* Tempo() const;
  TMyEdit* VoiceReserve(int part) const;  // part 1 to 16
  QLineEdit* VoiceAvailable() const { return available_; }

 protected:
  void ShowExtra() override;

 private:
  // A reserve was stepped: a total past 64 sets it back by one step.
  void ReserveStepped(int part);
  // The voices the reserves hold, leaving out a reserve whose byte is out of range.
  int ReservedVoices() const;

  TPerformance& performance_;
  QLineEdit* available_;
};
