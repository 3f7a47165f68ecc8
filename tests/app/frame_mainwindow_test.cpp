// The main window: menu and tool-button enabling, Save, the exit sequence with its questions and
// desktop list, and the desktop restored at start.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "app/formintro.h"
#include "app/interfacesize.h"
#include "app/formlibrary.h"
#include "app/formmonitor.h"
#include "app/formvesta.h"
#include "app/helpwindow.h"
#include "app/inifile.h"
#include "app/vesta.h"
#include "frame/childframe.h"
#include "midi/scriptedui.h"
#include "midi/timing.h"
#include "model/library.h"
#include "model/patchbank.h"

namespace {

const char* const kFileItems[] = {"FileCloseItem", "FileSaveItem",    "FileSaveAsItem",
                                  "FilePrintItem", "FileSaveAllItem", "FileExportXPItem"};
const char* const kWindowItems[] = {"WindowCascadeItem", "WindowTileItem", "WindowArrangeItem",
                                    "WindowMinimizeItem"};

class FrameMainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    Timing() = TTiming::Scaled(0.02);
    RegisterLibraryWindow();
    form_ = std::make_unique<TFormvesta>(vesta_);
    form_->resize(1000, 700);
    form_->show();
  }
  void TearDown() override {
    form_.reset();
    Flush();
    Timing() = TTiming{};
  }
  static void Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  QString Path(const QString& name) const { return dir_.filePath(name); }
  // A .Lib on disk holding one patch.
  QString WriteLibrary(const QString& name) {
    TLibrary library;
    library.NewElement(ekPatch).Name = name.left(12);
    QFile file(Path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(library.SaveToBytes(false));
    return Path(name);
  }
  bool Enabled(const char* item) const { return form_->Action(item)->isEnabled(); }
  bool ButtonEnabled(const char* name) const {
    return form_->findChild<QToolButton*>(name)->isEnabled();
  }
  TLibrary* LibraryOf(QWidget* window) const { return form_->ActiveLibrary(window); }
  TIniFile Settings() const { return TIniFile(vesta_.SettingsPath()); }
  void WriteDesktop(const QStringList& names, int monitorOpen) {
    TIniFile ini(vesta_.SettingsPath());
    ini.WriteInteger("Desktop", "Num Library", int(names.size()));
    for (int i = 0; i < names.size(); ++i)
      ini.WriteString("Desktop", QStringLiteral("Library%1").arg(i + 1), names[i]);
    ini.WriteInteger("Monitor", "Open", monitorOpen);
    ASSERT_TRUE(ini.Save().isEmpty());
  }

  QTemporaryDir dir_;
  TScopedScriptedUI ui_;
  TVesta vesta_{dir_.filePath("VESTA95.INI")};
  std::unique_ptr<TFormvesta> form_;
};

TEST_F(FrameMainWindow, MenuAndButtonEnablingWithNoChildOnlyTheMonitorAndAnUnsavedLibrary) {
  for (const char* item : kFileItems) EXPECT_FALSE(Enabled(item)) << item;
  for (const char* item : kWindowItems) EXPECT_FALSE(Enabled(item)) << item;
  for (const char* item :
       {"FileNewItem", "FileOpenItem", "GadgetsMonitorItem", "GadgetsKeyboardItem"})
    EXPECT_TRUE(Enabled(item)) << item;
  for (const char* button : {"SpeedSave", "SpeedSaveAll", "SpeedPrint"})
    EXPECT_FALSE(ButtonEnabled(button)) << button;
  EXPECT_TRUE(ButtonEnabled("SpeedOpen"));
  EXPECT_TRUE(ButtonEnabled("SpeedMonitor"));

  // Only the monitor: file items stay off, window items come on.
  form_->Action("GadgetsMonitorItem")->trigger();
  ASSERT_NE(nullptr, form_->Monitor());
  EXPECT_TRUE(form_->NonLibrary(form_->ActiveChild()));
  for (const char* item : kFileItems) EXPECT_FALSE(Enabled(item)) << item;
  for (const char* item : kWindowItems) EXPECT_TRUE(Enabled(item)) << item;
  EXPECT_FALSE(Enabled("GadgetsMonitorItem"));
  EXPECT_FALSE(ButtonEnabled("SpeedMonitor"));

  form_->Monitor()->parentWidget()->close();
  Flush();
  EXPECT_TRUE(Enabled("GadgetsMonitorItem"));
  EXPECT_FALSE(Enabled("WindowTileItem"));

  // An unsaved library enables Save, Save All and Export.
  form_->Action("FileNewItem")->trigger();
  QWidget* window = form_->ActiveChild();
  ASSERT_NE(nullptr, window);
  EXPECT_TRUE(Enabled("FileCloseItem"));
  EXPECT_TRUE(Enabled("FilePrintItem"));
  EXPECT_TRUE(Enabled("FileSaveAsItem"));
  LibraryOf(window)->NewElement(ekPatch).Modified();  // the model refreshes the menus
  for (const char* item : {"FileSaveItem", "FileExportXPItem", "FileSaveAllItem"})
    EXPECT_TRUE(Enabled(item)) << item;
  EXPECT_TRUE(ButtonEnabled("SpeedSave"));
  EXPECT_TRUE(ButtonEnabled("SpeedSaveAll"));
}

