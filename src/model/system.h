#pragma once
// TSystem (kind 6): the instrument's system settings, a common block and seventeen scale tunes,
// with the bookkeeping of the system editor's four section windows. There is one system area, so
// a system has no user, card or temporary location.
#include <array>

#include "model/blockset.h"
#include "model/libelem.h"
#include "model/pageslot.h"
#include "model/partscaletune.h"
#include "model/systemcommon.h"

class TSystem : public TLibElem, public TBlockSet {
 public:
  static constexpr int kRecordSize = 593;  // 635 in the XP layout
  static constexpr int kBlockCount = 18;
  static constexpr int kSysexSize = 442;
  enum TPage { pgSetup, pgMidi, pgPreview, pgScaleTune, kPageCount };

  explicit TSystem(TLibElem* owner);
  ~TSystem() override;

  void Assign(const TLibElem& source) override;
  void UpdateViews() override;
  void PrepareMessages() override;
  void WriteSysex(TByteWriter& out) override;
  void ReadSysex(TByteReader& in) override;
  void SaveToLibrary(TByteWriter& out) override;
  void LoadFromLibrary(TByteReader& in) override;
  void Init() override;
  void StorePositions() override;
  // All 18 blocks at once, without a progress window.
  void Transmit(bool toTemporary) override;
  // Block by block under the progress window.
  void Receive(bool fromTemporary) override;
  void RequestNext() override;

  int BlockCount() const override { return kBlockCount; }
  std::uint32_t BaseAddress() const override { return TSystemCommon::kAddress; }
  TTransferBlock TransferBlock(int block) override;

  // Address of block 0 (common) to 17 (patch-mode scale tune).
  std::uint32_t BlockAddress(int block) const;

  TSystemCommon Common;
  std::array<TPartScaleTune, TPartScaleTune::kCount> ScaleTunes;
  std::array<TPageSlot, kPageCount> Pages;
};

extern TSystem* CurrentSystem;
