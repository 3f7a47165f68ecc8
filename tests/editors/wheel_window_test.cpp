// The wheel edits only the window the user works in (the one the instrument sounds): over an
// inactive page it changes nothing, and drop-down lists and value fields take it only with the
// keyboard focus. Real events: the wheel goes to the widget under the pointer, and windows are
// activated as the frame does it.

#include "editorfixture.h"

namespace {
class WheelWindow : public TEditorTest {
 protected:
  // One notch over the middle of a control, to the deepest widget of the main window there.
  void Wheel(QWidget* control, bool up) {
    const QPoint global = control->mapToGlobal(control->rect().center());
    QWidget* under = form_->childAt(form_->mapFromGlobal(global));
    ASSERT_TRUE(under && (under == control || control->isAncestorOf(under)))
        << "the control is covered by " << (under ? under->metaObject()->className() : "nothing");
    QWheelEvent wheel(under->mapFromGlobal(global), global, QPoint(), QPoint(0, up ? 120 : -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(under, &wheel);
    Idle(4 * TControlTiming::WheelRestMs);
  }
  void Activate(TPageWindow& page) {
    form_->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(page.Frame()));
  }
  // The first control of a kind on a page: F value field, L list, S slider, K knob.
  static TParamBinding* Find(TPageWindow& page, char kind, QWidget*& target) {
    for (TParamBinding* binding : page.Bindings()) {
      QWidget* w = binding->Widget();
      if (!w || binding->Row().Size > 1) continue;
      target = kind == 'F'   ? qobject_cast<TMyEdit*>(w)
               : kind == 'L' ? qobject_cast<QComboBox*>(w)
               : kind == 'S' ? qobject_cast<TPanSlider*>(w)
                             : static_cast<QWidget*>(w->findChild<Tmyrotary*>());
      if (target) return binding;
    }
    return nullptr;
  }
};
}  // namespace

TEST_F(WheelWindow, OnlyTheActivePageTakesTheWheelAndListsAndFieldsOnlyWithTheFocus) {
  TFormPatch& first = OpenPatch(Patch(0));
  TFormPatch& second = OpenPatch(Patch(1));
  TFormCommon& idle = OpenCommon(first);
  TFormCommon& worked = OpenCommon(second);
  // Side by side, the patch windows below them: nothing covers the pages.
  const QSize page = idle.Frame()->size();
  idle.Frame()->move(0, 0);
  worked.Frame()->move(page.width() + 4, 0);
  first.Frame()->move(0, page.height() + 4);
  second.Frame()->move(page.width() + 4, page.height() + 4);
  form_->resize(2 * page.width() + 200, 2 * page.height() + 300);
  Idle(20);
  struct TCase {
    char Kind;
    bool NeedsFocus;
  };
  for (const TCase& c :
       {TCase{'F', true}, TCase{'L', true}, TCase{'S', false}, TCase{'K', false}}) {
    SCOPED_TRACE(c.Kind);
    QWidget* target = nullptr;
    TParamBinding* binding = Find(idle, c.Kind, target);
    ASSERT_NE(binding, nullptr);
    if (idle.Tabs()) idle.Tabs()->setCurrentIndex(binding->Row().Tab);
    const int offset = binding->Row().Offset;
    const std::uint8_t before = Patch(0).Common.GetByte(offset);
    // Towards the other end of the range; a list goes down its items as the wheel turns down.
    const bool up = (before < binding->Row().Max) != (c.Kind == 'L');

    Activate(worked);
    Taken();
    Wheel(target, up);
    EXPECT_EQ(Patch(0).Common.GetByte(offset), before);
    EXPECT_EQ(Patch(1).Common.GetByte(offset), before);
    EXPECT_TRUE(Taken().empty());

    Activate(idle);
    ASSERT_EQ(CurrentPatch, &Patch(0));
    idle.BtnClose()->setFocus();
    Taken();
    Wheel(target, up);
    if (c.NeedsFocus) {
      EXPECT_EQ(Patch(0).Common.GetByte(offset), before);
      EXPECT_TRUE(Taken().empty());
      target->setFocus();
      Wheel(target, up);
    }
    EXPECT_NE(Patch(0).Common.GetByte(offset), before);
    EXPECT_EQ(Taken().size(), 1u);
    idle.Undo();
  }
}
