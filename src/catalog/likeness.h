#pragma once
// TLikeness: how far apart two sounds of one kind are, and the nearest sounds to one. The
// distance is the mean, over the parameter rows both sounds have (names left out; an effect
// type's own rows only when both hold that type), of |a - b| / (max - min) for rows with a
// numeric range and of 0 or 1 (same or different) for lists, radio groups, buttons, check boxes
// and pictures. The index's stored values are laid out once as a compact matrix per kind.
#include <cstdint>
#include <vector>

#include <QByteArray>

#include "catalog/catalog.h"

struct TNearSound {
  int Sound = 0;  // index in the catalog index
  double Distance = 0;
};

class TLikeness {
 public:
  explicit TLikeness(const TCatalogIndex& index);
  ~TLikeness();
  TLikeness(const TLikeness&) = delete;
  TLikeness& operator=(const TLikeness&) = delete;

  // The distance between two sounds' data of one kind.
  static double Distance(int kind, const QByteArray& a, const QByteArray& b);
  // The k sounds of the kind nearest to the data (hidden sounds left out), by distance; equal
  // distances keep the order of their first place (file, then element).
  std::vector<TNearSound> Nearest(int kind, const QByteArray& data, int k) const;

  struct TPlan;

 private:
  struct TMatrix;
  const TCatalogIndex& index_;
  std::vector<std::unique_ptr<TMatrix>> matrices_;  // per kind code
};
