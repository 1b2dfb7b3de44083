// The info view: the author's credits on two dark red bands and the picture with its shadow.
#include "support/window_fixture.h"
#include "window/widgets/twips.h"

#include <QLabel>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

const QColor kDarkRed(64, 0, 0), kGrey(64, 64, 64);

QColor At(const QImage& image, QPoint p) { return QColor(image.pixel(p)); }

} // namespace

class TestInfoView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Over a maximised graph that answers the pointer, the info view ends the read-out, clears the
    // surface and gives the window back its normal size. Label(1) keeps 18 points through the views
    // that leave the labels alone, and the entry panel gives it back its 24.
    void info() {
        WindowFixture f(
            DataFile({"Analysis;1/10/2005;30;6", "Physics;6/20/2005;24;9", "Chemistry;2/15/2006;0;3"}));
        f.choose("Info");
        f.choose("MarksCredits");
        QCOMPARE(f.label(1)->FontSize(), 18.0);
        QTRY_VERIFY(f.window().isMaximized());
        QTest::mouseMove(f.surface(), QPoint(400, 500));
        QTRY_VERIFY(f.caption() != "Examora");
        f.choose("Info");
        QCOMPARE(f.caption(), "Examora");
        QTRY_COMPARE(f.window().frameGeometry().size(), f.normalSize());
        QImage blank(f.surface()->Image().size(), QImage::Format_RGB32);
        blank.fill(kGrey);
        QCOMPARE(f.surface()->Image(), blank);
        QTest::mouseMove(f.surface(), QPoint(420, 520));
        QCOMPARE(f.caption(), "Examora");
        QCOMPARE((QStringList{f.label(0)->Caption(), f.label(1)->Caption()}),
                 (QStringList{"Author : \rThe Examora team",
                              "December 2026, Free software for students, examora.example.org"}));
        QCOMPARE((QList<double>{f.label(0)->FontSize(), f.label(1)->FontSize()}), (QList<double>{24, 18}));
        QVERIFY(f.messages().prompts.isEmpty());

        // The picture, whole, in front of its shadow, which shows 120 twips lower and to the right.
        const auto* image = f.find<QLabel>("Image1");
        const QRect picture = image->geometry(), shadow = f.find("ImgShadow")->geometry();
        QCOMPARE(picture, TwipsRect(960, 3840, 4380, 4125));
        QCOMPARE(shadow, TwipsRect(1080, 3960, 4380, 4125));
        const QImage shot = f.surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.copy(picture), image->pixmap().toImage().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(At(shot, shadow.bottomRight() - QPoint(1, 1)), QColor(Qt::black));
        QCOMPARE(At(shot, QPoint(picture.left() + 2, shadow.bottom() - 1)), kGrey);
        // Each band, dark red, over its shadow the same way, its caption in full: every line of it,
        // wrapped at the band's width.
        for (int i = 0; i < 2; ++i) {
            const QRect band = f.label(i)->geometry();
            QCOMPARE(At(shot, QPoint(band.left() + 2, band.bottom() - 2)), kDarkRed);
            QCOMPARE(At(shot, QPoint(band.right() + 4, band.bottom() - 2)), QColor(Qt::black));
            QVERIFY(f.label(i)->heightForWidth(band.width()) <= band.height());
        }

        f.choose("AddExam");
        QCOMPARE(f.label(1)->FontSize(), 24.0);
    }
};

QTEST_MAIN(TestInfoView)
#include "tst_info_view.moc"
