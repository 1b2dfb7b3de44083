// The entry panel driven as a user does: keys typed into the four boxes, clicks, Enter, and the
// change of a held exam opened from the list.
#include "support/window_fixture.h"
#include "window/widgets/button_face.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

const QStringList kThree = {"Algebra;1/1/2006;28;6", "Biology;1/2/2006;25;6", "Chemistry;1/3/2006;30;6"};
const QStringList kFieldCaptions = {"Date", "Mark", "Credit value"};
// The button as held (enabled, caption, face) and as drawn just inside its border.
const QString kArmed = QStringLiteral("enabled 'OK' #00ff00 #00ff00");
const QString kDisarmed = QStringLiteral("disabled '' #ff0000 #ff0000");

QString ButtonState(WindowFixture& f) {
    QPushButton* button = f.button();
    return QStringLiteral("%1 '%2' %3 %4")
        .arg(button->isEnabled() ? "enabled" : "disabled", button->text(), ButtonFace(button).name(),
             button->grab().toImage().pixelColor(6, 6).name());
}

// The panel's four captions, then what its four boxes hold.
QStringList Panel(WindowFixture& f) {
    QStringList shown;
    for (int i = 0; i < 8; ++i)
        shown << (i < 4 ? f.label(i)->Caption() : f.text(i - 4)->text());
    return shown;
}

// Types into the name, mark and credit value boxes, without Enter.
void Type(WindowFixture& f, const QString& name, const QString& mark, const QString& credits) {
    QTest::keyClicks(f.text(0), name);
    QTest::keyClicks(f.text(2), mark);
    QTest::keyClicks(f.text(3), credits);
}

} // namespace

class TestEntryPanel : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // With day-first dates. Every key runs the field test again; Enter in a box presses the armed
    // button, as Enter on it does. A cell pasted from a spreadsheet brings its line break, and a long
    // name is saved whole. After another view the boxes keep what was typed, with the new day's date.
    void typedExams() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        WindowFixture f(std::nullopt);
        const QStringList fresh = {"", "07.12.2026", "", ""};
        QCOMPARE(Panel(f), QStringList{"Exam  1"} + kFieldCaptions + fresh);
        QCOMPARE(ButtonState(f), kDisarmed);
        QStringList tabOrder{"Text0"}; // the widgets that Tab reaches, shown or not
        for (QWidget* next = f.text(0)->nextInFocusChain(); tabOrder.size() < 6;
             next = next->nextInFocusChain())
            if (next->focusPolicy() & Qt::TabFocus)
                tabOrder << next->objectName();
        QCOMPARE(tabOrder, (QStringList{"Text0", "Text1", "Text2", "Text3", "ExamComm", "ExamList"}));

        QTest::keyClicks(f.text(0), "Physics");
        QTest::keyClick(f.text(0), Qt::Key_Return);
        QVERIFY(f.lines().isEmpty());
        Type(f, "", "27", "9");
        for (const auto& [key, state] :
             {std::pair{Qt::Key_X, kDisarmed}, std::pair{Qt::Key_Backspace, kArmed}}) {
            QTest::keyClick(f.text(2), key);
            QCOMPARE(ButtonState(f), state);
        }
        QTest::keyClick(f.button(), Qt::Key_Return);
        QCOMPARE(Panel(f), QStringList{"Exam  2"} + kFieldCaptions + fresh);
        QCOMPARE(ButtonState(f), kDisarmed);
        QVERIFY(f.action("ShowExams")->isEnabled());
        QCOMPARE(f.window().focusWidget(), f.text(0));

        f.typeExam("  analysis 2 ", "30", "6", "1.2.2007");
        const QString name(40000, u'x');
        f.text(0)->setText(name);
        QTest::keyClicks(f.text(3), "6");
        QApplication::clipboard()->setText("30\n");
        QTest::keySequence(f.text(2), QKeySequence::Paste);
        QCOMPARE(f.text(2)->text(), QStringLiteral("30\n"));
        QTest::mouseClick(f.button(), Qt::LeftButton);

        Type(f, "Phys", "", "9");
        f.choose("Info");
        f.clock().Set(QDate(2026, 12, 8));
        f.choose("AddExam");
        QCOMPARE(Panel(f),
                 (QStringList{"Exam  4"} + kFieldCaptions + QStringList{"Phys", "08.12.2026", "", "9"}));
        f.choose("Save");
        QCOMPARE(f.dataFileBytes(),
                 DataFile({"analysis 2;1.2.2007;30;6", "Physics;07.12.2026;27;9", name + ";1.2.2007;30;6"}));
    }

    void changeInPlace_data() {
        QTest::addColumn<QString>("how"); // "click" on the text, "box" on the check box, "enter", "abandon"
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("current"); // the changed line's row in the list view, -1 for no list view
        QTest::newRow("double click on the text, name kept")
            << "click" << 1 << "Biology" << QStringList{kThree[0], "Biology;1/2/2006;30;6", kThree[2]} << 1;
        QTest::newRow("Enter, renamed: the line moves to its sorted place")
            << "enter" << 0 << "Zoology" << QStringList{kThree[1], kThree[2], "Zoology;1/1/2006;30;6"} << 2;
        QTest::newRow("double click on the check box opens nothing") << "box" << 1 << "" << kThree << -1;
        QTest::newRow("Add exam abandons the change: the button adds")
            << "abandon" << 2 << "Drawing" << (kThree + QStringList{"Drawing;12/7/2026;30;6"}) << -1;
    }
    void changeInPlace() {
        QFETCH(QString, how);
        QFETCH(int, row);
        QFETCH(QString, name);
        WindowFixture f(DataFile(kThree));
        f.choose("ShowExams");
        QListView* list = f.list();
        const QModelIndex index = list->model()->index(row, 0);
        list->setCurrentIndex(index);
        const QRect line = list->visualRect(index);
        if (how == "enter")
            QTest::keyClick(list, Qt::Key_Return);
        else
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                               how == "box" ? QPoint(line.left() + 8, line.center().y()) : line.center());
        QCOMPARE(f.text(0)->isVisible(), how != "box");
        if (how == "box")
            return;
        if (how == "abandon")
            f.choose("AddExam");
        WindowFixture::retype(f.text(0), name);
        WindowFixture::retype(f.text(3), "6");
        WindowFixture::retype(f.text(2), "30");
        QTest::keyClick(f.text(2), Qt::Key_Return);
        QTEST(f.lines(), "after");
        QTEST(list->isVisible() ? list->currentIndex().row() : -1, "current");
    }
};

QTEST_MAIN(TestEntryPanel)
#include "tst_entry_panel.moc"
