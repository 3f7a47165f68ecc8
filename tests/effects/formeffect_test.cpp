// The effects page of a patch and of a performance: Page 2 built for every type, what each control
// stores and sends, the type change with its request and its Undo, the EFX Source and the
// delays' feedback picture.
#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "controls/myedit.h"
#include "controls/panslider.h"
#include "editors/common/parambinding.h"
#include "editors/params/params.h"
#include "editors/patch/efxviews.h"
#include "editors/patch/formeffect.h"
#include "instrument/efxdefaults.h"
#include "model/patch.h"
#include "model/performance.h"
#include "tests/model/transferfixture.h"

namespace {

constexpr std::uint32_t kPatch = 0x03000000;
constexpr std::uint32_t kPerformance = 0x01000000;

// The control a page built for a row.
TParamControl KindOf(const TParamBinding& binding) {
  if (qobject_cast<QComboBox*>(binding.Widget())) return TParamControl::List;
  if (qobject_cast<TMyEdit*>(binding.Widget())) return TParamControl::Field;
  auto* slider = qobject_cast<TPanSlider*>(binding.Widget());
  EXPECT_NE(slider, nullptr);
  return slider && slider->Stereo() ? TParamControl::StereoSlider : TParamControl::Slider;
}

// Moves a control to a shown value the way the user ends a change.
void Choose(TParamBinding& binding, int shown) {
  if (auto* list = qobject_cast<QComboBox*>(binding.Widget())) {
    list->setCurrentIndex(shown);
    Q_EMIT list->activated(shown);
  } else if (auto* field = qobject_cast<TMyEdit*>(binding.Widget())) {
    field->SetCode(shown);
    Q_EMIT field->OnEndChange();
  } else if (auto* slider = qobject_cast<TPanSlider*>(binding.Widget())) {
    slider->SetValue(shown);
    Q_EMIT slider->OnEndchange();
  }
}

std::size_t History(const TFormEffect& page, int tab) {
  return static_cast<std::size_t>(page.UndoList(tab, 0).Count());
}

}  // namespace

// The page on a patch or a performance, against the emulated instrument (TTransferTest) or a
// scripted loopback port (TSendTest).
template <class TBase>
class TEffectPage : public TBase {
 protected:
  void SetUp() override {
    TBase::SetUp();
    Timing().EffectsRequestMs = 3000;
  }
  void TearDown() override {
    form.reset();
    CurrentPatch = nullptr;
    CurrentPerformance = nullptr;
    TBase::TearDown();
  }
  template <class T>
  void Make(T*& current) {
    auto made = std::make_unique<T>(nullptr);
    made->Init();
    current = made.get();  // activating the page sends nothing
    form = std::make_unique<TFormEffect>(*made);
    data = made->Common.Data();
    element = std::move(made);
  }
  // A page for a patch (false) or a performance (true), shown.
  TFormEffect& Open(bool performance) {
    form.reset();
    CurrentPatch = nullptr;
    CurrentPerformance = nullptr;
    base = performance ? kPerformance : kPatch;
    if (performance)
      Make(CurrentPerformance);
    else
      Make(CurrentPatch);
    form->show();
    return *form;
  }
  std::uint8_t* Data() { return data; }
  // Picks list item type + 1 and waits for the page to take the answer.
  void PickType(int type) {
    const int rebuilds = form->Rebuilds();
    form->TypeList()->setCurrentIndex(type);
    form->TypeChange(type);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Rebuilds() > rebuilds; }, 3000));
  }

  std::unique_ptr<TLibElem> element;
  std::unique_ptr<TFormEffect> form;
  std::uint8_t* data = nullptr;
  std::uint32_t base = kPatch;
};

class FormEffect : public TEffectPage<TTransferTest> {
 protected:
  std::uint8_t InInstrument(int offset) const {
    return instrument->Read(base + static_cast<std::uint32_t>(offset), 1).at(0);
  }
};
using FormEffectLoop = TEffectPage<TSendTest>;

