// What one view leaves to the next: the change panel gives the adding panel back its boxes, hidden
// boxes never take the keys, and the list's undo undoes the list.
#include "support/window_fixture.h"

#include <QApplication>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

const QStringList kThree = {"Algebra;1/1/2006;28;6", "Biology;1/2/2006;25;6", "Chemistry;1/3/2006;30;6"};

QStringList Boxes(const WindowFixture& f) {
    QStringList texts;
    for (int i = 0; i < 4; ++i)
        texts.append(f.text(i)->text());
    return texts;
}

// Where the keys go: the control that holds the window's focus.
QWidget* KeyTarget(WindowFixture& f) {
    QWidget* target = f.window().focusWidget();
    return target ? target : &f.window();
}

// The list view with the line at the row opened for a change, as Enter on it does.
void OpenChange(WindowFixture& f, int row) {
    f.choose(QStringLiteral("ShowExams"));
    f.list()->setCurrentIndex(f.list()->model()->index(row, 0));
    QTest::keyClick(f.list(), Qt::Key_Return);
    QCOMPARE(f.label(0)->Caption(), QStringLiteral("Change exam"));
}

} // namespace

class TestViewHandover : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // However the change panel is left, "Add exam" opens on what was typed there before, and one
    // Enter adds nothing twice.
    void changePanelGivesTheBoxesBack_data() {
        QTest::addColumn<QString>("leave"); // "ok", "escape" or a command
        QTest::addRow("by OK") << "ok";
        QTest::addRow("by Escape") << "escape";
        QTest::addRow("by another view") << "ViewMainStats";
        QTest::addRow("by Add exam") << "AddExam";
    }
    void changePanelGivesTheBoxesBack() {
        QFETCH(QString, leave);
        WindowFixture f(DataFile(kThree));
        f.choose(QStringLiteral("AddExam"));
        QTest::keyClicks(f.text(0), QStringLiteral("Geo"));
        const QStringList typed = Boxes(f);
        OpenChange(f, 1);
        QCOMPARE(Boxes(f), QStringList({"Biology", "1/2/2006", "25", "6"}));
        WindowFixture::retype(f.text(2), QStringLiteral("27"));
        if (leave == QLatin1String("ok"))
            QTest::keyClick(f.text(2), Qt::Key_Return);
        else if (leave == QLatin1String("escape"))
            QTest::keyClick(f.text(2), Qt::Key_Escape);
        else
            f.choose(leave);
        const bool changed = leave == QLatin1String("ok");
        QCOMPARE(f.lines().at(1), changed ? QStringLiteral("Biology;1/2/2006;27;6") : kThree.at(1));
        if (leave != QLatin1String("ViewMainStats") && leave != QLatin1String("AddExam")) {
            QVERIFY(f.list()->isVisible());
            QCOMPARE(KeyTarget(f), f.list());
        }
        f.choose(QStringLiteral("AddExam"));
        QCOMPARE(Boxes(f), typed);
        QCOMPARE(f.label(0)->Caption(), QStringLiteral("Exam  4"));
        QTest::keyClick(f.text(3), Qt::Key_Return);
        QCOMPARE(f.lines().size(), 3);
    }

    // Keys typed over the statistics, graph and info views change no box, and Ctrl+Z in the list
    // takes back the exam just added, not the typing of a hidden box.
    void hiddenBoxesTakeNoKeys() {
        WindowFixture f(DataFile(kThree));
        f.window().activateWindow();
        QTRY_VERIFY(f.window().isActiveWindow());
        f.choose(QStringLiteral("AddExam"));
        QCOMPARE(KeyTarget(f), f.text(0));
        f.typeExam(QStringLiteral("Gamma"), QStringLiteral("24"), QStringLiteral("9"));
        for (const char* view : {"ViewMainStats", "MarksTime", "Info"}) {
            f.choose(QString::fromLatin1(view));
            QCOMPARE(KeyTarget(f), f.surface());
            QTest::keyClicks(KeyTarget(f), QStringLiteral("77"));
        }
        QCOMPARE(f.action(QStringLiteral("Undo"))->text(), QStringLiteral("&Undo add Gamma"));
        f.choose(QStringLiteral("ShowExams"));
        QCOMPARE(f.lines().size(), 4);
        QTest::keyClick(KeyTarget(f), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.lines(), kThree);
        QCOMPARE(f.action(QStringLiteral("Redo"))->text(), QStringLiteral("&Redo add Gamma"));
        f.choose(QStringLiteral("AddExam"));
        QCOMPARE(Boxes(f), QStringList({"", "12/7/2026", "", ""}));
    }

    // A change panel left open while a Load reads the file again changes the exam if it is still
    // held, and otherwise says so and changes nothing: it never adds a copy.
    void changeAcrossALoad() {
        WindowFixture f(DataFile(kThree));
        for (const bool stillHeld : {true, false}) {
            OpenChange(f, 1);
            WindowFixture::retype(f.text(2), QStringLiteral("29"));
            const QStringList file{kThree.at(0),
                                   stillHeld ? kThree.at(1) : QStringLiteral("Botany;1/2/2006;25;6")};
            f.writeDataFile(DataFile(file));
            f.choose(QStringLiteral("Load"));
            QCOMPARE(f.label(0)->Caption(), QStringLiteral("Change exam"));
            f.messages().prompts.clear();
            QTest::keyClick(f.text(2), Qt::Key_Return);
            QCOMPARE(f.lines(), stillHeld ? QStringList({kThree.at(0), "Biology;1/2/2006;29;6"}) : file);
            QCOMPARE(f.messages().prompts.size(), stillHeld ? 0 : 1);
            if (!stillHeld)
                QCOMPARE(f.messages().prompts.first().text,
                         QStringLiteral(
                             "The exam being changed is no longer in the list: the change was not made."));
            QVERIFY(f.list()->isVisible());
            f.writeDataFile(DataFile(kThree));
            f.choose(QStringLiteral("Load")); // the change is not saved: No
        }
    }

    // Undo and Redo say what they would take back or bring back, in the list's own words.
    void undoItemsSayWhatTheyDo() {
        WindowFixture f(DataFile(kThree));
        QAction* undo = f.action(QStringLiteral("Undo"));
        QAction* redo = f.action(QStringLiteral("Redo"));
        QCOMPARE(undo->text(), QStringLiteral("&Undo"));
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        f.choose(QStringLiteral("ShowExams"));
        f.setChecked(0, true);
        f.setChecked(2, true);
        f.choose(QStringLiteral("EraseExams"));
        QCOMPARE(undo->text(), QStringLiteral("&Undo erase 2 exams"));
        f.choose(QStringLiteral("Undo"));
        QCOMPARE(redo->text(), QStringLiteral("&Redo erase 2 exams"));
        QCOMPARE(undo->text(), QStringLiteral("&Undo"));
        OpenChange(f, 0);
        QTest::keyClick(f.text(0), Qt::Key_End);
        QTest::keyClicks(f.text(0), QStringLiteral(" II"));
        QTest::keyClick(f.text(0), Qt::Key_Return);
        QCOMPARE(undo->text(), QStringLiteral("&Undo change Algebra"));
        QVERIFY(!redo->isEnabled());
        QCOMPARE(redo->text(), QStringLiteral("&Redo"));
    }
};

QTEST_MAIN(TestViewHandover)
#include "tst_view_handover.moc"
