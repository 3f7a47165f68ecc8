// vesta-cli receive and send against the built-in instrument, whose memory the test
// prepares in a memory file that the command line loads (and saves after a send).
#include <vector>

#include <QRegularExpression>

#include "instrument/instrument.h"
#include "tests/cli/clitest.h"
#include "tests/instrument/sysexhelpers.h"

namespace {

// Every data set of a file, in order. A .Glb holds them inside library records, whose other
// bytes never form the start of a data set.
std::vector<TBytes> DataSets(const QByteArray& file) {
  std::vector<TBytes> messages;
  for (qsizetype i = file.indexOf("\xF0\x41"); i >= 0; i = file.indexOf("\xF0\x41", i + 1)) {
    const qsizetype end = file.indexOf('\xF7', i);
    if (end < 0) break;
    if (file.mid(i + 3, 2) == "\x6A\x12")
      messages.emplace_back(file.begin() + i, file.begin() + end + 1);
  }
  return messages;
}

std::vector<TBytes> DataOnly(const std::vector<TBytes>& messages) {
  std::vector<TBytes> data;
  for (const TBytes& message : messages) data.push_back(DataOf(message));
  return data;
}

class CliTransfer : public TCliTest {
 protected:
  void SetUp() override {
    // Contents the factory memory does not have, so that a match proves they were read.
    instrument_.Write(0x217F0000, {'C', 'a', 'r', 'd', ' ', 'P', 'a', 't'});
    instrument_.Write(0x00001003, TBytes{0x45});
    QString error;
    ASSERT_TRUE(instrument_.Save(Path("memory.bin"), &error)) << error.toStdString();
  }
  TCliRun Transfer(QStringList args) const {
    return Cli(args + QStringList{"--timing-scale", "0.02", "--instrument-memory", "memory.bin"});
  }

  TInstrument instrument_;
};

// Sounds are sent first, so what comes back from the memory file shows that they arrived.
TEST_F(CliTransfer, SentSoundsAndEveryKindAreReceivedAsInTheMemoryWithASummary) {
  struct TCase {
    QStringList Args;
    std::size_t Blocks;
    const char* What;  // the summary line's start
    int Sent = -1;     // the kind of sound sent there first
  };
  const std::vector<TCase> cases = {
      {{"patch", "--user", "--number", "5"}, 5, "Patch (User : 5)", ekPatch},
      {{"rhythm", "--user", "--number", "2"}, 65, "Rhythm (User : 2)", ekRhythm},
      {{"patch-bank", "--card", "--instrument-card"}, 640, "Patch Bank (Card)"},
      {{"performance-bank", "--user"}, 544, "Performance Bank (User)", ekPerformanceBank},
      {{"global", "--data-card", "--instrument-card"}, 2 * (640 + 544 + 130) + 18, "Global"},
  };
  for (const TCase& test : cases) {
    if (test.Sent < 0) continue;
    const QString sent = test.Args[0] + ".sent";
    Write(sent, SyxOf(test.Sent, false, QStringLiteral("Sent %1").arg(test.Sent)));
    const TCliRun run = Transfer(QStringList{"send", sent} + test.Args.mid(1));
    ASSERT_EQ(0, run.Exit) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.startsWith(
        QStringLiteral("Sent %1 (%2 bytes) to ").arg(sent).arg(Read(sent).size())))
        << run.Out.toStdString();
  }
  QString error;
  ASSERT_TRUE(instrument_.Load(Path("memory.bin"), &error)) << error.toStdString();
  for (const TCase& test : cases) {
    const QString name = test.Args[0] + ".out";
    const TCliRun run = Transfer(QStringList{"receive"} + test.Args + QStringList{"-o", name});
    ASSERT_EQ(0, run.Exit) << test.Args.join(' ').toStdString() << ": " << run.Err.toStdString();
    // Every block holds the instrument's bytes at the block's address.
    const std::vector<TBytes> messages = DataSets(Read(name));
    ASSERT_EQ(test.Blocks, messages.size()) << name.toStdString();
    for (const TBytes& message : messages)
      ASSERT_EQ(instrument_.Block(AddressOf(message)), DataOf(message))
          << name.toStdString() << " block at " << std::hex << AddressOf(message);
    if (test.Sent >= 0)
      EXPECT_EQ(DataOnly(DataSets(Read(test.Args[0] + ".sent"))), DataOnly(messages));
    // One line saying what came, how much, how long, where to.
    const QRegularExpression summary(
        QStringLiteral("^Received %1: %2 bytes in \\d+\\.\\d s, written to %3\n$")
            .arg(QRegularExpression::escape(test.What))
            .arg(Read(name).size())
            .arg(name));
    EXPECT_TRUE(summary.match(run.Out).hasMatch()) << run.Out.toStdString();
  }
  EXPECT_TRUE(Read("patch-bank.out").contains("Card Pat"));
}

TEST_F(CliTransfer, ASilentCardGivesUpAfterTheRetries) {
  const TCliRun run =
      Transfer({"receive", "patch-bank", "--card", "--retries", "3", "-o", "card.syx"});
  EXPECT_EQ(1, run.Exit);
  EXPECT_EQ(2, run.Err.count("The Instrument Is Not Responding. Retrying"));
  EXPECT_TRUE(run.Err.contains("Gave up after 3 time-outs in a row")) << run.Err.toStdString();
  EXPECT_FALSE(QFile::exists(Path("card.syx")));
}

}  // namespace
