// Writes the starting corpora of the fuzz targets: small valid files of every kind in both
// layouts, each behind the target's first byte; standard MIDI files; the messages the instrument
// is sent; and the replies each transfer waits for, in the order it asks for them. Usage:
// fuzz_seeds DIR (makes DIR/syx, DIR/glb, DIR/lib, DIR/midifile, DIR/instrument, DIR/transfer).
#include <cstdint>
#include <cstdio>
#include <memory>
#include <utility>

#include <QDir>
#include <QFile>

#include "model/global.h"
#include "model/library.h"

namespace {
// A Roland message of model 6AH to device 17 with its checksum.
QByteArray Roland(std::uint8_t command, std::uint32_t address, const QByteArray& body) {
  QByteArray message("\xF0\x41\x10\x6A", 4);
  message += static_cast<char>(command);
  for (int shift = 24; shift >= 0; shift -= 8)
    message += static_cast<char>((address >> shift) & 0x7F);
  message += body;
  unsigned sum = 0;
  for (qsizetype i = 5; i < message.size(); ++i) sum += static_cast<std::uint8_t>(message[i]);
  message += static_cast<char>((128 - sum % 128) % 128);
  message += '\xF7';
  return message;
}

QByteArray Request(std::uint32_t address, std::uint32_t size) {
  QByteArray body;
  for (int shift = 24; shift >= 0; shift -= 8) body += static_cast<char>((size >> shift) & 0x7F);
  return Roland(0x11, address, body);
}

// The replies a receive of an element in user memory (number 1) waits for: its own .Syx.
QByteArray UserReplies(int kind) {
  auto element = CreateElement(kind, nullptr);
  element->Init();
  element->Temporary = false;
  element->User = true;
  element->Number = 1;
  return element->SysexBytes(false);
}

bool Write(const QString& path, std::uint8_t first, const QByteArray& body) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", qPrintable(path));
    return false;
  }
  file.write(QByteArray(1, static_cast<char>(first)) + body);
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
    return 2;
  }
  const QDir root(QString::fromLocal8Bit(argv[1]));
  for (const char* sub : {"syx", "glb", "lib", "midifile"}) root.mkpath(QString::fromLatin1(sub));
  bool ok = true;
  for (int x = 0; x < 2; ++x) {
    const bool xp = x == 1;
    const std::uint8_t layout = xp ? 0x80 : 0;
    for (int kind = ekPatch; kind <= ekSystem; ++kind) {
      auto element = CreateElement(kind, nullptr);
      element->Init();
      ok &= Write(root.filePath(QStringLiteral("syx/kind%1-%2").arg(kind).arg(x)),
                  static_cast<std::uint8_t>(layout | kind), element->SysexBytes(xp));
    }
    TGlobal global(nullptr);
    ok &= Write(root.filePath(QStringLiteral("glb/whole-%1").arg(x)), layout, global.GlbBytes(xp));
    ok &= Write(root.filePath(QStringLiteral("glb/member-%1").arg(x)), layout | 2,
                QByteArray("\x01\x00\x01\x00", 4));

    // Libraries small enough for the default input sizes: no patch or performance banks.
    TLibrary empty;
    ok &=
        Write(root.filePath(QStringLiteral("lib/empty-%1").arg(x)), layout, empty.SaveToBytes(xp));
    TLibrary mixed;
    mixed.Comment = QStringList{QStringLiteral("ab"), QString()};
    for (int kind : {ekPatch, ekPerformance, ekRhythm, ekRhythmBank, ekSystem})
      mixed.NewElement(kind).SetName(QStringLiteral("Seed %1").arg(kind), false);
    ok &=
        Write(root.filePath(QStringLiteral("lib/mixed-%1").arg(x)), layout, mixed.SaveToBytes(xp));
  }
  // Standard MIDI files: format 0 with running status and a sysex; format 1 with a tempo map;
  // frame-based time. The MIDI-file target reads the whole input, so no first byte.
  const char format0[] =
      "MThd\0\0\0\6\0\0\0\1\1\xE0MTrk\0\0\0\x1A\0\x90\x3C\x64\x83\x60\x3C\0"
      "\0\xF0\3\x7E\x7F\xF7\0\xC0\5\0\xFF\1\1a\0\xFF\x2F\0";
  const char format1[] =
      "MThd\0\0\0\6\0\1\0\2\0\x60MTrk\0\0\0\x0E\0\xFF\x51\3\7\xA1\x20\x60\xFF"
      "\x51\3\3\xD0\x90MTrk\0\0\0\x0C\0\x91\x40\x50\x60\x81\x40\0\0\xFF\x2F\0";
  const char frames[] =
      "MThd\0\0\0\6\0\0\0\1\xE7\x28MTrk\0\0\0\x08\x0A\xB0\x40\x7F"
      "\0\xFF\x2F\0";
  int n = 0;
  for (const auto& [bytes, size] :
       {std::pair{format0, sizeof format0 - 1}, std::pair{format1, sizeof format1 - 1},
        std::pair{frames, sizeof frames - 1}}) {
    QFile file(root.filePath(QStringLiteral("midifile/seed-%1.mid").arg(n++)));
    ok &= file.open(QIODevice::WriteOnly) &&
          file.write(bytes, static_cast<qint64>(size)) == static_cast<qint64>(size);
  }
  // The instrument: requests of a whole patch, a performance part and the system, and data sets.
  root.mkpath(QStringLiteral("instrument"));
  const QByteArray messages = Request(0x11000000, 0x1718) + Request(0x10001000, 0x13) +
                              Request(0x00000000, 0x28) + Roland(0x12, 0x0300000C, "\x10") +
                              Roland(0x12, 0x11040000, "Piano       ") + QByteArray("\x90\x3C\x40");
  ok &= Write(root.filePath(QStringLiteral("instrument/requests")), 0, messages);
  ok &= Write(root.filePath(QStringLiteral("instrument/card")), 1 | 2, messages);

  // The transfers: byte 0 the kind, byte 1 user memory, no data card, no retries.
  root.mkpath(QStringLiteral("transfer"));
  for (int kind = ekPatch; kind <= ekSystem; ++kind)
    ok &= Write(root.filePath(QStringLiteral("transfer/kind%1").arg(kind)), kind,
                QByteArray(1, 0) + UserReplies(kind));
  // A global dump without a data card: the user banks and the system, in the global's order.
  QByteArray global(1, 0);
  for (int kind : {ekPatchBank, ekPerformanceBank, ekRhythmBank, ekSystem})
    global += UserReplies(kind);
  ok &= Write(root.filePath(QStringLiteral("transfer/kind7")), ekGlobal, global);
  // The update of the name lists: 20 steps of 16 names (card performances, user performances,
  // card patches, user patches).
  QByteArray names(1, 0);
  const std::pair<std::uint8_t, int> areas[] = {{0x20, 32}, {0x10, 32}, {0x21, 128}, {0x11, 128}};
  for (const auto& [area, count] : areas)
    for (int number = 0; number < count; ++number)
      names += Roland(0x12, std::uint32_t{area} << 24 | std::uint32_t(number) << 16,
                      QStringLiteral("Name %1").arg(number, 3).leftJustified(12).toLatin1());
  ok &= Write(root.filePath(QStringLiteral("transfer/names")), 8, names);
  return ok ? 0 : 1;
}
