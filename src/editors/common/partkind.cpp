#include "editors/common/partkind.h"

int PartKind(const QString& name) {
  struct TPrefix {
    const char* Prefix;
    int Kind;
  };
  // In this order: "PERCOM" must not be taken for "COMMON", nor "SYSSCALETUNE" for anything
  // shorter, and the table is searched from the top.
  static constexpr TPrefix kPrefixes[] = {
      {"WAVE", pkWave},         {"PITCH", pkPitch},        {"LFO1", pkLFO1},
      {"LFO2", pkLFO2},         {"CONTROL", pkControl},    {"TVA", pkTVA},
      {"TVF", pkTVF},           {"COMMON", pkCommon},      {"EFFECTS", pkEffects},
      {"PEREFF", pkPerEff},     {"PERCOM", pkPerCom},      {"PERPARTS", pkPerParts},
      {"SYSSETUP", pkSysSetup}, {"SYSMIDI", pkSysMidi},    {"SYSPREVIEW", pkSysPreview},
      {"SYSSCALETUNE", pkSysScaleTune}, {"RHYMAIN", pkRhyMain}, {"RHYPITCH", pkRhyPitch},
      {"RHYTVF", pkRhyTVF},     {"RHYTVA", pkRhyTVA}};
  const QString upper = name.toUpper();
  for (const TPrefix& prefix : kPrefixes)
    if (upper.startsWith(QLatin1String(prefix.Prefix))) return prefix.Kind;
  return -1;
}
