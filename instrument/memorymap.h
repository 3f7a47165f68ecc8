#pragma once
// The instrument's address map: every data block of system, temporary, user and card memory,
// with its address, its size and its place in the flat memory image that TInstrument keeps.
// Addresses advance in 7-bit steps (the byte after xx 7F is xx+1 00), so ranges are computed on
// "linear" positions: the four 7-bit address bytes joined into one 28-bit number.
#include <cstddef>
#include <cstdint>
#include <vector>

enum class TBlockKind {
  SystemCommon,
  ScaleTune,
  PerformanceCommon,
  PerformancePart,
  RhythmCommon,
  RhythmNote,
  PatchCommon,
  PatchTone,
};

enum class TMemoryArea { System, Temporary, User, Card };

struct TBlockInfo {
  std::uint32_t Address = 0;  // as sent: four bytes, most significant first
  std::uint32_t Linear = 0;   // the same address as a 7-bit position
  int Size = 0;               // data bytes
  TBlockKind Kind = TBlockKind::SystemCommon;
  TMemoryArea Area = TMemoryArea::System;
  int Number = 0;          // object number in user or card memory (1-based), 0 elsewhere
  int Index = 0;           // scale tune, part or tone number (1-based), or the key of a rhythm note
  std::size_t Offset = 0;  // first byte in the memory image
};

// The part of a run of bytes that falls into one block.
struct TBlockShare {
  const TBlockInfo* Block = nullptr;
  int BlockOffset = 0;        // first byte of the share in the block
  std::size_t RunOffset = 0;  // the same byte's place in the run
  int Length = 0;
};

class TMemoryMap {
 public:
  static constexpr int kSystemCommonSize = 40;
  static constexpr int kScaleTuneSize = 12;
  static constexpr int kScaleTunes = 17;
  static constexpr int kPerformanceCommonSize = 64;
  static constexpr int kPerformancePartSize = 19;
  static constexpr int kPerformanceParts = 16;
  static constexpr int kRhythmCommonSize = 12;
  static constexpr int kRhythmNoteSize = 58;
  static constexpr int kFirstRhythmKey = 35;
  static constexpr int kLastRhythmKey = 98;
  static constexpr int kPatchCommonSize = 72;
  static constexpr int kPatchToneSize = 129;
  static constexpr int kPatchTones = 4;
  static constexpr int kPatches = 128;
  static constexpr int kPerformances = 32;
  static constexpr int kRhythmSets = 2;
  static constexpr int kNameSize = 12;
  // Offset of the EFX type byte in the patch and in the performance common block; the twelve
  // EFX parameters follow it.
  static constexpr int kPatchEfxType = 12;
  static constexpr int kPerformanceEfxType = 13;
  static constexpr int kEfxParameters = 12;

  static constexpr std::uint32_t kSystemBase = 0x00000000;
  static constexpr std::uint32_t kTempPerformance = 0x01000000;
  static constexpr std::uint32_t kTempRhythm = 0x02090000;
  static constexpr std::uint32_t kTempPatch = 0x03000000;
  static constexpr std::uint32_t kUserPerformance = 0x10000000;
  static constexpr std::uint32_t kUserRhythm = 0x10400000;
  static constexpr std::uint32_t kUserPatch = 0x11000000;
  static constexpr std::uint32_t kCardPerformance = 0x20000000;
  static constexpr std::uint32_t kCardRhythm = 0x20400000;
  static constexpr std::uint32_t kCardPatch = 0x21000000;

  // The one map, built on first use.
  static const TMemoryMap& Instance();

  const std::vector<TBlockInfo>& Blocks() const { return blocks_; }
  std::size_t TotalSize() const { return totalSize_; }

  // The block whose first byte is at address, or none.
  const TBlockInfo* BlockAt(std::uint32_t address) const;
  // How a run of count bytes from address falls into blocks, in address order; bytes between
  // blocks belong to no share.
  std::vector<TBlockShare> Shares(std::uint32_t address, std::uint64_t count) const;

  static std::uint32_t ToLinear(std::uint32_t address);
  static std::uint32_t ToAddress(std::uint32_t linear);

 private:
  TMemoryMap();
  void AddBlock(std::uint32_t address, int size, TBlockKind kind, TMemoryArea area, int number,
                int index);
  void AddSystem();
  void AddPerformance(std::uint32_t base, TMemoryArea area, int number);
  void AddRhythm(std::uint32_t base, TMemoryArea area, int number);
  void AddPatch(std::uint32_t base, TMemoryArea area, int number);

  std::vector<TBlockInfo> blocks_;
  std::size_t totalSize_ = 0;
};
