// The date half of the conversions: numeric dates read and written in the locale's order, or in the
// order the held data file fixes, and two-digit years read in a window that follows the current year.
#include "records/conversions.h"

#include <QLocale>
#include <algorithm>

namespace examora {

// The locale's numeric short date: its fields (day and month in the locale's widths, a four-digit
// year), their order and one separator, and a final "." where the locale ends its dates with one.
struct NumericForm {
    DateOrder order = DateOrder::YearMonthDay;
    QString day = QStringLiteral("dd"), month = QStringLiteral("MM");
    QString separator = QStringLiteral("-");
    QString end;
};

// What the conversions need of the default locale, worked out once per locale: the default locale
// only changes when QLocale::setDefault is called, and reading its formats is slow next to a parse.
struct LocaleDates {
    QLocale locale;
    DateOrder readOrder = DateOrder::DayMonthYear; // of ambiguous numeric dates
    NumericForm form;
};

namespace {

std::optional<DateOrder> fileOrder;
std::optional<int> currentYear;

bool IsMark(QChar c) { return c == u'/' || c == u'.' || c == u'-'; }
bool IsDateSeparator(QChar c) { return IsMark(c) || c == u' '; }

// The separator between two fields of a format, without the characters a numeric date cannot hold
// (right-to-left marks, quoted words); nothing when no '/', '.' or '-' is left.
std::optional<QString> CleanSeparator(const QString& gap) {
    QString separator;
    for (QChar c : gap)
        if (IsDateSeparator(c))
            separator.append(c);
    if (!std::any_of(separator.begin(), separator.end(), IsMark) || separator.size() > 3)
        return std::nullopt;
    return separator;
}

// The fields of a date format (runs of 'd', 'M' or 'y' outside quotes) and the text after each.
struct FormatFields {
    QString fields[3], gaps[3];
};

std::optional<FormatFields> FieldsOf(const QString& format) {
    FormatFields f;
    int count = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && (c == u'd' || c == u'M' || c == u'y')) {
            qsizetype run = 1;
            while (i + run < format.size() && format[i + run] == c)
                ++run;
            if (count == 3)
                return std::nullopt;
            f.fields[count++] = format.mid(i, run);
            i += run - 1;
        } else if (count > 0 && !quoted) {
            f.gaps[count - 1].append(c);
        }
    }
    if (count != 3)
        return std::nullopt;
    return f;
}

// The numeric form of a locale's short date format; nothing where it names the month or the weekday
// in words or lacks a field.
std::optional<NumericForm> NumericFormOf(const QString& format) {
    const std::optional<FormatFields> f = FieldsOf(format);
    if (!f)
        return std::nullopt;
    NumericForm form;
    int day = -1, month = -1, year = -1;
    for (int i = 0; i < 3; ++i) {
        const QString& field = f->fields[i];
        if (field.front() == u'd' && field.size() <= 2)
            day = i, form.day = field;
        else if (field.front() == u'M' && field.size() <= 2)
            month = i, form.month = field;
        else if (field.front() == u'y')
            year = i;
    }
    const std::optional<QString> separator =
        CleanSeparator(f->gaps[0]) ? CleanSeparator(f->gaps[0]) : CleanSeparator(f->gaps[1]);
    if (day < 0 || month < 0 || year < 0 || !separator)
        return std::nullopt;
    form.separator = *separator;
    form.order = year == 0     ? DateOrder::YearMonthDay
                 : month < day ? DateOrder::MonthDayYear
                               : DateOrder::DayMonthYear;
    form.end = f->gaps[2].startsWith(u'.') ? QStringLiteral(".") : QString();
    return form;
}

thread_local int readingPasses = 0;
thread_local std::shared_ptr<const LocaleDates> passDates;

const LocaleDates& CurrentLocaleDates() {
    if (passDates)
        return *passDates;
    static LocaleDates cached{QLocale::c(), DateOrder::MonthDayYear, NumericForm{}};
    static bool filled = false;
    const QLocale current;
    if (!filled || !(cached.locale == current)) {
        // The C locale writes ISO dates; other numeric dates it reads in the American order.
        const bool c = current.language() == QLocale::C;
        const NumericForm form =
            c ? NumericForm{}
              : NumericFormOf(current.dateFormat(QLocale::ShortFormat)).value_or(NumericForm{});
        cached = LocaleDates{current, c ? DateOrder::MonthDayYear : form.order, form};
        filled = true;
    }
    return cached;
}

// The numeric form in the given order, as a format of QLocale::c(), so that digits stay ASCII.
QString FormatInOrder(const NumericForm& form, DateOrder order) {
    const QString& s = form.separator;
    const QString year = QStringLiteral("yyyy");
    switch (order) {
    case DateOrder::YearMonthDay:
        return year + s + form.month + s + form.day + form.end;
    case DateOrder::MonthDayYear:
        return form.month + s + form.day + s + year + form.end;
    case DateOrder::DayMonthYear:
        break;
    }
    return form.day + s + form.month + s + year + form.end;
}

