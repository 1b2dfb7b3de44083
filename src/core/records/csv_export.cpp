#include "records/csv_export.h"

#include "records/conversions.h"
#include "records/record_line.h"

#include <QLocale>

namespace examora {
namespace {

// A cell that starts like a formula (=, +, -, @, a tab or a CR) is run by spreadsheets as one: an
// apostrophe before it keeps it text, as careful tools write it.
QString CsvField(QString text, QChar separator) {
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && kFormulaStarts.contains(text.front()))
        text.prepend(QLatin1Char('\''));
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')) && !text.contains(QChar(10)) &&
        !text.contains(QChar(13)))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

CsvSeparator LocaleCsvSeparator() {
    return QLocale().decimalPoint() == QLatin1String(",") ? CsvSeparator::Semicolon : CsvSeparator::Comma;
}

QByteArray CsvOfRecords(const QStringList& lines, CsvSeparator separator) {
    const bool semicolon = separator == CsvSeparator::Semicolon;
    const QChar between = semicolon ? QLatin1Char(';') : QLatin1Char(',');
    const auto number = [semicolon](double value) {
        QString text = Str(value).trimmed();
        return semicolon ? text.replace(QLatin1Char('.'), QLatin1Char(',')) : text;
    };
    const QString endOfRow = QStringLiteral("\r\n");
    QString csv = QStringList{"name", "date", "mark", "credits"}.join(between) + endOfRow;
    for (const QString& line : lines) {
        const std::optional<ExamReading> exam = ReadExam(line);
        if (!exam)
            continue;
        const QStringList fields{CsvField(RecordParts(line).at(ExamName), between),
                                 exam->date.toString(Qt::ISODate), number(exam->mark), number(exam->credits)};
        csv += fields.join(between) + endOfRow;
    }
    return csv.toUtf8();
}

} // namespace examora
