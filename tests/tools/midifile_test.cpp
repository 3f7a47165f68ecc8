// The MIDI-file reader and player (times after the tempo map, what is sent and skipped, silence
// after Stop, refused files) and the audition that plays a note or the file on the open ports.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "midi/midierrors.h"
#include "smfbuilder.h"
#include "tools/audition.h"
#include "tools/midifileplayer.h"
#include "toolsfixture.h"

namespace {
using std::chrono::microseconds;
using std::chrono::milliseconds;

constexpr auto Read = [](const TSmfBytes& bytes) { return TMidiFile::Read(bytes); };

// Two tracks at 480 ticks per quarter: 120 beats per minute, from tick 960 on 240, and from
// tick 1920 on 60. Notes in track 2 with running status, a text and a sysex between them.
TSmfBytes TempoMapFile() {
  return Smf(1, 480,
             {Track({At(0, Tempo(500000)), At(960, Tempo(250000)), At(960, Tempo(1000000)),
                     At(0, EndOfTrack())}),
              Track({At(0, {0x90, 60, 100}), At(480, {60, 0}), At(0, {0xFF, 0x01, 2, 'h', 'i'}),
                     At(480, {64, 90}), At(0, {0xF0, 3, 0x7E, 0x7F, 0xF7}), At(480, {0x80, 64, 0}),
                     At(480, {0xC1, 5}), At(480, {0x91, 67, 80}), At(240, EndOfTrack())})});
}

struct TSent {
  std::int64_t AtUs;
  std::vector<std::uint8_t> Bytes;
};

// A player on a clock the test moves; what it sends is recorded with the clock's time.
struct TFakePlayer {
  TMidiFilePlayer Player;
  TMidiFilePlayer::TClock::time_point Clock{};
  std::vector<TSent> Sent;
  TFakePlayer() {
    Player.Now = [this] { return Clock; };
    Player.Send = [this](const std::uint8_t* bytes, std::size_t n) {
      Sent.push_back({std::chrono::duration_cast<microseconds>(Clock.time_since_epoch()).count(),
                      std::vector<std::uint8_t>(bytes, bytes + n)});
    };
  }
  // Moves the clock in steps, polling as the timer would.
  void RunFor(milliseconds span, microseconds step = milliseconds(1)) {
    const auto end = Clock + span;
    while (Clock < end) {
      Clock += step;
      Player.Poll();
    }
  }
};
}  // namespace

TEST(TMidiFileTest, EventsAreTimedByTheTempoMapAcrossTracksAndPlayedAtTheirTimes) {
  const TMidiFile file = Read(TempoMapFile());
  ASSERT_TRUE(file.Ok()) << file.Error.toStdString();
  EXPECT_EQ(std::pair(file.Format, file.Tracks), std::pair(1, 2));
  // 480 ticks at 120 BPM = 500 ms; at 240 BPM 250 ms; at 60 BPM 1000 ms.
  const std::int64_t times[] = {0, 500000, 1000000, 1000000, 1250000, 1500000, 2500000};
  const TSmfBytes bytes[] = {
      {0x90, 60, 100}, {0x90, 60, 0}, {0x90, 64, 90}, {0xF0, 0x7E, 0x7F, 0xF7},
      {0x80, 64, 0},   {0xC1, 5},     {0x91, 67, 80}};
  ASSERT_EQ(file.Events.size(), 7u);
  for (std::size_t i = 0; i < 7; ++i) {
    const TMidiFileEvent& e = file.Events[i];
    EXPECT_EQ(e.TimeUs, times[i]) << i;
    const auto sysex = e.Length ? std::span<const std::uint8_t>() : file.SysexBytes(e.Sysex);
    const TSmfBytes got =
        e.Length ? TSmfBytes(e.Bytes, e.Bytes + e.Length) : TSmfBytes(sysex.begin(), sysex.end());
    EXPECT_EQ(got, bytes[i]) << i;
  }
  // The end of the longer track: 240 ticks at 60 BPM after the last note.
  EXPECT_EQ(file.DurationUs, 3000000);

  // Played: each at its time, then the note-off for the note the file leaves on.
  TFakePlayer fake;
  bool finished = false;
  QObject::connect(&fake.Player, &TMidiFilePlayer::Finished, [&] { finished = true; });
  fake.Player.Play(file);
  fake.RunFor(milliseconds(3000));
  ASSERT_EQ(fake.Sent.size(), 8u);
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(fake.Sent[i].AtUs, times[i]) << i;
  EXPECT_EQ(fake.Sent[7].Bytes, (std::vector<std::uint8_t>{0x81, 67, 0}));
  EXPECT_TRUE(finished);
  EXPECT_FALSE(fake.Player.Playing());

  // Format 0 and frame-based time: 25 frames of 40 ticks, so 1 ms a tick, tempo ignored.
  const TMidiFile frames = Read(
      Smf(0, 0xE728, {Track({At(10, {0x90, 1, 1}), At(0, Tempo(100)), At(990, {0x80, 1, 0})})}));
  ASSERT_TRUE(frames.Ok()) << frames.Error.toStdString();
  ASSERT_EQ(frames.Events.size(), 2u);
  EXPECT_EQ(frames.Events[0].TimeUs, 10000);
  EXPECT_EQ(frames.Events[1].TimeUs, 1000000);
}

