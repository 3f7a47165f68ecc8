#pragma once
// The modal progress window of every multi-message transfer: gauge, what is being moved, the
// element number, bytes and messages sent and received, and Cancel. It shows the program-wide
// transfer object, which holds the counters, the timers and Finished.
#include <QDialog>

#include "model/transfer.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

class TFormTransmet : public QDialog, public TProgressHost {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 277;
  static constexpr int kClientHeight = 228;
  static constexpr int kBoxWidth = 120;      // "Send" and "Receive" side by side
  static constexpr int kWideBoxWidth = 252;  // "Send" alone, over the width of every box

  explicit TFormTransmet(QWidget* parent = nullptr);

  void Started(const TTransfer& transfer) override;
  void Changed(const TTransfer& transfer) override;
  // exec() while the transfer is active; returns when it closes.
  void RunModal(TTransfer& transfer) override;
  void EndModal(TTransfer& transfer) override;

  // Cancel, Esc and the window's close command all end the transfer.
  void reject() override;

  QProgressBar* Gauge() const { return gauge_; }
  QLabel* LabelAction() const { return labelAction_; }
  QLabel* LabelElement() const { return labelElement_; }
  QLabel* LabelElemNumber() const { return labelElemNumber_; }
  QGroupBox* GroupSend() const { return groupSend_; }
  QGroupBox* GroupReceive() const { return groupReceive_; }
  QLabel* SendBytes() const { return sendBytes_; }
  QLabel* SendMessages() const { return sendMessages_; }
  QLabel* ReceiveBytes() const { return receiveBytes_; }
  QLabel* ReceiveMessages() const { return receiveMessages_; }
  QPushButton* BtnCancel() const { return btnCancel_; }

 private:
  QGroupBox* CountBox(const QString& title, const QString& name, QLabel*& bytes, QLabel*& messages);
  void Show(const TTransfer& transfer);

  TTransfer* running_ = nullptr;  // the transfer of the modal run in progress
  QProgressBar* gauge_;
  QLabel* labelAction_;
  QLabel* labelElement_;
  QLabel* labelElemNumber_;
  QGroupBox* groupSend_;
  QGroupBox* groupReceive_;
  QLabel* sendBytes_ = nullptr;
  QLabel* sendMessages_ = nullptr;
  QLabel* receiveBytes_ = nullptr;
  QLabel* receiveMessages_ = nullptr;
  QPushButton* btnCancel_;
};