// The character at i of a text of UTF-16 or of ASCII.
template <typename View> QChar CharAt(View text, qsizetype i) { return QChar(text[i]); }

// Three groups of digits (of any script) apart by '/', '.', '-' or blanks, with an optional final '.'.
using DigitGroups = DateDigitGroups;

template <typename View> std::optional<DigitGroups> SplitNumericDate(View text) {
    DigitGroups g;
    qsizetype i = 0;
    const qsizetype n = text.size();
    for (int group = 0; group < 3;) {
        for (QChar c; i < n && (c = CharAt(text, i)).isDigit(); ++i) {
            if (++g.digits[group] > 4)
                return std::nullopt;
            g.values[group] = g.values[group] * 10 + (c.unicode() < 0x80 ? c.unicode() - u'0' : c.digitValue());
        }
        if (g.digits[group] == 0)
            return std::nullopt;
        ++group;
        qsizetype separators = 0;
        bool mark = false;
        for (QChar c; i < n && IsDateSeparator(c = CharAt(text, i)); ++i, ++separators)
            mark = mark || c != u' ';
        if (group < 3 && (separators == 0 || separators > 3 || !mark))
            return std::nullopt;
        if (group == 3 && (i != n || (separators > 0 && CharAt(text, n - 1) != u'.' && CharAt(text, n - 1) != u' ')))
            return std::nullopt;
    }
    return g;
}

// Two-digit years fall in the 100 years from 80 before the current year to 19 after it.
int FullYear(int year, qsizetype digits) {
    if (digits > 2)
        return year;
    const int first = CurrentYear() - 80;
    const int century = first - first % 100;
    return century + year < first ? century + 100 + year : century + year;
}

// Tested and counted without the calendar's look-ups: the day's number is the Julian day of the
// Gregorian date, counted from 1 March of year 0 in 400-year eras.
std::optional<QDate> ValidDate(int year, int month, int day) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 100 || month < 1 || month > 12 || day < 1)
        return std::nullopt;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (day > kDays[month - 1] + (month == 2 && leap))
        return std::nullopt;
    const qint64 y = year - (month <= 2), era = y / 400, yearOfEra = y - era * 400;
    const qint64 dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return QDate::fromJulianDay(era * 146097 + dayOfEra + 1721120);
}

std::optional<QDate> YearFirst(const DigitGroups& g) {
    if (g.digits[0] == 3 || g.digits[1] > 2 || g.digits[2] > 2)
        return std::nullopt;
    return ValidDate(FullYear(g.values[0], g.digits[0]), g.values[1], g.values[2]);
}

// A date with its year last. A first or second field above 12 is the day whatever the order; else
// the day and month follow the given order, or the locale's where the order puts the year first.
std::optional<QDate> YearLast(const DigitGroups& g, DateOrder order, DateOrder localeOrder) {
    if (g.digits[0] > 2 || g.digits[1] > 2 || g.digits[2] == 3)
        return std::nullopt;
    const int a = g.values[0], b = g.values[1];
    // A year-first order says nothing of day and month: the locale's, or the day first where the
    // locale puts its year first too.
    if (order == DateOrder::YearMonthDay)
        order = localeOrder == DateOrder::YearMonthDay ? DateOrder::DayMonthYear : localeOrder;
    if (a > 12)
        order = DateOrder::DayMonthYear;
    else if (b > 12)
        order = DateOrder::MonthDayYear;
    const bool monthFirst = order == DateOrder::MonthDayYear;
    return ValidDate(FullYear(g.values[2], g.digits[2]), monthFirst ? a : b, monthFirst ? b : a);
}

std::optional<QDate> ParseNumericDate(const DigitGroups& g, DateOrder order, DateOrder localeOrder) {
    // A short year may come first only where the locale itself writes the year first: a file's ISO
    // dates never turn 3.4.21 round.
    const bool yearFirst = g.digits[0] == 4 || (order == DateOrder::YearMonthDay &&
                                                localeOrder == DateOrder::YearMonthDay && g.digits[2] != 4);
    return yearFirst ? YearFirst(g) : YearLast(g, order, localeOrder);
}

template <typename View> bool HasDigit(View text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (CharAt(text, i).isDigit())
            return true;
    return false;
}

// The date and what it tells of the order, from one split of the text.
} // namespace

// A day above 12 before a four-digit year, or a four-digit year first, fixes the order of the
// date's fields; a date that fixes its order reads in that order whatever the file's.
DateReading ReadDateGroups(const DateDigitGroups& g) {
    DateReading reading;
    if (g.digits[0] == 4) {
        reading.date = YearFirst(g);
        reading.fixed = reading.date ? std::optional(DateOrder::YearMonthDay) : std::nullopt;
    } else if (g.digits[2] == 4 && (g.values[0] > 12) != (g.values[1] > 12)) {
        const DateOrder order = g.values[0] > 12 ? DateOrder::DayMonthYear : DateOrder::MonthDayYear;
        reading.date = YearLast(g, order, order);
        reading.fixed = reading.date ? std::optional(order) : std::nullopt;
    } else {
        const LocaleDates& dates = CurrentLocaleDates();
        reading.date = ParseNumericDate(g, fileOrder.value_or(dates.readOrder), dates.readOrder);
    }
    reading.ambiguous = !reading.fixed;
    return reading;
}

