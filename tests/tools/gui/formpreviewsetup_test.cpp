// The preview setup: it shows the settings, Test plays the dialog's values without keeping
// them, OK keeps and writes them, Cancel leaves everything as it was; Browse's dialog.
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "controls/myedit.h"
#include "controls/panslider.h"
#include "tools/formpreviewsetup.h"
#include "toolwindowfixture.h"

namespace {
class TPreviewSetupTest : public TToolWindowTest {
 protected:
  void SetUp() override {
    TToolWindowTest::SetUp();
    Config().MidiFile = QStringLiteral("/songs/Noname.Mid");
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
    form.FileName()->setText(QStringLiteral("/songs/Other.Mid"));
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

TEST_F(TPreviewSetupTest, TestPlaysTheDialogsValuesAndThenCancelKeepsNothing) {
  EXPECT_TRUE(form.SingleNote()->isChecked());
  EXPECT_EQ(form.Note()->Code(), 40);
  EXPECT_EQ(form.Note()->Text().trimmed(), QStringLiteral("E 2"));
  EXPECT_EQ(form.Velocity()->Value(), 70);
  EXPECT_EQ(form.FileName()->text(), QStringLiteral("/songs/Noname.Mid"));
  EXPECT_FALSE(form.findChild<QWidget*>("FilePanel")->isEnabled());

  ChangeEverything();
  QWidget* test = form.findChild<QWidget*>("Test");
  QTest::mousePress(test, Qt::LeftButton);
  QTest::mouseRelease(test, Qt::LeftButton);
  form.MidiFile()->click();
  EXPECT_TRUE(form.findChild<QWidget*>("FilePanel")->isEnabled());
  EXPECT_FALSE(form.findChild<QWidget*>("NotePanel")->isEnabled());
  QTest::mousePress(test, Qt::LeftButton);
  QTest::mouseRelease(test, Qt::LeftButton);
  EXPECT_EQ(played, (std::vector<TPlayed>{{true, 64, 100, "/songs/Other.Mid"},
                                          {false, 64, 100, "/songs/Other.Mid"}}));
  EXPECT_EQ(stopped, 2);
  // Released: the settings have their own values again; Cancel writes nothing.
  form.reject();
  EXPECT_TRUE(Config().SingleNote);
  EXPECT_EQ(Config().PreviewNote, 40);
  EXPECT_EQ(Config().PreviewVelocity, 70);
  EXPECT_EQ(Config().MidiFile, QStringLiteral("/songs/Noname.Mid"));
  EXPECT_EQ(written, 0);
}

TEST_F(TPreviewSetupTest, OkKeepsAndWritesTheValues) {
  ChangeEverything();
  form.MidiFile()->setChecked(true);
  form.accept();
  EXPECT_FALSE(Config().SingleNote);
  EXPECT_EQ(Config().PreviewNote, 64);
  EXPECT_EQ(Config().PreviewVelocity, 100);
  EXPECT_EQ(Config().MidiFile, QStringLiteral("/songs/Other.Mid"));
  EXPECT_EQ(written, 1);
  // Shown again: the kept values.
  form.ShowConfig();
  EXPECT_TRUE(form.MidiFile()->isChecked());
}

TEST_F(TPreviewSetupTest, BrowseStartsAtTheFileAndTakesTheChoice) {
  ui.Files.push_back(QStringLiteral("/music/Groove.Mid"));
  form.MidiFile()->click();
  QTest::mouseClick(form.findChild<QWidget*>("Browse"), Qt::LeftButton);
  ASSERT_EQ(ui.FileRequests.size(), 1u);
  const TFileDialogOptions& options = ui.FileRequests[0].Options;
  EXPECT_EQ(options.Title, QStringLiteral("Select Midi File"));
  EXPECT_EQ(options.Filter, QStringLiteral("Mid file|*.Mid"));
  EXPECT_EQ(options.DefaultExt, QStringLiteral("Mid"));
  EXPECT_EQ(options.InitialDir, QStringLiteral("/songs"));
  EXPECT_EQ(options.FileName, QStringLiteral("Noname.Mid"));
  EXPECT_TRUE(options.MustExist);
  EXPECT_EQ(form.FileName()->text(), QStringLiteral("/music/Groove.Mid"));
  // Cancelled: the name stays.
  QTest::mouseClick(form.findChild<QWidget*>("Browse"), Qt::LeftButton);
  EXPECT_EQ(form.FileName()->text(), QStringLiteral("/music/Groove.Mid"));
}
