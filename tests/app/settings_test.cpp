// The settings file: where it is found, keys and sections kept verbatim, the record's defaults,
// and what the program does not know surviving a write.
#include <gtest/gtest.h>

#include <vector>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "app/inifile.h"
#include "app/interfacesize.h"
#include "app/vesta.h"
#include "midi/config.h"
#include "midi/scriptedui.h"

namespace {

// Fields compared one by one (a sum lets two wrong values cancel).
std::vector<int> Ports(const TConfig& config) {
  return {config.Thrue, config.MidiIn, config.MidiOut};
}
std::vector<int> Boards(const TConfig& config) {
  return {config.Expansion[0], config.Expansion[1], config.Expansion[2], config.Expansion[3],
          config.PCMCard};
}
const std::vector<int> kZeros3(3, 0);

TEST(SettingsPath, OptionWinsOverEnvironmentWhichWinsOverDefault) {
  const bool had = qEnvironmentVariableIsSet("VESTA_SETTINGS");
  const QByteArray old = qgetenv("VESTA_SETTINGS");
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
  if (had)
    qputenv("VESTA_SETTINGS", old);
  else
    qunsetenv("VESTA_SETTINGS");
}

class SettingsFile : public ::testing::Test {
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

TEST_F(SettingsFile, KeysAndSectionsWithBlanksAreWrittenVerbatimAndOtherLinesStay) {
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

  // A byte order mark does not hide the first section; hand-written lines keep their place.
  WriteFile(
      "\xEF\xBB\xBF; written by hand\r\n[Midi]\r\nDeviceID=20\r\nOwn=x\r\n\r\n[Other]\r\nA=1\r\n");
  TIniFile hand(Path());
  EXPECT_EQ(20, hand.ReadInteger("Midi", "DeviceID", 0));
  hand.WriteInteger("Midi", "DeviceID", 21);
  hand.WriteInteger("Midi", "Thrue", 1);
  hand.WriteString("Other", "B", "line\nbreak");
  ASSERT_TRUE(hand.Save().isEmpty());
  EXPECT_EQ(
      "; written by hand\n[Midi]\nDeviceID=21\nOwn=x\nThrue=1\n\n[Other]\nA=1\nB=line break\n",
      FileText());
}

TEST_F(SettingsFile, RecordHoldsStartValuesUntilReadAndKeyDefaultsAfter) {
  TVesta vesta(Path());
  const TConfig& config = Config();
  EXPECT_EQ(17, config.DeviceID);
  EXPECT_FALSE(config.SingleNote);
  EXPECT_EQ(0, config.PreviewNote);
  EXPECT_EQ(Ports(config), kZeros3);

  vesta.ReadConfig();  // no file at all
  EXPECT_EQ(16, config.DeviceID);
  EXPECT_EQ(Ports(config), kZeros3);
  EXPECT_EQ(Boards(config), std::vector<int>(5, 0));
  EXPECT_FALSE(config.DataCard);
  EXPECT_TRUE(config.SingleNote);
  EXPECT_EQ(40, config.PreviewNote);
  EXPECT_EQ(70, config.PreviewVelocity);
  EXPECT_EQ("Noname.Mid", config.MidiFile);
}

TEST_F(SettingsFile, ValuesThatCannotGoIntoMidiBytesGiveTheDefaults) {
  // A device number of 0 or 200 would not fit the device ID byte of a message.
  WriteFile(
      "[Midi]\nDeviceID=0\nThrue=yes\n[MidiPort]\nIn=abc\nOut=\n"
      "[Preview]\nNote=200\nVelocity=-1\n[Expansion]\nExpB=99\nPCMCard=x\n");
  TVesta vesta(Path());
  vesta.ReadConfig();
  EXPECT_EQ(16, Config().DeviceID);
  EXPECT_EQ(Ports(Config()), kZeros3);
  EXPECT_EQ(40, Config().PreviewNote);
  EXPECT_EQ(70, Config().PreviewVelocity);
  EXPECT_EQ(0, Config().Expansion[1]);
  EXPECT_EQ(0, Config().PCMCard);
  WriteFile("[Midi]\nDeviceID=200\n");
  vesta.ReadConfig();
  EXPECT_EQ(16, Config().DeviceID);
}

TEST_F(SettingsFile, EveryKeyRoundTripsAndOtherSectionsAreKept) {
  WriteFile("[Desktop]\nNum Library=1\nLibrary1=/tmp/a.Lib\n");
  TVesta vesta(Path());
  TConfig& config = Config();
  config = TConfig();
  config.DeviceID = 25;
  config.Thrue = 1;
  config.MidiIn = 1;
  config.MidiOut = 2;
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
  QSettings settings(Path(), QSettings::IniFormat);
  EXPECT_EQ("25", settings.value("Midi/DeviceID").toString());
  EXPECT_EQ("1", settings.value("Midi/Thrue").toString());
  EXPECT_EQ("1", settings.value("MidiPort/In").toString());
  EXPECT_EQ("2", settings.value("MidiPort/Out").toString());
  EXPECT_EQ("/tmp/a.Lib", settings.value("Desktop/Library1").toString());

  const TConfig written = config;
  config = TConfig{};
  vesta.ReadConfig();
  EXPECT_EQ(written.DeviceID, config.DeviceID);
  EXPECT_EQ(written.Thrue, config.Thrue);
  EXPECT_EQ(written.MidiIn, config.MidiIn);
  EXPECT_EQ(written.MidiOut, config.MidiOut);
  for (int slot = 0; slot < 4; ++slot) EXPECT_EQ(written.Expansion[slot], config.Expansion[slot]);
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

TEST_F(SettingsFile, InterfaceSizeIsOneOfTheFourSizesAndBecomesQtsScaleFactor) {
  EXPECT_EQ(ReadInterfaceSize(Path()), 100);  // no file
  const struct {
    const char* Text;
    int Size;
  } cases[] = {{"[Interface]\nSize=125\n", 125}, {"[Interface]\nSize=200\n", 200},
               {"[Interface]\nSize=130\n", 100}, {"[Interface]\nSize=big\n", 100}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    WriteFile(c.Text);
    EXPECT_EQ(ReadInterfaceSize(Path()), c.Size);
  }
  const QByteArray old = qgetenv("QT_SCALE_FACTOR");
  const bool had = qEnvironmentVariableIsSet("QT_SCALE_FACTOR");
  qunsetenv("QT_SCALE_FACTOR");
  ApplyInterfaceSize(100);
  EXPECT_FALSE(qEnvironmentVariableIsSet("QT_SCALE_FACTOR"));
  ApplyInterfaceSize(150);
  EXPECT_EQ(qgetenv("QT_SCALE_FACTOR"), QByteArray("1.5"));
  // A factor the user set stays.
  ApplyInterfaceSize(200);
  EXPECT_EQ(qgetenv("QT_SCALE_FACTOR"), QByteArray("1.5"));
  if (had)
    qputenv("QT_SCALE_FACTOR", old);
  else
    qunsetenv("QT_SCALE_FACTOR");
}
