#include "editors/performance/formperformance.h"

#include "editors/common/partkind.h"
#include "editors/performance/formpart.h"
#include "editors/performance/formpercomm.h"

TFormPerformance::TFormPerformance(TPerformance& performance, QWidget* parent)
    : TSectionHub(performance,
                  {QStringLiteral("FormPerformance"), kHelpContext, QSize(392, 150), {20, 20}},
                  PerformanceSections(), parent),
      performance_(performance) {
  AddSections(QStringLiteral("PanelPerformance"),
              {{"PerCom", "Common"}, {"PerEff", "Effects"}, {"PerParts", "Parts"}});
}

std::function<void(TPerformance&)>& TFormPerformance::EffectsOpener() {
  static std::function<void(TPerformance&)> opener;
  return opener;
}

void TFormPerformance::OpenSection(int kind) {
  switch (kind) {
    case pkPerCom:
      TPageWindow::OpenPage<TFormPerComm>(performance_.Common.Pages[TPerformanceCommon::pgCommon],
                                          performance_);
      break;
    case pkPerParts:
      TPageWindow::OpenPage<TFormPart>(performance_.PartWindow, performance_);
      break;
    case pkPerEff:
      if (EffectsOpener()) EffectsOpener()(performance_);
      break;
    default:
      break;
  }
}

void RegisterPerformanceEditor() {
  Views().SetFactory(ekPerformance, [](TLibElem& element) -> QObject* {
    auto* performance = dynamic_cast<TPerformance*>(&element);
    return performance ? THubWindow::Open<TFormPerformance>(*performance) : nullptr;
  });
}
