// The name lists: loading both files into numbered lists, the installed lists' numbering, the
// failures, the reload after a bank transfer, and the "Select Name" picker.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "app/formnames.h"
#include "app/formselectname.h"
#include "midi/scriptedui.h"
#include "model/namelists.h"

namespace {

class NamesLists : public ::testing::Test {
 protected:
  void SetUp() override {
    previousStart_ = StartDirectory();
    SetStartDirectory(dir_.path());
  }
  void TearDown() override { SetStartDirectory(previousStart_); }

  void Write(const QString& name, const QByteArray& bytes) {
    QFile file(QDir(dir_.path()).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QTemporaryDir dir_;
  QString previousStart_;
  TScopedScriptedUI ui_;
};

TEST_F(NamesLists, SeparatorsMoveToTheNextListAndEmptyLinesAreSkipped) {
  Write("Names.Txt", "Alpha\r\n\r\nBeta\r\n\xC7\r\n\xC7\r\nGamma\r\n\xC7 trailing\r\nDelta");
  Write("UserCard.Txt", "CardPerf\r\n\xC7\r\nUserPerf\r\n\xC7\r\n");
  TFormNames names;
  ASSERT_TRUE(names.Load());
  EXPECT_EQ(QStringList({"Alpha", "Beta"}), names.List(1));
  EXPECT_TRUE(names.List(2).isEmpty());
  EXPECT_EQ(QStringList({"Gamma"}), names.List(3));
  // "Names.Txt" ended on list 4; the user and card names start on the next one.
  EXPECT_EQ(QStringList({"Delta"}), names.List(4));
  EXPECT_EQ(QStringList({"CardPerf"}), names.List(5));
  EXPECT_EQ(QStringList({"UserPerf"}), names.List(6));
  EXPECT_TRUE(names.List(0).isEmpty());
  EXPECT_TRUE(names.List(66).isEmpty());
  EXPECT_EQ("Beta", names.Name(1, 1));
  EXPECT_EQ(QString(), names.Name(1, 2));
  EXPECT_EQ(QString(), names.Name(1, -1));
  EXPECT_TRUE(ui_.Questions.empty());
}

TEST_F(NamesLists, ALoadStartsFromEmptyListsAndNamesPastList65AreDropped) {
  QByteArray many;
  for (int i = 0; i < 70; ++i) many += "N" + QByteArray::number(i) + "\r\n\xC7\r\n";
  Write("Names.Txt", many);
  Write("UserCard.Txt", "");
  TFormNames names;
  ASSERT_TRUE(names.Load());
  EXPECT_EQ(QStringList({"N64"}), names.List(65));
  Write("Names.Txt", "Only\r\n");
  ASSERT_TRUE(names.Load());
  EXPECT_EQ(QStringList({"Only"}), names.List(1));
  EXPECT_TRUE(names.List(2).isEmpty());
}

TEST_F(NamesLists, InstalledListsAreNumberedForTheEditorPages) {
  // No file at all: the installed names, and blank instrument names.
  TFormNames names;
  EXPECT_TRUE(names.Load());
  EXPECT_EQ("Int-A 001", names.Name(1, 0));
  EXPECT_EQ(QString(12, u' '), names.Name(47, 0));
  // No Names.Txt in the start directory: the installed one is used.
  Write("UserCard.Txt", "CPerf\r\n\xC7\r\nUPerf\r\n\xC7\r\nUPatch\r\n\xC7\r\nCPatch\r\n\xC7\r\n");
  ASSERT_TRUE(names.Load());
  EXPECT_EQ("Int-A 001", names.Name(1, 0));
  EXPECT_EQ("Int-B 256", names.Name(2, 255));
  EXPECT_EQ("Pop W001", names.Name(3, 0));      // waves of board 1: 2 x 1 + 1
  EXPECT_EQ("Pop P128", names.Name(4, 127));    // patches of board 1: (1 - 1) x 2 + 4
  EXPECT_EQ("Techno W001", names.Name(23, 0));  // board 11
  EXPECT_EQ("Techno P001", names.Name(24, 0));
  EXPECT_EQ("PrA 001", names.Name(25, 0));
  EXPECT_EQ("GM 128", names.Name(28, 127));
  EXPECT_EQ("PnoSel W001", names.Name(29, 0));  // waves of card 1: 2 x 1 + 27
  EXPECT_EQ("PnoSel P001", names.Name(30, 0));  // patches of card 1: (1 - 1) x 2 + 30
  EXPECT_EQ("Cntry W001", names.Name(43, 0));   // card 8
  EXPECT_EQ("Cntry P001", names.Name(44, 0));
  EXPECT_EQ(32, names.List(45).size());
  EXPECT_EQ("PrB Perf 32", names.Name(46, 31));
  EXPECT_EQ(QStringList({"CPerf"}), names.List(47));
  EXPECT_EQ(QStringList({"UPerf"}), names.List(48));
  EXPECT_EQ(QStringList({"UPatch"}), names.List(49));
  EXPECT_EQ(QStringList({"CPatch"}), names.List(50));
  for (int list = 1; list <= 46; ++list)
    for (const QString& name : names.List(list)) ASSERT_LE(name.size(), 12) << name.toStdString();
}

TEST_F(NamesLists, UnreadableUserCardIsReportedAndKeepsWhatWasRead) {
  // A folder of that name exists but cannot be read as a file.
  Write("Names.Txt", "Kept\r\n");
  ASSERT_TRUE(QDir(dir_.path()).mkdir("UserCard.Txt"));
  TFormNames names;
  EXPECT_FALSE(names.Load());
  ASSERT_EQ(1u, ui_.Questions.size());
  EXPECT_EQ("Unable to Load File Names.Txt Or UserCard.Txt", ui_.LastText());
  EXPECT_EQ(QStringList({"Kept"}), names.List(1));
}

TEST_F(NamesLists, AFirstStartCreatesUserCardWithBlankNamesSilently) {
  Write("Names.Txt", "Kept\r\n");
  TFormNames names;
  EXPECT_TRUE(names.Load());
  EXPECT_TRUE(ui_.Questions.empty());
  QFile file(QDir(dir_.path()).filePath("UserCard.Txt"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray blank = QByteArray(12, ' ') + "\r\n";
  EXPECT_EQ(blank.repeated(32) + "\xC7\r\n" + blank.repeated(32) + "\xC7\r\n" +
                blank.repeated(128) + "\xC7\r\n" + blank.repeated(128) + "\xC7\r\n",
            file.readAll());
  // Lists 2 to 5 are the card and user performances, user and card patches.
  EXPECT_EQ(QStringList({"Kept"}), names.List(1));
  EXPECT_EQ(32, names.List(2).size());
  EXPECT_EQ(128, names.List(5).size());
  EXPECT_EQ(QString(12, u' '), names.Name(4, 127));
}

TEST_F(NamesLists, BankTransfersReloadTheProgramsNamesWindow) {
  Write("Names.Txt", "Before\r\n");
  Write("UserCard.Txt", "\xC7\r\n");
  TFormNames names;
  ASSERT_EQ(&names, NamesWindow());
  ASSERT_TRUE(names.Load());
  Write("Names.Txt", "After\r\n");
  ASSERT_TRUE(NamesWindowLoadHook());
  NamesWindowLoadHook()();
  EXPECT_EQ(QStringList({"After"}), names.List(1));
}

TEST(NamesPicker, ShowsSixColumnsScrollsToTheCurrentRowAndIgnoresOkPastTheLastName) {
  QStringList names;
  for (int i = 0; i < 100; ++i) names << QStringLiteral("W%1").arg(i);
  TFormSelectName picker;
  EXPECT_EQ("Select Name", picker.windowTitle());
  picker.SetNames(names, 45);
  picker.show();
  EXPECT_EQ(6, picker.Grid()->columnCount());
  EXPECT_EQ(17, picker.Grid()->rowCount());
  EXPECT_EQ("W45", picker.Grid()->item(7, 3)->text());
  EXPECT_EQ(7, picker.Grid()->currentRow());
  EXPECT_EQ(3, picker.Grid()->currentColumn());
  EXPECT_EQ(5, picker.TopRow());  // 17 rows - 12 shown
  picker.SetNames(names, 14);
  EXPECT_EQ(2, picker.TopRow());

  // OK past the last name is ignored.
  picker.SetNames(names.mid(0, 8), 2);
  picker.Grid()->setCurrentCell(1, 4);  // index 10, past "W7"
  picker.OkButton()->click();
  EXPECT_TRUE(picker.isVisible());
  EXPECT_EQ(QDialog::Rejected, picker.result());
  picker.Grid()->setCurrentCell(1, 1);
  picker.OkButton()->click();
  EXPECT_FALSE(picker.isVisible());
  EXPECT_EQ(QDialog::Accepted, picker.result());
  EXPECT_EQ(7, picker.Index());
}

}  // namespace
