// The test of the entry panel's four fields and the line it stores: both take the texts cleaned the
// same way, so that what passes the test is what is stored and counted.
#pragma once

#include <QString>

namespace examora {

// The four texts of the panel as they are tested and stored: each trimmed of white space of every
// kind; in the date, mark and credit value, the digits of other scripts are written as ASCII digits
// and, in the two numbers, a decimal sign of the locale other than "." or "," as "."; a mark of 30
// with honours, in any of the ways it is written, as "30L".
struct EntryTexts {
    QString name, date, mark, credits;
};
EntryTexts CleanEntryTexts(const QString& name, const QString& date, const QString& mark,
                           const QString& credits);

// A name that is not empty and holds no ";" (it would split the record line), a date that reads,
// a mark that is a number of 0 or more or 30 with honours, and a credit value that is a number of 0
// or more; no field may hold a line break, a tab or another control character.
bool EntryFieldsAcceptable(const QString& name, const QString& date, const QString& mark,
                           const QString& credits);
// Why the four texts are not accepted, in one short sentence naming the first field at fault
// ("Mark: a number, or 30L for honours"); empty when they are.
QString EntryFieldProblem(const QString& name, const QString& date, const QString& mark,
                          const QString& credits);

// The record line the panel inserts for the four texts.
QString EntryRecordLine(const QString& name, const QString& date, const QString& mark,
                        const QString& credits);

} // namespace examora
