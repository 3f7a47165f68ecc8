// The settings file and record, the interface size, "Expansion Setup", and the choice of MIDI
// devices at start and in the "Midi Settings" dialog.
#include <QListWidget>
#include <QSettings>

#include "dialogs/forminout.h"
#include "mainwindow_fixture.h"

namespace {

// Clears an environment variable for the scope, then puts back what was there.
struct TScopedEnv {
  explicit TScopedEnv(const char* name)
      : Name(name), Had(qEnvironmentVariableIsSet(name)), Old(qgetenv(name)) {
    qunsetenv(name);
  }
  ~TScopedEnv() {
    qunsetenv(Name);
    if (Had) qputenv(Name, Old);
  }
  const char* Name;
  bool Had;
  QByteArray Old;
};

TEST(SettingsPath, OptionWinsOverEnvironmentWhichWinsOverDefault) {
  TScopedEnv env("VESTA_SETTINGS");
  EXPECT_TRUE(TVesta::SettingsPathFrom({"vesta"}).endsWith("/Vesta/VESTA95.INI"));
  qputenv("VESTA_SETTINGS", "/tmp/from-env.ini");
  EXPECT_EQ("/tmp/from-env.ini", TVesta::SettingsPathFrom({"vesta"}));
  EXPECT_EQ("/tmp/option.ini",
            TVesta::SettingsPathFrom({"vesta", "--settings", "/tmp/option.ini"}));
  EXPECT_EQ("/tmp/eq.ini", TVesta::SettingsPathFrom({"vesta", "--settings=/tmp/eq.ini"}));
  // Options the program does not know yet must not hide it.
  EXPECT_EQ("/tmp/a.ini",
            TVesta::SettingsPathFrom({"vesta", "--other", "x", "--settings", "/tmp/a.ini"}));
}

class TSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Config();
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
    Config() = saved_;
    DataCardChangedHook() = nullptr;
  }
  QString Path() const { return dir_.filePath("VESTA95.INI"); }
  void WriteFile(const QByteArray& text) { ::WriteFile(Path(), text); }
  QByteArray FileBytes() const { return ReadFile(Path()); }
  // Device ID byte of a data set sent now, or -1 when nothing was sent.
  int SentDeviceByte() {
    loopback_->ClearSent();
    SendDataByte(0x03000000, 0, 0, 0x00);
    const auto sent = loopback_->Sent();
    return sent.empty() || sent.back().size() < 3 ? -1 : sent.back()[2];
  }
  // The devices open: input and output names.
  static QStringList Open() {
    return {MidiSession().Input()->ProductName(), MidiSession().Output()->ProductName()};
  }
  bool Asked(const QString& text) const {
    for (const auto& question : ui_.Questions)
      if (question.Text == text) return true;
    return false;
  }
  // The ports the dialog offers: the inputs, then the outputs.
  static QStringList Ports(const TFormInOut& form) {
    QStringList lines;
    for (const QListWidget* list : {form.InputPort(), form.OutputPort()})
      for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
  }
  int Stored(const char* key) const {
    return QSettings(Path(), QSettings::IniFormat).value(QLatin1String(key)).toInt();
  }
  // Fields compared one by one (a sum lets two wrong values cancel).
  static std::vector<int> Numbers(const TConfig& config) {
    return {config.DeviceID,     config.Thrue,        config.MidiIn,         config.MidiOut,
            config.Expansion[0], config.Expansion[1], config.Expansion[2],   config.Expansion[3],
            config.PCMCard,      config.PreviewNote,  config.PreviewVelocity};
  }

  QTemporaryDir dir_;
  TScopedScriptedUI ui_;
  TLoopbackBackend* loopback_ = nullptr;
  TConfig saved_;
};

TEST_F(TSettingsTest, KeysAndSectionsWithBlanksAreWrittenVerbatimOtherLinesStayAndFailuresSay) {
  TIniFile ini(Path());
  ini.WriteInteger("Desktop", "Num Library", 2);
  ini.WriteString("Desktop", "Library1", "/music/My Sounds.Lib");
  ini.WriteInteger("Data Card", "Installed", 1);
  ini.WriteInteger("Preview", "Single Note", 0);
  ASSERT_TRUE(ini.Save().isEmpty());
  EXPECT_EQ(
      "[Desktop]\nNum Library=2\nLibrary1=/music/My Sounds.Lib\n\n"
      "[Data Card]\nInstalled=1\n\n[Preview]\nSingle Note=0\n",
      FileBytes());
  const TIniFile again(Path());
  EXPECT_EQ(std::tuple(again.ReadInteger("desktop", "num library", 0),
                       again.ReadString("Desktop", "Library1", "")),
            std::tuple(2, QStringLiteral("/music/My Sounds.Lib")));
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
      FileBytes());

  // A file where a folder would have to be: the failure is reported with the file name.
  const QString blocked = ::WriteFile(dir_.filePath("blocked"), {});
  TVesta vesta(blocked + "/VESTA95.INI");
  EXPECT_FALSE(vesta.WriteConfig());
  EXPECT_TRUE(ui_.LastText().contains(blocked + "/VESTA95.INI"));
}

