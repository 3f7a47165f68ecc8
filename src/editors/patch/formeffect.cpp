#include "editors/patch/formeffect.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "controls/panslider.h"
#include "controls/taborder.h"
#include "editors/common/parambinding.h"
#include "editors/params/params.h"
#include "editors/patch/efxdiagram.h"
#include "editors/patch/efxviews.h"
#include "model/patch.h"
#include "model/performance.h"

namespace {

constexpr int kTypeOffset = 12;
constexpr int kFirstParameter = 13;
constexpr int kFeedbackMode = 13;  // of the two delays, list items 17 and 18
constexpr int kHfDampOffset = 42;
constexpr int kEfxSourceOffset = 12;  // performance common byte, never shifted
constexpr int kPage1 = 0;
constexpr int kPage2 = 1;
constexpr int kBoxWidth = 140;

bool DrawsFeedbackMode(int type) {
  return type == 16 || type == 17;
}

const TParamRow* PageRow(int patchOffset) {
  for (const TParamRow& row : EffectPageRows())
    if (row.Offset == patchOffset) return &row;
  return nullptr;
}

TPageDesign EffectsDesign(bool performance) {
  return {QStringLiteral("FormEffect"),
          QStringLiteral(" [Effects]"),
          performance ? TFormEffect::kPerformanceHelpContext : TFormEffect::kPatchHelpContext,
          {QStringLiteral("Page 1"), QStringLiteral("Page 2")},
          {80, 30}};
}

// Page 2's sliders are narrower than elsewhere: two columns of them flank the diagram.
void Narrow(TParamBinding& binding) {
  if (auto* slider = qobject_cast<TPanSlider*>(binding.Widget())) {
    slider->setFixedSize(kBoxWidth, 26);
    slider->SetSWidth(kBoxWidth - slider->SLeft());
  }
}

}  // namespace

TFormEffect::TFormEffect(TPatch& patch, QWidget* parent)
    : TFormEffect(patch, patch.Common, patch.Common.Pages[TCommon::pgEffects], 0,
                  TCommon::kTemporaryBase, parent) {}

TFormEffect::TFormEffect(TPerformance& performance, QWidget* parent)
    : TFormEffect(performance, performance.Common,
                  performance.Common.Pages[TPerformanceCommon::pgEffects], 1,
                  TPerformanceCommon::kTemporaryBase, parent) {}

TFormEffect::TFormEffect(TLibElem& element, TBlock& block, TPageSlot& slot, int shift,
                         std::uint32_t base, QWidget* parent)
    : TPageWindow(element, block, slot, EffectsDesign(shift == 1), parent),
      shift_(shift),
      base_(base) {
  BuildPage1(TabPage(kPage1));
  BuildPage2(TabPage(kPage2));
  request_.OnAnswer = [this](const TEfxRequest::TParameters& p) { TypeAnswered(p); };
  request_.OnGiveUp = [this] {
    // The instrument holds settings of the new type that could not be read: give it ours, so
    // that page and instrument agree. Zero lies inside every parameter's range.
    const TEfxRequest::TParameters zeros{};
    Block().SetBytes(At(kFirstParameter), zeros.data(), TEfxRequest::kParameterCount);
    AfterReceiving();
  };
  // Ended without an answer (a receive took the input over): the controls follow the stored type.
  request_.OnUnanswered = [this] { AfterReceiving(); };
  Finish();
}

TFormEffect::~TFormEffect() = default;

void TFormEffect::AddPage1(QWidget* group, int patchOffset, int line, int column) {
  TParamBinding* binding = BindRow(ShiftedRow(*PageRow(patchOffset), shift_), group);
  auto* grid = static_cast<QGridLayout*>(group->layout());
  auto* cell = new QVBoxLayout;
  cell->setSpacing(1);
  if (binding->Label()) cell->addWidget(binding->Label());
  cell->addWidget(binding->Widget(), 0, Qt::AlignLeft);
  grid->addLayout(cell, line, column);
}

