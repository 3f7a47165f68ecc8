// vesta-cli ports, receive and send against the built-in instrument, whose memory the test
// prepares in a memory file that the command line loads (and saves after a send).
#include <vector>

#include <QRegularExpression>

#include "instrument/instrument.h"
#include "tests/cli/clitest.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

struct TMessage {
  std::uint32_t Address;
  TBytes Data;
};

// Every data-set message of a file, in order. A .Glb holds them inside library records, whose
// other bytes never form the start of a data set.
std::vector<TMessage> DataSets(const QByteArray& file) {
  std::vector<TMessage> messages;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.constData());
  const qsizetype size = file.size();
  for (qsizetype i = 0; i + 11 <= size; ++i) {
    if (bytes[i] != 0xF0 || bytes[i + 1] != 0x41 || bytes[i + 3] != 0x6A || bytes[i + 4] != 0x12)
      continue;
    qsizetype end = i + 9;
    while (end < size && bytes[end] != 0xF7) ++end;
    if (end >= size) break;
    TMessage message;
    message.Address = std::uint32_t{bytes[i + 5]} << 24 | std::uint32_t{bytes[i + 6]} << 16 |
                      std::uint32_t{bytes[i + 7]} << 8 | bytes[i + 8];
    message.Data.assign(bytes + i + 9, bytes + end - 1);
    messages.push_back(std::move(message));
    i = end;
  }
  return messages;
}

std::vector<TBytes> DataOnly(const std::vector<TMessage>& messages) {
  std::vector<TBytes> data;
  for (const TMessage& message : messages) data.push_back(message.Data);
  return data;
}

TBytes Text(const char* text) {
  return TBytes(text, text + 12);
}

class CliTransfer : public TCliTest {
 protected:
  void SetUp() override {
    // Contents the factory memory does not have, so that a match proves they were read.
    instrument_.Write(0x11040000, Text("Cli Patch 05"));
    instrument_.Write(0x10010000, Text("Cli Perf  02"));
    instrument_.Write(0x10410000, Text("Cli Rhythm 2"));
    instrument_.Write(0x217F0000, Text("Card Pat 128"));
    instrument_.Write(0x00001003, TBytes{0x45});
    SaveMemory();
  }
  void SaveMemory() {
    QString error;
    ASSERT_TRUE(instrument_.Save(Path("memory.bin"), &error)) << error.toStdString();
  }
  // The name at address in the memory file the command line left behind.
  QString NameInMemory(std::uint32_t address) const {
    TInstrument instrument;
    QString error;
    EXPECT_TRUE(instrument.Load(Path("memory.bin"), &error)) << error.toStdString();
    return instrument.Name(address);
  }
  TCliRun Transfer(QStringList args) const {
    args << "--timing-scale"
         << "0.02"
         << "--instrument-memory"
         << "memory.bin";
    return Cli(args);
  }
  // Every block of the received file holds the instrument's bytes at the block's address.
  void ExpectInstrumentContents(const QString& name, std::size_t blocks) const {
    const std::vector<TMessage> messages = DataSets(Read(name));
    ASSERT_EQ(blocks, messages.size()) << name.toStdString();
    for (const TMessage& message : messages)
      ASSERT_EQ(instrument_.Block(message.Address), message.Data)
          << name.toStdString() << " block at " << std::hex << message.Address;
  }

  TInstrument instrument_;
};

