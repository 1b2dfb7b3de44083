#include "records/conversions.h"

#include <QLocale>
#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <string>

namespace examora {
namespace {

bool IsBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// Order of day, month and year in the locale's numeric short date.
enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

// What the conversions need of the default locale, worked out once per locale: the default locale
// only changes when QLocale::setDefault is called, and reading its formats is slow next to a parse.
struct LocaleDates {
    QLocale locale;
    DateOrder order = DateOrder::DayMonthYear;
    QString shortFormat;
};

DateOrder OrderOf(const QString& format) {
    const qsizetype d = format.indexOf(u'd'), m = format.indexOf(u'M'), y = format.indexOf(u'y');
    if (y >= 0 && (d < 0 || y < d) && (m < 0 || y < m))
        return DateOrder::YearMonthDay;
    if (m >= 0 && d >= 0 && m < d)
        return DateOrder::MonthDayYear;
    return DateOrder::DayMonthYear;
}

// The locale's numeric short date with a four-digit year; ISO where the locale's short date is not
// numeric (the C locale writes '7 Dec 2026').
QString NumericShortFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (format.contains(QLatin1String("MMM")) || !format.contains(u'y') || !format.contains(u'd') ||
        !format.contains(u'M') || locale.language() == QLocale::C)
        return QStringLiteral("yyyy-MM-dd");
    static const QRegularExpression years(QStringLiteral("y+"));
    return format.replace(years, QStringLiteral("yyyy"));
}

const LocaleDates& CurrentLocaleDates() {
    static LocaleDates cached{QLocale::c(), DateOrder::YearMonthDay, QStringLiteral("yyyy-MM-dd")};
    static bool filled = false;
    const QLocale current;
    if (!filled || !(cached.locale == current)) {
        const QString shortFormat = NumericShortFormat(current);
        // The C locale writes ISO dates; other numeric dates it reads in the American order.
        const DateOrder order =
            current.language() == QLocale::C ? DateOrder::MonthDayYear : OrderOf(shortFormat);
        cached = LocaleDates{current, order, shortFormat};
        filled = true;
    }
    return cached;
}

// Two-digit years fall in 1930 to 2029.
int FullYear(int year, qsizetype digits) {
    if (digits > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

// Reads three groups of digits apart by '/', '.', '-' or blanks, with an optional final '.'.
std::optional<QDate> ParseNumericDate(QStringView text, DateOrder order) {
    int values[3] = {0, 0, 0};
    qsizetype digits[3] = {0, 0, 0};
    int group = 0;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (group < 3) {
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            if (++digits[group] > 4)
                return std::nullopt;
            values[group] = values[group] * 10 + (text[i].unicode() - u'0');
            ++i;
        }
        if (digits[group] == 0)
            return std::nullopt;
        ++group;
        qsizetype separators = 0;
        bool mark = false;
        while (i < n && (text[i] == u'/' || text[i] == u'.' || text[i] == u'-' || text[i] == u' ')) {
            mark = mark || text[i] != u' ';
            ++i;
            ++separators;
        }
        if (group < 3 && (separators == 0 || separators > 3 || !mark))
            return std::nullopt;
        if (group == 3 && (i != n || (separators > 0 && text[n - 1] != u'.' && text[n - 1] != u' ')))
            return std::nullopt;
    }
    int day = 0, month = 0, year = 0;
    if (digits[0] == 4 || order == DateOrder::YearMonthDay) {
        if (digits[1] > 2 || digits[2] > 2 || digits[0] == 3)
            return std::nullopt;
        year = FullYear(values[0], digits[0]), month = values[1], day = values[2];
    } else {
        if (digits[0] > 2 || digits[1] > 2 || digits[2] == 3)
            return std::nullopt;
        year = FullYear(values[2], digits[2]);
        month = order == DateOrder::MonthDayYear ? values[0] : values[1];
        day = order == DateOrder::MonthDayYear ? values[1] : values[0];
    }
    const QDate date(year, month, day);
    if (!date.isValid() || year < 100)
        return std::nullopt;
    return date;
}

bool HasDigit(QStringView text) {
    for (QChar c : text)
        if (c.isDigit())
            return true;
    return false;
}

} // namespace

double DateSerial(QDate d) { return static_cast<double>(DayZero().daysTo(d)); }

QStringList Split(const QString& text, QChar separator) {
    if (text.isEmpty())
        return {};
    return text.split(separator, Qt::KeepEmptyParts);
}

double Val(QStringView text) {
    std::string number;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && IsBlank(text[i]))
            ++i;
    };
    auto takeDigits = [&] {
        qsizetype count = 0;
        for (skipBlanks(); i < n && text[i] >= u'0' && text[i] <= u'9'; skipBlanks()) {
            number.push_back(static_cast<char>(text[i].unicode()));
            ++i;
            ++count;
        }
        return count;
    };
    skipBlanks();
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        if (text[i] == u'-')
            number.push_back('-');
        ++i;
    }
    qsizetype mantissaDigits = takeDigits();
    if (i < n && text[i] == u'.') {
        number.push_back('.');
        ++i;
        mantissaDigits += takeDigits();
    }
    if (mantissaDigits == 0)
        return 0.0;
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        const std::string::size_type mantissaEnd = number.size();
        const qsizetype exponentStart = i;
        number.push_back('e');
        ++i;
        skipBlanks();
        if (i < n && (text[i] == u'-' || text[i] == u'+'))
            number.push_back(static_cast<char>(text[i++].unicode()));
        if (takeDigits() == 0) {
            number.resize(mantissaEnd);
            i = exponentStart;
        }
    }
    const char* begin = number.data();
    if (*begin == '+')
        ++begin;
    double value = 0.0;
    const auto [end, error] = std::from_chars(begin, number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone when it is out of range: an overflow is an infinity,
        // an underflow is zero.
        const bool negative = number.front() == '-';
        const auto e = number.find('e');
        const bool tiny = e != std::string::npos && number[e + 1] == '-';
        return tiny ? (negative ? -0.0 : 0.0) : (negative ? -HUGE_VAL : HUGE_VAL);
    }
    (void)end;
    return value;
}

