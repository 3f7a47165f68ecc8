#pragma once
// What the sound tool windows need of the application around them, installed by the main
// window: the settings file, the keyboard's open flag, the menus and the manual. Without a host
// (tests, or before the main window exists) reads give their fallback and the rest does nothing.
#include <functional>

#include <QString>

struct TToolHost {
  std::function<int(const QString& section, const QString& key, int fallback)> ReadInteger;
  std::function<void(const QString& section, const QString& key, int value)> WriteInteger;
  // Writes the whole settings record; false when the file could not be written (the host has
  // told the user).
  std::function<bool()> WriteConfig;
  std::function<void(bool open)> SetKeyboardOpen;
  std::function<void()> EnableMenuItems;
  std::function<void(int context)> ShowHelp;
  // The audition, as the main window runs it.
  std::function<void()> StartPreview;
  std::function<void()> StopPreview;

  int Read(const QString& section, const QString& key, int fallback) const {
    return ReadInteger ? ReadInteger(section, key, fallback) : fallback;
  }
  void Write(const QString& section, const QString& key, int value) const {
    if (WriteInteger) WriteInteger(section, key, value);
  }
};

TToolHost& ToolHost();
