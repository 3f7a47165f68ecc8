#include "instrument/memorymap.h"

#include <algorithm>

const TMemoryMap& TMemoryMap::Instance() {
  static const TMemoryMap map;
  return map;
}

TMemoryMap::TMemoryMap() {
  AddSystem();
  AddPerformance(kTempPerformance, TMemoryArea::Temporary, 0);
  AddRhythm(kTempRhythm, TMemoryArea::Temporary, 0);
  AddPatch(kTempPatch, TMemoryArea::Temporary, 0);
  for (TMemoryArea area : {TMemoryArea::User, TMemoryArea::Card}) {
    const bool user = area == TMemoryArea::User;
    for (int n = 1; n <= kPerformances; ++n)
      AddPerformance((user ? kUserPerformance : kCardPerformance) + (n - 1) * 0x10000, area, n);
    for (int n = 1; n <= kRhythmSets; ++n)
      AddRhythm((user ? kUserRhythm : kCardRhythm) + (n - 1) * 0x10000, area, n);
    for (int n = 1; n <= kPatches; ++n)
      AddPatch((user ? kUserPatch : kCardPatch) + (n - 1) * 0x10000, area, n);
  }
  std::sort(blocks_.begin(), blocks_.end(),
            [](const TBlockInfo& a, const TBlockInfo& b) { return a.Linear < b.Linear; });
}

void TMemoryMap::AddBlock(std::uint32_t address, int size, TBlockKind kind, TMemoryArea area,
                          int number, int index) {
  TBlockInfo block;
  block.Address = address;
  block.Linear = ToLinear(address);
  block.Size = size;
  block.Kind = kind;
  block.Area = area;
  block.Number = number;
  block.Index = index;
  block.Offset = totalSize_;
  blocks_.push_back(block);
  totalSize_ += static_cast<std::size_t>(size);
}

void TMemoryMap::AddSystem() {
  AddBlock(kSystemBase, kSystemCommonSize, TBlockKind::SystemCommon, TMemoryArea::System, 0, 0);
  for (int p = 1; p <= kScaleTunes; ++p)
    AddBlock(kSystemBase + 0x1000 + (p - 1) * 0x100, kScaleTuneSize, TBlockKind::ScaleTune,
             TMemoryArea::System, 0, p);
}

void TMemoryMap::AddPerformance(std::uint32_t base, TMemoryArea area, int number) {
  AddBlock(base, kPerformanceCommonSize, TBlockKind::PerformanceCommon, area, number, 0);
  for (int p = 1; p <= kPerformanceParts; ++p)
    AddBlock(base + 0x1000 + (p - 1) * 0x100, kPerformancePartSize, TBlockKind::PerformancePart,
             area, number, p);
}

void TMemoryMap::AddRhythm(std::uint32_t base, TMemoryArea area, int number) {
  AddBlock(base, kRhythmCommonSize, TBlockKind::RhythmCommon, area, number, 0);
  for (int k = kFirstRhythmKey; k <= kLastRhythmKey; ++k)
    AddBlock(base + k * 0x100, kRhythmNoteSize, TBlockKind::RhythmNote, area, number, k);
}

void TMemoryMap::AddPatch(std::uint32_t base, TMemoryArea area, int number) {
  AddBlock(base, kPatchCommonSize, TBlockKind::PatchCommon, area, number, 0);
  for (int t = 1; t <= kPatchTones; ++t)
    AddBlock(base + 0x1000 + (t - 1) * 0x200, kPatchToneSize, TBlockKind::PatchTone, area, number,
             t);
}

const TBlockInfo* TMemoryMap::BlockAt(std::uint32_t address) const {
  const std::uint32_t linear = ToLinear(address);
  auto it = std::lower_bound(blocks_.begin(), blocks_.end(), linear,
                             [](const TBlockInfo& b, std::uint32_t l) { return b.Linear < l; });
  if (it == blocks_.end() || it->Linear != linear || it->Address != address) return nullptr;
  return &*it;
}

std::vector<TBlockShare> TMemoryMap::Shares(std::uint32_t address, std::uint64_t count) const {
  std::vector<TBlockShare> shares;
  if (count == 0) return shares;
  const std::uint32_t first = ToLinear(address);
  const std::uint64_t end = std::uint64_t{first} + count;
  // The first candidate is the last block starting at or before first: it may reach into range.
  auto it = std::upper_bound(blocks_.begin(), blocks_.end(), first,
                             [](std::uint32_t l, const TBlockInfo& b) { return l < b.Linear; });
  if (it != blocks_.begin()) --it;
  for (; it != blocks_.end() && it->Linear < end; ++it) {
    const std::uint64_t from = std::max<std::uint64_t>(first, it->Linear);
    const std::uint64_t to = std::min<std::uint64_t>(end, std::uint64_t{it->Linear} + it->Size);
    if (from >= to) continue;
    shares.push_back({&*it, static_cast<int>(from - it->Linear),
                      static_cast<std::size_t>(from - first), static_cast<int>(to - from)});
  }
  return shares;
}

std::uint32_t TMemoryMap::ToLinear(std::uint32_t address) {
  return ((address >> 24) & 0x7F) << 21 | ((address >> 16) & 0x7F) << 14 |
         ((address >> 8) & 0x7F) << 7 | (address & 0x7F);
}

std::uint32_t TMemoryMap::ToAddress(std::uint32_t linear) {
  return ((linear >> 21) & 0x7F) << 24 | ((linear >> 14) & 0x7F) << 16 |
         ((linear >> 7) & 0x7F) << 8 | (linear & 0x7F);
}
