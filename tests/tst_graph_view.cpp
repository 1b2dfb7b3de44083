// The two graphs on the real window: the colours on the surface, the menu check marks, the Units
// pop-up and the read-out that the pointer writes into the title.
#include "graphs/graph_frame.h"
#include "records/conversions.h"
#include "records/exam_list_model.h"
#include "support/window_fixture.h"
#include "window/widgets/shape_painter.h"

#include <QMenu>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <tuple>

using namespace examora;
using namespace examora::testing;

namespace {

const QString kWhite = "#ffffff", kYellow = "#ffff00", kBlue = "#0000ff", kRed = "#ff0000",
              kDarkGreen = "#004000", kDarkBlue = "#000040", kStem = "a white stem";
// Over three calendar years from 10 December 2003: Chemistry on 20 March and Physics on 3 March 2004
// share x = 1 in years and x = 3 in months, and stand at days 101 and 84. Marks times credits 108,
// 270, 178.2 and 81.
const QStringList kThreeYears{"Analysis;12/10/2003;18;6", "Chemistry;3/20/2004;30;9",
                              "Physics;3/3/2004;29.7;6", "Statistics;1/5/2005;27;3"};

QString ColourAt(const QImage& image, QPointF pixel) {
    return image.pixelColor(int(std::floor(pixel.x())), int(std::floor(pixel.y()))).name();
}
QImage Shown(const WindowFixture& f) {
    return f.surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
QString Corner(const WindowFixture& f) { return ColourAt(Shown(f), QPointF(f.surface()->width() - 1, 0)); }

// A point of the graph (x, y), moved right and down by a number of circle radii (a radius is a
// ninety-ninth of the graph's width), and its colour on screen: kStem is white in one of the three
// columns there, where a stem one pixel wide may fall.
struct Spot {
    double x, y, right, down;
    QString colour;
};
// The spots whose colour on screen differs.
QStringList Wrong(const WindowFixture& f, const QList<Spot>& spots) {
    const QImage image = Shown(f);
    QStringList wrong;
    for (const Spot& s : spots) {
        const QPointF at =
            f.surface()->ToPixels({s.x, s.y}) + QPointF(s.right, s.down) * f.surface()->width() / 99.0;
        QStringList seen{ColourAt(image, at)};
        if (s.colour == kStem)
            seen << ColourAt(image, at - QPointF(1, 0)) << ColourAt(image, at + QPointF(1, 0));
        if (!seen.contains(s.colour == kStem ? kWhite : s.colour))
            wrong << QStringLiteral("(%1, %2): %3, not %4").arg(s.x).arg(s.y).arg(seen.join(u'/'), s.colour);
    }
    return wrong;
}

// The checked items of the Graphics menu and of the Units pop-up.
QStringList CheckedItems(const WindowFixture& f) {
    QStringList items{"MarksTime", "MarksCredits", "Years", "Months", "Days"};
    items.removeIf([&f](const QString& item) { return !f.action(item)->isChecked(); });
    return items;
}

// Chooses a graph and waits for the maximised size, which the window system gives in its own time.
void Draw(WindowFixture& f, const char* graph) {
    f.choose(graph);
    QTRY_COMPARE(f.window().frameGeometry(), f.window().screen()->availableGeometry());
    QTRY_COMPARE(f.surface()->Image().size(), f.surface()->size());
}

// The right button opens the Units pop-up where it is pressed, and it stays open once released.
void ChooseUnit(WindowFixture& f, const char* unit, QPoint at = QPoint(60, 50)) {
    QMenu* units = f.find<QMenu>("SetTimeUnits");
    QTest::mousePress(f.surface(), Qt::RightButton, {}, at);
    QTRY_VERIFY(units->isVisible());
    QTest::mouseRelease(f.surface(), Qt::RightButton, {}, at);
    QVERIFY(units->isVisible());
    QCOMPARE(units->pos(), f.surface()->mapToGlobal(at));
    QTest::mouseClick(units, Qt::LeftButton, {}, units->actionGeometry(f.action(unit)).center());
    QTRY_VERIFY(!units->isVisible());
}

// Moves the pointer over the point (x, y) of the graph.
void PointAt(WindowFixture& f, double x, double y) {
    QTest::mouseMove(f.surface(), f.surface()->ToPixels({x, y}).toPoint());
}

} // namespace

class TestGraphView : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The marks graph on dark green, read by the pointer and drawn again at a new size; the marks
    // times credits graph on dark blue. The pop-up draws the graph again in the unit chosen, keeps
    // the graph's check mark, and the unit already checked draws the same graph again.
    void graphsAndUnits() {
        WindowFixture f(DataFile(kThreeYears));
        Draw(f, "MarksTime");
        const UserScale scale = f.surface()->Scale();
        QCOMPARE((QList<double>{scale.top, scale.height, scale.width}),
                 (QList<double>{31, -30, float(2 + 1.0 / 12)}));
        QCOMPARE(Corner(f), kDarkGreen);
        // Statistics, alone in 2005: the stem ends at the value, and is drawn over the circle, as the
        // stem of Physics is over its own.
        const double r = f.surface()->width() / 99.0;
        const QList<Spot> spots{
            {2, 27, .5, 0, kYellow},           {2, 13.5, 0, 0, kStem}, {2, 1.2, 0, 0, kStem},
            {2, 13.5, 1, 0, kDarkGreen},       {2, 27, 0, .5, kStem},  {1, 29.7, 0, .5, kStem},
            {2, 27, 0, -1 - 3 / r, kDarkGreen}};
        QCOMPARE(Wrong(f, spots), QStringList());
        // Chemistry and then Physics in 2004: the later line's circle covers the earlier one's where
        // they overlap, so the earlier outline does not show inside it, while the later outline
        // crosses the earlier.
        QImage image = Shown(f);
        const QPointF earlier = f.surface()->ToPixels({1, 30}), later = f.surface()->ToPixels({1, 29.7});
        QVERIFY2(later.y() - earlier.y() > 3 && later.y() - earlier.y() < 2 * r - 3,
                 "the circles must overlap");
        int laterInside = 0, earlierShowsOutline = 0;
        for (int y = int(earlier.y() - r); y <= int(later.y() + r); ++y)
            for (int x = int(later.x() - r); x <= int(later.x() + r); ++x) {
                const QPointF p(x + 0.5, y + 0.5);
                if (std::fabs(p.x() - later.x()) < 2.5)
                    continue; // the stems
                if (std::hypot(p.x() - later.x(), p.y() - later.y()) < r - 1.5) {
                    QCOMPARE(ColourAt(image, p), kYellow);
                    ++laterInside;
                } else if (std::hypot(p.x() - earlier.x(), p.y() - earlier.y()) < r - 1.5) {
                    earlierShowsOutline += ColourAt(image, p) != kYellow;
                }
            }
        QVERIFY(laterInside > 20 && earlierShowsOutline > 0);
        // The years count from the earliest exam's; moving never redraws.
        PointAt(f, 1, 27.5);
        QTRY_COMPARE(f.caption(), " 2004;  Mark :  27.5");
        QCOMPARE(Shown(f), image);

        f.window().setWindowState(Qt::WindowNoState);
        f.window().resize(500, 380);
        QTRY_COMPARE(f.surface()->Image().size(), f.surface()->size());
        QVERIFY(f.surface()->width() < image.width());
        QCOMPARE(Wrong(f, {{2, 27, .5, 0, kYellow}, {2, 13.5, 0, 0, kStem}}), QStringList());

        Draw(f, "MarksCredits");
        QCOMPARE(CheckedItems(f), (QStringList{"MarksCredits", "Years"}));
        QCOMPARE(Corner(f), kDarkBlue);
        QCOMPARE(Wrong(f, {{1, 270, .5, 0, kBlue}, {2, 40, 0, 0, kStem}}), QStringList());
        QTest::mouseClick(f.surface(), Qt::LeftButton, {}, QPoint(60, 50));
        QVERIFY(!f.find<QMenu>("SetTimeUnits")->isVisible());

        ChooseUnit(f, "Months");
        QCOMPARE(CheckedItems(f), (QStringList{"MarksCredits", "Months"}));
        QCOMPARE(Wrong(f, {{3, 270, .5, 0, kBlue}, {13, 40, 0, 0, kStem}}), QStringList());
        PointAt(f, 3, 243);
        QTRY_VERIFY(f.caption().startsWith("MARCH;  Mark x Credits :  2"));
        const double value = f.caption().section(" : ", 1).toDouble();
        QVERIFY2(std::fabs(value - 243) <= 270.0 / f.surface()->height() / 2 + 0.05, qPrintable(f.caption()));
        ChooseUnit(f, "Days"); // the read-out of months goes with them: the pointer's day is read out
        QVERIFY2(QRegularExpression("^\\w+day, \\w+ \\d+, 200\\d;  Mark x Credits :  ").match(f.caption()).hasMatch(),
                 qPrintable(f.caption()));
        QCOMPARE(CheckedItems(f), (QStringList{"MarksCredits", "Days"}));
        QCOMPARE(Wrong(f, {{101, 270, .5, 0, kBlue}, {392, 81, .5, 0, kBlue}}), QStringList());
        PointAt(f, 60, 100);
        QTRY_VERIFY2(f.caption().startsWith("Sunday, February 8, 2004;  Mark x Credits :  "),
                     qPrintable(f.caption()));

        Draw(f, "MarksTime");
        ChooseUnit(f, "Months");
        QCOMPARE(CheckedItems(f), (QStringList{"MarksTime", "Months"}));
        QCOMPARE(Wrong(f, {{13, 27, .5, 0, kYellow}, {13, 13.5, 0, 0, kStem}}), QStringList());
        image = Shown(f);
        ChooseUnit(f, "Months");
        QCOMPARE(CheckedItems(f), (QStringList{"MarksTime", "Months"}));
        QCOMPARE(Shown(f), image);
    }

