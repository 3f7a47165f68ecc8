#pragma once
// A MIDI session on two loopback devices with shortened pacing and a recording monitor, and the
// sent messages in short.
#include <chrono>
#include <string>

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "midi/config.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/monitor.h"
#include "midi/scriptedui.h"
#include "midi/sysex.h"
#include "midi/timing.h"

using TBytes = std::vector<std::uint8_t>;

// A data set or request as "<device> DT|RQ <address> <data>" (more than four data bytes as
// their count, a wrong checksum as "bad sum"); anything else as its bytes.
inline std::string Shown(const TBytes& m) {
  auto hex = [](unsigned value, int digits) {
    char text[9];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return std::string(text);
  };
  std::string out;
  if (m.size() < 11 || m[0] != 0xF0 || m[1] != 0x41) {
    for (std::uint8_t b : m) out += (out.empty() ? "" : " ") + hex(b, 2);
    return out;
  }
  out = hex(m[2], 2) + (m[4] == 0x12 ? " DT " : " RQ ") +
        hex(std::uint32_t(m[5]) << 24 | m[6] << 16 | m[7] << 8 | m[8], 8);
  if (m.size() - 11 > 4) out += " [" + std::to_string(m.size() - 11) + "]";
  unsigned sum = 0;
  for (std::size_t i = 5; i + 1 < m.size(); ++i) sum += m[i];
  for (std::size_t i = 9; i + 2 < m.size() && m.size() <= 15; ++i) out += " " + hex(m[i], 2);
  return sum % 128 == 0 ? out : out + " bad sum";
}

inline std::vector<std::string> Shown(const std::vector<TBytes>& messages) {
  std::vector<std::string> shown;
  for (const TBytes& m : messages) shown.push_back(Shown(m));
  return shown;
}

// Every message the monitor window is told of: its pane, its bytes and when.
struct TRecordingMonitor : TMidiMonitor {
  struct TLine {
    int Pane;
    TBytes Bytes;
    std::chrono::steady_clock::time_point At;
  };
  void AddMessage(int pane, const std::uint8_t* bytes, int length) override {
    Lines.push_back({pane, TBytes(bytes, bytes + length), std::chrono::steady_clock::now()});
  }
  void AddMessageMidi(int pane, const TMyMidiEvent& e) override {
    Lines.push_back({pane, TBytes{e.Status, e.Data1, e.Data2}, std::chrono::steady_clock::now()});
  }
  std::vector<TBytes> Of(int pane) const {
    std::vector<TBytes> out;
    for (const TLine& line : Lines)
      if (line.Pane == pane) out.push_back(line.Bytes);
    return out;
  }
  std::vector<TLine> Lines;
};

class TMidiFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Timing() = TTiming::Scaled(0.01);
    Config() = TConfig();
    auto backend = std::make_unique<TLoopbackBackend>(
        QStringList{QStringLiteral("Port A"), QStringLiteral("Port B")});
    loop = backend.get();
    TMidiDevices::Instance().Clear();
    TMidiDevices::Instance().Add(std::move(backend));
    MidiSession().Create();
    MidiSession().SetMonitor(&monitor);
  }
  void TearDown() override {
    MidiSession().SetMonitor(nullptr);
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming();
  }
  // Delivers the posted input notifications.
  static void Deliver() { QCoreApplication::processEvents(); }
  std::vector<std::string> Sent() const { return Shown(loop->Sent()); }

  TScopedScriptedUI ui;
  TLoopbackBackend* loop = nullptr;
  TRecordingMonitor monitor;
};
