// Start-up: the first view depends on how many exams the data file holds; the exam list is placed
// once, from the maximised window's outer size.
#include "support/window_fixture.h"
#include "window/list_placement.h"

#include <QAction>
#include <QFrame>
#include <QScreen>
#include <QTest>

using namespace examora;
using namespace examora::testing;

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Two exams or more open on the statistics, fewer on the entry panel with the next exam's number
    // and a proposed date, in the order of the file's dates; at start only warnings are shown.
    void firstViewFollowsTheNumberOfExams_data() {
        QTest::addColumn<QByteArray>("file"); // null: no data file
        QTest::addColumn<int>("exams");
        QTest::addColumn<QString>("first"); // "Overall mark", or the exam number and date
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("two exams: statistics")
            << DataFile({"Physics;12/6/2006;27;9", "Analysis;1/15/2004;30;6"}) << 2 << "Overall mark\r 28.2"
            << QStringList{};
        QTest::newRow("no record in the file: warning, entry panel")
            << QByteArray("abc\r\n") << 0 << "Exam  1|12/7/2026"
            << QStringList{"WARNING : Corrupted file |48|Examora"};
        QTest::newRow("one good line of three, dated day first: warning, entry panel in the file's order")
            << DataFile({"Fisica;31/12/2006;27;9", "Analisi;;30;6", ""}) << 1 << "Exam  2|7/12/2026"
            << QStringList{"WARNING : 1 line of Examora.TXT could not be read. It is kept in the file "
                           "unchanged.|48|Examora"};
        // After a file of day-first dates, a new window proposes a date in the locale's order.
        QTest::newRow("no data file: entry panel, silently")
            << QByteArray() << 0 << "Exam  1|12/7/2026" << QStringList{};
    }
    void firstViewFollowsTheNumberOfExams() {
        QFETCH(QByteArray, file);
        QFETCH(int, exams);
        WindowFixture fixture(file.isNull() ? std::nullopt : std::optional(file));
        const bool statistics = exams >= 2;
        QCOMPARE(fixture.lines().size(), exams);
        QCOMPARE(fixture.text(0)->isVisible(), !statistics);
        QVERIFY(fixture.label(1)->isVisible());
        QTEST(statistics ? fixture.label(1)->Caption()
                         : fixture.label(0)->Caption() + u'|' + fixture.text(1)->text(),
              "first");
        QCOMPARE(fixture.action("ShowExams")->isEnabled(), exams > 0);
        QStringList shown;
        for (const Prompt& p : fixture.messages().prompts)
            shown.append(p.text + u'|' + QString::number(p.flags) + u'|' + p.title);
        QTEST(shown, "shown");
        // Back at normal size, the size it opened with: a client area 6525 twips wide. The list is
        // hidden, Years checked, no graph answers the pointer, and closing asks nothing.
        QVERIFY(!fixture.window().isMaximized());
        QCOMPARE(fixture.surface()->width(), 6525 / 15);
        QTRY_COMPARE(fixture.window().frameGeometry().size(), fixture.normalSize());
        QVERIFY(!fixture.list()->isVisible());
        QVERIFY(fixture.action("Years")->isChecked() && !fixture.action("Days")->isChecked() &&
                !fixture.action("Months")->isChecked());
        // Two points: a move to where the pointer already is goes nowhere.
        for (const QPoint at : {QPoint(425, 200), QPoint(425, 210)})
            QTest::mouseMove(fixture.surface(), at);
        QCOMPARE(fixture.caption(), QStringLiteral("Examora"));
        QVERIFY(fixture.window().close());
        QCOMPARE(fixture.messages().prompts.size(), shown.size());
    }

    // The list's place in twips from the outer size (the shadow's offsets both come from the height);
    // on the offscreen screen of 800 by 800 pixels the list lies at 8, 16, 760 by 720, its shadow 12
    // pixels lower and further right, placed once: showing the list does not move it.
    void listIsPlacedFromTheMaximisedWindow() {
        const auto text = [](const QRectF& r) {
            return QString::asprintf("%.1f %.1f %.1f %.1f", r.x(), r.y(), r.width(), r.height());
        };
        QCOMPARE(text(PlaceExamList(20490, 11520).list), QStringLiteral("204.9 230.4 19465.5 10368.0"));
        QCOMPARE(text(PlaceExamList(20490, 11520).shadow), QStringLiteral("377.7 403.2 19465.5 10368.0"));
        QCOMPARE(text(PlaceExamList(30000, 6000).shadow), QStringLiteral("390.0 210.0 28500.0 5400.0"));
        WindowFixture fixture(DataFile({"Physics;12/6/2006;27;9", "Analysis;1/15/2004;30;6"}));
        if (fixture.window().screen()->availableGeometry().size() != QSize(800, 800))
            QSKIP("the figures are for a screen of 800 by 800 pixels");
        QCOMPARE(fixture.list()->geometry(), QRect(8, 16, 760, 720));
        QCOMPARE(fixture.find<QFrame>("ExamListShadow")->geometry(), QRect(20, 28, 760, 720));
        fixture.choose("ShowExams");
        QVERIFY(fixture.list()->isVisible());
        QCOMPARE(fixture.list()->geometry(), QRect(8, 16, 760, 720));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