    // Where every mark is 0 the circles sit on the bottom edge, half on the surface.
    void zeroValuesDrawOnTheBottomEdge() {
        WindowFixture f(DataFile({"A;1/15/2004;0;6", "B;6/15/2005;0;6", "C;3/3/2006;0;6"}));
        Draw(f, "MarksTime");
        QCOMPARE(f.surface()->ToPixels({1, 0}).y(), double(f.surface()->height()));
        QCOMPARE(Wrong(f, {{1, 0, .5, -.5, kYellow}, {1, .5, 0, 0, kDarkGreen}}), QStringList());
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
        auto stem = [&surface](std::initializer_list<double> ys) { // the colours up the column at x = 50
            QStringList colours;
            for (double y : ys)
                colours.append(ColourAt(surface.Image(), surface.ToPixels({50.5, y})));
            return colours;
        };

        surface.Line({50, 0}, {50, 90}, Qt::white);
        surface.Circle({50, 50}, 10, Qt::white);
        surface.Line({50, 0}, {50, 45}, Qt::white);
        QCOMPARE(stem({20, 44, 55, 75, 95}), (QStringList{kWhite, kWhite, kBlue, kWhite, kDarkGreen}));
        surface.Line({50, 0}, {50, 95}, QColor(255, 0, 0));
        QCOMPARE(stem({1, 44, 55, 75, 94.5}), QStringList(5, kRed));
        surface.Circle({50, 80}, 5, Qt::white);
        surface.Line({50, 0}, {50, 70}, Qt::white);
        QCOMPARE(stem({60, 80, 88}), (QStringList{kWhite, kBlue, kRed}));
    }

