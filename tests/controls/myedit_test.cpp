#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>

#include "controls/myedit.h"
#include "controlsfixture.h"

namespace {
class TMyEditTest : public TShortTimers {
 protected:
  void Click(QToolButton* button, Qt::MouseButton mouse = Qt::LeftButton) {
    QTest::mousePress(button, mouse, {}, QPoint(5, 5));
    QTest::mouseRelease(button, mouse, {}, QPoint(5, 5));
  }
  TMyEdit edit;
  QSignalSpy change{&edit, &TMyEdit::Onchange};
  QSignalSpy end{&edit, &TMyEdit::OnEndChange};
};

TEST_F(TMyEditTest, AssignedCodesFireNothingAndAHeldArrowStepsRepeatsAndEndsOnRelease) {
  EXPECT_EQ(edit.Text(), QStringLiteral(" -100"));
  edit.SetEditType(Note);
  edit.SetCode(500);
  EXPECT_EQ(edit.Code(), 500);  // not clamped
  EXPECT_EQ(change.count() + end.count(), 0);
  edit.show();
  edit.SetEditType(Int0M100ms);
  edit.SetCode(54);
  edit.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
  edit.clearFocus();
  QTest::mousePress(edit.UpButton(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(edit.Text(), QStringLiteral(" 7.5 ms"));
  EXPECT_TRUE(edit.Repeating());
  EXPECT_TRUE(QTest::qWaitFor([&] { return edit.Code() >= 58; }));
  QTest::mouseRelease(edit.UpButton(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(edit.Repeating());
  EXPECT_EQ(change.count(), edit.Code() - 54);
  EXPECT_EQ(end.count(), 1);
  EXPECT_TRUE(edit.findChild<QLineEdit*>()->hasFocus());
  // Any mouse button steps; the down arrow goes down by Step.
  edit.SetStep(2);
  const int before = edit.Code();
  Click(edit.DownButton(), Qt::RightButton);
  EXPECT_EQ(edit.Code(), before - 2);
  EXPECT_EQ(end.count(), 2);
}

TEST_F(TMyEditTest, AnArrowAtItsBoundChangesNothingButStillEndsTheChange) {
  struct TBoundCase {
    TEditType type;
    int min, max, code;
    bool up;
  };
  const TBoundCase cases[] = {
      {IntM100P100, 0, 0, 14, true},
      {MinMaxDB, -15, 15, -15, false},
  };
  for (const TBoundCase& c : cases) {
    edit.SetEditType(c.type);
    edit.SetMin(c.min);
    edit.SetMax(c.max);
    edit.SetCode(c.code);
    end.clear();
    QToolButton* button = c.up ? edit.UpButton() : edit.DownButton();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(edit.Repeating()) << c.type;
    QTest::qWait(2 * TControlTiming::RepeatDelayMs);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(edit.Code(), c.code) << c.type;
    EXPECT_EQ(end.count(), 1) << c.type;
  }
  EXPECT_EQ(change.count(), 0);
  // A step that does not divide the range passes the bound once.
  edit.SetEditType(MinMax);
  edit.SetMin(0);
  edit.SetMax(5);
  edit.SetStep(2);
  edit.SetCode(4);
  Click(edit.UpButton());
  Click(edit.UpButton());
  EXPECT_EQ(edit.Code(), 6);
  EXPECT_EQ(change.count(), 1);
}
}  // namespace
