// Start-up: the time from the program's start to its main window on screen, once cold (with
// the application object and the first window of the process) and then repeated warm.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.
#include <chrono>
#include <cstdio>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "librarian/formlibrary.h"
#include "app/formvesta.h"
#include "app/vesta.h"
#include "midi/scriptedui.h"

namespace {
using TClock = std::chrono::steady_clock;

double ShowMainWindow(const QString& settings) {
  const auto start = TClock::now();
  TVesta vesta(settings);
  TFormvesta form(vesta);
  form.showMaximized();
  if (!QTest::qWaitForWindowExposed(&form)) return -1;
  return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

void BM_MainWindowShown(benchmark::State& state) {
  QTemporaryDir dir;
  TScopedScriptedUI ui;
  for (auto _ : state) {
    const double ms = ShowMainWindow(dir.filePath("VESTA95.INI"));
    state.SetIterationTime(ms / 1000.0);
  }
}
BENCHMARK(BM_MainWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  const auto processStart = TClock::now();
  QApplication app(argc, argv);
  RegisterLibraryWindow();
  {
    QTemporaryDir dir;
    TScopedScriptedUI ui;
    const double window = ShowMainWindow(dir.filePath("VESTA95.INI"));
    const double total =
        std::chrono::duration<double, std::milli>(TClock::now() - processStart).count();
    std::printf("cold start: %.1f ms to the main window shown (%.1f ms of it the window)\n", total,
                window);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