namespace {

template <typename View> DateReading ReadDateOf(View text) {
    const View trimmed = text.trimmed();
    DateReading reading;
    if (trimmed.isEmpty())
        return reading;
    const LocaleDates& dates = CurrentLocaleDates();
    if (CharAt(trimmed, 0).isDigit()) {
        if (const std::optional<DigitGroups> g = SplitNumericDate(trimmed))
            reading = ReadDateGroups(*g);
        reading.ambiguous = !reading.fixed;
        if (reading.date)
            return reading;
    }
    // Dates in the locale's own words ('7 Dec 2026', 'Monday, March 15, 2004').
    if (!HasDigit(trimmed))
        return reading;
    for (QLocale::FormatType format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        // Years before 100 are refused here as in numbers, so that every date read can be written
        // and read back.
        const QDate date = dates.locale.toDate(trimmed.toString(), format);
        if (date.isValid() && date.year() >= 100) {
            reading.date = date;
            break;
        }
    }
    return reading;
}

} // namespace

// Each thread's pass holds a copy of the settings: a copy of a locale may be used on its own thread
// while others use theirs.
DateReadingPass::DateReadingPass() {
    if (readingPasses++ == 0)
        passDates = std::make_shared<const LocaleDates>(CurrentLocaleDates());
    settings_ = passDates;
}

DateReadingPass::DateReadingPass(const DateReadingPass& taken, OnAnotherThread) {
    if (readingPasses++ == 0)
        passDates = std::make_shared<const LocaleDates>(*taken.settings_);
    settings_ = passDates;
}

DateReadingPass::~DateReadingPass() {
    if (--readingPasses == 0)
        passDates = nullptr;
}

DateOrder LocaleDateOrder() { return CurrentLocaleDates().readOrder; }

void SetFileDateOrder(std::optional<DateOrder> order) { fileOrder = order; }
std::optional<DateOrder> FileDateOrder() { return fileOrder; }

void SetCurrentYear(int year) { currentYear = year; }
int CurrentYear() {
    if (!currentYear)
        currentYear = QDate::currentDate().year();
    return *currentYear;
}

std::optional<DateOrder> OrderFixedBy(QStringView dateText) {
    const std::optional<DigitGroups> g = SplitNumericDate(dateText.trimmed());
    return g ? ReadDateGroups(*g).fixed : std::nullopt;
}

std::optional<DateOrder> DateOrderVote::Add(QStringView dateText) {
    const std::optional<DateOrder> fixed = OrderFixedBy(dateText);
    if (fixed)
        Add(*fixed);
    return fixed;
}

std::optional<DateOrder> DateOrderVote::Agreed() const {
    const bool dayFirst = seen_[static_cast<int>(DateOrder::DayMonthYear)];
    const bool monthFirst = seen_[static_cast<int>(DateOrder::MonthDayYear)];
    if (dayFirst != monthFirst)
        return dayFirst ? DateOrder::DayMonthYear : DateOrder::MonthDayYear;
    if (!dayFirst && seen_[static_cast<int>(DateOrder::YearMonthDay)])
        return DateOrder::YearMonthDay;
    return std::nullopt;
}

DateReading ReadDate(QStringView text) { return ReadDateOf(text); }
DateReading ReadDate(QLatin1StringView text) { return ReadDateOf(text); }

std::optional<QDate> DateValue(QStringView text) { return ReadDateOf(text).date; }

QString FormatDateTime(QDate d, DateFormat format) {
    const LocaleDates& dates = CurrentLocaleDates();
    if (format == DateFormat::Long)
        return dates.locale.toString(d, QLocale::LongFormat);
    return QLocale::c().toString(d, FormatInOrder(dates.form, dates.form.order));
}

QString ProposedDate(QDate today) {
    const LocaleDates& dates = CurrentLocaleDates();
    const DateOrder order = fileOrder.value_or(dates.form.order);
    // A file written in ISO dates gets ISO dates, whatever the locale separates its fields with.
    if (order == DateOrder::YearMonthDay && dates.form.order != DateOrder::YearMonthDay)
        return today.toString(Qt::ISODate);
    return QLocale::c().toString(today, FormatInOrder(dates.form, order));
}

bool FitsDateOrder(QStringView text) {
    const std::optional<DateOrder> fixed = OrderFixedBy(text);
    if (!fixed || *fixed == DateOrder::YearMonthDay)
        return true;
    DateOrder order = fileOrder.value_or(LocaleDateOrder());
    if (order == DateOrder::YearMonthDay)
        order =
            LocaleDateOrder() == DateOrder::MonthDayYear ? DateOrder::MonthDayYear : DateOrder::DayMonthYear;
    return *fixed == order;
}

} // namespace examora
