// The name lists: both files loaded into numbered lists, the installed lists' numbering, the
// failures, the reload after a bank transfer and the "Select Name" picker; and "Updating names"
// against the built-in instrument with and without a card, with damaged replies and against a
// silent port: the requests, card steps passed over, Retry, the file and the reload.
#include <QTableWidget>

#include "dialogs/formnames.h"
#include "dialogs/formselectname.h"
#include "dialogs/formupdatenames.h"
#include "mainwindow_fixture.h"
#include "model/namelists.h"

namespace {

class TNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Timing() = TTiming::Scaled(0.02);
    // Long enough that the instrument's answers always come in time on a busy machine.
    Timing().UpdateNamesMs = 150;
    previousStart_ = StartDirectory();
    SetStartDirectory(dir_.path());
    TMidiDevices::Instance().Clear();
  }
  void TearDown() override {
    MidiSession().Destroy();
    if (VirtualInstrument()) VirtualInstrument()->SetFaults(TInstrumentFaults{});
    TMidiDevices::Instance().Clear();
    SetStartDirectory(previousStart_);
    Timing() = TTiming();
  }
  void Write(const QString& name, const QByteArray& bytes) {
    WriteFile(dir_.filePath(name), bytes);
  }
  QByteArray UserCardFile() const { return ReadFile(dir_.filePath("UserCard.Txt")); }
  static void UseInstrument(bool card) {
    RegisterVirtualInstrument();
    VirtualInstrument()->Reset();
    VirtualInstrument()->SetCardInserted(card);
    MidiSession().Create();
  }
  static int Run(TFormUpdateNames& dialog) {
    QTimer::singleShot(30000, &dialog, [&dialog] { dialog.reject(); });
    return dialog.exec();
  }
  // "UserCard.Txt" holds the instrument's names (no card names without the card).
  void ExpectInstrumentNames(bool card) {
    TNameLists lists;
    lists.SetBytes(UserCardFile());
    const struct {
      TNameLists::TList List;
      std::uint32_t High;
      int Count;
    } sections[] = {{TNameLists::nlCardPerformances, 0x20, 32},
                    {TNameLists::nlUserPerformances, 0x10, 32},
                    {TNameLists::nlCardPatches, 0x21, 128},
                    {TNameLists::nlUserPatches, 0x11, 128}};
    for (const auto& section : sections) {
      const bool inCard = section.High >> 4 == 2;
      ASSERT_EQ(card || !inCard ? section.Count : 0, lists.Lists[section.List].size())
          << section.High;
      for (int i = 0; i < lists.Lists[section.List].size(); ++i)
        EXPECT_EQ(
            VirtualInstrument()->Name(section.High << 24 | static_cast<std::uint32_t>(i) << 16),
            lists.Lists[section.List][i])
            << section.High << " " << i;
    }
  }

  QTemporaryDir dir_;
  QString previousStart_;
};

TEST_F(TNamesTest, SeparatorsMoveToTheNextListEmptyLinesAreSkippedAndEachLoadStartsAfresh) {
  TScopedScriptedUI ui;
  Write("Names.Txt", "Alpha\r\n\r\nBeta\r\n\xC7\r\n\xC7\r\nGamma\r\n\xC7 trailing\r\nDelta");
  Write("UserCard.Txt", "CardPerf\r\n\xC7\r\nUserPerf\r\n\xC7\r\n");
  TFormNames names;
  ASSERT_TRUE(names.Load());
  // "Names.Txt" ended on list 4; the user and card names start on the next one.
  const QList<QStringList> lists = {{},        {"Alpha", "Beta"}, {},          {"Gamma"},
                                    {"Delta"}, {"CardPerf"},      {"UserPerf"}};
  for (int list = 0; list < lists.size(); ++list) EXPECT_EQ(lists[list], names.List(list)) << list;
  EXPECT_TRUE(names.List(66).isEmpty());
  EXPECT_EQ(QStringList({names.Name(1, 1), names.Name(1, 2), names.Name(1, -1)}),
            QStringList({"Beta", "", ""}));
  EXPECT_TRUE(ui.Questions.empty());
  // Names past list 65 are dropped; a load starts from empty lists.
  QByteArray many;
  for (int i = 0; i < 70; ++i) many += "N" + QByteArray::number(i) + "\r\n\xC7\r\n";
  Write("Names.Txt", many);
  Write("UserCard.Txt", "");
  ASSERT_TRUE(names.Load());
  EXPECT_EQ(QStringList({"N64"}), names.List(65));
  Write("Names.Txt", "Only\r\n");
  ASSERT_TRUE(names.Load());
  EXPECT_EQ(QStringList({"Only"}), names.List(1));
  EXPECT_TRUE(names.List(2).isEmpty());
  // A bank transfer reloads the program's names window.
  ASSERT_EQ(&names, NamesWindow());
  Write("Names.Txt", "After\r\n");
  ASSERT_TRUE(NamesWindowLoadHook());
  NamesWindowLoadHook()();
  EXPECT_EQ(QStringList({"After"}), names.List(1));
}

