#include "model/sendable.h"

#include "model/bank.h"
#include "model/blockset.h"
#include "model/patch.h"
#include "model/performance.h"
#include "model/rhythm.h"
#include "model/system.h"
#include "model/transfer.h"

namespace {
// The block names of vesta-cli show: "common", "tone 2", "part 3", "note 35", "scale tune 17".
QString BlockName(const TLibElem& element, int block) {
  if (block == 0) return QStringLiteral("common");
  if (dynamic_cast<const TPatch*>(&element)) return QStringLiteral("tone %1").arg(block);
  if (dynamic_cast<const TPerformance*>(&element)) return QStringLiteral("part %1").arg(block);
  if (const auto* rhythm = dynamic_cast<const TRhythm*>(&element))
    return QStringLiteral("note %1").arg(rhythm->Notes.at(static_cast<std::size_t>(block - 1)).Key);
  if (dynamic_cast<const TSystem*>(&element)) return QStringLiteral("scale tune %1").arg(block);
  return QStringLiteral("block %1").arg(block);
}

QString Called(const TLibElem& element) {
  return QStringLiteral("%1 \"%2\"").arg(element.KindName(), element.GetName());
}

// Where the first byte above 7FH lies below element ("Patch 3 "Bell", tone 2 byte 81 holds
// E9H"), or an empty string.
QString FirstHighByte(TLibElem& element) {
  if (auto* bank = dynamic_cast<TBank*>(&element)) {
    for (int i = 0; i < bank->Count(); ++i) {
      TLibElem& member = bank->Member(i);
      const QString found = FirstHighByte(member);
      if (found.isEmpty()) continue;
      // A bank's sounds by their number, a global's banks by kind and name.
      const QString who =
          member.Kind == ekPatch || member.Kind == ekPerformance || member.Kind == ekRhythm
              ? QStringLiteral("%1 %2 \"%3\"")
                    .arg(member.KindName())
                    .arg(i + 1)
                    .arg(member.GetName())
              : Called(member);
      return who + QStringLiteral(", ") + found;
    }
    return QString();
  }
  auto* set = dynamic_cast<TBlockSet*>(&element);
  if (!set) return QString();
  for (int block = 0; block < set->BlockCount(); ++block) {
    const TTransferBlock image = set->TransferBlock(block);
    const std::uint8_t* data = image.Image + 9;
    for (int offset = 0; offset < image.DataSize(); ++offset)
      if (data[offset] > 0x7F)
        return QStringLiteral("%1 byte %2 holds %3H")
            .arg(BlockName(element, block))
            .arg(offset)
            .arg(QString::number(data[offset], 16).toUpper());
  }
  return QString();
}
}  // namespace

QString UnsendableText(TLibElem& element) {
  const QString found = FirstHighByte(element);
  if (found.isEmpty()) return QString();
  return QStringLiteral(
             "%1 cannot be sent: %2, and a system-exclusive message carries only 00H to 7FH. "
             "Nothing of it was sent.")
      .arg(Called(element), found);
}

bool CheckSendable(TLibElem& element) {
  const QString text = UnsendableText(element);
  if (text.isEmpty()) return true;
  Transfer().Refuse(text);
  return false;
}
