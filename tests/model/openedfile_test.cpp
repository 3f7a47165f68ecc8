// Opening a file by its content: SysEx files and global dumps become new untitled libraries, a
// library opens as one, and anything else is refused with its reason.
#include <QDir>

#include "model/global.h"
#include "model/library.h"
#include "model/openedfile.h"
#include "model/patchbank.h"
#include "modelfixture.h"

using TOpenedFiles = TModelTest;

namespace {
QByteArray SysexOf(int kind, bool xp) {
  return CreateElement(kind, nullptr)->SysexBytes(xp);
}

QByteArray LibraryOf(std::initializer_list<int> kinds) {
  TLibrary library;
  for (int kind : kinds) library.NewElement(kind);
  return library.SaveToBytes(false);
}
}  // namespace

TEST_F(TOpenedFiles, ReadsEachFileByItsContent) {
  struct TCase {
    const char* Name;
    QByteArray Bytes;
    bool Xp;
    int Kind;           // the element a SysEx file or global dump gives; -1: read as a library
    int Count;          // elements in the library opened; -1: refused
    const char* Shown;  // the element's name, or a part of the message
  };
  std::unique_ptr<TLibElem> warm = CreateElement(ekPatch, nullptr);
  warm->SetName("Warm Pad", false);
  const QByteArray patch = warm->SysexBytes(false);
  const QByteArray cutLibrary = LibraryOf({ekPatch, ekSystem}).left(10 + 898 + 10);
  const TCase cases[] = {
      {"real-bank-1.syx", SysexOf(ekPatchBank, false), false, ekPatchBank, 1, "real-bank-1"},
      {"One.Syx", patch, false, ekPatch, 1, "Warm Pad"},
      {"Stage.dat", SysexOf(ekPerformance, false), false, ekPerformance, 1, ""},
      {"Kits.Syx", SysexOf(ekRhythmBank, false), false, ekRhythmBank, 1, "Kits"},
      {"Setup.Syx", SysexOf(ekSystem, false), false, ekSystem, 1, "Setup"},
      {"Perf Bank.Syx", SysexOf(ekPerformanceBank, true), true, ekPerformanceBank, 1, "Perf Bank"},
      {"Dump.Glb", TGlobal(nullptr).GlbBytes(false), false, ekGlobal, 1, "Dump"},
      {"Named.Syx", LibraryOf({ekPatch, ekRhythm}), false, -1, 2, ""},
      {"Cut.Lib", cutLibrary, false, -1, 1, "Save writes a new file"},
      {"Two.Syx", patch + patch, false, -1, -1, "is 1286 bytes long, which is no sound's"},
      {"Xp.Syx", SysexOf(ekPatch, true), false, -1, -1, "Patch in the XP layout"},
      {"Noise.Lib", QByteArray("\x05\x00" "ab", 4), false, -1, -1, "neither a library"},
      {"Empty.Syx", QByteArray(), false, -1, -1, "is empty"},
      {"BadMember.Glb", QByteArray(TGlobal(nullptr).GlbBytes(false)).replace(139, 1, "\x03"),
       false, -1, -1, "not a global dump"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    WriteAll(Path(c.Name), c.Bytes);
    const TOpenedFile opened = OpenByContent(Path(c.Name), c.Xp);
    if (c.Count < 0) {
      EXPECT_TRUE(opened.Refused());
      EXPECT_TRUE(opened.Message.contains(QDir::toNativeSeparators(Path(c.Name))));
      EXPECT_TRUE(opened.Message.contains(c.Shown)) << opened.Message.toStdString();
      continue;
    }
    ASSERT_FALSE(opened.Refused()) << opened.Message.toStdString();
    TLibrary& library = *opened.Library;
    ASSERT_EQ(library.Count(), c.Count);
    EXPECT_TRUE(library.Saved);
    if (c.Kind < 0) {
      EXPECT_EQ(library.FileName, Path(c.Name));
      EXPECT_EQ(library.Untied, !opened.Message.isEmpty());
      EXPECT_TRUE(opened.Message.contains(c.Shown)) << opened.Message.toStdString();
      continue;
    }
    // A new library that no file stands behind, holding the element as the file had it.
    EXPECT_TRUE(opened.Message.isEmpty());
    EXPECT_TRUE(library.IsUntitled());
    EXPECT_EQ(library.GetName(), "Untitled.Lib");
    TLibElem& element = library.Element(0);
    EXPECT_EQ(element.Kind, c.Kind);
    EXPECT_EQ(element.Owner, &library);
    EXPECT_EQ(element.FileName, Path(c.Name));
    if (*c.Shown) {
      EXPECT_EQ(element.GetName(), c.Shown);
    }
    if (c.Kind == ekGlobal) {
      // Past the record header, which now names the file.
      EXPECT_EQ(static_cast<TGlobal&>(element).GlbBytes(false).mid(135), c.Bytes.mid(135));
    } else {
      EXPECT_EQ(element.SysexBytes(c.Xp), c.Bytes);
    }
  }
  EXPECT_TRUE(OpenByContent(Path("Missing.Lib"), false).Message.contains("cannot be read"));
}

TEST_F(TOpenedFiles, ABankFromASysexFileSavesToANewLibraryAndLeavesTheFile) {
  TPatchBank bank(nullptr);
  bank.Patch(3).SetName("Fourth", false);
  const QByteArray original = bank.SysexBytes(false);
  WriteAll(Path("real-bank-1.syx"), original);
  TOpenedFile opened = OpenByContent(Path("real-bank-1.syx"), false);
  ASSERT_FALSE(opened.Refused());
  TLibrary& library = *opened.Library;
  EXPECT_EQ(static_cast<TPatchBank&>(library.Element(0)).Patch(3).GetName(), "Fourth");
  library.NewElement(ekPatch).Modified();

  EXPECT_FALSE(library.Save(false));  // asks for a name; cancelled
  ui.Files.push_back(Path("Banks.Lib"));
  ASSERT_TRUE(library.Save(false));
  EXPECT_EQ(ui.FileRequests.size(), 2u);
  EXPECT_EQ(ReadAll(Path("real-bank-1.syx")), original);
  EXPECT_EQ(ReadAll(Path("Banks.Lib")).size(), 10 + 82443 + 898);
}
