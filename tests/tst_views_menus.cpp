// The menu bar and its rules, and what each view leaves on the window, whichever view came before.
#include "platform/twips.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

enum class V { Stats, Entry, Graph, List, Info };
const char* const kViewNames[] = {"statistics", "entry panel", "graph", "exam list", "info"};

const QStringList kThreeExams = {"Analysis;1/10/2005;30;6", "Physics;6/20/2005;24;9",
                                 "Chemistry;2/15/2006;0;3"};

QString Plain(const QString& caption) { return QString(caption).remove(u'&'); }

void Enter(Form1& w, V view) {
    QAction* commands[] = {w.ViewMainStats, w.AddExam, w.MarksTime, w.ShowExams, w.Info};
    commands[static_cast<int>(view)]->trigger();
}

// Everything a view may set, read back from the window.
struct Look {
    QString caption;
    QColor background;
    bool maximised = false;
    bool graphShown = false;
    bool labels[4], shapes[4], texts[4];
    QColor labelColours[4];
    double label1Points = 0;
    bool examComm = false, list = false, listShadow = false, picture = false, pictureShadow = false;
    bool eraseItem = false;
};

Look LookOf(Form1& w) {
    Look look;
    look.caption = w.Caption();
    look.background = w.surface->BackColor();
    look.maximised = w.isMaximized();
    look.graphShown = w.graphShown;
    for (int i = 0; i < 4; ++i) {
        look.labels[i] = w.Label[i]->isVisible();
        look.shapes[i] = w.Shape[i]->isVisible();
        look.texts[i] = w.Text[i]->isVisible();
        look.labelColours[i] = w.Label[i]->BackColor();
    }
    look.label1Points = w.Label[1]->FontSize();
    look.examComm = w.ExamComm->isVisible();
    look.list = w.ExamList->isVisible();
    look.listShadow = w.ExamListShadow->isVisible();
    look.picture = w.Image1->isVisible();
    look.pictureShadow = w.ImgShadow->isVisible();
    look.eraseItem = w.EraseExams->isVisible();
    return look;
}

// What the view procedure must leave, given what the view before it left (for the cells that say
// "unchanged"). Three exams are held and one list line is checked.
Look Expected(V view, const Look& before) {
    const QColor grey(64, 64, 64), darkRed(64, 0, 0);
    const QColor rows[4] = {QColor(64, 0, 0), QColor(0, 64, 0), QColor(0, 0, 64), QColor(64, 0, 64)};
    Look look = before;
    look.caption = view == V::Graph ? before.caption : QStringLiteral("Examora");
    const QColor backgrounds[] = {grey, grey, QColor(0, 64, 0), darkRed, grey};
    look.background = backgrounds[static_cast<int>(view)];
    look.maximised = view == V::Graph || view == V::List;
    look.graphShown = view == V::Graph;
    for (int i = 0; i < 4; ++i) {
        const bool panel = view == V::Stats || view == V::Entry || (view == V::Info && i < 2);
        look.labels[i] = look.shapes[i] = panel;
        look.texts[i] = view == V::Entry;
        if (view == V::Stats || view == V::Entry)
            look.labelColours[i] = rows[i];
        else if (view == V::Info)
            look.labelColours[i] = darkRed;
    }
    if (view == V::Stats || view == V::Entry)
        look.label1Points = 24;
    else if (view == V::Info)
        look.label1Points = 18;
    look.examComm = view == V::Entry;
    look.list = look.listShadow = view == V::List;
    look.picture = look.pictureShadow = view == V::Info;
    if (view != V::Graph)
        look.eraseItem = view == V::List;
    return look;
}

bool SurfaceBlank(const Surface* surface) {
    const QImage image = surface->Image().convertToFormat(QImage::Format_RGB32);
    QImage blank(image.size(), QImage::Format_RGB32);
    blank.fill(surface->BackColor());
    return image == blank;
}

QList<QAction*> MenuBarActions(Form1& w) { return w.menuBar()->actions(); }

} // namespace