TEST_F(FrameMainWindow, SaveWritesALibraryFromDiskWithoutADialogAndAsksForAnUntitledOne) {
  const QString path = WriteLibrary("Strings.Lib");
  QWidget* window = form_->OpenLibraryFile(path);
  ASSERT_NE(nullptr, window);
  TLibrary* library = LibraryOf(window);
  library->NewElement(ekPerformance).Modified();
  ASSERT_FALSE(library->Saved);

  form_->Action("FileSaveItem")->trigger();
  EXPECT_TRUE(ui_.FileRequests.empty());
  EXPECT_TRUE(library->Saved);
  EXPECT_FALSE(Enabled("FileSaveItem"));
  TLibrary reread;
  ASSERT_TRUE(reread.LoadFromFile(path));
  EXPECT_EQ(2, reread.Count());

  // A new "Untitled.Lib" asks for a name.
  form_->Action("FileNewItem")->trigger();
  library = LibraryOf(form_->ActiveChild());
  library->NewElement(ekPatch).Modified();
  ui_.Files.push_back(Path("Fresh.Lib"));

  form_->Action("FileSaveItem")->trigger();
  ASSERT_EQ(1u, ui_.FileRequests.size());
  EXPECT_TRUE(ui_.FileRequests[0].Save);
  EXPECT_EQ("Save Library", ui_.FileRequests[0].Options.Title);
  EXPECT_TRUE(QFile::exists(Path("Fresh.Lib")));
  EXPECT_TRUE(library->Saved);
  EXPECT_EQ("Library : Fresh.Lib[*]", form_->ActiveChild()->windowTitle());
}

TEST_F(FrameMainWindow, ExitAsksFromTheLastChildToTheFirstAndCancelKeepsBothOpen) {
  QWidget* first = form_->OpenLibraryFile(WriteLibrary("First.Lib"));
  QWidget* second = form_->OpenLibraryFile(WriteLibrary("Second.Lib"));
  ASSERT_TRUE(first && second);
  LibraryOf(first)->NewElement(ekPatch).Modified();
  LibraryOf(second)->NewElement(ekPatch).Modified();
  TIniFile before(vesta_.SettingsPath());
  before.WriteInteger("Desktop", "Num Library", 5);
  ASSERT_TRUE(before.Save().isEmpty());

  ui_.Answers = {mbCancel};
  EXPECT_FALSE(form_->close());
  ASSERT_EQ(1u, ui_.Questions.size());
  // The frame's list has the topmost child first; the first question is about the other one.
  EXPECT_EQ(second, form_->Children().front());
  EXPECT_EQ("First.Lib Was Not Saved, Save It ?", ui_.Questions[0].Text);
  EXPECT_EQ(mbYes | mbNo | mbCancel, ui_.Questions[0].Buttons);
  Flush();
  EXPECT_EQ(2, form_->Children().size());
  EXPECT_EQ(0, Settings().ReadInteger("Desktop", "Num Library", -1));

  // Answering No to both lets the program end, asking in the same order.
  ui_.Questions.clear();
  ui_.Answers = {mbNo, mbNo};
  EXPECT_TRUE(form_->close());
  ASSERT_EQ(2u, ui_.Questions.size());
  EXPECT_EQ("First.Lib Was Not Saved, Save It ?", ui_.Questions[0].Text);
  EXPECT_EQ("Second.Lib Was Not Saved, Save It ?", ui_.Questions[1].Text);
  EXPECT_EQ(2, Settings().ReadInteger("Desktop", "Num Library", -1));
}

