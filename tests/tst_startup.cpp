// Start-up: the first view depends on how many exams the data file holds; the exam list is placed
// once, from the maximised window's outer size.
#include "app/list_placement.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QScreen>
#include <QTest>

using namespace examora;
using namespace examora::testing;

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void opensStatisticsWithTwoExams() {
        WindowFixture fixture(DataFile({"Physics;12/6/2006;27;9", "Analysis;1/15/2004;30;6"}));
        Form1& w = fixture.window();
        QCOMPARE(w.ExamList->ListCount(), 2);
        QVERIFY(w.Label[1]->isVisible());
        QCOMPARE(w.Label[1]->Caption(), QStringLiteral("Overall mark\r 28.2"));
        QVERIFY(!w.Text[0]->isVisible());
        QVERIFY(w.Years->isChecked());
        QVERIFY(fixture.messages().prompts.isEmpty());
    }

    void opensEntryPanelWithoutDataFile() {
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        QCOMPARE(w.ExamList->ListCount(), 0);
        QVERIFY(fixture.messages().prompts.isEmpty());
        QVERIFY(w.Text[0]->isVisible());
        QCOMPARE(w.Label[0]->Caption(), QStringLiteral("Exam  1"));
        QCOMPARE(w.Text[1]->text(), QStringLiteral("12/7/2026"));
        QVERIFY(!w.ShowExams->isEnabled());
    }

    void firstViewFollowsTheNumberOfExams_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("statistics");
        QTest::addColumn<QString>("warning");
        QTest::newRow("en_US one exam: entry panel")
            << "en_US" << DataFile({"Physics;12/6/2006;27;9"}) << false << "";
        QTest::newRow("en_US empty file: entry panel, silently") << "en_US" << QByteArray() << false << "";
        QTest::newRow("en_US no record in the file: warning, entry panel")
            << "en_US" << QByteArray("abc\r\n") << false << "WARNING : Corrupted file ";
        QTest::newRow("en_US day-first dates with a day above 12 are records")
            << "en_US" << DataFile({"Fisica;31/12/2006;27;9", "Analisi;15/1/2004;30;6"}) << true << "";
        QTest::newRow("it_IT two exams: statistics")
            << "it_IT" << DataFile({"Fisica;31/12/2006;27;9", "Analisi;15/1/2004;30;6"}) << true << "";
        QTest::newRow("it_IT one good line of three: entry panel")
            << "it_IT" << DataFile({"Fisica;31/12/2006;27;9", "Analisi;;30;6", ""}) << false
            << "WARNING : 1 line of Examora.TXT could not be read. It is kept in the file unchanged.";
        QTest::newRow("de_DE two exams: statistics")
            << "de_DE" << DataFile({"Physik;31.12.2006;27;9", "Analysis;15.1.2004;30;6"}) << true << "";
    }
    void firstViewFollowsTheNumberOfExams() {
        QFETCH(QString, locale);
        QFETCH(QByteArray, file);
        QFETCH(bool, statistics);
        QFETCH(QString, warning);
        QLocale::setDefault(QLocale(locale));
        WindowFixture fixture(file);
        Form1& w = fixture.window();
        QCOMPARE(w.Text[0]->isVisible(), !statistics);
        QCOMPARE(w.Label[1]->Caption().startsWith(QStringLiteral("Overall mark")), statistics);
        QCOMPARE(fixture.messages().prompts.size(), warning.isEmpty() ? 0 : 1);
        if (!warning.isEmpty()) {
            QCOMPARE(fixture.messages().prompts[0].text, warning);
            QCOMPARE(fixture.messages().prompts[0].flags, 48);
            QCOMPARE(fixture.messages().prompts[0].title, QStringLiteral("Examora"));
        }
        // Back at normal size with the list hidden, Years checked, no graph drawn, nothing unsaved.
        QVERIFY(!w.isMaximized());
        QVERIFY(!w.ExamList->isVisible());
        QVERIFY(w.Years->isChecked());
        QVERIFY(!w.Days->isChecked());
        QVERIFY(!w.Months->isChecked());
        QCOMPARE(w.timeUnit, QStringLiteral("yyyy"));
        QVERIFY(!w.graphShown);
        QVERIFY(!w.dataChanged);
        QCOMPARE(w.dataFileName, QStringLiteral("Examora.TXT"));
        QCOMPARE(w.Caption(), QStringLiteral("Examora"));
    }

    void normalSizeIsTheSizeTheWindowOpenedWith() {
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        QVERIFY(w.normalWidth > 0);
        QVERIFY(w.normalHeight > 0);
        // The client area at normal size is 6525 by 8190 twips under the menu bar.
        QCOMPARE(w.centralWidget()->width(), 6525 / 15);
        QTRY_COMPARE(w.frameGeometry().width() * 15, qRound(w.normalWidth));
        QTRY_COMPARE(w.frameGeometry().height() * 15, qRound(w.normalHeight));
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
        const auto same = [](const QRectF& a, const QRectF& b) {
            return qFuzzyCompare(float(a.left()), float(b.left())) &&
                   qFuzzyCompare(float(a.top()), float(b.top())) &&
                   qFuzzyCompare(float(a.width()), float(b.width())) &&
                   qFuzzyCompare(float(a.height()), float(b.height()));
        };
        const auto text = [](const QRectF& r) {
            return QStringLiteral("%1, %2, %3, %4").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height());
        };
        QVERIFY2(same(place.list, list), qPrintable(text(place.list)));
        QVERIFY2(same(place.shadow, shadow), qPrintable(text(place.shadow)));
    }

    // The offscreen screen is 800 by 800 pixels, 12000 by 12000 twips when maximised: the list
    // lies at 120, 240 twips and takes 11400 by 10800; its shadow lies 180 twips lower and further
    // right. In pixels: 8, 16, 760, 720 and 20, 28.
    void listIsPlacedFromTheMaximisedWindow() {
        WindowFixture fixture(DataFile({"Physics;12/6/2006;27;9", "Analysis;1/15/2004;30;6"}));
        Form1& w = fixture.window();
        if (w.screen()->availableGeometry().size() != QSize(800, 800))
            QSKIP(qPrintable(
                QStringLiteral("the figures below are for a screen of 800 by 800 pixels, not %1 by %2")
                    .arg(w.screen()->availableGeometry().width())
                    .arg(w.screen()->availableGeometry().height())));
        QCOMPARE(w.ExamList->geometry(), QRect(8, 16, 760, 720));
        QCOMPARE(w.ExamListShadow->geometry(), QRect(20, 28, 760, 720));
        // Not placed again when the list is shown at another window size.
        w.ShowExams->trigger();
        QVERIFY(w.ExamList->isVisible());
        QCOMPARE(w.ExamList->geometry(), QRect(8, 16, 760, 720));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
