#include "cli/catalogcommands.h"

#include <cstdio>
#include <memory>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "catalog/catalog.h"
#include "catalog/likeness.h"
#include "catalog/query.h"
#include "catalog/soundfile.h"
#include "cli/clierror.h"
#include "model/fileio.h"
#include "model/libelem.h"
#include "model/pagenames.h"

namespace {
QString Shown(const QString& path) {
  return QDir::toNativeSeparators(path);
}

void Write(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
  std::fflush(stdout);
}

// The words after the command with --catalog FILE taken out, and the catalog opened.
struct TCatalogArgs {
  QStringList Words;
  QString Path;
};

TCatalogArgs TakeCatalog(const QString& command, const QStringList& words) {
  TCatalogArgs args;
  args.Path = TCatalog::DefaultPath();
  for (qsizetype i = 0; i < words.size(); ++i) {
    if (words[i] == QLatin1String("--catalog")) {
      if (i + 1 >= words.size())
        throw TCliError::Usage(QStringLiteral("%1: --catalog needs a file").arg(command));
      args.Path = words[++i];
    } else {
      args.Words << words[i];
    }
  }
  return args;
}

std::unique_ptr<TCatalog> Open(const QString& path) {
  try {
    return std::make_unique<TCatalog>(path);
  } catch (const TCatalogError& error) {
    throw TCliError::BadInput(error.Message);
  }
}

QString JsonString(const QString& text) {
  QString out = QStringLiteral("\"");
  for (QChar c : text) {
    if (c == u'"' || c == u'\\')
      out += u'\\' + QString(c);
    else if (c.unicode() < 0x20)
      out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    else
      out += c;
  }
  return out + u'"';
}

struct TListed {
  int Sound;
  int File;
  int Element;
  double Distance = -1;  // none
};

// One place a line (name, kind, file, element, and the distance when there is one), or a JSON
// list of {"kind", "name", "file", "element", "hash"} (and "distance").
QString Listing(const TCatalogIndex& index, const std::vector<TListed>& places, bool json) {
  QString out;
  if (json) out += u'[';
  bool first = true;
  for (const TListed& place : places) {
    const TIndexedSound& sound = index.Sounds[static_cast<std::size_t>(place.Sound)];
    const QString file = Shown(index.Files[place.File]);
    const QString kind = TLibElem::KindName(sound.Kind);
    if (json) {
      out += QStringLiteral("%1\n  {\"kind\": %2, \"name\": %3, \"file\": %4, \"element\": %5, "
                            "\"hash\": \"%6\"")
                 .arg(first ? QString() : QStringLiteral(","), JsonString(kind),
                      JsonString(sound.Name), JsonString(file))
                 .arg(place.Element)
                 .arg(QString::fromLatin1(sound.Hash.toHex()));
      if (place.Distance >= 0) out += QStringLiteral(", \"distance\": %1").arg(place.Distance, 0, 'g', 6);
      out += u'}';
    } else {
      out += QStringLiteral("%1\t%2\t%3\t%4").arg(sound.Name, kind, file).arg(place.Element);
      if (place.Distance >= 0) out += QStringLiteral("\t%1").arg(place.Distance, 0, 'f', 4);
      out += u'\n';
    }
    first = false;
  }
  if (json) out += first ? QStringLiteral("]\n") : QStringLiteral("\n]\n");
  return out;
}

// The sounds of a file as the catalog enters them, all or only the Nth.
std::vector<TCatalogSound> FileSounds(const QString& path, int element) {
  const QFileInfo info(path);
  if (!info.isFile()) throw TCliError::BadInput(QStringLiteral("%1: no such file").arg(Shown(path)));
  QByteArray bytes;
  if (!ReadWholeFile(path, bytes)) FailWithRecordedMessages(Shown(path) + ": cannot be read");
  TSoundFile file = ReadSoundFile(path, bytes);
  if (!file.Damage.isEmpty())
    throw TCliError::BadInput(QStringLiteral("%1: %2").arg(Shown(path), file.Damage));
  if (element > static_cast<int>(file.Sounds.size()))
    throw TCliError::BadInput(QStringLiteral("%1 holds %2 sounds; there is no sound %3")
                                  .arg(Shown(path))
                                  .arg(file.Sounds.size())
                                  .arg(element));
  if (element) return {file.Sounds[static_cast<std::size_t>(element - 1)]};
  return std::move(file.Sounds);
}

int ElementValue(const QString& command, const QStringList& words, qsizetype& i) {
  bool ok = false;
  const int element = i + 1 < words.size() ? words[++i].toInt(&ok) : 0;
  if (!ok || element < 1)
    throw TCliError::Usage(QStringLiteral("%1: --element takes a sound number from 1").arg(command));
  return element;
}

QString ScanSummary(TCatalog& catalog, const TScanReport& report) {
  QString out;
  for (const auto& [file, reason] : report.Damaged)
    out += QStringLiteral("%1: %2\n").arg(Shown(file), reason);
  const TCatalogCounts counts = catalog.Counts();
  out += QStringLiteral("Files read: %1, sounds: %2, distinct sounds: %3, damaged files: %4\n")
             .arg(report.FilesRead)
             .arg(counts.Places)
             .arg(counts.Distinct)
             .arg(report.Damaged.size());
  return out;
}

int RunCatalog(const TCliArgs& cli) {
  const TCatalogArgs args = TakeCatalog(QStringLiteral("catalog"), cli.Words);
  const QString action = args.Words.value(0);
  const QStringList rest = args.Words.mid(1);
  auto usage = [] {
    return TCliError::Usage(
        QStringLiteral("catalog: give add DIR..., remove DIR, scan, folders or stats"));
  };
  if (action == QLatin1String("add")) {
    if (rest.isEmpty()) throw usage();
    for (const QString& folder : rest)
      if (!QFileInfo(folder).isDir())
        throw TCliError::BadInput(QStringLiteral("%1: no such folder").arg(Shown(folder)));
    auto catalog = Open(args.Path);
    for (const QString& folder : rest) catalog->AddFolder(folder);
    Write(ScanSummary(*catalog, catalog->Scan()));
  } else if (action == QLatin1String("remove")) {
    if (rest.size() != 1) throw usage();
    auto catalog = Open(args.Path);
    if (!catalog->RemoveFolder(rest[0]))
      throw TCliError::BadInput(
          QStringLiteral("%1: not a folder of the catalog").arg(Shown(rest[0])));
  } else if (action == QLatin1String("scan")) {
    if (!rest.isEmpty()) throw usage();
    auto catalog = Open(args.Path);
    Write(ScanSummary(*catalog, catalog->Scan()));
  } else if (action == QLatin1String("folders")) {
    if (!rest.isEmpty()) throw usage();
    QString out;
    for (const QString& folder : Open(args.Path)->Folders()) out += Shown(folder) + u'\n';
    Write(out);
  } else if (action == QLatin1String("stats")) {
    if (!rest.isEmpty()) throw usage();
    auto catalog = Open(args.Path);
    const TCatalogCounts c = catalog->Counts();
    Write(QStringLiteral("Catalog: %1\nFolders: %2\nFiles: %3\nSounds: %4\n"
                         "Distinct sounds: %5 (patches %6, performances %7, rhythm sets %8, "
                         "systems %9)\n")
              .arg(Shown(catalog->Path()))
              .arg(c.Folders)
              .arg(c.Files)
              .arg(c.Places)
              .arg(c.Distinct)
              .arg(c.ByKind[0])
              .arg(c.ByKind[1])
              .arg(c.ByKind[2])
              .arg(c.ByKind[3]) +
          QStringLiteral("Database: %1 bytes\n").arg(c.Bytes));
  } else {
    throw usage();
  }
  return ecSuccess;
}

// The words of a query as typed in one string: a word the shell received whole with blanks in
// it was quoted, and is quoted again.
QString QueryText(const QStringList& words) {
  QStringList parts;
  for (const QString& word : words)
    parts << (word.contains(u' ') && !word.contains(u'"') ? u'"' + word + u'"' : word);
  return parts.join(u' ');
}

int RunFind(const TCliArgs& cli) {
  const TCatalogArgs args = TakeCatalog(QStringLiteral("find"), cli.Words);
  QStringList words = args.Words;
  const bool json = words.removeAll(QStringLiteral("--json")) > 0;
  if (words.isEmpty()) throw TCliError::Usage(QStringLiteral("find: give a query"));
  PageNames().Load();
  TQuery query;
  try {
    query = TQuery::Parse(QueryText(words));
  } catch (const TQueryError& error) {
    throw TCliError::Usage(QStringLiteral("find: %1 in: %2").arg(error.Text(), QueryText(words)));
  }
  const TCatalogIndex index = Open(args.Path)->LoadIndex();
  std::vector<TListed> listed;
  for (const TFoundPlace& place : query.Run(index))
    listed.push_back({place.Sound, place.File, place.Element});
  Write(Listing(index, listed, json));
  return ecSuccess;
}

int RunSimilar(const TCliArgs& cli) {
  const TCatalogArgs args = TakeCatalog(QStringLiteral("similar"), cli.Words);
  QString path;
  int element = 0;
  int k = 10;
  bool json = false;
  for (qsizetype i = 0; i < args.Words.size(); ++i) {
    const QString& word = args.Words[i];
    if (word == QLatin1String("--json")) {
      json = true;
    } else if (word == QLatin1String("--element")) {
      element = ElementValue(QStringLiteral("similar"), args.Words, i);
    } else if (word == QLatin1String("-k")) {
      bool ok = false;
      k = i + 1 < args.Words.size() ? args.Words[++i].toInt(&ok) : 0;
      if (!ok || k < 1) throw TCliError::Usage(QStringLiteral("similar: -k takes a number from 1"));
    } else if (path.isEmpty()) {
      path = word;
    } else {
      throw TCliError::Usage(QStringLiteral("similar: give one file"));
    }
  }
  if (path.isEmpty()) throw TCliError::Usage(QStringLiteral("similar: give a file"));
  const std::vector<TCatalogSound> sounds = FileSounds(path, element);
  if (sounds.size() != 1)
    throw TCliError::Usage(QStringLiteral("similar: %1 holds %2 sounds; choose one with --element N")
                               .arg(Shown(path))
                               .arg(sounds.size()));
  const TCatalogIndex index = Open(args.Path)->LoadIndex();
  const TLikeness likeness(index);
  std::vector<TListed> listed;
  for (const TNearSound& near : likeness.Nearest(sounds[0].Kind, sounds[0].Data, k))
    for (const auto& [file, place] : index.Sounds[static_cast<std::size_t>(near.Sound)].Places)
      listed.push_back({near.Sound, file, place, near.Distance});
  std::stable_sort(listed.begin(), listed.end(), [](const TListed& a, const TListed& b) {
    if (a.Distance != b.Distance) return a.Distance < b.Distance;
    return a.File != b.File ? a.File < b.File : a.Element < b.Element;
  });
  Write(Listing(index, listed, json));
  return ecSuccess;
}

int RunTag(const TCliArgs& cli) {
  const TCatalogArgs args = TakeCatalog(QStringLiteral("tag"), cli.Words);
  QString path;
  int element = 0;
  std::vector<std::function<void(TCatalog&, const QByteArray&)>> changes;
  for (qsizetype i = 0; i < args.Words.size(); ++i) {
    const QString word = args.Words[i];
    auto value = [&] {
      if (i + 1 >= args.Words.size() || args.Words[i + 1].trimmed().isEmpty())
        throw TCliError::Usage(QStringLiteral("tag: %1 needs a name").arg(word));
      return args.Words[++i].trimmed();
    };
    if (word == QLatin1String("--element")) {
      element = ElementValue(QStringLiteral("tag"), args.Words, i);
    } else if (word == QLatin1String("--fav") || word == QLatin1String("--no-fav")) {
      const bool on = word == QLatin1String("--fav");
      changes.push_back([on](TCatalog& c, const QByteArray& h) { c.SetFavourite(h, on); });
    } else if (word == QLatin1String("--hide") || word == QLatin1String("--show")) {
      const bool on = word == QLatin1String("--hide");
      changes.push_back([on](TCatalog& c, const QByteArray& h) { c.SetHidden(h, on); });
    } else if (word == QLatin1String("--cat") || word == QLatin1String("--no-cat")) {
      const bool on = word == QLatin1String("--cat");
      const QString name = value();
      changes.push_back([on, name](TCatalog& c, const QByteArray& h) { c.SetCategory(h, name, on); });
    } else if ((word.startsWith(u'+') || word.startsWith(u'-')) && path.size() > 0) {
      const bool on = word.startsWith(u'+');
      const QString tag = word.mid(1).trimmed();
      if (tag.isEmpty()) throw TCliError::Usage(QStringLiteral("tag: %1 needs a tag").arg(word));
      changes.push_back([on, tag](TCatalog& c, const QByteArray& h) { c.SetTag(h, tag, on); });
    } else if (path.isEmpty()) {
      path = word;
    } else {
      throw TCliError::Usage(QStringLiteral("tag: unknown word \"%1\"").arg(word));
    }
  }
  if (path.isEmpty()) throw TCliError::Usage(QStringLiteral("tag: give a file"));
  if (changes.empty())
    throw TCliError::Usage(
        QStringLiteral("tag: give +TAG, -TAG, --fav, --no-fav, --hide, --show, --cat NAME or "
                       "--no-cat NAME"));
  const std::vector<TCatalogSound> sounds = FileSounds(path, element);
  auto catalog = Open(args.Path);
  for (const TCatalogSound& sound : sounds)
    for (const auto& change : changes) change(*catalog, sound.Hash);
  return ecSuccess;
}

const QStringList kCatalogOption = {QStringLiteral("--catalog")};
}  // namespace