TEST_F(TSettingsTest, TheRecordTakesDefaultsForWhatCannotGoIntoBytes) {
  Config() = TConfig{};
  TVesta vesta(Path());
  const TConfig& config = Config();
  const std::vector<int> defaults = {16, 0, 0, 0, 0, 0, 0, 0, 0, 40, 70};
  for (const QByteArray& text :
       {QByteArray(),  // no file at all
                       // A device number of 0 or 200 would not fit the device ID byte of a message.
        QByteArray("[Midi]\nDeviceID=0\nThrue=yes\n[MidiPort]\nIn=abc\nOut=\n"
                   "[Preview]\nNote=200\nVelocity=-1\n[Expansion]\nExpB=99\nPCMCard=x\n"),
        QByteArray("[Midi]\nDeviceID=200\n")}) {
    SCOPED_TRACE(text.toStdString());
    if (!text.isEmpty()) WriteFile(text);
    vesta.ReadConfig();
    EXPECT_EQ(Numbers(config), defaults);
    EXPECT_EQ(std::tuple(config.DataCard, config.SingleNote, config.MidiFile),
              std::tuple(false, true, QStringLiteral("Noname.Mid")));
  }
}

TEST_F(TSettingsTest, EveryKeyRoundTripsAndOtherSectionsAreKept) {
  WriteFile("[Desktop]\nNum Library=1\nLibrary1=/tmp/a.Lib\n");
  TVesta vesta(Path());
  TConfig& config = Config();
  config = TConfig{.DeviceID = 25,
                   .Thrue = 1,
                   .MidiIn = 1,
                   .MidiOut = 2,
                   .DataCard = true,
                   .Expansion = {3, 0, 0, 11},
                   .PCMCard = 8,
                   .SingleNote = false,
                   .PreviewNote = 60,
                   .PreviewVelocity = 127,
                   .MidiFile = "/songs/Demo Song.Mid"};
  ASSERT_TRUE(vesta.WriteConfig());
  const QString text = QString::fromUtf8(FileBytes());
  for (const char* line :
       {"[Expansion]\nExpA=3\nExpB=0\nExpC=0\nExpD=11\nPCMCard=8\n", "[Data Card]\nInstalled=1\n",
        "[Preview]\nSingle Note=0\nNote=60\nVelocity=127\nMidifile=/songs/Demo Song.Mid\n"})
    EXPECT_TRUE(text.contains(QLatin1String(line))) << line;
  EXPECT_EQ(std::tuple(Stored("Midi/DeviceID"), Stored("Midi/Thrue"), Stored("MidiPort/In"),
                       Stored("MidiPort/Out")),
            std::tuple(25, 1, 1, 2));
  EXPECT_EQ(QSettings(Path(), QSettings::IniFormat).value("Desktop/Library1"), "/tmp/a.Lib");

  const TConfig written = config;
  config = TConfig{};
  vesta.ReadConfig();
  EXPECT_EQ(Numbers(config), Numbers(written));
  EXPECT_EQ(std::tuple(config.DataCard, config.SingleNote, config.MidiFile),
            std::tuple(true, false, QStringLiteral("/songs/Demo Song.Mid")));
  // The first slot holding a board answers; a board in no slot gives -2.
  EXPECT_EQ(std::tuple(config.ExpansionSlot(11), config.ExpansionSlot(0), config.ExpansionSlot(5)),
            std::tuple(3, 1, -2));
}

TEST_F(TSettingsTest, InterfaceSizeIsOneOfTheFourSizesAndBecomesQtsScaleFactor) {
  EXPECT_EQ(ReadInterfaceSize(Path()), 100);  // no file
  const std::pair<const char*, int> cases[] = {{"[Interface]\nSize=130\n", 100},
                                               {"[Interface]\nSize=big\n", 100}};
  for (const auto& [text, size] : cases) {
    WriteFile(text);
    EXPECT_EQ(ReadInterfaceSize(Path()), size) << text;
  }
  TScopedEnv env("QT_SCALE_FACTOR");
  ApplyInterfaceSize(100);
  EXPECT_FALSE(qEnvironmentVariableIsSet("QT_SCALE_FACTOR"));
  ApplyInterfaceSize(150);
  EXPECT_EQ(qgetenv("QT_SCALE_FACTOR"), QByteArray("1.5"));
  // A factor the user set stays.
  ApplyInterfaceSize(200);
  EXPECT_EQ(qgetenv("QT_SCALE_FACTOR"), QByteArray("1.5"));
}

