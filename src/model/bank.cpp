#include "model/bank.h"

#include "model/listingprinter.h"
#include "model/modelhooks.h"

TBank::TBank(TLibElem* owner) : TLibElem(owner) {
  Temporary = false;
  User = true;
  Name = QStringLiteral("Untitled");
}

TBank::~TBank() {
  Members.clear();
  CloseViews();
}

void TBank::Assign(const TLibElem& source) {
  TLibElem::Assign(source);
  auto* bank = dynamic_cast<const TBank*>(&source);
  if (!bank || bank->Kind != Kind) return;
  for (int i = 0; i < Count() && i < bank->Count(); ++i) Member(i).Assign(bank->Member(i));
}

void TBank::UpdateViews() {
  for (auto& member : Members) member->UpdateViews();
  NotifyViews();
}

void TBank::WriteSysex(TByteWriter& out) {
  TLibElem::WriteSysex(out);
  for (auto& member : Members) member->WriteSysex(out);
}

void TBank::ReadSysex(TByteReader& in) {
  for (auto& member : Members) member->ReadSysex(in);
}

void TBank::SaveToLibrary(TByteWriter& out) {
  TLibElem::SaveToLibrary(out);
  out.U16(Width);
  out.U16(Height);
  WriteSysex(out);
}

void TBank::LoadFromLibrary(TByteReader& in) {
  TLibElem::LoadFromLibrary(in);
  Width = in.U16();
  Height = in.U16();
  ReadSysex(in);
}

void TBank::Init() {
  for (auto& member : Members) member->Init();
}

void TBank::StorePositions() {
  if (!WindowOpen || !Editor || !ModelHooks().WindowPlace) return;
  TWindowPlace place;
  if (!ModelHooks().WindowPlace(Editor, place)) return;
  WinLeft = place.Left;
  WinTop = place.Top;
  Width = place.Width;
  Height = place.Height;
}

void TBank::Print(TListingPrinter& printer, bool detailed) {
  QString title = KindName() + QLatin1Char(' ') + Name;
  if (Owner && Owner->Kind == ekGlobal)
    title += QStringLiteral(" [ Global : ") + Owner->GetName() + QStringLiteral(" ]");
  printer.Title(title);
  for (auto& member : Members) member->Print(printer, detailed);
}