class TestViewsMenus : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void menuItemsAtStart_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("menu"); // the menu holding it, "bar" for the bar, "" for none
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("checked");
        auto row = [](const char* name, const char* caption, const char* menu, bool enabled, bool checked) {
            QTest::addRow("%s", name) << QString::fromLatin1(name) << QString::fromLatin1(caption)
                                      << QString::fromLatin1(menu) << enabled << checked;
        };
        row("File", "File", "bar", true, false);
        row("Load", "Load", "File", true, false);
        row("Save", "Save", "File", true, false);
        row("ExportCsv", "Export CSV...", "File", true, false);
        row("ExportPdf", "Export PDF report...", "File", true, false);
        row("Undo", "Undo", "File", false, false); // nothing to undo or redo yet
        row("Redo", "Redo", "File", false, false);
        row("AddExam", "Add exam", "bar", true, false);
        row("ShowExams", "List", "bar", false, false);
        row("EraseExams", "Erase exam(s)", "bar", false, false); // a hidden item cannot be chosen
        row("ViewMainStats", " Stats", "bar", true, false);
        row("Graphics", "Graphics", "bar", true, false);
        row("MarksTime", "Marks VS Time", "Graphics", true, false);
        row("MarksCredits", "Marks x Credits VS Time", "Graphics", true, false);
        row("SetTimeUnits", "Units", "", true, false);
        row("Days", "Days", "SetTimeUnits", true, false);
        row("Months", "Months", "SetTimeUnits", true, false);
        row("Years", "Years", "SetTimeUnits", true, true);
        row("Mode", "Mode", "bar", true, false);
        row("AcademicMode", "Academic Mode", "Mode", true, true);
        row("MathMode", "Math Mode", "Mode", true, false);
        row("Info", "Info", "bar", true, false);
    }

    void menuItemsAtStart() {
        QFETCH(QString, name);
        QFETCH(QString, menu);
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        QAction* action = w.findChild<QAction*>(name);
        QString caption = action ? action->text() : QString();
        if (auto* asMenu = w.findChild<QMenu*>(name)) {
            action = asMenu->menuAction();
            caption = asMenu->title();
        }
        QVERIFY2(action, qPrintable(name));
        QTEST(Plain(caption), "caption");
        QTEST(action->isEnabled(), "enabled");
        QTEST(action->isChecked(), "checked");
        // Every item is shown but "Erase exam(s)", hidden until a list line is checked.
        QCOMPARE(action->isVisible(), name != QLatin1String("EraseExams"));
        const bool onBar = MenuBarActions(w).contains(action);
        QCOMPARE(onBar, menu == QLatin1String("bar"));
        if (!onBar && !menu.isEmpty())
            QVERIFY(w.findChild<QMenu*>(menu)->actions().contains(action));
    }

    void menuBarOrderAndMnemonics() {
        WindowFixture fixture(std::nullopt);
        QStringList captions, mnemonics;
        for (QAction* action : MenuBarActions(fixture.window())) {
            captions << Plain(action->text());
            mnemonics << action->text().section(u'&', 1).left(1).toUpper();
        }
        QCOMPARE(captions, (QStringList{"File", "Add exam", "List", "Erase exam(s)", " Stats", "Graphics",
                                        "Mode", "Info"}));
        // Alt and one letter reaches each command on the bar: one letter each, all different.
        QCOMPARE(QSet<QString>(mnemonics.begin(), mnemonics.end()).size(), captions.size());
        QVERIFY(!mnemonics.contains(QString()));
    }

    void viewAfterView_data() {
        QTest::addColumn<V>("from");
        QTest::addColumn<V>("to");
        for (V from : {V::Stats, V::Entry, V::Graph, V::List, V::Info})
            for (V to : {V::Stats, V::Entry, V::Graph, V::List, V::Info})
                QTest::addRow("%s, then %s", kViewNames[static_cast<int>(from)],
                              kViewNames[static_cast<int>(to)])
                    << from << to;
    }

    void viewAfterView() {
        QFETCH(V, from);
        QFETCH(V, to);
        WindowFixture fixture(DataFile(kThreeExams));
        Form1& w = fixture.window();
        w.ExamList->Store().setData(w.ExamList->Store().index(1), Qt::Checked, Qt::CheckStateRole);
        Enter(w, from);
        const Look before = LookOf(w);
        Enter(w, to);
        const Look want = Expected(to, before);
        const Look got = LookOf(w);

        QCOMPARE(got.caption, want.caption);
        QCOMPARE(got.background, want.background);
        QTRY_COMPARE(w.isMaximized(), want.maximised);
        if (want.maximised)
            QTRY_COMPARE(w.frameGeometry(), w.screen()->availableGeometry());
        else {
            QTRY_COMPARE(w.frameGeometry().size(), QSize(ToPixels(w.normalWidth), ToPixels(w.normalHeight)));
            QCOMPARE(w.surface->size(), QSize(ToPixels(6525), ToPixels(8190)));
        }
        QCOMPARE(got.graphShown, want.graphShown);
        for (int i = 0; i < 4; ++i) {
            QVERIFY2(got.labels[i] == want.labels[i], qPrintable(QStringLiteral("Label(%1)").arg(i)));
            QVERIFY2(got.shapes[i] == want.shapes[i], qPrintable(QStringLiteral("Shape(%1)").arg(i)));
            QVERIFY2(got.texts[i] == want.texts[i], qPrintable(QStringLiteral("Text(%1)").arg(i)));
            QCOMPARE(got.labelColours[i], want.labelColours[i]);
        }
        QCOMPARE(got.label1Points, want.label1Points);
        QCOMPARE(got.examComm, want.examComm);
        QCOMPARE(got.list, want.list);
        QCOMPARE(got.listShadow, want.listShadow);
        QCOMPARE(got.picture, want.picture);
        QCOMPARE(got.pictureShadow, want.pictureShadow);
        if (want.picture)
            QCOMPARE(w.ImgShadow->size(), w.Image1->size());
        QCOMPARE(got.eraseItem, want.eraseItem);
        if (to != V::Graph)
            QVERIFY(SurfaceBlank(w.surface));
        else
            QVERIFY(!SurfaceBlank(w.surface));
    }

    void listEnabledOnceExamsAreHeld_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("enabled");
        QTest::addRow("no data file") << QStringList() << false;
        QTest::addRow("one exam read") << QStringList{"Physics;6/20/2005;24;9"} << true;
    }

    void listEnabledOnceExamsAreHeld() {
        QFETCH(QStringList, lines);
        WindowFixture fixture(lines.isEmpty() ? std::nullopt : std::optional(DataFile(lines)));
        QTEST(fixture.window().ShowExams->isEnabled(), "enabled");
    }

    void graphicsItemsFollowTheCount_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("enabled");
        QTest::addRow("one exam: both disabled") << QStringList{"Physics;6/20/2005;24;9"} << false;
        QTest::addRow("two exams: both enabled") << kThreeExams.mid(0, 2) << true;
    }

    void graphicsItemsFollowTheCount() {
        QFETCH(QStringList, lines);
        QFETCH(bool, enabled);
        WindowFixture fixture(DataFile(lines));
        Form1& w = fixture.window();
        // The opposite state first, so that only the opening can set the right one.
        w.MarksTime->setEnabled(!enabled);
        w.MarksCredits->setEnabled(!enabled);
        w.Graphics->popup(w.mapToGlobal(QPoint(10, 10)));
        QTRY_VERIFY(w.Graphics->isVisible());
        QCOMPARE(w.MarksTime->isEnabled(), enabled);
        QCOMPARE(w.MarksCredits->isEnabled(), enabled);
        w.Graphics->hide();
    }

    void exactlyOneModeChecked() {
        WindowFixture fixture(DataFile(kThreeExams));
        Form1& w = fixture.window();
        for (QAction* chosen : {w.MathMode, w.MathMode, w.AcademicMode, w.AcademicMode, w.MathMode}) {
            chosen->trigger();
            QVERIFY(chosen->isChecked());
            QCOMPARE(w.AcademicMode->isChecked(), !w.MathMode->isChecked());
        }
    }

    void openingFileStopsTheReadout() {
        WindowFixture fixture(DataFile(kThreeExams));
        Form1& w = fixture.window();
        w.MarksTime->trigger();
        QTRY_VERIFY(w.isMaximized());
        const QPoint middle = w.surface->rect().center();
        QTest::mouseMove(w.surface, middle);
        QTRY_VERIFY(w.Caption() != QLatin1String("Examora"));
        QTest::mousePress(w.surface, Qt::RightButton, {}, middle);
        QTRY_VERIFY(w.SetTimeUnits->isVisible());
        w.SetTimeUnits->hide();

        w.File->popup(w.mapToGlobal(QPoint(10, 10)));
        QTRY_VERIFY(w.File->isVisible());
        w.File->hide();
        QCOMPARE(w.Caption(), QStringLiteral("Examora"));
        QVERIFY(!w.graphShown);
        QVERIFY(!SurfaceBlank(w.surface)); // the graph stays drawn
        QTest::mouseMove(w.surface, middle + QPoint(40, -30));
        QTest::mouseMove(w.surface, middle + QPoint(-60, 20));
        QCOMPARE(w.Caption(), QStringLiteral("Examora"));
        QTest::mousePress(w.surface, Qt::RightButton, {}, middle);
        QVERIFY(!w.SetTimeUnits->isVisible());
    }

    void eraseStaysOverAGraph() {
        WindowFixture fixture(DataFile(kThreeExams));
        Form1& w = fixture.window();
        w.ShowExams->trigger();
        w.ExamList->Store().setData(w.ExamList->Store().index(0), Qt::Checked, Qt::CheckStateRole);
        w.MarksCredits->trigger();
        QVERIFY(w.graphShown);
        QVERIFY(w.EraseExams->isVisible());
        QVERIFY(w.EraseExams->isEnabled());
        w.EraseExams->trigger();
        QCOMPARE(w.ExamList->Lines(), (QStringList{"Chemistry;2/15/2006;0;3", "Physics;6/20/2005;24;9"}));
    }
};

QTEST_MAIN(TestViewsMenus)
#include "tst_views_menus.moc"
