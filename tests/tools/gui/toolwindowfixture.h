#pragma once
// The tool windows' tests: the ports open on a loopback device that records what is sent, the
// preview settings at their defaults, shortened timing, and a host whose settings live in a map.
#include <map>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "midi/config.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/timing.h"
#include "model/transfer.h"
#include "tools/toolhost.h"

using TSentBytes = std::vector<std::vector<std::uint8_t>>;

class TToolWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Timing() = TTiming::Scaled(0.02);
    Config() = TConfig();
    Config().SingleNote = true;
    Config().PreviewNote = 40;
    Config().PreviewVelocity = 70;
    PreviewChannel = 1;
    auto backend = std::make_unique<TLoopbackBackend>();
    loop = backend.get();
    TMidiDevices::Instance().Clear();
    TMidiDevices::Instance().Add(std::move(backend));
    MidiSession().Create();
    ASSERT_TRUE(MidiSession().MidiOpen());
    loop->ClearSent();
    TToolHost& host = ToolHost();
    host = TToolHost();
    host.ReadInteger = [this](const QString& section, const QString& key, int fallback) {
      const auto it = settings.find((section + u'/' + key).toStdString());
      return it == settings.end() ? fallback : it->second;
    };
    host.WriteInteger = [this](const QString& section, const QString& key, int value) {
      settings[(section + u'/' + key).toStdString()] = value;
    };
    host.SetKeyboardOpen = [this](bool open) { keyboardOpen = open; };
    host.EnableMenuItems = [this] { ++menusEnabled; };
  }
  void TearDown() override {
    ToolHost() = TToolHost();
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming();
  }

  TScopedScriptedUI ui;
  TLoopbackBackend* loop = nullptr;
  std::map<std::string, int> settings;
  bool keyboardOpen = false;
  int menusEnabled = 0;
};
