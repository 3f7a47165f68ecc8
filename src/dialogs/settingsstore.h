#pragma once
// What the settings dialogs and the monitor need of the program's settings file (the program's
// state implements it): the settings record written whole, and single keys read and written at
// once. A failed write is shown to the user.
#include <QString>

class TSettingsStore {
 public:
  virtual ~TSettingsStore() = default;

  // Writes every key of the settings record; false on failure.
  virtual bool WriteConfig() = 0;
  virtual int ReadInteger(const QString& section, const QString& key, int fallback) const = 0;
  virtual bool WriteInteger(const QString& section, const QString& key, int value) = 0;
};
