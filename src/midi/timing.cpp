#include "midi/timing.h"

#include <algorithm>
#include <cmath>

TTiming TTiming::Scaled(double factor) {
  TTiming t;
  auto scale = [factor](int& ms) { ms = std::max(1, static_cast<int>(std::lround(ms * factor))); };
  for (int* ms : {&t.MessagePauseMs, &t.ReplyTimeoutMs, &t.TransmitTickMs, &t.FinishCloseMs,
                  &t.CleanupMs, &t.SplashMs, &t.PreviewMs, &t.MorphStarterMs, &t.EffectsRequestMs,
                  &t.UpdateNamesMs, &t.RepeatDelayMs, &t.RepeatIntervalMs, &t.WheelRestMs})
    scale(*ms);
  return t;
}

TTiming& Timing() {
  static TTiming timing;
  return timing;
}
