// The file subcommands: info, convert, extract and pack.
#include "cli/commands.h"

#include <cstdio>

#include <QDir>
#include <QFileInfo>

#include "cli/catalogcommands.h"
#include "cli/clierror.h"
#include "cli/listing.h"
#include "cli/loadedfile.h"
#include "cli/outputfile.h"
#include "cli/searchcommands.h"
#include "cli/setcommands.h"
#include "cli/showcommands.h"
#include "cli/toolcommands.h"
#include "cli/transfercommands.h"
#include "model/fileio.h"
#include "model/global.h"

namespace {
QString Shown(const QString& path) {
  return QDir::toNativeSeparators(path);
}

void Print(const QByteArray& text) {
  std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
  std::fflush(stdout);
}

int RunInfo(const TCliArgs& args) {
  const TLoadedFile file = TLoadedFile::Load(args.Positional[0]);
  if (args.Options.contains(QStringLiteral("--json")))
    Print(TListing::Json(file).toJson(QJsonDocument::Indented));
  else
    Print(TListing::Text(file).toUtf8());
  // What was read of a damaged library is listed, and the damage is the error.
  file.RequireWhole();
  return ecSuccess;
}

int RunConvert(const TCliArgs& args) {
  const bool toXp = args.Options.contains(QStringLiteral("--to-xp"));
  if (toXp == args.Options.contains(QStringLiteral("--from-xp")))
    throw TCliError::Usage(QStringLiteral("convert: give exactly one of --to-xp and --from-xp"));
  const TLoadedFile file = TLoadedFile::Load(args.Positional[0], !toXp);
  file.RequireWhole();
  WriteOutputFile(args.Positional[1], file.Write(toXp));
  return ecSuccess;
}

int RunExtract(const TCliArgs& args) {
  bool isNumber = false;
  const int number = args.Positional[1].toInt(&isNumber);
  if (!isNumber || number < 1)
    throw TCliError::Usage(
        QStringLiteral("extract: the element number must be 1 or more, not \"%1\"")
            .arg(args.Positional[1]));
  const TLoadedFile file = TLoadedFile::Load(args.Positional[0]);
  if (file.Format != TFileFormat::Lib)
    throw TCliError::BadInput(
        QStringLiteral("%1: not a library; extract takes elements out of a .Lib file")
            .arg(Shown(file.Path)));
  file.RequireWhole();
  if (number > file.Library->Count())
    throw TCliError::BadInput(
        QStringLiteral("%1: the library holds %2; there is no element %3")
            .arg(Shown(file.Path), TListing::ElementCount(file.Library->Count()))
            .arg(number));
  TLibElem& element = file.Library->Element(number - 1);
  const bool xp = file.Xp();
  WriteOutputFile(args.Positional[2], element.Kind == ekGlobal
                                      ? static_cast<TGlobal&>(element).GlbBytes(xp)
                                      : element.SysexBytes(xp));
  return ecSuccess;
}

int RunPack(const TCliArgs& args) {
  const QString output = args.Positional[0];
  TLibrary library;
  library.FileName = output;
  // The first file that is not the same in both layouts fixes the library's layout.
  std::optional<bool> xp;
  QString layoutFrom;
  for (int i = 1; i < args.Positional.size(); ++i) {
    const QString& path = args.Positional[i];
    TLoadedFile file = TLoadedFile::Load(path);
    if (file.Format == TFileFormat::Lib)
      throw TCliError::BadInput(
          QStringLiteral("%1: a library; pack takes .Syx and .Glb files (use extract "
                         "to take elements out of a library)")
              .arg(Shown(path)));
    if (file.Layout != TLayout::Either) {
      if (xp && *xp != file.Xp())
        throw TCliError::BadInput(
            QStringLiteral("%1: in the %2 layout, but %3 is in the %4 layout; a library holds "
                           "one layout (convert one of them first)")
                .arg(Shown(path), file.Xp() ? QStringLiteral("XP") : QStringLiteral("normal"),
                     Shown(layoutFrom), *xp ? QStringLiteral("XP") : QStringLiteral("normal")));
      xp = file.Xp();
      layoutFrom = path;
    }
    TLibElem& element = library.Add(std::move(file.Element));
    // As loading a file into an element does: it remembers its file, and the kinds that keep no
    // name in their data are named after it.
    element.FileName = QFileInfo(path).absoluteFilePath();
    if (element.Kind == ekPatchBank || element.Kind == ekPerformanceBank ||
        element.Kind == ekRhythmBank || element.Kind == ekSystem || element.Kind == ekGlobal)
      element.Name = NameFromFile(path);
  }
  WriteOutputFile(output, library.SaveToBytes(xp.value_or(false)));
  return ecSuccess;
}
}  // namespace