TEST(TMidiFileTest, StopSilencesTheNotesAndPedalsItStarted) {
  TFakePlayer fake;
  fake.Player.Play(
      Read(Smf(0, 1000,
               {Track({At(0, {0x90, 60, 100}), At(0, {0x92, 48, 100}), At(0, {0x92, 48, 100}),
                       At(0, {0xB2, 64, 127}), At(0, {0x93, 50, 1}), At(0, {0x83, 50, 64}),
                       At(0, {0x95, 70, 1}), At(0, {0x95, 70, 0}), At(5000, {0x90, 61, 100})})})));
  fake.RunFor(milliseconds(100));
  fake.Sent.clear();
  fake.Player.Stop();
  // Note 48 was started twice; the ended notes 50 and 70 are left alone.
  const std::vector<std::vector<std::uint8_t>> expected = {
      {0x80, 60, 0}, {0x82, 48, 0}, {0x82, 48, 0}, {0xB2, 64, 0}};
  ASSERT_EQ(fake.Sent.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(fake.Sent[i].Bytes, expected[i]);
}

TEST(TMidiFileTest, AFailingPortStopsThePlayerWithItsText) {
  TMidiFilePlayer player;
  QString error;
  int calls = 0;
  player.Send = [&](const std::uint8_t*, std::size_t) {
    if (++calls == 2) throw EmidioutputError("port gone");
  };
  player.OnError = [&](const QString& text) { error = text; };
  player.Play(
      Read(Smf(0, 96, {Track({At(0, {0x90, 1, 1}), At(0, {0x90, 2, 2}), At(0, {0x90, 3, 3})})})));
  EXPECT_EQ(error, "port gone");
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(player.Playing());
}

TEST(TMidiFileTest, MalformedFilesAreRefusedWithAReason) {
  auto withTrack = [](const TSmfBytes& body) { return Smf(1, 96, {body}); };
  TSmfBytes cut = withTrack(Track({At(0, {0x90, 1, 1})}));
  cut[21] = 40;  // the track claims more bytes than follow
  TSmfBytes badHeader = Smf(1, 96, {});
  badHeader[7] = 2;
  struct {
    const char* name;
    TSmfBytes bytes;
    const char* error;
  } cases[] = {
      {"empty", {}, "not a standard MIDI file"},
      {"other file", TSmfBytes(40, 'x'), "not a standard MIDI file"},
      {"short header", badHeader, "the file header has a length of 2"},
      {"format 2", Smf(2, 96, {Track({})}), "a format 2 file"},
      {"format 7", Smf(7, 96, {Track({})}), "format 7 is not"},
      {"division 0", Smf(1, 0, {Track({})}), "a time division of 0"},
      {"frames", Smf(1, 0xE300, {Track({})}), "29 frames per second and 0 ticks"},
      {"no track", Smf(1, 96, {}), "it holds no track"},
      {"cut short", cut, "track 1 is cut short"},
      {"no status", withTrack(Track({At(0, {0x40, 0x40})})), "a data byte without a status"},
      {"long number", withTrack(Track({{0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 1, 1}})),
       "a number longer than four bytes"},
      {"ends inside", withTrack(Track({At(0, {0x90, 1})})), "the track ends inside an event"},
      {"status inside", withTrack(Track({At(0, {0x90, 1, 0x90})})),
       "a status byte inside a message"},
      {"long sysex", withTrack(Track({At(0, {0xF0, 9, 1, 0xF7})})),
       "a system-exclusive message runs past the track"},
      {"long meta", withTrack(Track({At(0, {0xFF, 1, 9, 'a'})})), "a meta event runs past"},
      {"undefined", withTrack(Track({At(0, {0xF4})})), "the undefined status byte F4"},
      {"too long",
       withTrack(Track({At(0x0FFFFFFF, {0xC0, 1}), At(0x0FFFFFFF, {0xC0, 1}),
                        At(0x0FFFFFFF, {0xC0, 1}), At(0x0FFFFFFF, {0xC0, 1})})),
       "longer than 24 hours"},
  };
  for (const auto& c : cases) {
    const TMidiFile file = Read(c.bytes);
    EXPECT_TRUE(file.Error.contains(QLatin1String(c.error)))
        << c.name << ": " << file.Error.toStdString();
    EXPECT_TRUE(file.Events.empty()) << c.name;
  }
  EXPECT_TRUE(
      TMidiFile::Read(TSmfBytes(TMidiFile::kMaxFileSize + 1, 0)).Error.contains("too large"));
  const TMidiFile missing = TMidiFile::Load("/nonexistent/Noname.Mid");
  EXPECT_TRUE(missing.Error.startsWith("/nonexistent/Noname.Mid: ")) << missing.Error.toStdString();
}

namespace {
class TAuditionTest : public TToolSessionTest {
 protected:
  void TearDown() override {
    audition.Stop();
    TToolSessionTest::TearDown();
  }
  TAudition& audition = TAudition::Instance();
};
}  // namespace

TEST_F(TAuditionTest, StopEndsTheNoteThatWasStarted) {
  // The channel and the note of the window in front change while the note sounds.
  audition.Start(40);
  PreviewChannel = 10;
  audition.Stop();
  EXPECT_EQ(loop->Sent(), (TSentBytes{{0x90, 40, 70}, {0x80, 40, 0}}));
}

TEST_F(TAuditionTest, TheMidiFilePlaysOnTheOpenPortsAndIsSilencedOnStop) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Song.Mid");
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
  EXPECT_EQ(loop->Sent(), (TSentBytes{{0x92, 60, 100}}));
  audition.Stop();
  EXPECT_FALSE(audition.Player().Playing());
  EXPECT_EQ(loop->Sent(), (TSentBytes{{0x92, 60, 100}, {0x82, 60, 0}}));

  // A file that is not a MIDI file: its name and the reason, nothing sent.
  loop->ClearSent();
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("RIFF....");
  file.close();
  audition.Start(40);
  EXPECT_FALSE(audition.Player().Playing());
  EXPECT_TRUE(ui.LastText().startsWith(path + ": not a standard MIDI file"))
      << ui.LastText().toStdString();
  EXPECT_TRUE(loop->Sent().empty());
}
