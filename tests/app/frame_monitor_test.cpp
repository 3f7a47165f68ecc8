// The MIDI monitor's lines and life cycle, the comment editor and the gradient fill.
#include <gtest/gtest.h>

#include <functional>

#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/formcomment.h"
#include "app/formmonitor.h"
#include "app/inifile.h"
#include "app/vesta.h"
#include "controls/fountainfill.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/pacedsender.h"
#include "midi/sysex.h"
#include "midi/timing.h"
#include "midi/scriptedui.h"

namespace {

TEST(FrameMonitorLines, SysexBytesInUpperHexWithBlanksAndShortMessagesWithBothDataBytes) {
  const std::uint8_t bytes[] = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03,
                                0x00, 0x12, 0x51, 0x7f, 0x0B, 0xF7};
  EXPECT_EQ(" F0 41 10 6A 12 03 00 12 51 7F 0B F7 ",
            TFormMonitor::SysexLine(bytes, int(sizeof bytes)));
  EXPECT_EQ(" ", TFormMonitor::SysexLine(bytes, 0));
  TMyMidiEvent program;  // one data byte on the wire, two shown
  program.Status = 0xC9;
  program.Data1 = 0x7F;
  EXPECT_EQ("C9 7F 00", TFormMonitor::ShortLine(program));
}

class FrameMonitor : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  TScopedScriptedUI ui_;
  TVesta vesta_{dir_.filePath("VESTA95.INI")};
};

TEST_F(FrameMonitor, LogsIntoItsPaneOnlyWhileOpenAndStoresItsPlaceOnClose) {
  TIniFile ini(vesta_.SettingsPath());
  const char* const keys[] = {"Left", "Top", "Width", "Height"};
  const int stored[] = {20, 30, 400, 300}, kept[] = {5, 6, 390, 290};
  for (int i = 0; i < 4; ++i) ini.WriteInteger("Monitor", keys[i], stored[i]);
  ASSERT_TRUE(ini.Save().isEmpty());

  auto* monitor = new TFormMonitor(vesta_);
  monitor->Place();
  EXPECT_EQ(QRect(20, 30, 400, 300), monitor->geometry());
  EXPECT_TRUE(vesta_.MonitorOpen);
  ASSERT_EQ(monitor, MidiSession().Monitor());

  const std::uint8_t request[] = {0xF0, 0x41, 0x10, 0x6A, 0x11, 0x00, 0x00, 0x00,
                                  0x00, 0x00, 0x00, 0x00, 0x0C, 0x74, 0xF7};
  MidiSession().Monitor()->AddMessage(MonitorOutput, request, int(sizeof request));
  TMyMidiEvent clock;
  clock.Status = 0xB0;
  clock.Data1 = 0x07;
  clock.Data2 = 0x64;
  MidiSession().Monitor()->AddMessageMidi(MonitorInput, clock);
  EXPECT_EQ("B0 07 64", monitor->Pane(MonitorInput)->toPlainText());
  EXPECT_EQ(" F0 41 10 6A 11 00 00 00 00 00 00 00 0C 74 F7 ",
            monitor->Pane(MonitorOutput)->toPlainText());

  monitor->setGeometry(5, 6, 390, 290);
  const QPointer<TFormMonitor> closed(monitor);
  monitor->close();
  // It frees itself, and must be gone while the program object it reports to still exists.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(closed.isNull());
  EXPECT_EQ(nullptr, MidiSession().Monitor());
  EXPECT_FALSE(vesta_.MonitorOpen);
  const TIniFile after(vesta_.SettingsPath());
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(kept[i], after.ReadInteger("Monitor", keys[i], 0)) << keys[i];
}

