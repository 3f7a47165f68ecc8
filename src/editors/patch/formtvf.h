#pragma once
// TFormTVF: a tone's filter: type (with its picture), cutoff, resonance, their sensitivities and
// the filter envelope.
#include "editors/patch/tonepage.h"

class TEnvelopeBinding;

class TFormTVF : public TTonePage {
  Q_OBJECT
 public:
  TFormTVF(TPatch& patch, int tone);
  TEnvelopeBinding* Envelope() const { return envelope_; }

 protected:
  void ShowExtra() override;

 private:
  TEnvelopeBinding* envelope_;
};
