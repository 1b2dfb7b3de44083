// The read-out the pointer writes into the window title over a graph: the date under the pointer in
// the graph's time unit, the graph's label and the pointer's height.
#include "graphs/graph_frame.h"
#include "graphs/pointer_readout.h"
#include "records/conversions.h"
#include "window/widgets/surface.h"

#include <QTest>

using namespace examora;

class TestPointerReadout : public QObject {
    Q_OBJECT
private slots:
    void readout_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("x"); // units from 15 January 2004
        QTest::addColumn<double>("y");
        QTest::addColumn<bool>("marksGraph");
        QTest::addColumn<QString>("caption");
        const QLocale us(QLocale::English, QLocale::UnitedStates), de(QLocale::German, QLocale::Germany);
        QTest::newRow("years: blank before the year, two blanks before the value")
            << us << kYears << 1.0 << 27.5 << true << QStringLiteral(" 2005;  Mark :  27.5");
        QTest::newRow("months: full month name in upper case, no year")
            << us << kMonths << 2.0 << 243.0 << false << QStringLiteral("MARCH;  Mark x Credits :  243");
        QTest::newRow("below the value 0 the height is negative, without a blank")
            << us << kYears << 0.0 << -1.5 << false << QStringLiteral(" 2004;  Mark x Credits : -1.5");
        QTest::newRow("height rounded to one decimal, a tie to the even digit")
            << us << kYears << 0.0 << 27.25 << true << QStringLiteral(" 2004;  Mark :  27.2");
        QTest::newRow("x just short of half a unit stays on the stem before")
            << us << kYears << 1.49 << 20.0 << true << QStringLiteral(" 2005;  Mark :  20");
        QTest::newRow("x past half a unit reads the next unit")
            << us << kYears << 1.51 << 20.0 << true << QStringLiteral(" 2006;  Mark :  20");
        QTest::newRow("x left of the origin by a unit reads the unit before")
            << us << kMonths << -1.2 << 20.0 << true << QStringLiteral("DECEMBER;  Mark :  20");
        QTest::newRow("days: the long date with weekday, at a height beyond a float")
            << us << kDays << 3.0 << 1e300 << true
            << QStringLiteral("Sunday, January 18, 2004;  Mark :  1E+300");
        QTest::newRow("day-first locale: German long date")
            << de << kDays << 60.0 << 27.5 << false
            << QStringLiteral("Montag, 15. März 2004;  Mark x Credits :  27.5");
        QTest::newRow("day-first locale: the year and the value keep their plain digits")
            << de << kYears << 0.0 << 1234.5 << false << QStringLiteral(" 2004;  Mark x Credits :  1234.5");
        QTest::newRow("x far off the calendar reads no date")
            << us << kMonths << 1e30 << 5.0 << true << QStringLiteral(";  Mark :  5");
        QTest::newRow("x not a number reads the origin")
            << us << kYears << std::numeric_limits<double>::quiet_NaN() << 5.0 << true
            << QStringLiteral(" 2004;  Mark :  5");
    }

    void readout() {
        QFETCH(QLocale, locale);
        QFETCH(QString, unit);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(bool, marksGraph);
        QLocale::setDefault(locale);
        QTEST(PointerReadout(unit, QDate(2004, 1, 15), x, y, marksGraph), "caption");
    }

    // Marks around 1e16 leave the frame to the others, so a pixel maps back to a day of the graph.
    void hugeMarksReadADayOfTheGraph() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const std::optional<GraphFrame> frame = ComputeGraphFrame(
            QStringList{"A;1/15/2004;1e16;6", "B;3/3/2004;24;6"}, kDays, PlottedValue::Mark);
        QVERIFY(frame);
        const UserScale scale{frame->scaleTop, frame->scaleHeight, frame->scaleWidth};
        const QPointF user = UserToPixels(scale, QSizeF(730, 500)).inverted().map(QPointF(300, 250));
        QCOMPARE(PointerReadout(kDays, frame->earliest, user.x(), user.y(), true),
                 QStringLiteral("Saturday, February 14, 2004;  Mark :  13"));
    }
};

QTEST_GUILESS_MAIN(TestPointerReadout)
#include "tst_pointer_readout.moc"
