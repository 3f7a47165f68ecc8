#include "editors/performance/sectionhub.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QToolBar>
#include <QVBoxLayout>

#include "controls/fountainfill.h"
#include "model/libelem.h"

TSectionHub::TSectionHub(TLibElem& element, THubDesign design, std::span<const TCopySection> sections,
                         QWidget* parent)
    : THubWindow(element, std::move(design), parent),
      sections_(sections),
      background_(new TFountainFill(this)),
      body_(new QVBoxLayout(background_)) {
  AddTools({THubTool::New, THubTool::LoadSysex, THubTool::SaveSysex, THubTool::SaveAs,
            THubTool::Send, THubTool::Receive, THubTool::Help});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ToolBar());
  layout->addWidget(background_, 1);
  background_->setObjectName(QStringLiteral("Background"));
  background_->SetStyle(TFountainStyle::fsVertical);
  body_->setContentsMargins(8, 6, 8, 8);
  // A click on the background clears the selection.
  connect(background_, &TFountainFill::Clicked, this, &THubWindow::DeselectAll);
}

void TSectionHub::AddSections(const QString& container,
                              std::initializer_list<std::pair<const char*, const char*>> panels) {
  auto* box = new QWidget(background_);
  box->setObjectName(container);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(8);
  AddPanel(box);
  for (const auto& [name, caption] : panels) {
    TPartButton* part = AddPart(QString::fromLatin1(name), QString::fromLatin1(caption), 0, box);
    part->setMinimumHeight(40);
    row->addWidget(part, 1);
  }
  body_->addWidget(box, 1);
}

TPartButton* TSectionHub::Panel(int kind) const {
  for (TPartButton* part : Parts())
    if (part->Kind() == kind) return part;
  return nullptr;
}

void TSectionHub::SelectPart(TPartButton* part, bool ctrl) {
  if (ctrl)
    part->SetSelected(!part->Selected());
  else
    THubWindow::SelectPart(part, false);
}

bool TSectionHub::eventFilter(QObject* watched, QEvent* event) {
  // A release on a panel ends there: passed on, it would reach the background, whose click
  // clears the selection.
  if (event->type() == QEvent::MouseButtonRelease && qobject_cast<TPartButton*>(watched)) {
    THubWindow::eventFilter(watched, event);
    return true;
  }
  return THubWindow::eventFilter(watched, event);
}

bool TSectionHub::AcceptDrop(const THubWindow& source, const TDragInfo& drag,
                             const TPartButton& target) const {
  if (&source == this || source.Object().Kind != Object().Kind) return false;
  return std::any_of(drag.Items.begin(), drag.Items.end(),
                     [&target](const TDragElem& item) { return item.PartKind == target.Kind(); });
}

void TSectionHub::CopyParts(THubWindow& source, const TDragInfo& drag, TPartButton&) {
  auto& from = static_cast<TSectionHub&>(source);
  for (const TDragElem& item : drag.Items) {
    const TCopySection* section = FindSection(sections_, item.PartKind);
    if (!section) continue;
    if (section->Block == TSectionBlock::Common) {
      CopySection(*section, from.CommonData(), CommonData());
    } else {
      for (int i = 0; i < PartCount() && i < from.PartCount(); ++i)
        CopySection(*section, from.PartData(i), PartData(i));
    }
    if (TPartButton* panel = Panel(item.PartKind)) panel->SetSelected(true);
  }
}
