// The test of the entry panel's four fields, taken exactly as typed.
#pragma once

#include <QString>

namespace examora {

// A name that is not empty and holds no ";" (it would split the record line), a date that reads,
// and a mark and credit value that are numbers of 0 or more.
bool EntryFieldsAcceptable(const QString& name, const QString& date, const QString& mark,
                           const QString& credits);

} // namespace examora
