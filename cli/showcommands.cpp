#include "cli/showcommands.h"

#include <cstdio>

#include <QDir>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPair>

#include "cli/clierror.h"
#include "cli/loadedfile.h"
#include "editors/params/paramlisting.h"
#include "model/library.h"
#include "model/pagenames.h"

namespace {
struct TShowArgs {
  QStringList Paths;
  int Element = 0;  // 0: every sound
  bool Json = false;
};

TShowArgs ParseWords(const QString& command, const QStringList& words, int paths) {
  TShowArgs args;
  for (qsizetype i = 0; i < words.size(); ++i) {
    const QString& word = words[i];
    if (word == QLatin1String("--json")) {
      args.Json = true;
    } else if (word == QLatin1String("--element")) {
      bool ok = false;
      args.Element = i + 1 < words.size() ? words[++i].toInt(&ok) : 0;
      if (!ok || args.Element < 1)
        throw TCliError::Usage(
            QStringLiteral("%1: --element takes a sound number from 1").arg(command));
    } else {
      args.Paths << word;
    }
  }
  if (args.Paths.size() != paths)
    throw TCliError::Usage(
        QStringLiteral("%1: give %2")
            .arg(command, paths == 1 ? QStringLiteral("one file") : QStringLiteral("two files")));
  return args;
}

// The sounds of a file in the order the listing gives them: a library's elements in turn,
// banks and global dumps member by member; only sound number element when one is given.
std::vector<const TLibElem*> SoundsIn(const TLoadedFile& file, int element) {
  file.RequireWhole();
  std::vector<const TLibElem*> sounds;
  if (file.Library) {
    for (int i = 0; i < file.Library->Count(); ++i) {
      const auto members = SoundsOf(*file.Library->Elements[static_cast<std::size_t>(i)]);
      sounds.insert(sounds.end(), members.begin(), members.end());
    }
  } else {
    sounds = SoundsOf(*file.Element);
  }
  if (element > static_cast<int>(sounds.size()))
    throw TCliError::BadInput(QStringLiteral("%1 holds %2 sounds; there is no sound %3")
                                  .arg(QDir::toNativeSeparators(file.Path))
                                  .arg(sounds.size())
                                  .arg(element));
  if (element) return {sounds[static_cast<std::size_t>(element - 1)]};
  return sounds;
}

std::vector<TShownSound> LoadSounds(const QString& path, int element) {
  const TLoadedFile file = TLoadedFile::Load(path);
  std::vector<TShownSound> shown;
  for (const TLibElem* sound : SoundsIn(file, element)) shown.push_back(ShowSound(*sound));
  return shown;
}

QJsonArray StoredArray(const QByteArray& bytes) {
  QJsonArray stored;
  for (char byte : bytes) stored.append(static_cast<std::uint8_t>(byte));
  return stored;
}

QString StoredHex(const QByteArray& bytes) {
  return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

// JSON written by hand, one parameter a line: a bank lists some 70,000 parameters, and building
// them as JSON objects first took several times longer than the rest of the command.
QString JsonString(const QString& text) {
  QString out;
  out.reserve(text.size() + 2);
  out += u'"';
  for (QChar c : text) {
    switch (c.unicode()) {
      case '"':
        out += QLatin1String("\\\"");
        break;
      case '\\':
        out += QLatin1String("\\\\");
        break;
      default:
        if (c.unicode() < 0x20)
          out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
          out += c;
    }
  }
  out += u'"';
  return out;
}

QString ParamJson(const TShownParam& param) {
  QString stored;
  for (char byte : param.Stored) {
    if (!stored.isEmpty()) stored += QLatin1String(", ");
    stored += QString::number(static_cast<std::uint8_t>(byte));
  }
  QString line = QStringLiteral(
                     "{\"block\": %1, \"offset\": %2, \"caption\": %3, \"stored\": [%4], "
                     "\"text\": %5")
                     .arg(JsonString(param.Block))
                     .arg(param.Offset)
                     .arg(JsonString(param.Caption), stored, JsonString(param.Text));
  if (!param.InRange) line += QLatin1String(", \"outOfRange\": true");
  return line + u'}';
}

// One line of a parameter: block, offset, caption, text; a flagged byte says so.
QString ParamLine(const TShownParam& param) {
  QString line = QStringLiteral("  %1 %2  %3 %4")
                     .arg(param.Block, -13)
                     .arg(param.Offset, 3)
                     .arg(param.Caption.trimmed(), -26)
                     .arg(param.Text);
  if (!param.InRange) line += QStringLiteral("  (out of range: %1)").arg(StoredHex(param.Stored));
  return line.trimmed().prepend(QStringLiteral("  ")) + u'\n';
}

QString Heading(int number, const TShownSound& sound) {
  return QStringLiteral("%1: %2 \"%3\"\n").arg(number).arg(sound.Kind, sound.Name);
}

void Write(const QByteArray& bytes) {
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
  std::fflush(stdout);
}

// The wave and patch names the editors show come from Names.Txt (the start directory's, or the
// installed copy) and UserCard.Txt.
void LoadNameLists() {
  PageNames().Load();
}

int RunShow(const TCliArgs& cli) {
  const TShowArgs args = ParseWords(QStringLiteral("show"), cli.Words, 1);
  LoadNameLists();
  const TLoadedFile file = TLoadedFile::Load(args.Paths[0]);
  const std::vector<const TLibElem*> sounds = SoundsIn(file, args.Element);
  // One sound at a time: a bank lists some 70,000 parameters, and holding all of them and the
  // whole text at once spent more time allocating memory than making the listing.
  if (args.Json) {
    Write(QByteArrayLiteral("["));
    for (std::size_t i = 0; i < sounds.size(); ++i) {
      const TShownSound sound = ShowSound(*sounds[i]);
      QString json = QStringLiteral("%1\n  {\"kind\": %2, \"name\": %3, \"parameters\": [")
                         .arg(i ? QStringLiteral(",") : QString(), JsonString(sound.Kind),
                              JsonString(sound.Name));
      for (std::size_t p = 0; p < sound.Parameters.size(); ++p)
        json += (p ? QStringLiteral(",\n    ") : QStringLiteral("\n    ")) +
                ParamJson(sound.Parameters[p]);
      json += QStringLiteral("\n  ]}");
      Write(json.toUtf8());
    }
    Write(QByteArrayLiteral("\n]\n"));
    return ecSuccess;
  }
  int number = args.Element ? args.Element : 1;
  for (const TLibElem* element : sounds) {
    const TShownSound sound = ShowSound(*element);
    QString text = Heading(number++, sound);
    for (const TShownParam& param : sound.Parameters) text += ParamLine(param);
    Write(text.toUtf8());
  }
  return ecSuccess;
}

int RunDiff(const TCliArgs& cli) {
  const TShowArgs args = ParseWords(QStringLiteral("diff"), cli.Words, 2);
  LoadNameLists();
  const std::vector<TShownSound> a = LoadSounds(args.Paths[0], args.Element);
  const std::vector<TShownSound> b = LoadSounds(args.Paths[1], args.Element);
  QString text;
  QJsonArray list;
  const std::size_t count = std::max(a.size(), b.size());
  int differences = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const int number = static_cast<int>(i) + (args.Element ? args.Element : 1);
    if (i >= a.size() || i >= b.size()) {
      const bool inA = i < a.size();
      const TShownSound& only = inA ? a[i] : b[i];
      text += QStringLiteral("%1: %2 \"%3\" only in %4\n")
                  .arg(number)
                  .arg(only.Kind, only.Name, inA ? args.Paths[0] : args.Paths[1]);
      list.append(QJsonObject{{QStringLiteral("sound"), number},
                              {QStringLiteral("onlyIn"), inA ? args.Paths[0] : args.Paths[1]}});
      ++differences;
      continue;
    }
    if (a[i].Kind != b[i].Kind) {
      text += QStringLiteral("%1: %2 \"%3\" | %4 \"%5\": different kinds\n")
                  .arg(number)
                  .arg(a[i].Kind, a[i].Name, b[i].Kind, b[i].Name);
      list.append(QJsonObject{{QStringLiteral("sound"), number},
                              {QStringLiteral("kinds"), QJsonArray{a[i].Kind, b[i].Kind}}});
      ++differences;
      continue;
    }
    // Parameters meet by block and offset: an effect type of B may give its bytes other rows.
    QHash<QPair<QString, int>, const TShownParam*> inB;
    for (const TShownParam& param : b[i].Parameters)
      inB.insert({param.Block, param.Offset}, &param);
    QString lines;
    const TShownParam none;
    for (const TShownParam& pa : a[i].Parameters) {
      const TShownParam* pb = inB.value({pa.Block, pa.Offset}, &none);
      if (pb != &none && pb->Stored == pa.Stored) continue;
      lines += QStringLiteral("  %1 %2  %3 %4 | %5\n")
                   .arg(pa.Block, -13)
                   .arg(pa.Offset, 3)
                   .arg(pa.Caption.trimmed(), -26)
                   .arg(pa.Text, pb->Text);
      list.append(QJsonObject{
          {QStringLiteral("sound"), number},
          {QStringLiteral("block"), pa.Block},
          {QStringLiteral("offset"), pa.Offset},
          {QStringLiteral("caption"), pa.Caption},
          {QStringLiteral("a"), QJsonObject{{QStringLiteral("stored"), StoredArray(pa.Stored)},
                                            {QStringLiteral("text"), pa.Text}}},
          {QStringLiteral("b"), QJsonObject{{QStringLiteral("stored"), StoredArray(pb->Stored)},
                                            {QStringLiteral("text"), pb->Text}}}});
      ++differences;
    }
    if (!lines.isEmpty())
      text += QStringLiteral("%1: %2 \"%3\" | \"%4\"\n")
                  .arg(number)
                  .arg(a[i].Kind, a[i].Name, b[i].Name) +
              lines;
  }
  if (args.Json) {
    Write(QJsonDocument(list).toJson(QJsonDocument::Indented));
  } else {
    if (differences == 0) text = QStringLiteral("No differences.\n");
    Write(text.toUtf8());
  }
  return ecSuccess;
}
}  // namespace

