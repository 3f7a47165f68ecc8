#include <QJsonArray>

#include "clitest.h"
#include "model/library.h"
#include "model/patch.h"
#include "model/patchbank.h"

namespace {
class TCliSearchTest : public TCliTest {
 protected:
  void SetUp() override {
    TLibrary library;
    auto add = [&](int kind, const char* name, double date) -> TLibElem& {
      TLibElem& element = library.NewElement(kind);
      element.Init();
      element.SetName(QLatin1String(name), false);
      element.ModifiedDate = date;
      element.ModifiedTime = 0.5;
      return element;
    };
    auto& lead = static_cast<TPatch&>(add(ekPatch, "Lead", 45000));
    add(ekPerformance, "lead split", 45001);
    add(ekPatch, "LEAD", 45002).Assign(lead);
    library.Element(2).SetName("Copy", false);
    auto& bank = static_cast<TPatchBank&>(add(ekPatchBank, "Bank", 45003));
    bank.Name = "Bank";
    for (int i = 0; i < bank.Count(); ++i) bank.Member(i).SetName("B", false);
    bank.Member(7).SetName("lead", false);
    Write("my.Lib", library.SaveToBytes(false));
  }
};

TEST_F(TCliSearchTest, SearchPrintsTheExportColumnsOfMatchingSoundsAndBankMembers) {
  const QStringList lines = Lines("search my.Lib --name lead");
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], QStringLiteral("Patch               Lead                Temporary      "
                                     "2023-03-15  12:00:00     Loc : my.Lib"));
  EXPECT_TRUE(lines[1].startsWith("Performance         lead split"));
  EXPECT_TRUE(lines[2].startsWith("Patch               lead"));
  EXPECT_TRUE(lines[2].endsWith("Loc : Bank"));
  EXPECT_EQ(lines[2].mid(40, 15), "User : 8       ");
  EXPECT_EQ(Lines("search my.Lib --name lead --exact --case --kinds patch").size(), 1);
  EXPECT_EQ(Lines("search my.Lib --from 2023-03-16 --to 2023-03-17 --kinds patch,performance"),
            Lines("search my.Lib --name split"));
}

TEST_F(TCliSearchTest, DuplicatesByNameAndBySameSound) {
  // 127 members named "B", and "Lead" with the bank's "lead".
  EXPECT_EQ(Lines("duplicates my.Lib").size(), 127 + 2);
  const TCliRun json = Run("duplicates my.Lib --same-sound --json");
  ASSERT_EQ(json.Exit, 0) << json.Err.toStdString();
  const QJsonArray rows = QJsonDocument::fromJson(json.Out.toUtf8()).array();
  ASSERT_GE(rows.size(), 2);
  EXPECT_EQ(Str(rows[0], "name"), "Lead");
  EXPECT_EQ(Str(rows[1], "name"), "Copy");
}

}  // namespace