    // The graph leaves out the exams that a later one repeats, and paints from the top down: the same
    // image as every exam's circle and stem painted in list order. Each date has its exams again and
    // again, marks falling, so that later and shorter stems stand over taller ones.
    void graphPaintsAsEveryExamInOrder_data() {
        QTest::addColumn<QString>("graph");
        QTest::newRow("marks") << "MarksTime";
        QTest::newRow("marks x credits") << "MarksCredits";
    }
    void graphPaintsAsEveryExamInOrder() {
        QFETCH(QString, graph);
        QStringList lines;
        for (int i = 0; i < 600; ++i) {
            const int date = i % 12, mark = 30 - i / 12 % 5, credits = 1 + i / 60 % 2;
            lines << QString::asprintf("E%d;%d/%d/2004;%d;%d", i, 1 + date, 1 + 2 * date, mark, credits);
        }
        WindowFixture f(DataFile(lines));
        Draw(f, qPrintable(graph));
        f.action("Days")->trigger();
        const auto& exams = static_cast<ExamListModel*>(f.list()->model())->Readings();
        const GraphFrame frame = *ComputeGraphFrame(
            exams, kDays, graph == "MarksTime" ? PlottedValue::Mark : PlottedValue::MarkTimesCredits);
        const QTransform toPixels = UserToPixels(f.surface()->Scale(), f.surface()->size());
        const double r = std::fabs(static_cast<float>(frame.scaleWidth / 99) * toPixels.m11());
        std::vector<PixelShape> shapes;
        for (const GraphPoint& p : frame.points) {
            const QPointF top = toPixels.map(QPointF(p.x, p.value));
            shapes.push_back({true, top, {}, r, Qt::white, f.surface()->FillColor()});
            shapes.push_back({false, toPixels.map(QPointF(p.x, 0)), top, 0, Qt::white, {}});
        }
        QImage expected(f.surface()->size(), QImage::Format_RGB32);
        expected.fill(f.surface()->BackColor());
        ShapePainter(expected).PaintInOrder(shapes);
        QCOMPARE(f.surface()->Image(), expected);
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
        auto paint = [](ShapePainter& painter, const PixelShape& s) {
            s.circle ? painter.Circle(s.a, s.radius, s.pen, s.fill) : painter.Line(s.a, s.b, s.pen);
        };
        QImage each(600, 400, QImage::Format_RGB32);
        each.fill(QColor(0, 64, 0));
        QImage last = each, once = each;
        std::vector<QPointF> repeated; // centres of circles painted again later
        {
            ShapePainter all(each), lastOnly(last);
            for (auto s = shapes.begin(); s != shapes.end(); ++s) {
                paint(all, *s);
                if (std::none_of(s + 1, shapes.end(), [&](const PixelShape& t) {
                        return std::tie(s->circle, s->a, s->b, s->radius, s->pen, s->fill) ==
                               std::tie(t.circle, t.a, t.b, t.radius, t.pen, t.fill);
                    }))
                    paint(lastOnly, *s);
                else if (s->circle)
                    repeated.push_back(s->a);
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
};

QTEST_MAIN(TestGraphView)
#include "tst_graph_view.moc"
