#include "editors/params/wavegroup.h"

#include "midi/config.h"
#include "model/pagenames.h"

int WaveGroupIndex(int type, int number) {
  switch (type) {
    case 0: {
      const int index = number == 0 ? 0 : number - 1;
      return index < kWaveGroupCount ? index : -1;
    }
    case 1:
      return kWaveGroupCount - 1;
    case 2: {
      const int slot = Config().ExpansionSlot(number);
      return number != 0 && slot >= 0 ? 2 + slot : 0;
    }
    default:
      return -1;
  }
}

bool WaveGroupBytes(int groupIndex, std::uint8_t& type, std::uint8_t& number) {
  int board = 0, boardType = 0;
  if (groupIndex == 0 || groupIndex == 1) {
    board = groupIndex + 1;
  } else if (groupIndex >= 2 && groupIndex <= 5) {
    board = Config().Expansion[groupIndex - 2];
    boardType = 2;
  } else if (groupIndex == 6) {
    board = Config().PCMCard;
    boardType = 1;
  }
  if (board <= 0) return false;
  type = static_cast<std::uint8_t>(boardType);
  number = static_cast<std::uint8_t>(board);
  return true;
}

void ShownWaveGroupBytes(int groupIndex, std::uint8_t storedType, std::uint8_t storedNumber,
                         std::uint8_t& type, std::uint8_t& number) {
  if (WaveGroupBytes(groupIndex, type, number)) return;
  type = storedType;
  number = storedNumber;
}

int WaveListCode(int groupIndex) {
  if (groupIndex == 0 || groupIndex == 1) return groupIndex + 1;
  if (groupIndex >= 2 && groupIndex <= 5) {
    const int board = Config().Expansion[groupIndex - 2];
    return board ? 2 * board + 1 : 0;
  }
  if (groupIndex == 6) return Config().PCMCard ? 2 * Config().PCMCard + 27 : 0;
  return 0;
}

std::function<QStringList(int code)>& WaveNameListHook() {
  static std::function<QStringList(int code)> hook;
  return hook;
}

QStringList NameListOf(int code) {
  if (code <= 0) return {};
  return WaveNameListHook() ? WaveNameListHook()(code) : PageNames().List(code);
}

QString WaveGroupText(const std::uint8_t* data) {
  const int index = WaveGroupIndex(data[1], data[2]);
  return index < 0 ? QString() : QString::fromLatin1(kWaveGroups[index]);
}

QString WaveNameText(const std::uint8_t* data) {
  if (data[3] > 15 || data[4] > 15) return {};
  const int group = WaveGroupIndex(data[1], data[2]);
  const int code = group < 0 ? 0 : WaveListCode(group);
  const QStringList names = NameListOf(code);
  const int wave = data[3] * 16 + data[4];
  // Beyond the list's end the field stays empty, as the page shows it.
  return wave < names.size() ? names[wave] : QStringLiteral("");
}
