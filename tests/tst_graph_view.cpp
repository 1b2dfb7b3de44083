// The two graphs on the real window: what the Graphics menu offers, the colours on the surface, the
// Units pop-up and the read-out that the pointer writes into the title.
#include "platform/shape_painter.h"
#include "records/conversions.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cmath>

using namespace examora;
using namespace examora::testing;

namespace {

const QString kWhite = QStringLiteral("#ffffff");
const QString kYellow = QStringLiteral("#ffff00");
const QString kBlue = QStringLiteral("#0000ff");
const QString kDarkGreen = QStringLiteral("#004000");
const QString kDarkBlue = QStringLiteral("#000040");

// 15 January, 3 and 20 March 2004; marks 18, 30 and 24, marks times credits 108, 270 and 144. In
// list order Chemistry comes before Physics, both in March.
const QStringList kWorkedExample{"Analysis;1/15/2004;18;6", "Chemistry;3/20/2004;30;9",
                                 "Physics;3/3/2004;24;6"};
// Over three years from 10 March 2003; in years Chemistry and Physics share x = 1.
const QStringList kThreeYears{"Analysis;3/10/2003;18;6", "Chemistry;3/20/2004;30;9", "Physics;3/3/2004;24;6",
                              "Statistics;6/5/2005;27;3"};

QString ColourAt(const QImage& image, QPointF pixel) {
    return image.pixelColor(int(std::floor(pixel.x())), int(std::floor(pixel.y()))).name();
}

QImage Shown(Form1& w) { return w.surface->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The circle's radius in pixels: a ninety-ninth of the graph's width.
double RadiusPixels(Form1& w) { return w.surface->width() / 99.0; }

// True when one of the three columns around the mapped x is pure white at that height.
bool WhiteStemAt(const QImage& image, QPointF pixel) {
    for (int dx = -1; dx <= 1; ++dx)
        if (image.pixelColor(int(std::floor(pixel.x())) + dx, int(std::floor(pixel.y()))).name() == kWhite)
            return true;
    return false;
}

void OpenMenu(QMenu* menu);

// Chooses a graph from the Graphics menu and waits until the window has reached its maximised size,
// which the window system gives it in its own time.
void Draw(Form1& w, QAction* graph) {
    OpenMenu(w.Graphics);
    graph->trigger();
    QTRY_COMPARE(w.frameGeometry(), w.screen()->availableGeometry());
    QTRY_COMPARE(w.surface->Image().size(), w.surface->size());
}

void OpenMenu(QMenu* menu) {
    menu->popup(QPoint(10, 10));
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
}

void ChooseUnit(Form1& w, QAction* unit) {
    QTest::mousePress(w.surface, Qt::RightButton, {}, QPoint(40, 40));
    QTRY_VERIFY(w.SetTimeUnits->isVisible());
    QTest::mouseRelease(w.surface, Qt::RightButton, {}, QPoint(40, 40));
    QVERIFY(w.SetTimeUnits->isVisible());
    QTest::mouseClick(w.SetTimeUnits, Qt::LeftButton, {}, w.SetTimeUnits->actionGeometry(unit).center());
    QTRY_VERIFY(!w.SetTimeUnits->isVisible());
}

// The number after the read-out's label.
double ValueOf(const QString& caption) { return caption.section(QStringLiteral(" : "), 1).toDouble(); }

} // namespace

class TestGraphView : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void graphicsItemsNeedTwoExams() {
        WindowFixture fixture(DataFile({"Analysis;1/15/2004;18;6"}));
        Form1& w = fixture.window();
        OpenMenu(w.Graphics);
        QVERIFY(!w.MarksTime->isEnabled());
        QVERIFY(!w.MarksCredits->isEnabled());
        w.ExamList->AddItem(QStringLiteral("Physics;3/3/2004;24;6"));
        OpenMenu(w.Graphics);
        QVERIFY(w.MarksTime->isEnabled());
        QVERIFY(w.MarksCredits->isEnabled());
        w.ExamList->RemoveItem(0);
        OpenMenu(w.Graphics);
        QVERIFY(!w.MarksTime->isEnabled());
    }

