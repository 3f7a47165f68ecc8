#include "model/soundbank.h"

#include "midi/midisession.h"
#include "model/sendable.h"
#include "model/transfer.h"

void TSoundBank::Transmit(bool) {
  if (!MidiSession().MidiOpen()) return;
  if (!CheckSendable(*this)) return;
  MemberIndex = 0;
  MemberBlock = 0;
  if (Info().KeepsNames) NameLists().Load();
  Transfer().RunTransmission(*this, Info().Total, QString::fromLatin1(Info().ElemCaption),
                             Title(true), Info().CountsEachBlock);
}

void TSoundBank::TransmitNext() {
  TTransfer& transfer = Transfer();
  if (MemberIndex >= Count()) {
    if (transfer.Finished) return;
    if (Info().KeepsNames) SaveNames();
    transfer.FinishTimed(*this);
    return;
  }
  TBlockSet& member = Blocks(MemberIndex);
  const TTransferBlock block = member.TransferBlock(MemberBlock);
  if (Info().CountsEachBlock) transfer.AddSended(block.ImageSize, 1);
  SendBlockData(member.BaseAddress(), block);
  if (++MemberBlock < member.BlockCount()) return;
  if (!Info().CountsEachBlock) {
    int bytes = 0;
    for (int b = 0; b < member.BlockCount(); ++b) bytes += member.TransferBlock(b).ImageSize;
    transfer.AddSended(bytes, member.BlockCount());
  }
  if (Info().KeepsNames) UpdateNameEntry();
  MemberBlock = 0;
  ++MemberIndex;
  if (!Info().CountsEachBlock || MemberIndex < Count()) transfer.AddElem(1);
}

void TSoundBank::Receive(bool fromTemporary) {
  TLibElem::Receive(fromTemporary);
  MemberIndex = 0;
  MemberBlock = 0;
  if (Info().KeepsNames) NameLists().Load();
  Transfer().RunReceive(*this, Info().Total, QString::fromLatin1(Info().ElemCaption), Title(false),
                        Info().CountsEachBlock);
  UpdateViews();
}

QString TSoundBank::Title(bool transmit) const {
  return QStringLiteral("Now ") +
         (transmit ? QStringLiteral("Transmitting ") : QStringLiteral("Receiving ")) +
         (User ? QStringLiteral("User ") : QStringLiteral("Data Card ")) +
         QString::fromLatin1(Info().BankName);
}

void TSoundBank::UpdateNameEntry() {
  NameLists().SetEntry(TNameLists::ListOf(Info().Patches, User), MemberIndex,
                       Member(MemberIndex).GetName());
}

void TSoundBank::SaveNames() {
  NameLists().Save();
  if (NamesWindowLoadHook()) NamesWindowLoadHook()();
}
