// The sound tools in the frame: Gadgets, Keyboard and its tool button, Settings, Preview, the
// library window's "Patch Bank Random" and "Patch Morphing", and an audition that stops the
// note it started.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "app/formlibrary.h"
#include "app/formvesta.h"
#include "app/inifile.h"
#include "tools/preview.h"
#include "app/vesta.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/timing.h"
#include "model/library.h"
#include "model/transfer.h"
#include "tools/formkeyboard.h"
#include "tools/formmorph.h"
#include "tools/formpreviewsetup.h"
#include "tools/formrandom.h"

namespace {
using TSentBytes = std::vector<std::vector<std::uint8_t>>;

class FrameTools : public ::testing::Test {
 protected:
  void SetUp() override {
    Timing() = TTiming::Scaled(0.02);
    auto backend = std::make_unique<TLoopbackBackend>();
    loop_ = backend.get();
    TMidiDevices::Instance().Clear();
    TMidiDevices::Instance().Add(std::move(backend));
    RegisterLibraryWindow();
    PreviewChannel = 1;
    form_ = std::make_unique<TFormvesta>(vesta_);
    form_->resize(1000, 700);
    form_->show();
    form_->FinishStart();
    loop_->ClearSent();
  }
  void TearDown() override {
    if (AuditionCursorShown()) StopPreview();
    form_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    PreviewNoteHook() = nullptr;
    Timing() = TTiming{};
  }
  // Runs check on the modal dialog of class T once it shows, then closes it.
  template <class T>
  void WhenShown(std::function<void(T&)> check) {
    QTimer::singleShot(0, [check] {
      auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
      if (!dialog) return;
      check(*dialog);
      dialog->reject();
    });
  }
  TFormLibrary& NewLibrary(std::initializer_list<int> kinds) {
    form_->FileNewItemClick();
    auto* window = qobject_cast<TFormLibrary*>(form_->ActiveChild());
    for (int kind : kinds) window->Library()->NewElement(kind).Selected = true;
    window->RefreshList();
    return *window;
  }

  QTemporaryDir dir_;
  TScopedScriptedUI ui_;
  TVesta vesta_{dir_.filePath("VESTA95.INI")};
  TLoopbackBackend* loop_ = nullptr;
  std::unique_ptr<TFormvesta> form_;
};
}  // namespace

TEST_F(FrameTools, KeyboardOpensOnceFromTheMenuOrItsButtonAndKeepsItsPlace) {
  QAction* item = form_->Action(QStringLiteral("GadgetsKeyboardItem"));
  EXPECT_EQ(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
  form_->findChild<QToolButton*>(QStringLiteral("SpeedKeyboard"))->click();
  auto* keyboard = qobject_cast<TFormKeyboard*>(form_->ActiveChild());
  ASSERT_NE(keyboard, nullptr);
  EXPECT_TRUE(vesta_.KeyboardOpen);
  EXPECT_FALSE(item->isEnabled());
  EXPECT_TRUE(form_->NonLibrary(keyboard));
  item->trigger();  // disabled: no second keyboard
  EXPECT_EQ(form_->Children().size(), 1);

  keyboard->parentWidget()->move(20, 30);
  keyboard->parentWidget()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(vesta_.KeyboardOpen);
  EXPECT_TRUE(item->isEnabled());
  TIniFile ini(vesta_.SettingsPath());
  EXPECT_EQ(ini.ReadInteger("Keyboard", "Left", -9), 20);
  EXPECT_EQ(ini.ReadInteger("Keyboard", "BaseOctave", -9), -1);
}

TEST_F(FrameTools, SettingsPreviewShowsTheSetupWithTheSettings) {
  QAction* item = form_->Action(QStringLiteral("SettingsPreviewItem"));
  EXPECT_TRUE(item->isEnabled());
  int note = -1;
  WhenShown<TFormPreviewSetup>([&note](TFormPreviewSetup& setup) {
    note = setup.findChild<QObject*>("Note")->property("Code").toInt();
  });
  item->trigger();
  EXPECT_EQ(note, 40);
}

TEST_F(FrameTools, LibraryButtonsOpenTheRandomAndMorphWindows) {
  TFormLibrary& bankWindow = NewLibrary({ekPatchBank});
  bool random = false;
  WhenShown<TFormRandom>([&random](TFormRandom& dialog) {
    random = dialog.Result() != nullptr && dialog.isVisible();
    dialog.CreateBankClick();
  });
  bankWindow.findChild<QAbstractButton*>(QStringLiteral("RandomBtn"))->click();
  EXPECT_TRUE(random);
  ASSERT_EQ(bankWindow.Library()->Count(), 2);
  EXPECT_EQ(bankWindow.Library()->Element(1).Name, QStringLiteral("RandomBank"));

  TFormLibrary& patchWindow = NewLibrary({ekPatch, ekPatch});
  bool morph = false;
  WhenShown<TFormMorph>([&morph](TFormMorph& dialog) {
    morph = dialog.Result() != nullptr;
    dialog.CreateBankClick();
  });
  patchWindow.findChild<QAbstractButton*>(QStringLiteral("speedMorph"))->click();
  EXPECT_TRUE(morph);
  ASSERT_EQ(patchWindow.Library()->Count(), 3);
  EXPECT_EQ(patchWindow.Library()->Element(2).Name, QStringLiteral("MorphBank"));
  EXPECT_FALSE(patchWindow.Library()->Saved);
}

TEST_F(FrameTools, TheAuditionStopsTheNoteItStartedAndPlaysTheMidiFileOnOpenPorts) {
  // The key of the window in front changes while the note sounds (another rhythm page).
  int key = 50;
  PreviewNoteHook() = [&key] { return key; };
  StartPreview();
  key = 62;
  StopPreview();
  EXPECT_EQ(loop_->Sent(), (TSentBytes{{0x90, 50, 70}, {0x80, 50, 0}}));

  // A file that is missing: the reason is shown, the ports stay open, the cursor comes back.
  loop_->ClearSent();
  vesta_.Config().SingleNote = false;
  vesta_.Config().MidiFile = dir_.filePath("Missing.Mid");
  StartPreview();
  EXPECT_TRUE(ui_.LastText().startsWith(dir_.filePath("Missing.Mid")));
  EXPECT_TRUE(MidiSession().MidiOpen());
  StopPreview();
  EXPECT_FALSE(AuditionCursorShown());
  EXPECT_TRUE(loop_->Sent().empty());
}
