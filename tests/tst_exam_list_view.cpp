// The exam list view: lines checked by clicking their check boxes, "Erase exam(s)" shown while a
// line is checked, and the erasure of every checked line in one pass.
#include "records/record_line.h"
#include "stats/main_stats.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QScreen>
#include <QStyle>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

const QStringList kFive = {"Algebra;1/1/2006;28;6", "Biology;1/2/2006;25;6", "Chemistry;1/3/2006;30;6",
                           "Drawing;1/4/2006;27;6", "Economics;1/5/2006;18;6"};

// A click in the middle of the check box at the left of a line.
void ClickCheckBox(Form1& w, int row) {
    ExamListBox* list = w.ExamList;
    list->scrollTo(list->model()->index(row, 0));
    const QRect line = list->visualRect(list->model()->index(row, 0));
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int box = list->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(line.left() + margin + box / 2, line.center().y()));
}

// What a user sees ticked, read from the list's model.
QList<int> CheckedRows(Form1& w) {
    QList<int> rows;
    for (int i = 0; i < w.ExamList->model()->rowCount(); ++i)
        if (w.ExamList->model()->index(i, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked)
            rows << i;
    return rows;
}

QStringList ShownLines(Form1& w) {
    QStringList lines;
    for (int i = 0; i < w.ExamList->model()->rowCount(); ++i)
        lines << w.ExamList->model()->index(i, 0).data(Qt::DisplayRole).toString();
    return lines;
}

} // namespace

