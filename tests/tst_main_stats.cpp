// The figures of the statistics view and their captions, computed without a window. Each case runs
// in an American and in a German locale: the record dates are written in the locale's short form,
// as the entry panel proposes them.
#include "datafile/data_file.h"
#include "records/conversions.h"
#include "stats/main_stats.h"
#include "stats/term.h"
#include "stats/stats_report.h"

#include <QTest>
#include <limits>

using namespace examora;

Q_DECLARE_METATYPE(examora::AverageMode)
Q_DECLARE_METATYPE(examora::MainStats)

namespace {

const char* const kLocales[] = {"en_US", "de_DE"};

// "name;yyyy-MM-dd;mark;credits" becomes the line the program holds, with the date in the locale's
// short form. An exam written starting with '=' is taken as it stands.
QStringList HeldLines(const QStringList& exams) {
    QStringList lines;
    for (const QString& exam : exams) {
        if (exam.startsWith(u'=')) {
            lines.append(exam.mid(1));
            continue;
        }
        QStringList parts = exam.split(u';');
        parts[1] = FormatDateTime(QDate::fromString(parts[1], Qt::ISODate), DateFormat::Short);
        lines.append(parts.join(u';'));
    }
    return lines;
}

// Exams, years spanned, speed, total credits, math average and overall mark; "-" where unset.
QString Figures(const MainStats& s) {
    auto figure = [](std::optional<double> v) { return v ? QString::number(*v, 'g', 15) : QString("-"); };
    return QStringList{QString::number(s.examCount), QString::number(s.yearSpan), figure(s.speed),
                       figure(s.totalCredits),       figure(s.mathAverage),       figure(s.overallMark)}
        .join(u' ');
}

const QStringList kWorkedExample = {"Analysis;2005-01-10;30;6", "Physics;2005-06-20;24;9",
                                    "Chemistry;2006-02-15;0;3"};
const QStringList kWorkedCaptions{"Exams : 3\rSpeed : 3 / year", "Overall mark\r 26.4", "Math average\r 27",
                                  "Total credits\r 18"};

} // namespace

class TestMainStats : public QObject {
    Q_OBJECT
private slots:
    void figures_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<AverageMode>("mode");
        QTest::addColumn<QString>("figures");
        QTest::addColumn<QStringList>("records");

