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

const QString kPanel = QStringLiteral("Label0 Label1 Label2 Label3 Shape0 Shape1 Shape2 Shape3");
const QStringList kControls =
    (kPanel + " Text0 Text1 Text2 Text3 ExamComm ExamList ExamListShadow Image1 ImgShadow").split(' ');
const QString kRows = QStringLiteral("#400000 #004000 #000040 #400040");

// clang-format off
// Each view: its name, its command, the window's size, then what entering it sets, as LookOf reads
// it back ("=" where it leaves what the view before it left): the caption, the background, the
// controls shown, the labels' colours, Label(1)'s points, Erase exam(s), the focus and the surface.
const QStringList kViews[] = {
    {"statistics", "ViewMainStats", "normal", "Examora", "#404040", kPanel, kRows, "24", "hidden", "Surface",
     "blank"},
    {"entry panel", "AddExam", "normal", "Examora", "#404040", kPanel + " Text0 Text1 Text2 Text3 ExamComm", kRows,
     "24", "hidden", "Text0", "blank"},
    {"graph", "MarksTime", "maximised", "=", "#004000", "", "=", "=", "=", "Surface", "drawn"},
    {"exam list", "ShowExams", "maximised", "Examora", "#400000", "ExamList ExamListShadow", "=", "=",
     "Erase shown", "ExamList", "blank"},
    {"what if", "WhatIf", "normal", "Examora", "#404040", "", "=", "=", "hidden", "Plan", "blank"},
    {"info", "Info", "normal", "Examora", "#404040", "Label0 Label1 Shape0 Shape1 Image1 ImgShadow",
     "#400000 #400000 #400000 #400000", "18", "hidden", "Surface", "blank"}};

// Every item as the window starts with no data file, the bar's first: its name, its caption with
// its mnemonic, where it is, whether it is enabled (E), checked (C) and shown (S), and its keys.
const QStringList kItems = {
    "File: &File on bar ES", "Load: &Load on File ES F5, Ctrl+R", "Save: &Save on File ES Ctrl+S",
    "ExportCsv: &Export CSV... on File ES", "ExportPdf: Export &PDF report... on File ES", "Undo: &Undo on File S Ctrl+Z, Alt+Backspace",
    "Redo: &Redo on File S Ctrl+Y, Alt+Shift+Backspace, Ctrl+Shift+Z", "Quit: &Quit on File ES Ctrl+Q", "AddExam: &Add exam on bar ES", "ShowExams: &List on bar S",
    "EraseExams: &Erase exam(s) on bar ", "ViewMainStats:  &Stats on bar ES", "Graphics: &Graphics on bar ES",
    "MarksTime: Marks &VS Time on Graphics ES", "MarksCredits: Marks x &Credits VS Time on Graphics ES",
    "Mode: &Mode on bar ES", "AcademicMode: &Academic Mode on Mode ECS", "MathMode: Ma&th Mode on Mode ES",
    "WhatIf: &What if on bar ES", "Info: &Info on bar ES", "SetTimeUnits: Units on  ES", "Days: &Days on SetTimeUnits ES",
    "Months: &Months on SetTimeUnits ES", "Years: &Years on SetTimeUnits ECS"};
// clang-format on

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
    const QWidget* focus = f.window().focusWidget();
    QStringList look{f.caption(), surface->BackColor().name(), shown.join(' '), colours.join(' ')};
    look << QString::number(f.label(1)->FontSize())
         << (f.action("EraseExams")->isVisible() ? "Erase shown" : "hidden");
    look << (focus ? focus->objectName() : "nothing");
    look << (surface->Image().convertToFormat(QImage::Format_RGB32) == blank ? "blank" : "drawn");
    return look << (f.checked(1) ? "second line checked" : "unchecked");
}

