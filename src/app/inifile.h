#pragma once
// A profile file of [Section] headers and Key=Value lines, read and written the way the
// settings file always was: sections and keys keep their spelling (blanks included, so
// "Num Library" and [Data Card] stay as they are), they are found without regard to case, and
// lines the program does not know are kept in place.
#include <QString>
#include <QStringList>

class TIniFile {
 public:
  // Reads the file; a missing or unreadable file is an empty profile.
  explicit TIniFile(QString path);

  const QString& Path() const { return path_; }

  QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
  // The value as a decimal integer, or fallback when missing or not a number.
  int ReadInteger(const QString& section, const QString& key, int fallback) const;
  void WriteString(const QString& section, const QString& key, const QString& value);
  void WriteInteger(const QString& section, const QString& key, int value);

  // The profile's text, one "\n"-ended line each.
  QString Text() const;
  // Writes the file (creating its folder); the reason of a failure, or an empty string.
  QString Save() const;

 private:
  // Index of the line of [section], or -1.
  int SectionLine(const QString& section) const;
  // Index of the key's line within the section starting at sectionLine, or -1.
  int KeyLine(int sectionLine, const QString& key) const;

  QString path_;
  QStringList lines_;
};
