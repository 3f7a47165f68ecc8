#pragma once
// The part kinds of the editors' draggable part buttons and section panels, found from the
// control's name: upper-cased, the first prefix of the table that it starts with gives the kind.
#include <QString>

enum TPartKind : int {
  pkCommon = 0,
  pkEffects = 1,
  pkControl = 2,
  pkWave = 3,
  pkPitch = 4,
  pkLFO1 = 5,
  pkLFO2 = 6,
  pkTVA = 7,
  pkTVF = 8,
  pkPerCom = 9,
  pkPerEff = 10,
  pkPerParts = 11,
  pkSysSetup = 12,
  pkSysMidi = 13,
  pkSysPreview = 14,
  pkSysScaleTune = 15,
  pkRhyMain = 16,
  pkRhyPitch = 17,
  pkRhyTVF = 18,
  pkRhyTVA = 19,
};

// The kind of a control's name, or -1 when no prefix matches.
int PartKind(const QString& name);
