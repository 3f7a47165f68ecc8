// The keyboard window (notes sent as keys are pressed, dragged and released, octaves, settings)
// and the preview setup (Test plays the dialog's values, OK keeps them, Cancel nothing, Browse).
#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "controls/keyselector.h"
#include "controls/myedit.h"
#include "controls/panslider.h"
#include "tools/formkeyboard.h"
#include "tools/formpreviewsetup.h"
#include "toolwindowfixture.h"

namespace {
class TKeyboardTest : public TToolWindowTest {
 protected:
  void SetUp() override {
    TToolWindowTest::SetUp();
    keyboard = new TFormKeyboard;
    keyboard->show();
  }
  void TearDown() override {
    delete keyboard.data();
    TToolWindowTest::TearDown();
  }
  // The middle of the lower part of white key k (0 C, 2 D, 4 E ... of the first octave).
  QPoint WhiteKey(int k) const {
    TKeySelector* keys = keyboard->Keys();
    return {keys->KeyLeft(k) + 5, keys->height() - 4};
  }
  void Press(int k) { QTest::mousePress(keyboard->Keys(), Qt::LeftButton, {}, WhiteKey(k)); }
  void Move(int k) { QTest::mouseMove(keyboard->Keys(), WhiteKey(k)); }
  void Release(int k) { QTest::mouseRelease(keyboard->Keys(), Qt::LeftButton, {}, WhiteKey(k)); }
  void Octave(int label) {
    QTest::mouseClick(keyboard->OctaveButtons()->button(label + 1), Qt::LeftButton);
  }

  QPointer<TFormKeyboard> keyboard;
};
}  // namespace

TEST_F(TKeyboardTest, KeysSendNoteOnAndOffAsTheyArePressedDraggedAndReleased) {
  EXPECT_TRUE(keyboardOpen);
  EXPECT_EQ(keyboard->Octave(), 0);  // base octave -1 when nothing is set
  Octave(3);
  EXPECT_EQ(keyboard->Octave(), 4);
  // The first key after opening: only a note-on, and the caption names the note.
  Press(0);
  EXPECT_EQ(loop->Sent(), (TSentBytes{{0x90, 48, 70}}));
  EXPECT_EQ(keyboard->windowTitle(), "Keyboard ( Play note : C 3 )");
  // Released: one note-off, at the preview velocity, and nothing stays selected.
  Release(0);
  EXPECT_EQ(loop->Sent(), (TSentBytes{{0x90, 48, 70}, {0x80, 48, 70}}));
  EXPECT_EQ(keyboard->windowTitle(), "Keyboard");
  EXPECT_EQ(keyboard->Sounding(), -1);
  EXPECT_FALSE(keyboard->Keys()->KeySelected() >= -1);

  // Sliding across D and E: off and on at each new key, off at the end.
  loop->ClearSent();
  PreviewChannel = 10;
  Press(0);
  Move(2);
  EXPECT_EQ(keyboard->windowTitle(), "Keyboard ( Play note : D 3 )");
  Move(4);
  Release(4);
  EXPECT_EQ(loop->Sent(), (TSentBytes{{0x99, 48, 70},
                                      {0x89, 48, 70},
                                      {0x99, 50, 70},
                                      {0x89, 50, 70},
                                      {0x99, 52, 70},
                                      {0x89, 52, 70}}));
}

TEST_F(TKeyboardTest, NotesOutsideZeroTo127AndNotesWithThePortsClosedAreNeverSent) {
  // Octave "7": key 31 (G) is note 127, key 33 (A) would be 129.
  Octave(7);
  Press(31);
  Move(33);
  Release(33);
  EXPECT_EQ(loop->Sent(), (TSentBytes{{0x90, 127, 70}, {0x80, 127, 70}}));
  EXPECT_EQ(keyboard->windowTitle(), "Keyboard");
  // Octave "-1": the lone key left of C would be note -1.
  loop->ClearSent();
  Octave(-1);
  QTest::mouseClick(keyboard->Keys(), Qt::LeftButton, {}, QPoint(4, 40));
  EXPECT_TRUE(loop->Sent().empty());
  // With the ports closed nothing is sent.
  MidiSession().SetMidiOpen(false);
  Press(0);
  EXPECT_EQ(keyboard->Sounding(), 0);
  Release(0);
  EXPECT_TRUE(loop->Sent().empty());
}

