#pragma once
// TFormPerformance: the performance window (392 x 150), a hub with the sections Common, Effects
// and Parts.
#include <functional>

#include "editors/performance/sectionhub.h"
#include "model/performance.h"

class TFormPart;
class TFormPerComm;

class TFormPerformance : public TSectionHub {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 43;

  explicit TFormPerformance(TPerformance& performance, QWidget* parent = nullptr);

  TPerformance& Performance() const { return performance_; }
  void OpenSection(int kind) override;

  std::uint8_t* CommonData() override { return performance_.Common.Data(); }
  int PartCount() const override { return TPerformance::kPartCount; }
  std::uint8_t* PartData(int index) override {
    return performance_.Parts[static_cast<std::size_t>(index)].Data();
  }

  // Opens the effects window of a performance; the effects page installs it.
  static std::function<void(TPerformance&)>& EffectsOpener();

 private:
  TPerformance& performance_;
};

// The performance's editor in the view registry: double click and Open on a performance.
void RegisterPerformanceEditor();
