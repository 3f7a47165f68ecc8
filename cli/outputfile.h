#pragma once
// Writing the file a command produces: whole or not at all, and every failure names the file and
// the system's reason.
#include <QByteArray>
#include <QString>

// Throws a bad-input error unless path can be written as the command will write it: not a folder,
// in a folder that exists and takes new files, and not a read-only file. Run before work that
// takes long (a transfer), so that the error comes before it instead of after.
void CheckWritable(const QString& path);
// Writes data to path atomically; throws a bad-input error naming the file and the reason.
void WriteOutputFile(const QString& path, const QByteArray& data);
