#include "editors/patch/formpatch.h"

#include <map>

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "editors/common/partkind.h"
#include "editors/patch/effectspage.h"
#include "editors/patch/formcommon.h"
#include "editors/patch/patchcopy.h"
#include "editors/patch/tonepages.h"
#include "midi/midisession.h"
#include "midi/sysex.h"

namespace {
std::map<int, TPatchPageOpener>& Openers() {
  static std::map<int, TPatchPageOpener> openers;
  return openers;
}

// The part buttons of a tone panel, top to bottom: name prefix, caption, kind.
struct TToneButton {
  const char* Prefix;
  const char* Caption;
};
constexpr TToneButton kToneButtons[] = {{"Control", "Control"}, {"Wave", "Wave"},
                                        {"Pitch", "Pitch"},     {"Lfo1", "LFO 1"},
                                        {"Lfo2", "LFO 2"},      {"Tvf", "TVF"},
                                        {"Tva", "TVA"}};

// The buttons' names as the window has always had them: "TVF" for tone 1's filter and
// "control4" for tone 4's controls.
QString ButtonName(const char* prefix, int tone) {
  const QString name = QString::fromLatin1(prefix) + QString::number(tone);
  if (name == QLatin1String("Tvf1")) return QStringLiteral("TVF");
  if (name == QLatin1String("Control4")) return QStringLiteral("control4");
  return name;
}
}  // namespace

void SetPatchPageOpener(int kind, TPatchPageOpener opener) {
  if (opener)
    Openers()[kind] = std::move(opener);
  else
    Openers().erase(kind);
}

const TPatchPageOpener& PatchPageOpener(int kind) {
  static const TPatchPageOpener none;
  const auto found = Openers().find(kind);
  return found == Openers().end() ? none : found->second;
}

void RegisterPatchEditor() {
  Views().SetFactory(ekPatch, [](TLibElem& element) -> QObject* {
    auto* patch = dynamic_cast<TPatch*>(&element);
    return patch ? THubWindow::Open<TFormPatch>(*patch) : nullptr;
  });
  SetPatchPageOpener(pkCommon, [](TPatch& patch, int) { OpenCommonPage(patch); });
  SetPatchPageOpener(pkEffects, [](TPatch& patch, int) { OpenEffectsPage(patch); });
  RegisterTonePages();
  EditStartsHook() = [](TLibElem& element) {
    if (auto* window = qobject_cast<TFormPatch*>(element.Editor)) window->EndCompare();
  };
}

TFormPatch::TFormPatch(TPatch& patch, QWidget* parent)
    : THubWindow(patch, {QStringLiteral("FormPatch"), kHelpContext, QSize(482, 296), {20, 20}},
                 parent),
      patch_(patch),
      originalCommon_(patch.Common) {
  for (int t = 0; t < TPatch::kToneCount; ++t)
    originalTones_[static_cast<std::size_t>(t)] = patch.Tones[static_cast<std::size_t>(t)];
  AddTools({THubTool::New, THubTool::LoadSysex, THubTool::SaveSysex, THubTool::SaveAs,
            THubTool::Receive, THubTool::Send, THubTool::Help});
  compare_ = new QToolButton(ToolBar());
  compare_->setObjectName(QStringLiteral("Compare"));
  compare_->setText(QStringLiteral("Compare"));
  compare_->setToolTip(
      QStringLiteral("Compare: the patch as it was when this window opened, until released"));
  compare_->setCheckable(true);
  // Down is plain to see whatever the style draws for a checked tool button.
  compare_->setStyleSheet(QStringLiteral(
      "QToolButton#Compare:checked { background: #b03030; color: white; font-weight: bold;"
      " border: 2px inset #701010; }"));
  ToolBar()->addSeparator();
  ToolBar()->addWidget(compare_);
  connect(compare_, &QToolButton::toggled, this, &TFormPatch::SetCompare);
  BuildPanels();
}

TFormPatch::~TFormPatch() = default;

