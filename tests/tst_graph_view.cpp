// The two graphs on the real window: what the Graphics menu offers, the colours on the surface, the
// Units pop-up and the read-out that the pointer writes into the title.
#include "window/widgets/shape_painter.h"
#include "support/window_fixture.h"

#include <QMenu>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cmath>

using namespace examora;
using namespace examora::testing;

namespace {

const QString kWhite = "#ffffff", kYellow = "#ffff00", kBlue = "#0000ff", kDarkGreen = "#004000",
              kDarkBlue = "#000040", kStem = "a white stem";
// 15 January, 3 and 20 March 2004; marks 18, 30 and 24, marks times credits 108, 270 and 144. In
// list order Chemistry comes before Physics, both in March.
const QStringList kWorkedExample{"Analysis;1/15/2004;18;6", "Chemistry;3/20/2004;30;9", "Physics;3/3/2004;24;6"};
// Over three years from 10 March 2003; in years Chemistry and Physics share x = 1.
const QStringList kThreeYears{"Analysis;3/10/2003;18;6", "Chemistry;3/20/2004;30;9", "Physics;3/3/2004;24;6",
                              "Statistics;6/5/2005;27;3"};

QString ColourAt(const QImage& image, QPointF pixel) {
    return image.pixelColor(int(std::floor(pixel.x())), int(std::floor(pixel.y()))).name();
}
QString Corner(const QImage& image) { return ColourAt(image, QPointF(image.width() - 1, 0)); }
QImage Shown(const WindowFixture& f) { return f.surface()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// A point of the graph (x, y), moved right and down by a number of circle radii (a radius is a
// ninety-ninth of the graph's width), and its colour on screen: kStem is white in one of the three
// columns there, where a stem one pixel wide may fall.
struct Spot {
    double x, y, right, down;
    QString colour;
};
// The spots whose colour on screen differs.
QStringList Wrong(const WindowFixture& f, const QImage& image, std::initializer_list<Spot> spots) {
    QStringList wrong;
    for (const Spot& s : spots) {
        const QPointF at = f.surface()->ToPixels({s.x, s.y}) + QPointF(s.right, s.down) * f.surface()->width() / 99.0;
        QString seen = ColourAt(image, at);
        for (int dx : {-1, 1})
            if (s.colour == kStem && seen != kWhite)
                seen = ColourAt(image, at + QPointF(dx, 0));
        if (seen != (s.colour == kStem ? kWhite : s.colour))
            wrong.append(QStringLiteral("(%1, %2): %3, not %4").arg(s.x).arg(s.y).arg(seen, s.colour));
    }
    return wrong;
}

// Opens the Graphics menu: whether it offers its two graphs.
QList<bool> GraphsOffered(WindowFixture& f) {
    emit f.find<QMenu>("Graphics")->aboutToShow();
    return {f.action("MarksTime")->isEnabled(), f.action("MarksCredits")->isEnabled()};
}
// The checked items of the Graphics menu and of the Units pop-up.
QStringList CheckedItems(const WindowFixture& f) {
    QStringList checked;
    for (const char* item : {"MarksTime", "MarksCredits", "Years", "Months", "Days"})
        if (f.action(item)->isChecked())
            checked.append(item);
    return checked;
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

// Moving the pointer and pressing the right button leave the title as it is and open no pop-up.
void PointerIgnored(WindowFixture& f) {
    const QString caption = f.caption();
    QTest::mouseMove(f.surface(), QPoint(50, 60));
    QTest::mouseClick(f.surface(), Qt::RightButton, {}, QPoint(50, 50));
    QCoreApplication::processEvents();
    QVERIFY(!f.find<QMenu>("SetTimeUnits")->isVisible());
    QCOMPARE(f.caption(), caption);
}

// The surface holds nothing drawn on its background.
QImage Plain(const WindowFixture& f, const QColor& background) {
    QImage plain(f.surface()->Image().size(), QImage::Format_RGB32);
    plain.fill(background);
    return plain;
}

} // namespace

class TestGraphView : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // With one exam the graphs are not offered and choosing one changes nothing; a graph whose second
    // exam is undone under it only clears the surface.
    void graphsNeedTwoExams() {
        WindowFixture f(DataFile({"Analysis;1/15/2004;18;6"}));
        QCOMPARE(GraphsOffered(f), (QList<bool>{false, false}));
        f.choose("MarksTime");
        QVERIFY(f.text(0)->isVisible());
        QCOMPARE(f.caption(), "Examora");
        QCOMPARE(f.surface()->Scale().height, 0.0);
        QCOMPARE(f.surface()->Image(), Plain(f, f.surface()->BackColor()));
        PointerIgnored(f);

        f.typeExam("Physics", "24", "6", "3/3/2004");
        QCOMPARE(GraphsOffered(f), (QList<bool>{true, true}));
        Draw(f, "MarksTime");
        f.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window()));
        QTest::keyClick(&f.window(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.lines(), QStringList{"Analysis;1/15/2004;18;6"});
        QCOMPARE(f.surface()->Image(), Plain(f, QColor(0, 64, 0)));
        QCOMPARE(GraphsOffered(f), (QList<bool>{false, false}));
    }

