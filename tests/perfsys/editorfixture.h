#pragma once
// The editor windows against a loopback port: every message they send is recorded, pacing is
// shortened, and the objects start out as the current ones so that only the edits are sent.
#include <memory>
#include <vector>

#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "controls/myedit.h"
#include "midi/config.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/timing.h"
#include "tests/instrument/sysexhelpers.h"

class TEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Config() = TConfig();
    Timing() = TTiming::Scaled(0.02);
    auto backend = std::make_unique<TLoopbackBackend>();
    loop = backend.get();
    TMidiDevices::Instance().Clear();
    TMidiDevices::Instance().Add(std::move(backend));
    MidiSession().Create();
  }
  void TearDown() override {
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming();
    Config() = TConfig();
  }
  std::vector<TBytes> Sent() const { return loop->Sent(); }
  void ClearSent() { loop->ClearSent(); }
  // Only the data sets sent (the data requests left out).
  std::vector<TBytes> DataSets() const {
    std::vector<TBytes> sets;
    for (const TBytes& m : loop->Sent())
      if (m.size() > 4 && m[0] == 0xF0 && m[4] == 0x12) sets.push_back(m);
    return sets;
  }
  // One press and release of a value field's arrow.
  static void Step(TMyEdit* edit, bool up) {
    QWidget* button = up ? edit->UpButton() : edit->DownButton();
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
  }

  TScopedScriptedUI ui;
  TLoopbackBackend* loop = nullptr;
};
