#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>

#include "controls/myedit.h"
#include "controlsfixture.h"

namespace {
class TMyEditTest : public TShortTimers {
 protected:
  void Press(QToolButton* button, Qt::MouseButton mouse = Qt::LeftButton) {
    QTest::mousePress(button, mouse, {}, QPoint(5, 5));
  }
  void Release(QToolButton* button, Qt::MouseButton mouse = Qt::LeftButton) {
    QTest::mouseRelease(button, mouse, {}, QPoint(5, 5));
  }
  TMyEdit edit;
  QSignalSpy change{&edit, &TMyEdit::Onchange};
  QSignalSpy end{&edit, &TMyEdit::OnEndChange};
};

TEST_F(TMyEditTest, NewFieldsAndAssignedCodesFireNothingAndAreNotClamped) {
  EXPECT_EQ(edit.size(), QSize(60, 24));
  EXPECT_EQ(edit.Code(), 0);
  EXPECT_EQ(edit.Step(), 1);
  EXPECT_EQ(edit.EditType(), IntM100P100);
  EXPECT_EQ(edit.Text(), QStringLiteral(" -100"));
  edit.SetEditType(Note);
  edit.SetCode(60);
  EXPECT_EQ(edit.Text(), QStringLiteral(" C 4"));
  edit.SetCode(500);
  EXPECT_EQ(edit.Code(), 500);
  EXPECT_EQ(change.count() + end.count(), 0);
  // The text box fills the field less a pixel; the arrows cover its end, one over the other.
  edit.resize(80, 30);
  edit.show();
  EXPECT_EQ(edit.findChild<QLineEdit*>()->geometry(), QRect(1, 1, 78, 28));
  EXPECT_EQ(edit.UpButton()->geometry(), QRect(64, 1, 15, 14));
  EXPECT_EQ(edit.DownButton()->geometry(), QRect(64, 15, 15, 14));
}

TEST_F(TMyEditTest, AHeldArrowStepsAtOnceThenRepeatsAndEndsOnRelease) {
  edit.SetEditType(Int0M100ms);
  edit.SetCode(54);
  edit.show();
  edit.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
  edit.clearFocus();
  Press(edit.UpButton());
  EXPECT_EQ(edit.Code(), 55);
  EXPECT_EQ(edit.Text(), QStringLiteral(" 7.5 ms"));
  EXPECT_EQ(change.count(), 1);
  EXPECT_TRUE(edit.Repeating());
  EXPECT_TRUE(QTest::qWaitFor([&] { return edit.Code() >= 58; }));
  Release(edit.UpButton());
  EXPECT_FALSE(edit.Repeating());
  EXPECT_EQ(change.count(), edit.Code() - 54);
  EXPECT_EQ(end.count(), 1);
  EXPECT_TRUE(edit.findChild<QLineEdit*>()->hasFocus());
  // Any mouse button steps; the down arrow goes down by Step.
  edit.SetStep(2);
  const int before = edit.Code();
  Press(edit.DownButton(), Qt::RightButton);
  Release(edit.DownButton(), Qt::RightButton);
  EXPECT_EQ(edit.Code(), before - 2);
  EXPECT_EQ(end.count(), 2);
}

TEST_F(TMyEditTest, AnArrowHeldAtItsBoundChangesNothingButStillEndsTheChange) {
  struct TBoundCase {
    TEditType type;
    int min, max, code;
    bool up;
  };
  const TBoundCase cases[] = {
      {IntM100P100, 0, 0, 14, true},   {Int0M127Off, 0, 0, 128, true},
      {Int0M880, 0, 0, 0, false},      {MinMaxS, -63, 63, 63, true},
      {MinMaxDB, -15, 15, -15, false}, {Int100M8000HZ, 0, 0, 125, true},
  };
  for (const TBoundCase& c : cases) {
    edit.SetEditType(c.type);
    edit.SetMin(c.min);
    edit.SetMax(c.max);
    edit.SetCode(c.code);
    end.clear();
    QToolButton* button = c.up ? edit.UpButton() : edit.DownButton();
    Press(button);
    EXPECT_FALSE(edit.Repeating()) << c.type;
    QTest::qWait(2 * TControlTiming::RepeatDelayMs);
    Release(button);
    EXPECT_EQ(edit.Code(), c.code) << c.type;
    EXPECT_EQ(end.count(), 1) << c.type;
  }
  EXPECT_EQ(change.count(), 0);
}

TEST_F(TMyEditTest, AStepThatDoesNotDivideTheRangePassesTheBoundOnce) {
  edit.SetEditType(MinMax);
  edit.SetMin(0);
  edit.SetMax(5);
  edit.SetStep(2);
  edit.SetCode(4);
  Press(edit.UpButton());
  Release(edit.UpButton());
  EXPECT_EQ(edit.Code(), 6);
  Press(edit.UpButton());
  Release(edit.UpButton());
  EXPECT_EQ(edit.Code(), 6);
  EXPECT_EQ(change.count(), 1);
  EXPECT_EQ(end.count(), 2);
}
}  // namespace