TCliCommand ShowCommand() {
  return {"show",
          "FILE [--element N] [--json]",
          "every parameter of every sound in a file, as the editors show it",
          "Lists each sound of a .Syx, .Glb or .Lib file (banks and global dumps member by\n"
          "member) with every parameter: its block (common, tone 1..4, part 1..16, note 35..98,\n"
          "scale tune 1..17), block offset, caption and the text its control shows. A byte\n"
          "outside its parameter's range is shown as its number and flagged.\n"
          "  --element N  only the Nth sound, counting as the listing does from 1\n"
          "  --json       a JSON array of {kind, name, parameters: [{block, offset, caption,\n"
          "               stored: [bytes], text}]}; a flagged parameter adds outOfRange: true",
          1,
          -1,
          {QStringLiteral("--element"), QStringLiteral("--json")},
          RunShow};
}

TCliCommand DiffCommand() {
  return {"diff",
          "A B [--element N] [--json]",
          "the parameters in which the sounds of two files differ",
          "Compares the sounds of A and B in listing order (as `vesta-cli show` numbers them)\n"
          "and lists each parameter whose bytes differ: block, offset, caption, then A's and B's\n"
          "text side by side. \"No differences.\" when there are none.\n"
          "  --element N  only the Nth sound of each file\n"
          "  --json       a JSON array of {sound, block, offset, caption, a: {stored, text},\n"
          "               b: {stored, text}}",
          2,
          -1,
          {QStringLiteral("--element"), QStringLiteral("--json")},
          RunDiff};
}