TEST_F(TNamesTest, TheInstalledListsAreNumberedForTheEditorPagesAndAFirstStartWritesBlanks) {
  TScopedScriptedUI ui;
  // No file at all: the installed names, and "UserCard.Txt" written silently, all blank.
  TFormNames names;
  EXPECT_TRUE(names.Load());
  EXPECT_TRUE(ui.Questions.empty());
  const QByteArray blank = QByteArray(12, ' ') + "\r\n";
  EXPECT_EQ(blank.repeated(32) + "\xC7\r\n" + blank.repeated(32) + "\xC7\r\n" +
                blank.repeated(128) + "\xC7\r\n" + blank.repeated(128) + "\xC7\r\n",
            UserCardFile());
  // No "Names.Txt" in the start directory: the installed one is used.
  Write("UserCard.Txt", "CPerf\r\n\xC7\r\nUPerf\r\n\xC7\r\nUPatch\r\n\xC7\r\nCPatch\r\n\xC7\r\n");
  ASSERT_TRUE(names.Load());
  const struct {
    int List, Index;
    const char* Name;
  } installed[] = {
      {1, 0, "Int-A 001"},     {2, 255, "Int-B 256"},  {3, 0, "Pop W001"},  // waves of board 1
      {4, 127, "Pop P128"},                                                 // patches of board 1
      {23, 0, "Techno W001"},  {24, 0, "Techno P001"},                      // board 11
      {25, 0, "PrA 001"},      {28, 127, "GM 128"},    {29, 0, "PnoSel W001"},  // card 1
      {30, 0, "PnoSel P001"},  {43, 0, "Cntry W001"},  {44, 0, "Cntry P001"},   // card 8
      {46, 31, "PrB Perf 32"}, {47, 0, "CPerf"},       {48, 0, "UPerf"},
      {49, 0, "UPatch"},       {50, 0, "CPatch"},
  };
  for (const auto& name : installed)
    EXPECT_EQ(QLatin1String(name.Name), names.Name(name.List, name.Index)) << name.List;
  EXPECT_EQ(std::tuple(names.List(45).size(), names.List(47).size()), std::tuple(32, 1));
  for (int list = 1; list <= 46; ++list)
    for (const QString& name : names.List(list)) ASSERT_LE(name.size(), 12) << name.toStdString();
  // A "Names.Txt" of its own comes first; lists 2 to 5 are then the instrument's.
  Write("Names.Txt", "Kept\r\n");
  ASSERT_TRUE(names.Load());
  EXPECT_EQ(QStringList({"Kept"}), names.List(1));
  EXPECT_EQ(QStringList({"CPatch"}), names.List(5));

  // An unreadable "UserCard.Txt" is reported and what was read is kept.
  ASSERT_TRUE(QFile::remove(QDir(dir_.path()).filePath("UserCard.Txt")));
  ASSERT_TRUE(QDir(dir_.path()).mkdir("UserCard.Txt"));
  EXPECT_FALSE(names.Load());
  ASSERT_EQ(1u, ui.Questions.size());
  EXPECT_EQ("Unable to Load File Names.Txt Or UserCard.Txt", ui.LastText());
  EXPECT_EQ(QStringList({"Kept"}), names.List(1));
}

TEST(NamesPicker, ShowsSixColumnsScrollsToTheCurrentRowAndIgnoresOkPastTheLastName) {
  QStringList names;
  for (int i = 0; i < 100; ++i) names << QStringLiteral("W%1").arg(i);
  TFormSelectName picker;
  picker.SetNames(names, 45);
  picker.show();
  const QTableWidget* grid = picker.Grid();
  EXPECT_EQ(std::tuple(grid->columnCount(), grid->rowCount(), grid->item(7, 3)->text(),
                       grid->currentRow(), grid->currentColumn()),
            std::tuple(6, 17, QStringLiteral("W45"), 7, 3));
  EXPECT_EQ(5, picker.TopRow());  // 17 rows - 12 shown
  picker.SetNames(names, 14);
  EXPECT_EQ(2, picker.TopRow());
  picker.SetNames(names.mid(0, 8), 2);
  picker.Grid()->setCurrentCell(1, 4);  // index 10, past "W7"
  picker.OkButton()->click();
  EXPECT_EQ(std::tuple(picker.isVisible(), picker.result()),
            std::tuple(true, int(QDialog::Rejected)));
  picker.Grid()->setCurrentCell(1, 1);
  picker.OkButton()->click();
  EXPECT_EQ(std::tuple(picker.isVisible(), picker.result(), picker.Index()),
            std::tuple(false, int(QDialog::Accepted), 7));
}

