#include "cli/command_line.h"

#include "datafile/data_file.h"
#include "datafile/data_file_keeper.h"
#include "records/csv_export.h"
#include "stats/stats_report.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace examora {
namespace {

const QString kReport = QStringLiteral("report");
const QString kExportCsv = QStringLiteral("export-csv");

void DescribeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral("Keeps the record of the exams you have passed."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({kReport, QStringLiteral("Print the statistics of the records and exit.")});
    parser.addOption({kExportCsv, QStringLiteral("Write the records as CSV to standard output and exit.")});
    parser.addPositionalArgument(
        QStringLiteral("FILE"), QStringLiteral("The data file (default: Examora.TXT in the current folder)."),
        QStringLiteral("[FILE]"));
}

void Print(std::FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

int Refuse(const QString& message) {
    Print(stderr, (QStringLiteral("examora: ") + message + QLatin1Char('\n')).toLocal8Bit());
    return 1;
}

// The file given, or the default; nothing but an error text when more than one is given.
QString DataFileOf(const QCommandLineParser& parser, QString* error) {
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        *error = QStringLiteral("one data file at most, not %1").arg(files.size());
    return files.isEmpty() ? kDataFileName : files.first();
}

// Reads the arguments; --help and --version answer and end the program here, and an argument the
// program does not know ends it with the same prefix as every other message.
void Process(QCommandLineParser& parser, const QCoreApplication& app) {
    if (!parser.parse(app.arguments())) {
        QString error = parser.errorText();
        if (error.endsWith(QLatin1Char('.')))
            error.chop(1);
        std::exit(Refuse(error + QStringLiteral(" (see examora --help)")));
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
}

// The options read, and the data file they name; more than one file ends the program.
QString ReadArguments(QCommandLineParser& parser, const QCoreApplication& app) {
    DescribeOptions(parser);
    Process(parser, app);
    QString error;
    const QString path = DataFileOf(parser, &error);
    if (!error.isEmpty())
        std::exit(Refuse(error));
    return path;
}

} // namespace

bool AsksForNoWindow(const QStringList& arguments) {
    QCommandLineParser parser;
    DescribeOptions(parser);
    // A wrong argument is answered without a window too; Qt's own window options are for the window.
    static const QStringList windowOptions{QStringLiteral("platform"),     QStringLiteral("platformtheme"),
                                           QStringLiteral("style"),        QStringLiteral("stylesheet"),
                                           QStringLiteral("reverse"),      QStringLiteral("display"),
                                           QStringLiteral("geometry"),     QStringLiteral("qwindowgeometry"),
                                           QStringLiteral("qwindowtitle"), QStringLiteral("session")};
    if (!parser.parse(arguments))
        for (const QString& name : parser.unknownOptionNames())
            if (!windowOptions.contains(name))
                return true;
    for (const QString& name : {QStringLiteral("help"), QStringLiteral("version"), kReport, kExportCsv})
        if (parser.isSet(name))
            return true;
    return false;
}

int RunWithoutWindow(const QCoreApplication& app) {
    QCommandLineParser parser;
    const QString path = ReadArguments(parser, app);
    if (parser.isSet(kReport) && parser.isSet(kExportCsv))
        return Refuse(QStringLiteral("--report and --export-csv cannot be asked for together"));
    DataFileKeeper dataFile(path);
    const DataFileKeeper::ReadOutcome read = dataFile.Read();
    if (read.kind != DataFileKeeper::ReadOutcome::Done)
        return Refuse(path + QStringLiteral(" could not be read: ") + read.error);
    // The lines that are no exams count for nothing; the user hears how many, as the window says.
    if (const qsizetype kept = dataFile.Kept().Count(); kept > 0) {
        Print(stderr,
              (kept == 1 ? QStringLiteral("examora: 1 line of %1 could not be read as an exam; it counts for "
                                          "nothing here\n")
                               .arg(path)
                         : QStringLiteral("examora: %1 lines of %2 could not be read as exams; they count "
                                          "for nothing here\n")
                               .arg(QString::number(kept), path))
                  .toLocal8Bit());
    }
    // Both take the readings made as the file was read, without a copy of every line.
    Print(stdout,
          parser.isSet(kReport) ? StatsReport(read.records).toUtf8() : CsvOfRecords(read.records));
    return 0;
}

QString DataFileOfWindow(const QCoreApplication& app) {
    QCommandLineParser parser;
    return ReadArguments(parser, app);
}

} // namespace examora
