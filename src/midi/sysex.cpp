#include "midi/sysex.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

#include "midi/config.h"
#include "midi/midisession.h"
#include "midi/pacedsender.h"
#include "midi/timing.h"
#include "midi/userinterface.h"

std::array<std::uint8_t, kSysexBufferSize> SysexBuffer{};

std::uint8_t DeviceIdByte() { return static_cast<std::uint8_t>((Config().DeviceID - 1) & 0x7F); }

std::uint8_t Checksum(const std::uint8_t* image, int last) {
  unsigned sum = 0;
  for (int i = 5; i <= last - 2; ++i) sum += image[i];
  return static_cast<std::uint8_t>((128 - sum % 128) % 128);
}

void PrepareMessage(std::uint8_t* image, int last, std::uint32_t address) {
  image[0] = 0xF0;
  image[1] = kRolandId;
  image[2] = DeviceIdByte();
  image[3] = kModelId;
  image[4] = kCmdDT1;
  image[5] = static_cast<std::uint8_t>(address >> 24);
  image[6] = static_cast<std::uint8_t>(address >> 16);
  image[7] = static_cast<std::uint8_t>(address >> 8);
  image[8] = static_cast<std::uint8_t>(address);
  image[last - 1] = Checksum(image, last);
  image[last] = 0xF7;
}

bool ReplyValid(const TMyMidiEvent& event) {
  const int length = event.SysexLength();
  // Header, one checksum byte and F7 at the least; anything shorter carries no block.
  if (length < 7) return false;
  return Checksum(event.Sysex.data(), length - 1) == event.Sysex[length - 2];
}

void Pause(int ms) {
  if (ms <= 0) return;
  using namespace std::chrono;
  // Sleep most of the time away, then spin the last millisecond: the scheduler's wake-up delay
  // would otherwise add up over a bank of hundreds of messages.
  const auto deadline = steady_clock::now() + milliseconds(ms);
  std::this_thread::sleep_until(deadline - milliseconds(1));
  while (steady_clock::now() < deadline) std::this_thread::yield();
}

namespace {
// Assembles one message in SysexBuffer and hands it to the paced sender; returns its length.
int SendMessage(std::uint8_t command, std::uint32_t base, std::uint16_t offset1,
                std::uint16_t offset2, const std::uint8_t* data, int n) {
  if (n < 0 || n > kMaxDataRun) throw std::length_error("system-exclusive data run too long");
  const std::uint32_t address = base + offset1 + offset2;
  const int length = n + 11;
  std::copy(data, data + n, SysexBuffer.begin() + 9);
  PrepareMessage(SysexBuffer.data(), length - 1, address);
  SysexBuffer[4] = command;
  Sender().SendSysex(SysexBuffer.data(), static_cast<std::size_t>(length));
  return length;
}
}  // namespace

namespace {
// A data byte above 7FH would be read by the instrument as a status byte. Elements are checked
// whole before they are sent (with a message naming the element); this keeps any other such
// byte off the wire, and says where it would have gone.
bool DataFits(std::uint32_t address, const std::uint8_t* data, int n) {
  if (!MidiSession().MidiOpen()) return true;  // nothing is sent anyway
  const std::uint8_t* high = std::find_if(data, data + n, [](std::uint8_t b) { return b > 0x7F; });
  if (high == data + n) return true;
  UI().Show(TMsgKind::Error,
            QStringLiteral("A data set for address %1H was not sent: its byte %2 is %3H, and a "
                           "system-exclusive message carries only 00H to 7FH.")
                .arg(QString::number(address, 16).toUpper().rightJustified(8, QLatin1Char('0')))
                .arg(high - data)
                .arg(QString::number(*high, 16).toUpper()));
  return false;
}
}  // namespace

void SendDataSet(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2,
                 const std::uint8_t* data, int n) {
  if (!DataFits(base + offset1 + offset2, data, std::max(n, 0))) return;
  SendMessage(kCmdDT1, base, offset1, offset2, data, n);
}

void SendDataRequest(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2,
                     std::uint32_t size) {
  const std::uint8_t bytes[4] = {
      static_cast<std::uint8_t>(size >> 24), static_cast<std::uint8_t>(size >> 16),
      static_cast<std::uint8_t>(size >> 8), static_cast<std::uint8_t>(size)};
  SendMessage(kCmdRQ1, base, offset1, offset2, bytes, 4);
}

void SendDataByte(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2,
                  std::uint8_t value) {
  if (!DataFits(base + offset1 + offset2, &value, 1)) return;
  SendMessage(kCmdDT1, base, offset1, offset2, &value, 1);
}

void DefaultMidiInput(TMidiInput* input) {
  TMidiSession& session = MidiSession();
  if (!session.MidiOpen() || !input) return;
  std::unique_ptr<TMyMidiEvent> event = input->NextEvent();
  if (!event) return;
  const bool thru = Config().Thrue == 1;
  if (thru && !event->IsSysex() && session.Output()) {
    try {
      Sender().SendShort(event->Status, event->Data1, event->Data2);
    } catch (const EmidioutputError& e) {
      // Shown once: a failing output would otherwise raise a box for every key played.
      static bool shown = false;
      if (!shown) {
        shown = true;
        UI().Show(TMsgKind::Error, e.Text());
      }
    }
  }
  int copied = 0;
  if (event->IsSysex()) {
    copied = std::min<int>(event->SysexLength(), kSysexBufferSize);
    std::copy_n(event->Sysex.begin(), copied, SysexBuffer.begin());
  }
  if (TMidiMonitor* monitor = session.Monitor()) {
    if (event->IsSysex()) {
      monitor->AddMessage(MonitorInput, SysexBuffer.data(), copied);
      if (thru) monitor->AddMessage(MonitorOutput, SysexBuffer.data(), copied);
    } else {
      // What thru passes on is logged by the sender as it leaves.
      monitor->AddMessageMidi(MonitorInput, *event);
    }
  }
}
