#pragma once
// TListing: what `vesta-cli info` prints about a loaded file, as text or as JSON.
//
// JSON shape (keys always present unless marked):
//   { "file": path as given, "format": "syx" | "glb" | "lib",
//     "layout": "normal" | "xp" | "either", "size": bytes,
//     "comment": [lines]                               (libraries only)
//     "damage": { "offset": byte, "problem": text }    (damaged libraries only)
//     "elements": [element...] }
//   element: { "index": position from 1, "kind": "Patch" ... "Global", "kindCode": 0 to 7,
//              "name": text, "location": LocationText, "modified": "YYYY-MM-DDTHH:MM:SS", or null where
//              the file stores no date (.Syx contents, bank members) or a damaged one,
//              "members": [element...]                 (banks and globals only) }
#include <QJsonDocument>
#include <QString>

#include "cli/loadedfile.h"

class TListing {
 public:
  static QString Text(const TLoadedFile& file);
  // "1 element", "2 elements".
  static QString ElementCount(int count);
  static QJsonDocument Json(const TLoadedFile& file);
  // A day count (days since 30 December 1899, the fraction the time of day) as an ISO date and
  // time; empty when the value is no date (a damaged or foreign file).
  static QString IsoDateTime(double date, double time);
};
