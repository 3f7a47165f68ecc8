#include "editors/patch/formeffect.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "editors/common/pagestate.h"
#include "editors/params/params.h"
#include "editors/patch/effectcontrol.h"
#include "editors/patch/efxdiagram.h"
#include "editors/patch/efxviews.h"
#include "model/patch.h"
#include "model/performance.h"

// The common block the page edits, whichever object owns it.
class TEffectsBlock {
 public:
  virtual ~TEffectsBlock() = default;
  virtual std::uint8_t GetByte(int offset) const = 0;
  virtual void StoreByte(int offset, std::uint8_t value) = 0;
  virtual void SetByte(int offset, std::uint8_t value) = 0;
  virtual void SetBytes(int offset, const std::uint8_t* bytes, int count) = 0;
  virtual void SendBlock() = 0;
  virtual std::uint32_t Base() const = 0;
};

namespace {

template <class TBlock>
class TEffectsBlockOf : public TEffectsBlock {
 public:
  explicit TEffectsBlockOf(TBlock& block) : block_(block) {}
  std::uint8_t GetByte(int offset) const override { return block_.GetByte(offset); }
  void StoreByte(int offset, std::uint8_t value) override { block_.StoreByte(offset, value); }
  void SetByte(int offset, std::uint8_t value) override { block_.SetByte(offset, value); }
  void SetBytes(int offset, const std::uint8_t* bytes, int count) override {
    block_.SetBytes(offset, bytes, count);
  }
  void SendBlock() override { block_.SendBlock(); }
  std::uint32_t Base() const override { return TBlock::kTemporaryBase; }

 private:
  TBlock& block_;
};

constexpr int kTypeOffset = 12;
constexpr int kFirstParameter = 13;
constexpr int kFeedbackMode = 13;  // of the two delays, list items 17 and 18
constexpr int kHfDampOffset = 42;
constexpr int kHfDampLast = 17;
constexpr int kEfxSourceOffset = 12;  // performance common byte, never shifted

bool DrawsFeedbackMode(int type) {
  return type == 16 || type == 17;
}

const TParamRow* PageRow(int patchOffset) {
  for (const TParamRow& row : EffectPageRows())
    if (row.Offset == patchOffset) return &row;
  return nullptr;
}

QGroupBox* Group(const QString& title, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  return group;
}

}  // namespace

TFormEffect::TFormEffect(TLibElem& element, QWidget* parent) : QWidget(parent), element_(element) {
  setObjectName(QStringLiteral("FormEffect"));
  if (auto* performance = dynamic_cast<TPerformance*>(&element)) {
    block_ = std::make_unique<TEffectsBlockOf<TPerformanceCommon>>(performance->Common);
    shift_ = 1;
  } else {
    block_ = std::make_unique<TEffectsBlockOf<TCommon>>(dynamic_cast<TPatch&>(element).Common);
  }
  tabs_ = new QTabWidget(this);
  auto* page1 = new QWidget;
  auto* page2 = new QWidget;
  BuildPage1(page1);
  BuildPage2(page2);
  tabs_->addTab(page1, QStringLiteral("Page 1"));
  tabs_->addTab(page2, QStringLiteral("Page 2"));
  connect(tabs_, &QTabWidget::currentChanged, this, [this] { CheckBtnEnabled(); });

  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("Panelbtn"));
  auto* buttons = new QHBoxLayout(panel);
  auto* close = new QPushButton(QStringLiteral("&Close"), panel);
  btnRevert_ = new QPushButton(QStringLiteral("&Revert"), panel);
  btnUndo_ = new QPushButton(QStringLiteral("&Undo"), panel);
  buttons->addStretch();
  buttons->addWidget(close);
  buttons->addWidget(btnRevert_);
  buttons->addWidget(btnUndo_);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(btnUndo_, &QPushButton::clicked, this, &TFormEffect::BtnUndoClick);
  connect(btnRevert_, &QPushButton::clicked, this, &TFormEffect::BtnRevertClick);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(panel);

  request_.OnAnswer = [this](const TEfxRequest::TParameters& p) { TypeAnswered(p); };
  request_.OnGiveUp = [this] {
    // The instrument holds settings of the new type that we could not read: give it ours, so
    // that page and instrument agree. Zero is inside every parameter's range.
    const TEfxRequest::TParameters zeros{};
    block_->SetBytes(At(kFirstParameter), zeros.data(), TEfxRequest::kParameterCount);
    AfterReceiving();
  };
  UpdateView(true);
}