    // With one exam a drawing only clears the surface: the entry panel stays and nothing else moves.
    void oneExamOnlyClearsTheSurface() {
        WindowFixture fixture(DataFile({"Analysis;1/15/2004;18;6"}));
        Form1& w = fixture.window();
        QVERIFY(w.Text[0]->isVisible());
        w.DrawMarksTimeGraph();
        QVERIFY(!w.graphShown);
        QCOMPARE(w.surface->Scale().height, 0.0);
        QVERIFY(w.Text[0]->isVisible());
        QCOMPARE(w.Caption(), QStringLiteral("Examora"));
        QImage plain(w.surface->Image().size(), QImage::Format_RGB32);
        plain.fill(w.surface->BackColor());
        QCOMPARE(w.surface->Image(), plain);
    }

    void marksGraphOnDarkGreen() {
        WindowFixture fixture(DataFile(kThreeYears));
        Form1& w = fixture.window();
        QVERIFY(w.Years->isChecked() && !w.Months->isChecked() && !w.Days->isChecked());
        QVERIFY(!w.MarksTime->isChecked() && !w.MarksCredits->isChecked());
        Draw(w, w.MarksTime);
        QVERIFY(w.MarksTime->isChecked() && !w.MarksCredits->isChecked());
        QVERIFY(w.graphShown);
        QCOMPARE(w.graphOrigin, QDate(2003, 3, 10));
        QCOMPARE(w.Caption(), QStringLiteral("Examora"));
        QVERIFY(!w.Label[1]->isVisible() && !w.Shape[1]->isVisible());
        QTRY_VERIFY(w.windowState() & Qt::WindowMaximized);
        QCOMPARE(w.surface->Scale().top, 31.0);
        QCOMPARE(w.surface->Scale().height, -30.0);
        QCOMPARE(w.surface->Scale().width, double(float(2 + 1.0 / 12)));

        const QImage image = Shown(w);
        const double r = RadiusPixels(w);
        QCOMPARE(ColourAt(image, QPointF(image.width() - 1, 0)), kDarkGreen);
        const QPointF top = w.surface->ToPixels(QPointF(2, 27)); // Statistics, alone in 2005
        QCOMPARE(ColourAt(image, top + QPointF(r / 2, 0)), kYellow);
        QCOMPARE(ColourAt(image, top + QPointF(-r / 2, r / 3)), kYellow);
        QVERIFY(WhiteStemAt(image, w.surface->ToPixels(QPointF(2, 13.5))));
        QVERIFY(WhiteStemAt(image, w.surface->ToPixels(QPointF(2, 1.2))));
        QCOMPARE(ColourAt(image, w.surface->ToPixels(QPointF(2, 13.5)) + QPointF(r, 0)), kDarkGreen);
        QCOMPARE(ColourAt(image, top - QPointF(0, r + 3)), kDarkGreen); // the stem ends at the value
        QVERIFY(WhiteStemAt(image, top + QPointF(0, r / 2)));           // and is drawn over the circle
    }

    void marksCreditsGraphOnDarkBlue() {
        WindowFixture fixture(DataFile(kThreeYears));
        Form1& w = fixture.window();
        Draw(w, w.MarksTime);
        Draw(w, w.MarksCredits);
        QVERIFY(w.MarksCredits->isChecked() && !w.MarksTime->isChecked());
        QCOMPARE(w.surface->Scale().top, 271.0);
        QCOMPARE(w.surface->Scale().height, -270.0);
        const QImage image = Shown(w);
        QCOMPARE(ColourAt(image, QPointF(image.width() - 1, 0)), kDarkBlue);
        const QPointF top = w.surface->ToPixels(QPointF(1, 270)); // Chemistry, 30 x 9
        QCOMPARE(ColourAt(image, top + QPointF(RadiusPixels(w) / 2, 0)), kBlue);
        QVERIFY(WhiteStemAt(image, w.surface->ToPixels(QPointF(2, 40)))); // Statistics, 27 x 3
    }

