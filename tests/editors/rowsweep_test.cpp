// Every row of the tone table stored through the page pattern at its two extremes: one message
// at the tone's address plus the offset (byte 128 one address step further), nothing for the
// stored value again, and Undo restoring the bytes.
#include "editors/common/pagestate.h"
#include "editors/params/params.h"
#include "model/library.h"
#include "model/patch.h"
#include "tests/model/modelfixture.h"

namespace {
class TSweepPage : public TPageState {
 public:
  using TPageState::TPageState;
  void UpdateView() override {}
};

// Tone n's parameter at offset: 03 00 10 00 + (n − 1) × 200H + offset, where offsets from 128
// on lie 01 00 past the tone's start (addresses advance in 7-bit steps).
std::uint32_t ToneAddress(int tone, int offset) {
  const std::uint32_t start = 0x03001000 + static_cast<std::uint32_t>(tone - 1) * 0x200;
  return offset < 128 ? start + offset : start + 0x100 + (offset - 128);
}
}  // namespace

using RowSweep = TSendTest;

TEST_F(RowSweep, EveryToneRowStoresItsExtremesAtItsAddressAndUndoRestores) {
  TLibrary library;
  auto& patch = static_cast<TPatch&>(library.NewElement(ekPatch));
  for (int tone : {1, 3, 4}) {
    TTone& block = patch.Tones[static_cast<std::size_t>(tone - 1)];
    TSweepPage page(patch, block);
    int rows = 0;
    for (const TParamRow& row : ToneRows()) {
      SCOPED_TRACE(testing::Message() << row.Caption << " at " << row.Offset);
      ++rows;
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
        // A tone sends nothing for bytes it holds already, groups included.
        if (before == after) {
          EXPECT_TRUE(sent.empty());
          continue;
        }
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(AddressOf(sent[0]), ToneAddress(tone, row.Offset));
        EXPECT_EQ(DataOf(sent[0]), after);
        EXPECT_TRUE(ChecksumOk(sent[0]));
        loop->ClearSent();
        if (row.Size == 1) {
          page.SendandStore(row.Offset, bytes[0]);
          EXPECT_TRUE(loop->Sent().empty());
        }
        page.Undo();
        EXPECT_EQ(TBytes(block.Data() + row.Offset, block.Data() + row.Offset + row.Size),
                  before);
        page.Redo();
      }
    }
    EXPECT_GT(rows, 100);
  }
}