TEST_F(FormEffect, EveryTypesPageTwoHasAControlOfItsKindForEachRow) {
  TFormEffect& page = Open(false);
  for (int type = 0; type < 40; ++type) {
    SCOPED_TRACE(type);
    Data()[12] = static_cast<std::uint8_t>(type);
    page.UpdateView(true);
    const auto& rows = EffectTypes()[static_cast<std::size_t>(type)].Rows;
    ASSERT_EQ(page.Params().size(), rows.size());
    for (const TParamRow& row : rows) {
      const TParamBinding* control = page.Param(row.Field);
      ASSERT_NE(control, nullptr) << row.Caption;
      EXPECT_EQ(KindOf(*control), row.Control) << row.Caption;
      EXPECT_EQ(control->Widget()->objectName(), QStringLiteral("Param%1").arg(row.Field));
    }
    EXPECT_EQ(page.Param(static_cast<int>(rows.size()) + 1), nullptr);
    EXPECT_EQ(page.Diagram()->Item(), type + 1);
    EXPECT_EQ(page.TypeList()->currentIndex(), type);
  }
}

// One control of each stored form; byte k is the patch offset, a performance uses k + 1.
TEST_F(FormEffect, ShownValuesAreStoredAndSentAsTheInstrumentHoldsThem) {
  struct TCase {
    int Type;
    const char* Caption;
    int ShownMin, ShownMax, Step;
    int Shown, Stored, Byte;
  };
  const TCase cases[] = {
      // as shown
      {18, "Level C", 0, 127, 1, 100, 100, 20},
      {7, "Speed", 0, 1, 1, 1, 1, 17},
      {0, "P1 Q", 0, 4, 1, 3, 3, 18},
      {19, "Delay 4", 0, 125, 1, 125, 125, 16},
      {21, "Level Bal", 0, 100, 1, 30, 30, 22},
      // shown + n
      {1, "Pan", -64, 63, 1, -64, 0, 14},
      {20, "Pan", -64, 63, 1, 63, 127, 17},
      {0, "Low Gain ", -15, 15, 1, -15, 0, 14},
      {4, "Band 8", -15, 15, 1, 15, 30, 20},
      {10, "Dpt Dev", -20, 20, 1, 0, 20, 17},
      {21, "Coarse B", -24, 12, 1, 12, 36, 15},
      // (shown + 98) div 2
      {14, "Feedback", -98, 98, 2, -98, 0, 19},
      {19, "Feedback", -98, 98, 2, 20, 59, 21},
      // (shown + 100) div 2
      {21, "Fine A", -100, 100, 2, 100, 100, 16},
      {22, "Fine", -100, 100, 2, 0, 50, 15},
      // shown div 2
      {11, "Phase", 0, 180, 2, 180, 90, 18},
      {17, "Phase", 0, 180, 2, 90, 45, 20},
      // shown - 1
      {4, "Width ", 1, 5, 1, 1, 0, 21},
      {22, "Mode", 1, 5, 1, 5, 4, 13},
      // 5 to 500 ms in steps of 5 over codes 0 to 99
      {24, "Gate Time", 5, 500, 5, 500, 99, 15},
      {24, "Gate Time", 5, 500, 5, 100, 19, 15},
      // the phaser's manual frequency reaches 8000 Hz
      {3, "Manual", 0, 125, 1, 125, 125, 13},
  };
  for (bool performance : {false, true}) {
    TFormEffect& page = Open(performance);
    page.Tabs()->setCurrentIndex(1);
    const int shift = performance ? 1 : 0;
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::to_string(c.Type) + " " + c.Caption + (performance ? " performance" : ""));
      const TParamRow* row = nullptr;
      for (const TParamRow& r : EffectTypes()[static_cast<std::size_t>(c.Type)].Rows)
        if (std::string(r.Caption) == c.Caption) row = &r;
      ASSERT_NE(row, nullptr);
      EXPECT_EQ(ParamShown(*row, row->Min), c.ShownMin);
      EXPECT_EQ(ParamShown(*row, row->Max), c.ShownMax);
      EXPECT_EQ(row->Step, c.Step);
      EXPECT_EQ(ParamStoredFromShown(*row, c.Shown), c.Stored);
      EXPECT_EQ(ParamShown(*row, c.Stored), c.Shown);
      // Through the page's control to the block and the instrument.
      Data()[12 + shift] = static_cast<std::uint8_t>(c.Type);
      Data()[c.Byte + shift] = static_cast<std::uint8_t>(c.Stored == 0 ? 1 : 0);
      page.UpdateView(true);
      TParamBinding* control = page.Param(row->Field);
      ASSERT_NE(control, nullptr);
      if (auto* field = qobject_cast<TMyEdit*>(control->Widget())) {
        EXPECT_EQ(field->Step(), c.Step);  // one arrow click, one stored code
      }
      Choose(*control, c.Shown);
      EXPECT_EQ(Data()[c.Byte + shift], c.Stored);
      EXPECT_EQ(InInstrument(c.Byte + shift), c.Stored);
    }
    EXPECT_EQ(History(page, 1), std::size(cases));
  }
}

