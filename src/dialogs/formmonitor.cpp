#include "dialogs/formmonitor.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "dialogs/helpwindow.h"
#include "dialogs/settingsstore.h"
#include "frame/childframe.h"
#include "midi/midisession.h"

namespace {
const QString kSection = QStringLiteral("Monitor");
constexpr int kDefaultWidth = 378;
constexpr int kDefaultHeight = 278;
// A monitor left open for hours must not grow without end; old lines go first.
constexpr int kMaxLines = 20000;

QString Hex(std::uint8_t byte) {
  return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}
}  // namespace

TFormMonitor::TFormMonitor(TSettingsStore& settings, bool& open, QWidget* parent)
    : QWidget(parent), settings_(settings), open_(open) {
  setObjectName(QStringLiteral("FormMonitor"));
  SetHelpContext(this, kHelpContext);
  setWindowTitle(QStringLiteral("Monitor"));
  setAttribute(Qt::WA_DeleteOnClose);
  const QString titles[2] = {QStringLiteral("Message In"), QStringLiteral("Message Out")};
  const QString names[2] = {QStringLiteral("PanelIn"), QStringLiteral("PanelOut")};
  for (int i = 0; i < 2; ++i) {
    panels_[i] = new QGroupBox(titles[i], this);
    panels_[i]->setObjectName(names[i]);
    auto* memo = new QPlainTextEdit(panels_[i]);
    memo->setObjectName(names[i] == QLatin1String("PanelIn") ? QStringLiteral("MemoIn")
                                                             : QStringLiteral("MemoOut"));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setMaximumBlockCount(kMaxLines);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, QColor(0x7C, 0xFC, 0x00));
    memo->setPalette(palette);
    memos_[i] = memo;
  }
  resize(kDefaultWidth, kDefaultHeight);
  open_ = true;
  MidiSession().SetMonitor(this);
}

TFormMonitor::~TFormMonitor() {
  if (MidiSession().Monitor() == this) MidiSession().SetMonitor(nullptr);
  open_ = false;
}

QString TFormMonitor::SysexLine(const std::uint8_t* bytes, int length) {
  QString line = QStringLiteral(" ");
  for (int i = 0; i < length; ++i) line += Hex(bytes[i]) + u' ';
  return line;
}

QString TFormMonitor::ShortLine(const TMyMidiEvent& event) {
  return Hex(event.Status) + u' ' + Hex(event.Data1) + u' ' + Hex(event.Data2);
}

QString TFormMonitor::DumpLine(const std::uint8_t* bytes, int length) {
  // Header, four address bytes, the data, checksum and F7: a data set of more than 4 bytes.
  if (length <= 15 || bytes[0] != 0xF0 || bytes[1] != 0x41 || bytes[4] != 0x12) return QString();
  return QStringLiteral("DT1 %1 %2 %3 %4  %5 bytes")
      .arg(Hex(bytes[5]), Hex(bytes[6]), Hex(bytes[7]), Hex(bytes[8]))
      .arg(length - 11);
}

void TFormMonitor::AddMessage(int pane, const std::uint8_t* bytes, int length) {
  if (!bytes || length <= 0) return;
  // What goes out is followed message by message; a block dump's bytes would bury the rest.
  const QString dump = pane == MonitorOutput ? DumpLine(bytes, length) : QString();
  Append(pane, dump.isEmpty() ? SysexLine(bytes, length) : dump);
}

void TFormMonitor::AddMessageMidi(int pane, const TMyMidiEvent& event) {
  Append(pane, ShortLine(event));
}

void TFormMonitor::Append(int pane, const QString& line) {
  if (pane != MonitorInput && pane != MonitorOutput) return;
  memos_[pane]->appendPlainText(line);
}

QPlainTextEdit* TFormMonitor::Pane(int pane) const {
  return pane == MonitorOutput ? memos_[1] : memos_[0];
}

QWidget* TFormMonitor::Frame() {
  return parentWidget() && parentWidget()->inherits("QMdiSubWindow") ? parentWidget() : this;
}

void TFormMonitor::Place() {
  QWidget* frame = Frame();
  const int width = settings_.ReadInteger(kSection, QStringLiteral("Width"), kDefaultWidth);
  const int height = settings_.ReadInteger(kSection, QStringLiteral("Height"), kDefaultHeight);
  const int left = settings_.ReadInteger(kSection, QStringLiteral("Left"), 0);
  const int top = settings_.ReadInteger(kSection, QStringLiteral("Top"), 0);
  // A damaged file must not make the window vanish or cover the screen many times over.
  frame->setGeometry(std::clamp(left, -2000, 20000), std::clamp(top, -2000, 20000),
                     std::clamp(width, 120, 8000), std::clamp(height, 100, 8000));
}

void TFormMonitor::closeEvent(QCloseEvent* event) {
  const QRect place = Frame()->geometry();
  settings_.WriteInteger(kSection, QStringLiteral("Width"), place.width());
  settings_.WriteInteger(kSection, QStringLiteral("Height"), place.height());
  settings_.WriteInteger(kSection, QStringLiteral("Left"), place.left());
  settings_.WriteInteger(kSection, QStringLiteral("Top"), place.top());
  MidiSession().SetMonitor(nullptr);
  open_ = false;
  // The frame refreshes its menus once the window has left it.
  event->accept();
}

void TFormMonitor::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int panelWidth = width() - 8;
  const int panelHeight = (height() - 12) / 2;
  panels_[0]->setGeometry(4, 4, panelWidth, panelHeight);
  panels_[1]->setGeometry(4, 4 + panelHeight + 4, panelWidth, panelHeight);
  for (QPlainTextEdit* memo : memos_) memo->setGeometry(9, 20, panelWidth - 18, panelHeight - 28);
}

void TFormMonitor::keyPressEvent(QKeyEvent* event) {
  // Standing alone, outside the frame whose F1 would answer.
  if (event->key() == Qt::Key_F1 && !parentWidget()) {
    ChildFrame().ShowHelp(kHelpContext);
    return;
  }
  QWidget::keyPressEvent(event);
}
