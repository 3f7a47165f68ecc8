#include "model/performance.h"

#include "midi/midisession.h"
#include "model/patch.h"
#include "model/sendable.h"
#include "model/transfer.h"

TPerformance* CurrentPerformance = nullptr;

TPerformance::TPerformance(TLibElem* owner) : TLibElem(owner) {
  Kind = ekPerformance;
  for (int p = 0; p < kPartCount; ++p) Parts[p].Number = p + 1;
}

TPerformance::~TPerformance() {
  CloseViews();
  if (CurrentPerformance == this) CurrentPerformance = nullptr;
}

void TPerformance::Assign(const TLibElem& source) {
  TLibElem::Assign(source);
  if (auto* performance = dynamic_cast<const TPerformance*>(&source)) {
    Common.Image = performance->Common.Image;
    for (int p = 0; p < kPartCount; ++p) Parts[p].Image = performance->Parts[p].Image;
  }
}

QString TPerformance::GetName() const {
  return NameFromBytes(Common.Data());
}

void TPerformance::SetName(const QString& name, bool send) {
  StoreName(Common, name, send);
}

void TPerformance::UpdateViews() {
  NotifyViews();
}

std::uint32_t TPerformance::BaseAddress() const {
  return MemoryBase(TPerformanceCommon::kTemporaryBase, 0x10000000, 0x20000000, 32);
}

std::uint32_t TPerformance::BlockAddress(int block) const {
  return block == 0 ? BaseAddress() : BaseAddress() + Parts[block - 1].AreaOffset();
}

void TPerformance::PrepareMessages() {
  Common.Prepare(BlockAddress(0));
  for (int p = 0; p < kPartCount; ++p) Parts[p].Prepare(BlockAddress(p + 1));
}

void TPerformance::WriteSysex(TByteWriter& out) {
  TLibElem::WriteSysex(out);
  Common.Write(out, TPerformanceCommon::kXpDataSize);
  for (const TPerformancePart& part : Parts) part.Write(out, TPerformancePart::kXpDataSize);
}

void TPerformance::ReadSysex(TByteReader& in) {
  Common.Read(in, TPerformanceCommon::kXpDataSize);
  for (TPerformancePart& part : Parts) part.Read(in, TPerformancePart::kXpDataSize);
}

void TPerformance::SaveToLibrary(TByteWriter& out) {
  TLibElem::SaveToLibrary(out);
  WritePlace(out, PartWindow);
  for (const TPageSlot& page : Common.Pages) WritePlace(out, page);
  WriteSysex(out);
}

void TPerformance::LoadFromLibrary(TByteReader& in) {
  TLibElem::LoadFromLibrary(in);
  ReadPlace(in, PartWindow);
  for (TPageSlot& page : Common.Pages) ReadPlace(in, page);
  ReadSysex(in);
}

void TPerformance::Init() {
  Common.Init();
  for (TPerformancePart& part : Parts) part.Init();
  UpdateViews();
}

void TPerformance::StorePositions() {
  TLibElem::StorePositions();
  StorePlace(PartWindow.Window, PartWindow.Open, PartWindow.Left, PartWindow.Top);
  for (TPageSlot& page : Common.Pages) StorePlace(page.Window, page.Open, page.Left, page.Top);
}

void TPerformance::SendParts() {
  for (TPerformancePart& part : Parts) part.SendBlock();
}

TTransferBlock TPerformance::TransferBlock(int block) {
  if (block == 0) return {Common.Image.data(), TPerformanceCommon::kImageSize, 0, 0x4B};
  TPerformancePart& part = Parts.at(static_cast<std::size_t>(block - 1));
  return {part.Image.data(), TPerformancePart::kImageSize, part.AreaOffset(), 0x1E};
}

void TPerformance::Transmit(bool toTemporary) {
  if (!MidiSession().MidiOpen()) return;
  if (!CheckSendable(*this)) return;
  if (toTemporary || Temporary) {
    TargetAddress = TPerformanceCommon::kTemporaryBase;
    CurrentPerformance = this;
    PreviewChannel = 1;
  } else {
    TargetAddress = BaseAddress();
  }
  SendAllBlocks(*this, TargetAddress);
}

void TPerformance::Receive(bool fromTemporary) {
  TLibElem::Receive(fromTemporary);
  BlockIndex = 0;
  TargetAddress = fromTemporary || Temporary ? TPerformanceCommon::kTemporaryBase : BaseAddress();
  Transfer().RunReceive(*this, kBlockCount, QStringLiteral("Performance"),
                        QStringLiteral("Now Receiving Performance"), true);
  UpdateViews();
}

void TPerformance::RequestNext() {
  RequestBlockOf(*this, *this, TargetAddress, [] {
    Transfer().Finished = true;
    Transfer().Close();
  });
}