TEST_F(FormEffect, ChangingTheTypeFillsTheParametersFromTheInstrumentWithoutSendingThemBack) {
  for (bool performance : {false, true}) {
    SCOPED_TRACE(performance);
    TFormEffect& page = Open(performance);
    const int shift = performance ? 1 : 0;
    PickType(17);  // the messages: the loopback test below
    EXPECT_EQ(TBytes(Data() + 13 + shift, Data() + 25 + shift),
              TBytes(EfxDefaults(17)->begin(), EfxDefaults(17)->end()));
    EXPECT_EQ(page.Params().size(), 12u);
    EXPECT_EQ(page.SourceLabel(0)->text(), QStringLiteral("Rate"));
    EXPECT_EQ(page.Param(1)->Value(), (*EfxDefaults(17))[1]);  // "Delay L", byte 14
    EXPECT_EQ(History(page, 0), 0u);
    EXPECT_EQ(History(page, 1), 13u);  // the type change: one group, type and twelve
    EXPECT_EQ(InInstrument(12 + shift), 17);
  }
}

TEST_F(FormEffect, ADamagedAnswerIsRetriedAndSilenceEndsInZerosSent) {
  TFormEffect& page = Open(false);
  Timing().EffectsRequestMs = 40;
  Corrupt(0.5, {1, 0});
  ui.Answers = {mbRetry};
  PickType(5);
  EXPECT_EQ(ui.Questions.size(), 1u);
  EXPECT_EQ(TBytes(Data() + 13, Data() + 25),
            TBytes(EfxDefaults(5)->begin(), EfxDefaults(5)->end()));

  // No answer and OK: the twelve bytes become 0 in the patch and in the instrument.
  instrument->SetFaults({.Drop = 1.0});
  ui.Answers = {mbOK};
  PickType(9);
  EXPECT_EQ(ui.Questions.size(), 2u);
  EXPECT_EQ(ui.Questions.back().Text, QStringLiteral("The instruments is not responding."));
  EXPECT_EQ(TBytes(Data() + 13, Data() + 25), TBytes(12, 0));
  EXPECT_EQ(instrument->Read(kPatch + 13, 12), TBytes(12, 0));
  EXPECT_EQ(Data()[12], 9);
  EXPECT_EQ(page.Params().size(), 8u);
}

TEST_F(FormEffect, EfxSourceIsStoredAndSentWithoutUndoOrModifiedMark) {
  TFormEffect& page = Open(true);
  EXPECT_EQ(page.HelpContext(), 48);
  element->ModifiedDate = 0;
  page.EfxSource()->setCurrentIndex(10);  // "11": part 11
  Q_EMIT page.EfxSource()->activated(10);
  EXPECT_EQ(Data()[12], 10);
  EXPECT_EQ(instrument->Read(kPerformance + 12, 1).at(0), 10);
  EXPECT_EQ(History(page, 0) + History(page, 1), 0u);
  EXPECT_EQ(element->ModifiedDate, 0);
  // Any other control marks the performance modified.
  Choose(*page.Binding(41), 64);
  EXPECT_NE(element->ModifiedDate, 0);

  EXPECT_FALSE(Open(false).EfxSourceGroup()->isVisibleTo(form.get()));  // a patch has none
}

TEST_F(FormEffect, TheDelaysFeedbackModeRedrawsTheDiagramWithoutRebuilding) {
  TFormEffect& page = Open(false);
  PickType(17);
  const int rebuilds = page.Rebuilds();
  TParamBinding* mode = page.Param(4);  // "FeedBack Mode", byte 13
  ASSERT_NE(mode, nullptr);
  Choose(*mode, 1);
  EXPECT_EQ(page.Diagram()->FeedbackMode(), 1);
  Choose(*mode, 0);
  EXPECT_EQ(page.Diagram()->FeedbackMode(), 0);
  EXPECT_EQ(page.Rebuilds(), rebuilds);
}

