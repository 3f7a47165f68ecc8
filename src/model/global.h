#pragma once
// TGlobal (kind 7): a complete dump of the instrument: both patch banks, both performance banks,
// both rhythm banks and the system, kept in that order. Stored as a .Glb file, which is exactly
// its library record.
#include <functional>

#include "model/bank.h"
#include "model/patchbank.h"
#include "model/performancebank.h"
#include "model/rhythmbank.h"
#include "model/system.h"

class TGlobal : public TBank {
 public:
  enum TMember {
    gmUserPatches,
    gmCardPatches,
    gmUserPerformances,
    gmCardPerformances,
    gmUserRhythms,
    gmCardRhythms,
    gmSystem,
    kMemberCount
  };
  static constexpr int kRecordSize = 219450;    // also the size of a .Glb file
  static constexpr int kXpRecordSize = 226020;  // the same in the XP layout

  explicit TGlobal(TLibElem* owner);

  // Each member's library record, kind code first.
  void WriteSysex(TByteWriter& out) override;
  // Each member's record; a kind code that is not the member's is damage (TFormatError).
  void ReadSysex(TByteReader& in) override;
  // Member by member, leaving out the card banks without a data card, and stopping after a
  // member whose transfer did not finish; a receive that went through refreshes the views.
  void Transmit(bool toTemporary) override;
  void Receive(bool fromTemporary) override;
  // The members except the system (card banks only with a data card), then the system.
  void Print(TListingPrinter& printer, bool detailed) override;

  // The .Glb load and save through the file dialogs; true when a file was read or written.
  bool LoadGlobal();
  bool SaveGlobal(bool saveAs);

  static int GlbSize(bool xp) { return xp ? kXpRecordSize : kRecordSize; }
  // The .Glb contents as bytes.
  QByteArray GlbBytes(bool xp) { return RecordBytes(xp); }
  // Reads .Glb contents after checking them whole on a fresh global: nothing changes unless the
  // size and every kind code are those of a global dump. The problem found, or an empty string.
  QString ReadGlbBytes(std::span<const std::uint8_t> bytes, bool xp);

  TPatchBank& PatchBank(bool user) {
    return Typed<TPatchBank>(user ? gmUserPatches : gmCardPatches);
  }
  TPerformanceBank& PerformanceBank(bool user) {
    return Typed<TPerformanceBank>(user ? gmUserPerformances : gmCardPerformances);
  }
  TRhythmBank& RhythmBank(bool user) {
    return Typed<TRhythmBank>(user ? gmUserRhythms : gmCardRhythms);
  }
  TSystem& System() { return Typed<TSystem>(gmSystem); }

 private:
  // A card bank takes part in transfers only with a data card; the others always do.
  bool TakesPart(int member) const;
  // Runs transfer on each member that takes part; false when one did not finish.
  bool EachMember(const std::function<void(TLibElem&)>& transfer);
  template <class T>
  T& Typed(int index) {
    return static_cast<T&>(Member(index));
  }
};
