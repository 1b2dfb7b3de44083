// What the program tells the user when a file cannot be read or written: the file's name, the
// cause in plain words, and what the user can do about it.
#pragma once

#include <QString>

namespace examora {

// "Examora.TXT could not be read: it is a directory, not a file. ..." for the data file at start or
// on Load; missing says that there is no file at all (a save will make it).
QString ReadFailureMessage(const QString& fileName, const QString& reason, bool missing);
// A save refused because the file on disk could not be read, so that it would not be replaced.
QString NotReadAtSaveMessage(const QString& fileName, const QString& reason);
// A save that failed: the exams are still held, and what to do before saving again.
QString SaveFailureMessage(const QString& fileName, const QString& error);
// An export that could not be written.
QString ExportFailureMessage(const QString& fileName, const QString& error);

} // namespace examora
