// vesta-cli's catalog commands on files written with the model: add and scan with their summary,
// find and similar, and tag.
#include <QDir>

#include "model/patch.h"
#include "model/patchbank.h"
#include "tests/cli/clitest.h"

TEST_F(TCliTest, CatalogAddScanFindSimilarAndTag) {
  QDir(dir.path()).mkpath("in/sub");
  TPatch pad(nullptr);
  pad.SetName("Soft Pad", false);
  pad.Tones[1].StoreByte(81, 110);  // tone 2's cutoff
  Write("in/pad.syx", pad.SysexBytes(false));
  TPatchBank bank(nullptr);
  for (int i = 0; i < bank.Count(); ++i)
    bank.Patch(i).SetName(QStringLiteral("Lead %1").arg(i + 1), false);
  bank.Patch(2).Assign(pad);  // the pad again, as member 3
  Write("in/sub/bank.syx", bank.SysexBytes(false));
  Write("in/sub/broken.syx", QByteArray(77, '\xF0'));
  const auto catalog = [&](QStringList args) { return Cli(args << "--catalog" << Path("c.db")); };

  // The environment names the catalog when --catalog does not.
  qputenv("VESTA_CATALOG", Path("c.db").toUtf8());
  TCliRun run = Cli({"catalog", "add", Path("in")});
  qunsetenv("VESTA_CATALOG");
  EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
  EXPECT_EQ(run.Out, QDir::toNativeSeparators(Path("in/sub/broken.syx")) +
                         QStringLiteral(": wrong size for a .Syx file: 77 bytes\n"
                                        "Files read: 2, sounds: 129, distinct sounds: 128, "
                                        "damaged files: 1\n"));

  // One place a line, by file and then element; the query in several shell words.
  EXPECT_EQ(catalog({"find", "kind:patch", "p:tone2/Cutoff Frequency>=100", "pad"}).Out,
            QStringLiteral("Soft Pad\tPatch\t%1\t1\nSoft Pad\tPatch\t%2\t3\n")
                .arg(Path("in/pad.syx"), Path("in/sub/bank.syx")));

  // The nearest: the pad itself at both places, then the bank's first lead (the catalog tests
  // check the distances).
  run = catalog({"similar", Path("in/pad.syx"), "-k", "2", "--json"});
  const QJsonArray near = QJsonDocument::fromJson(run.Out.toUtf8()).array();
  ASSERT_EQ(near.size(), 3);
  EXPECT_EQ(near[2].toObject()["name"].toString(), "Lead 1");

  // Tags, favourite and category follow the sound into every file.
  catalog({"tag", Path("in/sub/bank.syx"), "--element", "3", "+warm", "--fav", "--cat", "Keys"});
  EXPECT_EQ(catalog({"find", "tag:warm", "fav", "cat:keys"}).Out.count(u'\n'), 2);
  catalog({"tag", Path("in/pad.syx"), "--hide"});
  EXPECT_EQ(catalog({"find", "pad"}).Out, QString());

  EXPECT_EQ(catalog({"catalog", "remove", Path("in")}).Exit, 0);
  EXPECT_TRUE(catalog({"catalog", "stats"}).Out.contains("\nSounds: 0\n"));
}
