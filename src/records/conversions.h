// Conversions between text, numbers and calendar dates shared by every part of the program.
// Dates are whole days; the date scale starts at day zero, 30 December 1899. Every date text is
// written and read in the locale set with QLocale::setDefault (the user's locale unless changed).
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace examora {

// Day zero of the date scale: a date that was never given a value.
inline QDate DayZero() { return QDate(1899, 12, 30); }
double DateSerial(QDate d);

// Interval codes of the time unit, passed unchanged to DateDiff and DateAdd.
inline const QString kDays = QStringLiteral("d");
inline const QString kMonths = QStringLiteral("m");
inline const QString kYears = QStringLiteral("yyyy");

// The line break inside multi-line captions.
inline constexpr QChar kCarriageReturn = QChar(13);

// Cuts a text at every ";" into fields; an empty text gives no field at all.
QStringList Split(const QString& text, QChar separator = QLatin1Char(';'));

// The number at the head of a text ('18;' gives 18, 'abc' gives 0); "." is always the decimal point.
double Val(QStringView text);

// True when the whole text (blanks around it allowed) reads as a finite number.
bool IsNumeric(const QString& text);

// The date a text names, in the locale's date order; also ISO yyyy-MM-dd.
std::optional<QDate> DateValue(QStringView text);
inline bool IsDate(QStringView text) { return DateValue(text).has_value(); }

// Signed count of unit boundaries passed going from d1 to d2 ("d", "m" or "yyyy"); 0 for other codes.
qint64 DateDiff(const QString& unit, QDate d1, QDate d2);
// d moved by n whole units; a month or year step that lands past a month's end takes its last day.
QDate DateAdd(const QString& unit, qint64 n, QDate d);

int Year(QDate d);
int Month(QDate d);
QString MonthName(int month);

enum class DateFormat { Long, Short };
// The short form is numeric with a four-digit year, so that it always reads back to the same day.
QString FormatDateTime(QDate d, DateFormat format);

QString UpperCase(const QString& text);
// Removes leading and trailing spaces (only spaces).
QString Trim(const QString& text);

// Shortest decimal text of a number, at most 15 significant digits, with a blank before a number
// that is zero or positive: Str(3) is " 3", Str(-1.5) is "-1.5".
QString Str(double number);
QString Str(std::optional<double> number);

// Rounded to the given number of decimals, an exact tie going to the even digit.
double Round(double x, int decimals = 1);

} // namespace examora
