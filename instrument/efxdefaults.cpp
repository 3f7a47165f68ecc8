#include "instrument/efxdefaults.h"

namespace {

// Typical settings of each algorithm: levels near full, gains and pans centred (15 = 0 dB,
// 64 = centre), balance 50:50 (30 for delays and reverbs), moderate rates and depths, feedback
// about +20 %, HF damp at bypass (17). Codes are the raw parameter values.
constexpr std::array<std::array<std::uint8_t, 12>, kEfxTypes> kDefaults = {{
    {1, 15, 0, 15, 7, 1, 15, 12, 1, 15, 127, 0},           // Stereo Equalizer
    {48, 64, 1, 15, 15, 96, 0, 0, 0, 0, 0, 0},             // Overdrive
    {76, 64, 2, 15, 15, 84, 0, 0, 0, 0, 0, 0},             // Distortion
    {30, 9, 64, 16, 127, 64, 127, 0, 0, 0, 0, 0},          // Phaser
    {15, 15, 15, 15, 15, 15, 15, 15, 0, 64, 127, 0},       // Spectrum
    {64, 64, 15, 15, 127, 0, 0, 0, 0, 0, 0, 0},            // Enhancer
    {1, 19, 64, 0, 68, 62, 127, 0, 0, 0, 0, 0},            // Auto-Wah
    {6, 5, 107, 104, 0, 11, 3, 127, 127, 96, 127, 0},      // Rotary
    {80, 32, 64, 1, 15, 15, 96, 0, 0, 0, 0, 0},            // Compressor
    {85, 32, 2, 64, 1, 15, 15, 96, 0, 0, 0, 0},            // Limiter
    {20, 9, 64, 5, 20, 16, 50, 127, 0, 0, 0, 0},           // Hexa-Chorus
    {20, 9, 64, 59, 96, 90, 50, 127, 0, 0, 0, 0},          // Tremolo-Chorus
    {20, 9, 64, 15, 15, 90, 50, 127, 0, 0, 0, 0},          // Space-D
    {0, 12, 20, 9, 64, 90, 0, 15, 15, 50, 127, 0},         // Stereo-Chorus
    {0, 12, 10, 5, 80, 90, 73, 15, 15, 50, 127, 0},        // Stereo-Flanger
    {10, 5, 80, 73, 122, 90, 15, 15, 50, 127, 0, 0},       // Step-Flanger
    {0, 100, 105, 0, 0, 59, 17, 15, 15, 30, 127, 0},       // Stereo-Delay
    {0, 100, 105, 59, 17, 9, 40, 90, 15, 15, 30, 127},     // Modulation-Delay
    {40, 80, 60, 59, 17, 127, 127, 127, 15, 15, 30, 127},  // Triple-Tap-Delay
    {20, 40, 60, 75, 127, 100, 80, 60, 59, 17, 30, 127},   // Quadruple-Tap-Delay
    {60, 59, 10, 17, 64, 15, 15, 30, 127, 0, 0, 0},        // Time-Control-Delay
    {0, 31, 19, 50, 50, 0, 0, 32, 96, 50, 50, 127},        // Voice-Pitch-Shifter
    {0, 36, 50, 0, 49, 64, 15, 15, 50, 127, 0, 0},         // FBK-Pitch-Shifter
    {4, 0, 64, 17, 15, 15, 30, 127, 0, 0, 0, 0},           // Reverb
    {0, 0, 19, 15, 15, 50, 127, 0, 0, 0, 0, 0},            // Gate-Reverb
    {48, 64, 20, 9, 64, 0, 50, 96, 0, 0, 0, 0},            // Overdrive -> Chorus
    {48, 64, 10, 5, 80, 73, 50, 96, 0, 0, 0, 0},           // Overdrive -> Flanger
    {48, 64, 100, 59, 17, 30, 96, 0, 0, 0, 0, 0},          // Overdrive -> Delay
    {76, 64, 20, 9, 64, 0, 50, 84, 0, 0, 0, 0},            // Distortion -> Chorus
    {76, 64, 10, 5, 80, 73, 50, 84, 0, 0, 0, 0},           // Distortion -> Flanger
    {76, 64, 100, 59, 17, 30, 84, 0, 0, 0, 0, 0},          // Distortion -> Delay
    {64, 64, 20, 9, 64, 0, 50, 127, 0, 0, 0, 0},           // Enhancer -> Chorus
    {64, 64, 10, 5, 80, 73, 50, 127, 0, 0, 0, 0},          // Enhancer -> Flanger
    {64, 64, 100, 59, 17, 0, 30, 127, 0, 0, 0, 0},         // Enhancer -> Delay
    {20, 9, 64, 0, 50, 100, 59, 17, 30, 127, 0, 0},        // Chorus -> Delay
    {10, 5, 80, 73, 50, 100, 59, 17, 30, 127, 0, 0},       // Flanger -> Delay
    {20, 9, 64, 50, 10, 5, 80, 73, 50, 127, 0, 0},         // Chorus -> Flanger
    {20, 9, 64, 0, 50, 100, 59, 17, 30, 127, 0, 0},        // Chorus / Delay
    {10, 5, 80, 73, 50, 100, 59, 17, 30, 127, 0, 0},       // Flanger / Delay
    {20, 9, 64, 50, 10, 5, 80, 73, 50, 127, 0, 0},         // Chorus / Flanger
}};

}  // namespace

const std::array<std::uint8_t, 12>* EfxDefaults(int type) {
  if (type < 0 || type >= kEfxTypes) return nullptr;
  return &kDefaults[static_cast<std::size_t>(type)];
}
