#pragma once
// Every parameter of a sound as its editor shows it, block by block: what vesta-cli show prints
// and vesta-cli diff compares. Banks and global dumps are listed member by member.
#include <vector>

#include <QByteArray>
#include <QString>

#include "editors/params/paramrow.h"

class TBlock;
class TLibElem;

struct TShownParam {
  QString Block;  // "common", "tone 1", "part 3", "note 35", "scale tune 17"
  int Offset = 0;
  QString Caption;
  QByteArray Stored;  // the parameter's bytes
  QString Text;       // what its control shows, surrounding blanks removed
  bool InRange = true;
};

struct TShownSound {
  QString Kind;  // "Patch", "Performance", "Rhythm", "System"
  QString Name;
  std::vector<TShownParam> Parameters;
};

// The sounds an element holds: itself, or a bank's or global's members in order.
std::vector<const TLibElem*> SoundsOf(const TLibElem& element);

// One block's rows over its data, in offset order.
void AddBlock(std::vector<TShownParam>& out, const QString& block, const std::uint8_t* data,
              std::span<const TParamRow> rows);

// The effects' rows for a stored EFX type: the page's own rows, then the type's parameters
// (bytes 13 to 24 as plain numbers for a type the table does not know), `shift` bytes later
// (0 for a patch, 1 for a performance).
std::vector<TParamRow> EffectRowsFor(int type, int shift);

// One block of a sound with the rows that show it, as ShowSound lists them.
struct TShownBlock {
  QString Block;  // as TShownParam::Block
  TBlock* Data = nullptr;
  std::vector<TParamRow> Rows;
};
// The blocks of one sound in listing order; the effects' rows follow the stored EFX type.
std::vector<TShownBlock> ShownBlocks(TLibElem& sound);

// Every parameter of one sound (a patch, performance, rhythm set or system).
TShownSound ShowSound(const TLibElem& sound);

// The parameters of one sound whose bytes lie outside their rows' ranges (those vesta-cli show
// flags), block by block in offset order.
std::vector<TShownParam> OutOfRangeParams(const TLibElem& sound);
// What a window says once after a file was read into loaded (a library, a bank, a global dump or
// a single sound): which of its sounds hold bytes outside their parameters' ranges, numbered as
// vesta-cli show numbers them, with the first few parameters of each. Empty when none does.
QString OutOfRangeReport(const TLibElem& loaded, const QString& path);
