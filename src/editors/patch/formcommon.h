#pragma once
// TFormCommon: the common page of a patch (help context 31): every row of PatchCommonRows() on
// its two tabs, "Page 1" and "Page 2", each with its own history. What no row says is drawn
// here: the two structure pictures behind their arrows.
#include "editors/common/pagewindow.h"

class TPatch;

class TFormCommon : public TPageWindow {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 31;

  explicit TFormCommon(TPatch& patch, QWidget* parent = nullptr);

  TPatch& Patch() const { return patch_; }

 private:
  TPatch& patch_;
};

// Opens the common page of a patch, or brings the open one to the front.
TFormCommon* OpenCommonPage(TPatch& patch);
