// Opening a performance, rhythm set or system makes its hub; its sections open their windows
// once; freeing the object closes them all and keeps their places in nothing that is gone.
#include <QPointer>

#include "editorfixture.h"
#include "editors/patch/effectspage.h"
#include "editors/patch/formeffect.h"

namespace {

using EditorOpening = TEditorTest;

template <class THub, class TElement>
void OpensAndCloses(int kind, std::initializer_list<int> sections,
                    TPageSlot& (*slot)(TElement&, int)) {
  auto element = CreateElement(kind, nullptr);
  auto& object = static_cast<TElement&>(*element);
  object.OpenEditor();
  auto* hub = qobject_cast<THub*>(object.Editor);
  ASSERT_NE(nullptr, hub);
  EXPECT_TRUE(object.WindowOpen);
  object.OpenEditor();  // the open one again, no second window
  EXPECT_EQ(hub, object.Editor);
  std::vector<QPointer<QObject>> pages;
  for (int section : sections) {
    hub->OpenSection(section);
    QObject* page = slot(object, section).Window;
    ASSERT_NE(nullptr, page) << section;
    hub->OpenSection(section);
    EXPECT_EQ(page, slot(object, section).Window) << section;
    pages.emplace_back(page);
  }
  QPointer<QObject> hubAlive(hub);
  element.reset();
  QApplication::processEvents();
  EXPECT_TRUE(hubAlive.isNull() || !qobject_cast<QWidget*>(hubAlive.data())->isVisible());
  for (const auto& page : pages)
    EXPECT_TRUE(page.isNull() || !qobject_cast<QWidget*>(page.data())->isVisible());
}

TPageSlot& PerformanceSlot(TPerformance& p, int section) {
  return section == pkPerCom ? p.Common.Pages[TPerformanceCommon::pgCommon] : p.PartWindow;
}
// The note windows' pages run from the amplifier's back to the main one; the system's in order.
TPageSlot& RhythmSlot(TRhythm& r, int section) {
  return r.Pages[pkRhyTVA - section];
}
TPageSlot& SystemSlot(TSystem& s, int section) {
  return s.Pages[section - pkSysSetup];
}

TEST_F(EditorOpening, EachKindOpensItsHubAndSectionsAndFreeingItClosesThem) {
  MidiSession().SetMidiOpen(false);
  TScopedHeadlessHost host;
  RegisterPerformanceEditor();
  RegisterRhythmEditor();
  RegisterSystemEditor();
  OpensAndCloses<TFormPerformance, TPerformance>(ekPerformance, {pkPerCom, pkPerParts},
                                                 PerformanceSlot);
  // The Effects panel opens the effects page on the performance, once.
  TFormPerformance::EffectsOpener() = [](TPerformance& p) { OpenEffectsPage(p); };
  {
    TPerformance performance(nullptr);
    TFormPerformance hub(performance);
    hub.OpenSection(pkPerEff);
    TPageSlot& slot = performance.Common.Pages[TPerformanceCommon::pgEffects];
    auto* page = qobject_cast<TFormEffect*>(slot.Window);
    ASSERT_NE(nullptr, page);
    EXPECT_TRUE(page->ForPerformance());
    hub.OpenSection(pkPerEff);
    EXPECT_EQ(page, slot.Window);
  }
  TFormPerformance::EffectsOpener() = nullptr;
  OpensAndCloses<TFormRhythm, TRhythm>(ekRhythm, {pkRhyMain, pkRhyPitch, pkRhyTVF, pkRhyTVA},
                                       RhythmSlot);
  OpensAndCloses<TFormSystem, TSystem>(
      ekSystem, {pkSysSetup, pkSysMidi, pkSysPreview, pkSysScaleTune}, SystemSlot);
}

}  // namespace
