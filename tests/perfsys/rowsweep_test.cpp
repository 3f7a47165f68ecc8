// Every row of the performance, rhythm and system tables stored through the page pattern at its
// two extremes: one message at the block's address plus the offset, nothing for the stored
// value again, and Undo restoring the bytes.
#include "editorfixture.h"
#include "editors/common/pagestate.h"
#include "editors/params/params.h"
#include "model/performance.h"
#include "model/rhythm.h"
#include "model/system.h"

namespace {

class TSweepPage : public TPageState {
 public:
  using TPageState::TPageState;
  void UpdateView() override {}
};

class RowSweep : public TEditorTest {
 protected:
  // Sweeps rows over a block whose byte 0 lies at address; returns how many rows it stored.
  int Sweep(TLibElem& element, TBlock& block, std::uint32_t address,
            std::span<const TParamRow> rows) {
    TSweepPage page(element, block);
    int swept = 0;
    for (const TParamRow& row : rows) {
      if (row.Size > 2) continue;  // the names, stored as typed (the windows' tests)
      SCOPED_TRACE(testing::Message() << row.Caption << " at " << row.Offset);
      ++swept;
      for (int stored : {int(row.Min), int(row.Max)}) {
        std::uint8_t bytes[2] = {};
        ParamSplit(row, stored, bytes);
        const TBytes before(block.Data() + row.Offset, block.Data() + row.Offset + row.Size);
        const TBytes after(bytes, bytes + row.Size);
        if (before == after) continue;
        ClearSent();
        if (row.Size == 1)
          page.SendandStore(row.Offset, bytes[0]);
        else
          page.SendAndStoreArray(row.Offset, bytes, row.Size);
        const std::vector<TBytes> sent = Sent();
        EXPECT_EQ(1u, sent.size());
        if (sent.size() != 1u) continue;
        EXPECT_EQ(address + row.Offset, AddressOf(sent[0]));
        EXPECT_EQ(after, DataOf(sent[0]));
        EXPECT_TRUE(ChecksumOk(sent[0]));
        if (row.Size == 1) {
          ClearSent();
          page.SendandStore(row.Offset, bytes[0]);
          EXPECT_TRUE(Sent().empty());
        }
        page.Undo();
        EXPECT_EQ(before, TBytes(block.Data() + row.Offset, block.Data() + row.Offset + row.Size));
      }
    }
    return swept;
  }
};

TEST_F(RowSweep, EveryPerformanceRhythmAndSystemRowStoresItsExtremesAtItsAddress) {
  TPerformance performance(nullptr);
  performance.Init();
  EXPECT_LE(18, Sweep(performance, performance.Common, 0x01000000, PerformanceCommonRows()));
  for (int part : {1, 10, 16}) {
    SCOPED_TRACE(part);
    EXPECT_LE(17, Sweep(performance, performance.Parts[static_cast<std::size_t>(part - 1)],
                        0x01001000 + static_cast<std::uint32_t>(part - 1) * 0x100,
                        part == 10 ? RhythmPartRows() : PerformancePartRows()));
  }

  TRhythm rhythm(nullptr);
  rhythm.Init();
  for (int key : {35, 60, 98}) {
    SCOPED_TRACE(key);
    // Key k's note at 02 09 00 00 + k × 100.
    EXPECT_LE(56, Sweep(rhythm, rhythm.Note(key),
                        0x02090000 + static_cast<std::uint32_t>(key) * 0x100, RhythmNoteRows()));
  }

  TSystem system(nullptr);
  system.Init();
  EXPECT_LE(38, Sweep(system, system.Common, 0x00000000, SystemCommonRows()));
  for (int block : {1, 17}) {
    SCOPED_TRACE(block);
    EXPECT_LE(12,
              Sweep(system, system.ScaleTunes[static_cast<std::size_t>(block - 1)],
                    0x00001000 + static_cast<std::uint32_t>(block - 1) * 0x100, ScaleTuneRows()));
  }
}

}  // namespace
