// Conversions between text, numbers and calendar dates shared by every part of the program.
// Dates are whole days; the date scale starts at day zero, 30 December 1899. Every date text is
// written and read in the locale set with QLocale::setDefault (the user's locale unless changed).
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>
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

// The number at the head of a text ('18;' gives 18, 'abc' gives 0). "." is the decimal point; in a
// text holding one "," and no "." the comma is ('27,5' gives 27.5). Digits of every script count.
double Val(QStringView text);
double Val(QLatin1StringView text);

// True when the whole text, white space around it allowed, is one finite number that Val reads in
// full: an optional sign, digits with one decimal point, or one decimal comma where the locale does
// not group digits with commas, and an optional exponent. Group separators are refused, so that
// what is accepted is counted as the number the user sees.
bool IsNumeric(const QString& text);

// Order of day, month and year in a numeric date.
enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

// The date a text names: ISO yyyy-MM-dd and any numeric date whose day is above 12 read alike in
// every locale; other numeric dates read in the held data file's order where it has one, else in
// the locale's; then the locale's worded dates.
std::optional<QDate> DateValue(QStringView text);
inline bool IsDate(QStringView text) { return DateValue(text).has_value(); }

// The order a numeric date fixes on its own, a day above 12 before a four-digit year, or a
// four-digit year first; nothing when it fixes none or is not a numeric date.
std::optional<DateOrder> OrderFixedBy(QStringView dateText);

// A date text read in one pass: the date DateValue gives, the order OrderFixedBy gives, and whether
// it starts with a digit and fixes no order, so that a file's own order of day and month may read
// it otherwise than the locale's.
struct DateReading {
    std::optional<QDate> date;
    std::optional<DateOrder> fixed;
    bool ambiguous = false;
};
DateReading ReadDate(QStringView text);
// The same for a text of ASCII characters, read where it lies.
DateReading ReadDate(QLatin1StringView text);
// The same for a numeric date already cut into its three groups of digits, for a reader that cuts
// the usual dates itself.
struct DateDigitGroups {
    int values[3] = {0, 0, 0};
    qsizetype digits[3] = {0, 0, 0};
};
DateReading ReadDateGroups(const DateDigitGroups& groups);

// Gathers the orders the dates of one file fix, and gives the one they agree on: nothing when none
// fixes one, or when some put the day first and others the month. A date with its four-digit year
// first reads the same in every order, so it counts only where no date puts the day or month first.
class DateOrderVote {
public:
    // Counts the order the date fixes, and gives it.
    std::optional<DateOrder> Add(QStringView dateText);
    void Add(DateOrder fixed) { seen_[static_cast<int>(fixed)] = true; }
    // Counts the orders another vote counted.
    void Add(const DateOrderVote& other) {
        for (int i = 0; i < 3; ++i)
            seen_[i] = seen_[i] || other.seen_[i];
    }
    std::optional<DateOrder> Agreed() const;

private:
    bool seen_[3] = {false, false, false}; // by DateOrder
};

// While one is in scope, dates read on this thread take the locale's date settings looked up when
// it began, instead of looking them up again for each date: for reading many dates at once, with
// the locale left as it is meanwhile.
struct LocaleDates;
class DateReadingPass {
public:
    DateReadingPass();
    // For another thread, with the settings the given pass took: threads never look them up at once.
    struct OnAnotherThread {};
    DateReadingPass(const DateReadingPass& taken, OnAnotherThread);
    ~DateReadingPass();
    DateReadingPass(const DateReadingPass&) = delete;
    DateReadingPass& operator=(const DateReadingPass&) = delete;

private:
    std::shared_ptr<const LocaleDates> settings_;
};

// False for a numeric date whose day, above 12, shows the other order of day and month than the one
// the held file's ambiguous dates are read in (the locale's where the file shows none): typed into
// a file, it would mix the two orders.
bool FitsDateOrder(QStringView text);

// The order the locale reads ambiguous numeric dates in.
DateOrder LocaleDateOrder();

// The numeric date order of the held data file, used for ambiguous dates instead of the locale's
// while it is set. One setting for the program, which holds one data file at a time.
void SetFileDateOrder(std::optional<DateOrder> order);
std::optional<DateOrder> FileDateOrder();

// The year that two-digit years are read around (80 years before it to 19 after). Start-up sets it
// from the clock; until then it is the system's current year.
void SetCurrentYear(int year);
int CurrentYear();

// Signed count of unit boundaries passed going from d1 to d2 ("d", "m" or "yyyy"); 0 for other codes.
qint64 DateDiff(const QString& unit, QDate d1, QDate d2);
// d moved by n whole units; a month or year step that lands past a month's end takes its last day.
QDate DateAdd(const QString& unit, qint64 n, QDate d);

int Year(QDate d);
int Month(QDate d);
QString MonthName(int month);

enum class DateFormat { Long, Short };
// The short form is the locale's numeric one with a four-digit year and ASCII digits, so that it
// always reads back to the same day; ISO where the locale's short date names the month in words.
QString FormatDateTime(QDate d, DateFormat format);

// The date the entry panel proposes: the short form, in the held data file's order where it has
// one, so that new lines never mix orders in one file.
QString ProposedDate(QDate today);

QString UpperCase(const QString& text);
// Removes leading and trailing white space of every kind (blanks, tabs, line breaks, no-break
// spaces).
QString Trim(const QString& text);
// The text with the digits of every script written as ASCII digits.
QString AsciiDigits(const QString& text);

// Shortest decimal text of a number, at most 15 significant digits, with a blank before a number
// that is zero or positive: Str(3) is " 3", Str(-1.5) is "-1.5".
QString Str(double number);
QString Str(std::optional<double> number);
// Appends Str(number) without its leading blank to out, in ASCII; the usual numbers are written
// without a string made for them.
void AppendNumber(QByteArray& out, double number);

// Rounded to the given number of decimals, an exact tie going to the even digit.
double Round(double x, int decimals = 1);

} // namespace examora
