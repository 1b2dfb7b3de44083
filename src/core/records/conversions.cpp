#include "records/conversions.h"

#include <QLocale>
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
        for (skipBlanks(); i < n && text[i].isDigit(); skipBlanks()) {
            number.push_back(AsciiDigit(text[i]));
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
    // Older files written on comma locales hold marks such as '27,5'.
    const QChar decimal = text.count(u',') == 1 && !text.contains(u'.') ? u',' : u'.';
    qsizetype mantissaDigits = takeDigits();
    if (i < n && text[i] == decimal) {
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

int Year(QDate d) { return d.year(); }
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

double Round(double x, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9007199254740992.0)
        return x;
    // nearbyint follows the default rounding mode: an exact tie goes to the even neighbour.
    return std::nearbyint(scaled) / scale;
}

} // namespace examora
