// The info view: the author's credits on two dark red bands and the picture with its shadow.
#include "window/widgets/twips.h"
#include "support/window_fixture.h"

#include <QLabel>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

const QStringList kThreeExams{"Analysis;1/10/2005;30;6", "Physics;6/20/2005;24;9", "Chemistry;2/15/2006;0;3"};
const QColor kDarkRed(64, 0, 0), kGrey(64, 64, 64);

QColor At(const QImage& image, QPoint p) { return QColor(image.pixel(p)); }

} // namespace

class TestInfoView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // From the maximised list when it is offered, the window goes back to its normal size.
    void info_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addRow("no exams held") << QStringList();
        QTest::addRow("three exams held") << kThreeExams;
    }
    void info() {
        QFETCH(QStringList, lines);
        WindowFixture f(lines.isEmpty() ? std::nullopt : std::optional(DataFile(lines)));
        f.choose("ShowExams");
        QTRY_COMPARE(f.window().isMaximized(), !lines.isEmpty());
        f.choose("Info");
        QCOMPARE(f.caption(), "Examora");
        QCOMPARE(f.surface()->BackColor(), kGrey);
        QTRY_VERIFY(!f.window().isMaximized());
        QTRY_COMPARE(f.window().frameGeometry().size(), f.normalSize());
        QCOMPARE((QStringList{f.label(0)->Caption(), f.label(1)->Caption()}),
                 (QStringList{"Author : \rThe Examora team",
                              "December 2026, Free software for students, examora.example.org"}));
        QCOMPARE((QList<double>{f.label(0)->FontSize(), f.label(1)->FontSize()}), (QList<double>{24, 18}));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(f.label(i)->isVisible(), i < 2);
            QCOMPARE(f.find(QStringLiteral("Shape%1").arg(i))->isVisible(), i < 2);
            QVERIFY(!f.text(i)->isVisible());
            QCOMPARE(f.label(i)->BackColor(), kDarkRed);
            if (i < 2) // the caption fits its band: every line of it, wrapped at the band's width
                QVERIFY(f.label(i)->heightForWidth(f.label(i)->width()) <= f.label(i)->height());
        }
        QVERIFY(!f.button()->isVisible() && !f.list()->isVisible() && !f.find("ExamListShadow")->isVisible());
        QVERIFY(!f.action("EraseExams")->isVisible());
        QVERIFY(f.messages().prompts.isEmpty());
    }

    void pictureAndShadow() {
        WindowFixture f(std::nullopt);
        f.choose("Info");
        const auto* image = f.find<QLabel>("Image1");
        const QWidget* imageShadow = f.find("ImgShadow");
        QVERIFY(image->isVisible() && imageShadow->isVisible());
        QCOMPARE(image->pixmap().size(), QSize(292, 275));
        QCOMPARE(image->geometry(), TwipsRect(960, 3840, 4380, 4125));
        QCOMPARE(imageShadow->size(), image->size());
        QCOMPARE(imageShadow->pos(), QPoint(ToPixels(1080), ToPixels(3960)));

        // On screen: the whole picture in front, the shadow showing below and to its right.
        const QImage shot = f.surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect picture = image->geometry(), shadow = imageShadow->geometry();
        QCOMPARE(shot.copy(picture), image->pixmap().toImage().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(At(shot, shadow.bottomRight() - QPoint(1, 1)), QColor(Qt::black));
        QCOMPARE(At(shot, QPoint(picture.left() + 2, shadow.bottom() - 1)), kGrey);
        // Each band over its shadow, the shadow 120 twips lower and to the right.
        for (int i = 0; i < 2; ++i) {
            const QRect band = f.label(i)->geometry();
            QCOMPARE(At(shot, QPoint(band.left() + 2, band.bottom() - 2)), kDarkRed);
            QCOMPARE(At(shot, QPoint(band.right() + 4, band.bottom() - 2)), QColor(Qt::black));
        }
    }

    // Over a graph the info view ends the read-out and clears the surface. Label(1) keeps 18 points
    // through the views that leave the labels alone, and the entry panel gives it back its 24.
    void infoOverAGraph() {
        WindowFixture f(DataFile(kThreeExams));
        f.choose("Info");
        f.choose("ShowExams");
        f.choose("MarksCredits");
        QCOMPARE(f.label(1)->FontSize(), 18.0);
        QTRY_VERIFY(f.window().isMaximized());
        QTest::mouseMove(f.surface(), QPoint(400, 500));
        QTRY_VERIFY(f.caption() != "Examora");
        f.choose("Info");
        QTRY_COMPARE(f.window().frameGeometry().size(), f.normalSize());
        QTRY_COMPARE(f.surface()->Image().size(), f.surface()->size());
        QImage blank(f.surface()->Image().size(), QImage::Format_RGB32);
        blank.fill(kGrey);
        QCOMPARE(f.surface()->Image().convertToFormat(QImage::Format_RGB32), blank);
        QTest::mouseMove(f.surface(), QPoint(400, 500));
        QTest::mouseMove(f.surface(), QPoint(420, 520));
        QCOMPARE(f.caption(), "Examora");
        f.choose("AddExam");
        QCOMPARE(f.label(1)->FontSize(), 24.0);
    }
};

QTEST_MAIN(TestInfoView)
#include "tst_info_view.moc"
