#pragma once
// The sounds of one .Syx, .Glb or .Lib file as the catalog keeps them: each patch, performance,
// rhythm set and system, bank and global members included, numbered as `vesta-cli show` numbers
// them, with its blocks back to back in the normal layout and a hash of them.
#include <cstdint>
#include <memory>
#include <vector>

#include <QByteArray>
#include <QString>

class TLibElem;

struct TCatalogSound {
  int Kind = 0;  // ekPatch, ekPerformance, ekRhythm or ekSystem
  QString Name;
  QByteArray Data;  // the sound's blocks back to back (see SoundBlocks)
  QByteArray Hash;  // SHA-1 of the kind code and Data: names are in the data
  int Element = 0;  // from 1
};

struct TSoundFile {
  std::vector<TCatalogSound> Sounds;
  QString Damage;  // why the file cannot be catalogued; empty when it was read whole
};

// Whether the catalog reads a file of this name (.Syx, .Glb, .Lib, any case).
bool IsSoundFileName(const QString& path);
// The sounds of a file's contents. A file that cannot be read whole gives no sounds and the
// reason; a damaged library is refused whole, never half entered.
TSoundFile ReadSoundFile(const QString& path, const QByteArray& bytes);
// One sound's catalog entry (Element left 0).
TCatalogSound CatalogSound(const TLibElem& sound);
// A sound made again from its catalog data (a patch, performance, rhythm set or system outside
// any bank); none for data of another kind or size.
std::unique_ptr<TLibElem> SoundElement(int kind, const QByteArray& data);
// The hash of a kind and its data.
QByteArray SoundHash(int kind, const QByteArray& data);