TEST_F(TSettingsTest, ExpansionSetupListsTheBoardsAndOkWritesTheWholeRecordAndTellsGlobals) {
  TVesta vesta(Path());
  Config().Expansion[1] = 4;
  Config().DeviceID = 20;
  Config().DataCard = false;
  int relayouts = 0;
  DataCardChangedHook() = [&relayouts] { ++relayouts; };
  TFormExpansion form(vesta);
  form.show();
  EXPECT_EQ(std::tuple(form.Expansion(1)->currentIndex(), form.PcmCard()->count()),
            std::tuple(4, 9));
  form.Expansion(0)->setCurrentIndex(7);
  form.Expansion(1)->setCurrentIndex(0);
  form.PcmCard()->setCurrentIndex(8);
  form.DataCard()->setChecked(true);
  form.OkButton()->click();
  EXPECT_EQ(relayouts, 1);
  // The whole record went to the file, not only this dialog's keys.
  Config() = TConfig();
  vesta.ReadConfig();
  EXPECT_EQ(std::tuple(Config().Expansion[0], Config().Expansion[1], Config().PCMCard,
                       Config().DataCard, Config().DeviceID),
            std::tuple(7, 0, 8, true, 20));
}

TEST_F(TSettingsTest, ABadPortIndexStopsAllSendingUntilOkTriesTheNewChoice) {
  WriteFile("[MidiPort]\nIn=5\n");
  TVesta vesta(Path());
  vesta.StartMidi();
  EXPECT_TRUE(Asked("Invalid Midi Port Settings"));
  EXPECT_EQ(std::tuple(MidiSession().MidiOpen(), SentDeviceByte()), std::tuple(false, -1));
  EXPECT_EQ("[MidiPort]\nIn=5\n", FileBytes());  // the reset is in memory only
  TFormInOut form(vesta);
  form.show();
  form.OutputPort()->setCurrentRow(1);
  form.findChild<QPushButton*>("OK")->click();
  // No device number in the file: 17 once confirmed.
  EXPECT_EQ(std::tuple(MidiSession().MidiOpen(), Open(), SentDeviceByte()),
            std::tuple(true, QStringList({"Loop A", "Loop B"}), 0x10));
  EXPECT_EQ(std::tuple(Stored("MidiPort/Out"), Stored("Midi/DeviceID")), std::tuple(1, 17));
}

TEST_F(TSettingsTest, TheDialogShowsTheSettingsInForceAndOkReopensThePorts) {
  WriteFile("[Midi]\r\nDeviceID=16\r\nThrue=1\r\n[MidiPort]\r\nIn=1\r\nOut=0\r\n");
  TVesta vesta(Path());
  vesta.StartMidi();
  TFormInOut form(vesta);
  form.show();
  EXPECT_EQ(Ports(form), QStringList({"Loop A", "Loop B", "Loop A", "Loop B"}));
  // The device number 16 shows as 17.
  EXPECT_EQ(std::tuple(form.InputPort()->currentRow(), form.SpinDeviceID()->value(),
                       form.MidiThrue()->isChecked()),
            std::tuple(1, 17, true));
  EXPECT_EQ(std::tuple(Open(), SentDeviceByte()),
            std::tuple(QStringList({"Loop B", "Loop A"}), 0x0F));
  form.InputPort()->setCurrentRow(1);
  form.OutputPort()->setCurrentRow(0);
  form.SpinDeviceID()->setValue(20);
  form.MidiThrue()->setChecked(true);
  QTest::keyClick(form.InputPort(), Qt::Key_Return);  // Enter confirms from anywhere
  EXPECT_EQ(std::tuple(Open(), SentDeviceByte()),
            std::tuple(QStringList({"Loop B", "Loop A"}), 0x13));
  EXPECT_EQ(std::tuple(Stored("Midi/DeviceID"), Stored("Midi/Thrue"), Stored("MidiPort/In"),
                       Stored("MidiPort/Out")),
            std::tuple(20, 1, 1, 0));
}

TEST_F(TSettingsTest, NoDevicesAtAllIsReportedAndTheVirtualInstrumentIsTheFirstDevice) {
  TMidiDevices::Instance().Clear();
  TVesta vesta(Path());
  vesta.StartMidi();
  EXPECT_TRUE(Asked("No midi system installed"));
  EXPECT_EQ(Config().DeviceID, 16);  // the settings are read all the same
  TFormInOut empty(vesta);
  empty.show();
  empty.findChild<QPushButton*>("OK")->click();
  EXPECT_EQ(std::tuple(Config().MidiIn, Stored("Midi/DeviceID")), std::tuple(0, 17));

  MidiSession().Destroy();
  RegisterVirtualInstrument();
  TMidiDevices::Instance().Add(std::make_unique<TLoopbackBackend>(QStringList{"Loop A"}));
  vesta.StartMidi();
  TFormInOut form(vesta);
  form.show();
  EXPECT_EQ(Ports(form), QStringList({"Vesta Virtual Instrument", "Loop A",
                                      "Vesta Virtual Instrument", "Loop A"}));
}

}  // namespace