TFormEffect::~TFormEffect() = default;

int TFormEffect::HelpContext() const {
  return ForPerformance() ? kPerformanceHelpContext : kPatchHelpContext;
}

TEffectControl* TFormEffect::AddPage1(QWidget* parent, int patchOffset) {
  auto* control = new TEffectControl(ShiftedRow(*PageRow(patchOffset), shift_), parent);
  control->setObjectName(QStringLiteral("Effect%1").arg(patchOffset));
  control->OnStore = [this, control](int stored) {
    if (!updating_) SendandStore(control->Row().Offset, static_cast<std::uint8_t>(stored));
  };
  page1_.push_back(control);
  return control;
}

TEffectControl* TFormEffect::Page1Control(int patchOffset) const {
  for (TEffectControl* control : page1_)
    if (control->Row().Offset == At(patchOffset)) return control;
  return nullptr;
}

void TFormEffect::BuildPage1(QWidget* page) {
  auto* grid = new QGridLayout(page);

  auto* efx = Group(QStringLiteral("EFX"), page);
  auto* efxGrid = new QGridLayout(efx);
  efxGrid->addWidget(AddPage1(efx, 25), 0, 0);
  efxGrid->addWidget(AddPage1(efx, 26), 0, 1);
  sourceGroup_ = Group(QStringLiteral("EFX Source"), efx);
  efxSource_ = new QComboBox(sourceGroup_);
  efxSource_->setObjectName(QStringLiteral("EfxSource"));
  for (const char* item : EfxSourceRow().Items) efxSource_->addItem(QString::fromLatin1(item));
  (new QVBoxLayout(sourceGroup_))->addWidget(efxSource_);
  connect(efxSource_, &QComboBox::currentIndexChanged, this,
          [this](int index) { StoreEfxSource(index); });
  efxGrid->addWidget(sourceGroup_, 1, 0);
  efxGrid->addWidget(AddPage1(efx, 27), 1, 1);
  efxGrid->addWidget(AddPage1(efx, 28), 1, 2);

  auto* control = Group(QStringLiteral("Control"), page);
  auto* controlGrid = new QGridLayout(control);
  for (int source = 0; source < 2; ++source) {
    controlGrid->addWidget(AddPage1(control, 29 + 2 * source), source, 0);
    auto* label = new QLabel(control);
    label->setObjectName(QStringLiteral("SourceLabel%1").arg(source + 1));
    label->setMinimumWidth(80);
    sourceLabels_[static_cast<std::size_t>(source)] = label;
    controlGrid->addWidget(label, source, 1);
    controlGrid->addWidget(AddPage1(control, 30 + 2 * source), source, 2);
  }

  auto* chorus = Group(QStringLiteral("Chorus"), page);
  auto* chorusGrid = new QGridLayout(chorus);
  for (int i = 0; i < 6; ++i) chorusGrid->addWidget(AddPage1(chorus, 33 + i), i / 2, i % 2);

  auto* reverb = Group(QStringLiteral("Reverb"), page);
  auto* reverbGrid = new QGridLayout(reverb);
  reverbGrid->addWidget(AddPage1(reverb, 39), 0, 0);
  reverbGrid->addWidget(AddPage1(reverb, 40), 0, 1);
  reverbGrid->addWidget(AddPage1(reverb, 41), 1, 0);
  reverbGrid->addWidget(AddPage1(reverb, 43), 1, 1);
  auto* damp = new QWidget(reverb);
  auto* dampLayout = new QHBoxLayout(damp);
  dampLayout->setContentsMargins(0, 0, 0, 0);
  dampLayout->addWidget(new QLabel(QString::fromLatin1(PageRow(kHfDampOffset)->Caption), damp));
  hfDown_ = new QToolButton(damp);
  hfDown_->setObjectName(QStringLiteral("Precedente"));
  hfDown_->setArrowType(Qt::LeftArrow);
  hfDamp_ = new THfDampView(damp);
  hfUp_ = new QToolButton(damp);
  hfUp_->setObjectName(QStringLiteral("Successivo"));
  hfUp_->setArrowType(Qt::RightArrow);
  dampLayout->addWidget(hfDown_);
  dampLayout->addWidget(hfDamp_);
  dampLayout->addWidget(hfUp_);
  dampLayout->addStretch();
  connect(hfDown_, &QToolButton::clicked, this, &TFormEffect::Precedente);
  connect(hfUp_, &QToolButton::clicked, this, &TFormEffect::Successivo);
  reverbGrid->addWidget(damp, 2, 0, 1, 2);

  grid->addWidget(efx, 0, 0);
  grid->addWidget(control, 1, 0);
  grid->addWidget(chorus, 0, 1);
  grid->addWidget(reverb, 1, 1);
}

