// vesta-cli info: recognising every kind of file and listing its elements.
#include <cmath>

#include <QJsonArray>

#include "model/global.h"
#include "model/library.h"
#include "tests/cli/clitest.h"

namespace {
// Roland checksum of a message's address and data.
std::uint8_t Sum(const QByteArray& body) {
  int sum = 0;
  for (char c : body) sum += static_cast<std::uint8_t>(c);
  return static_cast<std::uint8_t>((128 - sum % 128) % 128);
}

QByteArray Message(const QByteArray& address, const QByteArray& data) {
  const QByteArray body = address + data;
  return QByteArray("\xF0\x41\x10\x6A\x12", 5) + body + char(Sum(body)) + char(0xF7);
}

// A temporary-area patch assembled byte by byte: a common message of 83 bytes and four tone
// messages of 140 bytes.
QByteArray HandMadePatch() {
  QByteArray file = Message(QByteArray("\x03\x00\x00\x00", 4),
                            QByteArray("Hand Made   ", 12) + QByteArray(60, '\x05'));
  for (int t = 0; t < 4; ++t)
    file += Message(QByteArray("\x03\x00", 2) + char(0x10 + 2 * t) + char(0),
                    QByteArray(129, char(t + 1)));
  return file;
}
}  // namespace

TEST_F(TCliTest, HandMadePatchIsListedWithItsNameAndTemporaryLocation) {
  Write(QStringLiteral("hand.syx"), HandMadePatch());
  ASSERT_EQ(Read(QStringLiteral("hand.syx")).size(), 643);
  const TCliRun run = Cli({QStringLiteral("info"), QStringLiteral("hand.syx")});
  EXPECT_EQ(run.Exit, 0);
  EXPECT_TRUE(run.Out.contains(QStringLiteral(".Syx file, normal layout, 643 bytes")));
  EXPECT_TRUE(run.Out.contains(QStringLiteral("Patch             \"Hand Made\"")));
  EXPECT_TRUE(run.Out.contains(QStringLiteral("Temporary")));
  // Converting it keeps every byte the model writes for a temporary patch on device 17.
  EXPECT_EQ(Cli({QStringLiteral("convert"), QStringLiteral("hand.syx"), QStringLiteral("x.syx"),
                 QStringLiteral("--to-xp")})
                .Exit,
            0);
  EXPECT_EQ(Cli({QStringLiteral("convert"), QStringLiteral("x.syx"), QStringLiteral("back.syx"),
                 QStringLiteral("--from-xp")})
                .Exit,
            0);
  EXPECT_EQ(Read(QStringLiteral("back.syx")), HandMadePatch());
}

TEST_F(TCliTest, EverySyxKindIsRecognisedBySizeInBothLayouts) {
  for (int kind = ekPatch; kind <= ekSystem; ++kind) {
    for (bool xp : {false, true}) {
      SCOPED_TRACE(QStringLiteral("kind %1 xp %2").arg(kind).arg(xp).toStdString());
      // No extension: the size and the leading F0 tell a .Syx file.
      Write(QStringLiteral("file"), SyxOf(kind, xp, QStringLiteral("Sound")));
      const QJsonObject info = InfoJson(QStringLiteral("file"));
      EXPECT_EQ(info[QStringLiteral("format")].toString(), QStringLiteral("syx"));
      const bool either = kind == ekRhythm || kind == ekRhythmBank;
      EXPECT_EQ(info[QStringLiteral("layout")].toString(), either ? QStringLiteral("either")
                                                           : xp   ? QStringLiteral("xp")
                                                                  : QStringLiteral("normal"));
      const QJsonObject element = info[QStringLiteral("elements")].toArray()[0].toObject();
      EXPECT_EQ(element[QStringLiteral("kindCode")].toInt(), kind);
      EXPECT_EQ(element[QStringLiteral("kind")].toString(), TLibElem::KindName(kind));
    }
  }
}

