#pragma once
// A page of the editing pattern without a window: it counts its refreshes and announced writes,
// and a test may hang a refresh of its controls on it.
#include <functional>
#include <utility>
#include <vector>

#include "editors/common/pagestate.h"
#include "midi/loopbackbackend.h"
#include "tests/instrument/sysexhelpers.h"

class TTestPage : public TPageState {
 public:
  using TPageState::TPageState;
  void UpdateView() override {
    ++Views;
    if (OnView) OnView();
  }
  void WillWrite(int offset, int count) override { Writes.push_back({offset, count}); }
  int Views = 0;
  std::vector<std::pair<int, int>> Writes;
  std::function<void()> OnView;
};

// The address of a tone's byte: 03 00 10 00 + (tone − 1) × 200H, byte 128 at 01 00 past it.
inline std::uint32_t ToneAddress(int tone, int offset) {
  return 0x03001000 + static_cast<std::uint32_t>(tone - 1) * 0x200 +
         static_cast<std::uint32_t>(offset < 128 ? offset : 0x100 + offset - 128);
}

// The messages the port received since the last call.
inline std::vector<TBytes> Taken(TLoopbackBackend& port) {
  std::vector<TBytes> sent = port.Sent();
  port.ClearSent();
  return sent;
}
