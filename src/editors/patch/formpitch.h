#pragma once
// TFormPitch: a tone's tuning, random pitch, key follow, and the pitch envelope.
#include "editors/patch/tonepage.h"

class TEnvelopeBinding;

class TFormPitch : public TTonePage {
  Q_OBJECT
 public:
  TFormPitch(TPatch& patch, int tone);
  TEnvelopeBinding* Envelope() const { return envelope_; }

 protected:
  void ShowExtra() override;

 private:
  TEnvelopeBinding* envelope_;
};
