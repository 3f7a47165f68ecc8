#pragma once
// A printer for tests: the texts (with their places and pages) of every print job, kept after
// the job has freed its output.
#include <map>
#include <memory>
#include <vector>

#include <QPaintEngine>
#include <QStringList>

#include "librarian/printing.h"

struct TPrinted {
  QString Text;
  QPointF At;
  int Page;
};

struct TPrintedJob {
  std::vector<TPrinted> Printed;
  int Page = 1;
  QStringList Texts() const {
    QStringList texts;
    for (const TPrinted& printed : Printed) texts << printed.Text;
    return texts;
  }
};

// Pages of 1000 x 1400 printer pixels at 120 dots per inch, recorded into a job.
class TRecordingOutput : public TPrintOutput, public QPaintDevice, public QPaintEngine {
 public:
  TRecordingOutput(TPrintedJob& job, bool failBegin, bool failNewPage)
      : QPaintEngine(QPaintEngine::AllFeatures),
        job_(job),
        failBegin_(failBegin),
        failNewPage_(failNewPage) {}
  QPaintDevice& Device() override { return *this; }
  bool NewPage() override {
    ++job_.Page;
    return !failNewPage_;
  }
  QPaintEngine* paintEngine() const override { return const_cast<TRecordingOutput*>(this); }
  int metric(PaintDeviceMetric metric) const override {
    static const std::map<PaintDeviceMetric, int> metrics = {
        {PdmWidth, 1000},       {PdmHeight, 1400},      {PdmDpiX, 120}, {PdmDpiY, 120},
        {PdmPhysicalDpiX, 120}, {PdmPhysicalDpiY, 120}, {PdmDepth, 24}, {PdmDevicePixelRatio, 1}};
    if (metric == PdmDevicePixelRatioScaled) return static_cast<int>(devicePixelRatioFScale());
    const auto found = metrics.find(metric);
    return found != metrics.end() ? found->second : QPaintDevice::metric(metric);
  }
  bool begin(QPaintDevice*) override { return !failBegin_; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    job_.Printed.push_back({item.text(), p, job_.Page});
  }
  void drawLines(const QLineF*, int) override {}
  void drawLines(const QLine*, int) override {}
  void drawRects(const QRect*, int) override {}
  void drawRects(const QRectF*, int) override {}
  Type type() const override { return QPaintEngine::User; }

 private:
  TPrintedJob& job_;
  bool failBegin_;
  bool failNewPage_;
};

// Installs itself as the print output for its lifetime.
class TRecordingPrinter {
 public:
  TRecordingPrinter() {
    previous_ = SetPrintOutputFactory([this] {
      jobs_.push_back(std::make_unique<TPrintedJob>());
      return std::make_unique<TRecordingOutput>(*jobs_.back(), FailBegin, FailNewPage);
    });
  }
  ~TRecordingPrinter() { SetPrintOutputFactory(previous_); }
  TRecordingPrinter(const TRecordingPrinter&) = delete;
  TRecordingPrinter& operator=(const TRecordingPrinter&) = delete;

  // The last job, none before the first.
  const TPrintedJob* Last() const { return jobs_.empty() ? nullptr : jobs_.back().get(); }
  // Makes the next jobs fail to start, or fail at their new pages.
  bool FailBegin = false;
  bool FailNewPage = false;

 private:
  TPrintOutputFactory previous_;
  std::vector<std::unique_ptr<TPrintedJob>> jobs_;
};
