#include "app/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/fileio.h"

namespace {
bool IsSectionHeader(const QString& line) {
  const QString trimmed = line.trimmed();
  return trimmed.startsWith(u'[') && trimmed.endsWith(u']');
}

QString SectionName(const QString& line) {
  const QString trimmed = line.trimmed();
  return trimmed.mid(1, trimmed.size() - 2).trimmed();
}
}  // namespace

TIniFile::TIniFile(QString path) : path_(std::move(path)) {
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly)) return;
  QString text = QString::fromUtf8(file.readAll());
  // A byte-order mark left by an editor would hide the first section.
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  lines_ = text.split(u'\n');
  for (QString& line : lines_)
    if (line.endsWith(u'\r')) line.chop(1);
  // The final line ending leaves an empty piece that is no line of the file.
  if (!lines_.isEmpty() && lines_.back().isEmpty()) lines_.removeLast();
}

int TIniFile::SectionLine(const QString& section) const {
  for (int i = 0; i < lines_.size(); ++i)
    if (IsSectionHeader(lines_[i]) &&
        SectionName(lines_[i]).compare(section, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

int TIniFile::KeyLine(int sectionLine, const QString& key) const {
  for (int i = sectionLine + 1; i < lines_.size() && !IsSectionHeader(lines_[i]); ++i) {
    const QString& line = lines_[i];
    const int equals = line.indexOf(u'=');
    if (equals < 0 || line.trimmed().startsWith(u';')) continue;
    if (line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

QString TIniFile::ReadString(const QString& section, const QString& key,
                             const QString& fallback) const {
  const int sectionLine = SectionLine(section);
  if (sectionLine < 0) return fallback;
  const int keyLine = KeyLine(sectionLine, key);
  if (keyLine < 0) return fallback;
  const QString& line = lines_[keyLine];
  return line.mid(line.indexOf(u'=') + 1).trimmed();
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int fallback) const {
  bool ok = false;
  const int value = ReadString(section, key, QString()).toInt(&ok);
  return ok ? value : fallback;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
  // A line break in a value would start a line of its own in the file.
  QString clean = value;
  clean.replace(u'\n', u' ').replace(u'\r', u' ');
  const QString line = key + u'=' + clean;
  int sectionLine = SectionLine(section);
  if (sectionLine < 0) {
    if (!lines_.isEmpty() && !lines_.back().trimmed().isEmpty()) lines_.append(QString());
    lines_.append(u'[' + section + u']');
    lines_.append(line);
    return;
  }
  const int keyLine = KeyLine(sectionLine, key);
  if (keyLine >= 0) {
    lines_[keyLine] = line;
    return;
  }
  // After the section's last key, before any blank lines that separate it from the next.
  int insertAt = sectionLine + 1;
  for (int i = sectionLine + 1; i < lines_.size() && !IsSectionHeader(lines_[i]); ++i)
    if (!lines_[i].trimmed().isEmpty()) insertAt = i + 1;
  lines_.insert(insertAt, line);
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
  WriteString(section, key, QString::number(value));
}

QString TIniFile::Text() const {
  QString text;
  for (const QString& line : lines_) text += line + u'\n';
  return text;
}

QString TIniFile::Save() const {
  const QString folder = QFileInfo(path_).absolutePath();
  if (!QDir().mkpath(folder)) return QStringLiteral("the folder %1 cannot be created").arg(folder);
  return WriteFileAtomicQuiet(path_, Text().toUtf8());
}
