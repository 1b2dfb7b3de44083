// The command line: examora [--report | --export-csv] [FILE]. The reports and --help and --version
// are answered before any window is made, so that they work without a display.
#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace examora {

// True when the arguments (the program's name first) ask for something other than the window:
// --help, --version, --report or --export-csv. Needs no application object.
bool AsksForNoWindow(const QStringList& arguments);

// Answers --help, --version, --report and --export-csv, and refuses wrong arguments, writing to
// standard output and standard error; returns the exit status.
int RunWithoutWindow(const QCoreApplication& app);

// The data file the window keeps its records in: the FILE given, or "Examora.TXT" in the current
// folder. Wrong arguments are reported on standard error and end the program.
QString DataFileOfWindow(const QCoreApplication& app);

} // namespace examora
