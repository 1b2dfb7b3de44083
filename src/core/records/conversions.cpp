#include "records/conversions.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace examora {
namespace {

bool IsBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// A digit of any script, as its ASCII character.
char AsciiDigit(QChar c) {
    return c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : static_cast<char>('0' + c.digitValue());
}

// The work of Val, for a text of UTF-16 or of ASCII.
// The character at i of a text of UTF-16 or of ASCII.
template <typename View> QChar At(View text, qsizetype i) { return QChar(text[i]); }

template <typename View> double ValOf(View text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    // Plain digits with at most one point, as nearly every mark and credit value is, read at once:
    // a whole number of at most 15 digits and a power of ten up to 10^15 are exact, so that their
    // quotient is rounded once, as the full reading below rounds it.
    {
        quint64 whole = 0;
        int digits = 0, decimals = -1;
        for (; i < n; ++i) {
            const char16_t c = At(text, i).unicode();
            if (c >= u'0' && c <= u'9') {
                whole = whole * 10 + (c - u'0');
                ++digits;
                decimals += decimals >= 0;
            } else if (c == u'.' && decimals < 0) {
                decimals = 0;
            } else {
                break;
            }
        }
        if (i == n && digits > 0 && digits <= 15) {
            static constexpr double kTens[] = {1e0, 1e1, 1e2, 1e3, 1e4,  1e5,  1e6,  1e7,
                                               1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
            return static_cast<double>(whole) / kTens[std::max(decimals, 0)];
        }
        i = 0;
    }
    std::string number;
    auto skipBlanks = [&] {
        while (i < n && IsBlank(At(text, i)))
            ++i;
    };
    auto takeDigits = [&] {
        qsizetype count = 0;
        for (skipBlanks(); i < n && At(text, i).isDigit(); skipBlanks()) {
            number.push_back(AsciiDigit(At(text, i)));
            ++i;
            ++count;
        }
        return count;
    };
    skipBlanks();
    if (i < n && (At(text, i) == u'-' || At(text, i) == u'+')) {
        if (At(text, i) == u'-')
            number.push_back('-');
        ++i;
    }
    // Older files written on comma locales hold marks such as '27,5'.
    qsizetype commas = 0, points = 0;
    for (qsizetype k = 0; k < n; ++k) {
        commas += At(text, k) == u',';
        points += At(text, k) == u'.';
    }
    const QChar decimal = commas == 1 && points == 0 ? u',' : u'.';
    qsizetype mantissaDigits = takeDigits();
    if (i < n && At(text, i) == decimal) {
        number.push_back('.');
        ++i;
        mantissaDigits += takeDigits();
    }
    if (mantissaDigits == 0)
        return 0.0;
    if (i < n && (At(text, i) == u'e' || At(text, i) == u'E' || At(text, i) == u'd' || At(text, i) == u'D')) {
        const std::string::size_type mantissaEnd = number.size();
        const qsizetype exponentStart = i;
        number.push_back('e');
        ++i;
        skipBlanks();
        if (i < n && (At(text, i) == u'-' || At(text, i) == u'+'))
            number.push_back(static_cast<char>(At(text, i++).unicode()));
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

} // namespace

double DateSerial(QDate d) { return static_cast<double>(DayZero().daysTo(d)); }

QStringList Split(const QString& text, QChar separator) {
    if (text.isEmpty())
        return {};
    return text.split(separator, Qt::KeepEmptyParts);
}

double Val(QStringView text) { return ValOf(text); }
double Val(QLatin1StringView text) { return ValOf(text); }

bool IsNumeric(const QString& text) {
    const QString trimmed = text.trimmed();
    const qsizetype n = trimmed.size();
    qsizetype i = 0;
    auto skipDigits = [&] {
        const qsizetype start = i;
        while (i < n && trimmed[i].isDigit())
            ++i;
        return i - start;
    };
    auto skipSign = [&] {
        if (i < n && (trimmed[i] == u'-' || trimmed[i] == u'+'))
            ++i;
    };
    const bool commaIsDecimal = QLocale().groupSeparator() != QLatin1String(",");
    skipSign();
    qsizetype digits = skipDigits();
    if (i < n && (trimmed[i] == u'.' || (trimmed[i] == u',' && commaIsDecimal))) {
        ++i;
        digits += skipDigits();
    }
    if (digits == 0)
        return false;
    if (i < n && (trimmed[i] == u'e' || trimmed[i] == u'E')) {
        ++i;
        skipSign();
        if (skipDigits() == 0)
            return false;
    }
    return i == n && std::isfinite(Val(trimmed));
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

int Year(QDate d) {
    // From the day's number, without the calendar's look-ups: days from 1 March of year 0 taken in
    // 400-year eras, each year starting in March. Years before 1 are the calendar's.
    const qint64 z = d.toJulianDay() - 1721120;
    if (!d.isValid() || z < 306)
        return d.year();
    const qint64 era = z / 146097, day = z - era * 146097;
    const qint64 yearOfEra = (day - day / 1460 + day / 36524 - day / 146096) / 365;
    const qint64 dayOfYear = day - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 month = (5 * dayOfYear + 2) / 153; // 0 for March
    return static_cast<int>(yearOfEra + era * 400 + (month >= 10));
}
int Month(QDate d) { return d.month(); }

QString MonthName(int month) { return QLocale().standaloneMonthName(month, QLocale::LongFormat); }

QString UpperCase(const QString& text) { return text.toUpper(); }

QString Trim(const QString& text) { return text.trimmed(); }

QString AsciiDigits(const QString& text) {
    QString ascii = text;
    for (QChar& c : ascii)
        if (c.isDigit())
            c = QLatin1Char(AsciiDigit(c));
    return ascii;
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

void AppendNumber(QByteArray& out, double number) {
    // Str writes 15 significant digits, rounded. Where the shortest text that reads back as the
    // number has no more, the two agree, and std::to_chars gives it without an allocation; other
    // numbers, and the ones Str names, go through Str.
    char text[32];
    if (std::isfinite(number) && number != 0.0) {
        const std::to_chars_result shortest = std::to_chars(text, text + sizeof text, number);
        int digits = 0;
        bool leading = true;
        for (const char* c = text; c < shortest.ptr && *c != 'e'; ++c) {
            leading = leading && (*c == '0' || *c == '.' || *c == '-');
            digits += !leading && *c >= '0' && *c <= '9';
        }
        if (shortest.ec == std::errc() && digits <= 15) {
            const std::to_chars_result general =
                std::to_chars(text, text + sizeof text, number, std::chars_format::general, 15);
            std::replace(text, general.ptr, 'e', 'E');
            out.append(text, general.ptr - text);
            return;
        }
    }
    out.append(Str(number).trimmed().toLatin1());
}

double Round(double x, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9007199254740992.0)
        return x;
    // nearbyint follows the default rounding mode: an exact tie goes to the even neighbour.
    return std::nearbyint(scaled) / scale;
}

} // namespace examora