TEST_F(TKeyboardTest, SettingsGiveTheOctaveAndPlaceAndClosingEndsTheHeldNoteAndKeepsThem) {
  delete keyboard.data();
  settings = {{"Keyboard/BaseOctave", 2}, {"Keyboard/Left", 30}, {"Keyboard/Top", 40}};
  keyboard = new TFormKeyboard;
  keyboard->Place();
  keyboard->show();
  EXPECT_EQ(std::pair(keyboard->Octave(), keyboard->pos()), std::pair(3, QPoint(30, 40)));
  Octave(5);
  Press(2);
  loop->ClearSent();
  keyboard->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(keyboard.isNull());
  EXPECT_EQ(loop->Sent(), (TSentBytes{{0x80, 74, 70}}));
  EXPECT_FALSE(keyboardOpen);
  EXPECT_EQ(settings["Keyboard/BaseOctave"], 5);
}

namespace {
class TPreviewSetupTest : public TToolWindowTest {
 protected:
  void SetUp() override {
    TToolWindowTest::SetUp();
    Config().MidiFile = "/songs/Noname.Mid";
    ToolHost().WriteConfig = [this] {
      ++written;
      return true;
    };
    // What an audition would play, looked at when it starts.
    ToolHost().StartPreview = [this] {
      played.push_back(
          {Config().SingleNote, Config().PreviewNote, Config().PreviewVelocity, Config().MidiFile});
    };
    ToolHost().StopPreview = [this] { ++stopped; };
    form.ShowConfig();
    form.show();
  }
  // Single note 64 at velocity 100, or the file.
  void ChangeEverything() {
    form.Note()->SetCode(64);
    form.Velocity()->SetValue(100);
    form.FileName()->setText("/songs/Other.Mid");
  }
  struct TPlayed {
    bool SingleNote;
    int Note, Velocity;
    QString File;
    bool operator==(const TPlayed&) const = default;
  };

  TFormPreviewSetup form;
  std::vector<TPlayed> played;
  int stopped = 0;
  int written = 0;
};
}  // namespace

TEST_F(TPreviewSetupTest, TestPlaysTheDialogsValuesCancelKeepsNothingAndOkKeepsThem) {
  EXPECT_TRUE(form.SingleNote()->isChecked());
  EXPECT_EQ(form.Note()->Text().trimmed(), "E 2");
  ChangeEverything();
  QWidget* test = form.findChild<QWidget*>("Test");
  form.MidiFile()->click();
  QTest::mousePress(test, Qt::LeftButton);
  QTest::mouseRelease(test, Qt::LeftButton);
  EXPECT_EQ(played, (std::vector<TPlayed>{{false, 64, 100, "/songs/Other.Mid"}}));
  EXPECT_EQ(stopped, 1);
  // Released: the settings have their own values again; Cancel writes nothing.
  form.reject();
  const TPlayed kept{true, 40, 70, "/songs/Noname.Mid"};
  const auto config = [] {
    return TPlayed{Config().SingleNote, Config().PreviewNote, Config().PreviewVelocity,
                   Config().MidiFile};
  };
  EXPECT_EQ(config(), kept);
  EXPECT_EQ(written, 0);
  // OK keeps and writes them; shown again, the kept values.
  form.ShowConfig();
  ChangeEverything();
  form.MidiFile()->setChecked(true);
  form.accept();
  EXPECT_EQ(config(), (TPlayed{false, 64, 100, "/songs/Other.Mid"}));
  EXPECT_EQ(written, 1);
  form.ShowConfig();
  EXPECT_TRUE(form.MidiFile()->isChecked());
}

TEST_F(TPreviewSetupTest, BrowseStartsAtTheFileAndTakesTheChoice) {
  ui.Files.push_back("/music/Groove.Mid");
  form.MidiFile()->click();
  QTest::mouseClick(form.findChild<QWidget*>("Browse"), Qt::LeftButton);
  ASSERT_EQ(ui.FileRequests.size(), 1u);
  const TFileDialogOptions& options = ui.FileRequests[0].Options;
  EXPECT_EQ(options.Title, "Select Midi File");
  EXPECT_EQ(options.Filter, "Mid file|*.Mid");
  EXPECT_EQ(options.DefaultExt, "Mid");
  EXPECT_EQ(options.InitialDir, "/songs");
  EXPECT_EQ(options.FileName, "Noname.Mid");
  EXPECT_TRUE(options.MustExist);
  EXPECT_EQ(form.FileName()->text(), "/music/Groove.Mid");
  // Cancelled: the name stays.
  QTest::mouseClick(form.findChild<QWidget*>("Browse"), Qt::LeftButton);
  EXPECT_EQ(form.FileName()->text(), "/music/Groove.Mid");
}