    // The marks graph on dark green: read by the pointer, kept through repaints, drawn again at a new
    // size. The marks times credits graph then replaces it on dark blue, until the File menu ends
    // the read-out and the pop-up and leaves the graph on screen.
    void bothGraphsOverThreeYears() {
        WindowFixture f(DataFile(kThreeYears));
        QVERIFY(f.label(1)->isVisible());
        PointerIgnored(f); // the statistics do not answer the pointer
        QCOMPARE(CheckedItems(f), QStringList{"Years"});
        Draw(f, "MarksTime");
        QCOMPARE(CheckedItems(f), (QStringList{"MarksTime", "Years"}));
        QCOMPARE(f.caption(), "Examora");
        QVERIFY(!f.label(1)->isVisible() && !f.find("Shape1")->isVisible() && f.window().isMaximized());
        QCOMPARE(f.surface()->Scale().top, 31.0);
        QCOMPARE(f.surface()->Scale().width, double(float(2 + 1.0 / 12)));
        QImage image = Shown(f);
        QCOMPARE(Corner(image), kDarkGreen);
        // Statistics, alone in 2005: the stem ends at the value, and is drawn over the circle.
        const double r = f.surface()->width() / 99.0;
        QCOMPARE(Wrong(f, image, {{2, 27, .5, 0, kYellow}, {2, 27, -.5, 1. / 3, kYellow}, {2, 13.5, 0, 0, kStem},
                                  {2, 1.2, 0, 0, kStem}, {2, 13.5, 1, 0, kDarkGreen},
                                  {2, 27, 0, -1 - 3 / r, kDarkGreen}, {2, 27, 0, .5, kStem}}),
                 QStringList());

        // The years count from the earliest exam's; moving never redraws.
        PointAt(f, 1, 27.5);
        QTRY_COMPARE(f.caption(), " 2004;  Mark :  27.5");
        PointAt(f, 0, 20);
        QTRY_COMPARE(f.caption(), " 2003;  Mark :  20");
        QTest::mouseMove(f.surface(), QPoint(200, 200));
        QTRY_VERIFY(f.caption() != " 2003;  Mark :  20");
        QCOMPARE(Shown(f), image);
        f.surface()->repaint();
        QCOMPARE(Shown(f), image);
        f.surface()->repaint(QRect(100, 100, 200, 200));
        QCOMPARE(Shown(f), image);

        f.window().setWindowState(Qt::WindowNoState);
        f.window().resize(500, 380);
        QTRY_COMPARE(f.surface()->Image().size(), f.surface()->size());
        QVERIFY(f.surface()->width() < image.width());
        const QImage resized = Shown(f);
        QCOMPARE(Corner(resized), kDarkGreen);
        QCOMPARE(Wrong(f, resized, {{2, 27, .5, 0, kYellow}, {2, 13.5, 0, 0, kStem}}), QStringList());

        Draw(f, "MarksCredits");
        QCOMPARE(CheckedItems(f), (QStringList{"MarksCredits", "Years"}));
        image = Shown(f);
        QCOMPARE(Corner(image), kDarkBlue);
        // Chemistry, 30 x 9; Statistics, 27 x 3.
        QCOMPARE(Wrong(f, image, {{1, 270, .5, 0, kBlue}, {2, 40, 0, 0, kStem}}), QStringList());
        PointAt(f, 1, 200);
        QTRY_VERIFY2(f.caption().startsWith(" 2004;  Mark x Credits :  "), qPrintable(f.caption()));
        emit f.find<QMenu>("File")->aboutToShow();
        QCOMPARE(f.caption(), "Examora");
        PointAt(f, 2, 100);
        PointerIgnored(f);
        QCOMPARE(Shown(f), image);
    }

