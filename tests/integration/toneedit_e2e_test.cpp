// The road of one edit over JACK: the program's main window, offscreen, opened on its settings
// with vesta-instrument's ports; a patch of a library opened in its window, the TVF page of tone
// 2 opened from its button, and its "Cutoff Frequency" slider dragged with the mouse. The
// instrument's temporary memory, read back by a data request, then holds the patch's tone 2
// with the new cutoff at 03 00 12 51.
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/formlibrary.h"
#include "app/formvesta.h"
#include "app/inifile.h"
#include "app/vesta.h"
#include "controls/panslider.h"
#include "controls/slider.h"
#include "editors/common/parambinding.h"
#include "editors/patch/formpatch.h"
#include "editors/patch/formtvf.h"
#include "midi/config.h"
#include "midi/midisession.h"
#include "midi/rtmidibackend.h"
#include "midi/scriptedui.h"
#include "midi/sysex.h"
#include "midi/timing.h"
#include "model/library.h"
#include "model/patch.h"
#include "tests/integration/childprocess.h"
#include "tests/integration/jackserver.h"

namespace {

constexpr std::uint32_t kTemporaryPatch = 0x03000000;
constexpr std::uint16_t kTone2 = 0x1200;
constexpr int kCutoff = 81;                  // tone byte 81 = 51H
constexpr std::uint32_t kToneSize = 0x0101;  // 129 bytes, as the size bytes 00 00 01 01
const std::string kInstrumentName = "VestaToneEdit";

using TBytes = std::vector<std::uint8_t>;

class ToneEditEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server_.Start(&error)) << error;
    ASSERT_TRUE(StartInstrument(instrument_, kInstrumentName, {}, &error)) << error;

    TMidiDevices::Instance().Clear();
    RegisterSystemBackends();
    const int in = IndexOfJackPort(TMidiDevices::Instance().InputNames(), kInstrumentName);
    const int out = IndexOfJackPort(TMidiDevices::Instance().OutputNames(), kInstrumentName);
    ASSERT_GE(in, 0) << TMidiDevices::Instance().InputNames().join(", ").toStdString();
    ASSERT_GE(out, 0);
    // The program finds the instrument where a user would have set it up: in its settings.
    {
      TIniFile ini(settings_);
      ini.WriteInteger(QStringLiteral("Midi"), QStringLiteral("DeviceID"), 17);  // byte 10H
      ini.WriteInteger(QStringLiteral("MidiPort"), QStringLiteral("In"), in);
      ini.WriteInteger(QStringLiteral("MidiPort"), QStringLiteral("Out"), out);
      ASSERT_TRUE(ini.Save().isEmpty());
    }
    Timing() = TTiming::Scaled(0.02);
    CurrentPatch = nullptr;
    RegisterLibraryWindow();
    RegisterPatchEditor();
    form_ = std::make_unique<TFormvesta>(vesta_);
    form_->resize(1200, 900);
    form_->show();
    form_->FinishStart();
    ASSERT_TRUE(MidiSession().MidiOpen()) << ui_.LastText().toStdString();
    ASSERT_EQ(Config().MidiIn, in);
    ASSERT_EQ(Config().MidiOut, out);
    // A new JACK connection goes live a process cycle or more after it is made: the test begins
    // once a request has been answered both ways.
    ASSERT_TRUE(WaitUntilConnected(10000)) << instrument_.Output();
  }

  void TearDown() override {
    form_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming{};
    Config() = TConfig{};
    CurrentPatch = nullptr;
    instrument_.Stop();
    server_.Stop();
  }

  // The replies to this test's own requests; the program's handler comes back with Release.
  void Listen() {
    received_.clear();
    MidiSession().Input()->OnMidiInput = [this](TMidiInput* input) {
      while (auto event = input->NextEvent()) received_.push_back(*event);
    };
  }
  static void Release() { MidiSession().InstallDefaultInput(); }

  bool WaitUntilConnected(int timeoutMs) {
    Listen();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool connected = false;
    while (!connected && std::chrono::steady_clock::now() < deadline) {
      SendDataRequest(kTemporaryPatch, 0, 0, 1);
      connected = !WaitForReplies(1, 200).empty();
    }
    if (connected) WaitForReplies(1000, 100);  // answers to earlier probes still on their way
    Release();
    return connected;
  }

  const std::vector<TMyMidiEvent>& WaitForReplies(std::size_t count, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (received_.size() < count && std::chrono::steady_clock::now() < deadline)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return received_;
  }

  // Drags the slider's thumb by dx pixels with the left button, as a hand would.
  static void Drag(TSlider& slider, int dx) {
    const QPoint from = slider.ThumbRect().center();
    const QPoint to = from + QPoint(dx, 0);
    QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), slider.mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&slider, &move);
    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, to);
  }

  TJackServer server_;
  TChildProcess instrument_;
  QTemporaryDir dir_;
  QString settings_ = dir_.filePath(QStringLiteral("VESTA95.INI"));
  TScopedScriptedUI ui_;
  TVesta vesta_{settings_};
  std::unique_ptr<TFormvesta> form_;
  std::vector<TMyMidiEvent> received_;
};

