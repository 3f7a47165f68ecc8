#pragma once
// Opening any file of ours as a library, by what it holds rather than by its extension: a .Syx
// (one sound, a bank or the system) or a .Glb becomes a new, untitled library holding that
// element; anything else is read as a library. This is what File > Open, the command line and a
// file dropped on the main window do.
#include <memory>

#include <QString>

#include "model/library.h"

struct TOpenedFile {
  std::unique_ptr<TLibrary> Library;  // none when the file was refused
  // For the user: why the file was refused, or the damage of the library that was opened.
  QString Message;
  bool Refused() const { return !Library; }
};

// Reads path in the layout xp says. A library read with damage keeps the elements before it
// and is untied from its file; a library file of which nothing could be read, a .Syx of no
// kind's size and a file that is neither are refused with their reason.
TOpenedFile OpenByContent(const QString& path, bool xp);