TCliCommand CatalogCommand() {
  return {"catalog",
          "add DIR... | remove DIR | scan | folders | stats [--catalog FILE]",
          "keep the sounds of folders in the sound catalog",
          "The catalog holds every patch, performance, rhythm set and system of the .Syx, .Glb\n"
          "and .Lib files in its folders and their subfolders (bank and global members and\n"
          "library elements each on their own), each distinct sound once with all its places.\n"
          "  add DIR...  adds folders and scans\n"
          "  remove DIR  forgets a folder and the sounds only its files hold (tags, categories\n"
          "              and marks stay with the sounds)\n"
          "  scan        reads the files that are new or whose size or time changed, and forgets\n"
          "              the files that have gone; scanned files are never written\n"
          "  folders     lists the folders\n"
          "  stats       counts folders, files, sounds and the database's size\n"
          "add and scan end with \"Files read: N, sounds: N, distinct sounds: N, damaged files:\n"
          "N\", after a line \"FILE: reason\" for each damaged file, which is skipped.\n"
          "  --catalog FILE  the catalog to use (also the environment variable VESTA_CATALOG;\n"
          "                  by default Catalog.db in the user's data folder, under vesta)",
          1,
          -1,
          kCatalogOption,
          RunCatalog};
}

TCliCommand FindCommand() {
  return {"find",
          "QUERY... [--json] [--catalog FILE]",
          "find sounds in the catalog by name, category, tag, file or parameter",
          "Terms separated by blanks must all hold; a term with a leading - must not; double\n"
          "quotes keep blanks inside a term.\n"
          "  WORD            the name contains it, case ignored\n"
          "  kind:KIND       patch, performance, rhythm or system\n"
          "  cat:NAME        in the category     tag:NAME  has the tag\n"
          "  fav             a favourite         dup       held in more than one place\n"
          "  file:TEXT       in a file whose path contains TEXT\n"
          "  hidden          a hidden sound (hidden sounds are left out unless a term names them)\n"
          "  p:BLOCK/CAPTION OP VALUE\n"
          "                  a parameter as `vesta-cli show` prints it. BLOCK: common, tone1 to\n"
          "                  tone4, tone (any), part1 to part16, part, note35 to note98, note,\n"
          "                  scale1 to scale17, scale. OP: = and != compare the shown text (case\n"
          "                  ignored, blanks trimmed, inner runs of blanks as one); < <= > >=\n"
          "                  compare the first number of the shown text with VALUE.\n"
          "Example: kind:patch \"p:tone/Cutoff Frequency>=100\" \"p:common/EFX Type=18 :\n"
          "Modulation-Delay\" pad\n"
          "Lists one sound a line: name, kind, file and element number (as `vesta-cli show\n"
          "--element N` counts), separated by tabs, by file and then element; each place of a\n"
          "sound on its own line.\n"
          "  --json  a JSON list of {\"kind\", \"name\", \"file\", \"element\", \"hash\"}",
          1,
          -1,
          {QStringLiteral("--catalog"), QStringLiteral("--json")},
          RunFind};
}