TEST_F(ToneEditEndToEnd, CutoffOfToneTwoDraggedOnTheTvfPageReachesTheInstrumentsTemporaryMemory) {
  auto owned = std::make_unique<TLibrary>();
  owned->NewElement(ekPatch);
  TLibrary& library = *owned;
  auto& patch = static_cast<TPatch&>(library.Element(0));
  TTone& tone = patch.Tones[1];
  // Tone 2 of this patch differs from the instrument's: only the whole patch, sent when the page
  // becomes active, brings these bytes there.
  tone.StoreByte(kCutoff, 40);
  tone.StoreByte(83, 77);   // "Resonance"
  tone.StoreByte(101, 99);  // "Level"
  ASSERT_NE(form_->AddLibraryWindow(std::move(owned)), nullptr);
  library.Saved = true;
  patch.ModifiedDate = patch.ModifiedTime = 0;

  patch.OpenEditor();  // as a double click on the patch in its library
  auto* window = qobject_cast<TFormPatch*>(patch.Editor);
  ASSERT_NE(window, nullptr);
  QTest::mouseDClick(window->Part(QStringLiteral("Tvf2")), Qt::LeftButton);
  auto* page = qobject_cast<TFormTVF*>(tone.Pages[TTone::pgTVF].Window);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(CurrentPatch, &patch);
  auto* cutoff = qobject_cast<TPanSlider*>(page->Binding(kCutoff)->Widget());
  ASSERT_NE(cutoff, nullptr);
  auto* slider = cutoff->findChild<TSlider*>();
  ASSERT_NE(slider, nullptr);
  ASSERT_EQ(cutoff->Value(), 40);
  ASSERT_TRUE(library.Saved);

  Drag(*slider, 25);
  const int moved = cutoff->Value();
  ASSERT_GT(moved, 40);
  EXPECT_EQ(tone.GetByte(kCutoff), moved);
  EXPECT_FALSE(library.Saved);
  EXPECT_GT(patch.ModifiedDate + patch.ModifiedTime, 0);
  EXPECT_TRUE(page->CanUndo());

  // The data request goes out on the same port after the edit, so its answer shows it.
  Listen();
  SendDataRequest(kTemporaryPatch, kTone2, 0, kToneSize);
  const auto& replies = WaitForReplies(1, 3000);
  Release();
  ASSERT_EQ(replies.size(), 1u) << instrument_.Output();
  const TMyMidiEvent& reply = replies[0];
  ASSERT_TRUE(ReplyValid(reply));
  ASSERT_EQ(reply.SysexLength(), 11 + 129);
  EXPECT_EQ(TBytes(reply.Sysex.begin() + 5, reply.Sysex.begin() + 9),
            (TBytes{0x03, 0x00, 0x12, 0x00}));
  const TBytes memory(reply.Sysex.begin() + 9, reply.Sysex.end() - 2);
  EXPECT_EQ(memory[0x51], moved);
  EXPECT_EQ(memory[83], 77);
  EXPECT_EQ(memory[101], 99);
  TBytes edited(129);
  for (int i = 0; i < 129; ++i) edited[static_cast<std::size_t>(i)] = tone.GetByte(i);
  EXPECT_EQ(memory, edited);
}

}  // namespace
