// The element property dialog: which controls it offers and what OK changes.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include "app/formedit.h"
#include "model/global.h"
#include "model/library.h"
#include "model/patchbank.h"

TEST(FormEdit, PatchInABankKeepsItsPlace) {
  TLibrary library;
  auto& bank = static_cast<TPatchBank&>(library.NewElement(ekPatchBank));
  TFormEdit dialog;
  dialog.SetElement(bank.Member(5), true);
  EXPECT_FALSE(dialog.UserButton()->isEnabled());
  EXPECT_FALSE(dialog.CardButton()->isEnabled());
  EXPECT_FALSE(dialog.TemporaryButton()->isEnabled());
  EXPECT_FALSE(dialog.PositionBox()->isVisibleTo(&dialog));
  EXPECT_EQ(dialog.findChild<QLabel*>()->text(), QStringLiteral("Patch Name"));
  EXPECT_TRUE(dialog.windowTitle().startsWith(QStringLiteral("Edit property of : ")));
}

TEST(FormEdit, EnablingFollowsKindDataCardAndTemporary) {
  TLibrary library;
  TLibElem& performance = library.NewElement(ekPerformance);
  performance.Temporary = false;
  performance.User = true;
  performance.Number = 7;
  TFormEdit dialog;
  dialog.SetElement(performance, false);
  EXPECT_TRUE(dialog.UserButton()->isChecked());
  EXPECT_TRUE(dialog.UserButton()->isEnabled());
  EXPECT_FALSE(dialog.CardButton()->isEnabled());  // no data card
  EXPECT_TRUE(dialog.TemporaryButton()->isEnabled());
  EXPECT_TRUE(dialog.PositionBox()->isVisibleTo(&dialog));
  EXPECT_EQ(dialog.PositionBox()->maximum(), 32);
  EXPECT_EQ(dialog.PositionBox()->value(), 7);
  dialog.TemporaryButton()->click();
  EXPECT_FALSE(dialog.PositionBox()->isVisibleTo(&dialog));

  TLibElem& system = library.NewElement(ekSystem);
  dialog.SetElement(system, true);
  EXPECT_FALSE(dialog.UserButton()->isEnabled());
  EXPECT_FALSE(dialog.CardButton()->isEnabled());
  EXPECT_FALSE(dialog.TemporaryButton()->isEnabled());
  EXPECT_FALSE(dialog.PositionBox()->isVisibleTo(&dialog));

  TLibElem& rhythmBank = library.NewElement(ekRhythmBank);
  dialog.SetElement(rhythmBank, true);
  EXPECT_TRUE(dialog.CardButton()->isEnabled());
  EXPECT_FALSE(dialog.TemporaryButton()->isEnabled());
}

TEST(FormEdit, OkStoresChangesAndMarksTheLibrary) {
  TLibrary library;
  TLibElem& patch = library.NewElement(ekPatch);
  patch.ModifiedDate = 1;
  TFormEdit dialog;
  dialog.SetElement(patch, true);
  dialog.accept();  // nothing changed
  EXPECT_TRUE(library.Saved);
  EXPECT_EQ(patch.ModifiedDate, 1);

  dialog.SetElement(patch, true);
  dialog.NameEdit()->setText(QStringLiteral("Warm Pad"));
  dialog.CardButton()->click();
  dialog.PositionBox()->setValue(128);
  dialog.accept();
  EXPECT_EQ(patch.GetName(), QStringLiteral("Warm Pad"));
  EXPECT_FALSE(patch.Temporary);
  EXPECT_FALSE(patch.User);
  EXPECT_EQ(patch.Number, 128);
  EXPECT_FALSE(library.Saved);
  EXPECT_GT(patch.ModifiedDate, 1);
  EXPECT_EQ(dialog.NameEdit()->maxLength(), 12);

  // Made temporary, the patch is no longer in the user memory either.
  patch.User = true;
  dialog.SetElement(patch, true);
  dialog.TemporaryButton()->click();
  dialog.accept();
  EXPECT_TRUE(patch.Temporary);
  EXPECT_FALSE(patch.User);
}
