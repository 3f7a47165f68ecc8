#pragma once
// TRhythm (kind 4): a drum kit, a common block holding its name and one note block for each key
// from 35 to 98, with the bookkeeping of the rhythm editor's four pages.
#include <array>

#include "model/blockset.h"
#include "model/libelem.h"
#include "model/pageslot.h"
#include "model/rhythmcommon.h"
#include "model/rhythmnote.h"

class TRhythm : public TLibElem, public TBlockSet {
 public:
  static constexpr int kNoteCount = 64;
  static constexpr int kRecordSize = 4590;
  static constexpr int kBlockCount = 65;
  static constexpr int kSysexSize = 4439;
  enum TPage { pgTVA, pgTVF, pgPitch, pgMain, kPageCount };

  explicit TRhythm(TLibElem* owner);
  ~TRhythm() override;

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
  // Block by block under the progress window's timer.
  void Transmit(bool toTemporary) override;
  void TransmitNext() override;
  // Block by block under the progress window; closes a second after the last block.
  void Receive(bool fromTemporary) override;
  void RequestNext() override;

  int BlockCount() const override { return kBlockCount; }
  TTransferBlock TransferBlock(int block) override;

  // Base of the set's own location: 02 09 00 00, or user 10 4n 00 00 / card 20 4n 00 00.
  std::uint32_t BaseAddress() const override;
  // Address of block 0 (common) to 64 (key 98) at the set's own location.
  std::uint32_t BlockAddress(int block) const;
  TRhythmNote& Note(int key) { return Notes[key - TRhythmNote::kFirstKey]; }

  std::uint32_t RhythmTarget = 0;     // target address of the transfer in progress
  std::uint16_t CompletionCount = 0;  // completion counter of a receive
  TRhythmCommon Common;
  std::array<TRhythmNote, kNoteCount> Notes;
  std::array<TPageSlot, kPageCount> Pages;
};

extern TRhythm* CurrentRhythm;