class TestExamListView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void showsEveryLineSorted() {
        WindowFixture fixture(
            DataFile({"zoology;1/1/2006;28;6", "Algebra;1/2/2006;25;6", "algebra;1/3/2006;30;6"}));
        Form1& w = fixture.window();
        const QRect placed = w.ExamList->geometry();
        w.ShowExams->trigger();
        QTRY_COMPARE(w.frameGeometry(), w.screen()->availableGeometry());
        QCOMPARE(w.ExamList->geometry(), placed);
        QCOMPARE(ShownLines(w),
                 (QStringList{"Algebra;1/2/2006;25;6", "algebra;1/3/2006;30;6", "zoology;1/1/2006;28;6"}));
        QVERIFY(CheckedRows(w).isEmpty());
        QVERIFY(!w.EraseExams->isVisible());
        // The list stands in front of its shadow, over the dark red window.
        const QImage shot = w.surface->grab().toImage();
        const QRect shadow = w.ExamListShadow->geometry();
        QCOMPARE(QColor(shot.pixel(shadow.right() - 2, shadow.bottom() - 2)), QColor(Qt::black));
        QCOMPARE(QColor(shot.pixel(w.ExamList->geometry().left() + 2, shadow.bottom() - 2)),
                 QColor(64, 0, 0));
    }

    // Each kind of change is undone and redone with the keys, the changed state following the last
    // save; the view on screen shows the list as it now is.
    void undoAndRedo_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("insertion") << "insert"
                                   << QStringList{kFive[0], kFive[1], kFive[2], "Chess;12/7/2026;30;6",
                                                  kFive[3], kFive[4]};
        QTest::newRow("erasure") << "erase" << QStringList{kFive[0], kFive[2], kFive[4]};
        QTest::newRow("change") << "change"
                                << QStringList{kFive[0], kFive[1], kFive[3], kFive[4],
                                               "Physics;1/3/2006;30;6"};
    }
    void undoAndRedo() {
        QFETCH(QString, change);
        QFETCH(QStringList, after);
        WindowFixture fixture(DataFile(kFive));
        Form1& w = fixture.window();
        QVERIFY(!w.Undo->isEnabled() && !w.Redo->isEnabled());
        if (change == "insert") {
            w.AddExam->trigger();
            QTest::keyClicks(w.Text[0], QStringLiteral("Chess"));
            QTest::keyClicks(w.Text[2], QStringLiteral("30"));
            QTest::keyClicks(w.Text[3], QStringLiteral("6"));
            QTest::mouseClick(w.ExamComm, Qt::LeftButton);
        } else if (change == "erase") {
            w.ShowExams->trigger();
            ClickCheckBox(w, 1);
            ClickCheckBox(w, 3);
            w.EraseExams->trigger();
        } else {
            w.ExamList_DblClick(2);
            w.Text[0]->setText(QStringLiteral("Physics"));
            w.ExamComm->click();
        }
        QCOMPARE(w.ExamList->Lines(), after);
        QVERIFY(w.dataChanged && w.Undo->isEnabled() && !w.Redo->isEnabled());
        w.ShowExams->trigger();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ShownLines(w), kFive);
        QVERIFY(!w.dataChanged && !w.Undo->isEnabled() && w.Redo->isEnabled());
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ShownLines(w), after);
        QVERIFY(w.Redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
        QVERIFY(w.dataChanged);
        // Undone past a save, the list differs from the file again; the figures shown follow.
        w.Save->trigger();
        QVERIFY(!w.dataChanged);
        w.ViewMainStats->trigger();
        w.Undo->trigger();
        QVERIFY(w.dataChanged);
        QCOMPARE(w.Label[0]->Caption(), CaptionsOf(ComputeMainStats(kFive, AverageMode::Academic)).exams);
        w.Load->trigger();
        QVERIFY(!w.Undo->isEnabled() && !w.Redo->isEnabled());
    }

    void checkingShowsErase() {
        WindowFixture fixture(DataFile(kFive));
        Form1& w = fixture.window();
        w.ShowExams->trigger();
        ClickCheckBox(w, 2);
        QCOMPARE(CheckedRows(w), QList<int>{2});
        QVERIFY(w.EraseExams->isVisible());
        QVERIFY(w.EraseExams->isEnabled());
        ClickCheckBox(w, 4);
        QVERIFY(w.EraseExams->isVisible());
        ClickCheckBox(w, 2);
        QVERIFY(w.EraseExams->isVisible());
        ClickCheckBox(w, 4);
        QVERIFY(CheckedRows(w).isEmpty());
        QVERIFY(!w.EraseExams->isVisible());
    }

    void eraseCheckedLines() {
        WindowFixture fixture(DataFile(kFive));
        Form1& w = fixture.window();
        w.ShowExams->trigger();
        for (int row : {1, 2, 4})
            ClickCheckBox(w, row);
        QCOMPARE(CheckedRows(w), (QList<int>{1, 2, 4}));
        QVERIFY(!w.dataChanged);
        w.EraseExams->trigger();
        QCOMPARE(ShownLines(w), (QStringList{kFive[0], kFive[3]}));
        QCOMPARE(w.ExamList->ListCount(), 2);
        QVERIFY(CheckedRows(w).isEmpty());
        QVERIFY(w.dataChanged);
        // The view stays; the command stays shown and enabled while lines remain.
        QVERIFY(w.ExamList->isVisible());
        QVERIFY(w.EraseExams->isVisible());
        QVERIFY(w.EraseExams->isEnabled());
        QVERIFY(fixture.messages().prompts.isEmpty());
    }

    void eraseWithNothingChecked() {
        WindowFixture fixture(DataFile(kFive));
        Form1& w = fixture.window();
        w.ShowExams->trigger();
        ClickCheckBox(w, 0);
        w.EraseExams->trigger();
        w.dataChanged = false;
        w.EraseExams->trigger();
        QCOMPARE(ShownLines(w), kFive.mid(1));
        QVERIFY(w.dataChanged);
        // So that leaving asks whether to save.
        fixture.messages().AnswerNext(AnswerNo);
        QVERIFY(w.close());
        QCOMPARE(fixture.messages().prompts.size(), 1);
        QCOMPARE(fixture.messages().prompts[0].text, QStringLiteral("Do you want to save changes ?"));
    }

    void eraseEverything() {
        WindowFixture fixture(DataFile(kFive.mid(0, 3)));
        Form1& w = fixture.window();
        w.ShowExams->trigger();
        for (int row : {0, 1, 2})
            ClickCheckBox(w, row);
        w.EraseExams->trigger();
        QCOMPARE(w.ExamList->ListCount(), 0);
        QVERIFY(w.EraseExams->isVisible());
        QVERIFY(!w.EraseExams->isEnabled());
        QVERIFY(w.ShowExams->isEnabled());
        w.AddExam->trigger();
        w.ShowExams->trigger();
        QVERIFY(w.ExamList->isVisible());
        QCOMPARE(w.ExamList->model()->rowCount(), 0);
    }

    void checksSurviveOtherViews() {
        WindowFixture fixture(DataFile(kFive));
        Form1& w = fixture.window();
        w.ShowExams->trigger();
        ClickCheckBox(w, 0);
        ClickCheckBox(w, 3);
        for (QAction* elsewhere : {w.ViewMainStats, w.AddExam, w.MarksTime, w.Info}) {
            elsewhere->trigger();
            QVERIFY(!w.ExamList->isVisible());
            w.ShowExams->trigger();
            QCOMPARE(CheckedRows(w), (QList<int>{0, 3}));
            QVERIFY2(w.EraseExams->isVisible(), qPrintable(elsewhere->objectName()));
        }
    }

    void readingTheFileUnchecksEverything() {
        WindowFixture fixture(DataFile(kFive));
        Form1& w = fixture.window();
        w.ShowExams->trigger();
        ClickCheckBox(w, 1);
        w.Load->trigger();
        QCOMPARE(ShownLines(w), kFive);
        QVERIFY(CheckedRows(w).isEmpty());
    }

    // Reading a file that holds no record leaves the list empty with the command still shown.
    void eraseOnAnEmptyList() {
        WindowFixture fixture(DataFile(kFive));
        Form1& w = fixture.window();
        w.ShowExams->trigger();
        ClickCheckBox(w, 1);
        QVERIFY(w.EraseExams->isVisible() && w.EraseExams->isEnabled());
        fixture.writeDataFile("not a record\r\n");
        w.Load->trigger();
        QCOMPARE(w.ExamList->ListCount(), 0);
        w.EraseExams->trigger();
        QCOMPARE(w.ExamList->ListCount(), 0);
        QVERIFY(w.dataChanged);
        QVERIFY(!w.EraseExams->isEnabled());
    }
};

QTEST_MAIN(TestExamListView)
#include "tst_exam_list_view.moc"
