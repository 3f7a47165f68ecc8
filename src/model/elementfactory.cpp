// CreateElement: the one place that knows every kind's class.
#include "model/global.h"
#include "model/libelem.h"
#include "model/patchbank.h"
#include "model/performancebank.h"
#include "model/rhythmbank.h"

std::unique_ptr<TLibElem> CreateElement(int kind, TLibElem* owner) {
  switch (kind) {
    case ekPatch:
      return std::make_unique<TPatch>(owner);
    case ekPatchBank:
      return std::make_unique<TPatchBank>(owner);
    case ekPerformance:
      return std::make_unique<TPerformance>(owner);
    case ekPerformanceBank:
      return std::make_unique<TPerformanceBank>(owner);
    case ekRhythm:
      return std::make_unique<TRhythm>(owner);
    case ekRhythmBank:
      return std::make_unique<TRhythmBank>(owner);
    case ekSystem:
      return std::make_unique<TSystem>(owner);
    case ekGlobal:
      return std::make_unique<TGlobal>(owner);
    default:
      return nullptr;
  }
}
