// Writes the starting corpora of the fuzz targets: small valid files of every kind in both
// layouts, each behind the target's first byte. Usage: fuzz_seeds DIR (makes DIR/syx, DIR/glb,
// DIR/lib, DIR/midifile).
#include <cstdio>
#include <memory>

#include <QDir>
#include <QFile>

#include "model/global.h"
#include "model/library.h"

namespace {
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
  return ok ? 0 : 1;
}
