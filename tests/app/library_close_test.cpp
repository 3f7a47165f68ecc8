// Closing a library window: its place is part of the library, and an unsaved library is never
// lost without the user saying so.
#include <QFile>
#include <QPointer>
#include <QPushButton>

#include "library_fixture.h"

namespace {
QMdiSubWindow* SubWindow(TFormLibrary& window) {
  return qobject_cast<QMdiSubWindow*>(window.parentWidget());
}
const QString kQuestion = QStringLiteral(" Was Not Saved, Save It ?");
}  // namespace

TEST_F(TLibraryWindowTest, OpeningTakesTheStoredPlaceWithoutMarkingTheLibrary) {
  auto library = std::make_unique<TLibrary>();
  library->WinLeft = 30;
  library->WinTop = 40;
  library->Height = 300;
  TFormLibrary& window = OpenLibrary(std::move(library));
  EXPECT_EQ(SubWindow(window)->pos(), QPoint(30, 40));
  EXPECT_EQ(SubWindow(window)->height(), 300);
  EXPECT_TRUE(window.Library()->Saved);
  // A window with no stored place is kept inside the frame.
  TFormLibrary& other = Open({});
  const QRect area = main_->MdiArea()->viewport()->rect();
  EXPECT_TRUE(area.contains(SubWindow(other)->geometry())) << SubWindow(other)->geometry().y();
}

TEST_F(TLibraryWindowTest, MovingOrResizingMarksTheLibraryUnsaved) {
  TFormLibrary& moved = Open({}, QStringLiteral("Moved.Lib"));
  TFormLibrary& resized = Open({}, QStringLiteral("Resized.Lib"));
  ASSERT_TRUE(moved.Library()->Saved);
  SubWindow(moved)->move(SubWindow(moved)->pos() + QPoint(17, 9));
  EXPECT_FALSE(moved.Library()->Saved);
  EXPECT_EQ(moved.Library()->WinLeft, SubWindow(moved)->x());
  SubWindow(resized)->resize(SubWindow(resized)->width(), SubWindow(resized)->height() + 36);
  EXPECT_FALSE(resized.Library()->Saved);
  EXPECT_EQ(resized.Library()->Height, SubWindow(resized)->height());

  // So closing asks; Cancel keeps the window, No closes and frees the library.
  QPointer<TFormLibrary> guard(&moved);
  ui_.Answers = {mbCancel, mbNo};
  EXPECT_FALSE(SubWindow(moved)->close());
  EXPECT_TRUE(main_->CloseCancelled());
  EXPECT_TRUE(moved.isVisible());
  ASSERT_EQ(ui_.Questions.size(), 1u);
  EXPECT_EQ(ui_.Questions[0].Buttons, mbYes | mbNo | mbCancel);
  EXPECT_EQ(ui_.Questions[0].Kind, TMsgKind::Information);
  EXPECT_TRUE(SubWindow(moved)->close());
  EXPECT_EQ(ui_.LastText(), QStringLiteral("Moved.Lib") + kQuestion);
  Flush();
  EXPECT_TRUE(guard.isNull());
}

TEST_F(TLibraryWindowTest, YesSavesAnUntitledLibraryUnderTheChosenName) {
  TFormLibrary& window = Open({});
  window.NewElement(ekPatch);
  const QString path = dir_.filePath(QStringLiteral("Chosen.Lib"));
  ui_.Answers = {mbYes};
  ui_.Files = {path};
  QPointer<TFormLibrary> guard(&window);
  window.findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
  ASSERT_EQ(ui_.Questions.size(), 1u);
  EXPECT_EQ(ui_.Questions[0].Text, QStringLiteral("Untitled.Lib") + kQuestion);
  EXPECT_TRUE(QFile::exists(path));
  Flush();
  EXPECT_TRUE(guard.isNull());
}

TEST_F(TLibraryWindowTest, CancelledSaveDialogKeepsTheUntitledLibraryOpen) {
  TFormLibrary& window = Open({ekPatch});
  window.NewElement(ekRhythm);
  TLibrary* library = window.Library();
  ui_.Answers = {mbYes};  // and no file: the save dialog is cancelled
  QPointer<TFormLibrary> guard(&window);
  EXPECT_FALSE(SubWindow(window)->close());
  Flush();
  ASSERT_FALSE(guard.isNull());
  EXPECT_EQ(window.Library(), library);
  EXPECT_EQ(library->Count(), 2);
  EXPECT_FALSE(library->Saved);
  EXPECT_TRUE(main_->CloseCancelled());
  ASSERT_EQ(ui_.FileRequests.size(), 1u);
  EXPECT_TRUE(ui_.FileRequests[0].Save);

  // During exit the same answer cancels the exit.
  main_->SetCloseCancelled(false);
  ui_.Answers = {mbYes};
  EXPECT_FALSE(main_->close());
  Flush();
  EXPECT_TRUE(main_->isVisible());
  EXPECT_FALSE(guard.isNull());
}

TEST_F(TLibraryWindowTest, TheTrashClosesWithoutAskingAndKeepsItsElements) {
  TFormLibrary& window = Open({ekPatch, ekSystem});
  window.Library()->Element(0).Selected = true;
  window.DeleteSelected();
  TFormLibrary& trash = OpenTrash();
  EXPECT_TRUE(SubWindow(trash)->close());
  Flush();
  EXPECT_EQ(main_->TrashWindow(), nullptr);
  EXPECT_EQ(main_->TrashLibrary().Count(), 1);
  // Only the library's own question, none for the trash.
  EXPECT_TRUE(ui_.Questions.empty());
}
