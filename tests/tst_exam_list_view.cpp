// The exam list view: check boxes clicked, "Erase exam(s)" shown while a line is checked, every
// checked line erased in one pass, and Undo and Redo from their keys.
#include "stats/main_stats.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

const QStringList kFive = {"Algebra;1/1/2006;28;6", "biology;1/2/2006;25;6", "Chemistry;1/3/2006;30;6",
                           "Drawing;1/4/2006;27;6", "Economics;1/5/2006;18;6"};

// A click in the middle of the check box at the left of a line.
void ClickCheckBox(WindowFixture& f, int row) {
    QListView* list = f.list();
    list->scrollTo(list->model()->index(row, 0));
    const QRect line = list->visualRect(list->model()->index(row, 0));
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int box = list->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(line.left() + margin + box / 2, line.center().y()));
}

// The rows checked, and "Erase exam(s)" on the menu bar: hidden, enabled or disabled.
QString Checks(const WindowFixture& f) {
    QStringList rows;
    for (int i = 0; i < f.lines().size(); ++i)
        if (f.checked(i))
            rows << QString::number(i);
    const QAction* erase = f.action("EraseExams");
    return rows.join(u' ') + "; " +
           (erase->isVisible() ? erase->isEnabled() ? "enabled" : "disabled" : "hidden");
}

} // namespace

class TestExamListView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The list in front of its shadow over the dark red window. Checking is no change; an erasure
    // asks nothing. Undo refreshes the view on screen. On an emptied list Erase exam(s) is disabled
    // until a line is checked again; a read that finds no record hides it.
    void checksErasureUndo() {
        WindowFixture f(DataFile(kFive));
        f.choose("ShowExams");
        QTRY_COMPARE(f.window().frameGeometry(), f.window().screen()->availableGeometry());
        QCOMPARE(Checks(f), "; hidden");
        const QImage shot = f.surface()->grab().toImage();
        const QRect placed = f.list()->geometry(), shadow = f.find("ExamListShadow")->geometry();
        QCOMPARE(QColor(shot.pixel(shadow.right() - 2, shadow.bottom() - 2)), QColor(Qt::black));
        QCOMPARE(QColor(shot.pixel(placed.left() + 2, shadow.bottom() - 2)), QColor(64, 0, 0));

        const char* after[] = {"2; enabled", "2 4; enabled", "4; enabled",    "; hidden",
                               "1; enabled", "1 2; enabled", "1 2 4; enabled"};
        const int clicks[] = {2, 4, 2, 4, 1, 2, 4};
        for (int i = 0; i < 7; ++i) {
            ClickCheckBox(f, clicks[i]);
            QCOMPARE(Checks(f), after[i]);
        }
        QVERIFY(!f.action("Undo")->isEnabled());
        f.choose("EraseExams");
        const QStringList left = {kFive[0], kFive[3]};
        QCOMPARE(f.lines(), left);
        QCOMPARE(Checks(f), "; enabled");
        QVERIFY(f.messages().prompts.isEmpty());
        for (const QKeySequence& redoKey :
             {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
            QVERIFY(f.action("Undo")->isEnabled() && !f.action("Redo")->isEnabled());
            QTest::keyClick(&f.window(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(f.lines(), kFive);
            QVERIFY(!f.action("Undo")->isEnabled() && f.action("Redo")->isEnabled());
            QTest::keySequence(&f.window(), redoKey);
            QCOMPARE(f.lines(), left);
        }
        f.choose("ViewMainStats");
        f.choose("Undo");
        QCOMPARE(f.label(0)->Caption(), CaptionsOf(ComputeMainStats(kFive, AverageMode::Academic)).exams);
        f.choose("Redo");

        f.choose("ShowExams");
        for (int row : {0, 1})
            ClickCheckBox(f, row);
        f.choose("EraseExams");
        QVERIFY(f.lines().isEmpty());
        QCOMPARE(Checks(f), "; disabled");
        QVERIFY(f.action("ShowExams")->isEnabled());
        f.choose("AddExam");
        f.typeExam("Chess", "30", "6");
        f.choose("ShowExams");
        ClickCheckBox(f, 0);
        QCOMPARE(Checks(f), "0; enabled");
        f.writeDataFile("not a record\r\n");
        f.choose("Load");
        QVERIFY(f.lines().isEmpty());
        QCOMPARE(Checks(f), "; hidden");
    }

    // Under a dark desktop theme the list keeps its own look: white lines, a grey frame around each
    // unticked box, a navy selection; the entry panel's focused box has a gold frame.
    void readableUnderADarkTheme() {
        const QPalette before = QApplication::palette();
        QPalette dark(QColor(0x27, 0x27, 0x27), QColor(0x24, 0x24, 0x24));
        dark.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
        dark.setColor(QPalette::Text, Qt::white);
        QApplication::setPalette(dark);
        WindowFixture f(DataFile(kFive));
        f.choose("ShowExams");
        f.list()->setCurrentIndex(f.list()->model()->index(1, 0));
        const QImage shot = f.list()->viewport()->grab().toImage();
        const QRect unticked = f.list()->visualRect(f.list()->model()->index(0, 0));
        const QRect selected = f.list()->visualRect(f.list()->model()->index(1, 0));
        QCOMPARE(shot.pixelColor(unticked.right() - 2, unticked.center().y()), QColor(Qt::white));
        const QColor navy = shot.pixelColor(selected.right() - 2, selected.center().y());
        QVERIFY2(navy.red() < 20 && navy.green() < 20 && std::abs(navy.blue() - 128) < 10, qPrintable(navy.name()));
        int darkest = 255;
        for (int x = unticked.left(); x < unticked.left() + unticked.height(); ++x)
            darkest = std::min(darkest, shot.pixelColor(x, unticked.center().y()).value());
        QVERIFY2(darkest < 200, "no frame around the unticked box");
        f.choose("AddExam");
        QCOMPARE(f.text(0)->grab().toImage().pixelColor(1, f.text(0)->height() / 2), QColor(0xff, 0xc0, 0x00));
        QApplication::setPalette(before);
    }
};

QTEST_MAIN(TestExamListView)
#include "tst_exam_list_view.moc"
