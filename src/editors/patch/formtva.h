#pragma once
// TFormTVA: a tone's amplifier: level, key bias (with its picture), pan, sensitivities and the
// amplitude envelope, whose fourth level is always 0 and never stored.
#include "editors/patch/tonepage.h"

class TEnvelopeBinding;

class TFormTVA : public TTonePage {
  Q_OBJECT
 public:
  TFormTVA(TPatch& patch, int tone);
  TEnvelopeBinding* Envelope() const { return envelope_; }

 protected:
  void ShowExtra() override;

 private:
  TEnvelopeBinding* envelope_;
};