TEST_F(FrameMainWindow, ExitListsOnlyLibrariesWhoseFileStillExists) {
  const QString kept = WriteLibrary("Kept.Lib");
  const QString gone = WriteLibrary("Gone.Lib");
  ASSERT_TRUE(form_->OpenLibraryFile(kept));
  ASSERT_TRUE(form_->OpenLibraryFile(gone));
  form_->Action("FileNewItem")->trigger();  // never saved: not listed either
  form_->Action("GadgetsMonitorItem")->trigger();
  ASSERT_TRUE(QFile::remove(gone));

  ui_.Answers = {mbNo, mbNo, mbNo};
  EXPECT_TRUE(form_->close());
  const TIniFile ini = Settings();
  EXPECT_EQ(1, ini.ReadInteger("Desktop", "Num Library", -1));
  EXPECT_EQ(kept, ini.ReadString("Desktop", "Library1", ""));
  EXPECT_EQ(1, ini.ReadInteger("Monitor", "Open", -1));
  EXPECT_EQ(0, ini.ReadInteger("Keyboard", "Open", -1));
}

TEST_F(FrameMainWindow, DesktopIsRestoredWithTheMonitor) {
  WriteDesktop({WriteLibrary("Alpha.Lib"), WriteLibrary("Beta.Lib")}, 1);
  form_->LoadDesktopLibrary();
  const QList<QWidget*> children = form_->Children();
  ASSERT_EQ(3, children.size());
  EXPECT_NE(nullptr, form_->Monitor());
  QStringList names;
  for (QWidget* child : children) {
    if (TLibrary* library = LibraryOf(child)) {
      names.append(library->GetName());
      EXPECT_TRUE(library->Saved);
    }
  }
  EXPECT_EQ(QStringList({"Beta.Lib", "Alpha.Lib"}), names);
  EXPECT_TRUE(ui_.Questions.empty());
}

TEST_F(FrameMainWindow, ABrokenDesktopEntryEndsTheRestoreSilently) {
  WriteDesktop({WriteLibrary("Alpha.Lib"), Path("Missing.Lib"), WriteLibrary("Gamma.Lib")}, 1);
  form_->LoadDesktopLibrary();
  const QList<QWidget*> children = form_->Children();
  ASSERT_EQ(1, children.size());
  EXPECT_EQ("Alpha.Lib", LibraryOf(children[0])->GetName());
  EXPECT_EQ(nullptr, form_->Monitor());
  EXPECT_TRUE(ui_.Questions.empty());
}

TEST_F(FrameMainWindow, TrashPanelSitsInTheCornerAndOpensTheTrashWindow) {
  QWidget* panel = form_->findChild<QWidget*>("PanelTrash");
  QWidget* area = form_->MdiArea();
  EXPECT_EQ(QPoint(area->width() - 41 - 15, area->height() - 45 - 15), panel->pos());
  form_->resize(900, 600);
  EXPECT_EQ(QPoint(area->width() - 41 - 15, area->height() - 45 - 15), panel->pos());
  EXPECT_TRUE(form_->findChild<QWidget*>("TrashVuoto")->isVisibleTo(panel));
  EXPECT_FALSE(form_->findChild<QWidget*>("TrashPieno")->isVisibleTo(panel));

  form_->OpenTrashWindow();
  ASSERT_NE(nullptr, form_->TrashWindow());
  EXPECT_FALSE(panel->isVisible());
  EXPECT_TRUE(form_->NonLibrary(form_->TrashWindow()));
  form_->TrashLibrary().NewElement(ekPatch);
  form_->TrashWindow()->parentWidget()->close();
  Flush();
  EXPECT_EQ(nullptr, form_->TrashWindow());
  EXPECT_TRUE(panel->isVisible());
  EXPECT_TRUE(form_->findChild<QWidget*>("TrashPieno")->isVisibleTo(panel));
}