void TFormPatch::BuildPanels() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  layout->addWidget(ToolBar());
  auto* row = new QHBoxLayout;
  row->setContentsMargins(6, 2, 6, 6);
  row->setSpacing(5);
  layout->addLayout(row, 1);

  commonPanel_ = new QFrame(this);
  commonPanel_->setObjectName(QStringLiteral("PanelCommon"));
  auto* commonFrame = static_cast<QFrame*>(commonPanel_);
  commonFrame->setFrameShape(QFrame::Panel);
  commonFrame->setFrameShadow(QFrame::Raised);
  auto* commonLayout = new QVBoxLayout(commonPanel_);
  commonLayout->setContentsMargins(5, 8, 5, 8);
  commonLayout->setSpacing(6);
  auto* patchLabel = new QLabel(QStringLiteral("Patch"), commonPanel_);
  patchLabel->setAlignment(Qt::AlignCenter);
  commonLayout->addWidget(patchLabel);
  commonLayout->addWidget(AddPart(QStringLiteral("Common"), QStringLiteral("Common"), 0, commonPanel_));
  commonLayout->addWidget(
      AddPart(QStringLiteral("Effects"), QStringLiteral("Effects"), 0, commonPanel_));
  commonLayout->addStretch();
  commonPanel_->setFixedWidth(84);
  AddPanel(commonPanel_);
  row->addWidget(commonPanel_);

  for (int tone = 1; tone <= TPatch::kToneCount; ++tone) {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("PanelTone%1").arg(tone));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(5, 4, 5, 6);
    column->setSpacing(3);
    auto* check = new QCheckBox(QStringLiteral("Tone %1").arg(tone), panel);
    check->setObjectName(QStringLiteral("CheckTone%1").arg(tone));
    // Only the user's click stores: filling the window from the patch never writes to it.
    connect(check, &QCheckBox::clicked, this, [this, tone](bool on) { ToneSwitched(tone, on); });
    column->addWidget(check);
    for (const TToneButton& button : kToneButtons)
      column->addWidget(AddPart(ButtonName(button.Prefix, tone),
                                QString::fromLatin1(button.Caption), tone, panel));
    AddPanel(panel);
    row->addWidget(panel, 1);
    toneChecks_[static_cast<std::size_t>(tone - 1)] = check;
    tonePanels_[static_cast<std::size_t>(tone - 1)] = panel;
  }
}

void TFormPatch::ShowView() {
  filling_ = true;
  for (int tone = 1; tone <= TPatch::kToneCount; ++tone)
    ToneCheck(tone)->setChecked(patch_.Tones[static_cast<std::size_t>(tone - 1)].GetByte(0) != 0);
  filling_ = false;
}

void TFormPatch::ToneSwitched(int tone, bool on) {
  EndCompare();
  // The tone switch is stored and sent at once, without an undo record.
  TTone& switched = patch_.Tones[static_cast<std::size_t>(tone - 1)];
  switched.SetByte(0, on ? 1 : 0);
  if (!filling_) patch_.Modified();
  // The wave page's " Tone Switch" shows the byte at once.
  if (auto* wave = dynamic_cast<TElementView*>(switched.Pages[TTone::pgWave].Window))
    wave->UpdateView();
}

void TFormPatch::OpenPart(TPartButton& part) {
  if (const TPatchPageOpener& opener = PatchPageOpener(part.Kind())) opener(patch_, part.Tag());
}

bool TFormPatch::AcceptDrop(const THubWindow& source, const TDragInfo& drag,
                            const TPartButton& target) const {
  const TPartButton* dragged = source.DraggedPart();
  if (!qobject_cast<const TFormPatch*>(&source) || !dragged) return false;
  if (&target == dragged) return false;
  auto holds = [&drag](int kind) {
    for (const TDragElem& item : drag.Items)
      if (item.PartKind == kind) return true;
    return false;
  };
  const bool lfo = target.Kind() == pkLFO1 || target.Kind() == pkLFO2;
  // One LFO may go onto the other LFO, also of the same tone.
  if (drag.Items.size() == 1 && lfo) return holds(pkLFO1) || holds(pkLFO2);
  return holds(target.Kind()) && target.Panel() != dragged->Panel();
}

void TFormPatch::CopyParts(THubWindow& source, const TDragInfo& drag, TPartButton& target) {
  const TPatch& from = static_cast<TFormPatch&>(source).Patch();
  const bool single = drag.Items.size() == 1;
  for (const TDragElem& item : drag.Items) {
    const int toKind = single ? target.Kind() : item.PartKind;
    CopyPatchPart(from, patch_, item.PartKind, toKind, item.Tone, target.Tag());
    // The copied part lights up where it landed.
    for (TPartButton* part : Parts())
      if (part->Kind() == toKind && part->Panel() == target.Panel()) part->SetSelected(true);
  }
}

void TFormPatch::SetCompare(bool on) {
  if (!Element()) return;
  if (compare_->isChecked() != on) {
    compare_->setChecked(on);  // comes back here through toggled
    return;
  }
  ShowName();
  if (!on) {
    patch_.Transmit(true);
    return;
  }
  if (!MidiSession().MidiOpen()) return;
  // The original goes to the temporary area as the patch itself would, five messages.
  SendDataSet(TCommon::kTemporaryBase, 0, 0, originalCommon_.Data(), TCommon::kDataSize);
  for (const TTone& tone : originalTones_)
    SendDataSet(TCommon::kTemporaryBase, tone.AreaOffset(), 0, tone.Data(), TTone::kDataSize);
}

bool TFormPatch::Comparing() const {
  return compare_ && compare_->isChecked();
}

void TFormPatch::EndCompare() {
  if (Element() && Comparing()) compare_->setChecked(false);
}

QString TFormPatch::Caption() const {
  return THubWindow::Caption() + (Comparing() ? QStringLiteral(" [Compare]") : QString());
}

void TFormPatch::closeEvent(QCloseEvent* event) {
  // The instrument is not left sounding the original after the window is gone.
  if (Element() && compare_ && compare_->isChecked()) compare_->setChecked(false);
  THubWindow::closeEvent(event);
}
