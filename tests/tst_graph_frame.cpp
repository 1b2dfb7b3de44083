// The frame shared by the two graphs: the width of the time axis, the vertical scale from the
// largest value, and where each exam stands, computed without a window.
#include "graphs/graph_frame.h"
#include "records/conversions.h"

#include <QTest>
#include <algorithm>

using namespace examora;

namespace {

using Xs = QList<double>;

const QLocale kUnitedStates(QLocale::English, QLocale::UnitedStates);
const QLocale kGermany(QLocale::German, QLocale::Germany);

// Three exams with marks 18, 24 and 30: 15 January, 3 March and 20 March 2004.
const QStringList kWorkedExample{"Analysis;1/15/2004;18;6", "Physics;3/3/2004;24;9",
                                 "Chemistry;3/20/2004;30;6"};

float Single(double v) { return static_cast<float>(v); }

Xs XsOf(const GraphFrame& frame) {
    Xs xs;
    for (const GraphPoint& point : frame.points)
        xs.append(point.x);
    return xs;
}

} // namespace

class TestGraphFrame : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(kUnitedStates); }

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

        const QStringList newYear{"Algebra;12/31/2004;27;6", "Geometry;1/1/2005;28;6"};
        const QDate dec31(2004, 12, 31), jan1(2005, 1, 1);
        QTest::newRow("31 December and 1 January are a year apart")
            << newYear << kYears << 1.0 + 1.0 / 12.0 << Xs{0, 1} << dec31 << jan1;
        QTest::newRow("31 December and 1 January are a month apart")
            << newYear << kMonths << 2.0 << Xs{0, 1} << dec31 << jan1;
        QTest::newRow("31 December and 1 January are a day apart")
            << newYear << kDays << 26.0 << Xs{0, 1} << dec31 << jan1;

        const QStringList sameYear{"Algebra;11/30/2005;27;6", "Geometry;2/1/2005;28;6"};
        QTest::newRow("same year, later exam first: both on the left edge")
            << sameYear << kYears << 1.0 / 12.0 << Xs{0, 0} << QDate(2005, 2, 1) << QDate(2005, 11, 30);
        QTest::newRow("January and March of one year: the month count ignores the day")
            << QStringList{"A;1/31/2006;27;6", "B;3/1/2006;28;6"} << kMonths << 3.0 << Xs{0, 2}
            << QDate(2006, 1, 31) << QDate(2006, 3, 1);
        QTest::newRow("ten days apart: width 35")
            << QStringList{"A;5/10/2006;27;6", "B;5/20/2006;28;6"} << kDays << 35.0 << Xs{0, 10}
            << QDate(2006, 5, 10) << QDate(2006, 5, 20);
        QTest::newRow("two exams on one day stand on one x")
            << QStringList{"A;5/10/2006;25;6", "B;5/10/2006;28;6"} << kDays << 25.0 << Xs{0, 0}
            << QDate(2006, 5, 10) << QDate(2006, 5, 10);
        QTest::newRow("the latest date is never before 30 December 1899")
            << QStringList{"A;1/1/1850;25;6", "B;6/1/1850;28;6"} << kYears << 49.0 + 1.0 / 12.0 << Xs{0, 0}
            << QDate(1850, 1, 1) << QDate(1899, 12, 30);
    }

    void timeAxis() {
        QFETCH(QStringList, lines);
        QFETCH(QString, unit);
        QFETCH(double, width);
        QFETCH(Xs, xs);
        QFETCH(QDate, earliest);
        QFETCH(QDate, latest);
        const std::optional<GraphFrame> frame = ComputeGraphFrame(lines, unit, PlottedValue::Mark);
        QVERIFY(frame);
        QCOMPARE(frame->scaleWidth, double(Single(width)));
        QCOMPARE(XsOf(*frame), xs);
        QCOMPARE(frame->earliest, earliest);
        QCOMPARE(frame->latest, latest);
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
        QTest::newRow("marks times credits 270 and 144: top edge 271")
            << QStringList{"A;1/15/2004;30;9", "B;3/3/2004;24;6"} << product << 271.0 << -270.0
            << Xs{270, 144};
        QTest::newRow("a credit value of 0 plots 0 and leaves the frame to the other")
            << QStringList{"A;1/15/2004;30;0", "B;3/3/2004;24;6"} << product << 145.0 << -144.0 << Xs{0, 144};
        QTest::newRow("a mark with letters after it counts by its leading number")
            << QStringList{"A;1/15/2004;27 cum laude;6", "B;3/3/2004;24;6"} << mark << 28.0 << -27.0
            << Xs{27, 24};
        QTest::newRow("a fractional mark keeps its fraction")
            << QStringList{"A;1/15/2004;29.5;6", "B;3/3/2004;24;6"} << mark << 30.5 << -29.5 << Xs{29.5, 24};
        QTest::newRow("every mark 0: a frame from 0 at the bottom to 1 at the top")
            << QStringList{"A;1/15/2004;0;6", "B;3/3/2004;0;6"} << mark << 1.0 << -1.0 << Xs{0, 0};
        QTest::newRow("marks that are not numbers plot 0 and still make a frame")
            << QStringList{"A;1/15/2004;none;6", "B;3/3/2004;n/a;6"} << mark << 1.0 << -1.0 << Xs{0, 0};
        QTest::newRow("marks too large for the scale do not stretch it")
            << QStringList{"A;1/15/2004;1e16;6", "B;3/3/2004;24;6"} << mark << 25.0 << -24.0 << Xs{1e16, 24};
        QTest::newRow("negative values never lower the frame below 0")
            << QStringList{"A;1/15/2004;-5;6", "B;3/3/2004;-2;6"} << mark << 1.0 << -1.0 << Xs{-5, -2};
    }

    void verticalScale() {
        QFETCH(QStringList, lines);
        QFETCH(int, value);
        QFETCH(double, top);
        QFETCH(double, height);
        QFETCH(Xs, values);
        for (const QString& unit : {kDays, kMonths, kYears}) {
            const std::optional<GraphFrame> frame = ComputeGraphFrame(lines, unit, PlottedValue(value));
            QVERIFY(frame);
            QCOMPARE(frame->scaleTop, top);
            QCOMPARE(frame->scaleHeight, height);
            Xs plotted;
            for (const GraphPoint& point : frame->points)
                plotted.append(point.value);
            QCOMPARE(plotted, values);
        }
    }

    // Records in any order give one frame; only the order of the points follows the list.
    void anyOrderGivesOneFrame() {
        QStringList lines = kWorkedExample;
        std::sort(lines.begin(), lines.end());
        do {
            for (const QString& unit : {kDays, kMonths, kYears}) {
                const std::optional<GraphFrame> frame = ComputeGraphFrame(lines, unit, PlottedValue::Mark);
                const std::optional<GraphFrame> reference =
                    ComputeGraphFrame(kWorkedExample, unit, PlottedValue::Mark);
                QVERIFY(frame && reference);
                QCOMPARE(frame->earliest, QDate(2004, 1, 15));
                QCOMPARE(frame->latest, QDate(2004, 3, 20));
                QCOMPARE(frame->largest, 30.0);
                QCOMPARE(frame->scaleTop, reference->scaleTop);
                QCOMPARE(frame->scaleHeight, reference->scaleHeight);
                QCOMPARE(frame->scaleWidth, reference->scaleWidth);
                for (qsizetype i = 0; i < lines.size(); ++i) {
                    const QDate date = *DateValue(lines[i].section(u';', 1, 1));
                    QCOMPARE(frame->points[std::size_t(i)].x,
                             double(DateDiff(unit, QDate(2004, 1, 15), date)));
                    QCOMPARE(frame->points[std::size_t(i)].value, lines[i].section(u';', 2, 2).toDouble());
                }
            }
        } while (std::next_permutation(lines.begin(), lines.end()));
    }

    void dayFirstLocaleReadsTheSameFrame() {
        QLocale::setDefault(kGermany);
        const QStringList lines{"Analysis;15.01.2004;18;6", "Physics;03.03.2004;24;9",
                                "Chemistry;20.03.2004;30;6"};
        const std::optional<GraphFrame> frame = ComputeGraphFrame(lines, kDays, PlottedValue::Mark);
        QVERIFY(frame);
        QCOMPARE(frame->earliest, QDate(2004, 1, 15));
        QCOMPARE(frame->scaleWidth, 90.0);
        QCOMPARE(XsOf(*frame), (Xs{0, 48, 65}));
    }

    void unknownTimeUnitGivesNoFrame_data() {
        QTest::addColumn<QString>("unit");
        QTest::newRow("weeks") << QStringLiteral("ww");
        QTest::newRow("years in upper case") << QStringLiteral("YYYY");
        QTest::newRow("month with a blank") << QStringLiteral("m ");
        QTest::newRow("empty, as before start-up") << QString();
    }

    void unknownTimeUnitGivesNoFrame() {
        QFETCH(QString, unit);
        QVERIFY(!ComputeGraphFrame(kWorkedExample, unit, PlottedValue::Mark));
        QVERIFY(!AxisWidth(unit, QDate(2004, 1, 15), QDate(2004, 3, 20)));
    }
};

QTEST_GUILESS_MAIN(TestGraphFrame)
#include "tst_graph_frame.moc"