    // Two exams in one year: the later line's circle covers the earlier one's where they overlap,
    // so the earlier outline does not show inside it, while the later outline crosses the earlier.
    void laterExamOnTopAtSharedX() {
        WindowFixture fixture(DataFile({"Algebra;5/10/2006;30;6", "Anatomy;10/1/2005;25;6",
                                        "Botany;5/12/2006;29.7;6", "Zoology;9/1/2008;20;6"}));
        Form1& w = fixture.window();
        Draw(w, w.MarksTime);
        const QImage image = Shown(w);
        const QPointF earlier = w.surface->ToPixels(QPointF(1, 30)),
                      later = w.surface->ToPixels(QPointF(1, 29.7));
        const double r = RadiusPixels(w), apart = later.y() - earlier.y();
        QVERIFY2(apart > 3 && apart < 2 * r - 3, "the two circles must overlap for this test");
        int laterInside = 0, earlierShowsOutline = 0;
        for (int y = int(earlier.y() - r); y <= int(later.y() + r); ++y) {
            for (int x = int(later.x() - r); x <= int(later.x() + r); ++x) {
                const QPointF centre(x + 0.5, y + 0.5);
                if (std::fabs(centre.x() - later.x()) < 2.5)
                    continue; // the stems
                const QString colour = ColourAt(image, centre);
                if (std::hypot(centre.x() - later.x(), centre.y() - later.y()) < r - 1.5) {
                    QCOMPARE(colour, kYellow);
                    ++laterInside;
                } else if (std::hypot(centre.x() - earlier.x(), centre.y() - earlier.y()) < r - 1.5 &&
                           colour != kYellow) {
                    ++earlierShowsOutline;
                }
            }
        }
        QVERIFY(laterInside > 20);
        QVERIFY(earlierShowsOutline > 0);
        QVERIFY(WhiteStemAt(image, later + QPointF(0, r / 2))); // the later stem crosses its own circle
    }

    // Shapes land on the surface in the order drawn: a circle hides the part of an earlier line it
    // covers, and a later line shows over both, whatever its colour.
    void surfacePaintsInDrawingOrder() {
        Surface surface;
        surface.resize(200, 100);
        surface.SetBackColor(QColor(0, 64, 0));
        surface.show();
        QTRY_COMPARE(surface.Image().size(), QSize(200, 100));
        surface.SetScale(100, -100, 200); // one unit a pixel, y growing upward from the bottom edge
        surface.SetFillColor(QColor(0, 0, 255));
        auto colourAt = [&surface](double x, double y) {
            return ColourAt(surface.Image(), surface.ToPixels({x, y}));
        };

        surface.Line({50, 0}, {50, 90}, Qt::white);
        surface.Circle({50, 50}, 10, Qt::white);
        surface.Line({50, 0}, {50, 45}, Qt::white);
        QCOMPARE(colourAt(50.5, 20), kWhite);
        QCOMPARE(colourAt(50.5, 44), kWhite);
        QCOMPARE(colourAt(50.5, 55), kBlue); // the circle over the first line
        QCOMPARE(colourAt(50.5, 75), kWhite);
        QCOMPARE(colourAt(45, 50), kBlue);
        QCOMPARE(colourAt(50.5, 95), kDarkGreen);

        surface.Line({50, 0}, {50, 95}, QColor(255, 0, 0));
        for (double y : {1.0, 44.0, 55.0, 75.0, 94.5})
            QCOMPARE(colourAt(50.5, y), QStringLiteral("#ff0000"));
        surface.Circle({50, 80}, 5, Qt::white);
        surface.Line({50, 0}, {50, 70}, Qt::white);
        QCOMPARE(colourAt(50.5, 80), kBlue);
        QCOMPARE(colourAt(50.5, 88), QStringLiteral("#ff0000"));
        QCOMPARE(colourAt(50.5, 60), kWhite);

        surface.Cls();
        QCOMPARE(colourAt(50.5, 60), kDarkGreen);
    }

