// The window from the keyboard and for screen readers: the names that a screen reader speaks, and
// the Units pop-up, which the right button, the menu key and Shift+F10 open only over a graph that
// answers the pointer. Opening the File menu ends the graph's answers to the pointer and to the
// keys alike, and leaves it drawn. (The captions' mnemonics are in tst_views_menus; the tree as a
// screen reader reads it, in tests/e2e.)
#include "support/window_fixture.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

using namespace examora::testing;

class TestKeyboardAccess : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void namesAndUnitsPopUp_data() {
        QTest::addColumn<QString>("opener");
        for (const char* opener : {"right button", "menu key", "Shift+F10"})
            QTest::newRow(opener) << QString::fromLatin1(opener);
    }
    void namesAndUnitsPopUp() {
        QFETCH(QString, opener);
        WindowFixture f(DataFile({"Physics;12/6/2006;27;9", "Analysis;1/15/2004;30;6"}));
        const QStringList fields{"Exam name", "Date", "Mark", "Credit value"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(f.text(i)->accessibleName(), fields[i]);
        QCOMPARE(f.label(0)->accessibleName(), QStringLiteral("Exams : 2 Speed : 1 / year"));
        QCOMPARE(f.label(3)->accessibleName(), QStringLiteral("Total credits  15"));
        QCOMPARE(f.list()->accessibleName(), QStringLiteral("Exams"));
        QCOMPARE(f.surface()->accessibleName(), QStringLiteral("Graph"));
        QMenu* units = f.find<QMenu>("SetTimeUnits");
        const QPoint middle = f.surface()->rect().center();
        const auto opens = [&] {
            if (opener == "right button") {
                QTest::mousePress(f.surface(), Qt::RightButton, {}, middle);
            } else if (opener == "menu key") {
                QContextMenuEvent key(QContextMenuEvent::Keyboard, {}, {}); // as the menu key sends it
                QApplication::sendEvent(&f.window(), &key);
            } else {
                QTest::keyClick(&f.window(), Qt::Key_F10, Qt::ShiftModifier);
            }
            const bool shown = units->isVisible();
            units->hide();
            if (opener == "right button")
                QTest::mouseRelease(f.surface(), Qt::RightButton, {}, middle);
            return shown;
        };
        f.choose("MarksTime");
        const QString caption = f.caption();
        for (QPoint offset : {QPoint(-60, 20), QPoint(-50, 20)}) // the pointer may be at one already
            QTest::mouseMove(f.surface(), middle + offset);
        QVERIFY(f.caption() != caption);
        QVERIFY(opens());
        const QImage drawn = f.surface()->Image();
        emit f.find<QMenu>("File")->aboutToShow();
        QCOMPARE(f.caption(), QStringLiteral("Examora"));
        QTest::mouseMove(f.surface(), middle + QPoint(40, -30));
        QCOMPARE(f.caption(), QStringLiteral("Examora"));
        QVERIFY(!opens());
        QCOMPARE(f.surface()->Image(), drawn);
    }

    // The exam list's lines: checkable, showing only with the list, told anew when rows come.
    void screenReaderLines() {
        WindowFixture f(DataFile({"Physics;12/6/2006;27;9", "Analysis;1/15/2004;30;6"}));
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(f.list());
        QVERIFY(list->child(1)->state().invisible && list->child(1)->state().checkable);
        f.choose("ShowExams");
        list->child(1)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(f.checked(1) && list->child(1)->state().checked && !list->child(1)->state().invisible);
        const QAccessible::Id physics = QAccessible::uniqueId(list->child(1));
        f.choose("AddExam");
        f.typeExam("Biology", "28", "6");
        QVERIFY(!QAccessible::accessibleInterface(physics));
        QCOMPARE(list->child(1)->text(QAccessible::Name), f.lines()[1]);
    }
};

QTEST_MAIN(TestKeyboardAccess)
#include "tst_keyboard_access.moc"
