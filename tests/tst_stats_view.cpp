// The statistics view on the real window: the four read-outs, their colours on screen, and the
// averaging mode applied in place or at the next opening.
#include "support/window_fixture.h"

#include <QTest>
#include <algorithm>

using namespace examora;
using namespace examora::testing;

namespace {

const QStringList kWorkedExample{"Analysis;1/10/2005;30;6", "Physics;6/20/2005;24;9", "Chemistry;2/15/2006;0;3"};
const QStringList kAcademic{"Exams : 3\rSpeed : 3 / year", "Overall mark\r 26.4", "Math average\r 27",
                            "Total credits\r 18"};
const QStringList kMath{kAcademic[0], "Overall mark\r 22", "Math average\r 18", kAcademic[3]};
const QColor kRows[4] = {QColor(64, 0, 0), QColor(0, 64, 0), QColor(0, 0, 64), QColor(64, 0, 64)};
const QColor kGrey(64, 64, 64);

QStringList Captions(const WindowFixture& f) {
    return {f.label(0)->Caption(), f.label(1)->Caption(), f.label(2)->Caption(), f.label(3)->Caption()};
}

// Each of the four read-outs on its row's colour, shown or hidden.
void Rows(const WindowFixture& f, bool shown) {
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(f.label(i)->BackColor(), kRows[i]);
        QCOMPARE(f.label(i)->isVisible(), shown);
    }
}

} // namespace

class TestStatsView : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Each caption is on its band in full, its carriage returns as line breaks.
    void readouts_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("captions");
        QTest::addRow("worked example") << kWorkedExample << kAcademic;
        QTest::addRow("same calendar year: count under the title, no speed")
            << QStringList{"A;1/1/2005;30;6", "B;12/31/2005;27;6"}
            << QStringList{"Exams\r 2", "Overall mark\r 28.5", "Math average\r 28.5", "Total credits\r 12"};
    }
    void readouts() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, captions);
        WindowFixture f(DataFile(lines));
        f.choose("AddExam");
        f.choose("ViewMainStats");
        QCOMPARE(Captions(f), captions);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(f.label(i)->text(), QString(captions[i]).replace(u'\r', u'\n'));
            QVERIFY(f.label(i)->heightForWidth(f.label(i)->width()) <= f.label(i)->height());
        }
        Rows(f, true);
    }

    void coloursOnScreen() {
        WindowFixture f(DataFile(kWorkedExample));
        f.choose("Info"); // every label dark red, Label(1) at 18 points
        f.choose("ViewMainStats");
        QCOMPARE(f.label(1)->FontSize(), 24.0);
        const QImage shot = f.surface()->grab().toImage();
        for (int i = 0; i < 4; ++i) {
            const QRect band = f.label(i)->geometry();
            QCOMPARE(shot.pixelColor(band.left() + 3, band.bottom() - 3), kRows[i]);
            // The shadow shows to the right of the band, and the window's grey beyond it.
            QCOMPARE(shot.pixelColor(band.right() + 4, band.center().y()), QColor(Qt::black));
            QCOMPARE(shot.pixelColor(band.right() + 20, band.center().y()), kGrey);
            // White text on the band.
            const QImage label = shot.copy(band).convertToFormat(QImage::Format_RGB32);
            const auto* pixels = reinterpret_cast<const QRgb*>(label.constBits());
            QVERIFY2(std::count(pixels, pixels + label.width() * label.height(), qRgb(255, 255, 255)) > 0,
                     qPrintable(QStringLiteral("no text on Label(%1)").arg(i)));
        }
    }

    // The mode changes the read-outs on screen at once; over the list, where Label(1) still reads
    // "Overall mark" hidden, and over the entry panel it changes only the next opening. Chosen
    // again, the mode fills the view again from the exams held.
    void averagingMode() {
        WindowFixture f(DataFile(kWorkedExample));
        QCOMPARE(Captions(f), kAcademic);
        f.choose("MathMode");
        QCOMPARE(Captions(f), kMath);
        f.choose("AcademicMode");
        QCOMPARE(Captions(f), kAcademic);

        f.choose("ShowExams");
        f.choose("MathMode");
        QCOMPARE(f.label(1)->Caption(), kAcademic[1]);
        QVERIFY(!f.label(1)->isVisible() && f.list()->isVisible());
        QTRY_VERIFY(f.window().isMaximized());
        f.choose("AddExam");
        const QStringList panel{"Exam  4", "Date", "Mark", "Credit value"};
        QCOMPARE(Captions(f), panel);
        f.choose("AcademicMode");
        f.choose("MathMode");
        QCOMPARE(Captions(f), panel);
        for (int i = 0; i < 4; ++i)
            QVERIFY(f.text(i)->isVisible());
        QVERIFY(f.button()->isVisible());
        f.choose("ViewMainStats");
        QCOMPARE(Captions(f), kMath);

        f.choose("AcademicMode");
        f.writeDataFile(DataFile(kWorkedExample + QStringList{"Zoology;3/3/2006;18;12"}));
        f.choose("Load");
        f.choose("AcademicMode");
        QCOMPARE(Captions(f), (QStringList{"Exams : 4\rSpeed : 4 / year", "Overall mark\r 22.7",
                                           "Math average\r 24", "Total credits\r 30"}));
    }

    // With one exam left " Stats" clears the surface to grey and resets the title, and leaves the
    // view on the window as it was: the read-outs keep the info view's captions, hidden.
    void oneExamLeavesTheViewInPlace() {
        WindowFixture f(DataFile({"Physics;6/20/2005;24;9"}));
        f.typeExam("Analysis", "30", "6", "1/10/2005");
        f.choose("Info");
        const QStringList info = Captions(f);
        f.choose("MarksTime");
        QTRY_VERIFY(f.window().isMaximized());
        QTest::mouseMove(f.surface(), QPoint(100, 100));
        QTRY_VERIFY(f.caption() != "Examora");
        f.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window()));
        QTest::keyClick(&f.window(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.lines().size(), 1);

        auto statsLeaveTheView = [&] {
            f.choose("ViewMainStats");
            QCOMPARE(f.caption(), "Examora");
            QCOMPARE(f.surface()->BackColor(), kGrey);
            QImage blank(f.surface()->Image().size(), QImage::Format_RGB32);
            blank.fill(kGrey);
            QCOMPARE(f.surface()->Image().convertToFormat(QImage::Format_RGB32), blank);
            Rows(f, false);
            QCOMPARE(Captions(f), info);
            QCOMPARE(f.label(1)->FontSize(), 18.0);
            QVERIFY(f.window().isMaximized());
        };
        statsLeaveTheView(); // over the graph
        f.choose("ShowExams");
        statsLeaveTheView();
        QVERIFY(f.list()->isVisible() && f.find("ExamListShadow")->isVisible());
    }
};

QTEST_MAIN(TestStatsView)
#include "tst_stats_view.moc"
