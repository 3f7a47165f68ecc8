#pragma once
// The intervals of the controls' own timers, in milliseconds. The controls depend on nothing of
// the program, so they keep their own copy: the program sets it from its timing record at
// start-up and tests shorten it. Every timer reads it when it starts.

struct TControlTiming {
  static inline int RepeatDelayMs = 600;    // a held arrow or click field: the first repeat
  static inline int RepeatIntervalMs = 47;  // and every repeat after it
  static inline int WheelRestMs = 300;      // the wheel quiet this long ends its change
};
