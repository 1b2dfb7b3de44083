// The figures of the statistics view and their captions, computed without a window. Each case runs
// in an American and in a German locale: the record dates are written in the locale's short form,
// as the entry panel proposes them.
#include "records/conversions.h"
#include "datafile/data_file.h"
#include "stats/main_stats.h"
#include "stats/stats_report.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace examora;

Q_DECLARE_METATYPE(examora::AverageMode)

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

const QStringList kWorkedExample = {"Analysis;2005-01-10;30;6", "Physics;2005-06-20;24;9",
                                    "Chemistry;2006-02-15;0;3"};

QVariant Unset() { return QVariant(); }

// An unset figure matches an invalid QVariant, a set one the number it holds.
bool SameFigure(std::optional<double> actual, const QVariant& expected) {
    if (actual.has_value() != expected.isValid()) {
        qWarning("set %d, expected set %d", actual.has_value(), expected.isValid());
        return false;
    }
    if (actual && !qFuzzyCompare(*actual, expected.toDouble())) {
        qWarning("%.17g instead of %.17g", *actual, expected.toDouble());
        return false;
    }
    return true;
}

} // namespace

class TestMainStats : public QObject {
    Q_OBJECT
private slots:
    void figures_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<AverageMode>("mode");
        QTest::addColumn<int>("examCount");
        QTest::addColumn<int>("yearSpan");
        QTest::addColumn<QVariant>("speed");
        QTest::addColumn<double>("totalCredits");
        QTest::addColumn<QVariant>("mathAverage");
        QTest::addColumn<QVariant>("overallMark");

