// The conversions between text, numbers and dates, row by row, in the American order and in two
// day-first locales. Every date the program writes must read back to the same day.
#include "records/conversions.h"
#include "services/clock.h"

#include <QLocale>
#include <QTest>
#include <limits>

using namespace examora;

namespace {

QLocale LocaleNamed(const QString& name) { return name == QLatin1String("C") ? QLocale::c() : QLocale(name); }

const QDate kDec7(2026, 12, 7);
constexpr double kInfinity = std::numeric_limits<double>::infinity();

} // namespace

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetCurrentYear(2026); }
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        SetFileDateOrder(std::nullopt);
    }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void textHelpers() {
        QCOMPARE(Split(QStringLiteral("")), QStringList{});
        QCOMPARE(Split(QStringLiteral("Math;; 28 ;")), (QStringList{"Math", "", " 28 ", ""}));
        QCOMPARE(UpperCase(QStringLiteral(" università ")), QStringLiteral(" UNIVERSITÀ "));
        QCOMPARE(UpperCase(QStringLiteral("\t\u00a0x y\r\n")), QStringLiteral("\t\u00a0X Y\r\n"));
        QCOMPARE(Trim(QStringLiteral("\t\u00a0x y\r\n")), QStringLiteral("x y"));
        QCOMPARE(Str(std::optional<double>{}), QStringLiteral(" 0"));
        QCOMPARE(Str(std::optional<double>{-2.0}), QStringLiteral("-2"));
        QCOMPARE(QString(kCarriageReturn), QStringLiteral("\r"));
    }

    void valReadsTheNumberAtTheHead_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        for (const char* locale : {"en_US", "it_IT"}) {
            const auto row = [&](const char* name, const QString& text, double value) {
                QTest::addRow("%s %s", locale, name) << QString::fromLatin1(locale) << text << value;
            };
            row("decimal point", "27.5", 27.5);
            row("stops at the separator", "18;", 18.0);
            row("no digit before the point", ".5", 0.5);
            row("upper-case exponent", "2.8E1", 28.0);
            row("negative exponent", "25e-1", 2.5);
            row("exponent sign without digits is left out", "7e+x", 7.0);
            row("lone point gives zero", ".", 0.0);
            row("lone sign gives zero", "-", 0.0);
            row("one decimal comma and no point is a decimal comma", "27,5", 27.5);
            row("a second comma stops the number", "1,2,3", 1.0);
            row("a comma before a point stops the number", "1,234.5", 1.0);
            row("digits of another script", "٢٨", 28.0);
            row("second point stops the number", "1.2.3", 1.2);
            row("plus sign", "+4", 4.0);
            row("blank after the sign", "- 3", -3.0);
            row("blanks before and inside the number", " \t\n1 2 . 5", 12.5);
            row("overflow is infinite", "1e400", kInfinity);
            row("negative overflow", "-1e400", -kInfinity);
            row("overflow without an exponent", QString(400, u'9'), kInfinity);
            row("underflow is zero", "1e-400", 0.0);
        }
    }
    void valReadsTheNumberAtTheHead() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QLocale::setDefault(LocaleNamed(locale));
        QTEST(Val(text), "value");
    }

    void isNumericReadsTheLocaleNumberFormat_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        const auto row = [](const char* locale, const char* name, const char* text, bool numeric) {
            QTest::addRow("%s %s", locale, name)
                << QString::fromLatin1(locale) << QString::fromUtf8(text) << numeric;
        };
        row("en_US", "blanks around", "  30 ", true);
        row("en_US", "signs and exponent", "-2.8E+1", true);
        row("en_US", "exponent without digits", "28e", false);
        row("en_US", "blanks only", "   ", false);
        row("en_US", "lone point", ".", false);
        row("en_US", "number then letters", "28abc", false);
        row("en_US", "infinity is no number", "inf", false);
        row("en_US", "overflow is no number", "1e400", false);
        row("en_US", "comma is a group separator, refused", "1,234", false);
        row("it_IT", "decimal point", "27.5", true);
        row("de_DE", "decimal comma", "27,5", true);
        row("de_DE", "group separator refused", "1.234,5", false);
    }
    void isNumericReadsTheLocaleNumberFormat() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QLocale::setDefault(LocaleNamed(locale));
        QTEST(IsNumeric(text), "numeric");
    }

    void dateValueReadsTheLocaleOrder_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: IsDate rejects the text
        const auto row = [](const char* name, const char* locale, const char* text, QDate date) {
            QTest::newRow(name) << QString::fromLatin1(locale) << QString::fromUtf8(text) << date;
        };
        row("en_US month first, blanks around", "en_US", " 12/7/2026 ", kDec7);
        row("en_US two-digit year 30 is 2030", "en_US", "1/15/30", QDate(2030, 1, 15));
        row("en_US ISO one-digit month", "en_US", "2006-6-12", QDate(2006, 6, 12));
        row("en_US a day above 12 reads first too", "en_US", "31/12/2006", QDate(2006, 12, 31));
        row("en_US month 13", "en_US", "13/13/2007", QDate());
        row("en_US digits of another script", "en_US", "١٢/٧/٢٠٢٦", kDec7);
        row("en_US empty", "en_US", "", QDate());
        row("en_US letters", "en_US", "abc", QDate());
        row("en_US two groups", "en_US", "12/7", QDate());
        row("en_US trailing text", "en_US", "12/7/2026x", QDate());
        row("en_US three-digit year", "en_US", "12/7/202", QDate());
        row("en_US five-digit year", "en_US", "12/7/20266", QDate());
        row("it_IT day first", "it_IT", "07/12/2026", kDec7);
        row("it_IT two-digit year 46 is 1946, 80 years before", "it_IT", "1/1/46", QDate(1946, 1, 1));
        row("it_IT two-digit year 45 is 2045, 19 years after", "it_IT", "1/1/45", QDate(2045, 1, 1));
        row("it_IT a day above 12 reads second too", "it_IT", "1/13/2007", QDate(2007, 1, 13));
        row("de_DE dots", "de_DE", "07.12.2026", kDec7);
        row("de_DE 30 February", "de_DE", "30.2.2007", QDate());
        row("C ISO", "C", "2026-12-07", kDec7);
    }
    void dateValueReadsTheLocaleOrder() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QLocale::setDefault(LocaleNamed(locale));
        QCOMPARE(IsDate(text), date.isValid());
        QCOMPARE(DateValue(text).value_or(QDate()), date);
    }

    void twoDigitYearsSlideWithTheCurrentYear() {
        SetCurrentYear(2050);
        const std::optional<QDate> y69 = DateValue(u"1/1/69"), y70 = DateValue(u"1/1/70");
        SetCurrentYear(2026);
        QCOMPARE(y69, QDate(2069, 1, 1));
        QCOMPARE(y70, QDate(1970, 1, 1));
    }

    void fileOrderReadsAmbiguousDates() {
        QCOMPARE(OrderFixedBy(u"12.25.2026"), DateOrder::MonthDayYear);
        QCOMPARE(OrderFixedBy(u"2026-02-05"), DateOrder::YearMonthDay);
        QVERIFY(!OrderFixedBy(u"05/02/2026") && !OrderFixedBy(u"25/12/26"));
        DateOrderVote mixed;
        mixed.Add(u"25/12/2026");
        mixed.Add(u"12/25/2026");
        QVERIFY(!mixed.Agreed());
        DateOrderVote withIso;
        withIso.Add(u"2026-02-05");
        withIso.Add(u"25/12/2026");
        QCOMPARE(withIso.Agreed(), DateOrder::DayMonthYear);
        QLocale::setDefault(QLocale::c());
        SetFileDateOrder(DateOrder::DayMonthYear);
        QCOMPARE(DateValue(u"05/02/2026"), QDate(2026, 2, 5));
        QCOMPARE(DateValue(u"02/25/2026"), QDate(2026, 2, 25)); // unambiguous: its own order
        QCOMPARE(ProposedDate(QDate(2026, 2, 5)), QStringLiteral("05-02-2026"));
        // An ISO file never reads a date with its year last year first, and gets ISO dates.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        SetFileDateOrder(DateOrder::YearMonthDay);
        QCOMPARE(DateValue(u"3.4.21"), QDate(2021, 4, 3));
        QCOMPARE(ProposedDate(kDec7), QStringLiteral("2026-12-07"));
        // Where the locale writes its year first, day and month come day first, or in the file's order.
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
        SetFileDateOrder(std::nullopt);
        QCOMPARE(DateValue(u"05/03/2020"), QDate(2020, 3, 5));
        SetFileDateOrder(DateOrder::MonthDayYear);
        QCOMPARE(DateValue(u"05/03/2020"), QDate(2020, 5, 3));
    }

    // Every date written under it_IT reads back to its day under C and en_US, in the order the
    // file's own dates fix.
    void aFileWrittenUnderOneLocaleReadsUnderAnother() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        DateOrderVote vote;
        for (QDate d(2025, 1, 1); d.year() < 2027; d = d.addDays(2))
            vote.Add(FormatDateTime(d, DateFormat::Short));
        SetFileDateOrder(vote.Agreed());
        QCOMPARE(FileDateOrder(), DateOrder::DayMonthYear);
        for (const QLocale& reader : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates)})
            for (QDate d(2025, 1, 1); d.year() < 2027; d = d.addDays(2)) {
                QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
                const QString written = FormatDateTime(d, DateFormat::Short);
                QLocale::setDefault(reader);
                QCOMPARE(DateValue(written), d);
            }
    }

    // The exact short form of one day, and every day of several years written and read back.
    void shortDateHasAFourDigitYearAndReadsBack_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("en_US 1926 stays 1926") << "en_US" << QDate(1926, 12, 7) << "12/7/1926";
        QTest::newRow("it_IT") << "it_IT" << kDec7 << "07/12/2026";
        QTest::newRow("de_DE") << "de_DE" << kDec7 << "07.12.2026";
        QTest::newRow("C writes ISO") << "C" << kDec7 << "2026-12-07";
        QTest::newRow("bg_BG without its year word") << "bg_BG" << kDec7 << "7.12.2026";
        QTest::newRow("mr_IN in ASCII digits") << "mr_IN" << kDec7 << "7/12/2026";
    }
    void shortDateHasAFourDigitYearAndReadsBack() {
        QFETCH(QString, locale);
        QFETCH(QDate, date);
        QLocale::setDefault(LocaleNamed(locale));
        QTEST(FormatDateTime(date, DateFormat::Short), "text");
        for (int year : {1900, 1926, 1929, 1930, 2000, 2026, 2029, 2030, 2099, 2400})
            for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1)) {
                const QString written = FormatDateTime(d, DateFormat::Short);
                if (DateValue(written) != d)
                    QFAIL(qPrintable(written + QLatin1String(" does not read back as ") +
                                     d.toString(Qt::ISODate)));
            }
    }

    void longDateAndMonthNames() {
        QCOMPARE(FormatDateTime(kDec7, DateFormat::Long), QStringLiteral("Monday, December 7, 2026"));
        QCOMPARE(DateValue(u"Monday, December 7, 2026"), kDec7);
        QCOMPARE(MonthName(9), QStringLiteral("September"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(FormatDateTime(kDec7, DateFormat::Long), QStringLiteral("Montag, 7. Dezember 2026"));
        QCOMPARE(MonthName(3), QStringLiteral("März"));
    }

    void dateIsTodayFromTheSystemClock() {
        const QDate before = QDate::currentDate();
        const QDate today = SystemClock().Today();
        QVERIFY(today == before || today == QDate::currentDate());
        QCOMPARE(DateSerial(QDate(1899, 12, 30)), 0.0);
        QCOMPARE(DateSerial(kDec7), 46363.0);
    }

    void dateDiffCountsBoundaries_data() {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<qint64>("count");
        const auto row = [](const char* name, const QString& unit, QDate from, QDate to, qint64 count) {
            QTest::newRow(name) << unit << from << to << count;
        };
        row("days backwards across a leap day", kDays, QDate(2008, 3, 1), QDate(2008, 2, 28), -2);
        row("months 31 March to 1 April", kMonths, QDate(2007, 3, 31), QDate(2007, 4, 1), 1);
        row("months 1 March to 31 March", kMonths, QDate(2007, 3, 1), QDate(2007, 3, 31), 0);
        row("months back across a year", kMonths, QDate(2008, 2, 1), QDate(2006, 11, 15), -15);
        row("years 31 December to 1 January", kYears, QDate(2006, 12, 31), QDate(2007, 1, 1), 1);
        row("years backwards", kYears, QDate(2010, 1, 1), QDate(2006, 12, 31), -4);
        row("an unknown unit counts nothing", QStringLiteral("w"), QDate(2006, 1, 1), QDate(2007, 1, 1), 0);
    }
    void dateDiffCountsBoundaries() {
        QFETCH(QString, unit);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QTEST(DateDiff(unit, from, to), "count");
    }

    void dateAddMovesByWholeUnits_data() {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        const auto row = [](const char* name, const QString& unit, qint64 n, QDate from, QDate to) {
            QTest::newRow(name) << unit << n << from << to;
        };
        row("days back over a year end", kDays, -3, QDate(2007, 1, 2), QDate(2006, 12, 30));
        row("month to a shorter month takes its last day", kMonths, 1, QDate(2007, 1, 31),
            QDate(2007, 2, 28));
        row("months back over a year", kMonths, -13, QDate(2007, 3, 15), QDate(2006, 2, 15));
        row("year from a leap day", kYears, 1, QDate(2008, 2, 29), QDate(2009, 2, 28));
    }
    void dateAddMovesByWholeUnits() {
        QFETCH(QString, unit);
        QFETCH(qint64, n);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QCOMPARE(DateAdd(unit, n, from), to);
        QCOMPARE(DateDiff(unit, from, to), n);
    }

    void dateAddFarBeyondTheCalendarIsNoDate() {
        QVERIFY(!DateAdd(kYears, std::numeric_limits<qint64>::max(), kDec7).isValid());
        QVERIFY(!DateAdd(kDays, std::numeric_limits<qint64>::min(), kDec7).isValid());
    }

    void strWritesTheShortestText_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("text");
        for (const char* locale : {"en_US", "de_DE"}) {
            const auto row = [&](const char* name, double number, const char* text) {
                QTest::addRow("%s %s", locale, name)
                    << QString::fromLatin1(locale) << number << QString(text);
            };
            row("negative zero is zero with a blank", -0.0, " 0");
            row("positive has a blank", 3.0, " 3");
            row("negative has no blank", -1.5, "-1.5");
            row("at most 15 digits", 1.0 / 3.0, " 0.333333333333333");
            row("large number with exponent", 1e20, " 1E+20");
            row("small number with exponent", -1.5e-7, "-1.5E-07");
        }
    }
    void strWritesTheShortestText() {
        QFETCH(QString, locale);
        QFETCH(double, number);
        QLocale::setDefault(LocaleNamed(locale));
        QTEST(Str(number), "text");
    }

    void roundTiesGoToEven_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("rounded");
        QTest::newRow("tie down to even") << 27.25 << 27.2;
        QTest::newRow("tie up to even") << 27.75 << 27.8;
        QTest::newRow("negative tie to even") << -27.25 << -27.2;
        QTest::newRow("huge number stays") << 1e300 << 1e300;
    }
    void roundTiesGoToEven() {
        QFETCH(double, x);
        QTEST(Round(x, 1), "rounded");
        QTEST(Round(x), "rounded");
    }
};

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
