// What an audition sends: the note it started is the note it ends, whatever changed meanwhile;
// the preview MIDI file plays on the open ports and is silenced on stop; unplayable files and
// closed ports.
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "midi/config.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "model/transfer.h"
#include "smfbuilder.h"
#include "tools/audition.h"

namespace {
using TSent = std::vector<std::vector<std::uint8_t>>;

class TAuditionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Config() = TConfig();
    Config().SingleNote = true;
    Config().PreviewVelocity = 70;
    PreviewChannel = 1;
    auto backend = std::make_unique<TLoopbackBackend>();
    loop = backend.get();
    TMidiDevices::Instance().Clear();
    TMidiDevices::Instance().Add(std::move(backend));
    MidiSession().Create();
    loop->ClearSent();
  }
  void TearDown() override {
    TAudition::Instance().Stop();
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
  }
  TScopedScriptedUI ui;
  TLoopbackBackend* loop = nullptr;
  TAudition& audition = TAudition::Instance();
};
}  // namespace

TEST_F(TAuditionTest, StopEndsTheNoteThatWasStarted) {
  // The channel and the note of the window in front change while the note sounds.
  audition.Start(40);
  PreviewChannel = 10;
  audition.Stop();
  EXPECT_EQ(loop->Sent(), (TSent{{0x90, 40, 70}, {0x80, 40, 0}}));
  // A second start ends the first note before its own; a stop with nothing sounding is silent.
  loop->ClearSent();
  audition.Start(36);
  audition.Start(38);
  audition.Stop();
  audition.Stop();
  EXPECT_EQ(loop->Sent(), (TSent{{0x99, 36, 70}, {0x89, 36, 0}, {0x99, 38, 70}, {0x89, 38, 0}}));
  // Ports closed: nothing at all.
  loop->ClearSent();
  MidiSession().SetMidiOpen(false);
  audition.Start(40);
  audition.Stop();
  EXPECT_TRUE(loop->Sent().empty());
}

TEST_F(TAuditionTest, TheMidiFilePlaysOnTheOpenPortsAndIsSilencedOnStop) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Song.Mid"));
  const TSmfBytes bytes = Smf(0, 96, {Track({At(0, {0x92, 60, 100}), At(9600, {0x82, 60, 0})})});
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  file.close();
  Config().SingleNote = false;
  Config().MidiFile = path;
  audition.Start(40);
  EXPECT_TRUE(audition.Player().Playing());
  EXPECT_TRUE(MidiSession().MidiOpen());
  EXPECT_EQ(loop->Sent(), (TSent{{0x92, 60, 100}}));
  audition.Stop();
  EXPECT_FALSE(audition.Player().Playing());
  EXPECT_EQ(loop->Sent(), (TSent{{0x92, 60, 100}, {0x82, 60, 0}}));

  // A file that is not a MIDI file: its name and the reason, nothing sent.
  loop->ClearSent();
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("RIFF....");
  file.close();
  audition.Start(40);
  EXPECT_FALSE(audition.Player().Playing());
  EXPECT_TRUE(ui.LastText().startsWith(path + QStringLiteral(": not a standard MIDI file")))
      << ui.LastText().toStdString();
  EXPECT_TRUE(loop->Sent().empty());
}
