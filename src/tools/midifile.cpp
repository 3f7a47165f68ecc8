#include "tools/midifile.h"

#include <algorithm>

#include <QDir>
#include <QFile>

namespace {
// A reading failure: what is wrong, and where in the file.
struct TBadFile {
  QString Text;
};

// One event of one track before the tracks are merged.
struct TTrackEvent {
  std::uint64_t Tick;
  std::uint32_t Order;  // file order, for events of one tick
  std::uint32_t Tempo;  // 0: not a tempo change
  TMidiFileEvent Event;
  bool Send;
};
}  // namespace

class TMidiFileReader {
 public:
  TMidiFileReader(std::span<const std::uint8_t> bytes, TMidiFile& file)
      : bytes_(bytes), file_(file) {}

  void Read() {
    if (bytes_.size() < 14 || !Is(0, "MThd"))
      throw TBadFile{QStringLiteral("not a standard MIDI file (it does not begin with MThd)")};
    const std::uint32_t headerLength = U32(4);
    if (headerLength < 6 || headerLength > bytes_.size() - 8)
      throw TBadFile{
          QStringLiteral("damaged: the file header has a length of %1").arg(headerLength)};
    file_.Format = U16(8);
    const std::uint16_t division = U16(12);
    if (file_.Format == 2)
      throw TBadFile{QStringLiteral("a format 2 file (independent songs), which is not played")};
    if (file_.Format > 2)
      throw TBadFile{
          QStringLiteral("format %1 is not a standard MIDI file format").arg(file_.Format)};
    SetDivision(division);

    std::size_t at = 8 + headerLength;
    while (at + 8 <= bytes_.size()) {
      const std::uint32_t length = U32(at + 4);
      if (length > bytes_.size() - at - 8) {
        if (!Is(at, "MTrk")) break;  // trailing bytes that are no chunk
        throw TBadFile{QStringLiteral("damaged: track %1 is cut short (at byte %2)")
                           .arg(file_.Tracks + 1)
                           .arg(at)};
      }
      if (Is(at, "MTrk")) {
        ReadTrack(at + 8, at + 8 + length);
        ++file_.Tracks;
      }
      at += 8 + length;
    }
    if (file_.Tracks == 0) throw TBadFile{QStringLiteral("damaged: it holds no track")};
    Merge();
  }

 private:
  bool Is(std::size_t at, const char* tag) const {
    return std::equal(tag, tag + 4, bytes_.begin() + static_cast<std::ptrdiff_t>(at));
  }
  std::uint16_t U16(std::size_t at) const {
    return static_cast<std::uint16_t>(bytes_[at] << 8 | bytes_[at + 1]);
  }
  std::uint32_t U32(std::size_t at) const {
    return std::uint32_t{bytes_[at]} << 24 | std::uint32_t{bytes_[at + 1]} << 16 |
           std::uint32_t{bytes_[at + 2]} << 8 | bytes_[at + 3];
  }

