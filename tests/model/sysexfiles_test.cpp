// .Syx files: layouts, XP conversion, the load and save commands with their dialogs.
#include <QFileInfo>

#include "midi/sysex.h"
#include "model/global.h"
#include "model/library.h"
#include "modelfixture.h"

using TSysexFiles = TModelTest;

TEST_F(TSysexFiles, PatchFileBuiltFromTheAddressMapLoads) {
  QByteArray file;
  TBytes common(72, 0);
  const char name[] = "Handmade    ";
  std::copy(name, name + 12, common.begin());
  common[44] = 9;
  auto append = [&file](const TBytes& message) {
    file.append(QByteArray(reinterpret_cast<const char*>(message.data()), message.size()));
  };
  append(DataSet(0x03000000, common));
  for (int t = 0; t < 4; ++t) append(DataSet(0x03001000 + t * 0x200, TBytes(129, 10 + t)));
  ASSERT_EQ(file.size(), 643);
  WriteAll(Path("Hand.Syx"), file);

  TPatch patch(nullptr);
  ui.Files.push_back(Path("Hand.Syx"));
  ASSERT_TRUE(patch.LoadSysexFile());
  EXPECT_EQ(std::tuple(patch.GetName(), patch.Common.GetByte(44), patch.Tones[3].GetByte(128),
                       patch.FileName),
            std::tuple(QString("Handmade"), 9, 13, Path("Hand.Syx")));
  const TFileDialogOptions& dialog = ui.FileRequests.at(0).Options;
  EXPECT_EQ(std::tuple(dialog.Title, dialog.DefaultExt, dialog.Filter, dialog.MustExist),
            std::tuple(QString("Load SysEx"), QString("Syx"), QString("Syx file|*.Syx"), true));
  // The model writes the same bytes back for the temporary patch it read.
  EXPECT_EQ(patch.SysexBytes(false), file);
}

TEST_F(TSysexFiles, XpLayoutsRoundTripWithFreshChecksums) {
  TPatch patch(nullptr);
  patch.SetName("XP Test", false);
  patch.Common.StoreByte(71, 0x55);
  const QByteArray normal = patch.SysexBytes(false);
  const QByteArray xp = patch.SysexBytes(true);
  ASSERT_EQ(xp.size(), 644);
  EXPECT_EQ(xp.left(81), normal.left(81));
  EXPECT_EQ(xp.at(81), 0);
  EXPECT_EQ(quint8(xp.at(82)), Checksum(reinterpret_cast<const std::uint8_t*>(xp.data()), 83));
  EXPECT_EQ(quint8(xp.at(83)), 0xF7);
  EXPECT_EQ(xp.mid(84), normal.mid(83));

  TPatch back(nullptr);
  ASSERT_TRUE(back.ReadSysexBytes(Bytes(xp), true));
  EXPECT_EQ(back.SysexBytes(false), normal);
  EXPECT_FALSE(back.ReadSysexBytes(Bytes(xp), false));

  TPerformance performance(nullptr);
  performance.SetName("Split", false);
  performance.Parts[6].StoreByte(18, 0x33);
  const QByteArray performanceNormal = performance.SysexBytes(false);
  QByteArray performanceXp = performance.SysexBytes(true);
  ASSERT_EQ(performanceXp.size(), 653);
  EXPECT_EQ(performanceXp.size() - performanceNormal.size(), 2 + 16 * 6);
  // Stale checksums in the file do not survive: the shortened images get their own.
  performanceXp[75] = 0x12;
  TPerformance performanceBack(nullptr);
  ASSERT_TRUE(performanceBack.ReadSysexBytes(Bytes(performanceXp), true));
  EXPECT_EQ(performanceBack.SysexBytes(false), performanceNormal);

  TSystem system(nullptr);
  system.Common.StoreByte(39, 0x11);
  const QByteArray systemXp = system.SysexBytes(true);
  ASSERT_EQ(systemXp.size(), 484);
  EXPECT_EQ(quint8(systemXp.at(91)),
            Checksum(reinterpret_cast<const std::uint8_t*>(systemXp.data()), 92));
  TSystem systemBack(nullptr);
  ASSERT_TRUE(systemBack.ReadSysexBytes(Bytes(systemXp), true));
  EXPECT_EQ(systemBack.SysexBytes(false), system.SysexBytes(false));
}

