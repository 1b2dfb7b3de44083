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

// One row, ended by CR LF.
void AppendRow(QByteArray& csv, const QString& line, const ExamReading& exam, CsvSeparator separator) {
    const bool semicolon = separator == CsvSeparator::Semicolon;
    const auto number = [semicolon](double value) {
        QString text = Str(value).trimmed();
        return semicolon ? text.replace(QLatin1Char('.'), QLatin1Char(',')) : text;
    };
    const QChar between = semicolon ? QLatin1Char(';') : QLatin1Char(',');
    const QStringList fields{CsvField(RecordParts(line).at(ExamName), between), exam.date.toString(Qt::ISODate),
                             number(exam.mark), number(exam.credits)};
    csv += fields.join(between).toUtf8() + "\r\n";
}

QByteArray Header(CsvSeparator separator) {
    return separator == CsvSeparator::Semicolon ? "name;date;mark;credits\r\n" : "name,date,mark,credits\r\n";
}

} // namespace

CsvSeparator LocaleCsvSeparator() {
    return QLocale().decimalPoint() == QLatin1String(",") ? CsvSeparator::Semicolon : CsvSeparator::Comma;
}

QByteArray CsvOfRecords(const QStringList& lines, CsvSeparator separator) {
    QByteArray csv = Header(separator);
    for (const QString& line : lines)
        if (const std::optional<ExamReading> exam = ReadExam(line))
            AppendRow(csv, line, *exam, separator);
    return csv;
}

QByteArray CsvOfRecords(const LineStore& lines, CsvSeparator separator) {
    QByteArray csv = Header(separator);
    lines.ForEach([&](qsizetype i, QStringView line) {
        const ExamReading& exam = lines.Readings()[static_cast<std::size_t>(i)];
        if (exam.date.isValid())
            AppendRow(csv, line.toString(), exam, separator);
    });
    return csv;
}

} // namespace examora
