// The read-out the pointer writes into the window title over a graph: the date under the pointer in
// the graph's time unit, the graph's label and the pointer's height.
#include "graphs/graph_frame.h"
#include "graphs/pointer_readout.h"
#include "window/widgets/surface.h"
#include "records/conversions.h"

#include <QTest>

using namespace examora;

class TestPointerReadout : public QObject {
    Q_OBJECT
private slots:
    void readout_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QDate>("origin");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<bool>("marksGraph");
        QTest::addColumn<QString>("caption");

        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        const QDate mar10(2003, 3, 10), jan15(2004, 1, 15);

        QTest::newRow("years: blank before the year, two blanks before the value")
            << us << kYears << mar10 << 1.0 << 27.5 << true << QStringLiteral(" 2004;  Mark :  27.5");
        QTest::newRow("months: full month name in upper case, no year")
            << us << kMonths << jan15 << 2.0 << 243.0 << false
            << QStringLiteral("MARCH;  Mark x Credits :  243");
        QTest::newRow("days: the long date with weekday")
            << us << kDays << jan15 << 60.0 << 30.0 << true
            << QStringLiteral("Monday, March 15, 2004;  Mark :  30");
        QTest::newRow("left edge reads the origin itself")
            << us << kDays << jan15 << 0.0 << 18.0 << true
            << QStringLiteral("Thursday, January 15, 2004;  Mark :  18");
        QTest::newRow("bottom edge reads 1, not 0")
            << us << kYears << jan15 << 0.0 << 1.0 << true << QStringLiteral(" 2004;  Mark :  1");
        QTest::newRow("below the value 0 the height is negative, without a blank")
            << us << kYears << jan15 << 0.0 << -1.5 << false
            << QStringLiteral(" 2004;  Mark x Credits : -1.5");
        QTest::newRow("a height that rounds to 0 reads a blank and 0")
            << us << kYears << jan15 << 0.0 << -0.04 << true << QStringLiteral(" 2004;  Mark :  0");
        QTest::newRow("height rounded to one decimal, a tie to the even digit (down)")
            << us << kYears << jan15 << 0.0 << 27.25 << true << QStringLiteral(" 2004;  Mark :  27.2");
        QTest::newRow("height rounded to one decimal, a tie to the even digit (up)")
            << us << kYears << jan15 << 0.0 << 27.75 << true << QStringLiteral(" 2004;  Mark :  27.8");
        QTest::newRow("a whole height has no decimals")
            << us << kYears << jan15 << 0.0 << 29.96 << true << QStringLiteral(" 2004;  Mark :  30");
        QTest::newRow("x just short of half a unit stays on the stem before")
            << us << kYears << mar10 << 1.49 << 20.0 << true << QStringLiteral(" 2004;  Mark :  20");
        QTest::newRow("x past half a unit reads the next unit")
            << us << kYears << mar10 << 1.51 << 20.0 << true << QStringLiteral(" 2005;  Mark :  20");
        QTest::newRow("x a little left of the origin reads the origin")
            << us << kMonths << jan15 << -0.3 << 20.0 << true << QStringLiteral("JANUARY;  Mark :  20");
        QTest::newRow("x left of the origin by a unit reads the unit before")
            << us << kMonths << jan15 << -1.2 << 20.0 << true << QStringLiteral("DECEMBER;  Mark :  20");
        QTest::newRow("a month step past the end of February lands in February")
            << us << kMonths << QDate(2004, 1, 31) << 1.0 << 20.0 << true
            << QStringLiteral("FEBRUARY;  Mark :  20");
        QTest::newRow("a day step across a leap day")
            << us << kDays << QDate(2004, 2, 28) << 1.0 << 20.0 << true
            << QStringLiteral("Sunday, February 29, 2004;  Mark :  20");
        QTest::newRow("day-first locale: German month name in upper case")
            << de << kMonths << jan15 << 2.0 << 27.5 << true << QStringLiteral("MÄRZ;  Mark :  27.5");
        QTest::newRow("day-first locale: German long date")
            << de << kDays << jan15 << 60.0 << 27.5 << false
            << QStringLiteral("Montag, 15. März 2004;  Mark x Credits :  27.5");
        QTest::newRow("day-first locale: the year and the value keep their plain digits")
            << de << kYears << jan15 << 0.0 << 1234.5 << false
            << QStringLiteral(" 2004;  Mark x Credits :  1234.5");
    }

    void readout() {
        QFETCH(QLocale, locale);
        QFETCH(QString, unit);
        QFETCH(QDate, origin);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(bool, marksGraph);
        QFETCH(QString, caption);
        QLocale::setDefault(locale);
        QCOMPARE(PointerReadout(unit, origin, x, y, marksGraph), caption);
    }

    // Wherever the pointer goes, far off the calendar or to a height beyond any number, the read-out
    // still ends with the label and a value, and does not fail.
    void farOffPointerStillReadsOut_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("x far beyond any date") << 1e30 << 5.0;
        QTest::newRow("x far before any date") << -1e30 << 5.0;
        QTest::newRow("x not a number") << std::numeric_limits<double>::quiet_NaN() << 5.0;
        QTest::newRow("height beyond a float") << 3.0 << 1e300;
    }

    void farOffPointerStillReadsOut() {
        QFETCH(double, x);
        QFETCH(double, y);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        for (const QString& unit : {kDays, kMonths, kYears}) {
            const QString caption = PointerReadout(unit, QDate(2004, 1, 15), x, y, true);
            QVERIFY2(caption.contains(QStringLiteral(";  Mark : ")), qPrintable(caption));
            QVERIFY2(caption.endsWith(Str(Round(y, 1))), qPrintable(caption));
        }
    }

    // Marks around 1e16 leave the frame to the others, so a pixel maps back to a day of the graph.
    void hugeMarksReadADayOfTheGraph() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const std::optional<GraphFrame> frame =
            ComputeGraphFrame(QStringList{"A;1/15/2004;1e16;6", "B;3/3/2004;24;6"}, kDays, PlottedValue::Mark);
        QVERIFY(frame);
        const UserScale scale{frame->scaleTop, frame->scaleHeight, frame->scaleWidth};
        const QPointF user = UserToPixels(scale, QSizeF(730, 500)).inverted().map(QPointF(300, 250));
        QCOMPARE(PointerReadout(kDays, frame->earliest, user.x(), user.y(), true),
                 QStringLiteral("Saturday, February 14, 2004;  Mark :  13"));
    }
};

QTEST_GUILESS_MAIN(TestPointerReadout)
#include "tst_pointer_readout.moc"