    // Two exams in one year: the later line's circle covers the earlier one's where they overlap,
    // so the earlier outline does not show inside it, while the later outline crosses the earlier.
    void laterExamOnTopAtSharedX() {
        WindowFixture f(DataFile({"Algebra;5/10/2006;30;6", "Anatomy;10/1/2005;25;6", "Botany;5/12/2006;29.7;6",
                                  "Zoology;9/1/2008;20;6"}));
        Draw(f, "MarksTime");
        const QImage image = Shown(f);
        const QPointF earlier = f.surface()->ToPixels({1, 30}), later = f.surface()->ToPixels({1, 29.7});
        const double r = f.surface()->width() / 99.0, apart = later.y() - earlier.y();
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
        QCOMPARE(Wrong(f, image, {{1, 29.7, 0, .5, kStem}}), QStringList()); // the later stem crosses its circle
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
        WindowFixture f(DataFile({"A;1/15/2004;0;6", "B;6/15/2005;0;6", "C;3/3/2006;0;6"}));
        Draw(f, "MarksTime");
        QVERIFY(f.messages().prompts.isEmpty());
        QCOMPARE(f.surface()->ToPixels({1, 0}).y(), double(f.surface()->height()));
        QCOMPARE(Wrong(f, Shown(f), {{1, 0, .5, -.5, kYellow}, {1, .5, 0, 0, kDarkGreen}}), QStringList());
        PointAt(f, 1, 0.5);
        QTRY_VERIFY2(f.caption().startsWith(" 2005;  Mark :  "), qPrintable(f.caption()));
    }

    // The pop-up draws the graph again in the unit chosen: the marks times credits graph in months,
    // then days, on dark blue; the marks graph keeps its check mark and its dark green through a
    // change of unit, and the unit already checked draws the same graph again.
    void unitsFromThePopup() {
        WindowFixture f(DataFile(kWorkedExample));
        Draw(f, "MarksCredits");
        QTest::mouseClick(f.surface(), Qt::LeftButton, {}, QPoint(60, 50));
        QVERIFY(!f.find<QMenu>("SetTimeUnits")->isVisible());
        ChooseUnit(f, "Months");
        QCOMPARE(CheckedItems(f), (QStringList{"MarksCredits", "Months"}));
        QCOMPARE(Corner(Shown(f)), kDarkBlue);
        QCOMPARE(Wrong(f, Shown(f), {{2, 270, .5, 0, kBlue}}), QStringList());
        PointAt(f, 2, 243);
        QTRY_VERIFY(f.caption().startsWith("MARCH;  Mark x Credits :  2"));
        const double value = f.caption().section(" : ", 1).toDouble();
        QVERIFY2(std::fabs(value - 243) <= 270.0 / f.surface()->height() / 2 + 0.05, qPrintable(f.caption()));

        ChooseUnit(f, "Days");
        QCOMPARE(CheckedItems(f), (QStringList{"MarksCredits", "Days"}));
        QCOMPARE(Corner(Shown(f)), kDarkBlue);
        QCOMPARE(Wrong(f, Shown(f), {{48, 144, .5, 0, kBlue}}), QStringList());
        PointAt(f, 60, 100);
        QTRY_VERIFY(f.caption().startsWith("Monday, March 15, 2004;  Mark x Credits :  "));

        Draw(f, "MarksTime");
        ChooseUnit(f, "Months");
        QCOMPARE(CheckedItems(f), (QStringList{"MarksTime", "Months"}));
        const QImage image = Shown(f);
        QCOMPARE(Corner(image), kDarkGreen);
        QCOMPARE(Wrong(f, image, {{2, 24, .5, 0, kYellow}, {2, 12, 0, 0, kStem}}), QStringList());
        PointAt(f, 0, 18);
        QTRY_VERIFY(f.caption().startsWith("JANUARY;  Mark :  "));
        ChooseUnit(f, "Months");
        QCOMPARE(CheckedItems(f), (QStringList{"MarksTime", "Months"}));
        QCOMPARE(Shown(f), image);
    }
};

QTEST_MAIN(TestGraphView)
#include "tst_graph_view.moc"
