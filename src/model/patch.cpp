#include "model/patch.h"

#include "midi/midisession.h"
#include "model/sendable.h"
#include "model/transfer.h"

TPatch* CurrentPatch = nullptr;

QString AsciiName(const QString& name) {
  QString ascii;
  ascii.reserve(name.size());
  for (const QChar c : name.normalized(QString::NormalizationForm_D))
    if (c.unicode() >= 0x20 && c.unicode() <= 0x7E) ascii += c;
  return ascii;
}

std::array<std::uint8_t, 12> NameBytes(const QString& name) {
  std::array<std::uint8_t, 12> bytes;
  bytes.fill(' ');
  const QByteArray ascii = AsciiName(name).left(12).toLatin1();
  std::copy(ascii.begin(), ascii.end(), bytes.begin());
  return bytes;
}

QString NameFromBytes(const std::uint8_t* bytes) {
  int length = 12;
  while (length > 0 && bytes[length - 1] == ' ') --length;
  return QString::fromLatin1(reinterpret_cast<const char*>(bytes), length);
}

TPatch::TPatch(TLibElem* owner) : TLibElem(owner) {
  Kind = ekPatch;
}

TPatch::~TPatch() {
  CloseViews();
  if (CurrentPatch == this) CurrentPatch = nullptr;
}

void TPatch::Assign(const TLibElem& source) {
  TLibElem::Assign(source);
  if (auto* patch = dynamic_cast<const TPatch*>(&source)) {
    Common.Image = patch->Common.Image;
    for (int t = 0; t < kToneCount; ++t) Tones[t].Image = patch->Tones[t].Image;
  }
}

QString TPatch::GetName() const {
  return NameFromBytes(Common.Data());
}

void TPatch::SetName(const QString& name, bool send) {
  StoreName(Common, name, send);
}

void TPatch::UpdateViews() {
  NotifyViews();
}

std::uint32_t TPatch::BaseAddress() const {
  return MemoryBase(TCommon::kTemporaryBase, 0x11000000, 0x21000000, 128);
}

std::uint32_t TPatch::BlockAddress(int block) const {
  return block == 0 ? BaseAddress() : BaseAddress() + Tones[block - 1].AreaOffset();
}

void TPatch::PrepareMessages() {
  Common.Prepare(BlockAddress(0));
  for (int t = 0; t < kToneCount; ++t) Tones[t].Prepare(BlockAddress(t + 1));
}

void TPatch::WriteSysex(TByteWriter& out) {
  TLibElem::WriteSysex(out);
  Common.Write(out, TCommon::kXpDataSize);
  for (const TTone& tone : Tones) tone.Write(out);
}

void TPatch::ReadSysex(TByteReader& in) {
  Common.Image.fill(0);
  Common.Read(in, TCommon::kXpDataSize);
  for (TTone& tone : Tones) tone.Read(in);
}

void TPatch::SaveToLibrary(TByteWriter& out) {
  TLibElem::SaveToLibrary(out);
  for (const TTone& tone : Tones)
    for (const TPageSlot& page : tone.Pages) WritePlace(out, page);
  for (const TPageSlot& page : Common.Pages) WritePlace(out, page);
  WriteSysex(out);
}

void TPatch::LoadFromLibrary(TByteReader& in) {
  TLibElem::LoadFromLibrary(in);
  for (TTone& tone : Tones)
    for (TPageSlot& page : tone.Pages) ReadPlace(in, page);
  for (TPageSlot& page : Common.Pages) ReadPlace(in, page);
  ReadSysex(in);
}

void TPatch::Init() {
  Common.Init();
  for (TTone& tone : Tones) tone.Init();
  UpdateViews();
}

void TPatch::StorePositions() {
  TLibElem::StorePositions();
  for (TTone& tone : Tones)
    for (TPageSlot& page : tone.Pages) StorePlace(page.Window, page.Open, page.Left, page.Top);
  for (TPageSlot& page : Common.Pages) StorePlace(page.Window, page.Open, page.Left, page.Top);
}

TTransferBlock TPatch::TransferBlock(int block) {
  if (block == 0) return {Common.Image.data(), TCommon::kImageSize, 0, kRequestSize};
  TTone& tone = Tones.at(static_cast<std::size_t>(block - 1));
  return {tone.Image.data(), TTone::kImageSize, tone.AreaOffset(), kRequestSize};
}

void TPatch::Transmit(bool toTemporary) {
  if (!MidiSession().MidiOpen()) return;
  if (!CheckSendable(*this)) return;
  if (toTemporary || Temporary) {
    TargetAddress = TCommon::kTemporaryBase;
    CurrentPatch = this;
    PreviewChannel = 1;
  } else {
    TargetAddress = BaseAddress();
  }
  SendAllBlocks(*this, TargetAddress);
}

void TPatch::Receive(bool fromTemporary) {
  TLibElem::Receive(fromTemporary);
  if (!MidiSession().MidiOpen()) {
    Transfer().Finished = false;  // nothing arrived
    return;
  }
  BlockIndex = 0;
  TargetAddress = fromTemporary || Temporary ? TCommon::kTemporaryBase : BaseAddress();
  Transfer().RunReceive(*this, 1, QStringLiteral("Pacth"), QStringLiteral("Now Receiving Patch"),
                        true);
  UpdateViews();
}

void TPatch::RequestNext() {
  TTransfer& transfer = Transfer();
  // Every request asks for the whole patch, so its replies always begin with the common block,
  // also when a time-out in the middle of the patch is answered with Retry.
  BlockIndex = 0;
  TTransfer::DiscardPendingInput();
  transfer.ReplyBase = TargetAddress;
  SendDataRequest(TargetAddress, 0, 0, kRequestSize);
  transfer.Timer.SetEnabled(true);
  transfer.AttachInput([this](TMidiInput* input) {
    TTransfer& t = Transfer();
    switch (TakeBlockReply(*this, BlockIndex, input, true, false)) {
      case roNone:
        break;
      case roStored:
        // Each block gets its own time-out: a reply lost after the first would otherwise leave
        // the transfer waiting for good.
        t.Timer.SetEnabled(true);
        break;
      case roLast:
        t.Finished = true;
        t.AddReceived(kSysexSize, kBlockCount);
        t.Close();
        break;
      case roBad:
        t.Step([this] { RequestNext(); });
        break;
    }
  });
}
