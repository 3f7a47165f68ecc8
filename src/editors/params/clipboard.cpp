#include "editors/params/clipboard.h"

#include <algorithm>

#include "editors/params/params.h"

namespace {
TClipboard* installed = nullptr;

// The note windows' sections are the rhythm set's drag sections, in kind order 16 to 19.
const TCopySection& NoteSection(TClipboard::TNoteSection section) {
  return RhythmSections()[static_cast<std::size_t>(section)];
}
}  // namespace

void TClipboard::CopyPart(const std::uint8_t* part) {
  std::copy_n(part, kPartSize, part_.begin());
  partFilled_ = true;
}

bool TClipboard::PastePart(std::uint8_t* part) const {
  if (!partFilled_) return false;
  std::copy(part_.begin(), part_.end(), part);
  return true;
}

void TClipboard::CopyNoteSection(TNoteSection section, const std::uint8_t* note) {
  CopySection(NoteSection(section), note, note_.data());
  noteFlags_ = static_cast<std::uint8_t>(noteFlags_ | 1 << section);
}

bool TClipboard::PasteNoteSection(TNoteSection section, std::uint8_t* note) const {
  if (!NoteFilled(section)) return false;
  CopySection(NoteSection(section), note_.data(), note);
  return true;
}

void TClipboard::CopyScaleTune(const std::uint8_t* tune) {
  std::copy_n(tune, kScaleTuneSize, scaleTune_.begin());
  scaleTuneFilled_ = true;
}

bool TClipboard::PasteScaleTune(std::uint8_t* tune) const {
  if (!scaleTuneFilled_) return false;
  std::copy(scaleTune_.begin(), scaleTune_.end(), tune);
  return true;
}

TClipboard& Clipboard() {
  static TClipboard kept;
  return installed ? *installed : kept;
}

void SetClipboard(TClipboard* clipboard) { installed = clipboard; }