TCliCommand SimilarCommand() {
  return {"similar",
          "FILE [--element N] [-k K] [--json] [--catalog FILE]",
          "the sounds of the catalog most like a sound of a file",
          "Lists the K (10 when not given) sounds of the catalog nearest to the sound of FILE\n"
          "(its Nth with --element, counting as `vesta-cli show` does) among those of its kind,\n"
          "each place on its own line with the distance after the columns of `find`: the mean,\n"
          "over the parameter rows both sounds have (the name left out, an effect type's own\n"
          "rows only when both hold that type), of |a - b| / (max - min) of the stored values\n"
          "for rows with a numeric range and of 0 or 1 (same or different) for lists, radio\n"
          "groups, buttons, check boxes and pictures. Ordered by distance, then file, then\n"
          "element; a sound identical to the one asked is at 0.\n"
          "  --json  the objects of `find --json` with \"distance\"",
          1,
          -1,
          {QStringLiteral("--catalog"), QStringLiteral("--element"), QStringLiteral("--json")},
          RunSimilar};
}

TCliCommand TagCommand() {
  return {"tag",
          "FILE [--element N] (+TAG | -TAG | --fav | --no-fav | --hide | --show | --cat NAME | "
          "--no-cat NAME)... [--catalog FILE]",
          "set tags, categories and the favourite and hidden marks of sounds",
          "Marks the sounds of FILE (only its Nth with --element): +TAG adds a tag and -TAG\n"
          "takes it away, --fav and --no-fav set and clear the favourite mark, --hide and --show\n"
          "the hidden mark, --cat NAME puts the sound in a category and --no-cat NAME takes it\n"
          "out (a category set either way by hand is never changed by a scan). The marks belong\n"
          "to the sound, not to the file: they hold for every place of the same sound, and stay\n"
          "when files move or folders are removed.",
          1,
          -1,
          {QStringLiteral("--catalog"), QStringLiteral("--element"), QStringLiteral("--fav"),
           QStringLiteral("--no-fav"), QStringLiteral("--hide"), QStringLiteral("--show"),
           QStringLiteral("--cat"), QStringLiteral("--no-cat")},
          RunTag};
}
