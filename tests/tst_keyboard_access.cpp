// The window from the keyboard and for screen readers: menu mnemonics without clashes, captions
// that read as the program's own texts once the mnemonic mark is taken away, the menu key over a
// graph, and the names that a screen reader speaks.
#include "support/window_fixture.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

QChar MnemonicOf(const QString& caption) {
    const qsizetype at = caption.indexOf(u'&');
    return at >= 0 && at + 1 < caption.size() ? caption.at(at + 1).toLower() : QChar();
}

QString Plain(const QString& caption) {
    QString text = caption;
    return text.remove(u'&');
}

// Every caption in a menu (or on the bar) has a mnemonic, and no two share one.
void VerifyMnemonics(const QList<QAction*>& actions) {
    QSet<QChar> seen;
    for (const QAction* action : actions) {
        if (action->isSeparator())
            continue;
        const QChar key = MnemonicOf(action->text());
        QVERIFY2(!key.isNull(), qPrintable(action->text() + QStringLiteral(" has no mnemonic")));
        QVERIFY2(!seen.contains(key), qPrintable(action->text() + QStringLiteral(" repeats a mnemonic")));
        seen.insert(key);
    }
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

    void menuBarCaptionsAndMnemonics() {
        WindowFixture fixture(DataFile({"Physics;12/6/2006;27;9", "Analysis;1/15/2004;30;6"}));
        QMenuBar* bar = fixture.window().menuBar();
        QStringList captions;
        for (const QAction* action : bar->actions())
            captions << Plain(action->text());
        QCOMPARE(captions, (QStringList{"File", "Add exam", "List", "Erase exam(s)", " Stats", "Graphics",
                                        "Mode", "Info"}));
        VerifyMnemonics(bar->actions());
        for (QMenu* menu : {fixture.window().File, fixture.window().Graphics, fixture.window().Mode,
                            fixture.window().SetTimeUnits})
            VerifyMnemonics(menu->actions());
        QCOMPARE(Plain(fixture.window().SetTimeUnits->title()), QStringLiteral("Units"));
    }

    void menuKeyOpensUnitsOnlyOverAGraph() {
        WindowFixture fixture(DataFile({"Physics;12/6/2006;27;9", "Analysis;1/15/2004;30;6"}));
        Form1& w = fixture.window();
        PressMenuKey(w);
        QVERIFY(!w.SetTimeUnits->isVisible());

        w.MarksTime->trigger();
        QVERIFY(w.graphShown);
        PressMenuKey(w);
        QTRY_VERIFY(w.SetTimeUnits->isVisible());
        w.SetTimeUnits->hide();
        QTest::keyClick(&w, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(w.SetTimeUnits->isVisible());
        w.SetTimeUnits->hide();

        // Opening the File menu ends the graph's answers to the pointer and the keyboard alike.
        emit w.File->aboutToShow();
        PressMenuKey(w);
        QTest::keyClick(&w, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(!w.SetTimeUnits->isVisible());
    }

    void screenReaderNames() {
        WindowFixture fixture(DataFile({"Physics;12/6/2006;27;9", "Analysis;1/15/2004;30;6"}));
        Form1& w = fixture.window();
        const QStringList fields{"Exam name", "Date", "Mark", "Credit value"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(w.Text[i]->accessibleName(), fields[i]);
        QCOMPARE(w.Label[0]->accessibleName(), QStringLiteral("Exams : 2 Speed : 1 / year"));
        QCOMPARE(w.Label[3]->accessibleName(), QStringLiteral("Total credits  15"));
        QCOMPARE(w.ExamList->accessibleName(), QStringLiteral("Exams"));
        QCOMPARE(w.surface->accessibleName(), QStringLiteral("Graph"));
    }
};

QTEST_MAIN(TestKeyboardAccess)
#include "tst_keyboard_access.moc"
