#pragma once
// TFormPatch: the patch window (482 x 296). A tool bar over the patch's operations, four tone
// panels (a "Tone n" check box storing the tone switch, and the part buttons Control, Wave,
// Pitch, LFO 1, LFO 2, TVF, TVA) and a panel with Common and Effects. A double click on a part
// opens its page; parts are selected and dragged onto part buttons of any patch window, which
// copies them (CopyPatchPart). "Compare" sends the patch as it was when the window opened, and
// the edited patch again when it is released: by the user, by leaving the window, or by an edit
// of the patch (the edit then follows the edited patch). While it is down the button stays
// pressed and the caption ends in " [Compare]".
#include <array>
#include <functional>

#include "editors/common/hubwindow.h"
#include "model/patch.h"

class QCheckBox;
class QToolButton;

class TFormPatch : public THubWindow {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 42;

  explicit TFormPatch(TPatch& patch, QWidget* parent = nullptr);
  ~TFormPatch() override;

  TPatch& Patch() const { return patch_; }
  QCheckBox* ToneCheck(int tone) const { return toneChecks_.at(static_cast<std::size_t>(tone - 1)); }
  QWidget* TonePanel(int tone) const { return tonePanels_.at(static_cast<std::size_t>(tone - 1)); }
  QWidget* CommonPanel() const { return commonPanel_; }
  QToolButton* CompareButton() const { return compare_; }

  // Opens the page of a part (kind and tone); the page opener of the kind decides.
  void OpenPart(TPartButton& part) override;
  // Sends the patch as it was when the window opened (on) or as it is now (off).
  void SetCompare(bool on);
  bool Comparing() const;
  // Releases Compare when it is down (the edited patch is sent).
  void EndCompare();
  QString Caption() const override;

 protected:
  void ShowView() override;
  bool AcceptDrop(const THubWindow& source, const TDragInfo& drag,
                  const TPartButton& target) const override;
  void CopyParts(THubWindow& source, const TDragInfo& drag, TPartButton& target) override;
  void closeEvent(QCloseEvent* event) override;
  void Deactivated() override { EndCompare(); }
  void WillEdit() override { EndCompare(); }

 private:
  void BuildPanels();
  void ToneSwitched(int tone, bool on);

  TPatch& patch_;
  std::array<QCheckBox*, TPatch::kToneCount> toneChecks_{};
  std::array<QWidget*, TPatch::kToneCount> tonePanels_{};
  QWidget* commonPanel_ = nullptr;
  QToolButton* compare_ = nullptr;
  // The blocks as they were when the window opened.
  TCommon originalCommon_;
  std::array<TTone, TPatch::kToneCount> originalTones_{TTone(1), TTone(2), TTone(3), TTone(4)};
  bool filling_ = false;
};

// Opens the page of a part kind of a patch (tone 1 to 4, 0 for Common and Effects). The pages
// install theirs; a kind without one opens nothing.
using TPatchPageOpener = std::function<void(TPatch& patch, int tone)>;
void SetPatchPageOpener(int kind, TPatchPageOpener opener);
const TPatchPageOpener& PatchPageOpener(int kind);

// The patch window as the editor of patches, with the common page and the effects page behind
// its Common and Effects buttons.
void RegisterPatchEditor();
