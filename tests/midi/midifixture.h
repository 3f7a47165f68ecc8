#pragma once
// A MIDI session on two loopback devices with shortened pacing.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include "midi/config.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/timing.h"

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
  }
  void TearDown() override {
    MidiSession().SetMonitor(nullptr);
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming();
  }
  // Delivers the posted input notifications.
  static void Deliver() { QCoreApplication::processEvents(); }

  TScopedScriptedUI ui;
  TLoopbackBackend* loop = nullptr;
};

using TBytes = std::vector<std::uint8_t>;
