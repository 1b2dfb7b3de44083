// The statistics view on the real window: the four read-outs, their colours on screen, and the
// averaging mode applied in place or at the next opening.
#include "support/window_fixture.h"

#include <QTest>
#include <algorithm>

using namespace examora;
using namespace examora::testing;

namespace {

const QStringList kWorkedExample{"Analysis;1/10/2005;30;6", "Physics;6/20/2005;24;9",
                                 "Chemistry;2/15/2006;0;3"};
const QStringList kAcademic{"Exams : 3\rSpeed : 3 / year", "Overall mark\r 26.4", "Math average\r 27",
                            "Total credits\r 18"};
const QStringList kMath{kAcademic[0], "Overall mark\r 22", "Math average\r 18", kAcademic[3]};
const QColor kRows[4] = {QColor(64, 0, 0), QColor(0, 64, 0), QColor(0, 0, 64), QColor(64, 0, 64)};
const QColor kGrey(64, 64, 64);

QStringList Captions(const WindowFixture& f) {
    return {f.label(0)->Caption(), f.label(1)->Caption(), f.label(2)->Caption(), f.label(3)->Caption()};
}

// The surface holds nothing but its background.
QImage Blank(const WindowFixture& f, const QColor& background) {
    QImage blank(f.surface()->Image().size(), QImage::Format_RGB32);
    blank.fill(background);
    return blank;
}

} // namespace

class TestStatsView : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The mode changes the read-outs on screen at once; over the list, where Label(1) keeps its
    // figure hidden, and over the entry panel it changes only the next opening. There each caption
    // shows on its band in full, white on the row's colour over a shadow. A Load fills the view
    // again from the exams read.
    void readoutsAndMode() {
        WindowFixture f(DataFile(kWorkedExample));
        QCOMPARE(Captions(f), kAcademic);
        f.choose("MathMode");
        QCOMPARE(Captions(f), kMath);
        f.choose("ShowExams");
        f.choose("AcademicMode");
        QCOMPARE(f.label(1)->Caption(), kMath[1]);
        f.choose("AddExam");
        f.choose("MathMode");
        f.choose("AcademicMode");
        QCOMPARE(Captions(f), (QStringList{"Exam  4", "Date", "Mark", "Credit value"}));

        f.choose("Info"); // every label dark red, Label(1) at 18 points
        f.choose("ViewMainStats");
        QCOMPARE(Captions(f), kAcademic);
        const QImage shot = f.surface()->grab().toImage();
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(f.label(i)->text(), QString(kAcademic[i]).replace(u'\r', u'\n'));
            QVERIFY(f.label(i)->heightForWidth(f.label(i)->width()) <= f.label(i)->height());
            const QRect band = f.label(i)->geometry();
            QCOMPARE(shot.pixelColor(band.left() + 3, band.bottom() - 3), kRows[i]);
            // The shadow shows to the right of the band, and the window's grey beyond it.
            QCOMPARE(shot.pixelColor(band.right() + 4, band.center().y()), QColor(Qt::black));
            QCOMPARE(shot.pixelColor(band.right() + 20, band.center().y()), kGrey);
            const QImage label = shot.copy(band).convertToFormat(QImage::Format_RGB32);
            const auto* pixels = reinterpret_cast<const QRgb*>(label.constBits());
            QVERIFY2(std::count(pixels, pixels + label.width() * label.height(), qRgb(255, 255, 255)) > 0,
                     qPrintable(QStringLiteral("no text on Label(%1)").arg(i)));
        }

        f.writeDataFile(DataFile(kWorkedExample + QStringList{"Zoology;3/3/2006;18;12"}));
        f.choose("Load");
        QCOMPARE(Captions(f), (QStringList{"Exams : 4\rSpeed : 4 / year", "Overall mark\r 22.7",
                                           "Math average\r 24", "Total credits\r 30"}));
    }

    // A graph whose second exam is undone under it only clears its surface. " Stats" with one exam
    // left then clears the surface to grey, resets the title and ends the read-out, and leaves the
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
        QCOMPARE(f.surface()->Image(), Blank(f, QColor(0, 64, 0)));

        f.choose("ViewMainStats");
        QCOMPARE(f.caption(), "Examora");
        QCOMPARE(f.surface()->Image(), Blank(f, kGrey));
        QTest::mouseMove(f.surface(), QPoint(120, 140));
        QCOMPARE(f.caption(), "Examora");
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(f.label(i)->BackColor(), kRows[i]);
            QVERIFY(!f.label(i)->isVisible());
        }
        QCOMPARE(Captions(f), info);
        QCOMPARE(f.label(1)->FontSize(), 18.0);
        QVERIFY(f.window().isMaximized());
    }
};

QTEST_MAIN(TestStatsView)
#include "tst_stats_view.moc"