    // Circles that later ones paint over entirely are left out, and so is a circle or stem that a later
    // one paints again on the same pixels: the same pixels as painting only the last of each repeated
    // shape. Against painting every shape, only the rims of repeated circles differ, blended white
    // once instead of once per repeat.
    void leftOutShapesChangeOnlyRepeatedRims_data() {
        QTest::addColumn<int>("spots");
        QTest::addColumn<double>("nudge");
        QTest::newRow("every exam apart") << 2000 << 0.0;
        QTest::newRow("many exams on each spot") << 40 << 0.0;
        QTest::newRow("every other visit a quarter pixel aside") << 40 << 0.25;
    }
    void leftOutShapesChangeOnlyRepeatedRims() {
        QFETCH(int, spots);
        QFETCH(double, nudge);
        std::vector<PixelShape> shapes;
        for (int i = 0; i < 3000; ++i) {
            const int spot = i * 7919 % spots;
            const QPointF top(spot * 37 % 600 + (spot % 4) / 4.0 + nudge * (i / spots % 2),
                              20 + spot * 13 % 360);
            shapes.push_back({true, top, {}, 12.1, Qt::white, QColor(255, 255, 0)});
            shapes.push_back({false, QPointF(top.x(), 400), top, 0, Qt::white, {}});
        }
        auto same = [](const PixelShape& s, const PixelShape& t) {
            return s.circle == t.circle && s.a == t.a && s.b == t.b && s.radius == t.radius &&
                   s.pen == t.pen && s.fill == t.fill;
        };
        QImage each(600, 400, QImage::Format_RGB32);
        each.fill(QColor(0, 64, 0));
        QImage last = each, once = each;
        std::vector<QPointF> repeated; // centres of circles painted again later
        {
            ShapePainter all(each), lastOnly(last);
            for (auto s = shapes.begin(); s != shapes.end(); ++s) {
                s->circle ? all.Circle(s->a, s->radius, s->pen, s->fill) : all.Line(s->a, s->b, s->pen);
                if (std::any_of(s + 1, shapes.end(), [&](auto& t) { return same(*s, t); }))
                    repeated.push_back(s->a);
                else
                    s->circle ? lastOnly.Circle(s->a, s->radius, s->pen, s->fill)
                              : lastOnly.Line(s->a, s->b, s->pen);
            }
        }
        ShapePainter(once).PaintInOrder(shapes);
        QCOMPARE(once, last);
        for (int y = 0; y < each.height(); ++y)
            for (int x = 0; x < each.width(); ++x)
                QVERIFY(each.pixel(x, y) == once.pixel(x, y) ||
                        std::any_of(repeated.begin(), repeated.end(), [&](QPointF c) {
                            return std::fabs(std::hypot(x + 0.5 - c.x(), y + 0.5 - c.y()) - 12.1) < 1.5;
                        }));
    }

    void zeroValuesDrawOnTheBottomEdge() {
        WindowFixture fixture(DataFile({"A;1/15/2004;0;6", "B;6/15/2005;0;6", "C;3/3/2006;0;6"}));
        Form1& w = fixture.window();
        Draw(w, w.MarksTime);
        QVERIFY(fixture.messages().prompts.isEmpty());
        QVERIFY(w.graphShown);
        QCOMPARE(w.surface->Scale().top, 1.0);
        QCOMPARE(w.surface->Scale().height, -1.0);
        const QImage image = Shown(w);
        const double r = RadiusPixels(w);
        const QPointF centre = w.surface->ToPixels(QPointF(1, 0));
        QCOMPARE(centre.y(), double(image.height()));
        QCOMPARE(ColourAt(image, centre + QPointF(r / 2, -r / 2)), kYellow);
        QCOMPARE(ColourAt(image, QPointF(centre.x(), image.height() / 2)), kDarkGreen);
    }

    void unknownTimeUnitReportsAndDrawsNothing() {
        WindowFixture fixture(DataFile(kThreeYears));
        Form1& w = fixture.window();
        w.timeUnit = QStringLiteral("ww");
        Draw(w, w.MarksTime);
        QCOMPARE(fixture.messages().prompts.size(), 1);
        QCOMPARE(fixture.messages().prompts[0].text, QStringLiteral("Else condition detected->Error"));
        QCOMPARE(fixture.messages().prompts[0].flags, 0);
        QCOMPARE(fixture.messages().prompts[0].title, QString());
        QImage plain(w.surface->Image().size(), QImage::Format_RGB32);
        plain.fill(QColor(0, 64, 0));
        QCOMPARE(w.surface->Image(), plain);
    }