const std::vector<TCliCommand>& CliCommands() {
  static const std::vector<TCliCommand> commands = {
      {"info",
       "FILE [--json]",
       "list what a .Syx, .Glb or .Lib file holds",
       "Recognises a .Syx file of any kind by its size, in the normal or the XP layout, a .Glb\n"
       "global dump, and a .Lib library (by its extension, or by its contents when the extension\n"
       "says nothing). Lists every element with its kind, name, location and the date and time\n"
       "it was last modified where the file stores one (library records: the elements of a\n"
       "library, a global dump and its banks and system; a .Syx file and the members of a bank\n"
       "store none, shown as -); members of banks and global dumps follow their bank,\n"
       "indented. A damaged library is listed up to the damage, which is then reported as the\n"
       "error.\n"
       "  --json  the same as one JSON object:\n"
       "          {file, format: syx|glb|lib, layout: normal|xp|either, size, comment "
       "(libraries),\n"
       "           damage: {offset, problem} (damaged libraries), elements: [{index, kind,\n"
       "           kindCode, name, location, modified: ISO date and time or null,\n"
       "           members: [...] (banks and globals)}]}",
       1,
       1,
       {QStringLiteral("--json")},
       RunInfo},
      {"convert",
       "IN OUT --to-xp | --from-xp",
       "convert a .Syx, .Glb or .Lib file between the normal and the XP layout",
       "--to-xp reads IN in the normal layout and writes OUT in the XP layout; --from-xp does\n"
       "the opposite. OUT is the same kind of file as IN. Block headers are written for each\n"
       "element's own location, as when the program saves it.",
       2,
       2,
       {QStringLiteral("--to-xp"), QStringLiteral("--from-xp")},
       RunConvert},
      {"extract",
       "LIB N OUT",
       "write element N of a library as a .Syx or .Glb file",
       "N counts from 1, in the order `vesta-cli info LIB` lists the elements. A sound or a bank\n"
       "is written as a .Syx file, a global dump as a .Glb file, in the library's layout.",
       3,
       3,
       {},
       RunExtract},
      {"pack",
       "OUT.Lib FILE...",
       "build a library from .Syx and .Glb files",
       "Each file's kind is recognised by its size. Banks, systems and global dumps are named\n"
       "after their file; patches, performances and rhythm sets keep the names in their data.\n"
       "All files must be in one layout, which the library is written in.",
       2,
       -1,
       {},
       RunPack},
      PortsCommand(),
      ReceiveCommand(),
      SendCommand(),
      SearchCommand(),
      DuplicatesCommand(),
      RandomCommand(),
      MorphCommand(),
      ShowCommand(),
      DiffCommand(),
      CatalogCommand(),
      FindCommand(),
      SimilarCommand(),
      TagCommand(),
      SetCommand(),
  };
  return commands;
}

const TCliCommand* FindCliCommand(const QString& name) {
  for (const TCliCommand& command : CliCommands())
    if (name == QLatin1String(command.Name)) return &command;
  return nullptr;
}
