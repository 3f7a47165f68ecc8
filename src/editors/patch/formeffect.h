#pragma once
// TFormEffect: the effects page of a patch (help context 32) or of a performance (48). Page 1
// holds the EFX outputs and sends, the two control sources with what they move for the current
// type, the chorus and the reverb; Page 2 the EFX type with its block diagram and the type's own
// parameters, made anew from the type's rows whenever the type changes. Each page keeps its own
// history. Picking another type asks the instrument for that type's parameters, unless the type
// was used before while the page is open: then its last values go back to the instrument. A type
// change is one record of Page 2's history (the type and its twelve parameters as they were).
//
// A performance holds the same bytes one later, and its "EFX Source" besides.
#include <array>
#include <map>
#include <vector>

#include "editors/common/pagewindow.h"
#include "model/efxrequest.h"

class QComboBox;
class QGroupBox;
class QLabel;
class TEfxDiagramView;
class TParamBinding;
class TPatch;
class TPerformance;

class TFormEffect : public TPageWindow {
  Q_OBJECT
 public:
  static constexpr int kPatchHelpContext = 32;
  static constexpr int kPerformanceHelpContext = 48;

  explicit TFormEffect(TPatch& patch, QWidget* parent = nullptr);
  explicit TFormEffect(TPerformance& performance, QWidget* parent = nullptr);
  ~TFormEffect() override;

  bool ForPerformance() const { return shift_ == 1; }
  // The block offset of an effects byte given at its patch offset.
  int At(int patchOffset) const { return patchOffset + shift_; }

  using TPageWindow::UpdateView;
  // UpdateView, with Page 2 made anew when rebuild is set (it is anyway when the type changed).
  void UpdateView(bool rebuild);
  // The user picked list item `index` of "EFX Type".
  void TypeChange(int index);
  // Page 2 made anew for the stored type and set from the bytes.
  void RebuildParameters();

  // For the tests and the benchmark.
  QComboBox* TypeList() const { return typeList_; }
  QComboBox* EfxSource() const { return efxSource_; }
  QGroupBox* EfxSourceGroup() const { return sourceGroup_; }
  TEfxDiagramView* Diagram() const { return diagram_; }
  QLabel* SourceLabel(int source) const { return sourceLabels_[static_cast<std::size_t>(source)]; }
  // Page 2's parameter controls in the order they were made, and the one at a field number.
  const std::vector<TParamBinding*>& Params() const { return params_; }
  TParamBinding* Param(int field) const;
  bool FirstShow() const { return firstShow_; }
  TEfxRequest& Request() { return request_; }
  // Page 2 was made anew this many times.
  int Rebuilds() const { return rebuilds_; }
  // The parameters a type had when it was last left while the page is open, or none.
  const TEfxRequest::TParameters* LastValues(int type) const;

 protected:
  void ShowExtra() override;
  void showEvent(QShowEvent* event) override;
  // Undo and Redo of a type change send the type first, then its twelve parameters, so that the
  // instrument's defaults for the type do not win.
  void Apply(int offset, const std::vector<std::uint8_t>& bytes) override;

 private:
  TFormEffect(TLibElem& element, TBlock& block, TPageSlot& slot, int shift, std::uint32_t base,
              QWidget* parent);
  void BuildPage1(QWidget* page);
  void BuildPage2(QWidget* page);
  // The control of a Page 1 row (given at its patch offset) with its caption, into a grid cell.
  void AddPage1(QWidget* group, int patchOffset, int line, int column);
  void RebuildPage2();
  void ShowPage2();
  void SetSourceLabels();
  int StoredType() const;
  // Keeps the stored type's twelve parameters as its last values.
  void RememberType();
  TEfxRequest::TParameters StoredParameters() const;
  void TypeAnswered(const TEfxRequest::TParameters& parameters);
  void AfterReceiving();
  void StoreEfxSource(int index);

  int shift_ = 0;
  std::uint32_t base_ = 0;
  bool rebuild_ = false;
  bool firstShow_ = false;
  int builtType_ = -1;
  int rebuilds_ = 0;
  TEfxRequest request_;
  std::map<int, TEfxRequest::TParameters> lastValues_;

  QGroupBox* sourceGroup_ = nullptr;
  QComboBox* efxSource_ = nullptr;
  std::array<QLabel*, 2> sourceLabels_{};
  QComboBox* typeList_ = nullptr;
  TEfxDiagramView* diagram_ = nullptr;
  QWidget* page2_ = nullptr;
  std::vector<TParamBinding*> params_;
};
