#include "editors/patch/effectspage.h"

#include <algorithm>

#include <QEvent>
#include <QMdiSubWindow>

#include "editors/common/pagestate.h"
#include "editors/common/pagewindow.h"
#include "editors/patch/formeffect.h"
#include "model/patch.h"
#include "model/performance.h"

namespace {
const QPoint kDesignedPos(80, 60);

// The page's entry in the view registry and its slot, for as long as the page shows the patch
// (or the performance).
class TEffectsView : public QObject, public TElementView {
 public:
  TEffectsView(TFormEffect& form, TLibElem& patch, TPageSlot& slot)
      : QObject(&form), form_(form), patch_(patch), slot_(slot) {
    slot_.Open = true;
    slot_.Window = &form;
    Views().Add(patch_, *this);
    form.installEventFilter(this);
  }
  ~TEffectsView() override { Release(); }

  TLibElem* Element() const override { return released_ ? nullptr : &patch_; }
  void UpdateView() override {
    if (!released_) form_.UpdateView(false);
  }
  void CloseView() override {
    Release();
    Frame()->close();
  }
  void Activated() {
    if (released_ || ChildFrame().DragInProgress || IsCurrentObject(patch_)) return;
    patch_.Transmit(true);
  }
  QWidget* Frame() const {
    if (QMdiSubWindow* sub = TChildFrame::SubWindowOf(&form_)) return sub;
    return &form_;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &form_ && event->type() == QEvent::Close) Release();
    return QObject::eventFilter(watched, event);
  }

 private:
  void Release() {
    if (released_) return;
    released_ = true;
    if (form_.isVisible()) {
      auto clamp = [](int v) { return static_cast<std::uint16_t>(std::clamp(v, 0, 0xFFFE)); };
      slot_.Left = clamp(Frame()->x());
      slot_.Top = clamp(Frame()->y());
    }
    slot_.Open = false;
    slot_.Window = nullptr;
    Views().Remove(patch_, *this);
    // The patch may be gone from now on.
    form_.setEnabled(false);
  }

  TFormEffect& form_;
  TLibElem& patch_;
  TPageSlot& slot_;
  bool released_ = false;
};

TFormEffect* OpenEffectsPage(TLibElem& patch, TPageSlot& slot) {
  if (slot.Open && slot.Window) {
    ChildFrame().BringToFront(qobject_cast<QWidget*>(slot.Window));
    return qobject_cast<TFormEffect*>(slot.Window);
  }
  try {
    auto* form = new TFormEffect(patch);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setProperty("HelpContext", form->HelpContext());
    auto* view = new TEffectsView(*form, patch, slot);
    if (QMdiSubWindow* sub = ChildFrame().AddChild(form)) {
      sub->setWindowFlags(sub->windowFlags() & ~Qt::WindowMaximizeButtonHint);
      QObject::connect(sub, &QMdiSubWindow::windowStateChanged, view,
                       [view](Qt::WindowStates before, Qt::WindowStates now) {
                         if (!(before & Qt::WindowActive) && (now & Qt::WindowActive))
                           view->Activated();
                       });
    }
    PlaceInFrame(view->Frame(), slot, kDesignedPos);
    view->Frame()->show();
    ChildFrame().BringToFront(form);
    return form;
  } catch (const std::bad_alloc&) {
    ReportOutOfResource();
    return nullptr;
  }
}
}  // namespace

TFormEffect* OpenEffectsPage(TPatch& patch) {
  return OpenEffectsPage(patch, patch.Common.Pages[TCommon::pgEffects]);
}

TFormEffect* OpenEffectsPage(TPerformance& performance) {
  return OpenEffectsPage(performance, performance.Common.Pages[TPerformanceCommon::pgEffects]);
}
