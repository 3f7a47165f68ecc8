#pragma once
// A printer for tests: every print job's pages are recorded (texts with their places, lines,
// the page count) and stay with the test after the job has freed its output.
#include <memory>
#include <vector>

#include <QPaintEngine>
#include <QStringList>

#include "app/printing.h"

struct TPrinted {
  QString Text;
  QPointF At;
  int Page;
};

// A paint engine that remembers the texts and lines drawn, page by page.
class TRecordingEngine : public QPaintEngine {
 public:
  TRecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    Texts.push_back({item.text(), p, Page});
  }
  void drawLines(const QLineF* lines, int count) override {
    for (int i = 0; i < count; ++i) Lines.push_back(lines[i]);
  }
  void drawLines(const QLine* lines, int count) override {
    for (int i = 0; i < count; ++i) Lines.push_back(QLineF(lines[i]));
  }
  void drawRects(const QRect*, int) override {}
  void drawRects(const QRectF*, int) override {}
  Type type() const override { return QPaintEngine::User; }

  std::vector<TPrinted> Texts;
  std::vector<QLineF> Lines;
  int Page = 1;
};

// A page of 1000 x 1400 printer pixels at 120 dots per inch.
class TRecordingOutput : public TPrintOutput, public QPaintDevice {
 public:
  QPaintDevice& Device() override { return *this; }
  bool NewPage() override {
    ++engine_.Page;
    return !FailNewPage;
  }
  QPaintEngine* paintEngine() const override { return &engine_; }
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return 1000;
      case PdmHeight:
        return 1400;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 120;
      case PdmDepth:
        return 24;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return QPaintDevice::metric(metric);
    }
  }
  const TRecordingEngine& Engine() const { return engine_; }
  QStringList Texts() const {
    QStringList texts;
    for (const TPrinted& printed : engine_.Texts) texts << printed.Text;
    return texts;
  }
  bool FailNewPage = false;

 private:
  mutable TRecordingEngine engine_;
};

// Installs itself as the print output for its lifetime.
class TRecordingPrinter {
 public:
  TRecordingPrinter() {
    previous_ = SetPrintOutputFactory([this] {
      auto output = std::make_unique<TRecordingOutput>();
      output->FailNewPage = FailNewPage;
      last_ = output.get();
      outputs_.push_back(std::move(output));
      return std::unique_ptr<TPrintOutput>(new TForward(*last_));
    });
  }
  ~TRecordingPrinter() { SetPrintOutputFactory(previous_); }
  TRecordingPrinter(const TRecordingPrinter&) = delete;
  TRecordingPrinter& operator=(const TRecordingPrinter&) = delete;

  // The output of the last job, none before the first.
  TRecordingOutput* Last() const { return last_; }
  // Makes the next jobs' new pages fail.
  bool FailNewPage = false;

 private:
  // The jobs take their output and free it; the recording stays here.
  struct TForward : TPrintOutput {
    explicit TForward(TRecordingOutput& to) : to_(to) {}
    QPaintDevice& Device() override { return to_.Device(); }
    bool NewPage() override { return to_.NewPage(); }
    TRecordingOutput& to_;
  };

  TPrintOutputFactory previous_;
  std::vector<std::unique_ptr<TRecordingOutput>> outputs_;
  TRecordingOutput* last_ = nullptr;
};