TEST_F(FrameMainWindow, F1OpensTheHelpOfTheWindowInFront) {
  form_->Action("HelpKeyItem")->trigger();
  auto* help = form_->findChild<THelpWindow*>();
  ASSERT_NE(nullptr, help);
  EXPECT_EQ(QUrl("qrc:/help/mainwindow.html"), help->Browser()->source());
  form_->Action("FileNewItem")->trigger();
  form_->Action("HelpKeyItem")->trigger();
  EXPECT_EQ(QUrl("qrc:/help/library.html"), help->Browser()->source());
  form_->OpenTrashWindow();
  form_->Action("HelpKeyItem")->trigger();
  EXPECT_EQ(QUrl("qrc:/help/trash.html"), help->Browser()->source());
  // The Help button and the Index item stay on their own pages.
  form_->Action("HelpIndexItem")->trigger();
  EXPECT_EQ(QUrl("qrc:/help/index.html"), help->Browser()->source());
  help->close();
  ui_.Answers = {mbNo};
}

TEST_F(FrameMainWindow, EscapeClosesTheHelpWindow) {
  form_->Action("HelpKeyItem")->trigger();
  auto* help = form_->findChild<THelpWindow*>();
  ASSERT_NE(nullptr, help);
  ASSERT_TRUE(help->isVisible());
  QTest::keyClick(help->Browser(), Qt::Key_Escape);
  EXPECT_FALSE(help->isVisible());
}

TEST_F(FrameMainWindow, TheSplashIsGoneBeforeTheStartGoesOn) {
  // The start may show a box (a port that does not open); the splash, always on top, must not
  // hide it.
  auto* splash = new TFormintro;
  QPointer<TFormintro> alive(splash);
  bool visibleAtStart = true;
  QObject::connect(splash, &TFormintro::Finished, [&] { visibleAtStart = splash->isVisible(); });
  splash->show();
  splash->StartTimer(1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !alive; }, 2000));
  EXPECT_FALSE(visibleAtStart);
}

}  // namespace

