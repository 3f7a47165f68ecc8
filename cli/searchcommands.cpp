#include "cli/searchcommands.h"

#include <cstdio>

#include <QDate>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/clierror.h"
#include "cli/listing.h"
#include "cli/loadedfile.h"
#include "model/search.h"

namespace {
struct TSearchArgs {
  QString Path;
  TSearchOptions Options;
  bool Json = false;
};

double DayNumber(const QString& command, const QString& text) {
  const QDate date = QDate::fromString(text, Qt::ISODate);
  if (!date.isValid())
    throw TCliError::Usage(
        QStringLiteral("%1: \"%2\" is not a date (YYYY-MM-DD)").arg(command, text));
  return static_cast<double>(QDate(1899, 12, 30).daysTo(date));
}

void SetKinds(TSearchOptions& options, const QString& list) {
  options.Patch = options.Performance = options.Rhythm = options.System = false;
  for (const QString& kind : list.split(u',', Qt::SkipEmptyParts)) {
    const QString k = kind.trimmed().toLower();
    if (k == QLatin1String("patch"))
      options.Patch = true;
    else if (k == QLatin1String("performance"))
      options.Performance = true;
    else if (k == QLatin1String("rhythm"))
      options.Rhythm = true;
    else if (k == QLatin1String("system"))
      options.System = true;
    else
      throw TCliError::Usage(
          QStringLiteral("search: unknown kind \"%1\" (patch, performance, rhythm, system)")
              .arg(kind));
  }
}

// The words after the command: options with their values, and the one library.
TSearchArgs ParseWords(const QString& command, const QStringList& words) {
  TSearchArgs args;
  bool from = false, to = false;
  for (qsizetype i = 0; i < words.size(); ++i) {
    const QString& word = words[i];
    auto value = [&]() -> QString {
      if (i + 1 >= words.size())
        throw TCliError::Usage(QStringLiteral("%1: %2 needs a value").arg(command, word));
      return words[++i];
    };
    if (word == QLatin1String("--json")) {
      args.Json = true;
    } else if (word == QLatin1String("--case")) {
      args.Options.CaseSensitive = true;
    } else if (word == QLatin1String("--card")) {
      args.Options.DataCard = true;
    } else if (word == QLatin1String("--same-sound")) {
      args.Options.Mode = TSearchMode::SameSound;
    } else if (word == QLatin1String("--exact")) {
      args.Options.Substring = false;
    } else if (word == QLatin1String("--name")) {
      args.Options.Pattern = value();
    } else if (word == QLatin1String("--kinds")) {
      SetKinds(args.Options, value());
    } else if (word == QLatin1String("--from")) {
      args.Options.FromDate = DayNumber(command, value());
      from = true;
    } else if (word == QLatin1String("--to")) {
      args.Options.ToDate = DayNumber(command, value());
      to = true;
    } else if (args.Path.isEmpty()) {
      args.Path = word;
    } else {
      throw TCliError::Usage(QStringLiteral("%1: give one library").arg(command));
    }
  }
  if (args.Path.isEmpty())
    throw TCliError::Usage(QStringLiteral("%1: give a library").arg(command));
  if (from != to)
    throw TCliError::Usage(QStringLiteral("%1: give both --from and --to").arg(command));
  args.Options.UseDate = from;
  return args;
}

QString ModifiedText(const TLibElem& element) {
  const QString iso = TListing::IsoDateTime(element.ModifiedDate, element.ModifiedTime);
  return iso.isEmpty() ? QStringLiteral("-") : QString(iso).replace(u'T', QStringLiteral("  "));
}

int Run(const QString& command, const QStringList& words, TSearchMode mode) {
  TSearchArgs args = ParseWords(command, words);
  if (mode != TSearchMode::Search && args.Options.Mode != TSearchMode::SameSound)
    args.Options.Mode = mode;
  const TLoadedFile file = TLoadedFile::Load(args.Path);
  if (file.Format != TFileFormat::Lib)
    throw TCliError::BadInput(QStringLiteral("%1: not a library; %2 looks through .Lib files")
                                  .arg(QDir::toNativeSeparators(file.Path), command));
  file.RequireWhole();
  const std::vector<TLibElem*> results = TSearch::Run(*file.Library, args.Options);
  QByteArray out;
  if (args.Json) {
    QJsonArray rows;
    for (const TLibElem* element : results) {
      const QString modified = TListing::IsoDateTime(element->ModifiedDate, element->ModifiedTime);
      rows.append(QJsonObject{
          {QStringLiteral("kind"), element->KindName()},
          {QStringLiteral("name"), element->GetName()},
          {QStringLiteral("location"), element->LocationText()},
          {QStringLiteral("modified"), modified.isEmpty() ? QJsonValue() : QJsonValue(modified)},
          {QStringLiteral("in"), TSearch::Location(*element)}});
    }
    out = QJsonDocument(rows).toJson(QJsonDocument::Indented);
  } else {
    for (const TLibElem* element : results)
      out += (TSearch::ExportLine(*element, ModifiedText(*element)) + u'\n').toUtf8();
  }
  std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
  std::fflush(stdout);
  return ecSuccess;
}

const char* kLayout =
    "Each line: the kind, name, location and modified date and time padded to 20, 20, 15 and 25\n"
    "characters, then \"Loc : \" and the bank the element is in; members of banks are searched\n"
    "one by one, and global dumps bank by bank (their card banks only with --card).\n"
    "  --json  the same as a JSON array of {kind, name, location, modified, in}\n";
}  // namespace

TCliCommand SearchCommand() {
  static const QByteArray details =
      QByteArray(
          "Lists the patches, performances, rhythm sets and systems whose names hold TEXT\n"
          "(case ignored unless --case; the whole name with --exact) and, with --from and\n"
          "--to (YYYY-MM-DD, both included), that were modified between those days.\n"
          "  --kinds LIST  which kinds to look at, e.g. patch,rhythm (patch, performance,\n"
          "                rhythm, system; all when not given)\n") +
      kLayout;
  return {"search",
          "LIB [--name TEXT] [--case] [--exact] [--kinds ...] [--from DATE --to DATE]",
          "list the sounds of a library that match a name or dates",
          details.constData(),
          1,
          -1,
          {QStringLiteral("--name"), QStringLiteral("--case"), QStringLiteral("--exact"),
           QStringLiteral("--kinds"), QStringLiteral("--from"), QStringLiteral("--to"),
           QStringLiteral("--card"), QStringLiteral("--json")},
          [](const TCliArgs& args) {
            return Run(QStringLiteral("search"), args.Words, TSearchMode::Search);
          }};
}

TCliCommand DuplicatesCommand() {
  static const QByteArray details =
      QByteArray(
          "Lists every sound whose name (without trailing blanks; case ignored unless\n"
          "--case) occurs more than once, sorted by name. With --same-sound, lists the\n"
          "sounds of one kind stored more than once with the same data under any names,\n"
          "each group together.\n") +
      kLayout;
  return {"duplicates",
          "LIB [--case] [--same-sound]",
          "list the sounds of a library stored more than once",
          details.constData(),
          1,
          1,
          {QStringLiteral("--case"), QStringLiteral("--same-sound"), QStringLiteral("--card"),
           QStringLiteral("--json")},
          [](const TCliArgs& args) {
            return Run(QStringLiteral("duplicates"), args.Words, TSearchMode::DuplicateNames);
          }};
}
