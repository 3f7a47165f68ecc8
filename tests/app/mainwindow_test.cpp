// The main window: enabling, opening and saving, exit and the desktop, help, the audition and
// preview, the sound tools, the MIDI monitor, the comment editor and the gradient fill.
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QUrl>

#include "controls/fountainfill.h"
#include "dialogs/formcomment.h"
#include "dialogs/formintro.h"
#include "dialogs/formmonitor.h"
#include "frame/childframe.h"
#include "mainwindow_fixture.h"
#include "midi/pacedsender.h"
#include "tools/formkeyboard.h"
#include "tools/formmorph.h"
#include "tools/formpreviewsetup.h"
#include "tools/formrandom.h"

namespace {

// The file items, the window items, four others, and the tool buttons, in that order.
const char* const kItems[] = {"FileCloseItem",      "FileSaveItem",       "FileSaveAsItem",
                              "FilePrintItem",      "FileSaveAllItem",    "FileExportXPItem",
                              "WindowCascadeItem",  "WindowTileItem",     "WindowArrangeItem",
                              "WindowMinimizeItem", "FileNewItem",        "FileOpenItem",
                              "GadgetsMonitorItem", "GadgetsKeyboardItem"};
const char* const kButtons[] = {"SpeedSave", "SpeedSaveAll", "SpeedPrint", "SpeedOpen",
                                "SpeedMonitor"};

class TMainWindow : public TMainWindowTest {
 protected:
  QString Path(const QString& name) const { return dir_.filePath(name); }
  QString Write(const QString& name, const QByteArray& bytes) {
    return WriteFile(Path(name), bytes);
  }
  // A .Lib on disk holding one patch.
  QString WriteLibrary(const QString& name) {
    TLibrary library;
    library.NewElement(ekPatch).Name = name.left(12);
    return Write(name, library.SaveToBytes(false));
  }
  // The items and buttons enabled, as "+" and "-" in groups: "FFFFFF WWWW OOOO BBBBB".
  QString Enabling() const {
    QString marks;
    for (int i = 0; i < 14; ++i) {
      if (i == 6 || i == 10) marks += u' ';
      marks += main_->Action(kItems[i])->isEnabled() ? u'+' : u'-';
    }
    marks += u' ';
    for (const char* button : kButtons)
      marks += main_->findChild<QToolButton*>(button)->isEnabled() ? u'+' : u'-';
    return marks;
  }
  TIniFile Settings() const { return TIniFile(vesta_->SettingsPath()); }
  QString NewLibrary() {
    main_->Action("FileNewItem")->trigger();
    return LibraryOf(main_->ActiveChild())->GetName();
  }
  // What the loopback device was sent since the last call.
  std::vector<TBytes> Sent() {
    const std::vector<TBytes> sent = loop_->Sent();
    loop_->ClearSent();
    return sent;
  }
  QWidget* Background() const { return main_->MdiArea()->viewport(); }
};

TEST_F(TMainWindow, MenusButtonsAndNumbersFollowTheChildren) {
  EXPECT_EQ(Enabling(), "------ ---- ++++ ---++");
  // Only the monitor: file items stay off, window items come on.
  main_->Action("GadgetsMonitorItem")->trigger();
  EXPECT_EQ(Enabling(), "------ ++++ ++-+ ---+-");
  main_->Monitor()->parentWidget()->close();
  Flush();

  // New libraries take the lowest free number; unsaved changes show in the window list.
  EXPECT_EQ("Untitled.Lib", NewLibrary());
  QWidget* window = main_->ActiveChild();
  LibraryOf(window)->NewElement(ekPatch).Modified();  // the model refreshes the menus
  EXPECT_EQ(Enabling(), "++++++ ++++ ++++ +++++");
  QMenu* list = main_->menuBar()->findChild<QMenu*>("Window");
  QMetaObject::invokeMethod(list, "aboutToShow");
  EXPECT_EQ("&1 Library : Untitled.Lib*", list->actions().last()->text());
  EXPECT_EQ("Untitled 2.Lib", NewLibrary());
}

TEST_F(TMainWindow, SaveWritesALibraryFromDiskWithoutADialogAndASysexFileOpensAsANewLibrary) {
  const QString path = WriteLibrary("Strings.Lib");
  QWidget* window = main_->OpenLibraryFile(path);
  ASSERT_NE(nullptr, window);
  TLibrary* library = LibraryOf(window);
  library->NewElement(ekPerformance).Modified();
  main_->Action("FileSaveItem")->trigger();
  EXPECT_EQ(std::tuple(ui_.FileRequests.size(), library->Saved), std::tuple(0u, true));
  TLibrary reread;
  ASSERT_TRUE(reread.LoadFromFile(path));
  EXPECT_EQ(2, reread.Count());

  // A SysEx file: a bank in a new untitled library whose save leaves the file as it was.
  const QByteArray original = TPatchBank(nullptr).SysexBytes(false);
  ui_.Files = {Write("real-bank-1.syx", original), Path("Bank.Lib")};
  main_->Action("FileOpenItem")->trigger();
  library = LibraryOf(main_->ActiveChild());
  ASSERT_EQ(1, library->Count());
  EXPECT_EQ(std::tuple(library->Element(0).Kind, library->Element(0).GetName()),
            std::tuple(int(ekPatchBank), QStringLiteral("real-bank-1")));
  library->NewElement(ekPatch).Modified();
  main_->Action("FileSaveItem")->trigger();
  EXPECT_TRUE(QFile::exists(Path("Bank.Lib")));
  EXPECT_EQ(original, ReadFile(Path("real-bank-1.syx")));
}

TEST_F(TMainWindow, ADamagedLibraryKeepsItsFileOtherFilesAreRefusedAndDroppedFilesOpen) {
  const QString path = WriteLibrary("Cut.Lib");
  const QByteArray damaged = ReadFile(path) + QByteArray(2, '\x09');  // a record of unknown kind
  Write("Cut.Lib", damaged);
  ASSERT_NE(nullptr, main_->OpenFile(path));
  EXPECT_TRUE(ui_.LastText().contains("Save writes a new file; the damaged file is kept"));
  LibraryOf(main_->ActiveChild())->NewElement(ekPatch).Modified();
  ui_.Files.push_back(Path("Mended.Lib"));
  main_->Action("FileSaveItem")->trigger();
  EXPECT_EQ(std::tuple(ui_.FileRequests.size(), ReadFile(path)), std::tuple(1u, damaged));

  // Neither a library, a SysEx file nor a global dump: the reason, and nothing opens.
  EXPECT_EQ(nullptr, main_->OpenFile(Write("notes.txt", "some text\n")));
  EXPECT_TRUE(ui_.LastText().contains("neither a library")) << ui_.LastText().toStdString();

  // Files dropped on the window open; so do those named on the command line.
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(Write("Dropped.Syx", TPatchBank(nullptr).SysexBytes(false))),
                QUrl::fromLocalFile(WriteLibrary("Dropped.Lib"))});
  const QPoint inside = main_->MdiArea()->geometry().center();
  QDragEnterEvent enter(inside, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(main_.get(), &enter);
  QDropEvent drop(QPointF(inside), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(main_.get(), &drop);
  QCoreApplication::processEvents();
  QStringList names;
  for (QWidget* child : main_->Children()) names << LibraryOf(child)->GetName();
  names.sort();
  EXPECT_EQ(QStringList({"Dropped.Lib", "Mended.Lib", "Untitled.Lib"}), names);
  EXPECT_EQ(QStringList({"a.Syx", "b c.Lib"}),
            TVesta::FilesFrom({"vesta", "--settings", "x.ini", "a.Syx", "b c.Lib"}));
  EXPECT_EQ(QStringList({"d.Glb"}), TVesta::FilesFrom({"vesta", "--settings=x.ini", "d.Glb"}));
}

TEST_F(TMainWindow, ExitAsksFromTheLastChildToTheFirstCancelKeepsAllAndTheDesktopListsFiles) {
  main_->Action("GadgetsMonitorItem")->trigger();
  main_->Action("GadgetsKeyboardItem")->trigger();
  const QString saved = WriteLibrary("Saved.Lib");
  const QString gone = WriteLibrary("Gone.Lib");
  ASSERT_TRUE(main_->OpenLibraryFile(saved) && main_->OpenLibraryFile(gone));
  QWidget* first = main_->OpenLibraryFile(WriteLibrary("First.Lib"));
  QWidget* second = main_->OpenLibraryFile(WriteLibrary("Second.Lib"));
  ASSERT_TRUE(first && second);
  LibraryOf(first)->NewElement(ekPatch).Modified();
  LibraryOf(second)->NewElement(ekPatch).Modified();
  NewLibrary();  // never saved: not listed
  TIniFile before(vesta_->SettingsPath());
  before.WriteInteger("Desktop", "Num Library", 5);
  ASSERT_TRUE(before.Save().isEmpty());

  // Closing goes from the back; Cancel at the first unsaved library keeps every window.
  ui_.Answers = {mbCancel};
  EXPECT_FALSE(main_->close());
  Flush();
  EXPECT_EQ(std::tuple(ui_.Questions.size(), ui_.LastText(), main_->Children().size()),
            std::tuple(1u, "First.Lib" + kNotSaved, 7));

  // No to both lets the program end, asking in the same order; a file gone is not listed.
  ASSERT_TRUE(QFile::remove(gone));
  ui_.Questions.clear();
  ui_.Answers = {mbNo, mbNo};
  EXPECT_TRUE(main_->close());
  ASSERT_EQ(2u, ui_.Questions.size());
  EXPECT_EQ(ui_.Questions[1].Text, "Second.Lib" + kNotSaved);
  const TIniFile ini = Settings();
  ASSERT_EQ(3, ini.ReadInteger("Desktop", "Num Library", -1));
  QStringList listed;
  for (int i = 1; i <= 3; ++i)
    listed << ini.ReadString("Desktop", QStringLiteral("Library%1").arg(i), "");
  listed.sort();
  EXPECT_EQ(listed, QStringList({Path("First.Lib"), saved, Path("Second.Lib")}));
  EXPECT_EQ(
      std::tuple(ini.ReadInteger("Monitor", "Open", -1), ini.ReadInteger("Keyboard", "Open", -1)),
      std::tuple(1, 1));
}

TEST_F(TMainWindow, TheDesktopIsRestoredUpToABrokenEntry) {
  const struct {
    QStringList Files;
    QStringList Opened;  // front to back
    bool Monitor;
  } cases[] = {
      {{WriteLibrary("Alpha.Lib"), WriteLibrary("Beta.Lib")}, {"Beta.Lib", "Alpha.Lib"}, true},
      // A broken entry ends the restore silently, and the monitor stays closed.
      {{WriteLibrary("Alpha.Lib"), Path("Missing.Lib"), WriteLibrary("Gamma.Lib")},
       {"Alpha.Lib"},
       false},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.Opened.join(u' ').toStdString());
    main_.reset();
    Flush();
    TIniFile ini(vesta_->SettingsPath());
    ini.WriteInteger("Desktop", "Num Library", int(test.Files.size()));
    for (int i = 0; i < test.Files.size(); ++i)
      ini.WriteString("Desktop", QStringLiteral("Library%1").arg(i + 1), test.Files[i]);
    ini.WriteInteger("Monitor", "Open", 1);
    ASSERT_TRUE(ini.Save().isEmpty());
    main_ = std::make_unique<TFormvesta>(*vesta_);
    main_->LoadDesktopLibrary();
    QStringList names;
    for (QWidget* child : main_->Children())
      if (TLibrary* library = LibraryOf(child)) names.append(library->GetName());
    EXPECT_EQ(test.Opened, names);
    EXPECT_EQ(main_->Children().size(), names.size() + (test.Monitor ? 1 : 0));
  }
}