TEST_F(CliTransfer, ReceiveOfEveryKindHoldsTheInstrumentsMemoryAndEndsWithASummary) {
  struct TCase {
    QStringList Args;
    std::size_t Blocks;
    const char* What;  // the summary line's start
  };
  const std::vector<TCase> cases = {
      {{"patch", "--user", "--number", "5"}, 5, "Patch (User : 5)"},
      {{"performance", "--user", "--number", "2"}, 17, "Performance (User : 2)"},
      {{"rhythm", "--user", "--number", "2"}, 65, "Rhythm (User : 2)"},
      {{"system"}, 18, "System"},
      {{"patch-bank", "--card", "--instrument-card"}, 640, "Patch Bank (Card)"},
      {{"performance-bank", "--user"}, 544, "Performance Bank (User)"},
      {{"rhythm-bank"}, 130, "Rhythm Bank (User)"},
      {{"global", "--data-card", "--instrument-card"}, 2 * (640 + 544 + 130) + 18, "Global"},
  };
  for (const TCase& test : cases) {
    const QString name = test.Args[0] + ".out";
    const TCliRun run = Transfer(QStringList{"receive"} + test.Args + QStringList{"-o", name});
    ASSERT_EQ(0, run.Exit) << test.Args.join(' ').toStdString() << ": " << run.Err.toStdString();
    ExpectInstrumentContents(name, test.Blocks);
    // Piped: no progress bar (a time-out on a loaded machine may still say so, on a line of its
    // own), and one line saying what came, how much, how long, where to.
    EXPECT_FALSE(run.Err.contains(u'\r')) << run.Err.toStdString();
    EXPECT_FALSE(run.Err.contains("Now Receiving")) << run.Err.toStdString();
    const QRegularExpression summary(
        QStringLiteral("^Received %1: %2 bytes in \\d+\\.\\d s, written to %3\n$")
            .arg(QRegularExpression::escape(test.What))
            .arg(Read(name).size())
            .arg(name));
    EXPECT_TRUE(summary.match(run.Out).hasMatch()) << run.Out.toStdString();
  }
  EXPECT_TRUE(Read("patch.out").contains("Cli Patch 05"));
}

TEST_F(CliTransfer, OnATerminalTheProgressBarIsDrawnInPlace) {
  const TCliRun run = CliOnTerminal({"receive", "rhythm-bank", "-o", "rhythm.syx", "--timing-scale",
                                     "0.02", "--instrument-memory", "memory.bin"});
  ASSERT_EQ(0, run.Exit) << run.Err.toStdString();
  EXPECT_TRUE(run.Err.startsWith("\rNow Receiving User Rhythm Bank [")) << run.Err.toStdString();
  EXPECT_TRUE(run.Err.contains("\rNow Receiving User Rhythm Bank [#####     ] 50%"));
  EXPECT_TRUE(run.Err.endsWith("\rNow Receiving User Rhythm Bank [##########] 100%\n"));
  EXPECT_TRUE(run.Out.startsWith("Received Rhythm Bank (User): 8"));
}

TEST_F(CliTransfer, AnUnwritableOutputFailsAtOnceNamingTheFileAndTheReason) {
  // The unknown port is never reached: the folder is checked first, so nothing is transferred.
  // At the instrument's real pacing this transfer would take seconds.
  const TCliRun run =
      Cli({"receive", "patch-bank", "--port", "No Such Port", "-o", "missing/bank.syx"});
  EXPECT_EQ(1, run.Exit);
  EXPECT_EQ("vesta-cli: missing/bank.syx: cannot be written: No such file or directory\n",
            run.Err.toStdString());
  EXPECT_TRUE(run.Out.isEmpty());
  // A file command writes after reading, with the same message.
  Write("one.syx", SyxOf(ekPatch, false, "One"));
  EXPECT_EQ("vesta-cli: missing/two.syx: cannot be written: No such file or directory\n",
            Run("convert one.syx missing/two.syx --to-xp").Err.toStdString());
  EXPECT_FALSE(QFile::exists(Path("missing")));
}

TEST_F(CliTransfer, SentElementsAreReceivedBackWithIdenticalData) {
  for (const int kind : {ekPatch, ekRhythm, ekPerformanceBank}) {
    SCOPED_TRACE(kind);
    const QString sent = QStringLiteral("sent%1.syx").arg(kind);
    const QString back = QStringLiteral("back%1.syx").arg(kind);
    Write(sent, SyxOf(kind, false, QStringLiteral("Sent %1").arg(kind)));
    const QString kindName = kind == ekPatch    ? "patch"
                             : kind == ekRhythm ? "rhythm"
                                                : "performance-bank";
    const QStringList place =
        kind == ekPerformanceBank ? QStringList{"--user"} : QStringList{"--user", "--number", "2"};
    TCliRun run = Transfer(QStringList{"send", sent} + place);
    ASSERT_EQ(0, run.Exit) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.startsWith(
        QStringLiteral("Sent %1 (%2 bytes) to ").arg(sent).arg(Read(sent).size())))
        << run.Out.toStdString();
    run = Transfer(QStringList{"receive", kindName} + place + QStringList{"-o", back});
    ASSERT_EQ(0, run.Exit) << run.Err.toStdString();
    const auto sentData = DataOnly(DataSets(Read(sent)));
    EXPECT_FALSE(sentData.empty());
    EXPECT_EQ(sentData, DataOnly(DataSets(Read(back))));
  }
  // The send reached the instrument's memory itself, not only what the command line kept.
  EXPECT_EQ("Sent 0      ", NameInMemory(0x11010000));
}

