// The message boxes and file dialogs behind the user-interface service.
#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/qtuserinterface.h"

namespace {

TEST(FileFilter, PairsBecomeQtFiltersAndTheDefaultExtensionComesOnlyWhenNoneTyped) {
  EXPECT_EQ("Lib file (*.Lib);;All files (*.*)",
            TQtUserInterface::ConvertFilter("Lib file|*.Lib|All files|*.*"));
  EXPECT_EQ("Sounds (*.Syx *.Glb)", TQtUserInterface::ConvertFilter("Sounds|*.Syx;*.Glb"));
  EXPECT_EQ("", TQtUserInterface::ConvertFilter(""));
  EXPECT_EQ("/tmp/bank.Syx", TQtUserInterface::WithDefaultExt("/tmp/bank", "Syx"));
  EXPECT_EQ("/tmp/bank.syx", TQtUserInterface::WithDefaultExt("/tmp/bank.syx", "Syx"));
  EXPECT_EQ("/tmp/my.dir/bank.Lib", TQtUserInterface::WithDefaultExt("/tmp/my.dir/bank", "Lib"));
  EXPECT_EQ("/tmp/bank", TQtUserInterface::WithDefaultExt("/tmp/bank", ""));
  EXPECT_EQ("", TQtUserInterface::WithDefaultExt("", "Syx"));
}

// Runs action on the message box once it is up.
void WhenBoxShows(std::function<void(QMessageBox*)> action) {
  QTimer::singleShot(0, [action] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(nullptr, box);
    action(box);
  });
}

TEST(MessageBox, OffersTheAskedButtonsAndEscapeAnswersTheBackingOutOne) {
  TQtUserInterface ui;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttonCount = 0;
  WhenBoxShows([&](QMessageBox* box) {
    icon = box->icon();
    buttonCount = box->buttons().size();
    EXPECT_EQ("The Instrument Is Not Responding.", box->text());
    box->button(QMessageBox::Retry)->click();
  });
  EXPECT_EQ(mbRetry,
            ui.Ask(TMsgKind::Warning, "The Instrument Is Not Responding.", mbCancel | mbRetry));
  EXPECT_EQ(QMessageBox::Warning, icon);
  EXPECT_EQ(2, buttonCount);

  const auto escape = [&](QMessageBox* box) {
    icon = box->icon();
    QTest::keyClick(box, Qt::Key_Escape);
  };
  WhenBoxShows(escape);
  EXPECT_EQ(mbNo,
            ui.Ask(TMsgKind::Confirmation, "File Alredy Exist. Overwrite it ?", mbYes | mbNo));
  EXPECT_EQ(QMessageBox::Question, icon);
  WhenBoxShows(escape);
  EXPECT_EQ(mbOK, ui.Ask(TMsgKind::Information, "Invalid Midi Port Settings", mbOK));
  EXPECT_EQ(QMessageBox::Information, icon);
}

TEST(FileDialog, SaveAddsTheDefaultExtensionWithoutAskingToOverwriteAndCancelGivesNoName) {
  TQtUserInterface ui;
  QTemporaryDir dir;
  QFile existing(dir.filePath("bank.Syx"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  QString filters;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(nullptr, dialog);
    filters = dialog->nameFilters().join("|");
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    dialog->selectFile("bank");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  TFileDialogOptions options;
  options.Title = "Save SysEx";
  options.DefaultExt = "Syx";
  options.Filter = "Syx file|*.Syx";
  options.InitialDir = dir.path();
  EXPECT_EQ(dir.filePath("bank.Syx"), ui.ChooseSaveFile(options));
  EXPECT_EQ("Syx file (*.Syx)", filters);

  // Cancel gives an empty name.
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  options.MustExist = true;
  EXPECT_EQ("", ui.ChooseOpenFile(options));
}

}  // namespace
