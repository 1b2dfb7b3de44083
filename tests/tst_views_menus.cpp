// The menu bar and its rules, and what each view leaves on the window, whichever view came before.
#include "support/window_fixture.h"
#include "window/widgets/twips.h"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

enum class V { Stats, Entry, Graph, List, Info };
const char* const kViewNames[] = {"statistics", "entry panel", "graph", "exam list", "info"};
const char* const kCommands[] = {"ViewMainStats", "AddExam", "MarksTime", "ShowExams", "Info"};
const QStringList kControls = {"Label0", "Label1", "Label2", "Label3", "Shape0", "Shape1", "Shape2", "Shape3", "Text0",
                               "Text1", "Text2", "Text3", "ExamComm", "ExamList", "ExamListShadow", "Image1",
                               "ImgShadow"};

// What a view may set, read back from the window, one entry each.
enum Part { Caption, Background, Shown, LabelColours, Label1Points, EraseItem, Focus, Blank, SecondLineChecked };

QStringList LookOf(WindowFixture& f) {
    QStringList shown, colours;
    for (const QString& name : kControls)
        if (f.find(name)->isVisible())
            shown << name;
    for (int i = 0; i < 4; ++i)
        colours << f.label(i)->BackColor().name();
    const Surface* surface = f.surface();
    QImage blank(surface->Image().size(), QImage::Format_RGB32);
    blank.fill(surface->BackColor());
    return {f.caption(), surface->BackColor().name(), shown.join(' '), colours.join(' '),
            QString::number(f.label(1)->FontSize()), f.action("EraseExams")->isVisible() ? "Erase shown" : "hidden",
            "focus on " + (f.window().focusWidget() ? f.window().focusWidget()->objectName() : "nothing"),
            surface->Image().convertToFormat(QImage::Format_RGB32) == blank ? "blank" : "drawn",
            f.checked(1) ? "checked" : "unchecked"};
}

// What entering the view leaves, given what the view before it left where it changes nothing.
QStringList Expected(V view, QStringList look) {
    const int v = static_cast<int>(view);
    const char* backgrounds[] = {"#404040", "#404040", "#004000", "#400000", "#404040"};
    const QStringList shown[] = {kControls.mid(0, 8), kControls.mid(0, 13), {}, {"ExamList", "ExamListShadow"},
                                 {"Label0", "Label1", "Shape0", "Shape1", "Image1", "ImgShadow"}};
    const char* focus[] = {"Surface", "Text0", "Surface", "ExamList", "Surface"};
    look[Background] = backgrounds[v];
    look[Shown] = shown[v].join(' ');
    look[Focus] = QStringLiteral("focus on ") + focus[v];
    look[Blank] = view == V::Graph ? "drawn" : "blank";
    if (view != V::Graph) {
        look[Caption] = "Examora";
        look[EraseItem] = view == V::List ? "Erase shown" : "hidden";
    }
    if (view == V::Stats || view == V::Entry) {
        look[LabelColours] = "#400000 #004000 #000040 #400040";
        look[Label1Points] = "24";
    } else if (view == V::Info) {
        look[LabelColours] = "#400000 #400000 #400000 #400000";
        look[Label1Points] = "18";
    }
    return look;
}

// Whether a graph answers the pointer: moving over the surface changes the caption.
bool GraphAnswers(WindowFixture& f) {
    QStringList captions{f.caption()};
    for (QPoint offset : {QPoint(40, -30), QPoint(-60, 20)}) {
        QTest::mouseMove(f.surface(), f.surface()->rect().center() + offset);
        captions << f.caption();
    }
    captions.removeDuplicates();
    return captions.size() > 1;
}

// Opens a menu as a user does, and closes it again.
void OpenMenu(WindowFixture& f, const QString& name) {
    auto* menu = f.find<QMenu>(name);
    menu->popup(f.window().mapToGlobal(QPoint(10, 10)));
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
}

} // namespace

