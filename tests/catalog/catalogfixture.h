#pragma once
// Sounds made with the model for the catalog's tests, and files of them in a scratch folder.
#include <memory>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "catalog/catalog.h"
#include "catalog/soundfile.h"
#include "midi/scriptedui.h"
#include "model/library.h"
#include "model/patch.h"
#include "model/patchbank.h"
#include "model/performance.h"

inline constexpr int kCutoff = 81;    // tone: Cutoff Frequency, 0 to 127
inline constexpr int kEfxType = 12;   // patch common: EFX Type, a list of 40
inline constexpr int kPartLevel = 6;  // performance part: Part Level, 0 to 127

// A patch with its name, every tone's cutoff at 64 and the first effect type.
inline std::unique_ptr<TPatch> MakePatch(const QString& name) {
  auto patch = std::make_unique<TPatch>(nullptr);
  patch->SetName(name, false);
  patch->Common.StoreByte(kEfxType, 0);
  for (TTone& tone : patch->Tones) tone.StoreByte(kCutoff, 64);
  return patch;
}

class TCatalogTest : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return dir.filePath(name); }
  static void WriteAll(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
  }
  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  // A patch bank whose members are named name 1 to name 128.
  static QByteArray BankBytes(const QString& name) {
    TPatchBank bank(nullptr);
    for (int i = 0; i < bank.Count(); ++i)
      bank.Patch(i).SetName(QStringLiteral("%1 %2").arg(name).arg(i + 1), false);
    return bank.SysexBytes(false);
  }
  // Writes a file into the scanned folder "in", making its folders.
  void Put(const QString& name, const QByteArray& data) {
    QDir(dir.path()).mkpath(QFileInfo(Path("in/" + name)).path());
    WriteAll(Path("in/" + name), data);
  }
  static QByteArray PatchBytes(const QString& name) { return MakePatch(name)->SysexBytes(false); }
  std::unique_ptr<TCatalog> Open() {
    return std::make_unique<TCatalog>(
        Path("catalog.db"),
        TCategoryTable::FromText(QStringLiteral("Pad: pad\nStrings: str, *strings\nLead: lead\n")));
  }

  TScopedScriptedUI ui;
  QTemporaryDir dir;
};
