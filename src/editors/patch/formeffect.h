#pragma once
// TFormEffect: the effects page of a patch or of a performance. Page 1 holds the EFX outputs and
// sends, the two control sources, the chorus and the reverb; Page 2 the EFX type with its block
// diagram and the type's own parameters, built from the type's rows. Each page keeps its own
// undo history. Picking another type asks the instrument for that type's parameters.
#include <array>
#include <memory>
#include <vector>

#include <QWidget>

#include "editors/params/paramrow.h"
#include "model/efxrequest.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;
class TEffectControl;
class TEfxDiagramView;
class THfDampView;
class TLibElem;
class TEffectsBlock;

class TFormEffect : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kPatchHelpContext = 32;
  static constexpr int kPerformanceHelpContext = 48;

  // element: a TPatch or a TPerformance.
  explicit TFormEffect(TLibElem& element, QWidget* parent = nullptr);
  ~TFormEffect() override;

  TLibElem& Element() const { return element_; }
  bool ForPerformance() const { return shift_ == 1; }
  int HelpContext() const;
  // The block offset of an effects byte given at its patch offset.
  int At(int patchOffset) const { return patchOffset + shift_; }

  void UpdateView(bool rebuild);
  // Stores a byte of the common block through the current page's history.
  void SendandStore(int offset, std::uint8_t value);
  void CheckBtnEnabled();
  void BtnUndoClick();
  void BtnRevertClick();
  // The user picked list item `index` of "EFX Type".
  void TypeChange(int index);
  // Page 2 made anew for the stored type and set from the bytes.
  void RebuildParameters();
  // The arrows beside the HF damp picture.
  void Precedente();
  void Successivo();

  // For the tests and the benchmark.
  QTabWidget* Tabs() const { return tabs_; }
  QComboBox* TypeList() const { return typeList_; }
  QComboBox* EfxSource() const { return efxSource_; }
  QGroupBox* EfxSourceGroup() const { return sourceGroup_; }
  TEfxDiagramView* Diagram() const { return diagram_; }
  THfDampView* HfDamp() const { return hfDamp_; }
  QToolButton* HfDown() const { return hfDown_; }
  QToolButton* HfUp() const { return hfUp_; }
  QLabel* SourceLabel(int source) const { return sourceLabels_[static_cast<std::size_t>(source)]; }
  QPushButton* BtnUndo() const { return btnUndo_; }
  QPushButton* BtnRevert() const { return btnRevert_; }
  // The controls of Page 2 in the order they were made, and Page 1's by patch offset.
  const std::vector<TEffectControl*>& Params() const { return params_; }
  TEffectControl* Page1Control(int patchOffset) const;
  std::size_t History(int tab) const { return undo_[static_cast<std::size_t>(tab)].size(); }
  bool FirstShow() const { return firstShow_; }
  TEfxRequest& Request() { return request_; }
  // Page 2 was rebuilt this many times.
  int Rebuilds() const { return rebuilds_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct TUndo {
    std::uint8_t Value;
    std::uint16_t Offset;
  };
  void BuildPage1(QWidget* page);
  void BuildPage2(QWidget* page);
  TEffectControl* AddPage1(QWidget* parent, int patchOffset);
  void RebuildPage2();
  void SetPage2Controls();
  void SetSourceLabels();
  int StoredType() const;
  void TypeAnswered(const TEfxRequest::TParameters& parameters);
  void AfterReceiving();
  void StoreEfxSource(int index);
  void StepHfDamp(int by);
  std::vector<TUndo>& CurrentHistory();

  TLibElem& element_;
  std::unique_ptr<TEffectsBlock> block_;
  int shift_ = 0;
  std::array<std::vector<TUndo>, 2> undo_;
  bool updating_ = false;
  bool firstShow_ = false;
  int builtType_ = -1;
  int rebuilds_ = 0;
  TEfxRequest request_;

  QTabWidget* tabs_ = nullptr;
  std::vector<TEffectControl*> page1_;
  QGroupBox* sourceGroup_ = nullptr;
  QComboBox* efxSource_ = nullptr;
  std::array<QLabel*, 2> sourceLabels_{};
  THfDampView* hfDamp_ = nullptr;
  QToolButton* hfDown_ = nullptr;
  QToolButton* hfUp_ = nullptr;
  QComboBox* typeList_ = nullptr;
  TEfxDiagramView* diagram_ = nullptr;
  QWidget* paramArea_ = nullptr;
  std::vector<TEffectControl*> params_;
  QPushButton* btnUndo_ = nullptr;
  QPushButton* btnRevert_ = nullptr;
};
