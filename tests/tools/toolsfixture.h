#pragma once
// Patches and banks filled with random sound data for the sound-tool tests, and the ports open on
// a loopback device that records what is sent, with the preview settings at their defaults.
#include <memory>
#include <random>

#include <gtest/gtest.h>

#include "midi/config.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/timing.h"
#include "model/patchbank.h"
#include "model/transfer.h"

using TSentBytes = std::vector<std::vector<std::uint8_t>>;

class TToolSessionTest : public ::testing::Test {
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
  }
  void TearDown() override {
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming();
  }

  TScopedScriptedUI ui;
  TLoopbackBackend* loop = nullptr;
};

// Every data byte of every block a random 7-bit value; the name bytes random letters.
inline void FillRandom(TPatch& patch, std::mt19937& gen) {
  std::uniform_int_distribution<int> byte(0, 127);
  for (int b = 0; b < TCommon::kDataSize; ++b)
    patch.Common.StoreByte(b, static_cast<std::uint8_t>(byte(gen)));
  for (TTone& tone : patch.Tones)
    for (int b = 0; b < TTone::kDataSize; ++b)
      tone.StoreByte(b, static_cast<std::uint8_t>(byte(gen)));
  std::uniform_int_distribution<int> letter(0, 25);
  for (int b = 0; b < 12; ++b)
    patch.Common.StoreByte(b, static_cast<std::uint8_t>('A' + letter(gen)));
}

inline void FillRandom(TPatchBank& bank, unsigned seed) {
  std::mt19937 gen(seed);
  for (int i = 0; i < TPatchBank::kMemberCount; ++i) FillRandom(bank.Patch(i), gen);
}
