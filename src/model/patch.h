#pragma once
// TPatch (kind 0): one sound of the instrument, a common block and four tones.
#include <array>

#include "model/blockset.h"
#include "model/common.h"
#include "model/libelem.h"
#include "model/tone.h"

class TPatch : public TLibElem, public TBlockSet {
 public:
  static constexpr int kToneCount = 4;
  static constexpr int kRecordSize = 898;  // 899 in the XP layout
  static constexpr int kBlockCount = 5;
  static constexpr int kSysexSize = 643;
  static constexpr std::uint32_t kRequestSize = 0x1718;  // the whole patch in one request

  explicit TPatch(TLibElem* owner);
  ~TPatch() override;

  void Assign(const TLibElem& source) override;
  // The 12 name characters of the common block without trailing blanks.
  QString GetName() const override;
  // Padded with blanks or cut to 12; with send stored and sent through the common block.
  void SetName(const QString& name, bool send) override;
  void UpdateViews() override;
  void PrepareMessages() override;
  void WriteSysex(TByteWriter& out) override;
  void ReadSysex(TByteReader& in) override;
  void SaveToLibrary(TByteWriter& out) override;
  void LoadFromLibrary(TByteReader& in) override;
  void Init() override;
  void StorePositions() override;
  // All five blocks at once, without a progress window.
  void Transmit(bool toTemporary) override;
  // One request for the whole patch; a bad reply starts it over from the common block.
  void Receive(bool fromTemporary) override;
  void RequestNext() override;

  int BlockCount() const override { return kBlockCount; }
  TTransferBlock TransferBlock(int block) override;

  // Base of the patch's own location: 03 00 00 00, or user 11 nn 00 00 / card 21 nn 00 00.
  std::uint32_t BaseAddress() const override;
  // Address of block 0 (common) to 4 (tone 4) at the patch's own location.
  std::uint32_t BlockAddress(int block) const;

  TCommon Common;
  std::array<TTone, kToneCount> Tones{TTone(1), TTone(2), TTone(3), TTone(4)};
};

// The patch last transmitted to the instrument's temporary area, or none.
extern TPatch* CurrentPatch;

// A name as sound data can hold it: printable ASCII (20H to 7EH) only, since every data byte of a
// message must stay below 80H. A letter with an accent becomes its base letter (the marks of its
// canonical decomposition dropped); any other character is left out. Length is kept otherwise.
QString AsciiName(const QString& name);
// AsciiName padded with blanks or cut to 12 characters, as sound data holds names.
std::array<std::uint8_t, 12> NameBytes(const QString& name);
// The name held in 12 data bytes, trailing blanks removed.
QString NameFromBytes(const std::uint8_t* bytes);
// Puts a name into data bytes 0 to 11 of a common block: with send stored and sent through the
// block's SetBytes, without only stored.
template <class TBlock>
void StoreName(TBlock& common, const QString& name, bool send) {
  const auto bytes = NameBytes(name);
  if (send)
    common.SetBytes(0, bytes.data(), 12);
  else
    std::copy(bytes.begin(), bytes.end(), common.Data());
}