TEST_F(TMainWindow, TheSplashIsGoneBeforeTheStartGoesOn) {
  // The start may show a box (a port that does not open): the splash on top must not hide it.
  auto* splash = new TFormintro;
  QPointer<TFormintro> alive(splash);
  bool visibleAtStart = true;
  QObject::connect(splash, &TFormintro::Finished, [&] { visibleAtStart = splash->isVisible(); });
  splash->show();
  splash->StartTimer(1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !alive; }, 2000));
  EXPECT_FALSE(visibleAtStart);
}

TEST_F(TMainWindow, InterfaceSizeIsChosenInSettingsKeptInTheFileAndCheckedAtTheNextStart) {
  const auto checked = [this] {
    return std::tuple(main_->findChild<QAction*>(QStringLiteral("SettingsSize100"))->isChecked(),
                      main_->findChild<QAction*>(QStringLiteral("SettingsSize150"))->isChecked());
  };
  EXPECT_EQ(checked(), std::tuple(true, false));
  main_->findChild<QAction*>(QStringLiteral("SettingsSize150"))->trigger();
  EXPECT_EQ(ReadInterfaceSize(vesta_->SettingsPath()), 150);
  main_.reset();
  Flush();
  main_ = std::make_unique<TFormvesta>(*vesta_);
  EXPECT_EQ(checked(), std::tuple(false, true));
}