void TFormEffect::BuildPage2(QWidget* page) {
  page->setMinimumSize(600, 292);
  typeList_ = new QComboBox(page);
  typeList_->setObjectName(QStringLiteral("EfxType"));
  for (const TEffectType& type : EffectTypes()) typeList_->addItem(QString::fromLatin1(type.Item));
  typeList_->setMaxVisibleItems(15);
  typeList_->setGeometry(156, 8, kEfxDiagramWidth, 24);
  connect(typeList_, &QComboBox::activated, this, &TFormEffect::TypeChange);
  diagram_ = new TEfxDiagramView(page);
  diagram_->move(156, 40);
  paramArea_ = page;
}

int TFormEffect::StoredType() const {
  return block_->GetByte(At(kTypeOffset));
}

void TFormEffect::SetSourceLabels() {
  const int type = StoredType();
  const bool known = type < static_cast<int>(EffectTypes().size());
  const TEffectType* effect = known ? &EffectTypes()[static_cast<std::size_t>(type)] : nullptr;
  sourceLabels_[0]->setText(effect ? QString::fromLatin1(effect->Source1) : QString());
  sourceLabels_[1]->setText(effect ? QString::fromLatin1(effect->Source2) : QString());
}

void TFormEffect::RebuildPage2() {
  for (TEffectControl* control : params_) delete control;
  params_.clear();
  const int type = StoredType();
  builtType_ = type;
  ++rebuilds_;
  diagram_->SetItem(type + 1);
  diagram_->SetFeedbackMode(DrawsFeedbackMode(type) ? block_->GetByte(At(kFeedbackMode)) : 0);
  SetSourceLabels();
  if (type >= static_cast<int>(EffectTypes().size())) return;
  for (const TParamRow& row : EffectTypes()[static_cast<std::size_t>(type)].Rows) {
    auto* control = new TEffectControl(ShiftedRow(row, shift_), paramArea_);
    control->setObjectName(QStringLiteral("Param%1").arg(row.Field));
    control->move(EffectFieldPlace(row.Field));
    control->OnStore = [this, control](int stored) {
      if (updating_) return;
      SendandStore(control->Row().Offset, static_cast<std::uint8_t>(stored));
      if (control->Row().Offset == At(kFeedbackMode) && DrawsFeedbackMode(builtType_))
        diagram_->SetFeedbackMode(stored);
    };
    control->show();
    params_.push_back(control);
  }
}

void TFormEffect::RebuildParameters() {
  RebuildPage2();
  SetPage2Controls();
}

void TFormEffect::SetPage2Controls() {
  const bool wasUpdating = updating_;
  updating_ = true;
  for (TEffectControl* control : params_)
    control->SetStored(block_->GetByte(control->Row().Offset));
  if (DrawsFeedbackMode(builtType_)) diagram_->SetFeedbackMode(block_->GetByte(At(kFeedbackMode)));
  updating_ = wasUpdating;
}

