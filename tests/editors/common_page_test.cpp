// The common page of a patch, driven through its controls: what one edit sends, every row's
// control storing its extremes, the name, the two tab histories, and the captions following the
// name. (Typed values: the controls' tests, which check one change per entry.)

#include "editorfixture.h"

namespace {
constexpr std::uint32_t kCommon = 0x03000000;

class CommonPage : public TEditorTest {
 protected:
  void SetUp() override {
    TEditorTest::SetUp();
    window_ = &OpenPatch(Patch(0));
    page_ = &OpenCommon(*window_);
    Taken();
    library_->Saved = true;
  }
  TMyEdit* Field(int offset) const { return page_->findChild<TMyEdit*>(Name(offset)); }
  static QString Name(int offset) { return QStringLiteral("Param%1").arg(offset); }
  TCommon& Common() { return Patch(0).Common; }

  TFormPatch* window_ = nullptr;
  TFormCommon* page_ = nullptr;
};
}  // namespace

TEST_F(CommonPage, AnArrowClickIsOneExactDataSetAndEachTabKeepsItsOwnHistory) {
  // "Octave Shift" shows stored − 3; a new patch stores 0, so one step up stores 1.
  TMyEdit* octave = Field(65);
  ASSERT_NE(octave, nullptr);
  QTest::mousePress(octave->UpButton(), Qt::LeftButton);
  QTest::mouseRelease(octave->UpButton(), Qt::LeftButton);
  const TBytes expected = {0xF0, 0x41, DeviceIdByte(), 0x6A, 0x12, 0x03, 0x00, 0x00, 0x41, 0x01,
                           // 128 − (3 + 0x41 + 1) mod 128
                           static_cast<std::uint8_t>(128 - (0x03 + 0x41 + 0x01)), 0xF7};
  EXPECT_EQ(Taken(), std::vector<TBytes>{expected});
  EXPECT_EQ(Common().GetByte(65), 1);
  EXPECT_FALSE(library_->Saved);
  // Page 2 shows its own, empty history.
  QTabWidget* tabs = page_->Tabs();
  tabs->setCurrentIndex(1);
  EXPECT_FALSE(page_->BtnUndo()->isEnabled());
  Field(49)->SetCode(7);
  Q_EMIT Field(49)->OnEndChange();
  tabs->setCurrentIndex(0);
  Taken();
  QTest::mouseClick(page_->BtnRevert(), Qt::LeftButton);
  EXPECT_EQ(Common().GetByte(65), 0);
  EXPECT_EQ(Common().GetByte(49), 7);  // the other tab's change stays
  EXPECT_EQ(Taken().size(), 1u);       // the whole block
  tabs->setCurrentIndex(1);
  EXPECT_TRUE(page_->BtnUndo()->isEnabled());
}

TEST_F(CommonPage, EveryRowsControlStoresItsExtremesOnceAndUndoRestores) {
  for (const TParamRow& row : PatchCommonRows()) {
    if (row.Control == TParamControl::Name) continue;  // the name has its own test
    SCOPED_TRACE(row.Caption);
    TParamBinding* binding = page_->Binding(row.Offset);
    ASSERT_NE(binding, nullptr);
    page_->SetTab(row.Tab);
    page_->Tabs()->setCurrentIndex(row.Tab);
    for (int stored : {int(row.Min), int(row.Max)}) {
      // The control is set to the value as the view would show it, then ends its change.
      std::array<std::uint8_t, TCommon::kDataSize> data{};
      std::copy_n(Common().Data(), TCommon::kDataSize, data.begin());
      ParamSplit(row, stored, data.data() + row.Offset);
      const TBytes before(Common().Data() + row.Offset, Common().Data() + row.Offset + row.Size);
      binding->Show(data.data());
      binding->Store();
      const std::vector<TBytes> sent = Taken();
      const TBytes bytes(data.begin() + row.Offset, data.begin() + row.Offset + row.Size);
      // A group is sent even when it did not change; a single byte only when it did.
      if (row.Size == 1 && before == bytes) {
        EXPECT_TRUE(sent.empty());
        continue;
      }
      ASSERT_EQ(sent.size(), 1u) << stored;
      EXPECT_EQ(sent[0], Set(kCommon + row.Offset, bytes));
      // The stored value again sends nothing (a one-byte row).
      if (row.Size == 1) {
        binding->Store();
        EXPECT_TRUE(Taken().empty());
      }
      page_->Undo();
      EXPECT_EQ(TBytes(Common().Data() + row.Offset, Common().Data() + row.Offset + row.Size),
                before);
      Taken();
    }
  }
}

TEST_F(CommonPage, ATypedNameIsSentWholeAndUndoneAsOneMessage) {
  auto* name = page_->findChild<QLineEdit*>(Name(0));
  ASSERT_NE(name, nullptr);
  name->setFocus();
  QTest::keyClicks(name, QStringLiteral("Ab"));
  std::vector<TBytes> sent = Taken();
  // Every key release sends the whole name.
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1], Set(kCommon, {'A', 'b', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '}));
  page_->Undo();
  sent = Taken();
  EXPECT_EQ(sent, std::vector<TBytes>{
                      Set(kCommon, {'A', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '})});
  EXPECT_EQ(name->text(), "A");
  // An empty name field stores twelve blanks.
  name->clear();
  QTest::keyRelease(name, Qt::Key_End);
  EXPECT_EQ(Patch(0).GetName(), QString());
  EXPECT_EQ(Common().GetByte(0), ' ');
}

// The captions of the patch's windows follow the name as it is typed, and the name field keeps
// its text and cursor.
TEST_F(CommonPage, CaptionsFollowATypedNameAtOnce) {
  QTest::mouseDClick(window_->Part(QStringLiteral("Effects")), Qt::LeftButton);
  auto* effects = qobject_cast<QWidget*>(Patch(0).Common.Pages[TCommon::pgEffects].Window);
  ASSERT_NE(effects, nullptr);
  auto* name = page_->findChild<QLineEdit*>(Name(0));
  ASSERT_NE(name, nullptr);
  name->setFocus();
  name->clear();
  QTest::keyRelease(name, Qt::Key_End);
  QTest::keyClicks(name, QStringLiteral("Brass"));
  // Typed in the middle: the field was not refreshed under the cursor.
  name->setCursorPosition(2);
  QTest::keyClicks(name, QStringLiteral("x"));
  EXPECT_EQ(name->text(), "Brxass");
  EXPECT_EQ(name->cursorPosition(), 3);
  EXPECT_TRUE(window_->windowTitle().startsWith("Brxass ["));
  EXPECT_TRUE(page_->windowTitle().startsWith("Brxass"));
  EXPECT_TRUE(effects->windowTitle().startsWith("Brxass"));
}