void TFormEffect::BuildPage1(QWidget* page) {
  auto* grid = new QGridLayout(page);
  auto group = [page](const QString& title) {
    auto* box = new QGroupBox(title, page);
    (new QGridLayout(box))->setAlignment(Qt::AlignTop);
    return box;
  };

  QGroupBox* efx = group(QStringLiteral("EFX"));
  AddPage1(efx, 25, 0, 0);
  AddPage1(efx, 26, 0, 1);
  AddPage1(efx, 27, 1, 0);
  AddPage1(efx, 28, 1, 1);
  sourceGroup_ = new QGroupBox(QString::fromLatin1(EfxSourceRow().Caption), efx);
  efxSource_ = new QComboBox(sourceGroup_);
  efxSource_->setObjectName(QStringLiteral("EfxSource"));
  for (const char* item : EfxSourceRow().Items) efxSource_->addItem(QString::fromLatin1(item));
  (new QVBoxLayout(sourceGroup_))->addWidget(efxSource_);
  connect(efxSource_, &QComboBox::activated, this, &TFormEffect::StoreEfxSource);
  static_cast<QGridLayout*>(efx->layout())->addWidget(sourceGroup_, 2, 0, Qt::AlignLeft);

  QGroupBox* control = group(QStringLiteral("Control"));
  for (int source = 0; source < 2; ++source) {
    AddPage1(control, 29 + 2 * source, source, 0);
    auto* label = new QLabel(control);
    label->setObjectName(QStringLiteral("SourceLabel%1").arg(source + 1));
    label->setMinimumWidth(80);
    static_cast<QGridLayout*>(control->layout())->addWidget(label, source, 1, Qt::AlignBottom);
    sourceLabels_[static_cast<std::size_t>(source)] = label;
    AddPage1(control, 30 + 2 * source, source, 2);
  }

  QGroupBox* chorus = group(QStringLiteral("Chorus"));
  for (int i = 0; i < 6; ++i) AddPage1(chorus, 33 + i, i / 2, i % 2);

  QGroupBox* reverb = group(QStringLiteral("Reverb"));
  AddPage1(reverb, 39, 0, 0);
  AddPage1(reverb, 40, 0, 1);
  AddPage1(reverb, 41, 1, 0);
  AddPage1(reverb, 43, 1, 1);
  AddPage1(reverb, kHfDampOffset, 2, 0);
  if (TParamBinding* damp = Binding(At(kHfDampOffset))) {
    damp->SetPainter(
        [](QPainter& painter, QSize size, int value) { DrawHfDamp(painter, size, value); });
    if (QWidget* picture = damp->Widget()->findChild<QWidget*>(QStringLiteral("Picture")))
      picture->setFixedSize(kHfDampWidth, kHfDampHeight);
    damp->Widget()->setMinimumWidth(110);  // "ByPass" between the arrows
  }

  grid->addWidget(efx, 0, 0);
  grid->addWidget(control, 1, 0);
  grid->addWidget(chorus, 0, 1);
  grid->addWidget(reverb, 1, 1);
}

void TFormEffect::BuildPage2(QWidget* page) {
  page2_ = page;
  page->setMinimumSize(600, 292);
  typeList_ = new QComboBox(page);
  typeList_->setObjectName(QStringLiteral("EfxType"));
  for (const TEffectType& type : EffectTypes()) typeList_->addItem(QString::fromLatin1(type.Item));
  typeList_->setMaxVisibleItems(15);
  typeList_->setGeometry(156, 8, kEfxDiagramWidth, 24);
  connect(typeList_, &QComboBox::activated, this, &TFormEffect::TypeChange);
  diagram_ = new TEfxDiagramView(page);
  diagram_->move(156, 40);
}

TParamBinding* TFormEffect::Param(int field) const {
  for (TParamBinding* binding : params_)
    if (binding->Row().Field == field) return binding;
  return nullptr;
}

int TFormEffect::StoredType() const {
  return Block().GetByte(At(kTypeOffset));
}

void TFormEffect::SetSourceLabels() {
  const int type = StoredType();
  const TEffectType* effect =
      type < static_cast<int>(EffectTypes().size()) ? &EffectTypes()[std::size_t(type)] : nullptr;
  sourceLabels_[0]->setText(effect ? QString::fromLatin1(effect->Source1) : QString());
  sourceLabels_[1]->setText(effect ? QString::fromLatin1(effect->Source2) : QString());
}

void TFormEffect::RebuildPage2() {
  for (TParamBinding* binding : params_) RemoveBinding(binding);
  params_.clear();
  const int type = StoredType();
  builtType_ = type;
  ++rebuilds_;
  typeList_->setCurrentIndex(type);
  diagram_->SetItem(type + 1);
  SetSourceLabels();
  if (type >= static_cast<int>(EffectTypes().size())) return;
  for (const TParamRow& row : EffectTypes()[static_cast<std::size_t>(type)].Rows) {
    TParamBinding* binding = BindRow(ShiftedRow(row, shift_), page2_);
    // The caption at the field's place, the control below it.
    const QPoint at = EffectFieldPlace(row.Field);
    if (QLabel* label = binding->Label()) {
      label->setGeometry(at.x(), at.y(), kBoxWidth, 16);
      label->show();
    }
    Narrow(*binding);
    binding->Widget()->setObjectName(QStringLiteral("Param%1").arg(row.Field));
    binding->Widget()->move(at.x(), at.y() + 18);
    binding->Widget()->show();
    if (row.Offset == kFeedbackMode && DrawsFeedbackMode(type)) {
      // After the binding has stored the byte: the picture follows at once, nothing is rebuilt.
      if (auto* list = qobject_cast<QComboBox*>(binding->Widget()))
        connect(list, &QComboBox::activated, this,
                [this] { diagram_->SetFeedbackMode(Block().GetByte(At(kFeedbackMode))); });
    }
    params_.push_back(binding);
  }
  SetVisualTabOrder(this);
}

