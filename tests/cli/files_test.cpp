// vesta-cli info, convert, pack, extract, search and duplicates on files written with the model:
// every kind of file recognised and listed, round trips that keep every byte, layouts kept apart.
#include <cmath>
#include <map>

#include "model/global.h"
#include "model/library.h"
#include "model/patch.h"
#include "model/patchbank.h"
#include "tests/cli/clitest.h"
#include "tests/instrument/sysexhelpers.h"

namespace {
// A temporary-area patch assembled byte by byte: a common message of 83 bytes and four tone
// messages of 140 bytes.
QByteArray HandMadePatch() {
  TBytes common(72, 0x05);
  const std::string name = "Hand Made   ";
  std::copy(name.begin(), name.end(), common.begin());
  TBytes file = DataSet(0x03000000, common);
  for (std::uint32_t t = 0; t < 4; ++t) {
    const TBytes tone = DataSet(0x03001000 + t * 0x200, TBytes(129, std::uint8_t(t + 1)));
    file.insert(file.end(), tone.begin(), tone.end());
  }
  return QByteArray(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
}
}  // namespace

// Dates live in library records only: a library's elements, a global dump and its banks and
// system; a bank keeps its members as bare messages and a .Syx file holds none at all.
TEST_F(TCliTest, InfoListsElementsMembersLayoutsAndDatesOfLibrariesAndDumps) {
  TLibrary library;
  TLibElem& patch = library.NewElement(ekPatch);
  patch.SetName("Strings", false);
  patch.Temporary = false;
  patch.User = true;
  patch.Number = 12;
  patch.ModifiedDate = 45000;  // 15 March 2023
  patch.ModifiedTime = 0.5;
  TLibElem& bank = library.NewElement(ekPatchBank);
  bank.Name = "Bank A";
  bank.ModifiedDate = std::nan("");  // a damaged date is listed as none, not as garbage
  library.NewElement(ekGlobal).Name = "Dump";
  Write("many.Lib", library.SaveToBytes(false));
  TGlobal global(nullptr);
  global.Member(TGlobal::gmSystem).ModifiedDate = 45001;
  global.Member(TGlobal::gmSystem).ModifiedTime = 0.75;
  Write("dump.Glb", global.GlbBytes(false));
  Write("bank.syx", SyxOf(ekRhythmBank, false, "Drums"));

  // "file:path=value": a path into the JSON of the file's info, keys and indexes, "#" for an
  // array's size.
  const auto at = [](QJsonValue value, const QString& path) -> QString {
    for (const QString& step : path.split(u'/')) {
      if (step == u'#') return QString::number(value.toArray().size());
      value = value.isArray() ? value[step.toInt()] : value[step];
    }
    return value.isUndefined() ? "missing"
           : value.isNull()    ? "null"
           : value.isDouble()  ? QString::number(value.toDouble())
                               : value.toString();
  };
  const char* cases[] = {"many.Lib:format=lib",
                         "many.Lib:elements/0/location=User : 12",
                         "many.Lib:elements/0/modified=2023-03-15T12:00:00",
                         "many.Lib:elements/1/modified=null",
                         "many.Lib:elements/2/members/1/location=Card",
                         "many.Lib:elements/2/members/3/members/#=32",
                         "dump.Glb:elements/0/members/6/modified=2023-03-16T18:00:00",
                         "bank.syx:elements/0/members/1/modified=null"};
  std::map<QString, QJsonObject> info;
  for (const QString c : cases) {
    const QString file = c.section(u':', 0, 0), path = c.section(u':', 1).section(u'=', 0, 0);
    if (!info.count(file)) info[file] = InfoJson(file);
    EXPECT_EQ(at(info[file], path), c.section(u'=', 1)) << c.toStdString();
  }
}

// A .Syx file is told by its size and leading F0, so these have no extension.
TEST_F(TCliTest, EveryFileKindIsRecognisedAndConvertsToXpAndBackUnchanged) {
  TLibrary library;
  library.Comment = QStringList{"mixed"};
  for (int kind = ekPatch; kind <= ekGlobal; ++kind) library.NewElement(kind);
  Write("in.Lib", library.SaveToBytes(false));
  Write("in.Glb", TGlobal(nullptr).GlbBytes(false));
  Write("hand.syx", HandMadePatch());
  QStringList names{"in.Lib", "in.Glb", "hand.syx"};
  for (int kind = ekPatch; kind <= ekSystem; ++kind) {
    names << QStringLiteral("kind%1").arg(kind);
    Write(names.back(), SyxOf(kind, false, QStringLiteral("Kind %1").arg(kind)));
  }
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    EXPECT_EQ(Run("convert " + name + " xp-" + name + " --to-xp").Exit, 0);
    EXPECT_EQ(Run("convert xp-" + name + " back-" + name + " --from-xp").Exit, 0);
    EXPECT_EQ(Read("back-" + name), Read(name));
    if (!name.startsWith("kind")) continue;
    const int kind = name.mid(4).toInt();
    for (const QString& file : {name, "xp-" + name}) {
      const QJsonObject info = InfoJson(file);
      EXPECT_EQ(info["format"].toString(), "syx");
      const bool either = kind == ekRhythm || kind == ekRhythmBank;
      EXPECT_EQ(info["layout"].toString(), either ? "either" : file == name ? "normal" : "xp");
      EXPECT_EQ(info["elements"][0]["kindCode"].toInt(), kind);
      EXPECT_EQ(info["elements"][0]["kind"].toString(), TLibElem::KindName(kind));
    }
  }
  EXPECT_EQ(InfoJson("xp-in.Glb")["size"].toInt(), 226020);
}

