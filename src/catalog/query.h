#pragma once
// TQuery: the catalog's query language, one for the window and the command line. Terms separated
// by blanks must all hold; a leading "-" negates a term; double quotes keep blanks inside one.
//   word           the name contains it, case ignored
//   kind:KIND      patch, performance, rhythm or system
//   cat:NAME tag:NAME fav dup hidden file:TEXT
//   p:BLOCK/CAPTION OP VALUE   a parameter as `vesta-cli show` prints it; OP one of = != < <= > >=
// Hidden sounds are left out unless a term names them.
#include <memory>
#include <vector>

#include <QString>

#include "catalog/catalog.h"

struct TQueryError {
  int Position = 0;  // from 1, in the query's characters
  QString Reason;
  QString Text() const { return QStringLiteral("position %1: %2").arg(Position).arg(Reason); }
};

struct TFoundPlace {
  int Sound = 0;  // index in the catalog index
  int File = 0;   // index in its Files
  int Element = 0;
};

struct TQueryTerm;

class TQuery {
 public:
  // Throws TQueryError.
  static TQuery Parse(const QString& text);
  TQuery();
  ~TQuery();
  TQuery(TQuery&&) noexcept;
  TQuery& operator=(TQuery&&) noexcept;

  // Whether a sound meets every term but the file terms (which pick its places).
  bool Matches(const TIndexedSound& sound) const;
  // Whether a file's path is one the file terms allow.
  bool AllowsFile(const QString& path) const;
  // Every place of the sounds that match, by file and then element.
  std::vector<TFoundPlace> Run(const TCatalogIndex& index) const;

 private:
  std::vector<std::unique_ptr<TQueryTerm>> terms_;
  bool hiddenNamed_ = false;
};

// A shown text as the query compares it: case ignored, surrounding blanks removed, inner runs of
// blanks as one.
QString NormalisedText(const QString& text);
// The first number in a shown text; false when it holds none.
bool FirstNumber(const QString& text, double& number);
