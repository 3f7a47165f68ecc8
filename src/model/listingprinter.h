#pragma once
// The printed library listing as the elements see it: a title row, or one framed row per
// element. The application implements it on a printer; the model only says what to print.
#include <QString>

class TLibElem;

class TListingPrinter {
 public:
  virtual ~TListingPrinter() = default;
  virtual void Title(const QString& text) = 0;
  virtual void Row(const TLibElem& element, bool detailed) = 0;
  // Card banks of a global are left out of listings when no data card is installed.
  virtual bool DataCardInstalled() const { return true; }
};
