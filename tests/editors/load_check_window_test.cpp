// Reading a file that holds bytes outside their parameters' ranges says so once, naming the
// sounds (numbered as vesta-cli show numbers them) and the first parameters of each; a file
// without such bytes says nothing.
#include <QDir>
#include <QFile>

#include "app/editorhooks.h"
#include "editorfixture.h"
#include "model/patchbank.h"

namespace {

class LoadCheck : public TEditorTest {
 protected:
  void SetUp() override {
    TEditorTest::SetUp();
    InstallFileCheckHook();
  }
  void TearDown() override {
    RemoveFileCheckHook();
    TEditorTest::TearDown();
  }
  QString WriteFile(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  std::vector<TScriptedUserInterface::TQuestion> Warnings() const {
    std::vector<TScriptedUserInterface::TQuestion> found;
    for (const auto& question : ui_.Questions)
      if (question.Kind == TMsgKind::Warning) found.push_back(question);
    return found;
  }
  static QString Report(const QString& path, const QString& lines) {
    return QDir::toNativeSeparators(path) +
           QStringLiteral(
               " holds bytes outside the range of their parameters, in these sounds (numbered as "
               "vesta-cli show numbers them):\n") +
           lines +
           QStringLiteral(
               "The editors show each such byte as its number, in red; the first change of the "
               "parameter brings it into range.");
  }
};

TEST_F(LoadCheck, ALibraryOrSyxWithBytesOutOfRangeIsReportedOnceAndACleanOneNotAtAll) {
  TLibrary library;
  library.NewElement(ekPatch).SetName(QStringLiteral("Good"), false);
  auto& bad = static_cast<TPatch&>(library.NewElement(ekPatch));
  bad.SetName(QStringLiteral("Bad"), false);
  bad.Common.Data()[49] = 40;  // Bender Range Up: 0 to 12
  bad.Common.Data()[52] = 9;   // Solo Legato: off or on
  auto& bank = static_cast<TPatchBank&>(library.NewElement(ekPatchBank));
  bank.Patch(2).SetName(QStringLiteral("Member"), false);
  bank.Patch(2).Common.Data()[0] = 0xE9;
  const QString libraryPath = WriteFile("spoilt.Lib", library.SaveToBytes(false));

  // Each way of reading says it once.
  const auto warnedOnce = [this](const QString& path, const QString& lines) {
    const auto warnings = Warnings();
    ui_.Questions.clear();
    ASSERT_EQ(1u, warnings.size());
    EXPECT_EQ(Report(path, lines), warnings[0].Text);
  };
  const QString badLines =
      QStringLiteral("  1: Patch \"Bad\": common 49 Bender Range Up, common 52 Solo Legato\n");
  ui_.Questions.clear();
  ASSERT_NE(nullptr, form_->OpenLibraryFile(libraryPath));
  warnedOnce(libraryPath,
             QStringLiteral("  2: Patch \"Bad\": common 49 Bender Range Up, common 52 Solo "
                            "Legato\n  5: Patch \"\u00e9ember\": common 0 Patch Name\n"));
  // A .Syx read into a library element: its one sound; File > Open of it: a new library.
  const QString badSyx = WriteFile("bad.syx", bad.SysexBytes(false));
  ui_.Files.push_back(badSyx);
  ASSERT_TRUE(Patch(0).LoadSysexFile());
  warnedOnce(badSyx, badLines);
  ASSERT_NE(nullptr, form_->OpenFile(badSyx));
  warnedOnce(badSyx, badLines);

  // Clean files: not a word.
  TLibrary clean;
  clean.NewElement(ekPatch).SetName(QStringLiteral("Good"), false);
  clean.NewElement(ekPatchBank);
  const QString cleanPath = WriteFile("clean.Lib", clean.SaveToBytes(false));
  const QString cleanSyx = WriteFile("clean.syx", clean.Element(0).SysexBytes(false));
  ASSERT_NE(nullptr, form_->OpenLibraryFile(cleanPath));
  ui_.Files.push_back(cleanSyx);
  ASSERT_TRUE(Patch(1).LoadSysexFile());
  ASSERT_NE(nullptr, form_->OpenFile(cleanSyx));
  EXPECT_TRUE(Warnings().empty());
}

}  // namespace
