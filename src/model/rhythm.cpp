#include "model/rhythm.h"

#include "midi/midisession.h"
#include "model/patch.h"
#include "model/sendable.h"
#include "model/transfer.h"

TRhythm* CurrentRhythm = nullptr;

namespace {
// Records keep the page places in this order, not in the order the pages are held.
constexpr TRhythm::TPage kRecordOrder[] = {TRhythm::pgMain, TRhythm::pgPitch, TRhythm::pgTVA,
                                           TRhythm::pgTVF};
}  // namespace

TRhythm::TRhythm(TLibElem* owner) : TLibElem(owner) {
  Kind = ekRhythm;
  for (int i = 0; i < kNoteCount; ++i) Notes[i].Key = TRhythmNote::kFirstKey + i;
}

TRhythm::~TRhythm() {
  CloseViews();
  if (CurrentRhythm == this) CurrentRhythm = nullptr;
}

void TRhythm::Assign(const TLibElem& source) {
  TLibElem::Assign(source);
  if (auto* rhythm = dynamic_cast<const TRhythm*>(&source)) {
    Common.Image = rhythm->Common.Image;
    for (int i = 0; i < kNoteCount; ++i) Notes[i].Image = rhythm->Notes[i].Image;
  }
}

QString TRhythm::GetName() const {
  return NameFromBytes(Common.Data());
}

void TRhythm::SetName(const QString& name, bool send) {
  StoreName(Common, name, send);
}

void TRhythm::UpdateViews() {
  NotifyViews();
}

std::uint32_t TRhythm::BaseAddress() const {
  return MemoryBase(TRhythmCommon::kTemporaryBase, 0x10400000, 0x20400000, 2);
}

std::uint32_t TRhythm::BlockAddress(int block) const {
  return block == 0 ? BaseAddress() : BaseAddress() + Notes[block - 1].AreaOffset();
}

void TRhythm::PrepareMessages() {
  Common.Prepare(BlockAddress(0));
  for (int i = 0; i < kNoteCount; ++i) Notes[i].Prepare(BlockAddress(i + 1));
}

void TRhythm::WriteSysex(TByteWriter& out) {
  TLibElem::WriteSysex(out);
  Common.Write(out);
  for (const TRhythmNote& note : Notes) note.Write(out);
}

void TRhythm::ReadSysex(TByteReader& in) {
  Common.Read(in);
  for (TRhythmNote& note : Notes) note.Read(in);
}

void TRhythm::SaveToLibrary(TByteWriter& out) {
  TLibElem::SaveToLibrary(out);
  for (TPage page : kRecordOrder) WritePlace(out, Pages[page]);
  WriteSysex(out);
}

void TRhythm::LoadFromLibrary(TByteReader& in) {
  TLibElem::LoadFromLibrary(in);
  for (TPage page : kRecordOrder) ReadPlace(in, Pages[page]);
  ReadSysex(in);
}

void TRhythm::Init() {
  Common.Init();
  for (TRhythmNote& note : Notes) note.Init();
  UpdateViews();
}

void TRhythm::StorePositions() {
  TLibElem::StorePositions();
  for (TPageSlot& page : Pages) StorePlace(page.Window, page.Open, page.Left, page.Top);
}

TTransferBlock TRhythm::TransferBlock(int block) {
  if (block == 0) return {Common.Image.data(), TRhythmCommon::kImageSize, 0, 0x0C};
  TRhythmNote& note = Notes.at(static_cast<std::size_t>(block - 1));
  return {note.Image.data(), TRhythmNote::kImageSize, note.AreaOffset(), 0x3A};
}

void TRhythm::Transmit(bool toTemporary) {
  if (!MidiSession().MidiOpen()) return;
  if (!CheckSendable(*this)) return;
  if (toTemporary || Temporary) {
    RhythmTarget = TRhythmCommon::kTemporaryBase;
    CurrentRhythm = this;
    PreviewChannel = 10;
  } else {
    RhythmTarget = BaseAddress();
  }
  BlockIndex = 0;
  Transfer().RunTransmission(*this, kBlockCount, QStringLiteral("Rhythm Number"),
                             QStringLiteral("Now Transmitting Rhythm"), true);
}

void TRhythm::TransmitNext() {
  if (BlockIndex >= kBlockCount) return;
  const TTransferBlock block = TransferBlock(BlockIndex);
  Transfer().AddSended(block.ImageSize, 1);
  SendBlockData(RhythmTarget, block);
  if (++BlockIndex == kBlockCount) Transfer().FinishTimed(*this);
}

void TRhythm::Receive(bool fromTemporary) {
  TLibElem::Receive(fromTemporary);
  CompletionCount = 0;
  BlockIndex = 0;
  RhythmTarget = fromTemporary || Temporary ? TRhythmCommon::kTemporaryBase : BaseAddress();
  Transfer().RunReceive(*this, kBlockCount, QStringLiteral("Rhythm Number"),
                        QStringLiteral("Now Receiving Rhythm"), true);
  UpdateViews();
}

void TRhythm::RequestNext() {
  if (!MidiSession().MidiOpen()) return;
  if (CompletionCount >= 1) {
    Transfer().Timer.Stop();
    Transfer().DetachInput();
    Transfer().FinishTimed(*this);
    return;
  }
  RequestBlockOf(*this, *this, RhythmTarget, [this] {
    ++CompletionCount;
    Transfer().Step([this] { RequestNext(); });
  });
}
