// The statistics view on the real window: the four read-outs, their colours on screen, and the
// averaging mode applied in place or at the next opening.
#include "support/window_fixture.h"

#include <QAction>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

const QStringList kWorkedExample = {"Analysis;1/10/2005;30;6", "Physics;6/20/2005;24;9",
                                    "Chemistry;2/15/2006;0;3"};
const QColor kRows[4] = {QColor(64, 0, 0), QColor(0, 64, 0), QColor(0, 0, 64), QColor(64, 0, 64)};

QStringList Captions(const Form1& w) {
    return {w.Label[0]->Caption(), w.Label[1]->Caption(), w.Label[2]->Caption(), w.Label[3]->Caption()};
}

bool TextsVisible(const Form1& w) {
    return std::all_of(std::begin(w.Text), std::end(w.Text),
                       [](const QLineEdit* x) { return x->isVisible(); });
}

} // namespace

class TestStatsView : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void readouts_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("math");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("locale");
        QTest::addRow("en_US: worked example, academic")
            << kWorkedExample << false
            << QStringList{"Exams : 3\rSpeed : 3 / year", "Overall mark\r 26.4", "Math average\r 27",
                           "Total credits\r 18"}
            << QStringLiteral("en_US");
        QTest::addRow("worked example, math")
            << kWorkedExample << true
            << QStringList{"Exams : 3\rSpeed : 3 / year", "Overall mark\r 22", "Math average\r 18",
                           "Total credits\r 18"}
            << QStringLiteral("en_US");
        QTest::addRow("same calendar year: count under the title, no speed")
            << QStringList{"A;1/1/2005;30;6", "B;12/31/2005;27;6"} << false
            << QStringList{"Exams\r 2", "Overall mark\r 28.5", "Math average\r 28.5", "Total credits\r 12"}
            << QStringLiteral("en_US");
        QTest::addRow("five exams from 2004 to 2006")
            << QStringList{"A;3/1/2004;30;6", "B;7/1/2004;30;6", "C;2/1/2005;30;6", "D;6/1/2006;30;6",
                           "E;12/31/2006;30;6"}
            << false
            << QStringList{"Exams : 5\rSpeed : 2.5 / year", "Overall mark\r 30", "Math average\r 30",
                           "Total credits\r 30"}
            << QStringLiteral("en_US");
        QTest::addRow("seven exams over three year boundaries")
            << QStringList{"A;12/31/2003;18;1", "B;5/1/2004;18;1", "C;6/1/2004;18;1", "D;1/1/2005;18;1",
                           "E;9/9/2005;18;1",   "F;1/1/2006;18;1", "G;1/2/2006;18;1"}
            << false
            << QStringList{"Exams : 7\rSpeed : 2.3 / year", "Overall mark\r 18", "Math average\r 18",
                           "Total credits\r 7"}
            << QStringLiteral("en_US");
        QTest::addRow("academic, every mark 0")
            << QStringList{"A;1/1/2004;0;6", "B;1/1/2005;0;4.5"} << false
            << QStringList{"Exams : 2\rSpeed : 2 / year", "Overall mark\r 0", "Math average\r 0",
                           "Total credits\r 10.5"}
            << QStringLiteral("en_US");
        QTest::addRow("de_DE: worked example, math")
            << QStringList{"Analysis;10.01.2005;30;6", "Physics;20.06.2005;24;9", "Chemistry;15.02.2006;0;3"}
            << true
            << QStringList{"Exams : 3\rSpeed : 3 / year", "Overall mark\r 22", "Math average\r 18",
                           "Total credits\r 18"}
            << QStringLiteral("de_DE");
        QTest::addRow("de_DE: 31 December and 1 January")
            << QStringList{"A;31.12.2005;27;6", "B;1.1.2006;28.5;6"} << true
            << QStringList{"Exams : 2\rSpeed : 2 / year", "Overall mark\r 27.8", "Math average\r 27.8",
                           "Total credits\r 12"}
            << QStringLiteral("de_DE");
    }

    void readouts() {
        QFETCH(QStringList, lines);
        QFETCH(bool, math);
        QFETCH(QStringList, captions);
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        WindowFixture fixture(DataFile(lines));
        Form1& w = fixture.window();
        (math ? w.MathMode : w.AcademicMode)->trigger();
        w.AddExam->trigger();
        w.ViewMainStats->trigger();
        QCOMPARE(Captions(w), captions);
        for (int i = 0; i < 4; ++i) {
            // On screen the carriage return is a line break.
            QCOMPARE(w.Label[i]->text(), QString(captions[i]).replace(u'\r', u'\n'));
            QVERIFY(w.Label[i]->isVisible());
            // Both lines are on the band: none is wrapped or cut.
            QVERIFY(w.Label[i]->heightForWidth(w.Label[i]->width()) <= w.Label[i]->height());
        }
    }

    void coloursOnScreen() {
        WindowFixture fixture(DataFile(kWorkedExample));
        Form1& w = fixture.window();
        w.Info->trigger(); // every label dark red, Label(1) at 18 points
        w.ViewMainStats->trigger();
        QCOMPARE(w.Label[1]->FontSize(), 24.0);
        const QImage shot = w.surface->grab().toImage();
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(w.Label[i]->BackColor(), kRows[i]);
            const QRect band = w.Label[i]->geometry();
            QCOMPARE(shot.pixelColor(band.left() + 3, band.bottom() - 3), kRows[i]);
            // The shadow shows to the right of the band, and the window's grey beyond it.
            QCOMPARE(shot.pixelColor(band.right() + 4, band.center().y()), QColor(Qt::black));
            QCOMPARE(shot.pixelColor(band.right() + 20, band.center().y()), QColor(64, 64, 64));
            // White text on the band.
            const QImage label = shot.copy(band);
            bool white = false;
            for (int y = 0; y < label.height() && !white; ++y)
                for (int x = 0; x < label.width() && !white; ++x)
                    white = label.pixelColor(x, y) == QColor(Qt::white);
            QVERIFY2(white, qPrintable(QStringLiteral("no text on Label(%1)").arg(i)));
        }
    }

    void modeSwitchInPlace() {
        WindowFixture fixture(DataFile(kWorkedExample));
        Form1& w = fixture.window();
        const QStringList academic = Captions(w);
        QCOMPARE(academic[1], QStringLiteral("Overall mark\r 26.4"));
        w.MathMode->trigger();
        QCOMPARE(Captions(w),
                 (QStringList{academic[0], "Overall mark\r 22", "Math average\r 18", academic[3]}));
        w.AcademicMode->trigger();
        QCOMPARE(Captions(w), academic);
    }

    void sameModeChosenAgainRefills() {
        WindowFixture fixture(DataFile(kWorkedExample));
        Form1& w = fixture.window();
        // A line added behind the view's back shows only if the view is filled again.
        w.ExamList->AddItem(QStringLiteral("Zoology;3/3/2006;18;12"));
        w.AcademicMode->trigger();
        QVERIFY(w.AcademicMode->isChecked());
        QCOMPARE(Captions(w), (QStringList{"Exams : 4\rSpeed : 4 / year", "Overall mark\r 22.7",
                                           "Math average\r 24", "Total credits\r 30"}));
    }

    void modeChangedOverTheEntryPanel() {
        WindowFixture fixture(DataFile(kWorkedExample));
        Form1& w = fixture.window();
        w.AddExam->trigger();
        const QStringList panel = Captions(w);
        QCOMPARE(panel, (QStringList{"Exam  4", "Date", "Mark", "Credit value"}));
        w.MathMode->trigger();
        QCOMPARE(Captions(w), panel);
        QVERIFY(TextsVisible(w));
        QVERIFY(w.ExamComm->isVisible());
        w.ViewMainStats->trigger();
        QCOMPARE(w.Label[1]->Caption(), QStringLiteral("Overall mark\r 22"));
        QCOMPARE(w.Label[2]->Caption(), QStringLiteral("Math average\r 18"));
    }

    // Label(1) still reads "Overall mark" under the list, but hidden it does not count as showing.
    void modeChangedOverTheList() {
        WindowFixture fixture(DataFile(kWorkedExample));
        Form1& w = fixture.window();
        w.ShowExams->trigger();
        w.MathMode->trigger();
        QCOMPARE(w.Label[1]->Caption(), QStringLiteral("Overall mark\r 26.4"));
        QVERIFY(!w.Label[1]->isVisible());
        QVERIFY(w.ExamList->isVisible());
        QVERIFY(w.isMaximized());
    }

    void statsWithOneExamLeavesTheViewInPlace() {
        WindowFixture fixture(DataFile({"Physics;6/20/2005;24;9"}));
        Form1& w = fixture.window();
        w.Info->trigger();
        const QStringList infoCaptions = Captions(w);
        w.ShowExams->trigger();
        QTRY_VERIFY(w.isMaximized());
        w.SetCaption(QStringLiteral("Something else"));
        w.surface->Line(QPointF(0, 0), QPointF(3000, 3000), Qt::white);
        w.ViewMainStats->trigger();

        QCOMPARE(w.Caption(), QStringLiteral("Examora"));
        QCOMPARE(w.surface->BackColor(), QColor(64, 64, 64));
        QImage blank(w.surface->Image().size(), QImage::Format_RGB32);
        blank.fill(QColor(64, 64, 64));
        QCOMPARE(w.surface->Image().convertToFormat(QImage::Format_RGB32), blank);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(w.Label[i]->BackColor(), kRows[i]);
            QVERIFY(!w.Label[i]->isVisible());
        }
        QVERIFY(w.ExamList->isVisible());
        QVERIFY(w.ExamListShadow->isVisible());
        QVERIFY(w.isMaximized());
        QCOMPARE(Captions(w), infoCaptions);
        QCOMPARE(w.Label[1]->FontSize(), 18.0);
    }
};

QTEST_MAIN(TestStatsView)
#include "tst_stats_view.moc"
