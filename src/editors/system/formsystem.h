#pragma once
// TFormSystem: the system window (400 x 138), a hub with the sections Setup, Scale Tune, Preview
// and Midi.
#include "editors/performance/sectionhub.h"
#include "model/system.h"

class TFormSystem : public TSectionHub {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 45;

  explicit TFormSystem(TSystem& system, QWidget* parent = nullptr);

  void OpenSection(int kind) override;

  std::uint8_t* CommonData() override { return system_.Common.Data(); }
  int PartCount() const override { return TPartScaleTune::kCount; }
  std::uint8_t* PartData(int index) override {
    return system_.ScaleTunes[static_cast<std::size_t>(index)].Data();
  }

 private:
  TSystem& system_;
};

// The system's editor in the view registry: double click and Open on a system.
void RegisterSystemEditor();
