// The exam list view: lines checked by clicking their check boxes, "Erase exam(s)" shown while a
// line is checked, the erasure of every checked line in one pass, and the list after undo and redo.
#include "stats/main_stats.h"
#include "support/window_fixture.h"

#include <QScreen>
#include <QStyle>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

// As the list shows them: sorted, ignoring case.
const QStringList kFive = {"Algebra;1/1/2006;28;6", "biology;1/2/2006;25;6", "Chemistry;1/3/2006;30;6",
                           "Drawing;1/4/2006;27;6", "Economics;1/5/2006;18;6"};

// A click in the middle of the check box at the left of a line.
void ClickCheckBox(WindowFixture& f, int row) {
    QListView* list = f.list();
    list->scrollTo(list->model()->index(row, 0));
    const QRect line = list->visualRect(list->model()->index(row, 0));
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int box = list->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(line.left() + margin + box / 2, line.center().y()));
}

// The rows checked, and "Erase exam(s)" on the menu bar: hidden, enabled or disabled.
QString Checks(const WindowFixture& f) {
    QStringList rows;
    for (int i = 0; i < f.lines().size(); ++i)
        if (f.checked(i))
            rows << QString::number(i);
    const QAction* erase = f.action("EraseExams");
    return rows.join(u' ') + (!erase->isVisible() ? "; hidden" : erase->isEnabled() ? "; enabled" : "; disabled");
}

// Whether closing the window asks to save. The question is answered No; the window, closed either
// way, is shown and made active again.
bool AsksToSave(WindowFixture& f) {
    const qsizetype before = f.messages().prompts.size();
    f.window().close();
    f.window().show();
    f.window().activateWindow();
    if (!QTest::qWaitForWindowActive(&f.window()))
        qFatal("the window did not come back");
    return f.messages().prompts.size() == before + 1 &&
           f.messages().prompts.last().text == QStringLiteral("Do you want to save changes ?");
}

} // namespace

