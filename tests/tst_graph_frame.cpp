// The frame shared by the two graphs: the width of the time axis, the vertical scale from the
// largest value, and where each exam stands, computed without a window for the lines in every order.
#include "graphs/axis_ticks.h"
#include "graphs/graph_frame.h"
#include "graphs/graph_text.h"
#include "records/conversions.h"

#include <QTest>
#include <algorithm>

using namespace examora;

namespace {

using Xs = QList<double>;

// Three exams with marks 18, 24 and 30: 15 January, 3 March and 20 March 2004.
const QStringList kWorkedExample{"Analysis;1/15/2004;18;6", "Physics;3/3/2004;24;9",
                                 "Chemistry;3/20/2004;30;6"};

// The lines in each of their orders.
QList<QStringList> EveryOrder(QStringList lines) {
    std::sort(lines.begin(), lines.end());
    QList<QStringList> orders;
    do
        orders.append(lines);
    while (std::next_permutation(lines.begin(), lines.end()));
    return orders;
}

} // namespace

class TestGraphFrame : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void timeAxis_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("width");
        QTest::addColumn<Xs>("xs");
        QTest::addColumn<QDate>("earliest");
        QTest::addColumn<QDate>("latest");
        const QDate jan15(2004, 1, 15), mar20(2004, 3, 20);
        QTest::newRow("worked example in months: span 2, width 3")
            << kWorkedExample << kMonths << 3.0 << Xs{0, 2, 2} << jan15 << mar20;
        QTest::newRow("worked example in days: span 65, width 90")
            << kWorkedExample << kDays << 90.0 << Xs{0, 48, 65} << jan15 << mar20;
        QTest::newRow("worked example in years: one calendar year, width a twelfth")
            << kWorkedExample << kYears << 1.0 / 12.0 << Xs{0, 0, 0} << jan15 << mar20;
        QTest::newRow("31 December and 1 January are a year apart")
            << QStringList{"Algebra;12/31/2004;27;6", "Geometry;1/1/2005;28;6"} << kYears << 1.0 + 1.0 / 12.0
            << Xs{0, 1} << QDate(2004, 12, 31) << QDate(2005, 1, 1);
        QTest::newRow("the latest date is never before 30 December 1899")
            << QStringList{"A;1/1/1850;25;6", "B;6/1/1850;28;6"} << kYears << 49.0 + 1.0 / 12.0 << Xs{0, 0}
            << QDate(1850, 1, 1) << QDate(1899, 12, 30);
    }

    void timeAxis() {
        QFETCH(QStringList, lines);
        QFETCH(QString, unit);
        QFETCH(double, width);
        QFETCH(Xs, xs);
        for (const QStringList& ordered : EveryOrder(lines)) {
            const std::optional<GraphFrame> frame = ComputeGraphFrame(ordered, unit, PlottedValue::Mark);
            QVERIFY(frame);
            QCOMPARE(frame->scaleWidth, double(float(width)));
            QCOMPARE(frame->points.size(), std::size_t(lines.size()));
            for (qsizetype i = 0; i < ordered.size(); ++i)
                QCOMPARE(frame->points[std::size_t(i)].x, xs[lines.indexOf(ordered[i])]);
            QTEST(frame->earliest, "earliest");
            QTEST(frame->latest, "latest");
        }
    }

    void verticalScale_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("height");
        QTest::addColumn<Xs>("values");
        const int mark = int(PlottedValue::Mark), product = int(PlottedValue::MarkTimesCredits);
        QTest::newRow("largest mark 30: top edge 31, bottom edge 1")
            << kWorkedExample << mark << 31.0 << -30.0 << Xs{18, 24, 30};
        QTest::newRow("a credit value of 0 plots 0 and leaves the frame to the other, fraction and all")
            << QStringList{"A;1/15/2004;30;0", "B;3/3/2004;24.25;6"} << product << 146.5 << -145.5
            << Xs{0, 145.5};
        QTest::newRow("every mark 0: a frame from 0 at the bottom to 1 at the top")
            << QStringList{"A;1/15/2004;0;6", "B;3/3/2004;0;6"} << mark << 1.0 << -1.0 << Xs{0, 0};
        QTest::newRow("marks too large for the scale do not stretch it")
            << QStringList{"A;1/15/2004;1e16;6", "B;3/3/2004;24;6"} << mark << 25.0 << -24.0 << Xs{1e16, 24};
        QTest::newRow("negative values never lower the frame below 0")
            << QStringList{"A;1/15/2004;-5;6", "B;3/3/2004;-2;6"} << mark << 1.0 << -1.0 << Xs{-5, -2};
    }

    void verticalScale() {
        QFETCH(QStringList, lines);
        QFETCH(int, value);
        QFETCH(Xs, values);
        for (const QStringList& ordered : EveryOrder(lines)) {
            const std::optional<GraphFrame> frame = ComputeGraphFrame(ordered, kDays, PlottedValue(value));
            QVERIFY(frame);
            QTEST(frame->scaleTop, "top");
            QTEST(frame->scaleHeight, "height");
            QCOMPARE(frame->points.size(), std::size_t(lines.size()));
            for (qsizetype i = 0; i < ordered.size(); ++i)
                QCOMPARE(frame->points[std::size_t(i)].value, values[lines.indexOf(ordered[i])]);
        }
    }

    void unknownTimeUnitGivesNoFrame() {
        for (const QString& unit : {QStringLiteral("YYYY"), QStringLiteral("m "), QString()}) {
            QVERIFY(!ComputeGraphFrame(kWorkedExample, unit, PlottedValue::Mark));
            QVERIFY(!AxisWidth(unit, QDate(2004, 1, 15), QDate(2004, 3, 20)));
        }
    }

    // The graph in words: the lowest and highest value wherever they stand, the dates of the exams
    // themselves (not the axis' ends), lines without a date left out.
    void graphText_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<bool>("marks");
        QTest::addColumn<QString>("text");
        QTest::newRow("marks in months")
            << kWorkedExample + QStringList{"Bad;never;30;6"} << kMonths << true
            << "Marks VS Time, in months: 3 exams from 1/15/04 to 3/20/04; marks from 18 to 30";
        QTest::newRow("marks x credits in days") << kWorkedExample << kDays << false
                                                 << "Marks x Credits VS Time, in days: 3 exams from 1/15/04 "
                                                    "to 3/20/04; marks x credits from 108 to 216";
        QTest::newRow("one day before 1900")
            << QStringList{"A;1/1/1850;25.5;6", "B;1/1/1850;25.5;6"} << kYears << true
            << "Marks VS Time, in years: 2 exams on 1/1/50; marks 25.5";
    }
    void graphText() {
        QFETCH(QStringList, lines);
        QFETCH(QString, unit);
        QFETCH(bool, marks);
        const PlottedValue value = marks ? PlottedValue::Mark : PlottedValue::MarkTimesCredits;
        QTEST(GraphText(*ComputeGraphFrame(lines, unit, value), value, unit), "text");
    }

    // The printed graphs' value axis: round steps from 0 to the first value at or above the top.
    void valueTicks_data() {
        QTest::addColumn<double>("top");
        QTest::addColumn<Xs>("ticks");
        QTest::addColumn<QString>("texts");
        QTest::newRow("marks up to 30") << 30.0 << Xs{0, 5, 10, 15, 20, 25, 30} << "0 5 10 15 20 25 30";
        QTest::newRow("mark x credits up to 348")
            << 348.0 << Xs{0, 100, 200, 300, 400} << "0 100 200 300 400";
        QTest::newRow("every mark 0") << 0.0 << Xs{0, 0.2, 0.4, 0.6, 0.8, 1} << "0 0.2 0.4 0.6 0.8 1";
        QTest::newRow("just above a round value") << 10.5 << Xs{0, 2, 4, 6, 8, 10, 12} << "0 2 4 6 8 10 12";
    }
    void valueTicks() {
        QFETCH(double, top);
        const std::vector<double> ticks = ValueTicks(top, 6);
        QCOMPARE(Xs(ticks.begin(), ticks.end()), [] {
            QFETCH(Xs, ticks);
            return ticks;
        }());
        QStringList texts;
        for (double tick : ticks)
            texts.append(ValueTickText(tick));
        QTEST(texts.join(u' '), "texts");
    }

    // The printed graphs' time axis: the labels, each at its place in units, thinned to the spacing.
    void timeTicks_data() {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QDate>("origin");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("spacing");
        QTest::addColumn<QStringList>("ticks");
        const QDate jan15(2004, 1, 15), mar20(2004, 3, 20);
        QTest::newRow("every year") << kYears << mar20 << 3 + 1 / 12.0 << 0.5
                                    << QStringList{"0 2004", "1 2005", "2 2006", "3 2007"};
        QTest::newRow("even years") << kYears << mar20 << 3 + 1 / 12.0 << 1.5
                                    << QStringList{"0 2004", "2 2006"};
        QTest::newRow("one year, a twelfth wide")
            << kYears << mar20 << 1 / 12.0 << 0.5 << QStringList{"0 2004"};
        QTest::newRow("every month") << kMonths << jan15 << 3.0 << 1.0
                                     << QStringList{"0 Jan 2004", "1 Feb 2004", "2 Mar 2004", "3 Apr 2004"};
        QTest::newRow("every other month")
            << kMonths << jan15 << 3.0 << 1.5 << QStringList{"0 Jan 2004", "2 Mar 2004"};
        QTest::newRow("no round month on the axis: its origin")
            << kMonths << QDate(2004, 2, 10) << 3.0 << 10.0 << QStringList{"0 Feb 2004"};
        QTest::newRow("every 14 days")
            << kDays << jan15 << 90.0 << 13.0
            << QStringList{"0 1/15/2004",  "14 1/29/2004", "28 2/12/2004", "42 2/26/2004",
                           "56 3/11/2004", "70 3/25/2004", "84 4/8/2004"};
        QTest::newRow("days on the first of each month")
            << kDays << jan15 << 90.0 << 25.0 << QStringList{"17 Feb 2004", "46 Mar 2004", "77 Apr 2004"};
    }
    void timeTicks() {
        QFETCH(QString, unit);
        QFETCH(QDate, origin);
        QFETCH(double, width);
        QFETCH(double, spacing);
        QStringList ticks;
        for (const TimeTick& tick : TimeTicks(unit, origin, width, spacing))
            ticks.append(QString::number(tick.x) + u' ' + tick.label);
        QTEST(ticks, "ticks");
    }

    // Ten thousand years in days, with no spacing asked: still about a thousand labels at most.
    void timeTicksStayFew() {
        const QDate origin(1000, 1, 1);
        QVERIFY(TimeTicks(kDays, origin, double(origin.daysTo(QDate(9999, 1, 1))), 0).size() <= 1001);
    }
};

QTEST_GUILESS_MAIN(TestGraphFrame)
#include "tst_graph_frame.moc"
