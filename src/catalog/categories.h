#pragma once
// TCategoryTable: the categories the catalog gives a sound from its name, read from the editable
// Categories.Txt (the start directory's, or the one installed with the program).
#include <vector>

#include <QString>
#include <QStringList>

class TCategoryTable {
 public:
  // Reads the table's text: "Category: pattern, pattern, ..." a line, # comments.
  static TCategoryTable FromText(const QString& text);
  // The start directory's Categories.Txt, or the installed one.
  static TCategoryTable Installed();
  static inline const QString FileName = QStringLiteral("Categories.Txt");
  static inline const QString BuiltIn = QStringLiteral(":/data/Categories.Txt");

  // The categories whose patterns match the name, in the table's order, each once.
  QStringList CategoriesOf(const QString& name) const;
  QStringList Names() const;

 private:
  struct TCategory {
    QString Name;
    QStringList Prefixes;  // match where a word begins
    QStringList Anywhere;  // match anywhere (the patterns written with a leading *)
  };
  std::vector<TCategory> categories_;
};
