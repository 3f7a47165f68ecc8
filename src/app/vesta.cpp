#include "app/vesta.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include "midi/midierrors.h"
#include "midi/midisession.h"
#include "midi/userinterface.h"

namespace {
const QString kFileName = QStringLiteral("VESTA95.INI");
const char* const kEnvironmentVariable = "VESTA_SETTINGS";

// The instrument's device number must fit the 7-bit device ID byte it is sent as (number - 1).
constexpr int kMinDeviceNumber = 1;
constexpr int kMaxDeviceNumber = 128;

// Integer value of a key, or fallback when the key is missing or holds no number.
int ReadInt(const QSettings& settings, const QString& key, int fallback) {
  bool ok = false;
  const int value = settings.value(key).toString().trimmed().toInt(&ok);
  return ok ? value : fallback;
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

void TVesta::ReadConfig() {
  const QSettings settings(settingsPath_, QSettings::IniFormat);
  TConfig& config = Config();
  const int deviceId = ReadInt(settings, QStringLiteral("Midi/DeviceID"), 16);
  config.DeviceID = deviceId >= kMinDeviceNumber && deviceId <= kMaxDeviceNumber ? deviceId : 16;
  config.Thrue = ReadInt(settings, QStringLiteral("Midi/Thrue"), 0) == 1 ? 1 : 0;
  config.MidiIn = ReadInt(settings, QStringLiteral("MidiPort/In"), 0);
  config.MidiOut = ReadInt(settings, QStringLiteral("MidiPort/Out"), 0);
}

bool TVesta::WriteConfig() {
  QSettings settings(settingsPath_, QSettings::IniFormat);
  const TConfig& config = Config();
  settings.setValue(QStringLiteral("Midi/DeviceID"), config.DeviceID);
  settings.setValue(QStringLiteral("Midi/Thrue"), config.Thrue);
  settings.setValue(QStringLiteral("MidiPort/In"), config.MidiIn);
  settings.setValue(QStringLiteral("MidiPort/Out"), config.MidiOut);
  settings.sync();
  if (settings.status() == QSettings::NoError) return true;

  // QSettings does not say why; opening the file ourselves gives the system's reason.
  QString reason = QStringLiteral("the file could not be written");
  if (settings.status() == QSettings::FormatError) {
    reason = QStringLiteral("the file is not a settings file");
  } else {
    QFile file(settingsPath_);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append)) reason = file.errorString();
  }
  UI().Show(TMsgKind::Error,
            QStringLiteral("Cannot write settings file %1: %2").arg(settingsPath_, reason));
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
