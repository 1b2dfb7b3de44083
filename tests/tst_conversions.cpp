// The conversions between text, numbers and dates, row by row, in the American order and in two
// day-first locales. Every date the program writes must read back to the same day.
#include "records/conversions.h"
#include "services/clock.h"

#include <QLocale>
#include <QTest>
#include <cmath>
#include <limits>

using namespace examora;

namespace {

QLocale LocaleNamed(const QString& name) {
    if (name == QLatin1String("C"))
        return QLocale::c();
    return QLocale(name);
}

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

    void splitCutsAtEverySemicolon_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("empty text gives no field") << "" << QStringList{};
        QTest::newRow("no separator gives the whole text") << "Physics" << QStringList{"Physics"};
        QTest::newRow("four fields") << "a;b;c;d" << QStringList{"a", "b", "c", "d"};
        QTest::newRow("adjacent separators give an empty field")
            << "Math;;28" << QStringList{"Math", "", "28"};
        QTest::newRow("lone separator gives two empty fields") << ";" << QStringList{"", ""};
        QTest::newRow("trailing separator gives a last empty field") << "a;b;" << QStringList{"a", "b", ""};
        QTest::newRow("blanks stay in the fields") << " a ; b " << QStringList{" a ", " b "};
        QTest::newRow("no limit on fields")
            << "1;2;3;4;5;6;7" << QStringList{"1", "2", "3", "4", "5", "6", "7"};
    }
    void splitCutsAtEverySemicolon() {
        QFETCH(QString, text);
        QFETCH(QStringList, fields);
        QCOMPARE(Split(text), fields);
    }

    void valReadsTheNumberAtTheHead_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        for (const char* locale : {"en_US", "it_IT"}) {
            auto row = [&](const char* name) {
                return &QTest::newRow(qPrintable(QString::fromLatin1(locale) + u' ' + QLatin1String(name)));
            };
            *row("whole number") << locale << "28" << 28.0;
            *row("decimal point") << locale << "27.5" << 27.5;
            *row("stops at the separator") << locale << "18;" << 18.0;
            *row("no digit before the point") << locale << ".5" << 0.5;
            *row("exponent") << locale << "1e2" << 100.0;
            *row("upper-case exponent") << locale << "2.8E1" << 28.0;
            *row("negative exponent") << locale << "25e-1" << 2.5;
            *row("exponent without digits is left out") << locale << "7e" << 7.0;
            *row("exponent sign without digits is left out") << locale << "7e+x" << 7.0;
            *row("letters give zero") << locale << "abc" << 0.0;
            *row("empty text gives zero") << locale << "" << 0.0;
            *row("lone point gives zero") << locale << "." << 0.0;
            *row("lone sign gives zero") << locale << "-" << 0.0;
            *row("one decimal comma and no point is a decimal comma") << locale << "27,5" << 27.5;
            *row("a second comma stops the number") << locale << "1,2,3" << 1.0;
            *row("a comma before a point stops the number") << locale << "1,234.5" << 1.0;
            *row("digits of another script") << locale << QString::fromUtf8("٢٨") << 28.0;
            *row("second point stops the number") << locale << "1.2.3" << 1.2;
            *row("minus sign") << locale << "-1.5" << -1.5;
            *row("plus sign") << locale << "+4" << 4.0;
            *row("leading blanks") << locale << "  \t\n30" << 30.0;
            *row("blanks inside the number") << locale << " 1 2 . 5" << 12.5;
            *row("blank after the sign") << locale << "- 3" << -3.0;
            *row("letter after digits stops") << locale << "30L" << 30.0;
        }
    }
    void valReadsTheNumberAtTheHead() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, value);
        QLocale::setDefault(LocaleNamed(locale));
        QCOMPARE(Val(text), value);
    }

    void valOfHugeExponentsIsInfiniteOrZero() {
        QCOMPARE(Val(u"1e400"), std::numeric_limits<double>::infinity());
        QCOMPARE(Val(u"-1e400"), -std::numeric_limits<double>::infinity());
        QCOMPARE(Val(u"1e-400"), 0.0);
        QVERIFY(std::isinf(Val(QString(400, u'9'))));
    }

    void isNumericReadsTheLocaleNumberFormat_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::newRow("en_US whole number") << "en_US"
                                            << "28" << true;
        QTest::newRow("en_US decimal point") << "en_US"
                                             << "27.5" << true;
        QTest::newRow("en_US blanks around") << "en_US"
                                             << "  30 " << true;
        QTest::newRow("en_US exponent") << "en_US"
                                        << "2.8E1" << true;
        QTest::newRow("en_US negative") << "en_US"
                                        << "-3" << true;
        QTest::newRow("en_US empty") << "en_US"
                                     << "" << false;
        QTest::newRow("en_US blanks only") << "en_US"
                                           << "   " << false;
        QTest::newRow("en_US letters") << "en_US"
                                       << "abc" << false;
        QTest::newRow("en_US number then letters") << "en_US"
                                                   << "28abc" << false;
        QTest::newRow("en_US two numbers") << "en_US"
                                           << "28 30" << false;
        QTest::newRow("en_US infinity is no number") << "en_US"
                                                     << "inf" << false;
        QTest::newRow("en_US nan is no number") << "en_US"
                                                << "nan" << false;
        QTest::newRow("en_US overflow is no number") << "en_US"
                                                     << "1e400" << false;
        QTest::newRow("en_US lone point") << "en_US"
                                          << "." << false;
        QTest::newRow("it_IT decimal comma") << "it_IT"
                                             << "27,5" << true;
        QTest::newRow("it_IT decimal point") << "it_IT"
                                             << "27.5" << true;
        QTest::newRow("it_IT letters") << "it_IT"
                                       << "trenta" << false;
        QTest::newRow("de_DE decimal comma") << "de_DE"
                                             << "27,5" << true;
        QTest::newRow("de_DE empty") << "de_DE"
                                     << "" << false;
        QTest::newRow("en_US comma is a group separator, refused") << "en_US"
                                                                   << "1,234" << false;
        QTest::newRow("de_DE group separator refused") << "de_DE"
                                                       << "1.234,5" << false;
    }
    void isNumericReadsTheLocaleNumberFormat() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QLocale::setDefault(LocaleNamed(locale));
        QCOMPARE(IsNumeric(text), numeric);
    }

    void dateValueReadsTheLocaleOrder_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: IsDate rejects the text
        const QDate dec7(2026, 12, 7);
        QTest::newRow("en_US month first") << "en_US"
                                           << "12/7/2026" << dec7;
        QTest::newRow("en_US two-digit day and month") << "en_US"
                                                       << "01/02/2007" << QDate(2007, 1, 2);
        QTest::newRow("en_US one-digit day and month") << "en_US"
                                                       << "1/2/2007" << QDate(2007, 1, 2);
        QTest::newRow("en_US two-digit year 26") << "en_US"
                                                 << "12/7/26" << dec7;
        QTest::newRow("en_US two-digit year 29 is 2029") << "en_US"
                                                         << "1/1/29" << QDate(2029, 1, 1);
        QTest::newRow("en_US two-digit year 30 is 2030") << "en_US"
                                                         << "1/15/30" << QDate(2030, 1, 15);
        QTest::newRow("en_US ISO") << "en_US"
                                   << "2026-12-07" << dec7;
        QTest::newRow("en_US ISO one-digit month") << "en_US"
                                                   << "2006-6-12" << QDate(2006, 6, 12);
        QTest::newRow("en_US blanks around") << "en_US"
                                             << " 12/7/2026 " << dec7;
        QTest::newRow("en_US leap day") << "en_US"
                                        << "2/29/2008" << QDate(2008, 2, 29);
        QTest::newRow("en_US no leap day") << "en_US"
                                           << "2/29/2007" << QDate();
        QTest::newRow("en_US a day above 12 reads first too") << "en_US"
                                                              << "31/12/2006" << QDate(2006, 12, 31);
        QTest::newRow("en_US month 13") << "en_US"
                                        << "13/13/2007" << QDate();
        QTest::newRow("en_US digits of another script") << "en_US" << QString::fromUtf8("١٢/٧/٢٠٢٦") << dec7;
        QTest::newRow("en_US day 0") << "en_US"
                                     << "1/0/2007" << QDate();
        QTest::newRow("en_US empty") << "en_US"
                                     << "" << QDate();
        QTest::newRow("en_US blanks only") << "en_US"
                                           << "  " << QDate();
        QTest::newRow("en_US letters") << "en_US"
                                       << "abc" << QDate();
        QTest::newRow("en_US number alone") << "en_US"
                                            << "28" << QDate();
        QTest::newRow("en_US two groups") << "en_US"
                                          << "12/7" << QDate();
        QTest::newRow("en_US four groups") << "en_US"
                                           << "12/7/2026/1" << QDate();
        QTest::newRow("en_US trailing text") << "en_US"
                                             << "12/7/2026x" << QDate();
        QTest::newRow("en_US three-digit year") << "en_US"
                                                << "12/7/202" << QDate();
        QTest::newRow("en_US five-digit year") << "en_US"
                                               << "12/7/20266" << QDate();
        QTest::newRow("it_IT day first") << "it_IT"
                                         << "07/12/2026" << dec7;
        QTest::newRow("it_IT one-digit day and month") << "it_IT"
                                                       << "7/1/2007" << QDate(2007, 1, 7);
        QTest::newRow("it_IT two-digit year") << "it_IT"
                                              << "07/12/26" << dec7;
        QTest::newRow("it_IT two-digit year 46 is 1946, 80 years before") << "it_IT"
                                                                          << "1/1/46" << QDate(1946, 1, 1);
        QTest::newRow("it_IT two-digit year 45 is 2045, 19 years after") << "it_IT"
                                                                         << "1/1/45" << QDate(2045, 1, 1);
        QTest::newRow("it_IT ISO") << "it_IT"
                                   << "2026-12-07" << dec7;
        QTest::newRow("it_IT day 31") << "it_IT"
                                      << "31/12/2006" << QDate(2006, 12, 31);
        QTest::newRow("it_IT a day above 12 reads second too") << "it_IT"
                                                               << "1/13/2007" << QDate(2007, 1, 13);
        QTest::newRow("it_IT empty") << "it_IT"
                                     << "" << QDate();
        QTest::newRow("de_DE dots") << "de_DE"
                                    << "07.12.2026" << dec7;
        QTest::newRow("de_DE one-digit day and month") << "de_DE"
                                                       << "7.1.2007" << QDate(2007, 1, 7);
        QTest::newRow("de_DE two-digit year") << "de_DE"
                                              << "7.12.26" << dec7;
        QTest::newRow("de_DE ISO") << "de_DE"
                                   << "2026-12-07" << dec7;
        QTest::newRow("de_DE 30 February") << "de_DE"
                                           << "30.2.2007" << QDate();
        QTest::newRow("C ISO") << "C"
                               << "2026-12-07" << dec7;
    }
    void dateValueReadsTheLocaleOrder() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QLocale::setDefault(LocaleNamed(locale));
        QCOMPARE(IsDate(text), date.isValid());
        const std::optional<QDate> read = DateValue(text);
        QCOMPARE(read.value_or(QDate()), date);
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
        QCOMPARE(ProposedDate(QDate(2026, 12, 7)), QStringLiteral("2026-12-07"));
        // Where the locale writes its year first, day and month come day first, or in the file's order.
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
        SetFileDateOrder(std::nullopt);
        QCOMPARE(DateValue(u"05/03/2020"), QDate(2020, 3, 5));
        SetFileDateOrder(DateOrder::MonthDayYear);
        QCOMPARE(DateValue(u"05/03/2020"), QDate(2020, 5, 3));
        SetFileDateOrder(std::nullopt);
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

    void shortDateHasAFourDigitYearAndReadsBack_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("en_US") << "en_US" << QDate(2026, 12, 7) << "12/7/2026";
        QTest::newRow("en_US 1926 stays 1926") << "en_US" << QDate(1926, 12, 7) << "12/7/1926";
        QTest::newRow("en_US 2099") << "en_US" << QDate(2099, 1, 31) << "1/31/2099";
        QTest::newRow("it_IT") << "it_IT" << QDate(2026, 12, 7) << "07/12/2026";
        QTest::newRow("it_IT 1926 stays 1926") << "it_IT" << QDate(1926, 12, 7) << "07/12/1926";
        QTest::newRow("de_DE") << "de_DE" << QDate(2026, 12, 7) << "07.12.2026";
        QTest::newRow("de_DE 1900") << "de_DE" << QDate(1900, 3, 1) << "01.03.1900";
        QTest::newRow("C writes ISO") << "C" << QDate(2026, 12, 7) << "2026-12-07";
        QTest::newRow("bg_BG without its year word") << "bg_BG" << QDate(2026, 12, 7) << "7.12.2026";
        QTest::newRow("mr_IN in ASCII digits") << "mr_IN" << QDate(2026, 12, 7) << "7/12/2026";
    }
    void shortDateHasAFourDigitYearAndReadsBack() {
        QFETCH(QString, locale);
        QFETCH(QDate, date);
        QFETCH(QString, text);
        QLocale::setDefault(LocaleNamed(locale));
        QCOMPARE(FormatDateTime(date, DateFormat::Short), text);
        QCOMPARE(DateValue(text).value_or(QDate()), date);
    }

    // Every day of several years, in each locale, survives a write and a read.
    void everyWrittenDayReadsBackToTheSameDay_data() {
        QTest::addColumn<QString>("locale");
        for (const char* locale : {"en_US", "it_IT", "de_DE", "C"})
            QTest::newRow(locale) << locale;
    }
    void everyWrittenDayReadsBackToTheSameDay() {
        QFETCH(QString, locale);
        QLocale::setDefault(LocaleNamed(locale));
        for (int year : {1900, 1926, 1929, 1930, 2000, 2026, 2029, 2030, 2099, 2400}) {
            for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1)) {
                const QString shortText = FormatDateTime(d, DateFormat::Short);
                if (DateValue(shortText) != d)
                    QFAIL(qPrintable(QStringLiteral("%1 does not read back as %2")
                                         .arg(shortText, d.toString(Qt::ISODate))));
            }
        }
    }

    void longDateNamesWeekdayAndMonth_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("en_US") << "en_US"
                               << "Monday, December 7, 2026";
        QTest::newRow("de_DE") << "de_DE"
                               << "Montag, 7. Dezember 2026";
    }
    void longDateNamesWeekdayAndMonth() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QLocale::setDefault(LocaleNamed(locale));
        QCOMPARE(FormatDateTime(QDate(2026, 12, 7), DateFormat::Long), text);
    }

    void dateIsTodayFromTheSystemClock() {
        const QDate before = QDate::currentDate();
        const QDate today = SystemClock().Today();
        const QDate after = QDate::currentDate();
        QVERIFY(today == before || today == after);
        QCOMPARE(DateSerial(QDate(1899, 12, 30)), 0.0);
        QCOMPARE(DateSerial(QDate(1900, 1, 1)), 2.0);
        QCOMPARE(DateSerial(QDate(2026, 12, 7)), 46363.0);
    }

    void dateDiffCountsBoundaries_data() {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<qint64>("count");
        QTest::newRow("days between two days") << "d" << QDate(2007, 1, 1) << QDate(2007, 3, 1) << qint64{59};
        QTest::newRow("days across a leap day")
            << "d" << QDate(2008, 2, 28) << QDate(2008, 3, 1) << qint64{2};
        QTest::newRow("days backwards are negative")
            << "d" << QDate(2007, 1, 2) << QDate(2007, 1, 1) << qint64{-1};
        QTest::newRow("same day") << "d" << QDate(2007, 1, 2) << QDate(2007, 1, 2) << qint64{0};
        QTest::newRow("months 31 March to 1 April")
            << "m" << QDate(2007, 3, 31) << QDate(2007, 4, 1) << qint64{1};
        QTest::newRow("months 1 March to 31 March")
            << "m" << QDate(2007, 3, 1) << QDate(2007, 3, 31) << qint64{0};
        QTest::newRow("months 31 January to 1 February")
            << "m" << QDate(2007, 1, 31) << QDate(2007, 2, 1) << qint64{1};
        QTest::newRow("months across a year")
            << "m" << QDate(2006, 11, 15) << QDate(2008, 2, 1) << qint64{15};
        QTest::newRow("months backwards") << "m" << QDate(2007, 4, 1) << QDate(2007, 3, 31) << qint64{-1};
        QTest::newRow("years within one year")
            << "yyyy" << QDate(2007, 1, 1) << QDate(2007, 12, 31) << qint64{0};
        QTest::newRow("years 31 December to 1 January")
            << "yyyy" << QDate(2006, 12, 31) << QDate(2007, 1, 1) << qint64{1};
        QTest::newRow("years backwards") << "yyyy" << QDate(2010, 1, 1) << QDate(2006, 12, 31) << qint64{-4};
    }
    void dateDiffCountsBoundaries() {
        QFETCH(QString, unit);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(qint64, count);
        QCOMPARE(DateDiff(unit, from, to), count);
    }

    void dateAddMovesByWholeUnits_data() {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("days forward over a year end")
            << "d" << qint64{3} << QDate(2006, 12, 30) << QDate(2007, 1, 2);
        QTest::newRow("days back") << "d" << qint64{-1} << QDate(2007, 3, 1) << QDate(2007, 2, 28);
        QTest::newRow("month to a shorter month takes its last day")
            << "m" << qint64{1} << QDate(2007, 1, 31) << QDate(2007, 2, 28);
        QTest::newRow("month into a leap February")
            << "m" << qint64{1} << QDate(2008, 1, 31) << QDate(2008, 2, 29);
        QTest::newRow("months back over a year")
            << "m" << qint64{-13} << QDate(2007, 3, 15) << QDate(2006, 2, 15);
        QTest::newRow("year from a leap day")
            << "yyyy" << qint64{1} << QDate(2008, 2, 29) << QDate(2009, 2, 28);
        QTest::newRow("years back") << "yyyy" << qint64{-20} << QDate(2026, 12, 7) << QDate(2006, 12, 7);
        QTest::newRow("zero units") << "m" << qint64{0} << QDate(2026, 12, 7) << QDate(2026, 12, 7);
    }
    void dateAddMovesByWholeUnits() {
        QFETCH(QString, unit);
        QFETCH(qint64, n);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QCOMPARE(DateAdd(unit, n, from), to);
        QCOMPARE(DateDiff(unit, from, to), n);
    }

    void dateAddFarBeyondTheCalendarDoesNotCrash() {
        const QDate far = DateAdd(kYears, std::numeric_limits<qint64>::max(), QDate(2026, 12, 7));
        QVERIFY(!far.isValid());
        QVERIFY(!DateAdd(kDays, std::numeric_limits<qint64>::min(), QDate(2026, 12, 7)).isValid());
    }

    void yearMonthAndMonthName_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("name");
        QTest::newRow("en_US January") << "en_US" << 1 << "January";
        QTest::newRow("en_US September in full") << "en_US" << 9 << "September";
        QTest::newRow("it_IT December") << "it_IT" << 12 << "dicembre";
        QTest::newRow("de_DE March") << "de_DE" << 3 << QString::fromUtf8("März");
    }
    void yearMonthAndMonthName() {
        QFETCH(QString, locale);
        QFETCH(int, month);
        QFETCH(QString, name);
        QLocale::setDefault(LocaleNamed(locale));
        QCOMPARE(MonthName(month), name);
        const QDate d(1999, month, 28);
        QCOMPARE(Month(d), month);
        QCOMPARE(Year(d), 1999);
    }

    void upperCaseAndTrim_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("blanks around a name") << "  Analysis 2 "
                                              << "  ANALYSIS 2 "
                                              << "Analysis 2";
        QTest::newRow("accented letters")
            << QString::fromUtf8(" università") << QString::fromUtf8(" UNIVERSITÀ")
            << QString::fromUtf8("università");
        QTest::newRow("white space of every kind is trimmed")
            << QString::fromUtf8("\t\u00a0x y\r\n") << QString::fromUtf8("\t\u00a0X Y\r\n") << "x y";
        QTest::newRow("blanks only") << "   "
                                     << "   "
                                     << "";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
        QTest::newRow("month name") << "december"
                                    << "DECEMBER"
                                    << "december";
    }
    void upperCaseAndTrim() {
        QFETCH(QString, text);
        QFETCH(QString, upper);
        QFETCH(QString, trimmed);
        QCOMPARE(UpperCase(text), upper);
        QCOMPARE(Trim(text), trimmed);
    }

    void strWritesTheShortestText_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("text");
        for (const char* locale : {"en_US", "de_DE"}) {
            auto row = [&](const char* name) {
                return &QTest::newRow(qPrintable(QString::fromLatin1(locale) + u' ' + QLatin1String(name)));
            };
            *row("zero has a blank") << locale << 0.0 << " 0";
            *row("negative zero is zero") << locale << -0.0 << " 0";
            *row("positive has a blank") << locale << 3.0 << " 3";
            *row("negative has no blank") << locale << -1.5 << "-1.5";
            *row("two decimals") << locale << 27.25 << " 27.25";
            *row("no trailing zeros") << locale << 28.10 << " 28.1";
            *row("at most 15 digits") << locale << 1.0 / 3.0 << " 0.333333333333333";
            *row("sum error hidden") << locale << 0.1 + 0.2 << " 0.3";
            *row("large number with exponent") << locale << 1e20 << " 1E+20";
            *row("small number with exponent") << locale << -1.5e-7 << "-1.5E-07";
            *row("fifteen digits stay whole") << locale << 123456789012345.0 << " 123456789012345";
        }
    }
    void strWritesTheShortestText() {
        QFETCH(QString, locale);
        QFETCH(double, number);
        QFETCH(QString, text);
        QLocale::setDefault(LocaleNamed(locale));
        QCOMPARE(Str(number), text);
    }

    void strOfAnUnsetFigureIsZero() {
        QCOMPARE(Str(std::optional<double>{}), QStringLiteral(" 0"));
        QCOMPARE(Str(std::optional<double>{-2.0}), QStringLiteral("-2"));
        QCOMPARE(QStringLiteral("Exam ") + Str(3.0), QStringLiteral("Exam  3"));
    }

    void roundTiesGoToEven_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("rounded");
        QTest::newRow("tie down to even") << 27.25 << 27.2;
        QTest::newRow("tie up to even") << 27.75 << 27.8;
        QTest::newRow("negative tie to even") << -27.25 << -27.2;
        QTest::newRow("small tie to even") << 0.25 << 0.2;
        QTest::newRow("below a tie") << 27.24 << 27.2;
        QTest::newRow("above a tie") << 27.26 << 27.3;
        QTest::newRow("whole number") << 28.0 << 28.0;
        QTest::newRow("zero") << 0.0 << 0.0;
        QTest::newRow("huge number stays") << 1e300 << 1e300;
    }
    void roundTiesGoToEven() {
        QFETCH(double, x);
        QFETCH(double, rounded);
        QCOMPARE(Round(x, 1), rounded);
        QCOMPARE(Round(x), rounded);
    }

    void carriageReturnIsCode13() {
        QCOMPARE(kCarriageReturn.unicode(), char16_t{13});
        QCOMPARE(QString(kCarriageReturn), QStringLiteral("\r"));
    }
};

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
