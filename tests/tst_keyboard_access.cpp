// The window from the keyboard and for screen readers: menu mnemonics without clashes, captions
// that read as the program's own texts once the mnemonic mark is taken away, the menu key over a
// graph, and the names that a screen reader speaks.
#include "support/window_fixture.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

// The captions, in a menu or on the bar, that have no mnemonic or repeat one.
QStringList MnemonicFaults(const QList<QAction*>& actions) {
    QStringList faults;
    QSet<QString> seen;
    for (const QAction* action : actions) {
        const QString key = action->text().section(u'&', 1).left(1).toLower();
        if (!action->isSeparator() && (key.isEmpty() || seen.contains(key)))
            faults << action->text();
        seen.insert(key);
    }
    return faults;
}

// What the menu key sends to the window.
void PressMenuKey(QWidget& window) {
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(10, 10), window.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(&window, &event);
}

} // namespace

class TestKeyboardAccess : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void keyboardAndScreenReaders() {
        WindowFixture f(DataFile({"Physics;12/6/2006;27;9", "Analysis;1/15/2004;30;6"}));
        const QList<QAction*> bar = f.window().menuBar()->actions();
        QStringList captions;
        for (const QAction* action : bar)
            captions << QString(action->text()).remove(u'&');
        QCOMPARE(captions, (QStringList{"File", "Add exam", "List", "Erase exam(s)", " Stats", "Graphics",
                                        "Mode", "Info"}));
        QCOMPARE(MnemonicFaults(bar), QStringList());
        for (const char* menu : {"File", "Graphics", "Mode", "SetTimeUnits"})
            QCOMPARE(MnemonicFaults(f.find<QMenu>(menu)->actions()), QStringList());
        QMenu* units = f.find<QMenu>("SetTimeUnits");
        QCOMPARE(units->title().remove(u'&'), QStringLiteral("Units"));

        const QStringList fields{"Exam name", "Date", "Mark", "Credit value"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(f.text(i)->accessibleName(), fields[i]);
        QCOMPARE(f.label(0)->accessibleName(), QStringLiteral("Exams : 2 Speed : 1 / year"));
        QCOMPARE(f.label(3)->accessibleName(), QStringLiteral("Total credits  15"));
        QCOMPARE(f.list()->accessibleName(), QStringLiteral("Exams"));
        QCOMPARE(f.surface()->accessibleName(), QStringLiteral("Graph"));

        // The menu key and Shift+F10 open the Units pop-up only over a graph that answers the pointer.
        PressMenuKey(f.window());
        QVERIFY(!units->isVisible());
        f.choose("MarksTime");
        const QString caption = f.caption();
        QTest::mouseMove(f.surface(), f.surface()->rect().center());
        QVERIFY2(f.caption() != caption, "the graph answers the pointer");
        PressMenuKey(f.window());
        QTRY_VERIFY(units->isVisible());
        units->hide();
        QTest::keyClick(&f.window(), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(units->isVisible());
        units->hide();
        // Opening the File menu ends the graph's answers to the pointer and the keyboard alike.
        emit f.find<QMenu>("File")->aboutToShow();
        PressMenuKey(f.window());
        QTest::keyClick(&f.window(), Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(!units->isVisible());
    }
};

QTEST_MAIN(TestKeyboardAccess)
#include "tst_keyboard_access.moc"
