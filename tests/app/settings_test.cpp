// Where the settings file is found, and how the settings record is read from it and written.
#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "app/vesta.h"
#include "midi/config.h"
#include "midi/scriptedui.h"

namespace {

class TEnvironmentGuard {
 public:
  explicit TEnvironmentGuard(const char* name) : name_(name), old_(qgetenv(name)) {
    had_ = qEnvironmentVariableIsSet(name);
  }
  ~TEnvironmentGuard() {
    if (had_)
      qputenv(name_, old_);
    else
      qunsetenv(name_);
  }

 private:
  const char* name_;
  QByteArray old_;
  bool had_ = false;
};

TEST(SettingsPath, OptionWinsOverEnvironmentWhichWinsOverDefault) {
  TEnvironmentGuard guard("VESTA_SETTINGS");
  qunsetenv("VESTA_SETTINGS");
  EXPECT_TRUE(TVesta::SettingsPathFrom({"vesta"}).endsWith("/Vesta/VESTA95.INI"));
  EXPECT_EQ(TVesta::DefaultSettingsPath(), TVesta::SettingsPathFrom({"vesta"}));

  qputenv("VESTA_SETTINGS", "/tmp/from-env.ini");
  EXPECT_EQ("/tmp/from-env.ini", TVesta::SettingsPathFrom({"vesta"}));
  EXPECT_EQ("/tmp/option.ini",
            TVesta::SettingsPathFrom({"vesta", "--settings", "/tmp/option.ini"}));
  EXPECT_EQ("/tmp/eq.ini", TVesta::SettingsPathFrom({"vesta", "--settings=/tmp/eq.ini"}));
  // Options the program does not know yet must not hide it.
  EXPECT_EQ("/tmp/a.ini",
            TVesta::SettingsPathFrom({"vesta", "--other", "x", "--settings", "/tmp/a.ini"}));
}

class SettingsFile : public ::testing::Test {
 protected:
  QString Path() const { return dir_.filePath("VESTA95.INI"); }
  void WriteFile(const QByteArray& text) {
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  QTemporaryDir dir_;
  TScopedScriptedUI ui_;
};

TEST_F(SettingsFile, RecordHoldsStartValuesUntilReadAndKeyDefaultsAfter) {
  TVesta vesta(Path());
  EXPECT_EQ(17, Config().DeviceID);
  EXPECT_EQ(0, Config().Thrue);
  EXPECT_EQ(0, Config().MidiIn);
  EXPECT_EQ(0, Config().MidiOut);

  vesta.ReadConfig();  // no file at all
  EXPECT_EQ(16, Config().DeviceID);
  EXPECT_EQ(0, Config().Thrue);
  EXPECT_EQ(0, Config().MidiIn);
  EXPECT_EQ(0, Config().MidiOut);
}

TEST_F(SettingsFile, UnusableValuesGiveTheDefaults) {
  // A device number of 0 or 200 would not fit the device ID byte of a message.
  WriteFile("[Midi]\nDeviceID=0\nThrue=yes\n[MidiPort]\nIn=abc\nOut=\n");
  TVesta vesta(Path());
  vesta.ReadConfig();
  EXPECT_EQ(16, Config().DeviceID);
  EXPECT_EQ(0, Config().Thrue);
  EXPECT_EQ(0, Config().MidiIn);
  EXPECT_EQ(0, Config().MidiOut);

  WriteFile("[Midi]\nDeviceID=200\n");
  vesta.ReadConfig();
  EXPECT_EQ(16, Config().DeviceID);
}

TEST_F(SettingsFile, WriteStoresEveryMidiKeyAndKeepsOtherSections) {
  WriteFile("[Desktop]\nNum Library=1\nLibrary1=/tmp/a.Lib\n");
  TVesta vesta(Path());
  Config() = TConfig();
  Config().DeviceID = 25;
  Config().Thrue = 1;
  Config().MidiIn = 1;
  Config().MidiOut = 2;
  ASSERT_TRUE(vesta.WriteConfig());

  QSettings settings(Path(), QSettings::IniFormat);
  EXPECT_EQ("25", settings.value("Midi/DeviceID").toString());
  EXPECT_EQ("1", settings.value("Midi/Thrue").toString());
  EXPECT_EQ("1", settings.value("MidiPort/In").toString());
  EXPECT_EQ("2", settings.value("MidiPort/Out").toString());
  EXPECT_EQ("/tmp/a.Lib", settings.value("Desktop/Library1").toString());

  Config() = TConfig{};
  vesta.ReadConfig();
  EXPECT_EQ(25, Config().DeviceID);
  EXPECT_EQ(1, Config().Thrue);
  EXPECT_EQ(1, Config().MidiIn);
  EXPECT_EQ(2, Config().MidiOut);
  EXPECT_TRUE(ui_.Questions.empty());
}

TEST_F(SettingsFile, WriteFailureIsReportedWithTheFileName) {
  const QString blocked = dir_.filePath("blocked");
  QFile file(blocked);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));  // a file where a folder would have to be
  file.close();
  TVesta vesta(blocked + "/VESTA95.INI");
  EXPECT_FALSE(vesta.WriteConfig());
  ASSERT_EQ(1u, ui_.Questions.size());
  EXPECT_EQ(TMsgKind::Error, ui_.Questions[0].Kind);
  EXPECT_TRUE(ui_.LastText().contains(blocked + "/VESTA95.INI"));
}

}  // namespace
