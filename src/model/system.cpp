#include "model/system.h"

#include "midi/midisession.h"
#include "model/sendable.h"
#include "model/transfer.h"

TSystem* CurrentSystem = nullptr;

namespace {
// Records keep the page places in this order, not in the order the pages are held.
constexpr TSystem::TPage kRecordOrder[] = {TSystem::pgSetup, TSystem::pgMidi, TSystem::pgScaleTune,
                                           TSystem::pgPreview};
}  // namespace

TSystem::TSystem(TLibElem* owner) : TLibElem(owner) {
  Kind = ekSystem;
  Name = QStringLiteral("Untitled");
  for (int p = 0; p < TPartScaleTune::kCount; ++p) ScaleTunes[p].Number = p + 1;
}

TSystem::~TSystem() {
  CloseViews();
  if (CurrentSystem == this) CurrentSystem = nullptr;
}

void TSystem::Assign(const TLibElem& source) {
  TLibElem::Assign(source);
  if (auto* system = dynamic_cast<const TSystem*>(&source)) {
    Common.Image = system->Common.Image;
    for (int p = 0; p < TPartScaleTune::kCount; ++p)
      ScaleTunes[p].Image = system->ScaleTunes[p].Image;
  }
}

void TSystem::UpdateViews() {
  NotifyViews();
}

std::uint32_t TSystem::BlockAddress(int block) const {
  return block == 0 ? TSystemCommon::kAddress
                    : TSystemCommon::kAddress + ScaleTunes[block - 1].AreaOffset();
}

void TSystem::PrepareMessages() {
  Common.Prepare(BlockAddress(0));
  for (int p = 0; p < TPartScaleTune::kCount; ++p) ScaleTunes[p].Prepare(BlockAddress(p + 1));
}

void TSystem::WriteSysex(TByteWriter& out) {
  TLibElem::WriteSysex(out);
  Common.Write(out, TSystemCommon::kXpDataSize);
  for (const TPartScaleTune& tune : ScaleTunes) tune.Write(out);
}

void TSystem::ReadSysex(TByteReader& in) {
  Common.Read(in, TSystemCommon::kXpDataSize);
  for (TPartScaleTune& tune : ScaleTunes) tune.Read(in);
}

void TSystem::SaveToLibrary(TByteWriter& out) {
  TLibElem::SaveToLibrary(out);
  for (TPage page : kRecordOrder) WritePlace(out, Pages[page]);
  WriteSysex(out);
}

void TSystem::LoadFromLibrary(TByteReader& in) {
  TLibElem::LoadFromLibrary(in);
  for (TPage page : kRecordOrder) ReadPlace(in, Pages[page]);
  ReadSysex(in);
}

void TSystem::Init() {
  Common.Init();
  for (TPartScaleTune& tune : ScaleTunes) tune.Init();
  UpdateViews();
}

void TSystem::StorePositions() {
  TLibElem::StorePositions();
  for (TPageSlot& page : Pages) StorePlace(page.Window, page.Open, page.Left, page.Top);
}

TTransferBlock TSystem::TransferBlock(int block) {
  if (block == 0) return {Common.Image.data(), TSystemCommon::kImageSize, 0, 0x33};
  TPartScaleTune& tune = ScaleTunes.at(static_cast<std::size_t>(block - 1));
  return {tune.Image.data(), TPartScaleTune::kImageSize, tune.AreaOffset(), 0x17};
}

void TSystem::Transmit(bool) {
  if (!MidiSession().MidiOpen()) return;
  if (!CheckSendable(*this)) return;
  CurrentSystem = this;
  PreviewChannel = 1;
  TargetAddress = TSystemCommon::kAddress;
  SendAllBlocks(*this, TargetAddress);
}

void TSystem::Receive(bool fromTemporary) {
  TLibElem::Receive(fromTemporary);
  BlockIndex = 0;
  TargetAddress = TSystemCommon::kAddress;
  Transfer().RunReceive(*this, kBlockCount, QStringLiteral("System"),
                        QStringLiteral("Now Receiving System"), true);
  UpdateViews();
}

void TSystem::RequestNext() {
  RequestBlockOf(*this, *this, TargetAddress, [] {
    Transfer().Finished = true;
    Transfer().Close();
  });
}
