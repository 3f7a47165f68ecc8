// The catalog window in the main window, driven with real events: the query box and filters, the
// marks set from the list, a selected patch auditioned, a double click opening the sound's file,
// and rows dragged into a library window and onto a bank window.
#include <QAbstractItemModel>
#include <QDrag>
#include <QTreeView>

#include "catalog/catalog.h"
#include "catalogui/formcatalog.h"
#include "mainwindow_fixture.h"
#include "model/patch.h"

namespace {

class TCatalogWindowTest : public TMainWindowTest {
 protected:
  void SetUp() override {
    TMainWindowTest::SetUp();
    StartWithPorts();
    // A folder with a patch of its own and a bank of leads, in a catalog of the test's own.
    QDir(dir_.path()).mkpath(QStringLiteral("sounds"));
    TPatch pad(nullptr);
    pad.SetName(QStringLiteral("Glass Pad"), false);
    pad.Tones[0].StoreByte(81, 99);
    WriteFile(dir_.filePath(QStringLiteral("sounds/pad.syx")), pad.SysexBytes(false));
    TPatchBank bank(nullptr);
    for (int i = 0; i < bank.Count(); ++i)
      bank.Patch(i).SetName(QStringLiteral("Lead %1").arg(i + 1), false);
    WriteFile(dir_.filePath(QStringLiteral("sounds/leads.syx")), bank.SysexBytes(false));
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
    TMainWindowTest::TearDown();
    qunsetenv("VESTA_CATALOG");
  }
  int Query(const QString& text) {
    window_->QueryBox()->clear();
    QTest::keyClicks(window_->QueryBox(), text);
    QTest::keyClick(window_->QueryBox(), Qt::Key_Return);
    return window_->List()->model()->rowCount();
  }
  QPoint RowPoint(int row) const {
    QTreeView* list = window_->List();
    return list->visualRect(list->model()->index(row, 0)).center();
  }
  void ClickRow(int row) {
    QTest::mouseClick(window_->List()->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(row));
  }
  // Drags a row with the mouse onto a point of another window's widget, which gets the events.
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
    ClickRow(row);  // a drag starts from a row that is selected already
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, RowPoint(row));
    QTest::mouseMove(viewport, RowPoint(row) + QPoint(2, 2));
    QTest::mouseMove(viewport, RowPoint(row) + QPoint(30, 30));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, RowPoint(row) + QPoint(30, 30));
    CatalogWindowHooks().RunDrag = nullptr;
  }

  TFormCatalog* window_ = nullptr;
};

TEST_F(TCatalogWindowTest, QueriesFiltersAndMarksListThePlaces) {
  ASSERT_EQ(Query(QStringLiteral("\"p:tone1/Cutoff Frequency=99\"")), 1);
  EXPECT_EQ(window_->List()->model()->index(0, 0).data().toString(), QStringLiteral("Glass Pad"));
  // A query that does not parse leaves the list and says why.
  EXPECT_EQ(Query(QStringLiteral("kind:sound")), 1);
  EXPECT_EQ(window_->CountLabel()->text(),
            QStringLiteral("position 6: unknown kind \"sound\": patch, performance, rhythm or "
                           "system"));
  // The filters add their terms to the query.
  Query(QString());
  window_->FavouriteFilter()->click();
  EXPECT_EQ(window_->List()->model()->rowCount(), 0);
  window_->FavouriteFilter()->click();

  // Marks set from the list follow the sound, in the catalog file too.
  Query(QStringLiteral("glass"));
  window_->List()->selectAll();
  window_->SetTag(QStringLiteral("airy"), true);
  window_->SetFavourite(true);
  window_->SetCategory(QStringLiteral("Keys"), true);
  EXPECT_EQ(Query(QStringLiteral("tag:airy fav cat:keys")), 1);
  window_->List()->selectAll();
  window_->SetHidden(true);
  EXPECT_EQ(Query(QStringLiteral("glass")), 0);
}

TEST_F(TCatalogWindowTest, ASelectedPatchGoesToTheTemporaryAreaAndSoundsWithThePreview) {
  // Without the preview: the temporary patch's common block (03 00 00 00) carries the name.
  ASSERT_EQ(Query(QStringLiteral("glass")), 1);
  window_->PreviewBox()->setChecked(false);
  ClickRow(0);
  ASSERT_NE(window_->Auditioned(), nullptr);
  EXPECT_EQ(window_->Auditioned()->GetName(), QStringLiteral("Glass Pad"));
  QTest::qWait(50);
  bool common = false;
  for (const TBytes& message : loop_->Sent()) {
    EXPECT_NE(message.front(), 0x90);
    if (message.size() > 20 && message[0] == 0xF0 && message[5] == 0x03 && message[6] == 0 &&
        message[7] == 0 && message[8] == 0)
      common = QByteArray(reinterpret_cast<const char*>(&message[9]), 9) == "Glass Pad";
  }
  EXPECT_TRUE(common);
  // With it, the preview note once the patch has arrived, for the note's length.
  window_->PreviewBox()->setChecked(true);
  ASSERT_GT(Query(QStringLiteral("lead")), 0);
  loop_->ClearSent();
  ClickRow(0);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        for (const TBytes& message : loop_->Sent())
          if (message == TBytes{0x90, 40, 70}) return true;
        return false;
      },
      1000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return loop_->Sent().back() == TBytes{0x80, 40, 0}; }, 1000));
}

TEST_F(TCatalogWindowTest, ADoubleClickOpensTheFileAndRowsDragIntoLibrariesAndBanks) {
  ASSERT_EQ(Query(QStringLiteral("\"lead 128\"")), 1);
  const auto before = main_->MdiArea()->subWindowList().size();
  ClickRow(0);
  QTest::mouseDClick(window_->List()->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(0));
  EXPECT_EQ(main_->MdiArea()->subWindowList().size(), before + 1);
  auto* opened = qobject_cast<TFormLibrary*>(main_->MdiArea()->activeSubWindow()->widget());
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->Library()->Element(0).Kind, ekPatchBank);

  RegisterBankWindows(*main_);
  TFormLibrary& target = Open({ekPerformance, ekPatchBank}, QStringLiteral("Target.Lib"));
  ASSERT_EQ(Query(QStringLiteral("glass")), 1);
  DragRowTo(0, target.Grid()->viewport(), QPoint(40, 40));
  ASSERT_EQ(target.Library()->Count(), 3);
  auto& dropped = static_cast<TPatch&>(target.Library()->Element(2));
  EXPECT_EQ(std::tuple(dropped.GetName(), dropped.Tones[0].GetByte(81)),
            std::tuple(QStringLiteral("Glass Pad"), 99));
  // The third row of a bank's list, its member 3, takes the patch.
  TLibElem& bank = target.Library()->Element(1);
  bank.OpenEditor();
  auto* window = qobject_cast<TFormBankBase*>(qobject_cast<QWidget*>(bank.Editor));
  ASSERT_NE(window, nullptr);
  DragRowTo(0, window->Grid()->viewport(), QPoint(30, 2 * TRowGrid::kRowHeight + 9));
  auto& member = static_cast<TPatch&>(window->Bank()->Member(2));
  EXPECT_EQ(std::tuple(member.GetName(), window->Bank()->Member(1).GetName()),
            std::tuple(QStringLiteral("Glass Pad"), QString()));
}

}  // namespace