TEST_F(TNamesTest, SilentPortGetsSixteenTwelveByteRequestsPerStepAndOkOnAUserStepCloses) {
  auto loop = std::make_unique<TLoopbackBackend>(QStringList{"Loop"});
  TLoopbackBackend* backend = loop.get();
  TMidiDevices::Instance().Add(std::move(loop));
  MidiSession().Create();
  TScopedScriptedUI ui;
  ui.Answers = {mbOK};
  TFormUpdateNames dialog;
  EXPECT_EQ(QDialog::Rejected, Run(dialog));
  // Two card steps passed over, then the first user step unanswered.
  ASSERT_EQ(1u, ui.Questions.size());
  EXPECT_EQ(std::tuple(ui.LastText(), ui.Questions[0].Buttons, dialog.Step()),
            std::tuple(QStringLiteral("The Instrument Is Not Responding."), mbOK | mbRetry, 2));
  const auto sent = backend->Sent();
  ASSERT_EQ(48u, sent.size());
  for (int i = 0; i < 48; ++i) {
    const std::uint8_t high = i < 32 ? 0x20 : 0x10;
    const std::uint8_t element = i % 32;
    const std::uint8_t sum = (128 - (high + element + 0x0C) % 128) % 128;
    const TBytes expected{0xF0, 0x41, DeviceIdByte(), 0x6A, 0x11, high, element, 0, 0, 0,
                          0,    0,    0x0C,           sum,  0xF7};
    EXPECT_EQ(expected, sent[i]) << "request " << i;
  }
  EXPECT_EQ(std::tuple(dialog.ReceivedCount(), dialog.Gauge()->value()), std::tuple(32, 10));
  // The port's own handler is back.
  using THandler = void (*)(TMidiInput*);
  const THandler* handler = MidiSession().Input()->OnMidiInput.target<THandler>();
  EXPECT_TRUE(handler && *handler == &DefaultMidiInput);
}

// A step's sixteen requests take longer to leave than its time-out, which counts from the last.
TEST_F(TNamesTest, WithoutCardUserNamesAreWrittenAndReloadedAndCancelClosesAtOnce) {
  UseInstrument(false);
  Write("Names.Txt", "Wave\r\n");
  TFormNames window;
  TScopedScriptedUI ui;
  TFormUpdateNames cancelled;
  QTimer::singleShot(0, &cancelled, [&cancelled] { cancelled.CancelButton()->click(); });
  EXPECT_EQ(QDialog::Rejected, Run(cancelled));  // before the tuple: its order is unspecified
  EXPECT_EQ(std::tuple(cancelled.Timer()->isActive(), UserCardFile()),
            std::tuple(false, QByteArray()));

  Timing().MessagePauseMs = 8;
  Timing().UpdateNamesMs = 100;
  TFormUpdateNames dialog;
  ASSERT_EQ(QDialog::Accepted, Run(dialog));
  EXPECT_EQ(std::tuple(ui.Questions.size(), dialog.Gauge()->value()), std::tuple(0u, 100));
  ExpectInstrumentNames(false);  // read back section by section: their order is checked too
  // The names window was loaded again: user patches follow the list "Names.Txt" ended on.
  EXPECT_EQ(VirtualInstrument()->Name(0x11000000), window.Name(4, 0));
}

// Lost, damaged and misshapen replies; Retry asks for the step again without doubling names.
TEST_F(TNamesTest, DamagedRepliesNeverBecomeNamesNorShiftTheNamesAfterThem) {
  UseInstrument(true);
  TInstrumentFaults faults;
  faults.Corrupt = 0.1;
  faults.WrongLength = 0.1;
  faults.Drop = 0.05;
  faults.Seed = 5;
  VirtualInstrument()->SetFaults(faults);
  struct TRetryingUI : TScopedScriptedUI {
    int Ask(TMsgKind kind, const QString& text, int buttons) override {
      Questions.push_back({kind, text, buttons, mbRetry});
      VirtualInstrument()->SetFaults(TInstrumentFaults{});
      return mbRetry;
    }
  } ui;
  TFormUpdateNames dialog;
  ASSERT_EQ(QDialog::Accepted, Run(dialog));
  // The card answered before its first damaged reply, so the damage was asked about.
  ASSERT_EQ(1u, ui.Questions.size());
  EXPECT_EQ("The Instrument Is Not Responding.", ui.LastText());
  ExpectInstrumentNames(true);
}

}  // namespace