// A focused value field and then its caption taken away: the page still shows its block, the
// keyboard walks its controls, and the type changes (ports closed: stored and Page 2 rebuilt at
// once) while one of Page 2's fields has the focus and has just been stepped by a key. (Its
// controls are held by guarded pointers, so the order they go in takes no other path.)
TEST_F(FormEffect, PageTwoOutlivesItsControlsDeletedAndRebuildsUnderTheFocus) {
  TFormEffect& page = Open(false);
  Data()[12] = 0;  // fields 2 and 4 are value fields, 1 a list
  page.UpdateView(true);
  page.findChild<QTabWidget*>()->setCurrentIndex(1);
  QApplication::setActiveWindow(&page);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
  auto tabAround = [&page] {
    for (int i = 0; i < 14; ++i) {
      QWidget* focus = QApplication::focusWidget();
      QTest::keyClick(focus ? focus : &page, Qt::Key_Tab);
    }
  };

  TParamBinding* binding = page.Param(2);
  ASSERT_NE(qobject_cast<TMyEdit*>(binding->Widget()), nullptr);
  binding->Widget()->setFocus();
  ASSERT_TRUE(binding->Widget()->hasFocus());
  delete binding->Widget();
  delete binding->Label();
  EXPECT_EQ(binding->Widget(), nullptr);
  EXPECT_EQ(binding->Label(), nullptr);
  page.UpdateView();
  tabAround();

  // With the ports closed the type is stored, marked, and the controls follow at once.
  MidiSession().SetMidiOpen(false);
  page.Param(4)->Widget()->setFocus();
  ASSERT_TRUE(page.Param(4)->Widget()->hasFocus());
  element->ModifiedDate = 0;
  const auto sets = instrument->Counters().DataSets;
  page.TypeChange(22);
  ASSERT_EQ(page.Params().size(), 10u);
  EXPECT_EQ(Data()[12], 22);
  EXPECT_EQ(page.TypeList()->currentIndex(), 22);
  EXPECT_FALSE(page.Request().Waiting());
  EXPECT_EQ(instrument->Counters().DataSets, sets);
  EXPECT_NE(element->ModifiedDate, 0);
  tabAround();
  page.Param(1)->Widget()->setFocus();
  const int offset = page.Param(1)->Row().Offset;
  const std::uint8_t before = Data()[offset];
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  EXPECT_NE(Data()[offset], before);  // stepped and stored
  page.TypeChange(0);
  EXPECT_EQ(page.Params().size(), 11u);
  tabAround();
  MidiSession().SetMidiOpen(true);
}

