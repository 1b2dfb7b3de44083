// Start-up: the first view depends on how many exams the data file holds.
#include "support/window_fixture.h"

#include <QAction>
#include <QTest>

using namespace examora;
using namespace examora::testing;

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

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
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
