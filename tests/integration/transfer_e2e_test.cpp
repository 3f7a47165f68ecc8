// vesta-cli receiving the user patch bank from vesta-instrument over JACK while the instrument
// drops and damages replies: it gets through by retrying, the file holding the memory exactly.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "instrument/instrument.h"
#include "tests/instrument/sysexhelpers.h"
#include "tests/integration/jackserver.h"

namespace {

const std::string kInstrumentName = "VestaTransfer";

TEST(TransferEndToEnd, PatchBankReceiveGetsThroughLostAndDamagedRepliesByRetrying) {
  QTemporaryDir dir;
  const QString memory = dir.filePath(QStringLiteral("memory.bin"));
  const QString saved = dir.filePath(QStringLiteral("saved.bin"));
  {
    // Every user patch named after its number, so that a patch stored in the wrong place shows.
    TInstrument instrument;
    for (int patch = 0; patch < 128; ++patch) {
      const std::string name = "E2E Patch " + std::to_string(100 + patch).substr(1);
      instrument.Write(0x11000000 + (std::uint32_t(patch) << 16), {name.begin(), name.end()});
    }
    QString error;
    ASSERT_TRUE(instrument.Save(memory, &error)) << error.toStdString();
  }

  TJackServer server;
  std::string error;
  ASSERT_TRUE(server.Start(&error)) << error;
  TChildProcess instrument;
  ASSERT_TRUE(StartInstrument(
      instrument, kInstrumentName,
      {"--drop", "0.05", "--corrupt", "0.05", "--seed", "11", "--load", memory, "--save", saved},
      &error))
      << error;
  // The command line sees the same device list as this process, after its built-in device.
  TMidiDevices::Instance().Clear();
  RegisterSystemBackends();
  const QStringList inputs = TMidiDevices::Instance().InputNames();
  const QStringList outputs = TMidiDevices::Instance().OutputNames();
  TMidiDevices::Instance().Clear();
  const int in = IndexOfJackPort(inputs, kInstrumentName);
  const int out = IndexOfJackPort(outputs, kInstrumentName);
  ASSERT_TRUE(in >= 0 && out >= 0);

  // A twentieth of the production timing: 100 ms for a reply, well above JACK's latency here.
  const QString received = dir.filePath(QStringLiteral("bank.syx"));
  QProcess cli;
  cli.setWorkingDirectory(dir.path());
  cli.start(QStringLiteral(VESTA_CLI_PATH),
            {"receive", "patch-bank", "--user", "--in", inputs[in], "--out", outputs[out],
             "--retries", "20", "--timing-scale", "0.05", "-o", received});
  ASSERT_TRUE(cli.waitForFinished(90000));
  const QString said = QString::fromLocal8Bit(cli.readAllStandardError());
  ASSERT_EQ(0, cli.exitCode()) << said.toStdString();
  // A lost reply was noticed by the time-out and asked for again.
  EXPECT_TRUE(said.contains("The Instrument Is Not Responding. Retrying")) << said.toStdString();

  EXPECT_EQ(0, instrument.Stop());
  TInstrument after;
  QString loadError;
  ASSERT_TRUE(after.Load(saved, &loadError)) << loadError.toStdString();
  // Five data sets a patch, in the order of the memory: the common block, then the four tones.
  TBytes expected;
  for (std::uint32_t patch = 0x11000000; patch < 0x11800000; patch += 0x10000)
    for (std::uint32_t block : {0u, 0x1000u, 0x1200u, 0x1400u, 0x1600u}) {
      const TBytes message = DataSet(patch + block, after.Block(patch + block));
      expected.insert(expected.end(), message.begin(), message.end());
    }
  QFile file(received);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(TBytes(bytes.begin(), bytes.end()) == expected) << bytes.size() << " bytes";
}

}  // namespace
