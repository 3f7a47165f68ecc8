// The program over a private JACK server with vesta-instrument: one edit's road from the main
// window's library to the TVF page of tone 2, whose "Cutoff Frequency" slider is dragged, and on
// to the instrument, whose memory a request then reads.
#include <chrono>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

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
#include "midi/scriptedui.h"
#include "midi/sysex.h"
#include "midi/timing.h"
#include "model/library.h"
#include "model/patch.h"
#include "tests/integration/jackserver.h"

namespace {

constexpr std::uint32_t kTemporaryPatch = 0x03000000;
constexpr int kCutoff = 81;  // tone byte 81 = 51H
const std::string kInstrumentName = "VestaE2E";

using TBytes = std::vector<std::uint8_t>;

class InstrumentEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server_.Start(&error)) << error;
    ASSERT_TRUE(StartInstrument(instrument_, kInstrumentName, {}, &error)) << error;
    TMidiDevices::Instance().Clear();
    RegisterSystemBackends();
    const int in = IndexOfJackPort(TMidiDevices::Instance().InputNames(), kInstrumentName);
    const int out = IndexOfJackPort(TMidiDevices::Instance().OutputNames(), kInstrumentName);
    ASSERT_TRUE(in >= 0 && out >= 0)
        << TMidiDevices::Instance().InputNames().join(", ").toStdString();
    // The program finds the instrument where a user would have set it up: in its settings.
    TIniFile ini(settings_);
    ini.WriteInteger(QStringLiteral("Midi"), QStringLiteral("DeviceID"), 17);  // byte 10H
    ini.WriteInteger(QStringLiteral("MidiPort"), QStringLiteral("In"), in);
    ini.WriteInteger(QStringLiteral("MidiPort"), QStringLiteral("Out"), out);
    ASSERT_TRUE(ini.Save().isEmpty());
    Timing() = TTiming::Scaled(0.02);
    CurrentPatch = nullptr;
    RegisterPatchEditor();
    form_ = std::make_unique<TFormvesta>(vesta_);
    form_->resize(1200, 900);
    form_->show();
    form_->FinishStart();
    ASSERT_TRUE(MidiSession().MidiOpen()) << ui_.LastText().toStdString();
    ASSERT_EQ(Config().MidiIn, in);
    ASSERT_EQ(Config().MidiOut, out);
    // A new JACK connection goes live a process cycle or more late: wait for an answer first.
    Listen();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    bool connected = false;
    while (!connected && std::chrono::steady_clock::now() < deadline) {
      SendDataRequest(kTemporaryPatch, 0, 0, 1);
      connected = !WaitForReplies(1, 200).empty();
    }
    ASSERT_TRUE(connected) << instrument_.Output();
    WaitForReplies(1000, 100);  // answers to earlier probes still on their way
    MidiSession().InstallDefaultInput();
  }
  void TearDown() override {
    form_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming{};
    Config() = TConfig{};
    CurrentPatch = nullptr;
  }

  // The replies to this test's own requests, until the program's handler comes back.
  void Listen() {
    received_.clear();
    MidiSession().Input()->OnMidiInput = [this](TMidiInput* input) {
      while (auto event = input->NextEvent()) received_.push_back(*event);
    };
  }
  // Runs the event loop until count events have arrived or timeoutMs has passed.
  const std::vector<TMyMidiEvent>& WaitForReplies(std::size_t count, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (received_.size() < count && std::chrono::steady_clock::now() < deadline)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return received_;
  }
  static TBytes Bytes(const TMyMidiEvent& event, int from, int to) {
    return TBytes(event.Sysex.begin() + from, event.Sysex.begin() + to);
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

TEST_F(InstrumentEndToEnd, ACutoffDraggedOnTheTvfPageReachesTheInstrumentsMemory) {
  auto owned = std::make_unique<TLibrary>();
  auto& patch = static_cast<TPatch&>(owned->NewElement(ekPatch));
  TTone& tone = patch.Tones[1];
  // Tone 2 of this patch differs from the instrument's: only the whole patch, sent when the page
  // becomes active, brings these bytes there.
  tone.StoreByte(kCutoff, 40);
  tone.StoreByte(83, 77);   // "Resonance"
  tone.StoreByte(101, 99);  // "Level"
  ASSERT_NE(form_->AddLibraryWindow(std::move(owned)), nullptr);
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

  // The thumb dragged 25 pixels right with the left button, as a hand would.
  const QPoint from = slider->ThumbRect().center();
  const QPoint to = from + QPoint(25, 0);
  QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, from);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), slider->mapToGlobal(QPointF(to)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(slider, &move);
  QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, to);
  const int moved = cutoff->Value();
  ASSERT_GT(moved, 40);
  EXPECT_EQ(tone.GetByte(kCutoff), moved);

  // The data request for tone 2 (129 bytes) goes out on the same port after the edit.
  Listen();
  SendDataRequest(kTemporaryPatch, 0x1200, 0, 0x0101);
  ASSERT_EQ(WaitForReplies(1, 3000).size(), 1u) << instrument_.Output();
  MidiSession().InstallDefaultInput();
  const TMyMidiEvent& reply = received_[0];
  ASSERT_TRUE(ReplyValid(reply));
  ASSERT_EQ(reply.SysexLength(), 11 + 129);
  EXPECT_EQ(Bytes(reply, 0, 9), (TBytes{0xF0, 0x41, 0x10, 0x6A, kCmdDT1, 0x03, 0x00, 0x12, 0x00}));
  const TBytes memory = Bytes(reply, 9, reply.SysexLength() - 2);
  EXPECT_EQ(memory, TBytes(tone.Data(), tone.Data() + tone.Size()));
}

}  // namespace
