#pragma once
// Where a catalogued sound's blocks lie in its data, and the parameter rows of each: the rows
// `vesta-cli show` lists, so a query names parameters by the captions it prints.
#include <vector>

#include <QString>

#include "editors/params/paramrow.h"

// A block family as the query language names it: "common", "tone", "part", "note", "scale".
struct TSoundBlock {
  QString Family;
  int Number = 0;  // tone 1..4, part 1..16, note 35..98, scale 1..17; 0 for common
  int Offset = 0;  // in the sound's data
  int Size = 0;
};

// The blocks of a kind's data in order; none for other kinds.
const std::vector<TSoundBlock>& SoundBlocks(int kind);
// The whole data size of a kind.
int SoundDataSize(int kind);

// The rows of one block of a sound; a common block's rows depend on its stored EFX type.
std::vector<TParamRow> BlockRows(int kind, const TSoundBlock& block, const std::uint8_t* blockData);

// The smallest and highest block number of a family, and whether the family exists.
bool FamilyRange(const QString& family, int& first, int& last);
// Every caption (trimmed, lower case) that a family's blocks have in any kind or effect type.
bool FamilyHasCaption(const QString& family, const QString& lowerCaption);