TEST_F(FrameMonitor, MessageOutListsEverythingSentInOrderWithBlockDumpsOnOneLine) {
  Timing() = TTiming::Scaled(0.02);
  TMidiDevices::Instance().Clear();
  TMidiDevices::Instance().Add(std::make_unique<TLoopbackBackend>());
  MidiSession().Create();
  ASSERT_TRUE(MidiSession().MidiOpen());
  TFormMonitor monitor(vesta_);
  const std::vector<std::uint8_t> tone(129, 0x40);
  SendDataByte(0x03000000, 0, 0x10, 5);
  SendDataSet(0x03000000, 0x1000, 0, tone.data(), int(tone.size()));
  Sender().SendShort(0x90, 0x3C, 0x64);
  SendDataRequest(0x03000000, 0, 0, 0x48);
  const std::uint8_t gmOff[] = {0xF0, 0x7E, 0x7F, 0x09, 0x02, 0xF7};
  Sender().SendSysex(gmOff, sizeof gmOff);
  EXPECT_EQ(
      " F0 41 10 6A 12 03 00 00 10 05 68 F7 \n"
      "DT1 03 00 10 00  129 bytes\n"
      "90 3C 64\n"
      " F0 41 10 6A 11 03 00 00 00 00 00 00 48 35 F7 \n"
      " F0 7E 7F 09 02 F7 ",
      monitor.Pane(MonitorOutput)->toPlainText());
  EXPECT_TRUE(monitor.Pane(MonitorInput)->toPlainText().isEmpty());
  MidiSession().SetMonitor(nullptr);
  MidiSession().Destroy();
  TMidiDevices::Instance().Clear();
  Timing() = TTiming();
}

TEST_F(FrameMonitor, PanesShareTheHeightAndTextAreasKeepTheirMargins) {
  TFormMonitor monitor(vesta_);
  monitor.resize(378, 278);
  monitor.show();
  QWidget* in = monitor.findChild<QWidget*>("PanelIn");
  QWidget* out = monitor.findChild<QWidget*>("PanelOut");
  EXPECT_EQ(QRect(4, 4, 370, 133), in->geometry());
  EXPECT_EQ(QRect(4, 141, 370, 133), out->geometry());
  EXPECT_EQ(QSize(352, 105), monitor.Pane(MonitorOutput)->size());
}

TEST(FrameComment, OkTakesTheEditedLinesAndCancelOrNoEditKeepsTheOldOnes) {
  QStringList comment{"Pads for the live set", "check the strings"};
  const auto edit = [&comment](const std::function<void(TFormcomment&)>& script) {
    TFormcomment dialog;
    QTimer::singleShot(0, &dialog, [&dialog, &script] { script(dialog); });
    return dialog.Edit(comment);
  };
  EXPECT_TRUE(edit([](TFormcomment& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Comment"));
    QTest::keyClick(dialog.Memo(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(dialog.Memo(), "!");
    dialog.OkButton()->click();
  }));
  const QStringList edited{"Pads for the live set", "check the strings!"};
  EXPECT_EQ(edited, comment);
  EXPECT_FALSE(edit([](TFormcomment& dialog) {
    QTest::keyClicks(dialog.Memo(), "typed");
    dialog.CancelButton()->click();
  }));
  EXPECT_EQ(edited, comment);
  EXPECT_FALSE(edit([](TFormcomment& dialog) { dialog.OkButton()->click(); }));
  EXPECT_EQ(edited, comment);
}

QImage Painted(const TFountainFill& fill, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  fill.Paint(painter, QRect(QPoint(0, 0), size));
  return image;
}

TEST(FrameFountainFill, StepsAreClampedAndBandsRunFromOneColourToTheOtherPerChannel) {
  TFountainFill fill;
  fill.SetSteps(0);
  EXPECT_EQ(1, fill.Steps());
  fill.SetSteps(1000);
  EXPECT_EQ(255, fill.Steps());
  fill.SetFromColor(QColor(10, 20, 30));
  fill.SetToColor(QColor(10, 20, 30));
  const QImage flat = Painted(fill, QSize(40, 30));
  for (QPoint p : {QPoint(0, 0), QPoint(39, 29), QPoint(20, 15)})
    EXPECT_EQ(QColor(10, 20, 30).rgb(), flat.pixel(p));

  fill.SetSteps(5);
  fill.SetFromColor(QColor(0, 255, 100));
  fill.SetToColor(QColor(200, 55, 100));
  EXPECT_EQ(QColor(100, 155, 100), fill.StepColor(2));
  const QImage across = Painted(fill, QSize(50, 10));
  EXPECT_EQ(QColor(0, 255, 100).rgb(), across.pixel(0, 5));
  EXPECT_EQ(QColor(50, 205, 100).rgb(), across.pixel(10, 5));
  EXPECT_EQ(QColor(200, 55, 100).rgb(), across.pixel(49, 5));
  fill.SetStyle(TFountainStyle::fsCircular);
  const QImage circles = Painted(fill, QSize(60, 60));
  EXPECT_EQ(QColor(0, 255, 100).rgb(), circles.pixel(0, 0));
  EXPECT_EQ(QColor(200, 55, 100).rgb(), circles.pixel(30, 30));
}

}  // namespace
