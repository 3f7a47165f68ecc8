#include "editors/params/patchgroup.h"

#include <QStringList>

#include "editors/params/wavegroup.h"
#include "midi/config.h"
#include "model/rhythmnames.h"

namespace {
constexpr int kExpansionFirst = 6;
constexpr int kPcm = 10;

constexpr const char* kPresetRhythmSets[][2] = {{"PopDrumSet 1", "PopDrumSet 2"},
                                                {"PowerDrumSet", "RaveDrumSet"},
                                                {"JazzDrumSet2", "OrchDrumSet"},
                                                {"GM Drum Set", "BrusDrumSet"}};

QStringList NameList(int code) { return NameListOf(code); }
}  // namespace

int PatchGroupIndex(int type, int number) {
  switch (type) {
    case 0: {
      const int index = number == 0 ? 0 : number - 1;
      return index < kExpansionFirst ? index : -1;
    }
    case 1:
      return kPcm;
    case 2: {
      if (number == 0) return 0;
      const int slot = Config().ExpansionSlot(number);
      return slot >= 0 ? kExpansionFirst + slot : kUnslottedBoard;
    }
    default:
      return -1;
  }
}

QString UnslottedBoardText(int board) {
  return QStringLiteral("Board %1").arg(board);
}

QString PatchNumberText(int number) {
  return QString::number(number + 1);
}

bool PatchGroupBytes(int groupIndex, std::uint8_t& type, std::uint8_t& number) {
  if (groupIndex >= 0 && groupIndex < kExpansionFirst) {
    type = 0;
    number = static_cast<std::uint8_t>(groupIndex + 1);
    return true;
  }
  if (groupIndex >= kExpansionFirst && groupIndex < kPcm) {
    const int board = Config().Expansion[groupIndex - kExpansionFirst];
    if (board == 0) return false;
    type = 2;
    number = static_cast<std::uint8_t>(board);
    return true;
  }
  if (groupIndex == kPcm && Config().PCMCard != 0) {
    type = 1;
    number = static_cast<std::uint8_t>(Config().PCMCard);
    return true;
  }
  return false;
}

int PatchListCode(int groupIndex) {
  if (groupIndex == 0 || groupIndex == 1) return 49 + groupIndex;
  if (groupIndex >= 2 && groupIndex < kExpansionFirst) return 23 + groupIndex;
  if (groupIndex >= kExpansionFirst && groupIndex < kPcm) {
    const int board = Config().Expansion[groupIndex - kExpansionFirst];
    return board ? (board - 1) * 2 + 4 : 0;
  }
  if (groupIndex == kPcm) return Config().PCMCard ? (Config().PCMCard - 1) * 2 + 30 : 0;
  return 0;
}

int PerformanceListCode(int group) {
  static constexpr int kCodes[] = {48, 47, 45, 46};
  return group >= 0 && group < 4 ? kCodes[group] : 0;
}

QString PatchName(int groupIndex, int number) {
  const QStringList names = NameList(PatchListCode(groupIndex));
  return number >= 0 && number < names.size() ? names[number] : QStringLiteral("");
}

QString RhythmSetName(int groupIndex, int number) {
  if (number < 0 || number > 1 || groupIndex < 0 || groupIndex >= kRhythmGroupCount) return {};
  if (groupIndex < 2) return RhythmSetNames()[static_cast<std::size_t>(groupIndex * 2 + number)];
  return QString::fromLatin1(kPresetRhythmSets[groupIndex - 2][number]);
}

QString PatchGroupText(const std::uint8_t* data) {
  const int index = PatchGroupIndex(data[2], data[3]);
  if (index == kUnslottedBoard) return UnslottedBoardText(data[3]);
  return index < 0 ? QString() : QString::fromLatin1(kPatchGroups[index]);
}

QString PatchNameText(const std::uint8_t* data) {
  if (data[4] > 15 || data[5] > 15) return {};
  const int group = PatchGroupIndex(data[2], data[3]);
  if (group == kUnslottedBoard) return PatchNumberText(data[4] * 16 + data[5]);
  return group < 0 ? QStringLiteral("") : PatchName(group, data[4] * 16 + data[5]);
}

QString RhythmGroupText(const std::uint8_t* data) {
  const int index = PatchGroupIndex(data[2], data[3]);
  if (index == kUnslottedBoard) return UnslottedBoardText(data[3]);
  return index < 0 || index >= kRhythmGroupCount ? QString()
                                                 : QString::fromLatin1(kPatchGroups[index]);
}

QString RhythmSetText(const std::uint8_t* data) {
  const int group = PatchGroupIndex(data[2], data[3]);
  const int number = data[4] * 16 + data[5];
  if (group == kUnslottedBoard && data[4] <= 15 && data[5] <= 15) return PatchNumberText(number);
  if (group < 0 || group >= kRhythmGroupCount || data[4] > 15 || data[5] > 15 || number > 1)
    return {};
  return RhythmSetName(group, number);
}
