// The settings file: keys and sections keep their spelling, every key of the settings record
// has its default, and what the program does not know survives a write.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/inifile.h"
#include "app/vesta.h"
#include "midi/config.h"
#include "midi/scriptedui.h"

namespace {

class FrameSettings : public ::testing::Test {
 protected:
  QString Path() const { return dir_.filePath("VESTA95.INI"); }
  QString FileText() const {
    QFile file(Path());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }
  void WriteFile(const QByteArray& text) {
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  QTemporaryDir dir_;
  TScopedScriptedUI ui_;
};

TEST_F(FrameSettings, KeysAndSectionsWithBlanksAreWrittenVerbatim) {
  TIniFile ini(Path());
  ini.WriteInteger("Desktop", "Num Library", 2);
  ini.WriteString("Desktop", "Library1", "/music/My Sounds.Lib");
  ini.WriteInteger("Data Card", "Installed", 1);
  ini.WriteInteger("Preview", "Single Note", 0);
  ASSERT_TRUE(ini.Save().isEmpty());
  EXPECT_EQ(
      "[Desktop]\nNum Library=2\nLibrary1=/music/My Sounds.Lib\n\n"
      "[Data Card]\nInstalled=1\n\n[Preview]\nSingle Note=0\n",
      FileText());

  const TIniFile again(Path());
  EXPECT_EQ(2, again.ReadInteger("desktop", "num library", 0));
  EXPECT_EQ("/music/My Sounds.Lib", again.ReadString("Desktop", "Library1", ""));
}

TEST_F(FrameSettings, RewritingAKeyKeepsOtherLinesInPlace) {
  WriteFile(
      "\xEF\xBB\xBF; written by hand\r\n[Midi]\r\nDeviceID=20\r\nOwn=x\r\n\r\n[Other]\r\nA=1\r\n");
  TIniFile ini(Path());
  ini.WriteInteger("Midi", "DeviceID", 21);
  ini.WriteInteger("Midi", "Thrue", 1);
  ini.WriteString("Other", "B", "line\nbreak");
  ASSERT_TRUE(ini.Save().isEmpty());
  EXPECT_EQ(
      "; written by hand\n[Midi]\nDeviceID=21\nOwn=x\nThrue=1\n\n[Other]\nA=1\nB=line break\n",
      FileText());
}

TEST_F(FrameSettings, AByteOrderMarkDoesNotHideTheFirstSection) {
  WriteFile("\xEF\xBB\xBF[Midi]\nDeviceID=20\n");
  EXPECT_EQ(20, TIniFile(Path()).ReadInteger("Midi", "DeviceID", 0));
}

TEST_F(FrameSettings, MissingKeysGiveTheirDefaultsAndTheRecordStartsAtZero) {
  TVesta vesta(Path());
  EXPECT_FALSE(Config().SingleNote);
  EXPECT_EQ(0, Config().PreviewNote);
  EXPECT_EQ(17, Config().DeviceID);

  vesta.ReadConfig();
  const TConfig& config = Config();
  EXPECT_EQ(16, config.DeviceID);
  EXPECT_EQ(0, config.Expansion[0] + config.Expansion[1] + config.Expansion[2] +
                   config.Expansion[3] + config.PCMCard);
  EXPECT_FALSE(config.DataCard);
  EXPECT_TRUE(config.SingleNote);
  EXPECT_EQ(40, config.PreviewNote);
  EXPECT_EQ(70, config.PreviewVelocity);
  EXPECT_EQ("Noname.Mid", config.MidiFile);
}

TEST_F(FrameSettings, EveryKeyOfTheRecordRoundTripsThroughTheFile) {
  TVesta vesta(Path());
  TConfig& config = Config();
  config.Expansion[0] = 3;
  config.Expansion[3] = 11;
  config.PCMCard = 8;
  config.DataCard = true;
  config.SingleNote = false;
  config.PreviewNote = 60;
  config.PreviewVelocity = 127;
  config.MidiFile = "/songs/Demo Song.Mid";
  ASSERT_TRUE(vesta.WriteConfig());
  const QString text = FileText();
  for (const char* line :
       {"[Expansion]\nExpA=3\nExpB=0\nExpC=0\nExpD=11\nPCMCard=8\n", "[Data Card]\nInstalled=1\n",
        "[Preview]\nSingle Note=0\nNote=60\nVelocity=127\nMidifile=/songs/Demo Song.Mid\n"})
    EXPECT_TRUE(text.contains(QLatin1String(line))) << line;

  config = TConfig{};
  vesta.ReadConfig();
  EXPECT_EQ(3, config.Expansion[0]);
  EXPECT_EQ(11, config.Expansion[3]);
  EXPECT_EQ(8, config.PCMCard);
  EXPECT_TRUE(config.DataCard);
  EXPECT_FALSE(config.SingleNote);
  EXPECT_EQ(60, config.PreviewNote);
  EXPECT_EQ(127, config.PreviewVelocity);
  EXPECT_EQ("/songs/Demo Song.Mid", config.MidiFile);
  // The first slot holding a board answers; a board in no slot gives -2.
  EXPECT_EQ(3, config.ExpansionSlot(11));
  EXPECT_EQ(1, config.ExpansionSlot(0));
  EXPECT_EQ(-2, config.ExpansionSlot(5));
}

TEST_F(FrameSettings, ValuesThatCannotGoIntoMidiBytesGiveTheDefaults) {
  WriteFile("[Preview]\nNote=200\nVelocity=-1\n[Expansion]\nExpB=99\nPCMCard=x\n");
  TVesta vesta(Path());
  vesta.ReadConfig();
  EXPECT_EQ(40, Config().PreviewNote);
  EXPECT_EQ(70, Config().PreviewVelocity);
  EXPECT_EQ(0, Config().Expansion[1]);
  EXPECT_EQ(0, Config().PCMCard);
}

}  // namespace
