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

  // [Expansion]: the boards in slots A to D and the PCM card, as list indexes.
  int Expansion[4] = {0, 0, 0, 0};
  int PCMCard = 0;
  // [Preview]: how auditions sound.
  bool SingleNote = false;  // a single note, else the MIDI file
  int PreviewNote = 0;
  int PreviewVelocity = 0;
  QString MidiFile;

  // The slot (0 to 3 for A to D) that holds a board, the first one that does; -2 for none.
  int ExpansionSlot(int board) const {
    for (int slot = 0; slot < 4; ++slot)
      if (Expansion[slot] == board) return slot;
    return -2;
  }
};

// The program-wide settings record.
TConfig& Config();
