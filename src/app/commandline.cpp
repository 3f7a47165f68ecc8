#include "app/commandline.h"

#include <cstdio>
#include <cstring>

#include <QDir>

#include "app/vesta.h"
#include "vestaversion.h"

QString VestaHelpText() {
  return QStringLiteral(
      "Usage: vesta [--settings FILE] [FILE...]\n"
      "Vesta: the editor and librarian for the sound module.\n"
      "\n"
      "Opens each FILE as File > Open does: a .Lib file as a library, a .Syx or .Glb file as a\n"
      "new untitled library holding it. While Vesta runs, a second \"vesta FILE...\" hands the\n"
      "files to the running program and ends, so that one program alone holds the MIDI ports.\n"
      "\n"
      "Options:\n"
      "  --settings FILE  the settings file to use instead of VESTA95.INI in the user's\n"
      "                   configuration folder (also the environment variable VESTA_SETTINGS)\n"
      "  -h, --help       this help\n"
      "  -v, --version    the version\n");
}

QString VestaVersionText() {
  return QStringLiteral("vesta %1\n").arg(QLatin1String(kVestaVersion));
}

std::optional<int> AnswerInformationOptions(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const char* word = argv[i];
    if (std::strcmp(word, "--settings") == 0) {
      ++i;
      continue;
    }
    QString text;
    if (std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0)
      text = VestaHelpText();
    else if (std::strcmp(word, "--version") == 0 || std::strcmp(word, "-v") == 0)
      text = VestaVersionText();
    else
      continue;
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    return 0;
  }
  return std::nullopt;
}

QStringList FileArguments(const QStringList& arguments) {
  QStringList files;
  for (const QString& file : TVesta::FilesFrom(arguments))
    files << QDir::cleanPath(QDir::current().absoluteFilePath(file));
  return files;
}
