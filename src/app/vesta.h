#pragma once
// The application state: the settings record and where its file lives, the open state of the
// keyboard and monitor windows, and the MIDI part of the start-up.
#include <QString>
#include <QStringList>

#include "dialogs/settingsstore.h"
#include "midi/config.h"

class TVesta : public TSettingsStore {
 public:
  // The settings record starts with the values in force before the file is read.
  explicit TVesta(QString settingsPath);

  // VESTA95.INI in <generic configuration folder>/Vesta, e.g. ~/.config/Vesta/VESTA95.INI.
  static QString DefaultSettingsPath();
  // "--settings FILE" (or --settings=FILE) among the arguments, else $VESTA_SETTINGS, else the
  // default. arguments[0] is the program name.
  static QString SettingsPathFrom(const QStringList& arguments);
  // The files named on the command line ("vesta FILE..."), in their order.
  static QStringList FilesFrom(const QStringList& arguments);

  const QString& SettingsPath() const { return settingsPath_; }
  TConfig& Config() { return ::Config(); }

  // Fills the settings record from the file; a missing key or a value that cannot be used gives
  // the key's default.
  void ReadConfig();
  // Writes every key of the record. On failure tells the user and returns false.
  bool WriteConfig() override;

  // Single keys of the settings file, each write going to the file at once. A failed write is
  // shown to the user.
  int ReadInteger(const QString& section, const QString& key, int fallback) const override;
  QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
  bool WriteInteger(const QString& section, const QString& key, int value) override;
  bool WriteString(const QString& section, const QString& key, const QString& value);

  // Opens the MIDI session on devices 0 ("No midi system installed" when that fails; the program
  // goes on without MIDI), reads the settings and reopens the ports on the configured devices.
  // The port backends must be registered before.
  void StartMidi();

  bool KeyboardOpen = false;
  bool MonitorOpen = false;

 private:
  bool Report(const QString& failure) const;

  QString settingsPath_;
};
