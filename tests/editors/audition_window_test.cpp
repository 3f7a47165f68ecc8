// The audition gesture of the main window (Shift + right button) in a rhythm note window plays the
// key being edited there; anywhere else the configured preview note.

#include "editorfixture.h"
#include "editors/rhythm/formrhythm.h"
#include "editors/rhythm/rhythmnotewindows.h"
#include "model/rhythm.h"

TEST_F(TEditorTest, TheAuditionInARhythmNoteWindowPlaysTheKeyBeingEdited) {
  RegisterRhythmEditor();
  library_->NewElement(ekRhythm);
  TRhythm* rhythm = nullptr;
  for (int i = 0; i < library_->Count() && !rhythm; ++i)
    rhythm = dynamic_cast<TRhythm*>(&library_->Element(i));
  ASSERT_NE(rhythm, nullptr);
  auto* notes = TPageWindow::OpenPage<TFormRhyMain>(rhythm->Pages[TRhythm::pgMain], *rhythm);
  ASSERT_NE(notes, nullptr);
  const auto audition = [this](QWidget* over) {
    Taken();
    QTest::mousePress(over, Qt::RightButton, Qt::ShiftModifier, QPoint(5, 5));
    const std::vector<TBytes> sent = Taken();
    QTest::mouseRelease(over, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    return sent.empty() ? -1 : int{sent.back()[1]};
  };
  const int configured = Config().PreviewNote;
  for (int key : {60, 35, 98}) {
    notes->SelectKey(key);
    EXPECT_EQ(audition(notes), key);
  }
  form_->MdiArea()->setActiveSubWindow(
      qobject_cast<QMdiSubWindow*>(libraryWindow_->parentWidget()));
  EXPECT_EQ(audition(form_->MdiArea()->viewport()), configured);
}
