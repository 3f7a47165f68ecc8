#include "instrument/instrument.h"

#include <algorithm>
#include <cstring>

#include <QFile>
#include <QSaveFile>

#include "instrument/efxdefaults.h"
#include "midi/sysex.h"

namespace {

constexpr std::uint8_t kSysexStart = 0xF0;
constexpr std::uint8_t kSysexEnd = 0xF7;
constexpr std::uint8_t kUniversalNonRealtime = 0x7E;
constexpr std::size_t kHeaderSize = 9;    // F0 41 dev 6A cmd a a a a
constexpr std::size_t kRequestSize = 15;  // header, four size bytes, checksum, F7
constexpr char kFileMagic[8] = {'V', 'E', 'S', 'T', 'A', 'M', 'E', 'M'};

std::uint32_t BigEndian(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// A system-exclusive message whose body holds only data bytes.
bool WellFormedSysex(const std::uint8_t* data, std::size_t size) {
  if (size < 2 || data[0] != kSysexStart || data[size - 1] != kSysexEnd) return false;
  return std::all_of(data + 1, data + size - 1, [](std::uint8_t b) { return b < 0x80; });
}

void PutName(std::vector<std::uint8_t>& memory, const TBlockInfo& block, const QString& name) {
  const QByteArray text = name.leftJustified(TMemoryMap::kNameSize, ' ', true).toLatin1();
  std::memcpy(memory.data() + block.Offset, text.constData(), TMemoryMap::kNameSize);
}

QString AreaName(const TBlockInfo& block) {
  switch (block.Area) {
    case TMemoryArea::User:
      return QStringLiteral("USER");
    case TMemoryArea::Card:
      return QStringLiteral("CARD");
    default:
      return QStringLiteral("TEMP");
  }
}

}  // namespace

TInstrument::TInstrument() : map_(TMemoryMap::Instance()), random_(faults_.Seed) {
  memory_.assign(map_.TotalSize(), 0);
  FillFactoryContents();
}

void TInstrument::Reset() {
  std::lock_guard lock(mutex_);
  FillFactoryContents();
}

// The contents of a freshly initialised object of each kind, with a name telling every object
// apart ("USER P001", "CARD PF 12", "TEMP RHYTHM").
void TInstrument::FillFactoryContents() {
  std::fill(memory_.begin(), memory_.end(), 0);
  for (const TBlockInfo& block : map_.Blocks()) {
    std::uint8_t* data = memory_.data() + block.Offset;
    const bool temporary = block.Area == TMemoryArea::Temporary;
    switch (block.Kind) {
      case TBlockKind::SystemCommon: {
        static constexpr std::pair<int, std::uint8_t> kSystem[] = {
            {0, 0x01},  {6, 0x3F},  {8, 0x01},  {9, 0x01},  {10, 0x01}, {12, 0x01}, {17, 0x02},
            {18, 0x61}, {19, 0x0B}, {28, 0x10}, {30, 0x01}, {32, 0x3C}, {33, 0x7F}, {34, 0x40},
            {35, 0x7F}, {36, 0x43}, {37, 0x7F}, {38, 0x3D}, {39, 0x7F}};
        for (auto [offset, value] : kSystem) data[offset] = value;
        std::fill(data + 20, data + 28, 0x01);
        break;
      }
      case TBlockKind::ScaleTune:
        std::fill(data, data + block.Size, 0x40);
        break;
      case TBlockKind::PatchCommon:
        PutName(memory_, block,
                temporary ? QStringLiteral("TEMP PATCH")
                          : QStringLiteral("%1 P%2")
                                .arg(AreaName(block))
                                .arg(block.Number, 3, 10, QLatin1Char('0')));
        data[44] = 1;
        data[45] = 4;
        break;
      case TBlockKind::PatchTone:
        data[12] = 1;
        data[13] = 1;
        data[122] = 1;
        break;
      case TBlockKind::PerformanceCommon:
        PutName(memory_, block,
                temporary ? QStringLiteral("TEMP PERFORM")
                          : QStringLiteral("%1 PF %2")
                                .arg(AreaName(block))
                                .arg(block.Number, 2, 10, QLatin1Char('0')));
        data[45] = 1;
        data[46] = 4;
        break;
      case TBlockKind::PerformancePart:
        break;
      case TBlockKind::RhythmCommon:
        PutName(memory_, block,
                temporary ? QStringLiteral("TEMP RHYTHM")
                          : QStringLiteral("%1 RHY %2").arg(AreaName(block)).arg(block.Number));
        break;
      case TBlockKind::RhythmNote:
        data[53] = 1;
        break;
    }
  }
}

std::uint8_t TInstrument::DeviceId() const {
  std::lock_guard lock(mutex_);
  return deviceId_;
}

void TInstrument::SetDeviceId(std::uint8_t id) {
  std::lock_guard lock(mutex_);
  deviceId_ = id & 0x7F;
}

bool TInstrument::CardInserted() const {
  std::lock_guard lock(mutex_);
  return card_;
}

void TInstrument::SetCardInserted(bool inserted) {
  std::lock_guard lock(mutex_);
  card_ = inserted;
}

TInstrumentFaults TInstrument::Faults() const {
  std::lock_guard lock(mutex_);
  return faults_;
}

void TInstrument::SetFaults(const TInstrumentFaults& faults) {
  std::lock_guard lock(mutex_);
  faults_ = faults;
  faults_.DelayMs = std::max(0, faults_.DelayMs);
  random_.seed(faults_.Seed);
}

TInstrumentCounters TInstrument::Counters() const {
  std::lock_guard lock(mutex_);
  return counters_;
}

std::vector<TMidiMessage> TInstrument::Feed(const std::uint8_t* data, std::size_t size) {
  std::lock_guard lock(mutex_);
  if (data == nullptr || size == 0 || size > kMaxMessageSize) {
    ++counters_.Ignored;
    return {};
  }
  if (data[0] != kSysexStart) {
    const std::uint8_t status = data[0] & 0xF0;
    if (status == 0x90 && size == 3 && data[1] < 0x80 && data[2] < 0x80) {
      ++(data[2] > 0 ? counters_.NoteOns : counters_.NoteOffs);
    } else if (status == 0x80 && size == 3 && data[1] < 0x80 && data[2] < 0x80) {
      ++counters_.NoteOffs;
    } else {
      ++counters_.Ignored;
    }
    return {};
  }
  if (!WellFormedSysex(data, size)) {
    ++counters_.Ignored;
    return {};
  }
  if (size == 6 && data[1] == kUniversalNonRealtime &&
      (data[2] == kBroadcastId || data[2] == deviceId_) && data[3] == 0x09 && data[4] == 0x02) {
    ++counters_.GmSystemOffs;
    return {};
  }
  const bool ours = size >= kHeaderSize + 2 && data[1] == kRolandId &&
                    (data[2] == deviceId_ || data[2] == kBroadcastId) && data[3] == kModelId;
  if (!ours || Checksum(data, static_cast<int>(size - 1)) != data[size - 2]) {
    ++counters_.Ignored;
    return {};
  }
  const std::uint32_t address = BigEndian(data + 5);
  if (data[4] == kCmdDT1 && size > kHeaderSize + 2) {
    ApplyDataSet(address, data + kHeaderSize, size - kHeaderSize - 2);
    ++counters_.DataSets;
    return {};
  }
  if (data[4] == kCmdRQ1 && size == kRequestSize) {
    ++counters_.Requests;
    return Answer(address, TMemoryMap::ToLinear(BigEndian(data + kHeaderSize)));
  }
  ++counters_.Ignored;
  return {};
}

bool TInstrument::Accessible(const TBlockInfo& block) const {
  return block.Area != TMemoryArea::Card || card_;
}

void TInstrument::ApplyDataSet(std::uint32_t address, const std::uint8_t* data, std::size_t count) {
  for (const TBlockShare& share : map_.Shares(address, count)) {
    if (!Accessible(*share.Block)) continue;
    // In message order, so that parameters sent after a type byte win over its defaults.
    for (int i = 0; i < share.Length; ++i)
      StoreByte(*share.Block, share.BlockOffset + i, data[share.RunOffset + i]);
  }
}

void TInstrument::StoreByte(const TBlockInfo& block, int offset, std::uint8_t value) {
  std::uint8_t* bytes = memory_.data() + block.Offset;
  const bool efxType =
      (block.Kind == TBlockKind::PatchCommon && offset == TMemoryMap::kPatchEfxType) ||
      (block.Kind == TBlockKind::PerformanceCommon && offset == TMemoryMap::kPerformanceEfxType);
  if (efxType && bytes[offset] != value) {
    // Selecting another effect loads that effect's own parameter settings.
    if (const auto* defaults = EfxDefaults(value))
      std::copy(defaults->begin(), defaults->end(), bytes + offset + 1);
  }
  bytes[offset] = value;
}

std::vector<TMidiMessage> TInstrument::Answer(std::uint32_t address, std::uint32_t size) {
  std::vector<TMidiMessage> replies;
  for (const TBlockShare& share : map_.Shares(address, size)) {
    if (!Accessible(*share.Block)) continue;
    AddReply(replies, TMemoryMap::ToAddress(share.Block->Linear + share.BlockOffset),
             memory_.data() + share.Block->Offset + share.BlockOffset, share.Length);
  }
  return replies;
}

void TInstrument::AddReply(std::vector<TMidiMessage>& replies, std::uint32_t address,
                           const std::uint8_t* data, std::size_t count) {
  if (Roll(faults_.Drop)) {
    ++counters_.Dropped;
    return;
  }
  TMidiMessage message{kSysexStart,
                       kRolandId,
                       deviceId_,
                       kModelId,
                       kCmdDT1,
                       static_cast<std::uint8_t>(address >> 24),
                       static_cast<std::uint8_t>(address >> 16),
                       static_cast<std::uint8_t>(address >> 8),
                       static_cast<std::uint8_t>(address)};
  message.insert(message.end(), data, data + count);
  if (Roll(faults_.WrongLength)) {
    if (count > 1 && Roll(0.5))
      message.pop_back();
    else
      message.push_back(0);
  }
  message.push_back(0);  // checksum
  message.push_back(kSysexEnd);
  const int last = static_cast<int>(message.size() - 1);
  message[message.size() - 2] = Checksum(message.data(), last);
  if (Roll(faults_.Corrupt)) {
    // Damage in transit: a data byte changed after the checksum was made.
    // The place comes from the reply count, so the fault draws no more random numbers.
    const std::size_t data = message.size() - 11;
    const std::size_t at = data == 0 ? message.size() - 2 : 9 + counters_.Replies % data;
    message[at] = (message[at] + 1) & 0x7F;
  }
  replies.push_back(std::move(message));
  ++counters_.Replies;
}

bool TInstrument::Roll(double probability) {
  if (probability <= 0) return false;
  return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < probability;
}

std::vector<std::uint8_t> TInstrument::Read(std::uint32_t address, std::size_t count) const {
  std::lock_guard lock(mutex_);
  std::vector<std::uint8_t> bytes(count, 0);
  for (const TBlockShare& share : map_.Shares(address, count))
    std::copy_n(
        memory_.begin() + static_cast<std::ptrdiff_t>(share.Block->Offset + share.BlockOffset),
        share.Length, bytes.begin() + static_cast<std::ptrdiff_t>(share.RunOffset));
  return bytes;
}

void TInstrument::Write(std::uint32_t address, const std::vector<std::uint8_t>& bytes) {
  std::lock_guard lock(mutex_);
  for (const TBlockShare& share : map_.Shares(address, bytes.size()))
    std::copy_n(
        bytes.begin() + static_cast<std::ptrdiff_t>(share.RunOffset), share.Length,
        memory_.begin() + static_cast<std::ptrdiff_t>(share.Block->Offset + share.BlockOffset));
}

std::vector<std::uint8_t> TInstrument::Block(std::uint32_t address) const {
  std::lock_guard lock(mutex_);
  const TBlockInfo* block = map_.BlockAt(address);
  if (block == nullptr) return {};
  const auto begin = memory_.begin() + static_cast<std::ptrdiff_t>(block->Offset);
  return {begin, begin + block->Size};
}

QString TInstrument::Name(std::uint32_t address) const {
  const std::vector<std::uint8_t> bytes = Read(address, TMemoryMap::kNameSize);
  return QString::fromLatin1(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<qsizetype>(bytes.size()));
}

bool TInstrument::Load(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return false;
  }
  const QByteArray content = file.readAll();
  const qsizetype expected = static_cast<qsizetype>(sizeof(kFileMagic) + map_.TotalSize());
  if (content.size() != expected ||
      std::memcmp(content.constData(), kFileMagic, sizeof(kFileMagic)) != 0) {
    if (error) *error = QStringLiteral("%1: not an instrument memory file").arg(path);
    return false;
  }
  std::lock_guard lock(mutex_);
  std::memcpy(memory_.data(), content.constData() + sizeof(kFileMagic), memory_.size());
  return true;
}

bool TInstrument::Save(const QString& path, QString* error) const {
  QSaveFile file(path);
  // Unbuffered: a short write must show in write()'s count, not vanish in commit()'s flush.
  bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  if (ok) {
    std::lock_guard lock(mutex_);
    ok = file.write(kFileMagic, sizeof(kFileMagic)) == sizeof(kFileMagic) &&
         file.write(reinterpret_cast<const char*>(memory_.data()),
                    static_cast<qint64>(memory_.size())) == static_cast<qint64>(memory_.size());
  }
  if (ok) ok = file.commit();
  if (!ok && error) *error = QStringLiteral("%1: %2").arg(path, file.errorString());
  return ok;
}
