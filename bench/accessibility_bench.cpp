// Opening an editor page while assistive technology listens, goal 30 ms: the common page and
// the TVF page of a patch, inside an MDI area as in the program, with their controls' accessible
// interfaces made and every event the page raises delivered. Run it on a display with the
// accessibility bus (QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1, at-spi-bus-launcher
// in the D-Bus session) to time Qt's AT-SPI bridge itself; without one, an in-process reader
// stands in for it and reads the name, role and value of everything an event names.
#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMdiArea>

#include "editors/common/pagewindow.h"
#include "editors/common/partkind.h"
#include "editors/patch/effectspage.h"
#include "editors/patch/formcommon.h"
#include "editors/patch/formpatch.h"
#include "midi/scriptedui.h"
#include "model/library.h"

namespace {
bool bridge = false;

void Reader(QAccessibleEvent* event) {
  if (QAccessibleInterface* accessible = event->accessibleInterface()) {
    benchmark::DoNotOptimize(accessible->text(QAccessible::Name));
    benchmark::DoNotOptimize(accessible->text(QAccessible::Value));
    benchmark::DoNotOptimize(accessible->role());
  }
}

struct TFrame {
  TFrame() {
    window.resize(1600, 1200);
    window.setCentralWidget(area);
    window.show();
    ChildFrame().SetArea(area);
    RegisterPatchEditor();
    patch = static_cast<TPatch*>(&library.NewElement(ekPatch));
    patch->OpenEditor();
    QCoreApplication::processEvents();
  }
  ~TFrame() { ChildFrame().SetArea(nullptr); }
  static void Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  TScopedScriptedUI ui;
  QMainWindow window;
  QMdiArea* area = new QMdiArea(&window);
  TLibrary library;
  TPatch* patch = nullptr;
};

void BM_OpenPageAccessible(benchmark::State& state) {
  const bool tvf = state.range(0) == 1;
  state.SetLabel(std::string(tvf ? "TVF" : "Common") +
                 (bridge ? ", AT-SPI bridge" : ", in-process reader"));
  TFrame frame;
  for (auto _ : state) {
    if (tvf)
      PatchPageOpener(pkTVF)(*frame.patch, 1);
    else
      OpenCommonPage(*frame.patch);
    QObject* page = tvf ? frame.patch->Tones[0].Pages[TTone::pgTVF].Window
                        : frame.patch->Common.Pages[TCommon::pgCommon].Window;
    // Every control's interface, as a reader walking the new window makes them.
    if (auto* window = qobject_cast<QWidget*>(page))
      for (QWidget* control : window->findChildren<QWidget*>()) {
        QAccessibleEvent event(control, QAccessible::NameChanged);
        Reader(&event);
      }
    QCoreApplication::processEvents();
    state.PauseTiming();
    if (auto* view = qobject_cast<TPageWindow*>(page)) {
      view->CloseView();
    } else {
      state.SkipWithError("the page did not open");
      break;
    }
    TFrame::Flush();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenPageAccessible)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The bridge switches itself on once the bus has answered.
  QElapsedTimer waited;
  waited.start();
  while (!QAccessible::isActive() && qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON") &&
         waited.elapsed() < 3000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  bridge = QAccessible::isActive();
  if (!bridge) {
    QAccessible::setActive(true);
    QAccessible::installUpdateHandler(Reader);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