        const auto A = AverageMode::Academic, M = AverageMode::Math;
        for (const char* locale : kLocales) {
            auto row = [locale](const char* name, AverageMode mode, const char* figures) -> QTestData& {
                return QTest::addRow("%s: %s", locale, name) << QString(locale) << mode << QString(figures);
            };
            row("worked example, academic", A, "3 1 3 18 27 26.4") << kWorkedExample;
            row("worked example, math", M, "3 1 3 18 18 22") << kWorkedExample;
            row("same calendar year: no speed", A, "2 0 - 12 27 27")
                << QStringList{"A;2005-01-01;30;6", "B;2005-12-31;24;6"};
            row("31 December to 1 January is one year", A, "2 1 2 12 27 27")
                << QStringList{"A;2005-12-31;30;6", "B;2006-01-01;24;6"};
            row("latest first, earliest in the middle", A, "3 5 0.6 18 30 30")
                << QStringList{"A;2006-05-05;30;6", "B;2001-05-05;30;6", "C;2003-05-05;30;6"};
            row("dates before day zero: the latest stays 30 December 1899", A,
                "2 49 0.0408163265306122 15 27 26.4")
                << QStringList{"A;1850-03-01;30;6", "B;1870-01-10;24;9"};
            row("academic, all marks 0: no averages, credits and speed still", A, "2 1 2 10 - -")
                << QStringList{"A;2004-01-01;0;6", "B;2005-01-01;0;4"};
            row("academic, credit value 0 counts in the average only", A, "2 1 2 6 26 24")
                << QStringList{"A;2004-01-01;28;0", "B;2005-01-01;24;6"};
            row("math, mark 0 lowers the average and joins the divisor", M, "2 1 2 12 15 15")
                << QStringList{"A;2004-01-01;30;6", "B;2005-01-01;0;6"};
            row("math, every credit value 0: no overall mark", M, "2 1 2 0 28.5 -")
                << QStringList{"A;2004-01-01;30;0", "B;2005-01-01;27;0"};
            row("math, 27 and 28.5 give 27.8 (tie to even)", M, "2 0 - 0 27.8 -")
                << QStringList{"A;2004-01-01;27;0", "B;2004-02-01;28.5;0"};
            row("math, 27 and 27.5 give 27.2 (tie to even)", M, "2 0 - 0 27.2 -")
                << QStringList{"A;2004-01-01;27;0", "B;2004-02-01;27.5;0"};
            row("decimal commas, as files written on comma locales hold them", A, "2 0 - 12.5 1.8 1.9")
                << QStringList{"A;2004-01-01;1,3;5", "B;2004-02-01;2,3;7,5"};
            row("lines that do not read are left out, the count too", A, "3 1 3 18 27 26.4")
                << kWorkedExample + QStringList{"=Odd;name;2005-01-01;30;6", "=Undated;someday;30;6", "=",
                                                "=No separators", "=Short;2005-01-01;30"};
            row("academic, products beyond a double", A, "2 1 2 2e+200 1e+200 inf")
                << QStringList{"A;2005-01-10;1e200;1e200", "B;2006-06-20;1e200;1e200"};
            row("academic, credit value 1e400 with mark 0", A, "2 1 2 inf - nan")
                << QStringList{"A;2005-01-10;0;1e400", "B;2006-06-20;0;1e400"};
        }
    }

    void figures() {
        QFETCH(QString, locale);
        QFETCH(QStringList, records);
        QFETCH(AverageMode, mode);
        QLocale::setDefault(QLocale(locale));
        QTEST(Figures(ComputeMainStats(HeldLines(records), mode)), "figures");
    }

    void captions_data() {
        QTest::addColumn<MainStats>("stats");
        QTest::addColumn<QStringList>("captions");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::addRow("worked example, academic")
            << MainStats{3, {}, {}, 1, 3.0, 18, 27.0, 26.4} << kWorkedCaptions;
        QTest::addRow("no speed: title, then the count under it")
            << MainStats{2, {}, {}, 0, {}, 12, 27.0, 27.5}
            << QStringList{"Exams\r 2", "Overall mark\r 27.5", "Math average\r 27", "Total credits\r 12"};
        QTest::addRow("speed 2.25 rounded to the even digit")
            << MainStats{9, {}, {}, 4, 2.25, 9, 18.0, 18.0}
            << QStringList{"Exams : 9\rSpeed : 2.2 / year", "Overall mark\r 18", "Math average\r 18",
                           "Total credits\r 9"};
        QTest::addRow("unset averages shown as 0, credits unrounded")
            << MainStats{2, {}, {}, 1, 2.0, 13.5, {}, {}}
            << QStringList{"Exams : 2\rSpeed : 2 / year", "Overall mark\r 0", "Math average\r 0",
                           "Total credits\r 13.5"};
        QTest::addRow("values beyond a double")
            << MainStats{2, {}, {}, 1, 2.0, inf, inf, std::numeric_limits<double>::quiet_NaN()}
            << QStringList{"Exams : 2\rSpeed : 2 / year", "Overall mark\r NaN", "Math average\r Infinity",
                           "Total credits\r Infinity"};
    }

    void captions() {
        QFETCH(MainStats, stats);
        const MainStatsCaptions shown = CaptionsOf(stats);
        QTEST((QStringList{shown.exams, shown.overall, shown.average, shown.credits}), "captions");
    }

    // The figures with planned exams (pairs of credits and mark) beside the held worked example, its
    // graduation base, and what the missing credits need to reach a target.
    void whatIf_data() {
        QTest::addColumn<QList<double>>("plan");
        QTest::addColumn<bool>("math");
        QTest::addColumn<double>("target");
        QTest::addColumn<double>("degree");
        QTest::addColumn<QString>("figures"); // overall mark, graduation base
        QTest::addColumn<QString>("outlook");
        QTest::newRow("the worked example, no plan")
            << QList<double>{} << false << 27.0 << 180.0 << " 26.4 96.8"
            << "The 162 missing credits need an average of 27.1 to reach 27.";
        QTest::newRow("a plan out of reach, math mode")
            << QList<double>{12, 30} << true << 29.0 << 36.0 << " 25.2 92.4"
            << "29 can no longer be reached: the 6 missing credits would need an average of 48, above 30.";
        QTest::newRow("already sure") << QList<double>{} << false << 18.0 << 180.0 << " 26.4 96.8"
                                      << "18 is already sure: any pass in the 162 missing credits reaches it.";
        QTest::newRow("a plan that completes the degree")
            << QList<double>{6, 18, 0, 30} << false << 30.0 << 24.0 << " 24 88"
            << "No credits are missing: the overall mark is final.";
    }
    void whatIf() {
        QFETCH(QList<double>, plan);
        QFETCH(bool, math);
        std::vector<PlannedExam> planned;
        for (qsizetype i = 0; i + 1 < plan.size(); i += 2)
            planned.push_back(PlannedExam{plan[i], plan[i + 1]});
        const std::vector<ExamReading> held{{QDate(2005, 1, 10), 30, 6}, {QDate(2005, 6, 20), 24, 9},
                                            {QDate(2006, 2, 15), 0, 3}};
        const MainStats stats = StatsWithPlan(held, planned, math ? AverageMode::Math : AverageMode::Academic);
        QTEST(Str(stats.overallMark) + Str(GraduationBase(stats)), "figures");
        QFETCH(double, target);
        QFETCH(double, degree);
        QTEST(OutlookText(OutlookFor(stats, target, degree), target), "outlook");
    }

    void reportOfAFile() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QByteArray file = "Analysis;1/10/2005;30 L;6\r\nnot a record\r\nPhysics;6/20/2005;24;9\r\n"
                                "Chemistry;2/15/2006;0;3\r\nHistory;13/45/2006;30;6\r\n";
        QCOMPARE(StatsReport(RecordLinesOf(DecodeDataLines(file))).toUtf8(),
                 QByteArray("Academic Mode\n  Exams: 3\n  Speed: 3 / year\n  Overall mark: 26.4\n"
                            "  Math average: 27\n  Total credits: 18\n\n"
                            "Math Mode\n  Exams: 3\n  Speed: 3 / year\n  Overall mark: 22\n"
                            "  Math average: 18\n  Total credits: 18\n\n"
                            "Honours (30L): 1\n\nPer year\n"
                            "  2005: 2 exams, 15 credits, overall mark 26.4 (Academic Mode), 26.4 (Math Mode)\n"
                            "  2006: 1 exam, 3 credits, overall mark 0 (Academic Mode), 0 (Math Mode)\n"));
    }
};

QTEST_GUILESS_MAIN(TestMainStats)
#include "tst_main_stats.moc"
