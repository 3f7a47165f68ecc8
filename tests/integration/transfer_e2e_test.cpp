// vesta-cli receiving the user patch bank from vesta-instrument over a private JACK server while
// the instrument drops and damages replies: the transfer must get through by retrying and the
// file must hold the instrument's memory byte for byte.
#include <cstdint>
#include <string>
#include <vector>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "instrument/instrument.h"
#include "midi/midibackend.h"
#include "midi/rtmidibackend.h"
#include "tests/integration/childprocess.h"
#include "tests/integration/jackserver.h"

namespace {

const std::string kInstrumentName = "VestaTransfer";

struct TBlock {
  std::uint32_t Address;
  std::vector<std::uint8_t> Data;
};

// The data-set messages of a .Syx file, in order; an empty list when the file is not one.
std::vector<TBlock> Blocks(const QByteArray& file) {
  std::vector<TBlock> blocks;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.constData());
  qsizetype start = 0;
  while (start < file.size()) {
    qsizetype end = start;
    while (end < file.size() && bytes[end] != 0xF7) ++end;
    if (end >= file.size() || end - start < 10 || bytes[start] != 0xF0) return {};
    blocks.push_back({std::uint32_t{bytes[start + 5]} << 24 |
                          std::uint32_t{bytes[start + 6]} << 16 |
                          std::uint32_t{bytes[start + 7]} << 8 | bytes[start + 8],
                      std::vector<std::uint8_t>(bytes + start + 9, bytes + end - 1)});
    start = end + 1;
  }
  return blocks;
}

// The name JACK gives the instrument's port in this process's device list (the command line
// sees the same list after its built-in device).
QString PortName(const QStringList& names) {
  const int index = IndexOfJackPort(names, kInstrumentName);
  return index < 0 ? QString() : names[index];
}

TEST(TransferEndToEnd, PatchBankReceiveGetsThroughLostAndDamagedRepliesByRetrying) {
  QTemporaryDir dir;
  const QString memory = dir.filePath(QStringLiteral("memory.bin"));
  const QString saved = dir.filePath(QStringLiteral("saved.bin"));
  {
    // Every user patch named after its number, so that a patch stored in the wrong place shows.
    TInstrument instrument;
    for (int patch = 0; patch < 128; ++patch) {
      const std::string name = "E2E Patch " + std::to_string(100 + patch).substr(1);
      instrument.Write(0x11000000 + (std::uint32_t(patch) << 16),
                       std::vector<std::uint8_t>(name.begin(), name.end()));
    }
    QString error;
    ASSERT_TRUE(instrument.Save(memory, &error)) << error.toStdString();
  }

  TJackServer server;
  std::string error;
  ASSERT_TRUE(server.Start(&error)) << error;
  TChildProcess instrument;
  ASSERT_TRUE(StartInstrument(instrument, kInstrumentName,
                              {"--drop", "0.05", "--corrupt", "0.05", "--seed", "11", "--load",
                               memory.toStdString(), "--save", saved.toStdString()},
                              &error))
      << error;

  TMidiDevices::Instance().Clear();
  RegisterSystemBackends();
  const QString input = PortName(TMidiDevices::Instance().InputNames());
  const QString output = PortName(TMidiDevices::Instance().OutputNames());
  TMidiDevices::Instance().Clear();
  ASSERT_FALSE(input.isEmpty());
  ASSERT_FALSE(output.isEmpty());

  // A twentieth of the production timing: 100 ms for a reply, well above JACK's latency here.
  const QString received = dir.filePath(QStringLiteral("bank.syx"));
  QProcess cli;
  cli.setWorkingDirectory(dir.path());
  cli.start(QStringLiteral(VESTA_CLI_PATH),
            {"receive", "patch-bank", "--user", "--in", input, "--out", output, "--retries", "20",
             "--timing-scale", "0.05", "-o", received});
  ASSERT_TRUE(cli.waitForFinished(90000));
  const QString messages = QString::fromLocal8Bit(cli.readAllStandardError());
  ASSERT_EQ(0, cli.exitCode()) << messages.toStdString();
  // A lost reply was noticed by the time-out and asked for again.
  EXPECT_TRUE(messages.contains("The Instrument Is Not Responding. Retrying"))
      << messages.toStdString();

  EXPECT_EQ(0, instrument.Stop());
  TInstrument after;
  QString loadError;
  ASSERT_TRUE(after.Load(saved, &loadError)) << loadError.toStdString();
  QFile file(received);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const std::vector<TBlock> blocks = Blocks(file.readAll());
  ASSERT_EQ(640u, blocks.size());
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const std::uint32_t patch = 0x11000000 + (std::uint32_t(i / 5) << 16);
    const std::uint32_t expected = i % 5 == 0 ? patch : patch + 0x1000 + 0x200 * (i % 5 - 1);
    ASSERT_EQ(expected, blocks[i].Address) << "block " << i;
    ASSERT_EQ(after.Block(expected), blocks[i].Data) << "block " << i;
  }
}

}  // namespace