// The type change sends the type, then the type again and the request, and takes the answer
// without sending it back. Undo and Redo, and a return to a type used before, send the type's
// data set, then its twelve parameters as last left, and no request; Revert goes back to the
// page as it opened.
TEST_F(FormEffectLoop, ATypeGoesOutAsTheTypeThenItsRequestOrItsTwelveParameters) {
  for (const bool performance : {false, true}) {
    SCOPED_TRACE(performance);
    TFormEffect& page = Open(performance);
    const int shift = performance ? 1 : 0;
    const std::uint32_t type = base + 12 + shift, parameters = type + 1;
    page.Tabs()->setCurrentIndex(1);
    const TBytes opening(Data() + 13 + shift, Data() + 25 + shift);
    const std::uint8_t openingType = Data()[12 + shift];
    const TBytes answer{9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2};
    loop->ClearSent();
    page.TypeChange(5);
    EXPECT_EQ(loop->Sent(), (std::vector<TBytes>{DataSet(type, {5}), DataSet(type, {5}),
                                                 Request(parameters, 0x0C)}));
    ASSERT_TRUE(loop->Inject(0, DataSet(parameters, answer)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page.Request().Waiting(); }, 3000));
    EXPECT_EQ(TBytes(Data() + 13 + shift, Data() + 25 + shift), answer);
    EXPECT_EQ(SentCount(), 3u);           // nothing sent back
    EXPECT_EQ(page.Params().size(), 5u);  // "Enhancer"
    struct TStep {
      std::function<void()> Act;
      std::vector<TBytes> Sent;
      int Type;
      std::size_t Controls;
    };
    const TStep steps[] = {
        {[&] { page.Undo(); }, {DataSet(type, {openingType}), DataSet(parameters, opening)}, 0, 11},
        {[&] { page.Redo(); }, {DataSet(type, {5}), DataSet(parameters, answer)}, 5, 5},
        {[&] { page.TypeChange(0); }, {DataSet(type, {0}), DataSet(parameters, opening)}, 0, 11},
        {[&] { page.TypeChange(5); }, {DataSet(type, {5}), DataSet(parameters, answer)}, 5, 5},
        {[&] { page.TypeChange(5); }, {}, 5, 5},  // the type shown: nothing
    };
    for (const TStep& step : steps) {
      SCOPED_TRACE(step.Type);
      loop->ClearSent();
      step.Act();
      EXPECT_EQ(loop->Sent(), step.Sent);
      EXPECT_FALSE(page.Request().Waiting());
      EXPECT_EQ(page.TypeList()->currentIndex(), step.Type);
      EXPECT_EQ(page.Params().size(), step.Controls);
    }
    // An edit comes back with its type; Revert takes every change back and sends the block.
    Choose(*page.Param(1), 100);
    const int offset = page.Param(1)->Row().Offset;  // a performance's rows are shifted
    TBytes edited = answer;
    edited[static_cast<std::size_t>(offset - 13 - shift)] = Data()[offset];
    EXPECT_NE(edited, answer);
    // A parameter's own Undo and Redo store and send that parameter alone.
    const auto at = static_cast<std::uint32_t>(base + offset);
    loop->ClearSent();
    page.Undo();
    page.Redo();
    EXPECT_EQ(loop->Sent(), (std::vector<TBytes>{DataSet(at, {answer[offset - 13 - shift]}),
                                                 DataSet(at, {Data()[offset]})}));
    page.TypeChange(0);
    loop->ClearSent();
    page.TypeChange(5);
    EXPECT_EQ(loop->Sent(), (std::vector<TBytes>{DataSet(type, {5}), DataSet(parameters, edited)}));
    page.Revert();
    EXPECT_EQ(TBytes(Data() + 13 + shift, Data() + 25 + shift), opening);
    EXPECT_EQ(Data()[12 + shift], openingType);
    EXPECT_EQ(AddressOf(loop->Sent().back()), base);
    EXPECT_EQ(page.Params().size(), 11u);
  }
}

// A request that ends without an answer (a receive took the input over; Retry could not send)
// leaves Page 2 built for the type the list shows, not for the type before.
TEST_F(FormEffectLoop, ARequestWithoutAnAnswerLeavesPageTwoBuiltForTheStoredType) {
  for (const bool receive : {true, false}) {
    SCOPED_TRACE(receive ? "receive" : "Retry fails");
    TFormEffect& page = Open(false);
    ASSERT_EQ(page.Params().size(), 11u);  // "Stereo Equalizer"
    Timing().EffectsRequestMs = 20;
    page.TypeList()->setCurrentIndex(17);
    page.TypeChange(17);  // "18 : Modulation-Delay", twelve controls
    ASSERT_TRUE(page.Request().Waiting());
    if (receive) {
      Transfer().Start(1, QStringLiteral("Patch : "), QStringLiteral("Receive"));
      Transfer().AttachInput([](TMidiInput* input) { TTransfer::TakeEvent(input); });
    } else {
      ui.Answers = {mbRetry};
      loop->FailSends(QStringLiteral("port gone"));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page.Request().Waiting(); }, 3000));
    QTest::qWait(30);
    EXPECT_EQ(page.TypeList()->currentIndex(), 17);
    EXPECT_EQ(page.Params().size(), 12u);
    EXPECT_TRUE(page.Param(12) && page.Param(12)->Row().Offset == 24);
    if (receive) {  // a receive takes the input silently
      EXPECT_TRUE(ui.Questions.empty());
    }
    if (receive) Transfer().Close();
    loop->FailSends(QString());
    Timing().EffectsRequestMs = 3000;
  }
}
