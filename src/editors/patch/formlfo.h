#pragma once
// TFormLFO: one of a tone's two LFOs (k = 1 or 2): waveform (with its picture), rate, key
// trigger, offset, sync, the fade graph (delay, mode, time) and its four depths. The same class
// serves both LFOs as separate windows.
#include <QPolygon>

#include "editors/patch/tonepage.h"

class TFadeGraph;
class QComboBox;

class TFormLFO : public TTonePage {
  Q_OBJECT
 public:
  TFormLFO(TPatch& patch, int tone, int lfo);

  int Lfo() const { return lfo_; }
  // The LFO's first byte: 45 for LFO 1, 53 for LFO 2.
  int Base() const { return 45 + (lfo_ - 1) * 8; }
  TFadeGraph* Fade() const { return fade_; }

 protected:
  void ShowExtra() override;

 private:
  void StoreFade();
  void ShowFadeMode(int mode);

  int lfo_;
  TFadeGraph* fade_;
  // The waveform picture's line, drawn anew (the random shapes change) when the waveform does.
  int shapeOf_ = -1;
  QPolygon shape_;
};
