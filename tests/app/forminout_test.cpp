// The choice of MIDI devices: start-up with the settings file, and the "Midi Settings" dialog.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/forminout.h"
#include "app/vesta.h"
#include "instrument/instrumentbackend.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/sysex.h"
#include "midi/timing.h"

namespace {

QStringList Lines(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}

class MidiSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    Timing() = TTiming::Scaled(0.02);
    TMidiDevices::Instance().Clear();
    auto backend = std::make_unique<TLoopbackBackend>(QStringList{"Loop A", "Loop B"});
    loopback_ = backend.get();
    TMidiDevices::Instance().Add(std::move(backend));
  }
  void TearDown() override {
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming();
  }

  QString Path() const { return dir_.filePath("VESTA95.INI"); }
  void WriteFile(const QByteArray& text) {
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  QByteArray FileBytes() const {
    QFile file(Path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  // Device ID byte of a data set sent now, or -1 when nothing was sent.
  int SentDeviceByte() {
    loopback_->ClearSent();
    SendDataByte(0x03000000, 0, 0, 0x00);
    const auto sent = loopback_->Sent();
    return sent.empty() || sent.back().size() < 3 ? -1 : sent.back()[2];
  }
  bool Asked(const QString& text) const {
    for (const auto& question : ui_.Questions)
      if (question.Text == text) return true;
    return false;
  }

  QTemporaryDir dir_;
  TScopedScriptedUI ui_;
  TLoopbackBackend* loopback_ = nullptr;
};

TEST_F(MidiSettings, InputIndexBeyondTheDevicesStopsAllSending) {
  WriteFile("[MidiPort]\nIn=5\n");
  TVesta vesta(Path());
  vesta.StartMidi();
  EXPECT_TRUE(Asked("Invalid Midi Port Settings"));
  EXPECT_FALSE(MidiSession().MidiOpen());
  EXPECT_EQ(0, Config().MidiIn);
  EXPECT_EQ(-1, SentDeviceByte());
  EXPECT_EQ("[MidiPort]\nIn=5\n", FileBytes());  // the reset is in memory only
}

TEST_F(MidiSettings, NoDevicesAtAllIsReportedAndTheProgramGoesOn) {
  TMidiDevices::Instance().Clear();
  TVesta vesta(Path());
  vesta.StartMidi();
  EXPECT_TRUE(Asked("No midi system installed"));
  EXPECT_FALSE(MidiSession().MidiOpen());
  EXPECT_EQ(16, Config().DeviceID);  // the settings are read all the same

  TFormInOut form(vesta);
  form.show();
  EXPECT_EQ(0, form.InputPort()->count());
  form.findChild<QPushButton*>("OK")->click();
  EXPECT_EQ(0, Config().MidiIn);
  EXPECT_EQ(17, QSettings(Path(), QSettings::IniFormat).value("Midi/DeviceID").toInt());
}

TEST_F(MidiSettings, DialogShowsTheSettingsInForceAndCancelLeavesEverythingUntouched) {
  WriteFile("[Midi]\r\nDeviceID=16\r\nThrue=1\r\n[MidiPort]\r\nIn=1\r\nOut=0\r\n");
  const QByteArray before = FileBytes();
  TVesta vesta(Path());
  vesta.StartMidi();
  TMidiOutput* output = MidiSession().Output();
  TFormInOut form(vesta);
  form.show();
  EXPECT_EQ("Midi Settings", form.windowTitle());
  EXPECT_EQ(QStringList({"Loop A", "Loop B"}), Lines(form.findChild<QListWidget*>("InputPort")));
  EXPECT_EQ(QStringList({"Loop A", "Loop B"}), Lines(form.findChild<QListWidget*>("OutputPort")));
  EXPECT_EQ(1, form.InputPort()->currentRow());
  EXPECT_EQ(0, form.OutputPort()->currentRow());
  EXPECT_EQ(17, form.findChild<QSpinBox*>("SpinDeviceID")->value());  // 16 shows as 17
  EXPECT_TRUE(form.findChild<QCheckBox*>("MidiThrue")->isChecked());
  EXPECT_EQ(" Midi Thru", form.MidiThrue()->text());
  EXPECT_EQ("Ok", form.findChild<QPushButton*>("OK")->text());
  EXPECT_EQ("Cancel", form.findChild<QPushButton*>("Cancel")->text());

  form.InputPort()->setCurrentRow(0);
  form.OutputPort()->setCurrentRow(1);
  form.SpinDeviceID()->setValue(30);
  form.MidiThrue()->setChecked(false);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(QDialog::Rejected, form.result());
  EXPECT_EQ(before, FileBytes());
  EXPECT_EQ(16, Config().DeviceID);
  EXPECT_EQ(1, Config().MidiIn);
  EXPECT_EQ(1, Config().Thrue);
  EXPECT_EQ(output, MidiSession().Output());
  EXPECT_EQ("Loop B", MidiSession().Input()->ProductName());
  EXPECT_EQ("Loop A", MidiSession().Output()->ProductName());
  EXPECT_EQ(TMidiOutput::Open, MidiSession().Output()->State());
  EXPECT_EQ(0x0F, SentDeviceByte());
}

TEST_F(MidiSettings, OkReopensTheChosenDevicesAndWritesTheSettings) {
  TVesta vesta(Path());
  vesta.StartMidi();
  TFormInOut form(vesta);
  form.show();
  form.InputPort()->setCurrentRow(1);
  form.OutputPort()->setCurrentRow(0);
  form.SpinDeviceID()->setValue(20);
  form.MidiThrue()->setChecked(true);
  QTest::keyClick(form.InputPort(), Qt::Key_Return);  // Enter confirms from anywhere

  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(QDialog::Accepted, form.result());
  EXPECT_TRUE(MidiSession().MidiOpen());
  EXPECT_EQ("Loop B", MidiSession().Input()->ProductName());
  EXPECT_EQ("Loop A", MidiSession().Output()->ProductName());
  EXPECT_EQ(TMidiInput::Open, MidiSession().Input()->State());
  EXPECT_EQ(0x13, SentDeviceByte());

  QSettings settings(Path(), QSettings::IniFormat);
  EXPECT_EQ(20, settings.value("Midi/DeviceID").toInt());
  EXPECT_EQ(1, settings.value("Midi/Thrue").toInt());
  EXPECT_EQ(1, settings.value("MidiPort/In").toInt());
  EXPECT_EQ(0, settings.value("MidiPort/Out").toInt());
}

TEST_F(MidiSettings, OkAfterAFailedOpeningTriesTheNewChoiceAtOnce) {
  WriteFile("[MidiPort]\nOut=7\n");
  TVesta vesta(Path());
  vesta.StartMidi();
  ASSERT_FALSE(MidiSession().MidiOpen());

  TFormInOut form(vesta);
  form.show();
  form.OutputPort()->setCurrentRow(1);
  form.findChild<QPushButton*>("OK")->click();
  EXPECT_TRUE(MidiSession().MidiOpen());
  EXPECT_EQ("Loop B", MidiSession().Output()->ProductName());
  EXPECT_EQ(0x10, SentDeviceByte());  // no device number in the file: 17 once confirmed
  const QSettings settings(Path(), QSettings::IniFormat);
  EXPECT_EQ(1, settings.value("MidiPort/Out").toInt());
  EXPECT_EQ(17, settings.value("Midi/DeviceID").toInt());
}

TEST_F(MidiSettings, VirtualInstrumentIsTheFirstDevice) {
  TMidiDevices::Instance().Clear();
  RegisterVirtualInstrument();
  TMidiDevices::Instance().Add(std::make_unique<TLoopbackBackend>(QStringList{"Loop A"}));
  TVesta vesta(Path());
  vesta.StartMidi();
  TFormInOut form(vesta);
  form.show();
  EXPECT_EQ(QStringList({"Vesta Virtual Instrument", "Loop A"}), Lines(form.InputPort()));
  EXPECT_EQ(QStringList({"Vesta Virtual Instrument", "Loop A"}), Lines(form.OutputPort()));
  EXPECT_EQ("Vesta Virtual Instrument", MidiSession().Output()->ProductName());
}

}  // namespace
