// Writes the starting corpora of the fuzz targets: small valid files of every kind in both
// layouts, each behind the target's first byte. Usage: fuzz_seeds DIR (makes DIR/syx, DIR/glb,
// DIR/lib).
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
  for (const char* sub : {"syx", "glb", "lib"}) root.mkpath(QString::fromLatin1(sub));
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
  return ok ? 0 : 1;
}
