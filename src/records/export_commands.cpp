// The File menu's exports: the records as a CSV file for spreadsheets, and a one-page PDF report
// of the statistics and the graphs. Each goes to the file chosen in the platform's save dialog.
#include "app/form1.h"
#include "platform/text_file.h"
#include "records/csv_export.h"
#include "stats/pdf_report.h"

#include <QDir>
#include <QFileInfo>

namespace examora {
namespace {

const QString kTitle = QStringLiteral("Examora");

// The suggested file: the data file's name with the export's suffix, beside the data file.
QString Suggested(const QString& dataFilePath, const QString& suffix) {
    const QFileInfo data(dataFilePath);
    return data.absoluteDir().filePath(data.completeBaseName() + QLatin1Char('.') + suffix);
}

} // namespace

void Form1::ExportCsv_Click() {
    const QString path =
        messages_.SaveFileName(QStringLiteral("Export CSV"), Suggested(dataFilePath, QStringLiteral("csv")),
                               QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    if (const auto error = ReplaceWholeFile(path, CsvOfRecords(ExamList->Lines())))
        messages_.MsgBox(*error, Exclamation, kTitle);
}

void Form1::ExportPdf_Click() {
    const QString path = messages_.SaveFileName(QStringLiteral("Export PDF report"),
                                                Suggested(dataFilePath, QStringLiteral("pdf")),
                                                QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    const PdfReportContent content{ExamList->Lines(), CurrentAverageMode(), timeUnit, clock_.Today()};
    if (const auto error = ReplaceWholeFile(path, PdfReport(content)))
        messages_.MsgBox(*error, Exclamation, kTitle);
}

} // namespace examora
