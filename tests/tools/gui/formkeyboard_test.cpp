// The keyboard window: which notes its keys send as they are pressed, dragged and released, its
// caption, the octave buttons and the notes that do not exist, and its settings.
#include <QButtonGroup>
#include <QPushButton>
#include <QTest>

#include "controls/keyselector.h"
#include "tools/formkeyboard.h"
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
  EXPECT_EQ(keyboard->windowTitle(), QStringLiteral("Keyboard ( Play note : C 3 )"));
  // Released: one note-off, at the preview velocity, and nothing stays selected.
  Release(0);
  EXPECT_EQ(loop->Sent(), (TSentBytes{{0x90, 48, 70}, {0x80, 48, 70}}));
  EXPECT_EQ(keyboard->windowTitle(), QStringLiteral("Keyboard"));
  EXPECT_EQ(keyboard->Sounding(), -1);
  EXPECT_FALSE(keyboard->Keys()->KeySelected() >= -1);

  // Sliding across D and E: off and on at each new key, off at the end.
  loop->ClearSent();
  PreviewChannel = 10;
  Press(0);
  Move(2);
  EXPECT_EQ(keyboard->windowTitle(), QStringLiteral("Keyboard ( Play note : D 3 )"));
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
  EXPECT_EQ(keyboard->windowTitle(), QStringLiteral("Keyboard"));
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

TEST_F(TKeyboardTest, SettingsGiveTheOctaveAndPlaceAndClosingKeepsThem) {
  delete keyboard.data();
  settings = {{"Keyboard/BaseOctave", 2}, {"Keyboard/Left", 30}, {"Keyboard/Top", 40}};
  keyboard = new TFormKeyboard;
  keyboard->Place();
  keyboard->show();
  EXPECT_EQ(keyboard->Octave(), 3);
  EXPECT_TRUE(keyboard->OctaveButtons()->button(3)->isChecked());
  EXPECT_EQ(keyboard->pos(), QPoint(30, 40));
  EXPECT_EQ(keyboard->size(), QSize(384, 123));
  Octave(5);
  // A note held while the window closes is ended.
  Press(2);
  loop->ClearSent();
  keyboard->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(keyboard.isNull());
  EXPECT_EQ(loop->Sent(), (TSentBytes{{0x80, 74, 70}}));
  EXPECT_FALSE(keyboardOpen);
  EXPECT_EQ(std::tuple(settings["Keyboard/BaseOctave"], settings["Keyboard/Left"],
                       settings["Keyboard/Width"]),
            std::tuple(5, 30, 384));
  EXPECT_EQ(menusEnabled, 1);
}
