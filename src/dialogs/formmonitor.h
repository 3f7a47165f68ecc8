#pragma once
// The MIDI monitor: what arrives ("Message In") and what goes out ("Message Out"), one line per
// message. It logs what the message layer hands it while it is open and nothing else.
#include <QWidget>

#include "midi/monitor.h"

class QGroupBox;
class QPlainTextEdit;
class TSettingsStore;

class TFormMonitor : public QWidget, public TMidiMonitor {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 25;

  // Sets the open flag and starts logging. The flag is cleared when the window closes or goes;
  // its place is kept in the settings.
  TFormMonitor(TSettingsStore& settings, bool& open, QWidget* parent = nullptr);
  ~TFormMonitor() override;

  // " F0 41 ... F7 ": a blank, then each byte as two upper-case hex digits and a blank.
  static QString SysexLine(const std::uint8_t* bytes, int length);
  // "DT1 03 00 10 00  129 bytes": a data set of more than 4 bytes, its address and data length;
  // empty for any other message.
  static QString DumpLine(const std::uint8_t* bytes, int length);
  // "90 3C 40": the status and both data bytes.
  static QString ShortLine(const TMyMidiEvent& event);

  void AddMessage(int pane, const std::uint8_t* bytes, int length) override;
  void AddMessageMidi(int pane, const TMyMidiEvent& event) override;

  // Takes the place and size of [Monitor] in the settings file (for the window that frames it).
  void Place();
  QPlainTextEdit* Pane(int pane) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The window that moves and sizes: the frame's sub-window, or this one standing alone.
  QWidget* Frame();
  void Append(int pane, const QString& line);

  TSettingsStore& settings_;
  bool& open_;
  QGroupBox* panels_[2];
  QPlainTextEdit* memos_[2];
};