TEST_F(CliTransfer, AFileHoldingAByteAbove7FIsRefusedWholeBeforeAnyPortOpensAndShowFlagsIt) {
  // A damaged .Syx: E9H in the patch name, between the block's F0 and F7.
  QByteArray syx = SyxOf(ekPatch, false, "Cafe");
  syx[9 + 3] = static_cast<char>(0xE9);
  Write("damaged.syx", syx);
  // The port named does not exist: had the send gone that far, it would fail there instead.
  const TCliRun run = Cli({"send", "damaged.syx", "--port", "No Such Port"});
  EXPECT_EQ(1, run.Exit);
  EXPECT_EQ(
      QStringLiteral("vesta-cli: damaged.syx: Patch \"Caf\u00e9\" cannot be sent: common byte 3 "
                     "holds E9H, and a system-exclusive message carries only 00H to 7FH. "
                     "Nothing of it was sent.\n"),
      run.Err);
  EXPECT_TRUE(run.Out.isEmpty());
  // The listing flags the name like any other byte outside its row.
  const TCliRun shown = Run("show damaged.syx");
  EXPECT_TRUE(shown.Out.contains(
      QRegularExpression("common +0  Patch Name +67 97 102 233 32 32 32 32 32 32 32 32  "
                         "\\(out of range: 43 61 66 E9 20 20 20 20 20 20 20 20\\)\n")))
      << shown.Out.toStdString();
}

TEST_F(CliTransfer, SilentCardGivesUpAfterTheRetriesWithoutWritingTheFile) {
  const TCliRun run =
      Transfer({"receive", "patch-bank", "--card", "--retries", "3", "-o", "card.syx"});
  EXPECT_EQ(1, run.Exit);
  EXPECT_EQ(2, run.Err.count("The Instrument Is Not Responding. Retrying"));
  EXPECT_TRUE(run.Err.contains("Gave up after 3 time-outs in a row")) << run.Err.toStdString();
  EXPECT_FALSE(QFile::exists(Path("card.syx")));
}

TEST_F(CliTransfer, PortsListTheBuiltInInstrumentFirstAndWrongCommandLinesAreUsageErrors) {
  const TCliRun ports = Cli({"ports"});
  ASSERT_EQ(0, ports.Exit) << ports.Err.toStdString();
  EXPECT_TRUE(ports.Out.startsWith("MIDI inputs:\n  Vesta Virtual Instrument\n"))
      << ports.Out.toStdString();
  EXPECT_TRUE(ports.Out.contains("MIDI outputs:\n  Vesta Virtual Instrument\n"));

  for (const QStringList& args : std::vector<QStringList>{
           {"receive", "sound", "-o", "x.syx"},
           {"receive", "patch-bank", "--temporary", "-o", "x.syx"},
           {"receive", "patch", "--number", "129", "-o", "x.syx"},
           {"receive", "patch", "--device", "16", "-o", "x.syx"},
           {"receive", "patch"},
           {"receive", "system", "--user", "-o", "x.syx"},
       })
    EXPECT_EQ(2, Transfer(args).Exit) << args.join(' ').toStdString();
  EXPECT_EQ(1, Transfer({"receive", "patch", "--port", "No Such Port", "-o", "x.syx"}).Exit);
  EXPECT_FALSE(QFile::exists(Path("x.syx")));
}

}  // namespace
