#pragma once
// What the MIDI monitor window shows; the message layer logs through this while it is open.
#include <cstdint>

#include "midi/midievent.h"

enum TMonitorPane : int { MonitorInput = 0, MonitorOutput = 1 };

class TMidiMonitor {
 public:
  virtual ~TMidiMonitor() = default;
  virtual void AddMessage(int pane, const std::uint8_t* bytes, int length) = 0;
  virtual void AddMessageMidi(int pane, const TMyMidiEvent& event) = 0;
};
