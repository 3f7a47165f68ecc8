// Typing a value into the value field and the number box: Enter takes it as one change, Escape
// and the focus leaving put the shown value back, a refusal says what the field takes.
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>

#include "controls/clickedit.h"
#include "controls/myedit.h"
#include "controls/typedentry.h"
#include "controlsfixture.h"

namespace {
class TTypedEntryTest : public TShortTimers {
 protected:
  void SetUp() override {
    TShortTimers::SetUp();
    field.SetEditType(MinMaxPerc);
    field.SetMin(-98);
    field.SetMax(98);
    field.SetCode(0);
    other.move(0, 40);
    host.resize(200, 100);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  }
  QLineEdit* Line() const { return field.LineEdit(); }
  void Type(QWidget* w, const QString& text, Qt::Key end) {
    QTest::keyClicks(w, text);
    QTest::keyClick(QApplication::focusWidget(), end);
  }

  QWidget host;
  TMyEdit field{&host};
  QLineEdit other{&host};
  QSignalSpy change{&field, &TMyEdit::Onchange};
  QSignalSpy end{&field, &TMyEdit::OnEndChange};
};

TEST_F(TTypedEntryTest, EnterTakesOneChangeEscapeAndLeavingPutTheValueBackARefusalSaysWhy) {
  field.setFocus();
  Type(Line(), QStringLiteral("50"), Qt::Key_Escape);
  EXPECT_EQ(field.Text(), "  0 %");
  QTest::keyClicks(Line(), QStringLiteral("50"));
  other.setFocus();
  EXPECT_EQ(Line()->text(), "  0 %");
  EXPECT_EQ(change.count() + end.count(), 0);
  // A refusal stores nothing and keeps the text.
  field.setFocus();
  Type(Line(), QStringLiteral("99"), Qt::Key_Return);
  EXPECT_EQ(Line()->text(), "99");
  EXPECT_EQ(Line()->toolTip(), "\"99\" is not a value here; it takes -98 % to +98 %");
  EXPECT_EQ(change.count() + end.count(), 0);
  // Corrected, it is taken and the tip goes.
  QTest::keyClick(Line(), Qt::Key_End);
  QTest::keyClick(Line(), Qt::Key_Backspace);
  QTest::keyClick(Line(), Qt::Key_Return);
  EXPECT_EQ(field.Code(), 9);
  EXPECT_TRUE(Line()->toolTip().isEmpty());
  Type(Line(), QStringLiteral("-98 %"), Qt::Key_Return);
  EXPECT_EQ(field.Code(), -98);
  EXPECT_EQ(change.count(), 2);
  EXPECT_TRUE(Line()->isReadOnly());
  // The same value again is no change.
  Type(Line(), QStringLiteral("-98"), Qt::Key_Enter);
  EXPECT_EQ(end.count(), 2);
}

TEST_F(TTypedEntryTest, ADoubleClickStartsTypingAndStepsNothing) {
  QTest::mouseDClick(Line(), Qt::LeftButton);
  EXPECT_EQ(Line()->selectedText(), "0 %");
  // An arrow puts the shown value back and steps as ever.
  QTest::keyClicks(Line(), QStringLiteral("12"));
  QTest::mousePress(field.UpButton(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(field.UpButton(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(field.Entry()->Typing());
  EXPECT_EQ(field.Code(), 1);
}

TEST_F(TTypedEntryTest, TheNumberBoxTakesStereoTextAndItsDoubleClickTakesBackTheStep) {
  TClickEdit box(&host);
  box.SetMin(-64);
  box.SetMax(63);
  box.SetStereo(true);
  box.move(100, 0);
  box.show();
  QSignalSpy boxEnd(&box, &TClickEdit::OnEndchange);
  box.setFocus();
  QTest::keyClicks(&box, QStringLiteral("L 20"));
  QTest::keyClick(box.LineEdit(), Qt::Key_Return);
  EXPECT_EQ(box.Value(), -20);
  EXPECT_EQ(boxEnd.count(), 1);
  EXPECT_FALSE(box.LineEdit()->isVisible());
  // A double-click: its first click steps down, the double-click takes it back and types.
  QTest::mouseDClick(&box, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(box.LineEdit()->selectedText(), "L 20");
  QTest::keyClicks(box.LineEdit(), QStringLiteral("R 64"));
  QTest::keyClick(box.LineEdit(), Qt::Key_Return);
  EXPECT_EQ(box.Value(), -20);
  QTest::keyClick(box.LineEdit(), Qt::Key_Escape);
  EXPECT_FALSE(box.Entry()->Typing());
  // As the window system sends one: press, release, press, double-click, release.
  const QPoint at(10, 10);
  QTest::mousePress(&box, Qt::LeftButton, {}, at);
  QTest::mouseRelease(&box, Qt::LeftButton, {}, at);
  QTest::mousePress(&box, Qt::LeftButton, {}, at);
  QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(at), box.mapToGlobal(QPointF(at)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&box, &twice);
  QTest::mouseRelease(&box, Qt::LeftButton, {}, at);
  EXPECT_EQ(box.Value(), -20);
  EXPECT_TRUE(box.Entry()->Typing());
}
}  // namespace