    void graphStaysUntilCleared() {
        WindowFixture fixture(DataFile(kThreeYears));
        Form1& w = fixture.window();
        Draw(w, w.MarksTime);
        const QImage drawn = Shown(w);
        w.surface->repaint();
        QCOMPARE(Shown(w), drawn);
        w.surface->repaint(QRect(100, 100, 200, 200));
        QCOMPARE(Shown(w), drawn);

        // A new size draws the same graph again at that size.
        w.setWindowState(Qt::WindowNoState);
        w.resize(500, 380);
        QTRY_COMPARE(w.surface->Image().size(), w.surface->size());
        QVERIFY(w.surface->width() < drawn.width());
        const QImage resized = Shown(w);
        const QPointF top = w.surface->ToPixels(QPointF(2, 27));
        QCOMPARE(ColourAt(resized, top + QPointF(RadiusPixels(w) / 2, 0)), kYellow);
        QVERIFY(WhiteStemAt(resized, w.surface->ToPixels(QPointF(2, 13.5))));
        QCOMPARE(ColourAt(resized, QPointF(resized.width() - 1, 0)), kDarkGreen);
    }

    void pointerReadsYearAndMark() {
        WindowFixture fixture(DataFile(kThreeYears));
        Form1& w = fixture.window();
        Draw(w, w.MarksTime);
        QTest::mouseMove(w.surface, w.surface->ToPixels(QPointF(1, 27.5)).toPoint());
        QTRY_COMPARE(w.Caption(), QStringLiteral(" 2004;  Mark :  27.5"));
        QTest::mouseMove(w.surface, w.surface->ToPixels(QPointF(0, 20)).toPoint());
        QTRY_COMPARE(w.Caption(), QStringLiteral(" 2003;  Mark :  20"));
        // Moving never redraws: the surface is what it was.
        const QImage before = w.surface->Image();
        QTest::mouseMove(w.surface, QPoint(200, 200));
        QTRY_VERIFY(w.Caption() != QStringLiteral(" 2003;  Mark :  20"));
        QCOMPARE(w.surface->Image(), before);
    }

    // Units from the pop-up, on the marks times credits graph: months, then days, on dark blue.
    void popupRedrawsInTheChosenUnit() {
        WindowFixture fixture(DataFile(kWorkedExample));
        Form1& w = fixture.window();
        Draw(w, w.MarksCredits);
        const QPoint at(60, 50);
        QTest::mousePress(w.surface, Qt::LeftButton, {}, at);
        QVERIFY(!w.SetTimeUnits->isVisible());
        QTest::mouseRelease(w.surface, Qt::LeftButton, {}, at);
        QTest::mousePress(w.surface, Qt::RightButton, {}, at);
        QTRY_VERIFY(w.SetTimeUnits->isVisible());
        QTest::mouseRelease(w.surface, Qt::RightButton, {}, at);
        QVERIFY(w.SetTimeUnits->isVisible());
        QCOMPARE(w.SetTimeUnits->pos(), w.surface->mapToGlobal(at));
        QVERIFY(w.Years->isChecked() && !w.Months->isChecked() && !w.Days->isChecked());
        QTest::mouseClick(w.SetTimeUnits, Qt::LeftButton, {},
                          w.SetTimeUnits->actionGeometry(w.Months).center());
        QTRY_VERIFY(!w.SetTimeUnits->isVisible());

        QVERIFY(!w.Years->isChecked() && w.Months->isChecked() && !w.Days->isChecked());
        QCOMPARE(w.timeUnit, kMonths);
        QVERIFY(w.MarksCredits->isChecked() && !w.MarksTime->isChecked());
        QCOMPARE(w.surface->Scale().width, 3.0);
        QImage image = Shown(w);
        QCOMPARE(ColourAt(image, QPointF(image.width() - 1, 0)), kDarkBlue);
        QCOMPARE(ColourAt(image, w.surface->ToPixels(QPointF(2, 270)) + QPointF(RadiusPixels(w) / 2, 0)),
                 kBlue);

        QTest::mouseMove(w.surface, w.surface->ToPixels(QPointF(2, 243)).toPoint());
        QTRY_VERIFY(w.Caption().startsWith(QStringLiteral("MARCH;  Mark x Credits :  2")));
        const double halfPixel = 270.0 / w.surface->height() / 2 + 0.05;
        QVERIFY2(std::fabs(ValueOf(w.Caption()) - 243) <= halfPixel, qPrintable(w.Caption()));

        ChooseUnit(w, w.Days);
        QVERIFY(!w.Years->isChecked() && !w.Months->isChecked() && w.Days->isChecked());
        QCOMPARE(w.surface->Scale().width, 90.0);
        image = Shown(w);
        QCOMPARE(ColourAt(image, QPointF(image.width() - 1, 0)), kDarkBlue);
        QCOMPARE(ColourAt(image, w.surface->ToPixels(QPointF(48, 144)) + QPointF(RadiusPixels(w) / 2, 0)),
                 kBlue);
        QTest::mouseMove(w.surface, w.surface->ToPixels(QPointF(60, 100)).toPoint());
        QTRY_VERIFY(w.Caption().startsWith(QStringLiteral("Monday, March 15, 2004;  Mark x Credits :  ")));
    }

