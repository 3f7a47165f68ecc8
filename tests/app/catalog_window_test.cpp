// The catalog window in the main window, driven with real events: the query box and filters, a
// selected patch auditioned as Shift + right button does in a library, a double click opening
// the sound's file, rows dragged into a library window and onto a bank window, and the marks
// set from the list.
#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "app/formbank.h"
#include "app/formbankgrid.h"
#include "app/rowgrid.h"
#include "catalog/catalog.h"
#include "catalogui/formcatalog.h"
#include "library_fixture.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/timing.h"
#include "model/patch.h"
#include "model/patchbank.h"
#include "tools/preview.h"

namespace {
using TBytes = std::vector<std::uint8_t>;

class TCatalogWindowTest : public TLibraryWindowTest {
 protected:
  void SetUp() override {
    Timing() = TTiming::Scaled(0.02);
    auto backend = std::make_unique<TLoopbackBackend>();
    loop_ = backend.get();
    TMidiDevices::Instance().Clear();
    TMidiDevices::Instance().Add(std::move(backend));
    TLibraryWindowTest::SetUp();
    main_->FinishStart();  // ports open, preview note 40 at velocity 70
    ASSERT_TRUE(MidiSession().MidiOpen());

    // A folder with a patch of its own and a bank of leads, in a catalog of the test's own.
    QDir(dir_.path()).mkpath(QStringLiteral("sounds"));
    TPatch pad(nullptr);
    pad.SetName(QStringLiteral("Glass Pad"), false);
    pad.Tones[0].StoreByte(81, 99);
    WriteFile(QStringLiteral("sounds/pad.syx"), pad.SysexBytes(false));
    TPatchBank bank(nullptr);
    for (int i = 0; i < bank.Count(); ++i)
      bank.Patch(i).SetName(QStringLiteral("Lead %1").arg(i + 1), false);
    WriteFile(QStringLiteral("sounds/leads.syx"), bank.SysexBytes(false));
    qputenv("VESTA_CATALOG", dir_.filePath(QStringLiteral("catalog.db")).toUtf8());
    TCatalog catalog(TCatalog::DefaultPath());
    catalog.AddFolder(dir_.filePath(QStringLiteral("sounds")));
    catalog.Scan();

    main_->Action(QStringLiteral("GadgetsCatalogItem"))->trigger();
    window_ = qobject_cast<TFormCatalog*>(main_->CatalogWindow());
    ASSERT_NE(window_, nullptr);
    loop_->ClearSent();
  }
  void TearDown() override {
    if (AuditionCursorShown()) StopPreview();
    TLibraryWindowTest::TearDown();
    qunsetenv("VESTA_CATALOG");
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming{};
  }
  void WriteFile(const QString& name, const QByteArray& bytes) {
    QFile file(dir_.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  void Query(const QString& text) {
    window_->QueryBox()->clear();
    QTest::keyClicks(window_->QueryBox(), text);
    QTest::keyClick(window_->QueryBox(), Qt::Key_Return);
  }
  // The middle of a list row, in the view's viewport.
  QPoint RowPoint(int row) const {
    QTreeView* list = window_->List();
    return list->visualRect(list->model()->index(row, 0)).center();
  }
  QString NameAt(int row) const {
    return window_->List()->model()->index(row, 0).data().toString();
  }
  // Drags a list row with the mouse and lets go over a point of a widget of another window: the
  // drag's enter, move and drop events reach that widget as the window system would send them.
  void DragRowTo(int row, QWidget* target, QPoint at) {
    CatalogWindowHooks().RunDrag = [=](QDrag& drag) -> QWidget* {
      QDragEnterEvent enter(at, Qt::CopyAction, drag.mimeData(), Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(target, &enter);
      if (!enter.isAccepted()) return nullptr;
      QDragMoveEvent move(at, Qt::CopyAction, drag.mimeData(), Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(target, &move);
      QDropEvent drop(at, Qt::CopyAction, drag.mimeData(), Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(target, &drop);
      return drop.isAccepted() ? target : nullptr;
    };
    QWidget* viewport = window_->List()->viewport();
    // A drag starts from a row that is selected already.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, RowPoint(row));
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, RowPoint(row));
    QTest::mouseMove(viewport, RowPoint(row) + QPoint(2, 2));
    QTest::mouseMove(viewport, RowPoint(row) + QPoint(30, 30));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, RowPoint(row) + QPoint(30, 30));
    CatalogWindowHooks().RunDrag = nullptr;
  }

  TLoopbackBackend* loop_ = nullptr;
  TFormCatalog* window_ = nullptr;
};
}  // namespace

TEST_F(TCatalogWindowTest, QueryAndFiltersListThePlaces) {
  EXPECT_EQ(window_->List()->model()->rowCount(), 129);
  EXPECT_EQ(window_->CountLabel()->text(), QStringLiteral("129 sounds"));
  Query(QStringLiteral("\"p:tone1/Cutoff Frequency=99\""));
  ASSERT_EQ(window_->List()->model()->rowCount(), 1);
  EXPECT_EQ(NameAt(0), QStringLiteral("Glass Pad"));
  Query(QStringLiteral("lead -\"lead 1\""));
  EXPECT_EQ(window_->CountLabel()->text(), QStringLiteral("88 sounds"));
  // A query that does not parse leaves the list and says why.
  Query(QStringLiteral("kind:sound"));
  EXPECT_EQ(window_->CountLabel()->text(),
            QStringLiteral("position 6: unknown kind \"sound\": patch, performance, rhythm or "
                           "system"));
  EXPECT_EQ(window_->List()->model()->rowCount(), 88);
  // The filters add their terms to the query.
  Query(QString());
  window_->FavouriteFilter()->click();
  EXPECT_EQ(window_->List()->model()->rowCount(), 0);
}

TEST_F(TCatalogWindowTest, SelectingAPatchAuditionsIt) {
  Query(QStringLiteral("glass"));
  ASSERT_EQ(window_->List()->model()->rowCount(), 1);
  QTest::mouseClick(window_->List()->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(0));
  ASSERT_NE(window_->Auditioned(), nullptr);
  EXPECT_EQ(window_->Auditioned()->GetName(), QStringLiteral("Glass Pad"));
  // The preview note once the patch has arrived, for the note's length.
  EXPECT_TRUE(QTest::qWaitFor([&] {
    for (const TBytes& message : loop_->Sent())
      if (message == TBytes{0x90, 40, 70}) return true;
    return false;
  }, 1000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return loop_->Sent().back() == TBytes{0x80, 40, 0}; }, 1000));
}

TEST_F(TCatalogWindowTest, TheAuditionSendsThePatchToTheTemporaryArea) {
  Query(QStringLiteral("glass"));
  window_->PreviewBox()->setChecked(false);
  QTest::mouseClick(window_->List()->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(0));
  QTest::qWait(50);
  // The common block of the temporary patch (03 00 00 00) carries the name; no note without the
  // preview.
  bool common = false;
  for (const TBytes& message : loop_->Sent()) {
    EXPECT_NE(message.front(), 0x90);
    // F0 41 device 6A 12, the address, the data.
    if (message.size() > 20 && message[0] == 0xF0 && message[5] == 0x03 && message[6] == 0 &&
        message[7] == 0 && message[8] == 0)
      common = QByteArray(reinterpret_cast<const char*>(&message[9]), 9) == "Glass Pad";
  }
  EXPECT_TRUE(common);
}

TEST_F(TCatalogWindowTest, DoubleClickOpensTheSoundsFile) {
  Query(QStringLiteral("\"lead 128\""));
  ASSERT_EQ(window_->List()->model()->rowCount(), 1);
  const int before = static_cast<int>(main_->MdiArea()->subWindowList().size());
  // The first press of a double click, then the second as the double click.
  QTest::mouseClick(window_->List()->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(0));
  QTest::mouseDClick(window_->List()->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(0));
  EXPECT_EQ(static_cast<int>(main_->MdiArea()->subWindowList().size()), before + 1);
  auto* library = qobject_cast<TFormLibrary*>(main_->MdiArea()->activeSubWindow()
                                                  ? main_->MdiArea()->activeSubWindow()->widget()
                                                  : nullptr);
  ASSERT_NE(library, nullptr);
  ASSERT_EQ(library->Library()->Count(), 1);
  EXPECT_EQ(library->Library()->Element(0).Kind, ekPatchBank);
}

TEST_F(TCatalogWindowTest, RowsDragIntoALibraryWindow) {
  TFormLibrary& target = Open({ekPerformance}, QStringLiteral("Target.Lib"));
  Query(QStringLiteral("glass"));
  DragRowTo(0, target.Grid()->viewport(), QPoint(40, 40));
  ASSERT_EQ(target.Library()->Count(), 2);
  EXPECT_EQ(target.Library()->Element(1).GetName(), QStringLiteral("Glass Pad"));
  EXPECT_EQ(static_cast<TPatch&>(target.Library()->Element(1)).Tones[0].GetByte(81), 99);
  EXPECT_FALSE(target.Library()->Saved);
}

TEST_F(TCatalogWindowTest, MarksSetFromTheListFollowTheSound) {
  Query(QStringLiteral("glass"));
  window_->List()->selectAll();
  window_->SetTag(QStringLiteral("airy"), true);
  window_->SetFavourite(true);
  window_->SetCategory(QStringLiteral("Keys"), true);
  Query(QStringLiteral("tag:airy fav cat:keys"));
  EXPECT_EQ(window_->List()->model()->rowCount(), 1);
  // In the catalog file, for the command line and the next opening too.
  const TCatalogIndex index = TCatalog(TCatalog::DefaultPath()).LoadIndex();
  int marked = 0;
  for (const TIndexedSound& sound : index.Sounds)
    marked += sound.Favourite && sound.Tags == QStringList{QStringLiteral("airy")};
  EXPECT_EQ(marked, 1);
  window_->List()->selectAll();
  window_->SetHidden(true);
  Query(QStringLiteral("glass"));
  EXPECT_EQ(window_->List()->model()->rowCount(), 0);
}

TEST_F(TCatalogWindowTest, RowsDragOntoABankWindowsRowOfTheirKind) {
  RegisterBankWindows();
  auto library = std::make_unique<TLibrary>();
  library->NewElement(ekPatchBank);
  TFormLibrary& holder = OpenLibrary(std::move(library));
  TLibElem& bank = holder.Library()->Element(0);
  bank.OpenEditor();
  auto* window = qobject_cast<TFormBankBase*>(qobject_cast<QWidget*>(bank.Editor));
  ASSERT_NE(window, nullptr);
  ASSERT_NE(window->Bank()->Member(2).GetName(), QStringLiteral("Glass Pad"));
  Query(QStringLiteral("glass"));
  // The third row of the bank's list, its member 3, takes the patch.
  DragRowTo(0, window->Grid()->viewport(), QPoint(30, 2 * TRowGrid::kRowHeight + 9));
  EXPECT_EQ(window->Bank()->Member(2).GetName(), QStringLiteral("Glass Pad"));
  EXPECT_EQ(static_cast<TPatch&>(window->Bank()->Member(2)).Tones[0].GetByte(81), 99);
  EXPECT_NE(window->Bank()->Member(1).GetName(), QStringLiteral("Glass Pad"));
}