TEST_F(TCliTest, PackThenExtractGivesBackEachFile) {
  const QStringList syx{"patch.Syx", "LongBankName1.syx", "rhythm.Syx", "system.Syx"};
  Write(syx[0], SyxOf(ekPatch, false, "Lead"));
  Write(syx[1], SyxOf(ekPatchBank, false, QString()));
  Write(syx[2], SyxOf(ekRhythm, false, "Drums"));
  Write(syx[3], SyxOf(ekSystem, false, QString()));
  TGlobal global(nullptr);
  global.PatchBank(false).Patch(5).SetName("On Card", false);
  Write("dump.Glb", global.GlbBytes(false));

  ASSERT_EQ(Run("pack all.Lib " + syx.join(' ') + " dump.Glb").Exit, 0);
  const QJsonArray elements = InfoJson("all.Lib")["elements"].toArray();
  ASSERT_EQ(elements.size(), 5);
  EXPECT_EQ(Str(elements[0], "name"), "Lead");
  // Banks, systems and globals are named after their file: cut to 12 characters, then at a dot.
  EXPECT_EQ(Str(elements[1], "name"), "LongBankName");
  EXPECT_EQ(Str(elements[4], "name"), "dump");
  for (int i = 0; i < syx.size(); ++i) {
    EXPECT_EQ(Run(QStringLiteral("extract all.Lib %1 out%1.Syx").arg(i + 1)).Exit, 0);
    EXPECT_EQ(Read(QStringLiteral("out%1.Syx").arg(i + 1)), Read(syx[i])) << syx[i].toStdString();
  }
  EXPECT_EQ(Run("extract all.Lib 5 out.Glb").Exit, 0);
  // The dump comes back whole; only its header holds the name and file it was packed from.
  const QByteArray extracted = Read("out.Glb");
  ASSERT_EQ(extracted.size(), TGlobal::kRecordSize);
  EXPECT_EQ(extracted.mid(kRecordHeaderSize), Read("dump.Glb").mid(kRecordHeaderSize));
}

TEST_F(TCliTest, SearchAndDuplicatesListTheExportColumnsOfSoundsAndBankMembers) {
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

  const QStringList lines = Lines("search my.Lib --name lead");
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], QStringLiteral("Patch               Lead                Temporary      "
                                     "2023-03-15  12:00:00     Loc : my.Lib"));
  EXPECT_TRUE(lines[1].startsWith("Performance         lead split"));
  EXPECT_TRUE(lines[2].startsWith("Patch               lead"));
  EXPECT_TRUE(lines[2].endsWith("Loc : Bank"));
  EXPECT_EQ(lines[2].mid(40, 15), "User : 8       ");
  EXPECT_EQ(Lines("search my.Lib --from 2023-03-16 --to 2023-03-17 --kinds patch,performance"),
            Lines("search my.Lib --name split"));

  // 127 members named "B", and "Lead" with the bank's "lead".
  EXPECT_EQ(Lines("duplicates my.Lib").size(), 127 + 2);
  const QJsonArray rows = JsonArray("duplicates my.Lib --same-sound --json");
  ASSERT_GE(rows.size(), 2);
  EXPECT_EQ(Str(rows[0], "name"), "Lead");
  EXPECT_EQ(Str(rows[1], "name"), "Copy");
}