void TFormEffect::UpdateView(bool rebuild) {
  updating_ = true;
  setWindowTitle(element_.GetName() + QStringLiteral(" [Effects] [Loc : ") +
                 EditorLocation(element_) + QStringLiteral("]"));
  sourceGroup_->setVisible(ForPerformance());
  if (ForPerformance()) efxSource_->setCurrentIndex(block_->GetByte(kEfxSourceOffset));
  for (TEffectControl* control : page1_) control->SetStored(block_->GetByte(control->Row().Offset));
  hfDamp_->SetValue(block_->GetByte(At(kHfDampOffset)));
  typeList_->setCurrentIndex(StoredType());
  SetSourceLabels();
  if (rebuild || builtType_ < 0) RebuildPage2();
  SetPage2Controls();
  CheckBtnEnabled();
  updating_ = false;
}

std::vector<TFormEffect::TUndo>& TFormEffect::CurrentHistory() {
  return undo_[static_cast<std::size_t>(std::max(tabs_->currentIndex(), 0))];
}

void TFormEffect::SendandStore(int offset, std::uint8_t value) {
  if (block_->GetByte(offset) == value) return;
  CurrentHistory().push_back({block_->GetByte(offset), static_cast<std::uint16_t>(offset)});
  block_->SetByte(offset, value);
  if (!updating_) element_.Modified();
  CheckBtnEnabled();
}

void TFormEffect::CheckBtnEnabled() {
  const bool any = !CurrentHistory().empty();
  btnUndo_->setEnabled(any);
  btnRevert_->setEnabled(any);
}

void TFormEffect::BtnUndoClick() {
  std::vector<TUndo>& history = CurrentHistory();
  if (history.empty()) return;
  const TUndo last = history.back();
  history.pop_back();
  block_->SetByte(last.Offset, last.Value);
  UpdateView(false);
}

void TFormEffect::BtnRevertClick() {
  std::vector<TUndo>& history = CurrentHistory();
  while (!history.empty()) {
    block_->StoreByte(history.back().Offset, history.back().Value);
    history.pop_back();
  }
  UpdateView(false);
  block_->SendBlock();
}

void TFormEffect::TypeChange(int index) {
  if (index < 0) return;
  undo_[1].clear();
  CheckBtnEnabled();
  block_->SetByte(At(kTypeOffset), static_cast<std::uint8_t>(index));
  if (!updating_) element_.Modified();
  if (!request_.Start(block_->Base(), At(kTypeOffset), static_cast<std::uint8_t>(index))) {
    // Nothing to ask: the controls follow the stored type at once, so they never edit the
    // parameters under another type's meaning.
    RebuildParameters();
  }
}

void TFormEffect::TypeAnswered(const TEfxRequest::TParameters& parameters) {
  for (int i = 0; i < TEfxRequest::kParameterCount; ++i)
    block_->StoreByte(At(kFirstParameter + i), parameters[static_cast<std::size_t>(i)]);
  AfterReceiving();
}

void TFormEffect::AfterReceiving() {
  if (firstShow_) {
    UpdateView(true);
    undo_[0].clear();
    undo_[1].clear();
    firstShow_ = false;
    CheckBtnEnabled();
  } else {
    RebuildParameters();
  }
}

void TFormEffect::StoreEfxSource(int index) {
  if (updating_ || !ForPerformance() || index < 0) return;
  // Whose EFX the performance plays is not an edit of the effects: no undo, no modified mark.
  block_->SetByte(kEfxSourceOffset, static_cast<std::uint8_t>(index));
}

void TFormEffect::StepHfDamp(int by) {
  // A damaged byte past ByPass steps from ByPass.
  const int index = std::min<int>(block_->GetByte(At(kHfDampOffset)), kHfDampLast) + by;
  if (index < 0 || index > kHfDampLast) return;
  hfDamp_->SetValue(index);
  SendandStore(At(kHfDampOffset), static_cast<std::uint8_t>(index));
}

void TFormEffect::Precedente() {
  StepHfDamp(-1);
}

void TFormEffect::Successivo() {
  StepHfDamp(+1);
}

void TFormEffect::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  tabs_->setCurrentIndex(0);
  firstShow_ = true;
  UpdateView(true);
  CurrentHistory().clear();
  CheckBtnEnabled();
}