class TestViewsMenus : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Every item as the window starts with no data file: its caption, where it is, and whether it
    // is enabled (E), checked (C) and shown (S). Then the two modes, exactly one of them checked.
    void menuItemsAtStart() {
        const QStringList items = {
            "File: File on bar ES", "Load: Load on File ES", "Save: Save on File ES",
            "ExportCsv: Export CSV... on File ES", "ExportPdf: Export PDF report... on File ES",
            "Undo: Undo on File S", "Redo: Redo on File S", "AddExam: Add exam on bar ES", "ShowExams: List on bar S",
            "EraseExams: Erase exam(s) on bar ", "ViewMainStats:  Stats on bar ES", "Graphics: Graphics on bar ES",
            "MarksTime: Marks VS Time on Graphics ES", "MarksCredits: Marks x Credits VS Time on Graphics ES",
            "SetTimeUnits: Units on  ES", "Days: Days on SetTimeUnits ES", "Months: Months on SetTimeUnits ES",
            "Years: Years on SetTimeUnits ECS", "Mode: Mode on bar ES", "AcademicMode: Academic Mode on Mode ECS",
            "MathMode: Math Mode on Mode ES", "Info: Info on bar ES"};
        WindowFixture fixture(std::nullopt);
        QStringList found, barCaptions, mnemonics;
        for (const QString& item : items) {
            const QString name = item.section(u':', 0, 0);
            auto* asMenu = fixture.window().findChild<QMenu*>(name);
            QAction* action = asMenu ? asMenu->menuAction() : fixture.action(name);
            QStringList holders;
            for (QObject* holder : action->associatedObjects()) // the named menus and the bar
                if (qobject_cast<QMenuBar*>(holder) || !holder->objectName().isEmpty())
                    holders << (qobject_cast<QMenuBar*>(holder) ? QStringLiteral("bar") : holder->objectName());
            found << QStringLiteral("%1: %2 on %3 ")
                             .arg(name, QString(asMenu ? asMenu->title() : action->text()).remove(u'&'),
                                  holders.join(u',')) +
                         (action->isEnabled() ? "E" : "") + (action->isChecked() ? "C" : "") +
                         (action->isVisible() ? "S" : "");
        }
        QCOMPARE(found, items);
        for (QAction* action : fixture.window().menuBar()->actions()) {
            barCaptions << QString(action->text()).remove(u'&');
            mnemonics << action->text().section(u'&', 1).left(1).toUpper();
        }
        QCOMPARE(barCaptions, (QStringList{"File", "Add exam", "List", "Erase exam(s)", " Stats", "Graphics", "Mode",
                                           "Info"}));
        // Alt and one letter reaches each command on the bar: one letter each, all different.
        QVERIFY(!mnemonics.contains(QString()));
        QCOMPARE(QSet<QString>(mnemonics.begin(), mnemonics.end()).size(), mnemonics.size());

        QAction* academic = fixture.action("AcademicMode");
        QAction* math = fixture.action("MathMode");
        for (QAction* chosen : {math, math, academic, academic, math}) {
            fixture.choose(chosen->objectName());
            QVERIFY(chosen->isChecked());
            QCOMPARE(academic->isChecked(), !math->isChecked());
        }
    }

    // Three exams are held and the second line is checked; every view is entered after every other.
    void viewAfterView_data() {
        QTest::addColumn<V>("from");
        QTest::addColumn<V>("to");
        for (V from : {V::Stats, V::Entry, V::Graph, V::List, V::Info})
            for (V to : {V::Stats, V::Entry, V::Graph, V::List, V::Info})
                QTest::addRow("%s, then %s", kViewNames[static_cast<int>(from)], kViewNames[static_cast<int>(to)])
                    << from << to;
    }

    void viewAfterView() {
        QFETCH(V, from);
        QFETCH(V, to);
        WindowFixture fixture(DataFile({"Analysis;1/10/2005;30;6", "Physics;6/20/2005;24;9", "Chemistry;2/15/2006;0;3"}));
        Form1& w = fixture.window();
        fixture.setChecked(1, true);
        fixture.choose(kCommands[static_cast<int>(from)]);
        const QStringList want = Expected(to, LookOf(fixture));
        fixture.choose(kCommands[static_cast<int>(to)]);
        QCOMPARE(LookOf(fixture), want);
        if (to == V::Info)
            QCOMPARE(fixture.find("ImgShadow")->size(), fixture.find("Image1")->size());
        const bool maximised = to == V::Graph || to == V::List;
        QTRY_COMPARE(w.isMaximized(), maximised);
        if (maximised)
            QTRY_COMPARE(w.frameGeometry(), w.screen()->availableGeometry());
        else {
            QTRY_COMPARE(w.frameGeometry().size(), fixture.normalSize());
            QCOMPARE(fixture.surface()->size(), QSize(ToPixels(6525), ToPixels(8190)));
        }
        QCOMPARE(GraphAnswers(fixture), to == V::Graph);
    }

    // List is enabled once an exam is read; the graphs, each time Graphics opens, once two are held.
    // Over a graph, checked lines can still be erased; opening the File menu stops the graph's
    // read-out and its Units pop-up, and leaves it drawn.
    void graphsAndTheirMenus() {
        WindowFixture fixture(DataFile({"Physics;6/20/2005;24;9"}));
        QVERIFY(fixture.action("ShowExams")->isEnabled());
        for (const char* name : {"Analysis", "Chemistry"}) {
            OpenMenu(fixture, "Graphics");
            for (const char* graph : {"MarksTime", "MarksCredits"})
                QCOMPARE(fixture.action(graph)->isEnabled(), fixture.lines().size() >= 2);
            fixture.typeExam(name, "27", "6", name[0] == 'A' ? "1/10/2005" : "2/15/2006");
        }
        QMenu* units = fixture.find<QMenu>("SetTimeUnits");
        const QPoint middle = fixture.surface()->rect().center();
        fixture.choose("ShowExams");
        fixture.setChecked(0, true);
        fixture.choose("MarksCredits");
        QTRY_VERIFY(fixture.window().isMaximized());
        QVERIFY(GraphAnswers(fixture));
        QTest::mousePress(fixture.surface(), Qt::RightButton, {}, middle);
        QTRY_VERIFY(units->isVisible());
        units->hide();
        QVERIFY(fixture.action("EraseExams")->isVisible() && fixture.action("EraseExams")->isEnabled());
        fixture.choose("EraseExams");
        QCOMPARE(fixture.lines(), (QStringList{"Chemistry;2/15/2006;27;6", "Physics;6/20/2005;24;9"}));

        OpenMenu(fixture, "File");
        QCOMPARE(fixture.caption(), QStringLiteral("Examora"));
        QCOMPARE(LookOf(fixture)[Blank], "drawn");
        QVERIFY(!GraphAnswers(fixture));
        QTest::mousePress(fixture.surface(), Qt::RightButton, {}, middle);
        QVERIFY(!units->isVisible());
    }
};

QTEST_MAIN(TestViewsMenus)
#include "tst_views_menus.moc"
