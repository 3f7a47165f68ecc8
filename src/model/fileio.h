#pragma once
// Whole-file reads and atomic writes, and the dialog rules that every Save and Load command of
// the model shares. Failures are shown to the user with the platform's message and the file.
#include <QByteArray>
#include <QString>

#include "midi/userinterface.h"

inline const QString kOverwriteQuestion = QStringLiteral("File Alredy Exist. Overwrite it ?");

// Reads the whole file; on failure shows the platform's message and returns false.
bool ReadWholeFile(const QString& path, QByteArray& data);
// Writes data through a temporary file renamed over path, so a failed write leaves any previous
// file as it was; on failure shows the platform's message and returns false.
bool WriteFileAtomic(const QString& path, const QByteArray& data);
// Writes without asking anything; the message of a failure, or an empty string.
QString WriteFileAtomicQuiet(const QString& path, const QByteArray& data);

// The dialog options starting from a file name: its folder and its name proposed.
TFileDialogOptions DialogFor(const QString& title, const QString& ext, const QString& filter,
                             const QString& fileName, bool mustExist);

// Where a save goes. Without saveAs, a file that is not untitled (compared without regard to
// case) or was saved before goes to fileName with no question. Otherwise the save dialog, and
// for an existing file the overwrite question. Empty when cancelled or declined.
QString SaveTarget(bool saveAs, const QString& fileName, bool savedToFile, const QString& untitled,
                   const TFileDialogOptions& dialog);