TEST_F(TCliTest, JsonListsLibraryElementsWithBankAndGlobalMembers) {
  TLibrary library;
  library.Comment = QStringList{QStringLiteral("first line"), QString()};
  TLibElem& patch = library.NewElement(ekPatch);
  patch.SetName(QStringLiteral("Strings"), false);
  patch.Temporary = false;
  patch.User = true;
  patch.Number = 12;
  patch.ModifiedDate = 45000;  // 15 March 2023
  patch.ModifiedTime = 0.5;
  TLibElem& bank = library.NewElement(ekPatchBank);
  bank.Name = QStringLiteral("Bank A");
  bank.ModifiedDate = std::nan("");  // a damaged date is listed as none, not as garbage
  library.NewElement(ekGlobal).Name = QStringLiteral("Dump");
  Write(QStringLiteral("many.Lib"), library.SaveToBytes(false));

  const QJsonObject info = InfoJson(QStringLiteral("many.Lib"));
  EXPECT_EQ(info[QStringLiteral("format")].toString(), QStringLiteral("lib"));
  EXPECT_EQ(info[QStringLiteral("layout")].toString(), QStringLiteral("normal"));
  EXPECT_EQ(info[QStringLiteral("comment")].toArray().size(), 2);
  const QJsonArray elements = info[QStringLiteral("elements")].toArray();
  ASSERT_EQ(elements.size(), 3);
  const QJsonObject first = elements[0].toObject();
  EXPECT_EQ(first[QStringLiteral("name")].toString(), QStringLiteral("Strings"));
  EXPECT_EQ(first[QStringLiteral("location")].toString(), QStringLiteral("User : 12"));
  EXPECT_EQ(first[QStringLiteral("modified")].toString(), QStringLiteral("2023-03-15T12:00:00"));
  EXPECT_FALSE(first.contains(QStringLiteral("members")));

  EXPECT_TRUE(elements[1].toObject()[QStringLiteral("modified")].isNull());
  const QJsonArray members = elements[1].toObject()[QStringLiteral("members")].toArray();
  ASSERT_EQ(members.size(), 128);
  EXPECT_EQ(members[127].toObject()[QStringLiteral("location")].toString(),
            QStringLiteral("User : 128"));
  const QJsonArray global = elements[2].toObject()[QStringLiteral("members")].toArray();
  ASSERT_EQ(global.size(), 7);
  EXPECT_EQ(global[1].toObject()[QStringLiteral("location")].toString(), QStringLiteral("Card"));
  EXPECT_EQ(global[3].toObject()[QStringLiteral("members")].toArray().size(), 32);
  EXPECT_EQ(global[6].toObject()[QStringLiteral("kind")].toString(), QStringLiteral("System"));

  // The text listing indents members under their bank.
  const TCliRun text = Cli({QStringLiteral("info"), QStringLiteral("many.Lib")});
  EXPECT_TRUE(text.Out.contains(QStringLiteral("\n      1  Patch ")));
  EXPECT_TRUE(text.Out.contains(QStringLiteral("\n         32  Performance ")));
}

TEST_F(TCliTest, LibraryLayoutIsFoundByReadingItWhole) {
  TLibrary library;
  library.NewElement(ekPerformance);
  library.NewElement(ekSystem);
  Write(QStringLiteral("xp.Lib"), library.SaveToBytes(true));
  EXPECT_EQ(InfoJson(QStringLiteral("xp.Lib"))[QStringLiteral("layout")].toString(),
            QStringLiteral("xp"));
  // Without an extension a library is still recognised by its contents.
  Write(QStringLiteral("noext"), library.SaveToBytes(false));
  const QJsonObject info = InfoJson(QStringLiteral("noext"));
  EXPECT_EQ(info[QStringLiteral("format")].toString(), QStringLiteral("lib"));
  EXPECT_EQ(info[QStringLiteral("layout")].toString(), QStringLiteral("normal"));

  TLibrary rhythms;
  rhythms.NewElement(ekRhythm);
  Write(QStringLiteral("rhythm.Lib"), rhythms.SaveToBytes(false));
  EXPECT_EQ(InfoJson(QStringLiteral("rhythm.Lib"))[QStringLiteral("layout")].toString(),
            QStringLiteral("either"));
}

TEST_F(TCliTest, GlbIsRecognisedInBothLayouts) {
  TGlobal global(nullptr);
  global.Name = QStringLiteral("Studio");
  Write(QStringLiteral("dump.Glb"), global.GlbBytes(true));
  const QJsonObject info = InfoJson(QStringLiteral("dump.Glb"));
  EXPECT_EQ(info[QStringLiteral("layout")].toString(), QStringLiteral("xp"));
  EXPECT_EQ(info[QStringLiteral("size")].toInt(), TGlobal::kXpRecordSize);
  const QJsonObject element = info[QStringLiteral("elements")].toArray()[0].toObject();
  EXPECT_EQ(element[QStringLiteral("name")].toString(), QStringLiteral("Studio"));
  EXPECT_EQ(element[QStringLiteral("members")].toArray().size(), 7);
}
