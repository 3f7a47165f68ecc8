#pragma once
// Shared test helpers: a scripted user interface, a scratch folder, shortened pacing, and a MIDI
// session on a loopback device for the tests that look at what is sent.
#include <memory>
#include <vector>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "midi/config.h"
#include "midi/loopbackbackend.h"
#include "midi/midibackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/timing.h"
#include "model/libelem.h"
#include "tests/instrument/sysexhelpers.h"

class TModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Config() = TConfig();
    SetXpFlag(false);
    Timing() = TTiming::Scaled(0.02);
  }
  void TearDown() override {
    MidiSession().SetMonitor(nullptr);
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming();
  }
  // Opens the MIDI session on the backend's devices.
  static void Open(std::unique_ptr<TMidiBackend> backend) {
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    TMidiDevices::Instance().Add(std::move(backend));
    MidiSession().Create();
  }
  QString Path(const QString& name) const { return dir.filePath(name); }
  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static void WriteAll(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
  }

  TScopedScriptedUI ui;
  QTemporaryDir dir;
};

class TSendTest : public TModelTest {
 protected:
  void SetUp() override {
    TModelTest::SetUp();
    auto backend = std::make_unique<TLoopbackBackend>();
    loop = backend.get();
    Open(std::move(backend));
  }
  // The message that went out as index i: header, address, data, checksum, F7.
  TBytes Sent(std::size_t i) const { return loop->Sent().at(i); }
  std::size_t SentCount() const { return loop->Sent().size(); }
  std::vector<std::uint32_t> SentAddresses() const {
    std::vector<std::uint32_t> addresses;
    for (const TBytes& message : loop->Sent()) addresses.push_back(AddressOf(message));
    return addresses;
  }

  TLoopbackBackend* loop = nullptr;
};
