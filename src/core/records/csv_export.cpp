#include "records/csv_export.h"

#include "records/conversions.h"
#include "records/record_line.h"

#include <QLocale>
#include <algorithm>

namespace examora {
namespace {

// A cell that starts like a formula (=, +, -, @, a tab or a CR) is run by spreadsheets as one: an
// apostrophe before it keeps it text, as careful tools write it. A cell holding the separator, a
// quote or a line break is quoted, its quotes doubled. UTF-8 keeps these characters single bytes.
void AppendField(QByteArray& csv, QByteArrayView text, char separator) {
    const bool formula = !text.isEmpty() && QByteArrayView("=+-@\t\r").contains(text.front());
    const bool quoted = std::any_of(text.begin(), text.end(), [separator](char c) {
        return c == separator || c == '"' || c == '\n' || c == '\r';
    });
    if (quoted)
        csv += '"';
    if (formula)
        csv += '\'';
    if (!quoted) {
        csv += text;
        return;
    }
    for (char c : text)
        csv += c == '"' ? QByteArrayView("\"\"") : QByteArrayView(&c, 1);
    csv += '"';
}

// The date in ISO form, yyyy-MM-dd.
void AppendIsoDate(QByteArray& csv, QDate date) {
    const int year = date.year(), month = date.month(), day = date.day();
    if (year < 1 || year > 9999) {
        csv += date.toString(Qt::ISODate).toLatin1();
        return;
    }
    const char text[] = {char('0' + year / 1000),     char('0' + year / 100 % 10), char('0' + year / 10 % 10),
                         char('0' + year % 10),       '-',
                         char('0' + month / 10),      char('0' + month % 10),      '-',
                         char('0' + day / 10),        char('0' + day % 10)};
    csv.append(text, sizeof text);
}

// One row of a record whose line is given in UTF-8, ended by CR LF; its name is the text before
// the line's first ";".
void AppendRow(QByteArray& csv, QByteArrayView line, const ExamReading& exam, CsvSeparator separator) {
    const bool semicolon = separator == CsvSeparator::Semicolon;
    const char between = semicolon ? ';' : ',';
    const auto number = [&](double value) {
        const qsizetype start = csv.size();
        AppendNumber(csv, value);
        if (semicolon)
            std::replace(csv.begin() + start, csv.end(), '.', ',');
    };
    AppendField(csv, line.first(line.indexOf(';')), between);
    csv += between;
    AppendIsoDate(csv, exam.date);
    csv += between;
    number(exam.mark);
    csv += between;
    number(exam.credits);
    csv += "\r\n";
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
            AppendRow(csv, line.toUtf8(), *exam, separator);
    return csv;
}

QByteArray CsvOfRecords(const LineStore& lines, CsvSeparator separator) {
    QByteArray csv = Header(separator);
    // A row takes about its line's bytes and the date's two more.
    csv.reserve(lines.FileSize() + 2 * lines.Count());
    for (qsizetype i = 0; i < lines.Count(); ++i) {
        const ExamReading& exam = lines.Readings()[static_cast<std::size_t>(i)];
        if (exam.date.isValid())
            AppendRow(csv, lines.Utf8(i), exam, separator);
    }
    return csv;
}

} // namespace examora