  void SetDivision(std::uint16_t division) {
    if (division & 0x8000) {
      // Frames per second and ticks per frame: a fixed tick length, tempo changes aside.
      const int fps = -static_cast<std::int8_t>(division >> 8);
      const int ticksPerFrame = division & 0xFF;
      if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || ticksPerFrame == 0)
        throw TBadFile{QStringLiteral("damaged: a time division of %1 frames per second and %2 "
                                      "ticks per frame")
                           .arg(fps)
                           .arg(ticksPerFrame)};
      smpte_ = true;
      // 29 stands for 29.97 frames per second; everything in hundredths of a frame.
      tickNumerator_ = 100000000;
      tickDenominator_ = std::uint64_t(fps == 29 ? 2997 : fps * 100) * ticksPerFrame;
    } else {
      if (division == 0) throw TBadFile{QStringLiteral("damaged: a time division of 0 ticks")};
      tickDenominator_ = division;
      tickNumerator_ = 500000;  // 120 beats per minute until the file sets a tempo
    }
  }

  [[noreturn]] void Damaged(std::size_t at, const QString& what) const {
    throw TBadFile{QStringLiteral("damaged: %1 in track %2 (at byte %3)")
                       .arg(what)
                       .arg(file_.Tracks + 1)
                       .arg(at)};
  }

  std::uint32_t Vlq(std::size_t& at, std::size_t end) const {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      if (at >= end) Damaged(at, QStringLiteral("the track ends inside an event"));
      const std::uint8_t b = bytes_[at++];
      value = value << 7 | (b & 0x7F);
      if (!(b & 0x80)) return value;
    }
    Damaged(at, QStringLiteral("a number longer than four bytes"));
  }

  void Add(std::uint64_t tick, const TMidiFileEvent& event, std::uint32_t tempo, bool send) {
    events_.push_back({tick, static_cast<std::uint32_t>(events_.size()), tempo, event, send});
  }

  void ReadTrack(std::size_t at, std::size_t end) {
    std::uint64_t tick = 0;
    std::uint8_t status = 0;  // running status
    while (at < end) {
      tick += Vlq(at, end);
      if (at >= end) Damaged(at, QStringLiteral("the track ends inside an event"));
      std::uint8_t first = bytes_[at];
      if (first & 0x80) {
        ++at;
      } else {
        if (!status) Damaged(at, QStringLiteral("a data byte without a status"));
        first = status;
      }
      if (first < 0xF0) {
        status = first;
        TMidiFileEvent event;
        event.Bytes[0] = first;
        event.Length = (first & 0xF0) == 0xC0 || (first & 0xF0) == 0xD0 ? 2 : 3;
        for (int i = 1; i < event.Length; ++i) {
          if (at >= end) Damaged(at, QStringLiteral("the track ends inside an event"));
          if (bytes_[at] & 0x80) Damaged(at, QStringLiteral("a status byte inside a message"));
          event.Bytes[i] = bytes_[at++];
        }
        Add(tick, event, 0, true);
      } else if (first == 0xF0 || first == 0xF7) {
        const std::uint32_t length = Vlq(at, end);
        if (length > end - at)
          Damaged(at, QStringLiteral("a system-exclusive message runs past the track"));
        // Whole messages are sent; packets of a divided message (F7 events, or an F0 event
        // without its F7) are not, since no one message would carry them.
        if (first == 0xF0 && length > 0 && bytes_[at + length - 1] == 0xF7) {
          TMidiFileEvent event;
          event.Sysex = static_cast<std::uint32_t>(file_.sysexSpans_.size());
          file_.sysexSpans_.emplace_back(static_cast<std::uint32_t>(file_.sysexData_.size()),
                                         length + 1);
          file_.sysexData_.push_back(0xF0);
          file_.sysexData_.insert(file_.sysexData_.end(),
                                  bytes_.begin() + static_cast<std::ptrdiff_t>(at),
                                  bytes_.begin() + static_cast<std::ptrdiff_t>(at + length));
          Add(tick, event, 0, true);
        }
        at += length;
      } else if (first == 0xFF) {
        if (at >= end) Damaged(at, QStringLiteral("the track ends inside an event"));
        const std::uint8_t type = bytes_[at++];
        const std::uint32_t length = Vlq(at, end);
        if (length > end - at) Damaged(at, QStringLiteral("a meta event runs past the track"));
        if (type == 0x51 && length == 3) {
          const std::uint32_t tempo =
              std::uint32_t{bytes_[at]} << 16 | bytes_[at + 1] << 8 | bytes_[at + 2];
          // A tempo of 0 would put all that follows at one moment; it is taken as 1 µs.
          Add(tick, {}, std::max<std::uint32_t>(tempo, 1), false);
        }
        at += length;
        if (type == 0x2F) {
          Add(tick, {}, 0, false);  // the end counts in the duration
          return;
        }
      } else {
        Damaged(at - 1, QStringLiteral("the undefined status byte %1")
                            .arg(QString::number(first, 16).toUpper()));
      }
    }
  }

  void Merge() {
    std::stable_sort(events_.begin(), events_.end(),
                     [](const TTrackEvent& a, const TTrackEvent& b) { return a.Tick < b.Tick; });
    // Time in 1 / tickDenominator_ microseconds, so no rounding accumulates.
    const std::uint64_t limit =
        static_cast<std::uint64_t>(TMidiFile::kMaxDurationUs) * tickDenominator_;
    std::uint64_t time = 0;
    std::uint64_t lastTick = 0;
    file_.Events.reserve(events_.size());
    for (const TTrackEvent& e : events_) {
      const std::uint64_t ticks = e.Tick - lastTick;
      if (ticks > 0) {
        if (ticks > (limit - time) / tickNumerator_)
          throw TBadFile{QStringLiteral("it would play for longer than 24 hours")};
        time += ticks * tickNumerator_;
        lastTick = e.Tick;
      }
      const auto us = static_cast<std::int64_t>(time / tickDenominator_);
      if (e.Tempo && !smpte_) tickNumerator_ = e.Tempo;
      file_.DurationUs = us;
      if (!e.Send) continue;
      file_.Events.push_back(e.Event);
      file_.Events.back().TimeUs = us;
    }
  }

  std::span<const std::uint8_t> bytes_;
  TMidiFile& file_;
  std::vector<TTrackEvent> events_;
  bool smpte_ = false;
  std::uint64_t tickNumerator_ = 500000;  // microseconds per quarter note, or per tick × den
  std::uint64_t tickDenominator_ = 1;
};

namespace {
QString TooLarge() {
  return QStringLiteral("larger than %1 MB, too large for a MIDI file to audition")
      .arg(TMidiFile::kMaxFileSize / (1024 * 1024));
}
}  // namespace

TMidiFile TMidiFile::Read(std::span<const std::uint8_t> bytes) {
  TMidiFile file;
  if (static_cast<qint64>(bytes.size()) > kMaxFileSize) {
    file.Error = TooLarge();
    return file;
  }
  try {
    TMidiFileReader(bytes, file).Read();
  } catch (const TBadFile& bad) {
    file = TMidiFile();
    file.Error = bad.Text;
  }
  return file;
}

TMidiFile TMidiFile::Load(const QString& path) {
  TMidiFile file;
  QFile in(path);
  if (!in.open(QIODevice::ReadOnly)) {
    file.Error = in.errorString();
  } else if (in.size() > kMaxFileSize) {
    file.Error = TooLarge();
  } else {
    const QByteArray bytes = in.readAll();
    file = Read({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                 static_cast<std::size_t>(bytes.size())});
  }
  if (!file.Ok()) file.Error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.Error;
  return file;
}

std::span<const std::uint8_t> TMidiFile::SysexBytes(std::uint32_t index) const {
  const auto& [offset, length] = sysexSpans_.at(index);
  return {sysexData_.data() + offset, length};
}