// Whether a graph answers the pointer: moving over the surface, to two points in case the pointer
// is at one already, changes the caption.
bool GraphAnswers(WindowFixture& f) {
    const QString before = f.caption();
    for (QPoint offset : {QPoint(40, -30), QPoint(-60, 20)})
        QTest::mouseMove(f.surface(), f.surface()->rect().center() + offset);
    return f.caption() != before;
}

// An item as kItems has it, then, for a menu, its items.
void Describe(QAction* action, const QString& on, QStringList& found) {
    QMenu* menu = action->menu();
    const QString flags = QString(action->isEnabled() ? "E" : "") + (action->isChecked() ? "C" : "") +
                          (action->isVisible() ? "S" : "");
    QStringList keys;
    for (const QKeySequence& key : action->shortcuts())
        keys << key.toString(QKeySequence::PortableText);
    found << QStringLiteral("%1: %2 on %3 %4").arg(menu ? menu->objectName() : action->objectName(),
                                                   menu ? menu->title() : action->text(), on, flags) +
                 (keys.isEmpty() ? QString() : QLatin1Char(' ') + keys.join(QStringLiteral(", ")));
    for (QAction* item : menu ? menu->actions() : QList<QAction*>())
        if (!item->isSeparator())
            Describe(item, menu->objectName(), found);
}

} // namespace

class TestViewsMenus : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The items at start; the graphs, enabled as Graphics opens with two exams; one mode checked.
    void menus() {
        WindowFixture fixture(std::nullopt);
        QStringList found;
        for (QAction* action : fixture.window().menuBar()->actions())
            Describe(action, "bar", found);
        Describe(fixture.find<QMenu>("SetTimeUnits")->menuAction(), "", found);
        QCOMPARE(found, kItems);

        fixture.typeExam("Analysis", "27", "6");
        for (const bool enough : {false, true}) {
            emit fixture.find<QMenu>("Graphics")->aboutToShow();
            QCOMPARE(fixture.action("MarksTime")->isEnabled(), enough);
            QCOMPARE(fixture.action("MarksCredits")->isEnabled(), enough);
            fixture.typeExam("Physics", "24", "9");
        }
        QAction* academic = fixture.action("AcademicMode");
        QAction* math = fixture.action("MathMode");
        for (QAction* chosen : {math, math, academic}) {
            fixture.choose(chosen->objectName());
            QVERIFY(chosen->isChecked() && academic->isChecked() != math->isChecked());
        }
    }

    // Three exams are held and the second line is checked; every view is entered after every other.
    void viewAfterView_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        for (int from = 0; from < 5; ++from)
            for (int to = 0; to < 5; ++to)
                QTest::addRow("%s, then %s", qPrintable(kViews[from][0]), qPrintable(kViews[to][0]))
                    << from << to;
    }
    void viewAfterView() {
        QFETCH(int, from);
        QFETCH(int, to);
        WindowFixture fixture(
            DataFile({"Analysis;1/10/2005;30;6", "Physics;6/20/2005;24;9", "Chemistry;2/15/2006;0;3"}));
        Form1& w = fixture.window();
        fixture.setChecked(1, true);
        fixture.choose(kViews[from][1]);
        QStringList want = LookOf(fixture);
        for (int part = 0; part < 8; ++part)
            if (kViews[to][part + 3] != "=")
                want[part] = kViews[to][part + 3];
        fixture.choose(kViews[to][1]);
        QCOMPARE(LookOf(fixture), want);
        const bool maximised = kViews[to][2] == "maximised";
        QTRY_COMPARE(w.isMaximized(), maximised);
        if (maximised)
            QTRY_COMPARE(w.frameGeometry(), w.screen()->availableGeometry());
        else {
            QTRY_COMPARE(w.frameGeometry().size(), fixture.normalSize());
            QCOMPARE(fixture.surface()->size(), QSize(ToPixels(6525), ToPixels(8190)));
        }
        QCOMPARE(GraphAnswers(fixture), kViews[to][0] == "graph");
    }
};

QTEST_MAIN(TestViewsMenus)
#include "tst_views_menus.moc"
