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
    library.Element(2).SetName(QStringLiteral("Copy"), false);
    auto& bank = static_cast<TPatchBank&>(add(ekPatchBank, "Bank", 45003));
    bank.Name = QStringLiteral("Bank");
    for (int i = 0; i < bank.Count(); ++i) bank.Member(i).SetName(QStringLiteral("B"), false);
    bank.Member(7).SetName(QStringLiteral("lead"), false);
    Write(QStringLiteral("my.Lib"), library.SaveToBytes(false));
  }
  QStringList Lines(const QStringList& args) const {
    const TCliRun run = Cli(args);
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    return run.Out.split(u'\n', Qt::SkipEmptyParts);
  }
};

TEST_F(TCliSearchTest, SearchPrintsTheExportColumnsOfMatchingSoundsAndBankMembers) {
  const QStringList lines = Lines({QStringLiteral("search"), QStringLiteral("my.Lib"),
                                   QStringLiteral("--name"), QStringLiteral("lead")});
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], QStringLiteral("Patch               Lead                Temporary      "
                                     "2023-03-15  12:00:00     Loc : my.Lib"));
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Performance         lead split")));
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Patch               lead")));
  EXPECT_TRUE(lines[2].endsWith(QStringLiteral("Loc : Bank")));
  EXPECT_EQ(lines[2].mid(40, 15), QStringLiteral("User : 8       "));

  EXPECT_EQ(Lines({QStringLiteral("search"), QStringLiteral("my.Lib"), QStringLiteral("--name"),
                   QStringLiteral("lead"), QStringLiteral("--exact"), QStringLiteral("--case"),
                   QStringLiteral("--kinds"), QStringLiteral("patch")})
                .size(),
            1);
  EXPECT_EQ(
      Lines({QStringLiteral("search"), QStringLiteral("my.Lib"), QStringLiteral("--from"),
             QStringLiteral("2023-03-16"), QStringLiteral("--to"), QStringLiteral("2023-03-17"),
             QStringLiteral("--kinds"), QStringLiteral("patch,performance")}),
      Lines({QStringLiteral("search"), QStringLiteral("my.Lib"), QStringLiteral("--name"),
             QStringLiteral("split")}));
}

TEST_F(TCliSearchTest, DuplicatesByNameAndBySameSound) {
  const QStringList byName = Lines({QStringLiteral("duplicates"), QStringLiteral("my.Lib")});
  // 127 members named "B", and "Lead" with the bank's "lead".
  EXPECT_EQ(byName.size(), 127 + 2);
  const TCliRun json = Cli({QStringLiteral("duplicates"), QStringLiteral("my.Lib"),
                            QStringLiteral("--same-sound"), QStringLiteral("--json")});
  ASSERT_EQ(json.Exit, 0) << json.Err.toStdString();
  const QJsonArray rows = QJsonDocument::fromJson(json.Out.toUtf8()).array();
  ASSERT_GE(rows.size(), 2);
  EXPECT_EQ(rows[0][QStringLiteral("name")].toString(), QStringLiteral("Lead"));
  EXPECT_EQ(rows[1][QStringLiteral("name")].toString(), QStringLiteral("Copy"));
}

TEST_F(TCliSearchTest, BadArgumentsAreUsageErrors) {
  EXPECT_EQ(Cli({QStringLiteral("search"), QStringLiteral("my.Lib"), QStringLiteral("--from"),
                 QStringLiteral("2024-01-01")})
                .Exit,
            2);
  EXPECT_EQ(Cli({QStringLiteral("search"), QStringLiteral("my.Lib"), QStringLiteral("--kinds"),
                 QStringLiteral("bank")})
                .Exit,
            2);
  EXPECT_EQ(
      Cli({QStringLiteral("search"), QStringLiteral("my.Lib"), QStringLiteral("--name")}).Exit, 2);
  Write(QStringLiteral("p.Syx"), SyxOf(ekPatch, false, QStringLiteral("P")));
  EXPECT_EQ(Cli({QStringLiteral("duplicates"), QStringLiteral("p.Syx")}).Exit, 1);
}
}  // namespace