TEST_F(TSysexFiles, WrongSizeIsRefusedAndChangesNothing) {
  TPatch source(nullptr);
  const QByteArray xp = source.SysexBytes(true);
  WriteAll(Path("Xp.Syx"), xp);
  TPatch patch(nullptr);
  patch.SetName("Keep", false);
  const QByteArray before = patch.SysexBytes(false);
  ui.Files.push_back(Path("Xp.Syx"));
  EXPECT_FALSE(patch.LoadSysexFile());
  EXPECT_EQ(std::tuple(ui.LastText(), ui.Questions.back().Kind, patch.FileName),
            std::tuple(QString("Incorrect SysEx File Type."), TMsgKind::Information,
                       QString("Untitled.Syx")));
  EXPECT_EQ(patch.SysexBytes(false), before);

  TXpScope importing;  // the 644-byte file is what Import From XP takes
  ui.Files.push_back(Path("Xp.Syx"));
  EXPECT_TRUE(patch.LoadSysexFile());
  EXPECT_EQ(patch.GetName(), "");
}

TEST_F(TSysexFiles, BankAndSystemTakeTheirNameFromTheFile) {
  TPatchBank source(nullptr);
  source.Patch(127).SetName("Last", false);
  WriteAll(Path("LongBankName1.syx"), source.SysexBytes(false));
  TLibrary library;
  auto& bank = static_cast<TPatchBank&>(library.NewElement(ekPatchBank));
  ui.Files.push_back(Path("LongBankName1.syx"));
  ASSERT_TRUE(bank.LoadSysexFile());
  EXPECT_EQ(std::tuple(bank.Name, bank.Patch(127).GetName(), library.Saved),
            std::tuple(QString("LongBankName"), QString("Last"), false));

  TSystem system(nullptr);
  WriteAll(Path("MySys.Syx"), system.SysexBytes(false));
  ui.Files.push_back(Path("MySys.Syx"));
  ASSERT_TRUE(system.LoadSysexFile());
  EXPECT_EQ(system.Name, "MySys");
  TPatch patch(nullptr);
  WriteAll(Path("Named.Syx"), patch.SysexBytes(false));
  ui.Files.push_back(Path("Named.Syx"));
  ASSERT_TRUE(patch.LoadSysexFile());
  EXPECT_EQ(patch.Name, "");
}

TEST_F(TSysexFiles, SaveAsksForAFileUntilTheElementHasOneAndBeforeOverwriting) {
  TPatch patch(nullptr);
  patch.FileName = "untitled.syx";
  EXPECT_FALSE(patch.SaveSysexFile(false));  // dialog cancelled: nothing written
  ASSERT_EQ(ui.FileRequests.size(), 1u);
  EXPECT_EQ(
      std::tuple(ui.FileRequests[0].Save, ui.FileRequests[0].Options.Title, patch.SavedToFile),
      std::tuple(true, QString("Save SysEx"), false));

  ui.Files.push_back(Path("One.Syx"));
  ASSERT_TRUE(patch.SaveSysexFile(false));
  EXPECT_EQ(std::tuple(patch.FileName, patch.SavedToFile, ReadAll(Path("One.Syx")).size()),
            std::tuple(Path("One.Syx"), true, 643));

  patch.SetName("Second", false);
  ASSERT_TRUE(patch.SaveSysexFile(false));  // no dialog now
  EXPECT_EQ(ui.FileRequests.size(), 2u);
  EXPECT_EQ(ReadAll(Path("One.Syx")).mid(9, 6), "Second");

  // Save as over an existing file asks first; No keeps the file.
  WriteAll(Path("Old.Syx"), "old contents");
  ui.Files.push_back(Path("Old.Syx"));
  ui.Answers.push_back(mbNo);
  EXPECT_FALSE(patch.SaveSysexFile(true));
  EXPECT_EQ(std::tuple(ui.LastText(), ui.Questions.back().Buttons, ReadAll(Path("Old.Syx")),
                       patch.FileName),
            std::tuple(QString("File Alredy Exist. Overwrite it ?"), mbYes | mbNo,
                       QByteArray("old contents"), Path("One.Syx")));

  ui.Files.push_back(Path("Old.Syx"));
  ui.Answers.push_back(mbYes);
  EXPECT_TRUE(patch.SaveSysexFile(true));
  EXPECT_EQ(ReadAll(Path("Old.Syx")).size(), 643);

  // Export To XP writes the longer layout.
  TPerformanceBank bank(nullptr);
  TXpScope exporting;
  ui.Files.push_back(Path("Xp.Syx"));
  ASSERT_TRUE(bank.SaveSysexFile(true));
  EXPECT_EQ(ReadAll(Path("Xp.Syx")).size(), 20896);
}
