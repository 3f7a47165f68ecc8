#pragma once
// TTonePage: the base of the six pages that edit one tone of a patch (wave, pitch, filter,
// amplifier, LFO 1 and 2, control). It fixes the block (the tone), the page slot the tone keeps
// for the page, the caption's part and tone, and builds the controls of the page's rows.
#include <functional>

#include "editors/common/pagewindow.h"
#include "model/patch.h"

class TTonePage : public TPageWindow {
  Q_OBJECT
 public:
  TPatch& Patch() const { return patch_; }
  int ToneNumber() const { return tone_; }
  TTone& Tone() const { return patch_.Tones[static_cast<std::size_t>(tone_ - 1)]; }

 protected:
  // part: "Wave", "LFO 1", ...; the caption reads name + " [" + part + "] [Tone n]" + location.
  TTonePage(TPatch& patch, int tone, TTone::TPage page, const QString& objectName,
            const QString& part, int helpContext, QPoint designedPos);

  const std::uint8_t* Data() const { return Tone().Data(); }
  // The picture of a stepped row, drawn by painter into a picture of the given size.
  void SetPicture(int offset, QSize size,
                  std::function<void(QPainter& painter, QSize size, int value)> painter);

 private:
  TPatch& patch_;
  int tone_;
};