TEST_F(FrameMainWindow, OpenTakesASysexFileIntoANewLibraryWhoseSaveLeavesTheFile) {
  TPatchBank bank(nullptr);
  const QByteArray original = bank.SysexBytes(false);
  QFile file(Path("real-bank-1.syx"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(original);
  file.close();

  ui_.Files.push_back(file.fileName());
  form_->Action("FileOpenItem")->trigger();
  ASSERT_EQ(1u, ui_.FileRequests.size());
  EXPECT_EQ("Lib, Syx and Glb files|*.Lib;*.Syx;*.Glb|Lib file|*.Lib|Syx file|*.Syx|Glb file|*.Glb",
            ui_.FileRequests[0].Options.Filter);
  EXPECT_TRUE(ui_.Questions.empty());  // no damage reported
  ASSERT_EQ(1, form_->Children().size());
  TLibrary* library = LibraryOf(form_->ActiveChild());
  ASSERT_EQ(1, library->Count());
  EXPECT_EQ(ekPatchBank, library->Element(0).Kind);
  EXPECT_EQ("real-bank-1", library->Element(0).GetName());
  EXPECT_EQ("Library : Untitled.Lib[*]", form_->ActiveChild()->windowTitle());

  library->NewElement(ekPatch).Modified();
  form_->Action("FileSaveItem")->trigger();  // asks for a name; cancelled
  ASSERT_EQ(2u, ui_.FileRequests.size());
  EXPECT_TRUE(ui_.FileRequests[1].Save);
  ui_.Files.push_back(Path("Bank.Lib"));
  form_->Action("FileSaveItem")->trigger();
  EXPECT_TRUE(library->Saved);
  EXPECT_TRUE(QFile::exists(Path("Bank.Lib")));
  QFile kept(file.fileName());
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(original, kept.readAll());
}

TEST_F(FrameMainWindow, OpenOfADamagedLibraryKeepsItsFileAndRefusesOtherFilesWithNoWindow) {
  const QString path = WriteLibrary("Cut.Lib");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::Append));
  file.write(QByteArray(2, '\x09'));  // a record of an unknown kind at the end
  file.close();
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray damaged = file.readAll();
  file.close();

  ASSERT_NE(nullptr, form_->OpenFile(path));
  ASSERT_EQ(1u, ui_.Questions.size());
  EXPECT_TRUE(ui_.Questions[0].Text.contains("Save writes a new file; the damaged file is kept"));
  TLibrary* library = LibraryOf(form_->ActiveChild());
  EXPECT_EQ(1, library->Count());
  library->NewElement(ekPatch).Modified();
  ui_.Files.push_back(Path("Mended.Lib"));
  form_->Action("FileSaveItem")->trigger();
  ASSERT_EQ(1u, ui_.FileRequests.size());
  EXPECT_TRUE(library->Saved);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(damaged, file.readAll());
  file.close();

  // Neither a library, a SysEx file nor a global dump: the reason, and nothing opens.
  QFile text(Path("notes.txt"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("some text\n");
  text.close();
  EXPECT_EQ(nullptr, form_->OpenFile(text.fileName()));
  EXPECT_TRUE(ui_.LastText().contains("neither a library")) << ui_.LastText().toStdString();
  EXPECT_EQ(1, form_->Children().size());
}

TEST_F(FrameMainWindow, FilesDroppedOnTheMainWindowAndNamedOnTheCommandLineOpen) {
  TPatchBank bank(nullptr);
  QFile syx(Path("Dropped.Syx"));
  ASSERT_TRUE(syx.open(QIODevice::WriteOnly));
  syx.write(bank.SysexBytes(false));
  syx.close();
  const QString library = WriteLibrary("Dropped.Lib");

  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(syx.fileName()), QUrl::fromLocalFile(library)});
  const QPoint inside = form_->MdiArea()->geometry().center();
  QDragEnterEvent enter(inside, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form_.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(inside), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form_.get(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  QCoreApplication::processEvents();
  ASSERT_EQ(2, form_->Children().size());
  QStringList names;
  for (QWidget* child : form_->Children()) names << LibraryOf(child)->GetName();
  names.sort();
  EXPECT_EQ(QStringList({"Dropped.Lib", "Untitled.Lib"}), names);

  EXPECT_EQ(QStringList({"a.Syx", "b c.Lib"}),
            TVesta::FilesFrom({"vesta", "--settings", "x.ini", "a.Syx", "b c.Lib"}));
  EXPECT_EQ(QStringList({"d.Glb"}), TVesta::FilesFrom({"vesta", "--settings=x.ini", "d.Glb"}));
}

TEST_F(FrameMainWindow, NewLibrariesAreNumberedFromTheLowestFreeNumber) {
  auto newTitle = [this] {
    form_->Action("FileNewItem")->trigger();
    return LibraryOf(form_->ActiveChild())->GetName();
  };
  EXPECT_EQ("Untitled.Lib", newTitle());
  EXPECT_EQ("Untitled 2.Lib", newTitle());
  QWidget* second = form_->ActiveChild();
  EXPECT_EQ("Untitled 3.Lib", newTitle());
  second->parentWidget()->close();
  Flush();
  EXPECT_EQ("Untitled 2.Lib", newTitle());
  EXPECT_EQ("Untitled 4.Lib", newTitle());
}

TEST_F(FrameMainWindow, ExitCancelledKeepsASavedLibraryBehindTheUnsavedOne) {
  QWidget* saved = form_->OpenLibraryFile(WriteLibrary("Saved.Lib"));
  QWidget* unsaved = form_->OpenLibraryFile(WriteLibrary("Unsaved.Lib"));
  ASSERT_TRUE(saved && unsaved);
  LibraryOf(unsaved)->NewElement(ekPatch).Modified();

  // The saved library is closed first from the back; Cancel at the other must keep it too.
  ui_.Answers = {mbCancel};
  EXPECT_FALSE(form_->close());
  Flush();
  EXPECT_EQ(1u, ui_.Questions.size());
  EXPECT_EQ(2, form_->Children().size());

  // The cancelled answer is not kept: closing the window alone asks again.
  ui_.Questions.clear();
  ui_.Answers = {mbCancel};
  EXPECT_FALSE(unsaved->parentWidget()->close());
  EXPECT_EQ(1u, ui_.Questions.size());

  // No lets the program end, with one question and both libraries on the desktop list.
  ui_.Questions.clear();
  ui_.Answers = {mbNo};
  EXPECT_TRUE(form_->close());
  EXPECT_EQ(1u, ui_.Questions.size());
  EXPECT_EQ(2, Settings().ReadInteger("Desktop", "Num Library", -1));
}

TEST_F(FrameMainWindow, ExitCancelledAtALibraryKeepsTheMonitorAndTheKeyboard) {
  form_->Action("GadgetsMonitorItem")->trigger();
  form_->Action("GadgetsKeyboardItem")->trigger();
  QWidget* library = form_->OpenLibraryFile(WriteLibrary("Unsaved.Lib"));
  ASSERT_NE(nullptr, library);
  LibraryOf(library)->NewElement(ekPatch).Modified();
  // The library is in front: the monitor and the keyboard come before it from the back.

  ui_.Answers = {mbCancel};
  EXPECT_FALSE(form_->close());
  Flush();
  EXPECT_EQ(3, form_->Children().size());
  EXPECT_TRUE(vesta_.MonitorOpen);
  EXPECT_TRUE(vesta_.KeyboardOpen);
  EXPECT_NE(nullptr, form_->Monitor());
  EXPECT_EQ(1, Settings().ReadInteger("Monitor", "Open", -1));

  ui_.Answers = {mbNo};
  EXPECT_TRUE(form_->close());
  EXPECT_EQ(1, Settings().ReadInteger("Keyboard", "Open", -1));
}

TEST_F(FrameMainWindow, ALibraryWindowShowsUnsavedChangesInItsTitleAndTheWindowList) {
  form_->Action("FileNewItem")->trigger();
  QWidget* window = form_->ActiveChild();
  EXPECT_EQ("Library : Untitled.Lib[*]", window->windowTitle());
  EXPECT_FALSE(window->isWindowModified());
  LibraryOf(window)->NewElement(ekPatch).Modified();
  EXPECT_TRUE(window->isWindowModified());
  EXPECT_TRUE(window->parentWidget()->isWindowModified());

  QMenu* list = form_->menuBar()->findChild<QMenu*>("Window");
  ASSERT_NE(nullptr, list);
  QMetaObject::invokeMethod(list, "aboutToShow");
  EXPECT_EQ("&1 Library : Untitled.Lib*", list->actions().last()->text());

  ui_.Files.push_back(Path("Kept.Lib"));
  form_->Action("FileSaveItem")->trigger();
  EXPECT_EQ("Library : Kept.Lib[*]", window->windowTitle());
  EXPECT_FALSE(window->isWindowModified());
}

TEST(HelpPages, ShowNoMenuAmpersandsInTheirText) {
  // A caption's "&" marks its shortcut letter; written into a page it showed as "&Undo".
  const QRegularExpression stray(QStringLiteral("&amp;[A-Za-z]"));
  const QStringList pages = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
  ASSERT_GT(pages.size(), 20);
  for (const QString& page : pages) {
    QFile file(QStringLiteral(":/help/") + page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_FALSE(stray.match(text).hasMatch()) << page.toStdString();
  }
}

TEST(ChildPlacement, ANewWindowGoesBesideItsOpenerWhenItFitsElseCascadesInside) {
  const QSize area(1000, 700);
  const QRect opener(100, 50, 400, 300);
  // Right of it; below it when the right is too narrow; a step from it when neither fits.
  EXPECT_EQ(QPoint(500, 50), TChildFrame::PlaceBeside(area, opener, QSize(300, 200)));
  EXPECT_EQ(QPoint(100, 350), TChildFrame::PlaceBeside(area, opener, QSize(600, 200)));
  EXPECT_EQ(QPoint(124, 74), TChildFrame::PlaceBeside(area, opener, QSize(600, 500)));
  // Moved inside the area, whole where it can be.
  EXPECT_EQ(QPoint(200, 0), TChildFrame::PlaceBeside(area, QRect(700, -40, 300, 800), QSize(800, 600)));
  EXPECT_EQ(QPoint(0, 0), TChildFrame::PlaceBeside(area, opener, QSize(1200, 900)));
}

TEST_F(FrameMainWindow, InterfaceSizeIsChosenInSettingsKeptInTheFileAndCheckedAtTheNextStart) {
  auto* size150 = form_->findChild<QAction*>(QStringLiteral("SettingsSize150"));
  ASSERT_NE(size150, nullptr);
  EXPECT_TRUE(form_->findChild<QAction*>(QStringLiteral("SettingsSize100"))->isChecked());
  size150->trigger();
  EXPECT_EQ(ReadInterfaceSize(vesta_.SettingsPath()), 150);
  EXPECT_TRUE(size150->isChecked());
  EXPECT_EQ(ui_.LastText(),
            QStringLiteral("The interface size changes the next time the program starts."));
  // The next start shows the size kept.
  form_.reset();
  Flush();
  form_ = std::make_unique<TFormvesta>(vesta_);
  EXPECT_TRUE(form_->findChild<QAction*>(QStringLiteral("SettingsSize150"))->isChecked());
  EXPECT_FALSE(form_->findChild<QAction*>(QStringLiteral("SettingsSize100"))->isChecked());
}
