// The record test on arbitrary text, and the writer on arbitrary fields.
//  - A line is a record exactly when it has four fields and the second one reads as a date.
//  - Splitting a line and joining its fields with ";" gives the line back.
//  - MakeRecordLine of four fields without ";" gives a line whose fields are those texts trimmed,
//    and that line is a record exactly when its date reads.
//  - A line of ASCII read from its bytes reads as the same line read from its text.
#include "fuzz_input.h"
#include "records/conversions.h"
#include "records/record_line.h"

#include <algorithm>

using namespace examora;
using examora::fuzz::Broken;

namespace {

void CheckLine(const QString& line) {
    const QStringList parts = RecordParts(line);
    if (parts.join(kFieldSeparator) != line)
        Broken("the fields of a line join back into the line", line);
    const bool expected = parts.size() == FieldCount && IsDate(parts[ExamDate]);
    if (IsRecordLine(line) != expected)
        Broken("a record has four fields and a date that reads", line);
    const QByteArray bytes = line.toLatin1();
    if (std::any_of(line.begin(), line.end(), [](QChar c) { return c.unicode() >= 0x80; }))
        return;
    const LineReading text = ReadLine(line), ascii = ReadLine(QLatin1StringView(bytes));
    const auto same = [](const std::optional<ExamReading>& a, const std::optional<ExamReading>& b) {
        return a.has_value() == b.has_value() &&
               (!a || (a->date == b->date && QByteArrayView(reinterpret_cast<const char*>(&a->mark), 16) ==
                                                 QByteArrayView(reinterpret_cast<const char*>(&b->mark), 16)));
    };
    if (!same(text.exam, ascii.exam) || text.date.date != ascii.date.date || text.date.fixed != ascii.date.fixed ||
        text.date.ambiguous != ascii.date.ambiguous)
        Broken("a line of ASCII reads from its bytes as from its text", line);
}

// The text cut into four fields at the first three control characters below 0x04 (bytes that a
// fuzzer easily produces), so that the writer sees names, dates and marks of any shape.
void CheckWriter(const QString& text) {
    QStringList fields{QString(), QString(), QString(), QString()};
    int field = 0;
    for (QChar c : text) {
        if (c.unicode() < 4 && field < 3)
            ++field;
        else
            fields[field].append(c);
    }
    const QString line = MakeRecordLine(fields[0], fields[1], fields[2], fields[3]);
    CheckLine(line);
    for (const QString& f : fields)
        if (f.contains(kFieldSeparator))
            return;
    const QStringList parts = RecordParts(line);
    if (parts.size() != FieldCount)
        Broken("a written line has four fields", line);
    for (int i = 0; i < FieldCount; ++i)
        if (parts[i] != Trim(fields[i]))
            Broken("a written field is the typed text trimmed", line);
    if (IsRecordLine(line) != IsDate(Trim(fields[ExamDate])))
        Broken("a written line is a record when its date reads", line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Input input = fuzz::TakeInput(data, size);
    CheckLine(input.text);
    CheckWriter(input.text);
    return 0;
}
