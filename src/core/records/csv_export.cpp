#include "records/csv_export.h"

#include "records/conversions.h"
#include "records/record_line.h"

namespace examora {
namespace {

// A cell that starts like a formula (=, +, -, @, a tab or a CR) is run by spreadsheets as one: an
// apostrophe before it keeps it text, as careful tools write it.
QString CsvField(QString text) {
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && kFormulaStarts.contains(text.front()))
        text.prepend(QLatin1Char('\''));
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QChar(10)) &&
        !text.contains(QChar(13)))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CsvNumber(double number) { return Str(number).trimmed(); }

} // namespace

QByteArray CsvOfRecords(const QStringList& lines) {
    const QString endOfRow = QStringLiteral("\r\n");
    QString csv = QStringLiteral("name,date,mark,credits") + endOfRow;
    for (const QString& line : lines) {
        const std::optional<ExamReading> exam = ReadExam(line);
        if (!exam)
            continue;
        const QStringList fields{CsvField(RecordParts(line).at(ExamName)), exam->date.toString(Qt::ISODate),
                                 CsvNumber(exam->mark), CsvNumber(exam->credits)};
        csv += fields.join(QLatin1Char(',')) + endOfRow;
    }
    return csv.toUtf8();
}

} // namespace examora
