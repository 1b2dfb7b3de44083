// The figures of the statistics view and their captions, computed without a window. Each case runs
// in an American and in a German locale: the record dates are written in the locale's short form,
// as the entry panel proposes them.
#include "datafile/data_file.h"
#include "datafile/data_file_keeper.h"
#include "records/csv_export.h"
#include "records/conversions.h"
#include "stats/main_stats.h"
#include "stats/term.h"
#include "stats/stats_report.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

using namespace examora;

Q_DECLARE_METATYPE(examora::AverageMode)
Q_DECLARE_METATYPE(examora::MainStats)

namespace {

const char* const kLocales[] = {"en_US", "de_DE"};

// The files the report and the export are checked on: every order of dates, kept lines, decimal
// commas, older encodings, numbers out of the usual, and large ones in no order, read on two threads.
struct ReportFile {
    const char* name;
    QByteArray bytes;
    const char* locale;
};
// In no order, or in the list's order.
QByteArray ManyLines(int count, bool assorted, bool inOrder = false) {
    static const char* const marks[] = {"27.5", "18,5", "30", "0.1", "1e1", "29.99", " 28 ", "30 e lode"};
    static const char* const credits[] = {"7.5", "0.3", "6", "12.25", "0.1", "1/3"};
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        const int k = inOrder ? i : static_cast<int>(qint64{i} * 7919 % count);
        bytes += QStringLiteral("%1 %2;%3/%4/%5;%6;%7\r\n")
                     .arg(k % 3 ? "Exam" : "exam")
                     .arg(k, 7, 10, QLatin1Char('0'))
                     .arg(1 + k % 12)
                     .arg(1 + k % 28)
                     .arg(2000 + k % 25)
                     .arg(assorted ? marks[k % 8] : QByteArray::number(k * 7 % 31).constData())
                     .arg(credits[k % (assorted ? 6 : 4)])
                     .toUtf8();
    }
    return bytes;
}
// UTF-16 of this machine's byte order, after a byte-order mark.
QByteArray Utf16(const QString& text) {
    return QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}
QList<ReportFile> ReportFiles() {
    return {
        {"month first, kept lines", "Analysis;1/10/2005;30 L;6\r\nnot a record\r\nPhysics;6/20/2005;24;9\r\n"
                                    "Chemistry;2/15/2006;0;3\r\nHistory;13/45/2006;30;6\r\n;;;\r\nB;someday;28;9\r\n"
                                    "C;6/20/2005;24;9;extra\r\n\"Q,uote\";1/1/2001;25;5\r\n=SUM(A1);2/2/2002;26;4\r\n",
         "en_US"},
        {"day first, decimal commas", "Analisi;10/01/2005;30;6\r\nFisica;20/06/2005;27,5;7,5\r\nChimica;3/4/2006;28;9\r\n",
         "it_IT"},
        {"ISO", "A;2005-01-10;30;6\r\nB;2006-06-20;24.5;9\r\nC;2007-02-03;18;12\r\n", "de_DE"},
        {"only ambiguous, day-first locale", "A;1/2/2005;30;6\r\nB;3/4/2006;24;9\r\nC;5/6/07;18;12\r\n", "it_IT"},
        {"worded", "A;Jan 10, 2005;30;6\r\nB;June 20, 2006;24;9\r\nC;2/3/2007;18;12\r\n", "en_US"},
        {"Windows-1252 and marks", "\xEF\xBB\xBF" "Econom\xED" "a;1/10/2005;30;6\r\nF\xEDsica;6/20/2005;27;9\r\n"
                                   "\xEF\xBB\xBF" "B;1/11/2005;29;6\r\n",
         "en_US"},
        {"UTF-16", Utf16(QStringLiteral("A;1/10/2005;30;6\r\nB;2/11/2006;29;6\r\n")),
         "en_US"},
        {"numbers out of the usual", "A;1/10/2005;1e999;6\r\nB;2/11/2006;-0;1e300\r\nC;3/3/2003;123456789012345678;0.000001\r\n",
         "en_US"},
        {"20,000 lines in no order", ManyLines(20000, false), "en_US"},
        {"3,000 lines, numbers of every kind", ManyLines(3000, true), "de_DE"},
        {"80,000 lines, more than 2 MiB", ManyLines(80000, false), "en_US"},
        {"80,000 lines in order", ManyLines(80000, false, true), "en_US"},
    };
}

QByteArray Digest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(16);
}

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

    // The report and both kinds of export of files read as the program reads them at start, against
    // the digests of what they gave before they were made to work from the readings alone.
    void reportAndExportOfFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArrayList>("digests"); // report, CSV with commas, with semicolons
        const QHash<QString, QByteArrayList> digests{
        {"month first, kept lines", {"cda8ba48b4161afe", "7ba4437d0f11ec1a", "f29ee9492f7a2b64"}},
        {"day first, decimal commas", {"6f922adcb17c3656", "e1c7e4ee87a258b2", "d3d675ea46bf1868"}},
        {"ISO", {"d2a9e61583f55ff7", "5b0db8a42cc5cc07", "02cafbb02062fdde"}},
        {"only ambiguous, day-first locale", {"7df571b41aa66a31", "c752159deeac72c7", "0707118a7030f5bd"}},
        {"worded", {"2c768a8591b9b472", "c5e0fe2a07ad7dd1", "f98aaa05437a18c9"}},
        {"Windows-1252 and marks", {"f5951b68a0eb503e", "b250608f2358ae06", "82d3fa9d535d3e79"}},
        {"UTF-16", {"9bf1a08d3d2e6b21", "b60bcf1ab16483f4", "57754a339a5a7c35"}},
        {"numbers out of the usual", {"cf43d52b447f34ad", "c16551b06847494f", "536b7f24b0d8ab1f"}},
        {"20,000 lines in no order", {"f745e4e560c13ac7", "e205fac144b2964e", "bade6a6eed5a2fea"}},
        {"3,000 lines, numbers of every kind", {"ad060a433ee5ad71", "7460a87b9ca2ef23", "22aa93c63e673e42"}},
        {"80,000 lines, more than 2 MiB", {"0bd08dcc5cb13280", "9075fae7788fd8f4", "7a3c0a66d12f98fa"}},
        {"80,000 lines in order", {"0bd08dcc5cb13280", "9075fae7788fd8f4", "7a3c0a66d12f98fa"}},
        };
        for (const ReportFile& file : ReportFiles())
            QTest::newRow(file.name) << file.bytes << QString(file.locale) << digests.value(file.name);
    }
    void reportAndExportOfFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        QTemporaryDir dir;
        QFile file(dir.filePath(kDataFileName));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        DataFileKeeper data(file.fileName());
        const LineStore records = data.Read().records;
        QTEST(QByteArrayList({Digest(StatsReport(records).toUtf8()), Digest(CsvOfRecords(records)),
                              Digest(CsvOfRecords(records, CsvSeparator::Semicolon))}),
              "digests");
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
