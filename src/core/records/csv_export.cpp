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

// One row, ended by CR LF.
void AppendRow(QByteArray& csv, const QString& line, const ExamReading& exam) {
    const QStringList fields{CsvField(RecordParts(line).at(ExamName)), exam.date.toString(Qt::ISODate),
                             CsvNumber(exam.mark), CsvNumber(exam.credits)};
    csv += fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

constexpr char kHeader[] = "name,date,mark,credits\r\n";

} // namespace

QByteArray CsvOfRecords(const QStringList& lines) {
    QByteArray csv = kHeader;
    for (const QString& line : lines)
        if (const std::optional<ExamReading> exam = ReadExam(line))
            AppendRow(csv, line, *exam);
    return csv;
}

QByteArray CsvOfRecords(const LineStore& lines) {
    QByteArray csv = kHeader;
    lines.ForEach([&](qsizetype i, QStringView line) {
        const ExamReading& exam = lines.Readings()[static_cast<std::size_t>(i)];
        if (exam.date.isValid())
            AppendRow(csv, line.toString(), exam);
    });
    return csv;
}

} // namespace examora
