// Every row of every parameter table stored through the page pattern at its two extremes: one
// message at the block's address plus the offset, nothing for the stored value again, Undo
// restoring the bytes and Redo storing them again.
#include <functional>

#include "editors/params/params.h"
#include "model/library.h"
#include "model/patch.h"
#include "model/performance.h"
#include "model/rhythm.h"
#include "model/system.h"
#include "tests/editors/testpage.h"
#include "tests/model/modelfixture.h"

namespace {

class RowSweep : public TSendTest {
 protected:
  // Sweeps the rows over a block whose byte at offset lies at address(offset); returns how many
  // rows it stored. Bytes a block holds already send nothing (a tone's groups included).
  int Sweep(TLibElem& element, TBlock& block, std::function<std::uint32_t(int)> address,
            std::span<const TParamRow> rows) {
    TTestPage page(element, block);
    const bool tone = dynamic_cast<TTone*>(&block) != nullptr;
    int swept = 0;
    for (const TParamRow& row : rows) {
      if (row.Control == TParamControl::Name) continue;  // stored as typed: the windows' tests
      SCOPED_TRACE(testing::Message() << row.Caption << " at " << row.Offset);
      ++swept;
      for (int stored : {int(row.Min), int(row.Max)}) {
        std::uint8_t bytes[2] = {};
        ParamSplit(row, stored, bytes);
        const TBytes before(block.Data() + row.Offset, block.Data() + row.Offset + row.Size);
        const TBytes after(bytes, bytes + row.Size);
        loop->ClearSent();
        if (row.Size == 1)
          page.SendandStore(row.Offset, bytes[0]);
        else
          page.SendAndStoreArray(row.Offset, bytes, row.Size);
        std::vector<TBytes> sent = loop->Sent();
        if (before == after) {
          if (row.Size == 1 || tone) {
            EXPECT_TRUE(sent.empty());
          }
          continue;
        }
        EXPECT_EQ(sent.size(), 1u);
        if (sent.size() != 1u) continue;
        EXPECT_EQ(AddressOf(sent[0]), address(row.Offset));
        EXPECT_EQ(DataOf(sent[0]), after);
        EXPECT_TRUE(ChecksumOk(sent[0]));
        loop->ClearSent();
        if (row.Size == 1) {
          page.SendandStore(row.Offset, bytes[0]);
          EXPECT_TRUE(loop->Sent().empty());
        }
        page.Undo();
        EXPECT_EQ(TBytes(block.Data() + row.Offset, block.Data() + row.Offset + row.Size), before);
        page.Redo();
        EXPECT_EQ(TBytes(block.Data() + row.Offset, block.Data() + row.Offset + row.Size), after);
      }
    }
    return swept;
  }
  // Byte offset of a block at base: offsets advance in 7-bit address steps.
  static std::function<std::uint32_t(int)> At(std::uint32_t base) {
    return [base](int offset) {
      return base + static_cast<std::uint32_t>(offset < 128 ? offset : 0x100 + offset - 128);
    };
  }
  TLibrary library;
};
}  // namespace

TEST_F(RowSweep, EveryRowStoresItsExtremesAtItsAddressAndUndoRestores) {
  auto& patch = static_cast<TPatch&>(library.NewElement(ekPatch));
  for (int tone : {1, 3, 4}) {
    SCOPED_TRACE(tone);
    EXPECT_GT(Sweep(
                  patch, patch.Tones[static_cast<std::size_t>(tone - 1)],
                  [tone](int offset) { return ToneAddress(tone, offset); }, ToneRows()),
              100);
  }
  auto& performance = static_cast<TPerformance&>(library.NewElement(ekPerformance));
  EXPECT_LE(18, Sweep(performance, performance.Common, At(0x01000000), PerformanceCommonRows()));
  for (int part : {1, 10, 16}) {
    SCOPED_TRACE(part);
    EXPECT_LE(17, Sweep(performance, performance.Parts[static_cast<std::size_t>(part - 1)],
                        At(0x01001000 + static_cast<std::uint32_t>(part - 1) * 0x100),
                        part == 10 ? RhythmPartRows() : PerformancePartRows()));
  }
  // Key k's note at 02 09 00 00 + k × 100H.
  auto& rhythm = static_cast<TRhythm&>(library.NewElement(ekRhythm));
  for (int key : {35, 60, 98}) {
    SCOPED_TRACE(key);
    EXPECT_LE(56,
              Sweep(rhythm, rhythm.Note(key),
                    At(0x02090000 + static_cast<std::uint32_t>(key) * 0x100), RhythmNoteRows()));
  }
  auto& system = static_cast<TSystem&>(library.NewElement(ekSystem));
  EXPECT_LE(38, Sweep(system, system.Common, At(0x00000000), SystemCommonRows()));
  for (int block : {1, 17}) {
    SCOPED_TRACE(block);
    EXPECT_LE(
        12, Sweep(system, system.ScaleTunes[static_cast<std::size_t>(block - 1)],
                  At(0x00001000 + static_cast<std::uint32_t>(block - 1) * 0x100), ScaleTuneRows()));
  }
}
