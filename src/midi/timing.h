#pragma once
// Every pause, time-out and timer interval of the program, in milliseconds. The defaults are the
// instrument's and the user interface's real pacing; tests shorten them with Scaled().

struct TTiming {
  int MessagePauseMs = 50;      // quiet gap before every system-exclusive message
  int ReplyTimeoutMs = 2000;    // no answer to a data request within this: "not responding"
  int TransmitTickMs = 50;      // period of the timer that paces bank and rhythm-set transmissions
  int FinishCloseMs = 1000;     // progress window closes this long after a timed transfer ended
  int CleanupMs = 300;          // input discarded this long after a bad patch-bank reply
  int SplashMs = 1000;          // splash screen until the start-up finishes
  int PreviewMs = 1000;         // audition note length
  int MorphStarterMs = 500;     // morph player: from sending a step to its note
  int EffectsRequestMs = 1000;  // effects page re-request timer
  int UpdateNamesMs = 800;      // time-out of one name-list update step
  int RepeatDelayMs = 600;      // value-field auto-repeat: first delay
  int RepeatIntervalMs = 47;    // value-field auto-repeat: following period
  int WheelRestMs = 300;        // value controls: the wheel quiet this long ends its change

  // Every interval multiplied by factor, never below 1 ms.
  static TTiming Scaled(double factor);
};

// The program-wide timing record.
TTiming& Timing();
