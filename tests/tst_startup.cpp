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

    // first: the statistics' "Overall mark" label, or the entry panel's exam number and proposed date.
    void firstViewFollowsTheNumberOfExams_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("hasFile");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("exams");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("warning");
        const auto row = [](const char* tag, const char* locale, std::optional<QByteArray> file, int exams,
                            const char* first, const QString& warning = {}) {
            QTest::newRow(tag) << locale << file.has_value() << file.value_or(QByteArray()) << exams << first
                               << warning;
        };
        const char* overall = "Overall mark\r 28.2";
        const QByteArray italian = DataFile({"Fisica;31/12/2006;27;9", "Analisi;15/1/2004;30;6"});
        row("no data file: entry panel, silently", "en_US", std::nullopt, 0, "Exam  1|12/7/2026");
        row("en_US two exams: statistics", "en_US",
            DataFile({"Physics;12/6/2006;27;9", "Analysis;1/15/2004;30;6"}), 2, overall);
        row("en_US one exam: entry panel", "en_US", DataFile({"Physics;12/6/2006;27;9"}), 1,
            "Exam  2|12/7/2026");
        row("en_US empty file: entry panel, silently", "en_US", QByteArray(), 0, "Exam  1|12/7/2026");
        row("en_US no record in the file: warning, entry panel", "en_US", QByteArray("abc\r\n"), 0,
            "Exam  1|12/7/2026", QStringLiteral("WARNING : Corrupted file "));
        row("en_US day-first dates with a day above 12 are records", "en_US", italian, 2, overall);
        row("it_IT two exams: statistics", "it_IT", italian, 2, overall);
        row("it_IT one good line of three: entry panel", "it_IT",
            DataFile({"Fisica;31/12/2006;27;9", "Analisi;;30;6", ""}), 1, "Exam  2|07/12/2026",
            QStringLiteral(
                "WARNING : 1 line of Examora.TXT could not be read. It is kept in the file unchanged."));
        row("de_DE two exams: statistics", "de_DE",
            DataFile({"Physik;31.12.2006;27;9", "Analysis;15.1.2004;30;6"}), 2, overall);
    }
    void firstViewFollowsTheNumberOfExams() {
        QFETCH(QString, locale);
        QFETCH(bool, hasFile);
        QFETCH(QByteArray, file);
        QFETCH(int, exams);
        QFETCH(QString, first);
        QFETCH(QString, warning);
        QLocale::setDefault(QLocale(locale));
        WindowFixture fixture(hasFile ? std::optional(file) : std::nullopt);
        const bool statistics = exams >= 2;
        QCOMPARE(fixture.lines().size(), exams);
        QCOMPARE(fixture.text(0)->isVisible(), !statistics);
        QVERIFY(fixture.label(1)->isVisible());
        QCOMPARE(statistics ? fixture.label(1)->Caption()
                            : fixture.label(0)->Caption() + u'|' + fixture.text(1)->text(),
                 first);
        QCOMPARE(fixture.action("ShowExams")->isEnabled(), exams > 0);
        QStringList shown;
        for (const Prompt& p : fixture.messages().prompts)
            shown.append(p.text + u'|' + QString::number(p.flags) + u'|' + p.title);
        QCOMPARE(shown,
                 warning.isEmpty() ? QStringList() : QStringList{warning + QStringLiteral("|48|Examora")});
        // Back at normal size, the size it opened with: a client area 6525 twips wide. The list is
        // hidden, Years checked, no graph answers the pointer, and closing asks nothing.
        QVERIFY(!fixture.window().isMaximized());
        QCOMPARE(fixture.surface()->width(), 6525 / 15);
        QTRY_COMPARE(fixture.window().frameGeometry().size(), fixture.normalSize());
        QVERIFY(!fixture.list()->isVisible());
        QVERIFY(fixture.action("Years")->isChecked());
        QVERIFY(!fixture.action("Days")->isChecked());
        QVERIFY(!fixture.action("Months")->isChecked());
        // Two points: a move to where the pointer already is goes nowhere.
        for (const QPoint at : {QPoint(425, 200), QPoint(425, 210)})
            QTest::mouseMove(fixture.surface(), at);
        QCOMPARE(fixture.caption(), QStringLiteral("Examora"));
        QVERIFY(fixture.window().close());
        QCOMPARE(fixture.messages().prompts.size(), shown.size());
    }

    void listPlacementFromTheOuterSize_data() {
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::addColumn<QRectF>("list");
        QTest::addColumn<QRectF>("shadow");
        QTest::newRow("round figures")
            << 20000.0f << 10000.0f << QRectF(200, 200, 19000, 9000) << QRectF(350, 350, 19000, 9000);
        QTest::newRow("1366 by 768 pixels") << 20490.0f << 11520.0f << QRectF(204.9, 230.4, 19465.5, 10368)
                                            << QRectF(377.7, 403.2, 19465.5, 10368);
        QTest::newRow("the shadow's offsets both come from the height")
            << 30000.0f << 6000.0f << QRectF(300, 120, 28500, 5400) << QRectF(390, 210, 28500, 5400);
    }
    void listPlacementFromTheOuterSize() {
        QFETCH(float, width);
        QFETCH(float, height);
        QFETCH(QRectF, list);
        QFETCH(QRectF, shadow);
        const ListPlacement place = PlaceExamList(width, height);
        const auto text = [](const QRectF& r) {
            return QStringLiteral("%1, %2, %3, %4")
                .arg(r.left(), 0, 'f', 1)
                .arg(r.top(), 0, 'f', 1)
                .arg(r.width(), 0, 'f', 1)
                .arg(r.height(), 0, 'f', 1);
        };
        QCOMPARE(text(place.list), text(list));
        QCOMPARE(text(place.shadow), text(shadow));
    }

    // The offscreen screen is 800 by 800 pixels, 12000 by 12000 twips when maximised: the list
    // lies at 120, 240 twips and takes 11400 by 10800; its shadow lies 180 twips lower and further
    // right. In pixels: 8, 16, 760, 720 and 20, 28.
    void listIsPlacedFromTheMaximisedWindow() {
        WindowFixture fixture(DataFile({"Physics;12/6/2006;27;9", "Analysis;1/15/2004;30;6"}));
        const QSize screen = fixture.window().screen()->availableGeometry().size();
        if (screen != QSize(800, 800))
            QSKIP(qPrintable(QStringLiteral("the figures are for a screen of 800 by 800 pixels, not %1 by %2")
                                 .arg(screen.width())
                                 .arg(screen.height())));
        QCOMPARE(fixture.list()->geometry(), QRect(8, 16, 760, 720));
        QCOMPARE(fixture.find<QFrame>("ExamListShadow")->geometry(), QRect(20, 28, 760, 720));
        // Not placed again when the list is shown at another window size.
        fixture.choose("ShowExams");
        QVERIFY(fixture.list()->isVisible());
        QCOMPARE(fixture.list()->geometry(), QRect(8, 16, 760, 720));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
