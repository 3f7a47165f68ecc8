#pragma once
// Standard MIDI files put together byte by byte for the reader and player tests.
#include <cstdint>
#include <initializer_list>
#include <vector>

using TSmfBytes = std::vector<std::uint8_t>;

inline TSmfBytes Vlq(std::uint32_t value) {
  TSmfBytes out{static_cast<std::uint8_t>(value & 0x7F)};
  while (value >>= 7) out.insert(out.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
  return out;
}

inline void Append(TSmfBytes& to, const TSmfBytes& bytes) {
  to.insert(to.end(), bytes.begin(), bytes.end());
}

// The low byte of value.
inline std::uint8_t Low(std::uint32_t value) {
  return static_cast<std::uint8_t>(value);
}

inline TSmfBytes Chunk(const char* tag, const TSmfBytes& body) {
  TSmfBytes out(tag, tag + 4);
  const auto n = static_cast<std::uint32_t>(body.size());
  Append(out, {Low(n >> 24), Low(n >> 16), Low(n >> 8), Low(n)});
  Append(out, body);
  return out;
}

// A file of the format and division with the given track bodies.
inline TSmfBytes Smf(int format, std::uint16_t division, std::initializer_list<TSmfBytes> tracks) {
  TSmfBytes out =
      Chunk("MThd", {0, Low(format), 0, Low(tracks.size()), Low(division >> 8), Low(division)});
  for (const TSmfBytes& track : tracks) Append(out, Chunk("MTrk", track));
  return out;
}

// Track body helper: delta time, then the event's bytes.
inline TSmfBytes At(std::uint32_t delta, const TSmfBytes& event) {
  TSmfBytes out = Vlq(delta);
  Append(out, event);
  return out;
}

inline TSmfBytes Track(std::initializer_list<TSmfBytes> events) {
  TSmfBytes out;
  for (const TSmfBytes& e : events) Append(out, e);
  return out;
}

inline TSmfBytes Tempo(std::uint32_t usPerQuarter) {
  return {0xFF, 0x51, 0x03, Low(usPerQuarter >> 16), Low(usPerQuarter >> 8), Low(usPerQuarter)};
}
inline TSmfBytes EndOfTrack() {
  return {0xFF, 0x2F, 0x00};
}
