#pragma once
// TPerformance (kind 2): a multitimbral setup of the instrument, a common block and sixteen
// parts, with the bookkeeping of its part window.
#include <array>

#include "model/blockset.h"
#include "model/libelem.h"
#include "model/pageslot.h"
#include "model/performancecommon.h"
#include "model/performancepart.h"

class TPerformance : public TLibElem, public TBlockSet {
 public:
  static constexpr int kPartCount = 16;
  static constexpr int kRecordSize = 702;  // 800 in the XP layout
  static constexpr int kBlockCount = 17;
  static constexpr int kSysexSize = 555;

  explicit TPerformance(TLibElem* owner);
  ~TPerformance() override;

  void Assign(const TLibElem& source) override;
  QString GetName() const override;
  void SetName(const QString& name, bool send) override;
  void UpdateViews() override;
  void PrepareMessages() override;
  void WriteSysex(TByteWriter& out) override;
  void ReadSysex(TByteReader& in) override;
  void SaveToLibrary(TByteWriter& out) override;
  void LoadFromLibrary(TByteReader& in) override;
  void Init() override;
  void StorePositions() override;
  // All 17 blocks at once, without a progress window.
  void Transmit(bool toTemporary) override;
  // Block by block under the progress window.
  void Receive(bool fromTemporary) override;
  void RequestNext() override;

  int BlockCount() const override { return kBlockCount; }
  TTransferBlock TransferBlock(int block) override;

  // Each part's data to the temporary performance area, while the MIDI ports are open.
  void SendParts();

  // Base of the performance's own location: 01 00 00 00, or user 10 nn 00 00 / card 20 nn 00 00.
  std::uint32_t BaseAddress() const override;
  // Address of block 0 (common) to 16 (part 16) at the performance's own location.
  std::uint32_t BlockAddress(int block) const;

  TPerformanceCommon Common;
  std::array<TPerformancePart, kPartCount> Parts;
  TPageSlot PartWindow;
};

extern TPerformance* CurrentPerformance;
