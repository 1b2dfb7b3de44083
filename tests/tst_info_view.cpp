// The info view: the author's credits on two dark red bands and the picture with its shadow.
#include "platform/twips.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QScreen>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

const QStringList kThreeExams = {"Analysis;1/10/2005;30;6", "Physics;6/20/2005;24;9",
                                 "Chemistry;2/15/2006;0;3"};
const QColor kDarkRed(64, 0, 0);

QColor At(const QImage& image, QPoint p) { return QColor(image.pixel(p)); }

// The caption fits its band: every line of it, wrapped at the band's width, is on screen.
bool Fits(const CaptionLabel* label) { return label->heightForWidth(label->width()) <= label->height(); }

} // namespace

class TestInfoView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void info_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addRow("no exams held") << QStringList();
        QTest::addRow("three exams held") << kThreeExams;
    }

    void info() {
        QFETCH(QStringList, lines);
        WindowFixture fixture(lines.isEmpty() ? std::nullopt : std::optional(DataFile(lines)));
        Form1& w = fixture.window();
        w.ShowExams->setEnabled(true);
        w.ShowExams->trigger();
        QTRY_VERIFY(w.isMaximized());
        w.Info->trigger();

        QCOMPARE(w.Caption(), QStringLiteral("Examora"));
        QCOMPARE(w.surface->BackColor(), QColor(64, 64, 64));
        QTRY_VERIFY(!w.isMaximized());
        QTRY_COMPARE(w.frameGeometry().size(), QSize(ToPixels(w.normalWidth), ToPixels(w.normalHeight)));
        QCOMPARE(w.Label[0]->Caption(), QStringLiteral("Author : \rThe Examora team"));
        QCOMPARE(w.Label[1]->Caption(),
                 QStringLiteral("December 2026, Free software for students, examora.example.org"));
        QCOMPARE(w.Label[0]->FontSize(), 24.0);
        QCOMPARE(w.Label[1]->FontSize(), 18.0);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(w.Label[i]->isVisible(), i < 2);
            QCOMPARE(w.Shape[i]->isVisible(), i < 2);
            QVERIFY(!w.Text[i]->isVisible());
            QCOMPARE(w.Label[i]->BackColor(), kDarkRed);
        }
        QVERIFY(Fits(w.Label[0]));
        QVERIFY(Fits(w.Label[1]));
        QVERIFY(!w.ExamComm->isVisible());
        QVERIFY(!w.ExamList->isVisible());
        QVERIFY(!w.ExamListShadow->isVisible());
        QVERIFY(!w.EraseExams->isVisible());
        QVERIFY(fixture.messages().prompts.isEmpty());
    }

    void pictureAndShadow() {
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        w.Info->trigger();
        QVERIFY(w.Image1->isVisible());
        QVERIFY(w.ImgShadow->isVisible());
        QCOMPARE(w.Image1->pixmap().size(), QSize(292, 275));
        QCOMPARE(w.Image1->geometry(), TwipsRect(960, 3840, 4380, 4125));
        QCOMPARE(w.ImgShadow->size(), w.Image1->size());
        QCOMPARE(w.ImgShadow->pos(), QPoint(ToPixels(1080), ToPixels(3960)));

        // On screen: the whole picture in front, the shadow showing below and to its right.
        const QImage shot = w.surface->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect picture = w.Image1->geometry();
        QCOMPARE(shot.copy(picture), w.Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32));
        const QRect shadow = w.ImgShadow->geometry();
        QCOMPARE(At(shot, shadow.bottomRight() - QPoint(1, 1)), QColor(Qt::black));
        QCOMPARE(At(shot, QPoint(picture.left() + 2, shadow.bottom() - 1)), QColor(64, 64, 64));
        // Each band over its shadow, the shadow 120 twips lower and to the right.
        for (int i = 0; i < 2; ++i) {
            const QRect band = w.Label[i]->geometry();
            QCOMPARE(At(shot, QPoint(band.left() + 2, band.bottom() - 2)), kDarkRed);
            QCOMPARE(At(shot, QPoint(band.right() + 4, band.bottom() - 2)), QColor(Qt::black));
        }
    }

    void infoOverAGraph() {
        WindowFixture fixture(DataFile(kThreeExams));
        Form1& w = fixture.window();
        w.MarksTime->trigger();
        QVERIFY(w.graphShown);
        w.Info->trigger();
        QVERIFY(!w.graphShown);
        QTRY_COMPARE(w.frameGeometry().size(), QSize(ToPixels(w.normalWidth), ToPixels(w.normalHeight)));
        QImage blank(w.surface->Image().size(), QImage::Format_RGB32);
        blank.fill(QColor(64, 64, 64));
        QCOMPARE(w.surface->Image().convertToFormat(QImage::Format_RGB32), blank);
        QTest::mouseMove(w.surface, QPoint(400, 500));
        QTest::mouseMove(w.surface, QPoint(420, 520));
        QCOMPARE(w.Caption(), QStringLiteral("Examora"));
    }

    // Label(1) keeps 18 points through the views that leave the labels alone.
    void creditLineSizeKept() {
        WindowFixture fixture(DataFile(kThreeExams));
        Form1& w = fixture.window();
        w.Info->trigger();
        w.ShowExams->trigger();
        w.MarksCredits->trigger();
        QCOMPARE(w.Label[1]->FontSize(), 18.0);
        w.AddExam->trigger();
        QCOMPARE(w.Label[1]->FontSize(), 24.0);
        w.Info->trigger();
        w.ViewMainStats->trigger();
        QCOMPARE(w.Label[1]->FontSize(), 24.0);
    }
};

QTEST_MAIN(TestInfoView)
#include "tst_info_view.moc"