class TestExamListView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The list, where start-up placed it, in front of its shadow over the dark red window, shows
    // every line sorted. Erase exam(s) shows while a line is checked and erases every checked line
    // at once; with nothing checked it still counts as a change; on an empty list it is disabled.
    void erasesTheCheckedLines() {
        WindowFixture fixture(DataFile({kFive[4], kFive[3], kFive[2], kFive[1], kFive[0]}));
        Form1& w = fixture.window();
        const QRect placed = fixture.list()->geometry();
        fixture.choose("ShowExams");
        QTRY_COMPARE(w.frameGeometry(), w.screen()->availableGeometry());
        QCOMPARE(fixture.list()->geometry(), placed);
        QCOMPARE(fixture.lines(), kFive);
        QCOMPARE(Checks(fixture), "; hidden");
        const QImage shot = fixture.surface()->grab().toImage();
        const QRect shadow = fixture.find("ExamListShadow")->geometry();
        QCOMPARE(QColor(shot.pixel(shadow.right() - 2, shadow.bottom() - 2)), QColor(Qt::black));
        QCOMPARE(QColor(shot.pixel(placed.left() + 2, shadow.bottom() - 2)), QColor(64, 0, 0));

        const char* after[] = {"2; enabled", "2 4; enabled", "4; enabled", "; hidden", "1; enabled", "1 2; enabled",
                               "1 2 4; enabled"};
        const int clicks[] = {2, 4, 2, 4, 1, 2, 4};
        for (int i = 0; i < 7; ++i) {
            ClickCheckBox(fixture, clicks[i]);
            QCOMPARE(Checks(fixture), after[i]);
        }
        QVERIFY(!AsksToSave(fixture));
        fixture.choose("EraseExams");
        QCOMPARE(fixture.lines(), (QStringList{kFive[0], kFive[3]}));
        QCOMPARE(Checks(fixture), "; enabled");
        QVERIFY(fixture.messages().prompts.isEmpty());
        QVERIFY(fixture.list()->isVisible());
        QVERIFY(AsksToSave(fixture));
        fixture.choose("Save");
        fixture.choose("EraseExams");
        QCOMPARE(fixture.lines(), (QStringList{kFive[0], kFive[3]}));
        QVERIFY(AsksToSave(fixture));

        for (int row : {0, 1})
            ClickCheckBox(fixture, row);
        fixture.choose("EraseExams");
        QVERIFY(fixture.lines().isEmpty());
        QCOMPARE(Checks(fixture), "; disabled");
        QVERIFY(fixture.action("ShowExams")->isEnabled());
        fixture.choose("AddExam");
        fixture.choose("ShowExams");
        QVERIFY(fixture.list()->isVisible());
        QCOMPARE(fixture.list()->model()->rowCount(), 0);
    }

    // A read of the file clears the checks and the list shows what it read: one that finds no record
    // empties the list, and Erase exam(s), with nothing checked, goes.
    void readingEmptiesTheList() {
        WindowFixture fixture(DataFile(kFive));
        fixture.choose("ShowExams");
        ClickCheckBox(fixture, 1);
        fixture.choose("Load");
        QCOMPARE(fixture.lines(), kFive);
        QVERIFY(!fixture.checked(1));
        ClickCheckBox(fixture, 1);
        fixture.writeDataFile("not a record\r\n");
        fixture.choose("Load");
        QVERIFY(fixture.lines().isEmpty());
        QCOMPARE(Checks(fixture), "; hidden");
        QVERIFY(!AsksToSave(fixture));
    }

    // Each kind of change is undone and redone with the keys, the unsaved state following the last
    // save; the view on screen shows the list as it now is.
    void undoAndRedo_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QKeySequence>("redoKey");
        QStringList inserted = kFive, changed = kFive;
        inserted.insert(3, "Chess;12/7/2026;30;6");
        changed.move(2, 4);
        changed[4] = "Physics;1/3/2006;30;6";
        QTest::newRow("insertion") << "AddExam" << inserted << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        QTest::newRow("erasure") << "EraseExams" << QStringList{kFive[0], kFive[2], kFive[4]}
                                 << QKeySequence(Qt::CTRL | Qt::Key_Y);
        QTest::newRow("change") << "Change" << changed << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    }

    void undoAndRedo() {
        QFETCH(QString, change);
        QFETCH(QStringList, after);
        QFETCH(QKeySequence, redoKey);
        WindowFixture fixture(DataFile(kFive));
        QAction* undo = fixture.action("Undo");
        QAction* redo = fixture.action("Redo");
        QListView* list = fixture.list();
        fixture.choose(change == "AddExam" ? "AddExam" : "ShowExams");
        if (change == "AddExam") {
            fixture.typeExam("Chess", "30", "6");
        } else if (change == "EraseExams") {
            ClickCheckBox(fixture, 1);
            ClickCheckBox(fixture, 3);
            fixture.choose("EraseExams");
        } else {
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(2, 0)).center());
            QCOMPARE(fixture.label(0)->Caption(), QStringLiteral("Change exam"));
            fixture.retype(fixture.text(0), "Physics");
            QTest::mouseClick(fixture.button(), Qt::LeftButton);
        }
        QCOMPARE(fixture.lines(), after);
        QVERIFY(undo->isEnabled() && !redo->isEnabled());
        fixture.choose("ShowExams");
        QVERIFY(AsksToSave(fixture));
        QTest::keyClick(&fixture.window(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(fixture.lines(), kFive);
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
        QVERIFY(!AsksToSave(fixture));
        QTest::keySequence(&fixture.window(), redoKey);
        QCOMPARE(fixture.lines(), after);
        QVERIFY(AsksToSave(fixture));
        // Undone past a save, the list differs from the file again; the figures shown follow.
        fixture.choose("Save");
        QVERIFY(!AsksToSave(fixture));
        fixture.choose("ViewMainStats");
        fixture.choose("Undo");
        QCOMPARE(fixture.label(0)->Caption(), CaptionsOf(ComputeMainStats(kFive, AverageMode::Academic)).exams);
        QVERIFY(AsksToSave(fixture));
        fixture.choose("Load");
        QCOMPARE(fixture.lines(), after);
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    }
};

QTEST_MAIN(TestExamListView)
#include "tst_exam_list_view.moc"
