#pragma once
// The program's main window offscreen with a library of patches in it, the patch editor
// registered, and a loopback port that records every message sent. Pacing and the controls'
// timers are shortened. It includes what the editor tests drive: the widgets and controls.
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "app/formvesta.h"
#include "app/vesta.h"
#include "controls/clickedit.h"
#include "controls/controltiming.h"
#include "controls/fadegraph.h"
#include "controls/myedit.h"
#include "controls/myrotary.h"
#include "controls/pangraph.h"
#include "controls/panslider.h"
#include "controls/slider.h"
#include "editors/common/parambinding.h"
#include "editors/common/partkind.h"
#include "editors/params/params.h"
#include "editors/patch/formcommon.h"
#include "editors/patch/formcontrol.h"
#include "editors/patch/formlfo.h"
#include "editors/patch/formpatch.h"
#include "editors/patch/formpitch.h"
#include "editors/patch/formtva.h"
#include "editors/patch/formtvf.h"
#include "editors/patch/formwave.h"
#include "librarian/formlibrary.h"
#include "midi/config.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/pacedsender.h"
#include "midi/scriptedui.h"
#include "midi/sysex.h"
#include "midi/timing.h"
#include "model/library.h"
#include "model/patch.h"
#include "tests/editors/testpage.h"
#include "tests/instrument/sysexhelpers.h"

class TEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Timing() = TTiming::Scaled(0.02);
    TControlTiming::WheelRestMs = 30;
    auto backend = std::make_unique<TLoopbackBackend>();
    loop_ = backend.get();
    TMidiDevices::Instance().Clear();
    TMidiDevices::Instance().Add(std::move(backend));
    RegisterPatchEditor();
    CurrentPatch = nullptr;
    form_ = std::make_unique<TFormvesta>(vesta_);
    form_->resize(1200, 900);
    form_->show();
    form_->FinishStart();
    ASSERT_TRUE(MidiSession().MidiOpen());
    auto library = std::make_unique<TLibrary>();
    for (int i = 0; i < 3; ++i) library->NewElement(ekPatch);
    library_ = library.get();
    libraryWindow_ = qobject_cast<TFormLibrary*>(form_->AddLibraryWindow(std::move(library)));
    ASSERT_NE(libraryWindow_, nullptr);
    loop_->ClearSent();
  }
  void TearDown() override {
    form_.reset();
    Flush();
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming();
    TControlTiming::WheelRestMs = 300;
    CurrentPatch = nullptr;
  }

  static void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  TPatch& Patch(int i) { return static_cast<TPatch&>(library_->Element(i)); }
  // The patch window of a patch, opened as a double click in the library does.
  TFormPatch& OpenPatch(TPatch& patch) {
    patch.OpenEditor();
    auto* window = qobject_cast<TFormPatch*>(patch.Editor);
    EXPECT_NE(window, nullptr);
    return *window;
  }
  // The common page, opened by a double click on the Common button.
  TFormCommon& OpenCommon(TFormPatch& window) {
    QTest::mouseDClick(window.Part(QStringLiteral("Common")), Qt::LeftButton);
    auto* page = qobject_cast<TFormCommon*>(window.Patch().Common.Pages[TCommon::pgCommon].Window);
    EXPECT_NE(page, nullptr);
    return *page;
  }
  // A page of patch 0's tone (1 to 4), with the messages of its opening taken.
  template <class TPage, class... TArgs>
  TPage& OpenTonePage(TTone::TPage kind, int tone, TArgs... args) {
    TTone& block = Patch(0).Tones[static_cast<std::size_t>(tone - 1)];
    TPage* page = TPageWindow::OpenPage<TPage>(block.Pages[kind], Patch(0), tone, args...);
    EXPECT_NE(page, nullptr);
    Taken();
    return *page;
  }
  std::vector<TBytes> Taken() { return ::Taken(*loop_); }
  // A data set as this program sends it (its configured device).
  static TBytes Set(std::uint32_t address, const TBytes& data) {
    return DataSet(address, data, DeviceIdByte());
  }
  // Runs the event loop for ms milliseconds.
  static void Idle(int ms) { QTest::qWait(ms); }

  QTemporaryDir dir_;
  TScopedScriptedUI ui_;
  TVesta vesta_{dir_.filePath(QStringLiteral("VESTA95.INI"))};
  TLoopbackBackend* loop_ = nullptr;
  std::unique_ptr<TFormvesta> form_;
  TLibrary* library_ = nullptr;
  TFormLibrary* libraryWindow_ = nullptr;
};