        const auto A = AverageMode::Academic, M = AverageMode::Math;
        for (const char* locale : kLocales) {
            auto row = [locale](const char* name) -> QTestData& {
                return QTest::addRow("%s: %s", locale, name) << QString::fromLatin1(locale);
            };
            row("worked example, academic")
                << kWorkedExample << A << 3 << 1 << QVariant(3.0) << 18.0 << QVariant(27.0) << QVariant(26.4);
            row("worked example, math")
                << kWorkedExample << M << 3 << 1 << QVariant(3.0) << 18.0 << QVariant(18.0) << QVariant(22.0);
            row("same calendar year: no speed")
                << QStringList{"A;2005-01-01;30;6", "B;2005-12-31;24;6"} << A << 2 << 0 << Unset() << 12.0
                << QVariant(27.0) << QVariant(27.0);
            row("31 December to 1 January is one year")
                << QStringList{"A;2005-12-31;30;6", "B;2006-01-01;24;6"} << A << 2 << 1 << QVariant(2.0)
                << 12.0 << QVariant(27.0) << QVariant(27.0);
            row("five exams from 2004 to 2006")
                << QStringList{"A;2004-03-01;30;6", "B;2004-07-01;30;6", "C;2005-02-01;30;6",
                               "D;2006-06-01;30;6", "E;2006-12-31;30;6"}
                << A << 5 << 2 << QVariant(2.5) << 30.0 << QVariant(30.0) << QVariant(30.0);
            row("seven exams over three year boundaries")
                << QStringList{"A;2003-12-31;18;1", "B;2004-05-01;18;1", "C;2004-06-01;18;1",
                               "D;2005-01-01;18;1", "E;2005-09-09;18;1", "F;2006-01-01;18;1",
                               "G;2006-01-02;18;1"}
                << A << 7 << 3 << QVariant(7.0 / 3.0) << 7.0 << QVariant(18.0) << QVariant(18.0);
            row("latest date taken whatever the list order")
                << QStringList{"A;2006-05-05;30;6", "B;2001-05-05;30;6", "C;2003-05-05;30;6"} << A << 3 << 5
                << QVariant(0.6) << 18.0 << QVariant(30.0) << QVariant(30.0);
            row("academic, all marks 0: no averages, credits and speed still")
                << QStringList{"A;2004-01-01;0;6", "B;2005-01-01;0;4"} << A << 2 << 1 << QVariant(2.0) << 10.0
                << Unset() << Unset();
            row("academic, credit value 0 counts in the average only")
                << QStringList{"A;2004-01-01;28;0", "B;2005-01-01;24;6"} << A << 2 << 1 << QVariant(2.0)
                << 6.0 << QVariant(26.0) << QVariant(24.0);
            row("math, mark 0 lowers the average and joins the divisor")
                << QStringList{"A;2004-01-01;30;6", "B;2005-01-01;0;6"} << M << 2 << 1 << QVariant(2.0)
                << 12.0 << QVariant(15.0) << QVariant(15.0);
            row("math, every credit value 0: no overall mark")
                << QStringList{"A;2004-01-01;30;0", "B;2005-01-01;27;0"} << M << 2 << 1 << QVariant(2.0)
                << 0.0 << QVariant(28.5) << Unset();
            row("math, 27 and 28.5 give 27.8 (tie to even)")
                << QStringList{"A;2004-01-01;27;0", "B;2004-02-01;28.5;0"} << M << 2 << 0 << Unset() << 0.0
                << QVariant(27.8) << Unset();
            row("math, 27 and 27.5 give 27.2 (tie to even)")
                << QStringList{"A;2004-01-01;27;0", "B;2004-02-01;27.5;0"} << M << 2 << 0 << Unset() << 0.0
                << QVariant(27.2) << Unset();
            row("credit values 7.5 and 6 total 13.5, unrounded")
                << QStringList{"A;2004-01-01;30;7.5", "B;2004-02-01;30;6"} << A << 2 << 0 << Unset() << 13.5
                << QVariant(30.0) << QVariant(30.0);
            row("decimal commas, as files written on comma locales hold them")
                << QStringList{"A;2004-01-01;1,3;5", "B;2004-02-01;2,3;7,5"} << A << 2 << 0 << Unset() << 12.5
                << QVariant(1.8) << QVariant(1.9);
            row("a mark of 30 followed by a letter counts as 30")
                << QStringList{"A;2004-01-01;30a;6", "B;2004-02-01;24;6"} << A << 2 << 0 << Unset() << 12.0
                << QVariant(27.0) << QVariant(27.0);
            row("lines that do not read are left out, the count too")
                << (kWorkedExample + QStringList{"=Odd;name;2005-01-01;30;6", "=Undated;someday;30;6", "=",
                                                 "=No separators", "=Short;2005-01-01;30"})
                << A << 3 << 1 << QVariant(3.0) << 18.0 << QVariant(27.0) << QVariant(26.4);
        }
    }

    void figures() {
        QFETCH(QString, locale);
        QFETCH(QStringList, records);
        QFETCH(AverageMode, mode);
        QLocale::setDefault(QLocale(locale));

        const MainStats stats = ComputeMainStats(HeldLines(records), mode);

        QTEST(stats.examCount, "examCount");
        QTEST(stats.yearSpan, "yearSpan");
        QTEST(stats.totalCredits, "totalCredits");
        QFETCH(QVariant, speed);
        QFETCH(QVariant, mathAverage);
        QFETCH(QVariant, overallMark);
        QVERIFY2(SameFigure(stats.speed, speed), "speed");
        QVERIFY2(SameFigure(stats.mathAverage, mathAverage), "mathAverage");
        QVERIFY2(SameFigure(stats.overallMark, overallMark), "overallMark");
    }

    void dateRange_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QDate>("earliest");
        QTest::addColumn<QDate>("latest");
        QTest::addColumn<int>("yearSpan");
        for (const char* locale : kLocales) {
            auto row = [locale](const char* name) -> QTestData& {
                return QTest::addRow("%s: %s", locale, name) << QString::fromLatin1(locale);
            };
            row("earliest and latest of an unordered list")
                << QStringList{"A;2005-06-20;30;6", "B;2005-01-10;24;9", "C;2006-02-15;0;3"}
                << QDate(2005, 1, 10) << QDate(2006, 2, 15) << 1;
            row("dates before day zero: the latest stays 30 December 1899")
                << QStringList{"A;1850-03-01;30;6", "B;1870-01-10;24;9"} << QDate(1850, 3, 1)
                << QDate(1899, 12, 30) << 49;
        }
    }

    void dateRange() {
        QFETCH(QString, locale);
        QFETCH(QStringList, records);
        QLocale::setDefault(QLocale(locale));
        const MainStats stats = ComputeMainStats(HeldLines(records), AverageMode::Academic);
        QTEST(stats.earliestDate, "earliest");
        QTEST(stats.latestDate, "latest");
        QTEST(stats.yearSpan, "yearSpan");
    }

    // Absurd values leave the range of a double; the computation still ends and gives captions.
    void valuesBeyondADouble_data() {
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("credits");
        QTest::addRow("product of 1e200 by 1e200") << "1e200"
                                                   << "1e200";
        QTest::addRow("sum of two marks of 1e308") << "1e308"
                                                   << "1";
        QTest::addRow("mark written as 1e400") << "1e400"
                                               << "6";
        QTest::addRow("credit value 1e400 with mark 0") << "0"
                                                        << "1e400";
    }

    void valuesBeyondADouble() {
        QFETCH(QString, mark);
        QFETCH(QString, credits);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QStringList lines = {"A;1/10/2005;" + mark + ';' + credits,
                                   "B;6/20/2006;" + mark + ';' + credits};
        for (AverageMode mode : {AverageMode::Academic, AverageMode::Math}) {
            const MainStats stats = ComputeMainStats(lines, mode);
            QCOMPARE(stats.examCount, 2);
            QCOMPARE(stats.speed, std::optional<double>(2.0));
            const MainStatsCaptions captions = CaptionsOf(stats);
            QVERIFY(captions.overall.startsWith(QStringLiteral("Overall mark\r")));
            QVERIFY(captions.average.startsWith(QStringLiteral("Math average\r")));
            QCOMPARE(captions.exams, QStringLiteral("Exams : 2\rSpeed : 2 / year"));
        }
    }

    void captions_data() {
        QTest::addColumn<int>("examCount");
        QTest::addColumn<QVariant>("speed");
        QTest::addColumn<double>("totalCredits");
        QTest::addColumn<QVariant>("mathAverage");
        QTest::addColumn<QVariant>("overallMark");
        QTest::addColumn<QStringList>("captions");
        QTest::addRow("worked example, academic")
            << 3 << QVariant(3.0) << 18.0 << QVariant(27.0) << QVariant(26.4)
            << QStringList{"Exams : 3\rSpeed : 3 / year", "Overall mark\r 26.4", "Math average\r 27",
                           "Total credits\r 18"};
        QTest::addRow("no speed: title, then the count under it")
            << 2 << Unset() << 12.0 << QVariant(27.0) << QVariant(27.5)
            << QStringList{"Exams\r 2", "Overall mark\r 27.5", "Math average\r 27", "Total credits\r 12"};
        QTest::addRow("seven thirds shown as 2.3")
            << 7 << QVariant(7.0 / 3.0) << 7.0 << QVariant(18.0) << QVariant(18.0)
            << QStringList{"Exams : 7\rSpeed : 2.3 / year", "Overall mark\r 18", "Math average\r 18",
                           "Total credits\r 7"};
        QTest::addRow("speed 2.25 rounded to the even digit")
            << 9 << QVariant(2.25) << 9.0 << QVariant(18.0) << QVariant(18.0)
            << QStringList{"Exams : 9\rSpeed : 2.2 / year", "Overall mark\r 18", "Math average\r 18",
                           "Total credits\r 9"};
        QTest::addRow("unset averages shown as 0, credits unrounded")
            << 2 << QVariant(2.0) << 13.5 << Unset() << Unset()
            << QStringList{"Exams : 2\rSpeed : 2 / year", "Overall mark\r 0", "Math average\r 0",
                           "Total credits\r 13.5"};
        QTest::addRow("no credits at all")
            << 2 << Unset() << 0.0 << QVariant(28.5) << Unset()
            << QStringList{"Exams\r 2", "Overall mark\r 0", "Math average\r 28.5", "Total credits\r 0"};
    }

    void captions() {
        MainStats stats;
        QFETCH(int, examCount);
        QFETCH(QVariant, speed);
        QFETCH(double, totalCredits);
        QFETCH(QVariant, mathAverage);
        QFETCH(QVariant, overallMark);
        QFETCH(QStringList, captions);
        auto optional = [](const QVariant& v) {
            return v.isValid() ? std::optional(v.toDouble()) : std::nullopt;
        };
        stats.examCount = examCount;
        stats.speed = optional(speed);
        stats.totalCredits = totalCredits;
        stats.mathAverage = optional(mathAverage);
        stats.overallMark = optional(overallMark);
        const MainStatsCaptions shown = CaptionsOf(stats);
        QCOMPARE((QStringList{shown.exams, shown.overall, shown.average, shown.credits}), captions);
    }

    void reportOfAFile() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QByteArray file = "Analysis;1/10/2005;30;6\r\nnot a record\r\nPhysics;6/20/2005;24;9\r\n"
                                "Chemistry;2/15/2006;0;3\r\nHistory;13/45/2006;30;6\r\n";
        QCOMPARE(StatsReport(RecordLinesOf(DecodeDataLines(file))).toUtf8(),
                 QByteArray("Academic Mode\n  Exams: 3\n  Speed: 3 / year\n  Overall mark: 26.4\n"
                            "  Math average: 27\n  Total credits: 18\n\n"
                            "Math Mode\n  Exams: 3\n  Speed: 3 / year\n  Overall mark: 22\n"
                            "  Math average: 18\n  Total credits: 18\n\n"
                            "Exams passed per year\n  2005: 2\n  2006: 1\n"));
    }
};

QTEST_GUILESS_MAIN(TestMainStats)
#include "tst_main_stats.moc"