    // The marks graph keeps its check mark and its dark green through a change of unit, and the
    // unit already checked redraws the same graph again.
    void unitChangeKeepsTheMarksGraph() {
        WindowFixture fixture(DataFile(kWorkedExample));
        Form1& w = fixture.window();
        Draw(w, w.MarksTime);
        const QImage years = Shown(w);
        ChooseUnit(w, w.Years);
        QVERIFY(w.Years->isChecked() && w.MarksTime->isChecked());
        QCOMPARE(Shown(w), years);
        ChooseUnit(w, w.Months);
        QVERIFY(w.MarksTime->isChecked() && !w.MarksCredits->isChecked());
        const QImage image = Shown(w);
        QCOMPARE(ColourAt(image, QPointF(image.width() - 1, 0)), kDarkGreen);
        QCOMPARE(ColourAt(image, w.surface->ToPixels(QPointF(2, 24)) + QPointF(RadiusPixels(w) / 2, 0)),
                 kYellow);
        QVERIFY(WhiteStemAt(image, w.surface->ToPixels(QPointF(2, 12))));
        QTest::mouseMove(w.surface, w.surface->ToPixels(QPointF(0, 18)).toPoint());
        QTRY_VERIFY(w.Caption().startsWith(QStringLiteral("JANUARY;  Mark :  ")));
    }

    void fileMenuStopsTheReadout() {
        WindowFixture fixture(DataFile(kThreeYears));
        Form1& w = fixture.window();
        Draw(w, w.MarksTime);
        QTest::mouseMove(w.surface, w.surface->ToPixels(QPointF(1, 20)).toPoint());
        QTRY_VERIFY2(w.Caption().startsWith(QStringLiteral(" 2004;  Mark :  ")), qPrintable(w.Caption()));
        const QImage drawn = Shown(w);
        OpenMenu(w.File);
        QVERIFY(!w.graphShown);
        QCOMPARE(w.Caption(), QStringLiteral("Examora"));
        QTest::mouseMove(w.surface, w.surface->ToPixels(QPointF(2, 10)).toPoint());
        QTest::mouseClick(w.surface, Qt::RightButton, {}, QPoint(50, 50));
        QCoreApplication::processEvents();
        QVERIFY(!w.SetTimeUnits->isVisible());
        QCOMPARE(w.Caption(), QStringLiteral("Examora"));
        QCOMPARE(Shown(w), drawn);
    }

    void pointerDoesNothingOutsideTheGraphs() {
        WindowFixture fixture(DataFile(kThreeYears));
        Form1& w = fixture.window();
        QVERIFY(w.Label[1]->isVisible());
        QTest::mouseMove(w.surface, QPoint(5, 5));
        QTest::mouseClick(w.surface, Qt::RightButton, {}, QPoint(5, 5));
        QCoreApplication::processEvents();
        QVERIFY(!w.SetTimeUnits->isVisible());
        QCOMPARE(w.Caption(), QStringLiteral("Examora"));
    }
};

QTEST_MAIN(TestGraphView)
#include "tst_graph_view.moc"
