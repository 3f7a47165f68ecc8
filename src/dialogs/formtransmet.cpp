#include "dialogs/formtransmet.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace {

// Geometry in logical pixels of the client area; Qt scales it on high-density screens.
constexpr int kMargin = 12;
constexpr int kGaugeLeft = 17;
constexpr int kGaugeTop = 8;
constexpr int kGaugeWidth = 243;
constexpr int kGaugeHeight = 24;
constexpr int kLineBoxHeight = 40;
constexpr int kCountBoxHeight = 58;
constexpr int kLabelLeft = 8;
constexpr int kLabelTop = 17;
constexpr int kLineHeight = 16;
constexpr int kCountLeft = 70;

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top,
                  int width) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(left, top, width, kLineHeight);
  return label;
}

}  // namespace

TFormTransmet::TFormTransmet(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormTransmet"));
  setWindowTitle(QString());
  setModal(true);
  // A fixed border with a close command and nothing else: no help or resize buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  QFont small = QApplication::font();
  small.setPointSizeF(8);
  setFont(small);
  setFixedSize(kClientWidth, kClientHeight);

  gauge_ = new QProgressBar(this);
  gauge_->setObjectName(QStringLiteral("Gauge"));
  gauge_->setRange(0, 100);
  gauge_->setValue(0);
  // The counts below carry the numbers; a percentage would be unreadable over half of the bar.
  gauge_->setTextVisible(false);
  gauge_->setGeometry(kGaugeLeft, kGaugeTop, kGaugeWidth, kGaugeHeight);
  gauge_->setStyleSheet(QStringLiteral(
      "QProgressBar#Gauge { background-color: #400040; border: 1px solid #808080; color: white; }"
      "QProgressBar#Gauge::chunk { background-color: #00FFFF; }"));

  const int boxWidth = kClientWidth - 2 * kMargin - 1;  // 252, the span of both count boxes
  int top = kGaugeTop + kGaugeHeight + 6;
  auto* groupAction = new QGroupBox(this);
  groupAction->setObjectName(QStringLiteral("GroupAction"));
  groupAction->setGeometry(kMargin, top, boxWidth, kLineBoxHeight);
  labelAction_ = MakeLabel(groupAction, QStringLiteral("LabelAction"), QString(), kLabelLeft,
                           kLabelTop - 4, boxWidth - 2 * kLabelLeft);

  top += kLineBoxHeight + 4;
  auto* groupElement = new QGroupBox(this);
  groupElement->setObjectName(QStringLiteral("GroupElement"));
  groupElement->setGeometry(kMargin, top, boxWidth, kLineBoxHeight);
  labelElement_ = MakeLabel(groupElement, QStringLiteral("LabelElement"), QString(), kLabelLeft,
                            kLabelTop - 4, 0);
  labelElemNumber_ = MakeLabel(groupElement, QStringLiteral("LabelElemNumber"), QString(),
                               kLabelLeft, kLabelTop - 4, 60);

  top += kLineBoxHeight + 4;
  groupSend_ =
      CountBox(QStringLiteral("Send"), QStringLiteral("GroupSend"), sendBytes_, sendMessages_);
  groupSend_->setGeometry(kMargin, top, kBoxWidth, kCountBoxHeight);
  groupReceive_ = CountBox(QStringLiteral("Receive"), QStringLiteral("GroupReceive"), receiveBytes_,
                           receiveMessages_);
  groupReceive_->setGeometry(kMargin + boxWidth - kBoxWidth, top, kBoxWidth, kCountBoxHeight);

  btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  btnCancel_->setObjectName(QStringLiteral("BtnCancel"));
  constexpr int kButtonWidth = 75;
  constexpr int kButtonHeight = 25;
  btnCancel_->setGeometry((kClientWidth - kButtonWidth) / 2, kClientHeight - kButtonHeight - 8,
                          kButtonWidth, kButtonHeight);
  btnCancel_->setAutoDefault(false);
  connect(btnCancel_, &QPushButton::clicked, this, &TFormTransmet::reject);
}

QGroupBox* TFormTransmet::CountBox(const QString& title, const QString& name, QLabel*& bytes,
                                   QLabel*& messages) {
  auto* box = new QGroupBox(title, this);
  box->setObjectName(name);
  const int countWidth = kBoxWidth - kCountLeft - kLabelLeft;
  MakeLabel(box, name + QStringLiteral("BytesLabel"), QStringLiteral("Bytes :"), kLabelLeft,
            kLabelTop, kCountLeft - kLabelLeft);
  bytes = MakeLabel(box, name + QStringLiteral("Bytes"), QStringLiteral("0"), kCountLeft, kLabelTop,
                    countWidth);
  MakeLabel(box, name + QStringLiteral("MessageLabel"), QStringLiteral("Message :"), kLabelLeft,
            kLabelTop + kLineHeight + 2, kCountLeft - kLabelLeft);
  messages = MakeLabel(box, name + QStringLiteral("Messages"), QStringLiteral("0"), kCountLeft,
                       kLabelTop + kLineHeight + 2, countWidth);
  return box;
}

void TFormTransmet::Started(const TTransfer& transfer) {
  Show(transfer);
}

void TFormTransmet::Changed(const TTransfer& transfer) {
  Show(transfer);
}

void TFormTransmet::Show(const TTransfer& transfer) {
  gauge_->setValue(transfer.Gauge());
  labelAction_->setText(transfer.Title());
  labelElement_->setText(transfer.ElemCaption());
  labelElement_->adjustSize();
  labelElement_->resize(labelElement_->width(), kLineHeight);
  // The number follows the caption directly, whatever the caption's length.
  labelElemNumber_->move(labelElement_->x() + labelElement_->width(), labelElement_->y());
  labelElemNumber_->setText(transfer.ElemNumberText());
  sendBytes_->setText(QString::number(transfer.BytesSent()));
  sendMessages_->setText(QString::number(transfer.MessagesSent()));
  receiveBytes_->setText(QString::number(transfer.BytesReceived()));
  receiveMessages_->setText(QString::number(transfer.MessagesReceived()));
  const int boxWidth = kClientWidth - 2 * kMargin - 1;
  groupSend_->resize(transfer.Transmetting() ? boxWidth : kBoxWidth, groupSend_->height());
  groupReceive_->setVisible(!transfer.Transmetting());
}

void TFormTransmet::RunModal(TTransfer& transfer) {
  // Closed before it could be shown (an output error on the first message): nothing to wait for.
  if (!transfer.Active()) return;
  running_ = &transfer;
  Show(transfer);
  if (const QScreen* screen = QApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  exec();
  running_ = nullptr;
}

void TFormTransmet::EndModal(TTransfer&) {
  if (isVisible()) QDialog::done(QDialog::Rejected);
}

void TFormTransmet::reject() {
  // Closing goes through the transfer, which stops its timers and gives the input back to the
  // default handler before it ends the modal run.
  if (running_ && running_->Active())
    running_->Close();
  else
    QDialog::reject();
}