void TFormEffect::ShowPage2() {
  const std::uint8_t* data = Block().Data();
  for (TParamBinding* binding : params_) binding->Show(data);
  diagram_->SetFeedbackMode(DrawsFeedbackMode(builtType_) ? data[At(kFeedbackMode)] : 0);
}

void TFormEffect::RebuildParameters() {
  RebuildPage2();
  ShowPage2();
}

void TFormEffect::UpdateView(bool rebuild) {
  rebuild_ = rebuild;
  UpdateView();
  rebuild_ = false;
}

void TFormEffect::ShowExtra() {
  sourceGroup_->setVisible(ForPerformance());
  if (ForPerformance()) efxSource_->setCurrentIndex(Block().GetByte(kEfxSourceOffset));
  typeList_->setCurrentIndex(StoredType());
  SetSourceLabels();
  // Undo and Revert never change the type; a receive or a load may.
  if (rebuild_ || StoredType() != builtType_) RebuildPage2();
  ShowPage2();
}

TEfxRequest::TParameters TFormEffect::StoredParameters() const {
  TEfxRequest::TParameters values{};
  std::copy_n(Block().Data() + At(kFirstParameter), values.size(), values.begin());
  return values;
}

void TFormEffect::RememberType() {
  lastValues_[StoredType()] = StoredParameters();
}

const TEfxRequest::TParameters* TFormEffect::LastValues(int type) const {
  const auto found = lastValues_.find(type);
  return found == lastValues_.end() ? nullptr : &found->second;
}

void TFormEffect::TypeChange(int index) {
  if (index < 0) return;
  // The same type again changes nothing: its parameters stay as they are.
  if (index == StoredType()) {
    typeList_->setCurrentIndex(index);
    return;
  }
  BeginEdit();
  // While an answer is awaited the parameters are not yet the stored type's own.
  const bool known = !request_.Waiting();
  request_.Cancel();
  // One record on Page 2, whichever page is current: the type and its parameters as they were.
  std::uint8_t before[1 + TEfxRequest::kParameterCount];
  std::copy_n(Block().Data() + At(kTypeOffset), std::size(before), before);
  const int tab = Tab();
  SetTab(kPage2);
  Record(At(kTypeOffset), before, static_cast<int>(std::size(before)));
  SetTab(tab);
  if (known) RememberType();
  Block().SetByte(At(kTypeOffset), static_cast<std::uint8_t>(index));
  if (!Updating) Object().Modified();
  if (const TEfxRequest::TParameters* last = LastValues(index)) {
    // A type used before on this page comes back as the user left it, not with its defaults.
    Block().SetBytes(At(kFirstParameter), last->data(), TEfxRequest::kParameterCount);
    AfterReceiving();
    return;
  }
  if (!request_.Start(base_, At(kTypeOffset), static_cast<std::uint8_t>(index))) {
    // Nothing to ask: the controls follow the stored type at once, so that they never edit the
    // parameters under another type's meaning.
    RebuildParameters();
  }
}

void TFormEffect::Apply(int offset, const std::vector<std::uint8_t>& bytes) {
  if (offset != At(kTypeOffset) || bytes.size() != 1 + TEfxRequest::kParameterCount) {
    TPageWindow::Apply(offset, bytes);
    return;
  }
  // An answer still awaited belongs to the type being taken back.
  const bool known = !request_.Waiting();
  request_.Cancel();
  if (known) RememberType();
  Block().SetByte(offset, bytes[0]);
  Block().SetBytes(offset + 1, bytes.data() + 1, TEfxRequest::kParameterCount);
}

void TFormEffect::TypeAnswered(const TEfxRequest::TParameters& parameters) {
  for (int i = 0; i < TEfxRequest::kParameterCount; ++i)
    Block().StoreByte(At(kFirstParameter + i), parameters[static_cast<std::size_t>(i)]);
  AfterReceiving();
}

void TFormEffect::AfterReceiving() {
  // Both histories stay: undoing the type change first brings back the type that the older
  // records of Page 2 belong to.
  if (firstShow_) {
    UpdateView(true);
    firstShow_ = false;
  } else {
    RebuildParameters();
  }
}

void TFormEffect::StoreEfxSource(int index) {
  if (Updating || !ForPerformance() || index < 0) return;
  // Whose EFX the performance plays is not an edit of the effects: no undo, no modified mark.
  Block().SetByte(kEfxSourceOffset, static_cast<std::uint8_t>(index));
}

void TFormEffect::showEvent(QShowEvent* event) {
  TPageWindow::showEvent(event);
  if (event->spontaneous()) return;
  Tabs()->setCurrentIndex(kPage1);
  firstShow_ = true;
  UpdateView(true);
}
