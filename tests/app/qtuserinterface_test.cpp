// The message boxes and file dialogs behind the user-interface service.
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/qtuserinterface.h"
#include "mainwindow_fixture.h"

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

TEST(QtUserInterface, BoxesOfferTheAskedButtonsAndFileDialogsAddTheDefaultExtension) {
  TQtUserInterface ui;
  WhenShown<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(
        std::tuple(box.icon(), box.buttons().size(), box.text()),
        std::tuple(QMessageBox::Warning, 2, QStringLiteral("The Instrument Is Not Responding.")));
    box.button(QMessageBox::Retry)->click();
  });
  EXPECT_EQ(mbRetry,
            ui.Ask(TMsgKind::Warning, "The Instrument Is Not Responding.", mbCancel | mbRetry));
  // Escape gives the box's escape answer; the kind picks the icon.
  const std::tuple<TMsgKind, int, int, QMessageBox::Icon> escaped[] = {
      {TMsgKind::Confirmation, mbYes | mbNo, mbNo, QMessageBox::Question},
      {TMsgKind::Information, mbOK, mbOK, QMessageBox::Information}};
  for (const auto& [kind, buttons, answer, icon] : escaped) {
    WhenShown<QMessageBox>([icon](QMessageBox& box) {
      EXPECT_EQ(box.icon(), icon);
      QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_EQ(answer, ui.Ask(kind, "Overwrite it ?", buttons));
  }

  // Save adds the default extension without asking to overwrite; Cancel gives no name.
  QTemporaryDir dir;
  WriteFile(dir.filePath("bank.Syx"), {});
  QString filters;
  WhenShown<QFileDialog>([&](QFileDialog& dialog) {
    filters = dialog.nameFilters().join("|");
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    dialog.selectFile("bank");
    QMetaObject::invokeMethod(&dialog, "accept");
  });
  TFileDialogOptions options;
  options.Title = "Save SysEx";
  options.DefaultExt = "Syx";
  options.Filter = "Syx file|*.Syx";
  options.InitialDir = dir.path();
  EXPECT_EQ(dir.filePath("bank.Syx"), ui.ChooseSaveFile(options));
  EXPECT_EQ("Syx file (*.Syx)", filters);

  WhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.close(); });
  options.MustExist = true;
  EXPECT_EQ("", ui.ChooseOpenFile(options));
}

}  // namespace

TEST(RememberedFolders, EachKindOfFileStartsWhereItsLastDialogEndedAlsoAfterARestart) {
  QTemporaryDir dir;
  const QString settings = dir.filePath("VESTA95.INI");
  for (const char* folder : {"libs", "sysex", "midi"}) ASSERT_TRUE(QDir(dir.path()).mkdir(folder));
  auto options = [](const char* ext, const QString& fileName) {
    TFileDialogOptions o;
    o.DefaultExt = QString::fromLatin1(ext);
    o.InitialDir = QFileInfo(fileName).path();
    o.FileName = QFileInfo(fileName).fileName();
    return o;
  };
  {
    TQtUserInterface ui;
    ui.RememberFoldersIn(settings);
    ui.RememberFolder(options("Lib", "Untitled.Lib"), dir.filePath("libs/Mine.Lib"));
    ui.RememberFolder(options("Syx", "Untitled.Syx"), dir.filePath("sysex/Bank.Syx"));
    ui.RememberFolder(options("Mid", "Noname.Mid"), dir.filePath("midi/Song.Mid"));
    ui.RememberFolder(options("Txt", "Result.Txt"), dir.filePath("Result.Txt"));
  }
  // A later run, reading the same settings file.
  TQtUserInterface ui;
  ui.RememberFoldersIn(settings);
  EXPECT_EQ(dir.filePath("libs"),
            ui.WithRememberedFolder(options("Lib", "Untitled 2.Lib")).InitialDir);
  EXPECT_EQ(dir.filePath("sysex"),
            ui.WithRememberedFolder(options("Glb", "Untitled.Glb")).InitialDir);
  EXPECT_EQ(dir.filePath("midi"), ui.WithRememberedFolder(options("Mid", "Noname.Mid")).InitialDir);
  EXPECT_EQ("", ui.WithRememberedFolder(options("Txt", "Result.Txt")).InitialDir.remove('.'));
  // A file that has a folder of its own starts there.
  EXPECT_EQ("/elsewhere", ui.WithRememberedFolder(options("Syx", "/elsewhere/A.Syx")).InitialDir);
}
