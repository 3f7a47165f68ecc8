#pragma once
// Every parameter of a sound as its editor shows it, block by block: what vesta-cli show prints
// and vesta-cli diff compares. Banks and global dumps are listed member by member.
#include <vector>

#include <QByteArray>
#include <QString>

#include "editors/params/paramrow.h"

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

// Every parameter of one sound (a patch, performance, rhythm set or system).
TShownSound ShowSound(const TLibElem& sound);