bool IsNumeric(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || !HasDigit(trimmed))
        return false;
    for (QChar c : trimmed) {
        // Only digits, signs, separators and an exponent: no 'inf' or 'nan'.
        if (c.isLetter() && c != u'e' && c != u'E')
            return false;
    }
    bool ok = false;
    double value = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    return ok && std::isfinite(value);
}

std::optional<QDate> DateValue(QStringView text) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const LocaleDates& dates = CurrentLocaleDates();
    if (trimmed.front().isDigit()) {
        if (auto date = ParseNumericDate(trimmed, dates.order))
            return date;
    }
    // Dates in the locale's own words ('7 Dec 2026', 'Monday, March 15, 2004').
    if (!HasDigit(trimmed))
        return std::nullopt;
    for (QLocale::FormatType format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        // Years before 100 are refused here as in numbers, so that every date read can be written
        // and read back.
        const QDate date = dates.locale.toDate(trimmed.toString(), format);
        if (date.isValid() && date.year() >= 100)
            return date;
    }
    return std::nullopt;
}

qint64 DateDiff(const QString& unit, QDate d1, QDate d2) {
    if (unit == kDays)
        return d1.daysTo(d2);
    if (unit == kMonths)
        return (qint64{d2.year()} * 12 + d2.month()) - (qint64{d1.year()} * 12 + d1.month());
    if (unit == kYears)
        return qint64{d2.year()} - d1.year();
    return 0;
}

QDate DateAdd(const QString& unit, qint64 n, QDate d) {
    // Beyond about 20,000 years no date of the calendar can be reached anyway.
    if (n > 10'000'000 || n < -10'000'000)
        return {};
    if (unit == kDays)
        return d.addDays(n);
    if (unit == kMonths)
        return d.addMonths(static_cast<int>(n));
    if (unit == kYears)
        return d.addYears(static_cast<int>(n));
    return d;
}

int Year(QDate d) { return d.year(); }
int Month(QDate d) { return d.month(); }

QString MonthName(int month) { return QLocale().standaloneMonthName(month, QLocale::LongFormat); }

QString FormatDateTime(QDate d, DateFormat format) {
    const LocaleDates& dates = CurrentLocaleDates();
    if (format == DateFormat::Long)
        return dates.locale.toString(d, QLocale::LongFormat);
    return dates.locale.toString(d, dates.shortFormat);
}

QString UpperCase(const QString& text) { return text.toUpper(); }

QString Trim(const QString& text) {
    qsizetype start = 0, end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}

QString Str(double number) {
    if (std::isnan(number))
        return QStringLiteral(" NaN");
    if (std::isinf(number))
        return number > 0 ? QStringLiteral(" Infinity") : QStringLiteral("-Infinity");
    if (number == 0.0)
        return QStringLiteral(" 0");
    QString text = QString::number(number, 'g', 15);
    text.replace(u'e', u'E');
    return number > 0 ? QLatin1Char(' ') + text : text;
}

QString Str(std::optional<double> number) { return Str(number.value_or(0.0)); }

double Round(double x, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9007199254740992.0)
        return x;
    // nearbyint follows the default rounding mode: an exact tie goes to the even neighbour.
    return std::nearbyint(scaled) / scale;
}

} // namespace examora
