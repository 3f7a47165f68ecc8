#pragma once
// The settings record. It starts with the values in force before the settings file is read;
// the application reads and writes it. The MIDI layer keeps it because it is the lowest layer
// that needs it: the device number goes into every message.
#include <QString>

struct TConfig {
  // [Midi] / [MidiPort]
  int DeviceID = 17;  // the instrument's device number, 17 to 32; messages carry it minus 1
  int Thrue = 0;      // 1: received short messages are passed to the output
  int MidiIn = 0;     // index into the input device list
  int MidiOut = 0;    // index into the output device list

  // A data card is installed: card banks take part in global dumps.
  bool DataCard = false;
};

// The program-wide settings record.
TConfig& Config();