TEST(HelpPages, EveryHelpContextOpensAPageWithItsPartAndNoPageShowsMenuAmpersands) {
  const QWidget plain;
  EXPECT_EQ(HelpContextOf(&plain), 0);  // a widget with no page of its own and no parent
  for (int context = 0; context < 100; ++context) {
    SCOPED_TRACE(context);
    const QUrl url(THelpWindow::PageFor(context));
    if (!THelpWindow::HasPage(context)) {
      EXPECT_EQ(url, QUrl("qrc:/help/index.html"));  // the contents
      continue;
    }
    const QByteArray page = ReadFile(QStringLiteral(":") + url.path());
    ASSERT_FALSE(page.isEmpty());
    if (url.hasFragment()) {
      EXPECT_TRUE(page.contains("id=\"" + url.fragment().toLatin1() + "\""));
    }
  }

  // A caption's "&" marks its shortcut letter; written into a page it showed as "&Undo".
  const QRegularExpression stray(QStringLiteral("&amp;[A-Za-z]"));
  for (const QString& page : QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")}))
    EXPECT_FALSE(stray.match(ReadFile(QStringLiteral(":/help/") + page)).hasMatch())
        << page.toStdString();
}

TEST(ChildPlacement, ANewWindowGoesBesideItsOpenerWhenItFitsElseCascadesInside) {
  const QSize area(1000, 700);
  const QRect opener(100, 50, 400, 300);
  // Right of it; below it when the right is too narrow; a step from it when neither fits.
  EXPECT_EQ(QPoint(500, 50), TChildFrame::PlaceBeside(area, opener, QSize(300, 200)));
  EXPECT_EQ(QPoint(100, 350), TChildFrame::PlaceBeside(area, opener, QSize(600, 200)));
  EXPECT_EQ(QPoint(124, 74), TChildFrame::PlaceBeside(area, opener, QSize(600, 500)));
  // Moved inside the area, whole where it can be.
  EXPECT_EQ(QPoint(200, 0),
            TChildFrame::PlaceBeside(area, QRect(700, -40, 300, 800), QSize(800, 600)));
  EXPECT_EQ(QPoint(0, 0), TChildFrame::PlaceBeside(area, opener, QSize(1200, 900)));
}

TEST_F(TMainWindow, ShiftRightButtonAuditionsUntilReleasedAndTheNoteStoppedIsTheOneStarted) {
  StartWithPorts();
  QTest::mouseClick(Background(), Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
  EXPECT_TRUE(Sent().empty());  // a plain right click does nothing
  QTest::mousePress(Background(), Qt::RightButton, Qt::ShiftModifier, QPoint(100, 100));
  EXPECT_EQ(std::tuple(AuditionCursorShown(), Sent()),
            std::tuple(true, std::vector<TBytes>({{0x90, 40, 70}})));
  QTest::mouseRelease(Background(), Qt::RightButton, Qt::ShiftModifier, QPoint(100, 100));
  EXPECT_EQ(std::vector<TBytes>({{0x80, 40, 0}}), Sent());

  // Rhythm sets audition on channel 10; the release needs no Shift.
  PreviewChannel = 10;
  QTest::mousePress(Background(), Qt::RightButton, Qt::ShiftModifier, QPoint(50, 50));
  QTest::mouseRelease(Background(), Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
  EXPECT_EQ(std::vector<TBytes>({{0x99, 40, 70}, {0x89, 40, 0}}), Sent());
  PreviewChannel = 1;

  // The key of the window in front changes while the note sounds (another rhythm page).
  int key = 50;
  PreviewNoteHook() = [&key] { return key; };
  StartPreview();
  key = 62;
  StopPreview();
  PreviewNoteHook() = nullptr;
  EXPECT_EQ(std::vector<TBytes>({{0x90, 50, 70}, {0x80, 50, 0}}), Sent());

  // The preview timer plays the note once when it fires.
  ShowAuditionCursor();
  main_->TimerPreview()->start(Timing().PreviewMs);
  EXPECT_TRUE(QTest::qWaitFor([this] { return !loop_->Sent().empty(); }, 2000));
  EXPECT_EQ(std::tuple(Sent(), main_->TimerPreview()->isActive()),
            std::tuple(std::vector<TBytes>({{0x90, 40, 70}}), false));
  StopPreview();
  Sent();

  // A MIDI file that is missing: the reason, the ports stay open, the cursor comes back.
  vesta_->Config().SingleNote = false;
  vesta_->Config().MidiFile = Path("Missing.Mid");
  StartPreview();
  EXPECT_TRUE(ui_.LastText().startsWith(Path("Missing.Mid")));
  StopPreview();
  EXPECT_EQ(std::tuple(MidiSession().MidiOpen(), Sent().size()), std::tuple(true, 0u));

  // With the ports closed nothing is sent.
  MidiSession().SetMidiOpen(false);
  QTest::mousePress(Background(), Qt::RightButton, Qt::ShiftModifier, QPoint(10, 10));
  QTest::mouseRelease(Background(), Qt::RightButton, Qt::ShiftModifier, QPoint(10, 10));
  EXPECT_EQ(std::tuple(AuditionCursorShown(), Sent().size()), std::tuple(false, 0u));
}

TEST_F(TMainWindow, ThePressOnAPatchInALibraryGridIsLeftToTheGrid) {
  StartWithPorts();
  TFormLibrary& library = Open({ekPatch});
  Sent();
  // The grid sends the patch first; the note follows on the preview timer.
  QTest::mousePress(library.Grid()->viewport(), Qt::RightButton, Qt::ShiftModifier, QPoint(60, 9));
  const std::vector<TBytes> sent = Sent();
  ASSERT_FALSE(sent.empty());
  for (const TBytes& message : sent) EXPECT_EQ(0xF0, message.front());
  EXPECT_TRUE(main_->TimerPreview()->isActive());
}

TEST_F(TMainWindow, KeyboardPreviewRandomAndMorphOpenFromTheirMenusAndButtons) {
  StartWithPorts();
  main_->findChild<QToolButton*>(QStringLiteral("SpeedKeyboard"))->click();
  auto* keyboard = qobject_cast<TFormKeyboard*>(main_->ActiveChild());
  ASSERT_NE(keyboard, nullptr);
  keyboard->parentWidget()->move(20, 30);
  keyboard->parentWidget()->close();
  Flush();
  EXPECT_EQ(std::tuple(vesta_->KeyboardOpen, Settings().ReadInteger("Keyboard", "Left", -9),
                       Settings().ReadInteger("Keyboard", "BaseOctave", -9)),
            std::tuple(false, 20, -1));

  // Settings, Preview shows the setup.
  WhenShown<TFormPreviewSetup>([](TFormPreviewSetup&) {});
  main_->Action(QStringLiteral("SettingsPreviewItem"))->trigger();

  // The library's buttons: a random bank from a patch bank, a morph bank from two patches.
  TFormLibrary& window = Open({ekPatchBank, ekPatch, ekPatch});
  TLibrary& library = *window.Library();
  library.Element(0).Selected = true;
  WhenShown<TFormRandom>([](TFormRandom& dialog) { dialog.CreateBankClick(); });
  window.findChild<QAbstractButton*>(QStringLiteral("RandomBtn"))->click();
  for (int i = 0; i < library.Count(); ++i) library.Element(i).Selected = i == 1 || i == 2;
  WhenShown<TFormMorph>([](TFormMorph& dialog) { dialog.CreateBankClick(); });
  window.findChild<QAbstractButton*>(QStringLiteral("speedMorph"))->click();
  ASSERT_EQ(library.Count(), 5);
  EXPECT_EQ(std::tuple(library.Element(3).Name, library.Element(4).Name),
            std::tuple(QStringLiteral("RandomBank"), QStringLiteral("MorphBank")));
  ui_.Answers = {mbNo};
  EXPECT_TRUE(main_->close());
  EXPECT_EQ(0, Settings().ReadInteger("Keyboard", "Open", -1));
}

TEST_F(TMainWindow, TheMonitorLogsWhileOpenLaysOutItsPanesAndStoresItsPlaceOnClose) {
  const char* const keys[] = {"Left", "Top", "Width", "Height"};
  const auto place = [this, &keys] {
    QList<int> numbers;
    for (const char* key : keys) numbers << Settings().ReadInteger("Monitor", key, 0);
    return numbers;
  };
  TIniFile ini(vesta_->SettingsPath());
  for (int i = 0; i < 4; ++i) ini.WriteInteger("Monitor", keys[i], QList{20, 30, 400, 300}[i]);
  ASSERT_TRUE(ini.Save().isEmpty());
  TMidiDevices::Instance().Add(std::make_unique<TLoopbackBackend>());
  MidiSession().Create();
  ASSERT_TRUE(MidiSession().MidiOpen());
  auto* monitor = new TFormMonitor(*vesta_, vesta_->MonitorOpen);
  monitor->Place();
  EXPECT_EQ(std::tuple(monitor->geometry(), vesta_->MonitorOpen, MidiSession().Monitor()),
            std::tuple(QRect(20, 30, 400, 300), true, monitor));

  // Everything sent, in order, block dumps on one line; what comes in in its own pane.
  const std::vector<std::uint8_t> tone(129, 0x40);
  SendDataByte(0x03000000, 0, 0x10, 5);
  SendDataSet(0x03000000, 0x1000, 0, tone.data(), int(tone.size()));
  Sender().SendShort(0x90, 0x3C, 0x64);
  SendDataRequest(0x03000000, 0, 0, 0x48);
  EXPECT_EQ(
      " F0 41 10 6A 12 03 00 00 10 05 68 F7 \n"
      "DT1 03 00 10 00  129 bytes\n"
      "90 3C 64\n"
      " F0 41 10 6A 11 03 00 00 00 00 00 00 48 35 F7 ",
      monitor->Pane(MonitorOutput)->toPlainText());
  const TMyMidiEvent volume{.Status = 0xB0, .Data1 = 7, .Data2 = 100, .Time = 0, .Sysex = {}};
  MidiSession().Monitor()->AddMessageMidi(MonitorInput, volume);
  EXPECT_EQ("B0 07 64", monitor->Pane(MonitorInput)->toPlainText());
  EXPECT_EQ(" ", TFormMonitor::SysexLine(nullptr, 0));  // no sysex bytes make a blank

  monitor->show();  // the panes share the height
  monitor->setGeometry(5, 6, 390, 290);
  const QPointer<TFormMonitor> closed(monitor);
  monitor->close();
  // It frees itself, and must be gone while the program object it reports to still exists.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(std::tuple(closed.isNull(), MidiSession().Monitor(), vesta_->MonitorOpen),
            std::tuple(true, nullptr, false));
  EXPECT_EQ(place(), QList<int>({5, 6, 390, 290}));
}

TEST(CommentEditor, OkTakesTheEditedLinesAndCancelKeepsTheOldOnes) {
  QStringList comment{"Pads for the live set", "check the strings"};
  const auto edit = [&comment](const std::function<void(TFormcomment&)>& script) {
    TFormcomment dialog;
    QTimer::singleShot(0, &dialog, [&dialog, &script] { script(dialog); });
    return dialog.Edit(comment);
  };
  EXPECT_TRUE(edit([](TFormcomment& dialog) {
    QTest::keyClick(dialog.Memo(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(dialog.Memo(), "!");
    dialog.OkButton()->click();
  }));
  const QStringList edited{"Pads for the live set", "check the strings!"};
  EXPECT_EQ(edited, comment);
  EXPECT_FALSE(edit([](TFormcomment& dialog) {
    QTest::keyClicks(dialog.Memo(), "typed");
    dialog.CancelButton()->click();
  }));
  EXPECT_EQ(edited, comment);
}

TEST(FountainFill, StepsAreClampedAndBandsRunFromOneColourToTheOtherPerChannel) {
  TFountainFill fill;
  const auto painted = [&fill](QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    fill.Paint(painter, QRect(QPoint(0, 0), size));
    return image;
  };
  fill.SetFromColor(QColor(0, 255, 100));
  fill.SetToColor(QColor(200, 55, 100));
  fill.SetSteps(0);
  EXPECT_EQ(1, fill.Steps());
  EXPECT_EQ(painted(QSize(50, 10)).pixel(49, 5), QColor(0, 255, 100).rgb());  // one colour only
  fill.SetSteps(1000);
  EXPECT_EQ(255, fill.Steps());
  fill.SetSteps(5);
  EXPECT_EQ(QColor(100, 155, 100), fill.StepColor(2));
  const QImage across = painted(QSize(50, 10));
  EXPECT_EQ(std::tuple(across.pixel(0, 5), across.pixel(10, 5), across.pixel(49, 5)),
            std::tuple(QColor(0, 255, 100).rgb(), QColor(50, 205, 100).rgb(),
                       QColor(200, 55, 100).rgb()));
  fill.SetStyle(TFountainStyle::fsCircular);
  const QImage circles = painted(QSize(60, 60));
  EXPECT_EQ(std::tuple(circles.pixel(0, 0), circles.pixel(30, 30)),
            std::tuple(QColor(0, 255, 100).rgb(), QColor(200, 55, 100).rgb()));
}

}  // namespace
