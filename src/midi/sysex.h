#pragma once
// Roland system-exclusive messages: data set (DT1, 12H) and data request (RQ1, 11H) for model
// 6AH, their checksum, their pacing, and the default handler of received messages.
#include <array>
#include <cstdint>

#include "midi/midievent.h"

class TMidiInput;

inline constexpr std::uint8_t kRolandId = 0x41;
inline constexpr std::uint8_t kModelId = 0x6A;
inline constexpr std::uint8_t kCmdDT1 = 0x12;
inline constexpr std::uint8_t kCmdRQ1 = 0x11;
inline constexpr int kSysexBufferSize = 2048;
inline constexpr int kMaxDataRun = kSysexBufferSize - 11;  // 2037 bytes

// The one message buffer: every outgoing message is assembled here, and the default input
// handler copies each received system-exclusive message here.
extern std::array<std::uint8_t, kSysexBufferSize> SysexBuffer;

// The device ID byte of every message: the configured device number minus 1.
std::uint8_t DeviceIdByte();

// Roland checksum of image bytes 5 to last - 2: 128 - (sum mod 128), 0 instead of 128.
std::uint8_t Checksum(const std::uint8_t* image, int last);
// Writes F0 41 dev 6A 12, the address, the checksum (at last - 1) and F7 (at last) into a stored
// block image whose final byte has index last.
void PrepareMessage(std::uint8_t* image, int last, std::uint32_t address);
// A system-exclusive event whose checksum byte (before F7) matches its bytes 5 to L - 3.
bool ReplyValid(const TMyMidiEvent& event);

// Blocks the calling thread for ms milliseconds (nothing else runs meanwhile).
void Pause(int ms);

// One data set of n bytes (n <= 2037) to base + offset1 + offset2, a plain binary sum, assembled
// in SysexBuffer and queued in the paced sender (the pause before it is kept there; the caller
// does not wait). Queued only while the MIDI-open flag is set.
// Data holding a byte above 7FH is not queued: an error says where it would have gone.
void SendDataSet(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2,
                 const std::uint8_t* data, int n);
// The same for one data request for size bytes (sent as four 7-bit groups' bytes, most
// significant first, exactly as given).
void SendDataRequest(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2,
                     std::uint32_t size);
void SendDataByte(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2,
                  std::uint8_t value);

// The input handler whenever no transfer runs: MIDI thru of short messages, the copy into
// SysexBuffer, and the monitor's input (and thru) log.
void DefaultMidiInput(TMidiInput* input);
