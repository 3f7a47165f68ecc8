#include "app/vesta.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

#include "app/inifile.h"
#include "midi/midierrors.h"
#include "midi/midisession.h"
#include "midi/userinterface.h"

namespace {
const QString kFileName = QStringLiteral("VESTA95.INI");
const char* const kEnvironmentVariable = "VESTA_SETTINGS";

// The instrument's device number must fit the 7-bit device ID byte it is sent as (number - 1).
constexpr int kMinDeviceNumber = 1;
constexpr int kMaxDeviceNumber = 128;
// The expansion lists hold 12 boards and 9 PCM cards; another index would show no entry.
constexpr int kBoardCount = 12;
constexpr int kPcmCardCount = 9;
const char* const kExpansionKeys[4] = {"ExpA", "ExpB", "ExpC", "ExpD"};

int InRange(int value, int first, int last, int fallback) {
  return value >= first && value <= last ? value : fallback;
}
}  // namespace

TVesta::TVesta(QString settingsPath) : settingsPath_(std::move(settingsPath)) {
  Config() = TConfig{};
}

QString TVesta::DefaultSettingsPath() {
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return QDir(base).filePath(QStringLiteral("Vesta/") + kFileName);
}

QString TVesta::SettingsPathFrom(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption settingsOption(
      QStringLiteral("settings"), QStringLiteral("Settings file to use."), QStringLiteral("file"));
  parser.addOption(settingsOption);
  // Qt's own options (-platform, -style ...) and later options of ours must not stop the parse.
  parser.parse(arguments);
  if (parser.isSet(settingsOption) && !parser.value(settingsOption).isEmpty())
    return parser.value(settingsOption);
  const QString fromEnvironment = qEnvironmentVariable(kEnvironmentVariable);
  if (!fromEnvironment.isEmpty()) return fromEnvironment;
  return DefaultSettingsPath();
}

QStringList TVesta::FilesFrom(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.addOption(
      QCommandLineOption(QStringLiteral("settings"), QString(), QStringLiteral("file")));
  parser.parse(arguments);
  return parser.positionalArguments();
}

void TVesta::ReadConfig() {
  const TIniFile ini(settingsPath_);
  TConfig& config = Config();
  config.DeviceID = InRange(ini.ReadInteger(QStringLiteral("Midi"), QStringLiteral("DeviceID"), 16),
                            kMinDeviceNumber, kMaxDeviceNumber, 16);
  config.Thrue = ini.ReadInteger(QStringLiteral("Midi"), QStringLiteral("Thrue"), 0) == 1 ? 1 : 0;
  config.MidiIn = ini.ReadInteger(QStringLiteral("MidiPort"), QStringLiteral("In"), 0);
  config.MidiOut = ini.ReadInteger(QStringLiteral("MidiPort"), QStringLiteral("Out"), 0);
  for (int slot = 0; slot < 4; ++slot)
    config.Expansion[slot] = InRange(
        ini.ReadInteger(QStringLiteral("Expansion"), QLatin1String(kExpansionKeys[slot]), 0), 0,
        kBoardCount - 1, 0);
  config.PCMCard =
      InRange(ini.ReadInteger(QStringLiteral("Expansion"), QStringLiteral("PCMCard"), 0), 0,
              kPcmCardCount - 1, 0);
  config.DataCard =
      ini.ReadInteger(QStringLiteral("Data Card"), QStringLiteral("Installed"), 0) == 1;
  config.SingleNote =
      ini.ReadInteger(QStringLiteral("Preview"), QStringLiteral("Single Note"), 1) == 1;
  // Notes and velocities go into 7-bit data bytes.
  config.PreviewNote =
      InRange(ini.ReadInteger(QStringLiteral("Preview"), QStringLiteral("Note"), 40), 0, 127, 40);
  config.PreviewVelocity = InRange(
      ini.ReadInteger(QStringLiteral("Preview"), QStringLiteral("Velocity"), 70), 0, 127, 70);
  config.MidiFile = ini.ReadString(QStringLiteral("Preview"), QStringLiteral("Midifile"),
                                   QStringLiteral("Noname.Mid"));
}

bool TVesta::WriteConfig() {
  TIniFile ini(settingsPath_);
  const TConfig& config = Config();
  ini.WriteInteger(QStringLiteral("Midi"), QStringLiteral("DeviceID"), config.DeviceID);
  ini.WriteInteger(QStringLiteral("Midi"), QStringLiteral("Thrue"), config.Thrue);
  ini.WriteInteger(QStringLiteral("MidiPort"), QStringLiteral("In"), config.MidiIn);
  ini.WriteInteger(QStringLiteral("MidiPort"), QStringLiteral("Out"), config.MidiOut);
  for (int slot = 0; slot < 4; ++slot)
    ini.WriteInteger(QStringLiteral("Expansion"), QLatin1String(kExpansionKeys[slot]),
                     config.Expansion[slot]);
  ini.WriteInteger(QStringLiteral("Expansion"), QStringLiteral("PCMCard"), config.PCMCard);
  ini.WriteInteger(QStringLiteral("Data Card"), QStringLiteral("Installed"),
                   config.DataCard ? 1 : 0);
  ini.WriteInteger(QStringLiteral("Preview"), QStringLiteral("Single Note"),
                   config.SingleNote ? 1 : 0);
  ini.WriteInteger(QStringLiteral("Preview"), QStringLiteral("Note"), config.PreviewNote);
  ini.WriteInteger(QStringLiteral("Preview"), QStringLiteral("Velocity"), config.PreviewVelocity);
  ini.WriteString(QStringLiteral("Preview"), QStringLiteral("Midifile"), config.MidiFile);
  return Report(ini.Save());
}

int TVesta::ReadInteger(const QString& section, const QString& key, int fallback) const {
  return TIniFile(settingsPath_).ReadInteger(section, key, fallback);
}

QString TVesta::ReadString(const QString& section, const QString& key,
                           const QString& fallback) const {
  return TIniFile(settingsPath_).ReadString(section, key, fallback);
}

bool TVesta::WriteInteger(const QString& section, const QString& key, int value) {
  return WriteString(section, key, QString::number(value));
}

bool TVesta::WriteString(const QString& section, const QString& key, const QString& value) {
  TIniFile ini(settingsPath_);
  ini.WriteString(section, key, value);
  return Report(ini.Save());
}

bool TVesta::Report(const QString& failure) const {
  if (failure.isEmpty()) return true;
  UI().Show(TMsgKind::Error,
            QStringLiteral("Cannot write settings file %1: %2").arg(settingsPath_, failure));
  return false;
}

void TVesta::StartMidi() {
  TMidiSession& session = MidiSession();
  try {
    session.Create();
  } catch (const EMidiInputError& error) {
    UI().Show(TMsgKind::Error, error.Text());
  } catch (const std::exception&) {
    UI().Show(TMsgKind::Error, QStringLiteral("No midi system installed"));
  }
  ReadConfig();
  if (session.MidiOpen()) {
    session.CloseDevs();
    session.OpenDevs();
  }
}
