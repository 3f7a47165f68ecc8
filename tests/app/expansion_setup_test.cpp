// "Expansion Setup": the lists, the slot lookup, and OK writing the whole settings record.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include "app/formexpansion.h"
#include "app/vesta.h"
#include "midi/scriptedui.h"

namespace {

class ExpansionSetup : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = Config(); }
  void TearDown() override {
    Config() = saved_;
    DataCardChangedHook() = nullptr;
  }

  QTemporaryDir dir_;
  TVesta vesta_{dir_.filePath("VESTA95.INI")};
  TScopedScriptedUI ui_;
  TConfig saved_;
};

TEST_F(ExpansionSetup, ListsAndOkStoringTheChoicesWritingTheSettingsAndTellingGlobalWindows) {
  Config().Expansion[1] = 4;
  Config().DeviceID = 20;
  Config().DataCard = false;
  int relayouts = 0;
  DataCardChangedHook() = [&relayouts] { ++relayouts; };
  TFormExpansion form(vesta_);
  EXPECT_EQ("Expansion Setup", form.windowTitle());
  ASSERT_EQ(12, form.Expansion(0)->count());
  EXPECT_EQ("( None )", form.Expansion(3)->itemText(0));
  EXPECT_EQ("Dance", form.Expansion(0)->itemText(6));
  EXPECT_EQ("Key S60S70S", form.Expansion(0)->itemText(8));
  EXPECT_EQ("Techno", form.Expansion(0)->itemText(11));
  ASSERT_EQ(9, form.PcmCard()->count());
  EXPECT_EQ("Country, Blue Grass, Folk", form.PcmCard()->itemText(8));
  EXPECT_EQ(" Data Card Installed", form.DataCard()->text());
  form.show();
  EXPECT_EQ(4, form.Expansion(1)->currentIndex());
  form.Expansion(0)->setCurrentIndex(7);
  form.Expansion(1)->setCurrentIndex(0);
  form.PcmCard()->setCurrentIndex(8);
  form.DataCard()->setChecked(true);
  form.OkButton()->click();
  EXPECT_EQ(QDialog::Accepted, form.result());
  EXPECT_EQ(7, Config().Expansion[0]);
  EXPECT_EQ(0, Config().Expansion[1]);
  EXPECT_EQ(8, Config().PCMCard);
  EXPECT_TRUE(Config().DataCard);
  EXPECT_EQ(1, relayouts);
  EXPECT_EQ(0, Config().ExpansionSlot(7));

  // The whole record went to the file, not only this dialog's keys.
  Config() = TConfig();
  vesta_.ReadConfig();
  EXPECT_EQ(7, Config().Expansion[0]);
  EXPECT_EQ(8, Config().PCMCard);
  EXPECT_TRUE(Config().DataCard);
  EXPECT_EQ(20, Config().DeviceID);

  // The same data card setting again lays nothing out again; Cancel keeps the record.
  form.show();
  form.PcmCard()->setCurrentIndex(2);
  form.OkButton()->click();
  EXPECT_EQ(1, relayouts);
  form.show();
  form.PcmCard()->setCurrentIndex(5);
  form.CancelButton()->click();
  EXPECT_EQ(2, Config().PCMCard);
}

}  // namespace
